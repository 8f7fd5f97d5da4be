#include "shell/submissioncontroller.h"

#include "catalogue/fieldcatalogue.h"
#include "platform/dialogs.h"
#include "platform/scrambler.h"
#include "shell/browsersettings.h"
#include "shell/workspace.h"
#include "submit/credentialsdialog.h"
#include "submit/history/historyrules.h"
#include "submit/historyview.h"
#include "submit/siteeditordialog.h"
#include "submit/sitepackimportdialog.h"
#include "platform/reportfile.h"
#include "platform/versiontext.h"
#include "submit/sites/sitepack.h"
#include "submit/run/runpadcheck.h"
#include "submit/runsummarydialog.h"
#include "submit/sitecheckreportdialog.h"
#include "submit/sitelistmodel.h"
#include "submit/sites/credentials.h"
#include "submit/sites/submitlist.h"
#include "submit/submitview.h"

#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QCoreApplication>
#include <QTimer>
#include <QWidget>

SubmissionController::SubmissionController(Workspace &workspace, SubmitView &submitView,
                                           HistoryView &historyView, Host &host,
                                           Dialogs &dialogs, AddressHandler &addresses,
                                           Connectivity &connectivity,
                                           BrowserSettingsStore &browserStore, QWidget *window)
    : QObject(window),
      m_workspace(workspace),
      m_submitView(submitView),
      m_historyView(historyView),
      m_host(host),
      m_window(window),
      m_dialogs(dialogs),
      m_addresses(addresses),
      m_browserStore(browserStore),
      m_run(workspace.sites(), workspace.software(), connectivity, dialogs),
      m_source(workspace.sites(), workspace.software()),
      m_guardDialog(window)
{
    m_source.currentSoftwareRow = [this] { return submittedSoftwareRow(); };
    m_source.currentMatchLists = [this] {
        const int row = submittedSoftwareRow();
        // The lists of the record-selected step describe the software list's
        // current row; a product the user moved away from gets its own.
        RecordSelection &selection = m_workspace.recordSelection();
        if (row == m_host.currentSoftwareRow() && selection.hasMatchLists())
            return selection.matchLists();
        return MatchLists::build(m_workspace.software().row(row));
    };
    m_source.constantValues = [this] { return m_workspace.constantValues(); };
    // The default site login as last stored by the options view's "ok".
    m_source.login = [this] {
        const Login::Pair pair = Login::load(m_workspace.settings());
        return FormWalk::LoginPair{pair.userName, pair.passWord};
    };
    m_source.autoSubmitChecked = [this] { return m_submitView.automaticSubmission(); };
    // Pairs a site took already, or that break its policy, go only when the
    // user says so; the history is read in the format outcomes are written in.
    m_run.setPairGuard([this](const QList<int> &sites, const QList<int> &products) {
        const SubmitGuard::Findings findings =
            SubmitGuard::find(m_workspace.history(), m_workspace.sites(),
                              m_workspace.software(), sites, products, m_locale);
        if (findings.isEmpty())
            return std::optional<QList<SubmissionRun::Pair>>(QList<SubmissionRun::Pair>());
        return SubmitGuard::leftOut(findings, m_guardPrompt->ask(findings));
    });
    // Products that break PAD rules go only when the user says so, once a run.
    m_run.setProductApproval([this](const QList<int> &rows) {
        const QString list = RunPadCheck::listFor(m_workspace.software(), rows);
        return list.isEmpty()
            || m_dialogs.warnOkCancel(RunPadCheck::title(), list) == Dialogs::Answer::Ok;
    });
    wireViews();
}

SubmissionController::~SubmissionController()
{
    closeAllWindows();
}

