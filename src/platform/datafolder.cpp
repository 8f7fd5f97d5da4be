#include "platform/datafolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

bool canWriteInto(const QString &folder)
{
    if (!QFileInfo(folder).isDir())
        return false;
    // Permission bits can lie (root, ACLs, read-only mounts): try for real.
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".kelvane-probe-XXXXXX")));
    return probe.open();
}

} // namespace

namespace DataFolder {

QString choose(const QString &programFolder, const QString &perUserFolder)
{
    if (canWriteInto(programFolder))
        return QDir(programFolder).absolutePath();
    QDir().mkpath(perUserFolder);
    return QDir(perUserFolder).absolutePath();
}

QString forThisProgram()
{
    return choose(QCoreApplication::applicationDirPath(),
                  QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

} // namespace DataFolder
