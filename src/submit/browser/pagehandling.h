#pragma once

#include "submit/browser/answersuggestion.h"
#include "submit/browser/inplaceanswer.h"
#include "submit/formwalk/formwalkplan.h"
#include "submit/formwalk/formwalkplanner.h"

#include <QList>
#include <QObject>
#include <QString>

#include <optional>

class AddressHandler;
class Dialogs;
class SubmissionSource;

// What the page driver reports when a walk it was asked for has ended.
struct WalkOutcome
{
    // FormWalkPlan::NoForm, Walked, ElementError or Raised.
    int result = FormWalkPlan::NoForm;
    // Raised: the reason, shown as an error; the page's handling ends.
    QString error;
    // The walk's own message (the rejected login), shown as an error.
    QString message;
    // Status-bar text that needs no answer.
    QString notice;
    // What the user must do before the form can go (choose an upload file
    // and send it, type a picture code): shown in the window until the next
    // page completes.
    QString attention;
    // The page as it was just before the walk's submit step (its title and
    // visible text), when there was one: what an answer shown in place is
    // told from.
    std::optional<PageState> before;
};

// The page handling of one browser window, as a state machine driven by the
// browser's events. It holds the five flags and the result code, decides what
// a completed page gets (the registration message, the login fill, the
// e-mail, the normal fill, or nothing but "result ready"), and asks the
// window, through its signals, for what only a browser can do.
//
// Progress: the handling knows only "busy" (any value but 0) and "idle" (0).
// The window reports idle once a load has ended, after the completed page has
// been passed in; reports that arrive while a walk is running are held and
// replayed when it ends, so the navigation lock covers the whole fill.
class PageHandling : public QObject
{
    Q_OBJECT

public:
    static QString pageSignature();
    static QString makerHomePage() { return QStringLiteral("http://www.kelvane.example/"); }
    static QString busyText() { return QStringLiteral("BUSY !!"); }
    static QString registrationMessage()
    {
        return QStringLiteral("Fill your data by hand, and remember user/password\rpair, to "
                              "input it back at 'submit list' for this site.");
    }
    static QString noFormMessage() { return QStringLiteral("Error. No Form was found on this site."); }
    static QString elementErrorMessage()
    {
        return QStringLiteral("Error. Field or method is not available.");
    }
    static QString waitingForFormNotice();

    PageHandling(SubmissionSource &source, Dialogs &dialogs, AddressHandler &addresses,
                 QObject *parent = nullptr);

    // Creation: the window's name (its first caption) and its result code,
    // the site row for a submission, minus the site row for a registration.
    void setWindowName(const QString &name) { m_windowName = name; }
    QString windowName() const { return m_windowName; }
    void setResultCode(int code) { m_resultCode = code; }
    int resultCode() const { return m_resultCode; }
    // Fixed at the first activation.
    int siteRow() const { return m_siteRow; }
    bool isRegistration() const { return m_resultCode < 0; }

    bool navigated() const { return m_navigated; }
    bool navigationLocked() const { return m_navigationLock; }
    bool filled() const { return m_filled; }
    bool loggedIn() const { return m_loggedIn; }
    bool resultReady() const { return m_resultReady; }
    // "failed" and "done ok"; "cancel" is always enabled.
    bool outcomeButtonsEnabled() const { return m_outcomeEnabled; }
    bool walking() const { return m_walking; }
    bool closing() const { return m_closing; }
    QString caption() const { return m_caption; }
    QString statusText() const { return m_status; }
    QString attentionText() const { return m_attention; }
    // The site's note for the notice line while its pages are open, from
    // the first activation on.
    QString siteNote() const { return m_siteNote; }
    // What the latest answer page seems to say; nothing before one was read.
    std::optional<AnswerSuggestion::Suggestion> suggestion() const { return m_suggestion; }
    // An e-mail site's message has been handed to the mail program.
    bool mailComposed() const { return m_mailComposed; }

    // A page loaded ahead of its turn, in a window not shown yet: it is
    // opened and filled, but nothing is sent (not even a login), no mail is
    // composed and no message is shown until preloadShown(). Instead of
    // FormActivate().
    void preload();
    bool preloading() const { return m_preloading; }
    // An error for the user, held for the show while preloading.
    void error(const QString &text) { tell(true, text); }
    // The window shows: what was held happens now. With "auto-submit" the
    // form is filled again and sent.
    void preloadShown();
    // The values the hidden fill put in are no longer the site's or the
    // product's (edited meanwhile): the page is better opened afresh.
    bool preloadStale() const;

