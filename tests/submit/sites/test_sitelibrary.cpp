// Loading the site library from its folders, refusing what is not a usable
// site library, and the start-up update swap.

#include "support/builtfiles.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString testSite(const char *variant)
{
    return builtFile(QStringLiteral("kelvane_testsite_%1.so").arg(QLatin1String(variant)));
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString libraryName()
{
    return QString::fromLatin1(SiteLibrary::FileName);
}

} // namespace

class TestSiteLibrary : public QObject
{
    Q_OBJECT

private slots:
    void theBuiltLibraryIsCopiedWholeAndReleased();
    void theFirstUsableCandidateWins_data();
    void theFirstUsableCandidateWins();
    void unusableLibrariesGetTheMissingLibraryAnswer_data();
    void unusableLibrariesGetTheMissingLibraryAnswer();
    void aLibraryMissingOneExportLoadsWithAWarning();
    void recordsSplitAtCarriageReturns_data();
    void recordsSplitAtCarriageReturns();
    void aRecordWithoutItsFinalCarriageReturnLosesItsLastField();
    void aWaitingUpdateReplacesTheLibraryOnlyWhenUsable_data();
    void aWaitingUpdateReplacesTheLibraryOnlyWhenUsable();
};

void TestSiteLibrary::theBuiltLibraryIsCopiedWholeAndReleased()
{
    QTemporaryDir dir;
    const QString copy = copyInto(builtSiteLibrary(), dir.path());
    const SiteLibrary::LoadResult result = SiteLibrary::loadFile(copy);
    QVERIFY2(result.ok, qPrintable(result.reason));
    QVERIFY(result.warning.isEmpty());
    QCOMPARE(result.records.size(), 10);
    QCOMPARE(result.records.at(8).size(), 19);
    QCOMPARE(result.fieldColumns, 19);
#ifdef Q_OS_LINUX
    QFile maps(QStringLiteral("/proc/self/maps"));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    QVERIFY(!maps.readAll().contains(QFile::encodeName(QFileInfo(copy).canonicalFilePath())));
#endif
}

void TestSiteLibrary::theFirstUsableCandidateWins_data()
{
    QTest::addColumn<QString>("inDataFolder");
    QTest::addColumn<QByteArray>("bytesInDataFolder");
    QTest::addColumn<QString>("firstSite");

    QTest::newRow("the data folder comes first") << testSite("nofinalcr") << QByteArray() << "NoFinalCr";
    QTest::newRow("nothing in the data folder") << QString() << QByteArray() << "BestSoftware";
    QTest::newRow("an unusable file in the data folder")
        << QString() << QByteArray("not a library") << "BestSoftware";
}

void TestSiteLibrary::theFirstUsableCandidateWins()
{
    QFETCH(QString, inDataFolder);
    QFETCH(QByteArray, bytesInDataFolder);
    QFETCH(QString, firstSite);

    QTemporaryDir data;
    if (!inDataFolder.isEmpty())
        QVERIFY(!copyInto(inDataFolder, data.path()).isEmpty());
    if (!bytesInDataFolder.isEmpty())
        QVERIFY(writeFile(data.filePath(libraryName()), bytesInDataFolder));
    const SiteLibrary::LoadResult result =
        SiteLibrary::load(data.path(), QCoreApplication::applicationDirPath());
    QVERIFY2(result.ok, qPrintable(result.reason));
    QCOMPARE(result.records.first().value(0), firstSite);
}

void TestSiteLibrary::unusableLibrariesGetTheMissingLibraryAnswer_data()
{
    QTest::addColumn<QString>("library");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reasonMentions");

    QTest::newRow("no file") << QString() << QByteArray() << "does not exist";
    QTest::newRow("not a shared library") << QString() << QByteArray("MZ text\r\n") << "shared library";
    QTest::newRow("an empty file") << QString() << QByteArray("") << "shared library";
    QTest::newRow("neither export") << testSite("noexports") << QByteArray() << "neither";
    QTest::newRow("a negative row count") << testSite("negativerows") << QByteArray() << "-1";
    QTest::newRow("an absurd row count") << testSite("manyrows") << QByteArray() << "100001";
    QTest::newRow("a record unterminated within 64 KiB") << testSite("unterminated") << QByteArray()
                                                         << "Record 2";
    // dlopen would fault mapping the segments past the end of the file.
    QTest::newRow("a cut-off library") << QString() << contents(builtSiteLibrary()).left(4096)
                                       << "cut off";
}

void TestSiteLibrary::unusableLibrariesGetTheMissingLibraryAnswer()
{
    QFETCH(QString, library);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reasonMentions);

    QTemporaryDir dir;
    const QString path = dir.filePath(libraryName());
    if (!library.isEmpty())
        QVERIFY(!copyInto(library, dir.path()).isEmpty());
    else if (!bytes.isNull())
        QVERIFY(writeFile(path, bytes));

    const SiteLibrary::LoadResult result = SiteLibrary::load(QStringList{path});
    QVERIFY(!result.ok);
    QVERIFY(result.records.isEmpty());
    QVERIFY2(result.reason.contains(reasonMentions), qPrintable(result.reason));
    QCOMPARE(SiteLibrary::missingLibraryMessage(),
             QStringLiteral("Unable to find 'KelvaneSubmit'  DLL. Giving up on application !"));
}

