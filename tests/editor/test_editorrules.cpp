#include "editor/editorvalues.h"
#include "editor/softwaresave.h"
#include "support/records.h"

#include <QTest>

namespace {

QStringList osNames(const QStringList &items)
{
    QStringList names;
    for (const QString &item : items)
        names.append(PickLists::osName(item));
    return names;
}

} // namespace

class TestEditorRules : public QObject
{
    Q_OBJECT

private slots:
    void dropDownsLoadTheItemEqualLetterCaseAside_data();
    void dropDownsLoadTheItemEqualLetterCaseAside();
    void osFieldSelectsExactNamesOnly_data();
    void osFieldSelectsExactNamesOnly();
    void languagesLoadTrimmedLetterCaseAside_data();
    void languagesLoadTrimmedLetterCaseAside();
    void checkBoxesLoadByTheirStoredForms_data();
    void checkBoxesLoadByTheirStoredForms();
    void classKeyChoosesTheFirstItemHoldingIt_data();
    void classKeyChoosesTheFirstItemHoldingIt();
    void storedRecordLoadsBackToTheSameValues();
    void storeWritesStoredFormsAndLeavesTheMark();
    void shortRecordLoadsWithEmptyFields();
    void everyCheckFailsAloneFromPassingValues_data();
    void everyCheckFailsAloneFromPassingValues();
    void fillsCopyShorterDescriptionsAndContacts();
    void sharewareIdChecksLookAtUntrimmedBoxes_data();
    void sharewareIdChecksLookAtUntrimmedBoxes();
    void mainIdChoiceNamesItsBoxes_data();
    void mainIdChoiceNamesItsBoxes();
    void unstorableValueIsNamedByItsCaption_data();
    void unstorableValueIsNamedByItsCaption();
    void exampleContentsPassTheRefusalAndUsePlaceholderSites();
};

void TestEditorRules::dropDownsLoadTheItemEqualLetterCaseAside_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("loaded");
    QTest::newRow("freeware in lower case") << 2 << "freeware" << "Freeware";
    QTest::newRow("type not in the list") << 2 << "Trialware" << "";
    QTest::newRow("currency code") << 8 << "eur" << "EUR";
    QTest::newRow("country") << 31 << "PORTUGAL" << "Portugal";
    QTest::newRow("category from the category list") << 47 << "utilities" << "Utilities";
    QTest::newRow("category Development Tools") << 47 << "Development Tools" << "Development Tools";
    QTest::newRow("a category half an older catalogue stored") << 47 << "Savers" << "Screen Savers";
    QTest::newRow("expiry flag") << 19 << "y" << "Y";
    QTest::newRow("main ID") << 89 << "esellerate" << "eSellerate";
}

void TestEditorRules::dropDownsLoadTheItemEqualLetterCaseAside()
{
    QFETCH(int, field);
    QFETCH(QString, stored);
    QFETCH(QString, loaded);
    QCOMPARE(EditorRules::fromRecord(recordWith({{field, stored}})).text(field), loaded);
}

void TestEditorRules::osFieldSelectsExactNamesOnly_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("selected");
    QTest::newRow("names after commas lose their leading blanks")
        << "Win95, WinXP,  Linux" << QStringList{"Win95", "WinXP", "Linux"};
    QTest::newRow("a misspelt variant selects nothing") << "Win95,Win 95" << QStringList{"Win95"};
    QTest::newRow("letter case counts") << "win95,WINXP" << QStringList{};
    QTest::newRow("selection follows the list order") << "Java,Win98" << QStringList{"Win98", "Java"};
    QTest::newRow("empty") << "" << QStringList{};
}

void TestEditorRules::osFieldSelectsExactNamesOnly()
{
    QFETCH(QString, stored);
    QFETCH(QStringList, selected);
    const EditorValues v = EditorRules::fromRecord(recordWith({{11, stored}}));
    QCOMPARE(osNames(v.selectedOs), selected);
    for (const QString &item : v.selectedOs)
        QVERIFY2(item.endsWith('\t'), "OS items keep their start-up tab");
}

void TestEditorRules::languagesLoadTrimmedLetterCaseAside_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("selected");
    QTest::newRow("Arabic, the first item, and English") << "english, Arabic "
                                                          << QStringList{"Arabic", "English"};
    QTest::newRow("a value naming no item") << "Klingon" << QStringList{};
    QTest::newRow("a single language without a comma") << "German" << QStringList{"German"};
}

