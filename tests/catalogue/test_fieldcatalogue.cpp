#include "catalogue/fieldcatalogue.h"

#include <algorithm>

#include <QSet>
#include <QTest>

class TestFieldCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void headerTextOfColumn_data();
    void headerTextOfColumn();
    void headerTextsAreGivenForEveryColumnAndOnlyThose();

    void editorPagesHoldTheirFieldsInTabOrder_data();
    void editorPagesHoldTheirFieldsInTabOrder();
    void everyEditorFieldIsOnExactlyOnePage();
    void pagesAreNamedAndCaptioned();

    void controlNamesAreUniqueAndMatchTheirKind();
    void fieldHasItsStoredFormAndLimit_data();
    void fieldHasItsStoredFormAndLimit();

    void softwareListShowsTenColumns();

    void pickListHasItsItemsInOrder_data();
    void pickListHasItsItemsInOrder();
    void countryListRepeatsExactlyTwoNames();
    void currencyCodesAreUniqueThreeLetterCodes();
    void osItemsCarryTheirSiteTokens_data();
    void osItemsCarryTheirSiteTokens();
    void exactlyFiveSystemsHaveNoTokens();

    void dropDownOfFieldHasItsItems_data();
    void dropDownOfFieldHasItsItems();
};

void TestFieldCatalogue::headerTextOfColumn_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("header");
    QTest::newRow("program name") << 0 << "Release Name : 0";
    QTest::newRow("caption with trailing blank") << 14 << "File Name Previous  : 14";
    QTest::newRow("city") << 29 << "Company City : 29";
    QTest::newRow("user licence") << 69 << "Permissions User License  : 69";
    QTest::newRow("PAD ring has no group") << 70 << " PAD Ring : 70";
    QTest::newRow("icon belongs to Web") << 74 << "Web Icon : 74";
    QTest::newRow("fax belongs to Support") << 75 << "Support Fax : 75";
    QTest::newRow("long name belongs to File") << 76 << "File Name Long : 76";
    QTest::newRow("unlock key has no group") << 88 << " Unlock key URL : 88";
    QTest::newRow("main ID has no group") << 89 << " Main ID used : 89";
    QTest::newRow("derived column") << 95 << " [col 95]";
    QTest::newRow("captioned column above 89") << 100 << " [col 100]";
}

void TestFieldCatalogue::headerTextOfColumn()
{
    QFETCH(int, column);
    QFETCH(QString, header);
    QCOMPARE(FieldCatalogue::headerText(column), header);
}

void TestFieldCatalogue::headerTextsAreGivenForEveryColumnAndOnlyThose()
{
    QSet<QString> seen;
    for (int n = 0; n < FieldCatalogue::FieldCount; ++n) {
        const QString header = FieldCatalogue::headerText(n);
        QVERIFY2(header.endsWith(QString::number(n)) || header.endsWith(QString::number(n) + ']'),
                 qPrintable(header));
        seen.insert(header);
    }
    QCOMPARE(seen.size(), FieldCatalogue::FieldCount);
    QVERIFY(FieldCatalogue::headerText(-1).isEmpty());
    QVERIFY(FieldCatalogue::headerText(105).isEmpty());
}

void TestFieldCatalogue::editorPagesHoldTheirFieldsInTabOrder_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QList<int>>("fields");
    QTest::newRow("Panel_1a") << 0
        << QList<int>{0, 1, 3, 2, 4, 5, 6, 7, 8, 10, 9, 11, 12, 13, 14, 15, 16, 17, 18, 19, 21, 20, 25, 24, 23, 22, 76};
    QTest::newRow("Panel_1b") << 1
        << QList<int>{26, 27, 28, 33, 29, 31, 30, 32, 37, 39, 40, 41, 38, 42, 45, 43, 44, 36, 34, 35, 75};
    QTest::newRow("Panel_1c") << 2 << QList<int>{46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 74};
    QTest::newRow("Panel_1d") << 3 << QList<int>{62, 58, 59, 60, 63, 61};
    QTest::newRow("Panel_1e") << 4 << QList<int>{64, 65, 66, 68, 67, 69};
    QTest::newRow("Panel_1f") << 5 << QList<int>{70, 80, 88, 100, 101};
    QTest::newRow("Panel_1g") << 6
        << QList<int>{71, 73, 72, 78, 84, 79, 83, 82, 81, 85, 86, 87, 77, 89, 90, 91, 102, 103};
}

