#include "editor/softwaresave.h"
#include "platform/tablefile.h"
#include "support/fakedialogs.h"
#include "support/records.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Answer = Dialogs::Answer;

QList<Answer> manyOks(int n = 20)
{
    return QList<Answer>(n, Answer::Ok);
}

// A data folder with a catalogue of the given names and a matching history.
struct Catalogue
{
    QTemporaryDir dir;
    Table software = freshSoftwareTable();
    Table history;
    FakeDialogs dialogs;
    SoftwareSave save{software, history, dialogs, catalogueFile(), historyFile()};

    explicit Catalogue(const QStringList &names = {})
    {
        for (const QString &name : names) {
            const int row = software.isEmpty() ? 1 : software.appendRow();
            QStringList record(FieldCatalogue::FieldCount);
            EditorRules::storeInto(record, passingValues(name));
            software.setRow(row, record);
        }
        history = historyFor(software);
        TableFile::save(software, catalogueFile(), TableFile::Kind::Marked);
        TableFile::save(history, historyFile(), TableFile::Kind::Plain);
    }
    QString catalogueFile() const { return dir.filePath("Kelvane_soft.dat"); }
    QString historyFile() const { return dir.filePath("Kelvane_hist.dat"); }
    QStringList chooser() const
    {
        QStringList names;
        for (int r = 1; r < software.rowCount(); ++r)
            if (!software.cell(0, r).isEmpty())
                names.append(software.cell(0, r));
        return names;
    }
};

} // namespace

class TestSoftwareSave : public QObject
{
    Q_OBJECT

private slots:
    void allChecksFailingAndOkEachTimeStillStores();
    void newNameAppendsRowHistoryColumnAndChooserItem();
    void declinedUpdateRewritesTheSameFile();
    void firstRecordOfEmptyCatalogueTakesRowOneAndItsHistoryColumn();
    void unstorableValueIsRefusedBeforeAnyWarning();
    void aRecordWithoutANameIsRefused_data();
    void aRecordWithoutANameIsRefused();
    void aNamelessRecordFromTheFileIsKeptBesideANewOne();
    void catalogueFileErrorRestoresTheList();
    void cancelAfterTheFillsKeepsOnlyTheContactFill();
    void deleteRemovesTheRowAndItsOwnColumn();
    void deleteCancelledOrEmptyChangesNothing_data();
    void deleteCancelledOrEmptyChangesNothing();
};

void TestSoftwareSave::allChecksFailingAndOkEachTimeStillStores()
{
    Catalogue c;
    EditorValues v;
    v.fields[0] = "Bare";
    v.fields[2] = "Shareware";
    v.fields[19] = "Y";
    v.fields[71] = "V1";
    v.fields[89] = "RegNow";
    QCOMPARE(SoftwareSave::failedChecks(v).size(), 15);
    c.dialogs.answers = manyOks();
    const auto result = c.save.save(v, c.chooser());
    QCOMPARE(result.outcome, SoftwareSave::Outcome::Stored);
    // Fifteen checks, then the main ID chosen without a product ID.
    QCOMPARE(c.dialogs.texts(FakeDialogs::Kind::WarnOkCancel).size(), 16);
    QCOMPARE(c.software.cell(0, 1), QStringLiteral("Bare"));
    QCOMPARE(c.software.cell(19, 1), QStringLiteral("Y"));
    Table reread = freshSoftwareTable();
    TableFile::load(reread, c.catalogueFile(), TableFile::Kind::Marked);
    QCOMPARE(reread.cell(0, 1), QStringLiteral("Bare"));
}

void TestSoftwareSave::newNameAppendsRowHistoryColumnAndChooserItem()
{
    Catalogue c({"Alpha Tool"});
    EditorValues v = passingValues("Beta Tool");
    const auto result = c.save.save(v, c.chooser());
    QCOMPARE(result.outcome, SoftwareSave::Outcome::Stored);
    QVERIFY(c.dialogs.shown.isEmpty());
    QCOMPARE(result.row, 2);
    QVERIFY(result.newRow);
    QVERIFY(result.addChooserItem);
    QCOMPARE(result.chooserIndex, 1);
    QCOMPARE(c.history.columnCount(), 3);
    QCOMPARE(c.history.cell(2, 0), QStringLiteral("Beta Tool"));
    Table reread = freshSoftwareTable();
    TableFile::load(reread, c.catalogueFile(), TableFile::Kind::Marked);
    QCOMPARE(reread.row(2), c.software.row(2));
    Table history(3, 2);
    TableFile::load(history, c.historyFile(), TableFile::Kind::Plain);
    QCOMPARE(history.rowCount(), 3); // the header row is not written; the two sites are
}

