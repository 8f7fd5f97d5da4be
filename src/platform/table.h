#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVarLengthArray>

#include <functional>

// A grid of text cells addressed as (column, row), row 0 being the heading.
// Reads outside the grid give "". The software list, submit list and history
// are Tables.
//
// Memory follows the text, not the column count: a row holds only the cells up
// to its last non-empty one, and rows set whole (as the record files load
// them) are packed into one shared byte buffer, a few bytes per row beside
// their text. A cell written into a packed row goes into a small packed
// overlay of changed cells beside it, so a mark costs a few bytes; an overlay
// past its bound is folded back into a repacked row, or, for a wide row,
// into an unpacked one that takes further writes in place, so filling a row
// one cell at a time stays linear.
class Table
{
public:
    explicit Table(int columns = 1, int rows = 2);

    int columnCount() const { return m_columns; }
    int rowCount() const { return int(m_rows.size()); }
    void setColumnCount(int columns);
    void setRowCount(int rows);
    // Room for `rows` rows and `textBytes` bytes of packed text, so that a
    // load of known size does not grow the table in steps.
    void reserve(int rows, qsizetype textBytes);

    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString &text);

    // The whole row, exactly columnCount() cells.
    QStringList row(int row) const;
    void setRow(int row, QStringList cells);

    // Empty: no record in it, only row 1 and that row without a name and
    // without text before the last column (the mark column of the marked
    // lists). A record without a name still counts as a record.
    bool isEmpty() const;

    // Appends an empty row and returns its index.
    int appendRow();
    void removeRow(int row);
    void insertColumn(int column);
    void removeColumn(int column);

    // Back to the fresh state: the heading row and one empty row 1.
    void clearRecords();

    // Sorts rows 1.. by the cell in `column` with `less`; row 0 stays.
    template <typename Less> void sortRows(int column, Less less)
    {
        sortRowsBy(column, std::function<bool(const QString &, const QString &)>(less));
    }

    // Puts rows 1.. in the order given: `order[i]` is the row that becomes
    // row i + 1. Anything but a permutation of 1..rowCount()-1 is ignored.
    void reorderRows(const QList<int> &order);

    // First row >= 1 whose cell in `column` equals `text` without regard to case, or -1.
    int findRow(int column, const QString &text) const;

private:
    // A row's place: 0 for a row without cells; LooseBit plus an index into
    // m_loose; otherwise one past the offset in m_packed of the row's packed
    // cells, or with OverlayBit of its overlay (which names the packed cells
    // beneath it).
    using Slot = quint32;
    static constexpr Slot LooseBit = 0x80000000u;
    static constexpr Slot OverlayBit = 0x40000000u;

    struct Change
    {
        int column;
        QString text;
    };
    using Changes = QVarLengthArray<Change, 10>;

    static bool isOverlay(Slot slot);
    static qsizetype offsetOf(Slot slot);
    // The packed cells under a row (the row's own slot when it has no overlay).
    Slot baseOf(Slot slot) const;
    Changes changesOf(Slot slot) const;
    // The cells a row holds (trailing empty cells left out).
    QStringList cellsOf(Slot slot, qsizetype room = 0) const;
    QStringList merged(Slot base, const Changes &changes, qsizetype room = 0) const;
    // No fewer than the cells the row holds.
    int cellCountOf(Slot slot) const;
    QString packedCell(qsizetype offset, int column) const;
    qsizetype packedSize(qsizetype offset) const;
    qsizetype overlaySize(qsizetype offset) const;

    // Stores `cells` (already trimmed) and gives its slot.
    Slot store(const QStringList &cells);
    Slot storeLoose(QStringList cells);
    Slot storeOverlay(Slot base, const Changes &changes);
    // The row after a change of columns: `edit` changes the cells, `moved`
    // gives a column's new place (-1: gone). Rows with no cell at or past
    // `from` are left alone.
    void reshape(int from, const std::function<void(QStringList &)> &edit,
                 const std::function<int(int)> &moved);
    void release(Slot slot);
    void releaseOverlay(Slot slot);
    void compactIfWasteful();
    void sortRowsBy(int column, const std::function<bool(const QString &, const QString &)> &less);

    int m_columns;
    QList<Slot> m_rows;
    QByteArray m_packed;
    qsizetype m_garbage = 0;
    QList<QStringList> m_loose;
    QList<int> m_freeLoose;
};