void SubmissionController::wireViews()
{
    connect(&m_run, &SubmissionRun::openSubmission, this, &SubmissionController::openSubmission);
    connect(&m_run, &SubmissionRun::siteMarksChanged, &m_submitView,
            [this] { m_submitView.model()->marksChanged(); });
    connect(&m_run, &SubmissionRun::productMarksChanged, this,
            [this] { m_host.softwareMarksChanged(); });
    connect(&m_run, &SubmissionRun::chooserAndExitEnabledChanged, this,
            [this](bool enabled) { m_submitView.productChooser()->setEnabled(enabled); });
    connect(&m_run, &SubmissionRun::finished, this, &SubmissionController::showRunSummary);
    connect(&m_run, &SubmissionRun::bringToFront, this, [this] {
        m_window->raise();
        m_window->activateWindow();
    });

    connect(&m_submitView, &SubmitView::registerRequested, this, &SubmissionController::registerAt);
    connect(&m_submitView, &SubmitView::sitePasswordRequested, this,
            &SubmissionController::editSitePassword);
    connect(&m_submitView, &SubmitView::siteCheckRequested, this,
            &SubmissionController::checkMarkedSites);
    connect(&m_submitView, &SubmitView::automaticSubmissionChanged, this,
            [this](bool on) { m_run.setAutoSubmit(on); });

    connect(&m_submitView, &SubmitView::newSiteRequested, this, &SubmissionController::newSite);
    // The check's report and the editor's "read form from page" meet here.
    connect(this, &SubmissionController::editSiteRequested, this, &SubmissionController::editSite);
    connect(&m_submitView, &SubmitView::editSiteRequested, this, [this](int row) {
        editSite(m_workspace.submitList().siteName(row));
    });
    connect(&m_submitView, &SubmitView::deleteSiteRequested, this, [this](int row) {
        deleteSite(m_workspace.submitList().siteName(row));
    });
    connect(&m_submitView, &SubmitView::exportSitesRequested, this,
            &SubmissionController::exportSites);
    connect(&m_submitView, &SubmitView::importSitesRequested, this,
            &SubmissionController::importSites);

    connect(&m_historyView, &HistoryView::edited, this, &SubmissionController::historyEdited);
    connect(&m_historyView, &HistoryView::editRefused, this,
            [this](const QString &message) { m_dialogs.error(message); });
    connect(&m_historyView, &HistoryView::cellClicked, this, [this](int column, int row) {
        if (const std::optional<int> follow = HistoryRules::submitListRowAfterClick(
                column, row, m_host.currentSoftwareRow()))
            m_submitView.setCurrentRow(*follow);
    });
}

void SubmissionController::showHistoryPosition()
{
    m_historyView.SpeedButton1Click(m_submitView.currentRow(), m_host.currentSoftwareRow());
}

SubmissionRun::Start SubmissionController::submit()
{
    SubmissionRun::Selection selection;
    const QPair<int, int> sites = m_submitView.selectionRange();
    selection.siteRows = {{sites.first, sites.second}};
    const QPair<int, int> products = m_host.selectedSoftwareRows();
    selection.softwareRows = {{products.first, products.second}};
    selection.chooserIndex = m_submitView.productChooser()->currentIndex();
    selection.autoSubmit = m_submitView.automaticSubmission();
    const SubmissionRun::Start start = m_run.submit(selection);
    // The marks of a run under way are kept: the user learns why nothing opened.
    if (start == SubmissionRun::Start::AlreadyRunning)
        m_dialogs.message(QCoreApplication::applicationName(), alreadyRunningMessage());
    return start;
}

QString SubmissionController::alreadyRunningMessage()
{
    return tr("A submission run is under way: record the open browser window's outcome "
              "before you start another.");
}

int SubmissionController::submittedSoftwareRow() const
{
    if (const std::optional<SubmissionRun::Pair> pair = m_run.openPair())
        return pair->softwareRow;
    return m_host.currentSoftwareRow();
}

