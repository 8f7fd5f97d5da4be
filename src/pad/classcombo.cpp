#include "pad/classcombo.h"

#include "controls/combobox97.h"
#include "pad/categorytables.h"

#include <QPainter>

ClassItemDelegate::ClassItemDelegate(QComboBox *combo) : QStyledItemDelegate(combo), m_combo(combo)
{
}

void ClassItemDelegate::ComboBox_classDrawItem(QPainter *painter, const QRect &rect,
                                               const QString &item, bool selected,
                                               int comboWidth, const QPalette &palette,
                                               const QFont &font)
{
    // The combo box has set the selection colours for a selected item.
    painter->fillRect(rect, palette.color(selected ? QPalette::Highlight : QPalette::Base));
    painter->setPen(palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(font);

    const qsizetype tab = item.indexOf(QLatin1Char('\t'));
    const QString key = tab < 0 ? item : item.left(tab);
    const QString rest = tab < 0 ? QString() : item.mid(tab + 1);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    const int far = 1 << 16;
    painter->drawText(QRect(rect.left() + 1, rect.top(), far, rect.height()), flags, key);
    if (!rest.isEmpty())
        painter->drawText(QRect(rect.left() + comboWidth + 1, rect.top(), far, rect.height()),
                          flags, rest);
}

void ClassItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const
{
    const QPalette::ColorGroup group =
        option.state & QStyle::State_Enabled ? QPalette::Active : QPalette::Disabled;
    QPalette palette = option.palette;
    palette.setCurrentColorGroup(group);
    painter->save();
    painter->setClipRect(option.rect);
    ComboBox_classDrawItem(painter, option.rect, index.data(Qt::DisplayRole).toString(),
                           option.state & QStyle::State_Selected, m_combo ? m_combo->width() : 0,
                           palette, option.font);
    painter->restore();
}

QSize ClassItemDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return QSize(option.rect.width(), ItemHeight);
}

namespace ClassCombos {

void setupCategoryCombo(TComboBox97 *combo)
{
    combo->setEditable(false);
    combo->clear();
    combo->addItems(CategoryTables::categoryItems());
    combo->setCurrentIndex(-1);
    combo->setFlat(true);
}

void setupClassCombo(TComboBox97 *combo)
{
    combo->setEditable(false);
    combo->clear();
    combo->setItemDelegate(new ClassItemDelegate(combo));
    combo->addItems(CategoryTables::classItems());
    combo->setCurrentIndex(-1);
    combo->setMaxVisibleItems(VisibleItems);
    combo->setOwnerDrawn(true);
    combo->setFlat(true);
}

void appendStartupTab(QComboBox *combo)
{
    for (int i = 0; i < combo->count(); ++i)
        combo->setItemText(i, combo->itemText(i) + QLatin1Char('\t'));
}

void chooseClass(QComboBox *combo, const QString &key)
{
    QStringList items;
    items.reserve(combo->count());
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    combo->setCurrentIndex(CategoryTables::findClassItem(items, key));
}

void chooseCategory(QComboBox *combo, const QString &value)
{
    int found = -1;
    for (int i = 0; i < combo->count() && found < 0; ++i) {
        if (combo->itemText(i).compare(value, Qt::CaseInsensitive) == 0)
            found = i;
    }
    combo->setCurrentIndex(found);
}

} // namespace ClassCombos
