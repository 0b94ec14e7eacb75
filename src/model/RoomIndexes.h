#pragma once
// The indexes behind the world's room look-ups. Each look-up key (a cell of
// a zone, a room number in a zone, a name, an alias) maps through a hash
// table (open addressing) to its rooms in the order the look-up must honour: the zone key then
// the list position for the current zone, the list position alone over the
// world. Most keys have one room, which is then held without a set. So a
// look-up is a hash probe, and adding, moving or removing a room costs one
// probe per index (plus a binary search and a move of pointers among the k
// rooms sharing a key; rooms mostly arrive last, which costs nothing).
//
// The indexes read the values a slot remembers (not the room's fields);
// callers erase a slot before changing them and insert it again afterwards.
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include "model/FlatHashMap.h"
#include "model/PackedIndex.h"
#include "model/RoomSlot.h"

namespace trellan {

template <typename Key, typename Order, typename Hash = std::hash<Key>>
class BucketIndex {
public:
    void Insert(const Key& key, RoomSlot* slot) {
        Bucket& bucket = map_[key];
        if (bucket.many) {
            // Rooms mostly arrive in order (a loaded file, a new room last
            // in the list), so try the end first.
            if (Order()(*bucket.many->rbegin(), slot)) {
                bucket.many->insert(bucket.many->end(), slot);
            } else {
                bucket.many->insert(slot);
            }
        } else if (bucket.one == nullptr) {
            bucket.one = slot;
        } else {
            bucket.many = std::make_unique<std::set<RoomSlot*, Order>>();
            bucket.many->insert(bucket.one);
            bucket.many->insert(slot);
            bucket.one = nullptr;
        }
    }
    void Erase(const Key& key, RoomSlot* slot) {
        Bucket* bucket = map_.Find(key);
        if (bucket == nullptr) return;
        if (bucket->many) {
            bucket->many->erase(slot);
            if (bucket->many->size() == 1) {
                bucket->one = *bucket->many->begin();
                bucket->many.reset();
            } else if (bucket->many->empty()) {
                map_.Erase(key);
            }
        } else if (bucket->one == slot) {
            map_.Erase(key);
        }
    }
    RoomSlot* First(const Key& key) const {
        const Bucket* bucket = map_.Find(key);
        if (bucket == nullptr) return nullptr;
        return bucket->many ? *bucket->many->begin() : bucket->one;
    }
    template <typename F>
    void ForEach(const Key& key, F&& f) const {
        const Bucket* bucket = map_.Find(key);
        if (bucket == nullptr) return;
        if (!bucket->many) {
            f(bucket->one);
            return;
        }
        for (RoomSlot* slot : *bucket->many) f(slot);
    }
    // The first room of the key for which match() holds.
    template <typename Match>
    RoomSlot* FirstMatching(const Key& key, Match&& match) const {
        const Bucket* bucket = map_.Find(key);
        if (bucket == nullptr) return nullptr;
        if (!bucket->many) return match(*bucket->one) ? bucket->one : nullptr;
        for (RoomSlot* slot : *bucket->many) {
            if (match(*slot)) return slot;
        }
        return nullptr;
    }
    void Clear() { map_.Clear(); }

private:
    struct Bucket {
        RoomSlot* one = nullptr;
        std::unique_ptr<std::set<RoomSlot*, Order>> many;
    };
    FlatHashMap<Key, Bucket, Hash> map_;
};

struct CellKey {
    std::uint32_t zone;
    std::int32_t x, y, l;
    bool operator==(const CellKey&) const = default;
};
struct CellKeyHash {
    std::size_t operator()(const CellKey& k) const {
        std::uint64_t a = (std::uint64_t(k.zone) << 32) | std::uint32_t(k.l);
        std::uint64_t b = (std::uint64_t(std::uint32_t(k.x)) << 32) | std::uint32_t(k.y);
        return MixHome()(a * 0x9e3779b97f4a7c15ULL ^ MixHome()(b));
    }
};

// Cells packed into one integer: zone 20 bits, level 12, row 16, column 16
// (signed). Cells beyond that go to a slower index of whole keys.
struct PackedCell {
    static constexpr std::uint32_t kZoneLimit = 1u << 20;
    static bool Fits(std::uint32_t zone, std::int32_t x, std::int32_t y, std::int32_t l) {
        return zone < kZoneLimit && l >= -2048 && l < 2048 && x >= -32768 && x < 32768 && y >= -32768 && y < 32768;
    }
    static std::uint64_t Pack(std::uint32_t zone, std::int32_t x, std::int32_t y, std::int32_t l) {
        return (std::uint64_t(zone) << 44) | (std::uint64_t(std::uint32_t(l) & 0xFFF) << 32) |
               (std::uint64_t(std::uint32_t(x) & 0xFFFF) << 16) | (std::uint32_t(y) & 0xFFFF);
    }
    static bool Fits(const CellKey& cell) { return Fits(cell.zone, cell.x, cell.y, cell.l); }
    static std::uint64_t Pack(const CellKey& cell) { return Pack(cell.zone, cell.x, cell.y, cell.l); }
};

class RoomIndexes {
public:
    // What changed about a slot; only the indexes that depend on it are touched.
    enum Part : unsigned {
        kPosition = 1,  // X, Y, L and so the zone key
        kTag = 2,
        kName = 4,  // the name hash
        kAlias = 8,
        kZone = 16,
        kAll = 31,
        // With kPosition or kZone: leave the zone's key list alone; the
        // caller sorts many new rooms into it at once.
        kKeyOrderLater = 32,
    };

