#pragma once

#include <QString>
#include <QStringList>

// The two fixed choice lists of the third editor page: the category list
// (field 47) and the class table (fields 48 and 93). Item indexes count from
// 0; "position" in comments counts table rows from 1.
namespace CategoryTables {

inline constexpr int CategoryCount = 11;
inline constexpr int ClassRowCount = 160;
inline constexpr int ClassCount = 147;
inline constexpr int SeparatorCount = 13;
// Positions 113 to 144 carry a thirteenth column.
inline constexpr int FirstWidePosition = 113;
inline constexpr int LastWidePosition = 144;

// "Audio", "Business", ... "Utilities", in list order.
const QStringList &categoryItems();

// The 160 class items: class key, then the site category names, separated by
// tabs; separator rows are tabs only. Without the trailing tab the program
// appends at start-up.
const QStringList &classItems();

// The first item that contains `key` (letter case counts), or -1 when the key
// is empty or no item holds it. The search covers the whole item text, so a
// site category name finds its row too.
int findClassItem(const QStringList &items, const QString &key);

// The category item equal to `value` without regard to letter case, or -1.
int findCategoryItem(const QString &value);
// A stored category as the list now names it: the halves older catalogues
// stored ("Development", "Tools", "Screen", "Savers") read as the joined
// item; anything else as it is.
QString storedCategory(const QString &stored);

// The start-up step: one tab appended to every item, so that every site
// category name, the last included, is followed by a tab.
void appendStartupTab(QStringList &items);
QStringList withStartupTab(const QStringList &items);

// The class key of an item: its text before the first tab (field 48).
QString classKey(const QString &item);

// Whether an item is a separator row (tabs only).
bool isSeparator(const QString &item);

} // namespace CategoryTables
