#pragma once

#include "catalogue/fieldcatalogue.h"
#include "catalogue/recordselection.h"
#include "platform/datafiles.h"
#include "platform/settings.h"
#include "platform/table.h"
#include "submit/sites/submitlist.h"
#include "submit/sites/usersites.h"

#include <QList>
#include <QString>
#include <QStringList>

// The program's data for the run: the software list, the submit list, the
// history and its changed flag, the settings, the record selection, the
// constant value list and the browser window geometry; and the steps of
// start-up and close that need no window. Each step hands back what the user
// is to be told, in order; the window shows it.
class Workspace
{
public:
    static constexpr int SoftwareColumnCount = FieldCatalogue::FieldCount;

    struct Notice
    {
        enum class Kind { Error, Message };
        Kind kind = Kind::Error;
        QString text;
        friend bool operator==(const Notice &, const Notice &) = default;
    };
    using Notices = QList<Notice>;

    // The site library is looked for in `dataFolder`, then in `programFolder`
    // and its installed library folder.
    Workspace(const QString &dataFolder, const QString &programFolder);
    Workspace(const Workspace &) = delete;
    Workspace &operator=(const Workspace &) = delete;

    const DataFiles &files() const { return m_files; }
    QString dataFolder() const { return m_files.folder(); }
    QString programFolder() const { return m_programFolder; }

    Settings &settings() { return m_settings; }
    Table &software() { return m_software; }
    const Table &software() const { return m_software; }
    SubmitList &submitList() { return m_submitList; }
    Table &sites() { return m_submitList.table(); }
    // Sites by products, loaded and reconciled at start-up.
    Table &history() { return m_history; }
    // Whether the history holds changes the close is to write.
    bool historyChanged() const { return m_historyChanged; }
    void setHistoryChanged(bool changed) { m_historyChanged = changed; }
    RecordSelection &recordSelection() { return m_selection; }
    const QStringList &constantValues() const { return m_constants; }
    WebWindowGeometry webWindowGeometry() const { return m_webGeometry; }
    // The browser windows report their last geometry here; it is written at close.
    void setWebWindowGeometry(const WebWindowGeometry &geometry) { m_webGeometry = geometry; }

    // Start-up, in the window's order.
    // The settings file could not be read as it was (a copy was kept).
    Notices settingsProblem() const;
    // The software list's heading row.
    void labelSoftwareList();
    struct CatalogueLoad
    {
        // The product chooser shows one item per record only after a file was read.
        bool fileExisted = false;
        Notices notices;
    };
    CatalogueLoad loadCatalogue();
    // A waiting library update is swapped in, then the site library is copied
    // into the submit list. `loaded` false: the program cannot go on.
    struct SitesLoad
    {
        bool loaded = false;
        // The library the sites came from.
        QString libraryPath;
        Notices notices;
    };
    SitesLoad loadSites();
    // The user's own sites, as read at start-up and changed since.
    const UserSites::File &userSites() const { return m_userSites; }

    // The user's sites changed while the program runs. Each change writes
    // the sites file first and changes nothing when that fails; then the
    // submit list is rebuilt (marks and site pairs kept by name), the
    // history follows it as at start-up and is written.
    // `record` holds name .. reg url and the entries; its user pass goes to
    // the credential file, never into the sites file. `oldName` is the name
    // the edited site had ("" for a new one): a renamed site keeps its
    // history row.
    Notices storeUserSite(const QString &oldName, const QStringList &record);
    Notices deleteUserSite(const QString &name);
    // The sites whose history outcomes such a change would drop.
    QStringList outcomesLostByStore(const QString &oldName, const QStringList &record) const;
    QStringList outcomesLostByDelete(const QString &name) const;
    // Pack sites the user chose, each replacing the user's site of its name
    // or added: one write of the sites file.
    Notices importUserSites(const QList<QStringList> &chosen);
    // The site editor's rule, which every stored user site passes.
    static UserSites::Refusal userSiteRule();

    // The history, reconciled with the submit list and sorted like it.
    Notices loadHistory();
    // Each site's own pair into the submit list, and the constant value list.
    Notices loadCredentials();
    // The remembered product's row; a row the catalogue no longer reaches
    // (the last records deleted since) gives the last record.
    int rememberedSoftwareRow() const;
    // The remembered site's row in the submit list.
    int rememberedSiteRow() const;
    // The browser window geometry; a malformed value is reported and the
    // defaults are used.
    Notices loadWebWindowGeometry();
    // " N products : M sub.sites" part of the title.
    QString titleCounts() const;

    // Close: a changed history is written; then the geometry, the lists and
    // the settings file.
    Notices saveHistoryIfChanged();
    void close();

private:
    // Writes the history; a failure leaves it marked changed and is told.
    void saveHistory(Notices &notices);
    // The submit list `userSites` would give.
    SubmitList listWith(const UserSites::File &userSites) const;
    static UserSites::File withSite(UserSites::File file, const QString &oldName,
                                    const QStringList &record);
    // `renames`: more sites whose history rows follow a new name.
    Notices applyUserSites(const UserSites::File &file, const QString &renamedFrom,
                           const QString &siteName, const QString *userPass,
                           const QList<QPair<QString, QString>> &renames = {});

    DataFiles m_files;
    QString m_programFolder;
    Settings m_settings;
    Table m_software;
    SubmitList m_submitList;
    Table m_history;
    bool m_historyChanged = false;
    UserSites::File m_userSites;
    RecordSelection m_selection;
    QStringList m_constants;
    WebWindowGeometry m_webGeometry;
};
