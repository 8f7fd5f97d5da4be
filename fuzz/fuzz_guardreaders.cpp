// libFuzzer target for the readers behind the check before a run and the
// outcome suggestion: any bytes as an answer page's visible text and as a
// hand-edited history cell. Nothing may crash or hang; a suggestion's quote
// stays short and printable; a date the program wrote reads back unchanged.
#include "submit/browser/answersuggestion.h"
#include "submit/history/history.h"
#include "submit/history/historydate.h"

#include <QtEndian>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "fuzz_guardreaders: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = QString::fromUtf8(bytes);

    if (const std::optional<AnswerSuggestion::Suggestion> s = AnswerSuggestion::suggest(text)) {
        if (s->quote.isEmpty())
            fail("a suggestion without its phrase");
        if (s->quote.size() > AnswerSuggestion::MaxQuote + 6)
            fail("a quote longer than the bar takes");
        for (QChar c : s->quote) {
            if (!c.isPrint())
                fail("a control character in the quote");
        }
    }

    static const QLocale locales[] = {QLocale(QLocale::English, QLocale::UnitedStates),
                                      QLocale(QLocale::German, QLocale::Germany),
                                      QLocale(QLocale::English, QLocale::UnitedKingdom)};
    for (const QLocale &locale : locales) {
        if (const std::optional<HistoryDate::OkCell> ok = HistoryDate::readOk(text, locale)) {
            if (ok->date && !ok->date->isValid())
                fail("an invalid date read as one");
        }
    }

    // The first bytes as a day: the cell written for it must read back as it.
    if (size >= 4) {
        const qint64 day = 2268000 + qFromLittleEndian<quint32>(data) % 2900000; // years 1497..9436
        const QDate date = QDate::fromJulianDay(day);
        const QLocale &locale = locales[data[0] % 3];
        const std::optional<HistoryDate::OkCell> back =
            HistoryDate::readOk(History::okCell(date, locale), locale);
        if (!back || back->date != date)
            fail("a written date does not read back");
    }
    return 0;
}
