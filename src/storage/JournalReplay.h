#pragma once
// Puts the changes of a journal back into a world freshly read from its
// files: each zone's snapshot replaces the zone's rooms, each patch edits
// them by position, a removal drops the zone. Rooms are added as loaded
// rooms (MapSaved is the caller's to clear). The undo history applies its
// steps through the same code, on a world in use: there a patch edits the
// zone as the world lists it now.
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
    // Where a patch finds the rooms it counts: after a snapshot of the same
    // replay (a journal, which begins each zone with one), or in the world's
    // list of the zone (undo and redo).
    enum class PatchBase { Snapshot, WorldZone };

    // `world` must outlive the replay.
    JournalReplay(World& world, ExitWords words, PatchBase base = PatchBase::Snapshot)
        : world_(world), words_(std::move(words)), base_(base) {}

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
    PatchBase base_;
    // The rooms of each zone a snapshot set, in list order, as the changes
    // since have left them.
    std::unordered_map<std::string, std::vector<MudRoom*>> zones_;
    std::vector<std::string> removed_;
};

}  // namespace trellan
