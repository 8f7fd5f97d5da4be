#include "catalogue/derivedfields.h"
#include "pad/categorytables.h"
#include "platform/cp1252.h"

#include <QTest>

using namespace CategoryTables;

namespace {

const QChar Tab('\t');

// The class keys as the table lists them, group by group.
QStringList expectedKeys()
{
    const QList<QPair<QString, QStringList>> groups = {
        {"Audio & Multimedia",
         {"Audio Encoders/Decoders", "Audio File Players", "Audio File Recorders", "CD Burners",
          "CD Players", "Multimedia Creation Tools", "Music Composers", "Other",
          "Presentation Tools", "Rippers & Converters", "Speech", "Video Tools"}},
        {"Business",
         {"Accounting & Finance", "Calculators & Converters", "Databases & Tools",
          "Helpdesk & Remote PC", "Inventory & Barcoding", "Investment Tools",
          "Math & Scientific Tools", "Office Suites & Tools", "Other", "PIMS & Calendars",
          "Project Management"}},
        {"Communications",
         {"Chat & Instant Messaging", "Dial Up & Connection Tools", "E-Mail Clients",
          "E-Mail List Management", "Fax Tools", "Newsgroup Clients", "Other Comms Tools",
          "Other E-Mail Tools", "Pager Tools", "Telephony", "Web/Video Cams"}},
        {"Desktop",
         {"Clocks & Alarms", "Cursors & Fonts", "Icons", "Other", "Screen Savers: Other ",
          "Themes & Wallpaper"}},
        {"Development",
         {"Active X", "Basic, VB, VB DotNet", "C / C++ / C#", "Compilers & Interpreters",
          "Components & Libraries", "Debugging", "Delphi", "Help Tools", "Install & Setup",
          "Management & Distribution", "Other", "Source Editors"}},
        {"Education",
         {"Computer", "Dictionaries", "Geography", "Kids", "Languages", "Mathematics", "Other",
          "Reference Tools", "Science", "Teaching & Training Tools"}},
        {"Games & Entertainment",
         {"Action", "Adventure & Roleplay", "Arcade", "Board", "Card", "Casino & Gambling", "Kids",
          "Online Gaming", "Other", "Puzzle & Word Games", "Simulation", "Sports",
          "Strategy & War Games", "Tools & Editors"}},
        {"Graphic Apps",
         {"Animation Tools", "CAD", "Converters & Optimizers", "Editors", "Font Tools",
          "Gallery & Cataloging Tools", "Icon Tools", "Other", "Screen Capture", "Viewers"}},
        {"Home & Hobby",
         {"Astrology/Biorhythms/Mystic", "Astronomy", "Cataloging", "Food & Drink", "Genealogy",
          "Health & Nutrition", "Other", "Personal Finance", "Personal Interest", "Recreation",
          "Religion"}},
        {"Network & Internet",
         {"Ad Blockers", "Browser Tools", "Browsers", "Download Managers",
          "File Sharing/Peer to Peer", "FTP Clients", "Network Monitoring", "Other",
          "Remote Computing", "Search/Lookup Tools", "Terminal & Telnet Clients",
          "Timers & Time Synch", "Trace & Ping Tools"}},
        {"Security & Privacy",
         {"Access Control", "Anti-Spam & Anti-Spy Tools", "Anti-Virus Tools",
          "Covert Surveillance", "Encryption Tools", "Other", "Password Managers"}},
        {"Servers",
         {"Firewall & Proxy Servers", "FTP Servers", "Mail Servers", "News Servers",
          "Other Server Applications", "Telnet Servers", "Web Servers"}},
        {"System Utilities",
         {"Automation Tools", "Backup & Restore", "Benchmarking", "Clipboard Tools",
          "File & Disk Management", "File Compression", "Launchers & Task Managers", "Other",
          "Printer", "Registry Tools", "Shell Tools", "System Maintenance",
          "Text/Document Editors"}},
        {"Web Development",
         {"ASP & PHP", "E-Commerce", "Flash Tools", "HTML Tools", "Java & JavaScript",
          "Log Analysers", "Other", "Site Administration", "Wizards & Components",
          "XML/CSS Tools"}},
    };
    QStringList keys;
    for (const auto &[group, subs] : groups) {
        for (const QString &sub : subs)
            keys.append(group + "::" + sub);
    }
    return keys;
}

QStringList columnsAt(int position)
{
    return classItems().at(position - 1).split(Tab);
}

bool isWide(int position)
{
    return position >= FirstWidePosition && position <= LastWidePosition;
}

} // namespace

