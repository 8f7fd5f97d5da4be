#pragma once

#include "platform/settings.h"
#include "submit/browser/submissionwindow.h"
#include "submit/browser/outcome.h"

#include <QStringList>
#include <QWebEnginePage>
#include <QWidget>

#include <functional>

class AddressHandler;
class Dialogs;
class PageDriver;
class PageHandling;
class QLabel;
class QStatusBar;
class QTimer;
class QToolButton;
class QWebEngineProfile;
class QWebEngineView;
class SubmissionSource;


// The embedded browser's page: every navigation it is about to start is
// put to the window's navigation lock first, and every request a page
// script sends (other than a plain read) is reported.
class BrowserPage : public QWebEnginePage
{
    Q_OBJECT

public:
    BrowserPage(QWebEngineProfile *profile, QObject *parent = nullptr);

    // True lets the navigation go ahead; unset, every navigation goes ahead.
    // The argument tells the page itself from one of its frames.
    std::function<bool(bool mainFrame)> navigationAllowed;
    // True while the page may not ask the user anything (it is loaded ahead
    // in a window not shown): its alerts, questions and prompts are refused.
    std::function<bool()> userHeld;

signals:
    // The page wanted to ask the user while userHeld() said no.
    void askedWhileHeld();
    // The page sent data without loading a new page: a script's POST (fetch,
    // XMLHttpRequest) or a form sent inside a frame.
    void scriptRequestSent();

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    void javaScriptAlert(const QUrl &securityOrigin, const QString &message) override;
    bool javaScriptConfirm(const QUrl &securityOrigin, const QString &message) override;
    bool javaScriptPrompt(const QUrl &securityOrigin, const QString &message,
                          const QString &defaultValue, QString *result) override;

private:
    bool refuseWhileHeld();
};

// A submission or registration window: the bar with the three outcome
// buttons, the embedded browser and the status bar. The page handling lives
// in PageHandling; this window only carries WebEngine's events to it and its
// requests to the page. It has no close box: the buttons close it, emitting
// closed() with the result code, and the window then deletes itself.
class TForm2 : public SubmissionWindow
{
    Q_OBJECT

public:
    // `name` is also the first caption; `resultCode` the site row, or minus
    // the site row for a registration window.
    TForm2(const QString &name, int resultCode, SubmissionSource &source, Dialogs &dialogs,
           AddressHandler &addresses, const BrowserOptions &options = {},
           QWidget *parent = nullptr);
    ~TForm2() override;

    // The one off-the-record profile of the program's run: the windows of a
    // run share its cookies, and nothing is cached.
    static QWebEngineProfile *sharedProfile();
    // A page on that profile with the user's browser choices, as every
    // window of the program opens its pages.
    static BrowserPage *createPage(const BrowserOptions &options, QObject *parent);

    void setWebWindowGeometry(const WebWindowGeometry &geometry);
    WebWindowGeometry webWindowGeometry() const;

    int resultCode() const override;
    QString leftToUser() const override { return m_leftToUser; }
    // Loads the site's page while the window stays hidden; see
    // PageHandling::preload().
    void preload();
    void reveal(BrowserWindowBook &book) override;
    bool firstPageEnded() const override { return m_firstPageEnded; }
    bool preloadUsable() const override;
    PageHandling &pageHandling() const { return *m_handling; }
    PageDriver &pageDriver() const { return *m_driver; }
    QWebEngineView *browser() const { return m_view; }
    BrowserPage *page() const { return m_page; }
    QString statusText() const;
    // The notice shown above the page, empty when none is shown.
    QString noticeText() const;
    // The outcome suggestion in the bar, empty when there is none.
    QString suggestionText() const;

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void placeOutcomeButtons();
    void navigate(const QString &address);
    void pageLoadEnded(bool completed);
    void finish(int resultCode);
    void noteFirstPageEnded();
    void showNotice();
    void showSuggestion();
    void focusSuggestedButton();
    // The outcome keys: Ctrl+Return takes the suggested outcome (else "done
    // ok"); Ctrl+Backspace "failed" and Escape "cancel", unless the page is
    // being typed into.
    void installOutcomeKeys();
    void pressIfEnabled(QToolButton *button);
    void pressUnlessTyping(QToolButton *button);

    PageHandling *m_handling = nullptr;
    BrowserPage *m_page = nullptr;
    QWebEngineView *m_view = nullptr;
    PageDriver *m_driver = nullptr;
    QWidget *m_bar = nullptr;
    QToolButton *m_fail = nullptr;
    QToolButton *m_cancel = nullptr;
    QToolButton *m_done = nullptr;
    QLabel *m_notice = nullptr;
    QLabel *m_suggestion = nullptr;
    // The suggested button took the focus once for the current answer page;
    // the user's own moves are not undone after that.
    bool m_suggestionFocused = false;
    QStatusBar *m_status = nullptr;
    bool m_closing = false;
    QString m_leftToUser;
    bool m_firstPageEnded = false;
    // The page loaded ahead wanted the user (a question, a window of its
    // own) before it could be shown: it is not shown, a fresh one is.
    bool m_preloadSpoiled = false;
    // While the fill's answer may come in place: the page is looked at now and then.
    QTimer *m_inPlaceWatch = nullptr;
};

// Opens one browser window for `resultCode` (a site row for a submission,
// minus the site row for a registration): counted, named and placed by
// `book`, shown at once; it navigates when first shown. The caller makes the
// product current before, and connects TForm2::closed to its close handler,
// which hands the geometry to book.closed() and the code to the history.
TForm2 *openBrowserWindow(BrowserWindowBook &book, int resultCode, SubmissionSource &source,
                          Dialogs &dialogs, AddressHandler &addresses,
                          const BrowserOptions &options = {}, QWidget *owner = nullptr);

// A submission window for the site row `siteRow`, not shown, whose page
// loads and is filled at once and sent only after TForm2::reveal(). The
// window is named and placed when it shows, as one opened then would be.
TForm2 *preloadBrowserWindow(int siteRow, SubmissionSource &source, Dialogs &dialogs,
                             AddressHandler &addresses, const BrowserOptions &options = {},
                             QWidget *owner = nullptr);