void TestFieldCatalogue::editorPagesHoldTheirFieldsInTabOrder()
{
    QFETCH(int, page);
    QFETCH(QList<int>, fields);
    QCOMPARE(FieldCatalogue::pageFields(page), fields);
    for (int i = 0; i < fields.size(); ++i) {
        QCOMPARE(FieldCatalogue::field(fields[i]).page, page);
        QCOMPARE(FieldCatalogue::field(fields[i]).tabOrder, i);
    }
}

void TestFieldCatalogue::everyEditorFieldIsOnExactlyOnePage()
{
    QList<int> onPages;
    for (int page = 0; page < FieldCatalogue::PageCount; ++page)
        onPages += FieldCatalogue::pageFields(page);
    QVERIFY(FieldCatalogue::pageFields(-1).isEmpty());
    QVERIFY(FieldCatalogue::pageFields(FieldCatalogue::PageCount).isEmpty());

    for (int n = 0; n < FieldCatalogue::FieldCount; ++n) {
        const FieldInfo &info = FieldCatalogue::field(n);
        QCOMPARE(info.number, n);
        const bool editorField = info.kind != EditorKind::Reserved && info.kind != EditorKind::Derived
            && info.kind != EditorKind::Mark;
        QCOMPARE(onPages.count(n), editorField ? 1 : 0);
        QCOMPARE(info.control != nullptr, editorField);
        if (!editorField) {
            QCOMPARE(info.page, -1);
            QCOMPARE(info.tabOrder, -1);
        }
    }
    QCOMPARE(onPages.size(), 96);
}

void TestFieldCatalogue::pagesAreNamedAndCaptioned()
{
    const QStringList names = {"Panel_1a", "Panel_1b", "Panel_1c", "Panel_1d", "Panel_1e", "Panel_1f", "Panel_1g"};
    const QList<int> sectionCounts = {3, 4, 3, 1, 2, 2, 4};
    for (int page = 0; page < FieldCatalogue::PageCount; ++page) {
        QCOMPARE(FieldCatalogue::pageName(page), names[page]);
        QCOMPARE(FieldCatalogue::pageSections(page).size(), sectionCounts[page]);
    }
    QVERIFY(FieldCatalogue::pageName(7).isEmpty());
    QCOMPARE(FieldCatalogue::pageSections(0).first(), QStringLiteral("Program Information"));
    QCOMPARE(FieldCatalogue::pageSections(4).last(), QStringLiteral("Distribution_Permissions"));
    QCOMPARE(FieldCatalogue::pageSections(6).at(2),
             QStringLiteral("Main Vendor ID used   (some sites need this info)"));
}

void TestFieldCatalogue::controlNamesAreUniqueAndMatchTheirKind()
{
    QSet<QString> names;
    for (int n = 0; n < FieldCatalogue::FieldCount; ++n) {
        const FieldInfo &info = FieldCatalogue::field(n);
        if (!info.control)
            continue;
        const QString control = QString::fromLatin1(info.control);
        QVERIFY2(!names.contains(control), info.control);
        names.insert(control);

        QString prefix;
        switch (info.kind) {
        case EditorKind::Edit:
        case EditorKind::ReadOnlyEdit: prefix = "Edit_"; break;
        case EditorKind::Combo:
        case EditorKind::ClassCombo: prefix = "ComboBox_"; break;
        case EditorKind::Memo:
        case EditorKind::MemoLines: prefix = "Memo_"; break;
        case EditorKind::CheckBox:
        case EditorKind::CheckBoxYesNo: prefix = "CheckBox_"; break;
        case EditorKind::OsList:
        case EditorKind::LanguageList: prefix = "ListBox_"; break;
        default: QFAIL(info.control);
        }
        QVERIFY2(control.startsWith(prefix), info.control);
    }
    QCOMPARE(names.size(), 96);
}

