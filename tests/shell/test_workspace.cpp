// Start-up and close without a window: the workspace's steps in the
// window's order, over a temporary data folder and the site library built
// beside the tests.

#include "platform/inifile.h"
#include "platform/tablefile.h"
#include "shell/workspace.h"
#include "submit/formwalk/formwalkplanner.h"
#include "submit/history/history.h"
#include "submit/sites/sitelibrary.h"
#include "support/builtfiles.h"
#include "support/records.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

using Notice = Workspace::Notice;
using Kind = Workspace::Notice::Kind;

const QString TenSites = QStringLiteral("     :  %1 products  :  10 sub.sites  :");
const QString MissingLibrary =
    QStringLiteral("Unable to find 'KelvaneSubmit'  DLL. Giving up on application !");

QStringList columnZero(const Table &table)
{
    QStringList names;
    for (int r = 1; r < table.rowCount(); ++r)
        names.append(table.cell(0, r));
    return names;
}

// Puts a library of `kind` into `folder` under `name`: "" nothing, "real" the
// site library, "garbage" a file that is no shared library, else a test library.
bool placeLibrary(const QString &kind, const QString &folder,
                  const QString &name = QStringLiteral("KelvaneSubmit.dll"))
{
    if (kind.isEmpty())
        return true;
    if (kind == QLatin1String("garbage"))
        return writeFile(QDir(folder).filePath(name), "MZ not a library\r\n");
    const QString built = kind == QLatin1String("real")
                              ? builtSiteLibrary()
                              : builtFile(QStringLiteral("kelvane_testsite_%1.so").arg(kind));
    return !copyInto(built, folder, name).isEmpty();
}

} // namespace

