#include "catalogue/pseudofields.h"

#include "catalogue/fieldcatalogue.h"

namespace PseudoFields {

namespace {
constexpr int FirstConstant = FirstConstantField;
constexpr int LastConstant = LastConstantField;
} // namespace

bool isDefined(int n)
{
    return (n >= Field::ProgramName && n < FieldCatalogue::FieldCount) || n == SitePassword
        || n == SiteUserName || (n <= FirstConstant && n >= LastConstant);
}

QStringList constantValueList()
{
    return {QStringLiteral("kb"), QStringLiteral("yes"), QStringLiteral("no"),
            QStringLiteral("1"), QStringLiteral("0"), QString()};
}

std::optional<QString> value(int n, const Context &context)
{
    if (n >= Field::ProgramName && n < FieldCatalogue::FieldCount)
        return context.record.value(n);
    if (n == SitePassword)
        return context.sitePassword;
    if (n == SiteUserName)
        return context.siteUserName;
    if (n <= FirstConstant && n >= LastConstant)
        return context.constants.value(FirstConstant - n);
    return std::nullopt;
}

} // namespace PseudoFields
