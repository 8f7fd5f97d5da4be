#include "editor/editorvalues.h"
#include "pad/categorytables.h"
#include "pad/padexport.h"
#include "pad/padimport.h"
#include "support/records.h"

#include <QElapsedTimer>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using Status = PadImport::Result::Status;

namespace {

const QString Data = QStringLiteral(KELVANE_TEST_DATA "/pad/");

// A document around `body` (lines ending in CR LF), as our own files begin and end.
QByteArray document(const QByteArray &body)
{
    return "<?xml version=\"1.0\"  encoding=\"Windows-1252\" ?>\r\n<XML_DIZ_INFO>\r\n" + body
        + "\r\n</XML_DIZ_INFO>\r\n";
}

int classRowOf(const char *key)
{
    const QStringList &items = CategoryTables::classItems();
    for (int i = 0; i < items.size(); ++i) {
        if (CategoryTables::classKey(items.at(i)) == QLatin1String(key))
            return i;
    }
    return -2;
}

} // namespace

class TestPadImport : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip()
    {
        QStringList record(FieldCatalogue::FieldCount);
        EditorRules::storeInto(record, passingValues());
        // Every exported text field filled, markup and Windows-1252 letters included.
        const QList<int> filled = {
            Field::Address2, Field::StateProvince, Field::SalesEmail, Field::SupportEmail,
            Field::SalesPhone, Field::SupportPhone, Field::GeneralPhone, Field::Fax,
            Field::FileNameLong, Field::ExpiryMonth, Field::ExpiryDay, Field::ExpiryYear,
            Field::OtherRequirements, Field::ScreenshotUrl, Field::IconUrl,
            Field::SecondaryDownloadUrl, Field::ThirdDownloadUrl, Field::FourthDownloadUrl,
            Field::ShareItVendorId, Field::RegSoftVendorId, Field::ESellerateProductId,
            Field::EMetrixVendorId, Field::DigiBuyVendorId, Field::RegSoftProductId,
            Field::ShareItProductId, Field::SwRegVendorId, Field::EMetrixProductId,
            Field::DigiBuyProductId, Field::SwRegProductId};
        for (int f : filled)
            record[f] = QStringLiteral("v%1 <&> \u00e9").arg(f);
        record[Field::CompanyName] = QStringLiteral(" Kelvane & Sons <\"Tools\"> ");
        record[Field::Desc2000] = QStringLiteral("a &amp; b &#233; c");
        record[Field::CategoryClass] = QStringLiteral("Games & Entertainment::Tools & Editors");
        record[Field::IncludesVbRuntime] = QStringLiteral("1");
        record[Field::Permissions] = QStringLiteral("  Free to distribute & copy.  ");
        record[Field::Eula] = QStringLiteral(" Use <at> your own risk. ");
        record[Field::PadRing] = QStringLiteral(" one.xml \r\n\r\ntwo&three.xml\r\n");

        const PadImport::Result result = PadImport::fromBytes(PadExport::document(record));
        QCOMPARE(result.status, Status::Imported);
        QCOMPARE(result.notes, QStringList());
        QCOMPARE(result.classRow, classRowOf("Games & Entertainment::Tools & Editors"));
        const QStringList &back = result.record;
        QCOMPARE(back.size(), FieldCatalogue::FieldCount);
        for (int f = 0; f < FieldCatalogue::FieldCount; ++f) {
            if (f == Field::Permissions || f == Field::Eula || f == Field::PadRing)
                continue;
            const QString expected = FieldCatalogue::field(f).padElement ? record.at(f) : QString();
            if (back.at(f) != expected)
                qWarning("field %d", f);
            QCOMPARE(back.at(f), expected);
        }
        QCOMPARE(back.at(Field::Permissions), QStringLiteral("Free to distribute & copy."));
        QCOMPARE(back.at(Field::Eula), QStringLiteral("Use <at> your own risk."));
        QCOMPARE(back.at(Field::PadRing), QStringLiteral("one.xml\r\ntwo&three.xml"));
    }

    void elementRules_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("expected");

        QTest::newRow("name keeps its blanks") << QByteArray("<Program_Name>  Alpha  </Program_Name>")
                                               << int(Field::ProgramName) << QString("  Alpha  ");
        QTest::newRow("empty element") << QByteArray("<Company_Name></Company_Name>")
                                       << int(Field::CompanyName) << QString();
        QTest::newRow("blank element") << QByteArray("<Company_Name> </Company_Name>")
                                       << int(Field::CompanyName) << QString();
        QTest::newRow("self-closing") << QByteArray("<Company_Name />") << int(Field::CompanyName) << QString();
        QTest::newRow("tag letter case counts")
            << QByteArray("<company_name>X</company_name>\r\n<City_Town>Porto</City_Town>")
            << int(Field::CompanyName) << QString();
        QTest::newRow("later line wins")
            << QByteArray("<City_Town>Porto</City_Town>\r\n<City_Town>Faro</City_Town>")
            << int(Field::City) << QString("Faro");
        QTest::newRow("references decoded")
            << QByteArray("<Company_Name>A &amp; B &lt;C&gt; &quot;D&quot; &apos;E&apos; &#233;&#xE9; &amp;lt; &bogus; & x</Company_Name>")
            << int(Field::CompanyName) << QString::fromUtf8("A & B <C> \"D\" 'E' \u00e9\u00e9 &lt; &bogus; & x");
        QTest::newRow("Windows-1252 bytes") << QByteArray("<City_Town>S\xe3o Jo\xe3o \x80</City_Town>")
                                            << int(Field::City) << QString::fromUtf8("S\u00e3o Jo\u00e3o \u20ac");
        QTest::newRow("suggested categories read back")
            << QByteArray("<Program_Categories>Tools, Editors</Program_Categories>")
            << int(Field::SuggestedCategories) << QString("Tools, Editors");

        QTest::newRow("drop-down letter case aside") << QByteArray("<Program_Type>fREEWARE</Program_Type>")
                                                     << int(Field::ReleaseType) << QString("Freeware");
        QTest::newRow("drop-down no match") << QByteArray("<Program_Type>Free</Program_Type>")
                                            << int(Field::ReleaseType) << QString();
        QTest::newRow("drop-down untrimmed") << QByteArray("<Country> Portugal</Country>")
                                             << int(Field::Country) << QString();
        QTest::newRow("category of two words") << QByteArray("<Program_Specific_Category>Development Tools</Program_Specific_Category>")
                                               << int(Field::Category) << QString("Development Tools");
        QTest::newRow("category") << QByteArray("<Program_Specific_Category>games</Program_Specific_Category>")
                                  << int(Field::Category) << QString("Games");

        QTest::newRow("check box absent") << QByteArray("<City_Town>Faro</City_Town>")
                                          << int(Field::IncludesJavaVm) << QString("0");
        for (const char *v : {"Y", "y"})
            QTest::newRow(qPrintable(QString("DirectX %1").arg(v)))
                << QByteArray("<Includes_DirectX>") + v + "</Includes_DirectX>" << int(Field::IncludesDirectX) << QString("1");
        for (const char *v : {"Yes", "1", "N", " Y"})
            QTest::newRow(qPrintable(QString("DirectX '%1'").arg(v)))
                << QByteArray("<Includes_DirectX>") + v + "</Includes_DirectX>" << int(Field::IncludesDirectX) << QString("0");

        QTest::newRow("languages, blank after comma")
            << QByteArray("<Program_Language>English, French</Program_Language>")
            << int(Field::Languages) << QString("English,French");
        QTest::newRow("languages, Arabic first")
            << QByteArray("<Program_Language>arabic,English</Program_Language>")
            << int(Field::Languages) << QString("Arabic,English");
        QTest::newRow("languages, first name as written")
            << QByteArray("<Program_Language> English,French</Program_Language>")
            << int(Field::Languages) << QString("French");
        QTest::newRow("languages, unknown last")
            << QByteArray("<Program_Language>German,Klingon</Program_Language>")
            << int(Field::Languages) << QString("German");
        QTest::newRow("os, blank after comma") << QByteArray("<Program_OS_Support>WinXP, Win95</Program_OS_Support>")
                                               << int(Field::OsSupport) << QString("Win95,WinXP");
        QTest::newRow("os, letter case counts") << QByteArray("<Program_OS_Support>win95</Program_OS_Support>")
                                                << int(Field::OsSupport) << QString();
        QTest::newRow("os, reset by a second line")
            << QByteArray("<Program_OS_Support>Win95</Program_OS_Support>\r\n<Program_OS_Support>Linux</Program_OS_Support>")
            << int(Field::OsSupport) << QString("Linux");

        QTest::newRow("class &amp;")
            << QByteArray("<Program_Category_Class>Games &amp; Entertainment::Tools &amp; Editors</Program_Category_Class>")
            << int(Field::CategoryClass) << QString("Games & Entertainment::Tools & Editors");
        QTest::newRow("class &#x0026;")
            << QByteArray("<Program_Category_Class>Games &#x0026; Entertainment::Tools &#x0026; Editors</Program_Category_Class>")
            << int(Field::CategoryClass) << QString("Games & Entertainment::Tools & Editors");
        QTest::newRow("class own row first")
            << QByteArray("<Program_Category_Class>Development::Other</Program_Category_Class>")
            << int(Field::CategoryClass) << QString("Development::Other");
        QTest::newRow("class unknown") << QByteArray("<Program_Category_Class>Nothing::Here</Program_Category_Class>")
                                       << int(Field::CategoryClass) << QString();

        QTest::newRow("ring, our layout")
            << QByteArray("   <Padring>\r\n      a.xml\r\n      \r\n      b.xml\r\n   </Padring>")
            << int(Field::PadRing) << QString("a.xml\r\nb.xml");
        QTest::newRow("ring, one line") << QByteArray("<Padring> a.xml </Padring>")
                                        << int(Field::PadRing) << QString("a.xml");
        QTest::newRow("ring, text after the tag")
            << QByteArray("<Padring>a.xml\r\nb.xml</Padring>") << int(Field::PadRing) << QString("a.xml");
        QTest::newRow("EULA over lines, sentence before its closing tag")
            << QByteArray("<EULA>First.\r\n\r\n   Last sentence.</EULA>\r\n<Distribution_Permissions>Free.</Distribution_Permissions>")
            << int(Field::Eula) << QString("First.\nLast sentence.");
        QTest::newRow("permissions after a multi-line EULA")
            << QByteArray("<EULA>First.\r\n   Last sentence.</EULA>\r\n<Distribution_Permissions>Free.</Distribution_Permissions>")
            << int(Field::Permissions) << QString("Free.");
        QTest::newRow("lone line feeds") << QByteArray("<Padring>\na.xml\nb.xml\n</Padring>\n<City_Town>Faro</City_Town>")
                                         << int(Field::PadRing) << QString("a.xml\r\nb.xml");
        QTest::newRow("lone carriage returns, as older Mac files")
            << QByteArray("<Padring>\ra.xml\rb.xml\r</Padring>\r<City_Town>Faro</City_Town>")
            << int(Field::PadRing) << QString("a.xml\r\nb.xml");
    }

    void elementRules()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, field);
        QFETCH(QString, expected);
        // One known element keeps every row a PAD document.
        const PadImport::Result result =
            PadImport::fromBytes(document("<Program_Version>1</Program_Version>\r\n" + body));
        QCOMPARE(result.status, Status::Imported);
        QCOMPARE(result.record.value(field), expected);
        QCOMPARE(result.notes, QStringList());
    }

    void files_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QList<int>>("fields");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<int>("notes");

        QTest::newRow("PAD 3.11, UTF-8, one element per line")
            << "pad311_utf8_pretty.xml"
            << QList<int>{Field::CompanyName, Field::ProgramName, Field::Country, Field::CostOtherCode,
                          Field::OsSupport, Field::Languages, Field::CategoryClass, Field::Desc45,
                          Field::Desc80, Field::HasExpiry, Field::IncludesJavaVm, Field::PadRing, Field::Eula}
            << QStringList{QString::fromUtf8("Cr\u00e8me & Br\u00fbl\u00e9e Software"),
                           QString::fromUtf8("Cr\u00e8me Editor"), "Portugal", "EUR", "Win98,WinXP,Linux",
                           "English,French", "Business::Accounting & Finance",
                           QString::fromUtf8("Keeps <your> books \u2013 fast"),
                           QString::fromUtf8("Price: 25 \u20ac or 30 $"), "N", "1",
                           "http://pad.creme.example/a.xml\r\nhttp://pad.creme.example/b.xml",
                           "First paragraph.\nSecond paragraph ends here."}
            << 0;
        QTest::newRow("PAD 4.0, UTF-8, all on one line")
            << "pad40_utf8_oneline.xml"
            << QList<int>{Field::CompanyName, Field::ProgramName, Field::OsSupport, Field::CategoryClass,
                          Field::Keywords, Field::Desc45, Field::PadRing, Field::Permissions,
                          Field::Eula, Field::IncludesDirectX}
            << QStringList{QString::fromUtf8("Cr\u00e8me & Br\u00fbl\u00e9e Software"),
                           QString::fromUtf8("Cr\u00e8me Editor"), "Win95,WinXP",
                           "Games & Entertainment::Tools & Editors", "a <b>",
                           QString::fromUtf8("Caf\u00e9 \u20ac 5"), "http://a.example/x.xml",
                           "Free & open.", "", "1"}
            << 0;
        QTest::newRow("byte-order mark, attributes, comments, CDATA, spanning lines")
            << "pad40_utf8_bom_irregular.xml"
            << QList<int>{Field::CompanyName, Field::ProgramName, Field::ProgramVersion, Field::OsSupport,
                          Field::Desc45, Field::PadRing, Field::Eula}
            << QStringList{QString::fromUtf8("Cr\u00e8me Software"), QString::fromUtf8("Cr\u00e8me Editor"),
                           "4.0 <beta> & more", "Win95,WinXP", "Short & sweet",
                           "http://a.example/x.xml\r\nhttp://b.example/y.xml", "Line one.\nLine two."}
            << 0;
        QTest::newRow("characters Windows-1252 lacks")
            << "utf8_foreign_characters.xml"
            << QList<int>{Field::CompanyName, Field::City, Field::ProgramName, Field::ProgramVersion}
            << QStringList{"", "", "Omega", ""} << 3;
        QTest::newRow("cut off inside a section")
            << "cut_inside_eula.xml"
            << QList<int>{Field::ProgramName, Field::Permissions, Field::Eula}
            << QStringList{"Cut Short", "Free.", "First line of the licence\nsecond line"} << 1;
    }

    void files()
    {
        QFETCH(QString, file);
        QFETCH(QList<int>, fields);
        QFETCH(QStringList, values);
        QFETCH(int, notes);
        const PadImport::Result result = PadImport::fromFile(Data + file);
        QCOMPARE(result.status, Status::Imported);
        for (qsizetype i = 0; i < fields.size(); ++i)
            QCOMPARE(result.record.value(fields.at(i)), values.at(i));
        QCOMPARE(result.notes.size(), notes);
    }

    void notesNameTheElement()
    {
        const PadImport::Result foreign = PadImport::fromFile(Data + "utf8_foreign_characters.xml");
        QCOMPARE(foreign.notes.value(0).left(13), QStringLiteral("Company_Name:"));
        QVERIFY(foreign.notes.value(0).contains("U+03A9"));
        QVERIFY(foreign.notes.value(2).contains("U+1F642"));
        const PadImport::Result cut = PadImport::fromFile(Data + "cut_inside_eula.xml");
        QVERIFY(cut.notes.value(0).startsWith("EULA:"));
    }

    void aCharacterNoPadFileCanHoldLeavesItsValueOut()
    {
        const QByteArray windows1252 = "<?xml version=\"1.0\" encoding=\"windows-1252\"?><XML_DIZ_INFO>"
                                       "<Program_Info><Program_Name>A\x81" "B</Program_Name>"
                                       "<Program_Version>1.0</Program_Version></Program_Info></XML_DIZ_INFO>";
        const PadImport::Result result = PadImport::fromBytes(windows1252);
        QCOMPARE(result.status, Status::Imported);
        QCOMPARE(result.record.value(Field::ProgramName), QString());
        QCOMPARE(result.record.value(Field::ProgramVersion), QStringLiteral("1.0"));
        QCOMPARE(result.notes, QStringList{"Program_Name: the value holds the character U+0081, which a "
                                           "PAD file cannot hold; it was left out."});
    }

    void otherEncodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("company");
        QTest::addColumn<int>("notes");

        const QString name = QString::fromUtf8("Cr\u00e8me \u20ac");
        const QString utf8Doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<XML_DIZ_INFO>\r\n<Company_Name>" + name
            + "</Company_Name>\r\n</XML_DIZ_INFO>\r\n";
        QStringEncoder le(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
        QStringEncoder be(QStringConverter::Utf16BE, QStringConverter::Flag::WriteBom);
        QTest::newRow("UTF-16 LE") << QByteArray(le.encode(utf8Doc)) << name << 0;
        QTest::newRow("UTF-16 BE") << QByteArray(be.encode(utf8Doc)) << name << 0;
        QTest::newRow("UTF-8 undeclared")
            << QByteArray("<XML_DIZ_INFO>\n<Company_Name>") + name.toUtf8() + "</Company_Name>\n</XML_DIZ_INFO>\n"
            << name << 0;
        QTest::newRow("declared UTF-8 but Windows-1252 bytes")
            << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<XML_DIZ_INFO>\n<Company_Name>Cr\xe8me \x80</Company_Name>\n</XML_DIZ_INFO>\n")
            << name << 1;
    }

    void otherEncodings()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, company);
        QFETCH(int, notes);
        const PadImport::Result result = PadImport::fromBytes(bytes);
        QCOMPARE(result.status, Status::Imported);
        QCOMPARE(result.record.value(Field::CompanyName), company);
        QCOMPARE(result.notes.size(), notes);
    }

    void badInput_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");

        QByteArray binary;
        for (int i = 0; i < 4096; ++i)
            binary.append(char((i * 7919) % 256));
        QTest::newRow("zero bytes") << QByteArray() << "empty";
        QTest::newRow("binary") << binary << "binary";
        QTest::newRow("plain text") << QByteArray("Just some notes\nabout a program.\n") << "well-formed";
        QTest::newRow("other XML") << fileBytes(Data + "not_pad_rss.xml") << "root element is rss";
        QTest::newRow("entity declarations") << fileBytes(Data + "billion_laughs.xml") << "entities";
        QTest::newRow("only the root") << QByteArray("<XML_DIZ_INFO>\n</XML_DIZ_INFO>\n") << "none of the PAD elements";
    }

    void badInput()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        QElapsedTimer timer;
        timer.start();
        const PadImport::Result result = PadImport::fromBytes(bytes);
        QVERIFY(timer.elapsed() < 2000);
        QCOMPARE(result.status, Status::NotPad);
        QVERIFY2(result.error.startsWith("This is not a PAD file."), qPrintable(result.error));
        QVERIFY2(result.error.contains(reason), qPrintable(result.error));
    }

    void brokenXmlFallsBackToTheLines()
    {
        // Bare "&" as older exports wrote it, and a comment: not XML, but the lines still read.
        const PadImport::Result result = PadImport::fromBytes(
            document("<Company_Name>A & B</Company_Name>\r\n<!-- note -->\r\n<City_Town>Faro</City_Town>"));
        QCOMPARE(result.status, Status::Imported);
        QCOMPARE(result.record.value(Field::CompanyName), QStringLiteral("A & B"));
        QCOMPARE(result.record.value(Field::City), QStringLiteral("Faro"));
        QCOMPARE(result.notes.size(), 1);
        QVERIFY(result.notes.first().contains("line by line"));
    }

    void emptyRecordDocumentImports()
    {
        // Unlike a bare root, our export of an empty record holds every element.
        QCOMPARE(PadImport::fromBytes(PadExport::document(QStringList())).status, Status::Imported);
    }

    void unreadableAndHugeFiles()
    {
        QTemporaryDir dir;
        const PadImport::Result missing = PadImport::fromFile(dir.filePath("missing.xml"));
        QCOMPARE(missing.status, Status::Unreadable);
        QVERIFY(missing.error.contains("missing.xml"));
        QCOMPARE(PadImport::fromFile(dir.path()).status, Status::Unreadable);

        QFile huge(dir.filePath("huge.xml"));
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.write(document("<Program_Name>Huge</Program_Name>")));
        QVERIFY(huge.resize(50 * 1024 * 1024));
        huge.close();
        QElapsedTimer timer;
        timer.start();
        const PadImport::Result result = PadImport::fromFile(huge.fileName());
        QVERIFY(timer.elapsed() < 2000);
        QCOMPARE(result.status, Status::NotPad);
        QVERIFY2(result.error.contains("52428800 bytes"), qPrintable(result.error));
    }

    void aFileIsReadUpToTheSizeBoundAndNoFurther_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QString>("error");
        QTest::newRow("exactly 8 MiB") << qint64(8 * 1024 * 1024) << QString();
        QTest::newRow("one byte over") << qint64(8 * 1024 * 1024 + 1)
            << "This is not a PAD file. The file is 8388609 bytes long; a PAD file is far smaller "
               "(at most 8 MB are read).";
    }

    void aFileIsReadUpToTheSizeBoundAndNoFurther()
    {
        QFETCH(qint64, size);
        QFETCH(QString, error);
        QTemporaryDir dir;
        QFile file(dir.filePath("edge.xml"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QByteArray pad = document("<Program_Name>Edge</Program_Name>");
        QVERIFY(file.write(pad + QByteArray(size - pad.size(), ' ')) == size);
        file.close();
        const PadImport::Result result = PadImport::fromFile(file.fileName());
        QCOMPARE(result.error, error);
        QCOMPARE(result.record.value(0), error.isEmpty() ? QString("Edge") : QString());
    }
};

QTEST_GUILESS_MAIN(TestPadImport)
#include "test_padimport.moc"
