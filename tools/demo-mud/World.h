#pragma once
// The rooms, items and monsters of the demo world (UTF-8).
#include <vector>

#include "Game.h"

namespace demomud {

struct LoreEntry {
    const char* keyword;  // any prefix of it, two letters or more, names the thing
    std::vector<const char*> lines;
};

std::vector<Room> BuildWorld();
const std::vector<LoreEntry>& ItemLore();
const std::vector<LoreEntry>& MobLore();

}  // namespace demomud
