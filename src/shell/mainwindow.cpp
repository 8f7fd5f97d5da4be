#include "shell/mainwindow.h"

#include "catalogue/fieldcatalogue.h"
#include "catalogue/productchoosermodel.h"
#include "catalogue/softwarelistdelegate.h"
#include "catalogue/softwarelistmodel.h"
#include "editor/softwareeditor.h"
#include "platform/addresshandler.h"
#include "platform/dialogs.h"
#include "platform/inibrowsersettingsstore.h"
#include "platform/versiontext.h"
#include "shell/aboutbox.h"
#include "shell/browsersettings.h"
#include "shell/browsersettingsview.h"
#include "shell/feedback.h"
#include "shell/feedbackview.h"
#include "shell/helpfile.h"
#include "shell/optionsview.h"
#include "shell/padcommands.h"
#include "shell/runprogressline.h"
#include "shell/statusline.h"
#include "shell/updatecommand.h"
#include "shell/wheeltokeys.h"
#include "submit/historyview.h"
#include "submit/sites/sitelibrary.h"
#include "platform/reportfile.h"

#include <QRegularExpression>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace {

const QColor LightBlue(197, 228, 252);

// The views' bottom rows and lists keep these distances to the view's bottom.
constexpr int BottomRowOffset = 27;
constexpr int ListBottomMargin = 39;
constexpr int BottomRowHeight = 25;
constexpr int TitleLabelOffset = 53;
constexpr int StatusLineHeight = 22;
// The extra room for the window's decorations, as the window is first sized.
constexpr int InitialExtraHeight = 6 + 18;
constexpr int ColumnTextMargin = 15;
constexpr int DefaultColumnWidth = 64;
constexpr int StandingColumnWidth = 190;

struct SystemCommand
{
    int command;
    const char *caption;
};

// In menu order.
constexpr SystemCommand SystemCommands[] = {
    {1027, "&Help Contents ..."},
    {1026, "&Software's Home Page"},
    {1028, "&Feedback Form ..."},
    {1025, "&About..."},
};

QString text(const char *fixed)
{
    return QString::fromLatin1(fixed);
}

template <typename View> View *placeView(View *view, int width)
{
    // Opaque, so the title label behind it does not show through.
    view->setAutoFillBackground(true);
    view->setGeometry(0, TForm1::MenuBarHeight, width, TForm1::ViewHeight);
    view->setVisible(false);
    return view;
}

QWidget *makeView(QWidget *parent, const QString &name, int width)
{
    auto *view = new QFrame(parent);
    view->setObjectName(name);
    view->setFrameShape(QFrame::NoFrame);
    return placeView(view, width);
}

} // namespace

TForm1::TForm1(const QString &dataFolder, Dialogs &dialogs, AddressHandler &addresses,
               Connectivity &connectivity, BrowserSettingsStore &browserStore,
               const QString &programFolder, QWidget *parent)
    : QWidget(parent, Qt::Window),
      m_workspace(dataFolder, programFolder.isEmpty() ? QCoreApplication::applicationDirPath()
                                                      : programFolder),
      m_dialogs(dialogs),
      m_addresses(addresses),
      m_browserStore(browserStore)
{
    // The library's checker reads while the views are made.
    SiteLibrary::startCheckEarly(m_workspace.dataFolder(), m_workspace.programFolder());
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(text(InitialTitle));

    // Start-up step 1, before anything else exists: the wheel hook.
    m_wheelToKeys = new WheelToKeys(this);
    qApp->installEventFilter(m_wheelToKeys);

    // The workspace opened the settings file, which the views hold on to;
    // its problems are reported at step 5.
    m_browserSettings = std::make_unique<BrowserSettings>(
        m_workspace.settings(), m_browserStore,
        BrowserSettings::userAgentToken(VersionText::program()));
    m_update = new UpdateCommand(m_workspace.dataFolder(), m_workspace.settings(), m_dialogs,
                                 connectivity, this);
    buildMenuBar();
    buildViews();
    m_submission = new SubmissionController(m_workspace, *m_submitView, *m_historyView, *this,
                                            m_dialogs, m_addresses, connectivity, m_browserStore,
                                            this);
    // A site added or deleted changes the count in the title.
    connect(m_submission, &SubmissionController::sitesChanged, this, &TForm1::refreshTitle);
    // The pack at the options' address opens the same import window as "import sites...".
    connect(m_update, &UpdateCommand::sitePackFetched, m_submission,
            &SubmissionController::openSitePack);
    m_runProgress = new RunProgressLine(m_submission->run(), m_workspace.software(), this);
    connect(&m_submission->run(), &SubmissionRun::progressChanged, m_runProgress,
            &RunProgressLine::update);
    connect(&m_submission->run(), &SubmissionRun::chooserAndExitEnabledChanged, this,
            [this](bool enabled) {
                m_menuBar->findChild<QPushButton *>(QStringLiteral("Button_close"))
                    ->setEnabled(enabled);
            });
    startUp();
    // An unreadable browser settings file was kept aside; the user hears of it.
    if (const QString problem = m_browserStore.openProblem(); !problem.isEmpty())
        m_dialogs.message(QCoreApplication::applicationName(), problem);
}

