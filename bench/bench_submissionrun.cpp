// Advancing a submission run to its next pair over 3,000 sites by 100
// products, the marks read afresh at every step. Three mark patterns: all
// marked (the next pair is close), every 100th site with only the last
// product (a long way to each pair), and the first and last site only (one
// step passes every site). Prints each measurement and whether it meets its target.
#include "benchreport.h"
#include "platform/connectivity.h"
#include "platform/dialogs.h"
#include "platform/table.h"
#include "submit/run/submissionrun.h"
#include "submit/sites/submitlist.h"

#include <QCoreApplication>
#include <QElapsedTimer>

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
    std::printf("worst single step of all: %.4f ms\n",
                std::max({dense.worstMs, sparse.worstMs, farApart.worstMs}));
    return ok ? 0 : 1;
}
