#pragma once

#include "platform/dialogs.h"

#include <QPointer>
#include <QString>
#include <QWidget>

// The Dialogs port shown as modal QMessageBox and QFileDialog windows. Texts are plain text
// (a site or product name is never taken for markup) and a carriage return
// in a message is a line break.
class MessageBoxDialogs : public Dialogs
{
public:
    explicit MessageBoxDialogs(QWidget *parent = nullptr) : m_parent(parent) {}
    // The window the boxes are modal to; until it exists they have none.
    void setParentWindow(QWidget *parent) { m_parent = parent; }

    void message(const QString &title, const QString &text) override;
    void error(const QString &text) override;
    Answer warnOkCancel(const QString &title, const QString &text) override;
    Answer confirmOkCancel(const QString &title, const QString &text) override;
    Answer warnGoOnCancel(const QString &title, const QString &text, const QString &goOn) override;
    Answer askYesCancel(const QString &title, const QString &text) override;
    Answer askSaveDiscardCancel(const QString &title, const QString &text) override;
    QString saveFileName(const FileDialogSettings &settings) override;
    QString openFileName(const FileDialogSettings &settings) override;

    // The text as the box shows it: "\r\n" and a lone "\r" become line breaks.
    static QString displayText(const QString &text);
    // The caption of boxes that bring none of their own.
    static QString applicationTitle();

private:
    QPointer<QWidget> m_parent;
};
