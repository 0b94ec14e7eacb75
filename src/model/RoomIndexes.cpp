#include "model/RoomIndexes.h"

namespace trellan {

std::uint32_t RoomIndexes::ZoneId(const RoomSlot& slot) {
    return slot.zone_->Id;
}

void RoomIndexes::InsertCell(RoomSlot* slot) {
    const std::uint32_t zone = slot->zone_->Id;
    if (PackedCell::Fits(zone, slot->x_, slot->y_, slot->l_)) {
        cell_.Insert(PackedCell::Pack(zone, slot->x_, slot->y_, slot->l_), slot);
    } else {
        wideCell_.Insert(CellKey{zone, slot->x_, slot->y_, slot->l_}, slot);
    }
}

void RoomIndexes::EraseCell(RoomSlot* slot) {
    const std::uint32_t zone = slot->zone_->Id;
    if (PackedCell::Fits(zone, slot->x_, slot->y_, slot->l_)) {
        cell_.Erase(PackedCell::Pack(zone, slot->x_, slot->y_, slot->l_), slot);
    } else {
        wideCell_.Erase(CellKey{zone, slot->x_, slot->y_, slot->l_}, slot);
    }
}

void RoomIndexes::Insert(RoomSlot* slot, unsigned parts) {
    ZoneInfo* zone = slot->zone_;
    if (parts & (kPosition | kZone)) {
        if (!(parts & kKeyOrderLater)) zone->ByKey.Insert(slot);
        InsertCell(slot);
    }
    if (parts & kZone) zone->BySeq.Insert(slot);
    if (parts & (kPosition | kTag | kZone)) tagKey_.Insert(ZoneTag(zone->Id, slot->tag_), slot);
    if (parts & (kTag | kZone)) tagSeq_.Insert(ZoneTag(zone->Id, slot->tag_), slot);
    if (parts & (kPosition | kName | kZone)) nameKey_.Insert(ZoneName(zone->Id, slot->nameHash_), slot);
    if (parts & kName) nameSeq_.Insert(slot->nameHash_, slot);
    if ((parts & kAlias) && !slot->alias_.empty()) alias_.Insert(slot->alias_, slot);
}

void RoomIndexes::Erase(RoomSlot* slot, unsigned parts) {
    ZoneInfo* zone = slot->zone_;
    if (parts & (kPosition | kZone)) {
        zone->ByKey.Erase(slot);
        EraseCell(slot);
    }
    if (parts & kZone) zone->BySeq.Erase(slot);
    if (parts & (kPosition | kTag | kZone)) tagKey_.Erase(ZoneTag(zone->Id, slot->tag_), slot);
    if (parts & (kTag | kZone)) tagSeq_.Erase(ZoneTag(zone->Id, slot->tag_), slot);
    if (parts & (kPosition | kName | kZone)) nameKey_.Erase(ZoneName(zone->Id, slot->nameHash_), slot);
    if (parts & kName) nameSeq_.Erase(slot->nameHash_, slot);
    if ((parts & kAlias) && !slot->alias_.empty()) alias_.Erase(slot->alias_, slot);
}

void RoomIndexes::Prefetch(const RoomSlot* slot) const {
    const std::uint32_t zone = slot->zone_->Id;
    if (PackedCell::Fits(zone, slot->x_, slot->y_, slot->l_)) {
        cell_.Prefetch(PackedCell::Pack(zone, slot->x_, slot->y_, slot->l_));
    }
    tagKey_.Prefetch(ZoneTag(zone, slot->tag_));
    tagSeq_.Prefetch(ZoneTag(zone, slot->tag_));
    nameKey_.Prefetch(ZoneName(zone, slot->nameHash_));
    nameSeq_.Prefetch(slot->nameHash_);
}

void RoomIndexes::Clear() {
    cell_.Clear();
    wideCell_.Clear();
    tagKey_.Clear();
    tagSeq_.Clear();
    nameKey_.Clear();
    nameSeq_.Clear();
    alias_.Clear();
}

void RoomIndexes::Reserve(std::size_t rooms) {
    cell_.Reserve(rooms);
    tagKey_.Reserve(rooms);
    tagSeq_.Reserve(rooms);
    nameKey_.Reserve(rooms);
    nameSeq_.Reserve(rooms);
}

}  // namespace trellan
