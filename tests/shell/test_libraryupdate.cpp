// The update's download address and the move of a finished download into
// the place the next start swaps from.

#include "shell/libraryupdate.h"
#include "support/builtfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestLibraryUpdate : public QObject
{
    Q_OBJECT

private slots:
    void address_data()
    {
        QTest::addColumn<QString>("userName");
        QTest::addColumn<QString>("passWord");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("decodedUser");

        const QString tail = QStringLiteral(
            "@update.kelvane.example/software/soft_full/KelvaneSubmit_dll.dll?46364.5");
        QTest::newRow("no account") << "" << "" << "http://:" + tail << "";
        QTest::newRow("plain account") << "ann" << "secret" << "http://ann:secret" + tail << "ann";
        // Unescaped, these would move the request to evil.example or cut the path.
        QTest::newRow("separators in the account")
            << "a:b@evil.example/x#" << "p@ss:w/d#?"
            << "http://a%3Ab%40evil.example%2Fx%23:p%40ss%3Aw%2Fd%23%3F" + tail
            << "a:b@evil.example/x#";
        QTest::newRow("spaces and non-ASCII") << "J\u00f6rg M" << "%20"
                                              << "http://J%C3%B6rg%20M:%2520" + tail << "J\u00f6rg M";
    }

    void address()
    {
        QFETCH(QString, userName);
        QFETCH(QString, passWord);
        QFETCH(QString, expected);
        QFETCH(QString, decodedUser);
        const QString address = LibraryUpdate::address(
            QStringLiteral("update.kelvane.example"), userName, passWord, QStringLiteral("46364.5"));
        QCOMPARE(address, expected);
        const QUrl url(address, QUrl::StrictMode);
        QVERIFY(url.isValid());
        QCOMPARE(url.host(), QStringLiteral("update.kelvane.example"));
        QCOMPARE(url.path(), QStringLiteral("/software/soft_full/KelvaneSubmit_dll.dll"));
        QCOMPARE(url.userName(QUrl::FullyDecoded), decodedUser);
        QCOMPARE(url.password(QUrl::FullyDecoded), passWord);
    }

    void aRedirectIsFollowedOnTheSameHostOnly_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("followed");
        QTest::newRow("to https") << "http://u:p@kelvane.example/a.dll" << "https://kelvane.example/a.dll" << true;
        QTest::newRow("to a mirror path") << "http://kelvane.example/a.dll" << "http://kelvane.example/m/a.dll" << true;
        QTest::newRow("host in other letter case") << "http://kelvane.example/a" << "https://KELVANE.example/a" << true;
        QTest::newRow("another port of the host") << "http://kelvane.example/a" << "https://kelvane.example:8443/a" << true;
        QTest::newRow("another host") << "http://kelvane.example/a" << "https://mirror.example/a" << false;
        QTest::newRow("a subdomain") << "http://kelvane.example/a" << "https://evil.kelvane.example/a" << false;
        QTest::newRow("https back to http") << "https://kelvane.example/a" << "http://kelvane.example/a" << false;
        QTest::newRow("another scheme") << "http://kelvane.example/a" << "ftp://kelvane.example/a" << false;
    }
    void aRedirectIsFollowedOnTheSameHostOnly()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QTEST(LibraryUpdate::followsRedirect(QUrl(from), QUrl(to)), "followed");
    }

    void dayNumber_data()
    {
        QTest::addColumn<QDateTime>("time");
        QTest::addColumn<QString>("localeName");
        QTest::addColumn<QString>("expected");

        QTest::newRow("day zero") << QDateTime(QDate(1899, 12, 30), QTime(0, 0)) << "C" << "0";
        QTest::newRow("noon of day two") << QDateTime(QDate(1900, 1, 1), QTime(12, 0)) << "C"
                                         << "2.5";
        QTest::newRow("fifteen digits") << QDateTime(QDate(2026, 12, 8), QTime(11, 56, 27)) << "C"
                                        << "46364.4975347222";
        QTest::newRow("decimal comma, no grouping")
            << QDateTime(QDate(2026, 12, 8), QTime(18, 0)) << "de_DE" << "46364,75";
    }

    void dayNumber()
    {
        QFETCH(QDateTime, time);
        QFETCH(QString, localeName);
        QFETCH(QString, expected);
        QCOMPARE(LibraryUpdate::dayNumberText(LibraryUpdate::dayNumber(time), QLocale(localeName)),
                 expected);
    }

    void install_data()
    {
        QTest::addColumn<QByteArray>("download"); // empty: the site library built beside the tests
        QTest::addColumn<bool>("installed");

        QTest::newRow("site library") << QByteArray() << true;
        QTest::newRow("empty body") << QByteArray("") << false;
        QTest::newRow("truncated ELF") << QByteArray("\x7f" "ELF\x02\x01\x01\0\0\0", 10) << false;
    }

    void install()
    {
        QFETCH(QByteArray, download);
        QFETCH(bool, installed);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString part = dir.filePath(QStringLiteral("KelvaneSubmit_dll-abc123.part"));
        if (QTest::currentDataTag() == QByteArray("site library")) {
            QVERIFY(QFile::copy(builtSiteLibrary(), part));
        } else {
            QVERIFY(writeFile(part, download));
        }
        // A library that waited from an earlier update is replaced, never mixed.
        QVERIFY(writeFile(dir.filePath(QStringLiteral("KelvaneSubmit_dll.dll")), "old"));

        const LibraryUpdate::InstallResult result = LibraryUpdate::install(part, dir.path());
        QCOMPARE(result.ok, installed);
        QCOMPARE(result.reason.isEmpty(), installed);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("KelvaneSubmit_dll.dll")});
        QFile waiting(dir.filePath(QStringLiteral("KelvaneSubmit_dll.dll")));
        QVERIFY(waiting.open(QIODevice::ReadOnly));
        QCOMPARE(waiting.size() > 3, installed);
    }
};

QTEST_GUILESS_MAIN(TestLibraryUpdate)
#include "test_libraryupdate.moc"
