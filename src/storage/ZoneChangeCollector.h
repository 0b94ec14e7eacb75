#pragma once
// Works out what changed in the world's zones since it last looked, as
// ZoneChange records for the change journal. For every zone it has reported
// it keeps each room's list position (RoomSlot::Seq) and a hash of its
// zone-file record. A room the world's operations name (World::Edits()), and
// the current and target rooms (whose fields the window and the tracker
// assign directly), are compared with that: whatever field changed, a
// differing record is reported, so replay gives the room exactly. A zone's
// first change after Forget, a zone renamed or removed, and a room joining a
// zone between rooms already reported are written whole (a snapshot) or
// worked out by comparing the whole zone.
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/MapEdits.h"
#include "model/ZoneChange.h"

namespace trellan {

class MudRoom;
class World;

class ZoneChangeCollector {
public:
    // `world` must outlive the collector. Each collector of one world reads
    // a log of the world's edits of its own (`reader`).
    explicit ZoneChangeCollector(const World& world, MapEdits::Reader reader = MapEdits::Reader::Journal)
        : world_(world), reader_(reader) {}

    // The changes since the last call, one per changed zone in name order;
    // empty when nothing changed.
    std::vector<ZoneChange> Collect();

    // The files now hold the map (saved, loaded, reverted): what was
    // reported is forgotten and the world's edit log emptied.
    void Forget();
    // The zone is reported whole at the next Collect (rooms put in place by
    // replaying a journal that has been set aside).
    void Touch(const std::string& zone) { touched_.insert(zone); }

private:
    struct Entry {
        std::uint64_t Seq;
        std::uint64_t Hash;
    };
    using Changes = std::map<std::string, ZoneChange>;

    std::uint64_t HashOf(const MudRoom& room);
    // One room: its record compared, or its move between zones followed.
    void CompareRoom(const MudRoom* address, std::uint64_t seq, Changes& changes, std::set<std::string>& whole);
    void ForgetRoom(const std::string& zone, std::uint64_t seq, Changes& changes);
    // The whole zone compared with what was reported (a snapshot when
    // nothing was, or when that is simpler).
    void CompareZone(const std::string& zone, Changes& changes);
    ZoneChange& ChangeOf(Changes& changes, const std::string& zone);
    void Remember(const std::string& zone, std::vector<Entry> entries);

    const World& world_;
    MapEdits::Reader reader_;
    // Zone to its reported rooms, in list order.
    std::unordered_map<std::string, std::vector<Entry>> known_;
    // Room (Seq) to the zone it was reported in (a key of known_).
    std::unordered_map<std::uint64_t, const std::string*> zoneOf_;
    std::set<std::string> touched_;
    // The current and target rooms at the last look: their marks may have
    // changed since without a note.
    std::vector<std::pair<const MudRoom*, std::uint64_t>> watched_;
    std::string record_;  // scratch
};

}  // namespace trellan