void TestEditorRules::languagesLoadTrimmedLetterCaseAside()
{
    QFETCH(QString, stored);
    QFETCH(QStringList, selected);
    QCOMPARE(EditorRules::fromRecord(recordWith({{12, stored}})).selectedLanguages, selected);
}

void TestEditorRules::checkBoxesLoadByTheirStoredForms_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("loaded");
    QTest::newRow("java 1") << 51 << "1" << "1";
    QTest::newRow("java 0") << 51 << "0" << "0";
    QTest::newRow("vb any non-zero number") << 52 << "7" << "1";
    QTest::newRow("directx not a number loads unticked") << 53 << "yes" << "0";
    QTest::newRow("java empty loads unticked") << 51 << "" << "0";
    QTest::newRow("adult empty") << 101 << "" << "0";
    QTest::newRow("adult 1") << 101 << " 1 " << "1";
    QTest::newRow("adult not a number") << 101 << "x" << "0";
    QTest::newRow("affiliate Yes") << 102 << "Yes" << "Yes";
    QTest::newRow("affiliate yes in lower case") << 102 << "yes" << "No";
}

void TestEditorRules::checkBoxesLoadByTheirStoredForms()
{
    QFETCH(int, field);
    QFETCH(QString, stored);
    QFETCH(QString, loaded);
    const QStringList record = recordWith({{0, "Name"}, {field, stored}, {54, "kept"}});
    const EditorValues v = EditorRules::fromRecord(record);
    QCOMPARE(v.text(field), loaded);
    // The fields after it load as well.
    QCOMPARE(v.text(54), QStringLiteral("kept"));
}

void TestEditorRules::classKeyChoosesTheFirstItemHoldingIt_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("index");
    QTest::newRow("Development::Other is its own row, not the web one")
        << "Development::Other" << 54;
    QTest::newRow("a site category name finds its row") << "Encoders" << 0;
    QTest::newRow("key with its trailing blank") << "Desktop::Screen Savers: Other " << 41;
    QTest::newRow("letter case counts") << "development::other" << -1;
    QTest::newRow("no item holds it: no class") << "Nothing::Here" << -1;
    QTest::newRow("empty: no class") << "" << -1;
}

void TestEditorRules::classKeyChoosesTheFirstItemHoldingIt()
{
    QFETCH(QString, key);
    QFETCH(int, index);
    const EditorValues v = EditorRules::fromRecord(recordWith({{48, key}}));
    QCOMPARE(v.classItem, index < 0 ? QString() : EditorRules::classItems().at(index));
}

void TestEditorRules::storedRecordLoadsBackToTheSameValues()
{
    const EditorValues original = passingValues();
    QStringList record(FieldCatalogue::FieldCount);
    EditorRules::storeInto(record, original);
    QCOMPARE(EditorRules::fromRecord(record), original);
}

void TestEditorRules::storeWritesStoredFormsAndLeavesTheMark()
{
    EditorValues v = passingValues();
    v.fields[61] = "line one\r\nline two\nthree";
    v.fields[70] = "a.xml\nb.xml";
    QStringList record(FieldCatalogue::FieldCount);
    record[104] = "x";
    record[92] = "old";
    EditorRules::storeInto(record, v);
    QCOMPARE(record.size(), FieldCatalogue::FieldCount);
    QCOMPARE(record[11], QStringLiteral("Win95,Win98,Linux Gnome"));
    QCOMPARE(record[12], QStringLiteral("English,German"));
    QCOMPARE(record[48], QStringLiteral("Audio & Multimedia::Audio Encoders/Decoders"));
    QVERIFY(record[93].startsWith('\t') && record[93].endsWith("Encoders\t"));
    QCOMPARE(record[94], QStringLiteral("\t95\tosnew[1]\t98\tosnew[1]\tUnix\tosnew[8]\t"));
    QCOMPARE(record[61], QStringLiteral("line one line two three"));
    QCOMPARE(record[70], QStringLiteral("a.xml\r\nb.xml"));
    QCOMPARE(record[92], QString());
    QCOMPARE(record[96], QStringLiteral("30 Days or 40 uses"));
    QCOMPARE(record[98], QStringLiteral("05/11/2005"));
    QCOMPARE(record[102], QStringLiteral("Yes"));
    QCOMPARE(record[104], QStringLiteral("x"));
}

