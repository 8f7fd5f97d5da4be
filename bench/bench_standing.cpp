// Each product's standing over the history, as the software list shows it:
// 300 products by 3,000 sites, a third of the cells filled.
#include "benchreport.h"

#include "submit/history/history.h"
#include "submit/history/standing.h"

#include <QElapsedTimer>

#include <algorithm>

int main()
{
    constexpr int Products = 300;
    constexpr int Sites = 3000;
    Table history(Products + 1, Sites + 1);
    for (int r = 1; r <= Sites; ++r) {
        history.setCell(0, r, QStringLiteral("Site %1").arg(r));
        for (int k = 1; k <= Products; ++k) {
            if ((r + k) % 3 == 0)
                history.setCell(k, r, QStringLiteral("12/10/2026  ok"));
            else if ((r + k) % 7 == 0)
                history.setCell(k, r, History::failCell());
        }
    }
    double best = 1e9;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer clock;
        clock.start();
        const QList<Standing::Counts> counts = Standing::ofProducts(history);
        best = std::min(best, clock.nsecsElapsed() / 1e6);
        if (counts.size() != Products + 1 || counts.at(1).total() != Sites)
            return 2;
    }
    return report("standing of 300 products over 3,000 sites (ms)", best, 50) ? 0 : 1;
}
