// The site check and "read form from page" against real pages in the real
// WebEngine, served by the loopback fixture server: pages are opened and
// read, logins go first where a site wants them, and no submission form is
// ever sent.
#include "catalogue/fieldcatalogue.h"
#include "catalogue/pseudofields.h"
#include "shell/mainwindow.h"
#include "submit/browser/pageprobe.h"
#include "submit/sitecheckreportdialog.h"
#include "submit/siteeditordialog.h"
#include "submit/sitecheckrun.h"
#include "submit/sites/siterecord.h"
#include "submit/sites/submitlist.h"
#include "submit/teachdialog.h"
#include "submit/teachlistmodel.h"
#include "support/fakedialogs.h"
#include "support/fixtureserver.h"
#include "support/windowharness.h"

#include <QApplication>
#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray SubmitPage =
    "<html><body>"
    "<form method=post action=/search><input name=q placeholder='Search the site'></form>"
    "<form method=post action=/take>"
    "<label for=u>PAD file URL</label><input id=u name=padurl value='http://old/pad.xml'>"
    "<label>Program <b>name</b>\n  <input name=title></label>"
    "<input name=mail aria-label='Your e-mail'>"
    "<span id=k>Key</span><span id=w>words</span><input name=kw aria-labelledby='k w'>"
    "<textarea name=notes title='Notes for the editor'></textarea>"
    "<select name=cat><option>Games<option selected>Utilities</select>"
    "<input name=captcha><input type=submit name=go value=Send>"
    "</form><input id=homepage placeholder='Home page'></body></html>";

QStringList siteRecord(const QString &name, const QUrl &address, const QString &login,
                       const QStringList &entries)
{
    return QStringList{name, "http://home.example", "", "yes", address.toString(), login, "", "soft@x.example"}
           + entries;
}

QList<QPair<int, QString>> pickList(const QList<FormWalk::FieldMapEntry> &entries)
{
    QList<QPair<int, QString>> out;
    for (const FormWalk::FieldMapEntry &e : entries)
        out.append({e.field, e.inputName});
    return out;
}

// "/submit.php" and "/slow.php", which never answers.
void serveSubmitAndSlowPages(FixtureServer &server)
{
    server.page("/submit.php", SubmitPage);
    FixtureServer::Response stalled;
    stalled.neverAnswer = true;
    server.route("/slow.php", stalled);
}

// A loopback port with nobody listening on it.
quint16 refusedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    const quint16 port = server.serverPort();
    server.close();
    return port;
}

} // namespace

class TestSiteCheck : public QObject, public WindowHarness
{
    Q_OBJECT

private slots:
    void init() { resetHarness(); }
    void checkMarkedSitesEndsInTheReportWithProblemsFirst();
    void teachListsEveryInputWithItsLabelAndSendsNothing();
    void teachLogsInFirstAndListsThePageAfterTheLogin();
    void theCheckReportsEachSiteAndMovesOnAfterTheTimeLimit();
    void cancelEndsTheCheckAndOpensNoFurtherPage_data();
    void cancelEndsTheCheckAndOpensNoFurtherPage();
    void theReportSavesAndAsksForTheSiteEditor();
};

void TestSiteCheck::teachListsEveryInputWithItsLabelAndSendsNothing()
{
    FixtureServer server;
    QVERIFY(server.start());
    server.page("/submit.php", SubmitPage);

    TeachDialog dialog(siteRecord("Files", server.url("/submit.php"), "0", {}), {}, {});
    dialog.show();
    QSignalSpy read(&dialog, &TeachDialog::pageRead);
    dialog.start();
    QVERIFY(read.wait(20000));
    QCOMPARE(read.at(0).at(0).toBool(), true);

    const TeachListModel &m = *dialog.model();
    QCOMPARE(m.rowCount(), 10);
    const QList<QStringList> expected{
        {"0", "q", "", "text", "Search the site", "", ""},
        {"1", "padurl", "u", "text", "PAD file URL", "http://old/pad.xml", "PAD file address : 57"},
        {"1", "title", "", "text", "Program name", "", "Program name : 0"},
        {"1", "mail", "", "text", "Your e-mail", "", "Author e-mail : 36"},
        {"1", "kw", "", "text", "Key words", "", "Keywords : 58"},
        {"1", "notes", "", "textarea", "Notes for the editor", "", ""},
        {"1", "cat", "", "select-one", "", "Utilities", "Category : 47"},
        {"1", "captcha", "", "text", "", "", ""},
        {"1", "go", "", "submit", "", "Send", ""},
        {"page", "", "homepage", "text", "Home page", "", "Company web site : 33"},
    };
    for (int row = 0; row < expected.size(); ++row) {
        QStringList cells;
        for (int c = 0; c < TeachListModel::ColumnCount; ++c)
            cells << m.index(row, c).data().toString();
        QCOMPARE(cells, expected.at(row));
    }

    // The user drops the search box's pick and maps the notes by hand.
    QVERIFY(dialog.model()->setData(m.index(5, TeachListModel::FieldColumn), Field::ChangeInfo, TeachListModel::FieldRole));
    QVERIFY(!dialog.model()->setData(m.index(8, TeachListModel::FieldColumn), 1, TeachListModel::FieldRole));
    QCOMPARE(pickList(dialog.picks()),
             (QList<QPair<int, QString>>{{57, "padurl"}, {0, "title"}, {36, "mail"}, {58, "kw"}, {46, "notes"}, {47, "cat"}, {33, "homepage"}}));
    QCOMPARE(server.requests("POST").size(), 0);
}

