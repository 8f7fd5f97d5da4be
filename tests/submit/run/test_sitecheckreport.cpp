#include "submit/formwalk/formwalkplan.h"
#include "submit/run/sitecheckreport.h"

#include <QTest>

using Page = SiteCheckResult::Page;
using Severity = SiteCheckReport::Severity;

namespace {

SiteCheckResult site(const QString &name, Page page, int entries = 3,
                     const QStringList &missing = {}, bool submit = true)
{
    SiteCheckResult r;
    r.siteName = name;
    r.address = "http://" + name + "/submit";
    r.page = page;
    r.entries = entries;
    r.missingEntries = missing;
    r.submitFound = submit;
    return r;
}

} // namespace

class TestSiteCheckReport : public QObject
{
    Q_OBJECT

private slots:
    void eachSiteGetsASeverityAndAProblem_data();
    void eachSiteGetsASeverityAndAProblem();
    void problemsComeFirstThenByName();
    void csvQuotesOnlyWhatItMust();
    void htmlEscapesEveryValue();
    void sitesWithoutAWebPageAreNotCheckedWithAReason_data();
    void sitesWithoutAWebPageAreNotCheckedWithAReason();
    void aLoadedPageCountsThePlansEntries();
};

void TestSiteCheckReport::eachSiteGetsASeverityAndAProblem_data()
{
    QTest::addColumn<SiteCheckResult>("result");
    QTest::addColumn<int>("severity");
    QTest::addColumn<QString>("found");
    QTest::addColumn<QString>("problem");

    SiteCheckResult notFound = site("a", Page::HttpError, 3);
    notFound.httpStatus = 404;
    SiteCheckResult refused = site("a", Page::NetworkError, 3);
    refused.detail = "Connection refused";
    SiteCheckResult mail = site("a", Page::NotChecked, 0);
    mail.detail = "an e-mail site";
    SiteCheckResult stops = site("a", Page::Loaded, 3, {}, false);
    stops.walkError = "'x' is not a valid integer value";

    SiteCheckResult code = site("a", Page::Loaded);
    code.userStep = FormWalkPlan::UserStep::PictureCode;
    SiteCheckResult widget = site("a", Page::Loaded, 3, {}, false);
    widget.userStep = FormWalkPlan::UserStep::Challenge;
    SiteCheckResult codeAndLost = site("a", Page::Loaded, 3, {"57=padurl"});
    codeAndLost.userStep = FormWalkPlan::UserStep::PictureCode;

    QTest::newRow("every field and a button") << site("a", Page::Loaded) << int(Severity::Ok) << "3/3" << "";
    QTest::newRow("a picture code to type") << code << int(Severity::NeedsUser) << "3/3" << "needs the user: picture code";
    QTest::newRow("a check to complete") << widget << int(Severity::NeedsUser) << "3/3" << "needs the user: challenge";
    QTest::newRow("a picture code and a lost input") << codeAndLost << int(Severity::Warning) << "2/3" << "1 field(s) not found on the page";
    QTest::newRow("an input lost") << site("a", Page::Loaded, 3, {"57=padurl"}) << int(Severity::Warning) << "2/3" << "1 field(s) not found on the page";
    QTest::newRow("no input left") << site("a", Page::Loaded, 2, {"1=a", "2=b"}) << int(Severity::Failed) << "0/2" << "None of the site's fields is on the page: the form has changed";
    QTest::newRow("no submit button") << site("a", Page::Loaded, 3, {}, false) << int(Severity::Warning) << "3/3" << "The form has no submit button: it must be sent by hand";
    QTest::newRow("no entries at all") << site("a", Page::Loaded, 0) << int(Severity::Warning) << "0/0" << "The site has no field map entries: nothing would be filled";
    QTest::newRow("the walk would stop") << stops << int(Severity::Failed) << "3/3" << "A run would stop on this page: 'x' is not a valid integer value";
    QTest::newRow("a 404") << notFound << int(Severity::Failed) << "" << "The server answered with HTTP status 404";
    QTest::newRow("refused") << refused << int(Severity::Failed) << "" << "The page could not be reached: Connection refused";
    QTest::newRow("too slow") << site("a", Page::TimedOut) << int(Severity::Failed) << "" << "The page did not finish loading in time";
    QTest::newRow("an e-mail site") << mail << int(Severity::NotChecked) << "" << "Not checked: an e-mail site";
}

void TestSiteCheckReport::eachSiteGetsASeverityAndAProblem()
{
    QFETCH(SiteCheckResult, result);
    QFETCH(int, severity);
    QFETCH(QString, found);
    QFETCH(QString, problem);

    QCOMPARE(int(SiteCheckReport::severity(result)), severity);
    QCOMPARE(SiteCheckReport::cell(result, SiteCheckReport::Found), found);
    QCOMPARE(SiteCheckReport::problem(result), problem);
}

void TestSiteCheckReport::problemsComeFirstThenByName()
{
    const QList<SiteCheckResult> rows = SiteCheckReport::ordered(
        {site("delta", Page::Loaded), site("Charlie", Page::Loaded, 3, {"1=x"}),
         site("bravo", Page::TimedOut), site("alpha", Page::Loaded),
         site("echo", Page::NotChecked), site("Beta", Page::NetworkError)});
    QStringList names;
    for (const SiteCheckResult &r : rows)
        names << r.siteName;
    QCOMPARE(names, (QStringList{"Beta", "bravo", "Charlie", "echo", "alpha", "delta"}));
}

