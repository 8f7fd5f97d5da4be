#pragma once

#include <QByteArray>
#include <QString>

// The one codec between cells (QString) and every byte-level boundary: the
// record files, the credential file, PAD files and the scrambler. Every byte
// maps to one character and back, so files stay byte-compatible; the five
// bytes Windows-1252 leaves undefined map to the C1 controls of the same value.
namespace Cp1252 {

// Index of the first character that has no Windows-1252 byte, or -1.
qsizetype firstUnencodable(const QString &text);
inline bool canEncode(const QString &text) { return firstUnencodable(text) < 0; }

// Encodes text; a character without a byte becomes '?', so callers check
// canEncode() first wherever the text is stored.
QByteArray encode(const QString &text);
QString decode(const QByteArray &bytes);

} // namespace Cp1252
