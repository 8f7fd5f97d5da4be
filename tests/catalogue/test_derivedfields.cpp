#include "catalogue/derivedfields.h"
#include "catalogue/fieldcatalogue.h"
#include "support/softwarerecord.h"

#include <QTest>

namespace {

// The OS items as the editor holds them after start-up: with the trailing tab.
QStringList osItemsNamed(const QStringList &names)
{
    QStringList items;
    for (const QString &item : PickLists::osItems())
        if (names.contains(PickLists::osName(item)))
            items.append(item + '\t');
    return items;
}

} // namespace

class TestDerivedFields : public QObject
{
    Q_OBJECT

private slots:
    void osTokensCollectEachGroupOnce_data();
    void osTokensCollectEachGroupOnce();
    void osItemWithoutTrailingTabStillClosesItsGroup();
    void siteCategoryNamesAreTheClassItemFromItsFirstTab_data();
    void siteCategoryNamesAreTheClassItemFromItsFirstTab();
    void expirySummaryOnlyForExactlyY_data();
    void expirySummaryOnlyForExactlyY();
    void namesSizeAndDatesAreJoined_data();
    void namesSizeAndDatesAreJoined();
    void storeWritesOnlyTheDerivedFields();
};

void TestDerivedFields::osTokensCollectEachGroupOnce_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("field94");
    QTest::newRow("Win95, Win98, Linux Gnome") << QStringList{"Win95", "Win98", "Linux Gnome"}
        << "\t95\tosnew[1]\t98\tosnew[1]\tUnix\tosnew[8]\t";
    QTest::newRow("three systems sharing one group") << QStringList{"Linux", "Linux GPL", "Unix"}
        << "\tUnix\tosnew[8]\t";
    QTest::newRow("only a system without tokens") << QStringList{"MS-DOS"} << "\t";
    QTest::newRow("nothing selected") << QStringList{} << "\t";
    QTest::newRow("tokenless systems add nothing") << QStringList{"MS-DOS", "WinXP", "Java", "BEOS"}
        << "\tXP\tosnew[5]\t";
    QTest::newRow("groups sharing some tokens stay apart") << QStringList{"WinNT 3.x", "WinNT 4.x"}
        << "\tnt3\tosnew[3]\tNT\tnt4\tosnew[3]\tNT\t";
    QTest::newRow("2000 and 2003") << QStringList{"Windows2000", "Windows2003"}
        << "\t2000\tosnew[4]\t2k\t2003\tosnew[6]\t2k3\t2k\t";
    QTest::newRow("all Mac systems") << QStringList{"Mac 68k", "Mac PPC", "Mac OS X", "Mac Other"} << "\tMAC\t";
    QTest::newRow("list order, not click order") << QStringList{"Not Applicable", "Win 3.1x"}
        << "\t31\tOther\t";
}

void TestDerivedFields::osTokensCollectEachGroupOnce()
{
    QFETCH(QStringList, names);
    QFETCH(QString, field94);
    QCOMPARE(DerivedFields::field94(osItemsNamed(names)), field94);
}

void TestDerivedFields::osItemWithoutTrailingTabStillClosesItsGroup()
{
    QCOMPARE(DerivedFields::field94({"Win95\t95\tosnew[1]", "Win98\t98\tosnew[1]", "MS-DOS"}),
             QStringLiteral("\t95\tosnew[1]\t98\tosnew[1]\t"));
}

void TestDerivedFields::siteCategoryNamesAreTheClassItemFromItsFirstTab_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("field93");
    QTest::newRow("class item") << "Audio & Multimedia::Audio Encoders/Decoders\tEncoders\t\tMP3 Tools\t"
                                << "\tEncoders\t\tMP3 Tools\t";
    QTest::newRow("separator row") << "\t\t\t" << "\t\t\t";
    QTest::newRow("no class chosen") << "" << "";
    QTest::newRow("item without names") << "Business::Other" << "";
}

void TestDerivedFields::siteCategoryNamesAreTheClassItemFromItsFirstTab()
{
    QFETCH(QString, item);
    QFETCH(QString, field93);
    QCOMPARE(DerivedFields::field93(item), field93);
}

