#include "submit/browser/browserwindow.h"

#include "platform/browsersettingsstore.h"
#include "platform/dialogs.h"
#include "submit/browser/loadproblem.h"
#include "submit/browser/pagedriver.h"
#include "submit/browser/pagehandling.h"
#include "submit/browser/popupwindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QWebEngineScript>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

namespace {

// The profile's own user-agent text, before any token was added.
constexpr const char *DefaultAgentProperty = "kelvaneDefaultUserAgent";

// How often a filled page is read for an answer it shows in place.
constexpr int InPlaceWatchMs = 400;

QToolButton *outcomeButton(const char *objectName, const QString &caption, int width,
                           QWidget *bar)
{
    auto *button = new QToolButton(bar);
    button->setObjectName(QLatin1String(objectName));
    button->setText(caption);
    // A frame of its own: flat, the three outcomes did not read as buttons.
    button->setAutoRaise(false);
    button->setFixedSize(width, BrowserWindowRules::BarHeight - 2);
    return button;
}

QList<QRect> availableScreens()
{
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    return screens;
}

} // namespace

// Sees each request of the page before it goes; interceptors of a page run
// on the window's thread, but the report is queued all the same.
class ScriptRequestWatch : public QWebEngineUrlRequestInterceptor
{
public:
    explicit ScriptRequestWatch(BrowserPage *page) : QWebEngineUrlRequestInterceptor(page), m_page(page) {}

    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        // A script's fetch, or a form sent inside a frame: neither completes the page.
        const auto type = info.resourceType();
        if ((type != QWebEngineUrlRequestInfo::ResourceTypeXhr
             && type != QWebEngineUrlRequestInfo::ResourceTypeSubFrame)
            || info.requestMethod() == "GET" || info.requestMethod() == "HEAD")
            return;
        QMetaObject::invokeMethod(
            m_page,
            [page = m_page] {
                if (page)
                    emit page->scriptRequestSent();
            },
            Qt::QueuedConnection);
    }

private:
    QPointer<BrowserPage> m_page;
};

BrowserPage::BrowserPage(QWebEngineProfile *profile, QObject *parent)
    : QWebEnginePage(profile, parent)
{
    setUrlRequestInterceptor(new ScriptRequestWatch(this));
}

bool BrowserPage::acceptNavigationRequest(const QUrl &, NavigationType, bool isMainFrame)
{
    return !navigationAllowed || navigationAllowed(isMainFrame);
}

bool BrowserPage::refuseWhileHeld()
{
    if (!userHeld || !userHeld())
        return false;
    emit askedWhileHeld();
    return true;
}

void BrowserPage::javaScriptAlert(const QUrl &securityOrigin, const QString &message)
{
    if (!refuseWhileHeld())
        QWebEnginePage::javaScriptAlert(securityOrigin, message);
}

bool BrowserPage::javaScriptConfirm(const QUrl &securityOrigin, const QString &message)
{
    return !refuseWhileHeld() && QWebEnginePage::javaScriptConfirm(securityOrigin, message);
}

bool BrowserPage::javaScriptPrompt(const QUrl &securityOrigin, const QString &message,
                                   const QString &defaultValue, QString *result)
{
    return !refuseWhileHeld()
           && QWebEnginePage::javaScriptPrompt(securityOrigin, message, defaultValue, result);
}

QWebEngineProfile *TForm2::sharedProfile()
{
    static QPointer<QWebEngineProfile> profile;
    if (!profile) {
        // Off the record (no storage name), and NoCache right at creation:
        // switching a disk-backed profile to NoCache later can hang its first load.
        profile = new QWebEngineProfile(QCoreApplication::instance());
        profile->setHttpCacheType(QWebEngineProfile::NoCache);
        profile->setProperty(DefaultAgentProperty, profile->httpUserAgent());
    }
    return profile;
}

BrowserPage *TForm2::createPage(const BrowserOptions &options, QObject *parent)
{
    QWebEngineProfile *profile = sharedProfile();
    profile->setHttpUserAgent(BrowserSettingsStore::userAgentWithTokens(
        profile->property(DefaultAgentProperty).toString(), options.userAgentTokens));
    auto *page = new BrowserPage(profile, parent);
    QWebEngineSettings *settings = page->settings();
    settings->setAttribute(QWebEngineSettings::AutoLoadImages, options.images);
    // Page scripts only: the driver's own scripts run in the isolated world either way.
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, options.scripts);
    return page;
}

