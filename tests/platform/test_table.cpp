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

    // Row 1 is set whole (packed), then edited; `expected` lists its non-empty
    // cells as "column=text", every other cell must read "". Edits: "c=text"
    // writes a cell of row 1, "insert c", "remove c", "columns n", "rows n"
    // and "clear" change the table's shape.
    void editsOfAPackedRowReadBackCellByCell_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<QStringList>("row");
        QTest::addColumn<QStringList>("edits");
        QTest::addColumn<int>("expectedColumns");
        QTest::addColumn<QStringList>("expected");
        const QStringList alpha{QStringLiteral("Alpha"), QStringLiteral("1.0")};
        const QStringList letters = QStringLiteral("a b c d e f g h i j k l m n o p q r s t u v w x y z A B C D").split(u' ');

        QTest::newRow("mark in the last column of a packed row")
            << 105 << alpha << QStringList{"104=x"} << 105 << QStringList{"0=Alpha", "1=1.0", "104=x"};
        QTest::newRow("mark set and cleared")
            << 105 << alpha << QStringList{"104=x", "104="} << 105 << QStringList{"0=Alpha", "1=1.0"};
        QTest::newRow("a packed cell changed and changed back")
            << 105 << alpha << QStringList{"1=2.0", "104=x", "1=1.0"} << 105 << QStringList{"0=Alpha", "1=1.0", "104=x"};
        QTest::newRow("the last packed cell cleared")
            << 5 << alpha << QStringList{"1="} << 5 << QStringList{"0=Alpha"};
        QTest::newRow("a middle cell cleared, then the one after it")
            << 5 << QStringList{"A", "B", "C"} << QStringList{"1=", "2="} << 5 << QStringList{"0=A"};
        QTest::newRow("an empty cell written past the row's end")
            << 5 << alpha << QStringList{"4="} << 5 << QStringList{"0=Alpha", "1=1.0"};
        QTest::newRow("nine cells written: the overlay is folded into the row")
            << 12 << QStringList{"a"} << QStringList{"1=b", "2=c", "3=d", "4=e", "5=f", "6=g", "7=h", "8=i", "9=\u20ac", "11=l"}
            << 12 << QStringList{"0=a", "1=b", "2=c", "3=d", "4=e", "5=f", "6=g", "7=h", "8=i", "9=\u20ac", "11=l"};
        QTest::newRow("a long text outweighs the overlay")
            << 5 << QStringList{"a"} << QStringList{"3=" + QString(100, u'z'), "4=x"} << 5
            << QStringList{"0=a", "3=" + QString(100, u'z'), "4=x"};
        QTest::newRow("nine cells written into a wide row")
            << 40 << letters << QStringList{"30=1", "31=2", "32=3", "33=4", "34=5", "35=6", "36=7", "37=8", "39=9", "0=-"}
            << 40 << QStringList{"0=-", "1=b", "2=c", "3=d", "4=e", "5=f", "6=g", "7=h", "8=i", "9=j", "10=k", "11=l", "12=m", "13=n",
                                 "14=o", "15=p", "16=q", "17=r", "18=s", "19=t", "20=u", "21=v", "22=w", "23=x", "24=y", "25=z",
                                 "26=A", "27=B", "28=C", "29=D", "30=1", "31=2", "32=3", "33=4", "34=5", "35=6", "36=7", "37=8", "39=9"};
        QTest::newRow("column inserted before the packed cells and the mark")
            << 6 << QStringList{"A", "B"} << QStringList{"5=x", "insert 1"} << 7 << QStringList{"0=A", "2=B", "6=x"};
        QTest::newRow("column inserted after the packed cells")
            << 6 << QStringList{"A", "B"} << QStringList{"5=x", "insert 3"} << 7 << QStringList{"0=A", "1=B", "6=x"};
        QTest::newRow("column removed under a change")
            << 6 << QStringList{"A", "B", "C"} << QStringList{"1=b", "remove 1"} << 5 << QStringList{"0=A", "1=C"};
        QTest::newRow("column removed between the packed cells and the mark")
            << 6 << QStringList{"A"} << QStringList{"5=x", "remove 2"} << 5 << QStringList{"0=A", "4=x"};
        QTest::newRow("fewer columns drop the mark")
            << 6 << QStringList{"A", "B"} << QStringList{"5=x", "columns 3"} << 3 << QStringList{"0=A", "1=B"};
        QTest::newRow("fewer columns cut the packed cells under a change")
            << 6 << QStringList{"A", "B", "C"} << QStringList{"0=a", "5=x", "columns 2"} << 2 << QStringList{"0=a", "1=B"};
        QTest::newRow("clear records keeps the heading only")
            << 6 << alpha << QStringList{"5=x", "clear"} << 6 << QStringList{};
        QTest::newRow("rows cut off and added back are empty")
            << 6 << alpha << QStringList{"5=x", "rows 1", "rows 3"} << 6 << QStringList{};
    }
    void editsOfAPackedRowReadBackCellByCell()
    {
        QFETCH(int, columns);
        QFETCH(QStringList, row);
        QFETCH(QStringList, edits);
        QFETCH(int, expectedColumns);
        QFETCH(QStringList, expected);
        Table table(columns, 3);
        // A heading written cell by cell carries changes of its own.
        table.setCell(0, 0, QStringLiteral("Name"));
        table.setCell(columns - 1, 0, QStringLiteral("Mark"));
        table.setRow(1, row);
        table.setRow(2, {QStringLiteral("other")});
        table.setCell(columns - 1, 2, QStringLiteral("x"));
        const Table before = table;
        for (const QString &edit : edits) {
            const QString argument = edit.section(u' ', 1);
            if (edit.startsWith(QLatin1String("insert ")))
                table.insertColumn(argument.toInt());
            else if (edit.startsWith(QLatin1String("remove ")))
                table.removeColumn(argument.toInt());
            else if (edit.startsWith(QLatin1String("columns ")))
                table.setColumnCount(argument.toInt());
            else if (edit.startsWith(QLatin1String("rows ")))
                table.setRowCount(argument.toInt());
            else if (edit == QLatin1String("clear"))
                table.clearRecords();
            else
                table.setCell(edit.section(u'=', 0, 0).toInt(), 1, edit.section(u'=', 1));
        }
        QStringList want(expectedColumns);
        for (const QString &cell : expected)
            want[cell.section(u'=', 0, 0).toInt()] = cell.section(u'=', 1);
        QCOMPARE(table.columnCount(), expectedColumns);
        for (int c = 0; c <= expectedColumns; ++c)
            QCOMPARE(table.cell(c, 1), want.value(c));
        QCOMPARE(table.row(1), want);
        QCOMPARE(table.cell(0, 0), QStringLiteral("Name"));
        // The copy taken before the edits kept its own cells.
        QStringList original = row;
        original.resize(columns);
        QCOMPARE(before.row(1), original);
        QCOMPARE(before.cell(columns - 1, 2), QStringLiteral("x"));
        QCOMPARE(before.cell(columns - 1, 0), QStringLiteral("Mark"));
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
