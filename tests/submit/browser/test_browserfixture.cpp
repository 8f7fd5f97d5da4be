// The headless browser set-up every browser test relies on: the real Qt
// WebEngine, an off-the-record profile without cache, and the loopback
// fixture server recording what a submitted form carried.
#include "support/fixtureserver.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineView>

class TestBrowserFixture : public QObject
{
    Q_OBJECT

private slots:
    void aFormFilledInTheIsolatedWorldReachesTheServer()
    {
        FixtureServer server;
        QVERIFY(server.start());
        server.page("/submit.php",
                    "<html><body><form method=post action=/done>"
                    "<input name=padurl><input type=submit name=go value=Send></form></body></html>");
        server.page("/done", "<html><body>thanks</body></html>");

        QWebEngineProfile profile; // off the record
        profile.setHttpCacheType(QWebEngineProfile::NoCache);
        QWebEnginePage page(&profile);
        QWebEngineView view;
        view.setPage(&page);
        view.resize(640, 380);
        view.show();

        QSignalSpy loaded(&page, &QWebEnginePage::loadFinished);
        page.load(server.url(QStringLiteral("/submit.php")));
        QVERIFY(loaded.wait(20000));
        QVERIFY(loaded.takeFirst().at(0).toBool());

        // Page scripts must not see our globals, so fill from the isolated world.
        const QString fill = QStringLiteral(
            "(function(v){var f=document.forms[0]; f.elements['padurl'].value=v.url;"
            " f.elements['go'].click(); return f.elements.length;})(%1)")
                                 .arg(QStringLiteral("{\"url\":\"http://x.example/pad.xml?a=1&b=\\\"2\\\"\"}"));
        QVariant count;
        bool answered = false;
        page.runJavaScript(fill, QWebEngineScript::ApplicationWorld, [&](const QVariant &v) {
            count = v;
            answered = true;
        });
        QTRY_VERIFY_WITH_TIMEOUT(answered, 10000);
        QCOMPARE(count.toInt(), 2);
        QTRY_COMPARE_WITH_TIMEOUT(server.requests("POST").size(), 1, 10000);
        const QByteArray body = server.requests("POST").first().body;
        QCOMPARE(body, QByteArray("padurl=http%3A%2F%2Fx.example%2Fpad.xml%3Fa%3D1%26b%3D%222%22&go=Send"));
    }
};

QTEST_MAIN(TestBrowserFixture)
#include "test_browserfixture.moc"
