// Browser windows in the real, headless Qt WebEngine against pages served by
// the loopback fixture server: what each submitted form carried is asserted
// on the exact POST bodies the server recorded.
#include "catalogue/pseudofields.h"
#include "submit/browser/browserwindow.h"
#include "submit/browser/popupwindow.h"
#include "submit/browser/pagedriver.h"
#include "submit/browser/pagehandling.h"
#include "submit/browser/submissionsource.h"
#include "support/bigformpage.h"
#include "support/fakeaddresshandler.h"
#include "support/fakedialogs.h"
#include "support/fixtureserver.h"
#include "support/softwarerecord.h"

#include <QApplication>
#include <QPointer>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTimer>
#include <QTcpServer>
#include <QTest>
#include <QToolButton>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineView>

#include <memory>

namespace {

constexpr int Timeout = 30000;

const QByteArray EveryKindForm = R"(<html><head><title>Every kind</title></head><body>
<form method=post action=ACTION>
<input name=program_name>
<textarea name=description>Old line</textarea>
<input type=password name=pass>
<input type=password name=user_as_pass>
<select name=category><option value=g>Games<option value=us>Utilities - System<option value=o>Other</select>
<select name=os multiple><option value=1>Win95<option value=2>WinXP<option value=3>Linux</select>
<input type=checkbox name=freeware value=yes>
<input type=checkbox name=shareware value=yes checked>
<input type=radio name=release value=new checked><input type=radio name=release value=update>
<input type=hidden name=padurl value=keep>
<input type=email name=email>
<input type=file name=shot>
<input type=hidden name=mirror value="">
<input type=submit name=send value=Send>
</form>
<script>
var f = document.forms[0];
f.program_name.addEventListener('change', function (e) { f.mirror.value = 'seen:' + e.target.value; });
f.addEventListener('submit', function () { document.body.setAttribute('data-submitted', '1'); });
</script></body></html>)";

const QStringList EveryKindMap{"0=program_name", "60=description", "-1=pass", "-2=user_as_pass",
                               "47=category",    "11=os",          "-13=freeware",
                               "-14=shareware",  "10=release",     "57=padurl",
                               "39=email",       "56=shot"};

const QByteArray EveryKindBody =
    "program_name=Kelvane+Test+%26+Co&description=Old+line%0D%0AFast%2C+small+%231+tool"
    "&pass=secret&user_as_pass=&category=us&os=2&os=3&freeware=yes&release=update"
    "&padurl=keep&email=author%40kelvane.example&shot=&mirror=seen%3AKelvane+Test+%26+Co"
    "&send=Send";

// A page script that sends `data` as JSON, as script-driven forms do, and
// shows the site's answer in place.
const QByteArray SendJson =
    "<script>function sendJson(path, data) {"
    " fetch(path, { method: 'POST', headers: { 'Content-Type': 'application/json' },"
    " body: JSON.stringify(data) }).then(function () { document.body.insertAdjacentHTML("
    "'beforeend', '<p>Thank you, your program was received.</p>'); }); }</script>";

const QByteArray PlainForm = "<form method=post action=POST><input name=program_name>"
                             "<input type=submit name=send value=Send></form>";

QByteArray withAction(QByteArray html, const QByteArray &action)
{
    return html.replace("ACTION", action);
}

QStringList softwareRecord()
{
    return recordWith({{0, "Kelvane Test & Co"},
                       {10, "Minor Update"},
                       {11, "WinXP,Linux"},
                       {39, "author@kelvane.example"},
                       {47, "Utilities"},
                       {56, "/tmp/shot.png"},
                       {57, "http://pad.example/pad.xml"},
                       {60, "Fast, small #1 tool"}});
}

QStringList site(const QString &name, const QUrl &submit, const QString &login,
                 const QString &userPass, const QStringList &entries,
                 const QString &regUrl = QString())
{
    return QStringList{name, "http://home.example", "", "yes", submit.toString(), login,
                       userPass, regUrl}
           + entries;
}

} // namespace

class TestBrowserWindow : public QObject
{
    Q_OBJECT

    FixtureServer m_server;
    std::unique_ptr<FixedSubmissionSource> m_source;
    FakeDialogs m_dialogs;
    FakeAddressHandler m_addresses;
    QList<QPointer<TForm2>> m_windows;
    QHash<TForm2 *, int> m_walksDone;

    // Opens a window whose site row (the code's absolute value) holds `siteRecord`.
    TForm2 *open(const QStringList &siteRecord, int resultCode = 1,
                 const BrowserOptions &options = {})
    {
        m_source->sites = QList<QStringList>(std::abs(resultCode) + 1);
        m_source->sites[std::abs(resultCode)] = siteRecord;
        auto *w = new TForm2(QStringLiteral("KelvaneSubmit_%1").arg(m_windows.size() + 1),
                             resultCode, *m_source, m_dialogs, m_addresses, options);
        m_windows.append(w);
        connect(&w->pageDriver(), &PageDriver::walkFinished, this, [this, w] { ++m_walksDone[w]; });
        // A page without the site's form is watched this long for a late one.
        w->pageDriver().setLateFormWait(1500);
        w->show();
        return w;
    }

    int walksDone(TForm2 *w) const { return m_walksDone.value(w); }

    QList<QByteArray> posts(const QByteArray &path) const
    {
        QList<QByteArray> bodies;
        for (const FixtureServer::Request &r : m_server.requests("POST"))
            if (r.path == path)
                bodies.append(r.body);
        return bodies;
    }

    QList<FixtureServer::Request> gets(const QByteArray &path) const
    {
        QList<FixtureServer::Request> found;
        for (const FixtureServer::Request &r : m_server.requests("GET"))
            if (r.path == path)
                found.append(r);
        return found;
    }

