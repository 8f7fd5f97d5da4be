#pragma once

#include <QColor>
#include <QRect>
#include <QStyledItemDelegate>

// Draws the software list's cells: the selected row on light grey in the
// window-text colour, every text 2 pixels in from the left and top, and in
// column 0 the submission mark's check box with the name beside it.
class SoftwareListDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    static constexpr int TextLeft = 2;
    static constexpr int TextTop = 2;
    static constexpr int MarkedTextLeft = 17;
    static constexpr int CheckBoxWidth = 16;
    static QColor selectionColour() { return QColor(230, 230, 230); }

    // The check box of a column-0 cell: its first 16 pixels, from 2 below the
    // cell's top to 1 above its bottom.
    static QRect checkBoxRect(const QRect &cell);

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};
