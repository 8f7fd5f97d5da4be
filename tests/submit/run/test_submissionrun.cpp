// The Submit command and its run: the marks it settles, the warnings it
// shows, and the pairs it hands out one window at a time, driven here by
// simulated window closes.

#include "support/fakeconnectivity.h"
#include "support/fakedialogs.h"
#include "support/runtables.h"

#include "submit/run/runprogress.h"
#include "submit/run/submissionrun.h"

#include <QPoint>
#include <QTest>

#include <memory>

using Run = SubmissionRun;

Q_DECLARE_METATYPE(Run::Start)
Q_DECLARE_METATYPE(Dialogs::Answer)

namespace {

QString text(const Run::Pair &p)
{
    return QStringLiteral("%1:%2").arg(p.siteRow).arg(p.softwareRow);
}

QList<Run::RowRange> ranges(const QList<QPoint> &points)
{
    QList<Run::RowRange> result;
    for (const QPoint &p : points)
        result.append({p.x(), p.y()});
    return result;
}

// The run over live tables, with every signal it sends written down.
struct Harness
{
    Table sites;
    Table software;
    FakeConnectivity net;
    FakeDialogs dialogs;
    Run run;

    QStringList opened;
    QList<bool> enabledChanges;
    int fronts = 0;
    int finishedCount = 0;
    Run::Summary summary;
    int siteRepaints = 0;
    int productRepaints = 0;

    Harness(int siteCount, int productCount)
        : sites(siteTable(siteCount)),
          software(softwareTable(productCount)),
          run(sites, software, net, dialogs)
    {
        QObject::connect(&run, &Run::openSubmission, &run,
                         [this](int c, int e) { opened.append(text({c, e})); });
        QObject::connect(&run, &Run::chooserAndExitEnabledChanged, &run,
                         [this](bool on) { enabledChanges.append(on); });
        QObject::connect(&run, &Run::bringToFront, &run, [this] { ++fronts; });
        QObject::connect(&run, &Run::siteMarksChanged, &run, [this] { ++siteRepaints; });
        QObject::connect(&run, &Run::productMarksChanged, &run, [this] { ++productRepaints; });
        QObject::connect(&run, &Run::finished, &run, [this](const Run::Summary &s) {
            ++finishedCount;
            summary = s;
        });
    }

    // The views as they are when the user pressed Submit with marks already set.
    Run::Start submitMarked(bool autoSubmit = false)
    {
        Run::Selection selection;
        selection.siteRows = {{1, 1}};
        selection.softwareRows = {{1, 1}};
        selection.chooserIndex = 0;
        selection.autoSubmit = autoSubmit;
        return run.submit(selection);
    }

    // Closes every window the run opens with "done ok" and gives the order.
    QStringList closeAll()
    {
        for (int guard = 0; run.isRunning() && run.openPair() && guard < 100000; ++guard)
            run.submissionClosed(run.openPair()->siteRow);
        return opened;
    }
};

} // namespace

class TestSubmissionRun : public QObject
{
    Q_OBJECT

private slots:
    void aRunOpensOneWindowAtATimeSiteBySiteProductByProduct();
    void marksChangedDuringAWaitTakeEffect_data();
    void marksChangedDuringAWaitTakeEffect();
    void submitSettlesTheMarksFromTheSelections_data();
    void submitSettlesTheMarksFromTheSelections();
    void theNotAutoSubmittingWarningComesOnceAndDecidesTheManualSites_data();
    void theNotAutoSubmittingWarningComesOnceAndDecidesTheManualSites();
    void untickingAutoSubmitDuringARunTakesTheManualSitesAfterAll();
    void offlineSubmitShowsTheMessageAndChangesNothing();
    void anEmptySiteListOrCatalogueStopsBeforeTheCheck_data();
    void anEmptySiteListOrCatalogueStopsBeforeTheCheck();
    void theRunWaitsForRegistrationWindowsToo();
    void theChooserAndExitAreDisabledExactlyWhileAWindowIsOpen();
    void windowsThatCannotOpenNeitherStallNorNestTheRun();
    void closingTheProgramWithAWindowOpenAsksFirst_data();
    void closingTheProgramWithAWindowOpenAsksFirst();
    void submitDuringARunChangesNothing();
    void pairsTheGuardLeavesOutAreSkippedThisRunOnly();
    void cancelAtTheGuardOpensNothingAndKeepsTheMarks();
    void theSummaryListsEveryPairAndItsOutcome();
    void theProgressLineSaysHowFarTheRunHasCome_data();
    void theProgressLineSaysHowFarTheRunHasCome();
};

