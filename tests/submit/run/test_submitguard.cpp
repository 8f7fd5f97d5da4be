// The check before a run: which pairs a site took already since the
// release, which break a site's policy, and what each answer leaves out.
#include "support/runtables.h"

#include "catalogue/fieldcatalogue.h"
#include "submit/run/submitguard.h"

#include <QTest>

using SubmitGuard::Answer;
using SubmitGuard::PolicyPair;
using SubmitGuard::SentPair;
using Pair = SubmissionRun::Pair;

Q_DECLARE_METATYPE(Answer)
Q_DECLARE_METATYPE(QList<Pair>)

class TestSubmitGuard : public QObject
{
    Q_OBJECT

    const QLocale m_us{QLocale::English, QLocale::UnitedStates};

private slots:
    void aCellCountsAsSentFromTheReleaseDateOn_data()
    {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QStringList>("release"); // month, day, year
        QTest::addColumn<bool>("sent");

        const QStringList june12{"06", "12", "2026"};
        QTest::newRow("on the release day") << "6/12/2026  ok" << june12 << true;
        QTest::newRow("after the release") << "7/1/2026  ok" << june12 << true;
        QTest::newRow("the day before the release") << "6/11/2026  ok" << june12 << false;
        QTest::newRow("an older file's year before the release")
            << "12/6/05  ok" << QStringList{"01", "15", "2006"} << false;
        QTest::newRow("an older file's year after a two-digit release")
            << "12/6/05  ok" << QStringList{"05", "11", "05"} << true;
        // Release years as older records store them: 1930..2029 for two digits.
        QTest::newRow("a one-digit release year, on the day") << "6/1/2005  ok" << QStringList{"06", "01", "5"} << true;
        QTest::newRow("a one-digit release year, the day before")
            << "5/31/2005  ok" << QStringList{"06", "01", "5"} << false;
        QTest::newRow("a two-digit release year, on the day") << "1/1/2024  ok" << QStringList{"01", "01", "24"} << true;
        QTest::newRow("a two-digit release year, the day before")
            << "12/31/2023  ok" << QStringList{"01", "01", "24"} << false;
        QTest::newRow("29 is the last year of this century") << "6/1/2026  ok" << QStringList{"01", "01", "29"} << false;
        QTest::newRow("30 is the first of the last") << "6/1/2026  ok" << QStringList{"01", "01", "30"} << true;
        QTest::newRow("a four-digit release year, the day before")
            << "12/31/2029  ok" << QStringList{"01", "01", "2030"} << false;
        QTest::newRow("a date that cannot be read") << "sent by hand  ok" << june12 << true;
        QTest::newRow("no release date") << "6/11/2020  ok" << QStringList{"", "", ""} << true;
        QTest::newRow("a release day that does not exist")
            << "6/11/2020  ok" << QStringList{"02", "30", "2026"} << true;
        QTest::newRow("failed") << "   fail" << june12 << false;
        QTest::newRow("never sent") << "" << june12 << false;
        QTest::newRow("a note of the user's own") << "ask again in May" << june12 << false;
    }

    void aCellCountsAsSentFromTheReleaseDateOn()
    {
        QFETCH(QString, cell);
        QFETCH(QStringList, release);
        QFETCH(bool, sent);
        QStringList record(105);
        record[Field::ReleaseMonth] = release.at(0);
        record[Field::ReleaseDay] = release.at(1);
        record[Field::ReleaseYear] = release.at(2);
        QCOMPARE(SubmitGuard::alreadySent(cell, SubmitGuard::releaseDate(record), m_us), sent);
    }

    void theCheckListsTheRunsPairsInTwoGroups()
    {
        Table sites = siteTable(4);
        sites.setCell(SiteRecord::Notes, 1, "Freeware only");
        sites.setCell(SiteRecord::Notes, 2, " freeware ONLY, no adware ");
        sites.setCell(SiteRecord::Notes, 3, "Must link back");
        Table software = softwareTable(3);
        const QList<QStringList> products{{"Freeware", "03", "01", "2026"},
                                          {"Shareware", "03", "01", "2026"},
                                          {"", "", "", ""}};
        for (int e = 1; e <= 3; ++e) {
            software.setCell(Field::ReleaseType, e, products.at(e - 1).at(0));
            software.setCell(Field::ReleaseMonth, e, products.at(e - 1).at(1));
            software.setCell(Field::ReleaseDay, e, products.at(e - 1).at(2));
            software.setCell(Field::ReleaseYear, e, products.at(e - 1).at(3));
        }
        Table history(4, 5);
        history.setCell(1, 1, "3/1/2026  ok");  // sent on the release day
        history.setCell(2, 1, "2/28/2026  ok"); // sent before the release
        history.setCell(3, 3, "1/5/99  ok");    // no release date: sent
        history.setCell(1, 3, "   fail");
        history.setCell(2, 4, "4/1/2026  ok");  // site 4 is not in the run

        const SubmitGuard::Findings findings =
            SubmitGuard::find(history, sites, software, {1, 2, 3}, {1, 2, 3}, m_us);

        QCOMPARE(findings.sent, (QList<SentPair>{{1, 1, "Site 1", "Product 1", "3/1/2026"},
                                                 {3, 3, "Site 3", "Product 3", "1/5/99"}}));
        QCOMPARE(findings.policy,
                 (QList<PolicyPair>{{1, 2, "Site 1", "Product 2", "Freeware only"},
                                    {1, 3, "Site 1", "Product 3", "Freeware only"},
                                    {2, 2, "Site 2", "Product 2", "freeware ONLY, no adware"},
                                    {2, 3, "Site 2", "Product 3", "freeware ONLY, no adware"}}));
    }

    void eachAnswerLeavesOutItsPairs_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("runs");
        QTest::addColumn<QList<Pair>>("leftOut");
        QTest::newRow("Skip these") << Answer::SkipThese << true
                                    << QList<Pair>{{1, 1}, {2, 1}, {3, 2}};
        QTest::newRow("Send anyway") << Answer::SendAnyway << true << QList<Pair>{};
        QTest::newRow("Cancel") << Answer::Cancel << false << QList<Pair>{};
    }

    void eachAnswerLeavesOutItsPairs()
    {
        QFETCH(Answer, answer);
        QFETCH(bool, runs);
        QFETCH(QList<Pair>, leftOut);
        SubmitGuard::Findings findings;
        findings.sent = {{1, 1, "A", "P", "1/1/2026"}, {2, 1, "B", "P", ""}};
        findings.policy = {{3, 2, "C", "Q", "Freeware only"}};
        const std::optional<QList<Pair>> result = SubmitGuard::leftOut(findings, answer);
        QCOMPARE(result.has_value(), runs);
        QCOMPARE(result.value_or(QList<Pair>{}), leftOut);
    }
};

QTEST_APPLESS_MAIN(TestSubmitGuard)
#include "test_submitguard.moc"
