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
    for (RoomSlot* slot = first_; slot != nullptr; slot = slot->next_) {
        indexes_->Erase(slot, RoomIndexes::kName);
        slot->nameHash_ = NameHash(slot->room_);
        indexes_->Insert(slot, RoomIndexes::kName);
    }
}

// --- Lists ------------------------------------------------------------------

World::AllRoomsRange World::AllRooms() const {
    return {first_, roomCount_};
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
    return slot == nullptr ? first_ : slot->next_;
}

const std::string& World::ZoneOf(const MudRoom* room) const {
    static const std::string kNone;
    const RoomSlot* slot = Slot(room);
    return slot == nullptr ? kNone : slot->Zone();
}

RoomSlot* World::Slot(const MudRoom* room) const {
    return slotOf_.First(RoomAddress(room));
}

RoomSlot& World::SlotFor(MudRoom* room) {
    RoomSlot* slot = Slot(room);
    if (slot == nullptr) throw std::invalid_argument("the room is not part of the world");
    return *slot;
}

ZoneInfo* World::Zone(std::string_view name) const {
    return zones_.Find(name);
}

ZoneInfo* World::ZoneFor(const std::string& name) {
    if (ZoneInfo* zone = zones_.Find(name)) return zone;
    return zones_.Add(name, nextZoneId_++);
}

void World::ReleaseZone(ZoneInfo* zone) {
    // A zone is known while it has rooms; its tree node lives on its own.
    if (zone->BySeq.empty()) zones_.Remove(zone);
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
            MudRoom* room = slot->Room();
            LastRoomNumber = std::max(LastRoomNumber, room->Tag);
            if (room->Selected) NoteEdit(*slot);
            room->Selected = false;
            if (!slot->alias_.empty()) node.Aliases.push_back(AliasNode{room});
        }
    }
    node.Expanded = true;
}

