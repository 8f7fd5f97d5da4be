// The ini browser settings store on files it did not write: missing, empty
// or not an ini file at all. The user's file is never lost.

#include "platform/inibrowsersettingsstore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestBrowserSettingsStore : public QObject
{
    Q_OBJECT

private slots:
    void aFileItCannotReadIsKeptAndTheStoreStartsEmpty_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("keptAside");

        QTest::newRow("missing, folder too") << false << QByteArray() << false;
        QTest::newRow("empty") << true << QByteArray() << false;
        QTest::newRow("binary") << true << QByteArray("\x7f" "ELF\0\0\x01\x02", 8) << true;
        QTest::newRow("prose") << true << QByteArray("Display Inline Images is yes\n") << true;
        QTest::newRow("unclosed section") << true << QByteArray("[Software\nA=1\n") << true;
    }

    void aFileItCannotReadIsKeptAndTheStoreStartsEmpty()
    {
        QFETCH(bool, exists);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, keptAside);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("config/sub/Browser.ini"));
        if (exists) {
            QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }

        IniBrowserSettingsStore store(path);
        const QStringList copies =
            QDir(QFileInfo(path).absolutePath()).entryList({"Browser.ini.bad-*"}, QDir::Files);
        QCOMPARE(copies.size(), keptAside ? 1 : 0);
        QCOMPARE(store.openProblem().isEmpty(), !keptAside);
        if (keptAside) {
            QFile copy(QFileInfo(path).absolutePath() + "/" + copies.first());
            QVERIFY(copy.open(QIODevice::ReadOnly));
            QCOMPARE(copy.readAll(), bytes);
            QVERIFY(store.openProblem().contains(copies.first()));
        }
        QCOMPARE(store.readString(BrowserSettingsStore::MainKey, BrowserSettingsStore::ImagesValue),
                 QString());
        QCOMPARE(store.readInteger(BrowserSettingsStore::InternetZoneKey,
                                   BrowserSettingsStore::ScriptsValue),
                 std::nullopt);

        store.writeInteger(BrowserSettingsStore::InternetZoneKey, BrowserSettingsStore::ScriptsValue, 0);
        IniBrowserSettingsStore reopened(path);
        QCOMPARE(reopened.openProblem(), QString());
        QCOMPARE(reopened.readInteger(BrowserSettingsStore::InternetZoneKey,
                                      BrowserSettingsStore::ScriptsValue),
                 std::optional<qint32>(0));
    }
};

QTEST_GUILESS_MAIN(TestBrowserSettingsStore)
#include "test_browsersettingsstore.moc"
