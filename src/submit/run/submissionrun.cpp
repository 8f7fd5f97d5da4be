#include "submit/run/submissionrun.h"

#include "platform/connectivity.h"
#include "platform/dialogs.h"
#include "submit/sites/siterecord.h"
#include "submit/sites/submitlist.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

const QString WarningTitle = QStringLiteral("Warning");

// The records a selection covers, clamped to rows 1..rowCount-1 and merged,
// so overlapping ranges count each row once.
QList<SubmissionRun::RowRange> recordRanges(QList<SubmissionRun::RowRange> ranges,
                                            const Table &table)
{
    const int lastRecord = table.rowCount() - 1;
    QList<SubmissionRun::RowRange> clamped;
    for (SubmissionRun::RowRange r : ranges) {
        if (r.first > r.last)
            std::swap(r.first, r.last);
        r.first = std::max(r.first, 1);
        r.last = std::min(r.last, lastRecord);
        if (r.first <= r.last)
            clamped.append(r);
    }
    std::sort(clamped.begin(), clamped.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    QList<SubmissionRun::RowRange> merged;
    for (const SubmissionRun::RowRange &r : std::as_const(clamped)) {
        if (!merged.isEmpty() && r.first <= merged.last().last + 1)
            merged.last().last = std::max(merged.last().last, r.last);
        else
            merged.append(r);
    }
    return merged;
}

int rowsIn(const QList<SubmissionRun::RowRange> &ranges)
{
    int rows = 0;
    for (const SubmissionRun::RowRange &r : ranges)
        rows += r.last - r.first + 1;
    return rows;
}

bool markedExactly(const Table &table, int row)
{
    return table.cell(Marks::column(table), row) == Marks::mark();
}

} // namespace

SubmissionRun::SubmissionRun(Table &submitList, Table &software, Connectivity &connectivity,
                             Dialogs &dialogs, QObject *parent)
    : QObject(parent),
      m_submitList(submitList),
      m_software(software),
      m_connectivity(connectivity),
      m_dialogs(dialogs)
{
}

SubmissionRun::Start SubmissionRun::submit(const Selection &selection)
{
    if (m_running)
        return Start::AlreadyRunning;
    if (m_submitList.isEmpty())
        return Start::EmptySiteList;
    if (m_software.isEmpty()) {
        m_dialogs.message(WarningTitle, noSoftwareMessage());
        return Start::EmptyCatalogue;
    }
    if (!m_connectivity.ensureOnline(m_dialogs, [this] { emit bringToFront(); }))
        return Start::Offline;

    settleMarks(selection);

    m_autoSubmit = selection.autoSubmit;
    if (m_autoSubmit) {
        for (int r = 1; r < m_submitList.rowCount(); ++r) {
            if (!markedExactly(m_submitList, r)
                || !isManualSite(m_submitList.cell(SiteRecord::Auto, r)))
                continue;
            if (m_dialogs.warnOkCancel(WarningTitle, notAutoSubmittingMessage())
                != Dialogs::Answer::Ok) {
                for (int s = 1; s < m_submitList.rowCount(); ++s) {
                    if (isManualSite(m_submitList.cell(SiteRecord::Auto, s)))
                        Marks::set(m_submitList, s, false);
                }
                emit siteMarksChanged();
                return Start::Cancelled;
            }
            break;
        }
    }

    m_leftOut.clear();
    if (!guardPairs())
        return Start::GuardCancelled;

    if (m_approveProducts && nextPair(Pair{})) {
        // The products that still have a site to go to.
        QList<int> products;
        for (std::optional<Pair> p = nextPair(Pair{}); p; p = nextPair(*p)) {
            if (!products.contains(p->softwareRow))
                products.append(p->softwareRow);
        }
        std::sort(products.begin(), products.end());
        if (!m_approveProducts(products))
            return Start::NotApproved;
    }

    m_running = true;
    m_position = Pair{};
    m_openPair.reset();
    m_summary = Summary{};
    m_record.clear();
    QList<quint64> leftOut(m_leftOut.cbegin(), m_leftOut.cend());
    std::sort(leftOut.begin(), leftOut.end());
    for (quint64 k : leftOut)
        m_record.add(entryFor(Pair{int(k >> 32), int(k & 0xffffffffu)},
                              RunSummary::Outcome::SkippedByCheck, QString()));
    advance();
    return Start::Started;
}

