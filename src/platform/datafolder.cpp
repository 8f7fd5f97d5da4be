#include "platform/datafolder.h"

#include "platform/datafiles.h"
#include "platform/installlayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

struct DataFile
{
    const char *name;
    bool ownerOnly;
};

constexpr DataFile Files[] = {
    {DataFiles::CatalogueName, false},
    {DataFiles::HistoryName, false},
    {DataFiles::CredentialsName, true},
    {DataFiles::UserSitesName, false},
    {DataFiles::SettingsName, true},
};

// Whole or not at all, so a copy cut short never passes for the data.
bool copyWhole(const QString &from, const QString &to, bool ownerOnly)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return false;
    QSaveFile out(to);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (ownerOnly)
        out.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (out.write(bytes) != bytes.size() || !out.commit()) {
        out.cancelWriting();
        return false;
    }
    return true;
}

QString nativeList(const QStringList &paths)
{
    QStringList native;
    for (const QString &path : paths)
        native.append(QDir::toNativeSeparators(path));
    return native.join(QStringLiteral(", "));
}

QString messageFor(const QString &programFolder, const DataFolder::Choice &choice,
                   DataFolder::Copy copy)
{
    // Says why truly: an installed copy's folder may well be writable.
    QString text =
        (copy == DataFolder::Copy::Installed
             ? QCoreApplication::translate("DataFolder",
                                           "The program in %1 is an installed copy, so your data "
                                           "is now kept in %2.")
             : QCoreApplication::translate("DataFolder",
                                           "The program's folder %1 cannot be written to, so your "
                                           "data is now kept in %2."))
            .arg(QDir::toNativeSeparators(programFolder), QDir::toNativeSeparators(choice.folder));
    if (!choice.copied.isEmpty())
        text += QLatin1Char('\n')
                + QCoreApplication::translate(
                      "DataFolder",
                      "Copied there from the program's folder, whose files are left as they "
                      "are: %1.")
                      .arg(nativeList(choice.copied));
    if (!choice.notCopied.isEmpty())
        text += QLatin1Char('\n')
                + QCoreApplication::translate(
                      "DataFolder",
                      "These files beside the program could not be copied there and are not "
                      "used: %1.")
                      .arg(nativeList(choice.notCopied));
    return text;
}

} // namespace

namespace DataFolder {

bool canWriteInto(const QString &folder)
{
    if (!QFileInfo(folder).isDir())
        return false;
    // Permission bits can lie (root, ACLs, read-only mounts): try for real.
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".kelvane-probe-XXXXXX")));
    return probe.open();
}

Choice choose(const QString &programFolder, const QString &perUserFolder, WritableProbe canWrite,
              Copy copy)
{
    Choice choice;
    if (copy == Copy::Portable && canWrite(programFolder)) {
        choice.folder = QDir(programFolder).absolutePath();
        return choice;
    }
    QDir().mkpath(perUserFolder);
    choice.folder = QDir(perUserFolder).absolutePath();
    // Copy, never move: the program's folder may be shared, and a file the
    // user already has here is never replaced.
    for (const DataFile &file : Files) {
        const QString name = QString::fromLatin1(file.name);
        const QString from = QDir(programFolder).filePath(name);
        const QString to = QDir(choice.folder).filePath(name);
        if (!QFileInfo(from).isFile() || QFileInfo::exists(to) || QFileInfo(to).isSymLink())
            continue;
        if (!copyWhole(from, to, file.ownerOnly)) {
            choice.notCopied.append(from);
            continue;
        }
        choice.copied.append(to);
    }
    if (!choice.copied.isEmpty() || !choice.notCopied.isEmpty())
        choice.message = messageFor(QDir(programFolder).absolutePath(), choice, copy);
    return choice;
}

Choice forThisProgram()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    return choose(programFolder, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                  canWriteInto,
                  InstallLayout::isInstalled(programFolder) ? Copy::Installed : Copy::Portable);
}

} // namespace DataFolder
