// The mail the feedback view and the about box hand over, the version text
// and the help addresses: exact texts.

#include "platform/versiontext.h"
#include "shell/feedback.h"
#include "shell/helpfile.h"

#include <QTest>

class TestFeedback : public QObject
{
    Q_OBJECT

private slots:
    void aMessageOfBlanksAndEmptyLinesIsMissing_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("missing");
        QTest::newRow("empty") << "" << true;
        QTest::newRow("blanks and empty lines") << "  \n\n \t\n" << true;
        QTest::newRow("carriage returns") << "\r\n\r\n" << true;
        QTest::newRow("one dot") << "\n . \n" << false;
    }

    void aMessageOfBlanksAndEmptyLinesIsMissing()
    {
        QFETCH(QString, message);
        QFETCH(bool, missing);
        QCOMPARE(Feedback::isMissing(message), missing);
    }

    void everyLineFollowsALineBreakAndEveryValueIsEncoded_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("body");
        QTest::newRow("two lines") << "a\nb" << "%0Aa%0Ab";
        QTest::newRow("ampersand no longer ends the body") << "Tom & Jerry" << "%0ATom%20%26%20Jerry";
        QTest::newRow("query characters") << "x=1?y%#z+" << "%0Ax%3D1%3Fy%25%23z%2B";
        QTest::newRow("trailing blanks dropped") << "a \n b\t " << "%0Aa%20%0A%20b";
        QTest::newRow("trailing empty lines stay") << "a\n\n" << "%0Aa%0A%0A";
        QTest::newRow("leading empty line stays") << "\na" << "%0A%0Aa";
        QTest::newRow("non-ASCII as UTF-8") << QString::fromUtf8("caf\u00e9") << "%0Acaf%C3%A9";
    }

    void everyLineFollowsALineBreakAndEveryValueIsEncoded()
    {
        QFETCH(QString, message);
        QFETCH(QString, body);
        QCOMPARE(Feedback::body(message), body);
    }

    void theFeedbackAddressCarriesSubjectBodyAndAnEmptyBlindCopy()
    {
        QCOMPARE(Feedback::mailtoAddress(Feedback::subject("Acme & Co"), "Hi &\nbye"),
                 QStringLiteral("mailto:feedback@kelvane.example"
                                "?subject=Kelvane%20Submit%20FEEDBACK%20from%20%20Acme%20%26%20Co"
                                "&body=%0AHi%20%26%0Abye&bcc="));
        QCOMPARE(Maker::contactMailto(),
                 QStringLiteral("mailto:contact@kelvane.example"
                                "?subject=from%20%27Kelvane%20Submiter%27%20software..."));
    }

    void theVersionTextIsVAndFourNumbers_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("text");
        QTest::newRow("1.0.1.0") << "1.0.1.0" << "v1.0.1.0";
        QTest::newRow("leading zeros") << "01.2.3.04" << "v1.2.3.4";
        QTest::newRow("three numbers") << "1.0.1" << "";
        QTest::newRow("none") << "" << "";
        QTest::newRow("not a number") << "1.a.0.0" << "";
        QTest::newRow("beyond 16 bits") << "65536.0.0.0" << "";
    }

    void theVersionTextIsVAndFourNumbers()
    {
        QFETCH(QString, version);
        QFETCH(QString, text);
        QCOMPARE(VersionText::fromVersion(version), text);
    }

    void theProgramsVersionTextIsCompiledIn()
    {
        QCOMPARE(VersionText::program(), QStringLiteral("v1.0.0.0"));
    }

    void theHelpOpensAsAFileAddress()
    {
        const QString path = HelpFile::path(QStringLiteral("/opt/kelvane submit"));
        QCOMPARE(path, QStringLiteral("/opt/kelvane submit/KelvaneSubmit.html"));
        QCOMPARE(HelpFile::contentsAddress(path),
                 QStringLiteral("file:///opt/kelvane%20submit/KelvaneSubmit.html"));
        QCOMPARE(HelpFile::topicAddress(path, 1),
                 QStringLiteral("file:///opt/kelvane%20submit/KelvaneSubmit.html#topic1"));
    }

    void eachViewHasItsPlaceInTheHelp_data()
    {
        QTest::addColumn<QString>("view");
        QTest::addColumn<QString>("anchor");
        QTest::newRow("no view") << "" << "topic1";
        QTest::newRow("the software list") << "Panel_2" << "topic2";
        QTest::newRow("the editor's first page") << "Panel_1a" << "page1";
        QTest::newRow("the editor's last page") << "Panel_1g" << "page7";
        QTest::newRow("past the editor's pages") << "Panel_1h" << "topic1";
        QTest::newRow("the submit list") << "Panel_3" << "topic5";
        QTest::newRow("the history") << "Panel_4" << "topic7";
        QTest::newRow("the options") << "Panel_opt" << "topic8";
        QTest::newRow("the feedback form") << "Panel_5" << "topic10";
    }

    void eachViewHasItsPlaceInTheHelp()
    {
        QFETCH(QString, view);
        QFETCH(QString, anchor);
        QCOMPARE(HelpFile::anchorForView(view), anchor);
        QFile help(QStringLiteral(KELVANE_TEST_DATA "/../../help/KelvaneSubmit.html"));
        QVERIFY(help.open(QIODevice::ReadOnly));
        QVERIFY2(help.readAll().contains("id=\"" + anchor.toLatin1() + "\""), qPrintable(anchor));
    }
};

QTEST_GUILESS_MAIN(TestFeedback)
#include "test_feedback.moc"
