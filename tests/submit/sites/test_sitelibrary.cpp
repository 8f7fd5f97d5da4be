// Loading the site library from its folders, refusing what is not a usable
// site library, and the start-up update swap.

#include "support/builtfiles.h"
#include "submit/formwalk/sitevalidation.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <elf.h>

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

QString siteRule(const QStringList &record)
{
    return SiteValidation::checkLibraryRecord(record).message;
}

QString libraryName()
{
    return QString::fromLatin1(SiteLibrary::FileName);
}

template <typename T> T at(const QByteArray &bytes, qsizetype offset)
{
    T value{};
    if (offset >= 0 && offset + qsizetype(sizeof value) <= bytes.size())
        std::memcpy(&value, bytes.constData() + offset, sizeof value);
    return value;
}

// File offset of `what` in a 64-bit ELF file: a section by name (".rela.dyn")
// or, after "sym:", the code of an exported function; -1 when absent.
qsizetype offsetOf(const QByteArray &elf, const QByteArray &what)
{
    const auto header = at<Elf64_Ehdr>(elf, 0);
    auto section = [&](int i) { return at<Elf64_Shdr>(elf, qsizetype(header.e_shoff) + i * header.e_shentsize); };
    const Elf64_Shdr names = section(header.e_shstrndx);
    auto named = [&](const QByteArray &name) {
        for (int i = 0; i < header.e_shnum; ++i) {
            if (elf.constData() + names.sh_offset + section(i).sh_name == name)
                return section(i);
        }
        return Elf64_Shdr{};
    };
    if (!what.startsWith("sym:"))
        return named(what).sh_size ? qsizetype(named(what).sh_offset) : -1;
    const Elf64_Shdr symbols = named(".dynsym");
    const Elf64_Shdr strings = named(".dynstr");
    const Elf64_Shdr text = named(".text");
    for (quint64 n = 0; symbols.sh_entsize && n < symbols.sh_size / symbols.sh_entsize; ++n) {
        const auto symbol = at<Elf64_Sym>(elf, qsizetype(symbols.sh_offset + n * symbols.sh_entsize));
        if (elf.constData() + strings.sh_offset + symbol.st_name == what.mid(4))
            return qsizetype(symbol.st_value - text.sh_addr + text.sh_offset);
    }
    return -1;
}

} // namespace

class TestSiteLibrary : public QObject
{
    Q_OBJECT

private slots:
    void theBuiltLibraryIsCopiedWholeAndReleased();
    void theFirstUsableCandidateWins_data();
    void theFirstUsableCandidateWins();
    void unusableLibrariesAreRefusedWithTheirReason_data();
    void unusableLibrariesAreRefusedWithTheirReason();
    void damagedLibrariesAreRefusedWithoutHarmToTheProgram_data();
    void damagedLibrariesAreRefusedWithoutHarmToTheProgram();
    void aLibraryThatHangsIsRefusedAtTheTimeLimit();
    void aLibraryWritingOnTheOutputStillGivesItsRecords();
    void aLibraryMissingOneExportLoadsWithAWarning();
    void anEarlyCheckGivesTheFileAsItIsWhenLoaded_data();
    void anEarlyCheckGivesTheFileAsItIsWhenLoaded();
    void recordsSplitAtCarriageReturns_data();
    void recordsSplitAtCarriageReturns();
    void aRecordWithoutItsFinalCarriageReturnLosesItsLastField();
    void aWaitingUpdateReplacesTheLibraryOnlyWhenUsable_data();
    void aWaitingUpdateReplacesTheLibraryOnlyWhenUsable();
    void anUpdateWithADamagedRecordIsRefused_data();
    void anUpdateWithADamagedRecordIsRefused();
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

void TestSiteLibrary::unusableLibrariesAreRefusedWithTheirReason_data()
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
    QTest::newRow("a record that is no text") << testSite("wildpointer") << QByteArray() << "crashed";
    QTest::newRow("a record of 1100 fields") << testSite("manyfields") << QByteArray() << "1100 fields";
}

void TestSiteLibrary::unusableLibrariesAreRefusedWithTheirReason()
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
    QCOMPARE(result.found, QFile::exists(path));
    QCOMPARE(SiteLibrary::missingLibraryMessage(),
             QStringLiteral("Unable to find 'KelvaneSubmit'  DLL. Giving up on application !"));
}

