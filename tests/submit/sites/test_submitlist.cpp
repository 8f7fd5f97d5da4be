// The submit list's rules: the table built from the site library, its order,
// the marking commands and the enabling of the view's buttons.

#include "support/builtfiles.h"

#include "submit/sites/submitlist.h"
#include "support/fakeaddresshandler.h"

#include <QTest>

namespace {

SiteLibrary::LoadResult libraryOf(const QList<QStringList> &records)
{
    SiteLibrary::LoadResult result;
    result.ok = true;
    result.records = records;
    return result;
}

QList<int> markedRows(const SubmitList &list)
{
    QList<int> rows;
    for (int r = 1; r <= list.siteRowCount(); ++r) {
        if (Marks::isMarked(list.table(), r))
            rows.append(r);
    }
    return rows;
}

QStringList columnZero(const Table &table)
{
    QStringList names;
    for (int r = 1; r < table.rowCount(); ++r)
        names.append(table.cell(0, r));
    return names;
}

} // namespace

class TestSubmitList : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void theSiteTableGivesTwentyColumnsSortedWithTheMarkInColumnNineteen();
    void rowsSortByNameIgnoringCaseWithTiesBrokenByTheFollowingCells_data();
    void rowsSortByNameIgnoringCaseWithTiesBrokenByTheFollowingCells();
    void theRememberedSiteIsFoundIgnoringCaseOrTheFirstRowIsCurrent();
    void markingCommandsSetTheMarks_data();
    void markingCommandsSetTheMarks();
    void turningSelectAllSubmitSitesOffClearsEveryMark();
    void aRowClickEnablesRegisterAndAutoSubmitByTheSiteRecord_data();
    void aRowClickEnablesRegisterAndAutoSubmitByTheSiteRecord();
    void registerAtSiteWantsExactlyOneSelectedRow();
    void openSiteInBrowserHandsTheHomePageOverUnchanged();
    void onlyWebAndMailHomePagesAreOpened_data();
    void onlyWebAndMailHomePagesAreOpened();

private:
    SubmitList m_list;
};

void TestSubmitList::initTestCase()
{
    const SiteLibrary::LoadResult library = SiteLibrary::loadFile(builtSiteLibrary());
    QVERIFY2(library.ok, qPrintable(library.reason));
    m_list.fill(library);
}

void TestSubmitList::theSiteTableGivesTwentyColumnsSortedWithTheMarkInColumnNineteen()
{
    const Table &t = m_list.table();
    QCOMPARE(t.columnCount(), 20);
    QCOMPARE(m_list.markColumn(), 19);
    QCOMPARE(t.row(0), (QStringList{"Web site", "URL", "Notes", "auto", "Submit", "Login", "user pass",
                                    "reg url"} + QStringList(12)));
    QCOMPARE(columnZero(t), (QStringList{"1000files", "AmazingFiles", "BestSoftware", "DownloadChoice",
                                         "Downloadplaza", "FileHungry", "FilesWeb", "FreeTrialDownloads",
                                         "FreewareHome", "SharewareLinks"}));
    // The records moved with their names; the widest ends right before the mark.
    QCOMPARE(t.cell(SiteRecord::Notes, 7), QStringLiteral("Must link back"));
    QCOMPARE(t.cell(18, 9), QStringLiteral("47=c_Category"));
    QCOMPARE(Marks::count(t), 0);
}

void TestSubmitList::rowsSortByNameIgnoringCaseWithTiesBrokenByTheFollowingCells_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::addColumn<QList<QStringList>>("sorted");

    for (const char *locale : {"C", "en_US", "de_DE"}) {
        const QString l = QString::fromLatin1(locale);
        QTest::addRow("%s: case ignored", locale) << l << QList<QStringList>{{"beta"}, {"Gamma"}, {"alpha"}}
                                                 << QList<QStringList>{{"alpha"}, {"beta"}, {"Gamma"}};
        QTest::addRow("%s: prefix first", locale)
            << l << QList<QStringList>{{"FilesWeb"}, {"Files"}, {"FileHungry"}}
            << QList<QStringList>{{"FileHungry"}, {"Files"}, {"FilesWeb"}};
        QTest::addRow("%s: ties by the next cells", locale)
            << l << QList<QStringList>{{"Site", "http://b"}, {"Site", "http://a"}}
            << QList<QStringList>{{"Site", "http://a"}, {"Site", "http://b"}};
        // Cells are not split back out of the sort key.
        QTest::addRow("%s: a cell holding the separator", locale)
            << l << QList<QStringList>{{"b", "x%@%y", "z"}, {"a", "", "%@%"}}
            << QList<QStringList>{{"a", "", "%@%"}, {"b", "x%@%y", "z"}};
    }
}

