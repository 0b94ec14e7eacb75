#pragma once
// One entry of the world's room list: a room together with its zone. The
// slot owns the room. It also remembers the values under which the room is
// indexed (position, number, name, alias), so that the indexes stay
// consistent even if somebody assigns an indexed field behind the world's
// back.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/MudRoom.h"

namespace trellan {

struct ZoneInfo;

class RoomSlot {
public:
    inline const std::string& Zone() const;
    MudRoom* Room() const { return room_.get(); }
    // The room's ZoneKey as last indexed.
    const std::string& Key() const { return key_; }
    // Position in the world's room list: larger is later.
    std::uint64_t Seq() const { return seq_; }

private:
    friend class World;
    friend class RoomIndexes;

    std::unique_ptr<MudRoom> room_;
    ZoneInfo* zone_ = nullptr;
    std::uint64_t seq_ = 0;
    // Indexed values.
    std::int32_t x_ = 0;
    std::int32_t y_ = 0;
    std::int32_t l_ = 0;
    std::int32_t tag_ = 0;
    std::string key_;
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
        int c = a->Key().compare(b->Key());
        return c != 0 ? c < 0 : a->Seq() < b->Seq();
    }
};

// A zone that has rooms. Renaming a zone that has no namesake only renames
// this record, so every slot follows at once.
struct ZoneInfo {
    std::string Name;
    std::uint32_t Id = 0;
    // Sorted vectors rather than trees: a zone is filled by appending (a file
    // read in order, new rooms last) and walked far more often than changed.
    std::vector<RoomSlot*> ByKey;  // ZoneRooms order (KeyOrder)
    std::vector<RoomSlot*> BySeq;  // file order (ListOrder)
};

const std::string& RoomSlot::Zone() const {
    return zone_->Name;
}

}  // namespace trellan
