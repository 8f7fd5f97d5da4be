// What a closed window leaves in the history and its file, and the history
// view's editing rules: the cell press, "edit cell" and "[ delete line ]".

#include "support/fakeclock.h"

#include "platform/recordfile.h"
#include "submit/history/history.h"
#include "submit/history/historyrecord.h"
#include "submit/history/historyrules.h"
#include "submit/sites/submitlist.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

namespace {

const QDate Day(2026, 6, 12);

// Three sites by two products, a few outcomes in it.
Table history()
{
    Table t(3, 4);
    t.setCell(0, 0, QStringLiteral("Web site"));
    t.setCell(1, 0, QStringLiteral("Alpha Tool"));
    t.setCell(2, 0, QStringLiteral("Beta Tool"));
    t.setCell(0, 1, QStringLiteral("Site A"));
    t.setCell(0, 2, QStringLiteral("Site B"));
    t.setCell(0, 3, QStringLiteral("Site C"));
    t.setCell(1, 2, QStringLiteral("1/5/2026  ok"));
    t.setCell(2, 2, QStringLiteral("   fail"));
    t.setCell(2, 3, QStringLiteral("3/5/2026  ok"));
    return t;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray framed(const QList<QByteArray> &records)
{
    QByteArray out;
    for (const QByteArray &r : records)
        RecordFile::appendFramed(out, r);
    return out;
}

} // namespace

class TestHistoryRecord : public QObject
{
    Q_OBJECT

private slots:
    void anOutcomeGivesItsCell_data();
    void anOutcomeGivesItsCell();
    void aConfirmedOutcomeIsWrittenToTheFileAtOnce_data();
    void aConfirmedOutcomeIsWrittenToTheFileAtOnce();
    void anOutcomeOutsideTheTableChangesNothing_data();
    void anOutcomeOutsideTheTableChangesNothing();
    void aCellPressShowsProductCellsOnly_data();
    void aCellPressShowsProductCellsOnly();
    void editCellWritesTheNamedCellOrRefuses_data();
    void editCellWritesTheNamedCellOrRefuses();
    void deleteLineKeepsEveryRowOnItsSite();
    void theCurrentSiteIsScrolledIntoView_data();
    void theCurrentSiteIsScrolledIntoView();
};

void TestHistoryRecord::anOutcomeGivesItsCell_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("cell");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");

    QTest::newRow("done, British short date") << 3 << "en_GB" << true << 3 << "12/06/2026  ok";
    QTest::newRow("done, Australian short date") << 3 << "en_AU" << true << 3 << "12/6/2026  ok";
    QTest::newRow("done, American short date") << 2 << "en_US" << true << 2 << "6/12/2026  ok";
    QTest::newRow("done, German short date") << 1 << "de_DE" << true << 1 << "12.06.2026  ok";
    QTest::newRow("failed") << -2 << "en_GB" << true << 2 << "   fail";
    QTest::newRow("cancelled") << 0 << "en_GB" << false << 0 << "";
    QTest::newRow("the smallest code names no row")
        << std::numeric_limits<int>::min() << "en_GB" << false << 0 << "";
}

void TestHistoryRecord::anOutcomeGivesItsCell()
{
    QFETCH(int, code);
    QFETCH(QString, locale);
    QFETCH(bool, cell);
    QFETCH(int, row);
    QFETCH(QString, text);

    const auto result = HistoryRecord::outcomeCell(code, 2, Day, QLocale(locale));
    QCOMPARE(result.has_value(), cell);
    if (cell)
        QCOMPARE(*result, (HistoryRecord::Cell{2, row, text}));
}

void TestHistoryRecord::aConfirmedOutcomeIsWrittenToTheFileAtOnce_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("product");
    QTest::addColumn<QByteArray>("file");

    QTest::newRow("done ok") << 1 << 2
                             << framed({"Site A||12/06/2026  ok", "Site B|1/5/2026  ok|   fail",
                                        "Site C||3/5/2026  ok"});
    QTest::newRow("failed") << -3 << 1
                            << framed({"Site A||", "Site B|1/5/2026  ok|   fail",
                                       "Site C|   fail|3/5/2026  ok"});
    QTest::newRow("cancel writes no file") << 0 << 1 << QByteArray();
}

void TestHistoryRecord::aConfirmedOutcomeIsWrittenToTheFileAtOnce()
{
    QFETCH(int, code);
    QFETCH(int, product);
    QFETCH(QByteArray, file);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kelvane_hist.dat"));
    Table t = history();
    const FakeClock clock(Day);
    const HistoryRecord::Recorded recorded =
        HistoryRecord::record(t, path, code, product, clock, QLocale(QStringLiteral("en_GB")));

    QCOMPARE(recorded.saved, !file.isEmpty());
    QVERIFY2(recorded.error.isEmpty(), qPrintable(recorded.error));
    QCOMPARE(QFile::exists(path), !file.isEmpty());
    QCOMPARE(contents(path), file);
}

void TestHistoryRecord::anOutcomeOutsideTheTableChangesNothing_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("product");

    QTest::newRow("a row past the last site") << 4 << 1;
    QTest::newRow("a product past the last column") << 1 << 3;
    QTest::newRow("the site name column") << 1 << 0;
}

void TestHistoryRecord::anOutcomeOutsideTheTableChangesNothing()
{
    QFETCH(int, code);
    QFETCH(int, product);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kelvane_hist.dat"));
    Table t = history();
    const FakeClock clock(Day);
    const auto recorded = HistoryRecord::record(t, path, code, product, clock);
    QVERIFY(!recorded.cell);
    QVERIFY(!QFile::exists(path));
    for (int r = 0; r < t.rowCount(); ++r)
        QCOMPARE(t.row(r), history().row(r));
}

