#include <gtest/gtest.h>

#include <utility>

#include "text/Cp1251.h"

namespace trellan {
namespace {

TEST(Cp1251, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    std::string utf8 = Cp1251ToUtf8(all);
    bool lossless = false;
    EXPECT_EQ(Utf8ToCp1251(utf8, &lossless), all);
    EXPECT_TRUE(lossless);
}

TEST(Cp1251, CyrillicWordsAndSymbols) {
    EXPECT_EQ(Cp1251ToUtf8("\xCF\xF0\xE8\xE2\xE5\xF2"), "Привет");
    EXPECT_EQ(Utf8ToCp1251("Ёжик ёлка"), "\xA8\xE6\xE8\xEA \xB8\xEB\xEA\xE0");
    EXPECT_EQ(Cp1251ToUtf8("\xFF"), "я");
    EXPECT_EQ(Cp1251ToUtf8("\xC0"), "А");
    EXPECT_EQ(Cp1251ToUtf8("\xB9\x88\x96"), "№€–");
    EXPECT_EQ(Utf8ToCp1251("Ґґ Її Єє Іі Ўў"), "\xA5\xB4 \xAF\xBF \xAA\xBA \xB2\xB3 \xA1\xA2");
    // 0x98 has no character of its own; it travels as U+0098.
    EXPECT_EQ(Cp1251ToUtf8("\x98"), "\xC2\x98");
    EXPECT_EQ(Utf8ToCp1251("\xC2\x98"), "\x98");
}

TEST(Cp1251, CharactersOutsideTheCodePageAndMalformedUtf8BecomeQuestionMarks) {
    bool lossless = true;
    EXPECT_EQ(Utf8ToCp1251("a日本b", &lossless), "a??b");
    EXPECT_FALSE(lossless);
    EXPECT_EQ(Utf8ToCp1251("😀", &lossless), "?");  // four-byte sequence is one character
    EXPECT_FALSE(lossless);
    EXPECT_EQ(Utf8ToCp1251("\xC2\x81", &lossless), "?");  // a C1 control other than U+0098
    EXPECT_FALSE(lossless);
    EXPECT_EQ(Utf8ToCp1251("ok", &lossless), "ok");
    EXPECT_TRUE(lossless);
    EXPECT_EQ(Utf8ToCp1251("", &lossless), "");
    EXPECT_TRUE(lossless);

    // Malformed UTF-8 is replaced, not trusted.
    EXPECT_EQ(Utf8ToCp1251("x\xD0", &lossless), "x?");  // cut short at the end
    EXPECT_FALSE(lossless);
    EXPECT_EQ(Utf8ToCp1251("\xD0z"), "?z");               // lead byte without continuation
    EXPECT_EQ(Utf8ToCp1251("\x80\xBF"), "??");            // stray continuation bytes
    EXPECT_EQ(Utf8ToCp1251("\xC0\xAF"), "??");            // overlong "/"
    EXPECT_EQ(Utf8ToCp1251("\xE0\x80\xAF"), "???");       // overlong three-byte form
    EXPECT_EQ(Utf8ToCp1251("\xED\xA0\x80"), "???");       // a surrogate
    EXPECT_EQ(Utf8ToCp1251("\xE2\x84"), "?");             // truncated "№" is one bad sequence
    EXPECT_EQ(Utf8ToCp1251("\xF4\x90\x80\x80"), "????");  // beyond U+10FFFF
    EXPECT_EQ(Utf8ToCp1251("\xFF\xFE"), "??");

    // The lenient reading takes overlong forms for what they spell and
    // replaces bad bytes one by one.
    const auto lenient = [](std::string_view text) { return Utf8ToCp1251(text, nullptr, Utf8Reading::Lenient); };
    EXPECT_EQ(lenient("\xE0\x81\x81\xD0\x96"), "A\xC6");
    EXPECT_EQ(lenient("\xED\xA0\x80"), "?");
    EXPECT_EQ(lenient("\xE2\x84z"), "??z");
    EXPECT_EQ(lenient("\xF4\x90\x80\x80"), "?");
}

TEST(Cp1251, UpperCasingForComparisons) {
    // ё, я, а, Я, z, and µ, which has no upper case in the code page.
    const std::pair<char, char> pairs[] = {{'\xB8', '\xA8'}, {'\xFF', '\xDF'}, {'\xE0', '\xC0'},
                                           {'\xDF', '\xDF'}, {'z', 'Z'},       {'\xB5', '\xB5'}};
    for (const auto& [lower, upper] : pairs) EXPECT_EQ(UpperCp1251(lower), upper) << int(lower);
    EXPECT_EQ(Cp1251ToUtf8(UpperCp1251(Utf8ToCp1251("привет, мир! ёлка-ѓђљњќћџўјґєїіѕ"))),
              "ПРИВЕТ, МИР! ЁЛКА-ЃЂЉЊЌЋЏЎЈҐЄЇІЅ");
    // Upper-casing never touches what is already upper case or no letter.
    for (int b = 0; b < 256; ++b) {
        char c = static_cast<char>(b);
        EXPECT_EQ(UpperCp1251(UpperCp1251(c)), UpperCp1251(c)) << b;
    }
}

TEST(Cp1251, AsciiCaseChangesOnlyLatinLetters) {
    EXPECT_EQ(AsciiLower("Zone\xC0\xE0.TR2"), "zone\xC0\xE0.tr2");
    EXPECT_EQ(AsciiUpper("zone\xC0\xE0.tr2@[`{"), "ZONE\xC0\xE0.TR2@[`{");
}

}  // namespace
}  // namespace trellan
