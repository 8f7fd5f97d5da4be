#include "platform/inicheck.h"

#include <QByteArray>
#include <QFile>

namespace IniCheck {

bool looksLikeIni(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return true;
    QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    if (bytes.contains('\0'))
        return false;
    for (QByteArray line : bytes.split('\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
            continue;
        if (line.startsWith('[') ? !line.endsWith(']') : !line.contains('='))
            return false;
    }
    return true;
}

} // namespace IniCheck
