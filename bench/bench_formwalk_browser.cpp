// The whole form walk in the real, headless browser: snapshot, plan and
// apply on a page of 2,000 form elements (a category list of 1,000 options
// among them) with 30 field map entries; the same elements split over 10
// frames of the same site and 10 web components' shadow roots; and a form of
// 100 inputs and the category list drawn by a script after the page has
// loaded, timed from the moment it is on the page to its fill. The page is reloaded before every run so each walk writes all
// 30 values. The plan's 100 ms wait before the submit step is deliberate and
// not counted. A 5 ms timer runs meanwhile; its largest gap shows how long
// the window went without handling events.
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

// 20 parts of 100 elements: parts 0..9 in frames, 10..19 in shadow roots,
// the category list and the button in the last one.
QByteArray splitPage()
{
    QByteArray html = "<html><body>";
    for (int part = 0; part < 10; ++part)
        html += "<iframe src=/part/" + QByteArray::number(part) + "></iframe>";
    html += "<script>customElements.define('form-part', class extends HTMLElement {"
            " connectedCallback() { if (!this.shadowRoot) this.attachShadow({ mode: 'open' }).innerHTML ="
            " document.getElementById('t' + this.id).innerHTML; } });</script>";
    for (int part = 10; part < 20; ++part) {
        const QByteArray n = QByteArray::number(part);
        QByteArray inner = "<form method=post action=/post>" + BigFormPage::inputs(part * 100, part * 100 + 100);
        if (part == 19)
            inner = "<form method=post action=/post>" + BigFormPage::inputs(1900, BigFormPage::TextInputs)
                    + BigFormPage::categoryList() + "<input type=submit name=send value=Send>";
        html += "<template id=t" + n + ">" + inner + "</form></template><form-part id=" + n + "></form-part>";
    }
    return html + "</body></html>";
}

QByteArray partPage(int part)
{
    return "<html><body><form method=post action=/post>"
           + BigFormPage::inputs(part * 100, part * 100 + 100) + "</form></body></html>";
}

// A submission form of 100 inputs and the category list, drawn when the
// benchmark calls draw().
QByteArray latePage()
{
    return "<html><body><div id=slot>Loading...</div><template id=form><form method=post action=/post>"
           + BigFormPage::inputs(0, 100) + BigFormPage::categoryList()
           + "<input type=submit name=send value=Send></form></template><script>function draw() { document.getElementById('slot').innerHTML ="
             " document.getElementById('form').innerHTML; }</script></body></html>";
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
    server.page("/big", BigFormPage::html("/post"));
    server.page("/split", splitPage());
    for (int part = 0; part < 10; ++part)
        server.page("/part/" + QByteArray::number(part), partPage(part));
    server.page("/late", latePage());

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

    // Median ms of `Runs` walks on `path`, from the walk's start (or, for a
    // late form, from the end of the script that draws it) to its writes on
    // the page; -1 on failure.
    auto measure = [&](const QString &path, bool late) -> double {
        std::vector<double> times;
        for (int run = 0; run < Runs; ++run) {
            bool loaded = false;
            const auto c = QObject::connect(&page, &QWebEnginePage::loadFinished,
                                            [&](bool success) { loaded = success; });
            page.load(server.url(path));
            const bool ok = waitFor([&] { return loaded; });
            QObject::disconnect(c);
            if (!ok) {
                std::printf("%s did not load\n", qPrintable(path));
                return -1;
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
            if (late) {
                // The walk has found no form and watches the page; then the
                // script draws it, and the clock starts once the form is there.
                waitFor([&] { return driver.isWaitingForForm(); });
                QTimer::singleShot(300, [&] {
                    page.runJavaScript(QStringLiteral("draw()"), [&](const QVariant &) { timer.start(); });
                });
            }
            waitFor([&] { return applied || finished; });
            const double ms = timer.nsecsElapsed() / 1e6;
            measuring = false;
            waitFor([&] { return finished; });
            QObject::disconnect(a);
            QObject::disconnect(f);
            if (!applied || driver.lastPlan().writes.size() != 30) {
                std::printf("the walk of %s wrote %d values, not 30\n", qPrintable(path),
                            int(driver.lastPlan().writes.size()));
                return -1;
            }
            if (run > 0) // the first run warms the renderer up
                times.push_back(ms);
        }
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    };

    std::printf("page: %d elements, 30 field map entries\n", BigFormPage::TextInputs + 2);
    const double flat = measure(QStringLiteral("/big"), false);
    const double split = measure(QStringLiteral("/split"), false);
    const double late = measure(QStringLiteral("/late"), true);
    if (flat < 0 || split < 0 || late < 0)
        return 1;
    bool ok = report("walk in the browser, median ms", flat, 60.0);
    ok &= report("walk over 10 frames and 10 shadow roots, median ms", split, 100.0);
    ok &= report("late form, from its drawing to its fill, median ms", late, 300.0);
    std::printf("%-56s %10lld\n", "longest event-loop gap during a walk, ms", qlonglong(longestGap));
    return ok ? 0 : 1;
}
