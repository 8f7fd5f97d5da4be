#include "submit/fieldchoicedelegate.h"

#include "submit/formwalk/fieldchoices.h"

#include <QComboBox>

FieldChoiceDelegate::FieldChoiceDelegate(int fieldRole, int noField, QObject *parent)
    : QStyledItemDelegate(parent), m_fieldRole(fieldRole), m_noField(noField)
{
}

QWidget *FieldChoiceDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                           const QModelIndex &) const
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QStringLiteral("ComboBox_field"));
    combo->addItem(tr("(none)"), m_noField);
    for (const FieldChoices::Choice &c : FieldChoices::all())
        combo->addItem(c.caption, c.field);
    combo->setMaxVisibleItems(20);
    return combo;
}

void FieldChoiceDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *combo = static_cast<QComboBox *>(editor);
    const int at = combo->findData(index.data(m_fieldRole).toInt());
    combo->setCurrentIndex(at < 0 ? 0 : at);
}

void FieldChoiceDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                       const QModelIndex &index) const
{
    auto *combo = static_cast<QComboBox *>(editor);
    model->setData(index, combo->currentData(), m_fieldRole);
}
