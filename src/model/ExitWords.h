#pragma once
// The six exit words of a world and the order in which a room keeps its
// lists of six.
#include <array>
#include <string>
#include <utility>

namespace trellan {

// Index of a direction in every list of six held by a room (link flags, exit
// states) and in ExitWords: north, south, west, east, up, down. The world
// profile lists its keys in another order (North, South, East, West, Up,
// Down); FromProfileOrder takes that order so callers need not swap.
enum RoomDirection : int { kDirNorth = 0, kDirSouth = 1, kDirWest = 2, kDirEast = 3, kDirUp = 4, kDirDown = 5 };
inline constexpr int kDirectionCount = 6;

struct ExitWords {
    // Indexed by RoomDirection: north, south, west, east, up, down.
    std::array<std::string, kDirectionCount> Word;

    const std::string& operator[](int direction) const { return Word[direction]; }

    // Arguments in the profile's key order: North, South, East, West, Up, Down.
    static ExitWords FromProfileOrder(std::string north, std::string south, std::string east, std::string west,
                                      std::string up, std::string down) {
        ExitWords words;
        words.Word = {std::move(north), std::move(south), std::move(west),
                      std::move(east),  std::move(up),    std::move(down)};
        return words;
    }

    // The profile defaults "N", "S", "E", "W", "U", "D".
    static ExitWords Defaults() { return FromProfileOrder("N", "S", "E", "W", "U", "D"); }
};

}  // namespace trellan
