#pragma once

#include "submit/browser/outcome.h"
#include "submit/browser/submissionsource.h"
#include "submit/history/historyrecord.h"
#include "shell/workspace.h"
#include "submit/formwalk/formwalkplanner.h"
#include "submit/guarddialog.h"
#include "submit/run/sitecheckreport.h"
#include "submit/run/submissionrun.h"
#include "submit/runsummarydialog.h"
#include "submit/sitecheckreportdialog.h"
#include "submit/browserengine.h"
#include "submit/softwarelisthost.h"

#include <QList>
#include <QPair>
#include <QLocale>
#include <QObject>
#include <QPointer>

#include <functional>

class AddressHandler;
class BrowserSettingsStore;
class Connectivity;
class Dialogs;
class HistoryView;
class SiteEditorDialog;
class SitePackImportDialog;
class SubmitView;
class TForm3;

// The main window's submissions: the Submit command and its run, the
// browser windows it and "register at site" open, what their closes leave in
// the history and its file, the history view's commands, and the site
// credentials with their dialog. It works on the workspace's tables and the
// window's views, which outlive it.
class SubmissionController : public QObject
{
    Q_OBJECT

public:
    // What the controller needs of the software list, which the window keeps.
    class Host : public virtual SoftwareListHost
    {
    public:
        // The software list's selected rows as table rows, first and last;
        // the current row when none is selected.
        virtual QPair<int, int> selectedSoftwareRows() const = 0;
    };

    // `window` is the main window: the browser windows and the credentials
    // dialog belong to it.
    SubmissionController(Workspace &workspace, SubmitView &submitView, HistoryView &historyView,
                         Host &host, Dialogs &dialogs, AddressHandler &addresses,
                         Connectivity &connectivity, BrowserSettingsStore &browserStore,
                         QWidget *window);
    // The open browser windows go first: they read the tables.
    ~SubmissionController() override;

    // The Submit command, with the views' selections as they are now. During
    // a run it changes nothing and says so.
    SubmissionRun::Start submit();
    static QString alreadyRunningMessage();
    // "register at site" for the site in `row`: a registration window.
    SubmissionWindow *registerAt(int row);
    // "edit site's password": `TForm3` for the history's current row, shown
    // modal to the main window; an accepted pair is stored at once.
    void editSitePassword();

    // The user's own sites, from the submit list's pop-up menu. "edit site..."
    // opens the site editor on the site of that name (a library site is
    // edited as the user's copy that replaces it); an accepted editor writes
    // the sites file, rebuilds the submit list and lets the history follow.
    // Not while a browser window is open: it refers to its site by row.
    void newSite();
    void editSite(const QString &siteName);
    void deleteSite(const QString &siteName);
    // The site editor while it is open.
    SiteEditorDialog *siteEditor() const;
    static QString sitesBusyMessage();
    // "export sites...": the marked sites, the library's and the user's,
    // into a site pack file the user names.
    void exportSites();
    static QString noSiteMarkedMessage();
    // "import sites...": a pack file the user picks, then the import window.
    void importSites();
    // The import window on a pack's bytes; a pack refused as a whole is told
    // and changes nothing. "Import" stores the chosen sites with one write of
    // the sites file and rebuilds the submit list as the site editor does.
    void openSitePack(const QByteArray &bytes);
    SitePackImportDialog *sitePackImport() const;
    // "check marked sites...": the marked sites' submission pages opened
    // one after another and read for the current product, nothing sent;
    // then the report. The selected sites when none is marked.
    void checkMarkedSites();
    SiteCheck *siteCheck() const { return m_siteCheck; }
    SiteCheckReportDialog *siteCheckReport() const { return m_siteCheckReport; }
    RunSummaryDialog *runSummary() const { return m_runSummary; }
    // The site editor's "read form from page": the inputs the user picked.
    QList<FormWalk::FieldMapEntry> readFormFromPage(const QStringList &siteRecord);

    // "history": the history view shows the submit list's current site in
    // the current product's column.
    void showHistoryPosition();

    // Program close: with a browser window open, asks first; on yes the
    // windows are closed without an outcome (every outcome confirmed so far
    // is already in the history file).
    bool mayCloseProgram();
    // A run keeps its pairs by row: a product deleted under it would move its
    // history columns and what it is to leave out. Says why when not.
    bool productsMayBeDeleted();

