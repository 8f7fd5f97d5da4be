#include "pad/padcheck.h"
#include "pad/padexport.h"
#include "support/validpadrecord.h"

#include <QTest>

class TestPadCheck : public QObject
{
    Q_OBJECT

private slots:
    void everyRuleOfTheTableIsRead()
    {
        // 69 rows, one of them the signature, which is never checked.
        QCOMPARE(PadCheck::ruleCount(), 68);
    }

    void aValidRecordKeepsEveryRule()
    {
        const QList<PadCheck::Violation> found = PadCheck::check(validPadRecord());
        QVERIFY2(found.isEmpty(), qPrintable(PadCheck::listText(found)));
    }

    void everyRuleReachesItsElement()
    {
        // No value keeps a rule when it holds "<" and a tab; only the three
        // fixed texts of the program's own lines pass.
        QStringList record(FieldCatalogue::FieldCount, QStringLiteral("x<\t"));
        QCOMPARE(PadCheck::check(record).size(), 68 - 3);
    }

    void anEmptyRecordBreaksTheRulesOfTheRequiredElements()
    {
        QStringList elements;
        for (const PadCheck::Violation &v : PadCheck::check(QStringList()))
            elements.append(v.element);
        const QStringList required = QStringLiteral(
            "Company_Name City_Town Country Company_WebSite_URL Author_First_Name Author_Last_Name "
            "Author_Email Contact_First_Name Contact_Last_Name Contact_Email Sales_Email Support_Email "
            "General_Email Program_Name Program_Version Program_Release_Month Program_Release_Day "
            "Program_Release_Year Program_Type Program_Release_Status Program_Install_Support "
            "Program_OS_Support Program_Language File_Size_Bytes File_Size_K File_Size_MB "
            "Has_Expire_Info Program_Category_Class Application_Info_URL Application_Screenshot_URL "
            "Application_Icon_URL Application_XML_File_URL Primary_Download_URL").split(QLatin1Char(' '));
        QCOMPARE(elements, required);
    }

    void eachRuleKind_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("element"); // "" when the value passes
        QTest::addColumn<QString>("rule");

