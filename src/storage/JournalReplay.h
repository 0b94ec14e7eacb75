#pragma once
// Puts the changes of a journal back into a world freshly read from its
// files: each zone's snapshot replaces the zone's rooms, each patch edits
// them by position, a removal drops the zone. Rooms are added as loaded
// rooms (MapSaved is the caller's to clear).
#include <string>
#include <unordered_map>
#include <vector>

#include "model/ExitWords.h"
#include "model/ZoneChange.h"

namespace trellan {

class MudRoom;
class World;

class JournalReplay {
public:
    // `world` must outlive the replay.
    JournalReplay(World& world, ExitWords words) : world_(world), words_(std::move(words)) {}

    // Applies one change. Throws FileFormatError when it does not fit: a
    // record that does not read, a position outside the zone, a patch to a
    // zone no snapshot came before. The changes before it stay applied.
    void Apply(const ZoneChange& change);

    // The zones the applied changes touched, in name order.
    std::vector<std::string> Zones() const;

private:
    MudRoom ReadRecord(const std::string& record) const;
    void Snapshot(const ZoneChange& change);
    void Patch(const ZoneChange& change);
    // Gives `room` the fields of `from`, the indexed ones through the world.
    void Overwrite(MudRoom* room, MudRoom from);

    World& world_;
    ExitWords words_;
    // The rooms of each zone a snapshot set, in list order, as the changes
    // since have left them.
    std::unordered_map<std::string, std::vector<MudRoom*>> zones_;
    std::vector<std::string> removed_;
};

}  // namespace trellan
