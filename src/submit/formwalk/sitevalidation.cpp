#include "submit/formwalk/sitevalidation.h"

#include "catalogue/pseudofields.h"
#include "platform/cp1252.h"
#include "submit/formwalk/formwalkplanner.h"
#include "submit/sites/siterecord.h"
#include "submit/sites/submitlist.h"

#include <QCoreApplication>
#include <QUrl>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("SiteValidation", text);
}

QString columnName(int column)
{
    if (column >= SiteRecord::FirstFieldMap)
        return tr("field map entry %1").arg(column - SiteRecord::FirstFieldMap + 1);
    return tr("\"%1\"").arg(SubmitList::headings().value(column));
}

bool isWebAddress(const QString &text)
{
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        && !url.host().isEmpty();
}

// Characters that would split the cell in the data file or in the record.
QString cellProblem(const QString &cell, int column)
{
    if (cell.contains(QLatin1Char('|')))
        return tr("The %1 holds a \"|\", which the sites file uses between cells.")
            .arg(columnName(column));
    const int allowedTabs = column == SiteRecord::UserPass ? 1 : 0;
    if (cell.count(QLatin1Char('\t')) > allowedTabs)
        return column == SiteRecord::UserPass
                   ? tr("The user name or password holds a tab, which separates them.")
                   : tr("The %1 holds a tab.").arg(columnName(column));
    if (cell.contains(QLatin1Char('\r')) || cell.contains(QLatin1Char('\n')))
        return tr("The %1 holds a line break.").arg(columnName(column));
    const qsizetype bad = Cp1252::firstUnencodable(cell);
    if (bad >= 0)
        return tr("The %1 holds the character \"%2\", which has no Windows-1252 byte.")
            .arg(columnName(column), cell.mid(bad, cell.at(bad).isHighSurrogate() ? 2 : 1));
    return QString();
}

} // namespace

namespace SiteValidation {

Problem check(const QStringList &record)
{
    for (int c = 0; c < record.size(); ++c) {
        const QString problem = cellProblem(record.at(c), c);
        if (!problem.isEmpty())
            return {c, problem};
    }
    using namespace SiteRecord;
    if (record.value(SiteName).trimmed().isEmpty())
        return {SiteName, tr("The site needs a name.")};
    const QString home = record.value(HomePage);
    if (!home.trimmed().isEmpty() && !isWebAddress(home))
        return {HomePage, tr("The home page must be an http:// or https:// address with a host.")};
    if (!isWebAddress(record.value(SubmitPage)))
        return {SubmitPage,
                tr("The submission address must be an http:// or https:// address with a host.")};
    bool numeric = false;
    const int login = record.value(Login).trimmed().toInt(&numeric, 10);
    if (!numeric)
        return {Login, tr("The login type must be a number.")};
    const QString reg = record.value(RegUrl).trimmed();
    if (login == EmailSite) {
        if (!reg.contains(QLatin1Char('@')))
            return {RegUrl, tr("An e-mail site needs the address submissions are sent to in "
                               "\"reg url\".")};
    } else if (!reg.isEmpty() && !isWebAddress(reg)) {
        return {RegUrl, tr("The registration page must be an http:// or https:// address.")};
    }

    int entries = 0;
    for (int c = FirstFieldMap; c < record.size(); ++c) {
        const QString &cell = record.at(c);
        if (cell.trimmed().isEmpty())
            return {c, tr("The %1 is empty: the form walk would stop before the entries after "
                          "it.").arg(columnName(c))};
        const std::optional<FormWalk::FieldMapEntry> entry = FormWalk::parseEntry(cell);
        if (!entry)
            return {c, tr("The %1, \"%2\", is not of the form number=name.")
                           .arg(columnName(c), cell)};
        if (!PseudoFields::isDefined(entry->field))
            return {c, tr("The %1 names field %2, which is no software field, site password, "
                          "site user name or constant.")
                           .arg(columnName(c))
                           .arg(entry->field)};
        if (entry->inputName.trimmed().isEmpty())
            return {c, tr("The %1 has no input name.").arg(columnName(c))};
        ++entries;
    }
    if (login != EmailSite && entries == 0)
        return {FirstFieldMap, tr("The field map is empty: the form would be sent with nothing "
                                  "filled. Add the inputs to fill.")};
    if (login == LoginFirst && entries < 2)
        return {FirstFieldMap, tr("A login-first site's first two entries fill its login form "
                                  "(user name and password).")};
    return {};
}

Problem checkLibraryRecord(const QStringList &record)
{
    using namespace SiteRecord;
    for (int c = 0; c < record.size(); ++c) {
        const QString &cell = record.at(c);
        const int allowedTabs = c == UserPass ? 1 : 0;
        int tabs = 0;
        for (const QChar ch : cell) {
            if (ch == QLatin1Char('\t') && ++tabs <= allowedTabs)
                continue;
            if (ch.unicode() < 0x20 || ch.unicode() == 0x7f)
                return {c, tr("The %1 holds a control character.").arg(columnName(c))};
        }
    }
    if (record.value(SiteName).trimmed().isEmpty())
        return {SiteName, tr("The site needs a name.")};
    if (!isWebAddress(record.value(SubmitPage)))
        return {SubmitPage,
                tr("The submission address must be an http:// or https:// address with a host.")};
    for (int c = FirstFieldMap; c < record.size() && !record.at(c).trimmed().isEmpty(); ++c) {
        if (!FormWalk::parseEntry(record.at(c)))
            return {c, tr("The %1, \"%2\", is not of the form number=name.")
                           .arg(columnName(c), record.at(c))};
    }
    return {};
}

} // namespace SiteValidation