void TestSubmitList::rowsSortByNameIgnoringCaseWithTiesBrokenByTheFollowingCells()
{
    QFETCH(QString, locale);
    QFETCH(QList<QStringList>, rows);
    QFETCH(QList<QStringList>, sorted);

    Table t(3, int(rows.size()) + 1);
    t.setCell(0, 0, QStringLiteral("Web site"));
    for (int r = 0; r < rows.size(); ++r)
        t.setRow(r + 1, rows.at(r));
    QCollator collator{QLocale(locale)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    SiteSort::sortRows(t, collator);
    QCOMPARE(t.cell(0, 0), QStringLiteral("Web site"));
    for (int r = 0; r < sorted.size(); ++r)
        QCOMPARE(t.row(r + 1), sorted.at(r) + QStringList(3 - sorted.at(r).size()));
}

void TestSubmitList::theRememberedSiteIsFoundIgnoringCaseOrTheFirstRowIsCurrent()
{
    QCOMPARE(m_list.siteName(m_list.rowForSubmitTo(QStringLiteral("freewarehome"))),
             QStringLiteral("FreewareHome"));
    for (const QString &gone : {QStringLiteral("GoneSite"), QString(), QStringLiteral("Files")})
        QCOMPARE(m_list.rowForSubmitTo(gone), 1);
}

void TestSubmitList::markingCommandsSetTheMarks_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<QList<int>>("marked");

    // Row 9 is marked by hand before each command.
    QTest::newRow("press on the box marks") << "press" << 11 << 3 << QList<int>{3, 9};
    QTest::newRow("press on the box unmarks") << "press" << 0 << 9 << QList<int>{};
    QTest::newRow("press beside the box") << "press" << 12 << 3 << QList<int>{9};
    QTest::newRow("press on the heading") << "press" << 5 << 0 << QList<int>{9};
    QTest::newRow("select sites") << "select" << 2 << 4 << QList<int>{2, 3, 4, 9};
    QTest::newRow("select sites upwards") << "select" << 4 << 2 << QList<int>{2, 3, 4, 9};
    QTest::newRow("select past the last row") << "select" << 8 << 40 << QList<int>{8, 9, 10};
    QTest::newRow("double click") << "double" << 3 << 0 << QList<int>{3};
    QTest::newRow("submit from the menu") << "submit" << 9 << 0 << QList<int>{9};
}

void TestSubmitList::markingCommandsSetTheMarks()
{
    QFETCH(QString, command);
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(QList<int>, marked);

    SubmitList list = m_list;
    list.Pop_u_selectClick(9, 9);
    if (command == QLatin1String("press"))
        list.StringGrid_url_listMouseDown(a, b);
    else if (command == QLatin1String("select"))
        list.Pop_u_selectClick(a, b);
    else if (command == QLatin1String("double"))
        list.StringGrid_url_listDblClick(a);
    else
        list.Pop_u_submitClick(a);
    QCOMPARE(markedRows(list), marked);
    QCOMPARE(list.table().cell(list.markColumn(), 0), QString());
}

void TestSubmitList::turningSelectAllSubmitSitesOffClearsEveryMark()
{
    SubmitList list = m_list;
    list.StringGrid_url_listMouseDown(0, 4);
    const SubmitList::SelectAllSites on = list.toggleSelectAllSubmitSites(QStringLiteral("FilesWeb"));
    QVERIFY(on.on && list.selectAllSubmitSites());
    QCOMPARE(on.selectLast, 10);
    QCOMPARE(Marks::count(list.table()), 10);

    const SubmitList::SelectAllSites off = list.toggleSelectAllSubmitSites(QStringLiteral("FilesWeb"));
    QVERIFY(!off.on && !list.selectAllSubmitSites());
    QCOMPARE(markedRows(list), QList<int>{});
    QCOMPARE(list.siteName(off.currentRow), QStringLiteral("FilesWeb"));

    // A row click while it is on turns it off and lands on the remembered site.
    list.setSelectAllSubmitSites(true, QString());
    const SubmitList::RowClick click = list.rowClicked(6, QStringLiteral("BestSoftware"));
    QVERIFY(click.selectAllTurnedOff && !list.selectAllSubmitSites());
    QCOMPARE(Marks::count(list.table()), 0);
    QCOMPARE(click.submitTo, QStringLiteral("BestSoftware"));
    QCOMPARE(click.historyRow, list.rowForSubmitTo(QStringLiteral("BestSoftware")));
    QCOMPARE(list.rowClicked(6, click.submitTo).submitTo, list.siteName(6));
}

