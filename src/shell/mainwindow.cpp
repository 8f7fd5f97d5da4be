#include "shell/mainwindow.h"

#include "catalogue/fieldcatalogue.h"
#include "catalogue/pseudofields.h"
#include "catalogue/recordselection.h"
#include "catalogue/softwarelistdelegate.h"
#include "catalogue/softwarelistmodel.h"
#include "catalogue/tablefile.h"
#include "shell/dialogs.h"
#include "shell/wheeltokeys.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QToolButton>

#include <algorithm>

namespace {

const QColor LightBlue(197, 228, 252);

// The views' bottom rows and lists keep these distances to the view's bottom.
constexpr int BottomRowOffset = 27;
constexpr int ListBottomMargin = 39;
constexpr int BottomRowHeight = 25;
constexpr int TitleLabelOffset = 53;
// The extra room for the window's decorations, as the window is first sized.
constexpr int InitialExtraHeight = 6 + 18;
constexpr int ColumnTextMargin = 15;
constexpr int DefaultColumnWidth = 64;

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

QWidget *makeView(QWidget *parent, const QString &name, int width)
{
    auto *view = new QFrame(parent);
    view->setObjectName(name);
    view->setFrameShape(QFrame::NoFrame);
    // Opaque, so the title label behind it does not show through.
    view->setAutoFillBackground(true);
    view->setGeometry(0, TForm1::MenuBarHeight, width, TForm1::ViewHeight);
    view->setVisible(false);
    return view;
}

} // namespace

TForm1::TForm1(const QString &dataFolder, Dialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window),
      m_dataFolder(dataFolder),
      m_dialogs(dialogs),
      m_software(SoftwareColumnCount, 2),
      m_submitList(8, 2)
{
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(text(InitialTitle));

    // Start-up step 1, before anything else exists: the wheel hook.
    m_wheelToKeys = new WheelToKeys(this);
    qApp->installEventFilter(m_wheelToKeys);

    buildMenuBar();
    buildViews();
    startUp();
}

TForm1::~TForm1()
{
    // The model reads the table it is given; it goes before the table does.
    m_softwareList->setModel(nullptr);
    delete m_softwareModel;
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

    m_menuBar = new QWidget(this);
    m_menuBar->setObjectName(QStringLiteral("Panel_mnu"));
    m_menuBar->setGeometry(0, 0, ClientWidth, MenuBarHeight);
    m_menuBar->setAutoFillBackground(true);
    QPalette palette = m_menuBar->palette();
    palette.setColor(QPalette::Window, LightBlue);
    m_menuBar->setPalette(palette);

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

    QWidget *submitView = makeView(this, QStringLiteral("Panel_3"), ViewWidth);
    m_views.append(submitView);
    m_productChooser = new QComboBox(submitView);
    m_productChooser->setObjectName(QStringLiteral("ComboBox_product"));
    m_productChooser->setGeometry(8, 8, 300, 22);
    // Choosing a product there moves the software list's current row: that
    // handler comes with the submit view.

    m_views.append(makeView(this, QStringLiteral("Panel_4"), ViewWidth));
    m_views.append(makeView(this, QStringLiteral("Panel_5"), ViewWidth));
    m_optionsView = makeView(this, QStringLiteral("Panel_opt"), OptionsViewWidth);
    m_views.append(m_optionsView);

    m_titleLabel->lower();

    auto button = [this](const char *name) {
        return m_menuBar->findChild<QPushButton *>(text(name));
    };
    connect(button("Button_close"), &QPushButton::clicked, this, &QWidget::close);
    // The editor page loads and shows its record with the editor itself.
    connect(button("Button_input_soft"), &QPushButton::clicked, this,
            [this] { showView(m_views.at(0)); });
    connect(button("Button_software_list"), &QPushButton::clicked, this,
            &TForm1::showSoftwareList);
    // The submit list scrolls to its selected site once it exists.
    connect(button("Button_submit_list"), &QPushButton::clicked, this,
            [this, submitView] { showView(submitView); });
    // "Button_update" starts the library update, which arrives with the update work.
    connect(button("Button_opt"), &QPushButton::clicked, this,
            [this] { showView(m_optionsView); });
    connect(button("SpeedButton1"), &QPushButton::clicked, this,
            [this] { showView(findChild<QWidget *>(QStringLiteral("Panel_4"))); });
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

    m_softwareModel = new SoftwareListModel(m_software, this);
    m_softwareList->setModel(m_softwareModel);
    m_softwareList->setItemDelegate(new SoftwareListDelegate(m_softwareList));
    connect(m_softwareList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    StringGrid_software_listClick(m_softwareList);
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
        {"Button_search_net", "Search net for item"},
    };
    for (const auto &b : buttons) {
        auto *button = new QPushButton(text(b.caption), m_softwareButtons);
        button->setObjectName(text(b.name));
        row->addWidget(button);
    }
    // "Edit data" and "Delete item" belong to the editor and the save,
    // "Import a PAD file" and "Export data as PAD file" to the PAD interchange;
    // each is connected by the work that brings it.
    connect(m_softwareButtons->findChild<QPushButton *>(QStringLiteral("Button_search_net")),
            &QPushButton::clicked, this, [this] {
                m_dialogs.message(QCoreApplication::applicationName(),
                                  text("Not available on this version yet..."));
            });
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

    // 3. Size: one view wide, menu bar and one view high, plus room.
    setFixedWidth(ClientWidth);
    setMinimumHeight(MinimumClientHeight);
    resize(ClientWidth, MenuBarHeight + ViewHeight + InitialExtraHeight);
    updateHeightLimit();

    // 4. Styling is done as the parts are built (menu bar colour, opaque
    // views); the gradient panels come with the interface controls.

    // 5. The settings file, kept for the whole run.
    m_settings = std::make_unique<Settings>(m_dataFolder);
    if (!m_settings->openProblem().isEmpty())
        m_dialogs.error(m_settings->openProblem());
    m_selection = std::make_unique<RecordSelection>(*m_settings, m_software);

    // 6. The software list's header row.
    for (int n = 0; n < SoftwareColumnCount; ++n)
        m_software.setCell(n, 0, FieldCatalogue::headerText(n));

    // 7. The submit list's header row.
    const char *submitHeaders[] = {"Web site", "URL",  "Notes",     "auto",
                                   "Submit",   "Login", "user pass", "reg url"};
    for (int c = 0; c < 8; ++c)
        m_submitList.setCell(c, 0, text(submitHeaders[c]));

    // 8. The catalogue, the product chooser and the list's columns.
    bool catalogueExists = false;
    loadCatalogue(&catalogueExists);
    m_softwareList->setColumnWidth(0, FirstColumnWidth);
    layoutSoftwareColumns();

    // 9. The trailing tab of every class and OS item is added by the editor
    // pages when they are built.
    // 10. The submission counters start with the submission run.
    // 11. Library update hand-over: the waiting "KelvaneSubmit_dll.dll" is
    // swapped in with the library update work.
    // 12.-14. The site library's records are copied into the submit list, its
    // mark column added and the rows sorted, with the site library work.
    // 15. The history is loaded and sorted with the history work.
    // 16. The site credentials are loaded with the credentials work.
    m_constants = PseudoFields::constantValueList();

    // 17. The remembered product. A row the catalogue no longer reaches (the
    // last records deleted since) falls back to the last record instead of
    // stopping start-up half way.
    int row = m_settings->software(1);
    const int lastRow = m_software.rowCount() - 1;
    if (row < 1 || row > lastRow)
        row = lastRow;
    setCurrentSoftwareRow(row);
    m_productChooser->setCurrentIndex(row - 1);

    // 18. With a catalogue, build the match lists for the selected record.
    // Loading that record into the editor pages comes with the editor.
    if (catalogueExists)
        StringGrid_software_listClick(nullptr);

    // 19. The remembered site ("SubmitTo") is selected with the submit list.
    // 20. The default site login is descrambled into the options view with
    // the login work.

    // 21.
    hideAllViews();

    // 22. The browser window geometry. A malformed value is reported and the
    // defaults are used; start-up goes on either way.
    QString problem;
    if (const auto geometry = WebWindowGeometry::parse(m_settings->webWindow(), &problem)) {
        m_webGeometry = *geometry;
    } else {
        m_webGeometry = WebWindowGeometry();
        m_dialogs.error(problem);
    }

    // 23. The counts in the title bar.
    setWindowTitle(windowTitle() + QStringLiteral("     :  ")
                   + QString::number(m_software.rowCount() - 1)
                   + QStringLiteral(" products  :  ")
                   + QString::number(m_submitList.rowCount() - 1)
                   + QStringLiteral(" sub.sites  :"));

    layoutViews();
}

