#pragma once

#include "platform/table.h"
#include "submit/sites/siterecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// Each site's own user name and password: the UserPass column of the
// submit list while the program runs, user name, one tab, password; and the
// credential file (DataFiles::CredentialsName) between runs, one record per site that
// has a pair, the pair scrambled.
namespace Credentials {

// A column that holds no pair once blanks and control characters are
// trimmed (a lone tab included): no record, and the form walk uses the
// default login.
bool isEmpty(const QString &userPass);

// One record's text: site name, tab, the column's text scrambled with the
// credential file key pair.
QByteArray recordText(const QString &siteName, const QString &userPass);

struct LoadResult
{
    bool fileExisted = false;
    int loaded = 0;
    // Records that name no site of the submit list.
    int unknownSites = 0;
    // Records that name a site an earlier record already filled; the first stays.
    int duplicates = 0;
    // Records without a tab after the site name.
    int malformed = 0;
    // The file could not be read whole (a record longer than the rest of the
    // file, for one); the records before the damage were loaded and a copy of
    // the file was kept. Empty otherwise.
    QString problem;
};

// Loading at start-up: each record's pair goes into column 6 of the first
// site row whose name equals the record's without regard to letter case.
// Records that cannot be used are skipped; loading goes on with the next.
LoadResult load(Table &submitList, const QString &path);

// Writes the file anew, readable by its owner only: one record per site row,
// in order, whose column 6 holds a pair; then, unchanged, the file's records
// of sites the list does not hold. No pair at all gives an empty file.
// Returns an error message, or "" on success.
QString write(const Table &submitList, const QString &path);

// The dialog `TForm3`.
inline QString dialogCaption() { return QStringLiteral(" change site's  Username / Password"); }
inline QString siteLabelDesignText() { return QStringLiteral("[ site's name ]"); }
inline constexpr unsigned DialogBackground = 0xD7F0FF;

struct DialogFields
{
    QString site;      // `Label_site`
    QString userName;  // `Edit_user`
    QString passWord;  // `Edit_pass`
    friend bool operator==(const DialogFields &, const DialogFields &) = default;
};

// What the dialog shows for the submit list's current row: the site's name
// and the pair from its user pass column (before the first tab, and after
// it; no tab gives an empty user name and the whole text as password).
// Nothing when the name is empty.
std::optional<DialogFields> dialogFor(const Table &submitList, int siteRow);

// "ok": the reason the pair cannot be stored (a tab would split it where it
// does not belong; a character outside Windows-1252 would come back as
// another), or "" when it can. Empty boxes are accepted.
QString check(const QString &userName, const QString &passWord);

// "ok" accepted: column 6 becomes user name, tab, password; then the file is
// written. Gives the refusal or the write error for the user, else "".
QString store(Table &submitList, int row, const QString &userName, const QString &passWord,
              const QString &path);

} // namespace Credentials
