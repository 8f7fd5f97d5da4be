// The page handling of a browser window, driven by simulated browser events:
// no page, no WebEngine. The walk itself is the real planner, run on
// hand-made snapshots where the test needs to see which entries it used.
#include "catalogue/pseudofields.h"
#include "platform/table.h"
#include "submit/browser/outcome.h"
#include "submit/browser/pagehandling.h"
#include "submit/browser/submissionsource.h"
#include "support/fakeaddresshandler.h"
#include "support/fakedialogs.h"

#include <QTest>

namespace {

enum SiteRow { NormalSite = 1, LoginSite = 2, EmailSite = 3, BadLoginTypeSite = 4 };

QStringList site(const QString &name, const QString &login, const QString &userPass,
                 const QString &regUrl, const QStringList &entries)
{
    return QStringList{name,  "http://" + name + ".example", "", "yes",
                       "http://" + name + ".example/submit", login, userPass, regUrl}
           + entries;
}

FixedSubmissionSource makeSource()
{
    FixedSubmissionSource s;
    s.sites.resize(5);
    s.sites[NormalSite] = site("FilesWeb", "0", "", "http://FilesWeb.example/register",
                               {"0=program_name", "57=padurl"});
    s.sites[LoginSite] = site("LoginFirst", "1", "alice\tsecret", "http://LoginFirst.example/reg",
                              {"-2=user", "-1=pass", "0=program_name"});
    s.sites[EmailSite] = site("MailSite", "3", "", "submit@mailsite.example", {});
    s.sites[BadLoginTypeSite] = site("Odd", "x", "", "", {"0=program_name"});
    s.software = QStringList(105);
    s.software[0] = "Kelvane Test";
    s.software[39] = "author@kelvane.example";
    s.software[57] = "http://pad.example/pad.xml";
    s.constantValues = PseudoFields::constantValueList();
    s.login = {"defuser", "defpass"};
    return s;
}

SnapshotElement textInput(const QString &name, const QString &type = "text")
{
    SnapshotElement e;
    e.tag = "INPUT";
    e.type = type;
    e.name = name;
    return e;
}

PageSnapshot pageWith(const QStringList &textNames)
{
    PageSnapshot page;
    page.valid = true;
    SnapshotForm form;
    for (const QString &n : textNames)
        form.elements.append(textInput(n, n == "pass" ? "password" : "text"));
    form.elements.append(textInput("go", "submit"));
    page.forms.append(form);
    return page;
}

QStringList writtenNames(const FormWalkPlan &plan)
{
    QStringList names;
    for (const ElementWrite &w : plan.writes)
        names.append(w.name + "=" + w.value);
    return names;
}

// One window's page handling with everything it asks for recorded.
struct Harness
{
    FixedSubmissionSource source = makeSource();
    FakeDialogs dialogs;
    FakeAddressHandler addresses;
    PageHandling handling{source, dialogs, addresses};

    QStringList navigations;
    QStringList captions;
    QStringList decorations;
    QList<FormWalk::Input> walks;
    QList<int> closes;
    int focusRequests = 0;

    explicit Harness(int resultCode, const QString &name = "KelvaneSubmit_3")
    {
        handling.setWindowName(name);
        handling.setResultCode(resultCode);
        QObject::connect(&handling, &PageHandling::navigateRequested,
                         [this](const QString &a) { navigations.append(a); });
        QObject::connect(&handling, &PageHandling::captionChanged,
                         [this](const QString &c) { captions.append(c); });
        QObject::connect(&handling, &PageHandling::decorateRequested,
                         [this](const QString &h) { decorations.append(h); });
        QObject::connect(&handling, &PageHandling::walkRequested,
                         [this](const FormWalk::Input &in) { walks.append(in); });
        QObject::connect(&handling, &PageHandling::closeRequested,
                         [this](int code) { closes.append(code); });
        QObject::connect(&handling, &PageHandling::focusPageRequested,
                         [this] { ++focusRequests; });
    }

    // The whole page has completed.
    void page(const QString &title)
    {
        handling.WebBrowser1DocumentComplete(true, title);
    }
    void walked(int result = FormWalkPlan::Walked)
    {
        WalkOutcome o;
        o.result = result;
        handling.walkFinished(o);
    }
};

} // namespace

