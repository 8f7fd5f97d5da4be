#include "shell/helpfile.h"

#include "platform/installlayout.h"

#include <QDir>
#include <QUrl>

namespace HelpFile {

QString path(const QString &programFolder)
{
    const QString found = InstallLayout::find(
        InstallLayout::folders(InstallLayout::Kind::Help, QString(), programFolder), name());
    return found.isEmpty() ? QDir(programFolder).filePath(name()) : found;
}

QString contentsAddress(const QString &filePath)
{
    return QUrl::fromLocalFile(filePath).toString(QUrl::FullyEncoded);
}

QString topicAddress(const QString &filePath, int topic)
{
    QUrl url = QUrl::fromLocalFile(filePath);
    url.setFragment(QStringLiteral("topic%1").arg(topic));
    return url.toString(QUrl::FullyEncoded);
}

} // namespace HelpFile
