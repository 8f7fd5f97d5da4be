#include "submit/formwalk/pagesnapshot.h"

#include <QFile>
#include <QTest>

class TestPageSnapshot : public QObject
{
    Q_OBJECT

private slots:
    void aFixtureReadsWithEveryProperty();
    void brokenSnapshotsReadAsEmptyWithoutLosingPlaces_data();
    void brokenSnapshotsReadAsEmptyWithoutLosingPlaces();
    void hugeCountsAreCutAndSaidSo_data();
    void hugeCountsAreCutAndSaidSo();
    void aSnapshotSurvivesItsOwnJson();
    void aLabelIsReadWhereThePageHasOne_data();
    void aLabelIsReadWhereThePageHasOne();
    void whereFormsLiveIsReadWithoutTrustingThePage_data();
    void whereFormsLiveIsReadWithoutTrustingThePage();
};

void TestPageSnapshot::aFixtureReadsWithEveryProperty()
{
    QFile f(KELVANE_TEST_DATA "/formwalk/every_kind.json");
    QVERIFY(f.open(QIODevice::ReadOnly));
    const PageSnapshot s = PageSnapshot::fromJson(f.readAll());
    QVERIFY(s.valid);
    QVERIFY(!s.truncated);
    QCOMPARE(s.title, QString("Submit your software"));
    QCOMPARE(s.forms.size(), 1);
    const SnapshotForm &form = s.forms.first();
    QCOMPARE(form.action, QString("/submit"));
    QCOMPARE(form.method, QString("post"));
    QCOMPARE(form.elements.size(), 13);
    const SnapshotElement &category = form.elements.at(4);
    QVERIFY(category.isSelect());
    QCOMPARE(category.options.size(), 3);
    QCOMPARE(category.options.at(1).text, QString("Utilities - System"));
    QCOMPARE(category.options.at(1).value, QString("us"));
    QVERIFY(category.options.at(0).selected && !category.options.at(1).selected);
    QVERIFY(form.elements.at(5).multiple);
    QVERIFY(form.elements.at(7).checked);
    QVERIFY(form.elements.at(10).isFieldset());
}

void TestPageSnapshot::brokenSnapshotsReadAsEmptyWithoutLosingPlaces_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("forms");
    QTest::addColumn<int>("elements");
    QTest::addColumn<QString>("lastName");   // name of the last element read

    QTest::newRow("not JSON") << QByteArray("{\"forms\": [") << false << 0 << 0 << "";
    QTest::newRow("an array, not an object") << QByteArray("[1, 2]") << false << 0 << 0 << "";
    QTest::newRow("no forms key") << QByteArray("{}") << true << 0 << 0 << "";
    QTest::newRow("forms that are no list") << QByteArray("{\"forms\": 7}") << true << 0 << 0 << "";
    QTest::newRow("a form that is no object keeps its place")
        << QByteArray("{\"forms\": [null, {\"elements\": [{\"name\": \"a\"}]}]}") << true << 2 << 1 << "a";
    QTest::newRow("an element that is no object keeps its place")
        << QByteArray("{\"forms\": [{\"elements\": [\"junk\", 5, {\"name\": \"b\"}]}]}") << true << 1 << 3 << "b";
    QTest::newRow("a name of the wrong type reads as empty")
        << QByteArray("{\"forms\": [{\"elements\": [{\"name\": 5, \"checked\": \"true\", \"options\": {}}]}]}")
        << true << 1 << 1 << "";
}

void TestPageSnapshot::brokenSnapshotsReadAsEmptyWithoutLosingPlaces()
{
    QFETCH(QByteArray, json);
    QFETCH(bool, valid);
    QFETCH(int, forms);
    QFETCH(int, elements);
    QFETCH(QString, lastName);

    const PageSnapshot s = PageSnapshot::fromJson(json);
    QCOMPARE(s.valid, valid);
    QCOMPARE(s.error.isEmpty(), valid);
    QCOMPARE(s.forms.size(), forms);
    QCOMPARE(s.elementCount(), elements);
    for (int i = 0; i < s.forms.size(); ++i)
        QCOMPARE(s.forms.at(i).index, i);
    if (elements) {
        const SnapshotElement &last = s.forms.last().elements.last();
        QCOMPARE(last.name, lastName);
        QVERIFY(!last.checked);
        QVERIFY(last.options.isEmpty());
    }
}

void TestPageSnapshot::hugeCountsAreCutAndSaidSo_data()
{
    QTest::addColumn<int>("forms");
    QTest::addColumn<int>("elementsPerForm");
    QTest::addColumn<int>("optionsPerElement");
    QTest::addColumn<int>("keptForms");
    QTest::addColumn<int>("keptElements");

    QTest::newRow("more forms than kept") << PageSnapshot::MaxForms + 5 << 0 << 0 << PageSnapshot::MaxForms << 0;
    QTest::newRow("more elements than kept") << 2 << PageSnapshot::MaxElements / 2 + 10 << 0 << 2 << PageSnapshot::MaxElements;
    QTest::newRow("more options than kept") << 1 << 3 << PageSnapshot::MaxOptions / 2 << 1 << 3;
}