void World::ClearZone() {
    for (const RoomSlot& slot : ZoneRooms()) {
        // The marks are stored in the zone file: the journal follows them.
        if (slot.Room()->Selected || slot.Room()->Checked) NoteEdit(slot);
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
            zones_.Rename(source, to);
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
    edits_.NoteZone(from);
    edits_.NoteZone(to);
    if (tree_.selected_ == from) tree_.selected_ = to;
    if (CurrentZone == from) CurrentZone = to;
    if (shownZone_ == from) shownZone_ = to;
    std::replace(LockedZones.begin(), LockedZones.end(), from, to);
    UpdateZoneLocked();
    changes_.Everything();
    MapSaved = false;
}

void World::RemoveZone(const std::string& name) {
    edits_.NoteZone(name);
    if (shownZone_ == name) ClearZone();
    std::vector<MudRoom*> doomed;
    for (const RoomSlot& slot : RoomsOfZone(name)) doomed.push_back(slot.Room());
    for (MudRoom* room : doomed) RemoveRoom(room);
    tree_.Remove(name);
    if (CurrentZone == name) CurrentZone.clear();
    UpdateZoneLocked();
    changes_.Everything();
    MapSaved = false;
}

void World::ClearWorld() {
    ClearZone();
    CurrentRoom = nullptr;
    TargetRoom = nullptr;
    ReturnRoom = nullptr;
    if (OnRoomRemoved) {
        for (RoomSlot* slot = first_; slot != nullptr; slot = slot->next_) OnRoomRemoved(slot->Room());
    }
    indexes_->Clear();
    serverIds_.clear();
    slotOf_.Clear();
    blocks_.clear();
    arena_.ResetIfUnused();
    openBlock_ = nullptr;
    first_ = nullptr;
    last_ = nullptr;
    roomCount_ = 0;
    nextIndex_ = 0;
    freeIndexes_.clear();
    zones_.Clear();
    // No index holds a zone id any more; small ids keep cell keys packed.
    nextZoneId_ = 1;
    tree_.Clear();
    changes_.Everything();
}

void World::ReserveRooms(std::size_t rooms) {
    slotOf_.Reserve(rooms);
    indexes_->Reserve(rooms);
}

// --- Rooms -------------------------------------------------------------------

void World::Link(RoomSlot* slot, ZoneInfo* zone) {
    // The new room has the largest position, so it goes to the end.
    slot->zone_ = zone;
    slot->seq_ = nextSeq_++;
    slot->prev_ = last_;
    slot->next_ = nullptr;
    if (freeIndexes_.empty()) {
        slot->index_ = nextIndex_++;
    } else {
        slot->index_ = freeIndexes_.back();
        freeIndexes_.pop_back();
    }
    (last_ != nullptr ? last_->next_ : first_) = slot;
    last_ = slot;
    ++slot->block_->Live;
    ++roomCount_;
}

void World::Unlink(RoomSlot* slot) {
    (slot->prev_ != nullptr ? slot->prev_->next_ : first_) = slot->next_;
    (slot->next_ != nullptr ? slot->next_->prev_ : last_) = slot->prev_;
    --roomCount_;
    freeIndexes_.push_back(slot->index_);
    SlotBlock* block = slot->block_;
    if (--block->Live > 0) {
        // The slot stays in its block, empty, until the block goes.
        slot->room_ = MudRoom();
        slot->alias_.clear();
        return;
    }
    if (block == openBlock_) openBlock_ = nullptr;
    const std::size_t index = block->Index;
    blocks_[index] = std::move(blocks_.back());
    blocks_[index]->Index = index;
    blocks_.pop_back();  // destroys the block when it was the last one
}

void World::AdoptBlock(std::unique_ptr<SlotBlock> block) {
    block->Index = blocks_.size();
    blocks_.push_back(std::move(block));
}

void World::IndexSlot(RoomSlot* slot, unsigned indexParts) {
    MudRoom* room = slot->Room();
    slotOf_.Insert(RoomAddress(room), slot);
    indexes_->Insert(slot, indexParts);
    if (!slot->alias_.empty()) tree_.AddAlias(slot->Zone(), room, IsZoneLocked(slot->Zone()));
}

MudRoom* World::Append(ZoneInfo* zone, std::unique_ptr<MudRoom> room, unsigned indexParts) {
    // Rooms added one at a time share blocks of this many.
    constexpr std::size_t kOpenBlockSize = 64;
    if (openBlock_ == nullptr || openBlock_->Full()) {
        AdoptBlock(std::make_unique<SlotBlock>(arena_, kOpenBlockSize));
        openBlock_ = blocks_.back().get();
    }
    RoomSlot* slot = &openBlock_->EmplaceBack();
    slot->room_ = std::move(*room);
    CacheIndexedValues(*slot);
    Link(slot, zone);
    IndexSlot(slot, indexParts);
    changes_.Room(slot->Room());
    NoteCellOf(*slot);
    changes_.Numbers();
    return slot->Room();
}

MudRoom* World::AddRoom(std::unique_ptr<MudRoom> room) {
    if (!room) throw std::invalid_argument("no room to add");
    MudRoom* added = Append(ZoneFor(CurrentZone), std::move(room), RoomIndexes::kAll);
    NoteEdit(SlotFor(added));
    MapSaved = false;
    return added;
}

MudRoom* World::AddLoadedRoom(const std::string& zone, std::unique_ptr<MudRoom> room) {
    if (!room) throw std::invalid_argument("no room to add");
    return Append(ZoneFor(zone), std::move(room), RoomIndexes::kAll);
}

MudRoom& PreparedRooms::Add() {
    // Blocks grow with the file up to a size that wastes little on the last.
    constexpr std::size_t kFirstBlock = 16;
    constexpr std::size_t kLargestBlock = 256;
    if (arena_ == nullptr) throw std::logic_error("rooms prepared without a world");
    if (blocks_.empty() || blocks_.back()->Full()) {
        blocks_.push_back(std::make_unique<SlotBlock>(*arena_, std::clamp(count_, kFirstBlock, kLargestBlock)));
    }
    ++count_;
    prepared_ = false;
    return *blocks_.back()->EmplaceBack().Room();
}

void PreparedRooms::DropLast() {
    if (count_ == 0) return;
    --count_;
    blocks_.back()->PopBack();
    if (blocks_.back()->Empty()) blocks_.pop_back();
}

PreparedRooms World::PrepareLoadedRooms(std::vector<std::unique_ptr<MudRoom>> rooms) const {
    PreparedRooms prepared = NewPreparedRooms();
    for (std::unique_ptr<MudRoom>& room : rooms) {
        if (room) prepared.Add() = std::move(*room);
    }
    PrepareLoadedRooms(prepared);
    return prepared;
}

void World::PrepareLoadedRooms(PreparedRooms& rooms) const {
    for (auto& block : rooms.blocks_) {
        for (RoomSlot& slot : *block) CacheIndexedValues(slot);
    }
    rooms.prepared_ = true;
    rooms.shortMode_ = shortMode_;
}

void World::AddLoadedRooms(const std::string& zone, PreparedRooms rooms) {
    // Not prepared, or the name rule changed since: work the values out now.
    if (!rooms.prepared_ || rooms.shortMode_ != shortMode_) PrepareLoadedRooms(rooms);
    if (rooms.count_ == 0) return;
    ZoneInfo* info = ZoneFor(zone);

    // The tables are far larger than the cache, so the entries a room will
    // touch start loading a few rooms ahead.
    constexpr std::size_t kAhead = 8;
    std::vector<RoomSlot*> order;
    order.reserve(rooms.count_);
    for (std::unique_ptr<SlotBlock>& block : rooms.blocks_) {
        for (RoomSlot& slot : *block) {
            slot.zone_ = info;
            order.push_back(&slot);
        }
        AdoptBlock(std::move(block));
    }
    const std::size_t count = order.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (i + kAhead < count) {
            indexes_->Prefetch(order[i + kAhead]);
            slotOf_.Prefetch(RoomAddress(order[i + kAhead]->Room()));
        }
        Link(order[i], info);
        IndexSlot(order[i], RoomIndexes::kAll | RoomIndexes::kKeyOrderLater);
    }
    // One sort of the new rooms and one merge beat an ordered insert each.
    info->ByKey.InsertMany(std::move(order));
    changes_.Everything();
}