class TestPageHandling : public QObject
{
    Q_OBJECT

private slots:
    void aPageLoadedAheadSendsAsksAndMailsOnlyOnceItsWindowShows_data()
    {
        QTest::addColumn<int>("siteRow");
        QTest::addColumn<bool>("autoSubmit");
        QTest::addColumn<int>("walkResult");
        QTest::addColumn<bool>("productChanged");
        QTest::addColumn<QStringList>("walksHidden");
        QTest::addColumn<QStringList>("walksShown");
        QTest::addColumn<QStringList>("messagesShown");
        QTest::addColumn<int>("mailsShown");
        const int walked = FormWalkPlan::Walked;
        QTest::newRow("auto-submit: filled, then sent at the show")
            << int(NormalSite) << true << walked << false << QStringList{"fill keep"}
            << QStringList{"fill send"} << QStringList() << 0;
        QTest::newRow("no auto-submit: filled once")
            << int(NormalSite) << false << walked << false << QStringList{"fill keep"}
            << QStringList() << QStringList() << 0;
        QTest::newRow("product changed meanwhile: stale, opened afresh instead")
            << int(NormalSite) << true << walked << true << QStringList{"fill keep"}
            << QStringList{"fill send"} << QStringList() << 0;
        QTest::newRow("no form: the message waits for the show")
            << int(NormalSite) << true << int(FormWalkPlan::NoForm) << false
            << QStringList{"fill keep"} << QStringList() << QStringList{PageHandling::noFormMessage()}
            << 0;
        QTest::newRow("login-first: the login waits for the show")
            << int(LoginSite) << true << walked << false << QStringList() << QStringList{"login send"}
            << QStringList() << 0;
        QTest::newRow("e-mail site: the mail waits for the show")
            << int(EmailSite) << true << walked << false << QStringList() << QStringList()
            << QStringList() << 1;
    }
    void aPageLoadedAheadThatMovesOnByItselfIsFilledAfreshNotTakenForAnAnswer()
    {
        Harness h(NormalSite);
        h.source.autoSubmitOn = true;
        h.handling.preload();
        h.page("Submit your program");
        h.walked();
        // A refresh, then a script's request: the hidden form was never sent.
        h.handling.WebBrowser1ProgressChange(0);
        h.page("Submit your program, again");
        QCOMPARE(h.walks.size(), 2);
        QVERIFY(!h.walks.last().autoSubmit);
        h.walked();
        h.handling.WebBrowser1RequestSent();
        h.handling.WebBrowser1ProgressChange(0);
        QVERIFY(!h.handling.resultReady());
        QVERIFY(!h.handling.outcomeButtonsEnabled());
        h.handling.preloadShown();
        QCOMPARE(h.walks.size(), 3);
        QVERIFY(h.walks.last().autoSubmit);
    }

    void aPageLoadedAheadSendsAsksAndMailsOnlyOnceItsWindowShows()
    {
        QFETCH(int, siteRow);
        QFETCH(bool, autoSubmit);
        QFETCH(int, walkResult);
        QFETCH(bool, productChanged);
        QFETCH(QStringList, walksHidden);
        QFETCH(QStringList, walksShown);
        QFETCH(QStringList, messagesShown);
        QFETCH(int, mailsShown);
        Harness h(siteRow);
        h.source.autoSubmitOn = autoSubmit;
        const auto described = [&h](qsizetype from) {
            QStringList out;
            for (const FormWalk::Input &in : h.walks.mid(from))
                out.append(QString(in.step == FormWalk::Step::LoginFill ? "login" : "fill")
                           + (in.autoSubmit ? " send" : " keep"));
            return out;
        };
        h.handling.preload();
        QCOMPARE(h.navigations.size(), 1);
        h.page("Submit your program");
        if (!h.walks.isEmpty())
            h.walked(walkResult);
        QCOMPARE(described(0), walksHidden);
        QVERIFY(h.dialogs.shown.isEmpty());
        QVERIFY(h.addresses.opened.isEmpty());
        QCOMPARE(h.focusRequests, 0);

        if (productChanged)
            h.source.software[0] = "Kelvane Test 2";
        QCOMPARE(h.handling.preloadStale(), productChanged);
        h.handling.preloadShown();
        QCOMPARE(described(walksHidden.size()), walksShown);
        // One page, decorated once, whatever waited for the show.
        QCOMPARE(h.decorations.size(), 1);
        QCOMPARE(h.dialogs.messages(), messagesShown);
        QCOMPARE(h.addresses.opened.size(), mailsShown);
        QVERIFY(!h.handling.preloading());
    }

