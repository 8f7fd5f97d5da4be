#include "submit/teachlistmodel.h"

#include "submit/formwalk/fieldchoices.h"
#include "submit/formwalk/fieldsuggestion.h"

#include <QFont>
#include <QSet>

namespace {

// What the user reads as the element's kind: "text", "textarea", "select-one", ...
QString kindOf(const SnapshotElement &e)
{
    return e.type.isEmpty() ? e.tag.toLower() : e.type.toLower();
}

QString shownValue(const SnapshotElement &e)
{
    if (e.isSelect()) {
        QStringList chosen;
        for (const SnapshotOption &o : e.options)
            if (o.selected)
                chosen.append(o.text);
        return chosen.join(QLatin1String(", "));
    }
    const QString kind = kindOf(e);
    // A password the browser filled in is nobody's business in a list.
    if (kind == u"password" && !e.value.isEmpty())
        return QString(8, QChar(0x2022));
    if (kind == u"checkbox" || kind == u"radio")
        return e.checked ? QStringLiteral("[x] ") + e.value : QStringLiteral("[ ] ") + e.value;
    return e.value.left(200);
}

// Buttons and hidden inputs take nothing from a product.
bool takesAValue(const QString &kind)
{
    static const QStringList none{QStringLiteral("submit"), QStringLiteral("button"),
                                  QStringLiteral("reset"),  QStringLiteral("image"),
                                  QStringLiteral("hidden"), QStringLiteral("fieldset")};
    return !none.contains(kind);
}

} // namespace

TeachListModel::TeachListModel(QObject *parent) : QAbstractTableModel(parent) {}

void TeachListModel::setPage(const PageSnapshot &page)
{
    const FieldSuggester suggester;
    QList<Row> rows;
    rows.reserve(page.elementCount());
    for (const SnapshotForm &form : page.forms) {
        for (const SnapshotElement &e : form.elements) {
            Row row{form.index, form.loose, e.name, e.id, kindOf(e), e.label, shownValue(e), NoField, false};
            if (!entryName(row).isEmpty() && takesAValue(row.kind)) {
                if (const std::optional<int> field = suggester.suggest(entryName(row), e.label)) {
                    row.field = *field;
                    row.suggested = true;
                }
            }
            rows.append(std::move(row));
        }
    }
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int TeachListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TeachListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TeachListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Row &r = m_rows.at(index.row());
    if (role == FieldRole)
        return r.field;
    if (index.column() == FieldColumn && role == Qt::FontRole && r.suggested) {
        QFont font;
        font.setItalic(true);
        return font;
    }
    if (index.column() == FieldColumn && role == Qt::ToolTipRole && r.suggested)
        return tr("Suggested from the input's name and label");
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    switch (index.column()) {
    case FormColumn:
        return r.loose ? tr("page") : QString::number(r.form);
    case NameColumn:
        return r.name;
    case IdColumn:
        return r.id;
    case KindColumn:
        return r.kind;
    case LabelColumn:
        return r.label;
    case ValueColumn:
        return r.value;
    case FieldColumn:
        return r.field == NoField ? QString() : FieldChoices::caption(r.field);
    default:
        return {};
    }
}

bool TeachListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.column() != FieldColumn || (role != Qt::EditRole && role != FieldRole)
        || !(flags(index) & Qt::ItemIsEditable))
        return false;
    bool ok = false;
    const int field = value.toInt(&ok);
    if (!ok || (field != NoField && FieldChoices::caption(field).isEmpty()))
        return false;
    Row &r = m_rows[index.row()];
    r.field = field;
    r.suggested = false;
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags TeachListModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == FieldColumn && index.row() < m_rows.size()
        && !entryName(m_rows.at(index.row())).isEmpty() && takesAValue(m_rows.at(index.row()).kind))
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant TeachListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case FormColumn:
        return tr("Form");
    case NameColumn:
        return tr("Input name");
    case IdColumn:
        return tr("Id");
    case KindColumn:
        return tr("Kind");
    case LabelColumn:
        return tr("Label");
    case ValueColumn:
        return tr("Current value");
    case FieldColumn:
        return tr("Field");
    default:
        return {};
    }
}

QList<FormWalk::FieldMapEntry> TeachListModel::picks() const
{
    QList<FormWalk::FieldMapEntry> out;
    QSet<QString> seen;
    for (const Row &r : m_rows) {
        const QString name = entryName(r);
        if (r.field == NoField || name.isEmpty())
            continue;
        // A radio group or an input in several forms is one entry: the walk fills every one.
        const QString key = QString::number(r.field) + u'=' + name;
        if (seen.contains(key))
            continue;
        seen.insert(key);
        out.append({r.field, name});
    }
    return out;
}
