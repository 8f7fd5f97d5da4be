// Loading the history at start-up: headings from the software list, the
// file's rows, the reconciliation with the submit list by exact site name and
// the sort that keeps row r on site r; and the write.

#include "support/builtfiles.h"

#include "platform/cp1252.h"
#include "platform/recordfile.h"
#include "submit/history/history.h"
#include "submit/sites/submitlist.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QStringList Sites{"1000files",     "AmazingFiles", "BestSoftware",       "DownloadChoice",
                        "Downloadplaza", "FileHungry",   "FilesWeb",           "FreeTrialDownloads",
                        "FreewareHome",  "SharewareLinks"};

bool writeHistory(const QString &path, const QStringList &rows)
{
    QList<QByteArray> records;
    for (const QString &row : rows)
        records.append(Cp1252::encode(row));
    return RecordFile::write(path, records).isEmpty();
}

QStringList columnZero(const Table &table)
{
    QStringList names;
    for (int r = 1; r < table.rowCount(); ++r)
        names.append(table.cell(0, r));
    return names;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

SubmitList sitesNamed(const QList<QStringList> &records)
{
    SiteLibrary::LoadResult library;
    library.ok = true;
    library.records = records;
    SubmitList list;
    list.fill(library);
    return list;
}

} // namespace

class TestHistory : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void withoutAFileTheHistoryHoldsEverySiteWithEmptyCells();
    void theFileIsReconciledWithTheSiteTableByExactName_data();
    void theFileIsReconciledWithTheSiteTableByExactName();
    void aSiteWhoseNameIsAPrefixOfAnotherIsAddedWhenMissing();
    void productColumnsAreMatchedByPosition_data();
    void productColumnsAreMatchedByPosition();
    void rowsStayOnTheirSitesWhenNamesDifferOnlyInLetterCase();
    void aWrittenHistoryReadsBackTheSame();

private:
    QString m_path;
    QTemporaryDir m_dir;
    SubmitList m_sites;
    Table m_software{105, 4};
};

void TestHistory::initTestCase()
{
    const SiteLibrary::LoadResult library = SiteLibrary::loadFile(builtSiteLibrary());
    QVERIFY2(library.ok, qPrintable(library.reason));
    m_sites.fill(library);
    QCOMPARE(columnZero(m_sites.table()), Sites);
    for (int r = 1; r <= 3; ++r)
        m_software.setCell(0, r, QStringLiteral("Product %1").arg(r));
    m_path = m_dir.filePath(QStringLiteral("Kelvane_hist.dat"));
}

void TestHistory::withoutAFileTheHistoryHoldsEverySiteWithEmptyCells()
{
    QFile::remove(m_path);
    Table history;
    const History::LoadResult result = History::load(history, m_sites.table(), m_software, m_path);
    QVERIFY(!result.fileExisted);
    QCOMPARE(history.row(0), (QStringList{"Web site", "Product 1", "Product 2", "Product 3"}));
    QCOMPARE(columnZero(history), Sites);
    for (int r = 1; r < history.rowCount(); ++r)
        QCOMPARE(history.row(r).mid(1), QStringList(3));
}

void TestHistory::theFileIsReconciledWithTheSiteTableByExactName_data()
{
    QTest::addColumn<QStringList>("fileSites");
    QTest::addColumn<QStringList>("dropped");
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<bool>("backupKept");
    QTest::addColumn<bool>("mismatch");

    QStringList reversed = Sites;
    std::reverse(reversed.begin(), reversed.end());
    QStringList lacking = Sites;
    lacking.removeAll(QStringLiteral("FileHungry"));

    QTest::newRow("the same sites in another order") << reversed << QStringList{} << QStringList{} << false << false;
    QTest::newRow("a file that lacks a site") << lacking << QStringList{} << QStringList{"FileHungry"} << false << false;
    QTest::newRow("a site no longer in the table")
        << (Sites + QStringList{"GoneSite"}) << QStringList{"GoneSite"} << QStringList{} << true << false;
    // ":" stands for a row without outcomes: dropping it loses nothing.
    QTest::newRow("a site no longer in the table, never submitted")
        << (Sites + QStringList{"GoneSite:"}) << QStringList{"GoneSite"} << QStringList{} << false << false;
    // A substring test of the joined names would keep all three.
    QTest::newRow("parts of present names are not present")
        << (QStringList{"Files", "Web", "Soft"} + Sites) << QStringList{"Files", "Web", "Soft"}
        << QStringList{} << true << false;
    QTest::newRow("other sites entirely") << QStringList{"X", "Y"} << QStringList{"X", "Y"} << Sites << true << false;
    QTest::newRow("an empty file") << QStringList{} << QStringList{} << Sites << false << false;
    QTest::newRow("a site twice") << (Sites + QStringList{"BestSoftware"}) << QStringList{} << QStringList{}
                                  << false << true;
}

