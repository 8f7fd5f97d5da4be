// The credential file "Kelvane_pass.dat" written and read for real, the
// records it skips, and what the TForm3 dialog shows and stores.

#include "support/runtables.h"

#include "platform/recordfile.h"
#include "submit/sites/credentials.h"
#include "submit/sites/submitlist.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Alpha, Beta, Gamma (in that order), the site mark after column 8.
Table sites()
{
    Table t = siteTable(3);
    t.setCell(0, 1, QStringLiteral("Alpha"));
    t.setCell(0, 2, QStringLiteral("Beta"));
    t.setCell(0, 3, QStringLiteral("Gamma"));
    return t;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray framed(const QList<QByteArray> &records)
{
    QByteArray out;
    for (const QByteArray &r : records)
        RecordFile::appendFramed(out, r);
    return out;
}

QStringList column6(const Table &t)
{
    QStringList cells;
    for (int r = 1; r < t.rowCount(); ++r)
        cells.append(t.cell(SiteRecord::UserPass, r));
    return cells;
}

// "ann<tab>pw" scrambled with the credential file pair (every byte XOR 0x0D).
const QByteArray AnnScrambled("lcc\x04}z", 6);

} // namespace

class TestCredentials : public QObject
{
    Q_OBJECT

private slots:
    void theFileHoldsOneScrambledRecordPerSiteWithAPair();
    void whatIsWrittenReadsBackIntoTheSameRows();
    void thePairOfASiteTheListLacksComesBackWithTheSite();
    void loadingSkipsWhatItCannotUse_data();
    void loadingSkipsWhatItCannotUse();
    void aRecordLongerThanTheFileEndsTheLoadSafely();
    void confirmingTheEmptyDialogLeavesALoneTabThatIsNotKept();
    void theDialogShowsTheCurrentRowsPair_data();
    void theDialogShowsTheCurrentRowsPair();
    void theDialogRefusesWhatThePairCannotHold_data();
    void theDialogRefusesWhatThePairCannotHold();
};

void TestCredentials::theFileHoldsOneScrambledRecordPerSiteWithAPair()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kelvane_pass.dat"));
    Table t = sites();
    t.setCell(6, 1, QStringLiteral("ann\tpw"));
    t.setCell(6, 2, QStringLiteral("  \t "));   // blanks and a tab: no pair
    t.setCell(6, 3, QStringLiteral("\xe9\tx")); // a Windows-1252 letter: one byte

    QCOMPARE(Credentials::write(t, path), QString());
    const QByteArray golden = QByteArray("\x0c\0\0\0", 4) + "Alpha\t" + AnnScrambled
                              + QByteArray("\x09\0\0\0", 4) + "Gamma\t" + "\xe4\x04u";
    QCOMPARE(contents(path), golden);
    QCOMPARE(QFile::permissions(path) & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther
                                         | QFile::WriteOther),
             QFile::Permissions());

    // No pair left: an empty file, not the old one.
    t.setCell(6, 1, QString());
    t.setCell(6, 3, QString());
    QCOMPARE(Credentials::write(t, path), QString());
    QVERIFY(QFile::exists(path));
    QCOMPARE(contents(path), QByteArray());
}

void TestCredentials::whatIsWrittenReadsBackIntoTheSameRows()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kelvane_pass.dat"));
    Table t = sites();
    const QStringList pairs{"ann\tpw", "", "bob\ts\u00e9cr\u00eat \u20ac|%"};
    for (int r = 1; r <= 3; ++r)
        t.setCell(6, r, pairs.at(r - 1));
    QCOMPARE(Credentials::write(t, path), QString());

    Table fresh = sites();
    const Credentials::LoadResult loaded = Credentials::load(fresh, path);
    QVERIFY(loaded.fileExisted);
    QCOMPARE(loaded.loaded, 2);
    QCOMPARE(column6(fresh), pairs);
    QVERIFY(markedRows(fresh).isEmpty());
}

