#pragma once
// Recolouring the rooms of a whole world at once, for when a new skin wants
// another room colour than the rooms were drawn with.
#include <cstdint>

namespace trellan {

class World;

// Every room of every zone whose BColor is `from` gets `to`. Returns how many
// rooms changed; MapSaved is cleared when any did.
int ReplaceRoomColor(World& world, std::uint32_t from, std::uint32_t to);

}  // namespace trellan
