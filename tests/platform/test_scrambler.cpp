// The credential scrambler and the default site login of the options view.

#include "platform/cp1252.h"
#include "platform/scrambler.h"
#include "platform/settings.h"

#include <QTemporaryDir>
#include <QTest>

class TestScrambler : public QObject
{
    Q_OBJECT

private slots:
    void scramblingTwiceWithAnyPairGivesTheTextBack_data();
    void scramblingTwiceWithAnyPairGivesTheTextBack();
    void theOkButtonChecksThePairInOrder_data();
    void theOkButtonChecksThePairInOrder();
    void aStoredPairIsScrambledAndReadsBackUntrimmed_data();
    void aStoredPairIsScrambledAndReadsBackUntrimmed();
    void withoutALoginSectionTheBuiltInDefaultsAreShown();
};

void TestScrambler::scramblingTwiceWithAnyPairGivesTheTextBack_data()
{
    QTest::addColumn<QString>("text");
    QByteArray every;
    for (int b = 0; b < 256; ++b)
        every.append(char(b));
    QTest::newRow("empty") << QString();
    QTest::newRow("blanks kept") << "  ab    ";
    QTest::newRow("every Windows-1252 character") << Cp1252::decode(every);
}

void TestScrambler::scramblingTwiceWithAnyPairGivesTheTextBack()
{
    QFETCH(QString, text);
    const Scrambler::KeyPair pairs[] = {Scrambler::LoginUserNameKeys, Scrambler::LoginPasswordKeys,
                                        Scrambler::CredentialFileKeys};
    QList<QByteArray> seen;
    for (const Scrambler::KeyPair &keys : pairs) {
        const QString scrambled = Scrambler::scramble(text, keys);
        QCOMPARE(scrambled.size(), text.size());
        QCOMPARE(Scrambler::scramble(scrambled, keys), text);
        // Every byte changes, and each pair scrambles differently.
        const QByteArray plain = Cp1252::encode(text), bytes = Cp1252::encode(scrambled);
        for (qsizetype i = 0; i < bytes.size(); ++i)
            QVERIFY(bytes.at(i) != plain.at(i));
        QVERIFY(text.isEmpty() || !seen.contains(bytes));
        seen.append(bytes);
        // Only the keys' low 8 bits count.
        QCOMPARE(Scrambler::scramble(text, keys.first + 0x300, keys.second), scrambled);
    }
}

void TestScrambler::theOkButtonChecksThePairInOrder_data()
{
    QTest::addColumn<QString>("userName");
    QTest::addColumn<QString>("passWord");
    QTest::addColumn<QString>("warning");

    const QString empty = QStringLiteral("Username / Password can't be empty!");
    const QString tooLong = QStringLiteral("Username / Password max 8 characters length");
    QTest::newRow("eight characters each") << "abcdefgh" << "12345678" << "";
    QTest::newRow("a user name of nine") << "abcdefghi" << "secret" << tooLong;
    QTest::newRow("a password of nine") << "user" << "123456789" << tooLong;
    QTest::newRow("two letters and six blanks") << "ab      " << "pw" << "";
    QTest::newRow("seven letters and two blanks") << "abcdefg  " << "pw" << tooLong;
    QTest::newRow("a user name of blanks") << "   " << "secret" << empty;
    QTest::newRow("a password of control characters") << "user" << "\t\r\n" << empty;
    QTest::newRow("emptiness is checked before length") << "abcdefghijk" << "" << empty;
}

void TestScrambler::theOkButtonChecksThePairInOrder()
{
    QFETCH(QString, userName);
    QFETCH(QString, passWord);
    QFETCH(QString, warning);
    QCOMPARE(Login::check(userName, passWord), warning);
}

void TestScrambler::aStoredPairIsScrambledAndReadsBackUntrimmed_data()
{
    QTest::addColumn<QString>("userName");
    QTest::addColumn<QString>("passWord");
    QTest::newRow("blanks at the ends") << "ab      " << " pw ";
    // "$" and "'" scramble to blanks, which the file must keep.
    QTest::newRow("texts that scramble to blanks") << "$ab$" << "'x'";
    QTest::newRow("Windows-1252 letters") << QString::fromUtf8("Jürgen") << QString::fromUtf8("€uro");
}

void TestScrambler::aStoredPairIsScrambledAndReadsBackUntrimmed()
{
    QFETCH(QString, userName);
    QFETCH(QString, passWord);

    QTemporaryDir dir;
    {
        Settings settings(dir.path());
        QCOMPARE(Login::store(settings, userName, passWord), QString());
        QCOMPARE(settings.userNameStored(), Scrambler::scramble(userName, Scrambler::LoginUserNameKeys));
        QCOMPARE(settings.passWordStored(), Scrambler::scramble(passWord, Scrambler::LoginPasswordKeys));
        // A refused pair leaves the stored one alone.
        QCOMPARE(Login::store(settings, userName, QStringLiteral("123456789")),
                 Login::tooLongMessage());
        QVERIFY(!Login::store(settings, userName, QString::fromUtf8("\u0100")).isEmpty());
    }
    const Settings reopened(dir.path());
    const Login::Pair pair = Login::load(reopened);
    QCOMPARE(pair.userName, userName);
    QCOMPARE(pair.passWord, passWord);
}

void TestScrambler::withoutALoginSectionTheBuiltInDefaultsAreShown()
{
    QTemporaryDir dir;
    const Settings settings(dir.path());
    const Login::Pair pair = Login::load(settings);
    QCOMPARE(pair.userName.size(), 7);
    QCOMPARE(Scrambler::scramble(pair.userName, Scrambler::LoginUserNameKeys), Login::defaultUserNameScrambled());
    QCOMPARE(Scrambler::scramble(pair.passWord, Scrambler::LoginPasswordKeys), Login::defaultPassWordScrambled());
    QCOMPARE(Login::check(pair.userName, pair.passWord), QString());
    // The note asks to change the built-in password: it stays while that is shown.
    QVERIFY(Login::noteStaysVisible(pair.passWord));
    QVERIFY(!Login::noteStaysVisible(pair.passWord.toUpper()));
    QVERIFY(!settings.hasLogin());
}

QTEST_GUILESS_MAIN(TestScrambler)
#include "test_scrambler.moc"
