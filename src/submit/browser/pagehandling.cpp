#include "submit/browser/pagehandling.h"

#include "platform/dialogs.h"
#include "submit/browser/emailcomposer.h"
#include "submit/browser/submissionsource.h"
#include "submit/sites/sitepolicy.h"
#include "submit/sites/siterecord.h"

#include <QCoreApplication>

#include <cstdlib>
#include <utility>

namespace {

QString messageTitle()
{
    return QCoreApplication::applicationName();
}

} // namespace

QString PageHandling::pageSignature()
{
    return QStringLiteral("<br><a href=\"") + makerHomePage()
           + QStringLiteral("\">Kelvane Submit <i>by</i> Tarnowel</a>");
}

QString PageHandling::waitingForFormNotice()
{
    return QCoreApplication::translate("PageHandling", "Waiting for the page's form...");
}

PageHandling::PageHandling(SubmissionSource &source, Dialogs &dialogs, AddressHandler &addresses,
                           QObject *parent)
    : QObject(parent), m_source(source), m_dialogs(dialogs), m_addresses(addresses)
{
}

void PageHandling::setStatus(const QString &text)
{
    if (text == m_status)
        return;
    m_status = text;
    emit statusTextChanged(text);
}

void PageHandling::setAttention(const QString &text)
{
    if (text == m_attention)
        return;
    m_attention = text;
    emit attentionChanged(text);
}

void PageHandling::setCaption(const QString &text)
{
    m_caption = text;
    emit captionChanged(text);
}

void PageHandling::setOutcomeEnabled(bool enabled)
{
    if (enabled == m_outcomeEnabled)
        return;
    m_outcomeEnabled = enabled;
    emit outcomeButtonsEnabledChanged(enabled);
}

void PageHandling::tell(bool error, const QString &text)
{
    if (m_preloading) {
        m_heldMessages.append({error, text});
        return;
    }
    if (error)
        m_dialogs.error(text);
    else
        m_dialogs.message(messageTitle(), text);
}

void PageHandling::preload()
{
    if (m_navigated || m_closing || m_resultCode <= 0)
        return;
    m_preloading = true;
    FormActivate();
}

void PageHandling::preloadShown()
{
    if (!m_preloading || m_closing)
        return;
    m_preloading = false;
    if (m_completedPages == 0)
        setCaption(m_source.siteRecord(m_siteRow).value(SiteRecord::SiteName)
                   + QStringLiteral(" : ") + m_windowName);
    const QList<QPair<bool, QString>> messages = std::exchange(m_heldMessages, {});
    for (const auto &[error, text] : messages)
        tell(error, text);
    if (m_closing)
        return;
    // The page as shown is what a change is told from.
    m_shown.reset();
    if (std::exchange(m_fillHeld, false)) {
        m_navigationLock = true;
        fillCompletedPage();
        return;
    }
    if (m_walking) {
        m_refillWhenWalked = true;
        return;
    }
    refillIfSending();
}

bool PageHandling::preloadStale() const
{
    if (!m_preloadFill)
        return false;
    const FormWalk::Input now = fillInput(Fill::Normal);
    return now.siteRecord != m_preloadFill->siteRecord
           || now.softwareRecord != m_preloadFill->softwareRecord
           || now.constants != m_preloadFill->constants
           || now.defaultLogin.userName != m_preloadFill->defaultLogin.userName
           || now.defaultLogin.password != m_preloadFill->defaultLogin.password;
}

void PageHandling::refillIfSending()
{
    // Only a form the hidden fill walked, still on its page.
    const std::optional<FormWalk::Input> before = std::exchange(m_preloadFill, std::nullopt);
    if (!before || !m_filled || m_closing)
        return;
    if (!m_source.autoSubmit())
        return;
    // The same values again over the filled form, then the submit step.
    m_filled = false;
    m_resultReady = false;
    if (m_suggestion) {
        m_suggestion.reset();
        emit suggestionChanged();
    }
    setOutcomeEnabled(false);
    m_navigationLock = true;
    requestWalk(Fill::Normal);
}

void PageHandling::FormActivate()
{
    if (m_navigated || m_closing)
        return;
    m_siteRow = std::abs(m_resultCode);
    const QStringList site = m_source.siteRecord(m_siteRow);
    const QString address =
        site.value(m_resultCode > 0 ? SiteRecord::SubmitPage : SiteRecord::RegUrl);
    setCaption(site.value(SiteRecord::SiteName) + QStringLiteral(" : ") + m_windowName);
    m_siteNote = SitePolicy::notice(site.value(SiteRecord::Notes));
    if (!m_siteNote.isEmpty())
        emit siteNoteChanged(m_siteNote);
    m_navigated = true;
    emit navigateRequested(address);
}

