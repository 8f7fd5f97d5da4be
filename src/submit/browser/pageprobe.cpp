#include "submit/browser/pageprobe.h"

#include "submit/browser/loadproblem.h"
#include "submit/browser/pagedriver.h"
#include "submit/browser/pagehandling.h"
#include "submit/sites/siterecord.h"

#include <QWebEngineLoadingInfo>
#include <QWebEngineView>

PageProbe::PageProbe(const BrowserOptions &options, QObject *parent) : QObject(parent)
{
    m_view = new QWebEngineView();
    m_view->setObjectName(QStringLiteral("WebBrowser1"));
    m_page = TForm2::createPage(options, this);
    m_view->setPage(m_page);
    m_driver = new PageDriver(m_page, this);
    // Only the probe's own loads, what the server redirects them to and the
    // login form's click may navigate: a page script never takes the page away.
    // While the form is awaited, frames may load: a script may draw it into one.
    m_page->navigationAllowed = [this](bool mainFrame) {
        return m_state == State::Loading || m_state == State::AfterLogin || m_clickAllowed
            || (!mainFrame && m_driver->isWaitingForForm());
    };
    m_limit.setSingleShot(true);
    connect(&m_limit, &QTimer::timeout, this, [this] {
        m_page->triggerAction(QWebEnginePage::Stop);
        fail(ProbeResult::Status::TimedOut, timedOutMessage((m_timeLimitMs + 999) / 1000));
    });
    connect(m_page, &QWebEnginePage::loadingChanged, this, &PageProbe::loadingChanged);
    connect(m_driver, &PageDriver::aboutToClick, this, [this] { m_clickAllowed = true; });
    connect(m_driver, &PageDriver::walkFinished, this, &PageProbe::loginWalked);
    connect(m_driver, &PageDriver::readFinished, this, &PageProbe::formsRead);
    connect(m_driver, &PageDriver::readFailed, this,
            [this](const QString &error) { fail(ProbeResult::Status::Unreadable, error); });
}

PageProbe::~PageProbe()
{
    stop();
    // The view goes before the page it shows, both before the profile.
    delete m_view.data();
    delete m_page;
}

void PageProbe::setLateFormWait(int milliseconds)
{
    m_driver->setLateFormWait(milliseconds);
}

QString PageProbe::noAddressMessage()
{
    return tr("The site has no submission page address.");
}

QString PageProbe::timedOutMessage(int seconds)
{
    return tr("no answer within %n second(s)", nullptr, seconds);
}

void PageProbe::open(const FormWalk::Input &input)
{
    stop();
    ++m_probeId;
    m_input = input;
    m_loggedIn = false;
    m_clickAllowed = false;
    m_completedDuringLogin = false;
    const QString address = input.siteRecord.value(SiteRecord::SubmitPage).trimmed();
    const QUrl url = QUrl::fromUserInput(address);
    m_state = State::Loading;
    if (address.isEmpty() || !url.isValid()) {
        const quint64 id = m_probeId;
        // Always answered after open() returns, as a load would be.
        QMetaObject::invokeMethod(
            this,
            [this, id] {
                if (m_probeId == id && m_state != State::Idle)
                    fail(ProbeResult::Status::NetworkError, noAddressMessage());
            },
            Qt::QueuedConnection);
        return;
    }
    m_limit.start(m_timeLimitMs);
    m_page->load(url);
}

void PageProbe::stop()
{
    if (m_state == State::Idle)
        return;
    m_state = State::Idle;
    ++m_probeId;
    m_limit.stop();
    m_driver->abandon();
    m_page->triggerAction(QWebEnginePage::Stop);
}

