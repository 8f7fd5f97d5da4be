#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

#include <optional>

// Reading back the date of an "ok" history cell. Cells are written as the
// user's short date with a four-digit year and "  ok"; files of older copies
// hold the same format with a two-digit year, and the user may have typed
// anything with "edit cell".
namespace HistoryDate {

struct OkCell
{
    // The text before "ok", trimmed, as the cell holds it.
    QString dateText;
    // Empty when the date cannot be read.
    std::optional<QDate> date;
};

// A cell that says the site took the product: "ok" (any letter case) as its
// last word. Empty, "   fail" and other texts give nothing.
std::optional<OkCell> readOk(const QString &cell, const QLocale &locale = QLocale());

// A date in the locale's short format, with a four-digit or a two-digit year,
// or in ISO form (yyyy-MM-dd). Two-digit years fall in 1930..2029.
std::optional<QDate> parse(const QString &text, const QLocale &locale = QLocale());

// The year a two-digit year stands for.
int widenYear(int twoDigitYear);

} // namespace HistoryDate
