#include "submit/browser/pagedriver.h"

#include "submit/browser/pagescripts.h"
#include "submit/formwalk/backgroundplan.h"
#include "submit/formwalk/pagesnapshot.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <utility>

PageDriver::PageDriver(QWebEnginePage *page, QObject *parent) : QObject(parent), m_page(page)
{
    m_watchdog.setSingleShot(true);
    connect(&m_watchdog, &QTimer::timeout, this, [this] { fail(m_watchdogMessage); });
    m_shapePoll.setInterval(ShapePollMs);
    connect(&m_shapePoll, &QTimer::timeout, this, &PageDriver::pollShape);
}

QString PageDriver::pageNotReadMessage()
{
    return tr("The page could not be read: %1\rPlease fill it in by hand.");
}

QString PageDriver::pageChangedMessage()
{
    return tr("The page changed while it was being filled.\rPlease check it and fill it in by hand.");
}

QString PageDriver::noAnswerMessage()
{
    return tr("The page did not answer in time.\rPlease fill it in by hand.");
}

QString PageDriver::notSentMessage()
{
    return tr("The page changed before its form could be sent.\rPlease check it and send it "
              "yourself.");
}

QString PageDriver::tooLargeMessage()
{
    return tr("This page is too large to be filled in time.\rPlease fill it in by hand.");
}

QString PageDriver::chooseFileNotice(const QStringList &inputNames)
{
    return tr("Choose the file for %1 yourself, then send the form.")
        .arg(inputNames.join(QLatin1String(", ")));
}

void PageDriver::startWatchdog(int milliseconds, const QString &message)
{
    m_watchdogMessage = message;
    m_watchdog.start(milliseconds);
}

void PageDriver::runForText(const QString &script, TextAnswer then)
{
    if (!m_page) {
        fail(pageChangedMessage());
        return;
    }
    QPointer<PageDriver> self(this);
    const quint64 id = m_walkId;
    startWatchdog(m_timeoutMs, noAnswerMessage());
    m_page->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                          [self, id, then](const QVariant &result) {
                              if (!self || !self->m_active || self->m_walkId != id)
                                  return;
                              self->m_watchdog.stop();
                              // No answer at all: the document went away under the script.
                              if (result.typeId() != QMetaType::QString) {
                                  self->fail(pageChangedMessage());
                                  return;
                              }
                              then(result.toString());
                          });
}

void PageDriver::run(const QString &script, Answer then)
{
    runForText(script, [this, then](const QString &text) {
        const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8());
        if (!doc.isObject()) {
            fail(pageChangedMessage());
            return;
        }
        const QJsonObject answer = doc.object();
        if (answer.contains(QLatin1String("scriptError"))) {
            fail(pageNotReadMessage().arg(answer.value(QLatin1String("scriptError")).toString()));
            return;
        }
        then(answer);
    });
}

void PageDriver::walk(const FormWalk::Input &input)
{
    begin(input, false);
}

void PageDriver::read(const FormWalk::Input &input)
{
    begin(input, true);
}

void PageDriver::begin(const FormWalk::Input &input, bool readOnly)
{
    ++m_walkId;
    m_active = true;
    m_readOnly = readOnly;
    m_input = input;
    m_plan = FormWalkPlan();
    m_fileNotice.clear();
    m_sent = false;
    m_replans = 0;
    m_sinceLoad.start();
    dropPlanning();
    stopWaiting();
    takeSnapshot();
}

void PageDriver::takeSnapshot()
{
    runForText(PageScripts::snapshot(), [this](const QString &text) { onSnapshot(text); });
}

void PageDriver::abandon()
{
    ++m_walkId;
    m_active = false;
    m_watchdog.stop();
    m_shapePoll.stop();
    m_waiting = false;
    dropPlanning();
}

bool PageDriver::dropPlanning()
{
    if (!m_planning)
        return false;
    // The pool thread finishes its plan; nobody is left to read it.
    m_planning->disconnect(this);
    m_planning->deleteLater();
    m_planning = nullptr;
    return true;
}

