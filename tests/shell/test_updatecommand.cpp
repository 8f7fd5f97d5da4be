// "&update soft" in the real main window against loopback servers: what the
// user is told, and that only a checked library is left for the next start.

#include "shell/libraryupdate.h"
#include "shell/updatecommand.h"
#include "shell/updatedownload.h"
#include "submit/credentialsdialog.h"
#include "support/builtfiles.h"
#include "support/fixtureserver.h"
#include "support/windowharness.h"

#include <QCryptographicHash>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QTcpServer>
#include <QTcpSocket>

namespace {

const QString Success = QStringLiteral("You must now restart 'Kelvane Submit' to complete update.");
const QString Failure = QStringLiteral("An error ocurred while downloading the file.");
const QByteArray LibraryPath = "/software/soft_full/KelvaneSubmit_dll.dll";

// Answers every request with fixed bytes, then closes or keeps the line open.
class RawServer : public QTcpServer
{
public:
    QByteArray answer;
    bool closeAfter = true;

    RawServer()
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    socket->readAll();
                    socket->write(answer);
                    if (closeAfter)
                        socket->disconnectFromHost();
                });
            }
        });
    }
};

} // namespace

class TestUpdateCommand : public QObject, protected WindowHarness
{
    Q_OBJECT

    void setHost(quint16 port)
    {
        qputenv(LibraryUpdate::HostVariable, "127.0.0.1:" + QByteArray::number(port));
    }

    QStringList leftovers() const
    {
        return QDir(m_dir->path())
            .entryList({QStringLiteral("KelvaneSubmit_dll*")}, QDir::Files | QDir::Hidden);
    }

    // Asks for the update with an account, as the user does.
    static void requestUpdate(TForm1 &form, const QString &user = QStringLiteral("ann"),
                              const QString &pass = QStringLiteral("pw"))
    {
        click(form, QStringLiteral("Button_update"));
        auto *dialog = form.update()->accountDialog();
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->siteLabel()->text(), QStringLiteral("Download update..."));
        QCOMPARE(dialog->userEdit()->text(), QString());
        QCOMPARE(dialog->passEdit()->text(), QString());
        dialog->userEdit()->setText(user);
        dialog->passEdit()->setText(pass);
        dialog->okButton()->click();
    }

    static void waitForEnd(TForm1 &form)
    {
        QTRY_VERIFY_WITH_TIMEOUT(!form.update()->download()->isRunning(), 30000);
    }

