#pragma once
// "trellan world export-mudlet DIR OUT.json": a world as a Mudlet JSON map.
// Zones become areas, rooms keep their cells, names and exits (grid links
// across corridor cells and cross-link entries resolved to the rooms they
// reach), doors, colours, and in their user data what Mudlet has no field
// for, so that importing the file again gives the same world.
#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

#include "mapping/MappingConfig.h"

namespace trellan {

class World;

struct MudletExportReport {
    std::size_t Areas = 0;
    std::size_t Rooms = 0;
    std::size_t Exits = 0;          // normal and special exits written
    std::size_t SpecialExits = 0;   // of them, exits with a name of their own
    std::size_t Unresolved = 0;     // links and entries that reach no room
    std::vector<std::string> Problems;  // one line each, Windows-1251
};

// The whole file, compact UTF-8 JSON with the keys in Mudlet's order. `config` gives the
// direction phrases and movement commands that name directions in
// cross-link entries.
std::string ExportMudletMap(const World& world, const MappingConfig& config, MudletExportReport& report);

// Loads `directory` the way "world check" does and writes `outPath`
// atomically. Returns 0, 1 when something could not be carried over (the
// file is written all the same), 2 when nothing was written.
int RunMudletExport(const std::string& directory, const std::string& outPath, std::ostream& out, std::ostream& err);

}  // namespace trellan
