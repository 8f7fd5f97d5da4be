// Submissions end to end through the real main window: the site library
// built beside the tests, its site records pointed at pages of the loopback
// fixture server, real browser windows (headless WebEngine) closed with
// their outcome buttons, and the history and credential files on disk.

#include "catalogue/fieldcatalogue.h"
#include "platform/cp1252.h"
#include "platform/recordfile.h"
#include "platform/tablefile.h"
#include "shell/mainwindow.h"
#include "shell/runprogressline.h"
#include "shell/optionsview.h"
#include "shell/submissioncontroller.h"
#include "submit/browser/browserwindow.h"
#include "submit/browser/pagehandling.h"
#include "submit/credentialsdialog.h"
#include "submit/history/history.h"
#include "submit/historyview.h"
#include "submit/run/submissionrun.h"
#include "submit/fieldmapmodel.h"
#include "submit/siteeditordialog.h"
#include "submit/sitelistmodel.h"
#include "submit/sites/credentials.h"
#include "submit/submitview.h"
#include "submit/teachdialog.h"
#include "support/fakeclock.h"
#include "support/fixtureserver.h"
#include "support/windowharness.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include "submit/runsummarydialog.h"

#include <QTableView>
#include <QTcpServer>
#include <QHostAddress>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QtEndian>

#include <algorithm>
#include <memory>

namespace {

// Generous: two cores shared with a build.
constexpr int Timeout = 90000;

// The library's ten sites in their sorted order, table rows 1 to 10.
const QStringList SortedSites{"1000files",     "AmazingFiles", "BestSoftware",       "DownloadChoice",
                              "Downloadplaza", "FileHungry",   "FilesWeb",           "FreeTrialDownloads",
                              "FreewareHome",  "SharewareLinks"};

const QDate Today(2026, 6, 12);
// The short date format the tests give the window: US English.
const QString OkToday = QStringLiteral("6/12/2026  ok");
const QString Fail = QStringLiteral("   fail");

enum class Outcome { Done, Failed, Cancel };

const char *buttonName(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Done:
        return "Button_done";
    case Outcome::Failed:
        return "Button_fail";
    case Outcome::Cancel:
        return "Button_cancel";
    }
    return "";
}


// A record table file as the history keeps it, framed by hand: a 4-byte
// little-endian length, then the row's cells joined by "|".
QByteArray framed(const QList<QStringList> &rows)
{
    QByteArray out;
    for (const QStringList &row : rows) {
        const QByteArray text = Cp1252::encode(row.join(QLatin1Char('|')));
        char length[4];
        qToLittleEndian<qint32>(qint32(text.size()), length);
        out.append(length, 4);
        out.append(text);
    }
    return out;
}


} // namespace

class TestSubmission : public QObject, public WindowHarness
{
    Q_OBJECT

    FixtureServer m_server;
    FakeClock m_clock{Today};
    std::unique_ptr<TForm1> m_form;

    QString historyFile() const { return path(QStringLiteral("Kelvane_hist.dat")); }
    QString credentialFile() const { return path(QStringLiteral("Kelvane_pass.dat")); }

    // The main window on a catalogue of two products, shown, on the submit view.
    TForm1 &start(const QStringList &products = {"Product One", "Product Two"})
    {
        if (!products.isEmpty()) {
            QList<QStringList> records;
            for (const QString &name : products)
                records.append(record(name));
            writeCatalogue(records);
        }
        m_form = startWindow();
        controller().setClock(m_clock);
        controller().setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        m_form->show();
        m_form->activateWindow();
        if (!QTest::qWaitForWindowExposed(m_form.get()))
            qWarning("main window not exposed");
        button("Button_submit_list")->click();
        return *m_form;
    }

    SubmissionController &controller() const { return *m_form->submission(); }

    QPushButton *button(const char *name) const
    {
        auto *found = m_form->findChild<QPushButton *>(QLatin1String(name));
        if (!found)
            qWarning("no button %s", name);
        return found;
    }

    // Site row `row` submits to `<prefix>/site<row>`, a form that posts to
    // `<prefix>/site<row>/post`; its user and password go in too.
    void pointAtServer(int row, const QByteArray &prefix, const QString &autoCell = "yes")
    {
        Table &sites = m_form->workspace().sites();
        const QByteArray page = prefix + "/site" + QByteArray::number(row);
        m_server.page(page, "<html><head><title>Site " + QByteArray::number(row)
                                + "</title></head><body><form method=post action=" + page
                                + "/post><input name=user><input type=password name=pass>"
                                  "<input name=program_name><input type=submit name=go value=Go>"
                                  "</form></body></html>");
        m_server.page(page + "/post", "<html><head><title>Thanks</title></head><body>ok</body></html>");
        const QStringList entries{"-2=user", "-1=pass", "0=program_name"};
        sites.setCell(SiteRecord::HomePage, row, m_server.url(QString::fromLatin1(prefix)).toString());
        sites.setCell(SiteRecord::Auto, row, autoCell);
        sites.setCell(SiteRecord::SubmitPage, row, m_server.url(QString::fromLatin1(page)).toString());
        sites.setCell(SiteRecord::Login, row, "0");
        for (int c = SiteRecord::FirstFieldMap; c < Marks::column(sites); ++c)
            sites.setCell(c, row, entries.value(c - SiteRecord::FirstFieldMap));
    }

    void mark(const QList<int> &sites, const QList<int> &products)
    {
        for (int r : sites)
            Marks::set(m_form->workspace().sites(), r, true);
        for (int r : products)
            Marks::set(m_form->workspace().software(), r, true);
        m_form->submitView()->model()->marksChanged();
    }

    void tickAutoSubmit()
    {
        auto *box = m_form->findChild<QCheckBox *>(QStringLiteral("CheckBox_autosubmit"));
        QVERIFY(box && box->isEnabled());
        box->click();
        QVERIFY(m_form->submitView()->automaticSubmission());
    }

    TForm2 *onlyWindow() const
    {
        const QList<SubmissionWindow *> open = controller().openWindows();
        return open.size() == 1 ? qobject_cast<TForm2 *>(open.first()) : nullptr;
    }

    static QToolButton *outcomeButton(TForm2 *window, Outcome outcome)
    {
        return window->findChild<QToolButton *>(QLatin1String(buttonName(outcome)));
    }

    QList<QByteArray> posts(const QByteArray &prefix) const
    {
        QList<QByteArray> found;
        for (const FixtureServer::Request &r : m_server.requests("POST")) {
            if (r.path.startsWith(prefix))
                found.append(r.path + " " + r.body);
        }
        return found;
    }

    int requestsTo(const QByteArray &prefix) const
    {
        int n = 0;
        for (const FixtureServer::Request &r : m_server.requests())
            n += r.path.startsWith(prefix) ? 1 : 0;
        return n;
    }

    // Waits for the run's window, its form sent and its answer page in, then
    // closes it with `outcome`.
    void closeWhenAnswered(TForm2 *window, Outcome outcome)
    {
        QPointer<TForm2> alive(window);
        QTRY_VERIFY_WITH_TIMEOUT(!alive || outcomeButton(window, Outcome::Done)->isEnabled(), Timeout);
        QVERIFY(alive);
        QTest::mouseClick(outcomeButton(window, outcome), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(alive.isNull(), Timeout);
    }

    QModelIndex historyIndex(int column, int row) const
    {
        return m_form->historyView()->model()->index(HistoryModel::viewRow(row), column);
    }

    void pressHistoryCell(int column, int row)
    {
        QTableView *grid = m_form->historyView()->table();
        grid->scrollTo(historyIndex(column, row));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(historyIndex(column, row)).center());
    }

private slots:
    void initTestCase() { QVERIFY(m_server.start()); }

    void init()
    {
        resetHarness();
    }

    void cleanup()
    {
        m_form.reset();
        m_dir.reset();
    }

