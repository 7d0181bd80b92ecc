#include "storage/Cp1252.h"

#include <cerrno>
#include <iconv.h>

namespace quibix {

namespace {

const char* const kReplacementUtf8 = "\xEF\xBF\xBD"; // U+FFFD

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (ok())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts `in`; on a sequence it cannot convert, `skip(rest)` says how
    // many bytes to drop and returns what to write instead.
    template <typename Skip>
    std::string run(std::string_view in, Skip skip)
    {
        std::string out;
        char buffer[256];
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        while (srcLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            const size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            const int err = errno;
            out.append(buffer, dst);
            if (r != static_cast<size_t>(-1) || err == E2BIG)
                continue;
            // EILSEQ, or EINVAL for a sequence cut short at the end.
            const auto [length, replacement] = skip(std::string_view(src, srcLeft));
            out += replacement;
            src += length;
            srcLeft -= length;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    iconv_t cd_;
};

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

struct Skip {
    size_t length;
    const char* replacement;
};

} // namespace

std::string cp1252ToUtf8(std::string_view bytes)
{
    // The five bytes Windows-1252 leaves undefined are the only ones iconv
    // refuses; each shows as one replacement character.
    Converter converter("UTF-8", "WINDOWS-1252");
    if (converter.ok())
        return converter.run(bytes, [](std::string_view) { return Skip{1, kReplacementUtf8}; });

    // No converter on this system: keep ASCII, which every name mostly is.
    std::string out;
    for (char c : bytes)
        out += static_cast<unsigned char>(c) < 0x80 ? std::string(1, c) : std::string(kReplacementUtf8);
    return out;
}

std::string utf8ToCp1252(std::string_view text)
{
    // A character with no Windows-1252 byte is skipped whole as one '?'; a
    // byte that starts no well-formed character is one '?' by itself.
    Converter converter("WINDOWS-1252", "UTF-8");
    if (converter.ok()) {
        return converter.run(text, [](std::string_view rest) {
            const size_t n = utf8Length(rest);
            return Skip{n == 0 ? 1 : n, "?"};
        });
    }

    std::string out;
    for (size_t i = 0; i < text.size();) {
        const size_t n = utf8Length(text.substr(i));
        out += n == 1 ? text[i] : '?';
        i += n == 0 ? 1 : n;
    }
    return out;
}

bool fitsCp1252(std::string_view text)
{
    return cp1252ToUtf8(utf8ToCp1252(text)) == text;
}

} // namespace quibix
