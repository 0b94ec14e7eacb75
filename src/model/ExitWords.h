#pragma once
// The six exit words of a world, kept in the room's order of directions.
#include <array>
#include <string>
#include <utility>

#include "model/Direction.h"

namespace trellan {

struct ExitWords {
    // Indexed by Index(Direction): north, south, west, east, up, down.
    std::array<std::string, kDirectionCount> Word;

    const std::string& operator[](Direction direction) const { return Word[Index(direction)]; }

    // Arguments in the profile's key order: North, South, East, West, Up, Down.
    static ExitWords FromProfileOrder(std::string north, std::string south, std::string east, std::string west,
                                      std::string up, std::string down) {
        ExitWords words;
        words.Word = trellan::FromProfileOrder<std::string>(
            {std::move(north), std::move(south), std::move(east), std::move(west), std::move(up), std::move(down)});
        return words;
    }

    // The profile defaults "N", "S", "E", "W", "U", "D".
    static ExitWords Defaults() { return FromProfileOrder("N", "S", "E", "W", "U", "D"); }
};

}  // namespace trellan
