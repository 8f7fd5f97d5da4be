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

WebWindowGeometry openingGeometry(const WebWindowGeometry &remembered)
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
    return g;
}

} // namespace BrowserWindowRules

BrowserWindowBook::Opening BrowserWindowBook::open()
{
    ++m_counter;
    return {BrowserWindowRules::windowName(m_counter),
            BrowserWindowRules::openingGeometry(m_geometry)};
}