void World::RemoveRoom(MudRoom* room) {
    RoomSlot* slot = Slot(room);
    if (slot == nullptr) return;
    if (CurrentRoom == room) CurrentRoom = nullptr;
    if (TargetRoom == room) TargetRoom = nullptr;
    if (ReturnRoom == room) ReturnRoom = nullptr;
    if (!slot->alias_.empty()) tree_.RemoveAlias(slot->Zone(), room);
    indexes_->Erase(slot);
    slotOf_.Erase(RoomAddress(room), slot);
    changes_.Removed(slot->index_);
    NoteEdit(*slot);
    NoteCellOf(*slot);
    changes_.Numbers();
    ReleaseZone(slot->zone_);
    MapSaved = false;
    if (OnRoomRemoved) OnRoomRemoved(room);
    if (!room->ServerId.empty()) {
        auto it = serverIds_.find(room->ServerId);
        if (it != serverIds_.end() && it->second == room) serverIds_.erase(it);
    }
    Unlink(slot);  // empties the slot and so destroys the room
}

bool World::SetRoomServerId(MudRoom* room, std::string id) {
    if (room == nullptr || id.empty() || (!room->ServerId.empty() && room->ServerId != id)) return false;
    room->ServerId = id;
    serverIds_[std::move(id)] = room;
    return true;
}

MudRoom* World::FindRoomByServerId(std::string_view id) const {
    if (id.empty()) return nullptr;
    auto it = serverIds_.find(std::string(id));
    if (it == serverIds_.end() || !Contains(it->second) || it->second->ServerId != id) return nullptr;
    return it->second;
}

void World::DeleteRooms(const std::vector<MudRoom*>& rooms) {
    for (MudRoom* room : rooms) RemoveRoom(room);
}

