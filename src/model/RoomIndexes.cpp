#include "model/RoomIndexes.h"

#include <algorithm>

namespace trellan {

namespace {

// Sorted-vector insert and erase; rooms mostly come last in either order,
// so the end is tried first.
template <typename Order>
void InsertSorted(std::vector<RoomSlot*>& list, RoomSlot* slot) {
    if (list.empty() || Order()(list.back(), slot)) {
        list.push_back(slot);
    } else {
        list.insert(std::upper_bound(list.begin(), list.end(), slot, Order()), slot);
    }
}

template <typename Order>
void EraseSorted(std::vector<RoomSlot*>& list, RoomSlot* slot) {
    if (!list.empty() && list.back() == slot) {
        list.pop_back();
        return;
    }
    auto it = std::lower_bound(list.begin(), list.end(), slot, Order());
    if (it != list.end() && *it == slot) list.erase(it);
}

}  // namespace

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
        if (parts & kKeyOrderLater) {
            zone->ByKey.push_back(slot);
        } else {
            InsertSorted<KeyOrder>(zone->ByKey, slot);
        }
        InsertCell(slot);
    }
    if (parts & kZone) InsertSorted<ListOrder>(zone->BySeq, slot);
    if (parts & (kPosition | kTag | kZone)) tagKey_.Insert(ZoneTag(zone->Id, slot->tag_), slot);
    if (parts & (kTag | kZone)) tagSeq_.Insert(ZoneTag(zone->Id, slot->tag_), slot);
    if (parts & (kPosition | kName | kZone)) nameKey_.Insert(ZoneName(zone->Id, slot->nameHash_), slot);
    if (parts & kName) nameSeq_.Insert(slot->nameHash_, slot);
    if ((parts & kAlias) && !slot->alias_.empty()) alias_.Insert(slot->alias_, slot);
}

void RoomIndexes::Erase(RoomSlot* slot, unsigned parts) {
    ZoneInfo* zone = slot->zone_;
    if (parts & (kPosition | kZone)) {
        EraseSorted<KeyOrder>(zone->ByKey, slot);
        EraseCell(slot);
    }
    if (parts & kZone) EraseSorted<ListOrder>(zone->BySeq, slot);
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
