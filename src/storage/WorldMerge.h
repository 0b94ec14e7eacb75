#pragma once
// "trellan world merge MINE THEIRS": another player's world joined into
// mine, zone by zone. Zones only THEIRS has are copied in; in a zone both
// have, rooms are matched by cell: a room on a cell I do not have is added,
// one on a cell I have is the same room when name, exits text and
// description agree (its links, cross links and alias are added to mine)
// and a conflict otherwise, settled by the preference. Room numbers that
// clash are renumbered and every cross link from THEIRS follows; an alias
// that clashes gets a suffix. The merge works on copies: MINE changes only
// when the caller writes the result.
#include <cstddef>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace trellan {

class MudRoom;
class World;

enum class MergePreference { Mine, Theirs };

struct MergedZone {
    std::string Name;  // Windows-1251
    bool New = false;  // only THEIRS had it
    std::vector<std::unique_ptr<MudRoom>> Rooms;
};

struct WorldMergeReport {
    std::size_t CopiedZones = 0;
    std::size_t MergedZones = 0;   // zones both have that changed
    std::size_t AddedRooms = 0;    // corridor cells included
    std::size_t MatchedRooms = 0;
    std::size_t Conflicts = 0;
    std::size_t Renumbered = 0;
    std::size_t RenamedAliases = 0;
    std::size_t RefusedZones = 0;  // names a zone of mine could not have
    // One line per conflict, renumbering, renamed alias and refused zone,
    // Windows-1251.
    std::vector<std::string> Lines;
};

struct WorldMerge {
    // Only the zones to write: the new ones and the changed ones of mine.
    std::vector<MergedZone> Zones;
    WorldMergeReport Report;
};

WorldMerge MergeWorlds(const World& mine, const World& theirs, MergePreference preference);

// args: MINE THEIRS [--prefer mine|theirs] [--dry-run]. Prints the report;
// with --dry-run writes nothing. Returns 0, 1 on a failure (nothing of MINE
// is written when one of its zone files is damaged), 2 on bad arguments.
int RunWorldMerge(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace trellan
