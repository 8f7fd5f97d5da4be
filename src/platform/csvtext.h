#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Tables saved for spreadsheets: RFC 4180 (CRLF line ends, a field quoted
// when it holds a comma, a quote or a line break, quotes doubled), UTF-8.
// Cells come from pages and files nobody checked, so one that a spreadsheet
// would run as a formula starts with an apostrophe instead.
namespace CsvText {

QString inert(const QString &value);
QString field(const QString &value);
QString line(const QStringList &fields);
// A heading line and one line per row.
QByteArray table(const QStringList &headings, const QList<QStringList> &rows);

} // namespace CsvText