void TestSubmissionRun::aRunOpensOneWindowAtATimeSiteBySiteProductByProduct()
{
    Harness h(3, 3);
    markRows(h.sites, {1, 3});
    markRows(h.software, {2, 3});

    QCOMPARE(h.submitMarked(), Run::Start::Started);
    const QStringList order{"1:2", "1:3", "3:2", "3:3"};
    // Done, failed, cancelled, done: every outcome moves the run on.
    const QList<int> codes{1, -1, 0, 3};
    // How far it has come: pair i + 1 of 4, with the outcomes before it.
    const QList<QList<int>> progress{{1, 4, 0, 0, 0}, {2, 4, 1, 0, 0}, {3, 4, 1, 1, 0}, {4, 4, 1, 1, 1}};
    for (int i = 0; i < order.size(); ++i) {
        const Run::Progress p = h.run.progress();
        QCOMPARE((QList<int>{p.current, p.total, p.outcomes.done, p.outcomes.failed, p.outcomes.cancelled}),
                 progress.at(i));
        QCOMPARE(h.opened, order.mid(0, i + 1));
        QCOMPARE(h.run.openWindowCount(), 1);
        QCOMPARE(text(*h.run.openPair()), order.at(i));
        QCOMPARE(h.finishedCount, 0);
        h.run.submissionClosed(codes.at(i));
    }
    QCOMPARE(h.opened, order);
    QCOMPARE(h.finishedCount, 1);
    QCOMPARE(h.summary.done, 2);
    QCOMPARE(h.summary.failed, 1);
    QCOMPARE(h.summary.cancelled, 1);
    QCOMPARE(h.run.progress().current, 4);
    QCOMPARE(h.run.progress().total, 4);
    QVERIFY(!h.run.isRunning());
    QVERIFY(!h.run.openPair());
    QCOMPARE(h.run.openWindowCount(), 0);
}

void TestSubmissionRun::marksChangedDuringAWaitTakeEffect_data()
{
    QTest::addColumn<QList<int>>("sites");
    QTest::addColumn<QList<int>>("products");
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("mark");
    QTest::addColumn<QStringList>("order");

    // The change is made while the first window is open.
    QTest::newRow("a product unmarked") << QList<int>{1, 2} << QList<int>{1, 2} << "software" << 2
                                        << false << QStringList{"1:1", "2:1"};
    QTest::newRow("a later site marked") << QList<int>{1, 2} << QList<int>{1, 2} << "sites" << 3
                                         << true
                                         << QStringList{"1:1", "1:2", "2:1", "2:2", "3:1", "3:2"};
    QTest::newRow("the open window's site unmarked")
        << QList<int>{1, 2} << QList<int>{1, 2} << "sites" << 1 << false
        << QStringList{"1:1", "2:1", "2:2"};
    QTest::newRow("an earlier site marked is not gone back to")
        << QList<int>{2, 3} << QList<int>{1} << "sites" << 1 << true << QStringList{"2:1", "3:1"};
    QTest::newRow("an earlier product marked counts from the next site")
        << QList<int>{1, 2} << QList<int>{2} << "software" << 1 << true
        << QStringList{"1:2", "2:1", "2:2"};
    QTest::newRow("every product unmarked ends the run")
        << QList<int>{1, 2} << QList<int>{1} << "software" << 1 << false << QStringList{"1:1"};
}

void TestSubmissionRun::marksChangedDuringAWaitTakeEffect()
{
    QFETCH(QList<int>, sites);
    QFETCH(QList<int>, products);
    QFETCH(QString, table);
    QFETCH(int, row);
    QFETCH(bool, mark);
    QFETCH(QStringList, order);

    Harness h(4, 3);
    markRows(h.sites, sites);
    markRows(h.software, products);
    QCOMPARE(h.submitMarked(), Run::Start::Started);
    QCOMPARE(h.opened.size(), 1);
    Marks::set(table == QLatin1String("sites") ? h.sites : h.software, row, mark);

    QCOMPARE(h.closeAll(), order);
    QCOMPARE(h.finishedCount, 1);
}

