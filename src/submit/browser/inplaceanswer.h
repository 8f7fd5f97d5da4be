#pragma once

#include <QString>

// A page's title and visible text at one moment.
struct PageState
{
    QString title;
    QString text;
};

namespace InPlaceAnswer {

// Lines that came or went, in characters, beyond which a page has visibly
// answered: a thank-you line or an error message, not a counter ticking.
inline constexpr int ChangedCharacters = 20;

// Whether the page now shows an answer it did not show before: its title
// changed, or lines of its visible text came or went, together at least
// ChangedCharacters long (blanks at the ends of lines not counted).
bool changed(const PageState &before, const PageState &after);

} // namespace InPlaceAnswer
