#include "shell/commands/historycommand.h"

#include "platform/csvtext.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QJsonArray>
#include <QJsonObject>

namespace Commands {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Commands", text);
}

// A cell as people read it: "12/10/26  ok" and "   fail" without their padding.
QString outcomeText(const QString &cell)
{
    return cell.simplified();
}

} // namespace

int history(const QStringList &args, const Context &context)
{
    Io io(context);
    QCommandLineParser parser;
    parser.addOption(jsonOption());
    const QCommandLineOption product(QStringLiteral("product"), tr("Only this product's column."),
                                     tr("NAME"));
    const QCommandLineOption csv(QStringLiteral("csv"), tr("Answers as CSV, for spreadsheets."));
    parser.addOptions({product, csv});
    if (const int code = parse(parser, args,
                               {QStringLiteral("history"),
                                QStringLiteral("[--product NAME] [--csv|--json]"),
                                tr("Prints the submission history: one line per site, one "
                                   "column per product."),
                                0, 0},
                               io);
        code >= 0)
        return code;
    Table software;
    Table history;
    if (const QString problem = loadCatalogue(context, software); !problem.isEmpty())
        return io.fail(problem);
    if (const QString problem = loadHistory(context, software, history); !problem.isEmpty())
        return io.fail(problem);

    // History column k belongs to catalogue row k.
    QList<int> columns;
    const QStringList names = productNames(software);
    if (parser.isSet(product)) {
        const Lookup found = findProduct(software, parser.value(product));
        if (found.row < 0)
            return io.fail(found.error);
        columns.append(found.row);
    } else {
        for (int k = 1; k <= names.size(); ++k)
            columns.append(k);
    }
    QStringList headings{tr("Site")};
    for (int k : columns)
        headings.append(names.value(k - 1));
    QList<QStringList> rows;
    for (int r = 1; r < history.rowCount(); ++r) {
        const QString site = history.cell(0, r);
        if (site.isEmpty())
            continue;
        QStringList row{site};
        for (int k : columns)
            row.append(outcomeText(history.cell(k, r)));
        rows.append(row);
    }

    if (parser.isSet(jsonOption())) {
        QJsonArray array;
        for (const QStringList &row : rows) {
            QJsonObject outcomes;
            for (int i = 1; i < row.size(); ++i)
                outcomes.insert(headings[i], row[i]);
            array.append(QJsonObject{{QStringLiteral("site"), row[0]},
                                     {QStringLiteral("outcomes"), outcomes}});
        }
        io.json(array);
        return Success;
    }
    if (parser.isSet(csv)) {
        io.out.flush();
        const QByteArray bytes = CsvText::table(headings, rows);
        return context.out->write(bytes) == bytes.size() ? Success : BadInput;
    }
    QList<qsizetype> widths;
    for (const QString &h : headings)
        widths.append(h.size());
    for (const QStringList &row : rows)
        for (int i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], row[i].size());
    auto print = [&](const QStringList &cells) {
        QString line;
        for (int i = 0; i < cells.size(); ++i)
            line += cells[i].leftJustified(widths[i]) + QLatin1String("  ");
        io.out << line.trimmed() << '\n';
    };
    print(headings);
    for (const QStringList &row : rows)
        print(row);
    return Success;
}

} // namespace Commands
