#include "submit/browser/inplaceanswer.h"

#include <QHash>
#include <QStringList>

namespace InPlaceAnswer {

namespace {

QHash<QString, int> lineCounts(const QString &text)
{
    QHash<QString, int> counts;
    for (const QString &line : text.split(u'\n', Qt::SkipEmptyParts)) {
        const QString t = line.trimmed();
        if (!t.isEmpty())
            ++counts[t];
    }
    return counts;
}

// The characters of the lines `a` has more of than `b`.
qsizetype surplus(const QHash<QString, int> &a, const QHash<QString, int> &b)
{
    qsizetype n = 0;
    for (auto it = a.cbegin(); it != a.cend(); ++it) {
        const int extra = it.value() - b.value(it.key());
        if (extra > 0)
            n += extra * it.key().size();
    }
    return n;
}

} // namespace

bool changed(const PageState &before, const PageState &after)
{
    if (before.title.trimmed() != after.title.trimmed())
        return true;
    if (before.text == after.text)
        return false;
    const QHash<QString, int> was = lineCounts(before.text);
    const QHash<QString, int> now = lineCounts(after.text);
    return surplus(now, was) + surplus(was, now) >= ChangedCharacters;
}

} // namespace InPlaceAnswer
