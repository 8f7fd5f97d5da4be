#include "catalogue/softwarelistdelegate.h"

#include "catalogue/fieldcatalogue.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

QRect SoftwareListDelegate::checkBoxRect(const QRect &cell)
{
    return QRect(cell.left(), cell.top() + 2, CheckBoxWidth, cell.height() - 3);
}

void SoftwareListDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                 const QModelIndex &index) const
{
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    const QRect cell = option.rect;
    const bool selected = option.state.testFlag(QStyle::State_Selected);

    painter->save();
    painter->setClipRect(cell);
    if (selected)
        painter->fillRect(cell, selectionColour());

    const QVariant mark = index.data(Qt::CheckStateRole);
    const bool withBox = index.column() == Field::ProgramName && mark.isValid();
    const int left = index.column() == Field::ProgramName ? MarkedTextLeft : TextLeft;

    painter->setFont(option.font);
    painter->setPen(option.palette.color(selected ? QPalette::WindowText : QPalette::Text));
    const QRect textRect = cell.adjusted(left, TextTop, 0, 0);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());

    if (withBox) {
        QStyleOptionButton box;
        box.rect = checkBoxRect(cell);
        box.palette = option.palette;
        box.state = QStyle::State_Enabled
                    | (mark.toInt() == Qt::Checked ? QStyle::State_On
                                                                   : QStyle::State_Off);
        style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, widget);
    }
    painter->restore();
}
