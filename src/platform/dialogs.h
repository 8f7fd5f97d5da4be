#pragma once

#include <QString>

// The modal message boxes and file dialogs, as a port: the windows ask
// through it, the real adapter shows QMessageBox and QFileDialog, tests
// answer with a fake.
class Dialogs
{
public:
    enum class Answer { Ok, Cancel, Yes, Save, Discard };

    // What a file dialog shows: its title, one filter entry in Qt's form
    // ("XML file (*)"), the suffix given to a name typed without one, and the
    // name it offers first. Read-only files are not listed.
    struct FileDialogSettings
    {
        QString title;
        QString filter;
        QString defaultSuffix;
        QString initialName;
    };

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
    // A warning whose going-on button is captioned `goOn` ("Export anyway"),
    // and Cancel, Cancel focused; going on answers Ok.
    virtual Answer warnGoOnCancel(const QString &title, const QString &text, const QString &goOn)
    {
        Q_UNUSED(goOn);
        return warnOkCancel(title, text);
    }
    // A question with "&Yes" and Cancel, Cancel focused.
    virtual Answer askYesCancel(const QString &title, const QString &text) = 0;
    // A question with Save, Discard and Cancel, Cancel focused. Ports that
    // cannot ask answer Cancel: the answer that loses nothing.
    virtual Answer askSaveDiscardCancel(const QString &title, const QString &text)
    {
        Q_UNUSED(title);
        Q_UNUSED(text);
        return Answer::Cancel;
    }

    // A save dialog: the chosen path, or "" when cancelled. The user is asked
    // before an existing file is replaced and before a new one is created; the
    // folder must exist. Ports without file dialogs answer as a cancel.
    virtual QString saveFileName(const FileDialogSettings &settings)
    {
        Q_UNUSED(settings);
        return QString();
    }
    // An open dialog for one existing file: its path, or "" when cancelled.
    virtual QString openFileName(const FileDialogSettings &settings)
    {
        Q_UNUSED(settings);
        return QString();
    }
};