    void Insert(RoomSlot* slot, unsigned parts = kAll);
    void Erase(RoomSlot* slot, unsigned parts = kAll);
    void Clear();
    // Starts loading the table entries Insert(slot) will touch.
    void Prefetch(const RoomSlot* slot) const;
    // Makes room for `rooms` rooms in all.
    void Reserve(std::size_t rooms);

    RoomSlot* FirstAtCell(std::uint32_t zone, std::int32_t x, std::int32_t y, std::int32_t l) const {
        // Rooms of one cell share one key, so list order is also key order.
        if (PackedCell::Fits(zone, x, y, l)) return cell_.First(PackedCell::Pack(zone, x, y, l));
        return wideCell_.First(CellKey{zone, x, y, l});
    }
    // Every room of the cell, in list order.
    template <typename F>
    void ForEachAtCell(std::uint32_t zone, std::int32_t x, std::int32_t y, std::int32_t l, F&& f) const {
        if (PackedCell::Fits(zone, x, y, l)) {
            cell_.ForEach(PackedCell::Pack(zone, x, y, l), f);
        } else {
            wideCell_.ForEach(CellKey{zone, x, y, l}, f);
        }
    }
    RoomSlot* FirstByTagInKeyOrder(std::uint32_t zone, std::int32_t tag) const {
        return tagKey_.First(ZoneTag(zone, tag));
    }
    RoomSlot* FirstByTagInListOrder(std::uint32_t zone, std::int32_t tag) const {
        return tagSeq_.First(ZoneTag(zone, tag));
    }
    RoomSlot* FirstByAlias(const std::string& upperAlias) const {
        return upperAlias.empty() ? nullptr : alias_.First(upperAlias);
    }
    // Name hashes may collide: the caller checks each candidate.
    template <typename Match>
    RoomSlot* FirstByNameInKeyOrder(std::uint32_t zone, std::uint64_t hash, Match&& match) const {
        // Zone and hash share one key, so a bucket may hold other zones' rooms.
        return nameKey_.FirstMatching(ZoneName(zone, hash),
                                      [&](const RoomSlot& slot) { return ZoneId(slot) == zone && match(slot); });
    }
    template <typename Match>
    RoomSlot* FirstByNameInListOrder(std::uint64_t hash, Match&& match) const {
        return nameSeq_.FirstMatching(hash, match);
    }

private:
    static std::uint64_t ZoneTag(std::uint32_t zone, std::int32_t tag) {
        return (std::uint64_t(zone) << 32) | std::uint32_t(tag);
    }
    static std::uint64_t ZoneName(std::uint32_t zone, std::uint64_t hash) {
        return hash ^ (std::uint64_t(zone) * 0x9e3779b97f4a7c15ULL);
    }
    static std::uint32_t ZoneId(const RoomSlot& slot);
    static CellKey CellOf(const RoomSlot& slot);
    void InsertCell(RoomSlot* slot);
    void EraseCell(RoomSlot* slot);

    PackedIndex<ListOrder, MixHome> cell_;
    BucketIndex<CellKey, ListOrder, CellKeyHash> wideCell_;
    PackedIndex<KeyOrder, MixHome> tagKey_;
    PackedIndex<ListOrder, MixHome> tagSeq_;
    PackedIndex<KeyOrder, MixHome> nameKey_;
    PackedIndex<ListOrder, MixHome> nameSeq_;
    BucketIndex<std::string, ListOrder> alias_;  // rooms with an alias only
};

}  // namespace trellan