void SubmissionRun::settleMarks(const Selection &selection)
{
    const QList<RowRange> sites = recordRanges(selection.siteRows, m_submitList);
    const QList<RowRange> products = recordRanges(selection.softwareRows, m_software);
    const int siteRows = rowsIn(sites);
    const int productRows = rowsIn(products);

    bool sitesChanged = false;
    bool productsChanged = false;
    if (siteRows > 1) {
        Marks::clear(m_submitList);
        for (const RowRange &r : sites)
            Marks::setRange(m_submitList, r.first, r.last);
        sitesChanged = true;
    }
    if (productRows > 1) {
        Marks::clear(m_software);
        for (const RowRange &r : products)
            Marks::setRange(m_software, r.first, r.last);
        productsChanged = true;
    }
    if (siteRows == 1 && Marks::count(m_submitList) == 0) {
        Marks::set(m_submitList, sites.first().first, true);
        sitesChanged = true;
    }
    // The software list keeps a current row even when nothing is selected:
    // the product it shows is the chooser's.
    const int chosen = selection.chooserIndex + 1;
    if (productRows <= 1 && Marks::count(m_software) == 0 && chosen >= 1
        && chosen < m_software.rowCount()) {
        Marks::set(m_software, chosen, true);
        productsChanged = true;
    }
    if (sitesChanged)
        emit siteMarksChanged();
    if (productsChanged)
        emit productMarksChanged();
}

bool SubmissionRun::guardPairs()
{
    if (!m_guard || !nextPair(Pair{}))
        return true;
    QList<int> sites;
    for (int c = 1; c < m_submitList.rowCount(); ++c) {
        if (siteTaken(c))
            sites.append(c);
    }
    QList<int> products;
    for (int e = 1; e < m_software.rowCount(); ++e) {
        if (productTaken(e))
            products.append(e);
    }
    const std::optional<QList<Pair>> leftOut = m_guard(sites, products);
    if (!leftOut)
        return false;
    for (const Pair &pair : *leftOut)
        m_leftOut.insert(key(pair));
    return true;
}

bool SubmissionRun::siteTaken(int row) const
{
    return markedExactly(m_submitList, row)
           && !(m_autoSubmit && isManualSite(m_submitList.cell(SiteRecord::Auto, row)));
}

bool SubmissionRun::productTaken(int row) const
{
    return markedExactly(m_software, row);
}

QList<int> SubmissionRun::takenProducts() const
{
    QList<int> taken;
    for (int e = 1; e < m_software.rowCount(); ++e) {
        if (productTaken(e))
            taken.append(e);
    }
    return taken;
}

std::optional<SubmissionRun::Pair> SubmissionRun::nextPair(Pair after) const
{
    // The product marks once for this step, so a long list of marked sites
    // with no product left costs one look at each site.
    const QList<int> taken = takenProducts();
    if (taken.isEmpty())
        return std::nullopt;

    int site = std::max(after.siteRow, 1);
    int fromProduct = after.siteRow >= 1 ? after.softwareRow + 1 : 1;
    for (; site < m_submitList.rowCount(); ++site, fromProduct = 1) {
        if (!siteTaken(site))
            continue;
        for (auto e = std::lower_bound(taken.cbegin(), taken.cend(), fromProduct);
             e != taken.cend(); ++e) {
            if (!isLeftOut({site, *e}))
                return Pair{site, *e};
        }
    }
    return std::nullopt;
}

