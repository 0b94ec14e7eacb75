#include "model/RoomIndexes.h"

namespace trellan {

void RoomIndexes::Insert(RoomSlot* slot, unsigned parts) {
    ZoneInfo* zone = slot->zone_;
    if (parts & (kPosition | kZone)) {
        if (!zone->ByKey.empty() && KeyOrder()(*zone->ByKey.rbegin(), slot)) {
            zone->ByKey.insert(zone->ByKey.end(), slot);
        } else {
            zone->ByKey.insert(slot);
        }
        cell_.Insert(CellKey{zone->Id, slot->x_, slot->y_, slot->l_}, slot);
    }
    // New rooms come last in list order, so the end is the right hint for them.
    if (parts & kZone) zone->BySeq.insert(zone->BySeq.end(), slot);
    if (parts & (kPosition | kTag | kZone)) tagKey_.Insert(ZoneTag(zone->Id, slot->tag_), slot);
    if (parts & (kTag | kZone)) tagSeq_.Insert(ZoneTag(zone->Id, slot->tag_), slot);
    if (parts & (kPosition | kName | kZone)) nameKey_.Insert(NameKey{zone->Id, slot->nameHash_}, slot);
    if (parts & kName) nameSeq_.Insert(slot->nameHash_, slot);
    if ((parts & kAlias) && !slot->alias_.empty()) alias_.Insert(slot->alias_, slot);
}

void RoomIndexes::Erase(RoomSlot* slot, unsigned parts) {
    ZoneInfo* zone = slot->zone_;
    if (parts & (kPosition | kZone)) {
        zone->ByKey.erase(slot);
        cell_.Erase(CellKey{zone->Id, slot->x_, slot->y_, slot->l_}, slot);
    }
    if (parts & kZone) zone->BySeq.erase(slot);
    if (parts & (kPosition | kTag | kZone)) tagKey_.Erase(ZoneTag(zone->Id, slot->tag_), slot);
    if (parts & (kTag | kZone)) tagSeq_.Erase(ZoneTag(zone->Id, slot->tag_), slot);
    if (parts & (kPosition | kName | kZone)) nameKey_.Erase(NameKey{zone->Id, slot->nameHash_}, slot);
    if (parts & kName) nameSeq_.Erase(slot->nameHash_, slot);
    if ((parts & kAlias) && !slot->alias_.empty()) alias_.Erase(slot->alias_, slot);
}

void RoomIndexes::Clear() {
    cell_.Clear();
    tagKey_.Clear();
    tagSeq_.Clear();
    nameKey_.Clear();
    nameSeq_.Clear();
    alias_.Clear();
}

}  // namespace trellan