TForm2::TForm2(const QString &name, int resultCode, SubmissionSource &source, Dialogs &dialogs,
               AddressHandler &addresses, const BrowserOptions &options, QWidget *parent)
    : SubmissionWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(name);
    setWindowTitle(name);
    setAttribute(Qt::WA_DeleteOnClose);

    m_handling = new PageHandling(source, dialogs, addresses, this);
    m_handling->setWindowName(name);
    m_handling->setResultCode(resultCode);

    m_bar = new QWidget(this);
    m_bar->setObjectName(QStringLiteral("Panel_mnu"));
    m_bar->setFixedHeight(BrowserWindowRules::BarHeight);
    m_bar->installEventFilter(this);
    m_fail = outcomeButton("Button_fail", QStringLiteral("failed"), 64, m_bar);
    m_cancel = outcomeButton("Button_cancel", QStringLiteral("cancel"), 67, m_bar);
    m_done = outcomeButton("Button_done", QStringLiteral("done ok"), 75, m_bar);
    m_fail->setEnabled(false);
    m_done->setEnabled(false);
    // What the answer page seems to say, left of the buttons; page text,
    // so never read as markup.
    m_suggestion = new QLabel(m_bar);
    m_suggestion->setObjectName(QStringLiteral("Label_suggestion"));
    m_suggestion->setTextFormat(Qt::PlainText);
    m_suggestion->hide();

    m_page = createPage(options, this);
    m_page->navigationAllowed = [handling = QPointer<PageHandling>(m_handling)](bool mainFrame) {
        return handling && handling->WebBrowser1BeforeNavigate2(mainFrame);
    };
    m_page->userHeld = [handling = QPointer<PageHandling>(m_handling)] {
        return handling && handling->preloading();
    };
    connect(m_page, &BrowserPage::askedWhileHeld, this, [this] { m_preloadSpoiled = true; });

    m_view = new QWebEngineView(this);
    m_view->setObjectName(QStringLiteral("WebBrowser1"));
    m_view->setPage(m_page);
    m_driver = new PageDriver(m_page, this);
    // A page's own window opens beside this one, never in its place: the
    // filled form stays.
    connect(m_page, &QWebEnginePage::newWindowRequested, this,
            [this, options](QWebEngineNewWindowRequest &request) {
                if (m_handling->preloading())
                    m_preloadSpoiled = true;
                else if (PopupWindow::open(request, options, this))
                    m_handling->WebBrowser1RequestSent(); // a form sent there is answered there
                else
                    m_status->showMessage(tr("The page tried to open a window of its own; it was "
                                             "not opened."));
            });

    // What the user must do before the form can go; hidden while there is nothing.
    m_notice = new QLabel(this);
    m_notice->setObjectName(QStringLiteral("Label_notice"));
    m_notice->setWordWrap(true);
    m_notice->setTextFormat(Qt::PlainText);
    m_notice->setMargin(4);
    m_notice->setStyleSheet(QStringLiteral("background: rgb(255, 255, 210); color: black;"));
    m_notice->hide();

    m_status = new QStatusBar(this);
    m_status->setObjectName(QStringLiteral("StatusBar1"));
    m_status->setSizeGripEnabled(false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_bar);
    layout->addWidget(m_notice);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_status);

    // Tab, Enter and the editing keys reach the page through WebEngine's own
    // key handling; the view only needs the focus.
    m_view->setFocus();

    installOutcomeKeys();
    connect(m_done, &QToolButton::clicked, m_handling, &PageHandling::Button_doneClick);
    connect(m_fail, &QToolButton::clicked, m_handling, &PageHandling::Button_failClick);
    connect(m_cancel, &QToolButton::clicked, m_handling, &PageHandling::Button_cancelClick);

    connect(m_handling, &PageHandling::captionChanged, this, &QWidget::setWindowTitle);
    connect(m_handling, &PageHandling::statusTextChanged, this,
            [this](const QString &text) { m_status->showMessage(text); });
    connect(m_handling, &PageHandling::attentionChanged, this, &TForm2::showNotice);
    connect(m_handling, &PageHandling::attentionChanged, this, [this](const QString &text) {
        if (!text.isEmpty())
            m_leftToUser = text;
    });
    connect(m_handling, &PageHandling::siteNoteChanged, this, &TForm2::showNotice);
    connect(m_handling, &PageHandling::suggestionChanged, this, &TForm2::showSuggestion);
    connect(m_handling, &PageHandling::answerTextRequested, m_driver,
            &PageDriver::readAnswerText);
    connect(m_driver, &PageDriver::answerTextRead, m_handling, &PageHandling::answerTextRead);
    connect(m_handling, &PageHandling::navigateRequested, this, &TForm2::navigate);
    connect(m_handling, &PageHandling::decorateRequested, m_driver, &PageDriver::decorate);
    connect(m_handling, &PageHandling::walkRequested, m_driver, &PageDriver::walk);
    connect(m_handling, &PageHandling::focusPageRequested, this, [this] {
        m_driver->focusPage();
        m_view->setFocus();
    });
    connect(m_handling, &PageHandling::outcomeButtonsEnabledChanged, this, [this](bool on) {
        m_fail->setEnabled(on);
        m_done->setEnabled(on);
        focusSuggestedButton();
    });
    connect(m_handling, &PageHandling::closeRequested, this, &TForm2::finish);
    connect(m_driver, &PageDriver::walkFinished, m_handling, &PageHandling::walkFinished);
    connect(m_driver, &PageDriver::waitingForForm, m_handling, &PageHandling::setWaitingForForm);
    connect(m_driver, &PageDriver::stateRead, m_handling, &PageHandling::WebBrowser1PageState);
    connect(m_page, &BrowserPage::scriptRequestSent, m_handling, &PageHandling::WebBrowser1RequestSent);
    m_inPlaceWatch = new QTimer(this);
    m_inPlaceWatch->setInterval(InPlaceWatchMs);
    connect(m_inPlaceWatch, &QTimer::timeout, this, [this] {
        if (m_handling->watchingInPlace())
            m_driver->readState();
    });
    m_inPlaceWatch->start();
    connect(m_driver, &PageDriver::aboutToClick, m_handling, &PageHandling::clearNavigationLock);

    // Progress as the page handling understands it: WebEngine reports 0..100
    // while a load runs (0 at its very start) and nothing once it has ended.
    // Any report during a load is "busy"; "progress 0" is the end of a load
    // (succeeded, failed or stopped), reported after the completed page has
    // been passed on. The events are queued, so the handling and its message
    // boxes never run inside WebEngine's own signal emission.
    connect(m_page, &QWebEnginePage::loadProgress, this, [this](int progress) {
        QMetaObject::invokeMethod(
            this, [this, progress] { m_handling->WebBrowser1ProgressChange(qMax(1, progress)); },
            Qt::QueuedConnection);
    });
    connect(m_page, &QWebEnginePage::loadingChanged, this,
            [this](const QWebEngineLoadingInfo &info) {
                if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus)
                    return;
                // A stopped load (one the lock refused, or one a newer one
                // replaced) leaves the page as it was: nothing completed.
                const bool completed = info.status() != QWebEngineLoadingInfo::LoadStoppedStatus;
                // A page that never came (an HTTP error page still did).
                if (info.status() == QWebEngineLoadingInfo::LoadFailedStatus
                    && info.errorDomain() != QWebEngineLoadingInfo::HttpStatusCodeDomain) {
                    const QString problem = tr("The page could not be opened: %1.")
                                                .arg(LoadProblem::plainWords(info.errorCode(),
                                                                             info.errorString()));
                    QMetaObject::invokeMethod(
                        this,
                        [this, problem] {
                            m_handling->loadFailed(problem, m_page->title());
                            m_handling->WebBrowser1ProgressChange(0);
                            noteFirstPageEnded();
                        },
                        Qt::QueuedConnection);
                    return;
                }
                QMetaObject::invokeMethod(
                    this, [this, completed] { pageLoadEnded(completed); }, Qt::QueuedConnection);
            });
    // IE's status text shows the link under the mouse; this is its counterpart.
    connect(m_page, &QWebEnginePage::linkHovered, this, [this](const QString &url) {
        m_handling->WebBrowser1StatusTextChange(url);
    });

    setWebWindowGeometry(BrowserWindowRules::openingGeometry({}));
}

