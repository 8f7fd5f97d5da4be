#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Writing one software record as a PAD document (root XML_DIZ_INFO, PAD 2.01
// layout, Windows-1252, CR LF line ends). The document is also what the PAD
// import reads back.
namespace PadExport {

// The maker's page and the PAD standard's home page, named in the header lines.
inline constexpr const char *MakerPage = "http://www.kelvane.example/kelvanesubmit/";
inline constexpr const char *PadHomePage = "http://www.asp-shareware.org/pad/";

// The whole document for `record` (a software row; missing cells read as "").
QByteArray document(const QStringList &record);

// A value element the document holds: its path from the root
// ("XML_DIZ_INFO/Program_Info/Program_Name"), the field it is written from
// (-1 for the program's own fixed texts) and its value as a reader of the
// document gets it back (before the escaping; "Y"/"N" for the check boxes).
struct Element
{
    QString path;
    int field = -1;
    QString value;
};

// The value elements of document(record), in document order: the same walk
// writes both.
QList<Element> elements(const QStringList &record);

// A value as it goes between the tags: "&", "<" and ">" as entities, line
// breaks and characters Windows-1252 has no byte for as character references;
// characters no PAD file can hold (see writable()) are left out.
QString escaped(const QString &value);

// Whether a character can stand in a PAD file: not a control character that
// XML 1.0 forbids even as a reference (U+0001..U+001F but tab, CR and LF),
// nor one of the five Windows-1252 leaves undefined (U+0081, U+008D,
// U+008F, U+0090, U+009D), nor U+FFFE or U+FFFF.
bool writable(QChar c);

// What document(record) leaves out, one line per element that loses
// characters: "Program_Name: U+0001, U+001B". Empty when nothing is lost.
QStringList lostCharacters(const QStringList &record);

// Writes the document to `path` all at once: an earlier file there stays
// untouched unless the new one is complete. Returns "" on success, otherwise
// the reason, for the user.
QString save(const QStringList &record, const QString &path);

} // namespace PadExport
