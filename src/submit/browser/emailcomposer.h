#pragma once

#include <QString>
#include <QStringList>

class AddressHandler;

// The message an e-mail site gets instead of a filled form: a body that
// describes the selected software record, a fixed subject, handed to the
// desktop's mail program as a "mailto:" address.
namespace EmailComposer {

// Field 48 ("main::sub") as "main - sub", its first "&" written "and".
QString categoryText(const QString &categoryClass);

// The message lines, joined by "\n". Cut at the first zero character.
QString body(const QStringList &softwareRecord);

inline QString subject() { return QStringLiteral("New Software Submission "); }

// mailto:<address>?subject=..&body=..&From=<field 39>&bcc=
// Every value is percent-encoded as a mailto address requires, so a "&",
// "#", "?" or "%" in a product's text stays text instead of ending the body
// or starting a header; line breaks are "%0A".
QString mailtoAddress(const QString &siteAddress, const QStringList &softwareRecord);

// Builds the address from the record as it is now and hands it over.
void compose(const QString &siteAddress, const QStringList &softwareRecord,
             AddressHandler &handler);

} // namespace EmailComposer