void TestSiteLibrary::damagedLibrariesAreRefusedWithoutHarmToTheProgram_data()
{
    QTest::addColumn<QByteArray>("where");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reasonMentions");

    // Each crashed the program when the library was read in its own process.
    QTest::newRow("a relocation of an unknown type")
        << QByteArray(".rela.dyn") << 8 << QByteArray("\x7f") << "ended the checker";
    QTest::newRow("a relocation aimed far outside the library")
        << QByteArray(".rela.dyn") << 5 << QByteArray("\x7f") << "crashed";
    QTest::newRow("a hash table without buckets")
        << QByteArray(".gnu.hash") << 0 << QByteArray(4, '\0') << "exports neither";
    QTest::newRow("NumOfRows turned into an illegal instruction")
        << QByteArray("sym:NumOfRows") << 0 << QByteArray("\x0f\x0b") << "crashed";
    QTest::newRow("LoadStrings turned into an illegal instruction")
        << QByteArray("sym:LoadStrings") << 0 << QByteArray("\x0f\x0b") << "crashed";
}

void TestSiteLibrary::damagedLibrariesAreRefusedWithoutHarmToTheProgram()
{
    QFETCH(QByteArray, where);
    QFETCH(int, offset);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reasonMentions);

    QByteArray library = contents(builtSiteLibrary());
    const qsizetype start = offsetOf(library, where);
    QVERIFY2(start > 0, where.constData());
    library.replace(start + offset, bytes.size(), bytes);

    QTemporaryDir dir;
    const QString path = dir.filePath(libraryName());
    QVERIFY(writeFile(path, library));
    const SiteLibrary::LoadResult result = SiteLibrary::loadFile(path);
    QVERIFY(!result.ok && result.found);
    QVERIFY2(result.reason.contains(reasonMentions), qPrintable(result.reason));

    // The same file as a waiting update: refused once, set aside whole.
    const QString current = copyInto(builtSiteLibrary(), dir.path());
    const QString waiting = dir.filePath(QString::fromLatin1(SiteLibrary::UpdateFileName));
    QVERIFY(writeFile(waiting, library));
    const SiteLibrary::UpdateResult update = SiteLibrary::applyUpdate(dir.path(), QString(), siteRule);
    QCOMPARE(update.outcome, SiteLibrary::UpdateResult::Outcome::Refused);
    QVERIFY2(update.message.contains(reasonMentions), qPrintable(update.message));
    QVERIFY(!QFile::exists(waiting));
    QCOMPARE(contents(update.keptAs), library);
    QCOMPARE(contents(current), contents(builtSiteLibrary()));
}

void TestSiteLibrary::aLibraryThatHangsIsRefusedAtTheTimeLimit()
{
    QTemporaryDir dir;
    const SiteLibrary::LoadResult result =
        SiteLibrary::loadFile(copyInto(testSite("hang"), dir.path()), 1000);
    QVERIFY(!result.ok);
    QVERIFY2(result.reason.contains("did not finish within 1 seconds"), qPrintable(result.reason));
}

