#include "platform/recordfile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("RecordFile", text);
}

// Something at the path that cannot be opened for reading: a file without read
// access, a folder, a pipe (opening it would block). Never read past, never
// replaced: its contents were not loaded and no copy of them could be kept.
bool unreadable(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    if (!info.isFile())
        return true;
    QFile file(path);
    return !file.open(QIODevice::ReadOnly);
}

QString keptNote(const QString &backupPath)
{
    return backupPath.isEmpty()
               ? tr("The original could not be copied, so keep the file safe before saving.")
               : tr("The original file was kept as %1.").arg(QDir::toNativeSeparators(backupPath));
}

} // namespace

namespace RecordFile {

ReadResult read(const QString &path)
{
    QList<QByteArray> records;
    ReadResult result = readEach(path, [&](QByteArrayView record) { records.append(record.toByteArray()); });
    result.records = std::move(records);
    return result;
}

ReadResult readEach(const QString &path, const std::function<void(QByteArrayView)> &each,
                    const std::function<void(qsizetype, qint64)> &begin)
{
    ReadResult result;
    if (!QFileInfo::exists(path))
        return result;
    result.exists = true;
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        result.error = tr("Cannot open file %1").arg(QDir::toNativeSeparators(path))
                       + QLatin1Char(' ')
                       + tr("It is left as it is, and nothing is saved over it until it can "
                            "be read.");
        return result;
    }
    const QString name = QDir::toNativeSeparators(path);
    if (file.size() > MaxFileBytes) {
        result.backupPath = keepBadCopy(path);
        result.error = tr("The file %1 is %2 bytes long, more than the %3 bytes this program "
                          "reads; none of its records were loaded.")
                           .arg(name)
                           .arg(file.size())
                           .arg(MaxFileBytes);
        result.error += QLatin1Char(' ') + keptNote(result.backupPath);
        return result;
    }
    // Read in two passes through the file rather than whole, so that the
    // file's bytes never sit in memory beside the table built from them.
    const qint64 size = file.size();
    QByteArray record;
    const auto readLength = [&file](qint32 &length) {
        char prefix[4];
        if (file.read(prefix, 4) != 4)
            return false;
        length = qFromLittleEndian<qint32>(prefix);
        return true;
    };
    // The records are counted first, so that a file past the bound is
    // refused whole rather than cut at an arbitrary record.
    qsizetype count = 0;
    qint64 end = 0;
    qint32 badLength = 0;
    while (end + 4 <= size) {
        qint32 length = 0;
        if (!readLength(length))
            break;
        if (length < 0 || length > size - end - 4) {
            badLength = length;
            break;
        }
        // Short records are read past (the read stays in the file's buffer);
        // long ones are sought past.
        const bool passed = length <= 64 * 1024
                                ? (record.resize(length), file.read(record.data(), length) == length)
                                : file.seek(end + 4 + length);
        if (!passed)
            break;
        end += 4 + length;
        if (++count > MaxRecords) {
            result.backupPath = keepBadCopy(path);
            result.error = tr("The file %1 holds more than %2 records, more than this program "
                              "reads; none of them were loaded.")
                               .arg(name)
                               .arg(MaxRecords);
            result.error += QLatin1Char(' ') + keptNote(result.backupPath);
            return result;
        }
    }
    if (begin)
        begin(count, end - 4 * qint64(count));
    qint64 pos = 0;
    if (!file.seek(0))
        end = 0;
    for (qsizetype r = 0; r < count && pos < end; ++r) {
        qint32 length = 0;
        record.resize(0);
        if (!readLength(length) || length < 0 || length > end - pos - 4)
            break;
        record.resize(length);
        if (file.read(record.data(), length) != length)
            break;
        each(QByteArrayView(record));
        pos += 4 + length;
    }
    record = QByteArray();
    file.close();
    if (pos < size) {
        if (size - pos < 4) {
            result.error = tr("The file %1 ends inside a record length at byte %2.").arg(name).arg(pos);
        } else {
            result.error = tr("The file %1 is damaged at byte %2: a record claims %3 bytes.")
                               .arg(name)
                               .arg(pos)
                               .arg(pos == end ? badLength : qint32(-1));
        }
        result.backupPath = keepBadCopy(path);
        result.error += QLatin1Char(' ');
        result.error += result.backupPath.isEmpty()
                            ? tr("The records before it were loaded; the original could "
                                 "not be copied, so keep the file safe before saving.")
                            : tr("The records before it were loaded; the original file "
                                 "was kept as %1.")
                                  .arg(QDir::toNativeSeparators(result.backupPath));
    }
    return result;
}

void appendFramed(QByteArray &out, const QByteArray &record)
{
    char prefix[4];
    qToLittleEndian<qint32>(qint32(record.size()), prefix);
    out.append(prefix, 4);
    out.append(record);
}

QString writeFramed(const QString &path, const QByteArray &framed, Access access)
{
    if (unreadable(path))
        return tr("Cannot create file %1: the file there could not be read, so it is left as "
                  "it is.")
            .arg(QDir::toNativeSeparators(path));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return tr("Cannot create file %1").arg(QDir::toNativeSeparators(path));
    if (access == Access::OwnerOnly)
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (file.write(framed) != framed.size() || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return tr("Cannot write file %1: %2").arg(QDir::toNativeSeparators(path), reason);
    }
    if (access == Access::OwnerOnly)
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return QString();
}

QString write(const QString &path, const QList<QByteArray> &records, Access access)
{
    QByteArray framed;
    qsizetype total = 0;
    for (const QByteArray &r : records)
        total += 4 + r.size();
    framed.reserve(total);
    for (const QByteArray &r : records)
        appendFramed(framed, r);
    return writeFramed(path, framed, access);
}

QString keepBadCopy(const QString &path)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QString copy = path + QStringLiteral(".bad-") + stamp;
    for (int n = 2; QFileInfo::exists(copy); ++n)
        copy = path + QStringLiteral(".bad-") + stamp + QLatin1Char('-') + QString::number(n);
    return QFile::copy(path, copy) ? copy : QString();
}

} // namespace RecordFile
