#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// The running instance's ear: a second start, refused by the single-instance
// guard, asks through it for the running window to come forward, so a click
// in the menu is never a dead end. A local socket beside the guard's lock,
// in the user's own runtime folder.
class RaiseChannel : public QObject
{
    Q_OBJECT

public:
    explicit RaiseChannel(const QString &name, QObject *parent = nullptr);

    // The running instance: starts listening; false when it cannot.
    bool listen();
    // A second start: asks the running instance to come forward. False when
    // nobody answered within the time.
    static bool ask(const QString &name, int timeoutMs = 2000);

signals:
    void raiseRequested();

private:
    QString m_name;
    QLocalServer *m_server = nullptr;
};