TForm2::~TForm2()
{
    m_driver->abandon();
    // The view goes before the page it shows (it does not own it), and both
    // before the profile they use.
    delete m_view;
    m_view = nullptr;
    delete m_page;
    m_page = nullptr;
}

void TForm2::pageLoadEnded(bool completed)
{
    if (completed)
        m_handling->WebBrowser1DocumentComplete(true, m_page->title());
    m_handling->WebBrowser1ProgressChange(0);
    if (completed)
        noteFirstPageEnded();
}

void TForm2::noteFirstPageEnded()
{
    if (m_firstPageEnded)
        return;
    m_firstPageEnded = true;
    emit firstPageEndedNow();
}

bool TForm2::preloadUsable() const
{
    return !m_preloadSpoiled && !m_handling->preloadStale();
}

void TForm2::preload()
{
    m_handling->preload();
}

void TForm2::reveal(BrowserWindowBook &book)
{
    const BrowserWindowBook::Opening opening = book.open(availableScreens());
    setObjectName(opening.name);
    m_handling->setWindowName(opening.name);
    setWebWindowGeometry(opening.geometry);
    show();
    raise();
    activateWindow();
    // After the show's own events: a message held for it comes over the window.
    QPointer<PageHandling> handling(m_handling);
    QTimer::singleShot(0, m_handling, [handling] {
        if (handling)
            handling->preloadShown();
    });
}