void TestSubmissionRun::submitSettlesTheMarksFromTheSelections_data()
{
    QTest::addColumn<QList<int>>("earlierSites");
    QTest::addColumn<QList<int>>("earlierProducts");
    QTest::addColumn<QList<QPoint>>("siteSelection");
    QTest::addColumn<QList<QPoint>>("softwareSelection");
    QTest::addColumn<int>("chooserIndex");
    QTest::addColumn<QList<int>>("sitesAfter");
    QTest::addColumn<QList<int>>("productsAfter");
    QTest::addColumn<QStringList>("order");

    QTest::newRow("three selected sites replace the earlier marks")
        << QList<int>{1, 5} << QList<int>{1} << QList<QPoint>{{2, 4}} << QList<QPoint>{{1, 1}} << 0
        << QList<int>{2, 3, 4} << QList<int>{1} << QStringList{"2:1", "3:1", "4:1"};
    QTest::newRow("nothing marked, one site selected: that site for the chooser's product")
        << QList<int>{} << QList<int>{} << QList<QPoint>{{3, 3}} << QList<QPoint>{{1, 1}} << 1
        << QList<int>{3} << QList<int>{2} << QStringList{"3:2"};
    QTest::newRow("one site selected leaves the marks elsewhere")
        << QList<int>{5} << QList<int>{3} << QList<QPoint>{{3, 3}} << QList<QPoint>{{1, 1}} << 1
        << QList<int>{5} << QList<int>{3} << QStringList{"5:3"};
    QTest::newRow("a range of products replaces the product marks")
        << QList<int>{1} << QList<int>{3} << QList<QPoint>{{1, 1}} << QList<QPoint>{{1, 2}} << 2
        << QList<int>{1} << QList<int>{1, 2} << QStringList{"1:1", "1:2"};
    QTest::newRow("two selected ranges mark both")
        << QList<int>{} << QList<int>{} << QList<QPoint>{{4, 5}, {1, 1}} << QList<QPoint>{} << 0
        << QList<int>{1, 4, 5} << QList<int>{1} << QStringList{"1:1", "4:1", "5:1"};
    QTest::newRow("a range past the last site is cut at it")
        << QList<int>{} << QList<int>{} << QList<QPoint>{{4, 99}} << QList<QPoint>{{1, 1}} << 0
        << QList<int>{4, 5} << QList<int>{1} << QStringList{"4:1", "5:1"};
    QTest::newRow("an upward range")
        << QList<int>{} << QList<int>{} << QList<QPoint>{{3, 2}} << QList<QPoint>{{1, 1}} << 0
        << QList<int>{2, 3} << QList<int>{1} << QStringList{"2:1", "3:1"};
    QTest::newRow("a chooser without an item marks no product")
        << QList<int>{2} << QList<int>{} << QList<QPoint>{{2, 2}} << QList<QPoint>{{1, 1}} << -1
        << QList<int>{2} << QList<int>{} << QStringList{};
    QTest::newRow("no site selected and none marked opens nothing")
        << QList<int>{} << QList<int>{} << QList<QPoint>{} << QList<QPoint>{{1, 1}} << 0
        << QList<int>{} << QList<int>{1} << QStringList{};
}

void TestSubmissionRun::submitSettlesTheMarksFromTheSelections()
{
    QFETCH(QList<int>, earlierSites);
    QFETCH(QList<int>, earlierProducts);
    QFETCH(QList<QPoint>, siteSelection);
    QFETCH(QList<QPoint>, softwareSelection);
    QFETCH(int, chooserIndex);
    QFETCH(QList<int>, sitesAfter);
    QFETCH(QList<int>, productsAfter);
    QFETCH(QStringList, order);

    Harness h(5, 3);
    markRows(h.sites, earlierSites);
    markRows(h.software, earlierProducts);
    Run::Selection selection;
    selection.siteRows = ranges(siteSelection);
    selection.softwareRows = ranges(softwareSelection);
    selection.chooserIndex = chooserIndex;

    QCOMPARE(h.run.submit(selection), Run::Start::Started);
    QCOMPARE(markedRows(h.sites), sitesAfter);
    QCOMPARE(markedRows(h.software), productsAfter);
    QCOMPARE(h.siteRepaints > 0, sitesAfter != earlierSites);
    QCOMPARE(h.productRepaints > 0, productsAfter != earlierProducts);
    QCOMPARE(h.closeAll(), order);
    QCOMPARE(h.finishedCount, 1);
}

