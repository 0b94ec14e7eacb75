#pragma once
// One entry of the world's room list: a room together with its zone. The
// room lives inside the slot, so that a look-up which finds the slot has the
// room without another memory access. The slot also remembers the values
// under which the room is indexed (position, number, name, alias), so that
// the indexes stay consistent even if somebody assigns an indexed field
// behind the world's back.
//
// Slots are made in blocks whose storage never moves (SlotBlock.h), and the
// room list is a chain through the slots in list order.
#include <cstdint>
#include <string>
#include <vector>

#include "model/MudRoom.h"
#include "model/SortedChunkList.h"
#include "model/ZoneKey.h"

namespace trellan {

struct ZoneInfo;
class SlotBlock;

class RoomSlot {
public:
    inline const std::string& Zone() const;
    MudRoom* Room() const { return const_cast<MudRoom*>(&room_); }
    // How the room's ZoneKey, as last indexed, compares with another's.
    int CompareKey(const RoomSlot& other) const {
        return CompareZoneOrder(key_, x_, y_, l_, other.key_, other.x_, other.y_, other.l_);
    }
    // Position in the world's room list: larger is later.
    std::uint64_t Seq() const { return seq_; }
    // The next slot in list order; nullptr after the last.
    const RoomSlot* Next() const { return next_; }
    // A small number of the room's own while it is in the world, below
    // World::RoomIndexLimit; a removed room's number goes to a later room.
    std::uint32_t Index() const { return index_; }

private:
    friend class World;
    friend class RoomIndexes;
    friend class SlotBlock;

    MudRoom room_;
    ZoneInfo* zone_ = nullptr;
    SlotBlock* block_ = nullptr;
    RoomSlot* prev_ = nullptr;
    RoomSlot* next_ = nullptr;
    std::uint64_t seq_ = 0;
    // Indexed values.
    std::int32_t x_ = 0;
    std::int32_t y_ = 0;
    std::int32_t l_ = 0;
    std::int32_t tag_ = 0;
    std::uint32_t index_ = 0;
    ZoneOrderKey key_;
    std::uint64_t nameHash_ = 0;
    std::string alias_;  // upper-cased alias; empty when the room has none
};

// Orders of rooms: the room list's, and the current zone's (key, then list
// position for rooms of one cell).
struct ListOrder {
    bool operator()(const RoomSlot* a, const RoomSlot* b) const { return a->Seq() < b->Seq(); }
};
struct KeyOrder {
    bool operator()(const RoomSlot* a, const RoomSlot* b) const {
        int c = a->CompareKey(*b);
        return c != 0 ? c < 0 : a->Seq() < b->Seq();
    }
};

// A zone that has rooms. Renaming a zone that has no namesake only renames
// this record, so every slot follows at once.
struct ZoneInfo {
    std::string Name;
    std::uint32_t Id = 0;
    // Sorted chunk lists rather than trees: a zone is filled by appending (a
    // file read in order, new rooms last) and walked far more often than changed.
    SortedChunkList<RoomSlot*, KeyOrder> ByKey;   // ZoneRooms order
    SortedChunkList<RoomSlot*, ListOrder> BySeq;  // file order
};

const std::string& RoomSlot::Zone() const {
    return zone_->Name;
}

}  // namespace trellan
