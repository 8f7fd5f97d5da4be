#include "editor/editorvalues.h"
#include "pad/padexport.h"
#include "support/records.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

QStringList storedRecord(const EditorValues &values)
{
    QStringList record(FieldCatalogue::FieldCount);
    EditorRules::storeInto(record, values);
    return record;
}

// The document's lines between "</Web_Info>" and "<Permissions>": the
// affiliates section and the PAD ring.
QByteArray middle(const QByteArray &doc)
{
    const QByteArray from = "   </Web_Info>\r\n";
    const qsizetype start = doc.indexOf(from) + from.size();
    return doc.mid(start, doc.indexOf("   <Permissions>\r\n") - start);
}

QByteArray lineOf(const QByteArray &doc, const QByteArray &element)
{
    const qsizetype at = doc.indexOf("<" + element + ">");
    const qsizetype lineStart = doc.lastIndexOf('\n', at) + 1;
    return doc.mid(lineStart, doc.indexOf('\n', at) + 1 - lineStart);
}

const QByteArray EmptyRing = "   <Padring>\r\n   </Padring>\r\n";

} // namespace

class TestPadExport : public QObject
{
    Q_OBJECT

private slots:
    void fullDocument()
    {
        const QByteArray golden = fileBytes(QStringLiteral(KELVANE_TEST_DATA "/pad/alpha_tool.xml"));
        QCOMPARE(PadExport::document(storedRecord(passingValues())), golden);
    }

    void emptyRecord()
    {
        const QByteArray doc = PadExport::document(QStringList());
        QVERIFY(doc.startsWith("<?xml version=\"1.0\"  encoding=\"Windows-1252\" ?>\r\n<XML_DIZ_INFO>\r\n"));
        QVERIFY(doc.endsWith("   </Permissions>\r\n\r\n</XML_DIZ_INFO>\r\n"));
        QVERIFY(doc.contains("\r\n      <Company_Name></Company_Name>\r\n"));
        QVERIFY(doc.contains("\r\n      <Includes_JAVA_VM>N</Includes_JAVA_VM>\r\n"
                             "      <Includes_VB_Runtime>N</Includes_VB_Runtime>\r\n"
                             "      <Includes_DirectX>N</Includes_DirectX>\r\n"));
        QCOMPARE(middle(doc), EmptyRing);
        QCOMPARE(doc.count("\r\n"), doc.count('\n'));
    }