TFormAbout *TForm1::aboutBox()
{
    // Made when first asked for: the start-up shows the window sooner.
    if (!m_aboutBox && !m_startUpFailed)
        m_aboutBox = new TFormAbout(m_addresses, *this, this);
    return m_aboutBox;
}

TForm1::~TForm1()
{
    // The browser windows read the tables and views; they go first.
    delete m_submission;
    m_submission = nullptr;
    // The models and the editor hold on to the tables; they go before the tables do.
    delete m_editor;
    m_softwareList->setModel(nullptr);
    delete m_softwareModel;
    delete m_submitView;
    delete m_historyView;
}

void TForm1::buildMenuBar()
{
    m_titleLabel = new QLabel(text(" Kelvane Submitter ..."), this);
    m_titleLabel->setObjectName(QStringLiteral("Label_ttl"));
    QFont titleFont = m_titleLabel->font();
    if (titleFont.pointSize() > 0)
        titleFont.setPointSize(titleFont.pointSize() * 2);
    titleFont.setBold(true);
    m_titleLabel->setFont(titleFont);
    m_titleLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_statusLine = new StatusLine(this);

    m_menuBar = new QWidget(this);
    m_menuBar->setObjectName(QStringLiteral("Panel_mnu"));
    m_menuBar->setGeometry(0, 0, ClientWidth, MenuBarHeight);
    m_menuBar->setAutoFillBackground(true);
    QPalette palette = m_menuBar->palette();
    palette.setColor(QPalette::Window, LightBlue);
    m_menuBar->setPalette(palette);
    // The editor's seven pages are made once the window has painted itself
    // for the first time, so that it shows sooner.
    m_menuBar->installEventFilter(this);

    auto *row = new QHBoxLayout(m_menuBar);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(2);
    const struct
    {
        const char *name;
        const char *caption;
    } buttons[] = {
        {"Button_close", "e&xit"},
        {"Button_input_soft", "software &edit"},
        {"Button_software_list", "software &list"},
        {"Button_submit_list", "&submit list"},
        {"Button_update", "&update soft"},
        {"Button_opt", "&options"},
        {"SpeedButton1", "history"},
    };
    for (const auto &b : buttons) {
        auto *button = new QPushButton(text(b.caption), m_menuBar);
        button->setObjectName(text(b.name));
        button->setFlat(true);
        button->setFocusPolicy(Qt::TabFocus);
        button->setFixedHeight(MenuBarHeight - 4);
        row->addWidget(button);
    }
    row->addStretch();

    // The title bar's system menu cannot take commands on Linux window
    // managers; this menu carries them instead.
    auto *more = new QToolButton(m_menuBar);
    more->setObjectName(QStringLiteral("Button_system_menu"));
    more->setText(QStringLiteral("?"));
    more->setToolTip(tr("Help, home page, feedback and about"));
    more->setAutoRaise(true);
    more->setPopupMode(QToolButton::InstantPopup);
    more->setFixedHeight(MenuBarHeight - 4);
    auto *menu = new QMenu(more);
    menu->setObjectName(QStringLiteral("Menu_system"));
    more->setMenu(menu);
    row->addWidget(more);
}

