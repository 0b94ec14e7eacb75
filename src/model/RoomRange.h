#pragma once
// Read-only views of the world's room lists that hand out `const RoomSlot&`:
// the zone lists, which hold slot pointers, and the world's chain of slots.
#include <cstddef>
#include <iterator>
#include <utility>

#include "model/RoomSlot.h"

namespace trellan {

template <typename BaseIt>
class RoomSlotIterator {
public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = RoomSlot;
    using difference_type = std::ptrdiff_t;
    using pointer = const RoomSlot*;
    using reference = const RoomSlot&;

    RoomSlotIterator() = default;
    explicit RoomSlotIterator(BaseIt it) : it_(it) {}

    reference operator*() const { return **it_; }
    pointer operator->() const { return *it_; }
    RoomSlotIterator& operator++() {
        ++it_;
        return *this;
    }
    RoomSlotIterator operator++(int) {
        RoomSlotIterator old = *this;
        ++it_;
        return old;
    }
    bool operator==(const RoomSlotIterator& other) const { return it_ == other.it_; }

private:
    BaseIt it_{};
};

template <typename BaseIt>
class RoomSlotRange {
public:
    using iterator = RoomSlotIterator<BaseIt>;

    RoomSlotRange() = default;
    RoomSlotRange(BaseIt first, BaseIt last, std::size_t count) : first_(first), last_(last), count_(count) {}

    iterator begin() const { return iterator(first_); }
    iterator end() const { return iterator(last_); }
    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }

private:
    BaseIt first_{};
    BaseIt last_{};
    std::size_t count_ = 0;
};

// The world's room list: a chain through the slots.
class SlotChainIterator {
public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = RoomSlot;
    using difference_type = std::ptrdiff_t;
    using pointer = const RoomSlot*;
    using reference = const RoomSlot&;

    SlotChainIterator() = default;
    explicit SlotChainIterator(const RoomSlot* slot) : slot_(slot) {}

    reference operator*() const { return *slot_; }
    pointer operator->() const { return slot_; }
    SlotChainIterator& operator++() {
        slot_ = slot_->Next();
        return *this;
    }
    SlotChainIterator operator++(int) {
        SlotChainIterator old = *this;
        slot_ = slot_->Next();
        return old;
    }
    bool operator==(const SlotChainIterator& other) const { return slot_ == other.slot_; }

private:
    const RoomSlot* slot_ = nullptr;
};

class SlotChainRange {
public:
    using iterator = SlotChainIterator;

    SlotChainRange() = default;
    SlotChainRange(const RoomSlot* first, std::size_t count) : first_(first), count_(count) {}

    iterator begin() const { return iterator(first_); }
    iterator end() const { return iterator(); }
    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }

private:
    const RoomSlot* first_ = nullptr;
    std::size_t count_ = 0;
};

}  // namespace trellan
