#include "catalogue/derivedfields.h"
#include "catalogue/fieldcatalogue.h"
#include "catalogue/matchlists.h"
#include "support/softwarerecord.h"

#include <QTest>

namespace {

// Fields 11 and 94 as a store writes them for the given OS names.
QStringList recordWithSystems(const QStringList &names)
{
    QStringList chosen;
    QStringList items;
    for (const QString &item : PickLists::osItems()) {
        if (names.contains(PickLists::osName(item))) {
            chosen.append(PickLists::osName(item));
            items.append(item + '\t');
        }
    }
    return recordWith({{11, chosen.join(',')}, {94, DerivedFields::field94(items)}});
}

} // namespace

class TestMatchLists : public QObject
{
    Q_OBJECT

private slots:
    void releaseListFollowsUpdateOrNew_data();
    void releaseListFollowsUpdateOrNew();

    void osSummaryCoversTheRunOfWindowsVersions_data();
    void osSummaryCoversTheRunOfWindowsVersions();
    void osListHoldsSummaryNamesThenTokens();
    void osListKeepsNamesUntrimmedAndSkipsBlankTokens_data();
    void osListKeepsNamesUntrimmedAndSkipsBlankTokens();

    void categoryListHasSubCategoryFirstAndMainCategoryLast_data();
    void categoryListHasSubCategoryFirstAndMainCategoryLast();
    void categoryListOfAFullRecord();
    void categoryListAddsSuggestedCategories_data();
    void categoryListAddsSuggestedCategories();

    void languageListSplitsAtCommas_data();
    void languageListSplitsAtCommas();

    void buildMakesAllFourFromOneRecord();
};

void TestMatchLists::releaseListFollowsUpdateOrNew_data()
{
    QTest::addColumn<QString>("status");
    QTest::addColumn<QStringList>("list");
    QTest::newRow("Minor Update") << "Minor Update"
        << QStringList{"Minor Update", "Update", "Upgrade", "New software version", "true"};
    QTest::newRow("Major Update") << "Major Update"
        << QStringList{"Major Update", "Update", "Upgrade", "New software version", "true"};
    QTest::newRow("New Release") << "New Release" << QStringList{"New Release", "New", "Add to", "false"};
    QTest::newRow("letter case counts") << "minor update" << QStringList{"minor update", "New", "Add to", "false"};
    QTest::newRow("Beta") << "Beta" << QStringList{"Beta", "New", "Add to", "false"};
    QTest::newRow("none chosen") << "" << QStringList{"", "New", "Add to", "false"};
}

void TestMatchLists::releaseListFollowsUpdateOrNew()
{
    QFETCH(QString, status);
    QFETCH(QStringList, list);
    QCOMPARE(MatchLists::buildRelease(recordWith({{10, status}})), list);
}

void TestMatchLists::osSummaryCoversTheRunOfWindowsVersions_data()
{
    QTest::addColumn<QStringList>("systems");
    QTest::addColumn<QString>("summary");
    QTest::newRow("95 to NT") << QStringList{"Win95", "Win98", "WinME", "WinNT 4.x"} << "95,98,Me,NT";
    QTest::newRow("95 to XP") << QStringList{"Win95", "Win98", "WinME", "WinNT 4.x", "Windows2000", "WinXP"}
                              << "95,98,Me,NT,2000,XP";
    QTest::newRow("95 and XP only") << QStringList{"Win95", "WinXP"} << "";
    QTest::newRow("95 and 98") << QStringList{"Win95", "Win98"} << "95,98";
    QTest::newRow("a gap stops the run") << QStringList{"Win95", "Win98", "WinNT 4.x", "Windows2000"} << "95,98";
    QTest::newRow("run to 2000 without XP") << QStringList{"Win95", "Win98", "WinME", "WinNT 3.x", "Windows2000"}
                                            << "95,98,Me,NT,2000";
    QTest::newRow("no Windows") << QStringList{"Linux", "Mac OS X"} << "";
    QTest::newRow("nothing") << QStringList{} << "";
}

