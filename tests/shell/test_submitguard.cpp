// The check before a run, end to end in the real main window: history cells
// and site notes decide which pairs are asked about, the answer decides
// which browser windows open against the loopback fixture server.
#include "shell/mainwindow.h"
#include "shell/submissioncontroller.h"
#include "submit/browser/browserwindow.h"
#include "submit/sitelistmodel.h"
#include "submit/submitview.h"
#include "support/fakeclock.h"
#include "support/fixtureserver.h"
#include "support/windowharness.h"

#include <QCheckBox>
#include <QPointer>
#include <QTest>
#include <QToolButton>

#include <memory>

using SubmitGuard::Answer;
using SubmitGuard::PolicyPair;
using SubmitGuard::SentPair;

namespace {

constexpr int Timeout = 90000;

} // namespace

class TestSubmitGuardRun : public QObject, public WindowHarness
{
    Q_OBJECT

    FixtureServer m_server;
    FakeClock m_clock{QDate(2026, 6, 12)};
    std::unique_ptr<TForm1> m_form;

    // "Alpha Tool", shareware released on 3/1/2026; the history says
    // 1000files (row 1) took it after the release, AmazingFiles (row 2)
    // before it.
    void start()
    {
        writeCatalogue({record("Alpha Tool", QString(),
                               {{Field::ReleaseType, "Shareware"},
                                {Field::ReleaseMonth, "03"},
                                {Field::ReleaseDay, "01"},
                                {Field::ReleaseYear, "2026"}}),
                        record("Beta Tool")});
        writeHistory({{"1000files", "3/5/2026  ok", ""}, {"AmazingFiles", "2/27/2026  ok", ""}});
        m_form = startWindow();
        controller().setClock(m_clock);
        controller().setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        m_form->show();
        for (int row : {1, 2, 9})
            pointAtServer(row);
        // The forms go without a click of the user's.
        auto *autoSubmit = m_form->findChild<QCheckBox *>(QStringLiteral("CheckBox_autosubmit"));
        QVERIFY(autoSubmit);
        autoSubmit->click();
        QVERIFY(m_form->submitView()->automaticSubmission());
    }

    SubmissionController &controller() const { return *m_form->submission(); }

    void pointAtServer(int row)
    {
        Table &sites = m_form->workspace().sites();
        const QByteArray page = "/guard/site" + QByteArray::number(row);
        m_server.page(page, "<html><body><form method=post action=" + page
                                + "/post><input name=program_name>"
                                  "<input type=submit name=go value=Go></form></body></html>");
        m_server.page(page + "/post", "<html><body>Thank you</body></html>");
        sites.setCell(SiteRecord::SubmitPage, row, m_server.url(QString::fromLatin1(page)).toString());
        sites.setCell(SiteRecord::Login, row, "0");
        sites.setCell(SiteRecord::FirstFieldMap, row, "0=program_name");
        for (int c = SiteRecord::FirstFieldMap + 1; c < Marks::column(sites); ++c)
            sites.setCell(c, row, QString());
    }

    void submit(const QList<int> &sites)
    {
        Marks::clear(m_form->workspace().sites());
        for (int r : sites)
            Marks::set(m_form->workspace().sites(), r, true);
        Marks::set(m_form->workspace().software(), 1, true);
        m_form->submitView()->model()->marksChanged();
        m_form->findChild<QPushButton *>(QStringLiteral("Button_submit_data"))->click();
    }

    // Closes each window of the run with "done ok"; gives their site rows.
    QList<int> closeEveryWindow()
    {
        QList<int> sites;
        while (controller().run().isRunning()) {
            if (!QTest::qWaitFor([this] { return controller().openWindows().size() == 1; }, Timeout))
                break;
            QPointer<TForm2> window = qobject_cast<TForm2 *>(controller().openWindows().first());
            auto *done = window->findChild<QToolButton *>(QStringLiteral("Button_done"));
            if (!QTest::qWaitFor([&] { return done->isEnabled(); }, Timeout))
                break;
            sites.append(window->resultCode());
            QTest::mouseClick(done, Qt::LeftButton);
            if (!QTest::qWaitFor([&] { return window.isNull(); }, Timeout))
                break;
        }
        return sites;
    }

private slots:
    void initTestCase() { QVERIFY(m_server.start()); }
    void init() { resetHarness(); }
    void cleanup()
    {
        m_form.reset();
        m_dir.reset();
    }

    void aPairSentSinceTheReleaseIsSkippedByDefaultAndSentOnRequest()
    {
        start();
        m_guard.answers = {Answer::SkipThese};
        submit({1, 2});
        QCOMPARE(m_guard.asked.size(), 1);
        QCOMPARE(m_guard.asked.first().sent,
                 (QList<SentPair>{{1, 1, "1000files", "Alpha Tool", "3/5/2026"}}));
        QVERIFY(m_guard.asked.first().policy.isEmpty());
        QCOMPARE(closeEveryWindow(), QList<int>{2});
        QCOMPARE(m_form->workspace().history().cell(1, 1), QString("3/5/2026  ok"));
        QCOMPARE(m_form->workspace().history().cell(1, 2), QString("6/12/2026  ok"));
        // Skipping leaves the marks as they were.
        const Table &sites = m_form->workspace().sites();
        QCOMPARE(sites.cell(Marks::column(sites), 1), QString("x"));

        m_guard.answers = {Answer::SendAnyway};
        submit({1});
        QCOMPARE(m_guard.asked.size(), 2);
        QCOMPARE(closeEveryWindow(), QList<int>{1});
        QCOMPARE(m_form->workspace().history().cell(1, 1), QString("6/12/2026  ok"));
    }

    void aSharewareProductForAFreewareOnlySiteIsAskedAboutAndCancelOpensNothing()
    {
        start();
        m_guard.answers = {Answer::Cancel};
        const qsizetype requestsBefore = m_server.requests().size();
        submit({2, 9});
        QCOMPARE(m_guard.asked.size(), 1);
        QVERIFY(m_guard.asked.first().sent.isEmpty());
        QCOMPARE(m_guard.asked.first().policy,
                 (QList<PolicyPair>{{9, 1, "FreewareHome", "Alpha Tool", "Freeware only"}}));
        QVERIFY(!controller().run().isRunning());
        QVERIFY(controller().openWindows().isEmpty());
        QTest::qWait(200);
        QCOMPARE(m_server.requests().size(), requestsBefore);
        const Table &sites = m_form->workspace().sites();
        QCOMPARE(sites.cell(Marks::column(sites), 9), QString("x"));
    }
};

QTEST_MAIN(TestSubmitGuardRun)
#include "test_submitguard.moc"
