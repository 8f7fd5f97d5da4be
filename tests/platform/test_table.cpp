#include "platform/table.h"

#include <QRandomGenerator>
#include <QTest>

// The table keeps rows set whole packed in one buffer and rows written cell by
// cell apart; every read must see the same cells whichever way they were kept.
class TestTable : public QObject
{
    Q_OBJECT

    static QStringList cells(int count, const QString &stem)
    {
        QStringList out;
        for (int c = 0; c < count; ++c)
            out.append(c % 5 == 2 ? QString() : stem + QString::number(c));
        return out;
    }

private slots:
    void aRowSetWholeReadsBackCellByCell_data()
    {
        QTest::addColumn<QStringList>("row");
        QTest::newRow("short row with letters outside ASCII")
            << QStringList{QStringLiteral("Alpha \u20ac"), QString(), QStringLiteral("\u00fcber \u65e5\u672c")};
        QTest::newRow("wide row with empty cells between") << cells(40, QStringLiteral("c"));
        QTest::newRow("one empty cell") << QStringList{QString()};
        QTest::newRow("a cell of 70,000 letters")
            << QStringList{QStringLiteral("x"), QString(70000, QLatin1Char('y'))};
    }
    void aRowSetWholeReadsBackCellByCell()
    {
        QFETCH(QStringList, row);
        Table table(50, 3);
        table.setRow(2, row);
        for (int c = 0; c < 50; ++c)
            QCOMPARE(table.cell(c, 2), row.value(c));
        QCOMPARE(table.cell(50, 2), QString());
        QCOMPARE(table.cell(0, 3), QString());
        QCOMPARE(table.row(2).size(), 50);
        QCOMPARE(table.cell(0, 1), QString());
    }

    void cellWritesAndColumnChangesKeepTheOtherCells()
    {
        Table table(30, 3);
        table.setRow(1, cells(30, QStringLiteral("a")));
        table.setRow(2, {QStringLiteral("b0"), QStringLiteral("b1")});
        table.setCell(5, 1, QStringLiteral("new"));
        table.insertColumn(1);
        table.removeColumn(3);
        QCOMPARE(table.columnCount(), 30);
        QCOMPARE(table.cell(0, 1), QStringLiteral("a0"));
        QCOMPARE(table.cell(1, 1), QString());
        QCOMPARE(table.cell(2, 1), QStringLiteral("a1"));
        QCOMPARE(table.cell(3, 1), QStringLiteral("a3"));
        QCOMPARE(table.cell(5, 1), QStringLiteral("new"));
        QCOMPARE(table.cell(29, 1), QStringLiteral("a29"));
        QCOMPARE(table.row(2), (QStringList{QStringLiteral("b0"), QString(), QStringLiteral("b1")}
                                + QList<QString>(27)));
        table.setColumnCount(2);
        QCOMPARE(table.row(1), (QStringList{QStringLiteral("a0"), QString()}));
    }

    void sortingMovesWholeRowsAndLeavesTheHeading()
    {
        Table table(3, 1);
        table.setRow(0, {QStringLiteral("Site")});
        for (const QString &name : {QStringLiteral("delta"), QStringLiteral("Alpha"), QStringLiteral("charlie")}) {
            const int row = table.appendRow();
            table.setRow(row, {name, name + QStringLiteral(".example")});
        }
        table.setCell(2, 2, QStringLiteral("x"));
        table.sortRows(0, [](const QString &a, const QString &b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
        QCOMPARE(table.row(0), (QStringList{QStringLiteral("Site"), QString(), QString()}));
        QCOMPARE(table.row(1), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Alpha.example"), QStringLiteral("x")}));
        QCOMPARE(table.row(2), (QStringList{QStringLiteral("charlie"), QStringLiteral("charlie.example"), QString()}));
        QCOMPARE(table.row(3), (QStringList{QStringLiteral("delta"), QStringLiteral("delta.example"), QString()}));
        QCOMPARE(table.findRow(0, QStringLiteral("CHARLIE")), 2);
    }

    // Many rewrites leave dead bytes that are reclaimed; the cells must not move.
    void anyMixOfEditsReadsLikeAPlainGrid()
    {
        constexpr int Columns = 24;
        Table table(Columns, 2);
        QList<QStringList> expected(2);
        QRandomGenerator random(20261208);
        for (int step = 0; step < 6000; ++step) {
            const int row = 1 + int(random.bounded(quint32(expected.size() - 1)));
            const QString text = QString(int(random.bounded(60)), QChar(u'a' + step % 26));
            switch (random.bounded(6)) {
            case 0:
                expected.append(QStringList());
                QCOMPARE(table.appendRow(), expected.size() - 1);
                break;
            case 1:
            case 2: {
                QStringList cells = ::TestTable::cells(int(random.bounded(Columns + 1)), text);
                table.setRow(row, cells);
                expected[row] = cells;
                break;
            }
            case 3: {
                const int column = int(random.bounded(Columns));
                table.setCell(column, row, text);
                if (expected[row].size() <= column)
                    expected[row].resize(column + 1);
                expected[row][column] = text;
                break;
            }
            case 4:
                if (expected.size() > 2) {
                    table.removeRow(row);
                    expected.removeAt(row);
                }
                break;
            default:
                break;
            }
        }
        QCOMPARE(table.rowCount(), expected.size());
        for (int r = 0; r < expected.size(); ++r) {
            for (int c = 0; c < Columns; ++c)
                QCOMPARE(table.cell(c, r), expected.at(r).value(c));
        }
    }
};

QTEST_GUILESS_MAIN(TestTable)
#include "test_table.moc"
