#pragma once
// The twins: a ring of rooms that look alike, for testing that a mapper
// keeps them apart (--twins).
#include <vector>

#include "Game.h"

namespace demomud {

// Index of the first twin room (the one Звериная тропа leads down to is
// FirstTwin + 1).
inline constexpr int FirstTwin = 20;
inline constexpr int TwinCount = 4;

// Appends the ring and gives Звериная тропа its way down into it.
void AddTwins(std::vector<Room>& rooms);

}  // namespace demomud
