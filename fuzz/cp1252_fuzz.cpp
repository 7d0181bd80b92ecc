// The Windows-1252 codec: stored bytes always decode to valid UTF-8 and the
// defined ones come back; a name typed in UTF-8 that the code page can hold
// survives the trip to the file and back unchanged.
#include "FuzzSupport.h"

#include "storage/Cp1252.h"

using namespace quibix;

namespace {

// Whether `s` is well-formed UTF-8 (no overlongs, surrogates or values
// beyond U+10FFFF); also counts its characters.
bool validUtf8(const std::string& s, size_t& chars)
{
    chars = 0;
    for (size_t i = 0; i < s.size(); ++chars) {
        const auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
        const unsigned char c = b(i);
        size_t n = c < 0x80 ? 1 : (c >= 0xC2 && c <= 0xDF) ? 2 : (c >= 0xE0 && c <= 0xEF) ? 3 : (c >= 0xF0 && c <= 0xF4) ? 4 : 0;
        if (n == 0 || i + n > s.size())
            return false;
        for (size_t k = 1; k < n; ++k)
            if ((b(i + k) & 0xC0) != 0x80)
                return false;
        if ((c == 0xE0 && b(i + 1) < 0xA0) || (c == 0xED && b(i + 1) >= 0xA0) ||
            (c == 0xF0 && b(i + 1) < 0x90) || (c == 0xF4 && b(i + 1) >= 0x90))
            return false;
        i += n;
    }
    return true;
}

bool undefinedByte(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u == 0x81 || u == 0x8D || u == 0x8F || u == 0x90 || u == 0x9D;
}

} // namespace

namespace quibix::fuzz {

void setUp() {}

std::vector<std::string> seeds()
{
    std::string every;
    for (int b = 0; b < 256; ++b)
        every += static_cast<char>(b);
    return {"", "Quibix Master 10", "Jos\xC3\xA9 Pe\xC3\xB1" "a \xE2\x82\xAC", every,
            "a\xE4\xB8\xAD" "b\xF0\x9F\x98\x80", "\xED\xA0\x80\xC3", "\xC0\xAF\xE0\x80\xAF\xF4\x90\x80\x80",
            std::string("A\0B", 3), std::string(300, '\xE9')};
}

} // namespace quibix::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    size_t chars = 0;

    // As stored bytes: valid UTF-8, one character per byte, and back.
    const std::string text = cp1252ToUtf8(input);
    FUZZ_CHECK(validUtf8(text, chars));
    FUZZ_CHECK(chars == input.size());
    std::string expected = input;
    for (char& c : expected)
        if (undefinedByte(c))
            c = '?'; // U+FFFD has no byte of its own
    FUZZ_CHECK(utf8ToCp1252(text) == expected);

    // As typed text: one byte per character (one '?' per bad byte), and a
    // name that fits comes back unchanged.
    const std::string stored = utf8ToCp1252(input);
    if (validUtf8(input, chars)) {
        FUZZ_CHECK(stored.size() == chars);
        if (fitsCp1252(input))
            FUZZ_CHECK(cp1252ToUtf8(stored) == input);
        const bool anyLost = stored.find('?') != std::string::npos && cp1252ToUtf8(stored) != input;
        FUZZ_CHECK(anyLost == !fitsCp1252(input));
    } else {
        FUZZ_CHECK(!fitsCp1252(input));
        FUZZ_CHECK(stored.size() <= input.size());
    }
    return 0;
}
