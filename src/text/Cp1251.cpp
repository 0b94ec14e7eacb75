#include "text/Cp1251.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "text/Utf8.h"

namespace trellan {

namespace {

// Code points of the bytes 0x80 to 0xFF. 0x98 has no character in the code
// page; it maps to U+0098 both ways so that every byte string survives the
// trip through Unicode and back.
constexpr std::array<char16_t, 128> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,  // C0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,  // C8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,  // D0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,  // D8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,  // E0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,  // E8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,  // F0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,  // F8
};

using ReverseEntry = std::pair<char16_t, unsigned char>;

// kHighHalf sorted by code point, for the way back.
const std::array<ReverseEntry, 128>& ReverseTable() {
    static const std::array<ReverseEntry, 128> table = [] {
        std::array<ReverseEntry, 128> t{};
        for (std::size_t i = 0; i < kHighHalf.size(); ++i) {
            t[i] = {kHighHalf[i], static_cast<unsigned char>(0x80 + i)};
        }
        std::sort(t.begin(), t.end());
        return t;
    }();
    return table;
}

// Returns the byte for a code point, or -1 when the code page has none.
int ByteOf(char32_t codePoint) {
    if (codePoint < 0x80) return static_cast<int>(codePoint);
    if (codePoint >= 0x0410 && codePoint <= 0x044F) return static_cast<int>(codePoint - 0x0410 + 0xC0);
    if (codePoint > 0xFFFF) return -1;
    const auto& table = ReverseTable();
    auto it = std::lower_bound(table.begin(), table.end(), ReverseEntry{static_cast<char16_t>(codePoint), 0});
    if (it == table.end() || it->first != codePoint) return -1;
    return it->second;
}

constexpr std::array<unsigned char, 256> MakeUpperTable() {
    std::array<unsigned char, 256> t{};
    for (int i = 0; i < 256; ++i) t[i] = static_cast<unsigned char>(i);
    for (int c = 'a'; c <= 'z'; ++c) t[c] = static_cast<unsigned char>(c - 0x20);
    for (int c = 0xE0; c <= 0xFF; ++c) t[c] = static_cast<unsigned char>(c - 0x20);
    // The letters of the upper half outside А-я, lower case first.
    constexpr unsigned char pairs[][2] = {
        {0x90, 0x80},  // ђ Ђ
        {0x83, 0x81},  // ѓ Ѓ
        {0x9A, 0x8A},  // љ Љ
        {0x9C, 0x8C},  // њ Њ
        {0x9D, 0x8D},  // ќ Ќ
        {0x9E, 0x8E},  // ћ Ћ
        {0x9F, 0x8F},  // џ Џ
        {0xA2, 0xA1},  // ў Ў
        {0xBC, 0xA3},  // ј Ј
        {0xB4, 0xA5},  // ґ Ґ
        {0xB8, 0xA8},  // ё Ё
        {0xBA, 0xAA},  // є Є
        {0xBF, 0xAF},  // ї Ї
        {0xB3, 0xB2},  // і І
        {0xBE, 0xBD},  // ѕ Ѕ
    };
    for (const auto& pair : pairs) t[pair[0]] = pair[1];
    return t;
}

constexpr std::array<unsigned char, 256> kUpper = MakeUpperTable();

}  // namespace

std::string Cp1251ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text) {
        auto b = static_cast<unsigned char>(c);
        AppendUtf8(out, b < 0x80 ? char32_t{b} : char32_t{kHighHalf[b - 0x80]});
    }
    return out;
}

std::string Utf8ToCp1251(std::string_view text, bool* lossless, Utf8Reading reading) {
    std::string out;
    out.reserve(text.size());
    bool clean = true;
    std::size_t pos = 0;
    while (pos < text.size()) {
        Utf8Sequence seq = DecodeUtf8(text, pos, reading);
        int b = seq.Valid ? ByteOf(seq.CodePoint) : -1;
        if (b < 0) {
            out.push_back('?');
            clean = false;
        } else {
            out.push_back(static_cast<char>(b));
        }
        pos += seq.Length;
    }
    if (lossless) *lossless = clean;
    return out;
}

char UpperCp1251(char c) {
    return static_cast<char>(kUpper[static_cast<unsigned char>(c)]);
}

std::string UpperCp1251(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = UpperCp1251(c);
    return out;
}

std::string AsciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 0x20);
    }
    return out;
}

std::string AsciiUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 0x20);
    }
    return out;
}

}  // namespace trellan
