#include "shell/browsersettings.h"

#include "platform/browsersettingsstore.h"
#include "platform/settings.h"

namespace {

using Store = BrowserSettingsStore;

const QString No = QStringLiteral("no");
const QString Yes = QStringLiteral("yes");

} // namespace

BrowserChoices BrowserChoices::read(const BrowserSettingsStore &store)
{
    BrowserChoices choices;
    choices.images = store.readString(Store::MainKey, Store::ImagesValue) != No;
    // No value is the Internet zone's default: scripts run.
    choices.scripts = store.readInteger(Store::InternetZoneKey, Store::ScriptsValue)
                          .value_or(BrowserSettings::ScriptsEnabled)
                      == BrowserSettings::ScriptsEnabled;
    choices.userAgentTokens = store.valueNames(Store::PostPlatformKey);
    return choices;
}

QString BrowserSettings::userAgentToken(const QString &versionText)
{
    return QLatin1String("KelvaneSubmit ") + versionText + QLatin1String(" (compatible; MSIE 5.5)");
}

BrowserSettings::BrowserSettings(Settings &settings, BrowserSettingsStore &store,
                                 const QString &userAgentToken)
    : m_settings(settings),
      m_store(store),
      m_token(userAgentToken)
{
}

void BrowserSettings::setImagesTicked(bool ticked)
{
    if (ticked == m_imagesTicked)
        return;
    m_imagesTicked = ticked;
    notify();
    CheckBox_ie_imagesClick();
}

void BrowserSettings::setScriptsTicked(bool ticked)
{
    if (ticked == m_scriptsTicked)
        return;
    m_scriptsTicked = ticked;
    notify();
    CheckBox_javascriptClick();
}

void BrowserSettings::CheckBox_ie_imagesClick()
{
    m_store.writeString(Store::MainKey, Store::ImagesValue, m_imagesTicked ? No : Yes);
    m_settings.setShowImages(!m_imagesTicked);
}

void BrowserSettings::CheckBox_javascriptClick()
{
    m_store.writeInteger(Store::InternetZoneKey, Store::ScriptsValue,
                         m_scriptsTicked ? ScriptsEnabled : ScriptsDisabled);
    m_settings.setJavaScript(m_scriptsTicked);
}

void BrowserSettings::SpeedButton3Click()
{
    m_store.writeString(Store::MainKey, Store::ImagesValue, m_settings.displayInlineImages(Yes));
}

void BrowserSettings::SpeedButton4Click()
{
    // A saved value that is no number was never the system's: scripts run,
    // as they do where the system keeps no value.
    bool ok = false;
    const qint32 saved = m_settings.zone31400().trimmed().toInt(&ok);
    m_store.writeInteger(Store::InternetZoneKey, Store::ScriptsValue, ok ? saved : ScriptsEnabled);
}

qint32 BrowserSettings::systemScripts() const
{
    // Absent or not a number: no system value, so the Internet zone's
    // default, scripts on. (Read as "off", it was saved as the system's own
    // and written back at exit, switching scripts off behind a ticked box.)
    return m_store.readInteger(Store::InternetZoneKey, Store::ScriptsValue).value_or(ScriptsEnabled);
}

void BrowserSettings::applyAtStartUp()
{
    // A system that has images off keeps them off for the program.
    if (m_store.readString(Store::MainKey, Store::ImagesValue) == No)
        setImagesTicked(true);
    // The system's own value is saved once; an absent one is saved as ""
    // and looked at again at the next start.
    if (m_settings.displayInlineImages().isEmpty())
        m_settings.setDisplayInlineImages(m_store.readString(Store::MainKey, Store::ImagesValue));

    // A system that runs scripts keeps running them.
    if (systemScripts() == ScriptsEnabled)
        setScriptsTicked(true);
    if (m_settings.zone31400().isEmpty())
        m_settings.setZone31400(QString::number(systemScripts()));

    // Then the user's choices.
    setScriptsTicked(m_settings.javaScript());
    setImagesTicked(!m_settings.showImages());

    m_store.writeString(Store::PostPlatformKey, m_token, QString());
}

void BrowserSettings::restoreAtExit()
{
    SpeedButton3Click();
    SpeedButton4Click();
    m_store.deleteValue(Store::PostPlatformKey, m_token);
}

void BrowserSettings::notify()
{
    if (ticksChanged)
        ticksChanged();
}