void SubmissionController::openSubmission(int siteRow, int softwareRow)
{
    // The run took every product of "select all soft products" as marked
    // already; making one of them current ends the mode without the mode's
    // own clearing of the marks, which would end the run after one window.
    m_submitView.untickSelectAllSoftProducts();
    m_submitView.productChooser()->setCurrentIndex(softwareRow - 1);
    m_host.setCurrentSoftwareRow(softwareRow);

    SubmissionWindow *window = takePreloaded({siteRow, softwareRow});
    if (window) {
        m_book.setGeometry(m_workspace.webWindowGeometry());
        window->reveal(m_book);
        m_windows.append(window);
    } else {
        window = openWindow(siteRow);
    }
    if (!window) {
        // Without the browser no pair can be opened: the run ends here.
        QTimer::singleShot(0, this, [this] {
            m_run.abandon();
            dropPreload();
        });
        return;
    }
    connect(window, &SubmissionWindow::closed, this,
            [this, window](int resultCode, const WebWindowGeometry &geometry) {
                submissionClosed(window, resultCode, geometry);
            });
    // The next page loads while the user looks at this one, not before.
    if (window->firstPageEnded())
        QTimer::singleShot(0, this, &SubmissionController::preloadNext);
    else
        connect(window, &SubmissionWindow::firstPageEndedNow, this,
                &SubmissionController::preloadNext, Qt::QueuedConnection);
}

namespace {

// A source that reads one product's record whatever the software list
// shows; it lives as long as the window it was made for.
class PinnedSource : public QObject
{
public:
    PinnedSource(const TableSubmissionSource &live, const Table &software, int softwareRow)
        : source(live)
    {
        source.currentSoftwareRow = [softwareRow] { return softwareRow; };
        source.currentMatchLists = [&software, softwareRow] {
            return MatchLists::build(software.row(softwareRow));
        };
    }
    TableSubmissionSource source;
};

} // namespace

void SubmissionController::setPreloadingNext(bool on)
{
    m_preloadingNext = on;
    if (!on)
        dropPreload();
}

void SubmissionController::preloadNext()
{
    const std::optional<SubmissionRun::Pair> next = m_run.upcomingPair();
    const std::optional<SubmissionRun::Pair> open = m_run.openPair();
    // The same site's next product waits: a second page of a site in the
    // same session can void the open one's form token or picture code.
    if (!m_preloadingNext || !next || !open || next->siteRow == open->siteRow
        || (m_preload && m_preload->pair == *next))
        return;
    dropPreload();
    BrowserEngine *engine = BrowserEngines::isLoaded() ? browserEngine() : nullptr;
    if (!engine)
        return;
    auto *pinned = new PinnedSource(m_source, m_workspace.software(), next->softwareRow);
    SubmissionWindow *window = engine->preloadWindow(next->siteRow, pinned->source, m_dialogs,
                                                     m_addresses, browserOptions(), m_window);
    pinned->setParent(window);
    m_preload = Preload{*next, window};
}

SubmissionWindow *SubmissionController::takePreloaded(SubmissionRun::Pair pair)
{
    if (!m_preload)
        return nullptr;
    if (m_preload->pair != pair || !m_preload->window || !m_preload->window->preloadUsable()) {
        dropPreload();
        return nullptr;
    }
    SubmissionWindow *window = m_preload->window;
    m_preload.reset();
    return window;
}

void SubmissionController::dropPreload()
{
    if (!m_preload)
        return;
    // Never shown, so nothing of it was sent and there is no outcome.
    delete m_preload->window.data();
    m_preload.reset();
}

SubmissionWindow *SubmissionController::registerAt(int row)
{
    SubmissionWindow *window = openWindow(-row);
    if (!window)
        return nullptr;
    connect(window, &SubmissionWindow::closed, this,
            [this, window](int, const WebWindowGeometry &geometry) {
                registrationClosed(window, geometry);
            });
    m_run.registrationOpened();
    return window;
}

BrowserOptions SubmissionController::browserOptions() const
{
    const BrowserChoices choices = BrowserChoices::read(m_browserStore);
    BrowserOptions options;
    options.images = choices.images;
    options.scripts = choices.scripts;
    options.userAgentTokens = choices.userAgentTokens;
    return options;
}