void TForm1::buildViews()
{
    for (int page = 0; page < FieldCatalogue::PageCount; ++page)
        m_views.append(makeView(this, FieldCatalogue::pageName(page), ViewWidth));

    m_softwareView = makeView(this, QStringLiteral("Panel_2"), ViewWidth);
    m_views.append(m_softwareView);
    buildSoftwareListView(m_softwareView);

    m_submitView = placeView(new SubmitView(m_workspace.submitList(), m_workspace.software(),
                                            m_workspace.history(), m_workspace.settings(),
                                            m_dialogs, m_addresses, *this, this),
                             ViewWidth);
    m_views.append(m_submitView);
    connect(m_submitView, &SubmitView::submitRequested, this, &TForm1::Button_submit_dataClick);
    // "register at site" and "edit site's password" are the submission
    // controller's.

    m_historyView = placeView(new HistoryView(m_workspace.history(), this), ViewWidth);
    // The software list's standing column follows the history.
    connect(m_historyView, &HistoryView::standingChanged, this, [this] {
        if (m_softwareModel)
            m_softwareModel->extraColumnChanged();
    });
    connect(m_historyView, &HistoryView::reportRequested, this, &TForm1::saveProductReport);
    m_views.append(m_historyView);
    m_feedbackView = placeView(
        new FeedbackView(m_dialogs, m_addresses, [this] { hideAllViews(); }, this), ViewWidth);
    m_views.append(m_feedbackView);
    m_optionsView = placeView(
        new OptionsView(m_workspace.settings(), m_dialogs, [this] { hideAllViews(); }, this),
        OptionsViewWidth);
    m_views.append(m_optionsView);
    QWidget *other = m_optionsView->otherOptions();
    other->resize(other->width(), BrowserSettingsView::PreferredHeight);
    m_browserSettingsView = new BrowserSettingsView(*m_browserSettings, other);

    // F1 opens the help at the topic of the view that shows.
    auto *help = new QShortcut(QKeySequence::HelpContents, this);
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, &TForm1::openHelpTopic);

    m_titleLabel->lower();

    auto button = [this](const char *name) {
        return m_menuBar->findChild<QPushButton *>(text(name));
    };
    connect(button("Button_close"), &QPushButton::clicked, this, &QWidget::close);
    // "Button_input_soft" belongs to the editor, built at start-up.
    connect(button("Button_software_list"), &QPushButton::clicked, this,
            &TForm1::showSoftwareList);
    connect(button("Button_submit_list"), &QPushButton::clicked, this, &TForm1::showSubmitList);
    connect(button("Button_update"), &QPushButton::clicked, m_update,
            &UpdateCommand::Button_updateClick);
    connect(button("Button_opt"), &QPushButton::clicked, m_optionsView,
            &OptionsView::Button_optClick);
    connect(button("SpeedButton1"), &QPushButton::clicked, this, [this] {
        showView(m_historyView);
        m_submission->showHistoryPosition();
    });
}

void TForm1::buildSoftwareListView(QWidget *view)
{
    m_softwareList = new QTableView(view);
    m_softwareList->setObjectName(QStringLiteral("StringGrid_software_list"));
    m_softwareList->setGeometry(0, 0, ViewWidth, ViewHeight - ListBottomMargin);
    m_softwareList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_softwareList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_softwareList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_softwareList->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_softwareList->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_softwareList->setWordWrap(false);
    m_softwareList->verticalHeader()->hide();
    // Fixed row heights keep ten thousand rows as cheap as ten.
    m_softwareList->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_softwareList->verticalHeader()->setDefaultSectionSize(m_softwareList->fontMetrics().height() + 5);
    m_softwareList->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_softwareList->horizontalHeader()->setDefaultSectionSize(DefaultColumnWidth);
    m_softwareList->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_softwareList->horizontalHeader()->setHighlightSections(false);

    m_softwareModel = new SoftwareListModel(m_workspace.software(), this);
    // Each product's standing over all sites, next to its name.
    m_softwareModel->setExtraColumn(tr("Standing"), [this](int row, int role) -> QVariant {
        const Standing::Counts counts = m_historyView->standing().value(row);
        if (role == Qt::DisplayRole)
            return tr("%1 ok · %2 failed · %3 not yet").arg(counts.ok).arg(counts.failed).arg(counts.notYet);
        if (role == Qt::ToolTipRole)
            return Standing::text(counts);
        if (role == SoftwareListModel::BarRole)
            return QVariant::fromValue(QList<int>{counts.ok, counts.failed, counts.notYet});
        return {};
    });
    m_softwareList->setModel(m_softwareModel);
    m_softwareList->horizontalHeader()->moveSection(m_softwareModel->extraColumn(), 1);
    m_softwareList->setColumnWidth(m_softwareModel->extraColumn(), StandingColumnWidth);
    m_softwareList->setItemDelegate(new SoftwareListDelegate(m_softwareList));
    // A press on a record's check box toggles its submission mark.
    m_softwareList->viewport()->installEventFilter(this);
    connect(m_softwareList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    StringGrid_software_listClick(m_softwareList);
            });

    // Its entries act on the current record; the editor connects them.
    m_softwareMenu = new QMenu(m_softwareList);
    m_softwareMenu->setObjectName(QStringLiteral("PopupMenu_software"));
    m_softwareMenu->addAction(text("&edit software"))
        ->setObjectName(QStringLiteral("Pop_edit_software"));
    m_softwareMenu->addAction(text("&delete item"))
        ->setObjectName(QStringLiteral("Pop_delete_item"));
    m_softwareList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_softwareList, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        m_softwareMenu->popup(m_softwareList->viewport()->mapToGlobal(at));
    });

    m_softwareButtons = new QWidget(view);
    m_softwareButtons->setObjectName(QStringLiteral("Panel_software_buttons"));
    m_softwareButtons->setGeometry(0, ViewHeight - BottomRowOffset, ViewWidth, BottomRowHeight);
    auto *row = new QHBoxLayout(m_softwareButtons);
    row->setContentsMargins(4, 0, 4, 0);
    row->setSpacing(4);
    const struct
    {
        const char *name;
        const char *caption;
    } buttons[] = {
        {"Button_edit_data", "Edit data"},
        {"Button_delete_item", "Delete item"},
        {"Button_import_pad", "Import a PAD file"},
        {"Button_export_pad", "Export data as PAD file"},
        {"Button_search_soft", "Search net for item"},
    };
    for (const auto &b : buttons) {
        auto *button = new QPushButton(text(b.caption), m_softwareButtons);
        button->setObjectName(text(b.name));
        row->addWidget(button);
    }
    // "Edit data" and "Delete item" are connected with the editor;
    // "Import a PAD file" and "Export data as PAD file" act through the
    // editor, connected once it is built.
    connect(m_softwareButtons->findChild<QPushButton *>(QStringLiteral("Button_search_soft")),
            &QPushButton::clicked, this, [this] {
                m_dialogs.message(QCoreApplication::applicationName(),
                                  text("Not available on this version yet..."));
            });
}

