#include <gtest/gtest.h>

#include "text/Cp1251.h"
#include "text/Koi8r.h"

namespace trellan {
namespace {

// The pangram as `iconv -f UTF-8 -t KOI8-R` writes it.
const std::string PangramKoi8r =
    "\xF3\xDF\xC5\xDB\xD8\x20\xD6\xC5\x20\xC5\xDD\xA3\x20\xDC\xD4\xC9\xC8\x20\xCD\xD1\xC7\xCB\xC9\xC8"
    "\x20\xC6\xD2\xC1\xCE\xC3\xD5\xDA\xD3\xCB\xC9\xC8\x20\xC2\xD5\xCC\xCF\xCB";
constexpr const char* Pangram = "Съешь же ещё этих мягких французских булок";

TEST(Koi8r, EveryRussianLetterRoundTripsAndIsALetterInKoi8r) {
    std::string letters = Utf8ToCp1251("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя");
    ASSERT_EQ(letters.size(), 66u);
    for (char letter : letters) {
        const std::string one(1, letter);
        const std::string koi8r = Cp1251ToKoi8r(one);
        ASSERT_EQ(koi8r.size(), 1u);
        const auto b = static_cast<unsigned char>(koi8r[0]);
        // А-я sit at 0xC0-0xFF, Ё and ё at 0xB3 and 0xA3.
        EXPECT_TRUE(b >= 0xC0 || b == 0xB3 || b == 0xA3) << Cp1251ToUtf8(one) << " -> " << int(b);
        EXPECT_EQ(Koi8rToCp1251(koi8r), one) << Cp1251ToUtf8(one);
    }
    // No two letters share a byte.
    EXPECT_EQ(Koi8rToCp1251(Cp1251ToKoi8r(letters)), letters);
}

TEST(Koi8r, PangramMatchesIconvByteForByte) {
    EXPECT_EQ(Cp1251ToKoi8r(Utf8ToCp1251(Pangram)), PangramKoi8r);
    EXPECT_EQ(Cp1251ToUtf8(Koi8rToCp1251(PangramKoi8r)), Pangram);
}

TEST(Koi8r, HardSignIsTheTelnetByteAndLettersAreNotAlphabetical) {
    EXPECT_EQ(Cp1251ToUtf8(Koi8rToCp1251("\xFF")), "Ъ");
    EXPECT_EQ(Cp1251ToUtf8(Koi8rToCp1251("\xDF")), "ъ");
    EXPECT_EQ(Cp1251ToUtf8(Koi8rToCp1251("\xC0\xC1\xE1\xD1\xF1")), "юаАяЯ");
    // "я" is 0xFF in Windows-1251 but 0xD1 in KOI8-R.
    EXPECT_EQ(Cp1251ToKoi8r("\xFF"), "\xD1");
}

TEST(Koi8r, AsciiStaysAndCharactersWithoutCounterpartBecomeQuestionMarks) {
    std::string ascii;
    for (int b = 0; b < 0x80; ++b) ascii.push_back(static_cast<char>(b));
    EXPECT_EQ(Koi8rToCp1251(ascii), ascii);
    EXPECT_EQ(Cp1251ToKoi8r(ascii), ascii);
    // Box drawing, shades and math have no Windows-1251 form; the no-break
    // space, degree, middle dot and copyright sign do.
    EXPECT_EQ(Koi8rToCp1251("\x80\x95\xA0\x9A\x9C\x9E\xBF"), "???\xA0\xB0\xB7\xA9");
    // Ukrainian letters, quotes, dashes and the numero sign are not in KOI8-R.
    EXPECT_EQ(Cp1251ToKoi8r(Utf8ToCp1251("Її Єє «»—№")), "?? ?? ????");
    EXPECT_EQ(Cp1251ToKoi8r("\xA0\xB0\xB7\xA9"), "\x9A\x9C\x9E\xBF");
    // Every Windows-1251 byte that maps at all maps back to itself.
    for (int b = 0x80; b < 0x100; ++b) {
        const std::string one(1, static_cast<char>(b));
        const std::string koi8r = Cp1251ToKoi8r(one);
        if (koi8r != "?") {
            EXPECT_EQ(Koi8rToCp1251(koi8r), one) << b;
        }
    }
}

}  // namespace
}  // namespace trellan
