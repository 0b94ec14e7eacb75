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

namespace trellan {

template <typename Key, typename Value, typename Hash>
class FlatHashMap {
public:
    Value* Find(const Key& key) {
        if (size_ == 0) return nullptr;
        for (std::size_t i = Hash()(key) & mask_;; i = (i + 1) & mask_) {
            if (!used_[i]) return nullptr;
            if (slots_[i].key == key) return &slots_[i].value;
        }
    }
    const Value* Find(const Key& key) const { return const_cast<FlatHashMap*>(this)->Find(key); }

    // The value of the key, default-constructed when the key is new.
    Value& operator[](const Key& key) {
        if ((size_ + 1) * 2 > slots_.size()) Grow();
        std::size_t i = Hash()(key) & mask_;
        for (; used_[i]; i = (i + 1) & mask_) {
            if (slots_[i].key == key) return slots_[i].value;
        }
        used_[i] = 1;
        slots_[i].key = key;
        ++size_;
        return slots_[i].value;
    }

    void Erase(const Key& key) {
        if (size_ == 0) return;
        std::size_t i = Hash()(key) & mask_;
        for (;; i = (i + 1) & mask_) {
            if (!used_[i]) return;
            if (slots_[i].key == key) break;
        }
        // Pull later entries of the probe run back over the hole, so that no
        // tombstones are needed and look-ups stop at the first empty slot.
        for (std::size_t j = (i + 1) & mask_; used_[j]; j = (j + 1) & mask_) {
            std::size_t home = Hash()(slots_[j].key) & mask_;
            // Entry j may move to i unless its home lies cyclically in (i, j].
            bool stays = i <= j ? (i < home && home <= j) : (i < home || home <= j);
            if (stays) continue;
            slots_[i] = std::move(slots_[j]);
            i = j;
        }
        used_[i] = 0;
        slots_[i] = Slot{};
        --size_;
    }

    void Clear() {
        slots_.clear();
        used_.clear();
        slots_.shrink_to_fit();
        used_.shrink_to_fit();
        size_ = 0;
        mask_ = 0;
    }

    std::size_t Size() const { return size_; }

private:
    struct Slot {
        Key key{};
        Value value{};
    };

    void Grow() {
        std::vector<Slot> old = std::move(slots_);
        std::vector<std::uint8_t> oldUsed = std::move(used_);
        std::size_t capacity = old.empty() ? 16 : old.size() * 2;
        slots_ = std::vector<Slot>(capacity);
        used_.assign(capacity, 0);
        mask_ = capacity - 1;
        for (std::size_t k = 0; k < old.size(); ++k) {
            if (!oldUsed[k]) continue;
            std::size_t i = Hash()(old[k].key) & mask_;
            while (used_[i]) i = (i + 1) & mask_;
            used_[i] = 1;
            slots_[i] = std::move(old[k]);
        }
    }

    std::vector<Slot> slots_;
    std::vector<std::uint8_t> used_;
    std::size_t size_ = 0;
    std::size_t mask_ = 0;
};

}  // namespace trellan