void TestSubmissionRun::theNotAutoSubmittingWarningComesOnceAndDecidesTheManualSites_data()
{
    QTest::addColumn<bool>("autoSubmit");
    QTest::addColumn<Dialogs::Answer>("answer");
    QTest::addColumn<Run::Start>("start");
    QTest::addColumn<int>("warnings");
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<QList<int>>("marksAfter");

    // Site 1 takes automatic submission, sites 2 and 3 do not; all are marked.
    QTest::newRow("OK submits only the automatic site")
        << true << Dialogs::Answer::Ok << Run::Start::Started << 1 << QStringList{"1:1"}
        << QList<int>{1, 2, 3};
    QTest::newRow("Cancel unmarks the manual sites and opens nothing")
        << true << Dialogs::Answer::Cancel << Run::Start::Cancelled << 1 << QStringList{}
        << QList<int>{1};
    QTest::newRow("automatic submission off: no warning, every site")
        << false << Dialogs::Answer::Cancel << Run::Start::Started << 0
        << QStringList{"1:1", "2:1", "3:1"} << QList<int>{1, 2, 3};
}

void TestSubmissionRun::theNotAutoSubmittingWarningComesOnceAndDecidesTheManualSites()
{
    QFETCH(bool, autoSubmit);
    QFETCH(Dialogs::Answer, answer);
    QFETCH(Run::Start, start);
    QFETCH(int, warnings);
    QFETCH(QStringList, order);
    QFETCH(QList<int>, marksAfter);

    Harness h(4, 1);
    h.sites.setCell(SiteRecord::Auto, 2, QStringLiteral("no"));
    h.sites.setCell(SiteRecord::Auto, 3, QStringLiteral("no"));
    // Only exactly "no" holds a site back.
    h.sites.setCell(SiteRecord::Auto, 4, QStringLiteral("No"));
    markRows(h.sites, {1, 2, 3});
    markRows(h.software, {1});
    h.dialogs.answers = {answer, answer};

    QCOMPARE(h.submitMarked(autoSubmit), start);
    const QStringList shown = h.dialogs.texts(FakeDialogs::Kind::WarnOkCancel);
    QCOMPARE(shown.size(), warnings);
    if (warnings > 0)
        QCOMPARE(shown.first(),
                 QStringLiteral("Some selected sites are not auto-submitting...\rContinue anyway ?"));
    QCOMPARE(h.closeAll(), order);
    QCOMPARE(markedRows(h.sites), marksAfter);
}

void TestSubmissionRun::untickingAutoSubmitDuringARunTakesTheManualSitesAfterAll()
{
    Harness h(3, 1);
    h.sites.setCell(SiteRecord::Auto, 2, QStringLiteral("no"));
    markRows(h.sites, {1, 2, 3});
    markRows(h.software, {1});
    h.dialogs.answers = {Dialogs::Answer::Ok};
    QCOMPARE(h.submitMarked(true), Run::Start::Started);
    h.run.setAutoSubmit(false);
    QCOMPARE(h.closeAll(), (QStringList{"1:1", "2:1", "3:1"}));
}

void TestSubmissionRun::offlineSubmitShowsTheMessageAndChangesNothing()
{
    Harness h(4, 2);
    markRows(h.software, {1});
    h.net.online = false;
    Run::Selection selection;
    selection.siteRows = {{1, 3}};
    selection.softwareRows = {{1, 2}};

    QCOMPARE(h.run.submit(selection), Run::Start::Offline);
    QCOMPARE(h.net.checks, 1);
    QCOMPARE(h.fronts, 1);
    QCOMPARE(h.dialogs.shown.size(), 1);
    QCOMPARE(h.dialogs.shown.first().title, QStringLiteral("Kelvane Submit"));
    QCOMPARE(h.dialogs.messages(), QStringList{"No connection to Internet !"});
    QVERIFY(h.opened.isEmpty());
    QVERIFY(markedRows(h.sites).isEmpty());
    QCOMPARE(markedRows(h.software), QList<int>{1});
    QVERIFY(!h.run.isRunning());
}

