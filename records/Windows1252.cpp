#include "records/Windows1252.h"

#include <array>

namespace {

// Bytes 0x80..0x9F; the rest of the code page matches Latin-1. Zero marks the
// five bytes the code page leaves undefined: they stand for the control
// characters of the same number, so every byte comes back as it went.
constexpr std::array<char16_t, 32> kHighControls{0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                                 0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The byte of `ch`, or -1 when the code page has none.
int ByteOf(char16_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return ch;
    if (ch >= 0x80 && ch < 0xA0 && kHighControls[ch - 0x80] == 0)
        return ch;
    for (int n = 0; n < static_cast<int>(kHighControls.size()); ++n)
        if (kHighControls[n] == ch)
            return 0x80 + n;
    return -1;
}

}  // namespace

namespace Windows1252 {

bool CanEncode(const QString& text)
{
    for (QChar ch : text)
        if (ByteOf(ch.unicode()) < 0)
            return false;
    return true;
}

std::string FromUnicode(const QString& text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (QChar ch : text) {
        const int byte = ByteOf(ch.unicode());
        bytes.push_back(static_cast<char>(byte < 0 ? '?' : byte));
    }
    return bytes;
}

QString ToUnicode(const std::string& bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char raw : bytes) {
        const auto byte = static_cast<unsigned char>(raw);
        const char16_t high = byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : 0;
        text.append(QChar(high != 0 ? high : char16_t{byte}));
    }
    return text;
}

}  // namespace Windows1252
