#include "shell/submissioncontroller.h"

#include "catalogue/recordselection.h"
#include "catalogue/softwarelistmodel.h"
#include "platform/dialogs.h"
#include "shell/mainwindow.h"
#include "shell/optionsview.h"
#include "submit/browser/browserwindow.h"
#include "submit/credentialsdialog.h"
#include "submit/history/history.h"
#include "submit/historyview.h"
#include "submit/sites/credentials.h"
#include "submit/history/historyrules.h"
#include "submit/sitelistmodel.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>

#include <algorithm>

namespace {

QTableView *softwareList(const TForm1 &form)
{
    return form.findChild<QTableView *>(QStringLiteral("StringGrid_software_list"));
}

} // namespace

SubmissionController::SubmissionController(TForm1 &form, Dialogs &dialogs,
                                           AddressHandler &addresses, Connectivity &connectivity,
                                           QObject *parent)
    : QObject(parent),
      m_form(form),
      m_dialogs(dialogs),
      m_addresses(addresses),
      m_run(form.submitTable(), form.softwareTable(), connectivity, dialogs),
      m_source(form.submitTable(), form.softwareTable())
{
    m_source.currentSoftwareRow = [this] { return submittedSoftwareRow(); };
    m_source.currentMatchLists = [this] {
        const int row = submittedSoftwareRow();
        // The lists of the record-selected step describe the software list's
        // current row; a product the user moved away from gets its own.
        if (row == m_form.currentSoftwareRow() && m_form.recordSelection().hasMatchLists())
            return m_form.recordSelection().matchLists();
        return MatchLists::build(m_form.softwareTable().row(row));
    };
    m_source.constantValues = [this] { return m_form.constantValues(); };
    m_source.login = [this] {
        return FormWalk::LoginPair{m_form.optionsView()->userName(),
                                   m_form.optionsView()->passWord()};
    };
    m_source.autoSubmitChecked = [this] { return m_form.submitView()->automaticSubmission(); };
    wireViews();
}

SubmissionController::~SubmissionController()
{
    closeAllWindows();
}

void SubmissionController::wireViews()
{
    SubmitView *submitView = m_form.submitView();
    HistoryView *historyView = m_form.historyView();

    connect(&m_run, &SubmissionRun::openSubmission, this, &SubmissionController::openSubmission);
    connect(&m_run, &SubmissionRun::siteMarksChanged, submitView,
            [submitView] { submitView->model()->marksChanged(); });
    connect(&m_run, &SubmissionRun::productMarksChanged, this,
            &SubmissionController::repaintSoftwareList);
    connect(&m_run, &SubmissionRun::chooserAndExitEnabledChanged, this, [this](bool enabled) {
        m_form.productChooser()->setEnabled(enabled);
        if (auto *exit = m_form.findChild<QPushButton *>(QStringLiteral("Button_close")))
            exit->setEnabled(enabled);
    });
    connect(&m_run, &SubmissionRun::bringToFront, this, [this] {
        m_form.raise();
        m_form.activateWindow();
    });

    connect(submitView, &SubmitView::registerRequested, this, &SubmissionController::registerAt);
    connect(submitView, &SubmitView::sitePasswordRequested, this,
            &SubmissionController::editSitePassword);
    if (auto *autoSubmit = submitView->findChild<QCheckBox *>(QStringLiteral("CheckBox_autosubmit")))
        connect(autoSubmit, &QCheckBox::clicked, this,
                [this] { m_run.setAutoSubmit(m_form.submitView()->automaticSubmission()); });

    // After the main window's own handler has shown the view.
    if (auto *history = m_form.findChild<QPushButton *>(QStringLiteral("SpeedButton1")))
        connect(history, &QPushButton::clicked, this, [this] {
            m_form.historyView()->SpeedButton1Click(m_form.submitView()->currentRow(),
                                                    m_form.currentSoftwareRow());
        });
    connect(historyView, &HistoryView::edited, this, &SubmissionController::historyEdited);
    connect(historyView, &HistoryView::editRefused, this,
            [this](const QString &message) { m_dialogs.error(message); });
    connect(historyView, &HistoryView::cellClicked, this, [this](int column, int row) {
        if (const std::optional<int> follow = HistoryRules::submitListRowAfterClick(
                column, row, m_form.currentSoftwareRow()))
            m_form.submitView()->setCurrentRow(*follow);
    });
}

QString SubmissionController::historyPath() const
{
    return QDir(m_form.dataFolder()).filePath(QString::fromLatin1(History::FileName));
}

QString SubmissionController::credentialsPath() const
{
    return QDir(m_form.dataFolder()).filePath(QString::fromLatin1(Credentials::FileName));
}

void SubmissionController::loadCredentials()
{
    const Credentials::LoadResult loaded = Credentials::load(m_form.submitTable(), credentialsPath());
    if (!loaded.problem.isEmpty())
        m_dialogs.error(loaded.problem);
}

SubmissionRun::Start SubmissionController::submit()
{
    SubmissionRun::Selection selection;
    const QPair<int, int> sites = m_form.submitView()->selectionRange();
    selection.siteRows = {{sites.first, sites.second}};
    selection.softwareRows = {softwareSelection()};
    selection.chooserIndex = m_form.productChooser()->currentIndex();
    selection.autoSubmit = m_form.submitView()->automaticSubmission();
    return m_run.submit(selection);
}

