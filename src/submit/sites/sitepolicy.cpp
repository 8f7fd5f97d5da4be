#include "submit/sites/sitepolicy.h"

#include <QRegularExpression>

namespace SitePolicy {

bool freewareOnly(const QString &notes)
{
    // Notes often carry more than the policy ("Freeware only, no adware"):
    // a site that bans for shareware is worth a question too many rather
    // than one too few.
    static const QRegularExpression policy(QStringLiteral("\\bfreeware\\s+only\\b"),
                                           QRegularExpression::CaseInsensitiveOption);
    return policy.match(notes).hasMatch();
}

bool breaks(const QString &notes, const QString &programType)
{
    return freewareOnly(notes)
           && programType.trimmed().compare(QLatin1String("Freeware"), Qt::CaseInsensitive) != 0;
}

QString notice(const QString &notes)
{
    const QString note = notes.trimmed();
    if (note.simplified().compare(freewareOnlyText(), Qt::CaseInsensitive) == 0)
        return QString();
    return note;
}

} // namespace SitePolicy
