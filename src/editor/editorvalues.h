#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The software editor's contents as plain data, in the controls' own terms:
// `fields[n]` is the text of a text box or multi-line box (line breaks as
// typed, "\n"), the chosen item's text of a drop-down ("" for no choice), and
// "1"/"0" for a check box ("Yes"/"No" for field 102). Fields 11, 12 and 48 are
// held by the three lists below; their cells in `fields` are not read.
// Fields 92 to 99 and 104 are not editor fields.
struct EditorValues
{
    EditorValues();

    QStringList fields;
    // The chosen class item's whole text (key, site names, start-up tab), "" for none.
    QString classItem;
    // Whole texts of the selected OS items (with their start-up tab), in list order.
    QStringList selectedOs;
    // The selected language items, in list order.
    QStringList selectedLanguages;

    QString text(int field) const { return fields.value(field); }
    bool isBlank(int field) const { return fields.value(field).trimmed().isEmpty(); }

    friend bool operator==(const EditorValues &, const EditorValues &) = default;
};

// The rules between the editor and a software record: stored forms, loading
// by the stored forms, the example contents and the main shareware ID boxes.
namespace EditorRules {

// The item lists as the editor holds them from start-up on (start-up tab appended).
const QStringList &classItems();
const QStringList &osItems();

// The fixed items of drop-down field n, as the editor offers them (the
// category list included; the class list is classItems()).
QStringList comboItemsOf(int field);

// A multi-line box marked "breaks to spaces": each line break (CR LF, CR or LF) becomes one blank.
QString breaksToSpaces(const QString &text);
// The PAD ring box keeps its lines; the record holds them with CR LF between.
QString linesToStored(const QString &text);
QString storedToLines(const QString &stored);

// The stored form of field n (0..91, 100..103) of the editor's contents.
QString storedValue(const EditorValues &values, int field);

// Writes fields 0..91, then the derived 92..99, then 100..103 into `record`
// (grown to 105 cells when shorter); field 104 is left as it was.
void storeInto(QStringList &record, const EditorValues &values);

// Loading a record into the editor: each field by its stored form. A drop-down
// value that matches no item, a class key no item holds, and a non-numeric
// value in fields 51..53 or 101 all load as no choice / unticked.
EditorValues fromRecord(const QStringList &record);

// Index of the item equal to `value` without regard to letter case, or -1.
int comboIndex(const QStringList &items, const QString &value);
// The OS items a stored field 11 selects (first item of each name, letter case counts).
QList<int> osSelection(const QStringList &items, const QString &value);
// The language items a stored field 12 selects (each part trimmed, letter case aside).
QList<int> languageSelection(const QStringList &items, const QString &value);
// Fields 51..53: ticked when the value reads as an integer other than 0.
bool includesTicked(const QString &value);
// Field 101: ticked when not blank and an integer other than 0.
bool adultTicked(const QString &value);
// Field 102: ticked for exactly "Yes".
bool affiliateTicked(const QString &value);

// The boxes field 89's choice fills: the main product ID from `productField`,
// the main vendor ID from `vendorField`; -1 leaves that box empty.
struct MainIdSources
{
    int productField = -1;
    int vendorField = -1;
};
MainIdSources mainIdSources(const QString &choice);

// What the editor shows before any record is loaded.
EditorValues exampleContents();

// The first editor value the catalogue file could not keep, described for the
// user by the field's caption, or "" when every value can be stored.
struct Unstorable
{
    int field = -1;
    QString message;
};
Unstorable firstUnstorable(const EditorValues &values);

} // namespace EditorRules
