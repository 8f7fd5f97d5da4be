#pragma once

#include "platform/table.h"
#include "submit/sites/sitelibrary.h"
#include "submit/sites/siterecord.h"

#include <QCollator>
#include <QHash>
#include <QString>
#include <QStringList>

#include <array>

class AddressHandler;

// Marks live in the last column of a table: the site marks of the submit list
// and the submission marks (field 104) of the software list. Never saved.
namespace Marks {

inline QString mark() { return QStringLiteral("x"); }
inline int column(const Table &table) { return table.columnCount() - 1; }

// What the check box shows: any text in the mark cell.
bool isMarked(const Table &table, int row);
void set(Table &table, int row, bool marked);
void toggle(Table &table, int row);
// Marks rows first..last (clamped to the records).
void setRange(Table &table, int first, int last);
void setAll(Table &table);
void clear(Table &table);
int count(const Table &table);

} // namespace Marks

// The order of the submit list and the history: by site name in the user's
// locale, ignoring case, ties broken by the following cells.
namespace SiteSort {

QCollator collator();
// Sorts rows 1.. of `table`; row 0 stays.
void sortRows(Table &table, const QCollator &collator);

} // namespace SiteSort

// Colours of the submit list and history views, as 0xRRGGBB.
namespace SiteColours {
inline constexpr unsigned AcceptedBackground = 0xFFFFD2; // the product was accepted before
inline constexpr unsigned SelectedBackground = 0xE6E6E6;
inline constexpr unsigned HistorySiteBackground = 0xF8F8F8;
inline constexpr unsigned HistoryFailBackground = 0xFFC8DC;
} // namespace SiteColours

// The submit list `StringGrid_url_list`: one site record per row, sorted by
// site name, the site mark in the last column. Holds the rules of the submit
// view; the view itself only shows the table and forwards the user's actions.
class SubmitList
{
public:
    // "Web site", "URL", "Notes", "auto", "Submit", "Login", "user pass", "reg url".
    static QStringList headings();
    static QString mustRegisterFirst() { return QStringLiteral("Must register first"); }
    static QString registerOneSiteMessage()
    {
        return QStringLiteral("Please select only one site to register to at a time!");
    }

    SubmitList();

    Table &table() { return m_table; }
    const Table &table() const { return m_table; }
    int siteRowCount() const { return m_table.rowCount() - 1; }
    int markColumn() const { return Marks::column(m_table); }
    QString siteName(int row) const { return m_table.cell(SiteRecord::SiteName, row); }

    // Fills the rows from the library's records: one column more than the
    // widest record needs (at least 4) for the site mark, the headings, then
    // the sort. Marks start empty.
    void fill(const SiteLibrary::LoadResult &library);
    void fill(const SiteLibrary::LoadResult &library, const QCollator &collator);
    // The same with the user's own sites joined in: a user site whose name
    // equals a library site's without regard to case takes its place.
    void fill(const SiteLibrary::LoadResult &library, const QList<QStringList> &userSites);
    void fill(const SiteLibrary::LoadResult &library, const QList<QStringList> &userSites,
              const QCollator &collator);
    // Rebuilds the rows from the library's records kept by the last fill and
    // the user's sites as they are now. Marks start empty.
    void setUserSites(const QList<QStringList> &userSites);

    // Where a site row's record comes from.
    enum class Origin {
        Library,
        User,
        UserReplacing, // the user's record in place of a library site of that name
    };
    Origin origin(int row) const;
    bool isUserSite(int row) const { return origin(row) != Origin::Library; }
    // Whether the site library holds a site of that name (case ignored).
    bool isLibrarySite(const QString &name) const;
    // The site library's records as the last fill read them.
    const QList<QStringList> &libraryRecords() const { return m_library.records; }

    // The row whose site name equals `submitTo` without regard to case; the
    // first site row when there is none.
    int rowForSubmitTo(const QString &submitTo) const;

    // The press that toggles a row's mark lands within this many pixels of
    // the table's left edge (the check box).
    static constexpr int CheckBoxHitWidth = 11;
    static bool isOnCheckBox(int x) { return x >= 0 && x <= CheckBoxHitWidth; }

