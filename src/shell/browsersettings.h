#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class BrowserSettingsStore;
class Settings;

// What a browser window takes from the browser settings store when it is
// created.
struct BrowserChoices
{
    bool images = true;
    bool scripts = true;
    // The names under "Post Platform", added to the user-agent text.
    QStringList userAgentTokens;

    static BrowserChoices read(const BrowserSettingsStore &store);
};

// The "Other Options" of the options view without their widgets: the two
// ticks, their handlers, the two restores, and what the first show and the
// close of the main window do to the store shared with the system's browser.
// The system's own values are saved once in the settings file and given back
// at every exit.
class BrowserSettings
{
public:
    static constexpr qint32 ScriptsEnabled = 0;
    static constexpr qint32 ScriptsDisabled = 3;

    // "KelvaneSubmit " + version text + " (compatible; MSIE 5.5)".
    static QString userAgentToken(const QString &versionText);

    // The token is kept for the run, so the exit deletes the name it added.
    BrowserSettings(Settings &settings, BrowserSettingsStore &store, const QString &userAgentToken);

    QString token() const { return m_token; }
    // "Do not load Inline images (much faster)" and "Enable javascript".
    bool imagesTicked() const { return m_imagesTicked; }
    bool scriptsTicked() const { return m_scriptsTicked; }

    // A tick set by the user or by the program: a change runs its handler.
    void setImagesTicked(bool ticked);
    void setScriptsTicked(bool ticked);

    // The handlers: the tick to the store and to the settings file.
    void CheckBox_ie_imagesClick();
    void CheckBox_javascriptClick();
    // The saved system value back into the store; ticks and choices stay.
    void SpeedButton3Click();
    void SpeedButton4Click();

    // The main window's first show.
    void applyAtStartUp();
    // First thing when the main window closes.
    void restoreAtExit();

    // A tick changed by the program; the widgets follow.
    std::function<void()> ticksChanged;

private:
    qint32 systemScripts() const;
    void notify();

    Settings &m_settings;
    BrowserSettingsStore &m_store;
    QString m_token;
    bool m_imagesTicked = false;
    bool m_scriptsTicked = false;
};
