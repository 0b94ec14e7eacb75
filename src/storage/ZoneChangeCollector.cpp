#include "storage/ZoneChangeCollector.h"

#include <algorithm>
#include <functional>
#include <string_view>

#include "model/World.h"
#include "model/zonefile/ZoneFileWriter.h"

namespace trellan {

namespace {

bool BySeq(const auto& entry, std::uint64_t seq) { return entry.Seq < seq; }

}  // namespace

std::uint64_t ZoneChangeCollector::HashOf(const MudRoom& room) {
    record_.clear();
    AppendRoomRecord(record_, room);
    return std::hash<std::string_view>{}(record_);
}

ZoneChange& ZoneChangeCollector::ChangeOf(Changes& changes, const std::string& zone) {
    auto [it, added] = changes.try_emplace(zone);
    if (added) {
        it->second.Zone = zone;
        it->second.What = ZoneChange::Kind::Patch;
    }
    return it->second;
}

void ZoneChangeCollector::Remember(const std::string& zone, std::vector<Entry> entries) {
    auto known = known_.find(zone);
    if (known != known_.end()) {
        for (const Entry& entry : known->second) {
            auto owner = zoneOf_.find(entry.Seq);
            if (owner != zoneOf_.end() && owner->second == &known->first) zoneOf_.erase(owner);
        }
    } else {
        known = known_.emplace(zone, std::vector<Entry>{}).first;
    }
    known->second = std::move(entries);
    for (const Entry& entry : known->second) zoneOf_[entry.Seq] = &known->first;
}

std::vector<ZoneChange> ZoneChangeCollector::Collect() {
    MapEdits::Taken edits = world_.Edits().Take(reader_);
    Changes changes;
    std::set<std::string> whole = std::move(touched_);
    touched_.clear();
    whole.insert(edits.Zones.begin(), edits.Zones.end());
    if (edits.Overflowed) {
        for (const auto& [zone, entries] : known_) whole.insert(zone);
        for (const RoomSlot& slot : world_.AllRooms()) whole.insert(slot.Zone());
    }

    std::vector<MapEdits::Room> rooms = std::move(edits.Rooms);
    for (const auto& [address, seq] : watched_) rooms.push_back({address, seq});
    watched_.clear();
    if (!world_.MapSaved) {
        for (const MudRoom* room : {world_.CurrentRoom, world_.TargetRoom}) {
            if (const RoomSlot* slot = world_.SlotOf(room)) rooms.push_back({room, slot->Seq()});
        }
    }
    for (const MudRoom* room : {world_.CurrentRoom, world_.TargetRoom}) {
        if (const RoomSlot* slot = world_.SlotOf(room)) watched_.emplace_back(room, slot->Seq());
    }
    std::sort(rooms.begin(), rooms.end(), [](const auto& a, const auto& b) { return a.Seq < b.Seq; });
    rooms.erase(std::unique(rooms.begin(), rooms.end(), [](const auto& a, const auto& b) { return a.Seq == b.Seq; }),
                rooms.end());
    for (const MapEdits::Room& room : rooms) CompareRoom(room.Address, room.Seq, changes, whole);
    for (const std::string& zone : whole) CompareZone(zone, changes);

    std::vector<ZoneChange> out;
    for (auto& [zone, change] : changes) {
        if (change.What == ZoneChange::Kind::Patch && change.Edits.empty()) continue;
        out.push_back(std::move(change));
    }
    return out;
}

void ZoneChangeCollector::ForgetRoom(const std::string& zone, std::uint64_t seq, Changes& changes) {
    std::vector<Entry>& entries = known_.at(zone);
    auto at = std::lower_bound(entries.begin(), entries.end(), seq, [](const Entry& e, std::uint64_t s) { return BySeq(e, s); });
    if (at == entries.end() || at->Seq != seq) return;
    ChangeOf(changes, zone).Edits.push_back(
        {RoomEdit::Kind::Remove, static_cast<std::uint32_t>(at - entries.begin()), {}});
    entries.erase(at);
    zoneOf_.erase(seq);
}

void ZoneChangeCollector::CompareRoom(const MudRoom* address, std::uint64_t seq, Changes& changes,
                                      std::set<std::string>& whole) {
    const RoomSlot* slot = world_.SlotOf(address);
    const bool alive = slot != nullptr && slot->Seq() == seq;
    auto reported = zoneOf_.find(seq);
    if (reported != zoneOf_.end() && (!alive || *reported->second != slot->Zone())) {
        // Gone, or listed under another zone now.
        const std::string zone = *reported->second;
        if (whole.count(zone) == 0) ForgetRoom(zone, seq, changes);
    }
    if (!alive) return;
    const std::string& zone = slot->Zone();
    if (whole.count(zone) != 0) return;
    auto known = known_.find(zone);
    if (known == known_.end()) {
        whole.insert(zone);
        return;
    }
    std::vector<Entry>& entries = known->second;
    auto at = std::lower_bound(entries.begin(), entries.end(), seq, [](const Entry& e, std::uint64_t s) { return BySeq(e, s); });
    const std::uint64_t hash = HashOf(*slot->Room());
    if (at != entries.end() && at->Seq == seq) {
        if (at->Hash == hash) return;
        at->Hash = hash;
        ChangeOf(changes, zone).Edits.push_back(
            {RoomEdit::Kind::Replace, static_cast<std::uint32_t>(at - entries.begin()), record_});
    } else if (at == entries.end()) {
        entries.push_back({seq, hash});
        zoneOf_[seq] = &known->first;
        ChangeOf(changes, zone).Edits.push_back({RoomEdit::Kind::Append, 0, record_});
    } else {
        // A room listed under this zone keeps its place in the world's
        // list, which may lie between rooms already reported.
        whole.insert(zone);
    }
}

void ZoneChangeCollector::CompareZone(const std::string& zone, Changes& changes) {
    auto rooms = world_.RoomsOfZone(zone);
    auto known = known_.find(zone);
    if (rooms.empty() && world_.Tree().FindZone(zone) == nullptr) {
        // Gone. A zone never reported may still be in the files, so its
        // removal is written all the same.
        if (known != known_.end()) {
            for (const Entry& entry : known->second) zoneOf_.erase(entry.Seq);
            known_.erase(known);
        }
        ZoneChange& change = ChangeOf(changes, zone);
        change = ZoneChange{ZoneChange::Kind::Removed, zone, {}, {}};
        return;
    }

    std::vector<Entry> now;
    now.reserve(rooms.size());
    ZoneChange& change = ChangeOf(changes, zone);
    bool snapshot = known == known_.end();
    std::vector<RoomEdit> edits;
    if (!snapshot) {
        // Both lists run in list order (Seq): side by side they give the
        // edits by position.
        const std::vector<Entry>& before = known->second;
        std::size_t i = 0;
        std::uint32_t position = 0;
        for (const RoomSlot& slot : rooms) {
            const Entry entry{slot.Seq(), HashOf(*slot.Room())};
            while (i < before.size() && before[i].Seq < entry.Seq) {
                edits.push_back({RoomEdit::Kind::Remove, position, {}});
                ++i;
            }
            if (i < before.size() && before[i].Seq == entry.Seq) {
                if (before[i].Hash != entry.Hash) edits.push_back({RoomEdit::Kind::Replace, position, record_});
                ++i;
            } else {
                if (i < before.size()) snapshot = true;
                edits.push_back({RoomEdit::Kind::Append, 0, record_});
            }
            ++position;
            now.push_back(entry);
            // Edits only grow: past the number of rooms the zone goes whole,
            // and the rooms left need no comparing first.
            if (snapshot || edits.size() > rooms.size()) {
                snapshot = true;
                break;
            }
        }
        if (!snapshot) {
            while (i < before.size()) {
                edits.push_back({RoomEdit::Kind::Remove, position, {}});
                ++i;
            }
            if (edits.size() > now.size()) snapshot = true;
        }
    }
    if (snapshot) {
        change = ZoneChange{ZoneChange::Kind::Snapshot, zone, {}, {}};
        now.clear();
        for (const RoomSlot& slot : rooms) {
            now.push_back({slot.Seq(), HashOf(*slot.Room())});
            change.Rooms.push_back(record_);
        }
    } else {
        change.Edits.insert(change.Edits.end(), edits.begin(), edits.end());
    }
    Remember(zone, std::move(now));
}

void ZoneChangeCollector::Forget() {
    known_.clear();
    zoneOf_.clear();
    touched_.clear();
    watched_.clear();
    world_.Edits().Take(reader_);
}

}  // namespace trellan
