#include "model/World.h"

#include <algorithm>
#include <stdexcept>
#include <tuple>
#include <utility>

#include "model/Prefetch.h"
#include "model/RoomIndexes.h"
#include "model/ZoneKey.h"
#include "text/Cp1251.h"

namespace trellan {

World::World() : indexes_(std::make_unique<RoomIndexes>()) {}

World::~World() {
    // Nobody may be told about rooms of a world that is going away.
    OnRoomRemoved = nullptr;
    ClearWorld();
}

void World::SetShortMode(bool on) {
    if (on == shortMode_) return;
    shortMode_ = on;
    for (auto& [seq, slot] : allRooms_) {
        indexes_->Erase(&slot, RoomIndexes::kName);
        slot.nameHash_ = NameHash(*slot.room_);
        indexes_->Insert(&slot, RoomIndexes::kName);
    }
}

// --- Lists ------------------------------------------------------------------

World::AllRoomsRange World::AllRooms() const {
    return {allRooms_.begin(), allRooms_.end(), allRooms_.size()};
}

World::ZoneRoomsRange World::ZoneRooms() const {
    if (shownZone_.empty()) return {};
    const ZoneInfo* zone = Zone(shownZone_);
    if (zone == nullptr) return {};
    return {zone->ByKey.begin(), zone->ByKey.end(), zone->ByKey.size()};
}

World::ZoneFileOrderRange World::RoomsOfZone(std::string_view name) const {
    const ZoneInfo* zone = Zone(name);
    if (zone == nullptr) return {};
    return {zone->BySeq.begin(), zone->BySeq.end(), zone->BySeq.size()};
}

const RoomSlot* World::NextSlot(const RoomSlot* slot) const {
    auto it = slot == nullptr ? allRooms_.begin() : allRooms_.upper_bound(slot->seq_);
    return it == allRooms_.end() ? nullptr : &it->second;
}

const std::string& World::ZoneOf(const MudRoom* room) const {
    static const std::string kNone;
    const RoomSlot* slot = Slot(room);
    return slot == nullptr ? kNone : slot->Zone();
}

RoomSlot* World::Slot(const MudRoom* room) const {
    RoomSlot* const* slot = slotOf_.Find(room);
    return slot == nullptr ? nullptr : *slot;
}

RoomSlot& World::SlotFor(MudRoom* room) {
    RoomSlot* slot = Slot(room);
    if (slot == nullptr) throw std::invalid_argument("the room is not part of the world");
    return *slot;
}

ZoneInfo* World::Zone(std::string_view name) const {
    auto it = zones_.find(name);
    return it == zones_.end() ? nullptr : it->second.get();
}

ZoneInfo* World::ZoneFor(const std::string& name) {
    auto& info = zones_[name];
    if (!info) {
        info = std::make_unique<ZoneInfo>();
        info->Name = name;
        info->Id = nextZoneId_++;
    }
    return info.get();
}

void World::ReleaseZone(ZoneInfo* zone) {
    // A zone is known while it has rooms; its tree node lives on its own.
    if (zone->BySeq.empty()) zones_.erase(zone->Name);
}

// --- Tree and locks ----------------------------------------------------------

void World::AddZoneNode(const std::string& zone) {
    tree_.Add(zone, IsZoneLocked(zone));
}

bool World::IsZoneLocked(std::string_view zone) const {
    return std::find(LockedZones.begin(), LockedZones.end(), zone) != LockedZones.end();
}

void World::SetZoneLocked(const std::string& zone, bool locked) {
    if (locked) {
        if (!IsZoneLocked(zone)) LockedZones.push_back(zone);
    } else {
        std::erase(LockedZones, zone);
    }
    if (ZoneNode* node = tree_.Find(zone)) node->StateIndex = locked ? kLockedZoneStateImage : kNoStateImage;
    UpdateZoneLocked();
}

void World::UpdateZoneLocked() {
    CurrentZoneLocked = IsZoneLocked(CurrentZone);
}

// --- Zones -------------------------------------------------------------------

void World::LoadZone() {
    if (CurrentZone.empty()) return;
    LastRoomNumber = 0;
    for (ZoneNode& node : tree_.zones_) {
        if (node.Text != CurrentZone) {
            node.ImageIndex = kZoneImage;
            node.Expanded = false;
        }
    }
    ZoneNode& node = tree_.Add(CurrentZone, IsZoneLocked(CurrentZone));
    node.ImageIndex = kCurrentZoneImage;
    tree_.selected_ = CurrentZone;
    // The alias nodes are laid out again in list order.
    node.Aliases.clear();

    shownZone_ = CurrentZone;
    UpdateZoneLocked();
    if (const ZoneInfo* zone = Zone(CurrentZone)) {
        for (RoomSlot* slot : zone->BySeq) {
            MudRoom* room = slot->room_.get();
            LastRoomNumber = std::max(LastRoomNumber, room->Tag);
            room->Selected = false;
            if (!slot->alias_.empty()) node.Aliases.push_back(AliasNode{room});
        }
    }
    node.Expanded = true;
}

void World::ClearZone() {
    for (const RoomSlot& slot : ZoneRooms()) {
        slot.Room()->Selected = false;
        slot.Room()->Checked = false;
    }
    shownZone_.clear();
}

void World::RenameZone(const std::string& from, const std::string& to) {
    if (from == to) return;
    if (ZoneInfo* source = Zone(from)) {
        if (ZoneInfo* target = Zone(to)) {
            // Joining a zone that has rooms: each room changes its order key.
            std::vector<RoomSlot*> moving(source->BySeq.begin(), source->BySeq.end());
            for (RoomSlot* slot : moving) {
                indexes_->Erase(slot, RoomIndexes::kZone);
                slot->zone_ = target;
                indexes_->Insert(slot, RoomIndexes::kZone);
            }
            ReleaseZone(source);
        } else {
            // Indexes order zones by id, which a rename keeps.
            auto node = zones_.extract(from);
            node.key() = to;
            node.mapped()->Name = to;
            zones_.insert(std::move(node));
        }
    }
    if (ZoneNode* oldNode = tree_.Find(from)) {
        if (ZoneNode* newNode = tree_.Find(to)) {
            newNode->Aliases.insert(newNode->Aliases.end(), oldNode->Aliases.begin(), oldNode->Aliases.end());
            tree_.Remove(from);
        } else {
            oldNode->Text = to;
        }
    }
    if (tree_.selected_ == from) tree_.selected_ = to;
    if (CurrentZone == from) CurrentZone = to;
    if (shownZone_ == from) shownZone_ = to;
    std::replace(LockedZones.begin(), LockedZones.end(), from, to);
    UpdateZoneLocked();
    MapSaved = false;
}

void World::RemoveZone(const std::string& name) {
    if (shownZone_ == name) ClearZone();
    std::vector<MudRoom*> doomed;
    for (const RoomSlot& slot : RoomsOfZone(name)) doomed.push_back(slot.Room());
    for (MudRoom* room : doomed) RemoveRoom(room);
    tree_.Remove(name);
    if (CurrentZone == name) CurrentZone.clear();
    UpdateZoneLocked();
    MapSaved = false;
}

void World::ClearWorld() {
    ClearZone();
    CurrentRoom = nullptr;
    TargetRoom = nullptr;
    ReturnRoom = nullptr;
    if (OnRoomRemoved) {
        for (auto& [seq, slot] : allRooms_) OnRoomRemoved(slot.room_.get());
    }
    indexes_->Clear();
    slotOf_.Clear();
    allRooms_.clear();
    slotPool_.release();
    zones_.clear();
    // No index holds a zone id any more; small ids keep cell keys packed.
    nextZoneId_ = 1;
    tree_.Clear();
}

void World::ReserveRooms(std::size_t rooms) {
    slotOf_.Reserve(rooms);
    indexes_->Reserve(rooms);
}

// --- Rooms -------------------------------------------------------------------

RoomSlot* World::NewSlot(ZoneInfo* zone, RoomSlot&& prepared) {
    const std::uint64_t seq = nextSeq_++;
    // The new room has the largest position, so it goes to the end.
    auto it = allRooms_.emplace_hint(allRooms_.end(), std::piecewise_construct, std::forward_as_tuple(seq),
                                     std::forward_as_tuple(std::move(prepared)));
    RoomSlot* slot = &it->second;
    slot->zone_ = zone;
    slot->seq_ = seq;
    return slot;
}

void World::IndexSlot(RoomSlot* slot, unsigned indexParts) {
    MudRoom* room = slot->room_.get();
    slotOf_[room] = slot;
    indexes_->Insert(slot, indexParts);
    if (!slot->alias_.empty()) tree_.AddAlias(slot->Zone(), room, IsZoneLocked(slot->Zone()));
}

MudRoom* World::Append(ZoneInfo* zone, std::unique_ptr<MudRoom> room, unsigned indexParts) {
    RoomSlot prepared;
    prepared.room_ = std::move(room);
    CacheIndexedValues(prepared);
    RoomSlot* slot = NewSlot(zone, std::move(prepared));
    IndexSlot(slot, indexParts);
    return slot->Room();
}

MudRoom* World::AddRoom(std::unique_ptr<MudRoom> room) {
    if (!room) throw std::invalid_argument("no room to add");
    MudRoom* added = Append(ZoneFor(CurrentZone), std::move(room), RoomIndexes::kAll);
    MapSaved = false;
    return added;
}

MudRoom* World::AddLoadedRoom(const std::string& zone, std::unique_ptr<MudRoom> room) {
    if (!room) throw std::invalid_argument("no room to add");
    return Append(ZoneFor(zone), std::move(room), RoomIndexes::kAll);
}

PreparedRooms World::PrepareLoadedRooms(std::vector<std::unique_ptr<MudRoom>> rooms) const {
    PreparedRooms prepared;
    prepared.shortMode_ = shortMode_;
    prepared.slots_.reserve(rooms.size());
    for (std::unique_ptr<MudRoom>& room : rooms) {
        if (!room) continue;
        RoomSlot& slot = prepared.slots_.emplace_back();
        slot.room_ = std::move(room);
        CacheIndexedValues(slot);
    }
    return prepared;
}

void World::AddLoadedRooms(const std::string& zone, PreparedRooms rooms) {
    std::vector<RoomSlot>& prepared = rooms.slots_;
    // The name rule changed since they were prepared: hash them again.
    if (rooms.shortMode_ != shortMode_) {
        for (RoomSlot& slot : prepared) slot.nameHash_ = NameHash(*slot.room_);
    }
    ZoneInfo* info = ZoneFor(zone);
    std::vector<RoomSlot*>& byKey = info->ByKey;
    const std::size_t sorted = byKey.size();
    byKey.reserve(sorted + prepared.size());
    info->BySeq.reserve(info->BySeq.size() + prepared.size());

    // The tables are far larger than the cache, so the entries a room will
    // touch start loading a few rooms ahead.
    constexpr std::size_t kAhead = 8;
    const std::size_t count = prepared.size();
    for (std::size_t i = 0; i < std::min(count, kAhead); ++i) prepared[i].zone_ = info;
    for (std::size_t i = 0; i < count; ++i) {
        if (i + kAhead < count) {
            RoomSlot& soon = prepared[i + kAhead];
            soon.zone_ = info;
            indexes_->Prefetch(&soon);
            slotOf_.Prefetch(soon.Room());
        }
        IndexSlot(NewSlot(info, std::move(prepared[i])), RoomIndexes::kAll | RoomIndexes::kKeyOrderLater);
    }
    // One sort of the new rooms and one merge beat an ordered insert each.
    const auto middle = byKey.begin() + static_cast<std::ptrdiff_t>(sorted);
    std::sort(middle, byKey.end(), KeyOrder());
    std::inplace_merge(byKey.begin(), middle, byKey.end(), KeyOrder());
    if (info->BySeq.empty()) ReleaseZone(info);
}

void World::RemoveRoom(MudRoom* room) {
    RoomSlot* slot = Slot(room);
    if (slot == nullptr) return;
    if (CurrentRoom == room) CurrentRoom = nullptr;
    if (TargetRoom == room) TargetRoom = nullptr;
    if (ReturnRoom == room) ReturnRoom = nullptr;
    if (!slot->alias_.empty()) tree_.RemoveAlias(slot->Zone(), room);
    indexes_->Erase(slot);
    slotOf_.Erase(room);
    ReleaseZone(slot->zone_);
    auto node = allRooms_.extract(slot->seq_);
    MapSaved = false;
    if (OnRoomRemoved) OnRoomRemoved(room);
    // `node` destroys the slot and with it the room.
}

void World::DeleteRooms(const std::vector<MudRoom*>& rooms) {
    for (MudRoom* room : rooms) RemoveRoom(room);
}

void World::Reindex(RoomSlot& slot, unsigned mayChange) {
    const MudRoom& room = *slot.room_;
    std::string key = (mayChange & RoomIndexes::kPosition) ? ZoneKey(room) : slot.key_;
    std::uint64_t nameHash = (mayChange & RoomIndexes::kName) ? NameHash(room) : slot.nameHash_;
    std::string alias = (mayChange & RoomIndexes::kAlias) ? UpperCp1251(room.QuickList) : slot.alias_;
    unsigned parts = 0;
    if ((mayChange & RoomIndexes::kPosition) &&
        (key != slot.key_ || room.X != slot.x_ || room.Y != slot.y_ || room.L != slot.l_)) {
        parts |= RoomIndexes::kPosition;
    }
    if ((mayChange & RoomIndexes::kTag) && room.Tag != slot.tag_) parts |= RoomIndexes::kTag;
    if (nameHash != slot.nameHash_) parts |= RoomIndexes::kName;
    if (alias != slot.alias_) parts |= RoomIndexes::kAlias;
    if (parts == 0) return;

    indexes_->Erase(&slot, parts);
    bool hadAlias = !slot.alias_.empty();
    if (parts & RoomIndexes::kPosition) {
        slot.x_ = room.X;
        slot.y_ = room.Y;
        slot.l_ = room.L;
    }
    if (parts & RoomIndexes::kTag) slot.tag_ = room.Tag;
    slot.key_ = std::move(key);
    slot.nameHash_ = nameHash;
    slot.alias_ = std::move(alias);
    indexes_->Insert(&slot, parts);

    bool hasAlias = !slot.alias_.empty();
    if (hasAlias && !hadAlias) {
        tree_.AddAlias(slot.Zone(), slot.room_.get(), IsZoneLocked(slot.Zone()));
    } else if (!hasAlias && hadAlias) {
        tree_.RemoveAlias(slot.Zone(), slot.room_.get());
    }
}

void World::CacheIndexedValues(RoomSlot& slot) const {
    const MudRoom& room = *slot.room_;
    slot.x_ = room.X;
    slot.y_ = room.Y;
    slot.l_ = room.L;
    slot.tag_ = room.Tag;
    slot.key_ = ZoneKey(room);
    slot.nameHash_ = NameHash(room);
    slot.alias_ = UpperCp1251(room.QuickList);
}

void World::MoveRoom(MudRoom* room, std::int32_t x, std::int32_t y, std::int32_t l) {
    RoomSlot& slot = SlotFor(room);
    room->X = x;
    room->Y = y;
    room->L = l;
    Reindex(slot, RoomIndexes::kPosition);
    MapSaved = false;
}

void World::SetRoomTag(MudRoom* room, std::int32_t tag) {
    RoomSlot& slot = SlotFor(room);
    room->Tag = tag;
    Reindex(slot, RoomIndexes::kTag);
    MapSaved = false;
}

void World::SetRoomText(MudRoom* room, std::string hint, std::string description, std::string exits,
                        const ExitWords& words) {
    RoomSlot& slot = SlotFor(room);
    room->Hint = std::move(hint);
    room->Description = std::move(description);
    room->SetExits(std::move(exits), words);
    Reindex(slot, RoomIndexes::kName);
    MapSaved = false;
}

void World::SetRoomExits(MudRoom* room, std::string exits, const ExitWords& words) {
    RoomSlot& slot = SlotFor(room);
    room->SetExits(std::move(exits), words);
    Reindex(slot, RoomIndexes::kName);
    MapSaved = false;
}

void World::SetRoomAlias(MudRoom* room, std::string alias) {
    RoomSlot& slot = SlotFor(room);
    room->QuickList = std::move(alias);
    Reindex(slot, RoomIndexes::kAlias);
    MapSaved = false;
}

void World::SetRoomZone(MudRoom* room, const std::string& zone) {
    RoomSlot& slot = SlotFor(room);
    if (slot.Zone() == zone) return;
    bool hasAlias = !slot.alias_.empty();
    if (hasAlias) tree_.RemoveAlias(slot.Zone(), room);
    indexes_->Erase(&slot, RoomIndexes::kZone);
    ZoneInfo* old = slot.zone_;
    slot.zone_ = ZoneFor(zone);
    ReleaseZone(old);
    indexes_->Insert(&slot, RoomIndexes::kZone);
    if (hasAlias) tree_.AddAlias(zone, room, IsZoneLocked(zone));
    MapSaved = false;
}

}  // namespace trellan
