#include "catalogue/filesizes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("FileSizes", text);
}

// n / d rounded to the nearest whole number, halves up, for n >= 0.
qint64 roundedQuotient(qint64 n, qint64 d)
{
    return n / d + ((n % d) * 2 >= d ? 1 : 0);
}

} // namespace

namespace FileSizes {

Sizes fromByteCount(qint64 bytes)
{
    Sizes sizes;
    sizes.bytes = QString::number(bytes);
    sizes.kilobytes = QString::number(roundedQuotient(bytes, 1024));
    // Hundredths of a megabyte in whole numbers, without overflow for any size.
    const qint64 mebibyte = 1048576;
    const qint64 cents = bytes / mebibyte * 100 + roundedQuotient(bytes % mebibyte * 100, mebibyte);
    sizes.megabytes =
        QStringLiteral("%1.%2").arg(cents / 100).arg(cents % 100, 2, 10, QLatin1Char('0'));
    return sizes;
}

FileResult ofFile(const QString &path)
{
    FileResult result;
    const QFileInfo info(path);
    const QString shown = QDir::toNativeSeparators(path);
    if (!info.exists())
        result.error = tr("The file %1 does not exist.").arg(shown);
    else if (info.isDir())
        result.error = tr("%1 is a folder, not the program's file.").arg(shown);
    else if (!info.isFile())
        result.error = tr("%1 is not a plain file.").arg(shown);
    else {
        result.ok = true;
        result.sizes = fromByteCount(info.size());
    }
    return result;
}

} // namespace FileSizes