void PageHandling::WebBrowser1StatusTextChange(const QString &text)
{
    if (!m_closing)
        setStatus(text);
}

void PageHandling::WebBrowser1ProgressChange(int progress)
{
    if (m_closing)
        return;
    if (m_walking) {
        m_held.append({false, progress, QString()});
        return;
    }
    m_busy = progress != 0;
    if (progress != 0) {
        setStatus(busyText());
        return;
    }
    setStatus(QString());
    m_navigationLock = false;
    if (m_resultReady)
        setOutcomeEnabled(true);
}

void PageHandling::WebBrowser1DocumentComplete(bool browserComplete, const QString &title)
{
    // A frame that finished before the page as a whole is not a completed page.
    if (!browserComplete || m_closing)
        return;
    if (m_walking) {
        m_held.append({true, 0, title});
        return;
    }
    handleCompletion(title);
}

void PageHandling::loadFailed(const QString &problem, const QString &title)
{
    if (m_closing)
        return;
    if (m_filled || m_resultCode < 0 || m_walking) {
        WebBrowser1DocumentComplete(true, title);
        return;
    }
    setStatus(QString());
    setCaption(title);
    setAttention(problem);
}

void PageHandling::handleCompletion(const QString &title)
{
    setStatus(QString());
    setAttention(QString());
    ++m_completedPages;
    // A new page: what it shows is read afresh before changes count.
    m_shown.reset();
    if (m_suggestion) {
        m_suggestion.reset();
        emit suggestionChanged();
    }
    setCaption(title);
    m_navigationLock = true;
    emit decorateRequested(pageSignature());

    if (m_resultCode < 0) {
        // A registration window: every page the user reaches gets the reminder.
        m_dialogs.message(messageTitle(), registrationMessage());
        return;
    }
    // A page loaded ahead that moved on by itself (a refresh, a redirect)
    // was never sent: the new page is filled as the first one was.
    if (m_filled && m_preloadFill) {
        m_filled = false;
        m_preloadFill.reset();
    }
    if (m_filled) {
        m_resultReady = true;
        emit answerTextRequested(m_completedPages);
        return;
    }
    fillCompletedPage();
}

void PageHandling::fillCompletedPage()
{
    const QStringList site = m_source.siteRecord(m_siteRow);
    const QString loginText = site.value(SiteRecord::Login);
    bool ok = false;
    const int login = loginText.toInt(&ok, 10);
    if (!ok) {
        tell(true, QStringLiteral("'%1' is not a valid integer value").arg(loginText));
        return;
    }
    // A mail and a login wait for the window's show.
    if (m_preloading && (login == SiteRecord::EmailSite
                         || (login == SiteRecord::LoginFirst && !m_loggedIn))) {
        m_fillHeld = true;
        return;
    }
    if (login == SiteRecord::EmailSite) {
        composeMail(site);
        emit focusPageRequested();
        return;
    }
    requestWalk(login == SiteRecord::LoginFirst && !m_loggedIn ? Fill::Login : Fill::Normal);
}

void PageHandling::composeMail(const QStringList &site)
{
    // One message per window: later pages of the site do not open the mail
    // program again. Whether the mail went out only the user knows, so the
    // outcome is theirs to record from now on.
    if (m_mailComposed)
        return;
    m_mailComposed = true;
    EmailComposer::compose(site.value(SiteRecord::RegUrl), m_source.softwareRecord(), m_addresses);
    m_resultReady = true;
    setOutcomeEnabled(true);
}

FormWalk::Input PageHandling::fillInput(Fill fill) const
{
    FormWalk::Input input;
    input.siteRecord = m_source.siteRecord(m_siteRow);
    input.softwareRecord = m_source.softwareRecord();
    input.matchLists = m_source.matchLists();
    input.constants = m_source.constants();
    input.defaultLogin = m_source.defaultLogin();
    input.loggedIn = m_loggedIn;
    // The login form is sent whatever "auto-submit" says; the planner's
    // login step knows that, and the check box itself is never touched.
    // A page filled ahead of its turn sends nothing.
    input.autoSubmit = !m_preloading && (fill == Fill::Login || m_source.autoSubmit());
    input.step = fill == Fill::Login ? FormWalk::Step::LoginFill : FormWalk::Step::NormalFill;
    return input;
}