    void affiliatesAndRing_data()
    {
        QTest::addColumn<QList<int>>("fields");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QByteArray>("expected");

        const QByteArray form = "   <Affiliates>\r\n"
                                "     <Affiliates_FORM>Y</Affiliates_FORM>\r\n"
                                "     <Affiliates_FORM_VER>1.0</Affiliates_FORM_VER>\r\n";
        const QByteArray end = "   </Affiliates>\r\n";

        QTest::newRow("no identifiers") << QList<int>{} << QStringList{} << EmptyRing;
        QTest::newRow("only eSellerate")
            << QList<int>{Field::ESellerateProductId} << QStringList{"ES-77"}
            << form + "     <Affiliates_eSellerate_Vendor_ID />\r\n"
                      "     <Affiliates_eSellrate_Product_ID>ES-77</Affiliates_eSellrate_Product_ID>\r\n"
                      "     <Affiliates_eSellerate_Maximum_Commission_Rate></Affiliates_eSellerate_Maximum_Commission_Rate>\r\n"
                      "     <Affiliates_eSellerate_Order_Page />\r\n"
                   + end + EmptyRing;
        QTest::newRow("products without vendors")
            << QList<int>{Field::RegSoftProductId, Field::EMetrixProductId} << QStringList{"RS-82", "EM-85"}
            << form + "     <Affiliates_Regsoft_Vendor_ID></Affiliates_Regsoft_Vendor_ID>\r\n"
                      "     <Affiliates_Regsoft_Product_ID>RS-82</Affiliates_Regsoft_Product_ID>\r\n"
                      "     <Affiliates_Regsoft_Order_Page></Affiliates_Regsoft_Order_Page>\r\n"
                      "     <Affiliates_Regsoft_Maximum_Commission_Rate> </Affiliates_Regsoft_Maximum_Commission_Rate>\r\n"
                      "     <Affiliates_eMetrix_Vendor_ID></Affiliates_eMetrix_Vendor_ID>\r\n"
                      "     <Affiliates_eMetrix_Product_ID>EM-85</Affiliates_eMetrix_Product_ID>\r\n"
                      "     <Affiliates_Emetrix_Order_Page />\r\n"
                      "     <Affiliates_Emetrix_Maximum_Commission_Rate />\r\n"
                   + end + EmptyRing;
        QTest::newRow("blanks only")
            << QList<int>{Field::RegNowVendorId} << QStringList{"  "} << form + end + EmptyRing;
        QTest::newRow("vendor kept untrimmed, SWReg last")
            << QList<int>{Field::SwRegVendorId, Field::ShareItVendorId} << QStringList{" SW ", "SI"}
            << form + "     <Affiliates_ShareIt_Vendor_ID>SI</Affiliates_ShareIt_Vendor_ID>\r\n"
                      "     <Affiliates_ShareIt_Product_ID></Affiliates_ShareIt_Product_ID>\r\n"
                      "     <Affiliates_ShareIt_Order_Page> </Affiliates_ShareIt_Order_Page>\r\n"
                      "     <Affiliates_ShareIt_Maximum_Commission_Rate> </Affiliates_ShareIt_Maximum_Commission_Rate>\r\n"
                      "     <Affiliates_SWReg_Vendor_ID> SW </Affiliates_SWReg_Vendor_ID>\r\n"
                      "     <Affiliates_SWReg_Product_ID></Affiliates_SWReg_Product_ID>\r\n"
                      "     <Affiliates_SWReg_Order_Page></Affiliates_SWReg_Order_Page>\r\n"
                      "     <Affiliates_SWReg_Maximum_Commission_Rate></Affiliates_SWReg_Maximum_Commission_Rate>\r\n"
                   + end + EmptyRing;

        const QByteArray twoLines = "   <Padring>\r\n      a.example/1.xml\r\n      b.example/2.xml\r\n   </Padring>\r\n";
        QTest::newRow("ring without final break")
            << QList<int>{Field::PadRing} << QStringList{"a.example/1.xml\r\nb.example/2.xml"} << twoLines;
        QTest::newRow("ring with final break")
            << QList<int>{Field::PadRing} << QStringList{"a.example/1.xml\r\nb.example/2.xml\r\n"} << twoLines;
        QTest::newRow("ring with lone breaks keeps every character")
            << QList<int>{Field::PadRing} << QStringList{"a.example/1.xml\nb.example/2.xml\r"} << twoLines;
        QTest::newRow("ring empty middle line")
            << QList<int>{Field::PadRing} << QStringList{"x\r\n\r\ny & z"}
            << QByteArray("   <Padring>\r\n      x\r\n      \r\n      y &amp; z\r\n   </Padring>\r\n");
    }

    void affiliatesAndRing()
    {
        QFETCH(QList<int>, fields);
        QFETCH(QStringList, values);
        QFETCH(QByteArray, expected);
        QStringList record(FieldCatalogue::FieldCount);
        for (qsizetype i = 0; i < fields.size(); ++i)
            record[fields.at(i)] = values.at(i);
        QCOMPARE(middle(PadExport::document(record)), expected);
    }

    void valueLines_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("element");
        QTest::addColumn<QByteArray>("line");

