#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>

// What the page driver reads from a loaded page, in one pass, for the form
// walk: the top document's forms in document order (document.forms) and the
// elements of each in the form's own order (form.elements). A form's and an
// element's index is its position here, which is also its index in the page,
// so a plan can address document.forms[form].elements[element].
//
// JSON shape (every key optional; a missing key or one of the wrong type
// reads as "", false or an empty list):
//   { "url": "...", "title": "...",
//     "forms": [ { "name": "", "id": "", "action": "", "method": "",
//                  "elements": [ { "tag": "INPUT", "name": "", "id": "",
//                                  "type": "text", "value": "",
//                                  "checked": false, "disabled": false,
//                                  "multiple": false, "label": "",
//                                  "options": [ { "text": "", "value": "",
//                                                 "selected": false } ] } ] } ] }
// An entry of "forms" or "elements" that is not an object still takes its
// place (as a form without elements, or an element that matches nothing), so
// the indices of the ones after it stay those of the page. "label" is the
// text a user reads beside the element, when the page has one; the walk
// never looks at it (older snapshots have none).

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
    QList<SnapshotElement> elements;
};

struct PageSnapshot
{
    // Bounds that keep a hostile or broken page from exhausting memory; what
    // lies beyond them is dropped and `truncated` says so.
    static constexpr int MaxForms = 10'000;
    static constexpr int MaxElements = 200'000;   // over all forms
    static constexpr int MaxOptions = 1'000'000;  // over all choice lists

    QString url;
    QString title;
    QList<SnapshotForm> forms;
    bool valid = false;      // the text was a JSON object
    bool truncated = false;
    QString error;           // why it was not valid

    int elementCount() const;

    static PageSnapshot fromJson(const QByteArray &json);
    static PageSnapshot fromJson(const QJsonObject &object);
    QJsonObject toJson() const;
};