void TestEditorRules::shortRecordLoadsWithEmptyFields()
{
    // A catalogue record with fewer cells than the table: the rest reads as empty.
    const EditorValues v = EditorRules::fromRecord(QStringList{"Short", "1.0", "freeware"});
    QCOMPARE(v.text(0), QStringLiteral("Short"));
    QCOMPARE(v.text(2), QStringLiteral("Freeware"));
    QCOMPARE(v.text(103), QString());
    QCOMPARE(v.text(51), QStringLiteral("0"));
    QVERIFY(v.classItem.isEmpty());
}

void TestEditorRules::everyCheckFailsAloneFromPassingValues_data()
{
    QTest::addColumn<QList<int>>("blanked");
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("check");
    QTest::newRow("1 version") << QList<int>{1} << "Shareware" << 1;
    QTest::newRow("1 no OS") << QList<int>{11} << "Shareware" << 1;
    QTest::newRow("1 no language") << QList<int>{12} << "Shareware" << 1;
    QTest::newRow("2 neither versioned nor generic name") << QList<int>{13, 15} << "Shareware" << 2;
    QTest::newRow("3 kilobytes") << QList<int>{17} << "Shareware" << 3;
    QTest::newRow("4 company") << QList<int>{26} << "Shareware" << 4;
    QTest::newRow("5 company site") << QList<int>{33} << "Shareware" << 5;
    QTest::newRow("6 contact e-mail") << QList<int>{39} << "Shareware" << 6;
    QTest::newRow("6 both contact names") << QList<int>{37, 38} << "Shareware" << 6;
    QTest::newRow("7 class") << QList<int>{48} << "Shareware" << 7;
    QTest::newRow("7 category") << QList<int>{47} << "Shareware" << 7;
    QTest::newRow("8 info page") << QList<int>{54} << "Shareware" << 8;
    QTest::newRow("9 order page for adware") << QList<int>{55} << "Adware" << 9;
    QTest::newRow("10 PAD file") << QList<int>{57} << "Shareware" << 10;
    QTest::newRow("11 no short description") << QList<int>{59, 60, 61} << "Shareware" << 11;
    QTest::newRow("12 primary download") << QList<int>{64} << "Shareware" << 12;
    QTest::newRow("13 link back") << QList<int>{80} << "Shareware" << 13;
    QTest::newRow("14 expiry count") << QList<int>{21} << "Shareware" << 14;
    QTest::newRow("14 expiry basis") << QList<int>{20} << "Shareware" << 14;
    QTest::newRow("15 unlock page for commercial") << QList<int>{88} << "Commercial" << 15;
}

void TestEditorRules::everyCheckFailsAloneFromPassingValues()
{
    QFETCH(QList<int>, blanked);
    QFETCH(QString, type);
    QFETCH(int, check);
    EditorValues v = passingValues();
    QVERIFY(SoftwareSave::failedChecks(v).isEmpty());
    v.fields[2] = type;
    for (int n : blanked) {
        if (n == 11)
            v.selectedOs.clear();
        else if (n == 12)
            v.selectedLanguages.clear();
        else if (n == 48)
            v.classItem = EditorRules::classItems().at(12); // a separator row: tabs only
        else
            v.fields[n] = "  ";
    }
    QCOMPARE(SoftwareSave::failedChecks(v), QList<int>{check});
}

void TestEditorRules::fillsCopyShorterDescriptionsAndContacts()
{
    EditorValues v;
    v.fields[59] = "Only the short one";
    v.fields[37] = "Rui";
    v.fields[39] = "rui@kelvane.example";
    v.fields[36] = "ana@kelvane.example";
    QVERIFY(SoftwareSave::applyFills(v));
    for (int n : {60, 61, 62, 63})
        QCOMPARE(v.text(n), QStringLiteral("Only the short one"));
    QCOMPARE(v.text(19), QStringLiteral("N"));
    QCOMPARE(v.text(34), QStringLiteral("Rui"));
    // Not empty: stays.
    QCOMPARE(v.text(36), QStringLiteral("ana@kelvane.example"));
    QCOMPARE(v.text(42), QStringLiteral("rui@kelvane.example"));
    QVERIFY(!SoftwareSave::applyFills(v));

    EditorValues contact;
    contact.fields[35] = "Silva";
    contact.fields[36] = "ana@kelvane.example";
    QVERIFY(SoftwareSave::fillContactFromAuthor(contact));
    QCOMPARE(contact.text(38), QStringLiteral("Silva"));
    QCOMPARE(contact.text(39), QStringLiteral("ana@kelvane.example"));
    // A contact with only a last name and an e-mail passes check 6.
    QVERIFY(!SoftwareSave::failedChecks(contact).contains(6));
}

