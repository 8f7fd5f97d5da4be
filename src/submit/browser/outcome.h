#pragma once

#include "platform/settings.h"

#include <QList>
#include <QRect>
#include <QString>

// The rules of a browser window's frame that hold no page: where the
// outcome buttons sit, what a new window is called and where it opens. What
// a closed window leaves in the history is HistoryRecord's (submit/run).
namespace BrowserWindowRules {

// The bar's three buttons keep their distance from its right edge.
struct OutcomeButtonLefts
{
    int fail;
    int cancel;
    int done;
};
OutcomeButtonLefts outcomeButtonLefts(int barWidth);

inline constexpr int BarHeight = 24;
inline constexpr int DefaultWidth = 640;
inline constexpr int DefaultHeight = 380;
inline constexpr int DefaultLeft = 250;
inline constexpr int DefaultTop = 230;

// "KelvaneSubmit_1" for the first window after start-up.
QString windowName(int counter);

// Each of width, height, left and top that is 0 takes its default. A
// window that would not show its bar on any of `screens` (a screen was
// removed since) opens at the defaults; no screens given, no such check.
WebWindowGeometry openingGeometry(const WebWindowGeometry &remembered,
                                  const QList<QRect> &screens = {});

} // namespace BrowserWindowRules

// The main window's record of its browser windows' names and places: the
// name counter of the run and the geometry the next window opens with (the
// last closed window's, or "WebWindow" of the settings file at start-up).
class BrowserWindowBook
{
public:
    struct Opening
    {
        QString name;
        WebWindowGeometry geometry;
    };
    // Counts the window and returns its name and geometry on `screens`.
    Opening open(const QList<QRect> &screens = {});
    // A window closed here: the next one opens where it was.
    void closed(const WebWindowGeometry &geometry) { m_geometry = geometry; }

    int counter() const { return m_counter; }
    // What to write to "WebWindow" at program end.
    WebWindowGeometry geometry() const { return m_geometry; }
    void setGeometry(const WebWindowGeometry &geometry) { m_geometry = geometry; }

private:
    int m_counter = 0;
    WebWindowGeometry m_geometry;
};
