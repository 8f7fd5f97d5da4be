#pragma once

#include "submit/sites/sitelibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>

// The libraries are built beside the test executables.
inline QString builtFile(const QString &name)
{
    return QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(name);
}

inline QString builtSiteLibrary()
{
    return builtFile(QString::fromLatin1(SiteLibrary::FileName));
}

// Copies `source` into `folder` under `name`; returns the copy's path or "".
inline QString copyInto(const QString &source, const QString &folder,
                        const QString &name = QString::fromLatin1(SiteLibrary::FileName))
{
    const QString target = QDir(folder).absoluteFilePath(name);
    QFile::remove(target);
    return QFile::copy(source, target) ? target : QString();
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
