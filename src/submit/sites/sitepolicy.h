#pragma once

#include <QString>

// What a site's notes (column 2) ask of a submission. "Freeware only"
// stops shareware before the window opens; any other note is shown in the
// browser window while the site's page is open.
namespace SitePolicy {

inline QString freewareOnlyText() { return QStringLiteral("Freeware only"); }

// The notes state the freeware-only policy: "Freeware only" in any letter
// case, as words of their own anywhere in the notes.
bool freewareOnly(const QString &notes);

// The product's type (field 2) breaks the site's policy: the site takes
// freeware only and the type is not "Freeware" (an empty type included).
bool breaks(const QString &notes, const QString &programType);

// The note for the browser window's notice line: the notes trimmed, or ""
// when they are empty or say nothing but the freeware-only policy, which the
// check before the run has dealt with.
QString notice(const QString &notes);

} // namespace SitePolicy
