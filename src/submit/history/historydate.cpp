#include "submit/history/historydate.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace HistoryDate {

namespace {

// Cells are short texts; anything longer was not written as a date.
constexpr int MaxDateText = 40;

// The locale's short format with the year as `year` ("yyyy" or "yy").
QString withYear(QString format, const QString &year)
{
    if (format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yyyy"), QLatin1String("yy"));
    return format.replace(QLatin1String("yy"), year);
}

} // namespace

int widenYear(int twoDigitYear)
{
    // The window Windows applies to two-digit years by default (1930..2029),
    // the platform those older files were written on.
    return twoDigitYear < 30 ? 2000 + twoDigitYear : 1900 + twoDigitYear;
}

std::optional<QDate> parse(const QString &text, const QLocale &locale)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > MaxDateText)
        return std::nullopt;
    const QString shortFormat = locale.dateFormat(QLocale::ShortFormat);
    const QString fourDigits = withYear(shortFormat, QStringLiteral("yyyy"));
    const QString twoDigits = withYear(shortFormat, QStringLiteral("yy"));

    // A four-digit format would also take "26" as the year 26.
    const QStringList parts = t.split(QRegularExpression(QStringLiteral("[^0-9]+")),
                                      Qt::SkipEmptyParts);
    const bool hasCentury = std::any_of(parts.cbegin(), parts.cend(),
                                        [](const QString &p) { return p.size() == 4; });
    if (hasCentury) {
        QDate date = locale.toDate(t, fourDigits);
        if (!date.isValid())
            date = QDate::fromString(t, Qt::ISODate);
        if (date.isValid())
            return date;
        return std::nullopt;
    }
    const QDate date = locale.toDate(t, twoDigits);
    if (!date.isValid()) {
        // 19yy and 20yy share their leap years but for 00: 1900 had no
        // 29 February, 2000 had.
        static const QRegularExpression yearZero(QStringLiteral("(?<![0-9])00(?![0-9])"));
        QString widened = t;
        widened.replace(yearZero, QStringLiteral("2000"));
        const QDate leapDay = locale.toDate(widened, fourDigits);
        if (leapDay.isValid())
            return leapDay;
        return std::nullopt;
    }
    // Qt reads "yy" as 19yy.
    const QDate widened(widenYear(date.year() % 100), date.month(), date.day());
    if (!widened.isValid())
        return std::nullopt;
    return widened;
}

std::optional<OkCell> readOk(const QString &cell, const QLocale &locale)
{
    const QString t = cell.trimmed();
    if (!t.endsWith(QLatin1String("ok"), Qt::CaseInsensitive))
        return std::nullopt;
    const QString before = t.chopped(2);
    // "ok" as a word of its own: "look" is no outcome.
    if (!before.isEmpty() && !before.back().isSpace())
        return std::nullopt;
    OkCell ok;
    ok.dateText = before.trimmed();
    ok.date = parse(ok.dateText, locale);
    return ok;
}

} // namespace HistoryDate