void TestDerivedFields::expirySummaryOnlyForExactlyY_data()
{
    QTest::addColumn<QString>("expires");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("other");
    QTest::addColumn<QString>("field96");
    QTest::newRow("count and base") << "Y" << "Days" << "60" << "" << "60 Days";
    QTest::newRow("other appended directly") << "Y" << "Uses" << "30" << "or 2 weeks" << "30 Usesor 2 weeks";
    QTest::newRow("only other") << "Y" << "Days" << "  " << "see readme" << "see readme";
    QTest::newRow("blank other ignored") << "Y" << "Either" << "10" << "   " << "10 Either";
    QTest::newRow("count kept untrimmed") << "Y" << "Days" << " 60" << "" << " 60 Days";
    QTest::newRow("Y with nothing") << "Y" << "Days" << "" << "" << "";
    QTest::newRow("N") << "N" << "Days" << "60" << "more" << "";
    QTest::newRow("lower-case y") << "y" << "Days" << "60" << "more" << "";
    QTest::newRow("empty") << "" << "Days" << "60" << "more" << "";
}

void TestDerivedFields::expirySummaryOnlyForExactlyY()
{
    QFETCH(QString, expires);
    QFETCH(QString, base);
    QFETCH(QString, count);
    QFETCH(QString, other);
    QFETCH(QString, field96);
    const QStringList record = recordWith({{19, expires}, {20, base}, {21, count}, {22, other}});
    QCOMPARE(DerivedFields::field96(record), field96);
}

void TestDerivedFields::namesSizeAndDatesAreJoined_data()
{
    QTest::addColumn<QStringList>("record");
    QTest::addColumn<QString>("field95");
    QTest::addColumn<QString>("field97");
    QTest::addColumn<QString>("field98");
    QTest::addColumn<QString>("field99");
    QTest::newRow("filled") << recordWith({{34, "Ana"}, {35, "Silva"}, {17, "1159"}, {3, "05"}, {4, "11"}, {5, "2005"}})
                            << "Ana Silva" << "1159 kb" << "05/11/2005" << "2005-05-11";
    QTest::newRow("empty") << recordWith({}) << " " << " kb" << "//" << "--";
    QTest::newRow("short record reads as empty") << QStringList{"Name"} << " " << " kb" << "//" << "--";
}

void TestDerivedFields::namesSizeAndDatesAreJoined()
{
    QFETCH(QStringList, record);
    QFETCH(QString, field95);
    QFETCH(QString, field97);
    QFETCH(QString, field98);
    QFETCH(QString, field99);
    QCOMPARE(DerivedFields::field95(record), field95);
    QCOMPARE(DerivedFields::field97(record), field97);
    QCOMPARE(DerivedFields::field98(record), field98);
    QCOMPARE(DerivedFields::field99(record), field99);
}

void TestDerivedFields::storeWritesOnlyTheDerivedFields()
{
    QStringList record(FieldCatalogue::FieldCount);
    for (int n = 0; n < FieldCatalogue::FieldCount; ++n)
        record[n] = QStringLiteral("old %1").arg(n);
    record[3] = "05";
    record[4] = "11";
    record[5] = "2005";
    record[17] = "1159";
    record[19] = "Y";
    record[20] = "Days";
    record[21] = "60";
    record[22] = "";
    record[34] = "Ana";
    record[35] = "Silva";
    const QStringList before = record;

    DerivedFields::store(record, "Business::Other	Other Business	", osItemsNamed({"Win95", "MS-DOS"}));

    QCOMPARE(record.size(), FieldCatalogue::FieldCount);
    QCOMPARE(record[92], QString());
    QCOMPARE(record[93], QStringLiteral("\tOther Business\t"));
    QCOMPARE(record[94], QStringLiteral("\t95\tosnew[1]\t"));
    QCOMPARE(record[95], QStringLiteral("Ana Silva"));
    QCOMPARE(record[96], QStringLiteral("60 Days"));
    QCOMPARE(record[97], QStringLiteral("1159 kb"));
    QCOMPARE(record[98], QStringLiteral("05/11/2005"));
    QCOMPARE(record[99], QStringLiteral("2005-05-11"));
    for (int n = 0; n < FieldCatalogue::FieldCount; ++n)
        if (n < 92 || n > 99)
            QCOMPARE(record[n], before[n]);

    QStringList shortRecord{"Name"};
    DerivedFields::store(shortRecord, QString(), {});
    QCOMPARE(shortRecord.size(), FieldCatalogue::FieldCount);
    QCOMPARE(shortRecord[0], QStringLiteral("Name"));
    QCOMPARE(shortRecord[94], QStringLiteral("\t"));
    QCOMPARE(shortRecord[104], QString());
}

QTEST_APPLESS_MAIN(TestDerivedFields)
#include "test_derivedfields.moc"