    SubmissionRun &run() { return m_run; }
    BrowserWindowBook &book() { return m_book; }
    // The browser windows that are open, oldest first.
    QList<SubmissionWindow *> openWindows() const;
    // The credential dialog while it is open.
    TForm3 *credentialsDialog() const;

    // While a run's window is looked at, the next pair's page loads hidden
    // and is filled, to show at once when its turn comes (on unless set off).
    void setPreloadingNext(bool on);
    // The hidden window of the next pair, while there is one.
    SubmissionWindow *preloadedWindow() const { return m_preload ? m_preload->window.data() : nullptr; }

    // The browser choices as the store holds them now.
    BrowserOptions browserOptions() const;

    // The day and the short date format outcomes are written with.
    void setClock(const Clock &clock) { m_clock = &clock; }
    void setLocale(const QLocale &locale) { m_locale = locale; }
    // Who is asked about pairs already sent or against a site's policy; the
    // dialog unless set.
    void setGuardPrompt(SubmitGuard::Prompt &prompt) { m_guardPrompt = &prompt; }

signals:
    // The submit list was rebuilt from the library and the user's sites.
    void sitesChanged();

signals:
    // "edit site..." in the site check's report.
    void editSiteRequested(const QString &siteName);

private:
    bool sitesMayChange();
    void openSiteEditor(const QStringList &record);
    void storeSite(const QString &oldName, const QStringList &record);
    void importChosenSites(const QList<QStringList> &chosen);
    void sitesRebuilt(const QString &currentSite, const QList<Workspace::Notice> &notices);
    void wireViews();
    void siteCheckFinished(const QList<SiteCheckResult> &results);
    void openSubmission(int siteRow, int softwareRow);
    // The window that ends a run, when the run handled any pair.
    void showRunSummary();
    // The browser module, loaded at the first page; its failure is told.
    BrowserEngine *browserEngine();
    // nullptr when the browser could not be loaded.
    SubmissionWindow *openWindow(int resultCode);
    void submissionClosed(SubmissionWindow *window, int resultCode, const WebWindowGeometry &geometry);
    void registrationClosed(SubmissionWindow *window, const WebWindowGeometry &geometry);
    void windowClosed(SubmissionWindow *window, const WebWindowGeometry &geometry);
    void storeCredentials(int row, const QString &userName, const QString &passWord);
    void historyEdited();
    // The product the open submission window fills: the run's, else the
    // software list's current row.
    int submittedSoftwareRow() const;
    void closeAllWindows();
    // The run's next pair, loaded hidden once the open window's page is in.
    void preloadNext();
    // The hidden window for `pair`, taken out of the preload; nullptr when
    // there is none for it (a different pair's is dropped).
    SubmissionWindow *takePreloaded(SubmissionRun::Pair pair);
    void dropPreload();

    Workspace &m_workspace;
    SubmitView &m_submitView;
    HistoryView &m_historyView;
    Host &m_host;
    QWidget *m_window;
    Dialogs &m_dialogs;
    AddressHandler &m_addresses;
    BrowserSettingsStore &m_browserStore;
    SubmissionRun m_run;
    BrowserWindowBook m_book;
    TableSubmissionSource m_source;
    SystemClock m_systemClock;
    const Clock *m_clock = &m_systemClock;
    QLocale m_locale;
    GuardDialogPrompt m_guardDialog;
    SubmitGuard::Prompt *m_guardPrompt = &m_guardDialog;
    QList<QPointer<SubmissionWindow>> m_windows;
    struct Preload
    {
        SubmissionRun::Pair pair;
        QPointer<SubmissionWindow> window;
    };
    std::optional<Preload> m_preload;
    bool m_preloadingNext = true;
    QPointer<TForm3> m_credentials;
    QPointer<SiteEditorDialog> m_siteEditor;
    QPointer<SitePackImportDialog> m_sitePackImport;
    QPointer<SiteCheck> m_siteCheck;
    QPointer<RunSummaryDialog> m_runSummary;
    QPointer<SiteCheckReportDialog> m_siteCheckReport;
};
