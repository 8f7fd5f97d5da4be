#pragma once

#include "submit/formwalk/formwalkplan.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What the site check found on one site's submission page, without sending
// anything: whether the page came, how many field map entries found their
// input, which found none, and whether the form has a submit button.
struct SiteCheckResult
{
    enum class Page {
        Loaded,        // the page came and was read
        HttpError,     // the server answered with an error status
        NetworkError,  // no answer: refused, unknown host, broken connection
        TimedOut,      // the page did not finish loading within the time limit
        LoginFailed,   // a login-first site's login form could not be sent or was refused
        Unreadable,    // the page came but its forms could not be read
        NotChecked,    // nothing to open: an e-mail site, no address, or the check was cancelled
    };

    QString siteName;
    QString address;
    Page page = Page::NotChecked;
    int httpStatus = 0;
    QString detail;               // the error text or the reason it was not checked
    int entries = 0;              // field map entries of the submission form
    QStringList missingEntries;   // those that found no input, as the record holds them
    bool submitFound = false;
    QString walkError;            // what would stop a run's walk on this page
    // The form waits for the user (a picture code, a check): filled, never sent.
    FormWalkPlan::UserStep userStep = FormWalkPlan::UserStep::None;

    int foundEntries() const { return entries - int(missingEntries.size()); }
};

// The report's rules: one row per site, how serious its problem is, the
// order (problems first) and the CSV and HTML texts it is saved as.
namespace SiteCheckReport {

// A site the check does not open, with the reason: an e-mail site, a
// submission address that is no web page, a login type that is no number.
// nullopt for a site that can be checked.
std::optional<SiteCheckResult> notCheckable(const QStringList &siteRecord);
// A site whose page loaded: the walk's plan of it says which entries found
// their input and whether the form has a submit button.
SiteCheckResult loaded(const QStringList &siteRecord, const FormWalkPlan &plan);
// The result every site has until it is checked, and keeps when the check is cancelled.
SiteCheckResult cancelled(const QStringList &siteRecord);

enum class Severity { Ok = 0, NotChecked = 1, NeedsUser = 2, Warning = 3, Failed = 4 };

Severity severity(const SiteCheckResult &result);
QString severityText(Severity severity);
// What went wrong, in a sentence; "" for a site that is fine.
QString problem(const SiteCheckResult &result);
QString pageText(const SiteCheckResult &result);

// Most serious first; within one severity by site name, ignoring case.
QList<SiteCheckResult> ordered(QList<SiteCheckResult> results);

enum Column { Site, Status, PageColumn, Found, Missing, Submit, Problem, Address, ColumnCount };
QStringList headings();
QString cell(const SiteCheckResult &result, int column);

// RFC 4180: CRLF line ends, a field quoted when it holds a comma, a quote or
// a line break, quotes doubled. UTF-8.
QByteArray csv(const QList<SiteCheckResult> &results);
// A whole HTML page with the table; every value escaped. UTF-8.
QByteArray html(const QList<SiteCheckResult> &results, const QString &title);

} // namespace SiteCheckReport