void TestSubmissionRun::anEmptySiteListOrCatalogueStopsBeforeTheCheck_data()
{
    QTest::addColumn<int>("sites");
    QTest::addColumn<int>("products");
    QTest::addColumn<Run::Start>("start");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("no site: nothing at all") << 0 << 2 << Run::Start::EmptySiteList << QStringList{};
    QTest::newRow("no software: the warning")
        << 2 << 0 << Run::Start::EmptyCatalogue
        << QStringList{"No software yet to submit !\rAdd one software data first."};
}

void TestSubmissionRun::anEmptySiteListOrCatalogueStopsBeforeTheCheck()
{
    QFETCH(int, sites);
    QFETCH(int, products);
    QFETCH(Run::Start, start);
    QFETCH(QStringList, messages);

    Harness h(sites, products);
    Run::Selection selection;
    selection.siteRows = {{1, 2}};
    selection.chooserIndex = 0;
    QCOMPARE(h.run.submit(selection), start);
    QCOMPARE(h.dialogs.messages(), messages);
    QCOMPARE(h.dialogs.shown.size(), messages.size());
    QCOMPARE(h.net.checks, 0);
    QVERIFY(markedRows(h.sites).isEmpty());
    QVERIFY(h.opened.isEmpty());
}

void TestSubmissionRun::theRunWaitsForRegistrationWindowsToo()
{
    Harness h(1, 2);
    markRows(h.sites, {1});
    markRows(h.software, {1, 2});

    h.run.registrationOpened();
    QCOMPARE(h.submitMarked(), Run::Start::Started);
    QVERIFY(h.opened.isEmpty());
    h.run.registrationClosed();
    QCOMPARE(h.opened, QStringList{"1:1"});

    // A registration during the run's window: the run waits for both.
    h.run.registrationOpened();
    QCOMPARE(h.run.openWindowCount(), 2);
    h.run.submissionClosed(1);
    QCOMPARE(h.opened, QStringList{"1:1"});
    QCOMPARE(h.run.openWindowCount(), 1);
    h.run.registrationClosed();
    QCOMPARE(h.opened, (QStringList{"1:1", "1:2"}));

    // The run's own window is not counted out as a registration.
    h.run.registrationClosed();
    QCOMPARE(h.run.openWindowCount(), 1);
    QCOMPARE(h.finishedCount, 0);
    h.run.submissionClosed(0);
    QCOMPARE(h.finishedCount, 1);
}

void TestSubmissionRun::theChooserAndExitAreDisabledExactlyWhileAWindowIsOpen()
{
    Harness h(2, 2);
    markRows(h.sites, {1, 2});
    markRows(h.software, {1, 2});
    QVERIFY(h.run.chooserAndExitEnabled());

    h.submitMarked();
    QCOMPARE(h.enabledChanges, QList<bool>{false});
    QVERIFY(!h.run.chooserAndExitEnabled());
    // From one window to the next the controls stay disabled.
    h.run.submissionClosed(1);
    h.run.submissionClosed(1);
    h.run.submissionClosed(1);
    QCOMPARE(h.enabledChanges, QList<bool>{false});
    h.run.submissionClosed(1);
    QCOMPARE(h.enabledChanges, (QList<bool>{false, true}));
    QVERIFY(h.run.chooserAndExitEnabled());

    h.run.registrationOpened();
    QVERIFY(!h.run.chooserAndExitEnabled());
    h.run.registrationClosed();
    QCOMPARE(h.enabledChanges, (QList<bool>{false, true, false, true}));
}

void TestSubmissionRun::windowsThatCannotOpenNeitherStallNorNestTheRun()
{
    Harness h(300, 100);
    Marks::setAll(h.sites);
    Marks::setAll(h.software);
    // Each window is reported closed before openSubmission() returns.
    QObject::connect(&h.run, &Run::openSubmission, &h.run, [&h] { h.run.submissionClosed(0); });

    QCOMPARE(h.submitMarked(), Run::Start::Started);
    QCOMPARE(h.opened.size(), 300 * 100);
    QCOMPARE(h.opened.first(), QStringLiteral("1:1"));
    QCOMPARE(h.opened.at(100), QStringLiteral("2:1"));
    QCOMPARE(h.opened.last(), QStringLiteral("300:100"));
    QCOMPARE(h.finishedCount, 1);
    QCOMPARE(h.summary.cancelled, 300 * 100);
    QVERIFY(!h.run.isRunning());
    QCOMPARE(h.run.openWindowCount(), 0);
    QVERIFY(h.enabledChanges.isEmpty());
}

