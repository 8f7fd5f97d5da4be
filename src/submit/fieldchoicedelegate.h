#pragma once

#include <QStyledItemDelegate>

// Edits a field-map field by caption: a choice list of every field an entry
// may name, pseudo fields and constants included, and "(none)". Reads and
// writes the model's field number under `fieldRole`; `noField` is "(none)".
class FieldChoiceDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    FieldChoiceDelegate(int fieldRole, int noField, QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;

private:
    int m_fieldRole;
    int m_noField;
};
