#pragma once
// "trellan world import-mudlet IN.json DIR": a Mudlet JSON map as a new
// world, one zone per area. Rooms keep their cells; exits along the grid
// become links (with corridor cells between rooms that are not neighbours),
// every other exit a cross-link entry. Nothing of the file is trusted: area
// names pass the checks of a zone name the player types before they name a
// file, and a damaged file writes nothing.
#include <cstddef>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "mapping/MappingConfig.h"
#include "model/MudRoom.h"
#include "storage/MudletMapReader.h"

namespace trellan {

struct MudletImportReport {
    std::size_t Zones = 0;
    std::size_t Rooms = 0;
    std::size_t CorridorCells = 0;
    std::size_t GridLinks = 0;
    std::size_t CrossLinks = 0;
    // Diagonals, "in", "out" and exits with a name of their own: kept as
    // cross-link entries, but off the six-direction grid.
    std::size_t OffGridExits = 0;
    // Characters of names and texts with no Windows-1251 form, each shown
    // as "?".
    std::size_t ReplacedCharacters = 0;
    // Rooms that found their cell taken: each moves to the nearest free cell
    // of its level up to 8 cells away, or else to a row of its own on the
    // level above the area's rooms. A note names the old and new cell.
    std::size_t SharedCells = 0;
    // Exits to a room the file does not have.
    std::size_t DanglingExits = 0;
    // What was changed on the way, one line each, Windows-1251.
    std::vector<std::string> Notes;
};

struct ImportedZone {
    std::string Name;  // Windows-1251, a valid zone name
    std::vector<std::unique_ptr<MudRoom>> Rooms;
};

struct MudletImport {
    std::vector<ImportedZone> Zones;
    MudletImportReport Report;
};

// Throws MudletMapError (see ReadMudletMap).
MudletImport ImportMudletMap(std::string_view json, const MappingConfig& config);

// Creates `directory` (which must not exist, or be empty) and writes a zone
// file per zone. Throws FileWriteError, or MudletMapError for a directory
// that holds something already.
void WriteImportedWorld(const std::string& directory, const MudletImport& import);

// Returns 0, or 1 with nothing written.
int RunMudletImport(const std::string& jsonPath, const std::string& directory, std::ostream& out,
                    std::ostream& err);

}  // namespace trellan
