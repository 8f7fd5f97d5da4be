#pragma once

#include <QString>
#include <QStringList>

// The derived fields 92 to 99, written by every store from the values just
// stored. Item texts are as the editor lists hold them from start-up on, that
// is with the trailing tab the program appends to every item.
namespace DerivedFields {

QString field93(const QString &classItem);
QString field94(const QStringList &selectedOsItems);
QString field95(const QStringList &record);
QString field96(const QStringList &record);
QString field97(const QStringList &record);
QString field98(const QStringList &record);
QString field99(const QStringList &record);

// Writes 92..99 into `record` (105 cells) in order.
void store(QStringList &record, const QString &classItem, const QStringList &selectedOsItems);

} // namespace DerivedFields
