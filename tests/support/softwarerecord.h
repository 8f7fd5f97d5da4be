#pragma once

#include "catalogue/fieldcatalogue.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// A software record of 105 fields, empty but for the given (field, text) cells.
inline QStringList recordWith(const QList<QPair<int, QString>> &cells)
{
    QStringList record(FieldCatalogue::FieldCount);
    for (const auto &[n, text] : cells)
        record[n] = text;
    return record;
}
