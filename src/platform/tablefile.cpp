#include "platform/tablefile.h"

#include "platform/cp1252.h"
#include "platform/recordfile.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("TableFile", text);
}

// A cell costs some sixty bytes of memory however short it is: past this many
// a file is refused whole rather than read into gigabytes.
constexpr qsizetype MaxCells = 10000000;

// Splits at "|" into at most `limit` cells; `overlong` tells whether more
// followed. A record of many separators costs no more than its cells.
QStringList splitCells(const QString &text, int limit, bool &overlong)
{
    QStringList cells;
    qsizetype from = 0;
    while (cells.size() < limit) {
        const qsizetype bar = text.indexOf(QLatin1Char('|'), from);
        if (bar < 0) {
            cells.append(text.mid(from));
            overlong = false;
            return cells;
        }
        cells.append(text.mid(from, bar - from));
        from = bar + 1;
    }
    overlong = true;
    return cells;
}

} // namespace

namespace TableFile {

int lastWrittenColumn(const Table &table, Kind kind)
{
    return kind == Kind::Marked ? table.columnCount() - 2 : table.columnCount() - 1;
}

QString cellProblem(const QString &text)
{
    if (text.contains(QLatin1Char('|')))
        return tr("it holds a \"|\", which the file uses between cells");
    const qsizetype bad = Cp1252::firstUnencodable(text);
    if (bad >= 0)
        return tr("it holds the character \"%1\" (U+%2), which has no Windows-1252 byte")
            .arg(text.mid(bad, text.at(bad).isHighSurrogate() ? 2 : 1),
                 QString::number(text.at(bad).unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0')));
    return QString();
}

SaveResult save(const Table &table, const QString &path, Kind kind)
{
    SaveResult result;
    QByteArray framed;
    if (!table.isEmpty()) {
        const int last = lastWrittenColumn(table, kind);
        QString text;
        for (int r = 1; r < table.rowCount(); ++r) {
            text.clear();
            for (int c = 0; c <= last; ++c) {
                if (c > 0)
                    text += QLatin1Char('|');
                text += table.cell(c, r);
            }
            // Fast path: the separators alone account for every "|" and every
            // character encodes; otherwise find the cell to name it.
            if (text.count(QLatin1Char('|')) != last || !Cp1252::canEncode(text)) {
                for (int c = 0; c <= last; ++c) {
                    const QString problem = cellProblem(table.cell(c, r));
                    if (!problem.isEmpty()) {
                        result.ok = false;
                        result.row = r;
                        result.column = c;
                        result.error =
                            tr("Nothing was saved to %1: the cell in row %2, column %3 "
                               "cannot be stored, because %4.")
                                .arg(QDir::toNativeSeparators(path))
                                .arg(r)
                                .arg(c)
                                .arg(problem);
                        return result;
                    }
                }
            }
            RecordFile::appendFramed(framed, Cp1252::encode(text));
        }
    }
    const QString error = RecordFile::writeFramed(path, framed);
    if (!error.isEmpty()) {
        result.ok = false;
        result.error = error;
    }
    return result;
}

LoadResult load(Table &table, const QString &path, Kind kind)
{
    LoadResult result;
    // Cells past the written columns are not part of the row (the mark column
    // of a marked table is never read from a file).
    const int last = lastWrittenColumn(table, kind);
    // The first record takes row 1 of an empty table, every later one a row
    // of its own, named or not: a record without a name is never written over.
    bool placeInRowOne = table.isEmpty();
    const Table before = table;
    qsizetype cells = 0;
    bool tooManyCells = false;
    const RecordFile::ReadResult read = RecordFile::readEach(path, [&](QByteArrayView bytes) {
        ++result.recordsRead;
        if (tooManyCells)
            return;
        const QString text = Cp1252::decode(bytes.toByteArray());
        if (std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isSpace(); }))
            return;
        const int target = placeInRowOne ? 1 : table.appendRow();
        placeInRowOne = false;
        bool overlong = false;
        QStringList parts = splitCells(text, last + 1, overlong);
        cells += parts.size();
        if (cells > MaxCells) {
            tooManyCells = true;
            return;
        }
        table.setRow(target, std::move(parts));
        if (overlong)
            ++result.overlongRecords;
    }, [&table](qsizetype records, qint64 bytes) {
        // UTF-8 takes a byte or two more than Windows-1252 for a few letters.
        table.reserve(int(table.rowCount() + records), qsizetype(bytes + bytes / 8 + 2 * records));
    });
    if (tooManyCells) {
        table = before;
        result.fileExisted = true;
        result.backupPath = RecordFile::keepBadCopy(path);
        result.error =
            tr("The file %1 holds more than %2 cells, more than this program reads; none of "
               "its records were loaded.")
                .arg(QDir::toNativeSeparators(path))
                .arg(MaxCells);
        result.error += QLatin1Char(' ');
        result.error += result.backupPath.isEmpty()
                            ? tr("The original could not be copied, so keep the file safe "
                                 "before saving.")
                            : tr("The original file was kept as %1.")
                                  .arg(QDir::toNativeSeparators(result.backupPath));
        return result;
    }
    result.fileExisted = read.exists;
    if (!read.exists)
        return result;
    result.error = read.error;
    result.backupPath = read.backupPath;
    if (result.overlongRecords > 0) {
        if (result.backupPath.isEmpty())
            result.backupPath = RecordFile::keepBadCopy(path);
        const QString note =
            QCoreApplication::translate(
                "TableFile",
                "%n record(s) of %1 held more cells than the table has; the extra cells "
                "were left out. The original file was kept as %2.",
                nullptr, result.overlongRecords)
                .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(result.backupPath));
        result.error = result.error.isEmpty() ? note : result.error + QLatin1Char('\n') + note;
    }
    return result;
}

} // namespace TableFile
