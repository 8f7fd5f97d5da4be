#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// The single-instance guard: a lock file named after the instance name in the
// temporary folder. A lock left by a crashed instance is taken over; a live
// one, however old, never is.
class SingleInstance
{
public:
    static constexpr const char *InstanceName = "TarnowelKelvaneSubmitSoftware";

    explicit SingleInstance(const QString &folder = QString(),
                            const QString &name = QString::fromLatin1(InstanceName));
    // True when this process now holds the guard.
    bool acquire();
    QString lockPath() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
