// The whole form walk in the real, headless browser: snapshot, plan and
// apply on a page of 2,000 form elements (a category list of 1,000 options
// among them) with 30 field map entries. The page is reloaded before every
// run so each walk writes all 30 values. The plan's 100 ms wait before the
// submit step is deliberate and not counted. A 5 ms timer runs meanwhile; its
// largest gap shows how long the window went without handling events.
// Run with QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1
// QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu on a machine without a display.
#include "benchreport.h"
#include "catalogue/pseudofields.h"
#include "submit/browser/browserwindow.h"
#include "submit/browser/pagedriver.h"
#include "support/bigformpage.h"
#include "support/fixtureserver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Runs = 15;

// Runs the event loop until `done` or 30 s.
template <typename Done> bool waitFor(Done done)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    return done();
}

FormWalk::Input makeInput()
{
    FormWalk::Input in;
    in.siteRecord = QStringList{"Bench", "", "", "yes", "", "0", "", ""} + BigFormPage::fieldMap();
    in.softwareRecord = BigFormPage::softwareRecord();
    in.constants = PseudoFields::constantValueList();
    in.autoSubmit = false;
    return in;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    FixtureServer server;
    if (!server.start()) {
        std::puts("the fixture server did not start");
        return 1;
    }
    const QByteArray html = BigFormPage::html("/post");
    server.page("/big", html);

    BrowserPage page(TForm2::sharedProfile());
    QWebEngineView view;
    view.setPage(&page);
    view.resize(640, 380);
    view.show();
    PageDriver driver(&page);
    const FormWalk::Input input = makeInput();

    QElapsedTimer tickClock;
    qint64 lastTick = 0;
    qint64 longestGap = 0;
    bool measuring = false;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = tickClock.elapsed();
        if (measuring)
            longestGap = std::max(longestGap, now - lastTick);
        lastTick = now;
    });
    tickClock.start();
    ticker.start();

    std::vector<double> times;
    int writes = 0;
    bool ok = true;
    for (int run = 0; run < Runs && ok; ++run) {
        bool loaded = false;
        const auto c = QObject::connect(&page, &QWebEnginePage::loadFinished,
                                        [&](bool success) { loaded = success; });
        page.load(server.url(QStringLiteral("/big")));
        ok = waitFor([&] { return loaded; });
        QObject::disconnect(c);
        if (!ok) {
            std::puts("the page did not load");
            break;
        }
        bool applied = false;
        bool finished = false;
        const auto a = QObject::connect(&driver, &PageDriver::writesApplied, [&] { applied = true; });
        const auto f = QObject::connect(&driver, &PageDriver::walkFinished,
                                        [&](const WalkOutcome &) { finished = true; });
        QElapsedTimer timer;
        lastTick = tickClock.elapsed();
        measuring = run > 0;
        timer.start();
        driver.walk(input);
        ok = waitFor([&] { return applied || finished; }) && applied;
        const double ms = timer.nsecsElapsed() / 1e6;
        measuring = false;
        waitFor([&] { return finished; });
        QObject::disconnect(a);
        QObject::disconnect(f);
        if (!ok) {
            std::puts("the walk did not apply its plan");
            break;
        }
        writes = int(driver.lastPlan().writes.size());
        if (run > 0) // the first run warms the renderer up
            times.push_back(ms);
    }
    if (!ok || times.empty())
        return 1;
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    std::printf("page: %d elements, %lld kB of HTML; plan: %d writes, result %d\n",
                BigFormPage::TextInputs + 2, qlonglong(html.size() / 1000), writes,
                driver.lastPlan().result);
    ok &= writes == 30;
    ok &= report("walk in the browser, median ms", median, 150.0);
    std::printf("%-44s %8.2f\n", "walk in the browser, best ms", times.front());
    std::printf("%-44s %8.2f\n", "walk in the browser, worst ms", times.back());
    std::printf("%-44s %8lld\n", "longest event-loop gap during a walk, ms", qlonglong(longestGap));
    return ok ? 0 : 1;
}
