#include "model/ZoneKey.h"

#include "model/MudRoom.h"
#include "text/TextUtils.h"

namespace trellan {

std::string ZoneKey(std::int32_t x, std::int32_t y, std::int32_t l) {
    // 64-bit so that a level near the 32-bit limit cannot overflow.
    std::string key = ZeroPad(static_cast<long long>(l) + 1000, 4);
    key += '|';
    key += std::to_string(x);
    key += '|';
    key += std::to_string(y);
    return key;
}

std::string ZoneKey(const MudRoom& room) {
    return ZoneKey(room.X, room.Y, room.L);
}

int CompareZoneKeys(std::string_view a, std::string_view b) {
    int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace trellan
