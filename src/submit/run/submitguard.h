#pragma once

#include "platform/table.h"
#include "submit/run/submissionrun.h"

#include <QDate>
#include <QList>
#include <QLocale>
#include <QString>

#include <optional>

// The check before a run's first window: pairs (site, product) a site has
// taken already since the product's release, and pairs that break a site's
// stated policy. Download sites ban authors whose tools resend a release or
// send shareware where freeware only is taken, so the user decides first.
namespace SubmitGuard {

struct SentPair
{
    int siteRow = 0;
    int softwareRow = 0;
    QString site;
    QString product;
    // The earlier submission's date as the history cell holds it.
    QString date;
    friend bool operator==(const SentPair &, const SentPair &) = default;
};

struct PolicyPair
{
    int siteRow = 0;
    int softwareRow = 0;
    QString site;
    QString product;
    // The site's notes, trimmed.
    QString note;
    friend bool operator==(const PolicyPair &, const PolicyPair &) = default;
};

struct Findings
{
    QList<SentPair> sent;
    QList<PolicyPair> policy;
    bool isEmpty() const { return sent.isEmpty() && policy.isEmpty(); }
};

// The release date of a software record: month, day and year (fields 3, 4,
// 5) as numbers; a two-digit year as the history reads one. Nothing when a
// part is missing or the day does not exist.
std::optional<QDate> releaseDate(const QStringList &record);

// The history cell says the site took this release: "ok" with a date not
// earlier than `release`. A date that cannot be read, or a product without a
// release date, counts as taken.
bool alreadySent(const QString &historyCell, const std::optional<QDate> &release,
                 const QLocale &locale = QLocale());

// Over every site of `siteRows` and product of `softwareRows`, site by site
// in the given order: the history is sites by products (row = site row,
// column = software row).
Findings find(const Table &history, const Table &sites, const Table &software,
              const QList<int> &siteRows, const QList<int> &softwareRows,
              const QLocale &locale = QLocale());

enum class Answer { SkipThese, SendAnyway, Cancel };

// The pairs the run leaves out: every listed pair for "Skip these", none for
// "Send anyway"; nothing for "Cancel", which stops the run before it starts.
std::optional<QList<SubmissionRun::Pair>> leftOut(const Findings &findings, Answer answer);

// The dialog that lists the findings, as a port: the real one is a modal
// dialog, tests answer with a fake.
class Prompt
{
public:
    virtual ~Prompt() = default;
    virtual Answer ask(const Findings &findings) = 0;
};

} // namespace SubmitGuard
