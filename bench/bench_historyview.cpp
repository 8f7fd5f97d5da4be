// The history view over 3,000 sites by 100 products: opening it, and one
// page scrolled and painted, down and then across.
#include "benchreport.h"
#include "platform/table.h"
#include "submit/historyview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTableView>

#include <cstdio>

namespace {

double scrollThrough(QTableView *grid, QScrollBar *bar, int *pages)
{
    QElapsedTimer timer;
    timer.start();
    *pages = 0;
    for (int v = bar->minimum(); v <= bar->maximum(); v += qMax(1, bar->pageStep()), ++*pages) {
        bar->setValue(v);
        grid->viewport()->repaint();
    }
    return timer.nsecsElapsed() / 1e6 / qMax(1, *pages);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    Table history(101, 2);
    history.setCell(0, 0, QStringLiteral("Web site"));
    for (int p = 1; p <= 100; ++p)
        history.setCell(p, 0, QStringLiteral("Product %1").arg(p));
    for (int s = 1; s <= 3000; ++s) {
        if (s > 1)
            history.appendRow();
        history.setCell(0, s, QStringLiteral("Site%1").arg(s));
        for (int p = 1; p <= 100; p += 3)
            history.setCell(p, s, (s + p) % 2 ? QStringLiteral("1/2/26  ok") : QStringLiteral("   fail"));
    }

    QElapsedTimer timer;
    timer.start();
    HistoryView view(history);
    view.resize(640, 296);
    view.show();
    app.processEvents();
    const double open = timer.nsecsElapsed() / 1e6;

    int down = 0, across = 0;
    const double perPageDown = scrollThrough(view.table(), view.table()->verticalScrollBar(), &down);
    const double perPageAcross =
        scrollThrough(view.table(), view.table()->horizontalScrollBar(), &across);
    std::printf("scrolled %d pages down, %d across\n", down, across);
    bool ok = true;
    ok &= report("history view opened, 3,000 x 100, ms", open, 200);
    ok &= report("one page scrolled down and painted, ms", perPageDown, 16);
    ok &= report("one page scrolled across and painted, ms", perPageAcross, 16);
    return ok ? 0 : 1;
}
