#include "submit/browser/outcome.h"

namespace BrowserWindowRules {

OutcomeButtonLefts outcomeButtonLefts(int barWidth)
{
    return {barWidth - 212, barWidth - 146, barWidth - 77};
}

QString windowName(int counter)
{
    return QStringLiteral("KelvaneSubmit_") + QString::number(counter);
}

WebWindowGeometry openingGeometry(const WebWindowGeometry &remembered,
                                  const QList<QRect> &screens)
{
    WebWindowGeometry g = remembered;
    if (g.width == 0)
        g.width = DefaultWidth;
    if (g.height == 0)
        g.height = DefaultHeight;
    if (g.left == 0)
        g.left = DefaultLeft;
    if (g.top == 0)
        g.top = DefaultTop;
    if (screens.isEmpty())
        return g;
    const QRect bar(g.left, g.top, g.width, BarHeight);
    for (const QRect &screen : screens) {
        const QRect shown = screen.intersected(bar);
        if (shown.width() >= BarHeight && shown.height() >= BarHeight / 2)
            return g;
    }
    return openingGeometry({});
}

} // namespace BrowserWindowRules

BrowserWindowBook::Opening BrowserWindowBook::open(const QList<QRect> &screens)
{
    ++m_counter;
    return {BrowserWindowRules::windowName(m_counter),
            BrowserWindowRules::openingGeometry(m_geometry, screens)};
}
