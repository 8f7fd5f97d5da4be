#include "pad/padcheck.h"

#include "catalogue/fieldcatalogue.h"
#include "pad/categorytables.h"
#include "pad/padexport.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>

// Resources of a static library are registered by the code that reads them.
static void initRulesResource()
{
    Q_INIT_RESOURCE(padrules);
}

namespace PadCheck {
namespace {

const QLatin1String RulesPath(":/pad/rules/pad-3.11-field-rules.tsv");
// The rules table's mark of an element that is never checked.
const QLatin1String NotApplicable("*** Not applicable ***");

struct Rule
{
    QRegularExpression pattern;
    QString words;
    QString title;
};

// The rules by element path; a line without a usable pattern gives no rule.
class Rules
{
public:
    Rules()
    {
        initRulesResource();
        QFile file(RulesPath);
        if (!file.open(QIODevice::ReadOnly))
            return;
        const QList<QByteArray> lines = file.readAll().split('\n');
        for (const QByteArray &raw : lines) {
            const QString line = QString::fromLatin1(raw).trimmed();
            if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            const QStringList columns = line.split(QLatin1Char('\t'));
            if (columns.size() < 4 || columns.at(1).isEmpty() || columns.at(1) == NotApplicable)
                continue;
            QRegularExpression pattern(columns.at(1));
            if (!pattern.isValid())
                continue;
            pattern.optimize();
            m_rules.insert(columns.at(0), {pattern, columns.at(2), columns.at(3)});
        }
    }

    const Rule *rule(const QString &path) const
    {
        const auto it = m_rules.constFind(path);
        return it == m_rules.constEnd() ? nullptr : &it.value();
    }
    int count() const { return int(m_rules.size()); }

private:
    QHash<QString, Rule> m_rules;
};

// Read once; the table never changes while the program runs.
const Rules &rules()
{
    static const Rules table;
    return table;
}

QString elementName(const QString &path)
{
    return path.sliced(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString shortened(const QString &value)
{
    constexpr qsizetype Shown = 40;
    QString text = value.size() > Shown ? value.first(Shown) + QChar(0x2026) : value;
    text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

// A value the program's own editor offers keeps its rule whatever the
// published list says: the standard's OS list dropped systems our editor
// still names, and its class list has spacing typos our keys do not share.
bool offeredByEditor(int field, const QString &value)
{
    if (value.isEmpty())
        return false;
    if (field == Field::OsSupport) {
        const QStringList systems = value.split(QLatin1Char(','), Qt::SkipEmptyParts);
        return std::all_of(systems.cbegin(), systems.cend(), [](const QString &system) {
            const QStringList &items = PickLists::osItems();
            return std::any_of(items.cbegin(), items.cend(), [&system](const QString &item) {
                return PickLists::osName(item) == system.trimmed();
            });
        });
    }
    if (field == Field::CategoryClass) {
        const QStringList &items = CategoryTables::classItems();
        return std::any_of(items.cbegin(), items.cend(), [&value](const QString &item) {
            return CategoryTables::classKey(item) == value;
        });
    }
    if (field == Field::Category)
        return CategoryTables::categoryItems().contains(value);
    return field >= 0 && FieldCatalogue::comboItems(field).contains(value);
}

} // namespace

QList<Violation> check(const QStringList &record)
{
    const Rules &table = rules();
    QList<Violation> violations;
    for (const PadExport::Element &e : PadExport::elements(record)) {
        const Rule *rule = table.rule(e.path);
        if (!rule || rule->pattern.match(e.value).hasMatch() || offeredByEditor(e.field, e.value))
            continue;
        violations.append({e.field, elementName(e.path), rule->words, e.value, rule->title});
    }
    return violations;
}

int ruleCount()
{
    return rules().count();
}

QString listText(const QList<Violation> &violations, int maxLines)
{
    QStringList lines;
    for (const Violation &v : violations) {
        if (lines.size() == maxLines) {
            lines.append(QCoreApplication::translate("PadCheck", "... and %n more.", nullptr,
                                                     int(violations.size()) - maxLines));
            break;
        }
        const QString caption = v.field >= 0 && v.field < FieldCatalogue::FieldCount
            ? QString::fromLatin1(FieldCatalogue::field(v.field).meaning)
            : v.title;
        lines.append(QCoreApplication::translate("PadCheck", "%1: %2 (\"%3\")")
                         .arg(caption, v.rule, shortened(v.value)));
    }
    return lines.join(QLatin1Char('\r'));
}

} // namespace PadCheck
