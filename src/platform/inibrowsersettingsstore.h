#pragma once

#include "platform/browsersettingsstore.h"

#include <QSettings>

#include <memory>

// The browser settings store as an ini file outside the program's folder
// (one per user). A key path becomes the ini group, its "\" separators "/";
// a leading "\" (a path from the root) is the same key.
class IniBrowserSettingsStore : public BrowserSettingsStore
{
public:
    explicit IniBrowserSettingsStore(const QString &path);
    ~IniBrowserSettingsStore() override;

    // The per-user file: <config folder>/KelvaneSubmit/BrowserSettings.ini.
    static QString userPath();

    QString filePath() const { return m_path; }
    // A message for the user when the file could not be read as an ini file
    // (it was kept beside itself and the store starts empty), else empty.
    QString openProblem() const override { return m_openProblem; }

    QString readString(const QString &key, const QString &name) const override;
    std::optional<qint32> readInteger(const QString &key, const QString &name) const override;
    void writeString(const QString &key, const QString &name, const QString &value) override;
    void writeInteger(const QString &key, const QString &name, qint32 value) override;
    void deleteValue(const QString &key, const QString &name) override;
    QStringList valueNames(const QString &key) const override;

private:
    QString m_path;
    QString m_openProblem;
    // None when an unreadable file could not be kept aside.
    std::unique_ptr<QSettings> m_settings;
};
