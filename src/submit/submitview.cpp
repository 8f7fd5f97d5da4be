#include "submit/submitview.h"

#include "catalogue/productchoosermodel.h"
#include "platform/dialogs.h"
#include "platform/settings.h"
#include "platform/table.h"
#include "submit/sitelistmodel.h"
#include "submit/sites/submitlist.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace {

constexpr int ListBottomMargin = 39;
constexpr int BottomRowOffset = 27;
constexpr int BottomRowHeight = 25;
constexpr int ChooserWidth = 200;

QString text(const char *fixed)
{
    return QString::fromLatin1(fixed);
}

} // namespace

// The list itself: a press on the check box toggles the mark of the row under
// the pointer once the press has made it current, Enter runs the Submit
// command, and the list never stays scrolled sideways.
class SubmitView::SiteGrid : public QTableView
{
public:
    using QTableView::QTableView;

    // `x` in the list's own coordinates, `row` a table row.
    std::function<void(int x, int row)> pressed;
    std::function<void()> enterPressed;
    std::function<void()> resized;

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        const QModelIndex under = indexAt(event->position().toPoint());
        QTableView::mousePressEvent(event);
        if (under.isValid() && pressed)
            pressed(event->position().toPoint().x() + viewport()->x(),
                    SiteListModel::tableRow(under.row()));
        horizontalScrollBar()->setValue(0);
    }

    void mouseReleaseEvent(QMouseEvent *event) override
    {
        QTableView::mouseReleaseEvent(event);
        horizontalScrollBar()->setValue(0);
    }

    void mouseMoveEvent(QMouseEvent *event) override
    {
        QTableView::mouseMoveEvent(event);
        horizontalScrollBar()->setValue(0);
    }

    void keyPressEvent(QKeyEvent *event) override
    {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            && event->modifiers() == Qt::NoModifier) {
            if (enterPressed)
                enterPressed();
            event->accept();
            return;
        }
        QTableView::keyPressEvent(event);
    }

    void resizeEvent(QResizeEvent *event) override
    {
        QTableView::resizeEvent(event);
        if (resized)
            resized();
    }
};

SubmitView::SubmitView(SubmitList &list, Table &software, const Table &history,
                       Settings &settings, Dialogs &dialogs, AddressHandler &addresses,
                       Host &host, QWidget *parent)
    : QFrame(parent),
      m_list(list),
      m_software(software),
      m_settings(settings),
      m_dialogs(dialogs),
      m_addresses(addresses),
      m_host(host)
{
    setObjectName(QStringLiteral("Panel_3"));
    setFrameShape(QFrame::NoFrame);

    m_grid = new SiteGrid(this);
    m_grid->setObjectName(QStringLiteral("StringGrid_url_list"));
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setWordWrap(false);
    m_grid->setMouseTracking(true);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 5);
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->horizontalHeader()->setSectionsClickable(false);

    m_model = new SiteListModel(m_list.table(), history, this);
    m_model->setSiteList(&m_list);
    m_grid->setModel(m_model);
    m_grid->setItemDelegate(new SiteListDelegate(m_grid));

    m_grid->pressed = [this](int x, int row) {
        if (m_list.StringGrid_url_listMouseDown(x, row))
            m_model->marksChanged();
    };
    m_grid->enterPressed = [this] {
        if (isVisible())
            emit submitRequested();
    };
    m_grid->resized = [this] { applyColumnWidths(); };
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    StringGrid_url_listClick();
            });
    connect(m_grid, &QAbstractItemView::clicked, this, &SubmitView::StringGrid_url_listClick);
    connect(m_grid, &QAbstractItemView::doubleClicked, this,
            &SubmitView::StringGrid_url_listDblClick);
    connect(m_grid, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        PopupMenu_uPopup();
        m_popup->popup(m_grid->viewport()->mapToGlobal(at));
    });

    buildPopupMenus();
    buildButtons();
    layoutView();
    applyColumnWidths();
}

SubmitView::~SubmitView()
{
    // The view lets go of the model before the tables behind it go.
    m_grid->setModel(nullptr);
}

QTableView *SubmitView::table() const
{
    return m_grid;
}