class TestCategoryTables : public QObject
{
    Q_OBJECT

private slots:
    void categoryListHoldsElevenItemsInOrder();
    void categoryIsChosenByValueRegardlessOfLetterCase_data();
    void categoryIsChosenByValueRegardlessOfLetterCase();

    void classTableHas147ClassesAnd13SeparatorsBetweenGroups();
    void everyRowHasTwelveColumnsOrThirteenOnPositions113To144();
    void classKeysFollowTheTableOrder();
    void tellingRowsAreExactlyAsWritten_data();
    void tellingRowsAreExactlyAsWritten();
    void twelveKeysHoldTwoAmpersands();
    void everyClassRowHasASiteCategoryName();
    void ninePageSourceNamesStandInColumnTwo();
    void onlyOneSiteNameBeginsWithABlank();
    void columnThirteenNamesOnlyTwoRows();
    void itemsFitTheCatalogueFile();

    void classIsChosenByTheFirstItemHoldingTheKey_data();
    void classIsChosenByTheFirstItemHoldingTheKey();
    void onlyDevelopmentOtherOccursInAnotherRow();

    void startupTabEndsEveryItem_data();
    void startupTabEndsEveryItem();
    void storedFieldsSplitAtTheFirstTab_data();
    void storedFieldsSplitAtTheFirstTab();
};

void TestCategoryTables::categoryListHoldsElevenItemsInOrder()
{
    QCOMPARE(categoryItems(),
             (QStringList{"Audio", "Business", "Development Tools", "Education", "Games",
                          "Graphics", "Home/Hobby", "Internet", "Miscellaneous", "Screen Savers",
                          "Utilities"}));
    // What older catalogues stored reads as the joined item.
    const QStringList stored{"Development", "tools", "Screen", "SAVERS", "Screen Savers", "Audio", "Tool"};
    QStringList read;
    for (const QString &s : stored)
        read << storedCategory(s);
    QCOMPARE(read, (QStringList{"Development Tools", "Development Tools", "Screen Savers", "Screen Savers",
                                "Screen Savers", "Audio", "Tool"}));
}

void TestCategoryTables::categoryIsChosenByValueRegardlessOfLetterCase_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("index");
    QTest::newRow("exact") << "Audio" << 0;
    QTest::newRow("lower case") << "home/hobby" << 6;
    QTest::newRow("upper case") << "UTILITIES" << 10;
    QTest::newRow("two words, one item") << "development tools" << 2;
    QTest::newRow("Screen Savers") << "Screen Savers" << 9;
    QTest::newRow("a half matches nothing") << "Savers" << -1;
    QTest::newRow("a leading blank matches nothing") << " Audio" << -1;
    QTest::newRow("a part matches nothing") << "Util" << -1;
    QTest::newRow("empty") << "" << -1;
}

void TestCategoryTables::categoryIsChosenByValueRegardlessOfLetterCase()
{
    QFETCH(QString, value);
    QFETCH(int, index);
    QCOMPARE(findCategoryItem(value), index);
}

void TestCategoryTables::classTableHas147ClassesAnd13SeparatorsBetweenGroups()
{
    const QStringList &items = classItems();
    QCOMPARE(items.size(), ClassRowCount);
    QList<int> separators;
    for (int i = 0; i < items.size(); ++i) {
        if (isSeparator(items.at(i)))
            separators.append(i + 1);
    }
    QCOMPARE(separators, (QList<int>{13, 25, 37, 44, 57, 68, 83, 94, 106, 120, 128, 136, 150}));
    QCOMPARE(items.size() - separators.size(), ClassCount);

    // Each separator closes one group: the rows on either side differ in main category.
    for (int position : separators) {
        const QString before = classKey(items.at(position - 2)).section("::", 0, 0);
        const QString after = classKey(items.at(position)).section("::", 0, 0);
        QVERIFY2(before != after, qPrintable(QString::number(position)));
    }
}

