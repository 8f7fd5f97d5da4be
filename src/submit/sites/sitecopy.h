#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The raw copy of a site library's records, and the verdict the checker
// process hands back: what crosses from the checker to the program.
namespace SiteCopy {

struct Copy
{
    bool ok = false;
    // Why the library was refused, when it was.
    QString reason;
    bool hasNumOfRows = false;
    bool hasLoadStrings = false;
    // One entry per site row: the record text without its terminating zero.
    QList<QByteArray> records;
};

// Loads the library into this process, copies every record within the limits
// and releases it. Native code runs here: only the checker process calls it.
Copy copyInProcess(const QString &path);

// The checker's answer on its standard output.
QByteArray encodeVerdict(const Copy &copy);
// Reads an answer back; anything malformed is a refusal naming `path`.
Copy decodeVerdict(const QByteArray &bytes, const QString &path);

} // namespace SiteCopy