void SubmitView::buildPopupMenus()
{
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenu_u"));
    auto add = [this](const char *name, const char *caption) {
        QAction *action = m_popup->addAction(text(caption));
        action->setObjectName(text(name));
        return action;
    };
    connect(add("Pop_u_submit", "&submit ..."), &QAction::triggered, this,
            &SubmitView::Pop_u_submitClick);
    m_sitePassword = add("Pop_u_sitepassword", "edit site's &password");
    connect(m_sitePassword, &QAction::triggered, this, &SubmitView::sitePasswordRequested);
    connect(add("Pop_u_select", "selec&t site(s)"), &QAction::triggered, this,
            &SubmitView::Pop_u_selectClick);
    QAction *check = m_popup->addAction(tr("&check marked sites..."));
    check->setObjectName(QStringLiteral("Pop_u_checksites"));
    connect(check, &QAction::triggered, this, &SubmitView::siteCheckRequested);
    m_popup->addSeparator();
    connect(add("Pop_u_openinbrowser", "open site in &browser"), &QAction::triggered, this,
            &SubmitView::Pop_u_openinbrowserClick);
    m_popup->addSeparator();
    // The user's own sites: a library site is edited as a copy that replaces it.
    QAction *newSite = m_popup->addAction(tr("new site..."));
    newSite->setObjectName(QStringLiteral("Pop_u_newsite"));
    connect(newSite, &QAction::triggered, this, &SubmitView::newSiteRequested);
    m_editSite = m_popup->addAction(tr("edit site..."));
    m_editSite->setObjectName(QStringLiteral("Pop_u_editsite"));
    connect(m_editSite, &QAction::triggered, this,
            [this] { emit editSiteRequested(currentRow()); });
    m_deleteSite = m_popup->addAction(tr("delete site"));
    m_deleteSite->setObjectName(QStringLiteral("Pop_u_deletesite"));
    connect(m_deleteSite, &QAction::triggered, this,
            [this] { emit deleteSiteRequested(currentRow()); });
    // Site packs carry sites between authors.
    m_popup->addSeparator();
    QAction *exportSites = m_popup->addAction(tr("export sites..."));
    exportSites->setObjectName(QStringLiteral("Pop_u_exportsites"));
    connect(exportSites, &QAction::triggered, this, &SubmitView::exportSitesRequested);
    QAction *importSites = m_popup->addAction(tr("import sites..."));
    importSites->setObjectName(QStringLiteral("Pop_u_importsites"));
    connect(importSites, &QAction::triggered, this, &SubmitView::importSitesRequested);

    m_selectAllMenu = new QMenu(this);
    m_selectAllMenu->setObjectName(QStringLiteral("PopupMenu_s"));
    m_allProducts = m_selectAllMenu->addAction(text("select all soft products"));
    m_allProducts->setObjectName(QStringLiteral("Pop_s_softwareitems"));
    m_allProducts->setCheckable(true);
    connect(m_allProducts, &QAction::triggered, this,
            [this](bool checked) { setSelectAllSoftProducts(checked); });
    m_allSites = m_selectAllMenu->addAction(text("select all submit sites"));
    m_allSites->setObjectName(QStringLiteral("Pop_s_submitsites"));
    m_allSites->setCheckable(true);
    connect(m_allSites, &QAction::triggered, this,
            [this](bool checked) { setSelectAllSubmitSites(checked); });
}

void SubmitView::buildButtons()
{
    m_buttons = new QWidget(this);
    m_buttons->setObjectName(QStringLiteral("Panel_submit_buttons"));
    auto *row = new QHBoxLayout(m_buttons);
    row->setContentsMargins(4, 0, 4, 0);
    row->setSpacing(4);

    m_chooser = new QComboBox(m_buttons);
    m_chooser->setObjectName(QStringLiteral("ComboBox_product"));
    m_chooser->setFixedWidth(ChooserWidth);
    m_chooser->setToolTip(tr("The product to submit"));
    m_chooserItems = new ProductChooserModel(m_software, m_chooser);
    m_chooser->setModel(m_chooserItems);
    // The user's choice only: the program sets the index without running it.
    connect(m_chooser, &QComboBox::activated, this, &SubmitView::ComboBox_productChange);
    // The colours follow whatever the chooser shows, set by the user or not.
    connect(m_chooser, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_model->setChosenProduct(index); });
    row->addWidget(m_chooser);

    m_submit = new QPushButton(text("Submit"), m_buttons);
    m_submit->setObjectName(QStringLiteral("Button_submit_data"));
    connect(m_submit, &QPushButton::clicked, this, &SubmitView::submitRequested);
    row->addWidget(m_submit);

    m_selectAll = new QPushButton(text("select all ..."), m_buttons);
    m_selectAll->setObjectName(QStringLiteral("Button_select_all"));
    connect(m_selectAll, &QPushButton::clicked, this, &SubmitView::Button_select_allClick);
    row->addWidget(m_selectAll);

    m_register = new QPushButton(text("register at site"), m_buttons);
    m_register->setObjectName(QStringLiteral("Button_site_register"));
    m_register->setEnabled(false);
    connect(m_register, &QPushButton::clicked, this, &SubmitView::Button_site_registerClick);
    row->addWidget(m_register);

    m_password = new QPushButton(text("edit site's password"), m_buttons);
    m_password->setObjectName(QStringLiteral("Button_site_password"));
    connect(m_password, &QPushButton::clicked, this, &SubmitView::sitePasswordRequested);
    row->addWidget(m_password);

    m_autoSubmit = new QCheckBox(text("auto-submit"), m_buttons);
    m_autoSubmit->setObjectName(QStringLiteral("CheckBox_autosubmit"));
    connect(m_autoSubmit, &QCheckBox::clicked, this, &SubmitView::CheckBox_autosubmitClick);
    row->addWidget(m_autoSubmit);
    row->addStretch();
}