void TestCategoryTables::everyRowHasTwelveColumnsOrThirteenOnPositions113To144()
{
    for (int position = 1; position <= ClassRowCount; ++position) {
        const int expected = isWide(position) ? 13 : 12;
        QVERIFY2(columnsAt(position).size() == expected,
                 qPrintable(QStringLiteral("position %1 has %2 columns")
                                .arg(position)
                                .arg(columnsAt(position).size())));
    }
    QCOMPARE(classItems().at(119), QString(12, Tab));
    QCOMPARE(classItems().at(12), QString(11, Tab));
}

void TestCategoryTables::classKeysFollowTheTableOrder()
{
    QStringList keys;
    for (const QString &item : classItems()) {
        if (!isSeparator(item))
            keys.append(classKey(item));
    }
    QCOMPARE(keys, expectedKeys());
}

void TestCategoryTables::tellingRowsAreExactlyAsWritten_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QStringList>("columns");
    QTest::newRow("1") << 1
        << QStringList{"Audio & Multimedia::Audio Encoders/Decoders", "Encoders/Decoders",
                       "Audio Convertors", "Editors & Converters", "Rippers & Encoders",
                       "Sound Tools", "Audio & Sound Tools", "Encoders", "Music Management", "",
                       "", "Encoders"};
    QTest::newRow("8") << 8
        << QStringList{"Audio & Multimedia::Other", "\"Media &gt; Utilities\"", "Audio & Video",
                       "Multimedia Utilities", "Utilities & Plug-Ins", "Multimedia Tools",
                       "Misc Multimedia", "Media Management", "Utilities & Plugins",
                       "Sound Tools", "Multimedia", "Audio & Mp3"};
    QTest::newRow("13 separator") << 13 << QStringList(12, QString());
    QTest::newRow("42") << 42
        << QStringList{"Desktop::Screen Savers: Other ", "ScreenSavers", "Screensavers",
                       "Screen Savers", "", "", "", "", "", "", "", "Screensavers"};
    QTest::newRow("55") << 55
        << QStringList{"Development::Other", "\"Programming &gt; General\"",
                       "Other Programming Files", "Software Developer", "Development Misc.",
                       "Tools & Editors", "Misc. Dev. Tools", "Editors & Tools",
                       "Development/Miscellaneous", "Programming - General", "",
                       "Software Development"};
    QTest::newRow("69") << 69
        << QStringList{"Games & Entertainment::Action", "Arcade", "", "", "", "",
                       "Miscellaneous", "", "", "", "", "Action"};
    QTest::newRow("119") << 119
        << QStringList{"Network & Internet::Trace & Ping Tools", " Ping/Whois Tools",
                       "Misc. Networking Tools", "Internet Operations", "Internet / Connect",
                       "Management Tools", "Misc. Network", "Ping & Trace Tools",
                       "Tools & Utilities", "Internet/Utilities", "", "Webmaster Tools", ""};
    QTest::newRow("122") << 122
        << QStringList{"Security & Privacy::Anti-Spam & Anti-Spy Tools", "Anti-Spam",
                       "Anti-Spam Tools", "Spam Filters", "Spy Software", "Anti-Spyware Tools",
                       "Misc. Internet", "Security", "", "", "", "Anti-Spam",
                       "Anti-Spyware Tools"};
    QTest::newRow("157") << 157
        << QStringList{"Web Development::Other", "Web Authoring", "Web Design related",
                       "Web Developer", "Developer -- Other", "", "Webmaster Tools",
                       "Site Management", "Development tools", "Misc. Dev. Tools", "",
                       "Programming & Software"};
}

