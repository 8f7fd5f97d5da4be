#pragma once

#include "platform/table.h"

#include <QString>

#include <optional>

// The rules of the history view (`Panel_4`, `StringGrid_history`): where
// "history" puts the current cell, what a cell press shows, the two editing
// commands and the cell colours. The view only shows the table and forwards
// the user's actions here.
namespace HistoryRules {

// "history" (`SpeedButton1`): the history row of the submit list's current
// row, the current product's column, and the top row that puts it in view.
struct Position
{
    int row = 1;
    int column = 1;
    int topRow = 1;
    friend bool operator==(const Position &, const Position &) = default;
};
Position positionFor(int submitListCurrentRow, int currentSoftwareRow);
// 1 while the current row is 10 or less, otherwise the current row less 5.
int topRowFor(int currentRow);

// `Label8`: "[column,row]" of the pressed cell; "[0,0]" before any press.
QString cellLabel(int column, int row);
inline QString initialLabel() { return cellLabel(0, 0); }
struct LabelCell
{
    int column = 0;
    int row = 0;
};
std::optional<LabelCell> parseLabel(const QString &label);

// A press on a cell of a product column (any row): the label and the text
// for `Edit_history_edit`; the cell becomes the selection. Presses on column
// 0 or outside the cells give nothing and change nothing.
struct Press
{
    QString label;
    QString editText;
};
std::optional<Press> cellPress(const Table &history, int column, int row);

// A click on the table: the submit list's current row follows the history's
// current row while the current column is the current product's column.
std::optional<int> submitListRowAfterClick(int historyColumn, int historyRow,
                                           int currentSoftwareRow);

// "edit cell" (`Button3`): writes the text into the cell the label names.
// Text the history file could not keep (a "|", a character outside
// Windows-1252) is refused and the cell stays as it was.
struct Edit
{
    bool changed = false;   // the caller sets the dirty flag
    QString refusal;        // a message for the user, else empty
};
Edit editCell(Table &history, const QString &label, const QString &text);

// "[ delete line ]" (`Button4`) and "&delete line" (`Pop_h_deleteline`): the
// row's product cells are cleared and its site name stays, so row r keeps
// describing site r of the submit list and later outcomes land on their own
// site. Gives whether anything changed (the caller sets the dirty flag).
bool deleteLine(Table &history, int currentRow);

// Cell drawing: the background as 0xRRGGBB, none for the view's own.
struct CellLook
{
    std::optional<unsigned> background;
    // The text takes the window-text colour (selected product cells).
    bool windowText = false;
};
CellLook cellLook(const Table &history, int column, int row, bool selected);
// Texts are drawn this far right of and below the cell's top-left corner.
inline constexpr int TextOffset = 2;

} // namespace HistoryRules