void SubmitView::reload(const std::function<void()> &change)
{
    m_model->reload(change);
    m_allSites->setChecked(false);
    applyColumnWidths();
}

int SubmitView::currentRow() const
{
    const QModelIndex current = m_grid->currentIndex();
    return current.isValid() ? SiteListModel::tableRow(current.row()) : 1;
}

void SubmitView::setCurrentRow(int row)
{
    const QModelIndex index = m_model->index(SiteListModel::viewRow(row), 0);
    if (!index.isValid())
        return;
    m_grid->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void SubmitView::selectRows(int first, int last)
{
    if (m_model->rowCount() == 0 || m_model->columnCount() == 0)
        return;
    const QItemSelection block(
        m_model->index(SiteListModel::viewRow(first), 0),
        m_model->index(SiteListModel::viewRow(last), m_model->columnCount() - 1));
    m_grid->selectionModel()->select(block, QItemSelectionModel::ClearAndSelect);
}

QPair<int, int> SubmitView::selectionRange() const
{
    const QItemSelection selection = m_grid->selectionModel()->selection();
    if (selection.isEmpty()) {
        const int row = currentRow();
        return {row, row};
    }
    int top = m_model->rowCount();
    int bottom = -1;
    for (const QItemSelectionRange &range : selection) {
        top = std::min(top, range.top());
        bottom = std::max(bottom, range.bottom());
    }
    return {SiteListModel::tableRow(top), SiteListModel::tableRow(bottom)};
}

int SubmitView::selectedRowCount() const
{
    const QPair<int, int> range = selectionRange();
    return range.second - range.first + 1;
}

bool SubmitView::selectAllSoftProducts() const
{
    return m_allProducts->isChecked();
}

void SubmitView::setSelectAllSoftProducts(bool on)
{
    m_allProducts->setChecked(on);
    const int row = SubmitList::selectAllSoftProducts(m_software, on, m_settings.software(1));
    if (on) {
        m_host.selectAllSoftwareRows();
    } else {
        m_host.restoreSoftwareRow(row);
        m_chooser->setCurrentIndex(row - 1);
    }
    m_host.softwareMarksChanged();
}

void SubmitView::untickSelectAllSoftProducts()
{
    m_allProducts->setChecked(false);
}

bool SubmitView::selectAllSubmitSites() const
{
    return m_list.selectAllSubmitSites();
}

void SubmitView::setSelectAllSubmitSites(bool on)
{
    const SubmitList::SelectAllSites result =
        m_list.setSelectAllSubmitSites(on, m_settings.submitTo(m_list.siteName(1)));
    m_allSites->setChecked(result.on);
    if (result.on)
        selectRows(result.selectFirst, result.selectLast);
    else
        setCurrentRow(result.currentRow);
    m_model->marksChanged();
}

void SubmitView::historyChanged()
{
    m_model->historyChanged();
}

void SubmitView::siteRecordChanged()
{
    m_register->setEnabled(m_list.siteRegisterEnabled(currentRow()));
}

void SubmitView::applyColumnWidths()
{
    const int frame = m_grid->frameWidth();
    const int clientWidth = m_grid->width() - 2 * frame;
    const int clientHeight =
        m_grid->height() - 2 * frame - m_grid->horizontalHeader()->sizeHint().height();
    const int rowHeight = m_grid->verticalHeader()->defaultSectionSize();
    const bool allRowsFit = m_model->rowCount() * rowHeight <= clientHeight;
    const int scrollBar = m_grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_grid);
    const std::array<int, 4> widths = SubmitList::columnWidths(clientWidth, allRowsFit, scrollBar);
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const bool shown = c < int(widths.size());
        m_grid->setColumnHidden(c, !shown);
        if (shown)
            m_grid->setColumnWidth(c, std::max(0, widths.at(c)));
    }
    m_grid->horizontalScrollBar()->setValue(0);
}