void TForm2::navigate(const QString &address)
{
    const QUrl url = QUrl::fromUserInput(address.trimmed());
    if (address.trimmed().isEmpty() || !url.isValid()) {
        m_handling->error(tr("This site has no page address to open."));
        return;
    }
    if (!m_handling->preloading()) {
        raise();
        m_view->setFocus();
    }
    // The flags of the original navigation (no history entry, no cache)
    // are the profile's NoCache and a fresh page. No "Referer" header is
    // sent: Chromium drops one whose value is not an absolute address, and
    // "KelvaneSubmit" is not one.
    m_page->load(url);
}

int TForm2::resultCode() const
{
    return m_handling->resultCode();
}

QString TForm2::statusText() const
{
    return m_status->currentMessage();
}

QString TForm2::noticeText() const
{
    return m_notice->isVisibleTo(this) ? m_notice->text() : QString();
}

QString TForm2::suggestionText() const
{
    return m_suggestion->isVisibleTo(this) ? m_suggestion->text() : QString();
}

void TForm2::showNotice()
{
    // The site's note stays while its pages are open; the file notice
    // belongs to one page. Both show when both apply.
    QStringList lines;
    for (const QString &line : {m_handling->siteNote(), m_handling->attentionText()}) {
        if (!line.isEmpty())
            lines.append(line);
    }
    m_notice->setText(lines.join(QLatin1Char('\n')));
    m_notice->setVisible(!lines.isEmpty());
}

void TForm2::showSuggestion()
{
    const std::optional<AnswerSuggestion::Suggestion> suggestion = m_handling->suggestion();
    m_suggestionFocused = false;
    m_suggestion->setText(suggestion ? AnswerSuggestion::barText(*suggestion) : QString());
    m_suggestion->setToolTip(m_suggestion->text());
    m_suggestion->setVisible(suggestion.has_value());
    focusSuggestedButton();
}

void TForm2::focusSuggestedButton()
{
    // A suggestion only: the button takes the focus, the user still presses it.
    const std::optional<AnswerSuggestion::Suggestion> suggestion = m_handling->suggestion();
    if (!suggestion || m_suggestionFocused || !m_handling->outcomeButtonsEnabled())
        return;
    m_suggestionFocused = true;
    QToolButton *button =
        suggestion->verdict == AnswerSuggestion::Verdict::Accepted ? m_done : m_fail;
    button->setFocusPolicy(Qt::StrongFocus);
    button->setFocus(Qt::OtherFocusReason);
}