    void twoSitesByTwoProductsOpenFourWindowsSiteBySiteAndProductByProduct()
    {
        start();
        pointAtServer(1, "/four");
        pointAtServer(2, "/four");
        mark({1, 2}, {1, 2});
        tickAutoSubmit();
        button("Button_submit_data")->click();

        struct Step
        {
            int site;
            int product;
            Outcome outcome;
        };
        const QList<Step> steps{{1, 1, Outcome::Done},
                                {1, 2, Outcome::Failed},
                                {2, 1, Outcome::Cancel},
                                {2, 2, Outcome::Done}};
        const QByteArray defaultUser = m_form->optionsView()->userName().toLatin1();
        const QByteArray defaultPass = m_form->optionsView()->passWord().toLatin1();
        QVERIFY(!defaultUser.isEmpty());
        QList<QStringList> expected;
        for (int r = 1; r <= 10; ++r)
            expected.append({SortedSites.at(r - 1), QString(), QString()});

        for (int i = 0; i < steps.size(); ++i) {
            const Step &step = steps.at(i);
            QTRY_VERIFY_WITH_TIMEOUT(onlyWindow(), Timeout);
            TForm2 *window = onlyWindow();
            QCOMPARE(window->objectName(), QStringLiteral("KelvaneSubmit_%1").arg(i + 1));
            QCOMPARE(window->resultCode(), step.site);
            // The product the window fills is the selected record.
            QCOMPARE(m_form->currentSoftwareRow(), step.product);
            QCOMPARE(m_form->productChooser()->currentIndex(), step.product - 1);
            QVERIFY(!m_form->productChooser()->isEnabled());
            QVERIFY(!button("Button_close")->isEnabled());
            // The main window says how far the run has come.
            const QString progress = m_form->runProgress()->text();
            QVERIFY2(progress.startsWith(QStringLiteral("Site %1 of 4: %2. ")
                                             .arg(i + 1)
                                             .arg(step.product == 1 ? "Product One" : "Product Two")),
                     qPrintable(progress));
            QCOMPARE(m_form->runProgress()->barValue(), i);

            closeWhenAnswered(window, step.outcome);
            const QByteArray product = step.product == 1 ? "Product+One" : "Product+Two";
            // Sites without a pair of their own get the default login.
            QCOMPARE(posts("/four").value(i),
                     "/four/site" + QByteArray::number(step.site) + "/post user=" + defaultUser
                         + "&pass=" + defaultPass + "&program_name=" + product + "&go=Go");

            if (step.outcome == Outcome::Done)
                expected[step.site - 1][step.product] = OkToday;
            else if (step.outcome == Outcome::Failed)
                expected[step.site - 1][step.product] = Fail;
            QCOMPARE(m_form->workspace().history().cell(step.product, step.site),
                     expected.at(step.site - 1).at(step.product));
            // Every recorded outcome is in the file at once; a cancel adds
            // nothing, and before the first outcome there is no file at all.
            if (i == 0 || step.outcome != Outcome::Cancel)
                QCOMPARE(fileBytes(historyFile()), framed(expected));
        }

        QTRY_VERIFY_WITH_TIMEOUT(!controller().run().isRunning(), Timeout);
        QVERIFY(controller().openWindows().isEmpty());
        QCOMPARE(m_form->runProgress()->text(), QString());
        QCOMPARE(posts("/four").size(), 4);
        QVERIFY(m_form->productChooser()->isEnabled());
        QVERIFY(button("Button_close")->isEnabled());
        QCOMPARE(fileBytes(historyFile()), framed(expected));
        // Nothing is left for the close to write.
        QVERIFY(!m_form->workspace().historyChanged());
        QVERIFY2(m_dialogs.shown.isEmpty(), qPrintable(m_dialogs.messages().join('\n')));

        // The run ends with its summary; the failed site is marked again, alone.
        RunSummaryDialog *summary = controller().runSummary();
        QVERIFY(summary && summary->isVisible());
        QCOMPARE(summary->countsText(), QStringLiteral("2 ok, 1 failed, 1 cancelled, 0 skipped by the check"));
        QCOMPARE(summary->table()->model()->index(1, RunSummary::OutcomeColumn).data().toString(),
                 QStringLiteral("failed"));
        summary->findChild<QPushButton *>(QStringLiteral("MarkFailedAgain"))->click();
        QList<int> marked;
        for (int r = 1; r < m_form->workspace().sites().rowCount(); ++r)
            if (Marks::isMarked(m_form->workspace().sites(), r))
                marked.append(r);
        QCOMPARE(marked, QList<int>{1});
    }

    void aProductPickedWhileTheWindowLoadsChangesNeitherTheFormNorTheCell()
    {
        start();
        pointAtServer(1, "/picked");
        mark({1}, {1});
        tickAutoSubmit();
        button("Button_submit_data")->click();
        QVERIFY(onlyWindow());
        // The page cannot have loaded yet: no event has run since the click.
        m_form->setCurrentSoftwareRow(2);
        closeWhenAnswered(onlyWindow(), Outcome::Done);
        QCOMPARE(posts("/picked").size(), 1);
        QVERIFY(posts("/picked").first().endsWith("&program_name=Product+One&go=Go"));
        QCOMPARE(m_form->workspace().history().cell(1, 1), OkToday);
        QCOMPARE(m_form->workspace().history().cell(2, 1), QString());
    }

    void anEmailSitesOutcomeReachesTheHistory_data()
    {
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("cell");
        QTest::newRow("done ok") << int(Outcome::Done) << OkToday;
        QTest::newRow("failed") << int(Outcome::Failed) << Fail;
        QTest::newRow("cancel") << int(Outcome::Cancel) << QString();
    }
    void anEmailSitesOutcomeReachesTheHistory()
    {
        QFETCH(int, outcome);
        QFETCH(QString, cell);
        start();
        Table &sites = m_form->workspace().sites();
        m_server.page("/mailsite", "<html><head><title>Mail us</title></head><body>mail</body></html>");
        sites.setCell(SiteRecord::SubmitPage, 1, m_server.url("/mailsite").toString());
        sites.setCell(SiteRecord::Login, 1, "3");
        sites.setCell(SiteRecord::RegUrl, 1, "new@mailsite.example");
        mark({1}, {1});
        button("Button_submit_data")->click();
        QTRY_VERIFY_WITH_TIMEOUT(onlyWindow(), Timeout);
        closeWhenAnswered(onlyWindow(), Outcome(outcome));
        QCOMPARE(m_addresses.opened.size(), 1);
        QVERIFY(m_addresses.opened.first().startsWith("mailto:new@mailsite.example?subject="));
        QCOMPARE(m_form->workspace().history().cell(1, 1), cell);
        if (cell.isEmpty()) {
            QVERIFY(!QFile::exists(historyFile()));
        } else {
            QList<QStringList> expected;
            for (int r = 1; r <= 10; ++r)
                expected.append({SortedSites.at(r - 1), QString(), QString()});
            expected[0][1] = cell;
            QCOMPARE(fileBytes(historyFile()), framed(expected));
        }
    }

    void productsThatBreakPadRulesAreListedOnceARun()
    {
        start();
        pointAtServer(1, "/padcheck");
        pointAtServer(2, "/padcheck");
        mark({1, 2}, {1});
        tickAutoSubmit();
        m_dialogs.standingAnswers.clear();
        m_dialogs.answers = {Dialogs::Answer::Cancel, Dialogs::Answer::Ok};
        const QString list = QStringLiteral(
            "Products of this run break rules of the PAD standard; download sites may drop them.\r\r"
            "Product One:\r");

        button("Button_submit_data")->click();
        QCOMPARE(m_dialogs.shown.size(), 1);
        QCOMPARE(m_dialogs.shown.first().title, QStringLiteral("PAD check"));
        QVERIFY2(m_dialogs.shown.first().text.startsWith(list), qPrintable(m_dialogs.shown.first().text));
        QVERIFY(controller().openWindows().isEmpty());
        QVERIFY(!controller().run().isRunning());

        button("Button_submit_data")->click();
        closeWhenAnswered(onlyWindow(), Outcome::Done);
        closeWhenAnswered(onlyWindow(), Outcome::Done);
        QTRY_VERIFY(!controller().run().isRunning());
        QCOMPARE(m_dialogs.texts(FakeDialogs::Kind::WarnOkCancel).size(), 2);
        QCOMPARE(m_form->workspace().history().cell(1, 1), OkToday);
        QCOMPARE(m_form->workspace().history().cell(1, 2), OkToday);
    }