void SubmitView::Button_submit_listClick()
{
    m_chooser->setCurrentIndex(m_host.currentSoftwareRow() - 1);
    m_grid->setFocus(Qt::OtherFocusReason);
    scrollToCurrentRow();
}

void SubmitView::scrollToCurrentRow()
{
    const int rowHeight = std::max(1, m_grid->verticalHeader()->defaultSectionSize());
    const int fullyVisible = m_grid->viewport()->height() / rowHeight;
    QScrollBar *bar = m_grid->verticalScrollBar();
    const int top = SubmitList::submitListTopRow(currentRow(), m_list.table().rowCount(),
                                                 fullyVisible, SiteListModel::tableRow(bar->value()));
    bar->setValue(SiteListModel::viewRow(top));
}

void SubmitView::StringGrid_url_listClick()
{
    const SubmitList::RowClick click =
        m_list.rowClicked(currentRow(), m_settings.submitTo(m_list.siteName(1)));
    if (click.selectAllTurnedOff) {
        m_allSites->setChecked(false);
        m_model->marksChanged();
        setCurrentRow(click.currentRow);
        // A press goes on to select the row under the pointer once this
        // returns; the selection is put back on the current row after it.
        QTimer::singleShot(0, this, [this] { selectRows(currentRow(), currentRow()); });
    }
    m_settings.setSubmitTo(click.submitTo);
    m_host.setHistoryCurrentRow(click.historyRow);
    m_register->setEnabled(click.registerEnabled);
    m_autoSubmit->setEnabled(click.autoSubmitEnabled);
    m_grid->horizontalScrollBar()->setValue(0);
}

void SubmitView::StringGrid_url_listDblClick()
{
    Pop_u_submitClick();
}

void SubmitView::Pop_u_submitClick()
{
    m_list.Pop_u_submitClick(currentRow());
    m_model->marksChanged();
    emit submitRequested();
}

void SubmitView::Pop_u_selectClick()
{
    const QPair<int, int> range = selectionRange();
    m_list.Pop_u_selectClick(range.first, range.second);
    m_model->marksChanged();
}

void SubmitView::Pop_u_openinbrowserClick()
{
    const QString refusal = m_list.openHomePage(currentRow(), m_addresses);
    if (!refusal.isEmpty())
        m_dialogs.error(refusal);
}

void SubmitView::PopupMenu_uPopup()
{
    m_sitePassword->setEnabled(SubmitList::sitePasswordEnabled(selectedRowCount()));
    const bool oneSite = !m_list.table().isEmpty() && selectedRowCount() == 1;
    m_editSite->setEnabled(oneSite);
    m_deleteSite->setEnabled(oneSite && m_list.isUserSite(currentRow()));
}

void SubmitView::Button_site_registerClick()
{
    switch (m_list.registerAction(selectedRowCount())) {
    case SubmitList::RegisterAction::Nothing:
        return;
    case SubmitList::RegisterAction::OneSiteOnly:
        m_dialogs.error(SubmitList::registerOneSiteMessage());
        return;
    case SubmitList::RegisterAction::Open:
        emit registerRequested(currentRow());
        return;
    }
}

void SubmitView::Button_select_allClick()
{
    m_selectAllMenu->popup(m_selectAll->mapToGlobal(QPoint(0, m_selectAll->height())));
}

void SubmitView::CheckBox_autosubmitClick()
{
    m_automaticSubmission = m_autoSubmit->isChecked();
    emit automaticSubmissionChanged(m_automaticSubmission);
}

void SubmitView::ComboBox_productChange(int index)
{
    if (index < 0)
        return;
    // Ending "select all soft products" puts the remembered product back;
    // the user's choice is applied after it, not undone by it.
    if (selectAllSoftProducts()) {
        setSelectAllSoftProducts(false);
        m_chooser->setCurrentIndex(index);
    }
    m_host.setCurrentSoftwareRow(index + 1);
    emit productChosen(index);
    m_model->setChosenProduct(m_chooser->currentIndex());
    const int markColumn = Marks::column(m_software);
    m_software.setCell(markColumn, 0, QString());
    Marks::clear(m_software);
    Marks::set(m_software, index + 1, true);
    m_host.softwareMarksChanged();
    m_grid->setFocus(Qt::OtherFocusReason);
}

void SubmitView::layoutView()
{
    m_grid->setGeometry(0, 0, width(), std::max(0, height() - ListBottomMargin));
    m_buttons->setGeometry(0, height() - BottomRowOffset, width(), BottomRowHeight);
}

void SubmitView::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    layoutView();
}
