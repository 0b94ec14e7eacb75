#pragma once
// A room index keyed by 64-bit integers, built for the largest worlds: one
// table entry is the key and the first room under it (16 bytes, four to a
// cache line), so a look-up costs one probe of a small table rather than a
// walk through buckets. Keys held by several rooms keep them in a sorted
// vector, reached through the entry.
//
// Each key's table position comes from `Home`. The indexes scatter every key
// evenly: placing neighbouring cells or consecutive numbers side by side made
// the runs of dense zones collide and grow long probe chains, and bought
// nothing in painting or walking.
#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <vector>

#include "model/LargeTableAllocator.h"
#include "model/Prefetch.h"
#include "model/RoomSlot.h"

namespace trellan {

// Every bit of the key stirred into the low bits the table uses.
struct MixHome {
    std::size_t operator()(std::uint64_t key) const {
        key ^= key >> 33;
        key *= 0xff51afd7ed558ccdULL;
        key ^= key >> 33;
        return static_cast<std::size_t>(key);
    }
};

template <typename Order, typename Home>
class PackedIndex {
public:
    PackedIndex() = default;
    PackedIndex(const PackedIndex&) = delete;
    PackedIndex& operator=(const PackedIndex&) = delete;
    ~PackedIndex() { Clear(); }

    void Insert(std::uint64_t key, RoomSlot* slot) {
        if ((size_ + 1) * 2 > table_.size()) Rehash(table_.empty() ? 16 : table_.size() * 2);
        std::size_t i = Home()(key) & mask_;
        for (; table_[i].value != 0; i = (i + 1) & mask_) {
            if (table_[i].key == key) break;
        }
        Entry& entry = table_[i];
        if (entry.value == 0) {
            entry.key = key;
            entry.value = reinterpret_cast<std::uintptr_t>(slot);
            ++size_;
            return;
        }
        Many* many = ManyOf(entry);
        if (many == nullptr) {
            many = new Many;
            many->push_back(reinterpret_cast<RoomSlot*>(entry.value));
            entry.value = reinterpret_cast<std::uintptr_t>(many) | kManyBit;
        }
        // Rooms mostly arrive in order (a loaded file, a new room last in
        // the list), so try the end first.
        if (Order()(many->back(), slot)) {
            many->push_back(slot);
        } else {
            many->insert(std::upper_bound(many->begin(), many->end(), slot, Order()), slot);
        }
    }

    void Erase(std::uint64_t key, RoomSlot* slot) {
        Entry* entry = FindEntry(key);
        if (entry == nullptr) return;
        if (Many* many = ManyOf(*entry)) {
            auto it = std::lower_bound(many->begin(), many->end(), slot, Order());
            if (it == many->end() || *it != slot) return;
            many->erase(it);
            if (many->size() > 1) return;
            if (many->size() == 1) {
                entry->value = reinterpret_cast<std::uintptr_t>(many->front());
                delete many;
                return;
            }
            delete many;
        } else if (entry->value != reinterpret_cast<std::uintptr_t>(slot)) {
            return;
        }
        RemoveAt(static_cast<std::size_t>(entry - table_.data()));
    }

    RoomSlot* First(std::uint64_t key) const {
        const Entry* entry = FindEntry(key);
        if (entry == nullptr) return nullptr;
        const Many* many = ManyOf(*entry);
        return many != nullptr ? many->front() : reinterpret_cast<RoomSlot*>(entry->value);
    }

    // Calls f(slot) for every room of the key, in Order.
    template <typename F>
    void ForEach(std::uint64_t key, F&& f) const {
        const Entry* entry = FindEntry(key);
        if (entry == nullptr) return;
        if (const Many* many = ManyOf(*entry)) {
            for (RoomSlot* slot : *many) f(slot);
            return;
        }
        f(reinterpret_cast<RoomSlot*>(entry->value));
    }

    // The first room of the key for which match() holds.
    template <typename Match>
    RoomSlot* FirstMatching(std::uint64_t key, Match&& match) const {
        const Entry* entry = FindEntry(key);
        if (entry == nullptr) return nullptr;
        if (const Many* many = ManyOf(*entry)) {
            for (RoomSlot* slot : *many) {
                if (match(*slot)) return slot;
            }
            return nullptr;
        }
        RoomSlot* slot = reinterpret_cast<RoomSlot*>(entry->value);
        return match(*slot) ? slot : nullptr;
    }

    // Starts loading the key's home entry, for an insert or look-up soon.
    void Prefetch(std::uint64_t key) const {
        if (!table_.empty()) trellan::Prefetch(&table_[Home()(key) & mask_]);
    }

    // Makes room for `count` keys in all, so that filling the index does not
    // rehash it again and again.
    void Reserve(std::size_t count) {
        std::size_t capacity = table_.empty() ? 16 : table_.size();
        while (capacity < count * 2) capacity *= 2;
        if (capacity > table_.size()) Rehash(capacity);
    }

    void Clear() {
        for (Entry& entry : table_) delete ManyOf(entry);
        table_.clear();
        table_.shrink_to_fit();
        size_ = 0;
        mask_ = 0;
    }

    std::size_t Size() const { return size_; }

private:
    using Many = std::vector<RoomSlot*>;  // sorted by Order, two or more
    // Slots are at least pointer-aligned, so the low bit is free to mark an
    // entry that points to a set.
    static constexpr std::uintptr_t kManyBit = 1;

    struct Entry {
        std::uint64_t key = 0;
        std::uintptr_t value = 0;  // 0: empty; a RoomSlot*, or a Many* with kManyBit
    };

    static Many* ManyOf(const Entry& entry) {
        return (entry.value & kManyBit) ? reinterpret_cast<Many*>(entry.value & ~kManyBit) : nullptr;
    }

    Entry* FindEntry(std::uint64_t key) {
        if (size_ == 0) return nullptr;
        for (std::size_t i = Home()(key) & mask_;; i = (i + 1) & mask_) {
            if (table_[i].value == 0) return nullptr;
            if (table_[i].key == key) return &table_[i];
        }
    }
    const Entry* FindEntry(std::uint64_t key) const { return const_cast<PackedIndex*>(this)->FindEntry(key); }

    // Backward-shift deletion: later entries of the probe run move back over
    // the hole, so no tombstones are needed and look-ups stop at the first
    // empty entry.
    void RemoveAt(std::size_t i) {
        for (std::size_t j = (i + 1) & mask_; table_[j].value != 0; j = (j + 1) & mask_) {
            std::size_t home = Home()(table_[j].key) & mask_;
            bool stays = i <= j ? (i < home && home <= j) : (i < home || home <= j);
            if (stays) continue;
            table_[i] = table_[j];
            i = j;
        }
        table_[i] = Entry{};
        --size_;
    }

    void Rehash(std::size_t capacity) {
        Table old = std::move(table_);
        table_.assign(capacity, Entry{});
        mask_ = capacity - 1;
        for (const Entry& entry : old) {
            if (entry.value == 0) continue;
            std::size_t i = Home()(entry.key) & mask_;
            while (table_[i].value != 0) i = (i + 1) & mask_;
            table_[i] = entry;
        }
    }

    using Table = std::vector<Entry, LargeTableAllocator<Entry>>;
    Table table_;
    std::size_t size_ = 0;
    std::size_t mask_ = 0;
};

}  // namespace trellan
