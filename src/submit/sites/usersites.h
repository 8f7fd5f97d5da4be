#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The user's own sites (DataFiles::UserSitesName): one site record per record
// of the data file framing, its cells joined by "|" in the site library's
// column order (SiteRecord). A record is a usable site when it has a name and
// at least the eight fixed cells; any other record is left out of the submit
// list but kept, byte for byte, so that a later save writes it back.
namespace UserSites {

struct Entry
{
    // The record's cells; for a usable site, trailing blank cells past the
    // fixed eight are left out.
    QStringList cells;
    // The record as it was read, written back unchanged while not usable.
    QByteArray raw;
    bool usable = false;
};

struct File
{
    QList<Entry> entries;

    // The usable records, in file order.
    QList<QStringList> sites() const;
    // The usable entry whose name equals `name` without regard to case, or -1.
    int indexOf(const QString &name) const;
    // Replaces the record named `oldName` (or, when there is none, the one
    // named like `record`), else appends it.
    void setSite(const QString &oldName, const QStringList &record);
    // Removes the usable record of that name; false when there is none.
    bool removeSite(const QString &name);
};

struct LoadResult
{
    File file;
    bool fileExisted = false;
    // At most one message: the file's damage (a copy was kept), and the rows
    // left out of the submit list, by file row (1 = the first record).
    QString problem;
    QList<int> skippedRows;
};

// The cells a record must hold: name through reg url.
inline constexpr int FixedCells = 8;
// Cells past which a record is not read as a site (the site library's bound).
inline constexpr int MaxCells = 1024;

// One record's cells as stored: the site's cells up to its last non-blank
// field-map entry, never fewer than the fixed eight.
QStringList storedCells(const QStringList &record);

// Why a record that is otherwise a site may not be used (unsafe addresses,
// a field map the walk cannot read), or "": the rules live above this file.
using Refusal = std::function<QString(const QStringList &storedCells)>;

LoadResult load(const QString &path, const Refusal &refusal = {});
// Writes every entry in order, atomically; an error message, or "".
QString save(const File &file, const QString &path);

} // namespace UserSites