void TestSubmissionRun::closingTheProgramWithAWindowOpenAsksFirst_data()
{
    QTest::addColumn<Dialogs::Answer>("answer");
    QTest::addColumn<bool>("mayClose");

    QTest::newRow("OK abandons the window") << Dialogs::Answer::Ok << true;
    QTest::newRow("Cancel keeps the run") << Dialogs::Answer::Cancel << false;
}

void TestSubmissionRun::closingTheProgramWithAWindowOpenAsksFirst()
{
    QFETCH(Dialogs::Answer, answer);
    QFETCH(bool, mayClose);

    Harness h(2, 1);
    QVERIFY(h.run.mayCloseProgram());
    QVERIFY(h.dialogs.shown.isEmpty());

    markRows(h.sites, {1, 2});
    markRows(h.software, {1});
    h.submitMarked();
    h.dialogs.answers = {answer};
    QCOMPARE(h.run.mayCloseProgram(), mayClose);
    QCOMPARE(h.dialogs.texts(FakeDialogs::Kind::WarnOkCancel),
             QStringList{Run::abandonWindowQuestion()});
    QCOMPARE(h.run.isRunning(), !mayClose);

    // A close reported after the window was abandoned opens nothing more.
    h.run.submissionClosed(1);
    QCOMPARE(h.opened, mayClose ? QStringList{"1:1"} : (QStringList{"1:1", "2:1"}));
}

void TestSubmissionRun::submitDuringARunChangesNothing()
{
    Harness h(4, 1);
    markRows(h.sites, {1, 2});
    markRows(h.software, {1});
    h.submitMarked();

    Run::Selection other;
    other.siteRows = {{3, 4}};
    other.softwareRows = {{1, 1}};
    other.chooserIndex = 0;
    QCOMPARE(h.run.submit(other), Run::Start::AlreadyRunning);
    QCOMPARE(markedRows(h.sites), (QList<int>{1, 2}));
    QCOMPARE(h.net.checks, 1);
    QCOMPARE(h.closeAll(), (QStringList{"1:1", "2:1"}));
}


void TestSubmissionRun::pairsTheGuardLeavesOutAreSkippedThisRunOnly()
{
    Harness h(3, 2);
    markRows(h.sites, {1, 3});
    markRows(h.software, {1, 2});
    QList<int> guardSites;
    QList<int> guardProducts;
    QList<int> approved;
    h.run.setPairGuard([&](const QList<int> &sites, const QList<int> &products) {
        guardSites = sites;
        guardProducts = products;
        // Site 3 has had both products: product 2 goes nowhere this run.
        return std::optional<QList<Run::Pair>>(QList<Run::Pair>{{1, 2}, {3, 2}, {3, 1}});
    });
    h.run.setProductApproval([&](const QList<int> &rows) {
        approved = rows;
        return true;
    });

    QCOMPARE(h.submitMarked(), Run::Start::Started);
    QCOMPARE(guardSites, (QList<int>{1, 3}));
    QCOMPARE(guardProducts, (QList<int>{1, 2}));
    QCOMPARE(approved, QList<int>{1});
    QCOMPARE(h.run.progress().total, 1); // the pairs left out are not counted
    QCOMPARE(h.closeAll(), QStringList{"1:1"});
    QCOMPARE(markedRows(h.sites), (QList<int>{1, 3}));
    QCOMPARE(markedRows(h.software), (QList<int>{1, 2}));

    // The next run asks afresh.
    h.opened.clear();
    h.run.setPairGuard([](const QList<int> &, const QList<int> &) {
        return std::optional<QList<Run::Pair>>(QList<Run::Pair>{});
    });
    QCOMPARE(h.submitMarked(), Run::Start::Started);
    QCOMPARE(h.closeAll(), (QStringList{"1:1", "1:2", "3:1", "3:2"}));
}

void TestSubmissionRun::cancelAtTheGuardOpensNothingAndKeepsTheMarks()
{
    Harness h(2, 1);
    markRows(h.sites, {1, 2});
    markRows(h.software, {1});
    bool approvalAsked = false;
    h.run.setPairGuard([](const QList<int> &, const QList<int> &) {
        return std::optional<QList<Run::Pair>>();
    });
    h.run.setProductApproval([&](const QList<int> &) { return approvalAsked = true; });

    QCOMPARE(h.submitMarked(), Run::Start::GuardCancelled);
    QVERIFY(h.opened.isEmpty());
    QVERIFY(!h.run.isRunning());
    QVERIFY(!approvalAsked);
    QCOMPARE(markedRows(h.sites), (QList<int>{1, 2}));
    QCOMPARE(markedRows(h.software), QList<int>{1});
}