void PageDriver::onSnapshot(const QString &snapshotJson)
{
    // The snapshot script's own failure is a short text; anything else is
    // read and planned off this thread, however large the page.
    if (snapshotJson.startsWith(QLatin1String("{\"scriptError\""))) {
        const QJsonObject answer = QJsonDocument::fromJson(snapshotJson.toUtf8()).object();
        fail(pageNotReadMessage().arg(answer.value(QLatin1String("scriptError")).toString()));
        return;
    }
    auto *watcher = new QFutureWatcher<FormWalkPlan>(this);
    m_planning = watcher;
    const quint64 id = m_walkId;
    connect(watcher, &QFutureWatcher<FormWalkPlan>::finished, this, [this, watcher, id, snapshotJson] {
        watcher->deleteLater();
        m_planning = nullptr;
        if (!m_active || m_walkId != id)
            return;
        m_watchdog.stop();
        emit planningEnded();
        onPlanned(watcher->result(), snapshotJson);
    });
    startWatchdog(m_planTimeoutMs, tooLargeMessage());
    emit planningStarted();
    watcher->setFuture(FormWalk::planInBackground(snapshotJson, m_input));
}

void PageDriver::onPlanned(const FormWalkPlan &plan, const QString &snapshotJson)
{
    m_plan = plan;
    // Only a read hands the page's forms on; a fill needs its plan alone.
    if (m_readOnly)
        m_snapshotJson = snapshotJson;
    if (m_plan.awaitsForm() && m_replans < MaxReplans && m_sinceLoad.elapsed() < m_lateFormWaitMs) {
        // Perhaps a script is still drawing the form: watch the page's shape.
        m_polledShape = m_plan.pageShape;
        if (!m_waiting) {
            m_waiting = true;
            emit waitingForForm(true);
        }
        m_shapePoll.start();
        return;
    }
    stopWaiting();
    if (m_readOnly) {
        m_active = false;
        emit readFinished(std::exchange(m_snapshotJson, QString()), m_plan);
        return;
    }
    if (m_plan.result == FormWalkPlan::NoForm || m_plan.writes.isEmpty()) {
        afterWrites();
        return;
    }
    run(PageScripts::apply(m_plan.toJson()), [this](const QJsonObject &a) { onApplied(a); });
}

void PageDriver::pollShape()
{
    if (!m_active || !m_waiting)
        return;
    if (m_sinceLoad.elapsed() >= m_lateFormWaitMs) {
        // Long enough: the plan in hand is the page's answer.
        m_shapePoll.stop();
        onPlanned(m_plan, m_snapshotJson);
        return;
    }
    m_shapePoll.stop();
    run(PageScripts::shape(), [this](const QJsonObject &answer) {
        const QString shape = answer.value(QLatin1String("shape")).toString();
        // A change is planned once it has settled for one look: a page that
        // draws its form in pieces is filled whole, and one that never stops
        // changing is not planned over and over.
        if (shape != m_plan.pageShape && shape == m_polledShape) {
            ++m_replans;
            takeSnapshot();
            return;
        }
        m_polledShape = shape;
        m_shapePoll.start();
    });
}

void PageDriver::stopWaiting()
{
    m_shapePoll.stop();
    if (!m_waiting)
        return;
    m_waiting = false;
    emit waitingForForm(false);
}

void PageDriver::onApplied(const QJsonObject &answer)
{
    QStringList files;
    for (const QJsonValue &name : answer.value(QLatin1String("files")).toArray())
        files.append(name.toString());
    if (!files.isEmpty()) {
        // Browsers let no script choose a file for an upload input: sent
        // now, the form would reach the site without its file. The user
        // chooses it and sends the form; the control only gets the focus.
        m_fileNotice = chooseFileNotice(files);
        m_plan.click = false;
    }
    if (answer.value(QLatin1String("failed")).toInt(-1) >= 0) {
        // The element the plan names is gone or refused the value: the
        // walk's element error, and no submit step.
        WalkOutcome outcome = planOutcome();
        outcome.result = FormWalkPlan::ElementError;
        outcome.error.clear();
        outcome.message.clear();
        finish(outcome);
        return;
    }
    emit writesApplied();
    afterWrites();
}

