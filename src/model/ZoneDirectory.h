#pragma once
// The zones that have rooms, found by name. Every look-up over the world
// starts here, so a look-up must not cost a cache miss per zone record: the
// table holds each name's hash next to its record, a probe compares hashes
// before it reads a record, and the records sit together in blocks rather
// than one allocation each. Records of zones that lose their last room are
// used again for the next new zone.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/RoomSlot.h"

namespace trellan {

class ZoneDirectory {
public:
    ZoneInfo* Find(std::string_view name) const;
    // A record for a zone not in the directory, with the given id.
    ZoneInfo* Add(const std::string& name, std::uint32_t id);
    void Remove(ZoneInfo* zone);
    // Gives the record another name that is not in the directory; it keeps its id.
    void Rename(ZoneInfo* zone, const std::string& to);
    void Clear();
    std::size_t Size() const { return size_; }

private:
    struct Entry {
        std::uint64_t hash = 0;
        ZoneInfo* zone = nullptr;  // nullptr: empty entry
    };
    static std::uint64_t Hash(std::string_view name);
    void Insert(std::uint64_t hash, ZoneInfo* zone);
    void Erase(ZoneInfo* zone);
    void Rehash(std::size_t capacity);

    static constexpr std::size_t kBlock = 64;
    std::vector<std::unique_ptr<std::array<ZoneInfo, kBlock>>> blocks_;
    std::size_t used_ = 0;  // records handed out from the blocks so far
    std::vector<ZoneInfo*> spare_;
    std::vector<Entry> table_;
    std::size_t size_ = 0;
    std::size_t mask_ = 0;
};

}  // namespace trellan
