#include "submit/run/runprogress.h"

#include <QCoreApplication>

namespace RunProgress {

QString duration(qint64 milliseconds)
{
    const qint64 seconds = std::max<qint64>(0, milliseconds) / 1000;
    const auto two = [](qint64 n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    if (seconds >= 3600)
        return QStringLiteral("%1:%2:%3").arg(seconds / 3600).arg(two(seconds / 60 % 60), two(seconds % 60));
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(two(seconds % 60));
}

qint64 estimateLeft(const SubmissionRun::Progress &progress, qint64 elapsedMs)
{
    const SubmissionRun::Summary &o = progress.outcomes;
    const int handled = o.done + o.failed + o.cancelled;
    if (handled <= 0)
        return -1;
    return elapsedMs / handled * std::max(0, progress.total - handled);
}

QString text(const SubmissionRun::Progress &progress, const QString &product, qint64 elapsedMs)
{
    const auto tr = [](const char *s) { return QCoreApplication::translate("RunProgress", s); };
    const qint64 left = estimateLeft(progress, elapsedMs);
    const SubmissionRun::Summary &o = progress.outcomes;
    return tr("Site %1 of %2: %3. %4 so far, %5. %6 ok, %7 failed, %8 cancelled.")
        .arg(progress.current)
        .arg(progress.total)
        .arg(product, duration(elapsedMs),
             left < 0 ? tr("the time left is estimated after the first site")
                      : tr("about %1 left").arg(duration(left)))
        .arg(o.done)
        .arg(o.failed)
        .arg(o.cancelled);
}

} // namespace RunProgress
