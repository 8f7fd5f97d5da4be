#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Reading a PAD file into a software record for the editor. Files laid out
// one element per line (our own export and most tools) are read line by line;
// any other well-formed PAD document is read as XML with the same element
// rules. Windows-1252, UTF-8 (declared or with a byte-order mark) and UTF-16
// files are read; a value Windows-1252 cannot hold is left out with a note.
namespace PadImport {

// Larger files are not PAD files; they are refused before being read.
inline constexpr qint64 MaxFileSize = 8 * 1024 * 1024;

struct Result
{
    enum class Status {
        Imported,   // `record` holds the values; `notes` what was left out
        NotPad,     // not a PAD document (or not text at all): nothing imported
        Unreadable, // the file could not be opened or read: nothing imported
    };

    Status status = Status::NotPad;
    // 105 cells, empty except for the fields the import sets, in the record's
    // stored forms. The permissions and EULA boxes (68, 69) keep their lines
    // with "\n" between them; the PAD ring (70) has CR LF between its lines.
    QStringList record;
    // The class table row chosen for field 48, -1 for none.
    int classRow = -1;
    // Values left out or sections cut short, one sentence each, for the user.
    QStringList notes;
    // Why nothing was imported (NotPad, Unreadable).
    QString error;

    bool imported() const { return status == Status::Imported; }
};

Result fromBytes(const QByteArray &bytes);
Result fromFile(const QString &path);

// "&amp;", "&lt;", "&gt;", "&quot;", "&apos;" and numeric character
// references replaced by their characters; anything else is kept as written.
QString decodeReferences(const QString &text);

} // namespace PadImport
