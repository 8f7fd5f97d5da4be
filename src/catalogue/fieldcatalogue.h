#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The field catalogue: one table row per software field. It drives the
// software list headers, the editor pages, the load/store rules, PAD mapping
// and the e-mail body, so none of those keeps its own copy of this data.

// How a field is held by its editor control, and so how it is stored and loaded.
enum class EditorKind {
    Edit,          // one-line text box
    ReadOnlyEdit,  // one-line text box the user cannot type in (fields 90, 91)
    Combo,         // drop-down list of fixed items, stored as the chosen item's text
    ClassCombo,    // category-class drop-down: stored as the item's text before its first tab
    Memo,          // multi-line box, line breaks stored as one space each
    MemoLines,     // multi-line box keeping its line breaks (field 70)
    CheckBox,      // "1" / "0"
    CheckBoxYesNo, // "Yes" / "No" (field 102)
    OsList,        // multi-select OS list (field 11)
    LanguageList,  // multi-select language list (field 12)
    Reserved,      // no control, always stored empty (field 92)
    Derived,       // computed by every store (fields 93 to 99)
    Mark,          // submission mark, drawn in the software list (field 104)
};

struct FieldInfo
{
    int number;
    const char *meaning;    // "Program name"
    const char *caption;    // label text on the editor page; nullptr when none
    const char *control;    // object name of the editor control; nullptr when none
    EditorKind kind;
    const char *padElement; // PAD element written by the export; nullptr when none
    int page;               // editor page 0..6 (Panel_1a..Panel_1g); -1 when on none
    int tabOrder;           // position within its page's tab order; -1 when on none
    int limit;              // input limit in characters; 0 when none
};

namespace FieldCatalogue {

constexpr int FieldCount = 105;
constexpr int MarkField = 104;
constexpr int PageCount = 7;

// Field n, 0 <= n < FieldCount.
const FieldInfo &field(int n);

// Object names "Panel_1a" .. "Panel_1g".
QString pageName(int page);
// Fields of a page in its tab order.
QList<int> pageFields(int page);
// Section captions of a page, top to bottom.
QStringList pageSections(int page);

// Group word of a field below 90 ("Release", "File", ...; "" for the rest).
QString groupWord(int n);
// Header text of software list column n: "Release Name : 0", " [col 95]".
QString headerText(int n);

// The ten columns the software list shows: 0, 1, 2, 10, 15, 26, 36, 47, 54, 64.
const QList<int> &visibleColumns();
bool isVisibleColumn(int n);

// Items of a fixed drop-down list, in order, including an empty first item
// where the list has one; empty for fields without such a list (and for the
// category and class lists, which the category tables provide).
QStringList comboItems(int field);

} // namespace FieldCatalogue

// The fixed lists of the editor controls.
namespace PickLists {

// 34 OS items: name, then site tokens, tab-separated, without the trailing
// tab the program appends at start-up.
const QStringList &osItems();
// Name of an OS item: the text before its first tab.
QString osName(const QString &item);
// 26 languages.
const QStringList &languages();
// 164 currency items, the empty first one included.
const QStringList &currencies();
// 244 country items, the empty first one included (two names occur twice).
const QStringList &countries();

} // namespace PickLists
