// PAD export and import of one full record (targets: 2 ms each, file
// included), the PAD check of one full record (target 1 ms), and 1,000 PAD files imported in a loop, whose cost per file must
// stay flat as the count grows. Prints each measurement and whether it meets
// its target.
#include "benchreport.h"
#include "catalogue/fieldcatalogue.h"
#include "pad/padcheck.h"
#include "pad/padexport.h"
#include "pad/padimport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

// Every field the export writes, at the editor's input limits where it has one.
QStringList fullRecord(int n)
{
    QStringList record(FieldCatalogue::FieldCount);
    for (int f = 0; f < FieldCatalogue::FieldCount; ++f) {
        const FieldInfo &info = FieldCatalogue::field(f);
        if (!info.padElement)
            continue;
        const int length = info.limit > 0 ? info.limit : 40;
        record[f] = QStringLiteral("%1 & <%2> product %3 ").arg(f).arg(info.padElement).arg(n)
                        .repeated(length / 30 + 1)
                        .left(length);
    }
    record[Field::ReleaseType] = QStringLiteral("Shareware");
    record[Field::Country] = QStringLiteral("Portugal");
    record[Field::OsSupport] = QStringLiteral("Win95,Win98,WinXP,Linux,Linux Gnome");
    record[Field::Languages] = QStringLiteral("English,German,French");
    record[Field::CategoryClass] = QStringLiteral("Games & Entertainment::Tools & Editors");
    record[Field::IncludesJavaVm] = QStringLiteral("1");
    record[Field::PadRing] = QStringLiteral("http://a.example/1.xml\r\nhttp://b.example/2.xml\r\nhttp://c.example/3.xml");
    return record;
}

double medianMs(int runs, const std::function<void()> &work)
{
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.append(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

double importAll(const QStringList &paths, int count)
{
    QElapsedTimer timer;
    timer.start();
    int imported = 0;
    for (int i = 0; i < count; ++i)
        imported += PadImport::fromFile(paths.at(i)).imported() ? 1 : 0;
    if (imported != count)
        std::printf("only %d of %d files imported\n", imported, count);
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    bool ok = true;

    const QStringList record = fullRecord(1);
    const QByteArray doc = PadExport::document(record);
    std::printf("full document: %lld bytes\n", static_cast<long long>(doc.size()));

    ok &= report("export, document only (ms)", medianMs(200, [&] { PadExport::document(record); }), 2.0);
    ok &= report("PAD check of a full record (ms)", medianMs(500, [&] { PadCheck::check(record); }), 1.0);
    QStringList kept = record;
    for (const PadCheck::Violation &v : PadCheck::check(record)) {
        if (v.field >= 0)
            kept[v.field].clear();
    }
    ok &= report("PAD check of a record that keeps more rules (ms)",
                 medianMs(500, [&] { PadCheck::check(kept); }), 1.0);
    const QString path = dir.filePath("full.xml");
    ok &= report("export, written through QSaveFile (ms)",
                 medianMs(200, [&] { PadExport::save(record, path); }), 2.0);
    ok &= report("import, from bytes (ms)", medianMs(200, [&] { PadImport::fromBytes(doc); }), 2.0);
    ok &= report("import, from the file (ms)", medianMs(200, [&] { PadImport::fromFile(path); }), 2.0);

    // The same document on one line goes the XML way.
    QByteArray oneLine = doc;
    oneLine.replace("\r\n", "");
    report("import, one-line document read as XML (ms)", medianMs(200, [&] { PadImport::fromBytes(oneLine); }), 2.0);

    QStringList paths;
    for (int i = 0; i < 1000; ++i) {
        paths.append(dir.filePath(QStringLiteral("pad%1.xml").arg(i)));
        PadExport::save(fullRecord(i), paths.last());
    }
    importAll(paths, 100); // warm-up
    const double t250 = importAll(paths, 250);
    const double t1000 = importAll(paths, 1000);
    std::printf("1,000 files imported in %.1f ms (250 in %.1f ms)\n", t1000, t250);
    ok &= report("per-file cost at 1,000 over per-file cost at 250", (t1000 / 1000) / (t250 / 250), 1.25);
    return ok ? 0 : 1;
}
