#include "submit/run/runpadcheck.h"

#include "catalogue/fieldcatalogue.h"
#include "pad/padcheck.h"
#include "platform/table.h"

#include <QCoreApplication>

namespace RunPadCheck {

QString listFor(const Table &software, const QList<int> &softwareRows)
{
    // A few lines per product keep the box on the screen for a long run.
    constexpr int LinesPerProduct = 8;
    QStringList products;
    for (const int row : softwareRows) {
        const QList<PadCheck::Violation> violations = PadCheck::check(software.row(row));
        if (violations.isEmpty())
            continue;
        products.append(software.cell(Field::ProgramName, row) + QLatin1Char(':') + QLatin1Char('\r')
                        + PadCheck::listText(violations, LinesPerProduct));
    }
    if (products.isEmpty())
        return QString();
    return QCoreApplication::translate("RunPadCheck",
                                       "Products of this run break rules of the PAD standard; "
                                       "download sites may drop them.")
        + QLatin1String("\r\r") + products.join(QLatin1String("\r\r"));
}

QString title()
{
    return QCoreApplication::translate("RunPadCheck", "PAD check");
}

} // namespace RunPadCheck
