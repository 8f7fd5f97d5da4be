#include "submit/run/submitguard.h"

#include "catalogue/fieldcatalogue.h"
#include "submit/history/historydate.h"
#include "submit/sites/siterecord.h"
#include "submit/sites/sitepolicy.h"

namespace SubmitGuard {

namespace {

std::optional<int> number(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

std::optional<QDate> releaseDate(const QStringList &record)
{
    const std::optional<int> month = number(record.value(Field::ReleaseMonth));
    const std::optional<int> day = number(record.value(Field::ReleaseDay));
    std::optional<int> year = number(record.value(Field::ReleaseYear));
    if (!month || !day || !year || *year < 0)
        return std::nullopt;
    if (record.value(Field::ReleaseYear).trimmed().size() <= 2)
        year = HistoryDate::widenYear(*year);
    const QDate date(*year, *month, *day);
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

bool alreadySent(const QString &historyCell, const std::optional<QDate> &release,
                 const QLocale &locale)
{
    const std::optional<HistoryDate::OkCell> ok = HistoryDate::readOk(historyCell, locale);
    if (!ok)
        return false;
    if (!ok->date || !release)
        return true;
    return *ok->date >= *release;
}

Findings find(const Table &history, const Table &sites, const Table &software,
              const QList<int> &siteRows, const QList<int> &softwareRows, const QLocale &locale)
{
    QList<std::optional<QDate>> releases;
    for (int e : softwareRows)
        releases.append(releaseDate(software.row(e)));

    Findings findings;
    for (int c : siteRows) {
        const QString site = sites.cell(SiteRecord::SiteName, c);
        const QString notes = sites.cell(SiteRecord::Notes, c);
        for (qsizetype i = 0; i < softwareRows.size(); ++i) {
            const int e = softwareRows.at(i);
            const QString product = software.cell(Field::ProgramName, e);
            const QString cell = history.cell(e, c);
            if (alreadySent(cell, releases.at(i), locale))
                findings.sent.append(
                    {c, e, site, product, HistoryDate::readOk(cell, locale)->dateText});
            if (SitePolicy::breaks(notes, software.cell(Field::ReleaseType, e)))
                findings.policy.append({c, e, site, product, notes.trimmed()});
        }
    }
    return findings;
}

std::optional<QList<SubmissionRun::Pair>> leftOut(const Findings &findings, Answer answer)
{
    if (answer == Answer::Cancel)
        return std::nullopt;
    QList<SubmissionRun::Pair> pairs;
    if (answer == Answer::SendAnyway)
        return pairs;
    for (const SentPair &p : findings.sent)
        pairs.append({p.siteRow, p.softwareRow});
    for (const PolicyPair &p : findings.policy)
        pairs.append({p.siteRow, p.softwareRow});
    return pairs;
}

} // namespace SubmitGuard
