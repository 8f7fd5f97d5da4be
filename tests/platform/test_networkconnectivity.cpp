// The connectivity port on QNetworkInformation: what each reachability
// means, and a system without any backend still counting as online.

#include "platform/networkconnectivity.h"

#include <QTest>

using Reach = QNetworkInformation::Reachability;

class TestNetworkConnectivity : public QObject
{
    Q_OBJECT

private slots:
    void onlyADisconnectedSystemIsOffline_data();
    void onlyADisconnectedSystemIsOffline();
    void withoutABackendTheSystemCountsAsOnline();
};

void TestNetworkConnectivity::onlyADisconnectedSystemIsOffline_data()
{
    QTest::addColumn<Reach>("reachability");
    QTest::addColumn<bool>("online");

    QTest::newRow("online") << Reach::Online << true;
    QTest::newRow("disconnected") << Reach::Disconnected << false;
    QTest::newRow("not known yet") << Reach::Unknown << true;
    QTest::newRow("local network only") << Reach::Local << true;
    QTest::newRow("site network or captive portal") << Reach::Site << true;
}

void TestNetworkConnectivity::onlyADisconnectedSystemIsOffline()
{
    QFETCH(Reach, reachability);
    QFETCH(bool, online);
    QCOMPARE(NetworkConnectivity::onlineFor(reachability), online);
}

void TestNetworkConnectivity::withoutABackendTheSystemCountsAsOnline()
{
    NetworkConnectivity connectivity(QStringLiteral("no such backend"));
    QVERIFY(!connectivity.hasBackend());
    QVERIFY(connectivity.isOnline());
}

QTEST_GUILESS_MAIN(TestNetworkConnectivity)
#include "test_networkconnectivity.moc"
