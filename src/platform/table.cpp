#include "platform/table.h"

#include <QVarLengthArray>

#include <algorithm>
#include <cstring>
#include <numeric>

// A packed row: the cell count as a varint, then for a short row each cell as
// a varint byte length and its UTF-8 bytes; a wide row instead keeps a table
// of 32-bit cell ends before its text, so that reading any one cell of it
// does not walk the cells before.
//
// An overlay: the 32-bit slot of the packed row beneath (0 for none), then per
// change its column as a varint, its byte length times two plus one when
// another change follows as a varint, and its UTF-8 bytes. Each column is
// changed at most once, and a change never repeats the cell beneath it; a
// mark on a packed row costs seven bytes.
namespace {

constexpr int ShortRowCells = 16;
// The overlay's bound: few enough changes that reading a cell stays quick,
// and no more bytes than the row beneath holds plus a little.
constexpr int MaxOverlayCells = 8;
constexpr qsizetype OverlaySlackBytes = 64;
// Past the bound a row of up to this many cells is repacked, its cost paid by
// the overlay's writes; a wider one is unpacked and takes later writes in place.
constexpr int RepackCells = 32;
// Offsets must stay below the overlay bit.
constexpr qsizetype MaxPackedBytes = 0x3FFFFFF0;
// Dead bytes left by rewritten rows are reclaimed once they pass both bounds.
constexpr qsizetype CompactAfterBytes = 64 * 1024;

char *writeVarint(char *out, quint32 value)
{
    while (value >= 0x80) {
        *out++ = char((value & 0x7F) | 0x80);
        value >>= 7;
    }
    *out++ = char(value);
    return out;
}

bool isPair(const QString &text, qsizetype i)
{
    return text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
}

// UTF-8 written straight into the buffer; a lone surrogate becomes U+FFFD,
// as QString::toUtf8 has it.
qsizetype utf8Length(const QString &text)
{
    qsizetype length = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        if (u < 0x80)
            length += 1;
        else if (u < 0x800)
            length += 2;
        else if (isPair(text, i))
            length += 4, ++i;
        else
            length += 3;
    }
    return length;
}

char *writeUtf8(char *out, const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t u = text.at(i).unicode();
        if (u < 0x80) {
            *out++ = char(u);
        } else if (u < 0x800) {
            *out++ = char(0xC0 | (u >> 6));
            *out++ = char(0x80 | (u & 0x3F));
        } else if (isPair(text, i)) {
            u = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
            *out++ = char(0xF0 | (u >> 18));
            *out++ = char(0x80 | ((u >> 12) & 0x3F));
            *out++ = char(0x80 | ((u >> 6) & 0x3F));
            *out++ = char(0x80 | (u & 0x3F));
        } else {
            if (QChar::isSurrogate(u))
                u = 0xFFFD;
            *out++ = char(0xE0 | (u >> 12));
            *out++ = char(0x80 | ((u >> 6) & 0x3F));
            *out++ = char(0x80 | (u & 0x3F));
        }
    }
    return out;
}

quint32 readVarint(const char *&p)
{
    quint32 value = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = quint8(*p++);
        value |= quint32(byte & 0x7F) << shift;
        if (!(byte & 0x80))
            return value;
    }
}

quint32 readEnd(const char *ends, int index)
{
    quint32 end = 0;
    std::memcpy(&end, ends + 4 * qsizetype(index), 4);
    return end;
}

// Drops trailing empty cells and those past `columns`.
void trim(QStringList &cells, int columns)
{
    qsizetype used = std::min<qsizetype>(cells.size(), columns);
    while (used > 0 && cells.at(used - 1).isEmpty())
        --used;
    cells.resize(used);
}

qsizetype varintLength(quint32 value)
{
    qsizetype length = 1;
    while (value >= 0x80) {
        value >>= 7;
        ++length;
    }
    return length;
}

quint32 overlayBase(const char *overlay)
{
    quint32 base = 0;
    std::memcpy(&base, overlay, 4);
    return base;
}

// Calls `each(column, bytes, length)` for an overlay's changes until it
// returns true; gives the end of the last change walked.
template <typename Each> const char *walkChanges(const char *overlay, Each each)
{
    const char *p = overlay + 4;
    for (;;) {
        const quint32 column = readVarint(p);
        const quint32 lengthAndMore = readVarint(p);
        const quint32 length = lengthAndMore >> 1;
        if (each(column, p, length))
            return p + length;
        p += length;
        if (!(lengthAndMore & 1))
            return p;
    }
}

} // namespace