    void theFirstActivationOpensTheSiteAddressOnce_data()
    {
        QTest::addColumn<int>("resultCode");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("caption");
        QTest::newRow("a submission opens the submit page")
            << int(NormalSite) << "http://FilesWeb.example/submit" << "FilesWeb : KelvaneSubmit_3";
        QTest::newRow("a registration opens the reg url")
            << -int(NormalSite) << "http://FilesWeb.example/register" << "FilesWeb : KelvaneSubmit_3";
        QTest::newRow("a login-first site opens its submit page")
            << int(LoginSite) << "http://LoginFirst.example/submit" << "LoginFirst : KelvaneSubmit_3";
    }
    void theFirstActivationOpensTheSiteAddressOnce()
    {
        QFETCH(int, resultCode);
        QFETCH(QString, address);
        QFETCH(QString, caption);
        Harness h(resultCode);
        QVERIFY(!h.handling.navigated());
        h.handling.FormActivate();
        h.handling.FormActivate();
        QCOMPARE(h.navigations, QStringList{address});
        QCOMPARE(h.handling.caption(), caption);
        QCOMPARE(h.handling.siteRow(), std::abs(resultCode));
        QVERIFY(h.handling.navigated());
    }

    void aFrameThatCompletesBeforeThePageIsIgnored()
    {
        Harness h(NormalSite);
        h.handling.FormActivate();
        h.handling.WebBrowser1DocumentComplete(false, "frame");
        QVERIFY(h.walks.isEmpty());
        QVERIFY(h.decorations.isEmpty());
        QVERIFY(!h.handling.navigationLocked());
        h.page("whole page");
        QCOMPARE(h.walks.size(), 1);
    }

    void everyCompletedPageGetsTheSignatureAtTheEndOfItsBody_data()
    {
        QTest::addColumn<int>("resultCode");
        QTest::newRow("submission window") << int(NormalSite);
        QTest::newRow("registration window") << -int(NormalSite);
        QTest::newRow("e-mail site") << int(EmailSite);
    }
    void everyCompletedPageGetsTheSignatureAtTheEndOfItsBody()
    {
        QFETCH(int, resultCode);
        Harness h(resultCode);
        h.handling.FormActivate();
        h.page("one");
        if (!h.walks.isEmpty())
            h.walked();
        h.page("two");
        const QString signature = "<br><a href=\"" + PageHandling::makerHomePage()
                                  + "\">Kelvane Submit <i>by</i> Tarnowel</a>";
        QCOMPARE(h.decorations, (QStringList{signature, signature}));
    }

    void aSecondCompletionSetsResultReadyAndTheButtonsWaitForTheNextProgressZero()
    {
        Harness h(NormalSite);
        h.handling.FormActivate();
        h.handling.WebBrowser1ProgressChange(40);
        h.page("form");
        QCOMPARE(h.walks.size(), 1);
        h.walked();
        QVERIFY(h.handling.filled());
        h.handling.WebBrowser1ProgressChange(0);
        QVERIFY(!h.handling.resultReady());
        QVERIFY(!h.handling.outcomeButtonsEnabled());

        h.handling.WebBrowser1ProgressChange(60);
        h.page("thanks");
        QCOMPARE(h.walks.size(), 1); // the answer page is not filled
        QVERIFY(h.handling.resultReady());
        QVERIFY(!h.handling.outcomeButtonsEnabled());
        h.handling.WebBrowser1ProgressChange(100);
        QVERIFY(!h.handling.outcomeButtonsEnabled());
        h.handling.WebBrowser1ProgressChange(0);
        QVERIFY(h.handling.outcomeButtonsEnabled());
    }