void TestEditorRules::sharewareIdChecksLookAtUntrimmedBoxes_data()
{
    QTest::addColumn<int>("idField");
    QTest::addColumn<QString>("idText");
    QTest::addColumn<QString>("mainId");
    QTest::addColumn<QString>("mainProduct");
    QTest::addColumn<int>("warnings");
    QTest::newRow("an ID without a main choice") << 84 << "V9" << "" << "" << 1;
    QTest::newRow("a lone blank counts as an ID") << 77 << " " << "" << "" << 1;
    QTest::newRow("a main choice without a product ID") << 71 << "" << "SwReg" << "" << 1;
    QTest::newRow("both") << 81 << "P1" << "" << "" << 1;
    QTest::newRow("choice and product ID") << 81 << "P1" << "RegNow" << "P1" << 0;
    QTest::newRow("nothing at all") << 71 << "" << "" << "" << 0;
}

void TestEditorRules::sharewareIdChecksLookAtUntrimmedBoxes()
{
    QFETCH(int, idField);
    QFETCH(QString, idText);
    QFETCH(QString, mainId);
    QFETCH(QString, mainProduct);
    QFETCH(int, warnings);
    EditorValues v;
    v.fields[idField] = idText;
    v.fields[89] = mainId;
    v.fields[90] = mainProduct;
    QCOMPARE(SoftwareSave::sharewareIdWarnings(v).size(), warnings);
}

void TestEditorRules::mainIdChoiceNamesItsBoxes_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<int>("product");
    QTest::addColumn<int>("vendor");
    QTest::newRow("RegNow") << "RegNow" << 81 << 71;
    QTest::newRow("RegSoft") << "RegSoft" << 82 << 73;
    QTest::newRow("ShareIt") << "ShareIt" << 83 << 72;
    QTest::newRow("eSellerate has no vendor") << "eSellerate" << 77 << -1;
    QTest::newRow("DigiBuy") << "DigiBuy" << 86 << 79;
    QTest::newRow("SwReg") << "SwReg" << 87 << 84;
    QTest::newRow("eMetrix") << "eMetrix" << 85 << 78;
    QTest::newRow("none") << "" << -1 << -1;
}

void TestEditorRules::mainIdChoiceNamesItsBoxes()
{
    QFETCH(QString, choice);
    QFETCH(int, product);
    QFETCH(int, vendor);
    const EditorRules::MainIdSources sources = EditorRules::mainIdSources(choice);
    QCOMPARE(sources.productField, product);
    QCOMPARE(sources.vendorField, vendor);
}

void TestEditorRules::unstorableValueIsNamedByItsCaption_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("named");
    QTest::newRow("bar in the name") << 0 << "A|B" << "\"Name\" (Program name)";
    QTest::newRow("character outside Windows-1252") << 26 << QString::fromUtf8("K\u0142 Tools")
                                                    << "\"Company\" (Company name)";
    QTest::newRow("line break in a one-line field") << 54 << "http://a\nb" << "\"Info URL\"";
    QTest::newRow("bar in a description box") << 63 << "x|y" << "\"2000 chars\"";
}

void TestEditorRules::unstorableValueIsNamedByItsCaption()
{
    QFETCH(int, field);
    QFETCH(QString, value);
    QFETCH(QString, named);
    EditorValues v = passingValues();
    QCOMPARE(EditorRules::firstUnstorable(v).field, -1);
    v.fields[field] = value;
    const EditorRules::Unstorable found = EditorRules::firstUnstorable(v);
    QCOMPARE(found.field, field);
    QVERIFY2(found.message.contains(named), qPrintable(found.message));
}

void TestEditorRules::exampleContentsPassTheRefusalAndUsePlaceholderSites()
{
    const EditorValues v = EditorRules::exampleContents();
    QCOMPARE(EditorRules::firstUnstorable(v).field, -1);
    QCOMPARE(v.text(0), QStringLiteral("Program name (to delete - just example)"));
    QCOMPARE(v.text(63), QStringLiteral("description\n\n2000 chars"));
    for (int n : {33, 36, 39, 40, 41, 42, 54, 55, 56, 57, 64, 65, 74, 80, 88})
        QVERIFY2(v.text(n).contains(".example"), qPrintable(QString::number(n)));
    QCOMPARE(v.text(70).count(".example/"), 3);
    QVERIFY(v.selectedOs.isEmpty() && v.selectedLanguages.isEmpty() && v.classItem.isEmpty());
}

QTEST_GUILESS_MAIN(TestEditorRules)
#include "test_editorrules.moc"
