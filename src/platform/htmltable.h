#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Tables saved as a web page: a whole UTF-8 page with a heading and one
// table, every value escaped and stripped of control characters (names and
// texts come from pages nobody checked, and some browsers stop at them).
namespace HtmlTable {

QString withoutControls(const QString &value);
QByteArray page(const QString &title, const QStringList &headings, const QList<QStringList> &rows);

} // namespace HtmlTable