void TestCredentials::thePairOfASiteTheListLacksComesBackWithTheSite()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kelvane_pass.dat"));
    Table all = sites();
    all.setCell(6, 1, QStringLiteral("ann\tpw"));
    all.setCell(6, 2, QStringLiteral("bob\tpw2"));
    QCOMPARE(Credentials::write(all, path), QString());

    // A library without Beta: Alpha's pair changes, Beta's is kept as it was.
    Table withoutBeta = siteTable(2);
    withoutBeta.setCell(0, 1, QStringLiteral("Alpha"));
    withoutBeta.setCell(0, 2, QStringLiteral("Gamma"));
    Credentials::load(withoutBeta, path);
    withoutBeta.setCell(6, 1, QStringLiteral("ann\tnew"));
    QCOMPARE(Credentials::write(withoutBeta, path), QString());
    QCOMPARE(Credentials::write(withoutBeta, path), QString());

    Table back = sites();
    const Credentials::LoadResult loaded = Credentials::load(back, path);
    QCOMPARE(loaded.loaded, 2);
    QCOMPARE(loaded.duplicates, 0);
    QCOMPARE(column6(back), (QStringList{"ann\tnew", "bob\tpw2", ""}));
    // A pair the user clears on a site the list holds is gone for good.
    back.setCell(6, 2, QString());
    QCOMPARE(Credentials::write(back, path), QString());
    Table again = sites();
    Credentials::load(again, path);
    QCOMPARE(column6(again), (QStringList{"ann\tnew", "", ""}));
}

void TestCredentials::loadingSkipsWhatItCannotUse_data()
{
    QTest::addColumn<QList<QByteArray>>("records");
    QTest::addColumn<QStringList>("column6");
    QTest::addColumn<int>("unknown");
    QTest::addColumn<int>("duplicates");
    QTest::addColumn<int>("malformed");

    const QByteArray bobScrambled = Credentials::recordText(QString(), QStringLiteral("bob\tq")).mid(1);
    QTest::newRow("a site name differing in letter case")
        << QList<QByteArray>{"gAMMA\t" + AnnScrambled} << QStringList{"", "", "ann\tpw"} << 0 << 0 << 0;
    QTest::newRow("a site named twice keeps the first")
        << QList<QByteArray>{"Beta\t" + AnnScrambled, "BETA\t" + bobScrambled,
                             "Alpha\t" + bobScrambled}
        << QStringList{"bob\tq", "ann\tpw", ""} << 0 << 1 << 0;
    QTest::newRow("an unknown site")
        << QList<QByteArray>{"Delta\t" + AnnScrambled, "Alpha\t" + AnnScrambled}
        << QStringList{"ann\tpw", "", ""} << 1 << 0 << 0;
    QTest::newRow("a prefix of a site is not the site")
        << QList<QByteArray>{"Alph\t" + AnnScrambled} << QStringList{"", "", ""} << 1 << 0 << 0;
    QTest::newRow("records without a site name")
        << QList<QByteArray>{"Alpha", "\t" + AnnScrambled, "", "Beta\t" + AnnScrambled}
        << QStringList{"", "ann\tpw", ""} << 0 << 0 << 3;
}

void TestCredentials::loadingSkipsWhatItCannotUse()
{
    QFETCH(QList<QByteArray>, records);
    QFETCH(QStringList, column6);
    QFETCH(int, unknown);
    QFETCH(int, duplicates);
    QFETCH(int, malformed);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kelvane_pass.dat"));
    QVERIFY(writeBytes(path, framed(records)));
    Table t = sites();
    const Credentials::LoadResult loaded = Credentials::load(t, path);
    QCOMPARE(::column6(t), column6);
    QCOMPARE(loaded.unknownSites, unknown);
    QCOMPARE(loaded.duplicates, duplicates);
    QCOMPARE(loaded.malformed, malformed);
    QVERIFY(loaded.problem.isEmpty());
}

void TestCredentials::aRecordLongerThanTheFileEndsTheLoadSafely()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kelvane_pass.dat"));
    const QByteArray damaged = framed({"Alpha\t" + AnnScrambled}) + QByteArray("\xe8\x03\0\0", 4)
                               + "Beta\t" + AnnScrambled;
    QVERIFY(writeBytes(path, damaged));

    Table t = sites();
    const Credentials::LoadResult loaded = Credentials::load(t, path);
    QCOMPARE(column6(t), (QStringList{"ann\tpw", "", ""}));
    QVERIFY(!loaded.problem.isEmpty());
    // The damaged file is kept before the next write replaces it.
    const QStringList copies = QDir(dir.path()).entryList({"Kelvane_pass.dat.bad-*"}, QDir::Files);
    QCOMPARE(copies.size(), 1);
    QCOMPARE(contents(dir.filePath(copies.first())), damaged);
}