    // Runs `script` in the isolated world of the window's page and returns its answer.
    static QVariant evaluate(TForm2 *w, const QString &script)
    {
        QVariant answer;
        bool answered = false;
        w->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                                 [&](const QVariant &v) {
                                     answer = v;
                                     answered = true;
                                 });
        if (!QTest::qWaitFor([&] { return answered; }, Timeout))
            qWarning("no answer to %s", qPrintable(script));
        return answer;
    }

    static QToolButton *button(TForm2 *w, const char *name)
    {
        return w->findChild<QToolButton *>(QLatin1String(name));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.start());
        m_server.page("/thanks", "<html><head><title>Thanks</title></head><body>ok</body></html>");
    }

    void init()
    {
        m_source = std::make_unique<FixedSubmissionSource>();
        m_source->software = softwareRecord();
        m_source->lists.category = {"Utilities", "Utilities"};
        m_source->lists.release = {"Minor Update", "Update"};
        m_source->lists.os = {"WinXP", "Linux"};
        m_source->constantValues = PseudoFields::constantValueList();
        m_source->login = {"defuser", "defpass"};
        m_dialogs.shown.clear();
        m_addresses.opened.clear();
    }

    void cleanup()
    {
        for (const QPointer<TForm2> &w : std::as_const(m_windows))
            delete w.data();
        m_windows.clear();
        m_walksDone.clear();
    }

    void aFormOfEveryInputKindIsFilledAndSent()
    {
        m_server.page("/every", withAction(EveryKindForm, "/every/post"));
        m_server.route("/every/post", {200, "text/html", "<html><body>thanks</body></html>", {}});
        m_source->autoSubmitOn = true;
        // Without the file input: a form with a file to choose is never sent by the walk.
        QStringList map = EveryKindMap;
        map.removeAll("56=shot");
        TForm2 *w = open(site("EveryKind", m_server.url("/every"), "0", "alice\tsecret", map));
        QTRY_COMPARE_WITH_TIMEOUT(posts("/every/post").size(), 1, Timeout);
        QCOMPARE(posts("/every/post").first(), EveryKindBody);
        QVERIFY(m_dialogs.shown.isEmpty());
        QVERIFY(w->pageHandling().filled());
    }

    void withAutoSubmitOffTheSubmitControlOnlyGetsTheFocus()
    {
        m_server.page("/focus", withAction(EveryKindForm, "/focus/post"));
        TForm2 *w = open(site("EveryKind", m_server.url("/focus"), "0", "alice\tsecret", EveryKindMap));
        QTRY_COMPARE_WITH_TIMEOUT(walksDone(w), 1, Timeout);
        const QVariantList state =
            evaluate(w, "[document.activeElement.name, document.forms[0].program_name.value,"
                        " document.forms[0].mirror.value, document.body.hasAttribute('data-submitted')]")
                .toList();
        QCOMPARE(state, (QVariantList{"send", "Kelvane Test & Co", "seen:Kelvane Test & Co", false}));
        QVERIFY(posts("/focus/post").isEmpty());
    }

    void aFormWithAFileToChooseIsLeftForTheUserToSend()
    {
        m_server.page("/file", withAction(EveryKindForm, "/file/post"));
        m_server.page("/file/post", "<html><head><title>Received</title></head><body>ok</body></html>");
        m_source->autoSubmitOn = true;
        TForm2 *w = open(site("File", m_server.url("/file"), "0", "alice\tsecret", EveryKindMap));
        QSignalSpy closed(w, &TForm2::closed);
        QTRY_COMPARE_WITH_TIMEOUT(walksDone(w), 1, Timeout);
        // The browser lets no script choose an upload file: the form waits for the user.
        QCOMPARE(w->noticeText(), QString("Choose the file for shot yourself, then send the form."));
        QCOMPARE(evaluate(w, "[document.activeElement.name, document.body.hasAttribute('data-submitted')]")
                     .toList(),
                 (QVariantList{"send", false}));
        QTest::qWait(300);
        QVERIFY(posts("/file/post").isEmpty());
        QVERIFY(m_dialogs.shown.isEmpty());

        // The user sends it; the site's answer enables the outcome buttons.
        evaluate(w, "document.forms[0].send.click()");
        QTRY_COMPARE_WITH_TIMEOUT(posts("/file/post").size(), 1, Timeout);
        QTRY_VERIFY_WITH_TIMEOUT(button(w, "Button_done")->isEnabled(), Timeout);
        QCOMPARE(w->noticeText(), QString());
        QTest::mouseClick(button(w, "Button_done"), Qt::LeftButton);
        QCOMPARE(closed.size(), 1);
        QCOMPARE(closed.first().at(0).toInt(), 1);
    }

    // A page far beyond any real form is planned off the window's thread: the
    // window's event loop keeps turning (a zero timer ticks) meanwhile. (A list
    // of a million options takes the engine itself a minute to build here, so
    // that one is planned without a browser, in test_formwalkplanner.)
    void aHugePageIsPlannedWhileTheWindowKeepsTurning()
    {
        m_server.page("/huge", "<html><body><form method=post action=/huge/post><div id=slot></div>"
                               "<input type=submit name=send value=Send></form><script>"
                               "var h = []; for (var i = 0; i < 50000; ++i)"
                               " h.push('<input type=radio name=release value=\"Update ' + i + '\">');"
                               " document.getElementById('slot').innerHTML = h.join('');"
                               "</script></body></html>");
        TForm2 *w = open(site("Huge", m_server.url("/huge"), "0", "", {"10=release"}));
        int ticks = 0;
        int ticksWhilePlanning = -1;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&ticks] { ++ticks; });
        ticker.start(0);
        connect(&w->pageDriver(), &PageDriver::planningStarted, this, [&] { ticksWhilePlanning = ticks; });
        connect(&w->pageDriver(), &PageDriver::planningEnded, this,
                [&] { ticksWhilePlanning = ticks - ticksWhilePlanning; });
        QTRY_COMPARE_WITH_TIMEOUT(walksDone(w), 1, Timeout);
        ticker.stop();
        QVERIFY2(m_dialogs.shown.isEmpty(), qPrintable(m_dialogs.errors().join('\n')));
        QVERIFY(ticksWhilePlanning > 0);
        QCOMPARE(evaluate(w, "[document.querySelectorAll('input:checked').length,"
                             " document.querySelectorAll('input[name=release]')[49999].checked,"
                             " document.activeElement.name]").toList(),
                 (QVariantList{1, true, "send"}));
    }

    void aPageTooLargeToPlanInTimeIsLeftToTheUser()
    {
        m_server.page("/huge/late", "<html><body><form><div id=slot></div>"
                                    "<input type=submit name=send value=Send></form><script>"
                                    "var h = []; for (var i = 0; i < 50000; ++i)"
                                    " h.push('<input type=radio name=release value=\"Update ' + i + '\">');"
                                    " document.getElementById('slot').innerHTML = h.join('');"
                                    "</script></body></html>");
        TForm2 *w = open(site("Late", m_server.url("/huge/late"), "0", "", {"10=release"}));
        w->pageDriver().setPlanTimeout(0);
        QTRY_COMPARE_WITH_TIMEOUT(m_dialogs.errors(), QStringList{PageDriver::tooLargeMessage()}, Timeout);
        QVERIFY(!w->pageHandling().walking());
        QTest::qWait(500);
        // The plan that came too late writes nothing.
        QCOMPARE(evaluate(w, "document.querySelectorAll('input:checked').length").toInt(), 0);
        QCOMPARE(walksDone(w), 1);
        QSignalSpy closed(w, &TForm2::closed);
        QTest::mouseClick(button(w, "Button_cancel"), Qt::LeftButton);
        QCOMPARE(closed.size(), 1);
    }

    void theCategoryListFallsBackToTheLastOfOtherAndMiscellaneous_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QByteArray>("options");
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("an option names the category")
            << QByteArray("/category/named") << "Utilities" << QByteArray("<option value=g>Games<option value=us>Utilities - System"
                                         "<option value=o>Other<option value=m>Miscellaneous")
            << QByteArray("cat=us&send=Send");
        QTest::newRow("Other and Miscellaneous: the one further down")
            << QByteArray("/category/other-last") << "Science" << QByteArray("<option value=g>Games<option value=m>Miscellaneous"
                                       "<option value=us>Utilities<option value=o>Other")
            << QByteArray("cat=o&send=Send");
        QTest::newRow("Miscellaneous below Other")
            << QByteArray("/category/misc-last") << "Science" << QByteArray("<option value=o>Other<option value=g>Games"
                                       "<option value=m>Misc. &amp; Miscellaneous")
            << QByteArray("cat=m&send=Send");
    }
    void theCategoryListFallsBackToTheLastOfOtherAndMiscellaneous()
    {
        QFETCH(QByteArray, path);
        QFETCH(QString, category);
        QFETCH(QByteArray, options);
        m_server.page(path, "<html><body><form method=post action=" + path
                                + "/post><select name=cat>" + options
                                + "</select><input type=submit name=send value=Send></form></body></html>");
        m_source->software[47] = category;
        m_source->autoSubmitOn = true;
        open(site("Cat", m_server.url(QString::fromLatin1(path)), "0", "", {"47=cat"}));
        QTRY_COMPARE_WITH_TIMEOUT(posts(path + "/post").size(), 1, Timeout);
        QTEST(posts(path + "/post").first(), "sent");
    }

    void anInputNameInSeveralFormsIsFilledEverywhereAndTheLastFormIsSent()
    {
        m_server.page("/multi",
                      "<html><body>"
                      "<form method=post action=/multi/a><input name=padurl><input name=padurl>"
                      "<input type=submit name=a value=A></form>"
                      "<form method=post action=/multi/b><input name=other><input name=padurl>"
                      "<input type=submit name=b value=B></form></body></html>");
        TForm2 *w = open(site("Multi", m_server.url("/multi"), "0", "", {"57=padurl"}));
        QTRY_COMPARE_WITH_TIMEOUT(walksDone(w), 1, Timeout);
        const QVariantList values =
            evaluate(w, "Array.prototype.map.call(document.querySelectorAll('[name=padurl]'),"
                        " function (e) { return e.value; }).concat([document.activeElement.name])")
                .toList();
        const QString pad = "http://pad.example/pad.xml";
        QCOMPARE(values, (QVariantList{pad, pad, pad, "b"}));
    }

    void theFormOfTheLastMatchedInputIsTheOneSent()
    {
        m_server.page("/multisend",
                      "<html><body>"
                      "<form method=post action=/multisend/a><input name=padurl>"
                      "<input type=submit name=a value=A></form>"
                      "<form method=post action=/multisend/b><input name=padurl>"
                      "<input type=submit name=b value=B></form></body></html>");
        m_source->autoSubmitOn = true;
        open(site("Multi", m_server.url("/multisend"), "0", "", {"57=padurl"}));
        QTRY_COMPARE_WITH_TIMEOUT(posts("/multisend/b").size(), 1, Timeout);
        QCOMPARE(posts("/multisend/b").first(),
                 QByteArray("padurl=http%3A%2F%2Fpad.example%2Fpad.xml&b=B"));
        QVERIFY(posts("/multisend/a").isEmpty());
    }

    void aFieldsetNamedLikeAnInputIsSkipped()
    {
        m_server.page("/fieldset",
                      "<html><body><form method=post action=/fieldset/post>"
                      "<fieldset name=program_name><legend>About</legend>"
                      "<input name=program_name></fieldset>"
                      "<input type=submit name=send value=Send></form></body></html>");
        m_source->autoSubmitOn = true;
        open(site("Fieldset", m_server.url("/fieldset"), "0", "", {"0=program_name"}));
        QTRY_COMPARE_WITH_TIMEOUT(posts("/fieldset/post").size(), 1, Timeout);
        QCOMPARE(posts("/fieldset/post").first(), QByteArray("program_name=Kelvane+Test+%26+Co&send=Send"));
        QVERIFY(m_dialogs.shown.isEmpty());
    }

    void aPageWithoutAFormIsReported()
    {
        m_server.page("/noform", "<html><head><title>Nothing here</title></head><body>text</body></html>");
        TForm2 *w = open(site("NoForm", m_server.url("/noform"), "0", "", {"0=program_name"}));
        QTRY_COMPARE_WITH_TIMEOUT(m_dialogs.messages(),
                                  QStringList{"Error. No Form was found on this site."}, Timeout);
        QCOMPARE(w->windowTitle(), QString("Nothing here"));
        QVERIFY(!button(w, "Button_done")->isEnabled());
    }

    void aPageThatCannotBeOpenedSaysWhyInsteadOfWaitingForAForm()
    {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const quint16 port = closed.serverPort();
        closed.close();
        TForm2 *w = open(site("Closed", QStringLiteral("http://127.0.0.1:%1/add").arg(port), "0", "",
                              {"0=program_name"}));
        QTRY_VERIFY_WITH_TIMEOUT(!w->noticeText().isEmpty(), Timeout);
        QCOMPARE(w->noticeText(), QStringLiteral("The page could not be opened: the site refused the "
                                                 "connection (net::ERR_CONNECTION_REFUSED)."));
        // Past the late-form wait: no walk ran and no box blames a missing form.
        QTest::qWait(1800);
        QCOMPARE(walksDone(w), 0);
        QVERIFY(m_dialogs.shown.isEmpty());
        QVERIFY(!button(w, "Button_done")->isEnabled());
    }

    void aLoginFirstSiteLogsInThenFillsTheNextPage_data()
    {
        QTest::addColumn<bool>("autoSubmit");
        QTest::addColumn<QString>("userPass");
        QTest::addColumn<QByteArray>("loginBody");
        QTest::newRow("the site's pair, auto-submit off")
            << false << "alice\tsecret" << QByteArray("user=alice&pass=secret&login=Log+in");
        QTest::newRow("the default pair, auto-submit on")
            << true << "" << QByteArray("user=defuser&pass=defpass&login=Log+in");
    }
    void aLoginFirstSiteLogsInThenFillsTheNextPage()
    {
        QFETCH(bool, autoSubmit);
        QFETCH(QString, userPass);
        QFETCH(QByteArray, loginBody);
        const QByteArray base = autoSubmit ? "/login-on" : "/login-off";
        m_server.page(base, "<html><head><title>Log in</title></head><body><form method=post action="
                                + base + "/in><input name=user><input type=password name=pass>"
                                         "<input type=submit name=login value='Log in'></form></body></html>");
        m_server.route(base + "/in",
                       {200, "text/html",
                        "<html><head><title>Submit</title></head><body><form method=post action="
                            + base + "/submit><input name=user><input name=program_name>"
                                     "<input type=submit name=send value=Send></form></body></html>",
                        {}});
        m_server.route(base + "/submit", {200, "text/html", "<html><body>thanks</body></html>", {}});
        m_source->autoSubmitOn = autoSubmit;
        TForm2 *w = open(site("LoginFirst", m_server.url(QString::fromLatin1(base)), "1", userPass,
                              {"-2=user", "-1=pass", "0=program_name"}));
        QTRY_COMPARE_WITH_TIMEOUT(posts(base + "/in"), QList<QByteArray>{loginBody}, Timeout);
        QTRY_COMPARE_WITH_TIMEOUT(walksDone(w), 2, Timeout);
        QVERIFY(w->pageHandling().loggedIn());
        QVERIFY(w->pageHandling().filled());
        if (autoSubmit) {
            QTRY_COMPARE_WITH_TIMEOUT(posts(base + "/submit").size(), 1, Timeout);
            // From column 10 on: the user name entry of column 8 is not used again.
            QCOMPARE(posts(base + "/submit").first(),
                     QByteArray("user=&program_name=Kelvane+Test+%26+Co&send=Send"));
        } else {
            QCOMPARE(evaluate(w, "document.forms[0].program_name.value + '|' + document.forms[0].user.value")
                         .toString(),
                     QString("Kelvane Test & Co|"));
            QVERIFY(posts(base + "/submit").isEmpty());
        }
        QVERIFY(m_dialogs.shown.isEmpty());
    }

    void aRejectedLoginShowsTheMessageAndSendsNothingMore()
    {
        m_server.page("/reject", "<html><body><form method=post action=/reject/in><input name=user>"
                                 "<input type=password name=pass><input type=submit name=go value=Go>"
                                 "</form></body></html>");
        m_server.route("/reject/in", {200, "text/html",
                                      "<html><head><title>Wrong</title></head><body><form method=post "
                                      "action=/reject/again><input name=user><input type=password "
                                      "name=pass><input type=submit name=go value=Go></form></body></html>",
                                      {}});
        m_source->autoSubmitOn = true;
        TForm2 *w = open(site("Reject", m_server.url("/reject"), "1", "alice\tsecret",
                              {"-2=user", "-1=pass", "0=program_name"}));
        QTRY_COMPARE_WITH_TIMEOUT(walksDone(w), 2, Timeout);
        QCOMPARE(posts("/reject/in"), QList<QByteArray>{"user=alice&pass=secret&go=Go"});
        QCOMPARE(m_dialogs.errors(),
                 QStringList{"This user/password pair was not accepted...\rYou must register with "
                             "this site before submiting."});
        QCOMPARE(evaluate(w, "document.activeElement === document.body").toBool(), true);
        QVERIFY(posts("/reject/again").isEmpty());
    }

    void aFramesetIsHandledOnceTheWholePageHasCompleted()
    {
        m_server.page("/frames", "<html><head><title>Frames</title></head><frameset cols='50%,50%'>"
                                 "<frame src='/frames/left'><frame src='/frames/right'></frameset></html>");
        m_server.page("/frames/left", "<html><body><form method=post action=/frames/post>"
                                      "<input name=program_name><input type=submit></form></body></html>");
        m_server.page("/frames/right", "<html><body>right</body></html>");
        m_source->autoSubmitOn = true;
        TForm2 *w = open(site("Frames", m_server.url("/frames"), "0", "", {"0=program_name"}));
        QTRY_COMPARE_WITH_TIMEOUT(posts("/frames/post"), QList<QByteArray>{"program_name=Kelvane+Test+%26+Co"}, Timeout);
        // The form of the frame was filled and sent by the one walk of the
        // page; the frames' completions did not each start one.
        QVERIFY(m_dialogs.shown.isEmpty());
        QCOMPARE(w->windowTitle(), QString("Frames"));
        QCOMPARE(walksDone(w), 1);
    }

    // The ways download sites build their forms today, each filled, sent and
    // its outcome recorded; the answer may come as a new page or in place.
    void todaysFormsAreFilledSentAndTheirOutcomeRecorded_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("html");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QByteArray>("sent");

        const QByteArray formSent = "program_name=Kelvane+Test+%26+Co&send=Send";
        QTest::newRow("inputs outside any form, one with an id only, sent by a script")
            << QByteArray("/loose") << "<html><head>" + SendJson + "</head><body><div>"
               "<input name=program_name><input id=pad><button type=button onclick=\"sendJson('/loose/post',"
               " { name: document.querySelector('[name=program_name]').value,"
               " pad: document.getElementById('pad').value })\">Submit program</button></div></body></html>"
            << QStringList{"0=program_name", "57=pad"}
            << QByteArray("{\"name\":\"Kelvane Test & Co\",\"pad\":\"http://pad.example/pad.xml\"}");
        QTest::newRow("a form drawn after the page has loaded")
            << QByteArray("/late") << "<html><body><div id=slot>Loading...</div><script>setTimeout(function () {"
               " document.getElementById('slot').innerHTML = '" + PlainForm + "'; }, 400);</script></body></html>"
            << QStringList{"0=program_name"} << formSent;
        QTest::newRow("a form inside a frame of the same site")
            << QByteArray("/framed") << QByteArray("<html><body><p>Submit</p><iframe src=/framed/inner></iframe></body></html>")
            << QStringList{"0=program_name"} << formSent;
        QTest::newRow("a form inside a web component's open shadow root")
            << QByteArray("/component") << "<html><body><submit-box></submit-box><script>"
               "customElements.define('submit-box', class extends HTMLElement { constructor() { super();"
               " this.attachShadow({ mode: 'open' }).innerHTML = '" + PlainForm + "'; } });</script></body></html>"
            << QStringList{"0=program_name"} << formSent;
        QTest::newRow("a form whose answer would go to a new window")
            << QByteArray("/blank") << QByteArray(PlainForm).replace("<form ", "<form target=_blank ")
            << QStringList{"0=program_name"} << formSent;
        // As a framework does: it keeps what its own code set and takes a
        // new value from input events only; each render writes its state back.
        QTest::newRow("a framework's controlled input, sent by a script")
            << QByteArray("/controlled") << "<html><head>" + SendJson + "</head><body><input id=name>"
               "<button id=go>Send</button><script>var state = { name: '' }, tracked = '';"
               "var el = document.getElementById('name');"
               "var native = Object.getOwnPropertyDescriptor(HTMLInputElement.prototype, 'value');"
               "Object.defineProperty(el, 'value', { get: function () { return native.get.call(this); },"
               " set: function (v) { tracked = String(v); native.set.call(this, v); } });"
               "el.addEventListener('input', function () { if (el.value !== tracked) { tracked = el.value;"
               " state.name = el.value; } });"
               "setInterval(function () { el.value = state.name; }, 20);"
               "document.getElementById('go').addEventListener('click', function () {"
               " sendJson('/controlled/post', { name: state.name }); });</script></body></html>"
            << QStringList{"0=name"} << QByteArray("{\"name\":\"Kelvane Test & Co\"}");
    }
    void todaysFormsAreFilledSentAndTheirOutcomeRecorded()
    {
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, html);
        QFETCH(QStringList, entries);
        m_server.page(path, QByteArray(html).replace("action=POST", "action=" + path + "/post"));
        m_server.page(path + "/inner", "<html><body>" + QByteArray(PlainForm).replace("POST", path + "/post") + "</body></html>");
        m_server.page(path + "/post", "<html><head><title>Received</title></head><body>Thank you, your "
                                      "program was received.</body></html>");
        m_source->autoSubmitOn = true;
        TForm2 *w = open(site("Today", m_server.url(QString::fromLatin1(path)), "0", "", entries));
        QSignalSpy closed(w, &TForm2::closed);
        QTRY_COMPARE_WITH_TIMEOUT(posts(path + "/post").size(), 1, Timeout);
        QTEST(posts(path + "/post").first(), "sent");
        QTRY_VERIFY_WITH_TIMEOUT(button(w, "Button_done")->isEnabled(), Timeout);
        QVERIFY2(m_dialogs.shown.isEmpty(), qPrintable(m_dialogs.errors().join('\n')));
        QTest::mouseClick(button(w, "Button_done"), Qt::LeftButton);
        QCOMPARE(closed.size(), 1);
        QCOMPARE(closed.first().at(0).toInt(), 1);
    }

    // The user's own click on a link that opens a window gets that window,
    // beside the filled page; a window the page opens by itself is refused.
    void aWindowThePageOpensShowsBesideOnlyWhenTheUserAsked()
    {
        m_server.page("/opens", "<html><body><form method=post action=/opens/post><input name=program_name>"
                                "</form><a id=terms href=/thanks target=_blank>Terms</a>"
                                "<script>window.open('/thanks?ad', 'ad');</script></body></html>");
        TForm2 *w = open(site("Opens", m_server.url("/opens"), "0", "", {"0=program_name"}));
        QSignalSpy status(w->findChild<QStatusBar *>("StatusBar1"), &QStatusBar::messageChanged);
        QTRY_COMPARE_WITH_TIMEOUT(walksDone(w), 1, Timeout);
        QVERIFY(std::any_of(status.cbegin(), status.cend(), [](const QList<QVariant> &args) {
            return args.value(0).toString() == "The page tried to open a window of its own; it was not opened.";
        }));
        QVERIFY(gets("/thanks?ad").isEmpty());
        QVERIFY(!w->findChild<PopupWindow *>());

        evaluate(w, "document.getElementById('terms').focus()");
        QTest::keyClick(w->browser()->focusProxy(), Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(gets("/thanks").size(), 1, Timeout);
        QPointer<PopupWindow> popup = w->findChild<PopupWindow *>();
        QVERIFY(popup);
        QTRY_COMPARE_WITH_TIMEOUT(popup->windowTitle(), QString("Thanks"), Timeout);
        QCOMPARE(evaluate(w, "document.querySelector('[name=program_name]').value").toString(),
                 QString("Kelvane Test & Co"));
        delete w;
        QVERIFY(popup.isNull()); // it closes with the window that opened it
    }

    void aPictureCodeIsLeftForTheUserWhoseEnterSendsTheForm()
    {
        m_server.page("/code", "<html><body><form method=post action=/code/post><input name=program_name>"
                               "<p><img src=/code/picture.png alt='Security code'> <input name=code></p>"
                               "<input type=submit name=send value=Send></form></body></html>");
        m_server.page("/code/post", "<html><head><title>Received</title></head><body>ok</body></html>");
        m_source->autoSubmitOn = true;
        TForm2 *w = open(site("Code", m_server.url("/code"), "0", "", {"0=program_name"}));
        QSignalSpy closed(w, &TForm2::closed);
        QTRY_COMPARE_WITH_TIMEOUT(walksDone(w), 1, Timeout);
        QCOMPARE(w->noticeText(), QString("Type the characters from the picture, then send the form."));
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(w, "document.activeElement.name").toString(), QString("code"), Timeout);
        QTest::qWait(300);
        QVERIFY(posts("/code/post").isEmpty());

        QWidget *keys = w->browser()->focusProxy();
        QTest::keyClicks(keys, "x7Fq");
        QTest::keyClick(keys, Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(posts("/code/post"),
                                  QList<QByteArray>{"program_name=Kelvane+Test+%26+Co&code=x7Fq&send=Send"}, Timeout);
        QTRY_VERIFY_WITH_TIMEOUT(button(w, "Button_done")->isEnabled(), Timeout);
        QTest::mouseClick(button(w, "Button_done"), Qt::LeftButton);
        QCOMPARE(closed.size(), 1);
        QCOMPARE(closed.first().at(0).toInt(), 1);
    }

    // Pages the walk must fill only so far, or not at all: each ends in a
    // bounded time with a notice or the walk's error, and nothing is sent.
    void whatTheWalkCannotFinishIsLeftToTheUser_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("html");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<QStringList>("messages");

        const QString noForm = "Error. No Form was found on this site.";
        QUrl foreign = m_server.url("/foreign/inner");
        foreign.setHost("localhost");
        QTest::newRow("a challenge widget")
            << QByteArray("/challenge") << QByteArray("<html><body><form method=post action=/challenge/post>"
               "<input name=program_name><div class=g-recaptcha><textarea name=g-recaptcha-response"
               " style='display: none'></textarea></div><input type=submit name=send value=Send></form></body></html>")
            << "Complete the check on the page, then send the form." << QStringList{};
        QTest::newRow("a form in a frame of another site")
            << QByteArray("/foreign") << "<html><body><iframe src='" + foreign.toEncoded() + "'></iframe></body></html>"
            << "The form is inside a frame from another site; fill it in by hand." << QStringList{noForm};
        QTest::newRow("a picture code inside a frame")
            << QByteArray("/codeframe") << QByteArray("<html><body><iframe src=/codeframe/inner></iframe></body></html>")
            << "Type the characters from the picture, then send the form." << QStringList{};
        QByteArray nested = "<html><body><div id=host></div><script>var root = document.getElementById('host');"
                            "for (var i = 0; i < 50; ++i) { var d = document.createElement('div');"
                            " root.attachShadow({ mode: 'open' }).appendChild(d); root = d; }"
                            "root.innerHTML = '" + PlainForm + "';</script></body></html>";
        QTest::newRow("a form 50 shadow roots deep") << QByteArray("/deep") << nested << "" << QStringList{noForm};
        QTest::newRow("frames 50 deep") << QByteArray("/nest/0") << QByteArray() << "" << QStringList{noForm};
        QTest::newRow("an input added every 10 ms forever")
            << QByteArray("/forever") << QByteArray("<html><body><input name=q><script>var n = 0; setInterval(function () {"
               " var e = document.createElement('input'); e.name = 'x' + n++; document.body.appendChild(e); }, 10);"
               "</script></body></html>")
            << "" << QStringList{};
    }
    void whatTheWalkCannotFinishIsLeftToTheUser()
    {
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, html);
        const QByteArray codeForm = "<form method=post action=/codeframe/post><input name=program_name>"
                                    "<input name=captcha><input type=submit name=send value=Send></form>";
        m_server.page(path, html);
        m_server.page(path + "/inner", "<html><body>" + (path == "/codeframe" ? codeForm : QByteArray(PlainForm)) + "</body></html>");
        for (int depth = 0; depth < 50; ++depth)
            m_server.page("/nest/" + QByteArray::number(depth),
                          depth < 49 ? "<html><body><iframe src=/nest/" + QByteArray::number(depth + 1) + "></iframe></body></html>"
                                     : "<html><body>" + QByteArray(PlainForm) + "</body></html>");
        m_source->autoSubmitOn = true;
        const qsizetype sentBefore = m_server.requests("POST").size();
        TForm2 *w = open(site("User", m_server.url(QString::fromLatin1(path)), "0", "", {"0=program_name"}));
        QTRY_COMPARE_WITH_TIMEOUT(walksDone(w), 1, Timeout);
        QTEST(w->noticeText(), "notice");
        QTEST(m_dialogs.messages(), "messages");
        QTest::qWait(200);
        QCOMPARE(m_server.requests("POST").size(), sentBefore);
        QSignalSpy closed(w, &TForm2::closed);
        QTest::mouseClick(button(w, "Button_cancel"), Qt::LeftButton);
        QCOMPARE(closed.size(), 1);
    }

    void aRedirectAfterTheSubmitEnablesDoneOkAndDoneOkKeepsTheSiteRow()
    {
        m_server.page("/redirect", "<html><body><form method=post action=/redirect/post>"
                                   "<input name=program_name><input type=submit name=go value=Go>"
                                   "</form></body></html>");
        m_server.route("/redirect/post", {302, "text/html", "", "/thanks"});
        m_source->autoSubmitOn = true;
        TForm2 *w = open(site("Redirect", m_server.url("/redirect"), "0", "", {"0=program_name"}), 4);
        QSignalSpy closed(w, &TForm2::closed);
        QVERIFY(!button(w, "Button_done")->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(button(w, "Button_done")->isEnabled(), Timeout);
        QVERIFY(button(w, "Button_fail")->isEnabled());
        QCOMPARE(posts("/redirect/post"), QList<QByteArray>{"program_name=Kelvane+Test+%26+Co&go=Go"});
        QCOMPARE(w->windowTitle(), QString("Thanks"));
        QPointer<TForm2> alive(w);
        QTest::mouseClick(button(w, "Button_done"), Qt::LeftButton);
        QCOMPARE(closed.size(), 1);
        QCOMPARE(closed.first().at(0).toInt(), 4);
        QTRY_VERIFY_WITH_TIMEOUT(alive.isNull(), Timeout);
    }

    void theOutcomeKeysPressTheirButtons_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("typing"); // the answer page's input has the keyboard
        QTest::addColumn<int>("closedWith"); // 99: stays open

        QTest::newRow("Ctrl+Return takes the suggested done ok") << int(Qt::Key_Return) << int(Qt::ControlModifier) << false << 4;
        QTest::newRow("Ctrl+Backspace: failed") << int(Qt::Key_Backspace) << int(Qt::ControlModifier) << false << -4;
        QTest::newRow("Escape: cancel") << int(Qt::Key_Escape) << int(Qt::NoModifier) << false << 0;
        QTest::newRow("Escape while typing in the page") << int(Qt::Key_Escape) << int(Qt::NoModifier) << true << 99;
        QTest::newRow("Ctrl+Backspace while typing deletes a word") << int(Qt::Key_Backspace) << int(Qt::ControlModifier) << true << 99;
    }

    void theOutcomeKeysPressTheirButtons()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, typing);
        QFETCH(int, closedWith);
        m_server.page("/keys", "<html><body><form method=post action=/keys/answer><input name=program_name>"
                               "<input type=submit name=go value=Go></form></body></html>");
        m_server.page("/keys/answer", "<html><body><p>Thank you, your program was received.</p>"
                                      "<input id=note></body></html>");
        m_source->autoSubmitOn = true;
        TForm2 *w = open(site("Keys", m_server.url("/keys"), "0", "", {"0=program_name"}), 4);
        QSignalSpy closed(w, &TForm2::closed);
        QTRY_VERIFY_WITH_TIMEOUT(button(w, "Button_done")->isEnabled(), Timeout);
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        evaluate(w, typing ? "document.getElementById('note').focus()" : "document.activeElement.blur()");
        QTest::keyClick(w->browser()->focusProxy(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        if (closedWith == 99) {
            QTest::qWait(300);
            QCOMPARE(closed.size(), 0);
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(closed.size(), 1, Timeout);
            QCOMPARE(closed.first().at(0).toInt(), closedWith);
        }
    }

    void failedNegatesTheResultCode()
    {
        m_server.page("/fail", "<html><body><form method=post action=/fail/post>"
                               "<input name=program_name><input type=submit name=go value=Go>"
                               "</form></body></html>");
        m_server.route("/fail/post", {200, "text/html", "<html><body>sorry</body></html>", {}});
        m_source->autoSubmitOn = true;
        TForm2 *w = open(site("Fail", m_server.url("/fail"), "0", "", {"0=program_name"}), 3);
        QSignalSpy closed(w, &TForm2::closed);
        QTRY_VERIFY_WITH_TIMEOUT(button(w, "Button_fail")->isEnabled(), Timeout);
        QTest::mouseClick(button(w, "Button_fail"), Qt::LeftButton);
        QCOMPARE(closed.size(), 1);
        QCOMPARE(closed.first().at(0).toInt(), -3);
    }

    void aPageWhoseScriptsThrowIsStillFilledAndSent()
    {
        m_server.page("/throws",
                      "<html><head><script>throw new Error('broken page');</script></head><body>"
                      "<form method=post action=/throws/post><input name=program_name>"
                      "<input type=submit name=go value=Go></form><script>"
                      "document.forms[0].program_name.addEventListener('input', function () {"
                      " throw new Error('listener'); });"
                      "document.forms[0].program_name.addEventListener('change', function () {"
                      " null.boom(); });</script></body></html>");
        m_source->autoSubmitOn = true;
        open(site("Throws", m_server.url("/throws"), "0", "", {"0=program_name"}));
        QTRY_COMPARE_WITH_TIMEOUT(posts("/throws/post").size(), 1, Timeout);
        QCOMPARE(posts("/throws/post").first(), QByteArray("program_name=Kelvane+Test+%26+Co&go=Go"));
        QVERIFY(m_dialogs.shown.isEmpty());
    }

    void aPageThatNavigatesAwayDuringTheFillIsHeldBack()
    {
        m_server.page("/navaway", "<html><body><form method=post action=/navaway/post>"
                                  "<input name=program_name><input type=submit name=go value=Go>"
                                  "</form><script>document.forms[0].program_name.addEventListener("
                                  "'change', function () { location.href = '/navaway/elsewhere'; });"
                                  "</script></body></html>");
        m_source->autoSubmitOn = true;
        open(site("NavAway", m_server.url("/navaway"), "0", "", {"0=program_name"}));
        QTRY_COMPARE_WITH_TIMEOUT(posts("/navaway/post").size(), 1, Timeout);
        QCOMPARE(posts("/navaway/post").first(), QByteArray("program_name=Kelvane+Test+%26+Co&go=Go"));
        QVERIFY(gets("/navaway/elsewhere").isEmpty());
        QVERIFY(m_dialogs.shown.isEmpty());
    }

    void aPageThatShadowsTheFormsCollectionIsStillRead()
    {
        m_server.page("/shadow", "<html><body><form name=forms method=post action=/shadow/post>"
                                 "<input name=elements><input name=program_name>"
                                 "<input type=submit name=go value=Go></form></body></html>");
        m_source->autoSubmitOn = true;
        open(site("Shadow", m_server.url("/shadow"), "0", "", {"0=program_name"}));
        QTRY_COMPARE_WITH_TIMEOUT(posts("/shadow/post").size(), 1, Timeout);
        QCOMPARE(posts("/shadow/post").first(),
                 QByteArray("elements=&program_name=Kelvane+Test+%26+Co&go=Go"));
    }

    void aWindowClosedDuringTheWalkEndsQuietly()
    {
        m_server.page("/big-close", BigFormPage::html("/big-close/post"));
        m_source->software = BigFormPage::softwareRecord();
        m_source->autoSubmitOn = true;
        TForm2 *w = open(site("Big", m_server.url("/big-close"), "0", "", BigFormPage::fieldMap()));
        QSignalSpy closed(w, &TForm2::closed);
        QPointer<TForm2> alive(w);
        bool walkingAtCancel = false;
        connect(
            &w->pageHandling(), &PageHandling::walkRequested, w,
            [w, &walkingAtCancel] {
                walkingAtCancel = w->pageDriver().isWalking();
                QTest::mouseClick(button(w, "Button_cancel"), Qt::LeftButton);
            },
            Qt::QueuedConnection);
        QTRY_COMPARE_WITH_TIMEOUT(closed.size(), 1, Timeout);
        QVERIFY(walkingAtCancel);
        QCOMPARE(closed.first().at(0).toInt(), 0);
        // The window and its page are released; the walk's answers find nothing to act on.
        QTRY_VERIFY_WITH_TIMEOUT(alive.isNull(), Timeout);
        QVERIFY(m_dialogs.shown.isEmpty());
        QVERIFY(posts("/big-close/post").isEmpty());
    }

    void aPageThatDoesNotAnswerEndsTheWalkWithAMessage()
    {
        m_server.page("/hang", "<html><body><form method=post action=/hang/post><input name=program_name>"
                               "<input type=submit name=go value=Go></form><script>"
                               "document.forms[0].program_name.addEventListener('input', function () {"
                               " var t = Date.now(); while (Date.now() - t < 3000) {} });"
                               "</script></body></html>");
        m_source->autoSubmitOn = true;
        TForm2 *w = open(site("Hang", m_server.url("/hang"), "0", "", {"0=program_name"}));
        w->pageDriver().setAnswerTimeout(300);
        QTRY_COMPARE_WITH_TIMEOUT(m_dialogs.errors(), QStringList{PageDriver::noAnswerMessage()}, Timeout);
        QVERIFY(!w->pageHandling().walking());
        // The page's answer that comes after the timeout is dropped: nothing is sent.
        QTRY_VERIFY_WITH_TIMEOUT(evaluate(w, "document.forms[0].program_name.value").toString()
                                     == "Kelvane Test & Co",
                                 Timeout);
        QVERIFY(posts("/hang/post").isEmpty());
        QCOMPARE(walksDone(w), 1);
        QSignalSpy closed(w, &TForm2::closed);
        QTest::mouseClick(button(w, "Button_cancel"), Qt::LeftButton);
        QCOMPARE(closed.size(), 1);
    }

    void thePageSignatureEndsTheBodyAndTheBorderIsGone()
    {
        m_server.page("/sign", "<html><body style='border: 3px solid red'><form><input name=x>"
                               "</form><p>last</p></body></html>");
        TForm2 *w = open(site("Sign", m_server.url("/sign"), "0", "", {"0=program_name"}));
        QTRY_COMPARE_WITH_TIMEOUT(walksDone(w), 1, Timeout);
        const QVariantList signature =
            evaluate(w, "var a = document.body.lastElementChild;"
                        "[a.tagName, a.getAttribute('href'), a.innerHTML,"
                        " a.previousElementSibling.tagName, document.body.style.borderStyle]")
                .toList();
        QCOMPARE(signature, (QVariantList{"A", PageHandling::makerHomePage(),
                                          "Kelvane Submit <i>by</i> Tarnowel", "BR", "none"}));
    }

    void aRegistrationWindowOpensTheRegistrationPageAndAsksForTheDataByHand()
    {
        m_server.page("/register", "<html><head><title>Register</title></head><body><form>"
                                   "<input name=program_name></form></body></html>");
        TForm2 *w = open(site("Reg", m_server.url("/nothing"), "0", "", {"0=program_name"},
                              m_server.url("/register").toString()),
                         -1);
        QTRY_COMPARE_WITH_TIMEOUT(m_dialogs.messages().size(), 1, Timeout);
        QCOMPARE(m_dialogs.messages().first(), PageHandling::registrationMessage());
        QCOMPARE(gets("/nothing").size(), 0);
        QCOMPARE(evaluate(w, "document.forms[0].program_name.value").toString(), QString());
        QCOMPARE(walksDone(w), 0);
    }

    void anEmailSiteHandsTheComposedMessageToTheMailProgram()
    {
        m_server.page("/mail", "<html><body>Send us a mail</body></html>");
        TForm2 *w = open(site("Mail", m_server.url("/mail"), "3", "", {}, "new@mail.example"));
        QTRY_COMPARE_WITH_TIMEOUT(m_addresses.opened.size(), 1, Timeout);
        QVERIFY(m_addresses.opened.first().startsWith("mailto:new@mail.example?subject="));
        QVERIFY(!w->pageHandling().filled());
        // Whether the mail went out the user records; a second page composes nothing.
        QTRY_VERIFY_WITH_TIMEOUT(button(w, "Button_done")->isEnabled(), Timeout);
        QVERIFY(button(w, "Button_fail")->isEnabled());
        w->page()->load(m_server.url("/mail"));
        QTRY_COMPARE_WITH_TIMEOUT(gets("/mail").size(), 2, Timeout);
        QTest::qWait(300);
        QCOMPARE(m_addresses.opened.size(), 1);
    }

    void theRunsWindowsShareOneCookieJarWithoutACache()
    {
        m_server.page("/cookie", "<html><body><script>document.cookie = 'run=1; path=/';</script>"
                                 "<form><input name=x></form></body></html>");
        m_server.page("/cookie2", "<html><body><form><input name=x></form></body></html>");
        TForm2 *first = open(site("Cookie", m_server.url("/cookie"), "0", "", {"0=x"}));
        QTRY_COMPARE_WITH_TIMEOUT(walksDone(first), 1, Timeout);
        QTest::mouseClick(button(first, "Button_cancel"), Qt::LeftButton);
        TForm2 *second = open(site("Cookie", m_server.url("/cookie2"), "0", "", {"0=x"}));
        QTRY_COMPARE_WITH_TIMEOUT(walksDone(second), 1, Timeout);
        QCOMPARE(gets("/cookie2").size(), 1);
        QCOMPARE(gets("/cookie2").first().headers.value("cookie"), QByteArray("run=1"));
        // Known platform limit, not a wish: Chromium drops the site's
        // "Referer: KelvaneSubmit" header (not an absolute address), so none
        // arrives. Should a later engine send it, this line says so.
        QVERIFY(!gets("/cookie").first().headers.contains("referer"));
        QVERIFY(second->page()->profile()->isOffTheRecord());
        QCOMPARE(second->page()->profile(), TForm2::sharedProfile());
        QCOMPARE(TForm2::sharedProfile()->httpCacheType(), QWebEngineProfile::NoCache);
    }

    void withPageScriptsOffTheFillStillWorks()
    {
        m_server.page("/noscript", withAction(EveryKindForm, "/noscript/post")
                                       .replace("<title>Every kind</title>", "<title>Plain</title>")
                                       .replace("</body>", "<script>document.title = 'scripted';</script></body>"));
        BrowserOptions options;
        options.scripts = false;
        options.images = false;
        TForm2 *w = open(site("NoScript", m_server.url("/noscript"), "0", "alice\tsecret", EveryKindMap),
                         1, options);
        QTRY_COMPARE_WITH_TIMEOUT(walksDone(w), 1, Timeout);
        QCOMPARE(w->windowTitle(), QString("Plain"));
        // The page's own change listener did not run: the mirror stays empty.
        const QVariantList values =
            evaluate(w, "[document.forms[0].program_name.value, document.forms[0].mirror.value]").toList();
        QCOMPARE(values, (QVariantList{"Kelvane Test & Co", ""}));
    }

    void theWindowHasNoCloseBoxAndOnlyItsButtonsCloseIt()
    {
        m_server.page("/frame", "<html><body><form><input name=x></form></body></html>");
        TForm2 *w = open(site("Frame", m_server.url("/frame"), "0", "", {"0=x"}));
        QVERIFY(!(w->windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!(w->windowFlags() & Qt::WindowSystemMenuHint));
        QVERIFY(!w->close());
        QVERIFY(w->isVisible());
        QVERIFY(button(w, "Button_cancel")->isEnabled());
        QVERIFY(!button(w, "Button_fail")->isEnabled());
        QVERIFY(!button(w, "Button_done")->isEnabled());
        QCOMPARE(button(w, "Button_done")->text(), QString("done ok"));
        QCOMPARE(button(w, "Button_cancel")->text(), QString("cancel"));
        QCOMPARE(button(w, "Button_fail")->text(), QString("failed"));
        w->resize(800, 500);
        QTRY_COMPARE_WITH_TIMEOUT(button(w, "Button_done")->x(), 800 - 77, Timeout);
        QCOMPARE(button(w, "Button_cancel")->x(), 800 - 146);
        QCOMPARE(button(w, "Button_fail")->x(), 800 - 212);
        QCOMPARE(w->findChild<QWidget *>("Panel_mnu")->height(), 24);
    }

    void aPageLoadedAheadAsksTheUserNothingAndIsNotShownIfItWantedTo_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<bool>("usable");
        QTest::newRow("a quiet page") << QByteArray() << true;
        QTest::newRow("an alert") << QByteArray("alert('Welcome!');") << false;
        QTest::newRow("a question") << QByteArray("if (confirm('Sure?')) document.title = 'Yes';")
                                    << false;
        QTest::newRow("a prompt") << QByteArray("prompt('Your name?', 'x');") << false;
        QTest::newRow("a window of its own") << QByteArray("window.open('/thanks');") << false;
    }
    void aPageLoadedAheadAsksTheUserNothingAndIsNotShownIfItWantedTo()
    {
        QFETCH(QByteArray, script);
        QFETCH(bool, usable);
        const QByteArray path = "/ahead" + QByteArray::number(qHash(script));
        m_server.page(path, "<html><head><title>Ahead</title></head><body><form><input name=x>"
                            "</form><script>" + script + "</script></body></html>");
        m_source->sites = {QStringList(), site("Ahead", m_server.url(QString::fromLatin1(path)), "0", "", {"0=x"})};
        TForm2 *w = preloadBrowserWindow(1, *m_source, m_dialogs, m_addresses);
        m_windows.append(w);
        QTRY_VERIFY_WITH_TIMEOUT(w->pageHandling().filled(), Timeout);
        QCOMPARE(w->preloadUsable(), usable);
        // Nothing was shown meanwhile: no box, no window.
        QVERIFY(!w->isVisible());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        for (QWidget *top : QApplication::topLevelWidgets())
            QVERIFY2(!top->isVisible(), qPrintable(top->objectName()));
        QVERIFY(m_dialogs.shown.isEmpty());
    }

    void windowsOpenNamedByTheCounterAndWhereTheLastOneClosed()
    {
        m_server.page("/place", "<html><head><title>Place</title></head><body><form><input name=x>"
                                "</form></body></html>");
        m_source->sites = {QStringList(), site("Place", m_server.url("/place"), "0", "", {"0=x"})};
        BrowserWindowBook book;
        TForm2 *w = openBrowserWindow(book, 1, *m_source, m_dialogs, m_addresses);
        m_windows.append(w);
        connect(w, &TForm2::closed, this,
                [&book](int, const WebWindowGeometry &g) { book.closed(g); });
        QCOMPARE(w->objectName(), QString("KelvaneSubmit_1"));
        QVERIFY(w->isVisible());
        QCOMPARE(w->webWindowGeometry(), (WebWindowGeometry{640, 380, 250, 230}));
        QTRY_COMPARE_WITH_TIMEOUT(w->windowTitle(), QString("Place"), Timeout);
        w->setWebWindowGeometry({700, 420, 40, 50});
        QTest::mouseClick(button(w, "Button_cancel"), Qt::LeftButton);
        TForm2 *next = openBrowserWindow(book, 1, *m_source, m_dialogs, m_addresses);
        m_windows.append(next);
        QCOMPARE(next->objectName(), QString("KelvaneSubmit_2"));
        QCOMPARE(next->webWindowGeometry(), (WebWindowGeometry{700, 420, 40, 50}));
    }
};

QTEST_MAIN(TestBrowserWindow)
#include "test_browserwindow.moc"
