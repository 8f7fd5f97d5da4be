// Site packs from the submit list's pop-up menu in the real main window:
// export, the import window, and what reaches the user's sites file.

#include "submit/sitepackimportdialog.h"
#include "submit/sitepackimportmodel.h"
#include "submit/formwalk/formwalkplanner.h"
#include "submit/sites/submitlist.h"
#include "submit/sites/siterecord.h"
#include "submit/sites/sitepack.h"
#include "submit/sites/usersites.h"
#include "submit/submitview.h"
#include "shell/libraryupdate.h"
#include "shell/optionsview.h"
#include "shell/updateaddressesdialog.h"
#include "shell/updatecommand.h"
#include "shell/updatedownload.h"
#include "submit/credentialsdialog.h"
#include "support/fixtureserver.h"
#include "support/windowharness.h"

#include <QAction>
#include <QLineEdit>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QTableView>
#include <QTableWidget>

namespace {

const QString SitesFile = QStringLiteral("Kelvane_sites.dat");

QStringList mine(const QString &submit)
{
    return {"ZZ Mine", "https://mine.example/", "", "yes", submit, "0", "", "", "0=prog"};
}

} // namespace

class TestSitePacks : public QObject, protected WindowHarness
{
    Q_OBJECT

    void writeUserSites(const QList<QStringList> &sites)
    {
        UserSites::File file;
        for (const QStringList &cells : sites)
            file.entries.append({UserSites::storedCells(cells), {}, true});
        QCOMPARE(UserSites::save(file, path(SitesFile)), QString());
    }

    static void trigger(TForm1 &form, const char *name)
    {
        auto *action = form.submitView()->popupMenu()->findChild<QAction *>(QLatin1String(name));
        QVERIFY2(action, name);
        action->trigger();
    }

    static QStringList siteRow(TForm1 &form, const QString &name)
    {
        Table &sites = form.workspace().sites();
        const int row = sites.findRow(SiteRecord::SiteName, name);
        return row > 0 ? UserSites::storedCells(FormWalk::siteRecordCells(sites, row)) : QStringList();
    }

    static SitePackImportDialog *importWindow(TForm1 &form)
    {
        return form.submission()->sitePackImport();
    }

    // "&update soft" with an account, as the user asks for it, to its end.
    static void update(TForm1 &form)
    {
        click(form, QStringLiteral("Button_update"));
        TForm3 *account = form.update()->accountDialog();
        QVERIFY(account);
        account->userEdit()->setText(QStringLiteral("ann"));
        account->okButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(!form.update()->download()->isRunning()
                                     && !form.update()->packDownload()->isRunning(),
                                 30000);
    }