void TForm1::buildEditor()
{
    m_editor = new SoftwareEditor(m_views.mid(0, FieldCatalogue::PageCount),
                                  m_workspace.software(), m_workspace.history(), m_dialogs,
                                  m_workspace.files(), [this] { hideAllViews(); }, this);
    m_editor->setProductChooser(m_submitView->productChooserItems());

    connect(m_editor, &SoftwareEditor::recordStored, this, &TForm1::softwareRecordStored);
    connect(m_editor, &SoftwareEditor::recordSelectedRequested, this,
            [this] { StringGrid_software_listClick(nullptr); });
    connect(m_editor, &SoftwareEditor::recordDeleted, this, &TForm1::softwareRecordDeleted);
    connect(m_editor, &SoftwareEditor::historyChanged, this, &TForm1::editorHistoryChanged);

    connect(m_menuBar->findChild<QPushButton *>(QStringLiteral("Button_input_soft")),
            &QPushButton::clicked, m_editor,
            [this] { m_editor->Button_input_softClick(currentSoftwareRow()); });
    const auto edit = [this] { m_editor->editSelectedRecord(currentSoftwareRow(), true); };
    const auto remove = [this] {
        if (m_submission->productsMayBeDeleted())
            m_editor->Button_del_softClick(currentSoftwareRow());
    };
    connect(m_softwareButtons->findChild<QPushButton *>(QStringLiteral("Button_edit_data")),
            &QPushButton::clicked, m_editor, edit);
    connect(m_softwareList, &QAbstractItemView::doubleClicked, m_editor, edit);
    connect(m_softwareMenu->findChild<QAction *>(QStringLiteral("Pop_edit_software")),
            &QAction::triggered, m_editor, edit);
    connect(m_softwareButtons->findChild<QPushButton *>(QStringLiteral("Button_delete_item")),
            &QPushButton::clicked, m_editor, remove);
    connect(m_softwareMenu->findChild<QAction *>(QStringLiteral("Pop_delete_item")),
            &QAction::triggered, m_editor, remove);

    // The submit view has made the chosen record current by then; the editor
    // only loads it.
    connect(m_submitView, &SubmitView::productChosen, m_editor,
            &SoftwareEditor::ComboBox_productChange);

    auto *pad = new PadCommands(m_workspace.software(), [this] { return currentSoftwareRow(); },
                                *m_editor, m_dialogs, this);
    connect(pad, &PadCommands::done, m_statusLine, &StatusLine::say);
    connect(m_softwareButtons->findChild<QPushButton *>(QStringLiteral("Button_export_pad")),
            &QPushButton::clicked, pad, &PadCommands::Button_export_padClick);
    connect(m_softwareButtons->findChild<QPushButton *>(QStringLiteral("Button_import_pad")),
            &QPushButton::clicked, pad, &PadCommands::Button_import_padClick);
}

