#include "shell/workspace.h"

#include "catalogue/fieldcatalogue.h"
#include "catalogue/pseudofields.h"
#include "platform/tablefile.h"
#include "submit/formwalk/sitevalidation.h"
#include "submit/history/history.h"
#include "submit/sites/credentials.h"
#include "submit/sites/sitelibrary.h"
#include "submit/sites/sitepack.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>


namespace {

using Notice = Workspace::Notice;

void addError(Workspace::Notices &notices, const QString &text)
{
    if (!text.isEmpty())
        notices.append({Notice::Kind::Error, text});
}

void addMessage(Workspace::Notices &notices, const QString &text)
{
    if (!text.isEmpty())
        notices.append({Notice::Kind::Message, text});
}

QString libraryRecordProblem(const QStringList &record)
{
    return SiteValidation::checkLibraryRecord(record).message;
}

// Site names match exactly here.
int exactRow(const Table &table, const QString &name)
{
    for (int r = 1; r < table.rowCount(); ++r) {
        if (table.cell(0, r) == name)
            return r;
    }
    return -1;
}

// A renamed site keeps its history row under the new name, unless the new
// name has one already or the old name is still listed (a library site the
// user's copy had replaced).
void carryRenamedRow(Table &history, const Table &sites, const QString &from, const QString &to)
{
    if (from.isEmpty() || from == to || exactRow(history, to) >= 0 || exactRow(sites, from) >= 0)
        return;
    const int row = exactRow(history, from);
    if (row > 0)
        history.setCell(0, row, to);
}

} // namespace

Workspace::Workspace(const QString &dataFolder, const QString &programFolder)
    : m_files(dataFolder),
      m_programFolder(programFolder),
      m_settings(dataFolder),
      m_software(SoftwareColumnCount, 2),
      m_selection(m_settings, m_software)
{
}

Workspace::Notices Workspace::settingsProblem() const
{
    Notices notices;
    addError(notices, m_settings.openProblem());
    return notices;
}

void Workspace::labelSoftwareList()
{
    for (int n = 0; n < SoftwareColumnCount; ++n)
        m_software.setCell(n, 0, FieldCatalogue::headerText(n));
}

Workspace::CatalogueLoad Workspace::loadCatalogue()
{
    const TableFile::LoadResult result =
        TableFile::load(m_software, m_files.catalogue(), TableFile::Kind::Marked);
    CatalogueLoad loaded;
    loaded.fileExisted = result.fileExisted;
    addError(loaded.notices, result.error);
    return loaded;
}

Workspace::SitesLoad Workspace::loadSites()
{
    SitesLoad loaded;
    const SiteLibrary::UpdateResult update =
        SiteLibrary::applyUpdate(dataFolder(), m_programFolder, libraryRecordProblem);
    if (update.outcome == SiteLibrary::UpdateResult::Outcome::Replaced)
        addMessage(loaded.notices, update.message);
    else
        addError(loaded.notices, update.message);

    const SiteLibrary::LoadResult library = SiteLibrary::load(dataFolder(), m_programFolder);
    if (!library.ok) {
        // The fixed text only when there is no library at all; a refused one
        // is named with what is wrong with it.
        addError(loaded.notices,
                 library.found ? QCoreApplication::translate(
                                     "Workspace", "The site library cannot be used, so the "
                                                  "program cannot go on.\n%1")
                                     .arg(library.reason)
                               : SiteLibrary::missingLibraryMessage());
        return loaded;
    }
    addMessage(loaded.notices, library.warning);
    // A hand-edited file is held to the site editor's rules.
    const UserSites::LoadResult user =
        UserSites::load(m_files.userSites(), userSiteRule());
    addError(loaded.notices, user.problem);
    m_userSites = user.file;
    m_submitList.fill(library, m_userSites.sites());
    loaded.loaded = true;
    loaded.libraryPath = library.path;
    return loaded;
}

Workspace::Notices Workspace::loadHistory()
{
    const History::LoadResult result =
        History::load(m_history, m_submitList.table(), m_software, m_files.history());
    m_historyChanged = false;
    Notices notices;
    addError(notices, result.readProblem);
    addMessage(notices, result.mismatchMessage);
    return notices;
}

Workspace::Notices Workspace::loadCredentials()
{
    const Credentials::LoadResult loaded =
        Credentials::load(m_submitList.table(), m_files.credentials());
    m_constants = PseudoFields::constantValueList();
    Notices notices;
    addError(notices, loaded.problem);
    return notices;
}

SubmitList Workspace::listWith(const UserSites::File &userSites) const
{
    SubmitList list = m_submitList;
    list.setUserSites(userSites.sites());
    return list;
}

UserSites::File Workspace::withSite(UserSites::File file, const QString &oldName,
                                    const QStringList &record)
{
    QStringList stored = record;
    if (stored.size() > SiteRecord::UserPass)
        stored[SiteRecord::UserPass].clear();
    file.setSite(oldName, stored);
    return file;
}

QStringList Workspace::outcomesLostByStore(const QString &oldName, const QStringList &record) const
{
    const SubmitList list = listWith(withSite(m_userSites, oldName, record));
    Table history = m_history;
    carryRenamedRow(history, list.table(), oldName, record.value(SiteRecord::SiteName));
    return History::sitesLosingOutcomes(history, list.table());
}

QStringList Workspace::outcomesLostByDelete(const QString &name) const
{
    UserSites::File file = m_userSites;
    file.removeSite(name);
    return History::sitesLosingOutcomes(m_history, listWith(file).table());
}

