// What a browser window shows the user about a site while judging its page:
// the site's note, and the outcome an answer page suggests, in the real
// headless WebEngine against the loopback fixture server.
#include "submit/browser/browserwindow.h"
#include "submit/browser/pagedriver.h"
#include "submit/browser/pagehandling.h"
#include "submit/browser/submissionsource.h"
#include "support/fakeaddresshandler.h"
#include "support/fakedialogs.h"
#include "support/fixtureserver.h"
#include "support/softwarerecord.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QWebEngineScript>

#include <memory>

namespace {

constexpr int Timeout = 30000;

QByteArray formPosting(const QByteArray &action, const QByteArray &extra = {})
{
    return "<html><head><title>Submit</title></head><body><form method=post action=" + action
           + "><input name=program_name>" + extra
           + "<input type=submit name=send value=Send></form></body></html>";
}

} // namespace

class TestAnswerPage : public QObject
{
    Q_OBJECT

    FixtureServer m_server;
    FixedSubmissionSource m_source;
    FakeDialogs m_dialogs;
    FakeAddressHandler m_addresses;
    std::unique_ptr<TForm2> m_window;
    int m_pages = 0;

    TForm2 *open(const QString &notes, const QByteArray &path, const QStringList &map)
    {
        m_source.sites = {QStringList(),
                          QStringList{"Site", "http://home.example", notes, "yes",
                                      m_server.url(QString::fromLatin1(path)).toString(), "0", "",
                                      ""}
                              + map};
        m_window = std::make_unique<TForm2>("KelvaneSubmit_1", 1, m_source, m_dialogs, m_addresses);
        m_window->setAttribute(Qt::WA_DeleteOnClose, false);
        m_window->show();
        return m_window.get();
    }

    static QToolButton *button(TForm2 *w, const char *name)
    {
        return w->findChild<QToolButton *>(QLatin1String(name));
    }

private slots:
    void initTestCase() { QVERIFY(m_server.start()); }

    void init()
    {
        m_source.software = recordWith({{0, "Alpha Tool"}, {56, "/tmp/alpha.png"}});
        m_source.autoSubmitOn = true;
        m_dialogs.shown.clear();
    }

    void cleanup() { m_window.reset(); }

    void anAnswerPageSuggestsItsOutcomeAndFocusesThatButton_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QString>("bar");
        QTest::addColumn<QString>("focused"); // "" for neither outcome button

        QTest::newRow("accepted") << QByteArray("<p>Thank you for your submission!</p>")
                                  << "looks accepted: 'Thank you for your submission'"
                                  << "Button_done";
        QTest::newRow("refused") << QByteArray("<h1>Error: this program already exists</h1>")
                                 << "looks refused: 'Error: this program already exists'"
                                 << "Button_fail";
        QTest::newRow("both: refused wins")
            << QByteArray("<p>Thank you.</p><p>Your program was rejected.</p>")
            << "looks refused: 'Your program was rejected'" << "Button_fail";
        QTest::newRow("hidden text does not count")
            << QByteArray("<p>Welcome back.</p><p style='display:none'>error</p>") << ""
            << "";
    }

    void anAnswerPageSuggestsItsOutcomeAndFocusesThatButton()
    {
        QFETCH(QByteArray, answer);
        QFETCH(QString, bar);
        QFETCH(QString, focused);
        const QByteArray path = "/answer/" + QByteArray::number(++m_pages);
        m_server.page(path, formPosting(path + "/post"));
        m_server.page(path + "/post", "<html><head><title>Answer</title></head><body>" + answer
                                          + "</body></html>");
        TForm2 *w = open(QString(), path, {"0=program_name"});
        QSignalSpy read(&w->pageDriver(), &PageDriver::answerTextRead);
        QSignalSpy closed(w, &TForm2::closed);

        QTRY_VERIFY_WITH_TIMEOUT(button(w, "Button_done")->isEnabled() && read.size() == 1, Timeout);
        QTRY_COMPARE_WITH_TIMEOUT(w->suggestionText(), bar, Timeout);
        const QString focus = w->focusWidget() ? w->focusWidget()->objectName() : QString();
        if (focused.isEmpty())
            QVERIFY2(focus != "Button_done" && focus != "Button_fail", qPrintable(focus));
        else
            QCOMPARE(focus, focused);
        // Only a suggestion: nothing is recorded until the user presses a button.
        QTest::qWait(200);
        QCOMPARE(closed.size(), 0);
        QVERIFY(m_dialogs.shown.isEmpty());
    }

    void theSiteNoteStaysWhileTheFileNoticeComesAndGoes()
    {
        m_server.page("/noted", formPosting("/noted/post", "<input type=file name=shot>"));
        m_server.page("/noted/post", "<html><body>Thanks for the program</body></html>");
        TForm2 *w = open(" Must link back ", "/noted", {"0=program_name", "56=shot"});

        QTRY_COMPARE_WITH_TIMEOUT(
            w->noticeText(),
            QString("Must link back\nChoose the file for shot yourself, then send the form."),
            Timeout);
        w->page()->runJavaScript("document.forms[0].send.click()", QWebEngineScript::ApplicationWorld);
        QTRY_VERIFY_WITH_TIMEOUT(button(w, "Button_done")->isEnabled(), Timeout);
        QCOMPARE(w->noticeText(), QString("Must link back"));
    }
};

QTEST_MAIN(TestAnswerPage)
#include "test_answerpage.moc"