void SubmissionController::checkMarkedSites()
{
    if (m_siteCheck && m_siteCheck->isRunning())
        return;
    // One browser at a time: the run's window shares the profile and its login.
    if (m_run.isRunning()) {
        m_dialogs.message(QCoreApplication::applicationName(), alreadyRunningMessage());
        return;
    }
    const Table &sites = m_workspace.sites();
    if (sites.isEmpty())
        return;
    QList<QStringList> records;
    for (int row = 1; row < sites.rowCount(); ++row)
        if (Marks::isMarked(sites, row))
            records.append(FormWalk::siteRecordCells(sites, row));
    if (records.isEmpty()) {
        const QPair<int, int> range = m_submitView.selectionRange();
        for (int row = qMax(1, range.first); row <= range.second && row < sites.rowCount(); ++row)
            records.append(FormWalk::siteRecordCells(sites, row));
    }
    if (records.isEmpty())
        return;
    // Planned for the current product as a run would fill it; an empty
    // record when the catalogue has none.
    FormWalk::Input product;
    const int row = m_host.currentSoftwareRow();
    product.softwareRecord = m_workspace.software().isEmpty() ? QStringList(FieldCatalogue::FieldCount)
                                                              : m_workspace.software().row(row);
    product.matchLists = m_source.matchLists();
    product.constants = m_source.constants();
    product.defaultLogin = m_source.defaultLogin();
    delete m_siteCheck.data();
    BrowserEngine *engine = browserEngine();
    if (!engine)
        return;
    m_siteCheck = engine->siteCheck(records, product, browserOptions(), m_window);
    connect(m_siteCheck, &SiteCheck::finished, this, &SubmissionController::siteCheckFinished);
    m_siteCheck->start();
}

void SubmissionController::siteCheckFinished(const QList<SiteCheckResult> &results)
{
    delete m_siteCheckReport.data();
    m_siteCheckReport = new SiteCheckReportDialog(results, m_dialogs, m_window);
    m_siteCheckReport->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_siteCheckReport, &SiteCheckReportDialog::editSiteRequested, this,
            &SubmissionController::editSiteRequested);
    m_siteCheckReport->show();
    if (m_siteCheck)
        m_siteCheck->deleteLater();
}

QList<FormWalk::FieldMapEntry> SubmissionController::readFormFromPage(const QStringList &siteRecord)
{
    BrowserEngine *engine = browserEngine();
    if (!engine)
        return {};
    return engine->readFormFromPage(siteRecord, browserOptions(), m_source.defaultLogin(),
                                         m_window);
}

BrowserEngine *SubmissionController::browserEngine()
{
    QString error;
    BrowserEngine *engine = BrowserEngines::get(&error);
    if (!engine)
        m_dialogs.error(error);
    return engine;
}

SubmissionWindow *SubmissionController::openWindow(int resultCode)
{
    // The main window keeps the last closed window's place for "WebWindow".
    m_book.setGeometry(m_workspace.webWindowGeometry());
    // As the store holds them now: the user's choices while the program runs.
    BrowserEngine *engine = browserEngine();
    if (!engine)
        return nullptr;
    SubmissionWindow *window = engine->openWindow(m_book, resultCode, m_source, m_dialogs,
                                                  m_addresses, browserOptions(), m_window);
    m_windows.append(window);
    return window;
}

void SubmissionController::windowClosed(SubmissionWindow *window, const WebWindowGeometry &geometry)
{
    m_book.closed(geometry);
    m_workspace.setWebWindowGeometry(m_book.geometry());
    m_windows.removeAll(window);
}

