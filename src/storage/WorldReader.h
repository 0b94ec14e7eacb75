#pragma once
// Reads every zone file of a world directory into a World, the way loading a
// world and reverting to the saved map do. A damaged or unreadable zone file
// costs only itself: its undamaged rooms are kept, the error is collected
// and the zone is listed as damaged so that nobody saves over the file.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "model/ExitWords.h"

namespace trellan {

class StorageMessages;
class World;
struct WorldProfile;

enum class WorldReadMode {
    // Full description clean-up; the remembered zone is taken when one of
    // its rooms is read.
    Load,
    // Trailing line breaks only; the zone of the last stored selection wins
    // (see ReadWorldFiles).
    Revert,
};

struct WorldReadResult {
    // The zone to make current; empty when no zone qualified.
    std::string ChosenZone;
    // One complete message per problem, for the program's error handler.
    std::vector<std::string> Errors;
    // Zones whose files could not be read to the end.
    std::set<std::string> DamagedZones;
    // Zone name to the file it was read from (its name on disk).
    std::map<std::string, std::string> ZoneFiles;
};

// Adds a tree node per zone file and appends the rooms to `world` (which the
// caller has cleared) in file order, zone after zone in the listing order of
// ListZoneFiles. Each room: a missing BColor becomes clSilver, the
// description is cleaned up, a corridor cell loses its name.
//
// Choosing the zone. Load: `rememberedZone` when a record of it is read.
// Revert: before each record of zone Z the candidate becomes Z if it is
// still empty or if Z is the remembered zone; a record stored with Selected
// makes its zone the remembered one (and loses the mark); after a file, an
// empty candidate takes the remembered zone.
WorldReadResult ReadWorldFiles(World& world, const std::string& directory, const ExitWords& words, WorldReadMode mode,
                               std::string rememberedZone, const StorageMessages& messages);

// The profile of the world in `directory` (its local.ini), or the defaults
// when it has none: what the map tools read a world directory with.
WorldProfile ReadDirectoryProfile(const std::string& directory);

}  // namespace trellan
