#include "submit/run/sitecheckreport.h"

#include "platform/csvtext.h"
#include "platform/htmltable.h"
#include "submit/browser/pagehandling.h"
#include "submit/formwalk/formwalkplan.h"
#include "submit/sites/siterecord.h"

#include <QCollator>
#include <QCoreApplication>
#include <QUrl>

#include <algorithm>

namespace SiteCheckReport {

namespace {

QString tr(const char *text, const char *disambiguation = nullptr, int n = -1)
{
    return QCoreApplication::translate("SiteCheckReport", text, disambiguation, n);
}

SiteCheckResult blank(const QStringList &siteRecord)
{
    SiteCheckResult r;
    r.siteName = siteRecord.value(SiteRecord::SiteName);
    r.address = siteRecord.value(SiteRecord::SubmitPage).trimmed();
    return r;
}

} // namespace

std::optional<SiteCheckResult> notCheckable(const QStringList &siteRecord)
{
    SiteCheckResult r = blank(siteRecord);
    const QString loginText = siteRecord.value(SiteRecord::Login);
    bool ok = false;
    const int login = loginText.trimmed().toInt(&ok, 10);
    const QString scheme = QUrl::fromUserInput(r.address).scheme().toLower();
    if (!ok)
        r.detail = tr("the login type '%1' is not a number").arg(loginText);
    else if (login == SiteRecord::EmailSite || r.address.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        r.detail = tr("an e-mail site, submitted by mail");
    else if (r.address.isEmpty())
        r.detail = tr("no submission page address");
    else if (scheme != u"http" && scheme != u"https")
        r.detail = tr("the submission address is not a web page");
    else
        return std::nullopt;
    return r;
}

SiteCheckResult loaded(const QStringList &siteRecord, const FormWalkPlan &plan)
{
    SiteCheckResult r = blank(siteRecord);
    r.page = SiteCheckResult::Page::Loaded;
    r.entries = int(plan.entries.size());
    for (const EntryMatch &e : plan.entries)
        if (!e.found())
            r.missingEntries.append(e.entry);
    r.submitFound = plan.focus.isValid();
    r.userStep = plan.userStep;
    // The walk stops before its submit step on these, so a missing button
    // would hide the real problem.
    if (plan.result == FormWalkPlan::Raised)
        r.walkError = plan.error;
    else if (plan.result == FormWalkPlan::ElementError)
        r.walkError = PageHandling::elementErrorMessage();
    return r;
}

SiteCheckResult cancelled(const QStringList &siteRecord)
{
    SiteCheckResult r = blank(siteRecord);
    r.detail = tr("the check was cancelled");
    return r;
}

Severity severity(const SiteCheckResult &r)
{
    switch (r.page) {
    case SiteCheckResult::Page::NotChecked:
        return Severity::NotChecked;
    case SiteCheckResult::Page::Loaded:
        break;
    default:
        return Severity::Failed;
    }
    // A form none of whose entries is on the page cannot be filled at all.
    if (r.userStep != FormWalkPlan::UserStep::None && r.walkError.isEmpty()
        && r.missingEntries.isEmpty())
        return Severity::NeedsUser;
    if (!r.walkError.isEmpty() || (r.entries > 0 && r.foundEntries() == 0))
        return Severity::Failed;
    if (r.entries == 0 || !r.missingEntries.isEmpty() || !r.submitFound)
        return Severity::Warning;
    return Severity::Ok;
}

QString severityText(Severity severity)
{
    switch (severity) {
    case Severity::Ok:
        return tr("ok");
    case Severity::NotChecked:
        return tr("not checked");
    case Severity::NeedsUser:
        return tr("needs the user");
    case Severity::Warning:
        return tr("warning");
    case Severity::Failed:
        return tr("failed");
    }
    return QString();
}

QString pageText(const SiteCheckResult &r)
{
    switch (r.page) {
    case SiteCheckResult::Page::Loaded:
        return tr("loaded");
    case SiteCheckResult::Page::HttpError:
        return tr("HTTP %1").arg(r.httpStatus);
    case SiteCheckResult::Page::NetworkError:
        return tr("network error");
    case SiteCheckResult::Page::TimedOut:
        return tr("no answer in time");
    case SiteCheckResult::Page::LoginFailed:
        return tr("login failed");
    case SiteCheckResult::Page::Unreadable:
        return tr("not readable");
    case SiteCheckResult::Page::NotChecked:
        return tr("not checked");
    }
    return QString();
}

QString problem(const SiteCheckResult &r)
{
    auto withDetail = [&](const QString &text) {
        return r.detail.isEmpty() ? text : text + QLatin1String(": ") + r.detail;
    };
    switch (r.page) {
    case SiteCheckResult::Page::HttpError:
        return withDetail(tr("The server answered with HTTP status %1").arg(r.httpStatus));
    case SiteCheckResult::Page::NetworkError:
        return withDetail(tr("The page could not be reached"));
    case SiteCheckResult::Page::TimedOut:
        return withDetail(tr("The page did not finish loading in time"));
    case SiteCheckResult::Page::LoginFailed:
        return withDetail(tr("The login did not go through"));
    case SiteCheckResult::Page::Unreadable:
        return withDetail(tr("The page's forms could not be read"));
    case SiteCheckResult::Page::NotChecked:
        return withDetail(tr("Not checked"));
    case SiteCheckResult::Page::Loaded:
        break;
    }
    if (severity(r) == Severity::NeedsUser)
        return r.userStep == FormWalkPlan::UserStep::PictureCode ? tr("needs the user: picture code")
                                                                  : tr("needs the user: challenge");
    if (!r.walkError.isEmpty())
        return tr("A run would stop on this page: %1").arg(r.walkError);
    if (r.entries == 0)
        return tr("The site has no field map entries: nothing would be filled");
    if (r.foundEntries() == 0)
        return tr("None of the site's fields is on the page: the form has changed");
    if (!r.missingEntries.isEmpty())
        return tr("%n field(s) not found on the page", nullptr, int(r.missingEntries.size()));
    if (!r.submitFound)
        return tr("The form has no submit button: it must be sent by hand");
    return QString();
}

QList<SiteCheckResult> ordered(QList<SiteCheckResult> results)
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(results.begin(), results.end(),
                     [&](const SiteCheckResult &a, const SiteCheckResult &b) {
                         const Severity sa = severity(a), sb = severity(b);
                         if (sa != sb)
                             return sa > sb;
                         return collator.compare(a.siteName, b.siteName) < 0;
                     });
    return results;
}

QStringList headings()
{
    return {tr("Site"),    tr("Status"),        tr("Page"),    tr("Fields found"),
            tr("Missing"), tr("Submit button"), tr("Problem"), tr("Address")};
}

QString cell(const SiteCheckResult &r, int column)
{
    const bool loaded = r.page == SiteCheckResult::Page::Loaded;
    switch (column) {
    case Site:
        return r.siteName;
    case Status:
        return severityText(severity(r));
    case PageColumn:
        return pageText(r);
    case Found:
        return loaded ? QStringLiteral("%1/%2").arg(r.foundEntries()).arg(r.entries) : QString();
    case Missing:
        // "|" is never part of a site record's cell: the entries stay apart.
        return r.missingEntries.join(QLatin1String(" | "));
    case Submit:
        return loaded ? (r.submitFound ? tr("yes") : tr("no")) : QString();
    case Problem:
        return problem(r);
    case Address:
        return r.address;
    default:
        return QString();
    }
}

namespace {

QList<QStringList> rowsOf(const QList<SiteCheckResult> &results)
{
    QList<QStringList> rows;
    rows.reserve(results.size());
    for (const SiteCheckResult &r : results) {
        QStringList fields;
        for (int c = 0; c < ColumnCount; ++c)
            fields.append(cell(r, c));
        rows.append(fields);
    }
    return rows;
}

} // namespace

QByteArray csv(const QList<SiteCheckResult> &results)
{
    return CsvText::table(headings(), rowsOf(results));
}

QByteArray html(const QList<SiteCheckResult> &results, const QString &title)
{
    return HtmlTable::page(title, headings(), rowsOf(results));
}

} // namespace SiteCheckReport