private slots:
    void init() { resetHarness(); }

    void answers_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body"); // "library": the site library built beside the tests
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("reason");   // the second line of the message
        QTest::addColumn<int>("requests");
        QTest::addColumn<QByteArray>("checksum"); // beside the library; "right": the body's

        QTest::newRow("site library") << 200 << QByteArray("library") << true << "" << 2 << QByteArray();
        QTest::newRow("site library with its checksum")
            << 200 << QByteArray("library") << true << "" << 2 << QByteArray("right");
        QTest::newRow("site library with another file's checksum")
            << 200 << QByteArray("library") << false
            << "The download does not match the checksum the update server gives for it; it was "
               "damaged on the way. Try again." << 2
            << QByteArray("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855  KelvaneSubmit_dll.dll\n");
        QTest::newRow("a checksum address that answers with a page")
            << 200 << QByteArray("library") << true << "" << 2 << QByteArray("<html>Welcome</html>");
        QTest::newRow("401") << 401 << QByteArray("<html>no</html>") << false
                             << "The update server did not accept the user name or password." << 1 << QByteArray();
        QTest::newRow("404") << 404 << QByteArray("<html>missing</html>") << false
                             << "The update server has no site library at this address." << 1 << QByteArray();
        QTest::newRow("500") << 500 << QByteArray("<html>broken</html>") << false
                             << "The update server had an error (HTTP 500); try again later." << 1 << QByteArray();
        QTest::newRow("redirect to another host") << 302 << QByteArray() << false
            << "The update server sent the download elsewhere (HTTP 302); only its own host is followed." << 1 << QByteArray();
        QTest::newRow("redirect to a mirror on the same host")
            << 301 << QByteArray("library") << true << "" << 3 << QByteArray("right");
        QTest::newRow("html page with 200") << 200 << QByteArray("<html>Welcome</html>") << false
            << "The downloaded file is no site library the program can use: REASON." << 2 << QByteArray();
    }

    void answers()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(bool, installed);
        QFETCH(QString, reason);
        QFETCH(int, requests);
        QFETCH(QByteArray, checksum);
        FixtureServer server;
        QVERIFY(server.start());
        setHost(server.url(QStringLiteral("/")).port());
        FixtureServer::Response response;
        response.status = status;
        response.contentType = "application/octet-stream";
        response.body = body;
        if (body == "library") {
            QFile library(builtSiteLibrary());
            QVERIFY(library.open(QIODevice::ReadOnly));
            response.body = library.readAll();
        }
        if (!checksum.isEmpty()) {
            if (checksum == "right")
                checksum = QCryptographicHash::hash(response.body, QCryptographicHash::Sha256).toHex()
                           + "  KelvaneSubmit_dll.dll\n";
            // Beside the file actually served, after any redirect.
            server.route((status == 301 ? "/mirror" : "") + LibraryPath + ".sha256",
                         {200, "text/plain", checksum, QByteArray()});
        }
        if (status == 302)
            response.location = "http://127.0.0.2:" + QByteArray::number(server.url("/").port())
                                + LibraryPath;
        if (status == 301) {
            FixtureServer::Response mirrored = response;
            response = {301, "text/html", QByteArray(), "/mirror" + LibraryPath};
            mirrored.status = 200;
            server.route("/mirror" + LibraryPath, mirrored);
        }
        server.route(LibraryPath, response);

        auto form = startWindow();
        QVERIFY(!form->startUpFailed());
        // The account goes into the address only: a tab or an Omega is fine.
        requestUpdate(*form, QStringLiteral("a:b@evil\t\u03a9"), QStringLiteral("p/w"));
        waitForEnd(*form);

        const QStringList shown = m_dialogs.errors();
        QCOMPARE(shown.size(), 1);
        if (installed) {
            QCOMPARE(shown.first(), Success);
        } else {
            const QString second = shown.first().section(u'\r', 1);
            QCOMPARE(shown.first().section(u'\r', 0, 0), Failure);
            if (reason.contains("REASON"))
                QVERIFY2(second.startsWith(reason.section("REASON", 0, 0)), qPrintable(second));
            else
                QCOMPARE(second, reason);
        }
        QCOMPARE(leftovers(), installed ? QStringList{QStringLiteral("KelvaneSubmit_dll.dll")}
                                        : QStringList());
        const QList<FixtureServer::Request> got = server.requests();
        QCOMPARE(got.size(), requests); // a redirect to another host is not followed
        QVERIFY(got.first().path.startsWith(LibraryPath + "?"));
        if (requests > 1)
            QVERIFY(got.last().path.contains(LibraryPath + ".sha256"));
    }

    void brokenTransfers_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("closeAfter");
        QTest::addColumn<QString>("reason");

        const QString silence = "No data came from the update server for 30 seconds.";
        QTest::newRow("truncated") << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n"
                                                 "\x7f" "ELF0123456789")
                                   << true << "The connection to the update server broke off.";
        QTest::newRow("200 MB announced")
            << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 209715200\r\n\r\n\x7f" "ELF") << false
            << "The file is larger than a site library can be (209715200 bytes announced).";
        QTest::newRow("past 32 MB without a length")
            << QByteArray("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n")
                   + QByteArray(32 * 1024 * 1024 + 1, 'x')
            << true << "The file is larger than a site library can be (more than 33554432 bytes).";
        QTest::newRow("no answer at all") << QByteArray() << false << silence;
        QTest::newRow("headers, then silence")
            << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 5000\r\n\r\n\x7f" "ELF") << false << silence;
    }

    void brokenTransfers()
    {
        QFETCH(QByteArray, answer);
        QFETCH(bool, closeAfter);
        RawServer server;
        server.answer = answer;
        server.closeAfter = closeAfter;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        setHost(server.serverPort());

        auto form = startWindow();
        form->update()->download()->setStallMilliseconds(500);
        requestUpdate(*form);
        waitForEnd(*form);

        QFETCH(QString, reason);
        QCOMPARE(m_dialogs.errors(), QStringList{Failure + "\r" + reason});
        QCOMPARE(leftovers(), QStringList());
    }

    void cancelledTransferLeavesNothing()
    {
        RawServer server;
        server.answer = "HTTP/1.1 200 OK\r\nContent-Length: 5000\r\n\r\n\x7f" "ELF";
        server.closeAfter = false;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        setHost(server.serverPort());

        auto form = startWindow();
        requestUpdate(*form);
        QProgressDialog *progress = form->update()->download()->progressDialog();
        QVERIFY(progress);
        QTRY_VERIFY(progress->labelText().contains(QStringLiteral("4 bytes received")));
        auto *cancel = progress->findChild<QPushButton *>();
        QVERIFY(cancel);
        cancel->click();
        waitForEnd(*form);

        QCOMPARE(m_dialogs.shown.size(), 0);
        QCOMPARE(leftovers(), QStringList());
    }

    void refusedBeforeAnyRequest_data()
    {
        QTest::addColumn<bool>("online");
        QTest::addColumn<QStringList>("messages");

        QTest::newRow("offline") << false << QStringList{QStringLiteral("No connection to Internet !")};
        QTest::newRow("dialog cancelled") << true << QStringList();
    }

    void refusedBeforeAnyRequest()
    {
        QFETCH(bool, online);
        QFETCH(QStringList, messages);
        FixtureServer server;
        QVERIFY(server.start());
        setHost(server.url(QStringLiteral("/")).port());
        m_connectivity.online = online;

        auto form = startWindow();
        click(*form, QStringLiteral("Button_update"));
        QCOMPARE(m_connectivity.checks, 1);
        if (TForm3 *dialog = form->update()->accountDialog())
            dialog->cancelButton()->click();
        QTest::qWait(50);

        QCOMPARE(m_dialogs.messages(), messages);
        QCOMPARE(m_dialogs.errors(), QStringList());
        QCOMPARE(server.requests().size(), 0);
        QVERIFY(!form->update()->download()->isRunning());
    }

    void unwritableDataFolder()
    {
        FixtureServer server;
        QVERIFY(server.start());
        setHost(server.url(QStringLiteral("/")).port());
        auto form = startWindow();
        QVERIFY(m_dir->remove());

        requestUpdate(*form);
        waitForEnd(*form);
        QCOMPARE(m_dialogs.errors().size(), 1);
        QVERIFY(m_dialogs.errors().first().startsWith(
            Failure + "\rThe download cannot be written into " + QDir::toNativeSeparators(m_dir->path()) + ": "));
        QCOMPARE(server.requests().size(), 0);
    }

    void downloadIsSwappedInAtNextStart()
    {
        FixtureServer server;
        QVERIFY(server.start());
        setHost(server.url(QStringLiteral("/")).port());
        QFile library(builtSiteLibrary());
        QVERIFY(library.open(QIODevice::ReadOnly));
        FixtureServer::Response response;
        response.contentType = "application/octet-stream";
        response.body = library.readAll();
        server.route(LibraryPath, response);

        {
            auto form = startWindow();
            requestUpdate(*form);
            waitForEnd(*form);
            QCOMPARE(m_dialogs.errors(), QStringList{Success});
        }
        auto next = startWindow();
        QVERIFY(!next->startUpFailed());
        QCOMPARE(leftovers(), QStringList());
        QFile swapped(path("KelvaneSubmit.dll"));
        QVERIFY(swapped.open(QIODevice::ReadOnly));
        QCOMPARE(swapped.readAll(), response.body);
    }
};

QTEST_MAIN(TestUpdateCommand)
#include "test_updatecommand.moc"