void TForm1::loadCatalogue(bool *fileExisted)
{
    const QString path = QDir(m_dataFolder).filePath(text(CatalogueFileName));
    TableFile::LoadResult result;
    m_softwareModel->reload([&](Table &table) {
        result = TableFile::load(table, path, TableFile::Kind::Marked);
    });
    *fileExisted = result.fileExisted;
    m_productChooser->clear();
    m_productChooser->addItems(result.chooserNames);
    if (!result.error.isEmpty())
        m_dialogs.error(result.error);
}

void TForm1::layoutSoftwareColumns()
{
    const QFontMetrics cellMetrics(m_softwareList->font());
    const QFontMetrics headerMetrics(m_softwareList->horizontalHeader()->font());
    const int rows = m_software.rowCount();
    for (int c = 0; c < m_software.columnCount(); ++c) {
        const bool shown = FieldCatalogue::isVisibleColumn(c);
        m_softwareList->setColumnHidden(c, !shown);
        if (!shown)
            continue;
        int widest = headerMetrics.horizontalAdvance(m_software.cell(c, 0));
        for (int r = 1; r < rows; ++r)
            widest = std::max(widest, cellMetrics.horizontalAdvance(m_software.cell(c, r)));
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

void TForm1::StringGrid_software_listClick(QObject *sender)
{
    if (!m_selection)
        return; // the list is being set up before start-up has settings
    m_selection->recordSelected(sender != nullptr, currentSoftwareRow());
}

void TForm1::systemCommand(int command)
{
    // 1025 about box, 1026 the product's home page, 1027 help contents and
    // 1028 the feedback view: each is connected here by the work that brings it.
    Q_UNUSED(command);
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

void TForm1::closeEvent(QCloseEvent *event)
{
    // 1. The browser's own image and script settings are given back with the
    // browser settings work.
    // 2. A changed history is saved with the history work.
    // 3. The browser window geometry.
    m_settings->setWebWindow(m_webGeometry.toText());
    // 4. Release the lists; the catalogue itself was saved by every store.
    m_selection->release();
    m_constants.clear();
    m_settings->sync();
    event->accept();
}

void TForm1::layoutViews()
{
    const int viewHeight = std::max(0, height() - MenuBarHeight);
    for (QWidget *view : std::as_const(m_views))
        view->resize(view->width(), viewHeight);
    m_titleLabel->setGeometry(0, height() - TitleLabelOffset, ClientWidth, TitleLabelOffset - 8);
    m_softwareList->resize(ViewWidth, std::max(0, viewHeight - ListBottomMargin));
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
    // The first show applies the browser settings and the help context, with
    // the browser settings and help work.
    updateHeightLimit();
}
