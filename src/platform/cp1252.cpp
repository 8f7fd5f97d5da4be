#include "platform/cp1252.h"

#include <algorithm>
#include <array>

namespace {

// Characters of the bytes 0x80..0x9F; the undefined ones keep their C1 value.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

int byteOf(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == c)
            return 0x80 + i;
    }
    return -1;
}

} // namespace

namespace Cp1252 {

qsizetype firstUnencodable(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (byteOf(text.at(i).unicode()) < 0)
            return i;
    }
    return -1;
}

QByteArray encode(const QString &text)
{
    QByteArray out;
    out.resize(text.size());
    char *dst = out.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = byteOf(text.at(i).unicode());
        dst[i] = static_cast<char>(b < 0 ? '?' : b);
    }
    return out;
}

QString decode(const QByteArray &bytes)
{
    // Most text has no byte in 0x80..0x9F, where the two encodings differ.
    const bool latin1 = std::none_of(bytes.cbegin(), bytes.cend(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b >= 0x80 && b < 0xA0;
    });
    if (latin1)
        return QString::fromLatin1(bytes);
    QString out;
    out.resize(bytes.size());
    QChar *dst = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes.at(i));
        dst[i] = QChar(b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : char16_t(b));
    }
    return out;
}

} // namespace Cp1252
