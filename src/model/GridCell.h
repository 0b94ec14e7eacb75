#pragma once
// A cell of a zone's grid, as a key of hash maps that find rooms by cell.
#include <cstddef>
#include <cstdint>

namespace trellan {

struct GridCell {
    std::int32_t X, Y, L;
    bool operator==(const GridCell&) const = default;
};

struct GridCellHash {
    std::size_t operator()(const GridCell& c) const {
        std::uint64_t h = static_cast<std::uint32_t>(c.X);
        h = h * 0x9E3779B97F4A7C15ull ^ static_cast<std::uint32_t>(c.Y);
        h = h * 0x9E3779B97F4A7C15ull ^ static_cast<std::uint32_t>(c.L);
        return static_cast<std::size_t>(h ^ (h >> 29));
    }
};

}  // namespace trellan
