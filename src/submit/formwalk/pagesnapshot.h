#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>

// What the page driver reads from a loaded page, in one pass, for the form
// walk: every form of the page and the elements of each in the form's own
// order (form.elements). Each document (the page, and each frame of the same
// site, nested) gives its forms in document order, those inside open shadow
// roots included, then its loose controls (inputs, lists, text areas and
// buttons outside any form) as one more form of its own, "loose". A form's
// "path" says where it lives (frame chain, shadow host chain, form); the
// page scripts find it again by its index and check the path before each
// write.
//
// JSON shape (every key optional; a missing key or one of the wrong type
// reads as "", false, 0 or an empty list):
//   { "url": "...", "title": "...", "shape": "...", "truncated": false,
//     "forms": [ { "name": "", "id": "", "action": "", "method": "",
//                  "path": "/f0/s1#2", "loose": false,
//                  "elements": [ { "tag": "INPUT", "name": "", "id": "",
//                                  "type": "text", "value": "",
//                                  "checked": false, "disabled": false,
//                                  "multiple": false, "label": "",
//                                  "placeholder": "", "picture": "",
//                                  "options": [ { "text": "", "value": "",
//                                                 "selected": false } ] } ] } ],
//     "foreign": [ { "src": "https://...", "form": 0 } ],
//     "hidden": 0 }
// An entry of "forms" or "elements" that is not an object still takes its
// place (as a form without elements, or an element that matches nothing), so
// the indices of the ones after it stay those of the page. "label" is the
// text a user reads beside the element (a button's caption), when the page
// has one; "picture" the alternative text and address of a picture beside
// a text input. "foreign" lists the frames of other sites, which no script
// of ours can read, with the form that holds them (-1 for none); "hidden"
// counts the page's own components whose insides are closed to us. "shape"
// is a short text that changes when controls, forms or frames come or go.

struct SnapshotOption
{
    QString text;   // option.text, as the user reads it
    QString value;
    bool selected = false;
};

struct SnapshotElement
{
    // A label is a hint for the user, never a page's essay.
    static constexpr int MaxLabelLength = 200;

    QString tag;    // tagName, as the page reports it ("INPUT", "SELECT", ...)
    QString name;
    QString id;
    QString type;   // element.type ("text", "textarea", "select-one", "submit", ...)
    QString value;
    bool checked = false;
    bool disabled = false;
    bool multiple = false;  // a choice list that keeps several options chosen
    QString label;          // the label text near it, blanks collapsed; "" when none
    QString placeholder;
    QString picture;        // a picture beside a text input: its alt, title and address
    QList<SnapshotOption> options;

    bool isFieldset() const;
    bool isSelect() const;
};

struct SnapshotForm
{
    int index = 0;
    QString name;
    QString id;
    QString action;
    QString method;
    QString path;           // where the page scripts find it again
    bool loose = false;     // a document's controls outside any form
    QList<SnapshotElement> elements;
};

// A frame of another site: nothing in it can be read or filled.
struct SnapshotFrame
{
    QString src;
    int form = -1;          // the form that holds it, -1 for none
};

struct PageSnapshot
{
    // Bounds that keep a hostile or broken page from exhausting memory; what
    // lies beyond them is dropped and `truncated` says so.
    static constexpr int MaxForms = 10'000;
    static constexpr int MaxElements = 200'000;   // over all forms
    static constexpr int MaxOptions = 1'000'000;  // over all choice lists
    // How far the page scripts go into frames and shadow roots (hops from the
    // page), how many documents and nodes they visit at most.
    static constexpr int MaxDepth = 10;
    static constexpr int MaxDocuments = 100;
    static constexpr int MaxNodes = 1'000'000;

    QString url;
    QString title;
    QList<SnapshotForm> forms;
    QList<SnapshotFrame> foreignFrames;
    int hiddenParts = 0;
    QString shape;
    bool valid = false;      // the text was a JSON object
    bool truncated = false;
    QString error;           // why it was not valid

    int elementCount() const;

    static PageSnapshot fromJson(const QByteArray &json);
    static PageSnapshot fromJson(const QJsonObject &object);
    QJsonObject toJson() const;
};
