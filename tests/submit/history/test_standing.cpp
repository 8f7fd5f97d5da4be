// Each product's standing over the history, and one product's report.
#include "submit/history/history.h"
#include "submit/history/standing.h"
#include "submit/sites/siterecord.h"

#include <QTest>

class TestStanding : public QObject
{
    Q_OBJECT

    // Three sites by two products; a typed cell counts as taken, as the
    // submit list's colouring has it.
    static Table history()
    {
        Table h(3, 4);
        h.setCell(1, 0, QStringLiteral("Alpha"));
        h.setCell(2, 0, QStringLiteral("Beta"));
        const QStringList sites{"zeta", "Alpha Files", "=Mid"};
        for (int r = 1; r <= 3; ++r)
            h.setCell(0, r, sites.at(r - 1));
        h.setCell(1, 1, QStringLiteral("12/10/2026  ok"));
        h.setCell(1, 2, History::failCell());
        h.setCell(1, 3, QStringLiteral("12/9/2026  ok"));
        h.setCell(2, 2, QStringLiteral("sent by hand"));
        return h;
    }

private slots:
    void eachProductIsCountedOverEverySite()
    {
        const QList<Standing::Counts> counts = Standing::ofProducts(history());
        QCOMPARE(counts.size(), 3);
        QCOMPARE(counts.at(1), (Standing::Counts{2, 1, 0}));
        QCOMPARE(counts.at(2), (Standing::Counts{1, 0, 2}));
        QCOMPARE(Standing::text(counts.at(2)), QStringLiteral("1 ok, 0 failed, 2 not yet"));
    }

    void theReportListsTakenThenRefusedThenTheRest()
    {
        Table sites(8, 4);
        for (int r = 1; r <= 3; ++r)
            sites.setCell(SiteRecord::HomePage, r, QStringLiteral("http://s%1.example/").arg(r));
        QCOMPARE(Standing::reportCsv(history(), sites, 1),
                 QByteArray("Site,Outcome,Date,Home page\r\n"
                            "'=Mid,ok,12/9/2026,http://s3.example/\r\n"
                            "zeta,ok,12/10/2026,http://s1.example/\r\n"
                            "Alpha Files,failed,,http://s2.example/\r\n"));
        QCOMPARE(Standing::report(history(), sites, 2).last(),
                 (QStringList{"zeta", "not yet", "", "http://s1.example/"}));
    }
};

QTEST_GUILESS_MAIN(TestStanding)
#include "test_standing.moc"
