#pragma once

#include <QWidget>

class BrowserPage;
class QWebEngineNewWindowRequest;
class QWebEngineView;
struct BrowserOptions;

// A window a page opens for itself (a link or form with target=_blank, a
// script's window.open after a click): shown beside the submission window,
// on the run's profile, so an answer sent there is seen and the filled form
// stays where it is. It closes with the window that opened it.
class PopupWindow : public QWidget
{
    Q_OBJECT

public:
    PopupWindow(const BrowserOptions &options, QWidget *opener);

    BrowserPage *page() const { return m_page; }

    // Opens a user's request in a new window beside `opener`; a request no
    // click or key asked for is refused. Returns the window, or null.
    static PopupWindow *open(QWebEngineNewWindowRequest &request, const BrowserOptions &options,
                             QWidget *opener);

private:
    BrowserPage *m_page = nullptr;
    QWebEngineView *m_view = nullptr;
};