void TForm1::softwareRecordStored(int storedRow)
{
    // The store never moves the current row, but the list's reset forgets it.
    const int row = currentSoftwareRow();
    m_softwareModel->reload();
    setCurrentSoftwareRow(row);
    layoutSoftwareColumns();
    refreshTitle();
    m_statusLine->say(tr("Saved '%1'.").arg(m_workspace.software().cell(0, storedRow)));
}

void TForm1::refreshTitle()
{
    setWindowTitle(text(InitialTitle) + m_workspace.titleCounts());
}

void TForm1::softwareRecordDeleted(int row, const QString &name)
{
    refreshTitle();
    m_statusLine->say(name.isEmpty() ? tr("Deleted the record without a name.")
                                     : tr("Deleted '%1'.").arg(name));
    // The record below moves into the deleted one's row; after the last
    // record, the new last one becomes current.
    m_softwareModel->reload();
    setCurrentSoftwareRow(std::min(row, m_workspace.software().rowCount() - 1));
    // The form walk reads the match lists as the selected record's: they must
    // not go on describing the deleted one.
    if (m_workspace.software().isEmpty())
        m_workspace.recordSelection().release();
    else
        StringGrid_software_listClick(nullptr);
}

void TForm1::editorHistoryChanged(bool saved)
{
    const int row = m_historyView->currentRow();
    m_historyView->reload();
    if (row > 0)
        m_historyView->setCurrentRow(row);
    m_submitView->historyChanged();
    // Written at close when the save could not write it now.
    if (!saved)
        m_workspace.setHistoryChanged(true);
}

