#pragma once
// The map's zoom: a percentage of the skin's own tile size, moved along a
// ladder of steps by the keys and the wheel, or set to fit a level.
#include <algorithm>
#include <array>

namespace trellan {

inline constexpr int kMinZoom = 10;
inline constexpr int kMaxZoom = 400;
// From this zoom on the map can show the rooms' names under them.
inline constexpr int kNamesZoom = 150;
inline constexpr std::array<int, 15> kZoomSteps{10, 15, 20, 25, 33, 50, 67, 75, 90, 100, 125, 150, 200, 300, 400};

inline int ClampZoom(int percent) {
    return std::clamp(percent, kMinZoom, kMaxZoom);
}

// The cell size of a skin of `cell` pixels at `percent`, rounded, at least one pixel.
inline int ZoomedCellSize(int cell, int percent) {
    return std::max(1, (cell * percent + 50) / 100);
}

// `steps` steps up (or down, when negative) the ladder from `percent`; a
// zoom between two steps counts as the step below it when going up and as
// the step above it when going down.
inline int StepZoom(int percent, int steps) {
    percent = ClampZoom(percent);
    const int last = static_cast<int>(kZoomSteps.size()) - 1;
    int at = 0;
    while (at < last && kZoomSteps[static_cast<std::size_t>(at + 1)] <= percent) ++at;
    if (steps < 0 && kZoomSteps[static_cast<std::size_t>(at)] < percent) ++at;
    return kZoomSteps[static_cast<std::size_t>(std::clamp(at + steps, 0, last))];
}

// The largest zoom at which `columns` x `rows` cells of a skin of `cell`
// pixels fit into `width` x `height`, within the zoom's range.
inline int FitZoom(int columns, int rows, int width, int height, int cell) {
    if (columns <= 0 || rows <= 0 || cell <= 0) return 100;
    int percent = ClampZoom(std::min(width * 100 / (columns * cell), height * 100 / (rows * cell)));
    while (percent > kMinZoom &&
           (ZoomedCellSize(cell, percent) * columns > width || ZoomedCellSize(cell, percent) * rows > height))
        --percent;
    return percent;
}

}  // namespace trellan
