#include "text/Utf8.h"

namespace trellan {

Utf8Sequence DecodeLongerUtf8(std::string_view text, std::size_t pos, Utf8Reading reading) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const bool strict = reading == Utf8Reading::Strict;
    Utf8Sequence seq;
    unsigned char lead = byte(pos);
    if (lead < 0x80) {
        seq.Valid = true;
        seq.CodePoint = lead;
        return seq;
    }
    std::size_t need;
    char32_t cp;
    unsigned char secondLow = 0x80;
    unsigned char secondHigh = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        need = 1;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 2;
        cp = lead & 0x0F;
        if (strict && lead == 0xE0) secondLow = 0xA0;   // overlong
        if (strict && lead == 0xED) secondHigh = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 3;
        cp = lead & 0x07;
        if (strict && lead == 0xF0) secondLow = 0x90;   // overlong
        if (strict && lead == 0xF4) secondHigh = 0x8F;  // beyond U+10FFFF
    } else {
        return seq;
    }
    // The lenient reading gives up one byte at a time.
    if (!strict && pos + need >= text.size()) return seq;
    std::size_t length = 1;
    for (std::size_t i = 1; i <= need; ++i) {
        if (pos + i >= text.size()) break;
        unsigned char c = byte(pos + i);
        unsigned char low = i == 1 ? secondLow : 0x80;
        unsigned char high = i == 1 ? secondHigh : 0xBF;
        if (c < low || c > high) break;
        cp = (cp << 6) | (c & 0x3F);
        length = i + 1;
    }
    if (length == need + 1) {
        seq.Valid = true;
        seq.CodePoint = cp;
        seq.Length = length;
    } else if (strict) {
        seq.Length = length;
    }
    return seq;
}

bool IsValidUtf8(std::string_view text, Utf8Reading reading) {
    for (std::size_t pos = 0; pos < text.size();) {
        Utf8Sequence seq = DecodeUtf8(text, pos, reading);
        if (!seq.Valid) return false;
        pos += seq.Length;
    }
    return true;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

}  // namespace trellan
