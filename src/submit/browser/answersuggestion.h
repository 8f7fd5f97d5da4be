#pragma once

#include <QString>

#include <optional>

// What a site's answer page seems to say about the submission, read from the
// page's visible text against a table of phrases. Only a suggestion: the
// user still records the outcome with a button.
namespace AnswerSuggestion {

enum class Verdict { Accepted, Refused };

struct Phrase
{
    Verdict verdict;
    // Lower case; matched in any letter case, as whole words.
    const char *text;
};

struct Suggestion
{
    Verdict verdict = Verdict::Accepted;
    // The phrase that decided it as the page writes it, with the rest of its
    // sentence, at most MaxQuote characters.
    QString quote;
    friend bool operator==(const Suggestion &, const Suggestion &) = default;
};

// Page text beyond this is not read; the answer is near the top.
inline constexpr int MaxText = 100000;
inline constexpr int MaxQuote = 60;

// A refused phrase anywhere wins over accepted ones (an error page often
// thanks the user as well); within a verdict the first phrase in the text
// decides. No phrase: nothing.
std::optional<Suggestion> suggest(const QString &pageText);

// The window's bar: "looks accepted: '<quote>'" or "looks refused: '<quote>'".
QString barText(const Suggestion &suggestion);

} // namespace AnswerSuggestion
