#include "platform/datafiles.h"

#include <QDir>

QString DataFiles::path(const char *name) const
{
    return QDir(m_folder).filePath(QString::fromLatin1(name));
}
