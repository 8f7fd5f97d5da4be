// The program's commands run as a script runs them: the built program,
// copied with its site library into a temporary folder that is its data
// folder, started as a process without a display.
#include "catalogue/fieldcatalogue.h"
#include "platform/singleinstance.h"
#include "platform/table.h"
#include "platform/tablefile.h"
#include "submit/sites/usersites.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

struct Answer
{
    int code = -1;
    QString out;
    QString err;
};

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_program;

    QString data(const QString &name) const { return m_dir.filePath(QStringLiteral("prog/") + name); }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.filePath(QStringLiteral("run")));
        return env;
    }

    Answer run(const QStringList &args, const QProcessEnvironment &env)
    {
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(m_program, args);
        if (!process.waitForFinished(60000))
            return {};
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
    Answer run(const QStringList &args) { return run(args, environment()); }

    // A file of `size` bytes that takes no room: its size is all that is read.
    QString sparseFile(qint64 size)
    {
        const QString path = m_dir.filePath(QStringLiteral("setup-%1.exe").arg(size));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || !f.resize(size))
            return QString();
        return path;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("prog")));
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("run")));
        QFile::setPermissions(m_dir.filePath(QStringLiteral("run")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QDir built(QCoreApplication::applicationDirPath());
        for (const char *name : {"KelvaneSubmit", "KelvaneSubmit.dll", "KelvaneSubmit-sitecheck", "KelvaneSubmit-browser.so",
                                 "KelvaneSubmit.html"})
            QVERIFY(QFile::copy(built.filePath(QLatin1String(name)), data(QLatin1String(name))));
        m_program = data(QStringLiteral("KelvaneSubmit"));
    }

    void init()
    {
        for (const char *name : {"Kelvane_soft.dat", "Kelvane_hist.dat", "KelvaneSubmit.ini"})
            QFile::remove(data(QLatin1String(name)));
        const Answer imported = run({QStringLiteral("pad"), QStringLiteral("import"),
                                     QFINDTESTDATA("../data/pad/alpha_tool.xml"), QStringLiteral("--save")});
        QCOMPARE(imported.code, 0);
        QCOMPARE(imported.out, QStringLiteral("Saved 'Alpha Tool'.\n"));
    }

    void aReleaseScriptUpdatesTheProductAndWritesItsPadFile()
    {
        const QString installer = sparseFile(1192000);
        QVERIFY(!installer.isEmpty());
        const Answer set = run({QStringLiteral("set"), QStringLiteral("alpha tool"),
                                QStringLiteral("Program_Version=2.1"), QStringLiteral("--release-date"),
                                QStringLiteral("2026-12-10"), QStringLiteral("--file"), installer});
        QCOMPARE(set.code, 0);
        QCOMPARE(set.out, QStringLiteral("Saved 'Alpha Tool'.\n"));
        // The save's warnings go to standard error, one line each.
        QVERIFY(set.err.contains(QStringLiteral("warning: No 'Link back' URL entered. Some sites "
                                                "need this to exist before submiting.\n")));

        const QString pad = m_dir.filePath(QStringLiteral("alpha.xml"));
        QCOMPARE(run({QStringLiteral("pad"), QStringLiteral("export"), QStringLiteral("Alpha Tool"),
                      QStringLiteral("-o"), pad})
                     .code,
                 0);
        const QByteArray document = readAll(pad);
        for (const char *line :
             {"<Program_Version>2.1</Program_Version>\r\n", "<Program_Release_Month>12</Program_Release_Month>\r\n",
              "<Program_Release_Day>10</Program_Release_Day>\r\n", "<Program_Release_Year>2026</Program_Release_Year>\r\n",
              "<File_Size_Bytes>1192000</File_Size_Bytes>\r\n", "<File_Size_K>1164</File_Size_K>\r\n",
              "<File_Size_MB>1.14</File_Size_MB>\r\n"})
            QVERIFY2(document.contains(line), line);
        // Standard output gives the same bytes.
        QCOMPARE(run({QStringLiteral("pad"), QStringLiteral("export"), QStringLiteral("Alpha Tool")}).out.toUtf8(),
                 document);

        // The file and the product it came from break the same rules.
        const Answer fileCheck = run({QStringLiteral("pad"), QStringLiteral("check"), pad});
        const Answer productCheck = run({QStringLiteral("pad"), QStringLiteral("check"), QStringLiteral("Alpha Tool")});
        QCOMPARE(fileCheck.code, 1);
        QCOMPARE(fileCheck.out, productCheck.out);
        QVERIFY(fileCheck.out.contains(QStringLiteral("Sales_Email: Email address 2-30@2-63.2-20 characters ('')\n")));

        const QJsonArray list = QJsonDocument::fromJson(run({QStringLiteral("list"), QStringLiteral("--json")}).out.toUtf8()).array();
        QCOMPARE(list.size(), 1);
        QCOMPARE(list[0][QStringLiteral("version")].toString(), QStringLiteral("2.1"));
        QCOMPARE(list[0][QStringLiteral("releaseDate")].toString(), QStringLiteral("2026-12-10"));
    }

    void fileSizesComeFromTheFilesRealSize_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("kilobytes");
        QTest::addColumn<QString>("megabytes");
        QTest::newRow("empty") << qint64(0) << "0" << "0.00";
        QTest::newRow("half a kilobyte rounds up") << qint64(1536) << "2" << "0.00";
        QTest::newRow("just under half") << qint64(1535) << "1" << "0.00";
        QTest::newRow("five and a half megabytes") << qint64(5767168) << "5632" << "5.50";
        QTest::newRow("ten gigabytes, never read") << qint64(10737418240) << "10485760" << "10240.00";
    }

    void fileSizesComeFromTheFilesRealSize()
    {
        QFETCH(qint64, bytes);
        const QString file = sparseFile(bytes);
        QVERIFY(!file.isEmpty());
        QCOMPARE(run({QStringLiteral("set"), QStringLiteral("Alpha Tool"), QStringLiteral("--file"), file}).code, 0);
        const QJsonObject shown = QJsonDocument::fromJson(
            run({QStringLiteral("show"), QStringLiteral("Alpha Tool"), QStringLiteral("--json")}).out.toUtf8()).object();
        QCOMPARE(shown[QStringLiteral("File_Size_Bytes")].toString(), QString::number(bytes));
        QTEST(shown[QStringLiteral("File_Size_K")].toString(), "kilobytes");
        QTEST(shown[QStringLiteral("File_Size_MB")].toString(), "megabytes");
    }

    void badInputIsNamedAndChangesNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("error");
        const QString a = QStringLiteral("Alpha Tool");
        const QString set = QStringLiteral("set");
        QTest::newRow("unknown element") << QStringList{set, a, "Program_Colour=red"} << 2
                                         << "'Program_Colour' is not a PAD element the catalogue keeps.";
        QTest::newRow("the cell separator") << QStringList{set, a, "Program_Version=2|1"} << 2
                                            << "because it holds a \"|\", which the file uses between cells.\n";
        QTest::newRow("a line break") << QStringList{set, a, "Program_Version=2\n1"} << 2
                                      << "because it holds a line break";
        QTest::newRow("no Windows-1252 byte") << QStringList{set, a, QString::fromUtf8("Program_Version=2\u0101")} << 2
                                              << "(U+0101), which has no Windows-1252 byte";
        QTest::newRow("a choice the list lacks") << QStringList{set, a, "Program_Type=Gratis"} << 2
                                                 << "Program_Type cannot hold 'Gratis' (the editor would keep ''). It takes: Shareware, Freeware, Adware, Demo, Commercial, Data Only.";
        QTest::newRow("the name") << QStringList{set, a, "Program_Name=Beta"} << 2 << "A product keeps its name here";
        QTest::newRow("no such product") << QStringList{set, "Gamma", "Program_Version=1"} << 2
                                         << "No product named 'Gamma' in the catalogue.";
        QTest::newRow("a date that is none") << QStringList{set, a, "--release-date", "2026-02-30"} << 2
                                             << "--release-date takes 'today' or a date as YYYY-MM-DD, not '2026-02-30'.";
        QTest::newRow("a folder for the file") << QStringList{set, a, "--file", QDir::tempPath()} << 2
                                               << "is a folder, not the program's file.";
        QTest::newRow("a missing file") << QStringList{set, a, "--file", "/nonexistent/setup.exe"} << 2
                                        << "The file /nonexistent/setup.exe does not exist.";
        QTest::newRow("a warning under --strict") << QStringList{set, a, "Program_Version=3", "--strict"} << 1
                                                  << "Not saved: --strict and 3 warning(s).";
        QTest::newRow("a PAD file that is none") << QStringList{"pad", "import", QFINDTESTDATA("../data/pad/not_pad_rss.xml"), "--save"}
                                                 << 2 << "This is not a PAD file.";
        QTest::newRow("pad without its word") << QStringList{"pad", "send"} << 2 << "'pad' takes: export, import, check.";
        QTest::newRow("an unknown command") << QStringList{"publish"} << 2 << "Unknown command 'publish'.";
        QTest::newRow("an unknown option") << QStringList{"list", "--all"} << 2 << "Unknown option 'all'.";
    }

    void badInputIsNamedAndChangesNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, error);
        const QByteArray before = readAll(data(QStringLiteral("Kelvane_soft.dat")));
        const Answer answer = run(args);
        QCOMPARE(answer.code, code);
        QVERIFY2(answer.err.contains(error), qPrintable(answer.err));
        QCOMPARE(readAll(data(QStringLiteral("Kelvane_soft.dat"))), before);
    }

    void aNameTwoProductsShareIsRefused()
    {
        Table software(FieldCatalogue::FieldCount, 3);
        software.setCell(Field::ProgramName, 1, QStringLiteral("Twin"));
        software.setCell(Field::ProgramName, 2, QStringLiteral("TWIN"));
        QVERIFY(TableFile::save(software, data(QStringLiteral("Kelvane_soft.dat")), TableFile::Kind::Marked).ok);
        const Answer answer = run({QStringLiteral("show"), QStringLiteral("twin")});
        QCOMPARE(answer.code, 2);
        QCOMPARE(answer.err, QStringLiteral("'twin' names 2 products of the catalogue; give one of them another name in the editor first.\n"));
    }

    void aWriteWaitsUntilTheWindowIsClosed()
    {
        SingleInstance window(m_dir.filePath(QStringLiteral("run")));
        QVERIFY(window.acquire());
        const QByteArray before = readAll(data(QStringLiteral("Kelvane_soft.dat")));
        const Answer answer = run({QStringLiteral("set"), QStringLiteral("Alpha Tool"), QStringLiteral("Program_Version=9")});
        QCOMPARE(answer.code, 2);
        QCOMPARE(answer.err, QStringLiteral("The Kelvane Submit window is open; close it first, so that neither overwrites the other's work.\n"));
        QCOMPARE(readAll(data(QStringLiteral("Kelvane_soft.dat"))), before);
        // Reading goes on.
        QCOMPARE(run({QStringLiteral("list"), QStringLiteral("--names")}).out, QStringLiteral("Alpha Tool\n"));
    }

    void aReadOnlyDataFolderKeepsTheCatalogue()
    {
        if (::geteuid() == 0)
            QSKIP("the superuser writes into read-only folders");
        const QString folder = data(QString());
        const QFileDevice::Permissions was = QFile::permissions(folder);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        const Answer answer = run({QStringLiteral("set"), QStringLiteral("Alpha Tool"), QStringLiteral("Program_Version=9")});
        QFile::setPermissions(folder, was);
        QCOMPARE(answer.code, 2);
        QVERIFY(run({QStringLiteral("show"), QStringLiteral("Alpha Tool")}).out.contains(QStringLiteral("Program_Version: 2.0.1\n")));
    }

    void theBrowserEngineIsLoadedOnlyWhenAPageOpens_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("loaded");
        QTest::newRow("--version") << QStringList{"--version"} << false;
        QTest::newRow("pad check") << QStringList{"pad", "check", "Alpha Tool"} << false;
        QTest::newRow("set") << QStringList{"set", "Alpha Tool", "Program_Version=2"} << false;
        QTest::newRow("the window, shown") << QStringList{} << false;
        QTest::newRow("sites check opens pages") << QStringList{"sites", "check", "--help"} << true;
    }

    void theBrowserEngineIsLoadedOnlyWhenAPageOpens()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, loaded);
        const QString maps = m_dir.filePath(QStringLiteral("maps"));
        QFile::remove(maps);
        QProcessEnvironment env = environment();
        env.insert(QStringLiteral("KELVANE_MAPS_FILE"), maps);
        if (args.isEmpty()) {
            // The window reports once it is shown, then is ended.
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            QProcess window;
            window.setProcessEnvironment(env);
            window.start(m_program, args);
            QVERIFY(QTest::qWaitFor([&] { return QFile::exists(maps); }, 60000));
            window.kill();
            window.waitForFinished();
        } else {
            QVERIFY(run(args, env).code >= 0);
        }
        const QByteArray mapped = readAll(maps);
        QVERIFY(mapped.contains("libQt6Core.so"));
        QCOMPARE(mapped.contains("libQt6WebEngineCore.so"), loaded);
        QCOMPARE(mapped.contains("KelvaneSubmit-browser.so"), loaded);
    }

    void aSiteCheckSaysWhyAPageFailedAndKeepsTheEnginesTalkOffStandardError()
    {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const QString page = QStringLiteral("http://127.0.0.1:%1/add").arg(closed.serverPort());
        closed.close();
        UserSites::File sites;
        sites.entries.append({UserSites::storedCells({"ZZ Closed", "", "", "yes", page, "0", "", "", "0=prog"}),
                              {}, true});
        QCOMPARE(UserSites::save(sites, data(QStringLiteral("Kelvane_sites.dat"))), QString());
        const Answer answer = run({QStringLiteral("sites"), QStringLiteral("check"), QStringLiteral("ZZ Closed")});
        QFile::remove(data(QStringLiteral("Kelvane_sites.dat")));
        QCOMPARE(answer.code, 1);
        QVERIFY2(answer.out.startsWith(QStringLiteral("failed\tZZ Closed\t")), qPrintable(answer.out));
        QVERIFY2(answer.out.contains(QStringLiteral("(net::ERR_CONNECTION_REFUSED)")), qPrintable(answer.out));
        for (const char *noise : {"qt.webenginecontext", "WebEngineContext used before", "js: "})
            QVERIFY2(!answer.err.contains(QLatin1String(noise)), qPrintable(answer.err));
    }

    void theHistoryListsSitesByProducts()
    {
        Table history(2, 3);
        history.setCell(1, 0, QStringLiteral("Alpha Tool"));
        history.setCell(0, 1, QStringLiteral("=Evil Site"));
        history.setCell(1, 1, QStringLiteral("12/10/26  ok"));
        history.setCell(0, 2, QStringLiteral("Quiet Site"));
        history.setCell(1, 2, QStringLiteral("   fail"));
        QVERIFY(TableFile::save(history, data(QStringLiteral("Kelvane_hist.dat")), TableFile::Kind::Plain).ok);
        QCOMPARE(run({QStringLiteral("history"), QStringLiteral("--csv")}).out,
                 QStringLiteral("Site,Alpha Tool\r\n'=Evil Site,12/10/26 ok\r\nQuiet Site,fail\r\n"));
        QCOMPARE(run({QStringLiteral("history"), QStringLiteral("--product"), QStringLiteral("alpha tool")}).out,
                 QStringLiteral("Site        Alpha Tool\n=Evil Site  12/10/26 ok\nQuiet Site  fail\n"));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_commandline.moc"