class TestWorkspace : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

    QString path(const char *name) const { return m_dir->filePath(QString::fromLatin1(name)); }

    void writeCatalogue(const QList<QStringList> &records)
    {
        QVERIFY(TableFile::save(catalogueOf(records), path("Kelvane_soft.dat"),
                                TableFile::Kind::Marked)
                    .ok);
    }

    void writeOption(const QString &key, const QString &value)
    {
        QFile file(path("KelvaneSubmit.ini"));
        IniFile ini;
        if (file.open(QIODevice::ReadOnly))
            ini = IniFile::parse(file.readAll());
        file.close();
        ini.setValue(QStringLiteral("Options"), key, value);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(ini.toBytes());
    }

    QString writtenOption(const QString &key) const
    {
        QFile file(path("KelvaneSubmit.ini"));
        if (!file.open(QIODevice::ReadOnly))
            return QStringLiteral("<no file>");
        return IniFile::parse(file.readAll()).value(QStringLiteral("Options"), key).value_or(QString());
    }

    // The window-free steps of start-up, in the window's order; stops where
    // the window stops (no site library). Returns every notice.
    static Workspace::Notices start(Workspace &w)
    {
        Workspace::Notices notices = w.settingsProblem();
        w.labelSoftwareList();
        notices += w.loadCatalogue().notices;
        const Workspace::SitesLoad sites = w.loadSites();
        notices += sites.notices;
        if (!sites.loaded)
            return notices;
        notices += w.loadHistory();
        notices += w.loadCredentials();
        notices += w.loadWebWindowGeometry();
        return notices;
    }

    std::unique_ptr<Workspace> started(Workspace::Notices *notices = nullptr)
    {
        auto w = std::make_unique<Workspace>(m_dir->path(),
                                             QCoreApplication::applicationDirPath());
        const Workspace::Notices shown = start(*w);
        if (notices)
            *notices = shown;
        else if (!shown.isEmpty())
            qWarning("unexpected notice: %s", qPrintable(shown.first().text));
        return w;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void withoutAnyFileStartUpGivesAnEmptyCatalogueAndTheTenSites()
    {
        Workspace::Notices notices;
        auto w = started(&notices);
        QVERIFY(notices.isEmpty());
        QVERIFY(w->software().isEmpty());
        QCOMPARE(w->software().cell(Field::ReleaseStatus, 0), QStringLiteral("Release Rel. Status : 10"));
        QCOMPARE(w->titleCounts(), TenSites.arg(1));
        QCOMPARE(w->history().row(0), (QStringList{"Web site", ""}));
        QCOMPARE(columnZero(w->history()), columnZero(w->sites()));
        QCOMPARE(w->constantValues(), QStringList({"kb", "yes", "no", "1", "0", ""}));
        QCOMPARE(w->rememberedSiteRow(), 1);
    }

    void theRememberedProductIsKeptWhileTheCatalogueReachesIt_data()
    {
        QTest::addColumn<QString>("remembered"); // empty: key absent
        QTest::addColumn<int>("expectedRow");

        QTest::newRow("no remembered row selects the first") << QString() << 1;
        QTest::newRow("a remembered row inside the catalogue") << QStringLiteral("2") << 2;
        QTest::newRow("the last record itself") << QStringLiteral("3") << 3;
        QTest::newRow("a row beyond the end falls back to the last record") << QStringLiteral("9") << 3;
        QTest::newRow("a row below 1 falls back to the last record") << QStringLiteral("0") << 3;
        QTest::newRow("a row that is no number reads as the first") << QStringLiteral("two") << 1;
    }

    void theRememberedProductIsKeptWhileTheCatalogueReachesIt()
    {
        QFETCH(QString, remembered);
        QFETCH(int, expectedRow);
        writeCatalogue({record("Alpha"), record("Beta"), record("Gamma")});
        if (!remembered.isEmpty())
            writeOption(QStringLiteral("Software"), remembered);
        auto w = started();
        QCOMPARE(w->rememberedSoftwareRow(), expectedRow);
        QCOMPARE(w->titleCounts(), TenSites.arg(3));
    }

    void aDamagedCatalogueIsReportedAndItsReadableRecordsKept()
    {
        writeCatalogue({record("Alpha"), record("Beta")});
        QFile file(path("Kelvane_soft.dat"));
        QVERIFY(file.open(QIODevice::Append));
        // A length prefix reaching far past the end of the file.
        file.write(QByteArray::fromHex("ffff0000") + "Gam");
        file.close();

        Workspace w(m_dir->path(), QCoreApplication::applicationDirPath());
        w.labelSoftwareList();
        const Workspace::CatalogueLoad loaded = w.loadCatalogue();
        QCOMPARE(loaded.notices.size(), 1);
        QCOMPARE(loaded.notices.first().kind, Kind::Error);
        QVERIFY(loaded.fileExisted);
        QCOMPARE(w.software().rowCount(), 3);
        QCOMPARE(w.software().cell(Field::ProgramName, 1), QStringLiteral("Alpha"));
        QCOMPARE(w.software().cell(Field::ProgramName, 2), QStringLiteral("Beta"));
    }

    void aMalformedWebWindowIsReportedAndTheDefaultsWrittenBack_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("problem");
        QTest::newRow("three numbers") << "800.600.10" << "'' is not a valid integer value";
        QTest::newRow("letters") << "wide.600.10.20" << "'wide' is not a valid integer value";
        QTest::newRow("five numbers") << "800.600.10.20.5" << "'20.5' is not a valid integer value";
        QTest::newRow("an empty value") << "" << "'' is not a valid integer value";
    }

    void aMalformedWebWindowIsReportedAndTheDefaultsWrittenBack()
    {
        QFETCH(QString, value);
        QFETCH(QString, problem);
        writeOption(QStringLiteral("WebWindow"), value);
        Workspace::Notices notices;
        auto w = started(&notices);
        QCOMPARE(notices, (Workspace::Notices{{Kind::Error, problem}}));
        QCOMPARE(w->webWindowGeometry(), WebWindowGeometry());
        w->close();
        QCOMPARE(writtenOption(QStringLiteral("WebWindow")), QStringLiteral("0.0.0.0"));
    }

    void closingWritesTheBrowserWindowGeometry_data()
    {
        QTest::addColumn<QString>("stored"); // empty: key absent
        QTest::addColumn<bool>("browserOpened");
        QTest::addColumn<QString>("written");

        QTest::newRow("absent and no browser window") << QString() << false << QStringLiteral("0.0.0.0");
        QTest::newRow("the start-up value when no browser window opened")
            << QStringLiteral("800.600.10.20") << false << QStringLiteral("800.600.10.20");
        QTest::newRow("the last browser window's geometry")
            << QStringLiteral("800.600.10.20") << true << QStringLiteral("700.500.30.40");
    }

    void closingWritesTheBrowserWindowGeometry()
    {
        QFETCH(QString, stored);
        QFETCH(bool, browserOpened);
        QFETCH(QString, written);
        if (!stored.isEmpty())
            writeOption(QStringLiteral("WebWindow"), stored);
        auto w = started();
        if (browserOpened)
            w->setWebWindowGeometry({700, 500, 30, 40});
        w->close();
        QCOMPARE(writtenOption(QStringLiteral("WebWindow")), written);
    }

    void closingReleasesTheListsButDoesNotSaveTheCatalogue()
    {
        writeCatalogue({record("Alpha", "New Release")});
        const QByteArray before = fileBytes(path("Kelvane_soft.dat"));
        auto w = started();
        w->recordSelection().recordSelected(false, 1);
        QVERIFY(w->recordSelection().hasMatchLists());
        w->software().setCell(0, 1, QStringLiteral("Changed"));
        QVERIFY(w->saveHistoryIfChanged().isEmpty());
        w->close();
        QVERIFY(!w->recordSelection().hasMatchLists());
        QVERIFY(w->constantValues().isEmpty());
        QCOMPARE(fileBytes(path("Kelvane_soft.dat")), before);
    }

    void theSiteLibraryIsLookedForInTheDataFolderThenBesideTheProgram_data()
    {
        QTest::addColumn<QString>("inData");
        QTest::addColumn<QString>("besideProgram");
        QTest::addColumn<QString>("waiting"); // KelvaneSubmit_dll.dll in the data folder
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<int>("sites");
        QTest::addColumn<int>("otherNotices"); // besides the missing-library message

        QTest::newRow("no library anywhere") << "" << "" << "" << false << 0 << 0;
        QTest::newRow("a file that is no shared library") << "garbage" << "" << "" << false << 0 << 0;
        QTest::newRow("a library exporting neither function") << "noexports" << "" << "" << false << 0 << 0;
        QTest::newRow("a negative row count") << "negativerows" << "" << "" << false << 0 << 0;
        QTest::newRow("an absurd row count") << "manyrows" << "" << "" << false << 0 << 0;
        QTest::newRow("a record without an end") << "unterminated" << "" << "" << false << 0 << 0;
        QTest::newRow("a library that faults while read") << "wildpointer" << "" << "" << false << 0 << 0;
        QTest::newRow("a library that faults as an update, the old one kept")
            << "real" << "" << "wildpointer" << true << 10 << 1;
        QTest::newRow("the data folder's library") << "real" << "" << "" << true << 10 << 0;
        QTest::newRow("the program folder's library") << "" << "real" << "" << true << 10 << 0;
        QTest::newRow("a broken data folder copy falls back to the program folder")
            << "garbage" << "real" << "" << true << 10 << 0;
        QTest::newRow("without NumOfRows one site, and a note") << "norows" << "" << "" << true << 1 << 1;
        // The one notice says what the update changed.
        QTest::newRow("a waiting update is swapped in first") << "" << "" << "real" << true << 10 << 1;
        QTest::newRow("a broken update is refused, the old library kept")
            << "real" << "" << "garbage" << true << 10 << 1;
    }

    void theSiteLibraryIsLookedForInTheDataFolderThenBesideTheProgram()
    {
        QFETCH(QString, inData);
        QFETCH(QString, besideProgram);
        QFETCH(QString, waiting);
        QFETCH(bool, loaded);
        QFETCH(int, sites);
        QFETCH(int, otherNotices);
        QTemporaryDir programFolder;
        QVERIFY(placeLibrary(inData, m_dir->path()));
        QVERIFY(placeLibrary(besideProgram, programFolder.path()));
        QVERIFY(placeLibrary(waiting, m_dir->path(), QStringLiteral("KelvaneSubmit_dll.dll")));

        Workspace w(m_dir->path(), programFolder.path());
        const Workspace::SitesLoad result = w.loadSites();
        QCOMPARE(result.loaded, loaded);
        QCOMPARE(result.notices.size(), otherNotices + (loaded ? 0 : 1));
        if (!loaded) {
            // The fixed text only when there is no library at all; a refused
            // one is named with its reason.
            if (inData.isEmpty() && besideProgram.isEmpty()) {
                QCOMPARE(result.notices.last(), (Notice{Kind::Error, MissingLibrary}));
            } else {
                QCOMPARE(result.notices.last().kind, Kind::Error);
                QVERIFY2(result.notices.last().text.startsWith(
                             "The site library cannot be used, so the program cannot go on.\n")
                             && result.notices.last().text.contains("KelvaneSubmit.dll"),
                         qPrintable(result.notices.last().text));
            }
            return;
        }
        QCOMPARE(w.sites().rowCount() - 1, sites);
        if (!waiting.isEmpty()) {
            // Swapped in or set aside: never left waiting, and a library stays.
            QVERIFY(!QFile::exists(path("KelvaneSubmit_dll.dll")));
            QVERIFY(QFile::exists(path("KelvaneSubmit.dll")));
        }
    }

    void theHistoryIsReconciledWithTheSiteTableAtStartUp_data()
    {
        QTest::addColumn<QList<QStringList>>("stored"); // no rows: no history file
        QTest::addColumn<QString>("site");
        QTest::addColumn<QString>("cell"); // the site's cell in product column 2 afterwards
        QTest::addColumn<bool>("mismatch");

        const QString ok = QStringLiteral("12/6/2026  ok");
        QTest::newRow("no history file gives an empty row per site")
            << QList<QStringList>{} << "FilesWeb" << "" << false;
        QTest::newRow("a file lacking sites gains them")
            << QList<QStringList>{{"FilesWeb", "", ok}} << "FilesWeb" << ok << false;
        QTest::newRow("a site no longer in the table is dropped")
            << QList<QStringList>{{"GoneSite", ok, ok}, {"FileHungry", "", "   fail"}}
            << "FileHungry" << "   fail" << false;
        QTest::newRow("a name that only starts a present one is no match")
            << QList<QStringList>{{"Files", ok, ok}, {"FilesWeb", "", ok}} << "FilesWeb" << ok << false;
        QTest::newRow("a site held twice leaves the counts apart and says so")
            << QList<QStringList>{{"FilesWeb", "", ok}, {"FilesWeb", "", ok}} << "FilesWeb" << ok
            << true;
    }

    void theHistoryIsReconciledWithTheSiteTableAtStartUp()
    {
        QFETCH(QList<QStringList>, stored);
        QFETCH(QString, site);
        QFETCH(QString, cell);
        QFETCH(bool, mismatch);
        writeCatalogue({record("Alpha"), record("Beta")});
        if (!stored.isEmpty()) {
            Table history(3, 2);
            for (int i = 0; i < stored.size(); ++i)
                history.setRow(i == 0 ? 1 : history.appendRow(), stored.at(i));
            QVERIFY(History::save(history, path("Kelvane_hist.dat")).ok);
        }

        Workspace::Notices notices;
        auto w = started(&notices);
        const Table &history = w->history();
        QCOMPARE(history.row(0), (QStringList{"Web site", "Alpha", "Beta"}));
        const Workspace::Notices expected{
            {Kind::Message,
             "History and Submit_list not equal...\rPlease contact software support!"}};
        QCOMPARE(notices, mismatch ? expected : Workspace::Notices{});
        QVERIFY(!w->historyChanged());
        if (!mismatch) // row r of the history is row r of the submit list
            QCOMPARE(columnZero(history), columnZero(w->sites()));
        const int row = w->submitList().rowForSubmitTo(site);
        QCOMPARE(history.cell(0, row), site);
        QCOMPARE(history.cell(2, row), cell);
        QVERIFY(!columnZero(history).contains(QStringLiteral("GoneSite")));
        QVERIFY(!columnZero(history).contains(QStringLiteral("Files")));
    }

    void closingWritesTheHistoryOnlyWhenItChanged_data()
    {
        QTest::addColumn<bool>("changed");
        QTest::newRow("a changed history is written") << true;
        QTest::newRow("an unchanged history is not") << false;
    }

    void closingWritesTheHistoryOnlyWhenItChanged()
    {
        QFETCH(bool, changed);
        writeCatalogue({record("Alpha")});
        auto w = started();
        const int row = w->submitList().rowForSubmitTo(QStringLiteral("FreewareHome"));
        w->history().setCell(1, row, QStringLiteral("   fail"));
        w->setHistoryChanged(changed);
        QVERIFY(w->saveHistoryIfChanged().isEmpty());
        w->close();
        QCOMPARE(QFile::exists(path("Kelvane_hist.dat")), changed);
        QVERIFY(!w->historyChanged());
        if (!changed)
            return;
        // The next start reads the outcome back on its site.
        auto next = started();
        QCOMPARE(next->history().cell(1, row), QStringLiteral("   fail"));
        QCOMPARE(next->history().cell(0, row), QStringLiteral("FreewareHome"));
    }

    void theHistoryFollowsTheUsersSitesAsTheyAreAddedRenamedAndDeleted()
    {
        writeCatalogue({record("Alpha")});
        QVERIFY(writeFile(path("Kelvane_sites.dat"),
                          QByteArray("\x25\0\0\0", 4) + "Mine|||yes|http://m.test/s|0|||57=pad"));
        auto w = started();
        QCOMPARE(w->titleCounts(), QStringLiteral("     :  1 products  :  11 sub.sites  :"));
        const int mine = w->sites().findRow(0, QStringLiteral("Mine"));
        QVERIFY(mine > 0);
        QCOMPARE(columnZero(w->history()), columnZero(w->sites()));
        w->history().setCell(1, mine, QStringLiteral("   fail"));

        // Renamed, the site keeps its outcomes under the new name.
        QStringList site = {"Mine2", "", "", "yes", "http://m.test/s", "0", "", "", "57=pad"};
        QVERIFY(w->outcomesLostByStore(QStringLiteral("Mine"), site).isEmpty());
        QCOMPARE(w->storeUserSite(QStringLiteral("Mine"), site), Workspace::Notices());
        const int renamed = w->history().findRow(0, QStringLiteral("Mine2"));
        QCOMPARE(w->history().cell(1, renamed), QStringLiteral("   fail"));
        QCOMPARE(columnZero(w->history()), columnZero(w->sites()));
        // Renamed onto a library site's name, whose row stays: its outcomes would go.
        QStringList onto = site;
        onto[0] = QStringLiteral("FilesWeb");
        QCOMPARE(w->outcomesLostByStore(QStringLiteral("Mine2"), onto), QStringList{"Mine2"});

        // A copy of a library site replaces it and keeps its row.
        QStringList copy = FormWalk::siteRecordCells(w->sites(), w->sites().findRow(0, "FilesWeb"));
        copy[2] = QStringLiteral("repaired");
        QCOMPARE(w->storeUserSite(QStringLiteral("FilesWeb"), copy), Workspace::Notices());
        QCOMPARE(w->titleCounts(), QStringLiteral("     :  1 products  :  11 sub.sites  :"));
        QCOMPARE(w->sites().cell(2, w->sites().findRow(0, "FilesWeb")), QStringLiteral("repaired"));

        // Deleting drops the row and its outcomes, which the caller asks about first.
        QCOMPARE(w->outcomesLostByDelete(QStringLiteral("Mine2")), QStringList{"Mine2"});
        QVERIFY(w->outcomesLostByDelete(QStringLiteral("FilesWeb")).isEmpty());
        QCOMPARE(w->deleteUserSite(QStringLiteral("Mine2")), Workspace::Notices());
        QCOMPARE(w->history().findRow(0, QStringLiteral("Mine2")), -1);
        QCOMPARE(columnZero(w->history()), columnZero(w->sites()));
        QVERIFY(!w->historyChanged());

        // What was written is what the next start-up finds.
        auto again = started();
        QCOMPARE(columnZero(again->sites()), columnZero(w->sites()));
        QCOMPARE(again->sites().cell(2, again->sites().findRow(0, "FilesWeb")),
                 QStringLiteral("repaired"));
        QCOMPARE(again->history().rowCount(), w->history().rowCount());
    }

    void aHistoryNotWrittenAfterASiteChangeIsWrittenAtTheClose()
    {
        writeCatalogue({record("Alpha")});
        auto w = started();
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Kelvane_hist.dat")));
        const QStringList site = {"Mine", "", "", "yes", "http://m.test/s", "0", "", "", "57=pad"};
        QVERIFY(!w->storeUserSite(QString(), site).isEmpty());
        QVERIFY(w->historyChanged());
        QVERIFY(QDir(m_dir->path()).rmdir(QStringLiteral("Kelvane_hist.dat")));
        QVERIFY(w->saveHistoryIfChanged().isEmpty());
        QVERIFY(started()->history().findRow(0, QStringLiteral("Mine")) > 0);
    }
};

QTEST_GUILESS_MAIN(TestWorkspace)
#include "test_workspace.moc"
