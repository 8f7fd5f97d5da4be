// KelvaneSubmit-sitecheck <library>: copies a site library's records in a
// process of its own and writes the verdict on standard output. Whatever the
// library does (crash, hang, write on the output) stays in this process.

#include "submit/sites/sitecopy.h"

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written <= 0)
            return false;
        data += written;
        left -= written;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fputs("usage: KelvaneSubmit-sitecheck <site library>\n", stderr);
        return 2;
    }
    // The verdict goes out on a private copy of the output; the library's own
    // writes land nowhere.
    const int answer = ::dup(STDOUT_FILENO);
    const int nowhere = ::open("/dev/null", O_WRONLY);
    if (answer < 0 || nowhere < 0 || ::dup2(nowhere, STDOUT_FILENO) < 0)
        return 3;
    ::close(nowhere);

    const SiteCopy::Copy copy = SiteCopy::copyInProcess(QString::fromLocal8Bit(argv[1]));
    const bool sent = writeAll(answer, SiteCopy::encodeVerdict(copy));
    // No exit handlers: they would run the library's finalisers.
    ::_exit(sent ? 0 : 3);
}