void TestSiteLibrary::aLibraryWritingOnTheOutputStillGivesItsRecords()
{
    QTemporaryDir dir;
    const SiteLibrary::LoadResult result = SiteLibrary::loadFile(copyInto(testSite("noisy"), dir.path()));
    QVERIFY2(result.ok, qPrintable(result.reason));
    QCOMPARE(result.records.size(), 2);
    QCOMPARE(result.records.first().value(0), QStringLiteral("TestSite"));
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

void TestSiteLibrary::anEarlyCheckGivesTheFileAsItIsWhenLoaded_data()
{
    QTest::addColumn<QString>("replacement"); // put in after the early start; "" for none
    QTest::addColumn<QString>("firstSite");
    QTest::addColumn<int>("records");
    QTest::newRow("left alone") << QString() << QStringLiteral("BestSoftware") << 10;
    QTest::newRow("replaced meanwhile") << QStringLiteral("noisy") << QStringLiteral("TestSite") << 2;
}

void TestSiteLibrary::anEarlyCheckGivesTheFileAsItIsWhenLoaded()
{
    QFETCH(QString, replacement);
    QFETCH(QString, firstSite);
    QFETCH(int, records);
    QTemporaryDir data, program;
    const QString library = copyInto(builtSiteLibrary(), data.path());
    SiteLibrary::startCheckEarly(data.path(), program.path());
    if (!replacement.isEmpty()) {
        QTemporaryDir other;
        const QString put = copyInto(testSite(qPrintable(replacement)), other.path());
        QVERIFY(QFile::remove(library));
        QVERIFY(QFile::rename(put, library));
    }
    const SiteLibrary::LoadResult result = SiteLibrary::load(data.path(), program.path());
    QVERIFY2(result.ok, qPrintable(result.reason));
    QCOMPARE(result.records.size(), records);
    QCOMPARE(result.records.first().value(0), firstSite);
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

    const SiteLibrary::UpdateResult result = SiteLibrary::applyUpdate(dir.path(), QString(), siteRule);
    QCOMPARE(result.outcome, outcome);
    QVERIFY(!QFile::exists(waiting));
    const SiteLibrary::LoadResult loaded = SiteLibrary::loadFile(current);
    QVERIFY2(loaded.ok, qPrintable(loaded.reason));
    if (outcome == Outcome::Replaced) {
        QCOMPARE(loaded.records.size(), 10);
        QCOMPARE(result.message, QStringLiteral("The site library was updated: 10 sites added, 2 "
                                                "removed, 0 changed (10 sites in all)."));
        QCOMPARE(contents(result.previousKeptAs), before);
        QCOMPARE(QFileInfo(result.previousKeptAs).fileName(), QStringLiteral("KelvaneSubmit_previous.dll"));
    } else {
        QCOMPARE(contents(current), before);
    }
    if (outcome == Outcome::Refused) {
        // The download is kept aside, whole.
        QVERIFY(!result.message.isEmpty());
        QCOMPARE(contents(result.keptAs), downloaded);
    }
}

void TestSiteLibrary::anUpdateWithADamagedRecordIsRefused_data()
{
    QTest::addColumn<QByteArray>("was");
    QTest::addColumn<QByteArray>("now");
    QTest::addColumn<QString>("reason");

    // One changed byte each: the library still loads, with a record broken.
    QTest::newRow("a line feed inside a submission address")
        << QByteArray("amazingfiles.example/submit") << QByteArray("amazingfiles.example\nsubmit")
        << "its site record 2 (\"AmazingFiles\") is damaged: The \"Submit\" holds a control character.";
    QTest::newRow("a submission address that lost its scheme")
        << QByteArray("http://www.filehungry.example/pad/") << QByteArray("hxtp://www.filehungry.example/pad/")
        << "its site record 5 (\"FileHungry\") is damaged: The submission address must be an http:// or "
           "https:// address with a host.";
    QTest::newRow("an entry number hit")
        << QByteArray("81=regnow") << QByteArray("8!=regnow")
        << "its site record 7 (\"DownloadChoice\") is damaged: The field map entry 2, \"8!=regnow\", is "
           "not of the form number=name.";
    QTest::newRow("a record cut short by a zero byte")
        << QByteArray("80=linkto\r") << QByteArray("80=li\0kto\r", 10)
        << "its site record 3 (\"FilesWeb\") is cut short: it does not end with a carriage return";
}

void TestSiteLibrary::anUpdateWithADamagedRecordIsRefused()
{
    QFETCH(QByteArray, was);
    QFETCH(QByteArray, now);
    QFETCH(QString, reason);

    QByteArray library = contents(builtSiteLibrary());
    const qsizetype at = library.indexOf(was);
    QVERIFY(at > 0);
    library.replace(at, was.size(), now);

    QTemporaryDir dir;
    const QString current = copyInto(testSite("nofinalcr"), dir.path());
    const QByteArray before = contents(current);
    QVERIFY(writeFile(dir.filePath(QString::fromLatin1(SiteLibrary::UpdateFileName)), library));
    const SiteLibrary::UpdateResult result = SiteLibrary::applyUpdate(dir.path(), QString(), siteRule);
    QCOMPARE(result.outcome, SiteLibrary::UpdateResult::Outcome::Refused);
    QVERIFY2(result.message.contains(reason), qPrintable(result.message));
    QCOMPARE(contents(current), before);
    QCOMPARE(contents(result.keptAs), library);
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("KelvaneSubmit_previous.dll"))));
}

QTEST_GUILESS_MAIN(TestSiteLibrary)
#include "test_sitelibrary.moc"
