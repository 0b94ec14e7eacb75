#pragma once
// The position key under which the current zone lists its rooms: the level
// plus 1000 zero-padded to four characters, then "|" X "|" Y, all decimal.
// Rooms of a zone are visited in the text order of these keys, so X and Y
// compare as text ("1000|10|0" comes before "1000|9|0") and levels below
// -999 (whose part starts with "-") come before every other level.
#include <cstdint>
#include <string>
#include <string_view>

namespace trellan {

class MudRoom;

std::string ZoneKey(std::int32_t x, std::int32_t y, std::int32_t l);
std::string ZoneKey(const MudRoom& room);

// Case-insensitive text order. Keys hold only digits, "-" and "|", which
// have no case, so this is the byte order.
int CompareZoneKeys(std::string_view a, std::string_view b);

// A ZoneKey in a form that compares in a few instructions: the text's first
// 16 bytes as two big-endian words, zero-filled (no key holds a zero byte, so
// a key that is a prefix of another still comes first), and its length.
// Keys of up to 16 bytes -- every level from -999 to 8999 with rows and
// columns of up to five digits -- compare by the words alone.
struct ZoneOrderKey {
    std::uint64_t High = 0;
    std::uint64_t Low = 0;
    std::uint32_t Length = 0;

    static ZoneOrderKey Of(std::int32_t x, std::int32_t y, std::int32_t l);
};

// The text order of the keys of two cells, -1, 0 or 1, from their order
// keys; only keys longer than 16 bytes that tie are spelled out.
inline int CompareZoneOrder(const ZoneOrderKey& a, std::int32_t ax, std::int32_t ay, std::int32_t al,
                            const ZoneOrderKey& b, std::int32_t bx, std::int32_t by, std::int32_t bl) {
    if (a.High != b.High) return a.High < b.High ? -1 : 1;
    if (a.Low != b.Low) return a.Low < b.Low ? -1 : 1;
    if (a.Length <= 16 && b.Length <= 16) return 0;
    return CompareZoneKeys(ZoneKey(ax, ay, al), ZoneKey(bx, by, bl));
}

}  // namespace trellan
