#include "platform/raisechannel.h"

#include <QLocalServer>
#include <QLocalSocket>

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
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                const QByteArray line = socket->read(sizeof Request);
                if (line == Request)
                    emit raiseRequested();
                socket->disconnectFromServer();
            });
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
    socket.write(Request, qint64(sizeof Request - 1));
    const bool sent = socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    return sent;
}
