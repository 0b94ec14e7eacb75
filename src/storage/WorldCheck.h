#pragma once
// "trellan world check DIR": loads a world directory the way Trellan does and
// reports its size and every inconsistency a map editor or a hand edit may
// have left behind.
#include <array>
#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

#include "model/ExitWords.h"

namespace trellan {

class World;

struct WorldCheckReport {
    std::size_t Zones = 0;
    std::size_t Rooms = 0;
    std::size_t CorridorCells = 0;
    std::size_t Aliases = 0;
    std::size_t CrossLinks = 0;  // AutoMaps entries
    // One line per inconsistency, Windows-1251.
    std::vector<std::string> Problems;
};

// The words that name a direction in a cross-link entry's exit field: the
// direction phrases and the movement commands, both in room order (north,
// south, west, east, up, down).
struct DirectionNames {
    std::array<std::string, kDirectionCount> Phrases;
    std::array<std::string, kDirectionCount> MoveCommands;
};

// Checks: a link flag whose partner lacks the opposite flag (across corridor
// cells, or through a cross-link entry for that direction), two rooms in one
// cell, a room number used twice in a zone, a cross-link entry naming a
// missing zone or room or carrying no number, a corridor cell with a number.
WorldCheckReport CheckWorld(const World& world, const DirectionNames& names);

// Loads `directory` (exit words and direction names from its local.ini when
// it has one) and prints the report in UTF-8. Returns 0 when nothing is
// wrong, 1 when something is (damaged files included), 2 when the directory
// cannot be read or holds neither a zone file nor a local.ini.
int RunWorldCheck(const std::string& directory, std::ostream& out, std::ostream& err);

}  // namespace trellan