void TestCategoryTables::tellingRowsAreExactlyAsWritten()
{
    QFETCH(int, position);
    QFETCH(QStringList, columns);
    QCOMPARE(classItems().at(position - 1), columns.join(Tab));
}

void TestCategoryTables::twelveKeysHoldTwoAmpersands()
{
    QStringList twoAmpersands;
    for (const QString &item : classItems()) {
        if (classKey(item).count('&') == 2)
            twoAmpersands.append(classKey(item));
    }
    QCOMPARE(twoAmpersands,
             (QStringList{"Audio & Multimedia::Rippers & Converters",
                          "Games & Entertainment::Adventure & Roleplay",
                          "Games & Entertainment::Casino & Gambling",
                          "Games & Entertainment::Puzzle & Word Games",
                          "Games & Entertainment::Strategy & War Games",
                          "Games & Entertainment::Tools & Editors", "Home & Hobby::Food & Drink",
                          "Home & Hobby::Health & Nutrition",
                          "Network & Internet::Terminal & Telnet Clients",
                          "Network & Internet::Timers & Time Synch",
                          "Network & Internet::Trace & Ping Tools",
                          "Security & Privacy::Anti-Spam & Anti-Spy Tools"}));
}

void TestCategoryTables::everyClassRowHasASiteCategoryName()
{
    for (int position = 1; position <= ClassRowCount; ++position) {
        const QStringList names = columnsAt(position).mid(1);
        const bool anyName = std::any_of(names.begin(), names.end(),
                                         [](const QString &n) { return !n.trimmed().isEmpty(); });
        const bool separator = isSeparator(classItems().at(position - 1));
        QVERIFY2(anyName != separator, qPrintable(QString::number(position)));
        if (!separator)
            QVERIFY2(!columnsAt(position).first().isEmpty(), qPrintable(QString::number(position)));
    }
}

void TestCategoryTables::ninePageSourceNamesStandInColumnTwo()
{
    QList<int> positions;
    for (int position = 1; position <= ClassRowCount; ++position) {
        const QStringList columns = columnsAt(position);
        for (int c = 0; c < columns.size(); ++c) {
            const QString &name = columns.at(c);
            const bool pageSource = name.contains("&gt;") || name.contains('"');
            if (!pageSource)
                continue;
            QVERIFY2(c == 1, qPrintable(name));
            QVERIFY2(name.startsWith('"') && name.endsWith('"') && name.contains(" &gt; ")
                         && name.count('"') == 2 && !name.contains('>'),
                     qPrintable(name));
            positions.append(position);
        }
    }
    QCOMPARE(positions.size(), 9);
    QVERIFY(positions.contains(8));
    QVERIFY(positions.contains(55));
}

void TestCategoryTables::onlyOneSiteNameBeginsWithABlank()
{
    QStringList untrimmed;
    for (int position = 1; position <= ClassRowCount; ++position) {
        const QStringList names = columnsAt(position).mid(1);
        for (const QString &name : names) {
            if (name != name.trimmed())
                untrimmed.append(name);
        }
    }
    QCOMPARE(untrimmed, QStringList{" Ping/Whois Tools"});
}

void TestCategoryTables::columnThirteenNamesOnlyTwoRows()
{
    QMap<int, QString> named;
    for (int position = FirstWidePosition; position <= LastWidePosition; ++position) {
        const QString last = columnsAt(position).at(12);
        if (!last.isEmpty())
            named.insert(position, last);
    }
    QCOMPARE(named, (QMap<int, QString>{{122, "Anti-Spyware Tools"}, {141, "Disk Management"}}));
}

void TestCategoryTables::itemsFitTheCatalogueFile()
{
    // Field 93 carries the names into the catalogue, whose cells cannot hold
    // "|", line breaks or characters outside Windows-1252.
    for (const QString &item : classItems()) {
        QVERIFY2(Cp1252::canEncode(item), qPrintable(item));
        QVERIFY2(!item.contains('|') && !item.contains('\r') && !item.contains('\n'),
                 qPrintable(item));
    }
    for (const QString &item : categoryItems())
        QVERIFY(Cp1252::canEncode(item) && !item.contains('|'));
}