Table::Table(int columns, int rows) : m_columns(std::max(1, columns))
{
    setRowCount(rows);
}

void Table::reserve(int rows, qsizetype textBytes)
{
    m_rows.reserve(std::max(rows, 1));
    m_packed.reserve(std::clamp<qsizetype>(textBytes, 0, MaxPackedBytes));
}

void Table::setColumnCount(int columns)
{
    m_columns = std::max(1, columns);
    const int kept = m_columns;
    // The trim that follows every edit drops the cells past the new end.
    reshape(kept, [](QStringList &) {}, [kept](int column) { return column < kept ? column : -1; });
}

void Table::setRowCount(int rows)
{
    rows = std::max(1, rows);
    for (qsizetype r = rows; r < m_rows.size(); ++r)
        release(m_rows.at(r));
    m_rows.resize(rows);
    compactIfWasteful();
}

QString Table::cell(int column, int row) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_columns)
        return QString();
    const Slot slot = m_rows.at(row);
    if (slot == 0)
        return QString();
    if (slot & LooseBit)
        return m_loose.at(slot & ~LooseBit).value(column);
    if (!(slot & OverlayBit))
        return packedCell(slot - 1, column);
    const char *overlay = m_packed.constData() + offsetOf(slot);
    QString changed;
    bool found = false;
    walkChanges(overlay, [&](quint32 c, const char *bytes, quint32 length) {
        if (c != quint32(column))
            return false;
        changed = QString::fromUtf8(bytes, length);
        return found = true;
    });
    if (found)
        return changed;
    const Slot base = overlayBase(overlay);
    return base == 0 ? QString() : packedCell(base - 1, column);
}

void Table::setCell(int column, int row, const QString &text)
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_columns)
        return;
    Slot &slot = m_rows[row];
    if (slot & LooseBit) {
        QStringList &cells = m_loose[slot & ~LooseBit];
        if (column >= cells.size()) {
            // An empty cell past the row's end is already there.
            if (text.isEmpty())
                return;
            cells.resize(column + 1);
        }
        cells[column] = text;
        if (text.isEmpty() && column == cells.size() - 1) {
            trim(cells, m_columns);
            if (cells.isEmpty()) {
                release(slot);
                slot = 0;
            }
        }
        return;
    }
    const Slot base = baseOf(slot);
    Changes changes = changesOf(slot);
    const QString beneath = base == 0 ? QString() : packedCell(base - 1, column);
    const auto found = std::find_if(changes.begin(), changes.end(),
                                    [column](const Change &c) { return c.column == column; });
    if ((found != changes.end() ? found->text : beneath) == text)
        return;
    if (found != changes.end())
        changes.erase(found);
    if (text != beneath)
        changes.append({column, text});

    Slot next = base;
    if (!changes.isEmpty()) {
        const qsizetype baseBytes = base == 0 ? 0 : packedSize(base - 1);
        qsizetype bytes = 4;
        for (const Change &c : changes) {
            const qsizetype length = utf8Length(c.text);
            bytes += varintLength(quint32(c.column)) + varintLength(quint32(2 * length + 1)) + length;
        }
        // A short row whose last cell is cleared is repacked without it
        // rather than carrying the empty cell.
        QStringList cells;
        bool clearsEnd = false;
        if (text.isEmpty() && !beneath.isEmpty() && cellCountOf(base) <= RepackCells) {
            cells = merged(base, changes);
            clearsEnd = cells.size() <= column;
        }
        if (!clearsEnd && changes.size() <= MaxOverlayCells
            && bytes <= baseBytes + OverlaySlackBytes) {
            next = storeOverlay(base, changes);
        } else {
            if (!clearsEnd)
                cells = merged(base, changes);
            release(base);
            const bool repack = cells.size() <= RepackCells || bytes > baseBytes;
            next = repack ? store(cells) : storeLoose(std::move(cells));
        }
    }
    if (isOverlay(slot))
        releaseOverlay(slot);
    slot = next;
    compactIfWasteful();
}

QStringList Table::row(int row) const
{
    QStringList cells = row >= 0 && row < m_rows.size() ? cellsOf(m_rows.at(row), m_columns)
                                                        : QStringList();
    cells.resize(m_columns);
    return cells;
}