    // The window's events.
    void FormActivate();
    // True when the navigation may go ahead. While the walk waits for a
    // late form, the page's frames may load (a script may be drawing the
    // form into one); the page itself stays.
    bool WebBrowser1BeforeNavigate2(bool mainFrame = true) const
    {
        return !m_navigationLock || (!mainFrame && m_waitingForForm);
    }
    void WebBrowser1StatusTextChange(const QString &text);
    void WebBrowser1ProgressChange(int progress);
    // `browserComplete`: the page as a whole has loaded, not just one of its frames.
    void WebBrowser1DocumentComplete(bool browserComplete, const QString &title);
    // The page could not be loaded at all (no address, no connection, a
    // certificate refused): `problem` in plain words. Before the fill the
    // engine's error page holds no form to look for, so the user is told
    // why instead; after it, the error page is the answer as any other.
    void loadFailed(const QString &problem, const QString &title);
    // The walk asked for by walkRequested() has ended.
    void walkFinished(const WalkOutcome &outcome);
    // The visible text of the answer page `page` (as answerTextRequested()
    // numbered it); an answer for a page since replaced is dropped.
    void answerTextRead(int page, const QString &text);
    // The walk is about to click the submit control.
    void clearNavigationLock() { m_navigationLock = false; }
    // The walk found no form for the site's entries and watches the page.
    void setWaitingForForm(bool waiting);

    // An answer shown in place: after the fill, the page's title and
    // visible text as the window reads them now and then, and each request
    // a page script sends. A change from the page as it was when the form
    // went (InPlaceAnswer::changed), or such a request, counts as the
    // site's answer as a completed page does.
    bool watchingInPlace() const;
    void WebBrowser1PageState(const QString &title, const QString &text);
    void WebBrowser1RequestSent();

    void Button_doneClick();
    void Button_failClick();
    void Button_cancelClick();

signals:
    void captionChanged(const QString &caption);
    void statusTextChanged(const QString &text);
    // Empty hides the window's notice.
    void attentionChanged(const QString &text);
    void navigateRequested(const QString &address);
    void siteNoteChanged(const QString &note);
    // Read the visible text of the page just completed, the answer to the
    // sent form; the window answers with answerTextRead().
    void answerTextRequested(int page);
    void suggestionChanged();
    // Append `signatureHtml` at the end of the body and remove the body's border.
    void decorateRequested(const QString &signatureHtml);
    // Snapshot, plan and apply; the window answers with walkFinished().
    void walkRequested(const FormWalk::Input &input);
    // Give the page's window the keyboard focus.
    void focusPageRequested();
    void outcomeButtonsEnabledChanged(bool enabled);
    // An outcome button was pressed; the window closes with this code.
    void closeRequested(int resultCode);

private:
    enum class Fill { None, Login, Normal };
    struct Held
    {
        bool completion;
        int progress;
        QString title;
    };

    void setStatus(const QString &text);
    void setAttention(const QString &text);
    void composeMail(const QStringList &site);
    void setCaption(const QString &text);
    void setOutcomeEnabled(bool enabled);
    void handleCompletion(const QString &title);
    // A completed page's fill: the login, the mail or the normal fill.
    void fillCompletedPage();
    void requestWalk(Fill fill);
    void reportResult(int result);
    void replayHeld();
    void answeredInPlace(const QString &text);
    void close(int resultCode);
    // A message box, or held for the window's show while preloading.
    void tell(bool error, const QString &text);
    FormWalk::Input fillInput(Fill fill) const;
    void refillIfSending();

    SubmissionSource &m_source;
    Dialogs &m_dialogs;
    AddressHandler &m_addresses;

    QString m_windowName;
    int m_resultCode = 0;
    int m_siteRow = 0;

    bool m_navigated = false;
    bool m_navigationLock = false;
    bool m_filled = false;
    bool m_loggedIn = false;
    bool m_resultReady = false;
    bool m_mailComposed = false;

    bool m_outcomeEnabled = false;
    bool m_busy = false;
    bool m_waitingForForm = false;
    std::optional<PageState> m_shown;   // the page as the fill left it
    bool m_closing = false;
    bool m_walking = false;
    Fill m_fill = Fill::None;
    QList<Held> m_held;

    QString m_caption;
    QString m_status;
    QString m_attention;
    QString m_siteNote;
    int m_completedPages = 0;
    std::optional<AnswerSuggestion::Suggestion> m_suggestion;

    bool m_preloading = false;
    // The completed page's fill waits for the show (a login, an e-mail).
    bool m_fillHeld = false;
    QList<QPair<bool, QString>> m_heldMessages;
    // What the fill while preloading put in, when it walked the form.
    std::optional<FormWalk::Input> m_preloadFill;
    bool m_refillWhenWalked = false;
};
