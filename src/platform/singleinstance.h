#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// The single-instance guard: a lock file named after the instance name in the
// user's own runtime folder, so that one user's instance never refuses
// another user of the machine. A lock left by a crashed instance is taken
// over; a live one, however old, never is.
class SingleInstance
{
public:
    static constexpr const char *InstanceName = "TarnowelKelvaneSubmitSoftware";

    // An empty folder: the user's runtime folder, else a folder of the
    // user's own in the temporary folder.
    explicit SingleInstance(const QString &folder = QString(),
                            const QString &name = QString::fromLatin1(InstanceName));
    // True when this process now holds the guard.
    bool acquire();
    QString lockPath() const { return m_path; }
    // Where the running instance listens for a second start's request.
    QString channelName() const;

    static QString perUserFolder();

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
