// Site packs: written and read back, refused as a whole or site by site,
// compared with the program's sites and applied to the user's sites file.

#include "submit/formwalk/sitevalidation.h"
#include "submit/sites/sitepack.h"

#include <QTest>

namespace {

QString editorRule(const QStringList &cells)
{
    return SiteValidation::check(cells).message;
}

// JSON written with single quotes, for readable test data.
QByteArray json(const char *text)
{
    return QByteArray(text).replace('\'', '"');
}

// A site record written as the sites file stores it, cells between "|".
QStringList cells(const char *record)
{
    return QString::fromUtf8(record).split(QLatin1Char('|'));
}

QByteArray pack(const QByteArray &sites, const QByteArray &version = "1")
{
    return json("{'format': 'kelvane-site-pack', 'version': ") + version + json(", 'sites': [") +
           sites + "]}";
}

// Taken, its keys of a later version named in a note.
const QByteArray goodSite = json("{'name': 'Good', 'submitPage': 'http://g/s', 'login': '0', "
                                 "'fieldMap': ['57=padurl'], 'tags': ['x'], 'rating': 5}");

} // namespace

class TestSitePack : public QObject
{
    Q_OBJECT

private slots:
    void aWrittenPackReadsBackWithoutItsUserPasses()
    {
        const QStringList first = cells("Caf\u00e9 \"soft\" \\ list|http://h/|\u00e9\u0001|yes|"
                                        "http://h/s|0|me\tsecret||57=padurl||9=after a blank");
        const QStringList mail = cells("Mail|||no|http://m/|3||pad@m.test");
        const QByteArray bytes = SitePack::write(
            {first, mail}, QStringLiteral("Kelvane Submit 1.0"), QDate(2026, 12, 10));
        QVERIFY(!bytes.contains("secret"));

        const SitePack::ReadResult read = SitePack::read(bytes, {});
        QCOMPARE(read.status, SitePack::Status::Ok);
        QCOMPARE(read.program, QStringLiteral("Kelvane Submit 1.0"));
        QCOMPARE(read.created, QDate(2026, 12, 10));
        QCOMPARE(read.sites,
                 QList<QStringList>({cells("Caf\u00e9 \"soft\" \\ list|http://h/|\u00e9\u0001|yes|"
                                           "http://h/s|0|||57=padurl"),
                                     mail}));
    }

