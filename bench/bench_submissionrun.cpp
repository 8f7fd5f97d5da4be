// Advancing a submission run to its next pair over 3,000 sites by 100
// products, the marks read afresh at every step. Three mark patterns: all
// marked (the next pair is close), every 100th site with only the last
// product (a long way to each pair), and the first and last site only (one
// step passes every site). Then a run of 3,000 sites by 10 products to its
// end, outcomes mixed: its summary's counts, failed sites, CSV and HTML, and
// the memory the run's record of outcomes takes. Prints each measurement and
// whether it meets its target.
#include "benchreport.h"
#include "platform/connectivity.h"
#include "platform/dialogs.h"
#include "platform/table.h"
#include "submit/run/submissionrun.h"
#include "submit/sites/submitlist.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Sites = 3000;
constexpr int Products = 100;

class Online : public Connectivity
{
public:
    bool isOnline() override { return true; }
};

class NoDialogs : public Dialogs
{
public:
    void message(const QString &, const QString &) override {}
    void error(const QString &) override {}
    Answer warnOkCancel(const QString &, const QString &) override { return Answer::Ok; }
    Answer askYesCancel(const QString &, const QString &) override { return Answer::Yes; }
};

Table sites()
{
    Table t(9, Sites + 1);
    for (int r = 1; r <= Sites; ++r) {
        t.setCell(0, r, QStringLiteral("Site %1").arg(r));
        t.setCell(3, r, QStringLiteral("yes"));
    }
    return t;
}

Table software()
{
    Table t(105, Products + 1);
    for (int r = 1; r <= Products; ++r)
        t.setCell(0, r, QStringLiteral("Product %1").arg(r));
    return t;
}

struct Steps
{
    int count = 0;
    double meanMs = 0;
    // One step in a thousand may take longer than this: a single worst step
    // of 300,000 mostly measures the scheduler.
    double p999Ms = 0;
    double worstMs = 0;
};

// One step: the open window reports its close and the run opens the next.
template <typename Mark> Steps measure(Mark mark)
{
    Table siteList = sites();
    Table softwareList = software();
    mark(siteList, softwareList);
    Online online;
    NoDialogs dialogs;
    SubmissionRun run(siteList, softwareList, online, dialogs);
    int opened = 0;
    QObject::connect(&run, &SubmissionRun::openSubmission, &run, [&] { ++opened; });

    SubmissionRun::Selection selection;
    selection.siteRows = {{1, 1}};
    selection.softwareRows = {{1, 1}};
    selection.chooserIndex = -1;
    run.submit(selection);

    std::vector<double> times;
    QElapsedTimer timer;
    while (run.isRunning()) {
        timer.start();
        run.submissionClosed(1);
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    Steps steps;
    steps.count = int(times.size());
    if (!times.empty()) {
        double total = 0;
        for (double t : times)
            total += t;
        steps.meanMs = total / steps.count;
        std::sort(times.begin(), times.end());
        steps.p999Ms = times.at(std::min(times.size() - 1, times.size() * 999 / 1000));
        steps.worstMs = times.back();
    }
    if (opened != steps.count)
        std::printf("opened %d windows in %d steps\n", opened, steps.count);
    return steps;
}

struct SummaryTimes
{
    int pairs = 0;
    double summaryMs = 0; // counts text and the failed sites
    double csvMs = 0;
    double htmlMs = 0;
    double kbPerThousandPairs = 0;
};

// 3,000 sites by 10 products, every third pair failed and every seventh cancelled.
SummaryTimes summaryOfALongRun()
{
    constexpr int RunProducts = 10;
    Table siteList = sites();
    Table softwareList(105, RunProducts + 1);
    for (int r = 1; r <= RunProducts; ++r)
        softwareList.setCell(0, r, QStringLiteral("Product %1").arg(r));
    Marks::setAll(siteList);
    Marks::setAll(softwareList);
    Online online;
    NoDialogs dialogs;
    const long before = residentKb();
    SubmissionRun run(siteList, softwareList, online, dialogs);
    SubmissionRun::Selection selection;
    selection.siteRows = {{1, 1}};
    selection.softwareRows = {{1, 1}};
    selection.chooserIndex = -1;
    run.submit(selection);
    int step = 0;
    while (run.isRunning()) {
        ++step;
        run.submissionClosed(step % 7 == 0 ? 0 : step % 3 == 0 ? -1 : 1);
    }
    SummaryTimes times;
    QElapsedTimer timer;
    timer.start();
    const RunSummary summary = run.summaryOfRun();
    const QString counts = summary.countsText();
    const QList<int> failed = summary.failedSiteRows();
    times.summaryMs = timer.nsecsElapsed() / 1e6;
    timer.start();
    const QByteArray csv = summary.csv();
    times.csvMs = timer.nsecsElapsed() / 1e6;
    timer.start();
    const QByteArray html = summary.html(QStringLiteral("Submission run"));
    times.htmlMs = timer.nsecsElapsed() / 1e6;
    times.pairs = int(summary.entries().size());
    times.kbPerThousandPairs = times.pairs ? (residentKb() - before) * 1000.0 / times.pairs : 0;
    std::printf("%s; %lld failed sites; CSV %lld bytes, HTML %lld bytes\n", qPrintable(counts),
                qlonglong(failed.size()), qlonglong(csv.size()), qlonglong(html.size()));
    return times;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);

    const Steps dense = measure([](Table &s, Table &p) {
        Marks::setAll(s);
        Marks::setAll(p);
    });
    const Steps sparse = measure([](Table &s, Table &p) {
        for (int r = 1; r <= Sites; r += 100)
            Marks::set(s, r, true);
        Marks::set(p, Products, true);
    });
    // The first and the last site only: one step passes every site between.
    const Steps farApart = measure([](Table &s, Table &p) {
        Marks::set(s, 1, true);
        Marks::set(s, Sites, true);
        Marks::setAll(p);
    });

    std::printf("all marked: %d steps; sparse: %d steps; first and last site: %d steps\n",
                dense.count, sparse.count, farApart.count);
    bool ok = true;
    ok &= report("ms per step, all 300,000 pairs marked (mean)", dense.meanMs, 1.0);
    ok &= report("ms per step, all 300,000 pairs marked (99.9th pct)", dense.p999Ms, 1.0);
    ok &= report("ms per step, every 100th site, last product (mean)", sparse.meanMs, 1.0);
    ok &= report("ms per step, every 100th site, last product (worst)", sparse.worstMs, 1.0);
    ok &= report("ms per step, first and last site only (worst)", farApart.worstMs, 1.0);

    const SummaryTimes summary = summaryOfALongRun();
    std::printf("a run of 3,000 sites by 10 products: %d pairs in its summary\n", summary.pairs);
    ok &= report("summary of 30,000 pairs: counts and failed sites (ms)", summary.summaryMs, 50);
    ok &= report("summary of 30,000 pairs: CSV (ms)", summary.csvMs, 500);
    ok &= report("summary of 30,000 pairs: HTML (ms)", summary.htmlMs, 500);
    ok &= report("run's record of outcomes: KB per 1,000 pairs (resident)", summary.kbPerThousandPairs, 1024);
    std::printf("worst single step of all: %.4f ms\n",
                std::max({dense.worstMs, sparse.worstMs, farApart.worstMs}));
    return ok ? 0 : 1;
}
