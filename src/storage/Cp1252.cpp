#include "storage/Cp1252.h"

namespace quibix {

namespace {

const char* const kReplacementUtf8 = "\xEF\xBF\xBD"; // U+FFFD

// Windows-1252 is Latin-1 except for bytes 0x80 to 0x9F, which hold these
// characters; the five bytes it leaves undefined read as U+FFFD.
constexpr char16_t kHighCharacters[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, //
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
};

// The UTF-8 of one stored byte.
std::string utf8Of(unsigned char byte)
{
    const char32_t c = byte >= 0x80 && byte <= 0x9F ? kHighCharacters[byte - 0x80] : byte;
    if (c <= 0x7F)
        return std::string(1, static_cast<char>(c));
    if (c <= 0x7FF)
        return {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
    return {static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3F)),
            static_cast<char>(0x80 | (c & 0x3F))};
}

// Length of the well-formed UTF-8 character at the start of `s`, or 0.
size_t utf8Length(std::string_view s)
{
    const auto b = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    const auto cont = [&](size_t i) { return i < s.size() && (b(i) & 0xC0) == 0x80; };
    const unsigned char lead = b(0);
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return cont(1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (!cont(1) || !cont(2))
            return 0;
        if ((lead == 0xE0 && b(1) < 0xA0) || (lead == 0xED && b(1) >= 0xA0))
            return 0; // overlong, or a surrogate
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (!cont(1) || !cont(2) || !cont(3))
            return 0;
        if ((lead == 0xF0 && b(1) < 0x90) || (lead == 0xF4 && b(1) >= 0x90))
            return 0; // overlong, or beyond U+10FFFF
        return 4;
    }
    return 0;
}

// The byte that stores the UTF-8 character `c`, or '?' when none does.
char byteFor(std::string_view c)
{
    if (c == kReplacementUtf8)
        return '?'; // what undefined bytes read as is no byte of its own
    for (int byte = 0; byte <= 0xFF; ++byte) {
        if (utf8Of(static_cast<unsigned char>(byte)) == c)
            return static_cast<char>(byte);
    }
    return '?';
}

} // namespace

std::string cp1252ToUtf8(std::string_view bytes)
{
    std::string out;
    for (const char b : bytes)
        out += utf8Of(static_cast<unsigned char>(b));
    return out;
}

std::string utf8ToCp1252(std::string_view text)
{
    // A character with no Windows-1252 byte is one '?'; so is a byte that
    // starts no well-formed character.
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const size_t n = utf8Length(text.substr(i));
        out += n == 0 ? '?' : byteFor(text.substr(i, n));
        i += n == 0 ? 1 : n;
    }
    return out;
}

bool fitsCp1252(std::string_view text)
{
    return cp1252ToUtf8(utf8ToCp1252(text)) == text;
}

} // namespace quibix
