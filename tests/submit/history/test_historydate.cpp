// Reading back the date of an "ok" history cell in the formats the program
// writes and older files hold.
#include "submit/history/historydate.h"

#include <QTest>

Q_DECLARE_METATYPE(QLocale)

class TestHistoryDate : public QObject
{
    Q_OBJECT

private slots:
    void anOkCellGivesItsDate_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<bool>("isOk");
        QTest::addColumn<QString>("dateText");
        QTest::addColumn<QDate>("date");

        const QLocale us(QLocale::English, QLocale::UnitedStates);
        const QLocale de(QLocale::German, QLocale::Germany);
        const QLocale gb(QLocale::English, QLocale::UnitedKingdom);
        QTest::newRow("US short date with the century") << us << "6/12/2026  ok" << true
                                                        << "6/12/2026" << QDate(2026, 6, 12);
        QTest::newRow("US two-digit year of an older file")
            << us << "12/6/05  ok" << true << "12/6/05" << QDate(2005, 12, 6);
        QTest::newRow("29 February of a two-digit 00") << us << "2/29/00  ok" << true << "2/29/00"
                                                        << QDate(2000, 2, 29);
        QTest::newRow("two-digit 29 is still this century")
            << us << "1/2/29  ok" << true << "1/2/29" << QDate(2029, 1, 2);
        QTest::newRow("two-digit 30 is the last century")
            << us << "1/2/30  ok" << true << "1/2/30" << QDate(1930, 1, 2);
        QTest::newRow("German dots with the century")
            << de << "01.02.2024  ok" << true << "01.02.2024" << QDate(2024, 2, 1);
        QTest::newRow("German dots, two-digit year")
            << de << "01.02.99  ok" << true << "01.02.99" << QDate(1999, 2, 1);
        QTest::newRow("British day first") << gb << "12/06/2026  ok" << true << "12/06/2026"
                                           << QDate(2026, 6, 12);
        QTest::newRow("ISO typed by hand") << us << "2025-03-04 ok" << true << "2025-03-04"
                                           << QDate(2025, 3, 4);
        QTest::newRow("OK in capitals, one blank") << us << "6/12/2026 OK" << true << "6/12/2026"
                                                   << QDate(2026, 6, 12);
        QTest::newRow("a day that does not exist") << us << "2/30/2026  ok" << true
                                                   << "2/30/2026" << QDate();
        QTest::newRow("another locale's order") << us << "13.06.2026  ok" << true
                                                << "13.06.2026" << QDate();
        QTest::newRow("ok alone") << us << "ok" << true << "" << QDate();
        QTest::newRow("words before ok") << us << "sent by hand  ok" << true << "sent by hand"
                                         << QDate();
        QTest::newRow("fail") << us << "   fail" << false << "" << QDate();
        QTest::newRow("empty") << us << "" << false << "" << QDate();
        QTest::newRow("ok inside a word") << us << "6/12/2026 look" << false << "" << QDate();
        QTest::newRow("a long run of digits") << us << QString(5000, '9') + " ok" << true
                                              << QString(5000, '9') << QDate();
    }

    void anOkCellGivesItsDate()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, cell);
        QFETCH(bool, isOk);
        QFETCH(QString, dateText);
        QFETCH(QDate, date);

        const std::optional<HistoryDate::OkCell> ok = HistoryDate::readOk(cell, locale);
        QCOMPARE(ok.has_value(), isOk);
        if (!ok)
            return;
        QCOMPARE(ok->dateText, dateText);
        QCOMPARE(ok->date.value_or(QDate()), date);
    }
};

QTEST_APPLESS_MAIN(TestHistoryDate)
#include "test_historydate.moc"
