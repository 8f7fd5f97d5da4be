// The site check in the real, headless browser: 100 loopback sites, each a
// submission page of 40 labelled inputs and a field map of 20 entries, one
// of which the page has lost. Per site: open, read, plan. Also the teach
// list of a page of 10,000 inputs: reading them in, suggestions included.
// Run with QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1
// QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu on a machine without a display.
#include "benchreport.h"
#include "catalogue/pseudofields.h"
#include "submit/sitecheckrun.h"
#include "submit/teachlistmodel.h"
#include "support/fixtureserver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Sites = 100;
constexpr int Inputs = 40;

QByteArray sitePage(int site)
{
    QByteArray page = "<html><head><title>Site " + QByteArray::number(site)
                      + "</title></head><body><form method=post action=/take>";
    for (int i = 0; i < Inputs; ++i)
        page += "<label for=i" + QByteArray::number(i) + ">Field " + QByteArray::number(i)
                + "</label><input id=i" + QByteArray::number(i) + " name=f" + QByteArray::number(i) + ">";
    return page + "<input type=submit value=Send></form></body></html>";
}

PageSnapshot bigSnapshot(int inputs)
{
    PageSnapshot page;
    page.valid = true;
    SnapshotForm form;
    for (int i = 0; i < inputs; ++i) {
        SnapshotElement e;
        e.tag = "INPUT";
        e.type = "text";
        e.name = i % 3 == 0 ? QStringLiteral("pad_url_%1").arg(i) : QStringLiteral("input%1").arg(i);
        e.label = QStringLiteral("Program version %1").arg(i);
        form.elements.append(e);
    }
    page.forms.append(form);
    return page;
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
    QList<QStringList> sites;
    for (int s = 0; s < Sites; ++s) {
        const QByteArray path = "/s" + QByteArray::number(s);
        server.page(path, sitePage(s));
        QStringList record{QStringLiteral("Site %1").arg(s), "", "", "yes",
                           server.url(QString::fromLatin1(path)).toString(), "0", "", ""};
        for (int e = 0; e < 19; ++e)
            record.append(QStringLiteral("%1=f%2").arg(e).arg(e * 2));
        record.append(QStringLiteral("57=lost"));
        sites.append(record);
    }
    FormWalk::Input product;
    product.softwareRecord = QStringList(105);
    product.constants = PseudoFields::constantValueList();

    SiteCheckRun check(sites, product, {}, nullptr);
    QElapsedTimer clock;
    std::vector<double> perSite;
    qint64 last = 0;
    QObject::connect(&check, &SiteCheckRun::siteChecked, [&](int) {
        const qint64 now = clock.nsecsElapsed();
        perSite.push_back((now - last) / 1e9);
        last = now;
    });
    bool done = false;
    QObject::connect(&check, &SiteCheckRun::finished, [&] { done = true; });
    clock.start();
    check.start();
    while (!done && clock.elapsed() < 120000)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    if (!done || perSite.size() != Sites) {
        std::puts("the check did not finish");
        return 1;
    }
    int loaded = 0;
    for (const SiteCheckResult &r : check.results())
        loaded += r.page == SiteCheckResult::Page::Loaded && r.missingEntries == QStringList{"57=lost"};
    std::sort(perSite.begin(), perSite.end());
    std::printf("%d sites, %d read with the one lost entry found missing; total %.2f s\n", Sites,
                loaded, clock.elapsed() / 1000.0);
    bool ok = loaded == Sites;
    ok &= report("site check per site, median s", perSite[perSite.size() / 2], 0.3);
    std::printf("%-56s %10.4f\n", "site check per site, worst s", perSite.back());

    const PageSnapshot big = bigSnapshot(10000);
    TeachListModel model;
    QElapsedTimer teach;
    teach.start();
    model.setPage(big);
    const double teachMs = teach.nsecsElapsed() / 1e6;
    ok &= model.rowCount() == 10000 && model.picks().size() > 3000;
    ok &= report("teach list of 10,000 inputs with suggestions, ms", teachMs, 500.0);
    return ok ? 0 : 1;
}
