#pragma once

#include "platform/settings.h"

class BrowserWindowBook;

#include <QStringList>
#include <QWidget>

// The user's browser choices, given to each window when it is created.
struct BrowserOptions
{
    bool images = true;
    bool scripts = true;
    // Added to the user-agent text's platform part for every window of the run.
    QStringList userAgentTokens;
};

// A submission or registration window, as the rest of the program sees it.
class SubmissionWindow : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;
    // The site row, or minus the site row for a registration window.
    virtual int resultCode() const = 0;
    // What the page left to the user (a file to choose, a picture code to
    // type), the latest one; "" when nothing was.
    virtual QString leftToUser() const { return QString(); }
    // A window prepared hidden for a page loaded ahead of its turn: counted,
    // named and placed by `book` now, and shown.
    virtual void reveal(BrowserWindowBook &book) = 0;
    // The window's first page has loaded, or failed to.
    virtual bool firstPageEnded() const = 0;
    // A window loaded ahead that can still be shown as it is.
    virtual bool preloadUsable() const = 0;

signals:
    void firstPageEndedNow();
    // An outcome button was pressed: positive done, negative failed, 0 cancelled.
    void closed(int resultCode, const WebWindowGeometry &geometry);
};

