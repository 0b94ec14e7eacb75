#include "objects/CaptionOrder.h"

#include <array>

#include "text/Cp1251.h"

namespace trellan {

namespace {

constexpr int kDigits = 0x0800;
constexpr int kLatin = 0x1000;
constexpr int kCyrillic = 0x2000;
constexpr int kLetterStep = 16;

// The primary weight of a byte: what the alphabet says about its place,
// letter case aside. Bytes that are neither letters nor digits keep their
// code, which puts blanks and punctuation first.
constexpr std::array<int, 256> MakeWeights() {
    std::array<int, 256> w{};
    for (int i = 0; i < 256; ++i) w[i] = i;
    for (int c = '0'; c <= '9'; ++c) w[c] = kDigits + (c - '0');
    for (int c = 'A'; c <= 'Z'; ++c) w[c] = w[c + 0x20] = kLatin + (c - 'A') * kLetterStep;
    for (int c = 0xC0; c <= 0xDF; ++c) w[c] = w[c + 0x20] = kCyrillic + (c - 0xC0) * kLetterStep;
    // The other letters of the code page, each just after the letter it is
    // sorted with: {upper, lower, base letter, offset}.
    constexpr int extras[][4] = {
        {0xA8, 0xB8, 0xC5, 8},  // Ё after Е
        {0xAA, 0xBA, 0xC5, 9},  // Є
        {0xA5, 0xB4, 0xC3, 8},  // Ґ after Г
        {0x81, 0x83, 0xC3, 9},  // Ѓ
        {0x80, 0x90, 0xC4, 8},  // Ђ after Д
        {0xBD, 0xBE, 0xC7, 8},  // Ѕ after З
        {0xB2, 0xB3, 0xC8, 8},  // І after И
        {0xAF, 0xBF, 0xC8, 9},  // Ї
        {0xA3, 0xBC, 0xC9, 8},  // Ј after Й
        {0x8D, 0x9D, 0xCA, 8},  // Ќ after К
        {0x8A, 0x9A, 0xCB, 8},  // Љ after Л
        {0x8C, 0x9C, 0xCD, 8},  // Њ after Н
        {0x8E, 0x9E, 0xD2, 8},  // Ћ after Т
        {0xA1, 0xA2, 0xD3, 8},  // Ў after У
        {0x8F, 0x9F, 0xD7, 8},  // Џ after Ч
    };
    for (const auto& e : extras) w[e[0]] = w[e[1]] = kCyrillic + (e[2] - 0xC0) * kLetterStep + e[3];
    return w;
}

constexpr std::array<int, 256> kWeights = MakeWeights();

int Weight(char c) {
    return kWeights[static_cast<unsigned char>(c)];
}

bool IsLowerLetter(char c) {
    return UpperCp1251(c) != c;
}

}  // namespace

int CompareCaptions(std::string_view a, std::string_view b) {
    std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i) {
        int wa = Weight(a[i]);
        int wb = Weight(b[i]);
        if (wa != wb) return wa < wb ? -1 : 1;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    // Same letters: the first difference in case decides, lower case first.
    for (std::size_t i = 0; i < common; ++i) {
        bool la = IsLowerLetter(a[i]);
        bool lb = IsLowerLetter(b[i]);
        if (la != lb) return la ? -1 : 1;
    }
    int bytes = a.compare(b);
    return bytes < 0 ? -1 : (bytes > 0 ? 1 : 0);
}

bool SameCaptionIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (UpperCp1251(a[i]) != UpperCp1251(b[i])) return false;
    }
    return true;
}

}  // namespace trellan
