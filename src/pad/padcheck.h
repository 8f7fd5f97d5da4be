#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The PAD standard's field rules applied to a software record as the PAD
// export writes it: what is checked is what download sites receive.
namespace PadCheck {

// One value element that breaks its rule.
struct Violation
{
    int field = -1;   // the record's field; -1 for the program's own fixed texts
    QString element;  // "Program_Release_Month"
    QString rule;     // the rule in words: "2 digits 01-12"
    QString value;    // the value as the document holds it
    QString title;    // the standard's name for the element: "Release month"

    friend bool operator==(const Violation &, const Violation &) = default;
};

// Every broken rule of `record` (a software row; missing cells read as ""),
// in document order. Elements without a rule are not checked.
QList<Violation> check(const QStringList &record);

// Number of rules read from the program's rules table (for its own check).
int ruleCount();

// The list a dialog shows: one line per violation, "caption: rule (value)",
// long values shortened; at most `maxLines` lines, then how many more.
QString listText(const QList<Violation> &violations, int maxLines = 25);

} // namespace PadCheck
