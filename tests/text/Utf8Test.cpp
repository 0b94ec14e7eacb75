#include <gtest/gtest.h>

#include <string>

#include "text/Utf8.h"

namespace trellan {
namespace {

struct Decoded {
    bool valid;
    char32_t codePoint;
    std::size_t length;
};

Decoded Decode(std::string_view text, Utf8Reading reading = Utf8Reading::Strict) {
    Utf8Sequence s = DecodeUtf8(text, 0, reading);
    return {s.Valid, s.Valid ? s.CodePoint : 0, s.Length};
}

bool operator==(const Decoded& a, const Decoded& b) {
    return a.valid == b.valid && a.codePoint == b.codePoint && a.length == b.length;
}

std::ostream& operator<<(std::ostream& out, const Decoded& d) {
    return out << (d.valid ? "valid U+" : "invalid ") << std::hex << static_cast<unsigned>(d.codePoint) << std::dec
               << " length " << d.length;
}

TEST(Utf8, EveryLengthBoundaryEncodesAndDecodesBack) {
    const std::pair<char32_t, std::string> cases[] = {
        {0x00, std::string(1, '\0')},
        {0x7F, "\x7F"},
        {0x80, "\xC2\x80"},
        {0x7FF, "\xDF\xBF"},
        {0x800, "\xE0\xA0\x80"},
        {0xD7FF, "\xED\x9F\xBF"},
        {0xE000, "\xEE\x80\x80"},
        {0xFFFF, "\xEF\xBF\xBF"},
        {0x10000, "\xF0\x90\x80\x80"},
        {0x10FFFF, "\xF4\x8F\xBF\xBF"},
    };
    for (const auto& [cp, bytes] : cases) {
        std::string out = "x";
        AppendUtf8(out, cp);
        EXPECT_EQ(out, "x" + bytes) << std::hex << static_cast<unsigned>(cp);
        for (Utf8Reading reading : {Utf8Reading::Strict, Utf8Reading::Lenient})
            EXPECT_EQ(Decode(bytes, reading), (Decoded{true, cp, bytes.size()}))
                << std::hex << static_cast<unsigned>(cp);
    }
    EXPECT_EQ(DecodeUtf8("a\xD0\x96", 1).CodePoint, U'Ж');
    EXPECT_TRUE(IsValidUtf8("Ёж 😀 €"));
    EXPECT_TRUE(IsValidUtf8(""));
}

// The strict reading takes a malformed sequence as long as its valid
// beginning, so that one damaged character is one fault.
TEST(Utf8, StrictReadingRefusesOverlongFormsSurrogatesAndTooLargeCodePoints) {
    const std::pair<std::string, std::size_t> bad[] = {
        {"\x80", 1},              // a continuation byte without a lead
        {"\xC0\xAF", 1},          // overlong two-byte form: C0 and C1 never lead
        {"\xE0\x80\xAF", 1},      // overlong three-byte form
        {"\xF0\x8F\xBF\xBF", 1},  // overlong four-byte form
        {"\xED\xA0\x80", 1},      // a surrogate
        {"\xF4\x90\x80\x80", 1},  // past U+10FFFF
        {"\xF5\x80\x80\x80", 1},  // no lead byte
        {"\xFF", 1},
        {"\xE2\x84", 2},   // cut short at the end
        {"\xE2\x84z", 2},  // cut short by an ASCII byte
        {"\xF0\x9F\x98", 3},
    };
    for (const auto& [bytes, length] : bad) {
        EXPECT_EQ(Decode(bytes), (Decoded{false, 0, length})) << testing::PrintToString(bytes);
        EXPECT_FALSE(IsValidUtf8("ok" + bytes));
    }
}

// The lenient reading (the demo MUD's, for a client's line) checks only the
// shape and gives up one byte at a time.
TEST(Utf8, LenientReadingChecksOnlyTheShape) {
    EXPECT_EQ(Decode("\xE0\x81\x81", Utf8Reading::Lenient), (Decoded{true, 0x41, 3}));
    EXPECT_EQ(Decode("\xF0\x80\x80\x80", Utf8Reading::Lenient), (Decoded{true, 0, 4}));
    EXPECT_EQ(Decode("\xED\xA0\x80", Utf8Reading::Lenient), (Decoded{true, 0xD800, 3}));
    EXPECT_EQ(Decode("\xF4\x90\x80\x80", Utf8Reading::Lenient), (Decoded{true, 0x110000, 4}));
    EXPECT_EQ(Decode("\xC0\xAF", Utf8Reading::Lenient), (Decoded{false, 0, 1}));
    EXPECT_EQ(Decode("\xE2\x84", Utf8Reading::Lenient), (Decoded{false, 0, 1}));
    EXPECT_EQ(Decode("\xE2\x84z", Utf8Reading::Lenient), (Decoded{false, 0, 1}));
    EXPECT_EQ(Decode("\xE2z\x84", Utf8Reading::Lenient), (Decoded{false, 0, 1}));
    EXPECT_TRUE(IsValidUtf8("\xED\xA0\x80", Utf8Reading::Lenient));
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80", Utf8Reading::Strict));
    EXPECT_FALSE(IsValidUtf8("\xD0", Utf8Reading::Lenient));
    EXPECT_FALSE(IsValidUtf8("\xD0\xD0", Utf8Reading::Lenient));
}

}  // namespace
}  // namespace trellan