        QTest::newRow("class ampersands")
            << int(Field::CategoryClass) << QString("Audio & Multimedia::Rippers & Converters")
            << QByteArray("Program_Category_Class")
            << QByteArray("      <Program_Category_Class>Audio &amp; Multimedia::Rippers &amp; Converters</Program_Category_Class>\r\n");
        QTest::newRow("markup in a company name is escaped")
            << int(Field::CompanyName) << QString("Kelvane & Sons <Tools> > 1")
            << QByteArray("Company_Name")
            << QByteArray("      <Company_Name>Kelvane &amp; Sons &lt;Tools&gt; &gt; 1</Company_Name>\r\n");
        QTest::newRow("untrimmed, Windows-1252 bytes")
            << int(Field::ProgramName) << QString::fromUtf8(" Caf\u00e9 \u20ac ")
            << QByteArray("Program_Name")
            << QByteArray("      <Program_Name> Caf\xe9 \x80 </Program_Name>\r\n");
        QTest::newRow("line breaks and foreign characters as references")
            << int(Field::Permissions) << QString::fromUtf8("one\r\ntwo \u03a9")
            << QByteArray("Distribution_Permissions")
            << QByteArray("      <Distribution_Permissions>one&#13;&#10;two &#x3A9;</Distribution_Permissions>\r\n");
        QTest::newRow("characters no PAD file can hold are left out")
            << int(Field::ProgramName) << QString("a\x01" "b\x0b\x0c\x1f" "c\td") + QChar(0x81) + QChar(0x9D) + "e"
            << QByteArray("Program_Name") << QByteArray("      <Program_Name>abc\td" "e</Program_Name>\r\n");
        QTest::newRow("check 1") << int(Field::IncludesDirectX) << QString("1")
                                 << QByteArray("Includes_DirectX") << QByteArray("      <Includes_DirectX>Y</Includes_DirectX>\r\n");
        QTest::newRow("check 0") << int(Field::IncludesDirectX) << QString("0")
                                 << QByteArray("Includes_DirectX") << QByteArray("      <Includes_DirectX>N</Includes_DirectX>\r\n");
        QTest::newRow("check Y") << int(Field::IncludesVbRuntime) << QString("Y")
                                 << QByteArray("Includes_VB_Runtime") << QByteArray("      <Includes_VB_Runtime>N</Includes_VB_Runtime>\r\n");
        QTest::newRow("check empty") << int(Field::IncludesJavaVm) << QString()
                                     << QByteArray("Includes_JAVA_VM") << QByteArray("      <Includes_JAVA_VM>N</Includes_JAVA_VM>\r\n");
    }

    void valueLines()
    {
        QFETCH(int, field);
        QFETCH(QString, value);
        QFETCH(QByteArray, element);
        QFETCH(QByteArray, line);
        QStringList record(FieldCatalogue::FieldCount);
        record[field] = value;
        QCOMPARE(lineOf(PadExport::document(record), element), line);
    }

    void aDocumentWithAnyValueIsWellFormedXmlAndSaysWhatItLost()
    {
        QStringList record = storedRecord(passingValues());
        record[Field::ProgramName] = QString("Alpha\x01\x02") + QChar(0x8F);
        record[Field::Permissions] = QString("Free\x1b[0m");
        QXmlStreamReader xml(PadExport::document(record));
        while (!xml.atEnd())
            xml.readNext();
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(PadExport::lostCharacters(record),
                 (QStringList{"Program_Name: U+0001, U+0002, U+008F", "Distribution_Permissions: U+001B"}));
        QCOMPARE(PadExport::lostCharacters(storedRecord(passingValues())), QStringList());
    }

    void saveWritesTheDocument()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("alpha.xml");
        const QStringList record = storedRecord(passingValues());
        QCOMPARE(PadExport::save(record, path), QString());
        QCOMPARE(fileBytes(path), PadExport::document(record));
        // Overwriting leaves exactly the new document.
        QStringList other(FieldCatalogue::FieldCount);
        QCOMPARE(PadExport::save(other, path), QString());
        QCOMPARE(fileBytes(path), PadExport::document(other));
    }

    void saveFailureKeepsEarlierFiles()
    {
        QTemporaryDir dir;
        const QString missing = dir.filePath("no-such-folder/alpha.xml");
        QVERIFY(PadExport::save(QStringList(), missing).contains(QDir::toNativeSeparators(missing)));
        QVERIFY(!QFile::exists(missing));

        QVERIFY(QDir(dir.path()).mkdir("target.xml"));
        const QString folder = dir.filePath("target.xml");
        QVERIFY(!PadExport::save(QStringList(), folder).isEmpty());
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestPadExport)
#include "test_padexport.moc"
