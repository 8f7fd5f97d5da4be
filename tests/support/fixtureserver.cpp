#include "support/fixtureserver.h"

#include <QHostAddress>
#include <QMetaObject>
#include <QMutexLocker>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <memory>

class FixtureServerWorker : public QObject
{
public:
    FixtureServerWorker(FixtureServer *owner) : m_owner(owner) {}

    quint16 listen()
    {
        m_server = new QTcpServer(this);
        if (!m_server->listen(QHostAddress::LocalHost, 0))
            return 0;
        connect(m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server->nextPendingConnection())
                serve(socket);
        });
        return m_server->serverPort();
    }

private:
    void serve(QTcpSocket *socket)
    {
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
            buffer->append(socket->readAll());
            // One socket may carry several requests (keep-alive).
            while (true) {
                const qsizetype end = buffer->indexOf("\r\n\r\n");
                if (end < 0)
                    return;
                FixtureServer::Request request;
                const QList<QByteArray> lines = buffer->left(end).split('\n');
                const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
                request.method = first.value(0);
                request.path = first.value(1);
                for (qsizetype i = 1; i < lines.size(); ++i) {
                    const qsizetype colon = lines[i].indexOf(':');
                    if (colon > 0)
                        request.headers.insert(lines[i].left(colon).trimmed().toLower(),
                                               lines[i].mid(colon + 1).trimmed());
                }
                const qsizetype length = request.headers.value("content-length", "0").toLongLong();
                if (buffer->size() < end + 4 + length)
                    return;
                request.body = buffer->mid(end + 4, length);
                buffer->remove(0, end + 4 + length);
                const FixtureServer::Response response = m_owner->respond(request);
                if (response.neverAnswer)
                    continue;
                QByteArray reply = "HTTP/1.1 " + QByteArray::number(response.status)
                                   + (response.status == 200 ? " OK" : " Other") + "\r\n";
                reply += "Content-Type: " + response.contentType + "\r\n";
                reply += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
                reply += "Cache-Control: no-store\r\n";
                if (!response.location.isEmpty())
                    reply += "Location: " + response.location + "\r\n";
                reply += "\r\n" + response.body;
                if (response.delayMs > 0)
                    QTimer::singleShot(response.delayMs, socket, [socket, reply] { socket->write(reply); });
                else
                    socket->write(reply);
            }
        });
    }

    FixtureServer *m_owner;
    QTcpServer *m_server = nullptr;
};

FixtureServer::FixtureServer() = default;

FixtureServer::~FixtureServer()
{
    // The worker goes with its thread's end (see start()): a deleteLater
    // queued here could be left unrun when the loop quits first.
    m_thread.quit();
    m_thread.wait();
}

bool FixtureServer::start()
{
    auto *worker = new FixtureServerWorker(this);
    worker->moveToThread(&m_thread);
    // Deferred deletions still run as the thread finishes.
    QObject::connect(&m_thread, &QThread::finished, worker, &QObject::deleteLater);
    m_thread.start();
    QMetaObject::invokeMethod(worker, [this, worker] { m_port = worker->listen(); },
                              Qt::BlockingQueuedConnection);
    return m_port != 0;
}

QUrl FixtureServer::url(const QString &path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path));
}

void FixtureServer::route(const QByteArray &path, const Response &response)
{
    QMutexLocker lock(&m_mutex);
    m_routes.insert(path, response);
}

void FixtureServer::page(const QByteArray &path, const QByteArray &html)
{
    Response r;
    r.body = html;
    route(path, r);
}

QList<FixtureServer::Request> FixtureServer::requests() const
{
    QMutexLocker lock(&m_mutex);
    return m_requests;
}

QList<FixtureServer::Request> FixtureServer::requests(const QByteArray &method) const
{
    QList<Request> out;
    for (const Request &r : requests()) {
        if (r.method == method)
            out.append(r);
    }
    return out;
}

FixtureServer::Response FixtureServer::respond(const Request &request)
{
    QMutexLocker lock(&m_mutex);
    m_requests.append(request);
    const QByteArray path = request.path.left(request.path.indexOf('?') < 0 ? request.path.size()
                                                                             : request.path.indexOf('?'));
    const auto it = m_routes.constFind(path);
    if (it != m_routes.constEnd())
        return *it;
    Response missing;
    missing.status = 404;
    missing.body = "<html><body>not found</body></html>";
    return missing;
}