void TestCredentials::confirmingTheEmptyDialogLeavesALoneTabThatIsNotKept()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kelvane_pass.dat"));
    SiteLibrary::LoadResult library;
    library.ok = true;
    library.records = {{"Alpha", "http://alpha.example/", SubmitList::mustRegisterFirst(), "yes",
                        "http://alpha.example/add", "1", "", "http://alpha.example/join", "0=name"}};
    SubmitList list;
    list.fill(library);
    QVERIFY(list.siteRegisterEnabled(1));

    QCOMPARE(Credentials::store(list.table(), 1, QString(), QString(), path), QString());
    QCOMPARE(list.table().cell(6, 1), QStringLiteral("\t"));
    QVERIFY(!list.siteRegisterEnabled(1));
    QVERIFY(Credentials::isEmpty(list.table().cell(6, 1)));
    QCOMPARE(contents(path), QByteArray());

    // After a restart the column is empty again.
    SubmitList restarted;
    restarted.fill(library);
    Credentials::load(restarted.table(), path);
    QCOMPARE(restarted.table().cell(6, 1), QString());
}

void TestCredentials::theDialogShowsTheCurrentRowsPair_data()
{
    QTest::addColumn<QString>("userPass");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("pass");

    QTest::newRow("a pair") << "ann\tpw" << "ann" << "pw";
    QTest::newRow("no tab: all password") << "secret" << "" << "secret";
    QTest::newRow("a lone tab") << "\t" << "" << "";
    QTest::newRow("split at the first tab") << "a\tb\tc" << "a" << "b\tc";
    QTest::newRow("nothing stored") << "" << "" << "";
}

void TestCredentials::theDialogShowsTheCurrentRowsPair()
{
    QFETCH(QString, userPass);
    QFETCH(QString, user);
    QFETCH(QString, pass);

    Table t = sites();
    t.setCell(6, 2, userPass);
    QCOMPARE(Credentials::dialogFor(t, 2), (Credentials::DialogFields{"Beta", user, pass}));

    t.setCell(0, 2, QString());
    QVERIFY(!Credentials::dialogFor(t, 2));
    QVERIFY(!Credentials::dialogFor(t, 0));
}

void TestCredentials::theDialogRefusesWhatThePairCannotHold_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("pass");
    QTest::addColumn<bool>("refused");

    QTest::newRow("plain") << "ann" << "p\u00e4ss \u20ac" << false;
    QTest::newRow("both empty") << "" << "" << false;
    QTest::newRow("a tab in the user name") << "an\tn" << "pw" << true;
    QTest::newRow("a tab in the password") << "ann" << "p\tw" << true;
    QTest::newRow("a character outside Windows-1252") << "ann" << "\u0416" << true;
}

void TestCredentials::theDialogRefusesWhatThePairCannotHold()
{
    QFETCH(QString, user);
    QFETCH(QString, pass);
    QFETCH(bool, refused);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kelvane_pass.dat"));
    Table t = sites();
    t.setCell(6, 1, QStringLiteral("old\tpair"));
    const QString answer = Credentials::store(t, 1, user, pass, path);
    QCOMPARE(!answer.isEmpty(), refused);
    QCOMPARE(t.cell(6, 1), refused ? QStringLiteral("old\tpair") : user + QLatin1Char('\t') + pass);
    QCOMPARE(QFile::exists(path), !refused);
    if (!refused) {
        Table fresh = sites();
        Credentials::load(fresh, path);
        QCOMPARE(fresh.cell(6, 1), Credentials::isEmpty(t.cell(6, 1)) ? QString() : t.cell(6, 1));
    }
}

QTEST_GUILESS_MAIN(TestCredentials)
#include "test_credentials.moc"