void World::Reindex(RoomSlot& slot, unsigned mayChange) {
    const MudRoom& room = slot.room_;
    std::uint64_t nameHash = (mayChange & RoomIndexes::kName) ? NameHash(room) : slot.nameHash_;
    std::string alias = (mayChange & RoomIndexes::kAlias) ? UpperCp1251(room.QuickList) : slot.alias_;
    unsigned parts = 0;
    if ((mayChange & RoomIndexes::kPosition) &&
        (room.X != slot.x_ || room.Y != slot.y_ || room.L != slot.l_)) {
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
        slot.key_ = ZoneOrderKey::Of(room.X, room.Y, room.L);
    }
    if (parts & RoomIndexes::kTag) slot.tag_ = room.Tag;
    slot.nameHash_ = nameHash;
    slot.alias_ = std::move(alias);
    indexes_->Insert(&slot, parts);

    bool hasAlias = !slot.alias_.empty();
    if (hasAlias && !hadAlias) {
        tree_.AddAlias(slot.Zone(), slot.Room(), IsZoneLocked(slot.Zone()));
    } else if (!hasAlias && hadAlias) {
        tree_.RemoveAlias(slot.Zone(), slot.Room());
    }
}

void World::CacheIndexedValues(RoomSlot& slot) const {
    const MudRoom& room = slot.room_;
    slot.x_ = room.X;
    slot.y_ = room.Y;
    slot.l_ = room.L;
    slot.tag_ = room.Tag;
    slot.key_ = ZoneOrderKey::Of(room.X, room.Y, room.L);
    slot.nameHash_ = NameHash(room);
    slot.alias_ = UpperCp1251(room.QuickList);
}

void World::MoveRoom(MudRoom* room, std::int32_t x, std::int32_t y, std::int32_t l) {
    RoomSlot& slot = SlotFor(room);
    NoteCellOf(slot);
    room->X = x;
    room->Y = y;
    room->L = l;
    Reindex(slot, RoomIndexes::kPosition);
    changes_.Room(room);
    NoteCellOf(slot);
    NoteEdit(slot);
    MapSaved = false;
}

void World::SetRoomTag(MudRoom* room, std::int32_t tag) {
    RoomSlot& slot = SlotFor(room);
    room->Tag = tag;
    Reindex(slot, RoomIndexes::kTag);
    changes_.Numbers();
    NoteEdit(slot);
    MapSaved = false;
}

void World::SetRoomText(MudRoom* room, std::string hint, std::string description, std::string exits,
                        const ExitWords& words) {
    RoomSlot& slot = SlotFor(room);
    room->Hint = std::move(hint);
    room->Description = std::move(description);
    room->SetExits(std::move(exits), words);
    Reindex(slot, RoomIndexes::kName);
    NoteEdit(slot);
    MapSaved = false;
}

void World::SetRoomExits(MudRoom* room, std::string exits, const ExitWords& words) {
    RoomSlot& slot = SlotFor(room);
    room->SetExits(std::move(exits), words);
    Reindex(slot, RoomIndexes::kName);
    NoteEdit(slot);
    MapSaved = false;
}

void World::SetRoomAlias(MudRoom* room, std::string alias) {
    RoomSlot& slot = SlotFor(room);
    room->QuickList = std::move(alias);
    Reindex(slot, RoomIndexes::kAlias);
    NoteEdit(slot);
    MapSaved = false;
}

void World::SetRoomZone(MudRoom* room, const std::string& zone) {
    RoomSlot& slot = SlotFor(room);
    if (slot.Zone() == zone) return;
    bool hasAlias = !slot.alias_.empty();
    if (hasAlias) tree_.RemoveAlias(slot.Zone(), room);
    indexes_->Erase(&slot, RoomIndexes::kZone);
    NoteCellOf(slot);
    NoteEdit(slot);
    ZoneInfo* old = slot.zone_;
    slot.zone_ = ZoneFor(zone);
    ReleaseZone(old);
    indexes_->Insert(&slot, RoomIndexes::kZone);
    changes_.Room(room);
    NoteCellOf(slot);
    changes_.Numbers();
    if (hasAlias) tree_.AddAlias(zone, room, IsZoneLocked(zone));
    MapSaved = false;
}

void World::NoteRoomEdited(const MudRoom* room) {
    const RoomSlot* slot = Slot(room);
    if (slot == nullptr) return;
    changes_.Room(room);
    NoteCellOf(*slot);
    NoteEdit(*slot);
}

void World::NoteRoomChanged(const MudRoom* room) {
    if (const RoomSlot* slot = Slot(room)) NoteEdit(*slot);
}

}  // namespace trellan