void TestHistoryRecord::aCellPressShowsProductCellsOnly_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("edit");

    QTest::newRow("a product cell") << 2 << 2 << true << "[2,2]" << "   fail";
    QTest::newRow("a product heading") << 1 << 0 << true << "[1,0]" << "Alpha Tool";
    QTest::newRow("a site name") << 0 << 2 << false << "" << "";
    QTest::newRow("below the last row") << 1 << 4 << false << "" << "";
    QTest::newRow("right of the last column") << 3 << 1 << false << "" << "";
}

void TestHistoryRecord::aCellPressShowsProductCellsOnly()
{
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(bool, taken);
    QFETCH(QString, label);
    QFETCH(QString, edit);

    const auto press = HistoryRules::cellPress(history(), column, row);
    QCOMPARE(press.has_value(), taken);
    if (taken) {
        QCOMPARE(press->label, label);
        QCOMPARE(press->editText, edit);
    }
}

void TestHistoryRecord::editCellWritesTheNamedCellOrRefuses_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("refusalHolds");

    QTest::newRow("a product cell") << "[1,3]" << "sent by mail" << 1 << 3 << true << "";
    QTest::newRow("Windows-1252 letters") << "[1,3]" << "r\u00e9sum\u00e9 \u20ac" << 1 << 3 << true
                                          << "";
    QTest::newRow("before any press: the heading only")
        << HistoryRules::initialLabel() << "x" << 0 << 0 << true << "";
    QTest::newRow("a bar is refused") << "[1,3]" << "ok|later" << 1 << 3 << false << "\"|\"";
    QTest::newRow("a character outside Windows-1252 is refused")
        << "[2,1]" << "\u03a9 ok" << 2 << 1 << false << "\u03a9";
    QTest::newRow("a character beyond the basic plane is refused")
        << "[2,1]" << "ok \U0001F600" << 2 << 1 << false << "\U0001F600";
    QTest::newRow("a site name is never edited") << "[0,2]" << "Other" << 0 << 2 << false << "";
    QTest::newRow("nor the first site's name") << "[0,1]" << "Other" << 0 << 1 << false << "";
    QTest::newRow("nor the last site's name") << "[0,3]" << "Other" << 0 << 3 << false << "";
    QTest::newRow("a label past the table") << "[9,9]" << "x" << 9 << 9 << false << "";
    QTest::newRow("a label without two numbers") << "[1,]" << "x" << 1 << 0 << false << "";
}

void TestHistoryRecord::editCellWritesTheNamedCellOrRefuses()
{
    QFETCH(QString, label);
    QFETCH(QString, text);
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(bool, changed);
    QFETCH(QString, refusalHolds);

    Table t = history();
    const HistoryRules::Edit edit = HistoryRules::editCell(t, label, text);
    QCOMPARE(edit.changed, changed);
    QCOMPARE(edit.refusal.isEmpty(), refusalHolds.isEmpty());
    QVERIFY2(edit.refusal.contains(refusalHolds), qPrintable(edit.refusal));

    // Only the named cell may differ from before.
    Table expected = history();
    if (changed)
        expected.setCell(column, row, text);
    for (int r = 0; r < t.rowCount(); ++r)
        QCOMPARE(t.row(r), expected.row(r));

    // Whatever was accepted can be written and read back.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("h.dat"));
    QVERIFY(History::save(t, path).ok);
}

void TestHistoryRecord::deleteLineKeepsEveryRowOnItsSite()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kelvane_hist.dat"));
    Table t = history();

    QVERIFY(HistoryRules::deleteLine(t, 2));
    QCOMPARE(t.rowCount(), 4);
    QCOMPARE(t.row(2), (QStringList{"Site B", "", ""}));
    QCOMPARE(t.row(1), history().row(1));
    QCOMPARE(t.row(3), history().row(3));
    QVERIFY(!HistoryRules::deleteLine(t, 2));

    // An outcome for site C after the deletion still lands on site C.
    const FakeClock clock(Day);
    HistoryRecord::record(t, path, 3, 1, clock, QLocale(QStringLiteral("en_GB")));
    QCOMPARE(contents(path), framed({"Site A||", "Site B||", "Site C|12/06/2026  ok|3/5/2026  ok"}));

    QVERIFY(!HistoryRules::deleteLine(t, 0));
    QVERIFY(!HistoryRules::deleteLine(t, 4));
    QCOMPARE(t.cell(0, 0), QStringLiteral("Web site"));
}

void TestHistoryRecord::theCurrentSiteIsScrolledIntoView_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("topRow");

    QTest::newRow("the first site") << 1 << 1;
    QTest::newRow("site 9") << 9 << 1;
    QTest::newRow("site 10, the last from the top") << 10 << 1;
    QTest::newRow("site 11, five above it") << 11 << 6;
    QTest::newRow("site 12") << 12 << 7;
}

void TestHistoryRecord::theCurrentSiteIsScrolledIntoView()
{
    QFETCH(int, current);
    QFETCH(int, topRow);
    const HistoryRules::Position position = HistoryRules::positionFor(current, 2);
    QCOMPARE(position.topRow, topRow);
    QCOMPARE(position.row, current);
    QCOMPARE(position.column, 2);
}

QTEST_GUILESS_MAIN(TestHistoryRecord)
#include "test_historyrecord.moc"
