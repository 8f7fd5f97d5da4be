#include "submit/formwalk/fieldchoices.h"

#include "catalogue/fieldcatalogue.h"
#include "catalogue/pseudofields.h"

#include <QCoreApplication>

namespace FieldChoices {

namespace {

// Fields with nothing a form could take: the reserved cell and the mark.
bool offered(int field)
{
    return field != Field::Reserved && field != Field::SubmissionMark;
}

QString named(const QString &text, int field)
{
    return QStringLiteral("%1 : %2").arg(text).arg(field);
}

} // namespace

QList<Choice> all()
{
    QList<Choice> choices;
    for (int n = 0; n < FieldCatalogue::FieldCount; ++n)
        if (offered(n))
            choices.append({n, caption(n)});
    for (int n : {PseudoFields::SiteUserName, PseudoFields::SitePassword})
        choices.append({n, caption(n)});
    for (int n = -10; n >= -15; --n)
        choices.append({n, caption(n)});
    return choices;
}

QString caption(int field)
{
    if (field >= 0 && field < FieldCatalogue::FieldCount && offered(field))
        return named(QCoreApplication::translate("FieldChoices", FieldCatalogue::field(field).meaning),
                     field);
    if (field == PseudoFields::SiteUserName)
        return named(QCoreApplication::translate("FieldChoices", "Site user name"), field);
    if (field == PseudoFields::SitePassword)
        return named(QCoreApplication::translate("FieldChoices", "Site password"), field);
    if (field <= -10 && field >= -15) {
        const QString value = PseudoFields::constantValueList().value(-10 - field);
        return named(value.isEmpty()
                         ? QCoreApplication::translate("FieldChoices", "Constant: empty")
                         : QCoreApplication::translate("FieldChoices", "Constant: \"%1\"").arg(value),
                     field);
    }
    return QString();
}

} // namespace FieldChoices