void PageHandling::requestWalk(Fill fill)
{
    const FormWalk::Input input = fillInput(fill);
    m_walking = true;
    m_fill = fill;
    if (m_preloading)
        m_preloadFill = input;
    emit walkRequested(input);
}

void PageHandling::reportResult(int result)
{
    if (result == FormWalkPlan::NoForm)
        tell(false, noFormMessage());
    else if (result == FormWalkPlan::ElementError)
        tell(false, elementErrorMessage());
}

void PageHandling::walkFinished(const WalkOutcome &outcome)
{
    if (!m_walking || m_closing)
        return;
    const Fill fill = m_fill;
    if (outcome.result == FormWalkPlan::Raised) {
        // The page could not be read or filled as a whole: its handling ends
        // here, and the next completed page is handled afresh.
        tell(true, outcome.error);
    } else {
        if (!outcome.message.isEmpty())
            tell(true, outcome.message);
        reportResult(outcome.result);
        if (fill == Fill::Login) {
            m_loggedIn = true;
        } else {
            m_filled = true;
            m_shown = outcome.before;
        }
        if (!m_preloading)
            emit focusPageRequested();
    }
    // Only a form walked and left unsent is filled again at the show.
    if (outcome.result != FormWalkPlan::Walked || fill != Fill::Normal)
        m_preloadFill.reset();
    m_walking = false;
    m_fill = Fill::None;
    // Before the held events: a page that completed meanwhile clears it.
    if (!outcome.attention.isEmpty())
        setAttention(outcome.attention);
    const int pages = m_completedPages;
    replayHeld();
    if (!m_closing && !outcome.notice.isEmpty())
        setStatus(outcome.notice);
    if (std::exchange(m_refillWhenWalked, false) && !m_preloading && pages == m_completedPages)
        refillIfSending();
}

void PageHandling::setWaitingForForm(bool waiting)
{
    if (m_closing || waiting == m_waitingForForm)
        return;
    m_waitingForForm = waiting;
    setAttention(waiting ? waitingForFormNotice() : QString());
}

bool PageHandling::watchingInPlace() const
{
    // A page filled ahead was not sent: nothing it does is an answer.
    return m_filled && !m_walking && !m_closing && m_resultCode > 0 && !m_mailComposed
           && !m_preloading;
}

void PageHandling::WebBrowser1PageState(const QString &title, const QString &text)
{
    if (!watchingInPlace())
        return;
    const PageState now{title, text};
    if (!m_shown) {
        m_shown = now;
        return;
    }
    if (!InPlaceAnswer::changed(*m_shown, now))
        return;
    m_shown = now;
    answeredInPlace(text);
}

void PageHandling::WebBrowser1RequestSent()
{
    if (watchingInPlace() && m_shown && !m_resultReady)
        answeredInPlace(QString());
}

void PageHandling::answeredInPlace(const QString &text)
{
    m_resultReady = true;
    if (!text.isNull()) {
        m_suggestion = AnswerSuggestion::suggest(text);
        emit suggestionChanged();
    }
    // A load under way enables the buttons when it ends, as for any page.
    if (!m_busy)
        setOutcomeEnabled(true);
}

void PageHandling::answerTextRead(int page, const QString &text)
{
    if (m_closing || page != m_completedPages)
        return;
    m_suggestion = AnswerSuggestion::suggest(text);
    if (m_suggestion)
        emit suggestionChanged();
}

void PageHandling::replayHeld()
{
    while (!m_held.isEmpty() && !m_walking && !m_closing) {
        const Held held = m_held.takeFirst();
        if (held.completion)
            handleCompletion(held.title);
        else
            WebBrowser1ProgressChange(held.progress);
    }
}

void PageHandling::close(int resultCode)
{
    if (m_closing)
        return;
    m_closing = true;
    m_resultCode = resultCode;
    m_held.clear();
    emit closeRequested(resultCode);
}

void PageHandling::Button_doneClick()
{
    if (m_outcomeEnabled)
        close(m_resultCode);
}

void PageHandling::Button_failClick()
{
    if (m_outcomeEnabled)
        close(-m_resultCode);
}

void PageHandling::Button_cancelClick()
{
    close(0);
}
