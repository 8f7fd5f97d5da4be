#include "shell/workspace.h"

#include "catalogue/fieldcatalogue.h"
#include "catalogue/pseudofields.h"
#include "platform/tablefile.h"
#include "submit/history/history.h"
#include "submit/sites/credentials.h"
#include "submit/sites/sitelibrary.h"

#include <QCoreApplication>


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
    // The product chooser's item i is row i + 1; without a file it stays empty.
    for (int r = 1; result.fileExisted && r < m_software.rowCount(); ++r)
        loaded.chooserNames.append(m_software.cell(Field::ProgramName, r));
    addError(loaded.notices, result.error);
    return loaded;
}

Workspace::SitesLoad Workspace::loadSites()
{
    SitesLoad loaded;
    const SiteLibrary::UpdateResult update = SiteLibrary::applyUpdate(dataFolder());
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
    m_submitList.fill(library);
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
    if (!m_historyChanged)
        return notices;
    const TableFile::SaveResult saved = History::save(m_history, m_files.history());
    if (saved.ok)
        m_historyChanged = false;
    else
        addError(notices, saved.error);
    return notices;
}

void Workspace::close()
{
    m_settings.setWebWindow(m_webGeometry.toText());
    // The catalogue itself was saved by every store.
    m_selection.release();
    m_constants.clear();
    m_settings.sync();
}