void Table::setRow(int row, QStringList cells)
{
    if (row < 0 || row >= m_rows.size())
        return;
    trim(cells, m_columns);
    release(m_rows.at(row));
    m_rows[row] = store(cells);
    compactIfWasteful();
}

bool Table::isEmpty() const
{
    if (m_rows.size() > 2)
        return false;
    const QStringList cells = m_rows.size() > 1 ? cellsOf(m_rows.at(1)) : QStringList();
    for (qsizetype c = 0; c < std::min<qsizetype>(cells.size(), m_columns - 1); ++c) {
        if (!cells.at(c).isEmpty())
            return false;
    }
    return m_columns > 1 || cells.value(0).isEmpty();
}

int Table::appendRow()
{
    m_rows.append(0);
    return int(m_rows.size()) - 1;
}

void Table::removeRow(int row)
{
    if (row < 1 || row >= m_rows.size())
        return;
    release(m_rows.at(row));
    if (m_rows.size() == 2) {
        // The table never drops below heading plus row 1.
        m_rows[1] = 0;
    } else {
        m_rows.removeAt(row);
    }
    compactIfWasteful();
}

void Table::insertColumn(int column)
{
    column = std::clamp(column, 0, m_columns);
    ++m_columns;
    reshape(column, [column](QStringList &cells) { cells.insert(column, QString()); },
            [column](int c) { return c < column ? c : c + 1; });
}

void Table::removeColumn(int column)
{
    if (column < 0 || column >= m_columns || m_columns == 1)
        return;
    --m_columns;
    reshape(column, [column](QStringList &cells) { cells.removeAt(column); },
            [column](int c) { return c < column ? c : c == column ? -1 : c - 1; });
}

void Table::reshape(int from, const std::function<void(QStringList &)> &edit,
                    const std::function<int(int)> &moved)
{
    for (Slot &slot : m_rows) {
        if (cellCountOf(slot) <= from)
            continue;
        if (slot & LooseBit) {
            QStringList &cells = m_loose[slot & ~LooseBit];
            edit(cells);
            trim(cells, m_columns);
            continue;
        }
        const Slot base = baseOf(slot);
        Slot next = base;
        if (cellCountOf(base) > from) {
            QStringList cells = cellsOf(base);
            edit(cells);
            trim(cells, m_columns);
            release(base);
            next = store(cells);
        }
        Changes changes;
        for (Change &c : changesOf(slot)) {
            c.column = moved(c.column);
            if (c.column < 0 || c.column >= m_columns)
                continue;
            const bool repeatsBeneath =
                (next & LooseBit) ? m_loose.at(next & ~LooseBit).value(c.column) == c.text
                : next == 0       ? c.text.isEmpty()
                                  : packedCell(next - 1, c.column) == c.text;
            if (!repeatsBeneath)
                changes.append(std::move(c));
        }
        if (isOverlay(slot))
            releaseOverlay(slot);
        if (!changes.isEmpty() && (next & LooseBit)) {
            // The packed buffer was full: the changes go into the unpacked row.
            QStringList &cells = m_loose[next & ~LooseBit];
            for (const Change &c : changes) {
                if (c.column >= cells.size())
                    cells.resize(c.column + 1);
                cells[c.column] = c.text;
            }
            trim(cells, m_columns);
        } else if (!changes.isEmpty()) {
            next = storeOverlay(next, changes);
        }
        slot = next;
    }
    compactIfWasteful();
}

void Table::clearRecords()
{
    QStringList heading = m_rows.isEmpty() ? QStringList() : cellsOf(m_rows.at(0));
    trim(heading, m_columns);
    m_rows.clear();
    m_packed.clear();
    m_loose.clear();
    m_freeLoose.clear();
    m_garbage = 0;
    m_rows = {store(heading), 0};
}

int Table::findRow(int column, const QString &text) const
{
    for (int r = 1; r < m_rows.size(); ++r) {
        if (cell(column, r).compare(text, Qt::CaseInsensitive) == 0)
            return r;
    }
    return -1;
}

void Table::sortRowsBy(int column,
                       const std::function<bool(const QString &, const QString &)> &less)
{
    if (m_rows.size() < 3)
        return;
    // Each key is read once; the rows move as slots, their text stays put.
    QStringList keys;
    keys.reserve(m_rows.size() - 1);
    for (int r = 1; r < m_rows.size(); ++r)
        keys.append(cell(column, r));
    QList<int> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return less(keys.at(a), keys.at(b)); });
    for (int &index : order)
        ++index;
    reorderRows(order);
}

