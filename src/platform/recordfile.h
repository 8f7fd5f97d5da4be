#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>

// The framing shared by the catalogue, history and credential files: records
// of a 4-byte little-endian signed length followed by that many bytes, no
// header, no count. Writes are atomic; a damaged file is read up to the damage
// and a copy of it is kept before anything can overwrite it.
namespace RecordFile {

struct ReadResult
{
    bool exists = false;
    QList<QByteArray> records;
    // Empty when the whole file was read; otherwise one message naming the file.
    QString error;
    // Where the unreadable original was copied, when it was.
    QString backupPath;
};

// Files past these bounds are refused whole: no record is read, a copy is kept.
// Far above any real catalogue or history (10,000 fully filled products are
// some 23 MB); the tables bound their cells on top of this.
inline constexpr qint64 MaxFileBytes = 64 * 1024 * 1024;
inline constexpr qsizetype MaxRecords = 1000000;

ReadResult read(const QString &path);
// Hands each record to `each` in file order instead of collecting them;
// `records` of the result stays empty. `begin`, when given, first learns how
// many records will come and their bytes in all.
ReadResult readEach(const QString &path, const std::function<void(QByteArrayView)> &each,
                    const std::function<void(qsizetype records, qint64 bytes)> &begin = {});

enum class Access { Normal, OwnerOnly };

// Replaces the file with the records; the old file stays intact on any failure.
// Returns an error message, or an empty string on success.
QString write(const QString &path, const QList<QByteArray> &records,
              Access access = Access::Normal);

// Frames one record (length prefix + bytes).
void appendFramed(QByteArray &out, const QByteArray &record);
// Writes already framed bytes atomically.
QString writeFramed(const QString &path, const QByteArray &framed,
                    Access access = Access::Normal);

// Copies `path` beside itself as "<path>.bad-<time stamp>"; returns the copy's
// path, or empty when the copy could not be made.
QString keepBadCopy(const QString &path);

} // namespace RecordFile
