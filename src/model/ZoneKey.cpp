#include "model/ZoneKey.h"

#include <charconv>
#include <cstring>

#include "model/MudRoom.h"

namespace trellan {

namespace {

// Long enough for "-" and 20 digits, then "|" and 11 characters twice.
constexpr std::size_t kLongestKey = 48;

// Writes the key's text into `out` and returns its length.
std::size_t FormatZoneKey(std::int32_t x, std::int32_t y, std::int32_t l, char* out) {
    // 64-bit so that a level near the 32-bit limit cannot overflow.
    const long long level = static_cast<long long>(l) + 1000;
    // Through unsigned so that the most negative value has its digits too;
    // the width counts digits, a minus sign goes in front of the padding.
    const unsigned long long magnitude =
        level < 0 ? 0ULL - static_cast<unsigned long long>(level) : static_cast<unsigned long long>(level);
    char digits[24];
    const std::size_t count = static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, magnitude).ptr - digits);
    char* at = out;
    if (level < 0) *at++ = '-';
    for (std::size_t i = count; i < 4; ++i) *at++ = '0';
    std::memcpy(at, digits, count);
    at += count;
    *at++ = '|';
    at = std::to_chars(at, out + kLongestKey, x).ptr;
    *at++ = '|';
    at = std::to_chars(at, out + kLongestKey, y).ptr;
    return static_cast<std::size_t>(at - out);
}

std::uint64_t BigEndianWord(const char* bytes) {
    std::uint64_t word = 0;
    for (int i = 0; i < 8; ++i) word = (word << 8) | static_cast<unsigned char>(bytes[i]);
    return word;
}

}  // namespace

std::string ZoneKey(std::int32_t x, std::int32_t y, std::int32_t l) {
    char text[kLongestKey];
    return std::string(text, FormatZoneKey(x, y, l, text));
}

std::string ZoneKey(const MudRoom& room) {
    return ZoneKey(room.X, room.Y, room.L);
}

int CompareZoneKeys(std::string_view a, std::string_view b) {
    int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

ZoneOrderKey ZoneOrderKey::Of(std::int32_t x, std::int32_t y, std::int32_t l) {
    char text[kLongestKey] = {};
    ZoneOrderKey key;
    key.Length = static_cast<std::uint32_t>(FormatZoneKey(x, y, l, text));
    // Zero bytes past the text fill the words.
    if (key.Length < 16) std::memset(text + key.Length, 0, 16 - key.Length);
    key.High = BigEndianWord(text);
    key.Low = BigEndianWord(text + 8);
    return key;
}

}  // namespace trellan