void PageDriver::afterWrites()
{
    const bool reveal = m_plan.reveal.isValid() || m_plan.revealFrame >= 0;
    if (m_plan.result != FormWalkPlan::Walked || (!m_plan.focus.isValid() && !reveal)) {
        finish(planOutcome());
        return;
    }
    QPointer<PageDriver> self(this);
    const quint64 id = m_walkId;
    // The wait lets the page react to the new values before the form goes.
    QTimer::singleShot(m_plan.waitMs, this, [self, id] {
        if (self && self->m_active && self->m_walkId == id)
            self->submitStep();
    });
}

void PageDriver::submitStep()
{
    const QJsonObject plan = m_plan.toJson();
    const QJsonObject control{{"focus", plan.value(QLatin1String("focus"))},
                              {"reveal", plan.value(QLatin1String("reveal"))},
                              {"click", m_plan.click}};
    if (m_plan.click)
        emit aboutToClick();
    run(PageScripts::submit(control), [this](const QJsonObject &answer) {
        if (answer.value(QLatin1String("result")).toString() != QLatin1String("ok")) {
            fail(notSentMessage());
            return;
        }
        m_sent = true;
        m_titleBefore = answer.value(QLatin1String("title")).toString();
        m_textBefore = answer.value(QLatin1String("text")).toString();
        finish(planOutcome());
    });
}

WalkOutcome PageDriver::planOutcome() const
{
    WalkOutcome outcome;
    outcome.result = m_plan.result;
    outcome.error = m_plan.error;
    outcome.message = m_plan.message;
    outcome.notice = m_plan.notice;
    // The file comes first: without it the form is not worth sending at all.
    outcome.attention = m_fileNotice.isEmpty() ? m_plan.attention : m_fileNotice;
    if (m_sent)
        outcome.before = PageState{m_titleBefore, m_textBefore};
    return outcome;
}

void PageDriver::fail(const QString &error)
{
    if (m_readOnly && m_active) {
        m_active = false;
        m_watchdog.stop();
        stopWaiting();
        dropPlanning();
        emit readFailed(error);
        return;
    }
    WalkOutcome outcome;
    outcome.result = FormWalkPlan::Raised;
    outcome.error = error;
    finish(outcome);
}

void PageDriver::finish(WalkOutcome outcome)
{
    if (!m_active)
        return;
    m_active = false;
    m_watchdog.stop();
    stopWaiting();
    if (dropPlanning())
        emit planningEnded();
    emit walkFinished(outcome);
}

void PageDriver::decorate(const QString &signatureHtml)
{
    if (m_page)
        m_page->runJavaScript(PageScripts::decorate(signatureHtml),
                              QWebEngineScript::ApplicationWorld);
}

void PageDriver::readPageState(const std::function<void(const QString &, const QString &)> &then)
{
    if (!m_page)
        return;
    QPointer<PageDriver> self(this);
    m_page->runJavaScript(PageScripts::state(), QWebEngineScript::ApplicationWorld,
                          [self, then](const QVariant &result) {
                              if (!self || result.typeId() != QMetaType::QString)
                                  return;
                              const QJsonObject answer =
                                  QJsonDocument::fromJson(result.toString().toUtf8()).object();
                              if (answer.contains(QLatin1String("scriptError")))
                                  return;
                              then(answer.value(QLatin1String("title")).toString(),
                                   answer.value(QLatin1String("text")).toString());
                          });
}

void PageDriver::readAnswerText(int page)
{
    readPageState([this, page](const QString &, const QString &text) { emit answerTextRead(page, text); });
}

void PageDriver::readState()
{
    readPageState([this](const QString &title, const QString &text) { emit stateRead(title, text); });
}

void PageDriver::focusPage()
{
    if (m_page)
        m_page->runJavaScript(PageScripts::focusPage(), QWebEngineScript::ApplicationWorld);
}