void TestFieldCatalogue::fieldHasItsStoredFormAndLimit_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("pad");
    QTest::addColumn<int>("limit");
    QTest::newRow("program name") << 0 << int(EditorKind::Edit) << "Edit_program_name" << "Program_Name" << 0;
    QTest::newRow("changes") << 46 << int(EditorKind::Edit) << "Edit_changes" << "Program_Change_Info" << 300;
    QTest::newRow("class") << 48 << int(EditorKind::ClassCombo) << "ComboBox_class" << "Program_Category_Class" << 0;
    QTest::newRow("45 chars") << 59 << int(EditorKind::Edit) << "Edit_descript45" << "Char_Desc_45" << 45;
    QTest::newRow("2000 chars") << 63 << int(EditorKind::Memo) << "Memo_descript2000" << "Char_Desc_2000" << 2000;
    QTest::newRow("licence") << 69 << int(EditorKind::Memo) << "Memo_user_license" << "EULA" << 450;
    QTest::newRow("PAD ring keeps lines") << 70 << int(EditorKind::MemoLines) << "Memo_pad_ring" << "Padring" << 0;
    QTest::newRow("link back, no PAD element") << 80 << int(EditorKind::Edit) << "Edit_link_back" << "" << 300;
    QTest::newRow("main ID") << 89 << int(EditorKind::Combo) << "ComboBox_main_ID" << "" << 0;
    QTest::newRow("reserved") << 92 << int(EditorKind::Reserved) << "" << "" << 0;
    QTest::newRow("other limits") << 100 << int(EditorKind::Edit) << "Edit_other_limits" << "" << 300;
    QTest::newRow("affiliate") << 102 << int(EditorKind::CheckBoxYesNo) << "CheckBox_affiliate_sys" << "" << 0;
    QTest::newRow("mark") << 104 << int(EditorKind::Mark) << "" << "" << 0;
}

void TestFieldCatalogue::fieldHasItsStoredFormAndLimit()
{
    QFETCH(int, n);
    QFETCH(int, kind);
    QFETCH(QString, control);
    QFETCH(QString, pad);
    QFETCH(int, limit);
    const FieldInfo &info = FieldCatalogue::field(n);
    QCOMPARE(int(info.kind), kind);
    QCOMPARE(QString::fromLatin1(info.control), control);
    QCOMPARE(QString::fromLatin1(info.padElement), pad);
    QCOMPARE(info.limit, limit);
}

void TestFieldCatalogue::softwareListShowsTenColumns()
{
    const QList<int> shown = {0, 1, 2, 10, 15, 26, 36, 47, 54, 64};
    QCOMPARE(FieldCatalogue::visibleColumns(), shown);
    int visible = 0;
    for (int n = 0; n < FieldCatalogue::FieldCount; ++n)
        visible += FieldCatalogue::isVisibleColumn(n) ? 1 : 0;
    QCOMPARE(visible, 10);
    QVERIFY(!FieldCatalogue::isVisibleColumn(104));
}

void TestFieldCatalogue::pickListHasItsItemsInOrder_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("last");
    QTest::newRow("OS") << PickLists::osItems() << 34 << "Win 3.1x\t31" << "Win95\t95\tosnew[1]"
                        << "Not Applicable\tOther";
    QTest::newRow("languages") << PickLists::languages() << 26 << "Arabic" << "Czech" << "ChineseTraditional";
    QTest::newRow("currencies") << PickLists::currencies() << 164 << "" << "AED" << "ZWD";
    QTest::newRow("countries") << PickLists::countries() << 244 << "" << "United States of America"
                               << "Zimbabwe";
}

void TestFieldCatalogue::pickListHasItsItemsInOrder()
{
    QFETCH(QStringList, items);
    QFETCH(int, count);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, last);
    QCOMPARE(items.size(), count);
    QCOMPARE(items.first(), first);
    QCOMPARE(items.at(1), second);
    QCOMPARE(items.last(), last);
    for (const QString &item : items) {
        QCOMPARE(item.trimmed(), item); // no stray blanks from the transcription
        QVERIFY2(!item.contains('"'), qPrintable(item));
    }
}

void TestFieldCatalogue::countryListRepeatsExactlyTwoNames()
{
    const QStringList &countries = PickLists::countries();
    QStringList repeated;
    QSet<QString> seen;
    for (const QString &name : countries) {
        if (seen.contains(name))
            repeated.append(name);
        seen.insert(name);
    }
    QCOMPARE(repeated, (QStringList{"Czech Republic", "Anguilla"}));
    QCOMPARE(countries.indexOf("Czech Republic"), 50);
    QCOMPARE(countries.lastIndexOf("Czech Republic"), 55);
    QCOMPARE(countries.indexOf("Anguilla"), 6);
    QCOMPARE(countries.lastIndexOf("Anguilla"), 118);
    QCOMPARE(countries.count(QString()), 1);
    QVERIFY(countries.contains("Ivory Coast (Cote D'Ivoire)"));
    QVERIFY(countries.contains("S. Georgia & S. Sandwich Isls."));
}

