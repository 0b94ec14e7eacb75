#pragma once
// An open-addressing hash map (linear probing, backward-shift erase) for the
// room indexes. Entries live in one array, so a look-up costs one cache miss
// where a node-based map costs two or three, and filling it allocates only
// when the table grows. References to values stay valid until the next
// insertion or erase.
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "model/LargeTableAllocator.h"
#include "model/Prefetch.h"

namespace trellan {

template <typename Key, typename Value, typename Hash>
class FlatHashMap {
public:
    Value* Find(const Key& key) {
        if (size_ == 0) return nullptr;
        for (std::size_t i = Hash()(key) & mask_;; i = (i + 1) & mask_) {
            if (!slots_[i].used) return nullptr;
            if (slots_[i].key == key) return &slots_[i].value;
        }
    }
    const Value* Find(const Key& key) const { return const_cast<FlatHashMap*>(this)->Find(key); }

    // The value of the key, default-constructed when the key is new.
    Value& operator[](const Key& key) {
        if ((size_ + 1) * 2 > slots_.size()) Grow();
        std::size_t i = Hash()(key) & mask_;
        for (; slots_[i].used; i = (i + 1) & mask_) {
            if (slots_[i].key == key) return slots_[i].value;
        }
        slots_[i].used = true;
        slots_[i].key = key;
        ++size_;
        return slots_[i].value;
    }

    void Erase(const Key& key) {
        if (size_ == 0) return;
        std::size_t i = Hash()(key) & mask_;
        for (;; i = (i + 1) & mask_) {
            if (!slots_[i].used) return;
            if (slots_[i].key == key) break;
        }
        // Pull later entries of the probe run back over the hole, so that no
        // tombstones are needed and look-ups stop at the first empty slot.
        for (std::size_t j = (i + 1) & mask_; slots_[j].used; j = (j + 1) & mask_) {
            std::size_t home = Hash()(slots_[j].key) & mask_;
            // Entry j may move to i unless its home lies cyclically in (i, j].
            bool stays = i <= j ? (i < home && home <= j) : (i < home || home <= j);
            if (stays) continue;
            slots_[i] = std::move(slots_[j]);
            i = j;
        }
        slots_[i] = Slot{};
        --size_;
    }

    // Starts loading the key's home slot, for an insert or look-up soon.
    void Prefetch(const Key& key) const {
        if (!slots_.empty()) trellan::Prefetch(&slots_[Hash()(key) & mask_]);
    }

    // Makes room for `count` entries in all without growing again.
    void Reserve(std::size_t count) {
        std::size_t capacity = slots_.empty() ? 16 : slots_.size();
        while (capacity < count * 2) capacity *= 2;
        if (capacity > slots_.size()) Rehash(capacity);
    }

    void Clear() {
        slots_.clear();
        slots_.shrink_to_fit();
        size_ = 0;
        mask_ = 0;
    }

    std::size_t Size() const { return size_; }

private:
    struct Slot {
        Key key{};
        Value value{};
        // Kept beside the key so that a probe touches one cache line.
        bool used = false;
    };

    void Grow() { Rehash(slots_.empty() ? 16 : slots_.size() * 2); }

    void Rehash(std::size_t capacity) {
        Table old = std::move(slots_);
        slots_ = Table(capacity);
        mask_ = capacity - 1;
        for (Slot& entry : old) {
            if (!entry.used) continue;
            std::size_t i = Hash()(entry.key) & mask_;
            while (slots_[i].used) i = (i + 1) & mask_;
            slots_[i] = std::move(entry);
        }
    }

    using Table = std::vector<Slot, LargeTableAllocator<Slot>>;
    Table slots_;
    std::size_t size_ = 0;
    std::size_t mask_ = 0;
};

}  // namespace trellan