void TestSoftwareSave::declinedUpdateRewritesTheSameFile()
{
    Catalogue c({"Alpha Tool"});
    const QByteArray before = fileBytes(c.catalogueFile());
    QFile::remove(c.catalogueFile());
    EditorValues v = passingValues("Alpha Tool");
    v.fields[1] = "changed";
    c.dialogs.answers = {Answer::Cancel};
    const auto result = c.save.save(v, c.chooser());
    QCOMPARE(result.outcome, SoftwareSave::Outcome::Declined);
    QVERIFY(result.finished());
    QCOMPARE(fileBytes(c.catalogueFile()), before);
    QCOMPARE(c.software.cell(1, 1), QStringLiteral("2.0.1"));
}

void TestSoftwareSave::firstRecordOfEmptyCatalogueTakesRowOneAndItsHistoryColumn()
{
    Catalogue c;
    QCOMPARE(c.history.columnCount(), 2);
    EditorValues v = passingValues("First");
    const auto result = c.save.save(v, {});
    QCOMPARE(result.outcome, SoftwareSave::Outcome::Stored);
    QCOMPARE(result.row, 1);
    QVERIFY(!result.newRow);
    // Column 1 belongs to row 1: it takes the name rather than a third column.
    QCOMPARE(c.history.columnCount(), 2);
    QCOMPARE(c.history.cell(1, 0), QStringLiteral("First"));
    QCOMPARE(result.chooserIndex, 0);
}

void TestSoftwareSave::unstorableValueIsRefusedBeforeAnyWarning()
{
    Catalogue c({"Alpha Tool"});
    const QByteArray before = fileBytes(c.catalogueFile());
    EditorValues v = passingValues("Beta");
    v.fields[26] = QString();          // would warn (check 4)
    v.fields[58] = "audio|encoder";    // cannot be stored
    const auto result = c.save.save(v, c.chooser());
    QCOMPARE(result.outcome, SoftwareSave::Outcome::Refused);
    QCOMPARE(c.dialogs.shown.size(), 1);
    QCOMPARE(c.dialogs.shown.first().kind, FakeDialogs::Kind::Error);
    QVERIFY(c.dialogs.shown.first().text.contains("\"Keywords\""));
    QCOMPARE(fileBytes(c.catalogueFile()), before);
    QCOMPARE(c.software.rowCount(), 2);
}

void TestSoftwareSave::aRecordWithoutANameIsRefused_data()
{
    QTest::addColumn<QStringList>("catalogue");
    QTest::addColumn<QString>("name");
    // Once stored into an empty list and written as a zero-byte file.
    QTest::newRow("into an empty catalogue") << QStringList{} << QString();
    QTest::newRow("blanks only") << QStringList{"Alpha Tool"} << QStringLiteral("   ");
}

void TestSoftwareSave::aRecordWithoutANameIsRefused()
{
    QFETCH(QStringList, catalogue);
    QFETCH(QString, name);
    Catalogue c(catalogue);
    const QByteArray before = fileBytes(c.catalogueFile());
    EditorValues v = passingValues(name);
    const auto result = c.save.save(v, c.chooser());
    QCOMPARE(result.outcome, SoftwareSave::Outcome::Refused);
    QCOMPARE(c.dialogs.shown.size(), 1);
    QCOMPARE(c.dialogs.shown.first().kind, FakeDialogs::Kind::Error);
    QCOMPARE(c.dialogs.shown.first().text,
             QStringLiteral("This product has no program name, so it was not saved. Enter its "
                            "name on the 'Program Information' page and save again."));
    QCOMPARE(fileBytes(c.catalogueFile()), before);
    QCOMPARE(c.software.rowCount(), 2);
}

void TestSoftwareSave::aNamelessRecordFromTheFileIsKeptBesideANewOne()
{
    Catalogue c({""});
    EditorValues v = passingValues("Beta");
    const auto result = c.save.save(v, {QString()});
    QCOMPARE(result.outcome, SoftwareSave::Outcome::Stored);
    QCOMPARE(result.row, 2);
    Table reread = freshSoftwareTable();
    TableFile::load(reread, c.catalogueFile(), TableFile::Kind::Marked);
    QCOMPARE(reread.rowCount(), 3);
    QCOMPARE(reread.cell(0, 1), QString());
    QCOMPARE(reread.cell(1, 1), c.software.cell(1, 1));
    QVERIFY(!reread.cell(1, 1).isEmpty());
    QCOMPARE(reread.cell(0, 2), QStringLiteral("Beta"));
}