int SubmissionRun::pairsAfter(Pair after) const
{
    int count = 0;
    const QList<int> taken = takenProducts();
    if (taken.isEmpty())
        return 0;
    int fromProduct = after.siteRow >= 1 ? after.softwareRow + 1 : 1;
    for (int site = std::max(after.siteRow, 1); site < m_submitList.rowCount(); ++site, fromProduct = 1) {
        if (!siteTaken(site))
            continue;
        for (auto e = std::lower_bound(taken.cbegin(), taken.cend(), fromProduct); e != taken.cend(); ++e)
            count += isLeftOut({site, *e}) ? 0 : 1;
    }
    return count;
}

SubmissionRun::Progress SubmissionRun::progress() const
{
    Progress progress;
    progress.outcomes = m_summary;
    const int handled = m_summary.done + m_summary.failed + m_summary.cancelled;
    progress.current = handled + (m_openPair ? 1 : 0);
    progress.total = progress.current + (m_running ? pairsAfter(m_position) : 0);
    return progress;
}

void SubmissionRun::advance()
{
    // A window closed from inside openSubmission() (one that could not be
    // opened) comes back here: the loop below picks it up instead of
    // recursing once per pair.
    if (m_advancing) {
        m_advanceAgain = true;
        return;
    }
    m_advancing = true;
    do {
        m_advanceAgain = false;
        if (!m_running || m_open > 0)
            continue;
        const std::optional<Pair> pair = nextPair(m_position);
        if (!pair) {
            m_running = false;
            m_leftOut.clear();
            emit progressChanged();
            emit finished(m_summary);
            continue;
        }
        m_position = *pair;
        m_openPair = pair;
        ++m_open;
        emit progressChanged();
        emit openSubmission(pair->siteRow, pair->softwareRow);
    } while (m_advanceAgain);
    m_advancing = false;
    notifyEnabled();
}

RunSummary::Entry SubmissionRun::entryFor(Pair pair, RunSummary::Outcome outcome,
                                          const QString &note) const
{
    return {pair.siteRow, pair.softwareRow, m_submitList.cell(SiteRecord::SiteName, pair.siteRow),
            m_software.cell(0, pair.softwareRow), outcome, note};
}

void SubmissionRun::submissionClosed(int resultCode)
{
    if (!m_openPair)
        return;
    const Pair closed = *m_openPair;
    m_openPair.reset();
    if (resultCode > 0)
        ++m_summary.done;
    else if (resultCode < 0)
        ++m_summary.failed;
    else
        ++m_summary.cancelled;
    m_record.add(entryFor(closed,
                          resultCode > 0   ? RunSummary::Outcome::Ok
                          : resultCode < 0 ? RunSummary::Outcome::Failed
                                           : RunSummary::Outcome::Cancelled,
                          m_openNote));
    m_openNote.clear();
    m_open = std::max(0, m_open - 1);
    advance();
}

void SubmissionRun::registrationOpened()
{
    ++m_open;
    notifyEnabled();
}

void SubmissionRun::registrationClosed()
{
    // The run's own window is not a registration window.
    if (m_open <= (m_openPair ? 1 : 0))
        return;
    --m_open;
    advance();
}

QString SubmissionRun::abandonWindowQuestion()
{
    return QCoreApplication::translate(
        "SubmissionRun",
        "A browser window is still open and its outcome is not recorded yet.\r"
        "Close the program anyway ?");
}

bool SubmissionRun::mayCloseProgram()
{
    if (m_open == 0)
        return true;
    if (m_dialogs.warnOkCancel(WarningTitle, abandonWindowQuestion()) != Dialogs::Answer::Ok)
        return false;
    abandon();
    return true;
}

void SubmissionRun::abandon()
{
    m_running = false;
    m_leftOut.clear();
    m_openPair.reset();
    m_open = 0;
    notifyEnabled();
}

void SubmissionRun::notifyEnabled()
{
    // Only a change is told; a window closed and the next opened within one
    // step leaves the controls as they were.
    if (m_advancing || chooserAndExitEnabled() == m_shownEnabled)
        return;
    m_shownEnabled = chooserAndExitEnabled();
    emit chooserAndExitEnabledChanged(m_shownEnabled);
}
