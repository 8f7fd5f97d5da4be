// The message an e-mail site receives: its body lines, the subject and the
// mailto address handed to the desktop's mail program.
#include "submit/browser/emailcomposer.h"
#include "support/fakeaddresshandler.h"
#include "support/softwarerecord.h"

#include <QTest>
#include <QUrl>
#include <QUrlQuery>

namespace {

QStringList sampleRecord()
{
    return recordWith({{0, "Kelvane Test"},
                       {1, "2.1"},
                       {2, "Minor Update"},
                       {6, "19.95"},
                       {11, "WinXP,Linux"},
                       {26, "Tarnowel Ltd"},
                       {39, "author@kelvane.example"},
                       {48, "Audio & Multimedia::Audio Encoders/Decoders"},
                       {54, "http://kelvane.example/"},
                       {56, "http://kelvane.example/shot.png"},
                       {57, "http://kelvane.example/pad.xml"},
                       {60, "Converts audio"},
                       {64, "http://kelvane.example/setup.exe"},
                       {95, "Ann Author"},
                       {96, "30 days"},
                       {97, "2.5 MB"},
                       {100, "Nag screen"}});
}

// The query of a mailto address, decoded the way a mail program reads it.
QList<QPair<QString, QString>> queryItems(const QString &address)
{
    const QUrl url(address, QUrl::StrictMode);
    return QUrlQuery(url.query(QUrl::FullyEncoded)).queryItems(QUrl::FullyDecoded);
}

} // namespace

class TestEmailComposer : public QObject
{
    Q_OBJECT

private slots:
    void theCategoryTextJoinsMainAndSubCategoryAndSpellsTheFirstAmpersand_data()
    {
        QTest::addColumn<QString>("categoryClass");
        QTest::addColumn<QString>("text");
        QTest::newRow("main and sub category")
            << "Audio & Multimedia::Audio Encoders/Decoders"
            << "Audio and Multimedia - Audio Encoders/Decoders";
        QTest::newRow("only the first ampersand")
            << "Home & Hobby::Food & Drink" << "Home and Hobby - Food & Drink";
        QTest::newRow("an ampersand in the sub category") << "Games::Cards & Boards"
                                                          << "Games - Cards and Boards";
        QTest::newRow("no main category") << "Utilities" << "Utilities";
        QTest::newRow("only the first separator counts") << "A::B::C" << "A - B::C";
        QTest::newRow("empty") << "" << "";
    }
    void theCategoryTextJoinsMainAndSubCategoryAndSpellsTheFirstAmpersand()
    {
        QFETCH(QString, categoryClass);
        QTEST(EmailComposer::categoryText(categoryClass), "text");
    }

    void theBodyDescribesTheRecordLineByLine()
    {
        const QStringList lines = EmailComposer::body(sampleRecord()).split('\n');
        const QStringList expected{
            "Submission of 'Kelvane Test' software",
            "",
            "TITLE:  Kelvane Test",
            "VERSION:  2.1",
            "TYPE:  Minor Update",
            "PRICE:  US $ 19.95",
            "SYSTEM:  WinXP,Linux",
            "FILE SIZE:  2.5 MB",
            "PUBLISHER:  Tarnowel Ltd",
            "HOMEPAGE:  http://kelvane.example/",
            "EMAIL:  author@kelvane.example",
            "CATEGORY:  Audio and Multimedia - Audio Encoders/Decoders",
            "SCREENSHOT:  http://kelvane.example/shot.png",
            "PAD FILE:  http://kelvane.example/pad.xml",
            "DESCRIPTION:  Converts audio",
            "DOWNLOAD LINK:  http://kelvane.example/setup.exe",
            "LIMITATIONS:  30 days  Nag screen",
            "",
            "",
            "Thank you,",
            "",
            "Ann Author",
        };
        QCOMPARE(lines, expected);
    }

