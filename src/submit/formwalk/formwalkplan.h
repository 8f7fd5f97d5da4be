#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>

// What the page driver does to a page after a form walk, in this order:
// apply the writes, then (when `focus` is set) wait `waitMs`, focus the
// submit control and, when `click` is on, clear the navigation lock and click
// it. Only elements whose state the walk changed carry a write, and each
// carries its final state once, in the order the walk first touched them.
//
// JSON shape (toJson):
//   { "result": 1, "error": "", "message": "", "notice": "", "attention": "",
//     "found": true, "submitForm": 0,
//     "writes": [ { "form": 0, "element": 3, "path": "#0", "tag": "INPUT",
//                   "name": "padurl", "id": "", "set": "value", "value": "..." },
//                 { ..., "set": "checked", "checked": true },
//                 { ..., "set": "selection", "selectedIndex": 2, "selected": [2] },
//                 { ..., "set": "file", "value": "..." } ],
//     "focus": { "form": 0, "element": 9, "path": "#0", "tag": "INPUT",
//                "name": "send", "id": "" } or null,
//     "reveal": { (an element, as focus) , "focus": true } or { "frame": 2 } or null,
//     "waitMs": 100, "click": false }
// "path", "tag", "name" and "id" are what the snapshot saw there, for the
// driver to check that the page has not changed under the plan. "reveal" is
// what the user must complete before the form can go (a picture code's
// input, which also takes the keyboard focus, or a challenge widget's
// response field or frame): it is brought into view after the focus. "selection": on a list that
// keeps one choice write selectedIndex; on a multiple one make exactly the
// options in "selected" chosen. "file": a file name the browser does not let
// a page script set; the driver leaves that input to the user and then
// only focuses the submit control, never clicks it.

struct ElementWrite
{
    enum class Set { Value, Checked, Selection, FileName };

    int form = -1;
    int element = -1;
    QString path;
    QString tag;
    QString name;
    QString id;
    Set set = Set::Value;
    QString value;          // Value, FileName
    bool checked = false;   // Checked
    int selectedIndex = -1; // Selection: the first chosen option, -1 for none
    QList<int> selected;    // Selection: every chosen option, ascending

    QJsonObject toJson() const;
};

struct ElementRef
{
    int form = -1;
    int element = -1;
    QString path;
    QString tag;
    QString name;
    QString id;

    bool isValid() const { return form >= 0 && element >= 0; }
    QJsonObject toJson() const;
};

// One field map entry as the walk met it: how many elements of the page
// carry its input name. The site check reports the entries that found none.
struct EntryMatch
{
    int column = -1;        // the entry's column in the site record
    QString entry;          // the cell as the record holds it ("57=padurl")
    bool readable = false;  // a field number, "=", an input name
    int field = 0;
    QString inputName;
    int matches = 0;        // elements named so (or with that id), fieldsets not counted

    bool found() const { return readable && matches > 0; }
};

struct FormWalkPlan
{
    // The walk's result as the browser window reports it.
    static constexpr int NoForm = 0;
    static constexpr int Walked = 1;
    static constexpr int ElementError = 2;
    // The walk raised an error it does not handle itself (an entry whose
    // field number is not an integer, a page that could not be read): the
    // caller shows `error` and ends the page's handling.
    static constexpr int Raised = -1;

    int result = NoForm;
    QString error;

    // The walk's own message, the rejected login, shown as an error with OK.
    QString message;
    // Something the user should know that needs no answer (nothing found,
    // no submit button): status-bar text for the caller.
    QString notice;
    // What the user must do before the form can go (send a form no button
    // sends, type a picture code, complete a check, fill a form the walk
    // cannot reach): the window's notice line.
    QString attention;

    // The walk fills such a form but never sends it.
    enum class UserStep { None, PictureCode, Challenge };
    UserStep userStep = UserStep::None;
    ElementRef reveal;      // the code input or the challenge's response field
    bool revealFocus = false;
    int revealFrame = -1;   // or the challenge's frame, an index of foreignFrames

    bool found = false;
    int submitForm = -1;
    QList<ElementWrite> writes;

    ElementRef focus;       // the submit control, when there is one to focus
    int waitMs = 0;         // before focusing; pending events run meanwhile
    bool click = false;

    // Every entry the walk is to use, from its first entry column up to the
    // first blank cell, whether or not the walk got that far. Not part of
    // the JSON: the page never needs it.
    QList<EntryMatch> entries;
    int foundEntries() const;
    // The snapshot's shape of the page planned (not in the JSON either).
    QString pageShape;
    // No form on the page takes the site's entries (no form at all, for a
    // site without entries): the page may still be drawing it.
    bool awaitsForm() const;

    QJsonObject toJson() const;
    QByteArray toJsonText() const;
};
