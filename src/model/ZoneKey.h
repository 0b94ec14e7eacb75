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

}  // namespace trellan