void TestSubmitList::aRowClickEnablesRegisterAndAutoSubmitByTheSiteRecord_data()
{
    QTest::addColumn<QString>("notes");
    QTest::addColumn<QString>("autoCell");
    QTest::addColumn<QString>("userPass");
    QTest::addColumn<bool>("registerEnabled");
    QTest::addColumn<bool>("autoSubmitEnabled");

    QTest::newRow("account wanted, none stored") << "Must register first" << "yes" << "" << true << true;
    QTest::newRow("account wanted, a lone tab") << "Must register first" << "yes" << "\t" << false << true;
    QTest::newRow("account wanted, a pair") << "Must register first" << "yes" << "me\tpw" << false << true;
    QTest::newRow("notes in other case") << "must register first" << "yes" << "" << false << true;
    QTest::newRow("auto exactly no") << "" << "no" << "" << false << false;
    QTest::newRow("auto No counts as automatic") << "" << "No" << "" << false << true;
    QTest::newRow("auto empty counts as automatic") << "" << "" << "" << false << true;
}

void TestSubmitList::aRowClickEnablesRegisterAndAutoSubmitByTheSiteRecord()
{
    QFETCH(QString, notes);
    QFETCH(QString, autoCell);
    QFETCH(QString, userPass);
    QFETCH(bool, registerEnabled);
    QFETCH(bool, autoSubmitEnabled);

    SubmitList list;
    list.fill(libraryOf({{"Alpha"}, {"Zulu", "http://z.example", notes, autoCell, "", "0", userPass}}));
    const SubmitList::RowClick click = list.rowClicked(2, QStringLiteral("Alpha"));
    QCOMPARE(click.submitTo, QStringLiteral("Zulu"));
    QCOMPARE(click.registerEnabled, registerEnabled);
    QCOMPARE(click.autoSubmitEnabled, autoSubmitEnabled);
}

void TestSubmitList::registerAtSiteWantsExactlyOneSelectedRow()
{
    using Action = SubmitList::RegisterAction;
    QCOMPARE(m_list.registerAction(1), Action::Open);
    QCOMPARE(m_list.registerAction(2), Action::OneSiteOnly);
    QCOMPARE(SubmitList().registerAction(2), Action::Nothing);
    QCOMPARE(SubmitList::registerOneSiteMessage(),
             QStringLiteral("Please select only one site to register to at a time!"));
    QVERIFY(SubmitList::sitePasswordEnabled(1));
    QVERIFY(!SubmitList::sitePasswordEnabled(2));
}

void TestSubmitList::openSiteInBrowserHandsTheHomePageOverUnchanged()
{
    const QString odd = QStringLiteral("http://www.x.example/a b?q=1&r=\u00fc %20");
    SubmitList list;
    list.fill(libraryOf({{"Site", odd}}));
    FakeAddressHandler handler;
    QCOMPARE(list.openHomePage(1, handler), QString());
    QCOMPARE(m_list.openHomePage(7, handler), QString());
    QCOMPARE(handler.opened, (QStringList{odd, "http://www.filesweb.example/"}));
}

void TestSubmitList::onlyWebAndMailHomePagesAreOpened_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("opened");
    QTest::newRow("https, any letter case") << "HTTPS://files.example/" << true;
    QTest::newRow("mailto") << "mailto:editor@files.example" << true;
    QTest::newRow("a file address") << "file:///etc/passwd" << false;
    QTest::newRow("a local path") << "/usr/bin/xterm" << false;
    QTest::newRow("a program with arguments") << "xterm -e sh" << false;
    QTest::newRow("another scheme") << "smb://host/share" << false;
    QTest::newRow("http without a host") << "http:///etc" << false;
    QTest::newRow("empty") << "" << false;
}

void TestSubmitList::onlyWebAndMailHomePagesAreOpened()
{
    QFETCH(QString, address);
    QFETCH(bool, opened);
    SubmitList list;
    list.fill(libraryOf({{"Site", address}}));
    FakeAddressHandler handler;
    const QString refusal = list.openHomePage(1, handler);
    QCOMPARE(handler.opened, opened ? QStringList{address} : QStringList{});
    QCOMPARE(refusal.isEmpty(), opened);
    if (!opened)
        QVERIFY(refusal.contains(address));
}

QTEST_GUILESS_MAIN(TestSubmitList)
#include "test_submitlist.moc"