void TestCategoryTables::classIsChosenByTheFirstItemHoldingTheKey_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("position");
    QTest::newRow("empty key chooses nothing") << "" << 0;
    QTest::newRow("Development::Other chooses its own row") << "Development::Other" << 55;
    QTest::newRow("Web Development::Other") << "Web Development::Other" << 157;
    QTest::newRow("trailing blank belongs to the key") << "Desktop::Screen Savers: Other " << 42;
    QTest::newRow("first key of the table") << "Audio & Multimedia::Audio Encoders/Decoders" << 1;
    QTest::newRow("last key of the table") << "Web Development::XML/CSS Tools" << 160;
    QTest::newRow("a site name finds its row") << "Encoders" << 1;
    QTest::newRow("a name with a leading blank") << " Ping/Whois Tools" << 119;
    QTest::newRow("a column 13 name") << "Disk Management" << 141;
    QTest::newRow("letter case counts") << "development::other" << 0;
    QTest::newRow("unknown key") << "Audio & Multimedia::Karaoke" << 0;
}

void TestCategoryTables::classIsChosenByTheFirstItemHoldingTheKey()
{
    QFETCH(QString, key);
    QFETCH(int, position);
    QCOMPARE(findClassItem(classItems(), key), position - 1);
    QCOMPARE(findClassItem(withStartupTab(classItems()), key), position - 1);
}

void TestCategoryTables::onlyDevelopmentOtherOccursInAnotherRow()
{
    const QStringList &items = classItems();
    QStringList containedElsewhere;
    for (int i = 0; i < items.size(); ++i) {
        if (isSeparator(items.at(i)))
            continue;
        const QString key = classKey(items.at(i));
        QCOMPARE(findClassItem(items, key), i);
        for (int j = 0; j < items.size(); ++j) {
            if (j != i && items.at(j).contains(key))
                containedElsewhere.append(key + " in " + QString::number(j + 1));
        }
    }
    QCOMPARE(containedElsewhere, QStringList{"Development::Other in 157"});
}

void TestCategoryTables::startupTabEndsEveryItem_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("ending");
    QTest::newRow("1 ends with Encoders and one tab") << 1 << "\tEncoders\t";
    QTest::newRow("122 ends with Anti-Spyware Tools and one tab") << 122 << "\tAnti-Spyware Tools\t";
    QTest::newRow("113 ends with two tabs") << 113 << "\tNetwork Monitoring\t\t";
    QTest::newRow("separator 13 is twelve tabs") << 13 << QString(12, Tab);
    QTest::newRow("separator 120 is thirteen tabs") << 120 << QString(13, Tab);
}

void TestCategoryTables::startupTabEndsEveryItem()
{
    QFETCH(int, position);
    QFETCH(QString, ending);
    const QStringList items = withStartupTab(classItems());
    QVERIFY2(items.at(position - 1).endsWith(ending), qPrintable(items.at(position - 1)));
    for (int i = 0; i < items.size(); ++i)
        QCOMPARE(items.at(i), classItems().at(i) + Tab);
    // The fixed table itself keeps its items without the tab.
    QVERIFY(classItems().first().endsWith("\tEncoders"));
}

void TestCategoryTables::storedFieldsSplitAtTheFirstTab_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("field48");
    QTest::newRow("a class") << 55 << "Development::Other";
    QTest::newRow("key with a trailing blank") << 42 << "Desktop::Screen Savers: Other ";
    QTest::newRow("a separator stores no key") << 13 << "";
}

void TestCategoryTables::storedFieldsSplitAtTheFirstTab()
{
    QFETCH(int, position);
    QFETCH(QString, field48);
    const QString item = withStartupTab(classItems()).at(position - 1);
    const QString field93 = DerivedFields::field93(item);
    QCOMPARE(classKey(item), field48);
    QCOMPARE(field48 + field93, item);
    QVERIFY(field93.startsWith(Tab));
    QVERIFY(field93.endsWith(Tab));
}

QTEST_APPLESS_MAIN(TestCategoryTables)
#include "test_categorytables.moc"