void TestSiteCheck::teachLogsInFirstAndListsThePageAfterTheLogin()
{
    FixtureServer server;
    QVERIFY(server.start());
    server.page("/login.php", "<html><body><form method=post action=/enter.php>"
                              "<input name=user><input type=password name=pw>"
                              "<input type=submit value=Login></form></body></html>");
    server.page("/enter.php", SubmitPage);

    const QStringList site = siteRecord("Members", server.url("/login.php"), "1", {"-2=user", "-1=pw", "57=padurl"});
    TeachDialog dialog(site, {}, {"author", "secret"});
    dialog.show();
    QSignalSpy read(&dialog, &TeachDialog::pageRead);
    dialog.start();
    QVERIFY(read.wait(20000));
    QCOMPARE(read.at(0).at(0).toBool(), true);
    QCOMPARE(dialog.model()->index(1, TeachListModel::NameColumn).data().toString(), QString("padurl"));

    // The login form went, with the default pair; the submission form did not.
    const QList<FixtureServer::Request> posts = server.requests("POST");
    QCOMPARE(posts.size(), 1);
    QCOMPARE(posts.at(0).path, QByteArray("/enter.php"));
    QCOMPARE(posts.at(0).body, QByteArray("user=author&pw=secret"));

    // Without its two login entries yet, the site's login page is what is listed.
    TeachDialog first(siteRecord("Members", server.url("/login.php"), "1", {}), {}, {"author", "secret"});
    QSignalSpy firstRead(&first, &TeachDialog::pageRead);
    first.start();
    QVERIFY(firstRead.wait(20000));
    QCOMPARE(first.model()->index(0, TeachListModel::NameColumn).data().toString(), QString("user"));
    QCOMPARE(first.model()->index(1, TeachListModel::NameColumn).data().toString(), QString("pw"));
    QVERIFY(first.statusText().startsWith("The site logs in first, and this is its login page."));
    QCOMPARE(server.requests("POST").size(), 1);

    // What the page after the login holds never retargets the two login rows.
    FakeDialogs dialogs;
    SiteEditorDialog editor(dialogs);
    editor.setRecord(site);
    editor.setFormReader([](const QStringList &) {
        return QList<FormWalk::FieldMapEntry>{{0, "user"}, {61, "padurl"}};
    });
    editor.readFormClicked();
    QCOMPARE(editor.record().mid(SiteRecord::FirstFieldMap),
             QStringList({"-2=user", "-1=pw", "61=padurl", "0=user"}));
}

