#include "codepage.h"

#include <array>
#include <unordered_map>

namespace plat {

namespace {

constexpr char16_t U = 0xFFFD;

// 0x80..0x9F of Windows-1252
constexpr std::array<char16_t, 32> k1252High = {
    0x20AC, U, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, U, 0x017D, U,
    U, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, U, 0x017E, 0x0178};

// 0x80..0xBF of Windows-1253; 0xC0..0xFE map to U+0390.., with 0xD2 and 0xFF undefined.
constexpr std::array<char16_t, 64> k1253High = {
    0x20AC, U, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    U, 0x2030, U, 0x2039, U, U, U, U,
    U, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    U, 0x2122, U, 0x203A, U, U, U, U,
    0x00A0, 0x0385, 0x0386, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, U, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x2015,
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x0384, 0x00B5, 0x00B6, 0x00B7,
    0x0388, 0x0389, 0x038A, 0x00BB, 0x038C, 0x00BD, 0x038E, 0x038F};

const std::unordered_map<char16_t, unsigned char>& reverseTable(CodePage cp)
{
    static const auto build = [](CodePage c) {
        std::unordered_map<char16_t, unsigned char> m;
        for (int b = 255; b >= 0; --b) {
            char16_t u = codePoint(static_cast<unsigned char>(b), c);
            if (u != U) m[u] = static_cast<unsigned char>(b);
        }
        return m;
    };
    static const auto t1252 = build(CodePage::Win1252);
    static const auto t1253 = build(CodePage::Win1253);
    return cp == CodePage::Win1253 ? t1253 : t1252;
}

}  // namespace

char16_t codePoint(unsigned char b, CodePage cp)
{
    if (b < 0x80) return b;
    if (cp == CodePage::Win1252) {
        if (b < 0xA0) return k1252High[b - 0x80];
        return b;
    }
    if (b < 0xC0) return k1253High[b - 0x80];
    if (b == 0xD2 || b == 0xFF) return U;
    return static_cast<char16_t>(0x0390 + (b - 0xC0));
}

QString decode(std::string_view bytes, CodePage cp)
{
    QString s;
    s.resize(static_cast<qsizetype>(bytes.size()));
    for (size_t i = 0; i < bytes.size(); ++i)
        s[static_cast<qsizetype>(i)] = QChar(codePoint(static_cast<unsigned char>(bytes[i]), cp));
    return s;
}

Bytes encode(const QString& text, CodePage cp)
{
    const auto& rev = reverseTable(cp);
    Bytes out;
    out.reserve(static_cast<size_t>(text.size()));
    for (QChar ch : text) {
        auto it = rev.find(ch.unicode());
        out.push_back(it == rev.end() ? '?' : static_cast<char>(it->second));
    }
    return out;
}

bool encodable(const QString& text, CodePage cp)
{
    const auto& rev = reverseTable(cp);
    for (QChar ch : text)
        if (!rev.count(ch.unicode())) return false;
    return true;
}

}  // namespace plat
