#pragma once

#include "submit/browser/browserwindow.h"
#include "submit/formwalk/formwalkplanner.h"
#include "submit/formwalk/pagesnapshot.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class PageDriver;
class QWebEngineLoadingInfo;
#include <QWebEngineView>
struct WalkOutcome;

// How a probe of a site's submission page ended.
struct ProbeResult
{
    enum class Status { Loaded, HttpError, NetworkError, TimedOut, LoginFailed, Unreadable };

    Status status = Status::Unreadable;
    int httpStatus = 0;
    QString error;
    bool loggedIn = false;   // a login-first site's login form was sent first
    PageSnapshot snapshot;   // Loaded: the forms of the submission page
    // Loaded: the login form waits for the user (a picture code, a check);
    // the submission page was not reached.
    FormWalkPlan::UserStep loginUserStep = FormWalkPlan::UserStep::None;
};

// Opens a site's submission page the way a submission window does (the
// run's profile and browser settings, the login form filled and sent first
// where the site's login type says so) and reads its forms, without filling
// or sending anything of the submission form; a form a script draws late is
// waited for as a submission window waits for it. One site at a time; each ends
// with exactly one finished(), also when the page never finishes loading
// within the time limit.
class PageProbe : public QObject
{
    Q_OBJECT

public:
    static constexpr int DefaultTimeLimitMs = 30000;

    explicit PageProbe(const BrowserOptions &options, QObject *parent = nullptr);
    ~PageProbe() override;

    // For the whole site: the page, the login and the page after it.
    void setTimeLimit(int milliseconds) { m_timeLimitMs = milliseconds; }
    // How long a page may take to draw its form (PageDriver's late-form wait).
    void setLateFormWait(int milliseconds);
    // The view that shows the page; the caller places it (or shows it as a window).
    QWebEngineView *view() const { return m_view; }
    BrowserPage *page() const { return m_page; }
    bool isBusy() const { return m_state != State::Idle; }

    // `input` as a submission window would plan the site's login with: its
    // record, the default login pair and the product's values.
    void open(const FormWalk::Input &input);
    // Ends the probe in progress without a finished().
    void stop();

    static QString noAddressMessage();
    static QString timedOutMessage(int seconds);

signals:
    void finished(const ProbeResult &result);

private:
    enum class State { Idle, Loading, LoggingIn, AfterLogin, Reading };

    void loadingChanged(const QWebEngineLoadingInfo &info);
    void pageCompleted();
    void loginWalked(const WalkOutcome &outcome);
    void readPage();
    void formsRead(const QString &snapshotJson);
    void finish(ProbeResult result);
    void fail(ProbeResult::Status status, const QString &error, int httpStatus = 0);

    BrowserPage *m_page = nullptr;
    QPointer<QWebEngineView> m_view;
    PageDriver *m_driver = nullptr;
    QTimer m_limit;
    int m_timeLimitMs = DefaultTimeLimitMs;
    State m_state = State::Idle;
    quint64 m_probeId = 0;
    bool m_clickAllowed = false;
    FormWalk::Input m_input;
    bool m_loggedIn = false;
    bool m_completedDuringLogin = false;
};
