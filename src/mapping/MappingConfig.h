#pragma once
// What placement and linking need to know about the loaded world's MUD: the
// words that name the six directions, the darkness and no-exits messages,
// and the colour new rooms get. Plain data; the runtime fills it from the
// world profile (and the skin) and keeps it current, and the mapping classes
// hold a reference to it.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/ExitWords.h"
#include "model/RoomDefaults.h"

namespace trellan {

struct WorldProfile;

struct MappingConfig {
    // The room's order of directions: north, south, west, east, up, down.
    std::array<std::string, kDirectionCount> MoveCommands = {"n", "s", "w", "e", "u", "d"};
    ExitWords Words = ExitWords::Defaults();
    std::array<std::string, kDirectionCount> DirectionPhrases;  // defaults: see the constructor
    // The portal command: every room "has walked" it (WasStep).
    std::string Portal;
    // The name of a dark room, also given to rooms added by hand.
    std::string Dark;
    // An exits line holding this text means the room has no exits.
    std::string NoExits = "None!";
    // The colour of new rooms, the skin's SkinRoomColor.
    std::uint32_t SkinRoomColor = kColorSilver;

    // The profile defaults.
    MappingConfig();
    // Everything from the profile (whose direction keys run N, S, E, W, U, D)
    // and the skin's room colour.
    static MappingConfig FromProfile(const WorldProfile& profile, std::uint32_t skinRoomColor);
};

// The profile keys run North, South, East, West, Up, Down (kProfileKeyOrder);
// these return them in the room's order.
ExitWords ProfileExitWords(const WorldProfile& profile);
// A move key may list several words the MUD accepts, separated by "|"
// ("n|north|с|север"): the first is the command Trellan sends, and any of
// them is recognised when the player types it.
std::array<std::string, kDirectionCount> ProfileMoveCommands(const WorldProfile& profile);
std::array<std::vector<std::string>, kDirectionCount> ProfileMoveWords(const WorldProfile& profile);

}  // namespace trellan
