#include "text/Koi8r.h"

#include <array>

namespace trellan {

namespace {

// The Windows-1251 byte of each KOI8-R byte from 0x80 up (RFC 1489), 0 where
// Windows-1251 has no such character. The letters are in the order of the
// Latin ones they sound like, not alphabetical: 0xC1 is "а", 0xE1 is "А".
constexpr std::array<unsigned char, 128> kKoi8rHigh = {
    0,    0,    0,    0,    0,    0,    0,    0,     // 80  box drawing
    0,    0,    0,    0,    0,    0,    0,    0,     // 88  box drawing, blocks
    0,    0,    0,    0,    0,    0,    0,    0,     // 90  shades, math
    0,    0,    0xA0, 0,    0xB0, 0,    0xB7, 0,     // 98  no-break space, degree, middle dot
    0,    0,    0,    0xB8, 0,    0,    0,    0,     // A0  ё
    0,    0,    0,    0,    0,    0,    0,    0,     // A8
    0,    0,    0,    0xA8, 0,    0,    0,    0,     // B0  Ё
    0,    0,    0,    0,    0,    0,    0,    0xA9,  // B8  copyright sign
    0xFE, 0xE0, 0xE1, 0xF6, 0xE4, 0xE5, 0xF4, 0xE3,  // C0  юабцдефг
    0xF5, 0xE8, 0xE9, 0xEA, 0xEB, 0xEC, 0xED, 0xEE,  // C8  хийклмно
    0xEF, 0xFF, 0xF0, 0xF1, 0xF2, 0xF3, 0xE6, 0xE2,  // D0  пярстужв
    0xFC, 0xFB, 0xE7, 0xF8, 0xFD, 0xF9, 0xF7, 0xFA,  // D8  ьызшэщчъ
    0xDE, 0xC0, 0xC1, 0xD6, 0xC4, 0xC5, 0xD4, 0xC3,  // E0  ЮАБЦДЕФГ
    0xD5, 0xC8, 0xC9, 0xCA, 0xCB, 0xCC, 0xCD, 0xCE,  // E8  ХИЙКЛМНО
    0xCF, 0xDF, 0xD0, 0xD1, 0xD2, 0xD3, 0xC6, 0xC2,  // F0  ПЯРСТУЖВ
    0xDC, 0xDB, 0xC7, 0xD8, 0xDD, 0xD9, 0xD7, 0xDA,  // F8  ЬЫЗШЭЩЧЪ
};

// The way back: the KOI8-R byte of each Windows-1251 byte from 0x80 up.
constexpr std::array<unsigned char, 128> MakeCp1251High() {
    std::array<unsigned char, 128> t{};
    for (std::size_t i = 0; i < kKoi8rHigh.size(); ++i) {
        if (kKoi8rHigh[i] != 0) t[kKoi8rHigh[i] - 0x80] = static_cast<unsigned char>(0x80 + i);
    }
    return t;
}

constexpr std::array<unsigned char, 128> kCp1251High = MakeCp1251High();

std::string Recode(std::string_view text, const std::array<unsigned char, 128>& high) {
    std::string out(text);
    for (char& c : out) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) continue;
        const unsigned char to = high[b - 0x80];
        c = to != 0 ? static_cast<char>(to) : '?';
    }
    return out;
}

}  // namespace

std::string Koi8rToCp1251(std::string_view koi8r) { return Recode(koi8r, kKoi8rHigh); }

std::string Cp1251ToKoi8r(std::string_view cp1251) { return Recode(cp1251, kCp1251High); }

}  // namespace trellan
