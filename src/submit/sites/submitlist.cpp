#include "submit/sites/submitlist.h"

#include <QCoreApplication>

#include "platform/addresshandler.h"

#include <QLocale>

#include <algorithm>

namespace Marks {

bool isMarked(const Table &table, int row)
{
    return !table.cell(column(table), row).isEmpty();
}

void set(Table &table, int row, bool marked)
{
    if (row >= 1)
        table.setCell(column(table), row, marked ? mark() : QString());
}

void toggle(Table &table, int row)
{
    set(table, row, !isMarked(table, row));
}

void setRange(Table &table, int first, int last)
{
    if (first > last)
        std::swap(first, last);
    first = std::max(first, 1);
    last = std::min(last, table.rowCount() - 1);
    for (int r = first; r <= last; ++r)
        set(table, r, true);
}

void setAll(Table &table)
{
    setRange(table, 1, table.rowCount() - 1);
}

void clear(Table &table)
{
    for (int r = 1; r < table.rowCount(); ++r)
        set(table, r, false);
}

int count(const Table &table)
{
    int n = 0;
    for (int r = 1; r < table.rowCount(); ++r)
        n += isMarked(table, r) ? 1 : 0;
    return n;
}

} // namespace Marks

namespace SiteSort {

QCollator collator()
{
    QCollator c{QLocale()};
    c.setCaseSensitivity(Qt::CaseInsensitive);
    return c;
}

void sortRows(Table &table, const QCollator &collator)
{
    const int rows = table.rowCount();
    if (rows < 3)
        return;
    // The key is the site name, then every cell, each behind "%@%". The cells
    // travel beside the key rather than being split back out of it, so a cell
    // that happens to hold "%@%" keeps its place.
    static const QString separator = QStringLiteral("%@%");
    struct Entry
    {
        QString key;
        int row = 0;
    };
    QList<Entry> entries;
    entries.reserve(rows - 1);
    for (int r = 1; r < rows; ++r) {
        // Only the row's own cells: padding every row to the widest record
        // would cost a separator per column per row. Missing cells are empty,
        // so rows still compare cell by cell.
        const QStringList cells = table.row(r);
        qsizetype used = cells.size();
        while (used > 0 && cells.at(used - 1).isEmpty())
            --used;
        qsizetype length = cells.value(0).size() + separator.size();
        for (qsizetype c = 0; c < used; ++c)
            length += separator.size() + cells.at(c).size();
        QString key;
        key.reserve(length);
        key += cells.value(0);
        for (qsizetype c = 0; c < used; ++c) {
            key += separator;
            key += cells.at(c);
        }
        key += separator;
        entries.append({std::move(key), r});
    }
    std::sort(entries.begin(), entries.end(), [&](const Entry &a, const Entry &b) {
        return collator.compare(a.key, b.key) < 0;
    });
    QList<int> order;
    order.reserve(entries.size());
    for (const Entry &entry : std::as_const(entries))
        order.append(entry.row);
    table.reorderRows(order);
}

} // namespace SiteSort

QStringList SubmitList::headings()
{
    return {QStringLiteral("Web site"), QStringLiteral("URL"),      QStringLiteral("Notes"),
            QStringLiteral("auto"),     QStringLiteral("Submit"),   QStringLiteral("Login"),
            QStringLiteral("user pass"), QStringLiteral("reg url")};
}

SubmitList::SubmitList() : m_table(5, 2)
{
    const QStringList names = headings();
    m_table.setColumnCount(int(names.size()) + 1);
    for (int c = 0; c < names.size(); ++c)
        m_table.setCell(c, 0, names.at(c));
}

void SubmitList::fill(const SiteLibrary::LoadResult &library)
{
    fill(library, {}, SiteSort::collator());
}

void SubmitList::fill(const SiteLibrary::LoadResult &library, const QCollator &collator)
{
    fill(library, {}, collator);
}

void SubmitList::fill(const SiteLibrary::LoadResult &library, const QList<QStringList> &userSites)
{
    fill(library, userSites, SiteSort::collator());
}

void SubmitList::fill(const SiteLibrary::LoadResult &library, const QList<QStringList> &userSites,
                      const QCollator &collator)
{
    m_library = library;
    m_collator = collator;
    setUserSites(userSites);
}

void SubmitList::setUserSites(const QList<QStringList> &userSites)
{
    QHash<QString, bool> replaced; // user site names; true once a library site gave way
    replaced.reserve(userSites.size());
    for (const QStringList &fields : userSites)
        replaced.insert(nameKey(fields.value(SiteRecord::SiteName)), false);

    QList<const QStringList *> records;
    records.reserve(m_library.records.size() + userSites.size());
    for (const QStringList &fields : std::as_const(m_library.records)) {
        const auto user = replaced.find(nameKey(fields.value(SiteRecord::SiteName)));
        if (user != replaced.end())
            user.value() = true;
        else
            records.append(&fields);
    }
    for (const QStringList &fields : userSites)
        records.append(&fields);

    m_userOrigins.clear();
    m_userOrigins.reserve(replaced.size());
    for (auto it = replaced.cbegin(); it != replaced.cend(); ++it)
        m_userOrigins.insert(it.key(), it.value() ? Origin::UserReplacing : Origin::User);

    int fieldColumns = std::max(4, m_library.fieldColumns);
    for (const QStringList *fields : std::as_const(records))
        fieldColumns = std::max(fieldColumns, int(fields->size()));
    m_table = Table(fieldColumns + 1, std::max(2, int(records.size()) + 1));
    for (int r = 0; r < records.size(); ++r)
        m_table.setRow(r + 1, *records.at(r));
    const QStringList names = headings();
    for (int c = 0; c < names.size(); ++c)
        m_table.setCell(c, 0, names.at(c));
    m_selectAllSites = false;
    SiteSort::sortRows(m_table, m_collator);
}