void TestMatchLists::osSummaryCoversTheRunOfWindowsVersions()
{
    QFETCH(QStringList, systems);
    QFETCH(QString, summary);
    const QStringList list = MatchLists::buildOs(recordWithSystems(systems));
    QVERIFY(!list.isEmpty());
    QCOMPARE(list.first(), summary);
}

void TestMatchLists::osListHoldsSummaryNamesThenTokens()
{
    const QStringList list = MatchLists::buildOs(recordWithSystems({"Win95", "Win98", "WinME", "WinNT 4.x"}));
    QCOMPARE(list, (QStringList{"95,98,Me,NT", "Win95", "Win98", "WinME", "WinNT 4.x", "95", "osnew[1]", "98",
                                "osnew[1]", "Me", "osnew[2]", "nt4", "osnew[3]", "NT"}));
}

void TestMatchLists::osListKeepsNamesUntrimmedAndSkipsBlankTokens_data()
{
    QTest::addColumn<QString>("field11");
    QTest::addColumn<QString>("field94");
    QTest::addColumn<QStringList>("list");
    QTest::newRow("blank after comma kept") << "Win95, Linux" << "\t95\t \tUnix\t"
                                           << QStringList{"", "Win95", " Linux", "95", "Unix"};
    QTest::newRow("text after last tab starts the summary") << "MS-DOS" << "\tPalm\tDOS"
                                                           << QStringList{"DOS", "MS-DOS", "Palm"};
    QTest::newRow("a run replaces the starting summary") << "Win95,Win98" << "\t\tlegacy"
                                                        << QStringList{"95,98", "Win95", "Win98"};
    QTest::newRow("empty fields") << "" << "" << QStringList{"", ""};
}

void TestMatchLists::osListKeepsNamesUntrimmedAndSkipsBlankTokens()
{
    QFETCH(QString, field11);
    QFETCH(QString, field94);
    QFETCH(QStringList, list);
    QCOMPARE(MatchLists::buildOs(recordWith({{11, field11}, {94, field94}})), list);
}

void TestMatchLists::categoryListHasSubCategoryFirstAndMainCategoryLast_data()
{
    QTest::addColumn<QString>("field48");
    QTest::addColumn<QString>("field93");
    QTest::addColumn<QStringList>("list");
    QTest::newRow("Audio & Video sub-category") << "Audio & Multimedia::Audio & Video" << "\t\t"
        << QStringList{"Audio & Video", "Audio and Video", "Audio &amp; Video", "Multimedia"};
    QTest::newRow("main category without ampersand") << "Business::Other" << "\tBusiness Misc\t"
        << QStringList{"Other", "Business Misc", "Business"};
    QTest::newRow("site name with ampersand is split in halves") << "Desktop::Icons" << "\tEditors & Converters\t"
        << QStringList{"Icons", "Editors & Converters", "Editors and Converters", "Editors &amp; Converters",
                       "Editors", "Converters", "Desktop"};
    QTest::newRow("halves already held, ignoring case, are not repeated") << "Games::converters"
        << "\tEDITORS\tEditors & Converters\t"
        << QStringList{"converters", "EDITORS", "Editors & Converters", "Editors and Converters",
                       "Editors &amp; Converters", "Games"};
    QTest::newRow("blank site names skipped") << "Utilities::Other" << "\t \t\t  \t"
        << QStringList{"Other", "Utilities"};
    QTest::newRow("only the first :: splits") << "A::B::C" << "" << QStringList{"B::C", "A"};
    QTest::newRow("key without :: is the sub-category") << "Utilities" << ""
        << QStringList{"Utilities", ""};
    QTest::newRow("main category without :: ampersand") << "Audio & Multimedia" << ""
        << QStringList{"Audio & Multimedia", "Audio and Multimedia", "Audio &amp; Multimedia", ""};
    QTest::newRow("empty record still gives two entries") << "" << "" << QStringList{"", ""};
}