void TestSiteCheck::theCheckReportsEachSiteAndMovesOnAfterTheTimeLimit()
{
    FixtureServer server;
    QVERIFY(server.start());
    serveSubmitAndSlowPages(server);
    FixtureServer::Response gonePage;
    gonePage.status = 404;
    gonePage.body = "<html><body><h1>Not here</h1><form><input name=q></form></body></html>";
    server.route("/moved.php", gonePage);
    server.page("/late.php", "<html><body><div id=slot></div><script>setTimeout(function () {"
                             " document.getElementById('slot').innerHTML = '<form><input name=padurl>"
                             "<input type=submit></form>'; }, 300);</script></body></html>");
    const QUrl refused(QStringLiteral("http://127.0.0.1:%1/submit.php").arg(refusedPort()));

    const QList<QStringList> sites{
        siteRecord("Changed", server.url("/submit.php"), "0", {"57=padurl", "0=title", "1=version", "", "9=after a blank"}),
        siteRecord("Gone", server.url("/missing.php"), "0", {"57=padurl"}),
        siteRecord("Moved", server.url("/moved.php"), "0", {"57=padurl"}),
        siteRecord("Down", refused, "0", {"57=padurl"}),
        siteRecord("Slow", server.url("/slow.php"), "0", {"57=padurl"}),
        siteRecord("Mailed", QUrl("mailto:soft@x.example"), "3", {}),
        siteRecord("Fine", server.url("/submit.php"), "0", {"57=padurl", "-13=cat"}),
        siteRecord("Broken", server.url("/submit.php"), "0", {"57=padurl", "x=title"}),
        siteRecord("Late", server.url("/late.php"), "0", {"57=padurl"}),
    };
    FormWalk::Input product;
    product.softwareRecord = QStringList(105);
    product.softwareRecord[57] = "http://me.example/pad.xml";
    product.constants = PseudoFields::constantValueList();
    SiteCheckRun check(sites, product, {}, nullptr, 1500);
    QSignalSpy finished(&check, &SiteCheckRun::finished);
    check.start();
    QVERIFY(check.progress()->isVisible());
    // The page is read inside the progress dialog: no other window shows.
    for (QWidget *shown : QApplication::topLevelWidgets())
        QVERIFY2(!shown->isVisible() || shown == check.progress(), qPrintable(shown->objectName()));
    QVERIFY(finished.wait(60000));

    QStringList rows;
    for (const SiteCheckResult &r : check.results())
        rows << QStringList{r.siteName, SiteCheckReport::pageText(r), SiteCheckReport::cell(r, SiteCheckReport::Found),
                            r.missingEntries.join(' '), SiteCheckReport::cell(r, SiteCheckReport::Submit)}
                    .join('|');
    QCOMPARE(rows, (QStringList{"Changed|loaded|2/3|1=version|yes", "Gone|HTTP 404|||", "Moved|HTTP 404|||", "Down|network error|||",
                                "Slow|no answer in time|||", "Mailed|not checked|||", "Fine|loaded|2/2||yes",
                                "Broken|loaded|1/2|x=title|no", "Late|loaded|1/1||yes"}));
    QCOMPARE(check.results().at(5).detail, QString("an e-mail site, submitted by mail"));
    const QString down = check.results().at(3).detail;
    QVERIFY2(down.startsWith("the site refused the connection (") && down.contains("CONNECTION_REFUSED"),
             qPrintable(down));
    // The form asks for a picture code: a site for the user at hand, not a failure.
    QCOMPARE(SiteCheckReport::problem(check.results().at(6)), QString("needs the user: picture code"));
    QCOMPARE(SiteCheckReport::problem(check.results().at(7)),
             QString("A run would stop on this page: 'x' is not a valid integer value"));
    QVERIFY(!check.progress()->isVisible());
    // Nothing was sent, the page was not even filled in.
    QCOMPARE(server.requests("POST").size(), 0);
}

void TestSiteCheck::cancelEndsTheCheckAndOpensNoFurtherPage_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("the Cancel button") << false;
    QTest::newRow("the Escape key") << true;
}

void TestSiteCheck::cancelEndsTheCheckAndOpensNoFurtherPage()
{
    QFETCH(bool, escape);
    FixtureServer server;
    QVERIFY(server.start());
    serveSubmitAndSlowPages(server);
    SiteCheckRun check({siteRecord("Slow", server.url("/slow.php"), "0", {"57=padurl"}),
                        siteRecord("Next", server.url("/submit.php"), "0", {"57=padurl"})},
                       {}, {}, nullptr, 30000);
    QSignalSpy finished(&check, &SiteCheckRun::finished);
    check.start();
    QTRY_COMPARE(server.requests("GET").size(), 1);
    QPushButton *cancel = check.progress()->findChild<QPushButton *>();
    QVERIFY(cancel);
    if (escape)
        QTest::keyClick(check.progress(), Qt::Key_Escape);
    else
        cancel->click();
    QCOMPARE(finished.size(), 1);
    QTest::qWait(300);
    QCOMPARE(server.requests("GET").size(), 1);
    for (const SiteCheckResult &r : check.results())
        QCOMPARE(SiteCheckReport::problem(r), QString("Not checked: the check was cancelled"));
}

