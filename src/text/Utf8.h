#pragma once
// The program's one UTF-8 encoder and decoder. Code pages sit on top of it
// (text/Cp1251.h); the JSON lines of the map tools and the demo MUD use it
// directly.
#include <cstddef>
#include <string>
#include <string_view>

namespace trellan {

// How much a decoder trusts its input.
enum class Utf8Reading {
    // RFC 3629: no overlong forms, no surrogates, nothing past U+10FFFF. A
    // malformed sequence is as long as its longest valid beginning, so that
    // a cut-short character counts as one fault.
    Strict,
    // Only the shape is checked: a lead byte from C2 to F4 and as many
    // continuation bytes as it announces. Overlong three- and four-byte
    // forms, surrogates and code points past U+10FFFF decode; a malformed
    // sequence is one byte long. This is how the demo MUD has always read
    // its clients' lines.
    Lenient,
};

struct Utf8Sequence {
    bool Valid = false;
    char32_t CodePoint = 0;  // when Valid
    std::size_t Length = 1;  // bytes taken, at least one
};

// Every sequence but the one- and well-formed two-byte ones.
Utf8Sequence DecodeLongerUtf8(std::string_view text, std::size_t pos, Utf8Reading reading);

// Decodes the sequence that starts at `pos` (which must be inside `text`).
// Latin and Cyrillic letters, nearly all a text holds, decode in place: the
// code page decodes every letter of every text, debug lines included.
inline Utf8Sequence DecodeUtf8(std::string_view text, std::size_t pos, Utf8Reading reading = Utf8Reading::Strict) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) return {true, lead, 1};
    if (lead >= 0xC2 && lead <= 0xDF && pos + 1 < text.size()) {
        const auto next = static_cast<unsigned char>(text[pos + 1]);
        if (next >= 0x80 && next <= 0xBF) return {true, char32_t((lead & 0x1F) << 6 | (next & 0x3F)), 2};
    }
    return DecodeLongerUtf8(text, pos, reading);
}

// Whether every sequence of `text` decodes.
bool IsValidUtf8(std::string_view text, Utf8Reading reading = Utf8Reading::Strict);

// Appends the one- to four-byte form of a code point up to U+10FFFF.
void AppendUtf8(std::string& out, char32_t codePoint);

}  // namespace trellan