SubmitList::Origin SubmitList::origin(int row) const
{
    if (row < 1 || row >= m_table.rowCount())
        return Origin::Library;
    return m_userOrigins.value(nameKey(siteName(row)), Origin::Library);
}

bool SubmitList::isLibrarySite(const QString &name) const
{
    const QString key = nameKey(name);
    return std::any_of(m_library.records.cbegin(), m_library.records.cend(),
                       [&](const QStringList &fields) {
                           return nameKey(fields.value(SiteRecord::SiteName)) == key;
                       });
}

int SubmitList::rowForSubmitTo(const QString &submitTo) const
{
    const int row = m_table.findRow(SiteRecord::SiteName, submitTo);
    return row > 0 ? row : 1;
}

bool SubmitList::StringGrid_url_listMouseDown(int x, int row)
{
    if (!isOnCheckBox(x) || row < 1 || row >= m_table.rowCount())
        return false;
    Marks::toggle(m_table, row);
    return true;
}

void SubmitList::Pop_u_selectClick(int firstRow, int lastRow)
{
    Marks::setRange(m_table, firstRow, lastRow);
}

void SubmitList::Pop_u_submitClick(int row)
{
    Marks::clear(m_table);
    Marks::set(m_table, row, true);
}

SubmitList::SelectAllSites SubmitList::setSelectAllSubmitSites(bool on, const QString &submitTo)
{
    m_selectAllSites = on;
    SelectAllSites result;
    result.on = on;
    if (on) {
        result.selectFirst = 1;
        result.selectLast = siteRowCount();
        result.currentRow = 0;
        Marks::setAll(m_table);
    } else {
        result.currentRow = rowForSubmitTo(submitTo);
        result.selectFirst = result.selectLast = result.currentRow;
        Marks::clear(m_table);
    }
    return result;
}

SubmitList::RowClick SubmitList::rowClicked(int row, const QString &submitTo)
{
    RowClick click;
    click.currentRow = row;
    if (m_selectAllSites) {
        click.selectAllTurnedOff = true;
        click.currentRow = setSelectAllSubmitSites(false, submitTo).currentRow;
    }
    click.submitTo = siteName(click.currentRow);
    click.historyRow = click.currentRow;
    click.registerEnabled = siteRegisterEnabled(click.currentRow);
    click.autoSubmitEnabled = autoSubmitEnabled(click.currentRow);
    return click;
}

bool SubmitList::siteRegisterEnabled(int row) const
{
    return m_table.cell(SiteRecord::Notes, row) == mustRegisterFirst()
        && m_table.cell(SiteRecord::UserPass, row).isEmpty();
}

bool SubmitList::autoSubmitEnabled(int row) const
{
    return isAutoSite(m_table.cell(SiteRecord::Auto, row));
}

SubmitList::RegisterAction SubmitList::registerAction(int selectedRowCount) const
{
    if (m_table.isEmpty())
        return RegisterAction::Nothing;
    if (selectedRowCount > 1)
        return RegisterAction::OneSiteOnly;
    return RegisterAction::Open;
}

QString SubmitList::openHomePage(int row, AddressHandler &handler) const
{
    const QString address = m_table.cell(SiteRecord::HomePage, row);
    if (!AddressHandler::isWebOrMailAddress(address))
        return QCoreApplication::translate("SubmitList",
                                           "The site's home page \"%1\" is no web address: "
                                           "it is not opened.")
            .arg(address);
    handler.open(address);
    return QString();
}

std::array<int, 4> SubmitList::columnWidths(int clientWidth, bool allRowsFit, int scrollBarWidth)
{
    int w = clientWidth - 1;
    if (!allRowsFit)
        w -= scrollBarWidth + 1;
    return {w / 3 - 11, w / 3 + 10, w / 3 - 30, 27};
}

int SubmitList::submitListTopRow(int currentRow, int rowCount, int fullyVisibleRows, int topRow)
{
    const int h = fullyVisibleRows / 2;
    const int r = currentRow;
    int top = topRow;
    if (h < r && r < rowCount - h)
        top = r - h;
    else if (r < 8)
        top = 1;
    else if (r > rowCount - h)
        top = rowCount - fullyVisibleRows;
    // A list shorter than the view has nothing to scroll past its first row.
    return std::max(1, top);
}

int SubmitList::selectAllSoftProducts(Table &software, bool on, int rememberedRow)
{
    if (on) {
        Marks::setAll(software);
        return -1;
    }
    Marks::clear(software);
    return std::clamp(rememberedRow, 1, std::max(1, software.rowCount() - 1));
}