        const QString text240 = QStringLiteral("Text string 2-40 characters");
        const QString month = QStringLiteral("2 digits 01-12");
        const QString email = QStringLiteral("Email address 2-30@2-63.2-20 characters");
        const QString phone = QStringLiteral("Numeric with punctuations (allowed: #*()-/_) 7-40 characters");
        const QString shot = QStringLiteral("URL http:// + 2-120 characters with extension gif, jpg, or png");
        const QString oneLine45 =
            QStringLiteral("Single line (no breaks, no HTML) text string 0-45 characters");
        const QString multi2000 = QStringLiteral("Multiple lines (no HTML) text string 0-2000 characters");
        struct Row { const char *name; int field; QString value; const char *element; QString rule; };
        const Row rows[] = {
            {"company 2 chars", Field::CompanyName, QStringLiteral("TS"), "", {}},
            {"company 1 char", Field::CompanyName, QStringLiteral("T"), "Company_Name", text240},
            {"company 41 chars", Field::CompanyName, QString(41, QLatin1Char('c')), "Company_Name", text240},
            {"desc45 45 chars", Field::Desc45, QString(45, QLatin1Char('d')), "", {}},
            {"desc45 46 chars", Field::Desc45, QString(46, QLatin1Char('d')), "Char_Desc_45", oneLine45},
            {"month 05", Field::ReleaseMonth, QStringLiteral("05"), "", {}},
            {"month 5", Field::ReleaseMonth, QStringLiteral("5"), "Program_Release_Month", month},
            {"month 13", Field::ReleaseMonth, QStringLiteral("13"), "Program_Release_Month", month},
            {"day 31", Field::ReleaseDay, QStringLiteral("31"), "", {}},
            {"day 32", Field::ReleaseDay, QStringLiteral("32"), "Program_Release_Day",
             QStringLiteral("2 digits 01-31")},
            {"year 26", Field::ReleaseYear, QStringLiteral("26"), "Program_Release_Year",
             QStringLiteral("4 digits 1900-2199")},
            {"expiry month 7", Field::ExpiryMonth, QStringLiteral("7"), "Expire_Month",
             QStringLiteral("Numeric 2 digits")},
            {"email without dot", Field::SupportEmail, QStringLiteral("help@tarnowel"), "Support_Email", email},
            {"phone with letters", Field::SupportPhone, QStringLiteral("555-0100 ext 7"), "Support_Phone", phone},
            {"phone too short", Field::Fax, QStringLiteral("555-01"), "Fax_Phone", phone},
            {"info url https", Field::InfoUrl, QStringLiteral("https://www.tarnowel.example/a"), "", {}},
            {"info url ftp", Field::InfoUrl, QStringLiteral("ftp://www.tarnowel.example/a"),
             "Application_Info_URL", QStringLiteral("URL http:// + 2-120 characters")},
            {"screenshot jpeg", Field::ScreenshotUrl, QStringLiteral("http://tarnowel.example/a.jpeg"),
             "Application_Screenshot_URL", shot},
            {"download pdf", Field::PrimaryDownloadUrl, QStringLiteral("http://tarnowel.example/a.pdf"),
             "Primary_Download_URL",
             QStringLiteral("URL ftp or http:// + 2-120 characters with extension exe, zip, or other")},
            {"os list blanks", Field::OsSupport, QStringLiteral("Linux, Mac OS X"), "", {}},
            {"os unknown", Field::OsSupport, QStringLiteral("WinXP,Windows 11"), "Program_OS_Support",
             QStringLiteral("Operating system ids, must be selected from list. As of PAD 3.10 May 1, 2009, "
                            "many terms have been deprecated.  You may still be able to use these terms even "
                            "though they are not included in the current PAD Spec.  This validator test only "
                            "against the current spec.")},
            {"language unknown", Field::Languages, QStringLiteral("English,Klingon"), "Program_Language",
             QStringLiteral("Language identifiers, must be selected from list")},
            {"type trialware", Field::ReleaseType, QStringLiteral("Trialware"), "Program_Type",
             QStringLiteral("Program type identifier, must be selected from list")},
            {"status lower case", Field::ReleaseStatus, QStringLiteral("beta"), "Program_Release_Status",
             QStringLiteral("Release status identifier, must be selected from list")},
            {"install none", Field::InstallSupport, QStringLiteral("None"), "Program_Install_Support",
             QStringLiteral("Install support identifier, must be selected from list")},
            {"category toys", Field::Category, QStringLiteral("Toys"), "Program_Specific_Category",
             QStringLiteral("Category identifier, must be selected from list")},
            {"class half", Field::CategoryClass, QStringLiteral("Audio & Multimedia::Rippers"),
             "Program_Category_Class", QStringLiteral("Category class identifier, must be selected from list")},
            {"class with c++", Field::CategoryClass, QStringLiteral("Development::C / C++ / C#"), "", {}},
            // What the standard's table predates or misspells, and our editor offers.
            {"https company site", Field::CompanyWebSite, QStringLiteral("https://www.tarnowel.example"), "", {}},
            {"https screenshot", Field::ScreenshotUrl, QStringLiteral("https://www.tarnowel.example/a.png"), "", {}},
            {"https download", Field::PrimaryDownloadUrl, QStringLiteral("https://dl.tarnowel.example/a.zip"), "", {}},
            {"an https address still needs its extension", Field::ScreenshotUrl,
             QStringLiteral("https://www.tarnowel.example/a.bmp"), "Application_Screenshot_URL", shot},
            {"systems our editor offers", Field::OsSupport,
             QStringLiteral("Win 3.1x,Win95,WinME,WinNT 4.x,Windows2000,Windows2003,Windows CE,Mac 68k,Mac PPC,"
                            "Palm OS 3.0,BEOS"), "", {}},
            {"a class key the standard spells without a blank", Field::CategoryClass,
             QStringLiteral("Home & Hobby::Astronomy"), "", {}},
            {"our class key with its trailing blank", Field::CategoryClass,
             QStringLiteral("Desktop::Screen Savers: Other "), "", {}},
            {"category of two words", Field::Category, QStringLiteral("Development Tools"), "", {}},
            {"desc2000 html", Field::Desc2000, QStringLiteral("Fast <b>and</b> small"), "Char_Desc_2000", multi2000},
            {"desc2000 2001 chars", Field::Desc2000, QString(2001, QLatin1Char('x')), "Char_Desc_2000", multi2000},
            {"expire flag yes", Field::HasExpiry, QStringLiteral("Yes"), "Has_Expire_Info",
             QStringLiteral("Y, y, N, or n")},
            {"version with blank", Field::ProgramVersion, QStringLiteral("2.1 beta"), "Program_Version",
             QStringLiteral("Alphanumeric with punctuations (allowed: ._-) 1-15 characters")},
            {"address with ampersand", Field::Address1, QStringLiteral("Mill & Sons"), "Address_1",
             QStringLiteral("Text string 0-40 characters")},
        };
        for (const Row &r : rows)
            QTest::newRow(r.name) << r.field << r.value << QString::fromLatin1(r.element) << r.rule;
    }

    void eachRuleKind()
    {
        QFETCH(int, field);
        QFETCH(QString, value);
        QFETCH(QString, element);
        QFETCH(QString, rule);
        QStringList record = validPadRecord();
        record[field] = value;
        QStringList found;
        for (const PadCheck::Violation &v : PadCheck::check(record))
            found << QString::number(v.field) << v.element << v.rule << v.value;
        const QStringList expected = element.isEmpty()
            ? QStringList()
            : QStringList{QString::number(field), element, rule, value};
        QCOMPARE(found, expected);
    }

    void theListNamesFieldRuleAndValue()
    {
        QStringList record = validPadRecord();
        record[Field::ReleaseMonth] = QStringLiteral("5");
        record[Field::Desc2000] = QString(60, QLatin1Char('x')) + QStringLiteral("<");
        const QString expected = QStringLiteral(
            "Release month: 2 digits 01-12 (\"5\")\r"
            "Description, 2000 characters: Multiple lines (no HTML) text string 0-2000 characters "
            "(\"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\u2026\")");
        QCOMPARE(PadCheck::listText(PadCheck::check(record)), expected);
        QCOMPARE(PadCheck::listText(PadCheck::check(record), 1),
                 QStringLiteral("Release month: 2 digits 01-12 (\"5\")\r... and 1 more."));
    }

    // Values from a PAD file or a hand-edited catalogue: any size, any text.
    void hugeAndHostileValuesGetAVerdict()
    {
        QStringList record = validPadRecord();
        record[Field::Eula] = QString(1 << 20, QLatin1Char('a'));
        record[Field::OsSupport] = QStringLiteral("Linux ").repeated(50000) + QStringLiteral("X");
        record[Field::Languages] = QStringLiteral("English,").repeated(50000) + QStringLiteral("x");
        record[Field::AuthorEmail] = QStringLiteral("a@").repeated(50000);
        QStringList elements;
        for (const PadCheck::Violation &v : PadCheck::check(record))
            elements.append(v.element);
        QCOMPARE(elements, (QStringList{QStringLiteral("Author_Email"), QStringLiteral("Program_OS_Support"),
                                        QStringLiteral("Program_Language"), QStringLiteral("EULA")}));
    }
};

QTEST_GUILESS_MAIN(TestPadCheck)
#include "test_padcheck.moc"
