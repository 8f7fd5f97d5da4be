#include "platform/installlayout.h"

#include <QDir>
#include <QFileInfo>

namespace {

enum class Base { Data, Program };

struct Place
{
    InstallLayout::Kind kind;
    Base base;
    const char *relative;
};

using InstallLayout::Kind;

// Order matters: the first place holding the file wins.
constexpr Place Places[] = {
    {Kind::SiteLibrary, Base::Data, "."},
    {Kind::SiteLibrary, Base::Program, "."},
    {Kind::SiteLibrary, Base::Program, InstallLayout::PrivateLibraryFolder},
    {Kind::Checker, Base::Program, "."},
    {Kind::Checker, Base::Program, InstallLayout::PrivateLibraryFolder},
    {Kind::Help, Base::Program, "."},
    {Kind::Help, Base::Program, InstallLayout::SharedDataFolder},
};

// Cleaned, and no ".." above the root (a program in "/" has no parent).
QString cleanFolder(const QString &base, const char *relative)
{
    QString folder = QDir::cleanPath(QDir(base).absoluteFilePath(QString::fromLatin1(relative)));
    while (folder.startsWith(QLatin1String("/../")))
        folder.remove(0, 3);
    return folder == QLatin1String("/..") ? QStringLiteral("/") : folder;
}

} // namespace

namespace InstallLayout {

QStringList folders(Kind kind, const QString &dataFolder, const QString &programFolder)
{
    QStringList found;
    for (const Place &place : Places) {
        const QString &base = place.base == Base::Data ? dataFolder : programFolder;
        if (place.kind != kind || base.isEmpty())
            continue;
        const QString folder = cleanFolder(base, place.relative);
        if (!found.contains(folder))
            found.append(folder);
    }
    return found;
}

QString find(const QStringList &folders, const QString &name)
{
    for (const QString &folder : folders) {
        const QString path = QDir(folder).absoluteFilePath(name);
        if (QFileInfo(path).isFile())
            return path;
    }
    return QString();
}

bool isInstalled(const QString &programFolder)
{
    return QFileInfo(QDir(programFolder).absoluteFilePath(QString::fromLatin1(PrivateLibraryFolder)))
        .isDir();
}

} // namespace InstallLayout
