#include "platform/raisechannel.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QVariant>

namespace {

// One short line, so a stray client can neither flood nor confuse us.
constexpr char Request[] = "raise\n";

} // namespace

RaiseChannel::RaiseChannel(const QString &name, QObject *parent) : QObject(parent), m_name(name) {}

bool RaiseChannel::listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // The guard is ours, so a socket left there belongs to a dead instance.
    QLocalServer::removeServer(m_name);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            // The request may be whole before the first signal, or come in parts.
            auto answer = [this, socket] {
                if (socket->property("answered").toBool()
                    || socket->bytesAvailable() < qint64(qstrlen(Request)))
                    return;
                socket->setProperty("answered", true);
                if (socket->read(qint64(qstrlen(Request))) == Request)
                    emit raiseRequested();
                socket->disconnectFromServer();
            };
            connect(socket, &QLocalSocket::readyRead, this, answer);
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            answer();
        }
    });
    return m_server->listen(m_name);
}

bool RaiseChannel::ask(const QString &name, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(Request, qint64(qstrlen(Request)));
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    // The running instance closes the line once it has read the request.
    return socket.state() == QLocalSocket::UnconnectedState || socket.waitForDisconnected(timeoutMs);
}
