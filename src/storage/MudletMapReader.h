#pragma once
// Reads a Mudlet JSON map into plain records, checking everything the import
// relies on. The file is untrusted: any fault is a MudletMapError naming the
// place, and nothing is half read.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/Errors.h"

namespace trellan {

class MudletMapError : public TrellanError {
public:
    using TrellanError::TrellanError;
};

// Text is UTF-8 as the file has it.
struct MudletExit {
    std::string Name;  // "north" ... or a special exit's command
    std::int64_t Target = 0;
    std::string Door;  // "", "open", "closed", "locked"
};

struct MudletRoom {
    std::int64_t Id = 0;
    std::int32_t X = 0;  // Mudlet's coordinates: x east, y north, z up
    std::int32_t Y = 0;
    std::int32_t Z = 0;
    std::string Name;
    std::optional<std::int64_t> Environment;
    bool Locked = false;
    std::vector<MudletExit> Exits;
    std::vector<MudletExit> Stubs;  // Target 0
    std::map<std::string, std::string> UserData;
};

struct MudletArea {
    std::int64_t Id = 0;
    std::string Name;
    std::map<std::string, std::string> UserData;
    std::vector<MudletRoom> Rooms;
};

struct MudletMap {
    std::vector<MudletArea> Areas;
    // Environment to colour, 0x00BBGGRR.
    std::unordered_map<std::int64_t, std::uint32_t> EnvironmentColors;
};

// Throws MudletMapError: not JSON, not a Mudlet map, a version other than
// the one Mudlet reads, or a field of the wrong type or range.
MudletMap ReadMudletMap(std::string_view json);

}  // namespace trellan
