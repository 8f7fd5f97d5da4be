// The check a site record passes before it is stored among the user's sites.

#include "submit/formwalk/sitevalidation.h"

#include <QTest>

namespace {

// A record that passes: name .. reg url, then the entries.
QStringList goodSite()
{
    return {QStringLiteral("MySite"), QStringLiteral("https://my.test/"), QString(),
            QStringLiteral("yes"), QStringLiteral("https://my.test/add"), QStringLiteral("0"),
            QString(), QString(), QStringLiteral("57=padurl")};
}

} // namespace

class TestSiteValidation : public QObject
{
    Q_OBJECT

private slots:
    void aSiteRecordIsRefusedWithTheColumnAndReason_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("refusedColumn");
        QTest::addColumn<QString>("reason");

        // column -1: the cell is left as in goodSite(); -2: the cell is appended.
        QTest::newRow("a good site passes") << -1 << QString() << -1 << QString();
        QTest::newRow("pseudo fields and constants pass") << -2 << QStringLiteral("-15=blank") << -1 << QString();
        QTest::newRow("the last software field passes") << -2 << QStringLiteral("104=x") << -1 << QString();
        QTest::newRow("a password pair with one tab passes")
            << 6 << QStringLiteral("me\tsecret") << -1 << QString();
        QTest::newRow("no name") << 0 << QStringLiteral("  ") << 0 << QStringLiteral("needs a name");
        QTest::newRow("a mail address as submission page")
            << 4 << QStringLiteral("mailto:a@b.test") << 4 << QStringLiteral("http:// or https://");
        QTest::newRow("a submission page without a host")
            << 4 << QStringLiteral("http://") << 4 << QStringLiteral("with a host");
        QTest::newRow("a file address as home page")
            << 1 << QStringLiteral("file:///etc/passwd") << 1 << QStringLiteral("home page");
        QTest::newRow("a bar in the notes") << 2 << QStringLiteral("a|b") << 2 << QStringLiteral("\"|\"");
        QTest::newRow("a tab in the name") << 0 << QStringLiteral("a\tb") << 0 << QStringLiteral("a tab");
        QTest::newRow("a second tab in the pair")
            << 6 << QStringLiteral("me\tse\tcret") << 6 << QStringLiteral("separates them");
        QTest::newRow("a line break in an entry")
            << 8 << QStringLiteral("57=pad\nurl") << 8 << QStringLiteral("line break");
        QTest::newRow("a character outside Windows-1252")
            << 2 << QStringLiteral("\u0141\u00f3d\u017a") << 2 << QStringLiteral("Windows-1252");
        QTest::newRow("a login type that is no number")
            << 5 << QStringLiteral("one") << 5 << QStringLiteral("must be a number");
        QTest::newRow("an entry without =")
            << 8 << QStringLiteral("padurl") << 8 << QStringLiteral("number=name");
        QTest::newRow("an entry whose number is no integer")
            << 8 << QStringLiteral("5x=padurl") << 8 << QStringLiteral("number=name");
        QTest::newRow("a field past the catalogue")
            << 8 << QStringLiteral("105=padurl") << 8 << QStringLiteral("field 105");
        QTest::newRow("a number between the pseudo fields")
            << 8 << QStringLiteral("-5=padurl") << 8 << QStringLiteral("field -5");
        QTest::newRow("an entry without an input name")
            << 8 << QStringLiteral("57=") << 8 << QStringLiteral("no input name");
        QTest::newRow("a blank entry before others")
            << 8 << QString() << 8 << QStringLiteral("is empty");
        QTest::newRow("a form site without entries")
            << -3 << QString() << 8 << QStringLiteral("field map is empty");
    }

    void aSiteRecordIsRefusedWithTheColumnAndReason()
    {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(int, refusedColumn);
        QFETCH(QString, reason);
        QStringList record = goodSite();
        if (column >= 0)
            record[column] = text;
        else if (column == -2)
            record.append(text);
        else if (column == -3)
            record.removeLast();
        if (column == 8 && text.isEmpty())
            record.append(QStringLiteral("1=ver"));

        const SiteValidation::Problem problem = SiteValidation::check(record);
        QCOMPARE(problem.column, refusedColumn);
        QVERIFY2(problem.message.contains(reason), qPrintable(problem.message));
        QCOMPARE(problem.ok(), reason.isEmpty());
    }

    void theLoginTypeDecidesWhatElseASiteNeeds_data()
    {
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("regUrl");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("refusedColumn");

        QTest::newRow("an e-mail site without entries")
            << QStringLiteral("3") << QStringLiteral("pad@site.test") << QStringList() << -1;
        QTest::newRow("an e-mail site without an address")
            << QStringLiteral("3") << QStringLiteral("https://site.test/reg") << QStringList() << 7;
        QTest::newRow("a login-first site with both login entries")
            << QStringLiteral("1") << QString()
            << QStringList{QStringLiteral("-2=user"), QStringLiteral("-1=pass")} << -1;
        QTest::newRow("a login-first site with one entry")
            << QStringLiteral("1") << QString() << QStringList{QStringLiteral("-2=user")} << 8;
        QTest::newRow("a registration page that is no web address")
            << QStringLiteral("0") << QStringLiteral("ftp://site.test") << QStringList{QStringLiteral("0=n")} << 7;
    }

    void theLoginTypeDecidesWhatElseASiteNeeds()
    {
        QFETCH(QString, login);
        QFETCH(QString, regUrl);
        QFETCH(QStringList, entries);
        QFETCH(int, refusedColumn);
        QStringList record = goodSite().mid(0, 8) + entries;
        record[5] = login;
        record[7] = regUrl;
        QCOMPARE(SiteValidation::check(record).column, refusedColumn);
    }

    // A library record is held only to what damage breaks: the editor's
    // stricter rules (no blank entry, known fields) would refuse good libraries.
    void aLibraryRecordIsHeldToTheNarrowerRule_data()
    {
        QTest::addColumn<QStringList>("record");
        QTest::addColumn<int>("refusedColumn");

        const QStringList good = goodSite();
        QTest::newRow("a good record") << good << -1;
        QTest::newRow("cells after a blank entry are not read")
            << (good + QStringList{QString(), QStringLiteral("junk")}) << -1;
        QTest::newRow("an unknown field number") << (good + QStringList{QStringLiteral("999=x")}) << -1;
        QTest::newRow("an empty field map") << good.mid(0, 8) << -1;
        QStringList pair = good;
        pair[6] = QStringLiteral("me\tsecret");
        QTest::newRow("one tab in the user pass") << pair << -1;
        pair[6] = QStringLiteral("me\tse\tcret");
        QTest::newRow("a second tab in the user pass") << pair << 6;
        QStringList bell = good;
        bell[2] = QStringLiteral("note\x07");
        QTest::newRow("a control character in the notes") << bell << 2;
        QStringList nameless = good;
        nameless[0] = QStringLiteral(" ");
        QTest::newRow("no name") << nameless << 0;
        QStringList mail = good;
        mail[4] = QStringLiteral("mailto:a@b.test");
        QTest::newRow("a submission address that is no web address") << mail << 4;
        QTest::newRow("an entry without a number") << (good + QStringList{QStringLiteral("padurl")}) << 9;
    }

    void aLibraryRecordIsHeldToTheNarrowerRule()
    {
        QFETCH(QStringList, record);
        QFETCH(int, refusedColumn);
        const SiteValidation::Problem problem = SiteValidation::checkLibraryRecord(record);
        QCOMPARE(problem.column, refusedColumn);
        QCOMPARE(problem.ok(), refusedColumn < 0);
    }
};

QTEST_GUILESS_MAIN(TestSiteValidation)
#include "test_sitevalidation.moc"
