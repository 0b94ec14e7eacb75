#pragma once
// Slots made together: the rooms of one zone file, or a run of rooms added
// one at a time. The block's storage comes from the world's arena, is sized
// when the block is made and never moves, so its slots keep their addresses.
// A removed room's slot stays empty in its block until every slot of the
// block is removed.
#include <cstddef>
#include <new>

#include "model/RoomSlot.h"
#include "model/SlotArena.h"

namespace trellan {

class SlotBlock {
public:
    SlotBlock(SlotArena& arena, std::size_t capacity)
        : arena_(arena),
          slots_(static_cast<RoomSlot*>(arena.Allocate(capacity * sizeof(RoomSlot)))),
          capacity_(capacity) {}
    ~SlotBlock() {
        while (size_ > 0) PopBack();
        arena_.Free(slots_, capacity_ * sizeof(RoomSlot));
    }
    SlotBlock(const SlotBlock&) = delete;
    SlotBlock& operator=(const SlotBlock&) = delete;

    bool Full() const { return size_ == capacity_; }
    std::size_t Size() const { return size_; }
    bool Empty() const { return size_ == 0; }
    // A fresh slot at the end; the block must not be full.
    RoomSlot& EmplaceBack() {
        RoomSlot* slot = new (slots_ + size_) RoomSlot();
        ++size_;
        slot->block_ = this;
        return *slot;
    }
    void PopBack() { slots_[--size_].~RoomSlot(); }
    RoomSlot* begin() const { return slots_; }
    RoomSlot* end() const { return slots_ + size_; }

    std::size_t Live = 0;   // slots whose room is in the world
    std::size_t Index = 0;  // place in the world's list of blocks

private:
    SlotArena& arena_;
    RoomSlot* slots_;
    std::size_t size_ = 0;
    std::size_t capacity_;
};

}  // namespace trellan