    void aBadFileIsRefusedAsAWhole_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<SitePack::Status>("status");
        QTest::addColumn<QString>("message");
        using S = SitePack::Status;
        QTest::newRow("empty") << QByteArray(" \n") << S::NotAPack
                               << QStringLiteral("The file is empty; it holds no site pack.");
        QTest::newRow("a web page")
            << QByteArray("\xef\xbb\xbf <!DOCTYPE html><html>404</html>") << S::NotAPack
            << QStringLiteral("The file is a web page, not a site pack; a download may have "
                              "brought an error page in its place.");
        QTest::newRow("binary") << QByteArray::fromHex("7f454c4602010000") << S::NotAPack
                                << QStringLiteral("The file is no site pack: it is not JSON text "
                                                  "(illegal value at byte 1).");
        QTest::newRow("JSON without the marker")
            << json("{'version': 1, 'sites': []}") << S::NotAPack
            << QStringLiteral("The file is JSON, but no site pack: it lacks \"format\": "
                              "\"kelvane-site-pack\".");
        QTest::newRow("a newer version")
            << pack(goodSite, "2") << S::NewerVersion
            << QStringLiteral("The site pack was made by a newer version of the program (pack "
                              "version 2; this one reads up to 1); update it first.");
        QByteArray many = "{}";
        for (int i = 1; i < 100000; ++i)
            many += ",{}";
        QTest::newRow("100,000 sites")
            << pack(many) << S::TooLarge
            << QStringLiteral("The site pack holds 100000 sites; a pack "
                              "may hold at most 20000. Nothing was read from it.");
        QTest::newRow("a file of nothing but lists")
            << QByteArray("[").append(QByteArray("[0],").repeated(400000)).append("0]")
            << S::TooLarge
            << QStringLiteral("The file holds more lists and objects than a site pack of 20000 "
                              "sites could.");
        QTest::newRow("a user pass, case and marks aside, after a good site")
            << pack(goodSite + json(", {'name': 'Leaky', 'User_Pass': ''}")) << S::HasCredentials
            << QStringLiteral("The site \"Leaky\" in this pack carries a user name or password "
                              "(the key \"User_Pass\"). A site pack never carries them, so "
                              "nothing was read from it.");
    }

    void aBadFileIsRefusedAsAWhole()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(SitePack::Status, status);
        QFETCH(QString, message);
        const SitePack::ReadResult read = SitePack::read(bytes, editorRule);
        QCOMPARE(read.status, status);
        QCOMPARE(read.message, message);
        QVERIFY(read.sites.isEmpty());
    }

    // Each row's site follows "Good", which is taken.
    void aBadSiteIsRefusedWithItsReason_data()
    {
        QTest::addColumn<QByteArray>("siteJson");
        QTest::addColumn<QString>("refusal"); // name: reason
        QTest::newRow("10 MB of notes")
            << json("{'name': 'Big', 'submitPage': 'http://b/s', 'login': '0', 'notes': '")
                   .append(QByteArray(10 * 1024 * 1024, 'x') + "\"}")
            << QStringLiteral("Big: its texts are longer than a site's may be (65536 characters)");
        QTest::newRow("a file as home page")
            << json("{'name': 'F', 'homePage': 'FILE:///etc/passwd', 'submitPage': 'http://f/s', "
                    "'login': '0'}")
            << QStringLiteral("F: the URL column holds a script or file address, which a site "
                              "may not name");
        QTest::newRow("an e-mail site's script recipient")
            << json("{'name': 'M', 'submitPage': 'http://m/', 'login': '3', "
                    "'registrationPage': ' javascript:x@y'}")
            << QStringLiteral("M: the reg url column holds a script or file address, which a "
                              "site may not name");
        QTest::newRow("a name taken, case aside")
            << json("{'name': 'GOOD', 'submitPage': 'http://g/s', 'login': '0', "
                    "'fieldMap': ['57=p']}")
            << QStringLiteral("GOOD: its name appears twice in the pack");
        QTest::newRow("no submission address")
            << json("{'name': 'N', 'login': '0'}")
            << QStringLiteral("N: the key \"submitPage\" is missing");
        QTest::newRow("a number for the login type")
            << json("{'name': 'L', 'submitPage': 'http://l/s', 'login': 0}")
            << QStringLiteral("L: the key \"login\" holds no text");
        QTest::newRow("a blank field map entry")
            << json("{'name': 'B', 'submitPage': 'http://b/s', 'login': '0', "
                    "'fieldMap': ['57=p', ' ', '3=q']}")
            << QStringLiteral("B: field map entry 2 is blank, which would end the field map there");
        QTest::newRow("a script to submit to")
            << json("{'name': 'Js', 'submitPage': 'javascript:void 0', 'login': '0', "
                    "'fieldMap': ['57=p']}")
            << QStringLiteral("Js: the Submit column holds a script or file address, which a "
                              "site may not name");
        QTest::newRow("the site editor's rule")
            << json("{'name': 'E', 'submitPage': 'http://e/s', 'login': '0'}")
            << QStringLiteral("E: The field map is empty: the form would be sent with nothing "
                              "filled. Add the inputs to fill.");
        QTest::newRow("no object")
            << QByteArray("\"E\"") << QStringLiteral(": it is no site (an object in braces)");
    }

    void aBadSiteIsRefusedWithItsReason()
    {
        QFETCH(QByteArray, siteJson);
        QFETCH(QString, refusal);
        const SitePack::ReadResult read =
            SitePack::read(pack(goodSite + ',' + siteJson), editorRule);
        QCOMPARE(read.status, SitePack::Status::Ok);
        QCOMPARE(read.sites.size(), 1);
        QCOMPARE(read.refused.size(), 1);
        QCOMPARE(read.refused.first().number, 2);
        QCOMPARE(read.refused.first().name + QStringLiteral(": ") + read.refused.first().reason,
                 refusal);
        QCOMPARE(read.note, QStringLiteral("The pack's sites hold keys this version does not "
                                           "know; they were ignored: \"rating\", \"tags\"."));
    }

    void packSitesAreComparedWithTheUsersElseTheLibrarys()
    {
        const SitePack::Comparison comparison = SitePack::compare(
            {cells("Fresh|||yes|http://f/s|0|||57=p"), cells("Lib|||yes|http://l/s|0|||57=p"),
             cells("mine||new notes|yes|http://m/s|0|||57=p|61=description")},
            {cells("Lib|||yes|http://l/s|0|u\tp||57=p"), cells("Mine||library|yes|http://m/s|0")},
            {cells("Mine|||yes|http://m/s|0|||57=p")});
        QCOMPARE(comparison.newCount, 1);
        QCOMPARE(comparison.sameCount, 1);
        QCOMPARE(comparison.differsCount, 1);
        QCOMPARE(comparison.sites.at(0).ours, SitePack::Ours::None);
        QCOMPARE(comparison.sites.at(1).ours, SitePack::Ours::Library);
        QCOMPARE(comparison.sites.at(2).ours, SitePack::Ours::User);
        QStringList differences;
        for (const SitePack::Difference &d : comparison.sites.at(2).differences)
            differences << d.caption + QLatin1Char(':') + d.ours + QLatin1Char('>') + d.theirs;
        QCOMPARE(differences, QStringList({"Web site:Mine>mine", "Notes:>new notes",
                                           "field map:57=p>57=p\n61=description"}));
    }

    void chosenSitesReplaceTheUsersOfTheirNameOrAreAdded()
    {
        UserSites::File file;
        file.entries.append({{}, QByteArray("not a site"), false});
        file.setSite(QString(), cells("Mine|||yes|http://m/s|0|||57=p"));
        const UserSites::File applied =
            SitePack::apply(file, {cells("MINE||theirs|yes|http://m/s|0|||57=p"),
                                   cells("Fresh|||yes|http://f/s|0|u\tp||57=p")});
        QCOMPARE(applied.entries.size(), 3);
        QCOMPARE(applied.entries.at(0).raw, QByteArray("not a site"));
        QCOMPARE(applied.sites(), QList<QStringList>({cells("MINE||theirs|yes|http://m/s|0|||57=p"),
                                                      cells("Fresh|||yes|http://f/s|0|||57=p")}));
    }
};

QTEST_GUILESS_MAIN(TestSitePack)
#include "test_sitepack.moc"
