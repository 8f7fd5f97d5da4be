#include "submit/browser/pagedriver.h"

#include "submit/browser/pagescripts.h"
#include "submit/formwalk/pagesnapshot.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QWebEnginePage>
#include <QWebEngineScript>

PageDriver::PageDriver(QWebEnginePage *page, QObject *parent) : QObject(parent), m_page(page)
{
    m_watchdog.setSingleShot(true);
    connect(&m_watchdog, &QTimer::timeout, this, [this] { fail(noAnswerMessage()); });
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

void PageDriver::run(const QString &script, Answer then)
{
    if (!m_page) {
        fail(pageChangedMessage());
        return;
    }
    QPointer<PageDriver> self(this);
    const quint64 id = m_walkId;
    m_watchdog.start(m_timeoutMs);
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
                              const QJsonDocument doc =
                                  QJsonDocument::fromJson(result.toString().toUtf8());
                              if (!doc.isObject()) {
                                  self->fail(pageChangedMessage());
                                  return;
                              }
                              const QJsonObject answer = doc.object();
                              if (answer.contains(QLatin1String("scriptError"))) {
                                  self->fail(pageNotReadMessage().arg(
                                      answer.value(QLatin1String("scriptError")).toString()));
                                  return;
                              }
                              then(answer);
                          });
}

void PageDriver::walk(const FormWalk::Input &input)
{
    ++m_walkId;
    m_active = true;
    m_input = input;
    m_plan = FormWalkPlan();
    m_fileNotice.clear();
    run(PageScripts::snapshot(), [this](const QJsonObject &answer) { onSnapshot(answer); });
}

void PageDriver::abandon()
{
    ++m_walkId;
    m_active = false;
    m_watchdog.stop();
}

void PageDriver::onSnapshot(const QJsonObject &answer)
{
    m_plan = FormWalk::plan(PageSnapshot::fromJson(answer), m_input);
    if (m_plan.result == FormWalkPlan::NoForm || m_plan.writes.isEmpty()) {
        afterWrites();
        return;
    }
    run(PageScripts::apply(m_plan.toJson()), [this](const QJsonObject &a) { onApplied(a); });
}

void PageDriver::onApplied(const QJsonObject &answer)
{
    QStringList files;
    for (const QJsonValue &name : answer.value(QLatin1String("files")).toArray())
        files.append(name.toString());
    if (!files.isEmpty()) {
        // Browsers let no script choose a file for an upload input.
        m_fileNotice = tr("Choose the file for %1 yourself.").arg(files.join(QLatin1String(", ")));
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
    if (m_plan.result != FormWalkPlan::Walked || !m_plan.focus.isValid()) {
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
    const QJsonObject control{{"form", m_plan.focus.form},
                              {"element", m_plan.focus.element},
                              {"tag", m_plan.focus.tag},
                              {"name", m_plan.focus.name},
                              {"click", m_plan.click}};
    if (m_plan.click)
        emit aboutToClick();
    run(PageScripts::submit(control), [this](const QJsonObject &answer) {
        if (answer.value(QLatin1String("result")).toString() != QLatin1String("ok")) {
            fail(notSentMessage());
            return;
        }
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
    if (!m_fileNotice.isEmpty())
        outcome.notice = outcome.notice.isEmpty() ? m_fileNotice
                                                  : outcome.notice + QLatin1Char(' ') + m_fileNotice;
    return outcome;
}

void PageDriver::fail(const QString &error)
{
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
    emit walkFinished(outcome);
}

void PageDriver::decorate(const QString &signatureHtml)
{
    if (m_page)
        m_page->runJavaScript(PageScripts::decorate(signatureHtml),
                              QWebEngineScript::ApplicationWorld);
}

void PageDriver::focusPage()
{
    if (m_page)
        m_page->runJavaScript(PageScripts::focusPage(), QWebEngineScript::ApplicationWorld);
}