void TForm1::saveProductReport(int column, bool html)
{
    const Table &history = m_workspace.history();
    if (column < 1 || column >= history.columnCount())
        return;
    // A product name may hold what a file name cannot.
    QString name = history.cell(column, 0);
    name.replace(QRegularExpression(QStringLiteral(R"([\\/:*?"<>|\x00-\x1f])")), QStringLiteral("_"));
    const QString suffix = html ? QStringLiteral("html") : QStringLiteral("csv");
    const Dialogs::FileDialogSettings settings{
        html ? tr("Save the product's report as HTML") : tr("Save the product's report as CSV"),
        html ? tr("HTML file (*.html *.htm)") : tr("CSV file (*.csv)"), suffix,
        tr("%1 report.%2").arg(name.trimmed().isEmpty() ? tr("product") : name.trimmed(), suffix)};
    const QByteArray bytes = html ? Standing::reportHtml(history, m_workspace.sites(), column)
                                  : Standing::reportCsv(history, m_workspace.sites(), column);
    if (ReportFile::saveAs(m_dialogs, settings, bytes))
        m_statusLine->say(tr("Saved the report of '%1'.").arg(history.cell(column, 0)));
}

void TForm1::startUp()
{
    // 2. The window's commands: no maximise; the four title-bar commands.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    QMenu *menu = findChild<QMenu *>(QStringLiteral("Menu_system"));
    menu->addSeparator();
    for (const SystemCommand &c : SystemCommands) {
        QAction *action = menu->addAction(text(c.caption));
        action->setData(c.command);
        connect(action, &QAction::triggered, this, [this, command = c.command] {
            systemCommand(command);
        });
    }

    // 3. Size: one view wide, menu bar and one view high, plus room; it may
    // grow wider, and the lists take the room.
    setMinimumWidth(ClientWidth);
    setMinimumHeight(MinimumClientHeight);
    resize(ClientWidth, MenuBarHeight + ViewHeight + InitialExtraHeight);
    updateHeightLimit();

    // 4. Styling is done as the parts are built (menu bar colour, opaque
    // views); the gradient panels come with the interface controls.

    // 5. The settings file, kept for the whole run (opened before the views
    // were built, which hold on to it).
    showNotices(m_workspace.settingsProblem());
    // The size the user left it at, never below the designed one, nor
    // larger than the screen it opens on now (a smaller monitor since).
    if (const auto kept = WebWindowGeometry::parse(m_workspace.settings().mainWindow());
        kept && kept->width > 0 && kept->height > 0) {
        QSize size(std::max(kept->width, int(ClientWidth)), std::max(kept->height, int(MinimumClientHeight)));
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            size = size.boundedTo(screen->availableSize()).expandedTo(QSize(ClientWidth, MinimumClientHeight));
        resize(size);
    }
    RecordSelection &selection = m_workspace.recordSelection();
    // The record-selected step ends "select all soft products" first.
    selection.selectAllProductsMode = [this] { return m_submitView->selectAllSoftProducts(); };
    selection.endSelectAllProductsMode = [this] { m_submitView->setSelectAllSoftProducts(false); };

    // 6. The software list's header row.
    m_softwareModel->reload([this](Table &) { m_workspace.labelSoftwareList(); });

    // 7. The submit list labels its own header row ("Web site" .. "reg url").

    // 8. The catalogue, the product chooser and the list's columns.
    const bool catalogueExists = loadCatalogue();
    m_softwareList->setColumnWidth(Field::ProgramName, FirstColumnWidth);
    layoutSoftwareColumns();

    // 9. The editor pages, built over the seven empty pages; they give every
    // class and OS item its trailing tab.
    buildEditor();
    // 10. The submission counters start with the submission run; the
    // automatic submission flag starts off with the submit view.

    // 11.-14. A waiting library update is swapped in, then the site table is
    // copied into the submit list, its mark column added and its rows sorted.
    // Without a site library the program cannot go on.
    if (!loadSiteTable()) {
        m_startUpFailed = true;
        return;
    }

    // 15. The history, reconciled with the site table and sorted like it.
    loadHistory();

    // 16. The site credentials and the constant value list.
    showNotices(m_workspace.loadCredentials());

    // 17. The remembered product.
    const int row = m_workspace.rememberedSoftwareRow();
    setCurrentSoftwareRow(row);
    productChooser()->setCurrentIndex(row - 1);

    // 18. With a catalogue, the selected record goes into the editor (no
    // page shown) and the match lists are built for it. An empty catalogue
    // leaves the example contents, without the "nothing to edit" box.
    if (catalogueExists) {
        if (!m_workspace.software().isEmpty())
            m_editor->loadRecord(currentSoftwareRow());
        StringGrid_software_listClick(nullptr);
    }

    // 19. The remembered site.
    m_submitView->setCurrentRow(m_workspace.rememberedSiteRow());

    // 20. The default site login, descrambled into the options view.
    m_optionsView->loadLogin();

    // 21.
    hideAllViews();

    // 22. The browser window geometry; start-up goes on either way.
    showNotices(m_workspace.loadWebWindowGeometry());

    // 23. The counts in the title bar.
    setWindowTitle(windowTitle() + m_workspace.titleCounts());

    layoutViews();
}

bool TForm1::loadSiteTable()
{
    Workspace::SitesLoad sites;
    m_submitView->reload([this, &sites] { sites = m_workspace.loadSites(); });
    showNotices(sites.notices);
    return sites.loaded;
}

void TForm1::loadHistory()
{
    Workspace::Notices notices;
    m_historyView->reload([this, &notices] { notices = m_workspace.loadHistory(); });
    m_submitView->historyChanged();
    showNotices(notices);
}

bool TForm1::loadCatalogue()
{
    Workspace::CatalogueLoad loaded;
    m_softwareModel->reload([this, &loaded](Table &) { loaded = m_workspace.loadCatalogue(); });
    // The product chooser's item i is row i + 1; without a file it stays empty.
    m_submitView->productChooserItems()->reload(loaded.fileExisted);
    showNotices(loaded.notices);
    return loaded.fileExisted;
}

void TForm1::showNotices(const Workspace::Notices &notices)
{
    for (const Workspace::Notice &notice : notices) {
        if (notice.kind == Workspace::Notice::Kind::Error)
            m_dialogs.error(notice.text);
        else
            m_dialogs.message(QCoreApplication::applicationName(), notice.text);
    }
}

void TForm1::layoutSoftwareColumns()
{
    const QFontMetrics cellMetrics(m_softwareList->font());
    const QFontMetrics headerMetrics(m_softwareList->horizontalHeader()->font());
    const Table &software = m_workspace.software();
    const int rows = software.rowCount();
    for (int c = 0; c < software.columnCount(); ++c) {
        const bool shown = FieldCatalogue::isVisibleColumn(c);
        m_softwareList->setColumnHidden(c, !shown);
        if (!shown)
            continue;
        int widest = headerMetrics.horizontalAdvance(software.cell(c, 0));
        for (int r = 1; r < rows; ++r)
            widest = std::max(widest, cellMetrics.horizontalAdvance(software.cell(c, r)));
        // Columns only ever widen, so a width the user chose is kept.
        if (m_softwareList->columnWidth(c) < widest)
            m_softwareList->setColumnWidth(c, widest + ColumnTextMargin);
    }
}

int TForm1::currentSoftwareRow() const
{
    const QModelIndex current = m_softwareList->currentIndex();
    return current.isValid() ? SoftwareListModel::tableRow(current.row()) : 1;
}

void TForm1::setCurrentSoftwareRow(int row)
{
    const QModelIndex index = m_softwareModel->index(SoftwareListModel::viewRow(row), 0);
    if (index.isValid())
        m_softwareList->setCurrentIndex(index);
}

QComboBox *TForm1::productChooser() const
{
    return m_submitView->productChooser();
}

QPair<int, int> TForm1::selectedSoftwareRows() const
{
    const int current = currentSoftwareRow();
    const QItemSelection selection = m_softwareList->selectionModel()->selection();
    if (selection.isEmpty())
        return {current, current};
    int top = m_softwareModel->rowCount();
    int bottom = -1;
    for (const QItemSelectionRange &range : selection) {
        top = std::min(top, range.top());
        bottom = std::max(bottom, range.bottom());
    }
    return {SoftwareListModel::tableRow(top), SoftwareListModel::tableRow(bottom)};
}

void TForm1::restoreSoftwareRow(int row)
{
    setCurrentSoftwareRow(row);
    // When a press on another row ended the mode, the press goes on to
    // select that row once this returns: the selection is put back after it.
    QTimer::singleShot(0, this, [this] {
        const QModelIndex current = m_softwareList->currentIndex();
        if (current.isValid())
            m_softwareList->selectionModel()->select(
                current, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    });
}

void TForm1::selectAllSoftwareRows()
{
    const int rows = m_softwareModel->rowCount();
    if (rows == 0)
        return;
    const QItemSelection all(m_softwareModel->index(0, 0),
                             m_softwareModel->index(rows - 1, m_softwareModel->columnCount() - 1));
    m_softwareList->selectionModel()->select(all, QItemSelectionModel::ClearAndSelect);
}

void TForm1::softwareMarksChanged()
{
    m_softwareList->viewport()->update();
}

void TForm1::setHistoryCurrentRow(int row)
{
    m_historyView->setCurrentRow(row);
}

void TForm1::Button_submit_dataClick()
{
    m_submission->submit();
}

void TForm1::StringGrid_software_listClick(QObject *sender)
{
    m_workspace.recordSelection().recordSelected(sender != nullptr, currentSoftwareRow());
}

void TForm1::systemCommand(int command)
{
    switch (command) {
    case 1025:
        if (TFormAbout *about = aboutBox())
            about->exec();
        break;
    case 1026:
        m_addresses.open(Maker::homePage());
        break;
    case 1027:
        openHelpContents();
        break;
    case 1028:
        openFeedbackView();
        break;
    default:
        break;
    }
}

void TForm1::openFeedbackView()
{
    // The sender is the selected product's publisher, or else this copy's version.
    QString sender = m_workspace.software().cell(Field::CompanyName, currentSoftwareRow()).trimmed();
    if (sender.isEmpty())
        sender = QLatin1String("Kelvane Submit ") + VersionText::program();
    hideAllViews();
    m_feedbackView->open(sender);
    showView(m_feedbackView);
    m_feedbackView->messageEdit()->setFocus(Qt::OtherFocusReason);
}

void TForm1::openHelpContents()
{
    const QString path = HelpFile::path(m_workspace.programFolder());
    if (!QFile::exists(path)) {
        m_dialogs.message(QCoreApplication::applicationName(),
                          QStringLiteral("\rHelp file not found !"));
        return;
    }
    m_addresses.open(HelpFile::contentsAddress(path));
}

void TForm1::openHelpTopic()
{
    // Without the file F1 does nothing.
    const QString path = HelpFile::path(m_workspace.programFolder());
    if (QFile::exists(path))
        m_addresses.open(HelpFile::anchorAddress(
            path, HelpFile::anchorForView(currentView() ? currentView()->objectName() : QString())));
}

void TForm1::hideAllViews()
{
    const QScreen *s = screen();
    const int offScreen = (s ? s->geometry().width() : 2000) + 50;
    for (QWidget *view : std::as_const(m_views)) {
        view->setVisible(false);
        view->move(offScreen, MenuBarHeight);
    }
}

QWidget *TForm1::currentView() const
{
    for (QWidget *view : m_views) {
        if (!view->isHidden())
            return view;
    }
    return nullptr;
}

void TForm1::showView(QWidget *view)
{
    hideAllViews();
    view->move(view == m_optionsView ? OptionsViewLeft : 0, MenuBarHeight);
    view->setVisible(true);
    view->raise();
}

void TForm1::showSoftwareList()
{
    showView(m_softwareView);
    m_softwareList->setFocus(Qt::OtherFocusReason);
    const int row = currentSoftwareRow();
    const int topRow = row <= 10 ? 1 : row - 5;
    m_softwareList->verticalScrollBar()->setValue(SoftwareListModel::viewRow(topRow));
}

void TForm1::showSubmitList()
{
    showView(m_submitView);
    m_submitView->Button_submit_listClick();
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (m_startUpFailed) {
        event->accept();
        return;
    }
    // An open browser window's outcome would be lost: the user decides.
    if (!m_submission->mayCloseProgram()) {
        event->ignore();
        return;
    }
    // So would the editor's unsaved typing.
    if (!m_editor->mayLeave()) {
        event->ignore();
        return;
    }
    // 1. The browser gets its own image and script settings back and loses
    // the user-agent token.
    if (m_browserSettingsApplied) {
        m_browserSettings->restoreAtExit();
        m_browserSettingsApplied = false;
    }
    // 2. A changed history; no browser window is open any more.
    showNotices(m_workspace.saveHistoryIfChanged());
    // 3.-4. The browser window geometry, the lists, the settings file.
    m_workspace.settings().setMainWindow(WebWindowGeometry{width(), height(), 0, 0}.toText());
    m_workspace.close();
    event->accept();
}

void TForm1::layoutViews()
{
    const int viewHeight = std::max(0, height() - MenuBarHeight);
    // The lists take the room of a wider window; the editor's pages and the
    // options keep their designed width.
    const int grownWidth = ViewWidth + std::max(0, width() - int(ClientWidth));
    for (QWidget *view : std::as_const(m_views)) {
        const bool grows = view == m_softwareView || view == m_submitView || view == m_historyView;
        view->resize(grows ? grownWidth : view->width(), viewHeight);
    }
    m_menuBar->resize(width(), MenuBarHeight);
    m_titleLabel->setGeometry(0, height() - TitleLabelOffset, ClientWidth, TitleLabelOffset - 8);
    // Just above the views' bottom rows, over the foot of their lists.
    m_statusLine->setGeometry(4, height() - BottomRowOffset - StatusLineHeight - 4, width() - 8,
                              StatusLineHeight);
    if (m_runProgress)
        m_runProgress->setGeometry(4, m_statusLine->y() - StatusLineHeight - 2, width() - 8,
                                   StatusLineHeight);
    m_softwareList->resize(grownWidth, std::max(0, viewHeight - ListBottomMargin));
    m_softwareButtons->move(0, viewHeight - BottomRowOffset);
}

void TForm1::updateHeightLimit()
{
    const QScreen *s = screen();
    if (!s)
        return;
    const QRect available = s->availableGeometry();
    const int decoration = frameGeometry().height() - height();
    const int limit = available.top() + available.height() - frameGeometry().top() - 20 - decoration;
    setMaximumHeight(std::max(MinimumClientHeight, limit));
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_menuBar && event->type() == QEvent::Paint) {
        m_menuBar->removeEventFilter(this);
        if (m_editor)
            QTimer::singleShot(0, m_editor, &SoftwareEditor::build);
        return QWidget::eventFilter(watched, event);
    }
    if (m_softwareList && watched == m_softwareList->viewport() && event->type() == QEvent::MouseButtonPress
        && !m_workspace.software().isEmpty()) {
        const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
        const QModelIndex index = m_softwareList->indexAt(at);
        if (index.isValid() && SubmitList::isOnCheckBox(at.x() + m_softwareList->viewport()->x())) {
            const int row = SoftwareListModel::tableRow(index.row());
            Marks::toggle(m_workspace.software(), row);
            m_softwareModel->recordChanged(row);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_softwareList)
        layoutViews();
}

void TForm1::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    updateHeightLimit();
}

void TForm1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The first show applies the browser settings (F1's help topic is
    // the window's from the start).
    if (!m_browserSettingsApplied && !m_startUpFailed && !event->spontaneous()) {
        m_browserSettingsApplied = true;
        m_browserSettings->applyAtStartUp();
    }
    updateHeightLimit();
}
