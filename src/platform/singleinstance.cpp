#include "platform/singleinstance.h"

#include <QDir>

SingleInstance::SingleInstance(const QString &folder, const QString &name)
    : m_path(QDir(folder.isEmpty() ? QDir::tempPath() : folder).filePath(name + QStringLiteral(".lock")))
{
}

bool SingleInstance::acquire()
{
    m_lock = std::make_unique<QLockFile>(m_path);
    // Age alone must never make a running instance's lock look stale; a dead
    // owner's lock is still recognised through its process id.
    m_lock->setStaleLockTime(0);
    return m_lock->tryLock(0);
}