void Table::reorderRows(const QList<int> &order)
{
    if (order.size() != m_rows.size() - 1)
        return;
    QList<bool> taken(m_rows.size(), false);
    QList<Slot> sorted;
    sorted.reserve(m_rows.size());
    sorted.append(m_rows.at(0));
    for (int row : order) {
        if (row < 1 || row >= m_rows.size() || taken.at(row))
            return;
        taken[row] = true;
        sorted.append(m_rows.at(row));
    }
    m_rows = std::move(sorted);
}

bool Table::isOverlay(Slot slot)
{
    return (slot & (LooseBit | OverlayBit)) == OverlayBit;
}

qsizetype Table::offsetOf(Slot slot)
{
    return qsizetype(slot & ~OverlayBit) - 1;
}

Table::Slot Table::baseOf(Slot slot) const
{
    return isOverlay(slot) ? overlayBase(m_packed.constData() + offsetOf(slot)) : slot;
}

Table::Changes Table::changesOf(Slot slot) const
{
    Changes changes;
    if (!isOverlay(slot))
        return changes;
    walkChanges(m_packed.constData() + offsetOf(slot),
                [&changes](quint32 column, const char *bytes, quint32 length) {
                    changes.append({int(column), QString::fromUtf8(bytes, length)});
                    return false;
                });
    return changes;
}

QStringList Table::cellsOf(Slot slot, qsizetype room) const
{
    if (slot == 0)
        return QStringList();
    if (slot & LooseBit)
        return m_loose.at(slot & ~LooseBit);
    if (isOverlay(slot))
        return merged(baseOf(slot), changesOf(slot), room);
    const char *p = m_packed.constData() + (slot - 1);
    const int count = int(readVarint(p));
    QStringList cells;
    cells.reserve(std::max<qsizetype>(count, room));
    if (count <= ShortRowCells) {
        for (int c = 0; c < count; ++c) {
            const quint32 length = readVarint(p);
            cells.append(QString::fromUtf8(p, length));
            p += length;
        }
        return cells;
    }
    const char *ends = p;
    const char *text = ends + 4 * qsizetype(count);
    quint32 start = 0;
    for (int c = 0; c < count; ++c) {
        const quint32 end = readEnd(ends, c);
        cells.append(QString::fromUtf8(text + start, end - start));
        start = end;
    }
    return cells;
}

QStringList Table::merged(Slot base, const Changes &changes, qsizetype room) const
{
    QStringList cells = cellsOf(base, room);
    for (const Change &c : changes) {
        if (c.column >= cells.size())
            cells.resize(c.column + 1);
        cells[c.column] = c.text;
    }
    trim(cells, m_columns);
    return cells;
}

int Table::cellCountOf(Slot slot) const
{
    if (slot == 0)
        return 0;
    if (slot & LooseBit)
        return int(m_loose.at(slot & ~LooseBit).size());
    if (isOverlay(slot)) {
        const char *overlay = m_packed.constData() + offsetOf(slot);
        int count = cellCountOf(overlayBase(overlay));
        walkChanges(overlay, [&count](quint32 column, const char *, quint32) {
            count = std::max(count, int(column) + 1);
            return false;
        });
        return count;
    }
    const char *p = m_packed.constData() + (slot - 1);
    return int(readVarint(p));
}

QString Table::packedCell(qsizetype offset, int column) const
{
    const char *p = m_packed.constData() + offset;
    const int count = int(readVarint(p));
    if (column >= count)
        return QString();
    if (count <= ShortRowCells) {
        for (int c = 0; c < column; ++c)
            p += readVarint(p);
        const quint32 length = readVarint(p);
        return QString::fromUtf8(p, length);
    }
    const quint32 start = column == 0 ? 0 : readEnd(p, column - 1);
    const quint32 end = readEnd(p, column);
    return QString::fromUtf8(p + 4 * qsizetype(count) + start, end - start);
}

qsizetype Table::packedSize(qsizetype offset) const
{
    const char *begin = m_packed.constData() + offset;
    const char *p = begin;
    const int count = int(readVarint(p));
    if (count <= ShortRowCells) {
        for (int c = 0; c < count; ++c)
            p += readVarint(p);
        return p - begin;
    }
    return (p - begin) + 4 * qsizetype(count) + (count > 0 ? readEnd(p, count - 1) : 0);
}

qsizetype Table::overlaySize(qsizetype offset) const
{
    const char *begin = m_packed.constData() + offset;
    return walkChanges(begin, [](quint32, const char *, quint32) { return false; }) - begin;
}

