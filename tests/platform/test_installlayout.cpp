// Where the program looks for its own files: the build and portable layouts
// (beside the program) and the installed one (<prefix>/bin with its private
// lib and share folders), with the data folder first for the site library.

#include "platform/installlayout.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Kind = InstallLayout::Kind;
Q_DECLARE_METATYPE(InstallLayout::Kind)

class TestInstallLayout : public QObject
{
    Q_OBJECT

private slots:
    void eachKindIsLookedForInItsFoldersInOrder_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("dataFolder");
        QTest::addColumn<QString>("programFolder");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("library, installed, per-user data")
            << Kind::SiteLibrary << "/home/ann/.local/share/Kelvane Submit" << "/opt/my apps/bin"
            << QStringList{"/home/ann/.local/share/Kelvane Submit", "/opt/my apps/bin",
                           "/opt/my apps/lib/kelvanesubmit"};
        QTest::newRow("library, portable: data beside the program counts once")
            << Kind::SiteLibrary << "/media/stick/Kelvane/" << "/media/stick/Kelvane"
            << QStringList{"/media/stick/Kelvane", "/media/stick/Kelvane/../lib/kelvanesubmit"};
        QTest::newRow("library, no data folder")
            << Kind::SiteLibrary << "" << "/usr/bin"
            << QStringList{"/usr/bin", "/usr/lib/kelvanesubmit"};
        QTest::newRow("checker never from the data folder")
            << Kind::Checker << "/home/ann/.local/share/Kelvane Submit" << "/usr/local/bin"
            << QStringList{"/usr/local/bin", "/usr/local/lib/kelvanesubmit"};
        QTest::newRow("help beside the program, then in share")
            << Kind::Help << "/home/ann/data" << "/usr/bin"
            << QStringList{"/usr/bin", "/usr/share/kelvanesubmit"};
        QTest::newRow("program folder at the root")
            << Kind::Help << "" << "/" << QStringList{"/", "/share/kelvanesubmit"};
    }
    void eachKindIsLookedForInItsFoldersInOrder()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, dataFolder);
        QFETCH(QString, programFolder);
        QFETCH(QStringList, expected);
        for (QString &folder : expected)
            folder = QDir::cleanPath(folder);
        QCOMPARE(InstallLayout::folders(kind, dataFolder, programFolder), expected);
    }

    void theFirstFolderHoldingTheFileWins()
    {
        QTemporaryDir root(QDir::tempPath() + QStringLiteral("/kelvane layout-XXXXXX"));
        QVERIFY(root.isValid());
        const QString data = root.filePath(QStringLiteral("data"));
        const QString bin = root.filePath(QStringLiteral("bin"));
        const QString lib = root.filePath(QStringLiteral("lib/kelvanesubmit"));
        for (const QString &folder : {data, bin, lib})
            QVERIFY(QDir().mkpath(folder));
        const QStringList folders = InstallLayout::folders(Kind::SiteLibrary, data, bin);
        const auto put = [](const QString &folder) {
            QFile file(QDir(folder).filePath(QStringLiteral("KelvaneSubmit.dll")));
            QVERIFY(file.open(QIODevice::WriteOnly));
        };

        QCOMPARE(InstallLayout::find(folders, QStringLiteral("KelvaneSubmit.dll")), QString());
        // A folder of the file's name is no file.
        QVERIFY(QDir().mkpath(QDir(bin).filePath(QStringLiteral("KelvaneSubmit.dll"))));
        QCOMPARE(InstallLayout::find(folders, QStringLiteral("KelvaneSubmit.dll")), QString());
        put(lib);
        QCOMPARE(InstallLayout::find(folders, QStringLiteral("KelvaneSubmit.dll")),
                 lib + QStringLiteral("/KelvaneSubmit.dll"));
        put(data);
        QCOMPARE(InstallLayout::find(folders, QStringLiteral("KelvaneSubmit.dll")),
                 data + QStringLiteral("/KelvaneSubmit.dll"));
    }

    void onlyAProgramWithItsPrivateLibraryFolderIsInstalled()
    {
        QTemporaryDir root;
        QVERIFY(QDir().mkpath(root.filePath(QStringLiteral("bin"))));
        QVERIFY(!InstallLayout::isInstalled(root.filePath(QStringLiteral("bin"))));
        QFile plain(root.filePath(QStringLiteral("lib")));
        QVERIFY(plain.open(QIODevice::WriteOnly)); // a file where the folder would be
        plain.close();
        QVERIFY(!InstallLayout::isInstalled(root.filePath(QStringLiteral("bin"))));
        QVERIFY(plain.remove());
        QVERIFY(QDir().mkpath(root.filePath(QStringLiteral("lib/kelvanesubmit"))));
        QVERIFY(InstallLayout::isInstalled(root.filePath(QStringLiteral("bin"))));
    }
};

QTEST_GUILESS_MAIN(TestInstallLayout)
#include "test_installlayout.moc"