void PageProbe::loadingChanged(const QWebEngineLoadingInfo &info)
{
    // The page the login click leads to may come before the walk has answered.
    if (m_state == State::LoggingIn && m_clickAllowed
        && info.status() == QWebEngineLoadingInfo::LoadSucceededStatus)
        m_completedDuringLogin = true;
    if (m_state != State::Loading && m_state != State::AfterLogin)
        return;
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
    case QWebEngineLoadingInfo::LoadStoppedStatus:
        // A stopped load is one a newer one replaced; the time limit covers the rest.
        return;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
        // Handled once WebEngine's own signal has returned.
        QMetaObject::invokeMethod(this, &PageProbe::pageCompleted, Qt::QueuedConnection);
        return;
    case QWebEngineLoadingInfo::LoadFailedStatus:
        break;
    }
    if (info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain)
        fail(ProbeResult::Status::HttpError, QString(), info.errorCode());
    else
        fail(ProbeResult::Status::NetworkError,
             LoadProblem::plainWords(info.errorCode(), info.errorString()));
}

void PageProbe::pageCompleted()
{
    if (m_state != State::Loading && m_state != State::AfterLogin)
        return;
    m_clickAllowed = false;
    const bool loginFirst = m_state == State::Loading
        && m_input.siteRecord.value(SiteRecord::Login).trimmed().toInt() == SiteRecord::LoginFirst;
    if (!loginFirst) {
        readPage();
        return;
    }
    // The run's own login step: the login entries filled and the form sent.
    m_state = State::LoggingIn;
    FormWalk::Input login = m_input;
    login.step = FormWalk::Step::LoginFill;
    login.loggedIn = false;
    login.autoSubmit = true;
    m_driver->walk(login);
}

void PageProbe::loginWalked(const WalkOutcome &outcome)
{
    if (m_state != State::LoggingIn)
        return;
    QString why;
    if (outcome.result == FormWalkPlan::Raised)
        why = outcome.error;
    else if (outcome.result == FormWalkPlan::NoForm)
        why = PageHandling::noFormMessage();
    else if (outcome.result == FormWalkPlan::ElementError)
        why = PageHandling::elementErrorMessage();
    else if (m_driver->lastPlan().userStep != FormWalkPlan::UserStep::None) {
        // The login form waits for the user (a picture code, a check): the
        // site is usable, with the user at hand.
        ProbeResult result;
        result.status = ProbeResult::Status::Loaded;
        result.loginUserStep = m_driver->lastPlan().userStep;
        finish(std::move(result));
        return;
    } else if (!m_driver->lastPlan().click)
        why = !outcome.attention.isEmpty() ? outcome.attention
            : !outcome.notice.isEmpty()    ? outcome.notice
                                           : tr("The login form could not be sent.");
    if (!why.isEmpty()) {
        fail(ProbeResult::Status::LoginFailed, why);
        return;
    }
    // The click is on its way; the page it leads to is the submission form.
    m_loggedIn = true;
    m_state = State::AfterLogin;
    if (m_completedDuringLogin)
        pageCompleted();
}

void PageProbe::readPage()
{
    m_state = State::Reading;
    m_driver->read(m_input);
}

void PageProbe::formsRead(const QString &snapshotJson)
{
    if (m_state != State::Reading)
        return;
    ProbeResult result;
    result.snapshot = PageSnapshot::fromJson(snapshotJson.toUtf8());
    if (!result.snapshot.valid) {
        fail(ProbeResult::Status::Unreadable, result.snapshot.error);
        return;
    }
    result.status = ProbeResult::Status::Loaded;
    finish(std::move(result));
}

void PageProbe::fail(ProbeResult::Status status, const QString &error, int httpStatus)
{
    ProbeResult result;
    result.status = status;
    result.error = error;
    result.httpStatus = httpStatus;
    finish(std::move(result));
}

void PageProbe::finish(ProbeResult result)
{
    if (m_state == State::Idle)
        return;
    result.loggedIn = m_loggedIn;
    m_state = State::Idle;
    ++m_probeId;
    m_limit.stop();
    m_driver->abandon();
    emit finished(result);
}
