#pragma once
// The six directions a room can be left in, and what follows from one alone:
// its opposite, its step on the grid, its letter and its place in the lists
// of six a room keeps.
#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace trellan {

// The order is the room record's (link flags ChN ChS ChW ChE ChU ChD, exit
// states, exit words): every list of six kept with a room runs this way.
// Files, settings and menus that list the six in another order convert at
// their boundary (see kProfileKeyOrder).
enum class Direction : std::uint8_t { North, South, West, East, Up, Down };

inline constexpr int kDirectionCount = 6;

inline constexpr std::array<Direction, kDirectionCount> kAllDirections = {
    Direction::North, Direction::South, Direction::West, Direction::East, Direction::Up, Direction::Down};

// The place of a direction in a list of six.
constexpr std::size_t Index(Direction direction) {
    return static_cast<std::size_t>(direction);
}

// The direction at a place in a list of six; index must be below six.
constexpr Direction DirectionAt(std::size_t index) {
    return static_cast<Direction>(index);
}

// north<->south, west<->east, up<->down.
constexpr Direction OppositeDirection(Direction direction) {
    return static_cast<Direction>(Index(direction) ^ 1u);
}

// North, south, west and east lie on the level; up and down leave it.
constexpr bool IsHorizontal(Direction direction) {
    return Index(direction) < Index(Direction::Up);
}

// The change of row (X), column (Y) and level (L) of one step: north is
// X - 1, east is Y + 1, up is L + 1.
struct GridStep {
    int DX = 0;
    int DY = 0;
    int DL = 0;
};

constexpr GridStep StepOf(Direction direction) {
    constexpr std::array<GridStep, kDirectionCount> kSteps = {GridStep{-1, 0, 0}, GridStep{1, 0, 0},
                                                              GridStep{0, -1, 0}, GridStep{0, 1, 0},
                                                              GridStep{0, 0, 1},  GridStep{0, 0, -1}};
    return kSteps[Index(direction)];
}

// The letter of a direction: N, S, W, E, U, D.
constexpr char Letter(Direction direction) {
    constexpr char kLetters[kDirectionCount] = {'N', 'S', 'W', 'E', 'U', 'D'};
    return kLetters[Index(direction)];
}

// The order of the world profile's keys (North, South, East, West, Up, Down),
// which the settings dialog and the room menus follow too.
inline constexpr std::array<Direction, kDirectionCount> kProfileKeyOrder = {
    Direction::North, Direction::South, Direction::East, Direction::West, Direction::Up, Direction::Down};

// A list of six in profile key order, reordered into the room's order.
template <class T>
std::array<T, kDirectionCount> FromProfileOrder(std::array<T, kDirectionCount> inProfileOrder) {
    std::array<T, kDirectionCount> result;
    for (std::size_t i = 0; i < kProfileKeyOrder.size(); ++i)
        result[Index(kProfileKeyOrder[i])] = std::move(inProfileOrder[i]);
    return result;
}

}  // namespace trellan
