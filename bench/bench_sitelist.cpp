// Loading a site library of 3,000 sites, sorting it, and reconciling it with
// a history of 3,000 sites by 100 products; and the growth from 300 to 3,000.
#include "benchreport.h"
#include "platform/table.h"
#include "platform/tablefile.h"
#include "submit/history/history.h"
#include "submit/sites/sitelibrary.h"
#include "submit/sites/submitlist.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>

namespace {

struct Costs
{
    double loadAndSort = 0;
    double reconcile = 0;
};

Costs measure(int sites, const QString &folder)
{
    qputenv("KELVANE_BENCH_SITES", QByteArray::number(sites));
    Table software(105, 2);
    for (int p = 1; p <= 100; ++p) {
        if (p > 1)
            software.appendRow();
        software.setCell(0, p, QStringLiteral("Product %1").arg(p));
    }
    // A history written for the same sites, in file order of an earlier run.
    Table previous(101, 2);
    for (int s = 0; s < sites; ++s) {
        const int r = s == 0 ? 1 : previous.appendRow();
        previous.setCell(0, r, QStringLiteral("Site%1").arg(s, 5, 10, QLatin1Char('0')));
        for (int p = 1; p <= 100; p += 7)
            previous.setCell(p, r, QStringLiteral("1/2/26  ok"));
    }
    const QString historyPath = folder + QStringLiteral("/Kelvane_hist.dat");
    TableFile::save(previous, historyPath, TableFile::Kind::Plain);

    Costs best{1e30, 1e30};
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        const SiteLibrary::LoadResult library =
            SiteLibrary::loadFile(QStringLiteral(KELVANE_BENCH_SITELIB));
        SubmitList list;
        list.fill(library);
        const double loaded = timer.nsecsElapsed() / 1e6;
        if (!library.ok || list.table().rowCount() != sites + 1) {
            std::printf("site library not loaded: %s\n", qPrintable(library.reason));
            std::exit(1);
        }
        timer.restart();
        Table history;
        History::load(history, list.table(), software, historyPath);
        const double reconciled = timer.nsecsElapsed() / 1e6;
        best.loadAndSort = std::min(best.loadAndSort, loaded);
        best.reconcile = std::min(best.reconcile, reconciled);
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const Costs small = measure(300, dir.path());
    const Costs big = measure(3000, dir.path());
    std::printf("3,000 sites: load+sort %.1f ms, history reconcile %.1f ms\n", big.loadAndSort,
                big.reconcile);
    // n log n from 300 to 3,000 is 10 * log(3000)/log(300) = 14.04 times.
    const double nlogn = 10.0 * std::log(3000.0) / std::log(300.0);
    bool ok = true;
    ok &= report("load, sort and reconcile, 3,000 sites x 100 products, ms",
                 big.loadAndSort + big.reconcile, 200);
    ok &= report("growth 300 -> 3,000 / n log n growth",
                 (big.loadAndSort + big.reconcile) / (small.loadAndSort + small.reconcile) / nlogn,
                 1.0);
    return ok ? 0 : 1;
}
