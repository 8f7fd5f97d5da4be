#pragma once

#include "platform/inifile.h"

#include <QString>

#include <optional>

// Width, height, left and top of the browser windows; 0 means "use the default".
struct WebWindowGeometry
{
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;

    QString toText() const;
    // Four integers joined by "."; on failure `error` gets the standard
    // conversion message naming the offending text.
    static std::optional<WebWindowGeometry> parse(const QString &text, QString *error = nullptr);
    friend bool operator==(const WebWindowGeometry &, const WebWindowGeometry &) = default;
};

// The settings file (DataFiles::SettingsName): one object for the run, every key
// behind one typed accessor with its default. Booleans are stored as 0 and 1.
class Settings
{
public:
    explicit Settings(const QString &dataFolder);
    ~Settings();
    Settings(const Settings &) = delete;
    Settings &operator=(const Settings &) = delete;

    QString filePath() const { return m_path; }
    // A message for the user when the file on disk could not be read whole
    // (lines set aside with a copy of the file kept, or the file unreadable
    // and left as it is), else empty.
    QString openProblem() const { return m_openProblem; }

    // "Options" / "Software": row of the selected software record.
    int software(int fallback = 1) const;
    void setSoftware(int row);

    // "Options" / "SubmitTo": name of the selected site.
    QString submitTo(const QString &fallback) const;
    void setSubmitTo(const QString &name);

    // "Options" / "WebWindow": browser window geometry as text.
    QString webWindow() const;
    void setWebWindow(const QString &text);

    // "Options" / "MainWindow": the main window's width and height, in the
    // browser windows' text form (left and top unused); "" until first kept.
    QString mainWindow() const;
    void setMainWindow(const QString &text);

    // "Options" / "DisplayInlineImages" and "Zone.3.1400": the browser's own
    // values as found at the first start; `fallback` until recorded.
    QString displayInlineImages(const QString &fallback = QString()) const;
    void setDisplayInlineImages(const QString &value);
    QString zone31400(const QString &fallback = QString()) const;
    void setZone31400(const QString &value);

    // "Options" / "JavaScript" and "ShowImages".
    bool javaScript() const;
    void setJavaScript(bool on);
    bool showImages() const;
    void setShowImages(bool on);

    // "Options" / "UpdateHost": the update server's host and optional port,
    // "" for the built-in one; "Options" / "SitePackAddress": the http(s)
    // address of a site pack "&update soft" fetches, "" for none.
    static constexpr const char *UpdateHostKey = "UpdateHost";
    static constexpr const char *SitePackAddressKey = "SitePackAddress";
    QString updateHost() const;
    void setUpdateHost(const QString &host);
    QString sitePackAddress() const;
    void setSitePackAddress(const QString &address);

    // "Login" / "UserName" and "PassWord", as stored (scrambled); absent gives "".
    bool hasLogin() const;
    QString userNameStored() const;
    QString passWordStored() const;
    void setLoginStored(const QString &userName, const QString &passWord);

    // Writes pending changes; the file is kept readable by its owner only.
    // A file that could not be read is never written over.
    void sync();

private:
    QString text(const char *section, const char *key, const QString &fallback) const;
    void setText(const char *section, const char *key, const QString &value);
    bool flag(const char *section, const char *key, bool fallback) const;

    void open();

    QString m_path;
    QString m_openProblem;
    IniFile m_ini;
    bool m_writable = true;
    bool m_changed = false;
};
