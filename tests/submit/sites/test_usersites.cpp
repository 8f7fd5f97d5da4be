// The user's own sites file and how its records join the site library's in
// the submit list, over real files in a temporary folder.

#include "platform/recordfile.h"
#include "submit/formwalk/sitevalidation.h"
#include "submit/sites/submitlist.h"
#include "submit/sites/usersites.h"
#include "support/builtfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray framed(const QList<QByteArray> &records)
{
    QByteArray out;
    for (const QByteArray &record : records)
        RecordFile::appendFramed(out, record);
    return out;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList names(const Table &table)
{
    QStringList list;
    for (int r = 1; r < table.rowCount(); ++r)
        list.append(table.cell(0, r));
    return list;
}

QStringList site(const QString &name, const QString &notes = QString())
{
    return {name, QStringLiteral("http://h/"), notes, QStringLiteral("yes"),
            QStringLiteral("http://h/s"), QStringLiteral("0"), QString(), QString(),
            QStringLiteral("57=padurl")};
}

} // namespace

class TestUserSites : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(QStringLiteral("Kelvane_sites.dat")); }

private slots:
    void init() { QFile::remove(path()); }

    void aSiteIsStoredInTheLibraryLayoutAndReadBack()
    {
        UserSites::File file;
        file.setSite(QString(), {QStringLiteral("MySite"), QStringLiteral("http://my.test"),
                                 QStringLiteral("caf\u00e9"), QStringLiteral("no"),
                                 QStringLiteral("http://my.test/add"), QStringLiteral("1"),
                                 QString(), QString(), QStringLiteral("-2=user"),
                                 QStringLiteral("57=pad"), QString(), QStringLiteral("9=lost")});
        QCOMPARE(UserSites::save(file, path()), QString());
        // Entries end at the first blank cell; "é" is one byte.
        const QByteArray text = "MySite|http://my.test|caf\xe9|no|http://my.test/add|1|||-2=user|57=pad";
        QCOMPARE(readAll(path()), QByteArray("\x43\0\0\0", 4) + text);

        const UserSites::LoadResult loaded = UserSites::load(path());
        QVERIFY(loaded.fileExisted);
        QCOMPARE(loaded.problem, QString());
        QCOMPARE(loaded.file.sites(),
                 QList<QStringList>({{QStringLiteral("MySite"), QStringLiteral("http://my.test"),
                                      QStringLiteral("caf\u00e9"), QStringLiteral("no"),
                                      QStringLiteral("http://my.test/add"), QStringLiteral("1"),
                                      QString(), QString(), QStringLiteral("-2=user"),
                                      QStringLiteral("57=pad")}}));
    }

    void aDamagedFileKeepsItsValidRecordsACopyAndGivesOneMessage()
    {
        QByteArray bytes = framed({"A|h|||http://a/s|0|||57=p", "B|h|||http://b/s|0|||57=p"});
        bytes += QByteArray("\xff\x00\x00\x00" "C|h", 7); // claims 255 bytes, holds 3
        QVERIFY(writeFile(path(), bytes));

        const UserSites::LoadResult loaded = UserSites::load(path());
        QCOMPARE(loaded.file.sites().size(), 2);
        QCOMPARE(loaded.file.sites().at(1).value(0), QStringLiteral("B"));
        QVERIFY(loaded.problem.contains(QDir::toNativeSeparators(path())));
        QCOMPARE(loaded.problem.count(QLatin1Char('\n')), 0);
        const QStringList copies =
            QDir(m_dir.path()).entryList({QStringLiteral("Kelvane_sites.dat.bad-*")});
        QCOMPARE(copies.size(), 1);
        QCOMPARE(readAll(m_dir.filePath(copies.first())), bytes);
        QFile::remove(m_dir.filePath(copies.first()));
    }

    void recordsThatAreNoSitesAreSkippedNamedAndWrittenBackUnchanged_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no name") << QByteArray("|http://h|||http://h/s|0|||57=p")
                                 << QStringLiteral("row 2 has no site name");
        QTest::newRow("fewer than eight cells") << QByteArray("Short|http://h|notes")
                                                << QStringLiteral("row 2 holds 3 of the 8 cells");
        QTest::newRow("a second record of a name, case aside")
            << QByteArray("good|http://h|||http://h/s|0|||57=p")
            << QStringLiteral("row 2 names the site \"good\" a second time");
        QTest::newRow("more cells than a site may have")
            << QByteArray("Wide|h|||http://h/s|0||") + QByteArray(1100, '|')
            << QStringLiteral("row 2 holds more than 1024 cells");
        QTest::newRow("a record one byte past a library record's size")
            << QByteArray("Long|http://h|||http://h/s|0|||57=p|1=") + QByteArray(65536 - 37, 'x')
            << QStringLiteral("row 2 is longer than a site record may be (65536 bytes)");
        QTest::newRow("a script for its submission address")
            << QByteArray("Js|http://h|||javascript:alert(1)|0|||57=p")
            << QStringLiteral("row 2, the site \"Js\": The submission address must be an http:// "
                              "or https:// address with a host.");
        QTest::newRow("an entry that is no number=name")
            << QByteArray("Bad|http://h|||http://h/s|0|||padurl")
            << QStringLiteral("row 2, the site \"Bad\": The field map entry 1, \"padurl\", is not "
                              "of the form number=name.");
    }

    void recordsThatAreNoSitesAreSkippedNamedAndWrittenBackUnchanged()
    {
        QFETCH(QByteArray, record);
        QFETCH(QString, reason);
        const QByteArray good = "Good|http://g|||http://g/s|0|||57=p";
        QVERIFY(writeFile(path(), framed({good, record})));

        UserSites::LoadResult loaded = UserSites::load(path(), [](const QStringList &cells) {
            return SiteValidation::check(cells).message;
        });
        QCOMPARE(loaded.skippedRows, QList<int>{2});
        QVERIFY2(loaded.problem.contains(reason), qPrintable(loaded.problem));
        QVERIFY(loaded.problem.contains(QDir::toNativeSeparators(path())));
        QCOMPARE(loaded.file.sites().size(), 1);

        loaded.file.setSite(QString(), site(QStringLiteral("New")));
        QCOMPARE(UserSites::save(loaded.file, path()), QString());
        QCOMPARE(readAll(path()),
                 framed({good, record, "New|http://h/||yes|http://h/s|0|||57=padurl"}));
    }

    // Each row saves an edited "One" (notes "edited") beside "Two".
    void anEditedSiteKeepsOneRecordOfItsName_data()
    {
        QTest::addColumn<QString>("savedAs");
        QTest::addColumn<QStringList>("names"); // in the file, in order
        QTest::addColumn<QString>("removable");  // gone after one remove

        QTest::newRow("under its own name") << "One" << QStringList{"One", "Two"} << "one";
        QTest::newRow("under its own name in other letter case") << "ONE" << QStringList{"ONE", "Two"} << "One";
        QTest::newRow("under a new name") << "Three" << QStringList{"Three", "Two"} << "three";
        QTest::newRow("onto another of the user's sites") << "two" << QStringList{"two"} << "TWO";
    }

    void anEditedSiteKeepsOneRecordOfItsName()
    {
        QFETCH(QString, savedAs);
        QFETCH(QStringList, names);
        QFETCH(QString, removable);
        UserSites::File file;
        file.setSite(QString(), site(QStringLiteral("One")));
        file.setSite(QString(), site(QStringLiteral("Two")));
        file.setSite(QStringLiteral("One"), site(savedAs, QStringLiteral("edited")));
        QStringList stored;
        for (const QStringList &record : file.sites())
            stored.append(record.value(0));
        QCOMPARE(stored, names);
        QCOMPARE(file.sites().at(file.indexOf(savedAs)).value(2), QStringLiteral("edited"));
        QVERIFY(file.removeSite(removable));
        QCOMPARE(file.indexOf(savedAs), -1);
    }

    void theMessageNamesTheFirstTenRefusedRecordsAndCountsTheRest()
    {
        QList<QByteArray> records;
        for (int n = 0; n < 12; ++n)
            records.append("|http://h|||http://h/s|0|||57=p");
        QVERIFY(writeFile(path(), framed(records)));
        const UserSites::LoadResult loaded = UserSites::load(path());
        QCOMPARE(loaded.problem.section(QStringLiteral(": "), 1),
                 QStringLiteral("row 1 has no site name; row 2 has no site name; row 3 has no site name; "
                                "row 4 has no site name; row 5 has no site name; row 6 has no site name; "
                                "row 7 has no site name; row 8 has no site name; row 9 has no site name; "
                                "row 10 has no site name; and 2 more."));
    }

    void userSitesJoinTheLibrarysSortedAndReplaceASiteOfTheSameName()
    {
        SiteLibrary::LoadResult library;
        library.ok = true;
        library.records = {site(QStringLiteral("Zeta")), site(QStringLiteral("alpha"), QStringLiteral("lib")),
                           site(QStringLiteral("Mid"))};
        SubmitList list;
        list.fill(library, {site(QStringLiteral("ALPHA"), QStringLiteral("mine")),
                            site(QStringLiteral("beta"))});
        QCOMPARE(names(list.table()), QStringList({QStringLiteral("ALPHA"), QStringLiteral("beta"),
                                                   QStringLiteral("Mid"), QStringLiteral("Zeta")}));
        QCOMPARE(list.table().cell(2, 1), QStringLiteral("mine"));
        QCOMPARE(list.origin(1), SubmitList::Origin::UserReplacing);
        QCOMPARE(list.origin(2), SubmitList::Origin::User);
        QCOMPARE(list.origin(3), SubmitList::Origin::Library);
        QCOMPARE(list.markColumn(), 9);

        // Without the user's copy the library's record comes back.
        list.setUserSites({site(QStringLiteral("beta"))});
        QCOMPARE(names(list.table()), QStringList({QStringLiteral("alpha"), QStringLiteral("beta"),
                                                   QStringLiteral("Mid"), QStringLiteral("Zeta")}));
        QCOMPARE(list.table().cell(2, 1), QStringLiteral("lib"));
        QCOMPARE(list.origin(1), SubmitList::Origin::Library);
    }
};

QTEST_GUILESS_MAIN(TestUserSites)
#include "test_usersites.moc"
