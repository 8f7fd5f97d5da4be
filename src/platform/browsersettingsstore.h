#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The per-user store of the system browser's settings, shared with the
// system's own browser: values addressed by a key path ("Software\...\Main")
// and a value name. Keys need not be opened or created: a value springs into
// being when it is written. A store that cannot be written drops the write.
class BrowserSettingsStore
{
public:
    // The key paths and value names the program touches.
    static const QString MainKey;          // "Software\Microsoft\Internet Explorer\Main"
    static const QString ImagesValue;      // "Display Inline Images": "yes" or "no"
    static const QString InternetZoneKey;  // "...\Internet Settings\Zones\3"
    static const QString ScriptsValue;     // "1400": 0 scripts run, 3 they don't
    static const QString PostPlatformKey;  // "\...\Internet Settings\User Agent\Post Platform"

    virtual ~BrowserSettingsStore() = default;

    // `agent` with the "Post Platform" names added to its platform part (the
    // first parentheses): "Mozilla/5.0 (X11; Linux x86_64; <token>) ...".
    static QString userAgentWithTokens(const QString &agent, const QStringList &tokens);

    // A message for the user when the store could not be read as it was, else empty.
    virtual QString openProblem() const { return QString(); }

    // An absent value reads as "".
    virtual QString readString(const QString &key, const QString &name) const = 0;
    // Absent, or not a 32-bit integer: nothing.
    virtual std::optional<qint32> readInteger(const QString &key, const QString &name) const = 0;
    virtual void writeString(const QString &key, const QString &name, const QString &value) = 0;
    virtual void writeInteger(const QString &key, const QString &name, qint32 value) = 0;
    virtual void deleteValue(const QString &key, const QString &name) = 0;
    // The names of the values directly under `key`.
    virtual QStringList valueNames(const QString &key) const = 0;
};
