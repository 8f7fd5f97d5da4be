#pragma once

#include <QString>
#include <QStringList>

// Whether a site record may be saved among the user's sites: the rules the
// run, the form walk and the data file rely on, checked before anything is
// stored.
namespace SiteValidation {

struct Problem
{
    // The record's column the message is about (SiteRecord), -1 when none.
    int column = -1;
    QString message;
    bool ok() const { return message.isEmpty(); }
};

// `record` holds the eight fixed cells (name .. reg url; user pass as user
// name, tab, password) and then the field map entries, one a cell. Gives
// the first problem, or an empty message when the record may be saved.
Problem check(const QStringList &record);

// The narrower rule a site library's record must pass before an update may
// replace the working library: a name, an http(s) submission address, no
// control characters (one tab between user name and password), and field map
// entries of the form number=name up to the first blank cell. A damaged
// library often still loads with records like these broken.
Problem checkLibraryRecord(const QStringList &record);

} // namespace SiteValidation
