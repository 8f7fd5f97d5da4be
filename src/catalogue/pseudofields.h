#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Field numbers a site's field map may name: 0..104 are software fields,
// -1 and -2 the site's password and user name, -10..-15 the constant values.
namespace PseudoFields {

constexpr int SitePassword = -1;
constexpr int SiteUserName = -2;

// The constant value list, built once at start-up: "kb", "yes", "no", "1", "0", "".
QStringList constantValueList();

struct Context
{
    QStringList record;        // the selected software record
    QStringList constants;     // the constant value list
    QString sitePassword;      // already resolved to the default login when the site has none
    QString siteUserName;
};

// Whether a field map may name n: a software field or a pseudo field.
bool isDefined(int n);
constexpr int FirstConstantField = -10;
constexpr int LastConstantField = -15;

// The value of field number n, or nullopt for a number that is not defined
// (-3..-9, below -15, above 104).
std::optional<QString> value(int n, const Context &context);

} // namespace PseudoFields