    void theNavigationLockHoldsFromACompletedPageToTheNextProgressZero()
    {
        Harness h(NormalSite);
        h.handling.FormActivate();
        QVERIFY(h.handling.WebBrowser1BeforeNavigate2());
        h.page("form");
        QVERIFY(!h.handling.WebBrowser1BeforeNavigate2());
        // Idle reports during the walk wait for it, so the lock covers the fill.
        h.handling.WebBrowser1ProgressChange(0);
        QVERIFY(!h.handling.WebBrowser1BeforeNavigate2());
        h.walked();
        QVERIFY(h.handling.WebBrowser1BeforeNavigate2());
        h.handling.WebBrowser1ProgressChange(30);
        QVERIFY(h.handling.WebBrowser1BeforeNavigate2());
    }

    void theStatusBarShowsBusyWhileLoadingAndEmptiesAtProgressZero()
    {
        Harness h(NormalSite);
        h.handling.FormActivate();
        h.handling.WebBrowser1StatusTextChange("http://FilesWeb.example/help");
        QCOMPARE(h.handling.statusText(), QString("http://FilesWeb.example/help"));
        h.handling.WebBrowser1ProgressChange(1);
        QCOMPARE(h.handling.statusText(), QString("BUSY !!"));
        h.handling.WebBrowser1ProgressChange(0);
        QCOMPARE(h.handling.statusText(), QString());
    }

    void aRegistrationWindowShowsItsMessageOnEveryPageAndNeverEnablesTheButtons()
    {
        Harness h(-int(NormalSite));
        h.handling.FormActivate();
        for (const char *title : {"register", "check your mail", "welcome"}) {
            h.page(title);
            h.handling.WebBrowser1ProgressChange(0);
        }
        const QString message = "Fill your data by hand, and remember user/password\rpair, to "
                                "input it back at 'submit list' for this site.";
        QCOMPARE(h.dialogs.messages(), (QStringList{message, message, message}));
        QVERIFY(h.walks.isEmpty());
        QVERIFY(!h.handling.outcomeButtonsEnabled());
        h.handling.Button_doneClick();
        h.handling.Button_failClick();
        QVERIFY(h.closes.isEmpty());
        h.handling.Button_cancelClick();
        QCOMPARE(h.closes, QList<int>{0});
    }

    void aLoginFirstSiteFillsTheLoginFromColumnEightThenTheNextPageFromColumnTen_data()
    {
        QTest::addColumn<bool>("autoSubmit");
        QTest::newRow("auto-submit off") << false;
        QTest::newRow("auto-submit on") << true;
    }
    void aLoginFirstSiteFillsTheLoginFromColumnEightThenTheNextPageFromColumnTen()
    {
        QFETCH(bool, autoSubmit);
        Harness h(LoginSite);
        h.source.autoSubmitOn = autoSubmit;
        h.handling.FormActivate();

        h.page("login");
        QCOMPARE(h.walks.size(), 1);
        const FormWalk::Input login = h.walks.at(0);
        QCOMPARE(login.step, FormWalk::Step::LoginFill);
        QVERIFY(!login.loggedIn);
        QVERIFY(login.autoSubmit); // the login form is sent whatever the check box says
        const FormWalkPlan loginPlan = FormWalk::plan(pageWith({"user", "pass", "program_name"}), login);
        QCOMPARE(writtenNames(loginPlan),
                 (QStringList{"user=alice", "pass=secret", "program_name=Kelvane Test"}));
        QVERIFY(loginPlan.click);
        h.walked();
        QVERIFY(h.handling.loggedIn());
        QVERIFY(!h.handling.filled());
        h.handling.WebBrowser1ProgressChange(0);

        h.page("submission form");
        QCOMPARE(h.walks.size(), 2);
        const FormWalk::Input normal = h.walks.at(1);
        QCOMPARE(normal.step, FormWalk::Step::NormalFill);
        QVERIFY(normal.loggedIn);
        QCOMPARE(normal.autoSubmit, autoSubmit);
        const FormWalkPlan plan = FormWalk::plan(pageWith({"user", "pass", "program_name"}), normal);
        QCOMPARE(writtenNames(plan), QStringList{"program_name=Kelvane Test"});
        QCOMPARE(plan.click, autoSubmit);
        h.walked();
        QVERIFY(h.handling.filled());
        h.handling.WebBrowser1ProgressChange(0);

        h.page("thanks");
        QCOMPARE(h.walks.size(), 2);
        QVERIFY(h.handling.resultReady());
    }