    void withoutAConnectionSubmitSaysSoAndOpensNothing()
    {
        start();
        pointAtServer(1, "/offline");
        mark({1}, {1});
        m_connectivity.online = false;
        button("Button_submit_data")->click();

        QCOMPARE(m_connectivity.checks, 1);
        QCOMPARE(m_dialogs.shown.size(), 1);
        QCOMPARE(m_dialogs.shown.first().title, QStringLiteral("Kelvane Submit"));
        QCOMPARE(m_dialogs.shown.first().text, QStringLiteral("No connection to Internet !"));
        QVERIFY(controller().openWindows().isEmpty());
        QVERIFY(m_form->findChildren<TForm2 *>().isEmpty());
        QVERIFY(!controller().run().isRunning());
        QVERIFY(m_form->productChooser()->isEnabled());
        QCOMPARE(requestsTo("/offline"), 0);
    }

    void anEmptyCatalogueIsWarnedAboutBeforeTheConnectionIsAsked()
    {
        start({});
        mark({1}, {});
        button("Button_submit_data")->click();
        QCOMPARE(m_dialogs.texts(FakeDialogs::Kind::Message),
                 QStringList{SubmissionRun::noSoftwareMessage()});
        QCOMPARE(m_connectivity.checks, 0);
        QVERIFY(controller().openWindows().isEmpty());
    }

    void theAutomaticSubmissionWarningAsksOnceAndItsAnswerDecides_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QList<int>>("markedAfter");
        QTest::addColumn<QList<int>>("windowsFor");

