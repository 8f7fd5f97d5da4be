#pragma once

#include <QStyledItemDelegate>

class QComboBox;
class TComboBox97;

// ComboBox_classDrawItem as an item delegate: items are 13 pixels high; the
// class key is drawn 1 pixel in from the left, the site category names one
// combo-box width further right, outside the list, so only keys show and a
// separator row is an empty line.
class ClassItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    static constexpr int ItemHeight = 13;

    explicit ClassItemDelegate(QComboBox *combo);

    // Draws one class item into `rect`; `comboWidth` is the combo box's width.
    static void ComboBox_classDrawItem(QPainter *painter, const QRect &rect, const QString &item,
                                       bool selected, int comboWidth, const QPalette &palette,
                                       const QFont &font);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    QComboBox *m_combo;
};

namespace ClassCombos {

// Items shown at a time by the drop-down list of the class box.
inline constexpr int VisibleItems = 13;

// ComboBox_category: flat, the 13 fixed items, no free text.
void setupCategoryCombo(TComboBox97 *combo);

// ComboBox_class: flat, the 160 class items (without start-up tabs),
// owner-drawn with ClassItemDelegate, 13 items at a time.
void setupClassCombo(TComboBox97 *combo);

// The start-up step for a drop-down: a tab appended to every item's text.
void appendStartupTab(QComboBox *combo);

// Choosing by a stored or imported key: the first item holding it, or no
// choice at all (index -1) when none does or the key is empty.
void chooseClass(QComboBox *combo, const QString &key);

// Choosing by a stored or imported value, letter case aside; no choice when
// no item matches.
void chooseCategory(QComboBox *combo, const QString &value);

} // namespace ClassCombos
