// The site library as the program meets it: loaded with QLibrary by file
// name, its two exports looked up by name.

#include "support/builtfiles.h"

#include <QLibrary>
#include <QTest>
#include <QUrl>

#include <climits>
#include <cstdint>

#ifdef Q_OS_LINUX
#include <dlfcn.h>
#endif

using LoadStringsFunction = const char *(*)(std::int32_t);

class TestSiteLib : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_library.unload(); }
    void theLibraryHoldsTenRecordsAndRecordsItsOwnName();
    void numbersOutsideOneToTenGiveAnEmptyTextNeverNull_data();
    void numbersOutsideOneToTenGiveAnEmptyTextNeverNull();
    void everyRecordFollowsTheSiteRecordLayout_data();
    void everyRecordFollowsTheSiteRecordLayout();

private:
    QLibrary m_library;
    LoadStringsFunction m_loadStrings = nullptr;
};

void TestSiteLib::initTestCase()
{
    m_library.setFileName(builtSiteLibrary());
    QVERIFY2(m_library.load(), qPrintable(m_library.errorString()));
    m_loadStrings = reinterpret_cast<LoadStringsFunction>(m_library.resolve("LoadStrings"));
    QVERIFY(m_loadStrings);
}

void TestSiteLib::theLibraryHoldsTenRecordsAndRecordsItsOwnName()
{
    const auto numOfRows = reinterpret_cast<std::int32_t (*)()>(m_library.resolve("NumOfRows"));
    QVERIFY(numOfRows);
    QCOMPARE(numOfRows(), 10);
#ifdef Q_OS_LINUX
    // The loader finds a loaded object by its recorded name (SONAME).
    void *byOwnName = dlopen(SiteLibrary::UpdateFileName, RTLD_NOW | RTLD_NOLOAD);
    QVERIFY(byOwnName);
    QCOMPARE(dlsym(byOwnName, "LoadStrings"), reinterpret_cast<void *>(m_loadStrings));
    dlclose(byOwnName);
#endif
}

void TestSiteLib::numbersOutsideOneToTenGiveAnEmptyTextNeverNull_data()
{
    QTest::addColumn<int>("number");
    QTest::newRow("zero") << 0;
    QTest::newRow("eleven") << 11;
    QTest::newRow("minus one") << -1;
    QTest::newRow("most negative") << INT_MIN;
    QTest::newRow("largest") << INT_MAX;
}

void TestSiteLib::numbersOutsideOneToTenGiveAnEmptyTextNeverNull()
{
    QFETCH(int, number);
    const char *text = m_loadStrings(number);
    QVERIFY(text != nullptr);
    QCOMPARE(text[0], '\0');
}

void TestSiteLib::everyRecordFollowsTheSiteRecordLayout_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("notes");
    QTest::addColumn<bool>("closingSlash");
    QTest::addColumn<QString>("submitPath");
    QTest::addColumn<QStringList>("fieldMap");

    QTest::newRow("1") << 1 << "BestSoftware" << "" << false << "/submit.php" << QStringList{"57=padurl"};
    QTest::newRow("2") << 2 << "AmazingFiles" << "" << false << "/submit.php" << QStringList{"57=padurl"};
    QTest::newRow("3") << 3 << "FilesWeb" << "Must link back" << true << "/addpad.html"
                       << QStringList{"57=padurl", "80=linkto"};
    QTest::newRow("4") << 4 << "1000files" << "" << true << "/addsoftware.html"
                       << QStringList{"48=cat", "57=padurl"};
    QTest::newRow("5") << 5 << "FileHungry" << "" << false << "/pad/" << QStringList{"57=edt_pad_location"};
    QTest::newRow("6") << 6 << "FreeTrialDownloads" << "" << true << "/submit.asp"
                       << QStringList{"57=cPadURL", "81=cProductID"};
    QTest::newRow("7") << 7 << "DownloadChoice" << "" << false << "/submit.php"
                       << QStringList{"57=padurl", "81=regnow"};
    QTest::newRow("8") << 8 << "Downloadplaza" << "" << true << "/submit.html"
                       << QStringList{"0=Title", "64=Url", "62=Description"};
    QTest::newRow("9") << 9 << "FreewareHome" << "Freeware only" << true << "/add_ons/submit.html"
                       << QStringList{"10=a_Action", "0=b_required_Program_Name", "54=e_required_Home_Page",
                                      "95=d_required_Author_Name", "39=e_Author_Email",
                                      "64=g_required_Download_Url", "11=h_OS", "97=j_File_Size",
                                      "1=i_Program_Version", "61=z_required_Description", "47=c_Category"};
    QTest::newRow("10") << 10 << "SharewareLinks" << "" << true << "/submitsite.php"
                        << QStringList{"0=Company", "54=URL", "60=Description"};
}

void TestSiteLib::everyRecordFollowsTheSiteRecordLayout()
{
    QFETCH(int, number);
    QFETCH(QString, name);
    QFETCH(QString, notes);
    QFETCH(bool, closingSlash);
    QFETCH(QString, submitPath);
    QFETCH(QStringList, fieldMap);

    const QByteArray record(m_loadStrings(number));
    QVERIFY(record.endsWith('\r'));
    QVERIFY(!record.contains('\n'));
    QVERIFY(!record.contains('\t'));
    // Login "0", then the empty user pass and reg url.
    QVERIFY(record.contains("\r0\r\r\r"));

    const QStringList fields = SiteLibrary::splitRecord(record);
    QCOMPARE(fields.mid(0, 4), (QStringList{name, fields.at(1), notes, "yes"}));
    QCOMPARE(fields.mid(5, 3), (QStringList{"0", "", ""}));
    QCOMPARE(fields.mid(8), fieldMap);

    // The root page of a host under ".example"; the submission page on it.
    const QString home = fields.at(1);
    const QUrl url(home);
    QCOMPARE(url.scheme(), QStringLiteral("http"));
    QVERIFY2(url.host().endsWith(QLatin1String(".example")), qPrintable(home));
    QCOMPARE(url.path(), closingSlash ? QStringLiteral("/") : QString());
    QCOMPARE(fields.at(4), (closingSlash ? home.chopped(1) : home) + submitPath);
}

QTEST_GUILESS_MAIN(TestSiteLib)
#include "test_sitelib.moc"
