#include "catalogue/fieldcatalogue.h"
#include "catalogue/recordselection.h"
#include "platform/settings.h"
#include "platform/table.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// A software list with three records told apart by their release status.
void fillSoftware(Table &software)
{
    software.setColumnCount(FieldCatalogue::FieldCount);
    software.setRowCount(4);
    const QStringList statuses = {"", "New Release", "Minor Update", "Beta"};
    for (int row = 1; row <= 3; ++row) {
        software.setCell(0, row, QStringLiteral("Product %1").arg(row));
        software.setCell(10, row, statuses[row]);
    }
}

} // namespace

class TestRecordSelection : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void clickDecidesByTheRememberedRow_data();
    void clickDecidesByTheRememberedRow();
    void callWithoutSenderAlwaysRebuilds();
    void emptyTableRemembersTheRowButBuildsNothing_data();
    void emptyTableRemembersTheRowButBuildsNothing();
    void selectAllModeIsEndedAndNothingIsBuiltOnAClick();
    void selectAllModeEndedByTheProgramsOwnCallBuildsTheRememberedRow();
    void rebuildReplacesTheListsAndReleaseDropsThem();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Settings> m_settings;
    Table m_software;
};

void TestRecordSelection::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_settings = std::make_unique<Settings>(m_dir->path());
    m_software = Table(FieldCatalogue::FieldCount, 2);
    fillSoftware(m_software);
}

void TestRecordSelection::cleanup()
{
    m_settings.reset();
    m_dir.reset();
}

void TestRecordSelection::clickDecidesByTheRememberedRow_data()
{
    QTest::addColumn<int>("remembered"); // 0: no key in the settings file
    QTest::addColumn<int>("clicked");
    QTest::addColumn<bool>("rebuilt");
    QTest::addColumn<int>("rememberedAfter");
    QTest::newRow("click on the remembered row changes nothing") << 2 << 2 << false << 2;
    QTest::newRow("click on another row rebuilds") << 1 << 3 << true << 3;
    QTest::newRow("without a remembered row a click counts as the same row") << 0 << 2 << false << 0;
}

void TestRecordSelection::clickDecidesByTheRememberedRow()
{
    QFETCH(int, remembered);
    QFETCH(int, clicked);
    QFETCH(bool, rebuilt);
    QFETCH(int, rememberedAfter);
    if (remembered > 0)
        m_settings->setSoftware(remembered);

    RecordSelection selection(*m_settings, m_software);
    QCOMPARE(selection.recordSelected(true, clicked), rebuilt);
    QCOMPARE(selection.hasMatchLists(), rebuilt);
    QCOMPARE(m_settings->software(0), rememberedAfter);
    if (rebuilt)
        QCOMPARE(selection.matchLists().release.first(), m_software.cell(10, clicked));
    else
        QVERIFY(selection.matchLists().release.isEmpty());
}

void TestRecordSelection::callWithoutSenderAlwaysRebuilds()
{
    m_settings->setSoftware(2);
    RecordSelection selection(*m_settings, m_software);
    QVERIFY(selection.recordSelected(false, 2));
    QCOMPARE(selection.matchLists().release.first(), QStringLiteral("Minor Update"));

    // Once stored again, the same record is described afresh.
    m_software.setCell(10, 2, "Beta");
    QVERIFY(selection.recordSelected(false, 2));
    QCOMPARE(selection.matchLists().release,
             (QStringList{"Beta", "New", "Add to", "false"}));
    QCOMPARE(m_settings->software(0), 2);
}

void TestRecordSelection::emptyTableRemembersTheRowButBuildsNothing_data()
{
    QTest::addColumn<bool>("withSender");
    QTest::newRow("program's own call") << false;
    QTest::newRow("click") << true;
}

void TestRecordSelection::emptyTableRemembersTheRowButBuildsNothing()
{
    QFETCH(bool, withSender);
    Table empty(FieldCatalogue::FieldCount, 2);
    m_settings->setSoftware(3);
    RecordSelection selection(*m_settings, empty);
    QVERIFY(!selection.recordSelected(withSender, 1));
    QVERIFY(!selection.hasMatchLists());
    QCOMPARE(m_settings->software(0), 1);
}

void TestRecordSelection::selectAllModeIsEndedAndNothingIsBuiltOnAClick()
{
    m_settings->setSoftware(1);
    RecordSelection selection(*m_settings, m_software);
    bool modeOn = true;
    int endCalls = 0;
    selection.selectAllProductsMode = [&] { return modeOn; };
    selection.endSelectAllProductsMode = [&] {
        ++endCalls;
        modeOn = false;
    };

    QVERIFY(!selection.recordSelected(true, 3));
    QCOMPARE(endCalls, 1);
    QVERIFY(!modeOn);
    QVERIFY(!selection.hasMatchLists());
    QCOMPARE(m_settings->software(0), 1);

    // With the mode off, the next click on another row works as usual.
    QVERIFY(selection.recordSelected(true, 3));
    QCOMPARE(endCalls, 1);
    QCOMPARE(m_settings->software(0), 3);
}

void TestRecordSelection::selectAllModeEndedByTheProgramsOwnCallBuildsTheRememberedRow()
{
    m_settings->setSoftware(2);
    RecordSelection selection(*m_settings, m_software);
    bool modeOn = true;
    selection.selectAllProductsMode = [&] { return modeOn; };
    selection.endSelectAllProductsMode = [&] { modeOn = false; };

    QVERIFY(selection.recordSelected(false, 3));
    QVERIFY(!modeOn);
    QCOMPARE(m_settings->software(0), 2);
    QCOMPARE(selection.matchLists().release.first(), QStringLiteral("Minor Update"));
}

void TestRecordSelection::rebuildReplacesTheListsAndReleaseDropsThem()
{
    m_settings->setSoftware(1);
    RecordSelection selection(*m_settings, m_software);
    QVERIFY(selection.recordSelected(true, 2));
    QCOMPARE(selection.matchLists().release.first(), QStringLiteral("Minor Update"));
    QVERIFY(selection.recordSelected(true, 3));
    QCOMPARE(selection.matchLists().release,
             (QStringList{"Beta", "New", "Add to", "false"}));

    selection.release();
    QVERIFY(!selection.hasMatchLists());
    QVERIFY(selection.matchLists().category.isEmpty());
}

QTEST_GUILESS_MAIN(TestRecordSelection)
#include "test_recordselection.moc"
