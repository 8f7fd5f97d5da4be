#pragma once

#include "submit/browser/pagehandling.h"
#include "submit/formwalk/formwalkplan.h"
#include "submit/formwalk/formwalkplanner.h"

#include <QElapsedTimer>
#include <QFutureWatcher>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

class QJsonObject;
class QWebEnginePage;

// The form walk on a real page: one script takes the snapshot, the planner
// makes the plan on a pool thread (a huge page never stops the window), one
// script applies it, and after the plan's wait a last one
// focuses (and, with auto-submit, clicks) the submit control. Everything runs
// in the isolated world and answers asynchronously, so the window stays
// responsive; an answer that comes after the walk was abandoned, or for a
// driver or page that is gone, is dropped.
//
// A page whose form a script draws after it has loaded: when no form takes
// the site's entries, the driver watches the page's shape for a while and
// plans it again once a change has settled (one new plan per burst of
// changes, a bounded number of them), before it gives up.
class PageDriver : public QObject
{
    Q_OBJECT

public:
    // A page that does not answer within this time (a script that never
    // returns) ends the walk with a message rather than leaving it hanging.
    static constexpr int DefaultAnswerTimeoutMs = 20000;
    // The plan of a page is made off the window's thread; a page too large
    // to plan within this time is left to the user.
    static constexpr int DefaultPlanTimeoutMs = 20000;
    // How long a page may take to draw its form after it has loaded, how
    // often its shape is looked at meanwhile, and how often it is planned again.
    static constexpr int DefaultLateFormWaitMs = 10000;
    static constexpr int ShapePollMs = 80;
    static constexpr int MaxReplans = 20;

    explicit PageDriver(QWebEnginePage *page, QObject *parent = nullptr);

    void setAnswerTimeout(int milliseconds) { m_timeoutMs = milliseconds; }
    void setPlanTimeout(int milliseconds) { m_planTimeoutMs = milliseconds; }
    void setLateFormWait(int milliseconds) { m_lateFormWaitMs = milliseconds; }
    bool isWaitingForForm() const { return m_waiting; }
    bool isWalking() const { return m_active; }
    // The plan of the latest walk (empty before the first snapshot arrived).
    const FormWalkPlan &lastPlan() const { return m_plan; }

    // Starts a walk; it always ends with exactly one walkFinished(), unless
    // abandoned first.
    void walk(const FormWalk::Input &input);
    // Reads the page's forms as a walk would (waiting for a late form too)
    // and plans them, without writing anything; ends with readFinished().
    void read(const FormWalk::Input &input);
    // Drops the walk in progress: nothing more of it reaches the page or the caller.
    void abandon();

    void decorate(const QString &signatureHtml);
    void focusPage();
    // Reads the page's visible text for the outcome suggestion; answers
    // with answerTextRead(page, text) unless the page or driver is gone.
    void readAnswerText(int page);
    // Reads the page's title and visible text; answers with stateRead().
    void readState();

    static QString pageNotReadMessage();
    static QString pageChangedMessage();
    static QString noAnswerMessage();
    static QString notSentMessage();
    static QString tooLargeMessage();
    static QString chooseFileNotice(const QStringList &inputNames);

signals:
    // The plan's writes are on the page (before the wait and the submit step).
    void writesApplied();
    // The snapshot has arrived and is being planned on a pool thread; then
    // the plan is ready (or the walk was given up).
    void planningStarted();
    void planningEnded();
    // The submit control is about to be clicked: the navigation lock must go.
    void aboutToClick();
    void walkFinished(const WalkOutcome &outcome);
    // read(): the snapshot's JSON text and its plan, or the reason it could not be read.
    void readFinished(const QString &snapshotJson, const FormWalkPlan &plan);
    void readFailed(const QString &error);
    // The page has no form for the site's entries yet and is being watched.
    void waitingForForm(bool waiting);
    void answerTextRead(int page, const QString &text);
    void stateRead(const QString &title, const QString &text);

private:
    using Answer = std::function<void(const QJsonObject &)>;
    using TextAnswer = std::function<void(const QString &)>;
    void run(const QString &script, Answer then);
    void runForText(const QString &script, TextAnswer then);
    // The page's title and visible text, to `then` unless the page or driver is gone.
    void readPageState(const std::function<void(const QString &title, const QString &text)> &then);
    void startWatchdog(int milliseconds, const QString &message);
    void begin(const FormWalk::Input &input, bool readOnly);
    void takeSnapshot();
    void onSnapshot(const QString &snapshotJson);
    void onPlanned(const FormWalkPlan &plan, const QString &snapshotJson);
    void pollShape();
    void stopWaiting();
    // True when a plan was still being made.
    bool dropPlanning();
    void onApplied(const QJsonObject &answer);
    void afterWrites();
    void submitStep();
    WalkOutcome planOutcome() const;
    void finish(WalkOutcome outcome);
    void fail(const QString &error);

    QPointer<QWebEnginePage> m_page;
    QTimer m_watchdog;
    int m_timeoutMs = DefaultAnswerTimeoutMs;
    int m_planTimeoutMs = DefaultPlanTimeoutMs;
    int m_lateFormWaitMs = DefaultLateFormWaitMs;
    bool m_readOnly = false;
    bool m_waiting = false;
    int m_replans = 0;
    QElapsedTimer m_sinceLoad;
    QTimer m_shapePoll;
    QString m_polledShape;
    QString m_snapshotJson;
    QString m_watchdogMessage;
    quint64 m_walkId = 0;
    bool m_active = false;
    FormWalk::Input m_input;
    FormWalkPlan m_plan;
    QString m_fileNotice;
    QString m_titleBefore;
    QString m_textBefore;
    bool m_sent = false;
    QPointer<QFutureWatcher<FormWalkPlan>> m_planning;
};