    void aLoginAnswerThatCompletesDuringTheLoginWalkIsFilledAfterIt()
    {
        Harness h(LoginSite);
        h.handling.FormActivate();
        h.page("login");
        h.handling.WebBrowser1ProgressChange(0);
        h.handling.WebBrowser1ProgressChange(50);
        h.page("submission form"); // arrives before the login walk has reported
        h.handling.WebBrowser1ProgressChange(0);
        QCOMPARE(h.walks.size(), 1);
        h.walked();
        QCOMPARE(h.walks.size(), 2);
        QVERIFY(h.walks.at(1).loggedIn);
        QCOMPARE(h.handling.caption(), QString("submission form"));
        // The held idle report after that page waits for the second walk.
        QVERIFY(h.handling.navigationLocked());
        h.walked();
        QVERIFY(!h.handling.navigationLocked());
    }

    void theWalksResultIsReported_data()
    {
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("ownMessage");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("errors");
        QTest::addColumn<bool>("filled");
        QTest::newRow("no form") << int(FormWalkPlan::NoForm) << QString()
                                 << QStringList{"Error. No Form was found on this site."}
                                 << QStringList() << true;
        QTest::newRow("element error") << int(FormWalkPlan::ElementError) << QString()
                                       << QStringList{"Error. Field or method is not available."}
                                       << QStringList() << true;
        QTest::newRow("walked") << int(FormWalkPlan::Walked) << QString() << QStringList()
                                << QStringList() << true;
        QTest::newRow("rejected login")
            << int(FormWalkPlan::Walked) << FormWalk::rejectedLoginMessage() << QStringList()
            << QStringList{"This user/password pair was not accepted...\rYou must register with "
                           "this site before submiting."}
            << true;
        QTest::newRow("the page could not be read")
            << int(FormWalkPlan::Raised) << QString() << QStringList()
            << QStringList{"the page went away"} << false;
    }
    void theWalksResultIsReported()
    {
        QFETCH(int, result);
        QFETCH(QString, ownMessage);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, errors);
        QFETCH(bool, filled);
        Harness h(NormalSite);
        h.handling.FormActivate();
        h.page("form");
        WalkOutcome o;
        o.result = result;
        o.message = ownMessage;
        if (result == FormWalkPlan::Raised)
            o.error = "the page went away";
        h.handling.walkFinished(o);
        QCOMPARE(h.dialogs.messages(), messages);
        QCOMPARE(h.dialogs.errors(), errors);
        QCOMPARE(h.handling.filled(), filled);
        QCOMPARE(h.focusRequests, filled ? 1 : 0);
        QVERIFY(!h.handling.walking());
    }

    void aPageThatCouldNotBeFilledIsFilledAgainWhenTheNextOneCompletes()
    {
        Harness h(NormalSite);
        h.handling.FormActivate();
        h.page("form");
        h.walked(FormWalkPlan::Raised);
        h.handling.WebBrowser1ProgressChange(0);
        h.page("form again");
        QCOMPARE(h.walks.size(), 2);
        QVERIFY(!h.handling.resultReady());
    }

    void theWalkNoticeStaysInTheStatusBarAfterTheIdleReport()
    {
        Harness h(NormalSite);
        h.handling.FormActivate();
        h.page("form");
        h.handling.WebBrowser1ProgressChange(0);
        WalkOutcome o;
        o.result = FormWalkPlan::Walked;
        o.notice = "send it yourself";
        h.handling.walkFinished(o);
        QCOMPARE(h.handling.statusText(), QString("send it yourself"));
    }

    void anEmailSiteComposesOnceAndLeavesTheOutcomeToTheUser_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("code");
        QTest::newRow("done ok") << 0 << int(EmailSite);
        QTest::newRow("failed") << 1 << -int(EmailSite);
        QTest::newRow("cancel") << 2 << 0;
    }
    void anEmailSiteComposesOnceAndLeavesTheOutcomeToTheUser()
    {
        QFETCH(int, button);
        QFETCH(int, code);
        Harness h(EmailSite);
        h.handling.FormActivate();
        QVERIFY(!h.handling.outcomeButtonsEnabled());
        h.page("mail us");
        QVERIFY(h.handling.outcomeButtonsEnabled());
        h.handling.WebBrowser1ProgressChange(0);
        h.page("mail us again");
        h.handling.WebBrowser1ProgressChange(0);
        QCOMPARE(h.addresses.opened.size(), 1);
        QVERIFY(h.addresses.opened.at(0).startsWith("mailto:submit@mailsite.example?subject="));
        QVERIFY(h.walks.isEmpty());
        QCOMPARE(h.focusRequests, 2);
        if (button == 0)
            h.handling.Button_doneClick();
        else if (button == 1)
            h.handling.Button_failClick();
        else
            h.handling.Button_cancelClick();
        QCOMPARE(h.closes, QList<int>{code});
    }

    void aFileToChooseIsShownUntilTheNextPage()
    {
        Harness h(NormalSite);
        h.handling.FormActivate();
        h.page("form");
        WalkOutcome o;
        o.result = FormWalkPlan::Walked;
        o.attention = "Choose the file for shot yourself, then send the form.";
        h.handling.walkFinished(o);
        QCOMPARE(h.handling.attentionText(), o.attention);
        QCOMPARE(h.handling.statusText(), QString());
        h.page("thanks");
        QCOMPARE(h.handling.attentionText(), QString());
        h.handling.WebBrowser1ProgressChange(0);
        QVERIFY(h.handling.outcomeButtonsEnabled());
    }

    void aLoginTypeThatIsNotANumberIsReportedAndThePageLeftAlone()
    {
        Harness h(BadLoginTypeSite);
        h.handling.FormActivate();
        h.page("form");
        QCOMPARE(h.dialogs.errors(), QStringList{"'x' is not a valid integer value"});
        QVERIFY(h.walks.isEmpty());
        QCOMPARE(h.focusRequests, 0);
    }

    void theOutcomeButtonsSetTheResultCode_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("code");
        QTest::newRow("done ok keeps the site row") << 0 << int(NormalSite);
        QTest::newRow("failed negates it") << 1 << -int(NormalSite);
        QTest::newRow("cancel sets 0") << 2 << 0;
    }
    void theOutcomeButtonsSetTheResultCode()
    {
        QFETCH(int, button);
        QFETCH(int, code);
        Harness h(NormalSite);
        h.handling.FormActivate();
        h.page("form");
        h.walked();
        h.page("thanks");
        h.handling.WebBrowser1ProgressChange(0);
        QVERIFY(h.handling.outcomeButtonsEnabled());
        if (button == 0)
            h.handling.Button_doneClick();
        else if (button == 1)
            h.handling.Button_failClick();
        else
            h.handling.Button_cancelClick();
        QCOMPARE(h.closes, QList<int>{code});
        QCOMPARE(h.handling.resultCode(), code);
        // A second press (the window is already closing) changes nothing.
        h.handling.Button_failClick();
        QCOMPARE(h.closes.size(), 1);
    }

    void aWindowClosedDuringTheWalkIgnoresTheWalksLateAnswer()
    {
        Harness h(NormalSite);
        h.handling.FormActivate();
        h.page("form");
        QVERIFY(h.handling.walking());
        h.handling.Button_cancelClick();
        QCOMPARE(h.closes, QList<int>{0});
        h.walked(FormWalkPlan::NoForm);
        h.page("late page");
        h.handling.WebBrowser1ProgressChange(0);
        QVERIFY(h.dialogs.shown.isEmpty());
        QVERIFY(!h.handling.filled());
        QCOMPARE(h.walks.size(), 1);
        QCOMPARE(h.focusRequests, 0);
    }

    // The frame of the window: buttons, name, geometry and the close handler's rules.
    void theOutcomeButtonsKeepTheirDistanceFromTheRightEdge_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("fail");
        QTest::addColumn<int>("cancel");
        QTest::addColumn<int>("done");
        QTest::newRow("default width") << 640 << 428 << 494 << 563;
        QTest::newRow("widened") << 1000 << 788 << 854 << 923;
    }
    void theOutcomeButtonsKeepTheirDistanceFromTheRightEdge()
    {
        QFETCH(int, width);
        const auto lefts = BrowserWindowRules::outcomeButtonLefts(width);
        QTEST(lefts.fail, "fail");
        QTEST(lefts.cancel, "cancel");
        QTEST(lefts.done, "done");
    }

    void aWindowOpensWithTheRememberedGeometryOrItsDefaults_data()
    {
        QTest::addColumn<QString>("remembered");
        QTest::addColumn<QList<QRect>>("screens");
        QTest::addColumn<QString>("opening");
        const QList<QRect> one{{0, 0, 1280, 1024}};
        const QList<QRect> two{{0, 0, 1280, 1024}, {1280, 0, 1920, 1080}};
        QTest::newRow("nothing known yet") << "0.0.0.0" << one << "640.380.250.230";
        QTest::newRow("a closed window's place") << "800.500.10.20" << one << "800.500.10.20";
        QTest::newRow("only a size known") << "700.400.0.0" << one << "700.400.250.230";
        QTest::newRow("a place on the second screen") << "800.500.2000.20" << two << "800.500.2000.20";
        QTest::newRow("the second screen removed") << "800.500.2000.20" << one << "640.380.250.230";
        QTest::newRow("the bar above the screen") << "800.500.10.-600" << one << "640.380.250.230";
        QTest::newRow("only a sliver of the bar shows")
            << "800.500.1270.20" << one << "640.380.250.230";
    }
    void aWindowOpensWithTheRememberedGeometryOrItsDefaults()
    {
        QFETCH(QString, remembered);
        QFETCH(QList<QRect>, screens);
        QFETCH(QString, opening);
        BrowserWindowBook book;
        book.setGeometry(*WebWindowGeometry::parse(remembered));
        QCOMPARE(book.open(screens).geometry.toText(), opening);
    }

    void windowsAreNamedByTheRunsCounterAndOpenWhereTheLastOneClosed()
    {
        BrowserWindowBook book;
        const auto first = book.open();
        QCOMPARE(first.name, QString("KelvaneSubmit_1"));
        book.closed({700, 420, 40, 50});
        const auto second = book.open();
        QCOMPARE(second.name, QString("KelvaneSubmit_2"));
        QCOMPARE(second.geometry, (WebWindowGeometry{700, 420, 40, 50}));
        QCOMPARE(book.geometry(), (WebWindowGeometry{700, 420, 40, 50}));
    }

    void theLiveTablesGiveTheSiteWithoutItsMarkAndTheCurrentRecord()
    {
        Table submitList(10, 3);
        submitList.setRow(2, {"Site", "", "", "yes", "http://s/submit", "0", "", "", "0=name", "x"});
        Table software(105, 3);
        software.setCell(0, 2, "Second product");
        TableSubmissionSource source(submitList, software);
        int current = 2;
        source.currentSoftwareRow = [&] { return current; };
        QCOMPARE(source.siteRecord(2).size(), 9);
        QCOMPARE(source.siteRecord(2).last(), QString("0=name"));
        QVERIFY(source.siteRecord(3).isEmpty());
        QCOMPARE(source.softwareRecord().value(0), QString("Second product"));
        QCOMPARE(source.constants(), PseudoFields::constantValueList());
        QVERIFY(!source.autoSubmit());
        current = 7; // beyond the list: no record rather than a stray row
        QVERIFY(source.softwareRecord().isEmpty());
    }

    void onlyTheAnswerPagesTextIsReadAndAnAnswerForAnOlderPageIsDropped()
    {
        Harness h(NormalSite);
        QList<int> requested;
        QObject::connect(&h.handling, &PageHandling::answerTextRequested,
                         [&requested](int page) { requested.append(page); });
        h.handling.FormActivate();
        h.page("form");
        h.walked();
        QVERIFY(requested.isEmpty());
        h.page("answer");
        h.page("redirected answer");
        QCOMPARE(requested, (QList<int>{2, 3}));

        h.handling.answerTextRead(2, "Thank you for your submission");
        QVERIFY(!h.handling.suggestion());
        h.handling.answerTextRead(3, "Error: this program already exists");
        QCOMPARE(h.handling.suggestion().value_or(AnswerSuggestion::Suggestion{}).verdict,
                 AnswerSuggestion::Verdict::Refused);
        // A page the user moves on to is judged afresh.
        h.page("next");
        QVERIFY(!h.handling.suggestion());
        QVERIFY(h.closes.isEmpty());
    }

    // A form a script sends shows its answer in place: no page completes.
    void anAnswerShownInPlaceEnablesTheOutcomeButtons_data()
    {
        QTest::addColumn<bool>("sentByTheWalk");  // else the fill left the sending to the user
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("request");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("suggestion");

        const QString form = "Submit your program\nName\nSend";
        QTest::newRow("a thank-you line") << true << "Submit" << form + "\nThank you, your program was received." << false << true
                                          << "looks accepted: 'Thank you, your program was received'";
        QTest::newRow("the form replaced by an error") << true << "Submit" << "Error: this program already exists" << false << true
                                                       << "looks refused: 'Error: this program already exists'";
        QTest::newRow("a new title") << true << "Submitted" << form << false << true << "";
        QTest::newRow("a request the page sent") << true << "Submit" << form << true << true << "";
        QTest::newRow("a counter ticking is no answer") << true << "Submit" << form + "\n12 left" << false << false << "";
        QTest::newRow("nothing changed") << true << "Submit" << form << false << false << "";
        QTest::newRow("the user's own send, read after the fill")
            << false << "Submit" << form + "\nThank you for your submission!" << false << true
            << "looks accepted: 'Thank you for your submission'";
    }
    void anAnswerShownInPlaceEnablesTheOutcomeButtons()
    {
        QFETCH(bool, sentByTheWalk);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(bool, request);
        QFETCH(bool, enabled);
        QFETCH(QString, suggestion);

        Harness h(NormalSite);
        h.handling.FormActivate();
        // Nothing is watched before the fill.
        QVERIFY(!h.handling.watchingInPlace());
        h.page("Submit");
        h.handling.WebBrowser1ProgressChange(0);
        WalkOutcome o;
        o.result = FormWalkPlan::Walked;
        if (sentByTheWalk)
            o.before = PageState{"Submit", "Submit your program\nName\nSend"};
        h.handling.walkFinished(o);
        QVERIFY(h.handling.watchingInPlace());
        if (!sentByTheWalk)
            h.handling.WebBrowser1PageState("Submit", "Submit your program\nName\nSend");
        if (request)
            h.handling.WebBrowser1RequestSent();
        h.handling.WebBrowser1PageState(title, text);
        QCOMPARE(h.handling.resultReady(), enabled);
        QCOMPARE(h.handling.outcomeButtonsEnabled(), enabled);
        const std::optional<AnswerSuggestion::Suggestion> s = h.handling.suggestion();
        QCOMPARE(s ? AnswerSuggestion::barText(*s) : QString(), suggestion);
    }

    void anAnswerInPlaceDuringALoadWaitsForItsEnd()
    {
        Harness h(NormalSite);
        h.handling.FormActivate();
        h.page("Submit");
        h.handling.WebBrowser1ProgressChange(0);
        h.walked();
        h.handling.WebBrowser1PageState("Submit", "form");
        h.handling.WebBrowser1ProgressChange(20);
        h.handling.WebBrowser1PageState("Thanks", "form");
        QVERIFY(h.handling.resultReady());
        QVERIFY(!h.handling.outcomeButtonsEnabled());
        h.handling.WebBrowser1ProgressChange(0);
        QVERIFY(h.handling.outcomeButtonsEnabled());
    }

    void whileTheFormIsAwaitedTheNoticeShowsAndOnlyFramesMayLoad()
    {
        Harness h(NormalSite);
        h.handling.FormActivate();
        h.page("Loading...");
        QVERIFY(!h.handling.WebBrowser1BeforeNavigate2(false));
        h.handling.setWaitingForForm(true);
        QCOMPARE(h.handling.attentionText(), QString("Waiting for the page's form..."));
        QVERIFY(h.handling.WebBrowser1BeforeNavigate2(false));
        QVERIFY(!h.handling.WebBrowser1BeforeNavigate2(true));
        h.handling.setWaitingForForm(false);
        QCOMPARE(h.handling.attentionText(), QString());
        QVERIFY(!h.handling.WebBrowser1BeforeNavigate2(false));
    }
};

QTEST_GUILESS_MAIN(TestPageHandling)
#include "test_pagehandling.moc"