    FixtureServer m_server;

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.start());
        // No site library there: the library's failure is told, the pack still comes.
        qputenv(LibraryUpdate::HostVariable,
                m_server.url(QStringLiteral("/")).authority().toLatin1());
    }

    void init() { resetHarness(); }

    void exportThenImportOnAFreshDataFolderGivesTheSameSites()
    {
        writeUserSites({mine("https://mine.example/add")});
        QList<QStringList> exported;
        const QString pack = QDir::temp().filePath(QStringLiteral("kelvane-test-pack-%1.json")
                                                        .arg(QCoreApplication::applicationPid()));
        {
            auto form = startWindow();
            Table &sites = form->workspace().sites();
            for (const QString name : {"BestSoftware", "FilesWeb", "ZZ Mine"}) {
                const int row = sites.findRow(SiteRecord::SiteName, name);
                QVERIFY(row > 0);
                Marks::set(sites, row, true);
                exported.append(siteRow(*form, name));
            }
            m_dialogs.fileNames = {pack};
            trigger(*form, "Pop_u_exportsites");
            QCOMPARE(m_dialogs.shown.size(), 1);
            QCOMPARE(m_dialogs.shown.first().kind, FakeDialogs::Kind::SaveFile);
            QCOMPARE(m_dialogs.fileDialogs.first().filter, QStringLiteral("Site pack (*.json)"));
        }
        QVERIFY(fileBytes(pack).startsWith("{"));

        resetHarness();
        auto form = startWindow();
        m_dialogs.fileNames = {pack};
        trigger(*form, "Pop_u_importsites");
        QFile::remove(pack);
        SitePackImportDialog *window = importWindow(*form);
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->findChild<QLabel *>(QStringLiteral("Label_pack_counts"))->text(),
                 QStringLiteral("1 new, 2 same, 0 differ"));
        // The library's own sites come back as they are; all three taken.
        for (int row = 0; row < window->model()->rowCount(); ++row)
            window->model()->setChosen(row, true);
        window->findChild<QPushButton *>(QStringLiteral("ImportChosenSites"))->click();
        QTRY_VERIFY(importWindow(*form) == nullptr);
        for (const QStringList &site : std::as_const(exported))
            QCOMPARE(siteRow(*form, site.first()), site);
        QCOMPARE(form->workspace().userSites().sites().size(), 3);
        // The submit list shows the imported site beside the library's ten.
        QCOMPARE(form->workspace().sites().rowCount(), 12);
    }

    void exportWithNoSiteMarkedSaysSoAndWritesNothing()
    {
        auto form = startWindow();
        m_dialogs.fileNames = {path("never.json")};
        trigger(*form, "Pop_u_exportsites");
        QCOMPARE(m_dialogs.shown.size(), 1);
        QCOMPARE(m_dialogs.shown.first().kind, FakeDialogs::Kind::Message);
        QCOMPARE(m_dialogs.shown.first().text,
                 QStringLiteral("No site is marked, so there is nothing to export. Tick the check "
                                "boxes of the sites to export first."));
        QVERIFY(!QFile::exists(path("never.json")));
    }

    void theImportWindowComparesAndCancelChangesNothing()
    {
        writeUserSites({mine("https://mine.example/add")});
        auto form = startWindow();
        const QByteArray before = fileBytes(path(SitesFile));
        const QStringList library = siteRow(*form, QStringLiteral("BestSoftware"));
        QStringList fresh = mine("https://new.example/add");
        fresh[SiteRecord::SiteName] = QStringLiteral("ZZ New");
        QStringList unsafe = fresh;
        unsafe[SiteRecord::SiteName] = QStringLiteral("ZZ Unsafe");
        unsafe[SiteRecord::SubmitPage] = QStringLiteral("javascript:alert(1)");
        const QByteArray pack = SitePack::write(
            {fresh, library, mine("https://mine.example/changed"), unsafe},
            QStringLiteral("Kelvane Submit v9"), QDate(2026, 12, 1));

        form->submission()->openSitePack(pack);
        SitePackImportDialog *window = importWindow(*form);
        QVERIFY(window);
        QCOMPARE(window->findChild<QLabel *>(QStringLiteral("Label_pack_counts"))->text(),
                 QStringLiteral("1 new, 1 same, 1 differ"));
        QCOMPARE(window->findChild<QLabel *>(QStringLiteral("Label_pack_origin"))->text(),
                 QStringLiteral("From: Kelvane Submit v9, made 2026-12-01"));
        const QString refused =
            window->findChild<QPlainTextEdit *>(QStringLiteral("Text_pack_refused"))->toPlainText();
        QVERIFY2(refused.startsWith(QStringLiteral("site 4 \"ZZ Unsafe\": ")), qPrintable(refused));
        SitePackImportModel *model = window->model();
        QCOMPARE(model->rowCount(), 3);
        const QStringList states{"new", "same", "differs"};
        const QList<bool> checked{true, false, true};
        for (int row = 0; row < 3; ++row) {
            QCOMPARE(model->index(row, SitePackImportModel::State).data().toString(), states.at(row));
            QCOMPARE(model->isChosen(row), checked.at(row));
        }
        // The differing site's changed column, ours beside theirs.
        window->showSite(2);
        auto *differences = window->findChild<QTableWidget *>(QStringLiteral("Table_pack_differences"));
        QCOMPARE(differences->rowCount(), 1);
        QCOMPARE(differences->item(0, 0)->text(), QStringLiteral("Submit"));
        QCOMPARE(differences->item(0, 1)->text(), QStringLiteral("https://mine.example/add"));
        QCOMPARE(differences->item(0, 2)->text(), QStringLiteral("https://mine.example/changed"));

        window->reject();
        QTRY_VERIFY(importWindow(*form) == nullptr);
        QCOMPARE(fileBytes(path(SitesFile)), before);
        QVERIFY(siteRow(*form, QStringLiteral("ZZ New")).isEmpty());

        // Import takes the checked ones: the new site and the changed one.
        form->submission()->openSitePack(pack);
        importWindow(*form)->findChild<QPushButton *>(QStringLiteral("ImportChosenSites"))->click();
        QTRY_VERIFY(importWindow(*form) == nullptr);
        QCOMPARE(siteRow(*form, QStringLiteral("ZZ New")), UserSites::storedCells(fresh));
        QCOMPARE(siteRow(*form, QStringLiteral("ZZ Mine")),
                 UserSites::storedCells(mine("https://mine.example/changed")));
        QCOMPARE(form->workspace().userSites().sites().size(), 2);
        // The library site left unchecked stays the library's.
        QVERIFY(!form->workspace().submitList().isUserSite(
            form->workspace().sites().findRow(SiteRecord::SiteName, QStringLiteral("BestSoftware"))));
        QVERIFY(m_dialogs.errors().isEmpty());
    }

    void aSiteImportedUnderAnotherLetterCaseKeepsItsHistory()
    {
        writeCatalogue({record("Alpha")});
        auto form = startWindow();
        Table &history = form->workspace().history();
        const int row = history.findRow(0, QStringLiteral("BestSoftware"));
        QVERIFY(row > 0);
        history.setCell(1, row, QStringLiteral("12/01/2026  ok"));
        QStringList renamed = siteRow(*form, QStringLiteral("BestSoftware"));
        renamed[SiteRecord::SiteName] = QStringLiteral("bestsoftware");
        form->submission()->openSitePack(
            SitePack::write({renamed}, QStringLiteral("Kelvane Submit v9"), QDate(2026, 12, 1)));
        importWindow(*form)->findChild<QPushButton *>(QStringLiteral("ImportChosenSites"))->click();
        QTRY_VERIFY(importWindow(*form) == nullptr);
        const int renamedRow = history.findRow(0, QStringLiteral("bestsoftware"));
        QCOMPARE(history.cell(0, renamedRow), QStringLiteral("bestsoftware"));
        QCOMPARE(history.cell(1, renamedRow), QStringLiteral("12/01/2026  ok"));
    }

    void aPackRefusedAsAWholeIsToldAndChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << QByteArray("  \n") << "The file is empty; it holds no site pack.";
        QTest::newRow("no such file") << QByteArray()
                                      << "The site pack \"%1\" cannot be read: No such file or directory";
        QTest::newRow("larger than a pack may be")
            << QByteArray(int(SitePack::MaxFileBytes) + 5, ' ')
            << "The file is larger than a site pack may be (16777221 bytes; at most 16777216).";
        QTest::newRow("binary") << QByteArray("\x7f" "ELF\x02\x01\x01\0\0\0", 10)
                                << "The file is no site pack: it is not JSON text (illegal value at byte 1).";
        QTest::newRow("web page")
            << QByteArray("<!DOCTYPE html><html><body>Not found</body></html>")
            << "The file is a web page, not a site pack; a download may have brought an error "
               "page in its place.";
        QTest::newRow("newer version")
            << QByteArray("{\"format\": \"kelvane-site-pack\", \"version\": 2, \"sites\": []}")
            << "The site pack was made by a newer version of the program (pack version 2; this "
               "one reads up to 1); update it first.";
        QTest::newRow("password")
            << QByteArray("{\"format\": \"kelvane-site-pack\", \"version\": 1, \"sites\": [{\"name\": "
                          "\"A\", \"submitPage\": \"https://a.example/\", \"login\": \"0\", "
                          "\"password\": \"x\"}]}")
            << "The site \"A\" in this pack carries a user name or password (the key "
               "\"password\"). A site pack never carries them, so nothing was read from it.";
    }

    void aPackRefusedAsAWholeIsToldAndChangesNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        writeUserSites({mine("https://mine.example/add")});
        auto form = startWindow();
        const QByteArray before = fileBytes(path(SitesFile));
        const QString pack = path("pack.json");
        if (!bytes.isNull()) {
            QFile file(pack);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        m_dialogs.fileNames = {pack};
        trigger(*form, "Pop_u_importsites");
        QCOMPARE(m_dialogs.errors(), QStringList{message.contains("%1") ? message.arg(pack) : message});
        QVERIFY(importWindow(*form) == nullptr);
        QCOMPARE(fileBytes(path(SitesFile)), before);
    }

    void theOptionsKeepOnlyAddressesThatAreSo_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("pack");
        QTest::addColumn<QString>("storedHost");
        QTest::addColumn<QString>("storedPack");
        QTest::addColumn<QString>("message");
        const QString oldHost = QStringLiteral("old.example:81");
        const QString oldPack = QStringLiteral("https://old.example/p.json");
        QTest::newRow("both set") << " updates.example.org:8080 " << "http://packs.example/a.json"
                                  << "updates.example.org:8080" << "http://packs.example/a.json" << "";
        QTest::newRow("both blank") << "" << "" << "" << "" << "";
        QTest::newRow("host with a scheme")
            << "http://updates.example.org" << "" << oldHost << ""
            << "The update address \"http://updates.example.org\" is not a host name with an "
               "optional port (such as updates.example.org or 127.0.0.1:8080: no \"http://\", "
               "path or spaces). The address stored before stays.";
        QTest::newRow("host with a path")
            << "updates.example.org/x" << oldPack << oldHost << oldPack
            << "The update address \"updates.example.org/x\" is not a host name with an optional "
               "port (such as updates.example.org or 127.0.0.1:8080: no \"http://\", path or "
               "spaces). The address stored before stays.";
        QTest::newRow("port 0") << "updates.example.org:0" << "" << oldHost << ""
            << "The port in the update address \"updates.example.org:0\" must be a number from 1 "
               "to 65535. The address stored before stays.";
        QTest::newRow("port 65536") << "127.0.0.1:65536" << "" << oldHost << ""
            << "The port in the update address \"127.0.0.1:65536\" must be a number from 1 to "
               "65535. The address stored before stays.";
        QTest::newRow("pack by ftp") << "" << "ftp://packs.example/a.json" << "" << oldPack
            << "The site pack address \"ftp://packs.example/a.json\" is not an http or https "
               "address with a host (such as https://example.org/sites.json). The address stored "
               "before stays.";
        QTest::newRow("pack without host") << "" << "https:///a.json" << "" << oldPack
            << "The site pack address \"https:///a.json\" is not an http or https address with a "
               "host (such as https://example.org/sites.json). The address stored before stays.";
        QTest::newRow("pack file address") << "" << "file:///etc/passwd" << "" << oldPack
            << "The site pack address \"file:///etc/passwd\" is not an http or https address with "
               "a host (such as https://example.org/sites.json). The address stored before stays.";
    }

    void theOptionsKeepOnlyAddressesThatAreSo()
    {
        QFETCH(QString, host);
        QFETCH(QString, pack);
        QFETCH(QString, storedHost);
        QFETCH(QString, storedPack);
        QFETCH(QString, message);
        writeOption(QLatin1String(Settings::UpdateHostKey), "old.example:81");
        writeOption(QLatin1String(Settings::SitePackAddressKey), "https://old.example/p.json");
        auto form = startWindow();
        OptionsView *options = form->optionsView();
        options->findChild<QPushButton *>(QStringLiteral("Button_update_addresses"))->click();
        UpdateAddressesDialog *addresses = options->addressesDialog();
        QVERIFY(addresses && addresses->isVisible());
        QCOMPARE(addresses->updateHostEdit()->text(), QStringLiteral("old.example:81"));
        QCOMPARE(addresses->packAddressEdit()->text(), QStringLiteral("https://old.example/p.json"));
        addresses->updateHostEdit()->setText(host);
        addresses->packAddressEdit()->setText(pack);
        addresses->okButton()->click();
        QCOMPARE(m_dialogs.texts(FakeDialogs::Kind::Message),
                 message.isEmpty() ? QStringList() : QStringList{message});
        // A refused value stays in the window for the user to mend.
        if (message.isEmpty())
            QTRY_VERIFY(options->addressesDialog() == nullptr);
        else
            QVERIFY(addresses->isVisible());
        Settings &settings = form->workspace().settings();
        QCOMPARE(settings.updateHost(), storedHost);
        QCOMPARE(settings.sitePackAddress(), storedPack);
    }

    void theUpdateHostIsTheEnvironmentsThenTheOptionsThenTheBuiltInOne()
    {
        const QByteArray kept = qgetenv(LibraryUpdate::HostVariable);
        qunsetenv(LibraryUpdate::HostVariable);
        QCOMPARE(LibraryUpdate::host(), QStringLiteral("update.kelvane.example"));
        QCOMPARE(LibraryUpdate::host(QStringLiteral("mine.example:8080")),
                 QStringLiteral("mine.example:8080"));
        qputenv(LibraryUpdate::HostVariable, "127.0.0.1:9");
        QCOMPARE(LibraryUpdate::host(QStringLiteral("mine.example:8080")), QStringLiteral("127.0.0.1:9"));
        qputenv(LibraryUpdate::HostVariable, kept);
    }

    void aPackAtTheOptionsAddressOpensTheImportWindow()
    {
        FixtureServer::Response pack;
        pack.contentType = "application/json";
        QStringList site = mine("https://mine.example/add");
        site[SiteRecord::SiteName] = QStringLiteral("ZZ Fetched");
        pack.body = SitePack::write({site}, QStringLiteral("Kelvane Submit v9"), QDate(2026, 12, 1));
        m_server.route("/packs/mine.json", pack);
        writeOption(QLatin1String(Settings::SitePackAddressKey),
                    m_server.url(QStringLiteral("/packs/mine.json")).toString());
        auto form = startWindow();
        update(*form);
        // The library's own outcome first, then the window on the pack.
        QCOMPARE(m_dialogs.errors(), QStringList{LibraryUpdate::failureMessage(
                                         "The update server has no site library at this address.")});
        SitePackImportDialog *window = importWindow(*form);
        QVERIFY(window);
        QCOMPARE(window->model()->rowCount(), 1);
        QCOMPARE(window->model()->index(0, 0).data().toString(), QStringLiteral("ZZ Fetched"));
        window->reject();
    }

    void aPackThatCannotBeFetchedIsToldAndChangesNothing_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("bodyBytes");
        QTest::addColumn<bool>("neverAnswer");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("reason"); // "": nothing told
        QTest::newRow("404") << 404 << 10 << false << false
                             << "There is no site pack at this address (HTTP 404).";
        QTest::newRow("500") << 500 << 10 << false << false
                             << "The site pack's server answered HTTP 500.";
        QTest::newRow("larger than a pack may be")
            << 200 << int(SitePack::MaxFileBytes) + 1 << false << false
            << "The file is larger than a site pack may be (16777217 bytes announced).";
        QTest::newRow("never answers") << 200 << 0 << true << false
                                       << "No data came from the site pack's server for 30 seconds.";
        QTest::newRow("cancelled") << 200 << 0 << true << true << "";
    }

    void aPackThatCannotBeFetchedIsToldAndChangesNothing()
    {
        QFETCH(int, status);
        QFETCH(int, bodyBytes);
        QFETCH(bool, neverAnswer);
        QFETCH(bool, cancel);
        QFETCH(QString, reason);
        FixtureServer::Response answer;
        answer.status = status;
        answer.body = QByteArray(bodyBytes, '{');
        answer.neverAnswer = neverAnswer;
        const QByteArray route = "/packs/" + QByteArray(QTest::currentDataTag()).replace(' ', '-');
        m_server.route(route, answer);
        writeUserSites({mine("https://mine.example/add")});
        writeOption(QLatin1String(Settings::SitePackAddressKey),
                    m_server.url(QString::fromLatin1(route)).toString());
        auto form = startWindow();
        const QByteArray before = fileBytes(path(SitesFile));
        UpdateDownload *download = form->update()->packDownload();
        // The stall limit itself is the library's; a short one keeps the test short.
        download->setStallMilliseconds(cancel ? 60000 : 300);
        click(*form, QStringLiteral("Button_update"));
        TForm3 *account = form->update()->accountDialog();
        QVERIFY(account);
        account->okButton()->click();
        if (cancel) {
            QTRY_VERIFY_WITH_TIMEOUT(download->isRunning(), 30000);
            auto *cancelButton = download->progressDialog()->findChild<QPushButton *>();
            QVERIFY(cancelButton);
            cancelButton->click();
        }
        QTRY_VERIFY_WITH_TIMEOUT(!form->update()->download()->isRunning() && !download->isRunning(),
                                 30000);
        // The library's failure first (no library there), then the pack's, if any.
        QStringList told{LibraryUpdate::failureMessage(
            "The update server has no site library at this address.")};
        if (!reason.isEmpty())
            told.append("The site pack could not be downloaded; nothing was changed.\n" + reason);
        QCOMPARE(m_dialogs.errors(), told);
        QVERIFY(importWindow(*form) == nullptr);
        QCOMPARE(fileBytes(path(SitesFile)), before);
    }

    void theHelpTellsOfTheNewCommandsAndOptions_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("export") << QByteArray("<kbd>export sites...</kbd>");
        QTest::newRow("import") << QByteArray("<kbd>import sites...</kbd>");
        QTest::newRow("update address") << QByteArray("<b>update address</b>");
        QTest::newRow("pack address") << QByteArray("<b>site pack address</b>");
        QTest::newRow("pack format") << QByteArray("\"format\": \"kelvane-site-pack\"");
    }

    void theHelpTellsOfTheNewCommandsAndOptions()
    {
        QFETCH(QByteArray, text);
        QFile help(QStringLiteral(KELVANE_TEST_DATA "/../../help/KelvaneSubmit.html"));
        QVERIFY(help.open(QIODevice::ReadOnly));
        QVERIFY2(help.readAll().contains(text), text.constData());
    }
};

QTEST_MAIN(TestSitePacks)
#include "test_sitepacks.moc"