void TestSiteCheckReport::csvQuotesOnlyWhatItMust()
{
    SiteCheckResult r = site("Files, \"Best\"", Page::Loaded, 2, {"57=pad url", "3=a,b"});
    r.address = "http://x/s?a=1";
    QCOMPARE(SiteCheckReport::csv({r}),
             QByteArray("Site,Status,Page,Fields found,Missing,Submit button,Problem,Address\r\n"
                        "\"Files, \"\"Best\"\"\",failed,loaded,0/2,\"57=pad url | 3=a,b\",yes,"
                        "None of the site's fields is on the page: the form has changed,http://x/s?a=1\r\n"));
    SiteCheckResult broken = site("Two\nlines", Page::NetworkError);
    broken.detail = "a\r\nb";
    QVERIFY(SiteCheckReport::csv({broken}).contains("\"Two\nlines\",failed,network error,,,,\"The page could not be reached: a\r\nb\","));

    // Cells a spreadsheet would run as formulas are written inert.
    const QList<QPair<QString, QByteArray>> formulas{
        {"=1+1", "'=1+1"}, {"+cmd", "'+cmd"}, {"-2", "'-2"}, {"@SUM(A1)", "'@SUM(A1)"},
        {"\tx", "'\tx"}, {"\rx", "\"'\rx\""}, {"a=1", "a=1"}};
    for (const auto &[name, written] : formulas)
        QVERIFY2(SiteCheckReport::csv({site(name, Page::TimedOut)}).contains("\r\n" + written + ",failed,"),
                 qPrintable(name));
}

void TestSiteCheckReport::htmlEscapesEveryValue()
{
    SiteCheckResult r = site("<script>alert(1)</script>", Page::Loaded, 1, {"1=a&b\"c"});
    r.address = "http://x/?a=<b>";
    const QByteArray html = SiteCheckReport::html({r}, "Check <1>");
    QVERIFY(html.contains("<title>Check &lt;1&gt;</title>"));
    QVERIFY(html.contains("<td>&lt;script&gt;alert(1)&lt;/script&gt;</td>"));
    QVERIFY(html.contains("<td>1=a&amp;b&quot;c</td>"));
    QVERIFY(html.contains("<td>http://x/?a=&lt;b&gt;</td>"));
    QVERIFY(!html.contains("<script>"));
    const QByteArray controls = SiteCheckReport::html({site(QString("a\x01" "b\x1b" "[0m") + QChar(0x85) + "c", Page::TimedOut)}, "t");
    QVERIFY(controls.contains("<td>ab[0mc</td>"));
    QVERIFY(html.startsWith("<!DOCTYPE html>"));
}

void TestSiteCheckReport::sitesWithoutAWebPageAreNotCheckedWithAReason_data()
{
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("reason");   // "": the site is checked

    QTest::newRow("a form site") << "0" << "http://a.example/submit" << "";
    QTest::newRow("a login-first site") << "1" << "https://a.example/login" << "";
    QTest::newRow("an unknown login type is a form site") << "7" << "http://a.example/" << "";
    QTest::newRow("an e-mail site") << "3" << "http://a.example/" << "an e-mail site, submitted by mail";
    QTest::newRow("a mailto: address") << "0" << "MAILTO:soft@a.example" << "an e-mail site, submitted by mail";
    QTest::newRow("no address") << "0" << "  " << "no submission page address";
    QTest::newRow("an ftp address") << "0" << "ftp://a.example/" << "the submission address is not a web page";
    QTest::newRow("a login type that is no number") << "x" << "http://a.example/" << "the login type 'x' is not a number";
}

void TestSiteCheckReport::sitesWithoutAWebPageAreNotCheckedWithAReason()
{
    QFETCH(QString, login);
    QFETCH(QString, address);
    QFETCH(QString, reason);

    const QStringList record{"Site", "http://a.example", "", "yes", address, login, "", "soft@a.example", "1=a"};
    const std::optional<SiteCheckResult> r = SiteCheckReport::notCheckable(record);
    QCOMPARE(r.has_value(), !reason.isEmpty());
    if (r) {
        QCOMPARE(r->detail, reason);
        QCOMPARE(r->siteName, QString("Site"));
        QCOMPARE(int(SiteCheckReport::severity(*r)), int(Severity::NotChecked));
    }
}

void TestSiteCheckReport::aLoadedPageCountsThePlansEntries()
{
    FormWalkPlan plan;
    EntryMatch a;
    a.entry = "1=a";
    a.readable = true;
    a.matches = 2;
    EntryMatch b = a;
    b.entry = "57=padurl";
    b.matches = 0;
    plan.entries = {a, b};
    plan.focus = {0, 3, "", "INPUT", "go", ""};
    const SiteCheckResult r = SiteCheckReport::loaded({"Site", "", "", "", " http://a/s ", "0"}, plan);
    QCOMPARE(r.address, QString("http://a/s"));
    QCOMPARE(r.entries, 2);
    QCOMPARE(r.missingEntries, QStringList{"57=padurl"});
    QVERIFY(r.submitFound);
    QVERIFY(r.walkError.isEmpty());

    plan.result = FormWalkPlan::ElementError;
    QCOMPARE(SiteCheckReport::loaded({"Site"}, plan).walkError,
             QString("Error. Field or method is not available."));
    plan.result = FormWalkPlan::Raised;
    plan.error = "'x' is not a valid integer value";
    QCOMPARE(SiteCheckReport::loaded({"Site"}, plan).walkError, plan.error);
}

QTEST_GUILESS_MAIN(TestSiteCheckReport)
#include "test_sitecheckreport.moc"