void TestFieldCatalogue::currencyCodesAreUniqueThreeLetterCodes()
{
    const QStringList &currencies = PickLists::currencies();
    QCOMPARE(QSet<QString>(currencies.begin(), currencies.end()).size(), currencies.size());
    for (qsizetype i = 1; i < currencies.size(); ++i) {
        QCOMPARE(currencies[i].size(), 3);
        QCOMPARE(currencies[i].toUpper(), currencies[i]);
    }
    // Not quite alphabetical where the source list is not: CZK before CUP.
    QCOMPARE(currencies.indexOf("CZK") + 1, currencies.indexOf("CUP"));
}

void TestFieldCatalogue::osItemsCarryTheirSiteTokens_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("tokens");
    QTest::newRow("two tokens") << "WinXP" << "XP\tosnew[5]";
    QTest::newRow("three tokens") << "WinNT 4.x" << "nt4\tosnew[3]\tNT";
    QTest::newRow("four tokens") << "Windows2003" << "2003\tosnew[6]\t2k3\t2k";
    QTest::newRow("shared group") << "Linux Open Source" << "Unix\tosnew[8]";
    QTest::newRow("one token") << "Mac OS X" << "MAC";
    QTest::newRow("no tokens") << "MS-DOS" << "";
    QTest::newRow("no tokens, last but one") << "Java" << "";
}

void TestFieldCatalogue::osItemsCarryTheirSiteTokens()
{
    QFETCH(QString, name);
    QFETCH(QString, tokens);
    const QStringList &items = PickLists::osItems();
    const auto found = std::find_if(items.begin(), items.end(),
                                    [&](const QString &item) { return PickLists::osName(item) == name; });
    QVERIFY(found != items.end());
    QCOMPARE(*found, tokens.isEmpty() ? name : name + '\t' + tokens);
    QCOMPARE(std::count_if(items.begin(), items.end(),
                           [&](const QString &item) { return PickLists::osName(item) == name; }), 1);
}

void TestFieldCatalogue::exactlyFiveSystemsHaveNoTokens()
{
    QStringList tokenless;
    for (const QString &item : PickLists::osItems())
        if (!item.contains('\t'))
            tokenless.append(item);
    QCOMPARE(tokenless, (QStringList{"MS-DOS", "Pocket PC", "Netware", "BEOS", "Java"}));
}

void TestFieldCatalogue::dropDownOfFieldHasItsItems_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("release type") << 2
        << QStringList{"Shareware", "Freeware", "Adware", "Demo", "Commercial", "Data Only"};
    QTest::newRow("install support") << 9
        << QStringList{"Install and Uninstall", "Install Only", "No Install Support", "Uninstall Only"};
    QTest::newRow("release status") << 10
        << QStringList{"Major Update", "Minor Update", "New Release", "Beta", "Alpha", "Media Only"};
    QTest::newRow("expires") << 19 << QStringList{"Y", "N"};
    QTest::newRow("expire base") << 20 << QStringList{"Days", "Uses", "Either"};
    QTest::newRow("main ID, with a way back to none") << 89
        << QStringList{"", "RegNow", "RegSoft", "ShareIt", "eSellerate", "DigiBuy", "SwReg", "eMetrix"};
    QTest::newRow("currency") << 8 << PickLists::currencies();
    QTest::newRow("country") << 31 << PickLists::countries();
    QTest::newRow("category comes from the category tables") << 47 << QStringList();
    QTest::newRow("class comes from the category tables") << 48 << QStringList();
    QTest::newRow("text box") << 0 << QStringList();
}

void TestFieldCatalogue::dropDownOfFieldHasItsItems()
{
    QFETCH(int, n);
    QFETCH(QStringList, items);
    QCOMPARE(FieldCatalogue::comboItems(n), items);
}

QTEST_APPLESS_MAIN(TestFieldCatalogue)
#include "test_fieldcatalogue.moc"
