#pragma once

#include "platform/table.h"

#include <QString>
#include <QStringList>

// Save table / load table: one record per row, cells joined by "|".
namespace TableFile {

enum class Kind {
    // The last column holds a transient mark (software list, submit list): never written.
    Marked,
    // Every column is written (history and any other table).
    Plain,
};

struct LoadResult
{
    bool fileExisted = false;
    int recordsRead = 0;
    // One message for the user when the file could not be read whole, else empty.
    QString error;
    QString backupPath;
    // Records that held more cells than the table; their extra cells were dropped.
    int overlongRecords = 0;
};

LoadResult load(Table &table, const QString &path, Kind kind);

struct SaveResult
{
    bool ok = true;
    QString error;
    // The offending cell when a cell could not be stored; -1 otherwise.
    int row = -1;
    int column = -1;
};

// Refuses, writing nothing, a table holding a cell the file cannot keep
// (a "|", or a character outside Windows-1252).
SaveResult save(const Table &table, const QString &path, Kind kind);

// The last column written for a table of this kind.
int lastWrittenColumn(const Table &table, Kind kind);

// Checks one cell for storage; returns an error text naming what is wrong, or "".
QString cellProblem(const QString &text);

} // namespace TableFile