void TestHistory::theFileIsReconciledWithTheSiteTableByExactName()
{
    QFETCH(QStringList, fileSites);
    QFETCH(QStringList, dropped);
    QFETCH(QStringList, added);
    QFETCH(bool, backupKept);
    QFETCH(bool, mismatch);

    QStringList rows;
    for (const QString &name : fileSites)
        rows.append(name.endsWith(QLatin1Char(':')) ? name.chopped(1) + QStringLiteral("|||")
                                                    : name + QStringLiteral("|ok ") + name + QStringLiteral("||"));
    QVERIFY(writeHistory(m_path, rows));
    const QByteArray before = contents(m_path);

    Table history;
    const History::LoadResult result = History::load(history, m_sites.table(), m_software, m_path);
    QCOMPARE(result.droppedSites, dropped);
    QCOMPARE(result.addedSites, added);
    QCOMPARE(!result.backupPath.isEmpty(), backupKept);
    if (backupKept)
        QCOMPARE(contents(result.backupPath), before);
    QCOMPARE(result.mismatchMessage,
             mismatch ? QStringLiteral("History and Submit_list not equal...\rPlease contact software support!")
                      : QString());
    // The file changes only with the next history write.
    QCOMPARE(contents(m_path), before);
    if (mismatch)
        return;
    QCOMPARE(columnZero(history), Sites);
    for (int r = 1; r < history.rowCount(); ++r) {
        const QString name = history.cell(0, r);
        QCOMPARE(history.cell(1, r), added.contains(name) ? QString() : QStringLiteral("ok ") + name);
    }
}

void TestHistory::aSiteWhoseNameIsAPrefixOfAnotherIsAddedWhenMissing()
{
    const SubmitList sites = sitesNamed({{"FilesWeb"}, {"Files"}});
    QVERIFY(writeHistory(m_path, {QStringLiteral("FilesWeb|12/6/2026  ok||")}));
    Table history;
    const History::LoadResult result = History::load(history, sites.table(), m_software, m_path);
    QCOMPARE(result.addedSites, QStringList{"Files"});
    QCOMPARE(columnZero(history), (QStringList{"Files", "FilesWeb"}));
    QCOMPARE(history.cell(1, 2), QStringLiteral("12/6/2026  ok"));
    QVERIFY(result.mismatchMessage.isEmpty());
}

void TestHistory::productColumnsAreMatchedByPosition_data()
{
    QTest::addColumn<QString>("cells");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("copyKept");

    QTest::newRow("fewer products") << "|a" << QStringList{"a", "", ""} << false;
    QTest::newRow("as many products") << "|a|b|c" << QStringList{"a", "b", "c"} << false;
    QTest::newRow("more products") << "|a|b|c|d|e" << QStringList{"a", "b", "c"} << true;
}

void TestHistory::productColumnsAreMatchedByPosition()
{
    QFETCH(QString, cells);
    QFETCH(QStringList, expected);
    QFETCH(bool, copyKept);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kelvane_hist.dat"));
    QStringList rows;
    for (const QString &name : Sites)
        rows.append(name + cells);
    QVERIFY(writeHistory(path, rows));
    const QByteArray before = contents(path);

    Table history;
    const History::LoadResult result = History::load(history, m_sites.table(), m_software, path);
    QCOMPARE(history.columnCount(), 4);
    for (int r = 1; r < history.rowCount(); ++r)
        QCOMPARE(history.row(r).mid(1), expected);
    // The cells left out are still in the copy the load kept, and it says so.
    QCOMPARE(!result.readProblem.isEmpty(), copyKept);
    const QStringList copies = QDir(dir.path()).entryList({QStringLiteral("*.bad-*")}, QDir::Files);
    QCOMPARE(copies.size(), copyKept ? 1 : 0);
    if (copyKept)
        QCOMPARE(contents(dir.filePath(copies.first())), before);
}

void TestHistory::rowsStayOnTheirSitesWhenNamesDifferOnlyInLetterCase()
{
    // The submit list orders the two by address, the history by its cells:
    // the orders differ unless the history follows the submit list.
    const SubmitList sites = sitesNamed({{"Site", "http://b.example"}, {"site", "http://a.example"}});
    QCOMPARE(columnZero(sites.table()), (QStringList{"site", "Site"}));
    QVERIFY(writeHistory(m_path, {QStringLiteral("Site||"), QStringLiteral("site|x|")}));
    Table history;
    History::load(history, sites.table(), m_software, m_path);
    QCOMPARE(columnZero(history), (QStringList{"site", "Site"}));
    QCOMPARE(history.cell(1, 1), QStringLiteral("x"));
}

void TestHistory::aWrittenHistoryReadsBackTheSame()
{
    QFile::remove(m_path);
    Table history;
    History::load(history, m_sites.table(), m_software, m_path);
    history.setCell(1, 1, QStringLiteral("12/6/2026  ok"));
    history.setCell(3, 1, History::failCell());
    history.setCell(2, 10, QString::fromUtf8("typed: café"));
    QVERIFY(History::save(history, m_path).ok);

    const RecordFile::ReadResult file = RecordFile::read(m_path);
    QCOMPARE(file.records.size(), 10);
    QCOMPARE(file.records.first(), QByteArray("1000files|12/6/2026  ok||   fail"));
    QCOMPARE(file.records.last(), QByteArray("SharewareLinks||typed: caf\xe9|"));

    Table again;
    QVERIFY(History::load(again, m_sites.table(), m_software, m_path).readProblem.isEmpty());
    for (int r = 0; r < history.rowCount(); ++r)
        QCOMPARE(again.row(r), history.row(r));
    QVERIFY(History::accepted(again.cell(1, 1)));
    QVERIFY(!History::accepted(again.cell(3, 1)));
    QVERIFY(!History::accepted(again.cell(2, 1)));
}

QTEST_GUILESS_MAIN(TestHistory)
#include "test_history.moc"
