#pragma once

#include "platform/table.h"
#include "submit/run/runsummary.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

#include <functional>
#include <optional>

class Connectivity;
class Dialogs;

// The Submit command and the run it starts: every marked product to every
// marked site, site by site and product by product, one browser window at a
// time. The run never waits inside a handler: it hands out one pair, and the
// next one when the caller reports that the window closed, reading the marks
// afresh from the live tables each time. Registration windows ("register at
// site") are windows the run waits for as well.
//
// One object lives as long as the main window; Submit starts a run on it.
class SubmissionRun : public QObject
{
    Q_OBJECT

public:
    // Rows of a table selection, as table rows (1 = the first record).
    struct RowRange
    {
        int first = 1;
        int last = 1;
    };

    // What the views hold when Submit is pressed.
    struct Selection
    {
        // The submit list's selected rows; a single current row is one range of one row.
        QList<RowRange> siteRows;
        // The software list's selected rows.
        QList<RowRange> softwareRows;
        // The product chooser's item index (software row less 1).
        int chooserIndex = -1;
        // The "auto-submit" check box.
        bool autoSubmit = false;
    };

    struct Pair
    {
        int siteRow = 0;
        int softwareRow = 0;
        friend bool operator==(const Pair &, const Pair &) = default;
    };

    struct Summary
    {
        int done = 0;
        int failed = 0;
        int cancelled = 0;
    };

    enum class Start {
        Started,          // the run goes on through openSubmission() and finished()
        EmptySiteList,    // nothing happened
        EmptyCatalogue,   // the warning was shown
        Offline,          // the offline message was shown
        Cancelled,        // Cancel at the auto-submission warning; those sites lost their marks
        AlreadyRunning,   // a run is under way; nothing changed
        NotApproved,      // the product approval said no; the marks stay as settled
        GuardCancelled,   // Cancel at the check of the pairs; the marks stay as settled
    };

    SubmissionRun(Table &submitList, Table &software, Connectivity &connectivity,
                  Dialogs &dialogs, QObject *parent = nullptr);

    static QString noSoftwareMessage()
    {
        return QStringLiteral("No software yet to submit !\rAdd one software data first.");
    }
    static QString notAutoSubmittingMessage()
    {
        return QStringLiteral("Some selected sites are not auto-submitting...\rContinue anyway ?");
    }
    // The site's auto column (3) says it does not take automatic submission.
    static bool isManualSite(const QString &autoCell) { return autoCell == QLatin1String("no"); }

    // The Submit command: steps 1 to 5, then the first pair (or, with none
    // marked, finished() at once).
    Start submit(const Selection &selection);

    // Asked after the marks are settled and before the first window, with
    // the products the run will submit; false stops the run there.
    void setProductApproval(std::function<bool(const QList<int> &softwareRows)> approve)
    {
        m_approveProducts = std::move(approve);
    }

    // Asked after the marks are settled and before the product approval,
    // with the sites and products the run would take: the pairs to leave out
    // of this run (their marks stay), or nothing to stop the run there.
    using PairGuard = std::function<std::optional<QList<Pair>>(const QList<int> &siteRows,
                                                               const QList<int> &softwareRows)>;
    void setPairGuard(PairGuard guard) { m_guard = std::move(guard); }
    bool isLeftOut(Pair pair) const { return m_leftOut.contains(key(pair)); }

    // The window opened for openPair() closed with this result code (its
    // outcome already recorded). With no window left the next pair opens.
    void submissionClosed(int resultCode);
    // A registration window opened or closed; the run waits for it too.
    void registrationOpened();
    void registrationClosed();

    // The "auto-submit" check box changed during a run: sites whose auto
    // column is "no" are skipped only while it is ticked.
    void setAutoSubmit(bool on) { m_autoSubmit = on; }

    // Program close: with a browser window open, asks whether to abandon it.
    // True when the program may close (nothing open, or the user agreed; the
    // run is then abandoned). Outcomes confirmed so far are in the file.
    bool mayCloseProgram();
    static QString abandonWindowQuestion();
    // Stops the run; the open windows are forgotten.
    void abandon();

    bool isRunning() const { return m_running; }
    int openWindowCount() const { return m_open; }
    // The pair of the run's open window: its product is the history column
    // the outcome belongs to, whatever row the software list shows by now.
    std::optional<Pair> openPair() const { return m_openPair; }
    // The product chooser and "e&xit" (`Button_close`) are disabled while a
    // browser window is open.
    bool chooserAndExitEnabled() const { return m_open == 0; }

    // The first pair taken after `after` in table order, the marks as they are
    // now; {0, 0} starts from the beginning.
    std::optional<Pair> nextPair(Pair after) const;
    // The pair that opens when the open one closes, the marks as they are
    // now; nothing when no run is under way.
    std::optional<Pair> upcomingPair() const
    {
        return m_running ? nextPair(m_position) : std::nullopt;
    }
    // How many pairs follow `after`, counted as nextPair() would take them.
    int pairsAfter(Pair after) const;

    // How far the run has come: the open pair is number `current` of
    // `total` (the pairs handled, the open one and those still to come, the
    // marks as they are now); the outcomes so far.
    struct Progress
    {
        int current = 0;
        int total = 0;
        Summary outcomes;
    };
    Progress progress() const;

    // Each pair of the latest run and what became of it, kept after the run
    // ends until the next one starts.
    const RunSummary &summaryOfRun() const { return m_record; }
    // What was left to the user in the open pair's window, for its summary
    // line; given before submissionClosed().
    void setOpenPairNote(const QString &note) { m_openNote = note; }

signals:
    // Make `softwareRow` the selected record (product chooser item index
    // softwareRow - 1, software list current row softwareRow) and open a
    // submission window for `siteRow`, its result code `siteRow`. A window
    // that cannot be opened is reported with submissionClosed(0).
    void openSubmission(int siteRow, int softwareRow);
    void siteMarksChanged();
    void productMarksChanged();
    void chooserAndExitEnabledChanged(bool enabled);
    // Before the offline message.
    void bringToFront();
    // Every pair has been handled: the caller sets the history dirty flag.
    void finished(const SubmissionRun::Summary &summary);
    // A pair opened, or the run ended: progress() has changed.
    void progressChanged();

private:
    static quint64 key(Pair pair)
    {
        return (quint64(quint32(pair.siteRow)) << 32) | quint32(pair.softwareRow);
    }
    void settleMarks(const Selection &selection);
    bool guardPairs();
    bool siteTaken(int row) const;
    bool productTaken(int row) const;
    QList<int> takenProducts() const;
    void advance();
    void notifyEnabled();
    RunSummary::Entry entryFor(Pair pair, RunSummary::Outcome outcome, const QString &note) const;

    Table &m_submitList;
    Table &m_software;
    Connectivity &m_connectivity;
    Dialogs &m_dialogs;

    bool m_running = false;
    bool m_autoSubmit = false;
    int m_open = 0;
    Pair m_position;
    std::optional<Pair> m_openPair;
    Summary m_summary;
    RunSummary m_record;
    QString m_openNote;
    bool m_advancing = false;
    bool m_advanceAgain = false;
    bool m_shownEnabled = true;
    std::function<bool(const QList<int> &)> m_approveProducts;
    PairGuard m_guard;
    QSet<quint64> m_leftOut;
};
