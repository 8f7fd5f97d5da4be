// Peak memory of the start-up's catalogue load (Workspace::loadCatalogue) of
// 300,000 one-byte records, above what the program held before it, against
// the file's size; then the same for "select all soft products" switched on
// and off over that catalogue. Target: under three times the file size.
#include "benchreport.h"
#include "platform/table.h"
#include "shell/workspace.h"
#include "submit/sites/submitlist.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstdio>
#include <cstdlib>
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

// Starts the peak afresh at the present size; false when the kernel refused.
bool resetPeak()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.close();
    return bool(clear);
}

struct Measure
{
    long long base = -1;
    long long peak = -1;
};

// Runs `step` with the peak reset before it; exits when it cannot be reset,
// since the peak would then be the whole run's.
template <typename Step> Measure measure(Step step)
{
    if (!resetPeak()) {
        std::printf("cannot reset the peak: writing /proc/self/clear_refs failed\n");
        std::exit(3);
    }
    Measure m;
    m.base = statusKib("VmRSS");
    step();
    m.peak = statusKib("VmHWM");
    return m;
}

} // namespace

int main()
{
    QTemporaryDir dir;
    Workspace workspace(dir.path(), dir.path());
    {
        QFile file(workspace.files().catalogue());
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
    const double fileBytes = double(QFile(workspace.files().catalogue()).size());
    workspace.labelSoftwareList();
    Table &software = workspace.software();

    Workspace::CatalogueLoad loaded;
    const Measure load = measure([&] { loaded = workspace.loadCatalogue(); });
    if (software.rowCount() != Records + 1 || !loaded.notices.isEmpty()) {
        std::printf("the catalogue did not load whole: %d rows\n", software.rowCount());
        return 1;
    }
    std::printf("file %.0f bytes; load: base %lld KiB, peak %lld KiB\n", fileBytes, load.base,
                load.peak);
    bool ok = report("catalogue load: peak memory above base / file size",
                     double(load.peak - load.base) * 1024.0 / fileBytes, 3.0);

    int marked = 0;
    int left = -1;
    const Measure marks = measure([&] {
        SubmitList::selectAllSoftProducts(software, true, 1);
        marked = Marks::count(software);
        SubmitList::selectAllSoftProducts(software, false, 1);
        left = Marks::count(software);
    });
    if (marked != Records || left != 0) {
        std::printf("the marks pass went wrong: %d marked, %d left\n", marked, left);
        return 1;
    }
    std::printf("marks: base %lld KiB, peak %lld KiB\n", marks.base, marks.peak);
    ok &= report("mark all, clear all: peak memory above base / file size",
                 double(marks.peak - marks.base) * 1024.0 / fileBytes, 3.0);
    return ok ? 0 : 2;
}
