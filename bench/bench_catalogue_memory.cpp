// Peak memory of loading a catalogue of 300,000 one-byte records, above what
// the program held before the load, against the file's size. Target: under
// three times the file size.
#include "benchreport.h"
#include "catalogue/fieldcatalogue.h"
#include "platform/table.h"
#include "platform/tablefile.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

constexpr int Records = 300000;

// A line of /proc/self/status in KiB ("VmRSS", "VmHWM").
long long statusKib(const char *key)
{
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == std::string(key) + ":") {
            long long kib = 0;
            status >> kib;
            return kib;
        }
    }
    return -1;
}

// Starts the peak afresh at the present size.
void resetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

} // namespace

int main()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kelvane_soft.dat"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        QByteArray chunk;
        for (int r = 0; r < Records; ++r) {
            char prefix[4];
            qToLittleEndian<qint32>(1, prefix);
            chunk.append(prefix, 4);
            chunk.append(char('a' + r % 26));
            if (chunk.size() > 64 * 1024) {
                file.write(chunk);
                chunk.clear();
            }
        }
        file.write(chunk);
    }
    const double fileBytes = double(QFile(path).size());

    Table software(FieldCatalogue::FieldCount, 2);
    resetPeak();
    const long long base = statusKib("VmRSS");
    const TableFile::LoadResult loaded = TableFile::load(software, path, TableFile::Kind::Marked);
    const long long peak = statusKib("VmHWM");
    if (software.rowCount() != Records + 1 || !loaded.error.isEmpty()) {
        std::printf("the catalogue did not load whole: %d rows\n", software.rowCount());
        return 1;
    }
    std::printf("file %.0f bytes, base %lld KiB, peak %lld KiB\n", fileBytes, base, peak);
    const bool ok = report("catalogue load: peak memory above base / file size",
                           double(peak - base) * 1024.0 / fileBytes, 3.0);
    return ok ? 0 : 2;
}