void TestSubmissionRun::theProgressLineSaysHowFarTheRunHasCome_data()
{
    QTest::addColumn<QList<int>>("progress"); // current, total, done, failed, cancelled
    QTest::addColumn<qint64>("elapsedMs");
    QTest::addColumn<QString>("line");

    QTest::newRow("the first site") << QList<int>{1, 50, 0, 0, 0} << qint64(900)
        << "Site 1 of 50: Frob Pro. 0:00 so far, the time left is estimated after the first site. "
           "0 ok, 0 failed, 0 cancelled.";
    QTest::newRow("two sites in 80 seconds") << QList<int>{3, 50, 1, 1, 0} << qint64(80000)
        << "Site 3 of 50: Frob Pro. 1:20 so far, about 32:00 left. 1 ok, 1 failed, 0 cancelled.";
    QTest::newRow("past an hour") << QList<int>{11, 20, 8, 1, 1} << qint64(3725000)
        << "Site 11 of 20: Frob Pro. 1:02:05 so far, about 1:02:05 left. 8 ok, 1 failed, 1 cancelled.";
}

void TestSubmissionRun::theProgressLineSaysHowFarTheRunHasCome()
{
    QFETCH(QList<int>, progress);
    QFETCH(qint64, elapsedMs);
    QFETCH(QString, line);
    Run::Progress p;
    p.current = progress.at(0);
    p.total = progress.at(1);
    p.outcomes = {progress.at(2), progress.at(3), progress.at(4)};
    QCOMPARE(RunProgress::text(p, QStringLiteral("Frob Pro"), elapsedMs), line);
}

QTEST_GUILESS_MAIN(TestSubmissionRun)
#include "test_submissionrun.moc"

void TestSubmissionRun::theSummaryListsEveryPairAndItsOutcome()
{
    Harness h(4, 1);
    markRows(h.sites, {1, 2, 3, 4});
    markRows(h.software, {1});
    h.sites.setCell(SiteRecord::SiteName, 3, QStringLiteral("=cmd|' /C calc'!A0"));
    h.run.setPairGuard([](const QList<int> &, const QList<int> &) {
        return std::optional<QList<Run::Pair>>(QList<Run::Pair>{{4, 1}});
    });
    QCOMPARE(h.submitMarked(), Run::Start::Started);
    const int results[] = {1, -2, -3}; // done, failed, failed
    for (int code : results) {
        QVERIFY(h.run.openPair());
        if (code == -3)
            h.run.setOpenPairNote(QStringLiteral("type the picture code"));
        h.run.submissionClosed(code);
    }
    QVERIFY(!h.run.isRunning());
    const RunSummary &summary = h.run.summaryOfRun();
    QCOMPARE(summary.countsText(), QStringLiteral("1 ok, 2 failed, 0 cancelled, 1 skipped by the check"));
    QCOMPARE(summary.failedSiteRows(), (QList<int>{2, 3}));
    // The skipped pair first, then the run's order; a formula-like name is made inert.
    QCOMPARE(summary.csv(),
             QByteArray("Site,Product,Outcome,Note\r\n"
                        "Site 4,Product 1,skipped by the check,\r\n"
                        "Site 1,Product 1,ok,\r\n"
                        "Site 2,Product 1,failed,\r\n"
                        "'=cmd|' /C calc'!A0,Product 1,failed,type the picture code\r\n"));
    QVERIFY(summary.html(QStringLiteral("Run")).contains(
        "<tr><td>=cmd|' /C calc'!A0</td><td>Product 1</td><td>failed</td>"));
    // The next run starts a summary of its own.
    h.run.setPairGuard([](const QList<int> &, const QList<int> &) {
        return std::optional<QList<Run::Pair>>(QList<Run::Pair>{});
    });
    markRows(h.sites, {1});
    QCOMPARE(h.submitMarked(), Run::Start::Started);
    QCOMPARE(h.run.summaryOfRun().entries().size(), 0);
}