void TestMatchLists::categoryListHasSubCategoryFirstAndMainCategoryLast()
{
    QFETCH(QString, field48);
    QFETCH(QString, field93);
    QFETCH(QStringList, list);
    QCOMPARE(MatchLists::buildCategory(recordWith({{48, field48}, {93, field93}})), list);
}

void TestMatchLists::categoryListOfAFullRecord()
{
    const QStringList record = recordWith({
        {48, "Audio & Multimedia::Rippers & Converters"},
        {93, "\tRippers & Converters\t\t Editors & Converters\tMP3\t"},
        {49, "mp3, audio"},
    });
    const QStringList expected = {
        "Rippers & Converters", "Rippers and Converters", "Rippers &amp; Converters",
        "Rippers & Converters", "Rippers and Converters", "Rippers &amp; Converters",
        " Editors & Converters", " Editors and Converters", " Editors &amp; Converters", "MP3",
        "mp3", "audio",
        "Rippers", "Converters", " Editors",
        "Multimedia",
    };
    QCOMPARE(MatchLists::buildCategory(record), expected);
}

void TestMatchLists::categoryListAddsSuggestedCategories_data()
{
    QTest::addColumn<QString>("field49");
    QTest::addColumn<QStringList>("added");
    QTest::newRow("comma-separated, trimmed") << " Tools ,  Audio,Video " << QStringList{"Tools", "Audio", "Video"};
    QTest::newRow("single, unchanged") << " Audio tools " << QStringList{" Audio tools "};
    QTest::newRow("blank") << "   " << QStringList{};
    QTest::newRow("empty") << "" << QStringList{};
}

void TestMatchLists::categoryListAddsSuggestedCategories()
{
    QFETCH(QString, field49);
    QFETCH(QStringList, added);
    const QStringList list = MatchLists::buildCategory(recordWith({{48, "Business::Other"}, {49, field49}}));
    QCOMPARE(list, QStringList{"Other"} + added + QStringList{"Business"});
}

void TestMatchLists::languageListSplitsAtCommas_data()
{
    QTest::addColumn<QString>("field12");
    QTest::addColumn<QStringList>("list");
    QTest::newRow("two") << "Arabic,English" << QStringList{"Arabic", "English"};
    QTest::newRow("untrimmed parts") << "German, French" << QStringList{"German", " French"};
    QTest::newRow("trailing comma") << "Greek," << QStringList{"Greek", ""};
    QTest::newRow("one") << "English" << QStringList{"English"};
    QTest::newRow("one with blanks kept") << " English " << QStringList{" English "};
    QTest::newRow("empty") << "" << QStringList{""};
}

void TestMatchLists::languageListSplitsAtCommas()
{
    QFETCH(QString, field12);
    QFETCH(QStringList, list);
    QCOMPARE(MatchLists::buildLanguage(recordWith({{12, field12}})), list);
}

void TestMatchLists::buildMakesAllFourFromOneRecord()
{
    QStringList record = recordWithSystems({"Win95", "Win98"});
    record[10] = "New Release";
    record[12] = "English";
    record[48] = "Business::Other";
    const MatchLists lists = MatchLists::build(record);
    QCOMPARE(lists.category, (QStringList{"Other", "Business"}));
    QCOMPARE(lists.release.first(), QStringLiteral("New Release"));
    QCOMPARE(lists.os.first(), QStringLiteral("95,98"));
    QCOMPARE(lists.language, QStringList{"English"});

    const MatchLists none = MatchLists::build(QStringList());
    QCOMPARE(none.category.size(), 2);
    QCOMPARE(none.release, (QStringList{"", "New", "Add to", "false"}));
}

QTEST_APPLESS_MAIN(TestMatchLists)
#include "test_matchlists.moc"
