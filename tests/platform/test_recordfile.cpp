#include "platform/cp1252.h"
#include "platform/recordfile.h"
#include "platform/table.h"
#include "platform/tablefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray framed(const QList<QByteArray> &records)
{
    QByteArray out;
    for (const QByteArray &r : records)
        RecordFile::appendFramed(out, r);
    return out;
}

QByteArray le32(qint32 n)
{
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = char((quint32(n) >> (8 * i)) & 0xFF);
    return b;
}

Table softwareTable()
{
    return Table(105, 2);
}

QStringList badCopies(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.bad-*")}, QDir::Files);
}

} // namespace

class TestRecordFile : public QObject
{
    Q_OBJECT

private slots:
    void everyByteSurvivesTheCodec()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = Cp1252::decode(all);
        QCOMPARE(text.size(), 256);
        QVERIFY(Cp1252::canEncode(text));
        QCOMPARE(Cp1252::encode(text), all);
        QCOMPARE(Cp1252::decode("\x80\x9f").at(0), QChar(0x20AC));
        QCOMPARE(Cp1252::decode("\x80\x9f").at(1), QChar(0x0178));
    }

    void theCodecNamesTheFirstCharacterItCannotHold_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("position");
        QTest::newRow("plain ascii") << QStringLiteral("Program 1.0") << -1;
        QTest::newRow("latin-1 and euro") << QStringLiteral("caf\u00e9 \u20ac5") << -1;
        QTest::newRow("polish letter") << QStringLiteral("Tarn\u00f3w \u0141\u00f3d\u017a") << 7;
        QTest::newRow("emoji") << QStringLiteral("ok \U0001F600") << 3;
        QTest::newRow("cyrillic first") << QStringLiteral("\u0416x") << 0;
    }
    void theCodecNamesTheFirstCharacterItCannotHold()
    {
        QFETCH(QString, text);
        QFETCH(int, position);
        QCOMPARE(int(Cp1252::firstUnencodable(text)), position);
    }

    void savedRowsHaveTheExactFraming()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Kelvane_hist.dat"));
        Table history(3, 3);
        history.setRow(0, {QStringLiteral("heading"), QStringLiteral("A"), QStringLiteral("B")});
        history.setRow(1, {QStringLiteral("Site1"), QStringLiteral("x"), QString()});
        history.setRow(2, {QStringLiteral("S\u00e92"), QString(), QStringLiteral("ok")});
        QVERIFY(TableFile::save(history, path, TableFile::Kind::Plain).ok);
        const QByteArray expected = QByteArray("\x08\x00\x00\x00Site1|x|", 12)
                                    + QByteArray("\x07\x00\x00\x00S\xe9" "2||ok", 11);
        QCOMPARE(readAll(path), expected);
    }

    void aNameOnlyProductIsTheNameAnd103Separators()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Kelvane_soft.dat"));
        Table soft = softwareTable();
        soft.setCell(0, 1, QStringLiteral("Tool"));
        soft.setCell(104, 1, QStringLiteral("x"));
        QVERIFY(TableFile::save(soft, path, TableFile::Kind::Marked).ok);
        const QByteArray text = QByteArray("Tool") + QByteArray(103, '|');
        QCOMPARE(readAll(path), le32(qint32(text.size())) + text);
    }

    void onlyATableWithoutRecordsSavesAZeroByteFile_data()
    {
        QTest::addColumn<int>("column"); // the one cell of row 1 that holds text
        QTest::addColumn<qint64>("size");
        // A mark on the empty row is no record.
        QTest::newRow("only a submission mark") << 104 << qint64(0);
        // A record without a name is still a record: 4 + "|data" + 102 "|".
        QTest::newRow("a record without a name") << 1 << qint64(4 + 5 + 102);
    }
    void onlyATableWithoutRecordsSavesAZeroByteFile()
    {
        QFETCH(int, column);
        QFETCH(qint64, size);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Kelvane_soft.dat"));
        writeAll(path, "previous contents");
        Table soft = softwareTable();
        soft.setCell(column, 1, QStringLiteral("data"));
        QVERIFY(TableFile::save(soft, path, TableFile::Kind::Marked).ok);
        QCOMPARE(QFileInfo(path).size(), size);
    }

    void loadingAddsOneRowPerRecord_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("rows");
        QTest::newRow("zero bytes: no row, one empty name") << QByteArray() << QStringList{QString()} << 2;
        QTest::newRow("two records") << framed({"Alpha|1.0", "Beta|2.0"})
                                     << QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta")} << 3;
        QTest::newRow("a blank record adds no row")
            << framed({"Alpha|1", "   ", "Beta|2"})
            << QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta")} << 3;
        QTest::newRow("a first record without a name keeps its row")
            << framed({"|orphan", "Beta|2"}) << QStringList{QString(), QStringLiteral("Beta")} << 3;
        QTest::newRow("a record of separators alone keeps its row")
            << framed({"|||", "Beta|2"}) << QStringList{QString(), QStringLiteral("Beta")} << 3;
        // The count passes a record over 64 KiB by seeking, not reading.
        QTest::newRow("a record over 64 KiB between short ones")
            << framed({"Alpha|1", QByteArray(70000, 'd') + "|2", "Beta|2"})
            << QStringList{QStringLiteral("Alpha"), QString(70000, u'd'), QStringLiteral("Beta")} << 4;
    }
    void loadingAddsOneRowPerRecord()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, names);
        QFETCH(int, rows);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Kelvane_soft.dat"));
        writeAll(path, file);
        Table soft = softwareTable();
        const TableFile::LoadResult result = TableFile::load(soft, path, TableFile::Kind::Marked);
        QVERIFY(result.fileExisted);
        QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
        QCOMPARE(soft.rowCount(), rows);
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(soft.cell(0, i + 1), names.at(i));
    }

    void aMissingFileLeavesTheTableAsItWas()
    {
        QTemporaryDir dir;
        Table soft = softwareTable();
        const auto result = TableFile::load(soft, dir.filePath(QStringLiteral("none.dat")),
                                            TableFile::Kind::Marked);
        QVERIFY(!result.fileExisted);
        QVERIFY(result.error.isEmpty());
        QCOMPARE(soft.rowCount(), 2);
    }

    void aFullRecordRoundTrips()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Kelvane_soft.dat"));
        Table soft = softwareTable();
        for (int r = 1; r <= 3; ++r) {
            if (r > 1)
                soft.appendRow();
            for (int c = 0; c < 104; ++c)
                soft.setCell(c, r, QStringLiteral("r%1c%2 \u00e9\u20ac").arg(r).arg(c));
        }
        soft.setCell(70, 2, QStringLiteral("http://a.example/pad.xml\r\nhttp://b.example/pad.xml"));
        soft.setCell(5, 3, QString());
        soft.setCell(104, 1, QStringLiteral("x"));
        QVERIFY(TableFile::save(soft, path, TableFile::Kind::Marked).ok);

        Table back = softwareTable();
        const auto result = TableFile::load(back, path, TableFile::Kind::Marked);
        QVERIFY(result.error.isEmpty());
        QCOMPARE(back.rowCount(), 4);
        for (int r = 1; r <= 3; ++r) {
            for (int c = 0; c < 104; ++c)
                QCOMPARE(back.cell(c, r), soft.cell(c, r));
        }
        QCOMPARE(back.cell(104, 1), QString()); // the submission mark is never kept
    }

    void aFewerCellRecordLeavesTheRestEmpty()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Kelvane_soft.dat"));
        writeAll(path, framed({"Short|1.0"}));
        Table soft = softwareTable();
        soft.setCell(104, 1, QStringLiteral("x"));
        const auto result = TableFile::load(soft, path, TableFile::Kind::Marked);
        QVERIFY(result.error.isEmpty());
        QCOMPARE(soft.cell(1, 1), QStringLiteral("1.0"));
        QCOMPARE(soft.cell(2, 1), QString());
        // A cell the record does not reach keeps nothing from before the load.
        QCOMPARE(soft.cell(104, 1), QString());
    }

    void aDamagedFileKeepsEarlierRecordsAndACopy_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("reason"); // PATH: the file's path
        const QByteArray good = framed({"Alpha|1", "Beta|2"}); // 21 bytes
        const QString claims = QStringLiteral("The file PATH is damaged at byte %1: a record claims %2 bytes.");
        const QString endsInside = QStringLiteral("The file PATH ends inside a record length at byte 21.");
        QTest::newRow("negative length") << good + le32(-5) + "xxxxx" << 2 << claims.arg(21).arg(-5);
        QTest::newRow("length past the end") << good + le32(1000) + "abc" << 2 << claims.arg(21).arg(1000);
        for (int more = 1; more <= 5; ++more)
            QTest::addRow("a last record claiming %d bytes more than it holds", more)
                << good + le32(5 + more) + "Gamma" << 2 << claims.arg(21).arg(5 + more);
        for (int tail = 1; tail <= 3; ++tail)
            QTest::addRow("a tail of %d bytes", tail) << good + QByteArray(tail, '\x03') << 2 << endsInside;
        QTest::newRow("a tail of exactly a length") << good + le32(3) << 2 << claims.arg(21).arg(3);
        QTest::newRow("garbage from the start")
            << QByteArray("\xff\xff\xff\x7fgarbage") << 0 << claims.arg(0).arg(2147483647);
        QTest::newRow("text file") << QByteArray("This is not a catalogue at all.\n") << 0
                                   << claims.arg(0).arg(1936287828);
    }
    void aDamagedFileKeepsEarlierRecordsAndACopy()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, records);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Kelvane_soft.dat"));
        writeAll(path, file);
        Table soft = softwareTable();
        const auto result = TableFile::load(soft, path, TableFile::Kind::Marked);
        const QString said = reason.replace(QStringLiteral("PATH"), QDir::toNativeSeparators(path))
                             + QStringLiteral(" The records before it were loaded; the original file was kept as ");
        QVERIFY2(result.error.startsWith(said), qPrintable(result.error));
        QCOMPARE(result.recordsRead, records);
        if (records > 0) {
            QCOMPARE(soft.cell(0, 1), QStringLiteral("Alpha"));
            QCOMPARE(soft.cell(0, 2), QStringLiteral("Beta"));
        }
        const QStringList copies = badCopies(dir.path());
        QCOMPARE(copies.size(), 1);
        QCOMPARE(readAll(dir.filePath(copies.first())), file);
        QCOMPARE(readAll(path), file);
        QVERIFY(result.error.contains(copies.first()));
    }

    void aHugeDamagedFileIsReadUpToTheDamageOrRefusedWhole_data()
    {
        QTest::addColumn<int>("damageMiB");
        QTest::addColumn<QString>("first"); // cell (0, 1) afterwards
        QTest::newRow("60 MiB of damage") << 60 << QStringLiteral("Alpha");
        // Past 64 MiB nothing is read at all.
        QTest::newRow("65 MiB of damage") << 65 << QString();
    }
    void aHugeDamagedFileIsReadUpToTheDamageOrRefusedWhole()
    {
        QFETCH(int, damageMiB);
        QFETCH(QString, first);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Kelvane_soft.dat"));
        QByteArray file = framed({"Alpha|1"});
        file.append(QByteArray(damageMiB * 1024 * 1024, '\x5a'));
        writeAll(path, file);
        Table soft = softwareTable();
        const auto result = TableFile::load(soft, path, TableFile::Kind::Marked);
        QVERIFY(!result.error.isEmpty());
        QCOMPARE(soft.cell(0, 1), first);
        QCOMPARE(soft.rowCount(), 2);
        QCOMPARE(readAll(result.backupPath), file);
    }

    void aFileOfMoreThanTenMillionCellsIsRefusedWhole()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Kelvane_soft.dat"));
        // 100,001 records of 104 empty cells each: 10,400,104 cells in 10.5 MB.
        const QByteArray record = QByteArray("Name") + QByteArray(103, '|');
        const QByteArray file = framed({record}).repeated(100001);
        writeAll(path, file);
        Table soft = softwareTable();
        const TableFile::LoadResult result = TableFile::load(soft, path, TableFile::Kind::Marked);
        QVERIFY(soft.isEmpty());
        QVERIFY2(result.error.contains(QStringLiteral("more than 10000000 cells")), qPrintable(result.error));
        QCOMPARE(readAll(result.backupPath), file);
    }

    void aFileOfMoreThanAMillionRecordsIsRefusedWhole()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Kelvane_soft.dat"));
        const QByteArray file = framed({"Alpha|1"}) + le32(0).repeated(1000000);
        writeAll(path, file);
        Table soft = softwareTable();
        const TableFile::LoadResult result = TableFile::load(soft, path, TableFile::Kind::Marked);
        QCOMPARE(soft.rowCount(), 2);
        QVERIFY(soft.isEmpty());
        QVERIFY2(result.error.contains(QStringLiteral("more than 1000000 records")), qPrintable(result.error));
        QVERIFY2(result.error.contains(result.backupPath) && !result.backupPath.isEmpty(),
                 qPrintable(result.error));
        QFile copy(result.backupPath);
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), file);
    }

    void anOverlongRecordIsTrimmedAndTheOriginalKept()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Kelvane_soft.dat"));
        const QByteArray text = QByteArray("Wide") + QByteArray(104, '|') + "spill";
        writeAll(path, framed({text}));
        Table soft = softwareTable();
        const auto result = TableFile::load(soft, path, TableFile::Kind::Marked);
        QCOMPARE(result.overlongRecords, 1);
        QVERIFY(!result.error.isEmpty());
        QCOMPARE(soft.cell(0, 1), QStringLiteral("Wide"));
        QCOMPARE(soft.cell(104, 1), QString()); // no stray submission mark
        QCOMPARE(badCopies(dir.path()).size(), 1);
    }

    void aSaveRefusesCellsTheFileCannotHold_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("a bar") << QStringLiteral("a|b") << QStringLiteral("\"|\"");
        QTest::newRow("outside Windows-1252") << QStringLiteral("\u0141\u00f3d\u017a") << QStringLiteral("U+0141");
    }
    void aSaveRefusesCellsTheFileCannotHold()
    {
        QFETCH(QString, value);
        QFETCH(QString, mentions);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Kelvane_soft.dat"));
        writeAll(path, framed({"Before|1"}));
        Table soft = softwareTable();
        soft.setCell(0, 1, QStringLiteral("Good"));
        soft.appendRow();
        soft.setCell(0, 2, QStringLiteral("Bad"));
        soft.setCell(7, 2, value);
        const TableFile::SaveResult result = TableFile::save(soft, path, TableFile::Kind::Marked);
        QVERIFY(!result.ok);
        QCOMPARE(result.row, 2);
        QCOMPARE(result.column, 7);
        QVERIFY2(result.error.contains(mentions), qPrintable(result.error));
        QCOMPARE(readAll(path), framed({"Before|1"}));
    }

    void aSaveThatCannotCreateItsFileChangesNothing()
    {
        QTemporaryDir dir;
        writeAll(dir.filePath(QStringLiteral("notafolder")), "x");
        const QString path = dir.filePath(QStringLiteral("notafolder/Kelvane_soft.dat"));
        Table soft = softwareTable();
        soft.setCell(0, 1, QStringLiteral("Tool"));
        const auto result = TableFile::save(soft, path, TableFile::Kind::Marked);
        QVERIFY(!result.ok);
        QVERIFY2(result.error.startsWith(QStringLiteral("Cannot create file")), qPrintable(result.error));
    }

    // Root can read any plain file, so the unreadable file is one root meets too.
    void anUnreadableFileIsNeverWrittenOver_data()
    {
        QTest::addColumn<bool>("pipe");
        QTest::newRow("pipe") << true;
        QTest::newRow("folder") << false;
    }
    void anUnreadableFileIsNeverWrittenOver()
    {
        QFETCH(bool, pipe);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Kelvane_soft.dat"));
        if (pipe)
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Kelvane_soft.dat")));
        Table soft = softwareTable();
        const auto loaded = TableFile::load(soft, path, TableFile::Kind::Marked);
        QVERIFY(loaded.fileExisted);
        QVERIFY2(loaded.error.startsWith(QStringLiteral("Cannot open file ")), qPrintable(loaded.error));
        QVERIFY(loaded.error.contains(QStringLiteral("nothing is saved over it")));
        soft.setCell(0, 1, QStringLiteral("Tool"));
        const auto saved = TableFile::save(soft, path, TableFile::Kind::Marked);
        QVERIFY(!saved.ok);
        QVERIFY2(saved.error.startsWith(QStringLiteral("Cannot create file")), qPrintable(saved.error));
        QVERIFY(!RecordFile::write(path, {"one"}, RecordFile::Access::OwnerOnly).isEmpty());
        QVERIFY(QFileInfo::exists(path) && !QFileInfo(path).isFile());
    }

    void theCredentialFramingCanBeOwnerOnly()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Kelvane_pass.dat"));
        QVERIFY(RecordFile::write(path, {"one", "two"}, RecordFile::Access::OwnerOnly).isEmpty());
        const QFileDevice::Permissions perms = QFile::permissions(path);
        QVERIFY(perms.testFlag(QFileDevice::ReadOwner) && perms.testFlag(QFileDevice::WriteOwner));
        const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther
                            | QFileDevice::WriteOther;
        QVERIFY((perms & others) == 0);
        const auto read = RecordFile::read(path);
        QCOMPARE(read.records, (QList<QByteArray>{"one", "two"}));
    }
};

QTEST_GUILESS_MAIN(TestRecordFile)
#include "test_recordfile.moc"
