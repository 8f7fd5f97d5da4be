#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QThread>
#include <QUrl>

class QTcpServer;

// A loopback HTTP server for browser tests. It runs in a thread of its own
// (Chromium opens preconnect sockets that would stall a server sharing the
// test's thread), serves pages registered by path, and records every request.
class FixtureServer
{
public:
    struct Request
    {
        QByteArray method;
        QByteArray path; // with the query
        QHash<QByteArray, QByteArray> headers; // lower-case names
        QByteArray body;
    };

    struct Response
    {
        int status = 200;
        QByteArray contentType = "text/html; charset=windows-1252";
        QByteArray body;
        QByteArray location; // for redirects
        bool neverAnswer = false; // keeps the connection open without a reply
        int delayMs = 0; // a slow site: the reply goes out this much later
    };

    FixtureServer();
    ~FixtureServer();
    FixtureServer(const FixtureServer &) = delete;
    FixtureServer &operator=(const FixtureServer &) = delete;

    // Listens on 127.0.0.1 at a free port; false when it cannot.
    bool start();
    QUrl url(const QString &path) const;

    // Serves `response` for GET and POST of `path` (the part before "?").
    void route(const QByteArray &path, const Response &response);
    void page(const QByteArray &path, const QByteArray &html);
    // Every request seen so far, in arrival order.
    QList<Request> requests() const;
    QList<Request> requests(const QByteArray &method) const;

private:
    friend class FixtureServerWorker;
    Response respond(const Request &request);

    mutable QMutex m_mutex;
    QHash<QByteArray, Response> m_routes;
    QList<Request> m_requests;
    QThread m_thread;
    quint16 m_port = 0;
};
