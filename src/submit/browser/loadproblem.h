#pragma once

#include <QString>

// Why a page did not load, in plain words for the user, with the browser
// engine's own code kept in brackets for whoever looks further.
namespace LoadProblem {

// `engineCode` is the engine's network error number (negative, as
// -105 for a name that was not found); `engineText` its own text.
QString plainWords(int engineCode, const QString &engineText);

} // namespace LoadProblem