        QTest::newRow("OK submits only the auto-submitting site")
            << int(Dialogs::Answer::Ok) << QList<int>{1, 2} << QList<int>{2};
        QTest::newRow("Cancel unmarks the manual site and opens nothing")
            << int(Dialogs::Answer::Cancel) << QList<int>{2} << QList<int>{};
    }

    void theAutomaticSubmissionWarningAsksOnceAndItsAnswerDecides()
    {
        QFETCH(int, answer);
        QFETCH(QList<int>, markedAfter);
        QFETCH(QList<int>, windowsFor);

        start();
        pointAtServer(1, "/manual", "no");
        pointAtServer(2, "/manual");
        m_form->submitView()->setCurrentRow(2);
        mark({1, 2}, {1});
        tickAutoSubmit();
        m_dialogs.answers = {Dialogs::Answer(answer)};
        button("Button_submit_data")->click();

        QCOMPARE(m_dialogs.texts(FakeDialogs::Kind::WarnOkCancel),
                 QStringList{SubmissionRun::notAutoSubmittingMessage()});
        QList<int> marked;
        for (int r = 1; r <= 10; ++r) {
            if (Marks::isMarked(m_form->workspace().sites(), r))
                marked.append(r);
        }
        QCOMPARE(marked, markedAfter);

        QList<int> opened;
        while (TForm2 *window = onlyWindow()) {
            opened.append(window->resultCode());
            closeWhenAnswered(window, Outcome::Cancel);
        }
        QCOMPARE(opened, windowsFor);
        QTRY_VERIFY_WITH_TIMEOUT(!controller().run().isRunning(), Timeout);
        QCOMPARE(requestsTo("/manual/site1"), 0);
    }

    void theMarksAreSettledFromTheSelectionsWhenSubmitIsPressed_data()
    {
        QTest::addColumn<QList<int>>("markedBefore");
        QTest::addColumn<int>("selectFirst");
        QTest::addColumn<int>("selectLast");
        QTest::addColumn<int>("chooserIndex");
        QTest::addColumn<QList<int>>("sitesSubmitted");
        QTest::addColumn<int>("product");

        QTest::newRow("nothing marked and one site selected submits that site for the chosen product")
            << QList<int>{} << 2 << 2 << 1 << QList<int>{2} << 2;
        QTest::newRow("three selected sites replace the earlier marks")
            << QList<int>{5} << 1 << 3 << 0 << QList<int>{1, 2, 3} << 1;
        QTest::newRow("one selected site leaves the marks that exist")
            << QList<int>{3} << 1 << 1 << 0 << QList<int>{3} << 1;
    }

    void theMarksAreSettledFromTheSelectionsWhenSubmitIsPressed()
    {
        QFETCH(QList<int>, markedBefore);
        QFETCH(int, selectFirst);
        QFETCH(int, selectLast);
        QFETCH(int, chooserIndex);
        QFETCH(QList<int>, sitesSubmitted);
        QFETCH(int, product);

        start();
        for (int r = 1; r <= 5; ++r)
            pointAtServer(r, "/settle");
        mark(markedBefore, {});
        m_form->productChooser()->setCurrentIndex(chooserIndex);
        QTableView *grid = m_form->submitView()->table();
        SiteListModel *model = m_form->submitView()->model();
        grid->selectionModel()->select(
            QItemSelection(model->index(SiteListModel::viewRow(selectFirst), 0),
                           model->index(SiteListModel::viewRow(selectLast), model->columnCount() - 1)),
            QItemSelectionModel::ClearAndSelect);
        button("Button_submit_data")->click();

        QList<int> opened;
        for (int i = 0; i < sitesSubmitted.size(); ++i) {
            QTRY_VERIFY_WITH_TIMEOUT(onlyWindow(), Timeout);
            TForm2 *window = onlyWindow();
            opened.append(window->resultCode());
            QCOMPARE(m_form->currentSoftwareRow(), product);
            QPointer<TForm2> alive(window);
            QTest::mouseClick(outcomeButton(window, Outcome::Cancel), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(alive.isNull(), Timeout);
        }
        QCOMPARE(opened, sitesSubmitted);
        QVERIFY(!controller().run().isRunning());
        QVERIFY(controller().openWindows().isEmpty());
    }

    void selectAllSoftProductsSubmitsEveryProduct()
    {
        start();
        pointAtServer(1, "/allproducts");
        m_form->findChild<QAction *>(QStringLiteral("Pop_s_softwareitems"))->trigger();
        m_form->submitView()->setCurrentRow(1);
        // "&submit ..." marks the current site alone and submits.
        m_form->findChild<QAction *>(QStringLiteral("Pop_u_submit"))->trigger();

        QList<int> products;
        for (int i = 0; i < 2; ++i) {
            QTRY_VERIFY_WITH_TIMEOUT(onlyWindow(), Timeout);
            products.append(m_form->currentSoftwareRow());
            QPointer<TForm2> alive(onlyWindow());
            QTest::mouseClick(outcomeButton(alive, Outcome::Cancel), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(alive.isNull(), Timeout);
        }
        QCOMPARE(products, (QList<int>{1, 2}));
        QVERIFY(!controller().run().isRunning());
    }

    void theFirstWindowOpensAtTheDefaultPlaceAndTheNextWhereTheLastClosed()
    {
        writeOption("WebWindow", "0.0.0.0");
        start();
        pointAtServer(1, "/place");
        m_form->submitView()->setCurrentRow(1);
        button("Button_submit_data")->click();
        QTRY_VERIFY_WITH_TIMEOUT(onlyWindow(), Timeout);
        TForm2 *first = onlyWindow();
        QCOMPARE(first->objectName(), QStringLiteral("KelvaneSubmit_1"));
        QCOMPARE(first->webWindowGeometry(), (WebWindowGeometry{640, 380, 250, 230}));
        QTRY_COMPARE_WITH_TIMEOUT(first->windowTitle(), QStringLiteral("Site 1"), Timeout);
        first->setWebWindowGeometry({700, 420, 40, 50});
        QPointer<TForm2> alive(first);
        QTest::mouseClick(outcomeButton(first, Outcome::Cancel), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(alive.isNull(), Timeout);

        button("Button_submit_data")->click();
        QTRY_VERIFY_WITH_TIMEOUT(onlyWindow(), Timeout);
        TForm2 *second = onlyWindow();
        QCOMPARE(second->objectName(), QStringLiteral("KelvaneSubmit_2"));
        QCOMPARE(second->webWindowGeometry(), (WebWindowGeometry{700, 420, 40, 50}));
        alive = second;
        QTest::mouseClick(outcomeButton(second, Outcome::Cancel), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(alive.isNull(), Timeout);

        QVERIFY(m_form->close());
        QCOMPARE(writtenOption("WebWindow"), QStringLiteral("700.420.40.50"));
    }

    void closingTheProgramDuringARunAsksAndKeepsEveryConfirmedOutcome_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("Cancel keeps the program and its window") << int(Dialogs::Answer::Cancel);
        QTest::newRow("OK abandons the open window") << int(Dialogs::Answer::Ok);
    }

    void closingTheProgramDuringARunAsksAndKeepsEveryConfirmedOutcome()
    {
        QFETCH(int, answer);
        const bool abandon = answer == int(Dialogs::Answer::Ok);
        start();
        pointAtServer(1, "/closing");
        mark({1}, {1, 2});
        tickAutoSubmit();
        button("Button_submit_data")->click();
        QTRY_VERIFY_WITH_TIMEOUT(onlyWindow(), Timeout);
        closeWhenAnswered(onlyWindow(), Outcome::Done);
        QTRY_VERIFY_WITH_TIMEOUT(onlyWindow(), Timeout);
        QPointer<TForm2> second(onlyWindow());
        QCOMPARE(second->objectName(), QStringLiteral("KelvaneSubmit_2"));
        // Submit during the run opens nothing and says why.
        button("Button_submit_data")->click();
        QCOMPARE(m_dialogs.messages(),
                 QStringList{"A submission run is under way: record the open browser window's "
                             "outcome before you start another."});
        QCOMPARE(controller().openWindows(), QList<SubmissionWindow *>{second.data()});
        // Nor may a product go from under it.
        button("Button_delete_item")->click();
        QCOMPARE(m_dialogs.errors(),
                 QStringList{"A submission run is under way: record the open browser window's "
                             "outcome before you delete a product."});
        QCOMPARE(m_form->workspace().software().rowCount(), 3);
        // An edit made meanwhile waits for the close's write.
        m_form->workspace().history().setCell(1, 5, "by hand");
        m_form->workspace().setHistoryChanged(true);

        m_dialogs.answers = {Dialogs::Answer(answer)};
        QCOMPARE(m_form->close(), abandon);
        QCOMPARE(m_dialogs.texts(FakeDialogs::Kind::WarnOkCancel),
                 QStringList{SubmissionRun::abandonWindowQuestion()});
        QCOMPARE(second.isNull(), abandon);
        QCOMPARE(controller().run().isRunning(), !abandon);
        QCOMPARE(m_form->isVisible(), !abandon);

        Table saved(3, 2);
        QVERIFY(TableFile::load(saved, historyFile(), TableFile::Kind::Plain).error.isEmpty());
        QCOMPARE(saved.cell(1, 1), OkToday);
        QCOMPARE(saved.cell(2, 1), QString());
        QCOMPARE(saved.cell(1, 5), abandon ? QStringLiteral("by hand") : QString());
        QCOMPARE(m_form->workspace().historyChanged(), !abandon);
        if (!abandon) {
            QTest::mouseClick(outcomeButton(second, Outcome::Cancel), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(second.isNull(), Timeout);
            QTRY_VERIFY_WITH_TIMEOUT(!controller().run().isRunning(), Timeout);
            // Nothing open: the close goes ahead without asking again.
            QVERIFY(m_form->close());
            QCOMPARE(m_dialogs.texts(FakeDialogs::Kind::WarnOkCancel).size(), 1);
        }
    }

    void theNextPageIsFilledHiddenAndSentOnlyOnceItsWindowShows_data()
    {
        QTest::addColumn<bool>("loginFirst");
        QTest::addColumn<QString>("then");
        // Each row's own pages, so the server's log is the row's.
        QTest::addColumn<QByteArray>("at");
        QTest::newRow("plain site, confirmed") << false << "confirm" << QByteArray("/ahead1");
        QTest::newRow("login-first site, confirmed") << true << "confirm" << QByteArray("/ahead2");
        QTest::newRow("next site unmarked meanwhile") << false << "unmark" << QByteArray("/ahead3");
        QTest::newRow("program closed meanwhile") << false << "close" << QByteArray("/ahead4");
        QTest::newRow("next page cannot be opened") << false << "refused" << QByteArray("/ahead5");
        QTest::newRow("next page never answers") << false << "hangs" << QByteArray("/ahead6");
        QTest::newRow("same site, next product") << false << "same site" << QByteArray("/ahead7");
    }

    void theNextPageIsFilledHiddenAndSentOnlyOnceItsWindowShows()
    {
        QFETCH(bool, loginFirst);
        QFETCH(QString, then);
        QFETCH(QByteArray, at);
        start();
        pointAtServer(1, at);
        pointAtServer(2, at);
        if (loginFirst) {
            // The login form leads to the submission form.
            Table &sites = m_form->workspace().sites();
            sites.setCell(SiteRecord::Login, 2, "1");
            m_server.page(at + "/site2", "<html><body><form method=post action=" + at + "/site2/login>"
                                          "<input name=user><input type=password name=pass>"
                                          "<input type=submit value=Login></form></body></html>");
            m_server.page(at + "/site2/login", "<html><body><form method=post action=" + at + "/site2/post>"
                                                "<input name=program_name><input type=submit "
                                                "name=go value=Go></form></body></html>");
        }
        if (then == "refused") {
            QTcpServer closed;
            QVERIFY(closed.listen(QHostAddress::LocalHost));
            m_form->workspace().sites().setCell(
                SiteRecord::SubmitPage, 2, QStringLiteral("http://127.0.0.1:%1/add").arg(closed.serverPort()));
        }
        if (then == "hangs") {
            FixtureServer::Response silent;
            silent.neverAnswer = true;
            m_server.route(at + "/site2", silent);
        }
        if (then == "same site")
            mark({1}, {1, 2});
        else
            mark({1, 2}, {1});
        tickAutoSubmit();
        button("Button_submit_data")->click();
        QTRY_VERIFY_WITH_TIMEOUT(onlyWindow(), Timeout);
        QPointer<TForm2> first(onlyWindow());
        if (then == "same site") {
            // A second page of the open site could void its form; it waits its turn.
            QTRY_VERIFY_WITH_TIMEOUT(first->firstPageEnded(), Timeout);
            QTest::qWait(300);
            QCOMPARE(controller().preloadedWindow(), nullptr);
            return;
        }

        QTRY_VERIFY_WITH_TIMEOUT(controller().preloadedWindow(), Timeout);
        QPointer<TForm2> next(qobject_cast<TForm2 *>(controller().preloadedWindow()));
        QVERIFY(next);
        if (then == "hangs")
            QTRY_COMPARE_WITH_TIMEOUT(requestsTo(at + "/site2"), 1, Timeout);
        else if (loginFirst || then == "refused")
            QTRY_VERIFY_WITH_TIMEOUT(next->firstPageEnded(), Timeout);
        else
            QTRY_VERIFY_WITH_TIMEOUT(next->pageHandling().filled(), Timeout);
        QVERIFY(!next->isVisible());
        QCOMPARE(controller().openWindows(), QList<SubmissionWindow *>{first.data()});
        // Loaded ahead, and nothing of it sent: not the form, not the login.
        QCOMPARE(requestsTo(at + "/site2"), then == "refused" ? 0 : 1);
        QVERIFY(posts(at + "/site2").isEmpty());

        if (then == "close") {
            m_dialogs.answers = {Dialogs::Answer::Ok};
            QVERIFY(m_form->close());
            QVERIFY(first.isNull() && next.isNull());
            QVERIFY(posts(at + "/site2").isEmpty());
            return;
        }
        if (then == "unmark") {
            Marks::set(m_form->workspace().sites(), 2, false);
            closeWhenAnswered(first, Outcome::Done);
            QTRY_VERIFY_WITH_TIMEOUT(!controller().run().isRunning(), Timeout);
            QVERIFY(next.isNull());
            QVERIFY(controller().openWindows().isEmpty());
            QCOMPARE(requestsTo(at + "/site2"), 1);
            return;
        }
        closeWhenAnswered(first, Outcome::Done);
        QTRY_VERIFY_WITH_TIMEOUT(onlyWindow(), Timeout);
        // The window shown is the one loaded ahead, named as the second of the run.
        QCOMPARE(onlyWindow(), next.data());
        QVERIFY(next->isVisible());
        QCOMPARE(next->objectName(), QStringLiteral("KelvaneSubmit_2"));
        if (then == "refused" || then == "hangs") {
            // Its error, or its wait, at its turn, as a window opened then would show it.
            if (then == "refused")
                QCOMPARE(next->noticeText(), QStringLiteral("The page could not be opened: the site "
                                                            "refused the connection (net::ERR_CONNECTION_REFUSED)."));
            else
                QCOMPARE(next->statusText(), PageHandling::busyText());
            QTest::mouseClick(outcomeButton(next, Outcome::Cancel), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(!controller().run().isRunning(), Timeout);
            QVERIFY(m_dialogs.shown.isEmpty());
            return;
        }
        closeWhenAnswered(next, Outcome::Done);
        QList<QByteArray> expected{at + "/site2/post program_name=Product+One&go=Go"};
        if (loginFirst)
            expected.prepend(at + "/site2/login user=" + m_form->optionsView()->userName().toLatin1()
                             + "&pass=" + m_form->optionsView()->passWord().toLatin1());
        else
            expected = {at + "/site2/post user=" + m_form->optionsView()->userName().toLatin1()
                        + "&pass=" + m_form->optionsView()->passWord().toLatin1()
                        + "&program_name=Product+One&go=Go"};
        QCOMPARE(posts(at + "/site2"), expected);
        QCOMPARE(m_form->workspace().history().cell(1, 2), OkToday);
        QVERIFY2(m_dialogs.shown.isEmpty(), qPrintable(m_dialogs.messages().join('\n')));
    }

    void registerAtSiteOpensTheRegistrationPageAndTheRunWaitsForIt()
    {
        start();
        pointAtServer(1, "/register");
        pointAtServer(5, "/register");
        m_server.page("/register/form", "<html><head><title>Join</title></head><body>"
                                        "<form><input name=login></form></body></html>");
        Table &sites = m_form->workspace().sites();
        sites.setCell(SiteRecord::Notes, 5, SubmitList::mustRegisterFirst());
        sites.setCell(SiteRecord::RegUrl, 5, m_server.url("/register/form").toString());
        m_form->submitView()->setCurrentRow(5);
        QVERIFY(button("Button_site_register")->isEnabled());
        button("Button_site_register")->click();

        QTRY_VERIFY_WITH_TIMEOUT(onlyWindow(), Timeout);
        QPointer<TForm2> registration(onlyWindow());
        QCOMPARE(registration->resultCode(), -5);
        QTRY_VERIFY_WITH_TIMEOUT(m_dialogs.messages().contains(PageHandling::registrationMessage()),
                                 Timeout);
        QVERIFY(!m_form->productChooser()->isEnabled());

        // A run started meanwhile waits for the registration window.
        mark({1}, {1});
        button("Button_submit_data")->click();
        QVERIFY(controller().run().isRunning());
        QCOMPARE(controller().openWindows().size(), 1);
        QTest::mouseClick(outcomeButton(registration, Outcome::Cancel), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(registration.isNull(), Timeout);
        QTRY_VERIFY_WITH_TIMEOUT(onlyWindow() && onlyWindow()->resultCode() == 1, Timeout);
        QPointer<TForm2> submission(onlyWindow());
        QTest::mouseClick(outcomeButton(submission, Outcome::Cancel), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(submission.isNull(), Timeout);
        QVERIFY(m_form->productChooser()->isEnabled());
        // Neither window left an outcome.
        QCOMPARE(m_form->workspace().history().cell(1, 5), QString());
        QCOMPARE(m_form->workspace().history().cell(1, 1), QString());
        QVERIFY(!QFile::exists(historyFile()));
    }

    void theCredentialDialogStoresWhatTheUserConfirms_data()
    {
        QTest::addColumn<QString>("userName");
        QTest::addColumn<QString>("passWord");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("column");
        QTest::addColumn<int>("records");

        QTest::newRow("ok stores the pair") << "alice" << "s3cr&t" << true << "alice\ts3cr&t" << 1;
        QTest::newRow("cancel changes nothing") << "alice" << "s3cr&t" << false << "" << -1;
        QTest::newRow("empty boxes leave a lone tab and no record") << "" << "" << true << "\t" << 0;
    }

    void theCredentialDialogStoresWhatTheUserConfirms()
    {
        QFETCH(QString, userName);
        QFETCH(QString, passWord);
        QFETCH(bool, ok);
        QFETCH(QString, column);
        QFETCH(int, records); // -1: no file written

        start();
        m_form->submitView()->setCurrentRow(3);
        QCOMPARE(m_form->historyView()->currentRow(), 3);
        // The history's current cell moved on alone (a click outside the
        // current product's column): the dialog still edits the selected site.
        m_form->historyView()->setCurrentRow(5);
        button("Button_site_password")->click();
        TForm3 *dialog = controller().credentialsDialog();
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QStringLiteral(" change site's  Username / Password"));
        QCOMPARE(dialog->siteLabel()->text(), QStringLiteral("BestSoftware"));
        QVERIFY(dialog->siteLabel()->font().bold());
        QCOMPARE(dialog->userEdit()->text(), QString());
        QCOMPARE(dialog->passEdit()->text(), QString());
        QCOMPARE(dialog->passEdit()->echoMode(), QLineEdit::Normal);
        QTRY_COMPARE_WITH_TIMEOUT(dialog->focusWidget(), static_cast<QWidget *>(dialog->userEdit()),
                                  Timeout);
        QTest::keyClicks(dialog->userEdit(), userName);
        QTest::keyClicks(dialog->passEdit(), passWord);
        QPointer<TForm3> alive(dialog);
        QTest::mouseClick(ok ? dialog->okButton() : dialog->cancelButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(alive.isNull(), Timeout);

        QCOMPARE(m_form->workspace().sites().cell(SiteRecord::UserPass, 3), column);
        QVERIFY(m_dialogs.errors().isEmpty());
        if (records < 0) {
            QVERIFY(!QFile::exists(credentialFile()));
            return;
        }
        const RecordFile::ReadResult file = RecordFile::read(credentialFile());
        QVERIFY(file.exists);
        QCOMPARE(file.records.size(), records);
        const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup
                                                | QFileDevice::ReadOther | QFileDevice::WriteOther;
        QCOMPARE(QFile::permissions(credentialFile()) & others, QFileDevice::Permissions());
        if (records == 1) {
            QVERIFY(file.records.first().startsWith("BestSoftware\t"));
            QVERIFY(!file.records.first().contains(Cp1252::encode(column)));
            // The next start finds the pair again.
            Table reloaded = m_form->workspace().sites();
            reloaded.setCell(SiteRecord::UserPass, 3, QString());
            QCOMPARE(Credentials::load(reloaded, credentialFile()).loaded, 1);
            QCOMPARE(reloaded.cell(SiteRecord::UserPass, 3), column);
        }
    }

    void theCredentialDialogRefusesATabAndStaysOpen()
    {
        start();
        m_form->submitView()->setCurrentRow(3);
        button("Button_site_password")->click();
        TForm3 *dialog = controller().credentialsDialog();
        QVERIFY(dialog);
        dialog->userEdit()->setText("ali\tce");
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        QCOMPARE(m_dialogs.errors().size(), 1);
        QVERIFY(dialog->isVisible());
        QCOMPARE(m_form->workspace().sites().cell(SiteRecord::UserPass, 3), QString());
        QVERIFY(!QFile::exists(credentialFile()));
        QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
    }

    void startUpLoadsEachSitesPairWhateverTheCaseOfItsName()
    {
        const QList<QByteArray> records{Credentials::recordText("bestsoftware", "bob\tpw1"),
                                        Credentials::recordText("No Such Site", "eve\tpw2"),
                                        Credentials::recordText("BESTSOFTWARE", "mallory\tpw3"),
                                        Credentials::recordText("FilesWeb", "carol\tpw4")};
        QVERIFY(RecordFile::write(credentialFile(), records).isEmpty());
        start();
        QCOMPARE(m_form->workspace().sites().cell(SiteRecord::UserPass, 3), QStringLiteral("bob\tpw1"));
        QCOMPARE(m_form->workspace().sites().cell(SiteRecord::UserPass, 7), QStringLiteral("carol\tpw4"));
        QVERIFY(m_dialogs.errors().isEmpty());
    }

    void theFormWalkSendsTheSitesOwnPairAndOtherSitesTheDefaultLogin()
    {
        start();
        pointAtServer(3, "/pair");
        pointAtServer(4, "/pair");
        m_form->optionsView()->userNameEdit()->setText("defuser");
        m_form->optionsView()->passWordEdit()->setText("defpass");
        // The walk takes the default pair as stored by "ok".
        m_form->optionsView()->SpeedButton2Click();
        m_form->submitView()->setCurrentRow(3);
        button("Button_site_password")->click();
        TForm3 *dialog = controller().credentialsDialog();
        QVERIFY(dialog);
        QTest::keyClicks(dialog->userEdit(), "alice");
        QTest::keyClicks(dialog->passEdit(), "s3cr&t");
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!controller().credentialsDialog(), Timeout);

        mark({3, 4}, {1});
        tickAutoSubmit();
        button("Button_submit_data")->click();
        for (int i = 0; i < 2; ++i) {
            QTRY_VERIFY_WITH_TIMEOUT(onlyWindow(), Timeout);
            closeWhenAnswered(onlyWindow(), Outcome::Cancel);
        }
        QCOMPARE(posts("/pair"),
                 (QList<QByteArray>{
                     "/pair/site3/post user=alice&pass=s3cr%26t&program_name=Product+One&go=Go",
                     "/pair/site4/post user=defuser&pass=defpass&program_name=Product+One&go=Go"}));
    }

    void theWindowsLoadImagesRunScriptsAndNameTheProgramAsTheOptionsSay_data()
    {
        QTest::addColumn<bool>("images");
        QTest::addColumn<bool>("scripts");
        QTest::newRow("images and scripts") << true << true;
        QTest::newRow("neither") << false << false;
    }

    void theWindowsLoadImagesRunScriptsAndNameTheProgramAsTheOptionsSay()
    {
        QFETCH(bool, images);
        QFETCH(bool, scripts);
        const QByteArray prefix = images ? "/choices-on" : "/choices-off";
        start();
        pointAtServer(1, prefix);
        m_server.page(prefix + "/site1",
                      "<html><head><title>Site 1</title></head><body><img src=" + prefix
                          + "/pic.png><script>document.title = 'scripts ran';</script>"
                            "<form method=post action=" + prefix + "/site1/post><input name=user>"
                          "<input type=password name=pass><input name=program_name></form></body></html>");
        m_server.route(prefix + "/pic.png", {200, "image/png", QByteArray("\x89PNG\r\n\x1a\n", 8), {}});
        auto *imagesBox = m_form->findChild<QCheckBox *>(QStringLiteral("CheckBox_ie_images"));
        auto *scriptsBox = m_form->findChild<QCheckBox *>(QStringLiteral("CheckBox_javascript"));
        // A fresh store: images load, scripts run.
        QVERIFY(!imagesBox->isChecked());
        QVERIFY(scriptsBox->isChecked());
        if (!images)
            imagesBox->click();
        if (!scripts)
            scriptsBox->click();

        mark({1}, {1});
        button("Button_submit_data")->click();
        QTRY_VERIFY_WITH_TIMEOUT(onlyWindow(), Timeout);
        TForm2 *window = onlyWindow();
        // The caption takes the page's title once the page (images included) is complete.
        QTRY_VERIFY_WITH_TIMEOUT(window->windowTitle() == QLatin1String("scripts ran")
                                     || window->windowTitle() == QLatin1String("Site 1"),
                                 Timeout);
        QCOMPARE(window->windowTitle(), scripts ? QStringLiteral("scripts ran") : QStringLiteral("Site 1"));
        QCOMPARE(requestsTo(prefix + "/pic.png"), images ? 1 : 0);
        const QList<FixtureServer::Request> gets = m_server.requests("GET");
        const auto page = std::find_if(gets.begin(), gets.end(), [&](const FixtureServer::Request &r) {
            return r.path == prefix + "/site1";
        });
        QVERIFY(page != gets.end());
        const QByteArray agent = page->headers.value("user-agent");
        QVERIFY2(agent.contains("; KelvaneSubmit v1.0.0.0 (compatible; MSIE 5.5))"), agent.constData());
        QPointer<TForm2> alive(window);
        QTest::mouseClick(outcomeButton(window, Outcome::Cancel), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(alive.isNull(), Timeout);
    }

    void theSubmitViewShowsEveryButtonWhole()
    {
        start();
        auto *row = m_form->findChild<QWidget *>(QStringLiteral("Panel_submit_buttons"));
        QVERIFY(row);
        QVERIFY(button("Button_site_password"));
        QCOMPARE(button("Button_site_password")->text(), QStringLiteral("edit site's password"));
        for (QWidget *control : row->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            QVERIFY2(row->rect().contains(control->geometry()), qPrintable(control->objectName()));
            QVERIFY2(control->width() >= control->minimumSizeHint().width(),
                     qPrintable(control->objectName()));
        }
    }

    void theHistoryButtonMakesTheSitesCellOfTheCurrentProductCurrent()
    {
        start();
        m_form->submitView()->setCurrentRow(7);
        m_form->setCurrentSoftwareRow(2);
        button("SpeedButton1")->click();
        QCOMPARE(m_form->currentView(), static_cast<QWidget *>(m_form->historyView()));
        QCOMPARE(m_form->historyView()->currentRow(), 7);
        QCOMPARE(m_form->historyView()->currentColumn(), 2);
        QCOMPARE(m_form->historyView()->cellLabel()->text(), QStringLiteral("[0,0]"));
    }

    void aClickInTheCurrentProductsColumnMovesTheSubmitList_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("submitRowAfter");
        QTest::newRow("the current product's column") << 1 << 6;
        QTest::newRow("another product's column") << 2 << 2;
    }

    void aClickInTheCurrentProductsColumnMovesTheSubmitList()
    {
        QFETCH(int, column);
        QFETCH(int, submitRowAfter);
        start();
        m_form->setCurrentSoftwareRow(1);
        m_form->submitView()->setCurrentRow(2);
        button("SpeedButton1")->click();
        pressHistoryCell(column, 6);
        QCOMPARE(m_form->historyView()->cellLabel()->text(), QStringLiteral("[%1,6]").arg(column));
        QCOMPARE(m_form->submitView()->currentRow(), submitRowAfter);
    }

    void editCellWritesThePressedCellOrRefusesWhatTheFileCannotHold_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cellAfter");
        QTest::addColumn<bool>("refused");

        QTest::newRow("a date of the user's own") << "1/2/2025  ok" << "1/2/2025  ok" << false;
        QTest::newRow("an empty text clears the cell") << "" << "" << false;
        QTest::newRow("a bar would split the record") << "ok|fail" << Fail << true;
        QTest::newRow("a character outside Windows-1252")
            << QString::fromUtf8("\xe6\x97\xa5") << Fail << true;
    }

    void editCellWritesThePressedCellOrRefusesWhatTheFileCannotHold()
    {
        QFETCH(QString, typed);
        QFETCH(QString, cellAfter);
        QFETCH(bool, refused);

        start();
        m_form->workspace().history().setCell(2, 4, Fail);
        m_form->historyView()->cellsChanged();
        button("SpeedButton1")->click();
        pressHistoryCell(2, 4);
        HistoryView *view = m_form->historyView();
        QCOMPARE(view->cellLabel()->text(), QStringLiteral("[2,4]"));
        QCOMPARE(view->editBox()->text(), Fail);
        view->editBox()->setText(typed);
        view->findChild<QPushButton *>(QStringLiteral("Button3"))->click();

        QCOMPARE(m_form->workspace().history().cell(2, 4), cellAfter);
        QCOMPARE(m_dialogs.errors().size(), refused ? 1 : 0);
        QCOMPARE(m_form->workspace().historyChanged(), !refused);
        QCOMPARE(historyIndex(2, 4).data().toString(), cellAfter);
        if (refused)
            return;
        // The close writes the edit.
        QVERIFY(m_form->close());
        Table saved(3, 2);
        TableFile::load(saved, historyFile(), TableFile::Kind::Plain);
        QCOMPARE(saved.cell(2, 4), cellAfter);
    }

    void editCellBeforeAnyPressChangesOnlyTheHeadingCell()
    {
        start();
        const Table before = m_form->workspace().history();
        button("SpeedButton1")->click();
        m_form->historyView()->editBox()->setText("Sites");
        m_form->historyView()->findChild<QPushButton *>(QStringLiteral("Button3"))->click();
        Table expected = before;
        expected.setCell(0, 0, "Sites");
        QCOMPARE(m_form->workspace().history().row(0), expected.row(0));
        for (int r = 1; r < expected.rowCount(); ++r)
            QCOMPARE(m_form->workspace().history().row(r), expected.row(r));
    }

    void deleteLineClearsTheRowAndKeepsEveryRowOnItsSite_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("[ delete line ]") << "Button4";
        QTest::newRow("&delete line") << "Pop_h_deleteline";
    }

    void deleteLineClearsTheRowAndKeepsEveryRowOnItsSite()
    {
        QFETCH(QString, command);
        start();
        pointAtServer(5, "/deleted");
        Table &history = m_form->workspace().history();
        history.setCell(1, 3, OkToday);
        history.setCell(1, 4, Fail);
        history.setCell(2, 4, OkToday);
        history.setCell(1, 5, OkToday);
        m_form->historyView()->cellsChanged();
        m_form->submitView()->setCurrentRow(4);
        button("SpeedButton1")->click();
        QCOMPARE(m_form->historyView()->currentRow(), 4);
        if (command == "Button4")
            m_form->historyView()->findChild<QPushButton *>(command)->click();
        else
            m_form->historyView()->findChild<QAction *>(command)->trigger();

        QCOMPARE(history.rowCount(), 11);
        for (int r = 1; r <= 10; ++r)
            QCOMPARE(history.cell(0, r), m_form->workspace().sites().cell(0, r));
        QCOMPARE(history.cell(1, 4), QString());
        QCOMPARE(history.cell(2, 4), QString());
        QCOMPARE(history.cell(1, 3), OkToday);
        QCOMPARE(history.cell(1, 5), OkToday);
        QVERIFY(m_form->workspace().historyChanged());

        // An outcome recorded afterwards lands on its own site's row.
        mark({5}, {2});
        tickAutoSubmit();
        button("Button_submit_data")->click();
        QTRY_VERIFY_WITH_TIMEOUT(onlyWindow(), Timeout);
        closeWhenAnswered(onlyWindow(), Outcome::Failed);
        Table saved(3, 2);
        TableFile::load(saved, historyFile(), TableFile::Kind::Plain);
        QCOMPARE(saved.rowCount(), 11);
        QCOMPARE(saved.cell(0, 5), QStringLiteral("Downloadplaza"));
        QCOMPARE(saved.cell(2, 5), Fail);
        QCOMPARE(saved.cell(1, 4), QString());
        QCOMPARE(saved.cell(0, 4), QStringLiteral("DownloadChoice"));
    }

    void historyCellsAreColouredByTheirOutcome_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("background");

        QTest::newRow("a site name") << 0 << "" << QColor(248, 248, 248);
        QTest::newRow("a failure") << 1 << Fail << QColor(255, 200, 220);
        QTest::newRow("an acceptance") << 1 << OkToday << QColor(255, 255, 210);
        QTest::newRow("any other text") << 2 << "asked by mail" << QColor(255, 255, 210);
        QTest::newRow("an empty cell takes the view's own") << 2 << "" << QColor(Qt::white);
    }

    void historyCellsAreColouredByTheirOutcome()
    {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QColor, background);
        start();
        if (column > 0)
            m_form->workspace().history().setCell(column, 2, text);
        button("SpeedButton1")->click();
        QTableView *grid = m_form->historyView()->table();
        QPalette palette = grid->palette();
        palette.setColor(QPalette::Base, Qt::white);
        grid->setPalette(palette);
        // A point of row 2's cell clear of its text, as painted.
        const QRect cell = grid->visualRect(historyIndex(column, 2));
        const QImage image = grid->viewport()->grab().toImage();
        const QPoint clear(cell.right() - 3, cell.bottom() - 2);
        QCOMPARE(image.pixelColor((QPointF(clear) * image.devicePixelRatio()).toPoint()),
                 background);
    }

    void aUserSiteMadeInTheEditorIsSubmittedLikeALibrarySiteAndDeletedWithItsRow()
    {
        start({"Product One"});
        m_server.page("/mine/add", "<html><body><form method=post action=/mine/add/post>"
                                   "<input name=prog><input type=submit name=go value=Go>"
                                   "</form></body></html>");
        m_server.page("/mine/add/post", "<html><body>thanks</body></html>");
        const QString submitAddress = m_server.url(QStringLiteral("/mine/add")).toString();

        // "new site..." and the editor, through its controls.
        controller().newSite();
        SiteEditorDialog *editor = controller().siteEditor();
        QVERIFY(editor && editor->isVisible());
        auto edit = [editor](const char *name) {
            return editor->findChild<QLineEdit *>(QLatin1String(name));
        };
        // The program's editor can read a form from the site's page.
        QVERIFY(!editor->findChild<QPushButton *>(QStringLiteral("Button_site_readform"))->isHidden());
        edit("Edit_site_name")->setText(QStringLiteral("ZZ Mine"));
        // The login types read by their meaning; a new site fills its submission page.
        auto *login = editor->findChild<QComboBox *>(QStringLiteral("ComboBox_site_login"));
        QCOMPARE(login->currentText(), QString::fromUtf8("0 \u2014 the form is on the submission page"));
        QCOMPARE(login->itemText(1), QString::fromUtf8("1 \u2014 log in first"));
        auto *save = editor->findChild<QPushButton *>(QStringLiteral("Button_site_save"));
        save->click();
        QVERIFY(editor->isVisible());
        QCOMPARE(m_dialogs.shown.size(), 1);
        QVERIFY(m_dialogs.shown.first().text.contains(QStringLiteral("submission address")));
        QCOMPARE(editor->focusWidget(), edit("Edit_site_submit"));

        edit("Edit_site_submit")->setText(submitAddress);
        auto *fieldMap = editor->findChild<QTableView *>(QStringLiteral("Table_site_fieldmap"));
        editor->findChild<QPushButton *>(QStringLiteral("Button_site_addrow"))->click();
        auto *inputName = fieldMap->viewport()->findChild<QLineEdit *>();
        QVERIFY(inputName);
        QTest::keyClicks(inputName, QStringLiteral("prog"));
        QTest::keyClick(inputName, Qt::Key_Return);
        // The delegate commits a Return on the next turn of the event loop.
        QTRY_COMPARE(fieldMap->model()->index(0, 0).data().toString(), QStringLiteral("prog"));
        QTRY_VERIFY(!fieldMap->viewport()->findChild<QLineEdit *>());
        fieldMap->edit(fieldMap->model()->index(0, FieldMapModel::CatalogueField));
        auto *field = fieldMap->findChild<QComboBox *>(QStringLiteral("ComboBox_field"));
        QVERIFY(field);
        field->setCurrentIndex(field->findText(QStringLiteral("Program name : 0")));
        QTest::keyClick(field, Qt::Key_Tab);
        QTRY_COMPARE(editor->record().mid(SiteRecord::FirstFieldMap), QStringList{"0=prog"});
        m_dialogs.shown.clear();
        save->click();
        QVERIFY2(m_dialogs.shown.isEmpty(), qPrintable(m_dialogs.shown.value(0).text));
        QTRY_VERIFY(controller().siteEditor() == nullptr);

        const QByteArray stored = "ZZ Mine|||yes|" + submitAddress.toLatin1() + "|0|||0=prog";
        QCOMPARE(fileBytes(path("Kelvane_sites.dat")), framed({QString::fromLatin1(stored).split('|')}));
        Table &sites = m_form->workspace().sites();
        QCOMPARE(sites.rowCount(), 12);
        const int row = 11;
        QCOMPARE(sites.cell(0, row), QStringLiteral("ZZ Mine"));
        QCOMPARE(m_form->workspace().history().cell(0, row), QStringLiteral("ZZ Mine"));
        QVERIFY(m_form->windowTitle().endsWith(QStringLiteral(":  1 products  :  11 sub.sites  :")));
        const QModelIndex notes = m_form->submitView()->model()->index(row - 1, SiteRecord::Notes);
        QCOMPARE(notes.data().toString(), QStringLiteral("[my site] "));
        QVERIFY(!notes.data(Qt::ToolTipRole).toString().isEmpty());
        QCOMPARE(m_form->submitView()->currentRow(), row);

        // Submitted like any library site.
        mark({row}, {1});
        tickAutoSubmit();
        button("Button_submit_data")->click();
        QTRY_VERIFY_WITH_TIMEOUT(onlyWindow(), Timeout);
        QCOMPARE(onlyWindow()->resultCode(), row);
        closeWhenAnswered(onlyWindow(), Outcome::Done);
        QCOMPARE(posts("/mine"), QList<QByteArray>{"/mine/add/post prog=Product+One&go=Go"});
        QCOMPARE(m_form->workspace().history().cell(1, row), OkToday);
        QTRY_VERIFY_WITH_TIMEOUT(!controller().run().isRunning(), Timeout);

        // "delete site": only for the user's sites, asked first since the row holds an outcome.
        QMenu *menu = m_form->submitView()->popupMenu();
        auto *remove = menu->findChild<QAction *>(QStringLiteral("Pop_u_deletesite"));
        m_form->submitView()->setCurrentRow(1);
        m_form->submitView()->PopupMenu_uPopup();
        QVERIFY(!remove->isEnabled());
        m_form->submitView()->setCurrentRow(row);
        m_form->submitView()->PopupMenu_uPopup();
        QVERIFY(remove->isEnabled());
        m_dialogs.shown.clear();
        m_dialogs.answers = {Dialogs::Answer::Ok};
        remove->trigger();
        QCOMPARE(m_dialogs.shown.size(), 1);
        QVERIFY(m_dialogs.shown.first().text.contains(QStringLiteral("history row")));
        QCOMPARE(sites.rowCount(), 11);
        QCOMPARE(fileBytes(path("Kelvane_sites.dat")), QByteArray());
        QVERIFY(m_form->windowTitle().endsWith(QStringLiteral(":  1 products  :  10 sub.sites  :")));
        QList<QStringList> expected;
        for (const QString &name : SortedSites)
            expected.append({name, QString()});
        QCOMPARE(fileBytes(historyFile()), framed(expected));
    }

    void editingALibrarySiteMakesTheUsersCopyThatReplacesIt()
    {
        start({"Product One"});
        const int filesWeb = SortedSites.indexOf("FilesWeb") + 1;
        m_server.page("/repaired", "<html><body><form method=post action=/repaired/post>"
                                   "<input name=padurl><input name=linkto>"
                                   "<label>Program name <input name=title></label>"
                                   "<input type=submit name=go value=Send></form></body></html>");
        m_server.page("/repaired/post", "<html><body>Thank you</body></html>");
        controller().editSite(QStringLiteral("fileSWEB"));
        SiteEditorDialog *editor = controller().siteEditor();
        QVERIFY(editor);
        QCOMPARE(editor->findChild<QLineEdit *>(QStringLiteral("Edit_site_name"))->text(),
                 QStringLiteral("FilesWeb"));
        editor->findChild<QLineEdit *>(QStringLiteral("Edit_site_notes"))->setText("fixed");
        editor->findChild<QLineEdit *>(QStringLiteral("Edit_site_submit"))
            ->setText(m_server.url(QStringLiteral("/repaired")).toString());

        // "read form from page" lists the page in the teach list; OK takes its suggestion.
        bool read = false;
        QTimer::singleShot(0, [&read] {
            auto *teach = qobject_cast<TeachDialog *>(QApplication::activeModalWidget());
            if (!teach) {
                QApplication::closeAllWindows();
                return;
            }
            QObject::connect(teach, &TeachDialog::pageRead, teach, [teach, &read](bool loaded) {
                read = loaded;
                teach->accept();
            });
        });
        editor->findChild<QPushButton *>(QStringLiteral("Button_site_readform"))->click();
        QVERIFY(read);
        QCOMPARE(editor->record().mid(SiteRecord::FirstFieldMap),
                 QStringList({"57=padurl", "80=linkto", "0=title"}));
        editor->findChild<QPushButton *>(QStringLiteral("Button_site_save"))->click();
        QTRY_VERIFY(controller().siteEditor() == nullptr);

        Table &sites = m_form->workspace().sites();
        QCOMPARE(sites.rowCount(), 11);
        QCOMPARE(sites.cell(SiteRecord::Notes, filesWeb), QStringLiteral("fixed"));
        QCOMPARE(m_form->workspace().submitList().origin(filesWeb), SubmitList::Origin::UserReplacing);
        QCOMPARE(m_form->submitView()->model()->index(filesWeb - 1, SiteRecord::Notes).data().toString(),
                 QStringLiteral("[my copy] fixed"));

        // The copy is what a run submits.
        mark({filesWeb}, {1});
        tickAutoSubmit();
        button("Button_submit_data")->click();
        QTRY_VERIFY_WITH_TIMEOUT(onlyWindow(), Timeout);
        closeWhenAnswered(onlyWindow(), Outcome::Done);
        QCOMPARE(posts("/repaired"),
                 QList<QByteArray>{"/repaired/post padurl=&linkto=&title=Product+One&go=Send"});
        QCOMPARE(m_form->workspace().history().cell(1, filesWeb), OkToday);
        QTRY_VERIFY_WITH_TIMEOUT(!controller().run().isRunning(), Timeout);

        // Deleting the copy brings the library's record back, its row and outcome kept.
        m_dialogs.answers = {Dialogs::Answer::Ok};
        controller().deleteSite(QStringLiteral("FilesWeb"));
        QCOMPARE(sites.cell(SiteRecord::Notes, filesWeb), QStringLiteral("Must link back"));
        QCOMPARE(m_form->workspace().history().cell(0, filesWeb), QStringLiteral("FilesWeb"));
        QCOMPARE(m_form->workspace().history().cell(1, filesWeb), OkToday);
        QVERIFY(m_dialogs.shown.last().text.contains(QStringLiteral("comes back")));
    }
};

QTEST_MAIN(TestSubmission)
#include "test_submission.moc"
