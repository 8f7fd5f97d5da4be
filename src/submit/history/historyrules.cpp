#include "submit/history/historyrules.h"

#include "platform/tablefile.h"
#include "submit/history/history.h"
#include "submit/sites/submitlist.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace HistoryRules {

Position positionFor(int submitListCurrentRow, int currentSoftwareRow)
{
    return {submitListCurrentRow, currentSoftwareRow, topRowFor(submitListCurrentRow)};
}

int topRowFor(int currentRow)
{
    return currentRow <= 10 ? 1 : currentRow - 5;
}

QString cellLabel(int column, int row)
{
    return QStringLiteral("[%1,%2]").arg(column).arg(row);
}

std::optional<LabelCell> parseLabel(const QString &label)
{
    static const QRegularExpression pattern(QStringLiteral("^\\[(\\d+),(\\d+)\\]$"));
    const QRegularExpressionMatch match = pattern.match(label);
    if (!match.hasMatch())
        return std::nullopt;
    bool columnOk = false;
    bool rowOk = false;
    const LabelCell cell{match.captured(1).toInt(&columnOk), match.captured(2).toInt(&rowOk)};
    if (!columnOk || !rowOk)
        return std::nullopt;
    return cell;
}

std::optional<Press> cellPress(const Table &history, int column, int row)
{
    if (column < 1 || column >= history.columnCount() || row < 0 || row >= history.rowCount())
        return std::nullopt;
    return Press{cellLabel(column, row), history.cell(column, row)};
}

std::optional<int> submitListRowAfterClick(int historyColumn, int historyRow,
                                           int currentSoftwareRow)
{
    if (historyColumn != currentSoftwareRow || historyRow < 1)
        return std::nullopt;
    return historyRow;
}

Edit editCell(Table &history, const QString &label, const QString &text)
{
    Edit edit;
    const std::optional<LabelCell> cell = parseLabel(label);
    if (!cell || cell->column >= history.columnCount() || cell->row >= history.rowCount())
        return edit;
    // Site names are the submit list's; the row would lose its site.
    if (cell->column == 0 && cell->row >= 1)
        return edit;
    const QString problem = TableFile::cellProblem(text);
    if (!problem.isEmpty()) {
        edit.refusal = QCoreApplication::translate("HistoryRules", "The cell was not changed: %1.")
                           .arg(problem);
        return edit;
    }
    history.setCell(cell->column, cell->row, text);
    edit.changed = true;
    return edit;
}

bool deleteLine(Table &history, int currentRow)
{
    if (currentRow < 1 || currentRow >= history.rowCount())
        return false;
    bool changed = false;
    for (int c = 1; c < history.columnCount(); ++c) {
        if (!history.cell(c, currentRow).isEmpty()) {
            history.setCell(c, currentRow, QString());
            changed = true;
        }
    }
    return changed;
}

CellLook cellLook(const Table &history, int column, int row, bool selected)
{
    CellLook look;
    if (row < 1)
        return look;
    if (column == 0) {
        look.background = SiteColours::HistorySiteBackground;
        return look;
    }
    if (selected) {
        look.background = SiteColours::SelectedBackground;
        look.windowText = true;
        return look;
    }
    const QString text = history.cell(column, row);
    if (!text.isEmpty())
        look.background = text == History::failCell() ? SiteColours::HistoryFailBackground
                                                      : SiteColours::AcceptedBackground;
    return look;
}

} // namespace HistoryRules