    void emptyLimitationsLeaveTheLabelAndTwoMoreBlanks()
    {
        const QStringList lines = EmailComposer::body(recordWith({{0, "X"}})).split('\n');
        QCOMPARE(lines.at(16), QString("LIMITATIONS:    "));
        QCOMPARE(lines.last(), QString()); // no author, and no line break after it
    }

    void theBodyEndsAtItsFirstZeroCharacter()
    {
        QStringList r = recordWith({{0, "Kelvane"}, {1, QString("1") + QChar(0) + "hidden"}});
        const QString body = EmailComposer::body(r);
        QVERIFY(body.endsWith("VERSION:  1"));
        QVERIFY(!body.contains("hidden"));
    }

    void theAddressCarriesRecipientSubjectBodySenderAndAnEmptyBlindCopy()
    {
        const QString address =
            EmailComposer::mailtoAddress("submit@site.example", sampleRecord());
        QVERIFY(address.startsWith(
            "mailto:submit@site.example?subject=New%20Software%20Submission%20&body="));
        QVERIFY(address.endsWith("&From=author@kelvane.example&bcc="));
        QVERIFY(address.contains("TITLE%3A%20%20Kelvane%20Test%0AVERSION"));
        QVERIFY(!address.contains(' '));

        const auto items = queryItems(address);
        QCOMPARE(items.size(), 4);
        QCOMPARE(items.at(0), qMakePair(QString("subject"), QString("New Software Submission ")));
        QCOMPARE(items.at(1), qMakePair(QString("body"), EmailComposer::body(sampleRecord())));
        QCOMPARE(items.at(2), qMakePair(QString("From"), QString("author@kelvane.example")));
        QCOMPARE(items.at(3), qMakePair(QString("bcc"), QString()));
    }

    void charactersWithAMeaningInTheAddressStayText_data()
    {
        QTest::addColumn<QString>("programName");
        QTest::newRow("ampersand") << "Cut & Paste";
        QTest::newRow("hash") << "Tool #1";
        QTest::newRow("question mark") << "Why?";
        QTest::newRow("percent") << "100% free";
        QTest::newRow("equals and plus") << "a=b+c";
        QTest::newRow("non-ASCII") << QString::fromUtf8("Caf\u00e9 \u20ac");
    }
    void charactersWithAMeaningInTheAddressStayText()
    {
        QFETCH(QString, programName);
        const QStringList r = recordWith({{0, programName}, {39, "me@x.example"}});
        const QString address = EmailComposer::mailtoAddress("to@site.example", r);
        const auto items = queryItems(address);
        QCOMPARE(items.size(), 4);
        QCOMPARE(items.at(1).second, EmailComposer::body(r));
        QCOMPARE(items.at(2).second, QString("me@x.example"));
        QVERIFY(!QUrl(address).hasFragment());
    }

    void theSubjectIsTheSameForEveryProduct()
    {
        const auto a = queryItems(EmailComposer::mailtoAddress("a@b", recordWith({{0, "One"}})));
        const auto b = queryItems(EmailComposer::mailtoAddress("a@b", recordWith({{0, "Two"}})));
        QCOMPARE(a.at(0), b.at(0));
        QVERIFY(a.at(1) != b.at(1));
    }

    void theRecipientIsEncodedButKeepsItsAddresses()
    {
        const QString address =
            EmailComposer::mailtoAddress("a@b.example,c@d.example?x", recordWith({}));
        QVERIFY(address.startsWith("mailto:a@b.example,c@d.example%3Fx?subject="));
    }

    void composingHandsTheAddressToTheHandler()
    {
        FakeAddressHandler handler;
        EmailComposer::compose("submit@site.example", sampleRecord(), handler);
        QCOMPARE(handler.opened,
                 QStringList{EmailComposer::mailtoAddress("submit@site.example", sampleRecord())});
    }
};

QTEST_GUILESS_MAIN(TestEmailComposer)
#include "test_emailcomposer.moc"
