// The browser settings of "Other Options" over a real ini store and a real
// settings file in a temporary folder: what the first show and the close
// leave in both, read back with a QSettings of their own.

#include "platform/inibrowsersettingsstore.h"
#include "platform/settings.h"
#include "platform/versiontext.h"
#include "shell/browsersettings.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString Absent = QStringLiteral("<absent>");
const QString Token = QStringLiteral("KelvaneSubmit v1.0.0.0 (compatible; MSIE 5.5)");
const QString ImagesKey =
    QStringLiteral("Software/Microsoft/Internet Explorer/Main/Display Inline Images");
const QString ScriptsKey = QStringLiteral(
    "Software/Microsoft/Windows/CurrentVersion/Internet Settings/Zones/3/1400");
const QString PostPlatform = QStringLiteral(
    "Software/Microsoft/Windows/CurrentVersion/Internet Settings/User Agent/Post Platform");

void put(QSettings &ini, const QString &key, const QString &value)
{
    if (value != Absent)
        ini.setValue(key, value);
}

QString got(const QSettings &ini, const QString &key)
{
    return ini.contains(key) ? ini.value(key).toString() : Absent;
}

} // namespace

class TestBrowserSettings : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<IniBrowserSettingsStore> m_store;
    std::unique_ptr<Settings> m_settings;

    QString storePath() const { return m_dir->filePath(QStringLiteral("config/Browser.ini")); }
    QString settingsPath() const { return m_dir->filePath(QStringLiteral("KelvaneSubmit.ini")); }

    // The two files as earlier runs and the system left them, then opened.
    void prepare(const QString &images, const QString &scripts, const QString &showImages,
                 const QString &javaScript, const QString &savedImages, const QString &savedZone)
    {
        {
            QSettings store(storePath(), QSettings::IniFormat);
            put(store, ImagesKey, images);
            put(store, ScriptsKey, scripts);
            QSettings options(settingsPath(), QSettings::IniFormat);
            put(options, "Options/ShowImages", showImages);
            put(options, "Options/JavaScript", javaScript);
            put(options, "Options/DisplayInlineImages", savedImages);
            put(options, "Options/Zone.3.1400", savedZone);
        }
        m_store = std::make_unique<IniBrowserSettingsStore>(storePath());
        m_settings = std::make_unique<Settings>(m_dir->path());
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void cleanup()
    {
        m_settings.reset();
        m_store.reset();
        m_dir.reset();
    }

    void theTokenCarriesTheProgramsVersion()
    {
        QCOMPARE(BrowserSettings::userAgentToken(VersionText::program()), Token);
    }

    void theFirstShowSavesTheSystemsValuesOnceAndAppliesTheChoices_data()
    {
        QTest::addColumn<QStringList>("before"); // images, 1400, ShowImages, JavaScript, saved images, saved zone
        QTest::addColumn<bool>("imagesTicked");
        QTest::addColumn<bool>("scriptsTicked");
        QTest::addColumn<QStringList>("after"); // same six

        const QString A = Absent;
        QTest::newRow("fresh store and settings")
            << QStringList{A, A, A, A, A, A} << false << true
            << QStringList{A, "0", A, "1", "", "0"};
        QTest::newRow("system loads images, no scripts")
            << QStringList{"yes", "3", A, A, A, A} << false << true
            << QStringList{"yes", "0", A, "1", "yes", "3"};
        QTest::newRow("system without images wins over the saved choice")
            << QStringList{"no", "3", "1", "1", A, A} << true << true
            << QStringList{"no", "0", "0", "1", "no", "3"};
        QTest::newRow("\"No\" is not \"no\"")
            << QStringList{"No", "3", A, A, A, A} << false << true
            << QStringList{"No", "0", A, "1", "No", "3"};
        QTest::newRow("system running scripts wins over the saved choice")
            << QStringList{"yes", "0", A, "0", A, A} << false << true
            << QStringList{"yes", "0", A, "1", "yes", "0"};
        QTest::newRow("the user's own no-images choice")
            << QStringList{"yes", "3", "0", A, "yes", "3"} << true << true
            << QStringList{"no", "0", "0", "1", "yes", "3"};
        QTest::newRow("the user's own no-scripts choice")
            << QStringList{"yes", "3", A, "0", "yes", "3"} << false << false
            << QStringList{"yes", "3", A, "0", "yes", "3"};
        QTest::newRow("saved values are never refreshed")
            << QStringList{"no", "0", A, A, "yes", "3"} << true << true
            << QStringList{"no", "0", "0", "1", "yes", "3"};
        // No system value to keep: the Internet zone's default, scripts on,
        // is what is saved and given back.
        QTest::newRow("scripts value not a number reads as enabled")
            << QStringList{"yes", "abc", A, "0", A, A} << false << true
            << QStringList{"yes", "0", A, "1", "yes", "0"};
        QTest::newRow("scripts value absent reads as enabled")
            << QStringList{"yes", A, A, A, A, A} << false << true
            << QStringList{"yes", "0", A, "1", "yes", "0"};
    }

    void theFirstShowSavesTheSystemsValuesOnceAndAppliesTheChoices()
    {
        QFETCH(QStringList, before);
        QFETCH(bool, imagesTicked);
        QFETCH(bool, scriptsTicked);
        QFETCH(QStringList, after);
        prepare(before[0], before[1], before[2], before[3], before[4], before[5]);

        BrowserSettings browser(*m_settings, *m_store, Token);
        int followed = 0;
        browser.ticksChanged = [&followed] { ++followed; };
        browser.applyAtStartUp();

        QCOMPARE(browser.imagesTicked(), imagesTicked);
        QCOMPARE(browser.scriptsTicked(), scriptsTicked);
        QCOMPARE(followed, int(imagesTicked) + int(scriptsTicked));
        const QSettings store(storePath(), QSettings::IniFormat);
        const QSettings options(settingsPath(), QSettings::IniFormat);
        const QStringList actual{got(store, ImagesKey),
                                 got(store, ScriptsKey),
                                 got(options, "Options/ShowImages"),
                                 got(options, "Options/JavaScript"),
                                 got(options, "Options/DisplayInlineImages"),
                                 got(options, "Options/Zone.3.1400")};
        QCOMPARE(actual, after);
        QCOMPARE(got(store, PostPlatform + "/" + Token), QString());
    }

    void theCloseGivesBackTheSavedValuesAndRemovesTheToken_data()
    {
        QTest::addColumn<QString>("savedImages");
        QTest::addColumn<QString>("savedZone");
        QTest::addColumn<QString>("images");
        QTest::addColumn<QString>("scripts");

        QTest::newRow("saved yes and 3") << "yes" << "3" << "yes" << "3";
        QTest::newRow("saved no and 0") << "no" << "0" << "no" << "0";
        QTest::newRow("the system had no images value") << "" << "3" << "" << "3";
        QTest::newRow("nothing saved") << Absent << Absent << "yes" << "0";
        QTest::newRow("saved zone not a number") << "yes" << "x" << "yes" << "0";
    }

    void theCloseGivesBackTheSavedValuesAndRemovesTheToken()
    {
        QFETCH(QString, savedImages);
        QFETCH(QString, savedZone);
        QFETCH(QString, images);
        QFETCH(QString, scripts);
        prepare("no", "0", "0", "1", Absent, Absent);
        {
            // Another program's token stays.
            QSettings store(storePath(), QSettings::IniFormat);
            store.setValue(PostPlatform + "/Other 1.0", "");
        }
        m_store = std::make_unique<IniBrowserSettingsStore>(storePath());
        BrowserSettings browser(*m_settings, *m_store, Token);
        browser.applyAtStartUp();
        QVERIFY(m_store->valueNames(BrowserSettingsStore::PostPlatformKey).contains(Token));
        {
            QSettings options(settingsPath(), QSettings::IniFormat);
            options.remove("Options/DisplayInlineImages");
            options.remove("Options/Zone.3.1400");
            put(options, "Options/DisplayInlineImages", savedImages);
            put(options, "Options/Zone.3.1400", savedZone);
        }
        m_settings = std::make_unique<Settings>(m_dir->path());
        BrowserSettings closing(*m_settings, *m_store, Token);
        closing.restoreAtExit();

        const QSettings store(storePath(), QSettings::IniFormat);
        QCOMPARE(got(store, ImagesKey), images);
        QCOMPARE(got(store, ScriptsKey), scripts);
        QCOMPARE(m_store->valueNames(BrowserSettingsStore::PostPlatformKey),
                 QStringList{"Other 1.0"});
        // The user's choices stay for the next start.
        const QSettings options(settingsPath(), QSettings::IniFormat);
        QCOMPARE(got(options, "Options/ShowImages"), QStringLiteral("0"));
        QCOMPARE(got(options, "Options/JavaScript"), QStringLiteral("1"));
    }

    void theRestoreButtonsChangeOnlyTheStore()
    {
        prepare("yes", "3", "0", "1", Absent, Absent);
        BrowserSettings browser(*m_settings, *m_store, Token);
        browser.applyAtStartUp();
        browser.SpeedButton3Click();
        browser.SpeedButton4Click();
        QVERIFY(browser.imagesTicked());
        QVERIFY(browser.scriptsTicked());
        const QSettings store(storePath(), QSettings::IniFormat);
        QCOMPARE(got(store, ImagesKey), QStringLiteral("yes"));
        QCOMPARE(got(store, ScriptsKey), QStringLiteral("3"));
        const QSettings options(settingsPath(), QSettings::IniFormat);
        QCOMPARE(got(options, "Options/ShowImages"), QStringLiteral("0"));
        QCOMPARE(got(options, "Options/JavaScript"), QStringLiteral("1"));
    }

    void theWindowsTakeTheStoresValues_data()
    {
        QTest::addColumn<QString>("images");
        QTest::addColumn<QString>("scripts");
        QTest::addColumn<bool>("loadImages");
        QTest::addColumn<bool>("runScripts");

        QTest::newRow("no and 0") << "no" << "0" << false << true;
        QTest::newRow("yes and 3") << "yes" << "3" << true << false;
        QTest::newRow("No and blanks around 0") << "No" << " 0 " << true << true;
        QTest::newRow("absent: the zone's default") << Absent << Absent << true << true;
        QTest::newRow("prompt (1)") << "yes" << "1" << true << false;
    }

    void theWindowsTakeTheStoresValues()
    {
        QFETCH(QString, images);
        QFETCH(QString, scripts);
        QFETCH(bool, loadImages);
        QFETCH(bool, runScripts);
        prepare(images, scripts, Absent, Absent, Absent, Absent);
        const BrowserChoices choices = BrowserChoices::read(*m_store);
        QCOMPARE(choices.images, loadImages);
        QCOMPARE(choices.scripts, runScripts);
        QVERIFY(choices.userAgentTokens.isEmpty());
    }

    void theTokensGoIntoTheUserAgentsPlatformPart_data()
    {
        QTest::addColumn<QString>("agent");
        QTest::addColumn<QStringList>("tokens");
        QTest::addColumn<QString>("expected");

        const QString chromium = "Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/537.36 (KHTML, like Gecko)";
        QTest::newRow("one token") << chromium << QStringList{Token}
                                   << "Mozilla/5.0 (X11; Linux x86_64; KelvaneSubmit v1.0.0.0 "
                                      "(compatible; MSIE 5.5)) AppleWebKit/537.36 (KHTML, like Gecko)";
        QTest::newRow("two tokens") << "A/1 (X11) B" << QStringList{"T1", "T2"} << "A/1 (X11; T1; T2) B";
        QTest::newRow("none") << chromium << QStringList{} << chromium;
        QTest::newRow("no platform part") << "Agent/1" << QStringList{"T"} << "Agent/1 T";
    }

    void theTokensGoIntoTheUserAgentsPlatformPart()
    {
        QFETCH(QString, agent);
        QFETCH(QStringList, tokens);
        QFETCH(QString, expected);
        QCOMPARE(BrowserSettingsStore::userAgentWithTokens(agent, tokens), expected);
    }
};

QTEST_GUILESS_MAIN(TestBrowserSettings)
#include "test_browsersettings.moc"