void TestPageSnapshot::hugeCountsAreCutAndSaidSo()
{
    QFETCH(int, forms);
    QFETCH(int, elementsPerForm);
    QFETCH(int, optionsPerElement);
    QFETCH(int, keptForms);
    QFETCH(int, keptElements);

    QByteArray options = "[";
    for (int k = 0; k < optionsPerElement; ++k)
        options += k ? ",{}" : "{}";
    options += "]";
    QByteArray elements = "[";
    for (int k = 0; k < elementsPerForm; ++k)
        elements += (k ? ",{\"options\":" : "{\"options\":") + options + "}";
    elements += "]";
    QByteArray json = "{\"forms\":[";
    for (int k = 0; k < forms; ++k)
        json += (k ? ",{\"elements\":" : "{\"elements\":") + elements + "}";
    json += "]}";

    const PageSnapshot s = PageSnapshot::fromJson(json);
    QVERIFY(s.valid);
    QVERIFY(s.truncated);
    QCOMPARE(s.forms.size(), keptForms);
    QCOMPARE(s.elementCount(), keptElements);
    qsizetype allOptions = 0;
    for (const SnapshotForm &f : s.forms)
        for (const SnapshotElement &e : f.elements)
            allOptions += e.options.size();
    QVERIFY(allOptions <= PageSnapshot::MaxOptions);
}

void TestPageSnapshot::aSnapshotSurvivesItsOwnJson()
{
    QFile f(KELVANE_TEST_DATA "/formwalk/two_forms.json");
    QVERIFY(f.open(QIODevice::ReadOnly));
    const PageSnapshot s = PageSnapshot::fromJson(f.readAll());
    const PageSnapshot again = PageSnapshot::fromJson(s.toJson());
    QCOMPARE(again.toJson(), s.toJson());
    QCOMPARE(again.forms.at(1).elements.at(6).disabled, true);
    QCOMPARE(again.forms.at(1).elements.at(4).tag, QString("BUTTON"));
}

void TestPageSnapshot::aLabelIsReadWhereThePageHasOne_data()
{
    QTest::addColumn<QByteArray>("element");
    QTest::addColumn<QString>("label");

    QTest::newRow("an older snapshot without labels") << QByteArray(R"({"name":"a"})") << "";
    QTest::newRow("a label") << QByteArray(R"({"name":"a","label":"PAD file URL"})") << "PAD file URL";
    QTest::newRow("a label of the wrong type") << QByteArray(R"({"name":"a","label":7})") << "";
    QTest::newRow("a page's essay is cut") << (R"({"name":"a","label":")" + QByteArray(500, 'x') + R"("})") << QString(200, u'x');
}

void TestPageSnapshot::aLabelIsReadWhereThePageHasOne()
{
    QFETCH(QByteArray, element);
    QFETCH(QString, label);

    const PageSnapshot s = PageSnapshot::fromJson(R"({"forms":[{"elements":[)" + element + "]}]}");
    QCOMPARE(s.forms.at(0).elements.at(0).label, label);
    QCOMPARE(PageSnapshot::fromJson(s.toJson()).forms.at(0).elements.at(0).label, label);
}

void TestPageSnapshot::whereFormsLiveIsReadWithoutTrustingThePage_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("read");   // paths; loose forms; the foreign frames' forms; hidden; truncated

    const QByteArray forms = R"("forms":[{"path":"#0"},{"path":"/f1/s0#page","loose":true}])";
    QTest::newRow("a page with frames and loose controls")
        << "{" + forms + R"(,"foreign":[{"src":"https://x.example/","form":1},{"src":"https://y.example/"}],"hidden":2,"shape":"2:2:0:2"})"
        << "#0 /f1/s0#page | 1 | 1 -1 | 2 | 0";
    QTest::newRow("frames naming forms the page does not have")
        << "{" + forms + R"(,"foreign":[{"form":2},{"form":-3},{"form":"0"},7]})" << "#0 /f1/s0#page | 1 | -1 -1 -1 -1 | 0 | 0";
    QTest::newRow("counts of the wrong type or sign")
        << "{" + forms + R"(,"hidden":-4,"truncated":"yes"})" << "#0 /f1/s0#page | 1 |  | 0 | 0";
    QTest::newRow("a page that says it was cut")
        << "{" + forms + R"(,"hidden":1e12,"truncated":true})" << "#0 /f1/s0#page | 1 |  | 200000 | 1";
    QTest::newRow("loose of the wrong type") << QByteArray(R"({"forms":[{"loose":1,"path":5}]})") << " |  |  | 0 | 0";
}

void TestPageSnapshot::whereFormsLiveIsReadWithoutTrustingThePage()
{
    QFETCH(QByteArray, json);
    const PageSnapshot s = PageSnapshot::fromJson(json);
    QVERIFY(s.valid);
    QStringList paths, loose, frames;
    for (const SnapshotForm &f : s.forms) {
        paths << f.path;
        if (f.loose)
            loose << QString::number(f.index);
    }
    for (const SnapshotFrame &f : s.foreignFrames)
        frames << QString::number(f.form);
    const QString read = QStringList{paths.join(' '), loose.join(' '), frames.join(' '),
                                     QString::number(s.hiddenParts), QString::number(s.truncated)}
                             .join(" | ");
    QTEST(read, "read");
    // What was read survives its own JSON.
    QCOMPARE(PageSnapshot::fromJson(s.toJson()).toJson(), s.toJson());
}

QTEST_GUILESS_MAIN(TestPageSnapshot)
#include "test_pagesnapshot.moc"
