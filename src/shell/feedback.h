#pragma once

#include <QString>

// The maker's addresses and the feedback message the "?" menu composes.
namespace Maker {

inline QString homePage() { return QStringLiteral("https://www.kelvane.example/submit/"); }
inline QString feedbackAddress() { return QStringLiteral("feedback@kelvane.example"); }
inline QString contactAddress() { return QStringLiteral("contact@kelvane.example"); }

// The about box's contact label opens this.
QString contactMailto();

} // namespace Maker

namespace Feedback {

// "Kelvane Submit FEEDBACK from  " and who sends it.
QString subject(const QString &sender);

// Nothing but blanks, control characters and line breaks.
bool isMissing(const QString &message);

// "%0A" before every line of `message`, each line percent-encoded; blanks and
// control characters at the end are dropped.
QString body(const QString &message);

// mailto:<feedback address>?subject=..&body=..&bcc=
QString mailtoAddress(const QString &subject, const QString &message);

} // namespace Feedback
