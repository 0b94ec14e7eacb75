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
        if (!zone->ByKey.empty() && KeyOrder()(*zone->ByKey.rbegin(), slot)) {
            zone->ByKey.insert(zone->ByKey.end(), slot);
        } else {
            zone->ByKey.insert(slot);
        }
        InsertCell(slot);
    }
    // New rooms come last in list order, so the end is the right hint for them.
    if (parts & kZone) zone->BySeq.insert(zone->BySeq.end(), slot);
    if (parts & (kPosition | kTag | kZone)) tagKey_.Insert(ZoneTag(zone->Id, slot->tag_), slot);
    if (parts & (kTag | kZone)) tagSeq_.Insert(ZoneTag(zone->Id, slot->tag_), slot);
    if (parts & (kPosition | kName | kZone)) nameKey_.Insert(ZoneName(zone->Id, slot->nameHash_), slot);
    if (parts & kName) nameSeq_.Insert(slot->nameHash_, slot);
    if ((parts & kAlias) && !slot->alias_.empty()) alias_.Insert(slot->alias_, slot);
}

void RoomIndexes::Erase(RoomSlot* slot, unsigned parts) {
    ZoneInfo* zone = slot->zone_;
    if (parts & (kPosition | kZone)) {
        zone->ByKey.erase(slot);
        EraseCell(slot);
    }
    if (parts & kZone) zone->BySeq.erase(slot);
    if (parts & (kPosition | kTag | kZone)) tagKey_.Erase(ZoneTag(zone->Id, slot->tag_), slot);
    if (parts & (kTag | kZone)) tagSeq_.Erase(ZoneTag(zone->Id, slot->tag_), slot);
    if (parts & (kPosition | kName | kZone)) nameKey_.Erase(ZoneName(zone->Id, slot->nameHash_), slot);
    if (parts & kName) nameSeq_.Erase(slot->nameHash_, slot);
    if ((parts & kAlias) && !slot->alias_.empty()) alias_.Erase(slot->alias_, slot);
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
