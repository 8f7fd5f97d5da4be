#pragma once

#include <QString>

// Percent-encoding of the parts of a "mailto:" address (RFC 6068), so that a
// "&", "#", "?" or "%" in a subject or body stays text instead of ending the
// value or starting another header.
namespace MailtoEncoding {

// A header value: everything outside the unreserved set is encoded (UTF-8
// octets), "+" included, which some mail programs read as a blank; "@" stays
// readable.
QString value(const QString &text);

// The recipient part: addresses joined by "," stay separate addresses.
QString recipients(const QString &text);

} // namespace MailtoEncoding
