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
    return anchorAddress(filePath, QStringLiteral("topic%1").arg(topic));
}

QString anchorAddress(const QString &filePath, const QString &anchor)
{
    QUrl url = QUrl::fromLocalFile(filePath);
    url.setFragment(anchor);
    return url.toString(QUrl::FullyEncoded);
}

QString anchorForView(const QString &viewName)
{
    struct Place
    {
        const char *view;
        const char *anchor;
    };
    static constexpr Place Places[] = {
        {"Panel_2", "topic2"}, {"Panel_3", "topic5"}, {"Panel_4", "topic7"},
        {"Panel_opt", "topic8"}, {"Panel_5", "topic10"},
    };
    for (const Place &place : Places) {
        if (viewName == QLatin1String(place.view))
            return QString::fromLatin1(place.anchor);
    }
    // The editor's pages are "Panel_1a" to "Panel_1g".
    if (viewName.size() == 8 && viewName.startsWith(QLatin1String("Panel_1"))
        && viewName.back() >= QLatin1Char('a') && viewName.back() <= QLatin1Char('g'))
        return QStringLiteral("page%1").arg(viewName.back().unicode() - u'a' + 1);
    return QStringLiteral("topic1");
}

} // namespace HelpFile
