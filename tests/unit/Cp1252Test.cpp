#include "storage/Cp1252.h"

#include <gtest/gtest.h>

#include <iconv.h>

using namespace quibix;

// The system's own converter is the reference for every byte.
TEST(Cp1252, EveryByteDecodesAsTheSystemConverterSaysAndComesBack)
{
    const iconv_t reference = iconv_open("UTF-8", "WINDOWS-1252");
    ASSERT_NE(reference, reinterpret_cast<iconv_t>(-1));
    for (int b = 0; b < 256; ++b) {
        char in = static_cast<char>(b), out[4] = {};
        char *src = &in, *dst = out;
        size_t inLeft = 1, outLeft = sizeof out;
        const bool defined = iconv(reference, &src, &inLeft, &dst, &outLeft) != static_cast<size_t>(-1);
        const std::string byte(1, in), text = defined ? std::string(out, dst) : "\xEF\xBF\xBD";
        EXPECT_EQ(cp1252ToUtf8(byte), text) << "byte " << b;
        if (defined) {
            EXPECT_EQ(utf8ToCp1252(text), byte) << "byte " << b;
        }
    }
    iconv_close(reference);
    EXPECT_EQ(cp1252ToUtf8(std::string("a\x81z\0", 4)), std::string("a\xEF\xBF\xBDz\0", 6));
}

TEST(Cp1252, WhatTheCodePageCannotHoldBecomesOneQuestionMarkEach)
{
    EXPECT_EQ(utf8ToCp1252("a\xE4\xB8\xAD" "b"), "a?b");           // a CJK character
    EXPECT_EQ(utf8ToCp1252("x\xF0\x9F\x98\x80y"), "x?y");          // an emoji, four bytes
    EXPECT_EQ(utf8ToCp1252("\xFF" "a\xC3"), "?a?");                 // invalid and cut-off bytes
    EXPECT_EQ(utf8ToCp1252("\xED\xA0\x80"), "???");                 // an encoded surrogate is no character
    EXPECT_EQ(utf8ToCp1252("\xE2" "A\x80"), "?A?");                 // a lead byte without its follower
    EXPECT_EQ(utf8ToCp1252("\xE0\x80\x80"), "???");                 // overlong, three bytes
    EXPECT_EQ(utf8ToCp1252("\xF0\x80\x80\x80"), "????");            // overlong, four bytes
    EXPECT_EQ(utf8ToCp1252("\xF4\x90\x80\x80"), "????");            // beyond the last character
    EXPECT_EQ(utf8ToCp1252("\xF8\x80\x80\x80"), "????");            // no lead byte at all
    // A letter where a four-byte character's follower should be.
    EXPECT_EQ(utf8ToCp1252("\xF1" "A\x80\x80|\xF1\x80" "A\x80|\xF1\x80\x80" "A"), "?A??|??A?|???A");
    // The first and last characters of each lead byte's range are whole ones.
    EXPECT_EQ(utf8ToCp1252("\xC2\x80|\xDF\xBF|\xE0\xA0\x80|\xED\x9F\xBF|\xEF\xBF\xBD|\xF0\x90\x80\x80|"
                           "\xF4\x8F\xBF\xBF"),
              "?|?|?|?|?|?|?");
}

TEST(Cp1252, FitsTellsWhetherANameIsStoredWithoutLoss)
{
    for (const char* fits : {"", "Quibix Master 10", "Jos\xC3\xA9 \xE2\x82\xAC?"})
        EXPECT_TRUE(fitsCp1252(fits)) << fits;
    for (const char* lost : {"a\xE4\xB8\xAD", "\xF0\x9F\x98\x80", "\xFF", "\xEF\xBF\xBD"})
        EXPECT_FALSE(fitsCp1252(lost)) << lost;
}
