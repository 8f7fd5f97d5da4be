#include "platform/messageboxdialogs.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

int run(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
        QMessageBox::StandardButtons buttons, QMessageBox::StandardButton focused)
{
    QMessageBox box(icon, title, MessageBoxDialogs::displayText(text), buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(focused);
    if (buttons.testFlag(QMessageBox::Cancel))
        box.setEscapeButton(QMessageBox::Cancel);
    return box.exec();
}

} // namespace

QString MessageBoxDialogs::displayText(const QString &text)
{
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

QString MessageBoxDialogs::applicationTitle()
{
    return QCoreApplication::applicationName();
}

void MessageBoxDialogs::message(const QString &title, const QString &text)
{
    run(m_parent, QMessageBox::NoIcon, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

void MessageBoxDialogs::error(const QString &text)
{
    run(m_parent, QMessageBox::Critical, applicationTitle(), text, QMessageBox::Ok,
        QMessageBox::Ok);
}

Dialogs::Answer MessageBoxDialogs::warnOkCancel(const QString &title, const QString &text)
{
    return run(m_parent, QMessageBox::Warning, title, text,
               QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel)
                   == QMessageBox::Ok
               ? Answer::Ok
               : Answer::Cancel;
}

Dialogs::Answer MessageBoxDialogs::confirmOkCancel(const QString &title, const QString &text)
{
    return run(m_parent, QMessageBox::Warning, title, text,
               QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok)
                   == QMessageBox::Ok
               ? Answer::Ok
               : Answer::Cancel;
}

Dialogs::Answer MessageBoxDialogs::askYesCancel(const QString &title, const QString &text)
{
    return run(m_parent, QMessageBox::Question, title, text,
               QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Cancel)
                   == QMessageBox::Yes
               ? Answer::Yes
               : Answer::Cancel;
}
