// What a site's notes ask of a submission: the freeware-only policy and the
// note shown in the browser window.
#include "submit/sites/sitepolicy.h"

#include <QTest>

class TestSitePolicy : public QObject
{
    Q_OBJECT

private slots:
    void theNotesDecideThePolicyAndTheNotice_data()
    {
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("breaks");
        QTest::addColumn<QString>("notice");

        QTest::newRow("freeware only, shareware") << "Freeware only" << "Shareware" << true << "";
        QTest::newRow("freeware only, freeware") << "Freeware only" << "Freeware" << false << "";
        QTest::newRow("any letter case and blanks") << "  FREEWARE   Only " << "Demo" << true << "";
        QTest::newRow("a type typed in lower case") << "Freeware only" << " freeware" << false << "";
        QTest::newRow("no type at all") << "Freeware only" << "" << true << "";
        QTest::newRow("the policy among other words")
            << "Freeware only, no adware" << "Adware" << true << "Freeware only, no adware";
        QTest::newRow("not the policy: no freeware-only")
            << "No freeware-only mirrors" << "Shareware" << false << "No freeware-only mirrors";
        QTest::newRow("not the policy: inside a word")
            << "Nonfreeware only" << "Shareware" << false << "Nonfreeware only";
        QTest::newRow("another note") << " Must link back " << "Shareware" << false
                                      << "Must link back";
        QTest::newRow("the registration note") << "Must register first" << "Shareware" << false
                                               << "Must register first";
        QTest::newRow("no notes") << "" << "Shareware" << false << "";
        QTest::newRow("blanks only") << "   " << "Shareware" << false << "";
    }

    void theNotesDecideThePolicyAndTheNotice()
    {
        QFETCH(QString, notes);
        QFETCH(QString, type);
        QFETCH(bool, breaks);
        QFETCH(QString, notice);
        QCOMPARE(SitePolicy::breaks(notes, type), breaks);
        QCOMPARE(SitePolicy::notice(notes), notice);
    }
};

QTEST_APPLESS_MAIN(TestSitePolicy)
#include "test_sitepolicy.moc"
