#pragma once
// The bounding box of the shown zone's rooms; the scroll bars' ranges.
#include <algorithm>
#include <cstdint>

namespace trellan {

struct MapBounds {
    std::int32_t MinX = 0;
    std::int32_t MaxX = 0;
    std::int32_t MinY = 0;
    std::int32_t MaxY = 0;
    std::int32_t MinL = 0;
    std::int32_t MaxL = 0;

    void Widen(std::int32_t x, std::int32_t y, std::int32_t l) {
        MinX = std::min(MinX, x);
        MaxX = std::max(MaxX, x);
        MinY = std::min(MinY, y);
        MaxY = std::max(MaxY, y);
        MinL = std::min(MinL, l);
        MaxL = std::max(MaxL, l);
    }
    // The middle row and column, rounded towards the maximum; 64-bit so
    // that a damaged file's extreme coordinates cannot overflow.
    std::int32_t MiddleX() const { return static_cast<std::int32_t>(MaxX - (std::int64_t(MaxX) - MinX) / 2); }
    std::int32_t MiddleY() const { return static_cast<std::int32_t>(MaxY - (std::int64_t(MaxY) - MinY) / 2); }
    // A box of the one cell.
    void Reset(std::int32_t x, std::int32_t y, std::int32_t l) {
        MinX = MaxX = x;
        MinY = MaxY = y;
        MinL = MaxL = l;
    }
    bool operator==(const MapBounds&) const = default;
};

}  // namespace trellan