Workspace::Notices Workspace::storeUserSite(const QString &oldName, const QStringList &record)
{
    const QString userPass = record.value(SiteRecord::UserPass);
    return applyUserSites(withSite(m_userSites, oldName, record), oldName,
                          record.value(SiteRecord::SiteName), &userPass);
}

UserSites::Refusal Workspace::userSiteRule()
{
    return [](const QStringList &cells) { return SiteValidation::check(cells).message; };
}

Workspace::Notices Workspace::importUserSites(const QList<QStringList> &chosen)
{
    if (chosen.isEmpty())
        return {};
    // A pack site that takes a listed site's place under another letter case
    // renames it: its history row goes with it, as after the site editor.
    QList<QPair<QString, QString>> renames;
    const Table &sites = m_submitList.table();
    for (const QStringList &site : chosen) {
        const QString name = site.value(SiteRecord::SiteName);
        for (int r = 1; r < sites.rowCount(); ++r) {
            const QString listed = sites.cell(SiteRecord::SiteName, r);
            if (listed != name && listed.compare(name, Qt::CaseInsensitive) == 0)
                renames.append({listed, name});
        }
    }
    return applyUserSites(SitePack::apply(m_userSites, chosen), QString(), QString(), nullptr, renames);
}

Workspace::Notices Workspace::deleteUserSite(const QString &name)
{
    UserSites::File file = m_userSites;
    if (!file.removeSite(name))
        return {};
    return applyUserSites(file, QString(), name, nullptr);
}

Workspace::Notices Workspace::applyUserSites(const UserSites::File &file,
                                             const QString &renamedFrom, const QString &siteName,
                                             const QString *userPass,
                                             const QList<QPair<QString, QString>> &renames)
{
    Notices notices;
    const QString error = UserSites::save(file, m_files.userSites());
    if (!error.isEmpty()) {
        addError(notices, error);
        return notices;
    }
    m_userSites = file;

    // Marks and each site's own pair stay with their site, not their row.
    Table &sites = m_submitList.table();
    QHash<QString, QString> pairs;
    QSet<QString> marked;
    for (int r = 1; r < sites.rowCount(); ++r) {
        const QString key = sites.cell(SiteRecord::SiteName, r).toCaseFolded();
        if (!Credentials::isEmpty(sites.cell(SiteRecord::UserPass, r)))
            pairs.insert(key, sites.cell(SiteRecord::UserPass, r));
        if (Marks::isMarked(sites, r))
            marked.insert(key);
    }
    bool pairChanged = false;
    if (userPass) {
        const QString pair = Credentials::isEmpty(*userPass) ? QString() : *userPass;
        // The credential file keeps pairs by site name: the new name's is what counts.
        pairChanged = pairs.value(siteName.toCaseFolded()) != pair;
        if (pair.isEmpty())
            pairs.remove(siteName.toCaseFolded());
        else
            pairs.insert(siteName.toCaseFolded(), pair);
    }
    m_submitList.setUserSites(m_userSites.sites());
    for (int r = 1; r < sites.rowCount(); ++r) {
        const QString key = sites.cell(SiteRecord::SiteName, r).toCaseFolded();
        sites.setCell(SiteRecord::UserPass, r, pairs.value(key));
        Marks::set(sites, r, marked.contains(key));
    }
    if (pairChanged)
        addError(notices, Credentials::write(sites, m_files.credentials()));

    carryRenamedRow(m_history, sites, renamedFrom, siteName);
    for (const auto &[from, to] : renames)
        carryRenamedRow(m_history, sites, from, to);
    const History::LoadResult followed = History::follow(m_history, sites);
    addMessage(notices, followed.mismatchMessage);
    // Changed until written: a failed write is tried again at the close.
    m_historyChanged = true;
    saveHistory(notices);
    return notices;
}

int Workspace::rememberedSoftwareRow() const
{
    const int row = m_settings.software(1);
    const int lastRow = m_software.rowCount() - 1;
    return row < 1 || row > lastRow ? lastRow : row;
}

int Workspace::rememberedSiteRow() const
{
    return m_submitList.rowForSubmitTo(m_settings.submitTo(m_submitList.siteName(1)));
}

Workspace::Notices Workspace::loadWebWindowGeometry()
{
    Notices notices;
    QString problem;
    if (const auto geometry = WebWindowGeometry::parse(m_settings.webWindow(), &problem)) {
        m_webGeometry = *geometry;
    } else {
        m_webGeometry = WebWindowGeometry();
        addError(notices, problem);
    }
    return notices;
}

QString Workspace::titleCounts() const
{
    return QStringLiteral("     :  ") + QString::number(m_software.rowCount() - 1)
           + QStringLiteral(" products  :  ")
           + QString::number(m_submitList.table().rowCount() - 1)
           + QStringLiteral(" sub.sites  :");
}

Workspace::Notices Workspace::saveHistoryIfChanged()
{
    Notices notices;
    if (m_historyChanged)
        saveHistory(notices);
    return notices;
}

void Workspace::saveHistory(Notices &notices)
{
    const TableFile::SaveResult saved = History::save(m_history, m_files.history());
    if (saved.ok)
        m_historyChanged = false;
    else
        addError(notices, saved.error);
}

void Workspace::close()
{
    m_settings.setWebWindow(m_webGeometry.toText());
    // The catalogue itself was saved by every store.
    m_selection.release();
    m_constants.clear();
    m_settings.sync();
}
