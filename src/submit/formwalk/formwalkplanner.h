#pragma once

#include "catalogue/matchlists.h"
#include "submit/formwalk/formwalkplan.h"
#include "submit/formwalk/pagesnapshot.h"

#include <QString>
#include <QStringList>

#include <optional>

class Table;

namespace FormWalk {

// The login fill of a login-first site sends its form whatever the
// auto-submit setting; the normal fill follows it.
enum class Step { LoginFill, NormalFill };

struct LoginPair
{
    QString userName;
    QString password;
};

// The site's own pair from its "user pass" cell (user name, tab, password),
// or the default login pair when that cell is blank.
LoginPair loginPair(const QString &userPass, const LoginPair &defaultPair);

// A site's cells from column 0 up to the last one before the site mark
// column, which is the submit list's last column.
QStringList siteRecordCells(const Table &submitList, int siteRow);

struct FieldMapEntry
{
    int field = 0;
    QString inputName;
};

// "57=padurl": the field number before the first "=", the input name (taken
// exactly) after it; nullopt when the number is not an integer.
std::optional<FieldMapEntry> parseEntry(const QString &entry);

struct Input
{
    QStringList siteRecord;       // siteRecordCells()
    QStringList softwareRecord;   // the selected record, fields 0..104
    MatchLists matchLists;        // built from that record
    QStringList constants;        // PseudoFields::constantValueList()
    LoginPair defaultLogin;       // the options view's login user name and password
    bool loggedIn = false;
    bool autoSubmit = false;
    Step step = Step::NormalFill;
};

// The whole walk over one page: what to write, which form to send, what to
// focus and click, and the result the browser window reports.
FormWalkPlan plan(const PageSnapshot &page, const Input &input);

// The walk's own message when a login-first site did not take the pair.
QString rejectedLoginMessage();

} // namespace FormWalk