void TestSoftwareSave::catalogueFileErrorRestoresTheList()
{
    Catalogue c({"Alpha Tool"});
    const Table before = c.software;
    // A folder where the file should be: the write fails.
    QTemporaryDir other;
    QDir(other.path()).mkdir("Kelvane_soft.dat");
    Table history = c.history;
    SoftwareSave save(c.software, history, c.dialogs, other.filePath("Kelvane_soft.dat"),
                      other.filePath("Kelvane_hist.dat"));
    EditorValues v = passingValues("Beta");
    const auto result = save.save(v, c.chooser());
    QCOMPARE(result.outcome, SoftwareSave::Outcome::NotSaved);
    QVERIFY(!result.finished());
    QCOMPARE(c.dialogs.errors().size(), 1);
    QCOMPARE(c.software.rowCount(), before.rowCount());
    QCOMPARE(c.software.row(1), before.row(1));
    QCOMPARE(history.columnCount(), 2);
}

void TestSoftwareSave::cancelAfterTheFillsKeepsOnlyTheContactFill()
{
    Catalogue c;
    EditorValues v = passingValues("Beta");
    v.fields[37] = v.fields[38] = v.fields[39] = QString();
    v.fields[60] = QString();
    v.fields[89] = QString(); // IDs without a main choice: warns after the fills
    v.fields[90] = v.fields[91] = QString();
    const auto result = c.save.save(v, {});
    QCOMPARE(result.outcome, SoftwareSave::Outcome::Cancelled);
    QVERIFY(result.valuesChanged);
    QCOMPARE(v.text(37), QStringLiteral("Ana"));
    QCOMPARE(v.text(39), QStringLiteral("ana@kelvane.example"));
    QCOMPARE(v.text(60), QString());
}

void TestSoftwareSave::deleteRemovesTheRowAndItsOwnColumn()
{
    Catalogue c({"Alpha", "Beta", "Gamma"});
    c.history.setCell(3, 1, "gamma's outcome");
    c.dialogs.answers = {Answer::Ok};
    const auto result = c.save.deleteRecord(2, c.chooser());
    QVERIFY(result.deleted);
    QCOMPARE(result.chooserIndex, 1);
    QCOMPARE(c.software.cell(0, 2), QStringLiteral("Gamma"));
    QCOMPARE(c.history.cell(2, 0), QStringLiteral("Gamma"));
    QCOMPARE(c.history.cell(2, 1), QStringLiteral("gamma's outcome"));
    Table reread = freshSoftwareTable();
    TableFile::load(reread, c.catalogueFile(), TableFile::Kind::Marked);
    QCOMPARE(reread.rowCount(), 3);
    QVERIFY(!result.historyNotSaved);

    // A history that cannot be written now is said so, and left for the close.
    QVERIFY(QFile::remove(c.historyFile()));
    QVERIFY(QDir(c.dir.path()).mkdir("Kelvane_hist.dat"));
    c.dialogs.answers = {Answer::Ok};
    const auto unsaved = c.save.deleteRecord(1, c.chooser());
    QVERIFY(unsaved.deleted);
    QVERIFY(unsaved.historyNotSaved);
    QCOMPARE(c.dialogs.errors().size(), 1);
}

void TestSoftwareSave::deleteCancelledOrEmptyChangesNothing_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("questions");
    QTest::newRow("cancelled") << QStringList{"Alpha"} << 1;
    QTest::newRow("empty catalogue asks nothing") << QStringList{} << 0;
}

void TestSoftwareSave::deleteCancelledOrEmptyChangesNothing()
{
    QFETCH(QStringList, names);
    QFETCH(int, questions);
    Catalogue c(names);
    const QByteArray before = fileBytes(c.catalogueFile());
    const auto result = c.save.deleteRecord(1, c.chooser());
    QVERIFY(!result.deleted);
    QCOMPARE(c.dialogs.shown.size(), questions);
    QCOMPARE(fileBytes(c.catalogueFile()), before);
    QCOMPARE(c.software.cell(0, 1), names.value(0));
}

QTEST_GUILESS_MAIN(TestSoftwareSave)
#include "test_softwaresave.moc"