void SubmissionController::submissionClosed(SubmissionWindow *window, int resultCode,
                                            const WebWindowGeometry &geometry)
{
    windowClosed(window, geometry);
    if (const std::optional<SubmissionRun::Pair> pair = m_run.openPair()) {
        const bool email = m_workspace.sites().cell(SiteRecord::Login, pair->siteRow).trimmed()
                           == QString::number(SiteRecord::EmailSite);
        m_run.setOpenPairNote(email ? tr("sent by e-mail") : window ? window->leftToUser() : QString());
        const HistoryRecord::Recorded recorded =
            HistoryRecord::record(m_workspace.history(), m_workspace.files().history(),
                                  resultCode, pair->softwareRow, *m_clock, m_locale);
        if (recorded.cell) {
            m_historyView.cellsChanged();
            m_submitView.historyChanged();
            // The whole table went to the file, edits made meanwhile with it;
            // an outcome the file did not take is written at the next chance.
            m_workspace.setHistoryChanged(!recorded.saved);
            if (!recorded.saved)
                m_dialogs.error(recorded.error);
        }
    }
    m_run.submissionClosed(resultCode);
}

void SubmissionController::registrationClosed(SubmissionWindow *window, const WebWindowGeometry &geometry)
{
    windowClosed(window, geometry);
    m_run.registrationClosed();
}

void SubmissionController::showRunSummary()
{
    dropPreload();
    if (m_run.summaryOfRun().isEmpty())
        return;
    delete m_runSummary.data();
    m_runSummary = new RunSummaryDialog(m_run.summaryOfRun(), m_dialogs, m_window);
    m_runSummary->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_runSummary, &RunSummaryDialog::markAgainRequested, this, [this](const QList<int> &rows) {
        Table &sites = m_workspace.sites();
        for (int row = 1; row < sites.rowCount(); ++row)
            Marks::set(sites, row, rows.contains(row));
        m_submitView.model()->marksChanged();
    });
    m_runSummary->show();
}

bool SubmissionController::mayCloseProgram()
{
    if (!m_run.mayCloseProgram())
        return false;
    closeAllWindows();
    return true;
}

void SubmissionController::closeAllWindows()
{
    dropPreload();
    const QList<QPointer<SubmissionWindow>> windows = m_windows;
    m_windows.clear();
    for (const QPointer<SubmissionWindow> &window : windows) {
        if (!window)
            continue;
        // Abandoned: no outcome, so no close handler.
        disconnect(window, nullptr, this, nullptr);
        delete window.data();
    }
}

QList<SubmissionWindow *> SubmissionController::openWindows() const
{
    QList<SubmissionWindow *> open;
    for (const QPointer<SubmissionWindow> &window : m_windows) {
        if (window)
            open.append(window.data());
    }
    return open;
}

TForm3 *SubmissionController::credentialsDialog() const
{
    return m_credentials.data();
}

