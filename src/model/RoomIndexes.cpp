#include "model/RoomIndexes.h"

namespace trellan {

std::uint32_t RoomIndexes::ZoneId(const RoomSlot& slot) {
    return slot.zone_->Id;
}

CellKey RoomIndexes::CellOf(const RoomSlot& slot) {
    return CellKey{slot.zone_->Id, slot.x_, slot.y_, slot.l_};
}

void RoomIndexes::InsertCell(RoomSlot* slot) {
    const CellKey cell = CellOf(*slot);
    if (PackedCell::Fits(cell)) {
        cell_.Insert(PackedCell::Pack(cell), slot);
    } else {
        wideCell_.Insert(cell, slot);
    }
}

void RoomIndexes::EraseCell(RoomSlot* slot) {
    const CellKey cell = CellOf(*slot);
    if (PackedCell::Fits(cell)) {
        cell_.Erase(PackedCell::Pack(cell), slot);
    } else {
        wideCell_.Erase(cell, slot);
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
    const CellKey cell = CellOf(*slot);
    const std::uint32_t zone = cell.zone;
    if (PackedCell::Fits(cell)) cell_.Prefetch(PackedCell::Pack(cell));
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
