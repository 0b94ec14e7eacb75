#include "model/ZoneDirectory.h"

#include <functional>

namespace trellan {

std::uint64_t ZoneDirectory::Hash(std::string_view name) {
    return std::hash<std::string_view>()(name);
}

ZoneInfo* ZoneDirectory::Find(std::string_view name) const {
    if (size_ == 0) return nullptr;
    const std::uint64_t hash = Hash(name);
    for (std::size_t i = hash & mask_; table_[i].zone != nullptr; i = (i + 1) & mask_) {
        if (table_[i].hash == hash && table_[i].zone->Name == name) return table_[i].zone;
    }
    return nullptr;
}

ZoneInfo* ZoneDirectory::Add(const std::string& name, std::uint32_t id) {
    ZoneInfo* zone = nullptr;
    if (!spare_.empty()) {
        zone = spare_.back();
        spare_.pop_back();
    } else {
        if (used_ == blocks_.size() * kBlock) blocks_.push_back(std::make_unique<std::array<ZoneInfo, kBlock>>());
        zone = &(*blocks_[used_ / kBlock])[used_ % kBlock];
        ++used_;
    }
    zone->Name = name;
    zone->Id = id;
    Insert(Hash(name), zone);
    return zone;
}

void ZoneDirectory::Remove(ZoneInfo* zone) {
    Erase(zone);
    zone->Name.clear();
    zone->ByKey.Clear();
    zone->BySeq.Clear();
    spare_.push_back(zone);
}

void ZoneDirectory::Rename(ZoneInfo* zone, const std::string& to) {
    Erase(zone);
    zone->Name = to;
    Insert(Hash(to), zone);
}

void ZoneDirectory::Clear() {
    blocks_.clear();
    used_ = 0;
    spare_.clear();
    table_.clear();
    size_ = 0;
    mask_ = 0;
}

void ZoneDirectory::Insert(std::uint64_t hash, ZoneInfo* zone) {
    if ((size_ + 1) * 2 > table_.size()) Rehash(table_.empty() ? 16 : table_.size() * 2);
    std::size_t i = hash & mask_;
    while (table_[i].zone != nullptr) i = (i + 1) & mask_;
    table_[i] = Entry{hash, zone};
    ++size_;
}

void ZoneDirectory::Erase(ZoneInfo* zone) {
    if (size_ == 0) return;
    std::size_t i = Hash(zone->Name) & mask_;
    for (; table_[i].zone != zone; i = (i + 1) & mask_) {
        if (table_[i].zone == nullptr) return;
    }
    // Backward-shift deletion, as in the room indexes: no tombstones.
    for (std::size_t j = (i + 1) & mask_; table_[j].zone != nullptr; j = (j + 1) & mask_) {
        const std::size_t home = table_[j].hash & mask_;
        const bool stays = i <= j ? (i < home && home <= j) : (i < home || home <= j);
        if (stays) continue;
        table_[i] = table_[j];
        i = j;
    }
    table_[i] = Entry{};
    --size_;
}

void ZoneDirectory::Rehash(std::size_t capacity) {
    std::vector<Entry> old = std::move(table_);
    table_.assign(capacity, Entry{});
    mask_ = capacity - 1;
    for (const Entry& entry : old) {
        if (entry.zone == nullptr) continue;
        std::size_t i = entry.hash & mask_;
        while (table_[i].zone != nullptr) i = (i + 1) & mask_;
        table_[i] = entry;
    }
}

}  // namespace trellan
