// The server's code page at Trellan's boundaries: names, Trellan's own texts
// on their way out, and the server's stream read by read.
#include "text/ServerCharset.h"

#include <gtest/gtest.h>

#include "text/Cp1251.h"
#include "text/W1251.h"

namespace trellan {
namespace {

TEST(ServerCharset, NamesAreReadInAnyCaseAndWrittenInTheirOwnSpelling) {
    EXPECT_EQ(ServerCharsetNamed("koi8-r"), ServerCharset::Koi8r);
    EXPECT_EQ(ServerCharsetNamed("utf-8"), ServerCharset::Utf8);
    EXPECT_EQ(ServerCharsetNamed("WINDOWS-1251"), ServerCharset::Windows1251);
    EXPECT_EQ(ServerCharsetNamed("latin-1"), std::nullopt);
    EXPECT_EQ(ServerCharsetName(ServerCharset::Koi8r), "KOI8-R");
}

TEST(ServerCharset, OwnTextsAreConvertedBeforeTheirFFBytesAreDoubled) {
    const std::string ya = W1251("я Ъ");
    EXPECT_EQ(ToServerCharset(ya, ServerCharset::Windows1251, true), "\xFF\xFF \xDA");
    EXPECT_EQ(ToServerCharset(ya, ServerCharset::Windows1251, false), "\xFF \xDA");
    // KOI8-R: "я" is 0xD1 and "Ъ" is 0xFF, the byte that is doubled.
    EXPECT_EQ(ToServerCharset(ya, ServerCharset::Koi8r, true), "\xD1 \xFF\xFF");
    EXPECT_EQ(ToServerCharset(ya, ServerCharset::Utf8, true), "я Ъ");
    EXPECT_EQ(FromServerCharset("север", ServerCharset::Utf8), W1251("север"));
    EXPECT_EQ(FromServerCharset("\xD3\xC5\xD7\xC5\xD2", ServerCharset::Koi8r), W1251("север"));
}

TEST(ServerCharset, AUtf8CharacterCutBetweenReadsIsDecodedWhole) {
    ServerTextDecoder decoder;
    decoder.SetCharset(ServerCharset::Utf8);
    const std::string text = "Улица ☺ €";
    std::string decoded;
    // Every cut of the text into two reads gives the same result.
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
        std::string first = text.substr(0, cut);
        std::string second = text.substr(cut);
        decoder.Decode(first);
        decoder.Decode(second);
        EXPECT_EQ(first + second, W1251("Улица ? ") + "\x88") << "cut at " << cut;
    }
    // Garbage is marked, and a new connection forgets a held-back start.
    std::string broken = "a\xD0";
    decoder.Decode(broken);
    EXPECT_EQ(broken, "a");
    decoder.Reset();
    std::string next = "b\xFF";
    decoder.Decode(next);
    EXPECT_EQ(next, "b?");
}

}  // namespace
}  // namespace trellan
