#include "catalogue/fieldcatalogue.h"
#include "catalogue/pseudofields.h"

#include <QTest>

class TestPseudoFields : public QObject
{
    Q_OBJECT

private slots:
    void fieldNumberResolvesTo_data();
    void fieldNumberResolvesTo();
};

void TestPseudoFields::fieldNumberResolvesTo_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("defined");
    QTest::addColumn<QString>("value");
    QTest::newRow("first software field") << 0 << true << "Field 0";
    QTest::newRow("PAD address") << 57 << true << "Field 57";
    QTest::newRow("mark column") << 104 << true << "Field 104";
    QTest::newRow("site password") << -1 << true << "secret";
    QTest::newRow("site user name") << -2 << true << "ana";
    QTest::newRow("kb") << -10 << true << "kb";
    QTest::newRow("yes") << -11 << true << "yes";
    QTest::newRow("no") << -12 << true << "no";
    QTest::newRow("one") << -13 << true << "1";
    QTest::newRow("zero") << -14 << true << "0";
    QTest::newRow("empty constant") << -15 << true << "";
    QTest::newRow("gap after user name") << -3 << false << "";
    QTest::newRow("gap before constants") << -9 << false << "";
    QTest::newRow("below the constants") << -16 << false << "";
    QTest::newRow("beyond the record") << 105 << false << "";
}

void TestPseudoFields::fieldNumberResolvesTo()
{
    QFETCH(int, n);
    QFETCH(bool, defined);
    QFETCH(QString, value);
    PseudoFields::Context context;
    for (int i = 0; i < FieldCatalogue::FieldCount; ++i)
        context.record.append(QStringLiteral("Field %1").arg(i));
    context.constants = PseudoFields::constantValueList();
    context.sitePassword = "secret";
    context.siteUserName = "ana";

    const std::optional<QString> resolved = PseudoFields::value(n, context);
    QCOMPARE(resolved.has_value(), defined);
    if (defined)
        QCOMPARE(*resolved, value);
}

QTEST_APPLESS_MAIN(TestPseudoFields)
#include "test_pseudofields.moc"