void TestSiteLibrary::aLibraryMissingOneExportLoadsWithAWarning()
{
    QTemporaryDir dir;
    // Without a row count, the one site row is filled from record 1.
    SiteLibrary::LoadResult result = SiteLibrary::loadFile(copyInto(testSite("norows"), dir.path()));
    QVERIFY(result.ok && !result.warning.isEmpty());
    QCOMPARE(result.records.size(), 1);
    QCOMPARE(result.records.first().value(0), QStringLiteral("TestSite"));
    // Without the records, the counted rows stay empty.
    result = SiteLibrary::loadFile(copyInto(testSite("nostrings"), dir.path()));
    QVERIFY(result.ok && !result.warning.isEmpty());
    QCOMPARE(result.records, (QList<QStringList>{{}, {}}));
}

void TestSiteLibrary::recordsSplitAtCarriageReturns_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QStringList>("fields");

    QTest::newRow("empty text") << QByteArray("") << QStringList{};
    QTest::newRow("no carriage return") << QByteArray("Site") << QStringList{};
    QTest::newRow("empty fields") << QByteArray("Site\r\rnote\r") << QStringList{"Site", "", "note"};
    QTest::newRow("no final carriage return loses the last field")
        << QByteArray("Site\rhome\r57=padurl") << QStringList{"Site", "home"};
    QTest::newRow("high bytes are Windows-1252")
        << QByteArray("Caf\xe9\r\x80\r") << QStringList{QString::fromUtf8("Café"), QString::fromUtf8("€")};
}

void TestSiteLibrary::recordsSplitAtCarriageReturns()
{
    QFETCH(QByteArray, record);
    QFETCH(QStringList, fields);
    QCOMPARE(SiteLibrary::splitRecord(record), fields);
}

void TestSiteLibrary::aRecordWithoutItsFinalCarriageReturnLosesItsLastField()
{
    QTemporaryDir dir;
    const SiteLibrary::LoadResult result = SiteLibrary::loadFile(copyInto(testSite("nofinalcr"), dir.path()));
    QCOMPARE(result.records.at(0).size(), 8);
    QCOMPARE(result.records.at(1).size(), 9);
}

void TestSiteLibrary::aWaitingUpdateReplacesTheLibraryOnlyWhenUsable_data()
{
    using Outcome = SiteLibrary::UpdateResult::Outcome;
    QTest::addColumn<QString>("download");
    QTest::addColumn<QByteArray>("downloadBytes");
    QTest::addColumn<Outcome>("outcome");

    const QByteArray complete = contents(builtSiteLibrary());
    QTest::newRow("nothing waiting") << QString() << QByteArray() << Outcome::NothingWaiting;
    QTest::newRow("a complete site library") << builtSiteLibrary() << QByteArray() << Outcome::Replaced;
    for (const qsizetype cut : {qsizetype(64), qsizetype(600), complete.size() / 2, complete.size() - 1})
        QTest::addRow("cut off after %lld bytes", qlonglong(cut))
            << QString() << complete.left(cut) << Outcome::Refused;
    QTest::newRow("an error page") << QString() << QByteArray("<html>401</html>") << Outcome::Refused;
    QTest::newRow("no exports") << testSite("noexports") << QByteArray() << Outcome::Refused;
}

void TestSiteLibrary::aWaitingUpdateReplacesTheLibraryOnlyWhenUsable()
{
    using Outcome = SiteLibrary::UpdateResult::Outcome;
    QFETCH(QString, download);
    QFETCH(QByteArray, downloadBytes);
    QFETCH(Outcome, outcome);

    QTemporaryDir dir;
    const QString updateName = QString::fromLatin1(SiteLibrary::UpdateFileName);
    const QString current = copyInto(testSite("nofinalcr"), dir.path());
    const QByteArray before = contents(current);
    const QString waiting = dir.filePath(updateName);
    if (!download.isEmpty())
        QVERIFY(!copyInto(download, dir.path(), updateName).isEmpty());
    else if (!downloadBytes.isEmpty())
        QVERIFY(writeFile(waiting, downloadBytes));
    const QByteArray downloaded = contents(waiting);

    const SiteLibrary::UpdateResult result = SiteLibrary::applyUpdate(dir.path());
    QCOMPARE(result.outcome, outcome);
    QVERIFY(!QFile::exists(waiting));
    const SiteLibrary::LoadResult loaded = SiteLibrary::loadFile(current);
    QVERIFY2(loaded.ok, qPrintable(loaded.reason));
    if (outcome == Outcome::Replaced) {
        QCOMPARE(loaded.records.size(), 10);
    } else {
        QCOMPARE(contents(current), before);
    }
    if (outcome == Outcome::Refused) {
        // The download is kept aside, whole.
        QVERIFY(!result.message.isEmpty());
        QCOMPARE(contents(result.keptAs), downloaded);
    }
}

QTEST_GUILESS_MAIN(TestSiteLibrary)
#include "test_sitelibrary.moc"
