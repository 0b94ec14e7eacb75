#include <gtest/gtest.h>

#include <climits>

#include "text/TextUtils.h"

namespace trellan {
namespace {

TEST(DecodeEscapes, DecodesOnlyTwoUpperCaseHexDigitsInOnePass) {
    EXPECT_EQ(DecodeEscapes("ab#$zz#$41"), "ab#$zzA");
    EXPECT_EQ(DecodeEscapes("x#$4"), "x#$4");
    EXPECT_EQ(DecodeEscapes("#$"), "#$");
    EXPECT_EQ(DecodeEscapes("#$1b"), "#$1b");
    EXPECT_EQ(DecodeEscapes("#$1B[1;36m"), "\x1B[1;36m");
    EXPECT_EQ(DecodeEscapes("#$0D#$0A"), "\r\n");
    EXPECT_EQ(DecodeEscapes("#$FF"), "\xFF");
    EXPECT_EQ(DecodeEscapes("a#$00b"), std::string("a\0b", 3));
    // One pass: a decoded "#$" does not start another escape.
    EXPECT_EQ(DecodeEscapes("#$#$41"), "#$A");
    EXPECT_EQ(DecodeEscapes("#$23#$24"), "#$");
    EXPECT_EQ(DecodeEscapes("#$2341"), "#41");
}

TEST(ReplaceAll, OnePassWithoutRescanning) {
    EXPECT_EQ(ReplaceAll("\r\n\r\n\r\n", "\r\n\r\n", "\r\n"), "\r\n\r\n");
    EXPECT_EQ(ReplaceAll("aXa", "a", "aa"), "aaXaa");
    EXPECT_EQ(ReplaceAll("line\r\nnext", "\r\n", "#$0D#$0A"), "line#$0D#$0Anext");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceAll("", "a", "b"), "");
    EXPECT_EQ(ReplaceAll("aaa", "aa", ""), "a");
}

TEST(GetToken, FieldsByOneBasedIndex) {
    struct Case {
        int index;
        const char *text, *separator, *token;
    } cases[] = {
        // clang-format off
        {1, "north||south", "|", "north"}, {2, "north||south", "|", ""}, {3, "north||south", "|", "south"},
        {4, "north||south", "|", ""},      {2, "a|b", "|", "b"},          {3, "a|b", "|", ""},
        {2, "a|", "|", ""},                {1, "whole", "|", "whole"},    {1, "", "|", ""},
        {1, "a][b][c", "][", "a"},         {3, "a][b][c", "][", "c"},     {2, "a]b][c", "][", "c"},
        {0, "a|b", "|", ""},               {-3, "a|b", "|", ""},          {INT_MAX, "a|b", "|", ""},
        {1, "a|b", "", "a|b"},             {2, "a|b", "", ""},
        // clang-format on
    };
    for (const Case& c : cases) EXPECT_EQ(GetToken(c.index, c.text, c.separator), c.token) << c.index << c.text;
}

TEST(Trim, ControlsAndBlanksGoCyrillicStays) {
    EXPECT_EQ(TrimRightCtl("\xC4\xE0\xFF"), "\xC4\xE0\xFF");  // ends in я
    EXPECT_EQ(TrimRightCtl("x \t\r\n"), "x");
    EXPECT_EQ(TrimRightCtl(" x"), " x");
    EXPECT_EQ(TrimLeftCtl("\r\n\t x "), "x ");
    EXPECT_EQ(TrimLeftCtl("\xA0x"), "\xA0x");
    EXPECT_EQ(TrimCtl(std::string("\0 !\x1F", 4)), "!");
    EXPECT_EQ(TrimCtl(" \r\n\t"), "");
    EXPECT_EQ(TrimCtl(""), "");
}

TEST(StripChars, DropsEveryByteOfTheSet) {
    EXPECT_EQ(StripChars("a-b_c-\xFF", "-_\xFF"), "abc");
    EXPECT_EQ(StripChars("abc", ""), "abc");
}

std::string Stripped(std::string text) {
    StripAnsiColors(text);
    return text;
}

TEST(StripAnsiColors, RemovesColourSequences) {
    EXPECT_EQ(Stripped("\x1B[1;36mRoom\x1B[0m"), "Room");
    EXPECT_EQ(Stripped("a\x1B[0mb\x1B[1;33mc"), "abc");
    EXPECT_EQ(Stripped("plain [m text"), "plain [m text");
    // A sequence without a later "m" stays.
    EXPECT_EQ(Stripped("text\x1B[K end"), "text\x1B[K end");
    EXPECT_EQ(Stripped("\x1B[1mA\x1B[K"), "A\x1B[K");
    // Whatever lies up to the next "m" goes, even another sequence's text.
    EXPECT_EQ(Stripped("\x1B[Kname\x1B[0m!"), "e!");
    // Deleting the inner sequence brings ESC and "[" together.
    EXPECT_EQ(Stripped("\x1B\x1B[0m[1mX"), "X");
    EXPECT_EQ(Stripped("\x1B\x1B\x1B[0m[1m[2mX"), "X");
    // ... but one without an "m" after it stays.
    EXPECT_EQ(Stripped("\x1B\x1B[0m[X"), "\x1B[X");
}

TEST(ZeroPad, PadsDigitsToWidth) {
    EXPECT_EQ(ZeroPad(5, 3), "005");
    EXPECT_EQ(ZeroPad(1234, 2), "1234");
    EXPECT_EQ(ZeroPad(0, 0), "0");
    EXPECT_EQ(ZeroPad(0, 4), "0000");
    EXPECT_EQ(ZeroPad(-5, 3), "-005");
    EXPECT_EQ(ZeroPad(LLONG_MIN, 1), "-9223372036854775808");
}

TEST(SplitLines, CutsAtCrLfOnly) {
    std::vector<std::string> list{"old"};
    SplitLines("a\r\nb\nc\r\n", list);
    EXPECT_EQ(list, (std::vector<std::string>{"a", "b\nc", ""}));
    SplitLines("", list);
    EXPECT_EQ(list, (std::vector<std::string>{""}));
    SplitLines("\r\n\r\n", list);
    EXPECT_EQ(list, (std::vector<std::string>{"", "", ""}));
}

}  // namespace
}  // namespace trellan
