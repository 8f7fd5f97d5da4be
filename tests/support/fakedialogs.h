#pragma once

#include "platform/dialogs.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// Records every box a window asks for and answers the questions from a queue
// (Cancel once the queue is empty: the answer that changes nothing). File
// dialogs answer from `fileNames` ("" or an empty queue: cancelled).
class FakeDialogs : public Dialogs
{
public:
    enum class Kind { Message, Error, WarnOkCancel, AskYesCancel, ConfirmOkCancel, SaveFile, OpenFile,
                      WarnGoOnCancel, AskSaveDiscardCancel };

    struct Shown
    {
        Kind kind;
        QString title;
        QString text;
    };

    QList<Shown> shown;
    QList<Answer> answers;
    QStringList fileNames;
    QStringList goOnCaptions;
    // Warnings answered by their title without being asked or recorded, for
    // tests about something else.
    QHash<QString, Answer> standingAnswers;
    // The settings every file dialog was opened with, in order.
    QList<FileDialogSettings> fileDialogs;

    void message(const QString &title, const QString &text) override
    {
        shown.append({Kind::Message, title, text});
    }
    void error(const QString &text) override { shown.append({Kind::Error, QString(), text}); }
    Answer warnOkCancel(const QString &title, const QString &text) override
    {
        if (standingAnswers.contains(title))
            return standingAnswers.value(title);
        shown.append({Kind::WarnOkCancel, title, text});
        return next();
    }
    Answer confirmOkCancel(const QString &title, const QString &text) override
    {
        shown.append({Kind::ConfirmOkCancel, title, text});
        return next();
    }
    // The going-on button's caption goes into `goOnCaptions`.
    Answer warnGoOnCancel(const QString &title, const QString &text, const QString &goOn) override
    {
        if (standingAnswers.contains(title))
            return standingAnswers.value(title);
        shown.append({Kind::WarnGoOnCancel, title, text});
        goOnCaptions.append(goOn);
        return next();
    }
    Answer askYesCancel(const QString &title, const QString &text) override
    {
        shown.append({Kind::AskYesCancel, title, text});
        return next();
    }

    Answer askSaveDiscardCancel(const QString &title, const QString &text) override
    {
        shown.append({Kind::AskSaveDiscardCancel, title, text});
        return next();
    }

    QString saveFileName(const FileDialogSettings &settings) override
    {
        shown.append({Kind::SaveFile, settings.title, settings.initialName});
        fileDialogs.append(settings);
        return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
    }
    QString openFileName(const FileDialogSettings &settings) override
    {
        shown.append({Kind::OpenFile, settings.title, settings.initialName});
        fileDialogs.append(settings);
        return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
    }

    // The texts of the boxes of one kind, in order.
    QStringList texts(Kind kind) const
    {
        QStringList result;
        for (const Shown &s : shown) {
            if (s.kind == kind)
                result.append(s.text);
        }
        return result;
    }
    QStringList errors() const { return texts(Kind::Error); }
    QStringList messages() const { return texts(Kind::Message); }

private:
    Answer next() { return answers.isEmpty() ? Answer::Cancel : answers.takeFirst(); }
};