void SubmissionController::editSitePassword()
{
    if (m_credentials) {
        m_credentials->raise();
        m_credentials->activateWindow();
        return;
    }
    // The site selected in the submit list, wherever the history view's
    // current cell was left.
    const int row = m_submitView.currentRow();
    const std::optional<Credentials::DialogFields> fields =
        Credentials::dialogFor(m_workspace.sites(), row);
    if (!fields)
        return;
    auto *dialog = new TForm3(m_dialogs, m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFields(*fields);
    connect(dialog, &QDialog::accepted, this, [this, row, dialog] {
        storeCredentials(row, dialog->userName(), dialog->passWord());
    });
    m_credentials = dialog;
    // Modal to the main window only: the browser windows stay usable, and
    // no nested event loop runs in this handler.
    dialog->open();
}

void SubmissionController::storeCredentials(int row, const QString &userName,
                                            const QString &passWord)
{
    const QString problem =
        Credentials::store(m_workspace.sites(), row, userName, passWord,
                           m_workspace.files().credentials());
    if (!problem.isEmpty())
        m_dialogs.error(problem);
    m_submitView.siteRecordChanged();
}

QString SubmissionController::sitesBusyMessage()
{
    return tr("A browser window is open: record its outcome before you change the sites.");
}

bool SubmissionController::productsMayBeDeleted()
{
    if (m_run.isRunning() || !openWindows().isEmpty()) {
        m_dialogs.error(tr("A submission run is under way: record the open browser window's "
                           "outcome before you delete a product."));
        return false;
    }
    return true;
}

bool SubmissionController::sitesMayChange()
{
    if (m_run.isRunning() || !openWindows().isEmpty()) {
        m_dialogs.error(sitesBusyMessage());
        return false;
    }
    return true;
}

SiteEditorDialog *SubmissionController::siteEditor() const
{
    return m_siteEditor;
}

void SubmissionController::newSite()
{
    if (sitesMayChange())
        openSiteEditor({});
}

void SubmissionController::editSite(const QString &siteName)
{
    if (!sitesMayChange())
        return;
    const Table &sites = m_workspace.sites();
    const int row = sites.findRow(SiteRecord::SiteName, siteName);
    if (row < 1 || siteName.isEmpty())
        return;
    openSiteEditor(FormWalk::siteRecordCells(sites, row));
}

void SubmissionController::openSiteEditor(const QStringList &record)
{
    if (m_siteEditor) {
        m_siteEditor->raise();
        m_siteEditor->activateWindow();
        return;
    }
    auto *dialog = new SiteEditorDialog(m_dialogs, m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setRecord(record);
    dialog->setFormReader([this](const QStringList &record) { return readFormFromPage(record); });
    // A user site's name is its own: another of the user's sites may not take it.
    dialog->setExtraCheck([this, oldName = dialog->originalName()](const QStringList &cells) {
        const QString name = cells.value(SiteRecord::SiteName);
        const int other = m_workspace.userSites().indexOf(name);
        if (other >= 0 && name.compare(oldName, Qt::CaseInsensitive) != 0)
            return tr("You have a site named \"%1\" already: choose another name, or edit "
                      "that site.")
                .arg(name);
        return QString();
    });
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        storeSite(dialog->originalName(), dialog->record());
    });
    m_siteEditor = dialog;
    // Modal to the main window only, without a nested event loop.
    dialog->open();
}

void SubmissionController::storeSite(const QString &oldName, const QStringList &record)
{
    if (!sitesMayChange())
        return;
    const QStringList lost = m_workspace.outcomesLostByStore(oldName, record);
    if (!lost.isEmpty()
        && m_dialogs.warnOkCancel(tr("site"),
                                  tr("The history holds outcomes for %1, which will no longer "
                                     "be listed. Save anyway and remove those history rows?")
                                      .arg(lost.join(QStringLiteral(", "))))
               != Dialogs::Answer::Ok)
        return;
    Workspace::Notices notices;
    m_historyView.reload([&] {
        m_submitView.reload([&] { notices = m_workspace.storeUserSite(oldName, record); });
    });
    sitesRebuilt(record.value(SiteRecord::SiteName), notices);
}

void SubmissionController::deleteSite(const QString &siteName)
{
    if (!sitesMayChange())
        return;
    if (m_workspace.userSites().indexOf(siteName) < 0)
        return;
    const QStringList lost = m_workspace.outcomesLostByDelete(siteName);
    const QString question =
        m_workspace.submitList().isLibrarySite(siteName)
            ? tr("Delete your copy of the site \"%1\"? The site library's record comes back.")
                  .arg(siteName)
            : lost.isEmpty()
                  ? tr("Delete the site \"%1\"?").arg(siteName)
                  : tr("Delete the site \"%1\"? Its history row, with every outcome in it, "
                       "is removed as well.")
                        .arg(siteName);
    if (m_dialogs.warnOkCancel(tr("delete site"), question) != Dialogs::Answer::Ok)
        return;
    const int row = m_submitView.currentRow();
    Workspace::Notices notices;
    m_historyView.reload([&] {
        m_submitView.reload([&] { notices = m_workspace.deleteUserSite(siteName); });
    });
    const Table &sites = m_workspace.sites();
    sitesRebuilt(sites.cell(SiteRecord::SiteName, std::min(row, sites.rowCount() - 1)), notices);
}

