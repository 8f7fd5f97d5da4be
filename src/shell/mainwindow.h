#pragma once

#include "shell/submissioncontroller.h"
#include "shell/workspace.h"
#include "submit/history/standing.h"
#include "submit/submitview.h"

#include <QList>
#include <QStringList>
#include <QWidget>

#include <memory>

class AddressHandler;
class BrowserSettings;
class BrowserSettingsStore;
class BrowserSettingsView;
class FeedbackView;
class TFormAbout;
class RunProgressLine;
class StatusLine;
class UpdateCommand;
class Connectivity;
class Dialogs;
class HistoryView;
class OptionsView;
class QComboBox;
class QLabel;
class StatusLine;
class QMenu;
class QPushButton;
class QTableView;
class SoftwareEditor;
class SoftwareListModel;
class WheelToKeys;

// The main window: menu bar, content views (at most one shown), the software
// list, and the order of the start-up and close steps. The data and the steps
// that need no window are the workspace's.
class TForm1 : public QWidget, public SubmitView::Host, public SubmissionController::Host
{
    Q_OBJECT

public:
    // The title every start begins with; start-up appends the counts.
    static constexpr const char *InitialTitle = " Kelvane[] Submitter ...";
    static constexpr int MenuBarHeight = 28;
    static constexpr int ViewWidth = 640;
    static constexpr int ViewHeight = 296;
    static constexpr int OptionsViewWidth = 336;
    static constexpr int OptionsViewLeft = 304;
    static constexpr int ClientWidth = 646;
    static constexpr int MinimumClientHeight = 329;
    static constexpr int FirstColumnWidth = 146;

    // The site library is looked for in `dataFolder`, then in `programFolder`
    // (empty: the running program's folder).
    // `connectivity` answers the Submit command's check; `browserStore` is
    // the store of the browser's images, scripts and user-agent settings.
    TForm1(const QString &dataFolder, Dialogs &dialogs, AddressHandler &addresses,
           Connectivity &connectivity, BrowserSettingsStore &browserStore,
           const QString &programFolder = QString(),
           QWidget *parent = nullptr);
    ~TForm1() override;

    // No usable site library was found: the message was shown and the
    // program is to end without entering its event loop.
    bool startUpFailed() const { return m_startUpFailed; }

    // Hides every content view; every view switch starts here.
    void hideAllViews();
    // The shown content view, or nullptr when only the title label shows.
    QWidget *currentView() const;
    // The line at the window's foot that says what the last command did.
    StatusLine *statusLine() const { return m_statusLine; }
    // How far a submission run has come, shown while one is under way.
    RunProgressLine *runProgress() const { return m_runProgress; }
    QList<QWidget *> contentViews() const { return m_views; }

    // Widens the shown software list columns to their widest text and hides
    // the others; after loading and after every store.
    void layoutSoftwareColumns();

    // Current row of the software list, as a table row (1..).
    int currentSoftwareRow() const override;
    // Makes `row` current; the change runs the record-selected step.
    void setCurrentSoftwareRow(int row) override;

    QPair<int, int> selectedSoftwareRows() const override;

    // The program's data and its files.
    Workspace &workspace() { return m_workspace; }
    SoftwareListModel *softwareModel() const { return m_softwareModel; }
    QComboBox *productChooser() const;
    SubmitView *submitView() const { return m_submitView; }
    OptionsView *optionsView() const { return m_optionsView; }
    HistoryView *historyView() const { return m_historyView; }
    FeedbackView *feedbackView() const { return m_feedbackView; }
    TFormAbout *aboutBox();
    BrowserSettings &browserSettings() const { return *m_browserSettings; }
    // The Submit command's run, its browser windows and the site credentials.
    SubmissionController *submission() const { return m_submission; }
    // "&update soft": the site library download.
    UpdateCommand *update() const { return m_update; }
    // The seven editor pages' controls and commands (built at start-up).
    SoftwareEditor *editor() const { return m_editor; }
    QMenu *softwareListMenu() const { return m_softwareMenu; }

public slots:
    // The record-selected step; `sender` is null for the program's own calls
    // after loading and after a store, which always rebuild the match lists.
    void StringGrid_software_listClick(QObject *sender);
    // The title-bar commands 1025..1028 (about, home page, help, feedback).
    void systemCommand(int command);
    // The Submit command of the submit view.
    void Button_submit_dataClick();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The submit view's hold on the software list and the history table.
    void restoreSoftwareRow(int row) override;
    void selectAllSoftwareRows() override;
    void softwareMarksChanged() override;
    void setHistoryCurrentRow(int row) override;
    void showNotices(const Workspace::Notices &notices);
    // One product's history (the history's column) saved as a report.
    void saveProductReport(int column, bool html);

    void startUp();
    bool loadSiteTable();
    void loadHistory();
    void buildMenuBar();
    void buildViews();
    void buildSoftwareListView(QWidget *view);
    void buildEditor();
    // The editor changed the software list or the history behind the views.
    void softwareRecordStored(int row);
    void softwareRecordDeleted(int row, const QString &name);
    // The title's product and site counts, after anything that changes them.
    void refreshTitle();
    void editorHistoryChanged(bool saved);
    void showView(QWidget *view);
    void showSoftwareList();
    void showSubmitList();
    bool loadCatalogue();
    void layoutViews();
    void updateHeightLimit();
    // The "?" menu's commands and F1.
    void openFeedbackView();
    void openHelpContents();
    void openHelpTopic();

    Workspace m_workspace;
    Dialogs &m_dialogs;
    AddressHandler &m_addresses;
    BrowserSettingsStore &m_browserStore;
    std::unique_ptr<BrowserSettings> m_browserSettings;
    bool m_startUpFailed = false;
    bool m_browserSettingsApplied = false;
    WheelToKeys *m_wheelToKeys = nullptr;

    QWidget *m_menuBar = nullptr;
    QLabel *m_titleLabel = nullptr;
    StatusLine *m_statusLine = nullptr;
    RunProgressLine *m_runProgress = nullptr;
    QList<QWidget *> m_views;
    OptionsView *m_optionsView = nullptr;
    SubmitView *m_submitView = nullptr;
    HistoryView *m_historyView = nullptr;
    FeedbackView *m_feedbackView = nullptr;
    BrowserSettingsView *m_browserSettingsView = nullptr;
    TFormAbout *m_aboutBox = nullptr;
    QWidget *m_softwareView = nullptr;
    QTableView *m_softwareList = nullptr;
    SoftwareListModel *m_softwareModel = nullptr;
    // Each product's standing, by software row, from the history.
    QWidget *m_softwareButtons = nullptr;
    SubmissionController *m_submission = nullptr;
    UpdateCommand *m_update = nullptr;
    QMenu *m_softwareMenu = nullptr;
    SoftwareEditor *m_editor = nullptr;
};
