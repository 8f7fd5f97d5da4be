#include "submit/browser/answersuggestion.h"

#include <QCoreApplication>
#include <QStringList>

#include <array>

namespace AnswerSuggestion {

namespace {

// What download sites write on their answer pages. Extend freely: a phrase
// is a word or words, in lower case.
constexpr std::array Phrases{
    Phrase{Verdict::Accepted, "thank you"},
    Phrase{Verdict::Accepted, "thanks for"},
    Phrase{Verdict::Accepted, "received"},
    Phrase{Verdict::Accepted, "successfully"},
    Phrase{Verdict::Accepted, "success"},
    Phrase{Verdict::Accepted, "has been added"},
    Phrase{Verdict::Accepted, "have been added"},
    Phrase{Verdict::Accepted, "has been submitted"},
    Phrase{Verdict::Accepted, "has been accepted"},
    Phrase{Verdict::Accepted, "pending review"},
    Phrase{Verdict::Accepted, "awaiting approval"},
    Phrase{Verdict::Refused, "error"},
    Phrase{Verdict::Refused, "errors"},
    Phrase{Verdict::Refused, "invalid"},
    Phrase{Verdict::Refused, "already exists"},
    Phrase{Verdict::Refused, "already listed"},
    Phrase{Verdict::Refused, "already in our database"},
    Phrase{Verdict::Refused, "duplicate"},
    Phrase{Verdict::Refused, "rejected"},
    Phrase{Verdict::Refused, "not accepted"},
    Phrase{Verdict::Refused, "not allowed"},
    Phrase{Verdict::Refused, "denied"},
    Phrase{Verdict::Refused, "banned"},
    Phrase{Verdict::Refused, "captcha"},
    Phrase{Verdict::Refused, "is required"},
    Phrase{Verdict::Refused, "try again"},
};

struct Match
{
    int line = -1;
    qsizetype start = 0;
    qsizetype length = 0;
};

bool wordCharAt(const QString &text, qsizetype i)
{
    return i >= 0 && i < text.size() && text.at(i).isLetterOrNumber();
}

// The first whole-word occurrence of `phrase` in `line` at or after `from`.
qsizetype findWord(const QString &line, const QString &phrase)
{
    for (qsizetype i = line.indexOf(phrase, 0, Qt::CaseInsensitive); i >= 0;
         i = line.indexOf(phrase, i + 1, Qt::CaseInsensitive)) {
        if (!wordCharAt(line, i - 1) && !wordCharAt(line, i + phrase.size()))
            return i;
    }
    return -1;
}

// The earliest phrase of `verdict` in reading order.
Match firstMatch(const QStringList &lines, Verdict verdict)
{
    Match best;
    for (const Phrase &phrase : Phrases) {
        if (phrase.verdict != verdict)
            continue;
        const QString p = QString::fromLatin1(phrase.text);
        for (int l = 0; l < lines.size() && (best.line < 0 || l <= best.line); ++l) {
            const qsizetype at = findWord(lines.at(l), p);
            if (at < 0)
                continue;
            if (best.line < 0 || l < best.line || at < best.start
                || (at == best.start && p.size() > best.length))
                best = {l, at, p.size()};
            break;
        }
    }
    return best;
}

bool endsSentence(QChar c)
{
    return c == QLatin1Char('.') || c == QLatin1Char('!') || c == QLatin1Char('?');
}

// The sentence around the match, cut to MaxQuote at word boundaries.
QString quoteOf(const QString &line, const Match &m)
{
    qsizetype start = m.start;
    while (start > 0 && !endsSentence(line.at(start - 1)))
        --start;
    qsizetype end = m.start + m.length;
    while (end < line.size() && !endsSentence(line.at(end)))
        ++end;
    bool cutBefore = false;
    bool cutAfter = false;
    if (end - start > MaxQuote) {
        // A third of the room before the phrase, the rest after it.
        const qsizetype lead = (MaxQuote - m.length) / 3;
        if (m.start - start > lead) {
            start = m.start - lead;
            while (start < m.start && wordCharAt(line, start - 1))
                ++start;
            cutBefore = true;
        }
        if (end - start > MaxQuote) {
            end = std::max(start + MaxQuote, m.start + m.length);
            while (end > m.start + m.length && wordCharAt(line, end))
                --end;
            cutAfter = true;
        }
    }
    QString quote = line.mid(start, end - start).trimmed();
    if (cutBefore)
        quote.prepend(QStringLiteral("..."));
    if (cutAfter)
        quote.append(QStringLiteral("..."));
    return quote;
}

} // namespace

std::optional<Suggestion> suggest(const QString &pageText)
{
    QStringList lines = pageText.left(MaxText).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (QString &line : lines) {
        // Control characters of a hostile page never reach the bar.
        for (QChar &c : line) {
            if (!c.isPrint())
                c = QLatin1Char(' ');
        }
        line = line.simplified();
    }
    for (Verdict verdict : {Verdict::Refused, Verdict::Accepted}) {
        const Match m = firstMatch(lines, verdict);
        if (m.line >= 0)
            return Suggestion{verdict, quoteOf(lines.at(m.line), m)};
    }
    return std::nullopt;
}

QString barText(const Suggestion &suggestion)
{
    return suggestion.verdict == Verdict::Accepted
               ? QCoreApplication::translate("AnswerSuggestion", "looks accepted: '%1'")
                     .arg(suggestion.quote)
               : QCoreApplication::translate("AnswerSuggestion", "looks refused: '%1'")
                     .arg(suggestion.quote);
}

} // namespace AnswerSuggestion