void TestSiteCheck::theReportSavesAndAsksForTheSiteEditor()
{
    QTemporaryDir dir;
    SiteCheckResult fine;
    fine.siteName = "Fine";
    fine.page = SiteCheckResult::Page::Loaded;
    fine.entries = 1;
    fine.submitFound = true;
    SiteCheckResult gone = fine;
    gone.siteName = "Gone, \"really\"";
    gone.page = SiteCheckResult::Page::HttpError;
    gone.httpStatus = 404;

    FakeDialogs dialogs;
    dialogs.fileNames = {dir.filePath("report.csv"), dir.filePath("report.html"), ""};
    SiteCheckReportDialog report({fine, gone}, dialogs);
    QCOMPARE(report.currentSiteName(), gone.siteName);   // problems first
    QVERIFY(report.saveAsCsv());
    QVERIFY(report.saveAsHtml());
    QVERIFY(!report.saveAsCsv());   // cancelled

    QFile csv(dir.filePath("report.csv"));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    QCOMPARE(csv.readAll(), QByteArray("Site,Status,Page,Fields found,Missing,Submit button,Problem,Address\r\n"
                                       "\"Gone, \"\"really\"\"\",failed,HTTP 404,,,,The server answered with HTTP status 404,\r\n"
                                       "Fine,ok,loaded,1/1,,yes,,\r\n"));
    QVERIFY(QFile::exists(dir.filePath("report.html")));
    QCOMPARE(dialogs.fileDialogs.at(0).defaultSuffix, QString("csv"));

    // Sorted by name, the current row is another site.
    report.table()->sortByColumn(SiteCheckReport::Site, Qt::AscendingOrder);
    report.table()->setCurrentIndex(report.table()->model()->index(0, 0));
    QSignalSpy edit(&report, &SiteCheckReportDialog::editSiteRequested);
    report.editCurrentSite();
    QCOMPARE(edit.size(), 1);
    QCOMPARE(edit.at(0).at(0).toString(), QString("Fine"));
}

void TestSiteCheck::checkMarkedSitesEndsInTheReportWithProblemsFirst()
{
    FixtureServer server;
    QVERIFY(server.start());
    server.page("/submit.php", SubmitPage);
    auto form = startWindow();
    QVERIFY(!form->startUpFailed());
    Table &sites = form->workspace().sites();
    sites.setCell(SiteRecord::SubmitPage, 1, server.url("/submit.php").toString());
    sites.setCell(SiteRecord::SubmitPage, 2, QStringLiteral("http://127.0.0.1:%1/submit.php").arg(refusedPort()));
    Marks::set(sites, 1, true);
    Marks::set(sites, 2, true);
    const QString reached = sites.cell(SiteRecord::SiteName, 1);
    const QString down = sites.cell(SiteRecord::SiteName, 2);

    form->findChild<QAction *>("Pop_u_checksites")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(form->submission()->siteCheckReport(), 30000);
    SiteCheckReportDialog *report = form->submission()->siteCheckReport();
    QVERIFY(report->isVisible());
    QCOMPARE(report->table()->model()->rowCount(), 2);
    QCOMPARE(report->table()->model()->index(0, SiteCheckReport::Site).data().toString(), down);
    QCOMPARE(report->table()->model()->index(0, SiteCheckReport::PageColumn).data().toString(), QString("network error"));
    QCOMPARE(report->table()->model()->index(1, SiteCheckReport::Site).data().toString(), reached);
    QCOMPARE(report->table()->model()->index(1, SiteCheckReport::PageColumn).data().toString(), QString("loaded"));

    QSignalSpy edit(form->submission(), &SubmissionController::editSiteRequested);
    report->editCurrentSite();
    QCOMPARE(edit.size(), 1);
    QCOMPARE(edit.at(0).at(0).toString(), down);
    QVERIFY(form->submission()->siteEditor());
    QCOMPARE(form->submission()->siteEditor()->originalName(), down);
    QVERIFY(form->submission()->siteEditor()->findChild<QWidget *>("Button_site_readform")->isVisibleTo(form->submission()->siteEditor()));
    QCOMPARE(server.requests("POST").size(), 0);
}

QTEST_MAIN(TestSiteCheck)
#include "test_sitecheck.moc"