void TForm2::installOutcomeKeys()
{
    m_done->setToolTip(tr("Record the submission as done (Ctrl+Return)"));
    m_fail->setToolTip(tr("Record the submission as failed (Ctrl+Backspace, when you are not "
                          "typing in the page)"));
    m_cancel->setToolTip(tr("Close without recording anything (Escape, when you are not typing "
                            "in the page)"));
    auto key = [this](const QKeySequence &sequence, auto action) {
        auto *shortcut = new QShortcut(sequence, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    key(QKeySequence(Qt::CTRL | Qt::Key_Return), [this] {
        const std::optional<AnswerSuggestion::Suggestion> suggestion = m_handling->suggestion();
        const bool refused = suggestion && suggestion->verdict != AnswerSuggestion::Verdict::Accepted;
        pressIfEnabled(refused ? m_fail : m_done);
    });
    key(QKeySequence(Qt::CTRL | Qt::Key_Enter), [this] { pressIfEnabled(m_done); });
    key(QKeySequence(Qt::CTRL | Qt::Key_Backspace), [this] { pressUnlessTyping(m_fail); });
    key(QKeySequence(Qt::Key_Escape), [this] { pressUnlessTyping(m_cancel); });
}

void TForm2::pressUnlessTyping(QToolButton *button)
{
    // Ctrl+Backspace deletes a word and Escape ends a choice in a page's
    // control: only when no control of the page has the keyboard do they
    // press their button.
    m_page->runJavaScript(
        QStringLiteral("(function () { var e = document.activeElement;"
                       " while (e && e.shadowRoot && e.shadowRoot.activeElement) e = e.shadowRoot.activeElement;"
                       " if (!e) return false; var t = (e.tagName || '').toUpperCase();"
                       " return t === 'INPUT' || t === 'TEXTAREA' || t === 'SELECT' || t === 'IFRAME'"
                       " || t === 'FRAME' || e.isContentEditable === true; })()"),
        QWebEngineScript::ApplicationWorld,
        [window = QPointer<TForm2>(this), button = QPointer<QToolButton>(button)](const QVariant &typing) {
            if (window && button && !typing.toBool())
                window->pressIfEnabled(button);
        });
}

void TForm2::pressIfEnabled(QToolButton *button)
{
    if (button->isEnabled() && button->isVisible())
        button->click();
}

void TForm2::setWebWindowGeometry(const WebWindowGeometry &geometry)
{
    resize(geometry.width, geometry.height);
    move(geometry.left, geometry.top);
}

WebWindowGeometry TForm2::webWindowGeometry() const
{
    return {width(), height(), x(), y()};
}

bool TForm2::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        m_handling->FormActivate();
    return QWidget::event(event);
}

void TForm2::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // A window manager may decline to activate a new window (focus-stealing
    // prevention); the first show counts as the first activation then, so
    // the page still opens. Later activations do nothing.
    QPointer<PageHandling> handling(m_handling);
    QTimer::singleShot(0, m_handling, [handling] {
        if (handling)
            handling->FormActivate();
    });
}

void TForm2::closeEvent(QCloseEvent *event)
{
    // Only the outcome buttons close the window.
    if (m_closing)
        event->accept();
    else
        event->ignore();
}

bool TForm2::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_bar && event->type() == QEvent::Resize)
        placeOutcomeButtons();
    return QWidget::eventFilter(watched, event);
}

void TForm2::placeOutcomeButtons()
{
    const BrowserWindowRules::OutcomeButtonLefts lefts =
        BrowserWindowRules::outcomeButtonLefts(m_bar->width());
    m_fail->move(lefts.fail, 1);
    m_cancel->move(lefts.cancel, 1);
    m_done->move(lefts.done, 1);
    m_suggestion->setGeometry(4, 0, qMax(0, lefts.fail - 8), BrowserWindowRules::BarHeight);
}

void TForm2::finish(int resultCode)
{
    if (m_closing)
        return;
    m_closing = true;
    // A walk still running is dropped: its answers find nothing to act on.
    m_driver->abandon();
    m_inPlaceWatch->stop();
    m_page->navigationAllowed = [](bool) { return false; };
    QPointer<TForm2> self(this);
    emit closed(resultCode, webWindowGeometry());
    if (self)
        close();
}

TForm2 *openBrowserWindow(BrowserWindowBook &book, int resultCode, SubmissionSource &source,
                          Dialogs &dialogs, AddressHandler &addresses,
                          const BrowserOptions &options, QWidget *owner)
{
    const BrowserWindowBook::Opening opening = book.open(availableScreens());
    auto *window = new TForm2(opening.name, resultCode, source, dialogs, addresses, options, owner);
    window->setWebWindowGeometry(opening.geometry);
    window->show();
    return window;
}

TForm2 *preloadBrowserWindow(int siteRow, SubmissionSource &source, Dialogs &dialogs,
                             AddressHandler &addresses, const BrowserOptions &options,
                             QWidget *owner)
{
    auto *window = new TForm2(QStringLiteral("KelvaneSubmit_next"), siteRow, source, dialogs,
                              addresses, options, owner);
    window->preload();
    return window;
}
