#include "platform/messageboxdialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>
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

Dialogs::Answer MessageBoxDialogs::warnGoOnCancel(const QString &title, const QString &text,
                                                  const QString &goOn)
{
    QMessageBox box(QMessageBox::Warning, title, displayText(text), QMessageBox::Cancel, m_parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton *goOnButton = box.addButton(goOn, QMessageBox::AcceptRole);
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    return box.clickedButton() == goOnButton ? Answer::Ok : Answer::Cancel;
}

Dialogs::Answer MessageBoxDialogs::askYesCancel(const QString &title, const QString &text)
{
    return run(m_parent, QMessageBox::Question, title, text,
               QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Cancel)
                   == QMessageBox::Yes
               ? Answer::Yes
               : Answer::Cancel;
}

Dialogs::Answer MessageBoxDialogs::askSaveDiscardCancel(const QString &title, const QString &text)
{
    switch (run(m_parent, QMessageBox::Warning, title, text,
                QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Cancel)) {
    case QMessageBox::Save:
        return Answer::Save;
    case QMessageBox::Discard:
        return Answer::Discard;
    default:
        return Answer::Cancel;
    }
}

namespace {

// Hides read-only files from a file dialog; folders stay, to move through.
class WritableFilesOnly : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool filterAcceptsRow(int row, const QModelIndex &parent) const override
    {
        const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
        if (!files)
            return true;
        const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
        return info.isDir() || info.isWritable();
    }
};

void setUp(QFileDialog &dialog, const Dialogs::FileDialogSettings &settings)
{
    dialog.setWindowTitle(settings.title);
    dialog.setNameFilter(settings.filter);
    dialog.setDefaultSuffix(settings.defaultSuffix);
    // The filter model needs Qt's own dialog.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new WritableFilesOnly(&dialog));
    dialog.selectFile(settings.initialName);
}

} // namespace

QString MessageBoxDialogs::saveFileName(const FileDialogSettings &settings)
{
    QFileDialog dialog(m_parent);
    setUp(dialog, settings);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Replacing an existing file is confirmed by the dialog itself.
    while (dialog.exec() == QDialog::Accepted) {
        const QString path = dialog.selectedFiles().value(0);
        const QFileInfo info(path);
        if (!info.absoluteDir().exists()) {
            run(m_parent, QMessageBox::Warning, settings.title,
                QCoreApplication::translate("MessageBoxDialogs", "%1\rThe folder does not exist.")
                    .arg(QDir::toNativeSeparators(info.absolutePath())),
                QMessageBox::Ok, QMessageBox::Ok);
            continue;
        }
        if (!info.exists()
            && askYesCancel(settings.title,
                            QCoreApplication::translate("MessageBoxDialogs",
                                                        "%1\rThis file does not exist.\rCreate the file?")
                                .arg(QDir::toNativeSeparators(path)))
                   != Answer::Yes)
            continue;
        return path;
    }
    return QString();
}

QString MessageBoxDialogs::openFileName(const FileDialogSettings &settings)
{
    QFileDialog dialog(m_parent);
    setUp(dialog, settings);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}
