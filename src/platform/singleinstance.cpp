#include "platform/singleinstance.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

SingleInstance::SingleInstance(const QString &folder, const QString &name)
    : m_path(QDir(folder.isEmpty() ? perUserFolder() : folder).filePath(name + QStringLiteral(".lock")))
{
}

QString SingleInstance::perUserFolder()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty())
        return runtime;
#ifdef Q_OS_UNIX
    const QString own = QString::number(::getuid());
#else
    const QString own = qEnvironmentVariable("USERNAME");
#endif
    const QString folder = QDir(QDir::tempPath()).filePath(QStringLiteral("KelvaneSubmit-") + own);
    if (QDir().mkpath(folder))
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                          | QFileDevice::ExeOwner);
    return folder;
}

QString SingleInstance::channelName() const
{
    return m_path.chopped(int(qstrlen(".lock"))) + QStringLiteral(".raise");
}

bool SingleInstance::acquire()
{
    m_lock = std::make_unique<QLockFile>(m_path);
    // Age alone must never make a running instance's lock look stale; a dead
    // owner's lock is still recognised through its process id.
    m_lock->setStaleLockTime(0);
    return m_lock->tryLock(0);
}