Table::Slot Table::store(const QStringList &cells)
{
    if (cells.isEmpty())
        return 0;
    const int count = int(cells.size());
    const bool wide = count > ShortRowCells;
    QVarLengthArray<quint32, 128> lengths(count);
    qsizetype bytes = 5 + (wide ? 4 : 5) * qsizetype(count);
    for (int c = 0; c < count; ++c) {
        lengths[c] = quint32(utf8Length(cells.at(c)));
        bytes += lengths[c];
    }
    if (m_packed.size() + bytes >= MaxPackedBytes)
        return storeLoose(cells);
    const qsizetype offset = m_packed.size();
    m_packed.resize(offset + bytes);
    char *out = m_packed.data() + offset;
    out = writeVarint(out, quint32(count));
    if (wide) {
        quint32 end = 0;
        for (int c = 0; c < count; ++c) {
            end += lengths[c];
            std::memcpy(out, &end, 4);
            out += 4;
        }
        for (const QString &text : cells)
            out = writeUtf8(out, text);
    } else {
        for (int c = 0; c < count; ++c) {
            out = writeVarint(out, lengths[c]);
            out = writeUtf8(out, cells.at(c));
        }
    }
    m_packed.resize(out - m_packed.constData());
    return Slot(offset + 1);
}

Table::Slot Table::storeLoose(QStringList cells)
{
    if (!m_freeLoose.isEmpty()) {
        const int index = m_freeLoose.takeLast();
        m_loose[index] = std::move(cells);
        return LooseBit | Slot(index);
    }
    m_loose.append(std::move(cells));
    return LooseBit | Slot(m_loose.size() - 1);
}

// Takes over `base`: when the buffer is full, the row is unpacked instead.
Table::Slot Table::storeOverlay(Slot base, const Changes &changes)
{
    qsizetype bytes = 4;
    for (const Change &c : changes)
        bytes += 10 + 3 * c.text.size();
    if (m_packed.size() + bytes >= MaxPackedBytes) {
        QStringList cells = merged(base, changes);
        release(base);
        return storeLoose(std::move(cells));
    }
    const qsizetype offset = m_packed.size();
    m_packed.resize(offset + bytes);
    char *out = m_packed.data() + offset;
    std::memcpy(out, &base, 4);
    out += 4;
    for (qsizetype i = 0; i < changes.size(); ++i) {
        const Change &c = changes.at(i);
        const bool more = i + 1 < changes.size();
        out = writeVarint(out, quint32(c.column));
        out = writeVarint(out, quint32(2 * utf8Length(c.text)) | (more ? 1u : 0u));
        out = writeUtf8(out, c.text);
    }
    m_packed.resize(out - m_packed.constData());
    return OverlayBit | Slot(offset + 1);
}

void Table::release(Slot slot)
{
    if (slot == 0)
        return;
    if (slot & LooseBit) {
        const int index = int(slot & ~LooseBit);
        m_loose[index] = QStringList();
        m_freeLoose.append(index);
        return;
    }
    if (isOverlay(slot)) {
        const Slot base = baseOf(slot);
        releaseOverlay(slot);
        release(base);
        return;
    }
    m_garbage += packedSize(slot - 1);
}

void Table::releaseOverlay(Slot slot)
{
    m_garbage += overlaySize(offsetOf(slot));
}

void Table::compactIfWasteful()
{
    if (m_garbage < CompactAfterBytes || m_garbage * 2 < m_packed.size())
        return;
    QByteArray packed;
    packed.reserve(m_packed.size() - m_garbage);
    const auto move = [&](qsizetype offset, qsizetype size) {
        const Slot moved = Slot(packed.size() + 1);
        packed.append(m_packed.constData() + offset, size);
        return moved;
    };
    for (Slot &slot : m_rows) {
        if (slot == 0 || (slot & LooseBit))
            continue;
        const qsizetype offset = offsetOf(slot);
        if (!isOverlay(slot)) {
            slot = move(offset, packedSize(offset));
            continue;
        }
        Slot base = overlayBase(m_packed.constData() + offset);
        if (base != 0)
            base = move(base - 1, packedSize(base - 1));
        slot = OverlayBit | move(offset, overlaySize(offset));
        std::memcpy(packed.data() + offsetOf(slot), &base, 4);
    }
    m_packed = std::move(packed);
    m_garbage = 0;
}
