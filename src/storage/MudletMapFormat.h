#pragma once
// Mudlet's JSON map (the form its saveJsonMap writes and loadJsonMap reads),
// as far as the exchange with Trellan uses it: the keys, the one version
// Mudlet accepts, and the names under which Trellan keeps what Mudlet has no
// field for in a room's user data. Shared by the export and the import; the
// page docs/mudlet-exchange.md describes the mapping.
#include <array>
#include <string_view>

#include "model/Direction.h"

namespace trellan::mudlet_format {

// Mudlet reads exactly this version and refuses every other.
inline constexpr double kFormatVersion = 1.0;

// The area Mudlet always has; its rooms are those of no area.
inline constexpr int kDefaultAreaId = -1;
inline constexpr std::string_view kDefaultAreaName = "Default Area";
inline constexpr std::string_view kUnnamedAreaName = "Unnamed Area";

// Mudlet draws environments 1 to 16 in its ANSI colours whatever the map
// says, and 17 to 255 from the 256-colour table unless a custom colour is
// given; the room colours of an export start above both.
inline constexpr int kFirstEnvironment = 257;

// The six grid directions as Mudlet names its exits, in the room's order
// (north, south, west, east, up, down).
inline constexpr std::array<std::string_view, kDirectionCount> kDirectionNames = {"north", "south", "west",
                                                                                "east",  "up",    "down"};

// Mudlet's other fixed exits and the command that walks each, which becomes
// the exit text of a cross-link entry on import.
struct OffGridExit {
    std::string_view Name;
    std::string_view Command;
};
inline constexpr std::array<OffGridExit, 6> kOffGridExits = {{{"northeast", "ne"},
                                                              {"northwest", "nw"},
                                                              {"southeast", "se"},
                                                              {"southwest", "sw"},
                                                              {"in", "in"},
                                                              {"out", "out"}}};

// Doors Mudlet knows on an exit; "closed" and "locked" are a door in
// parentheses of the exits text.
inline constexpr std::string_view kDoorOpen = "open";
inline constexpr std::string_view kDoorClosed = "closed";
inline constexpr std::string_view kDoorLocked = "locked";

// Room user data written by Trellan. Every key starts with "trellan.".
namespace user_data {
inline constexpr std::string_view kNumber = "trellan.number";            // Tag
inline constexpr std::string_view kDescription = "trellan.description";  // Description
inline constexpr std::string_view kExits = "trellan.exits";              // the MUD's exits text
inline constexpr std::string_view kAlias = "trellan.alias";              // QuickList
inline constexpr std::string_view kNote = "trellan.note";                // Note
inline constexpr std::string_view kMarks = "trellan.marks";              // "DT FlyDT Agro NoStep", those set
inline constexpr std::string_view kImage = "trellan.image";              // ImageIndex
inline constexpr std::string_view kColor = "trellan.color";              // BColor of a system colour
inline constexpr std::string_view kView = "trellan.view";                // "DX DY DL"
// Followed by the exit's Mudlet name: the command of a cross-link entry.
inline constexpr std::string_view kCommandPrefix = "trellan.command.";
}  // namespace user_data

}  // namespace trellan::mudlet_format
