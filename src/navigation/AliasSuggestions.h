#pragma once
// The aliases nearest to one the player mistyped, for the speedwalk's answer.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace trellan {

class World;

// Up to `count` distinct aliases of the world, nearest first: fewest letters
// to change, add or drop (Windows-1251 letter case ignored), an alias that
// begins with the typed text counting as nearest. Ties keep world order.
std::vector<std::string> ClosestAliases(const World& world, std::string_view typed, std::size_t count = 3);

}  // namespace trellan