SubmissionRun::RowRange SubmissionController::softwareSelection() const
{
    const int current = m_form.currentSoftwareRow();
    const QTableView *list = softwareList(m_form);
    if (!list || !list->selectionModel())
        return {current, current};
    const QItemSelection selection = list->selectionModel()->selection();
    if (selection.isEmpty())
        return {current, current};
    int top = list->model()->rowCount();
    int bottom = -1;
    for (const QItemSelectionRange &range : selection) {
        top = std::min(top, range.top());
        bottom = std::max(bottom, range.bottom());
    }
    return {SoftwareListModel::tableRow(top), SoftwareListModel::tableRow(bottom)};
}

int SubmissionController::submittedSoftwareRow() const
{
    if (const std::optional<SubmissionRun::Pair> pair = m_run.openPair())
        return pair->softwareRow;
    return m_form.currentSoftwareRow();
}

void SubmissionController::repaintSoftwareList() const
{
    if (QTableView *list = softwareList(m_form))
        list->viewport()->update();
}

void SubmissionController::openSubmission(int siteRow, int softwareRow)
{
    // The run took every product of "select all soft products" as marked
    // already; making one of them current ends the mode without the mode's
    // own clearing of the marks, which would end the run after one window.
    if (auto *allProducts =
            m_form.submitView()->findChild<QAction *>(QStringLiteral("Pop_s_softwareitems"));
        allProducts && allProducts->isChecked())
        allProducts->setChecked(false);
    m_form.productChooser()->setCurrentIndex(softwareRow - 1);
    m_form.setCurrentSoftwareRow(softwareRow);

    TForm2 *window = openWindow(siteRow);
    connect(window, &TForm2::closed, this,
            [this, window](int resultCode, const WebWindowGeometry &geometry) {
                submissionClosed(window, resultCode, geometry);
            });
}

TForm2 *SubmissionController::registerAt(int row)
{
    TForm2 *window = openWindow(-row);
    connect(window, &TForm2::closed, this,
            [this, window](int, const WebWindowGeometry &geometry) {
                registrationClosed(window, geometry);
            });
    m_run.registrationOpened();
    return window;
}

TForm2 *SubmissionController::openWindow(int resultCode)
{
    // The main window keeps the last closed window's place for "WebWindow".
    m_book.setGeometry(m_form.webWindowGeometry());
    BrowserOptions options;
    options.images = m_form.settings().showImages();
    options.scripts = m_form.settings().javaScript();
    TForm2 *window = openBrowserWindow(m_book, resultCode, m_source, m_dialogs, m_addresses,
                                       options, &m_form);
    m_windows.append(window);
    return window;
}

void SubmissionController::windowClosed(TForm2 *window, const WebWindowGeometry &geometry)
{
    m_book.closed(geometry);
    m_form.setWebWindowGeometry(m_book.geometry());
    m_windows.removeAll(window);
}

void SubmissionController::submissionClosed(TForm2 *window, int resultCode,
                                            const WebWindowGeometry &geometry)
{
    windowClosed(window, geometry);
    if (const std::optional<SubmissionRun::Pair> pair = m_run.openPair()) {
        const HistoryRecord::Recorded recorded =
            HistoryRecord::record(m_form.historyTable(), historyPath(), resultCode,
                                  pair->softwareRow, *m_clock, m_locale);
        if (recorded.cell) {
            m_form.historyView()->cellsChanged();
            m_form.submitView()->historyChanged();
            // The whole table went to the file, edits made meanwhile with it;
            // an outcome the file did not take is written at the next chance.
            m_form.setHistoryChanged(!recorded.saved);
            if (!recorded.saved)
                m_dialogs.error(recorded.error);
        }
    }
    m_run.submissionClosed(resultCode);
}

void SubmissionController::registrationClosed(TForm2 *window, const WebWindowGeometry &geometry)
{
    windowClosed(window, geometry);
    m_run.registrationClosed();
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
    const QList<QPointer<TForm2>> windows = m_windows;
    m_windows.clear();
    for (const QPointer<TForm2> &window : windows) {
        if (!window)
            continue;
        // Abandoned: no outcome, so no close handler.
        disconnect(window, nullptr, this, nullptr);
        delete window.data();
    }
}

QList<TForm2 *> SubmissionController::openWindows() const
{
    QList<TForm2 *> open;
    for (const QPointer<TForm2> &window : m_windows) {
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
    const int row = m_form.historyView()->currentRow();
    const std::optional<Credentials::DialogFields> fields =
        Credentials::dialogFor(m_form.historyTable(), m_form.submitTable(), row);
    if (!fields)
        return;
    auto *dialog = new TForm3(m_dialogs, &m_form);
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
        Credentials::store(m_form.submitTable(), row, userName, passWord, credentialsPath());
    if (!problem.isEmpty())
        m_dialogs.error(problem);
    m_form.submitView()->siteRecordChanged();
}

void SubmissionController::historyEdited()
{
    m_form.setHistoryChanged(true);
    m_form.submitView()->historyChanged();
}
