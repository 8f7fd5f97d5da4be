#include "catalogue/softwarelistdelegate.h"

#include "catalogue/fieldcatalogue.h"
#include "catalogue/softwarelistmodel.h"

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

    // A standing's parts as a thin bar along the cell's bottom.
    const QList<int> parts = index.data(SoftwareListModel::BarRole).value<QList<int>>();
    int total = 0;
    for (int part : parts)
        total += part;
    if (total > 0) {
        static const QColor colours[] = {QColor(40, 150, 40), QColor(200, 40, 40), QColor(200, 200, 200)};
        const QRect bar(cell.left() + TextLeft, cell.bottom() - 3, cell.width() - 2 * TextLeft, 3);
        int x = bar.left();
        for (int i = 0; i < parts.size() && i < 3; ++i) {
            const int width = int(qint64(bar.width()) * parts.at(i) / total);
            painter->fillRect(QRect(x, bar.top(), width, bar.height()), colours[i]);
            x += width;
        }
    }

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