QString SubmissionController::noSiteMarkedMessage()
{
    return tr("No site is marked, so there is nothing to export. Tick the check boxes of the "
              "sites to export first.");
}

namespace {

Dialogs::FileDialogSettings packDialog(const QString &title)
{
    return {title, SubmissionController::tr("Site pack (*.json)"), QStringLiteral("json"),
            QStringLiteral("sites.json")};
}

} // namespace

void SubmissionController::exportSites()
{
    const Table &sites = m_workspace.sites();
    QList<QStringList> records;
    for (int row = 1; row < sites.rowCount(); ++row)
        if (!sites.isEmpty() && Marks::isMarked(sites, row))
            records.append(FormWalk::siteRecordCells(sites, row));
    if (records.isEmpty()) {
        m_dialogs.message(tr("export sites"), noSiteMarkedMessage());
        return;
    }
    const QByteArray pack = SitePack::write(
        records, QStringLiteral("Kelvane Submit ") + VersionText::program(), QDate::currentDate());
    ReportFile::saveAs(m_dialogs, packDialog(tr("export sites")), pack);
}

void SubmissionController::importSites()
{
    if (!sitesMayChange())
        return;
    const QString path = m_dialogs.openFileName(packDialog(tr("import sites")));
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_dialogs.error(tr("The site pack \"%1\" cannot be read: %2").arg(path, file.errorString()));
        return;
    }
    // Told with the file's own size; nothing past the bound is read.
    if (file.size() > SitePack::MaxFileBytes) {
        m_dialogs.error(tr("The file is larger than a site pack may be (%1 bytes; at most %2).")
                            .arg(file.size())
                            .arg(SitePack::MaxFileBytes));
        return;
    }
    openSitePack(file.read(SitePack::MaxFileBytes + 1));
}

void SubmissionController::openSitePack(const QByteArray &bytes)
{
    if (!sitesMayChange())
        return;
    if (m_sitePackImport) {
        m_dialogs.error(tr("A site pack is open for import already: import or cancel it first."));
        m_sitePackImport->raise();
        return;
    }
    const SitePack::ReadResult pack = SitePack::read(bytes, Workspace::userSiteRule());
    if (pack.status != SitePack::Status::Ok) {
        m_dialogs.error(pack.message);
        return;
    }
    const SitePack::Comparison comparison = SitePack::compare(
        pack.sites, m_workspace.submitList().libraryRecords(), m_workspace.userSites().sites());
    auto *dialog = new SitePackImportDialog(pack, comparison, m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this,
            [this, dialog] { importChosenSites(dialog->chosenSites()); });
    m_sitePackImport = dialog;
    // Modal to the main window only, without a nested event loop.
    dialog->open();
}

SitePackImportDialog *SubmissionController::sitePackImport() const
{
    return m_sitePackImport;
}

void SubmissionController::importChosenSites(const QList<QStringList> &chosen)
{
    if (chosen.isEmpty() || !sitesMayChange())
        return;
    const QString current = m_workspace.submitList().siteName(m_submitView.currentRow());
    Workspace::Notices notices;
    m_historyView.reload([&] {
        m_submitView.reload([&] { notices = m_workspace.importUserSites(chosen); });
    });
    sitesRebuilt(current, notices);
}

void SubmissionController::sitesRebuilt(const QString &currentSite,
                                        const QList<Workspace::Notice> &notices)
{
    m_submitView.historyChanged();
    const int row = m_workspace.sites().findRow(SiteRecord::SiteName, currentSite);
    m_submitView.setCurrentRow(row > 0 ? row : 1);
    for (const Workspace::Notice &notice : notices) {
        if (notice.kind == Workspace::Notice::Kind::Error)
            m_dialogs.error(notice.text);
        else
            m_dialogs.message(QCoreApplication::applicationName(), notice.text);
    }
    emit sitesChanged();
}

void SubmissionController::historyEdited()
{
    m_workspace.setHistoryChanged(true);
    m_submitView.historyChanged();
}
