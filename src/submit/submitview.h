#pragma once

#include "submit/softwarelisthost.h"

#include <QFrame>
#include <QPair>

#include <functional>

class AddressHandler;
class Dialogs;
class ProductChooserModel;
class QAction;
class QCheckBox;
class QComboBox;
class QMenu;
class QPushButton;
class QTableView;
class Settings;
class SiteListModel;
class SubmitList;
class Table;

// The submit view `Panel_3`: the submit list `StringGrid_url_list` with its
// pop-up menu `PopupMenu_u`, the product chooser `ComboBox_product` and the
// buttons below the list. The rules live in SubmitList; the view forwards the
// user's actions to it and shows the result.
class SubmitView : public QFrame
{
    Q_OBJECT

public:
    // What the view needs of the window that hosts it.
    class Host : public virtual SoftwareListHost
    {
    public:
        // Makes `row` current again after the mode "select all soft
        // products" ended, the selection on that row alone.
        virtual void restoreSoftwareRow(int row) = 0;
        // The software list's selection covers every record.
        virtual void selectAllSoftwareRows() = 0;
        // The history table follows the submit list's current row.
        virtual void setHistoryCurrentRow(int row) = 0;
    };

    SubmitView(SubmitList &list, Table &software, const Table &history, Settings &settings,
               Dialogs &dialogs, AddressHandler &addresses, Host &host, QWidget *parent = nullptr);
    ~SubmitView() override;

    QTableView *table() const;
    SiteListModel *model() const { return m_model; }
    QComboBox *productChooser() const { return m_chooser; }
    // The chooser's items, read from the software list.
    ProductChooserModel *productChooserItems() const { return m_chooserItems; }
    QMenu *popupMenu() const { return m_popup; }

    // The automatic submission flag: the "auto-submit" box as last clicked.
    bool automaticSubmission() const { return m_automaticSubmission; }

    // Start-up: `change` fills the submit list (sorted, marks empty); the
    // view follows, "select all submit sites" off, then the widths are set.
    void reload(const std::function<void()> &change);

    // Current row as a table row (1..), 1 when the list has none yet.
    int currentRow() const;
    // Makes `row` current with the selection on it alone; the change runs
    // the row-click steps.
    void setCurrentRow(int row);
    // The block of selected rows as table rows; the current row when nothing
    // is selected.
    QPair<int, int> selectionRange() const;
    int selectedRowCount() const;

    // The two check-mark toggles of `PopupMenu_s`.
    bool selectAllSoftProducts() const;
    void setSelectAllSoftProducts(bool on);
    // A run took every product of "select all soft products" as marked
    // already: the tick goes without the mode's own clearing of the marks,
    // which would end the run after its first window.
    void untickSelectAllSoftProducts();
    bool selectAllSubmitSites() const;
    void setSelectAllSubmitSites(bool on);

    // The history changed: the colours follow.
    void historyChanged();
    // A site's stored pair changed: "register at site" follows.
    void siteRecordChanged();

    // Widths of the shown columns 0..3 for the list's present size.
    void applyColumnWidths();

public slots:
    // "&submit list", once the host has shown the view: the chooser shows
    // the current product, the list has the focus and shows the current row.
    void Button_submit_listClick();
    // The row-click steps; also run when the current row moves.
    void StringGrid_url_listClick();
    void StringGrid_url_listDblClick();
    void Pop_u_submitClick();
    void Pop_u_selectClick();
    void Pop_u_openinbrowserClick();
    void PopupMenu_uPopup();
    void Button_site_registerClick();
    void Button_select_allClick();
    void CheckBox_autosubmitClick();
    void ComboBox_productChange(int index);

signals:
    // The Submit command: "Submit", "&submit ...", a double click and Enter.
    void submitRequested();
    // "register at site" for the site in `row`.
    void registerRequested(int row);
    // "edit site's password" and "edit site's &password".
    void sitePasswordRequested();
    // "check marked sites...".
    void siteCheckRequested();
    // The product chooser picked the record in row `index` + 1; the editor
    // loads that record from here.
    void productChosen(int index);
    // "new site...", "edit site..." and "delete site" of `PopupMenu_u`.
    void newSiteRequested();
    void editSiteRequested(int row);
    void deleteSiteRequested(int row);
    // "export sites...": the marked sites into a site pack; "import sites...".
    void exportSitesRequested();
    void importSitesRequested();
    // "auto-submit" was clicked.
    void automaticSubmissionChanged(bool on);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    class SiteGrid;

    void buildPopupMenus();
    void buildButtons();
    void layoutView();
    void selectRows(int first, int last);
    void scrollToCurrentRow();

    SubmitList &m_list;
    Table &m_software;
    Settings &m_settings;
    Dialogs &m_dialogs;
    AddressHandler &m_addresses;
    Host &m_host;

    SiteGrid *m_grid = nullptr;
    SiteListModel *m_model = nullptr;
    QMenu *m_popup = nullptr;
    QAction *m_sitePassword = nullptr;
    QAction *m_editSite = nullptr;
    QAction *m_deleteSite = nullptr;
    QMenu *m_selectAllMenu = nullptr;
    QAction *m_allProducts = nullptr;
    QAction *m_allSites = nullptr;
    QWidget *m_buttons = nullptr;
    QComboBox *m_chooser = nullptr;
    ProductChooserModel *m_chooserItems = nullptr;
    QPushButton *m_submit = nullptr;
    QPushButton *m_selectAll = nullptr;
    QPushButton *m_register = nullptr;
    QPushButton *m_password = nullptr;
    QCheckBox *m_autoSubmit = nullptr;
    bool m_automaticSubmission = false;
};
