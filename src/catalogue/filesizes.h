#pragma once

#include <QString>

// The three file size fields (bytes, kilobytes, megabytes) from a file's real
// size, so that download sites that compare them with the file accept them.
// Kilobytes are bytes / 1024 and megabytes bytes / 1048576 with two decimals,
// each rounded to the nearest value, halves up; the point is the decimal sign.
namespace FileSizes {

struct Sizes
{
    QString bytes;     // "1192000"
    QString kilobytes; // "1164"
    QString megabytes; // "1.14"
    friend bool operator==(const Sizes &, const Sizes &) = default;
};

Sizes fromByteCount(qint64 bytes);

struct FileResult
{
    bool ok = false;
    Sizes sizes;
    QString error; // for the user, when not ok
};

// The size the file system gives; the file is not read, so any size is quick.
FileResult ofFile(const QString &path);

} // namespace FileSizes
