#pragma once

#include <QString>

// The modal message boxes, as a port: the windows ask through it, the real
// adapter shows QMessageBox, tests answer with a fake.
class Dialogs
{
public:
    enum class Answer { Ok, Cancel, Yes };

    virtual ~Dialogs() = default;
    // A box with a title, the text and "OK".
    virtual void message(const QString &title, const QString &text) = 0;
    // An error box with "OK".
    virtual void error(const QString &text) = 0;
    // A warning with OK and Cancel, Cancel focused.
    virtual Answer warnOkCancel(const QString &title, const QString &text) = 0;
    // A warning with OK and Cancel, OK focused, so that Enter confirms. Ports
    // that cannot move the focus ask as warnOkCancel does: the answers mean the same.
    virtual Answer confirmOkCancel(const QString &title, const QString &text)
    {
        return warnOkCancel(title, text);
    }
    // A question with "&Yes" and Cancel, Cancel focused.
    virtual Answer askYesCancel(const QString &title, const QString &text) = 0;
};
