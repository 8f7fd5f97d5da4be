#pragma once

#include <QString>

// The program's data files, each named once, in one data folder.
class DataFiles
{
public:
    static constexpr const char *CatalogueName = "Kelvane_soft.dat";
    static constexpr const char *HistoryName = "Kelvane_hist.dat";
    static constexpr const char *CredentialsName = "Kelvane_pass.dat";
    static constexpr const char *SettingsName = "KelvaneSubmit.ini";
    static constexpr const char *UserSitesName = "Kelvane_sites.dat";

    explicit DataFiles(const QString &folder) : m_folder(folder) {}

    QString folder() const { return m_folder; }
    QString catalogue() const { return path(CatalogueName); }
    QString history() const { return path(HistoryName); }
    QString credentials() const { return path(CredentialsName); }
    QString settings() const { return path(SettingsName); }
    // The user's own site records, beside the site library's.
    QString userSites() const { return path(UserSitesName); }

private:
    QString path(const char *name) const;

    QString m_folder;
};