    // Mouse press at x on `row`; toggles the mark when on the check box.
    // Returns whether the mark changed.
    bool StringGrid_url_listMouseDown(int x, int row);

    // "selec&t site(s)": marks every row of the selection range; others stay.
    void Pop_u_selectClick(int firstRow, int lastRow);

    // "&submit ..." and double click: exactly this site is marked. The caller
    // then repaints and runs the Submit command.
    void Pop_u_submitClick(int row);
    void StringGrid_url_listDblClick(int row) { Pop_u_submitClick(row); }

    // "select all submit sites", a check-mark toggle of `PopupMenu_s`.
    struct SelectAllSites
    {
        bool on = false;
        // Turned on: the selection range to show (every site row).
        int selectFirst = 1;
        int selectLast = 1;
        // Turned off: the row to make current; 0 when turned on (it stays).
        int currentRow = 1;
    };
    bool selectAllSubmitSites() const { return m_selectAllSites; }
    // `submitTo` is "SubmitTo" of the settings file, read with the first
    // site's name as its default.
    SelectAllSites setSelectAllSubmitSites(bool on, const QString &submitTo);
    SelectAllSites toggleSelectAllSubmitSites(const QString &submitTo)
    {
        return setSelectAllSubmitSites(!m_selectAllSites, submitTo);
    }

    // What a click on a site row, or any move of the current row, leads to.
    struct RowClick
    {
        // "select all submit sites" was on and is now off (marks cleared).
        bool selectAllTurnedOff = false;
        // The row that ends up current: the remembered site's row when
        // "select all submit sites" was turned off, otherwise the clicked row.
        int currentRow = 1;
        // The new value of "SubmitTo".
        QString submitTo;
        // The history table's current row.
        int historyRow = 1;
        bool registerEnabled = false;
        bool autoSubmitEnabled = true;
    };
    RowClick rowClicked(int row, const QString &submitTo);

    // "register at site" is enabled only for a site that asks for an account
    // and has no stored pair yet (a lone tab counts as one).
    bool siteRegisterEnabled(int row) const;
    // "auto-submit" is enabled unless the site's auto column is exactly "no".
    bool autoSubmitEnabled(int row) const;
    static bool isAutoSite(const QString &autoCell) { return autoCell != QLatin1String("no"); }

    enum class RegisterAction {
        Nothing,      // the table is empty
        OneSiteOnly,  // show registerOneSiteMessage()
        Open,         // open the registration window for the current row
    };
    RegisterAction registerAction(int selectedRowCount) const;

    // `PopupMenu_u` opening: "edit site's &password" is enabled only for a
    // selection of one row.
    static bool sitePasswordEnabled(int selectedRowCount) { return selectedRowCount == 1; }

    // "open site in &browser": the home page of `row`, handed over unchanged
    // when it is a web or mail address. Anything else (a "file:" address, a
    // local path) comes from a library that a download can replace and is
    // never handed to the desktop: the message says so. Empty when opened.
    QString openHomePage(int row, AddressHandler &handler) const;

    // Widths of the four shown columns 0..3; every column from 4 on is 0 wide.
    static std::array<int, 4> columnWidths(int clientWidth, bool allRowsFit, int scrollBarWidth);

    // "&submit list": the top row that puts the current row in view, or
    // `topRow` when the view stays.
    static int submitListTopRow(int currentRow, int rowCount, int fullyVisibleRows, int topRow);

    // "select all soft products" on the software list: turned on, every
    // record gets its submission mark; turned off, the marks are cleared and
    // the returned row (the remembered "Software" row, kept within the list)
    // becomes current. Returns -1 when turned on.
    static int selectAllSoftProducts(Table &software, bool on, int rememberedRow);

private:
    static QString nameKey(const QString &name) { return name.toCaseFolded(); }

    Table m_table;
    bool m_selectAllSites = false;
    SiteLibrary::LoadResult m_library;
    QHash<QString, Origin> m_userOrigins;
    QCollator m_collator = SiteSort::collator();
};
