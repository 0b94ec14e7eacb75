// The seven room look-ups of the world and the name rule behind two of them.
#include <algorithm>
#include <cstring>
#include <string_view>

#include "model/RoomIndexes.h"
#include "model/World.h"
#include "text/Cp1251.h"
#include "text/TextUtils.h"

namespace trellan {

namespace {

// Descriptions compare without blanks; exits also without parentheses, so
// a closed door "(N)" and an open exit "N" compare equal.
class ByteSet {
public:
    constexpr explicit ByteSet(std::string_view bytes) : text_(bytes) {
        for (char c : bytes) in_[static_cast<unsigned char>(c)] = true;
    }
    constexpr bool Has(char c) const { return in_[static_cast<unsigned char>(c)]; }
    constexpr std::string_view Text() const { return text_; }

private:
    std::string_view text_;
    bool in_[256] = {};
};

constexpr ByteSet kDescriptionIgnored(" ");
constexpr ByteSet kExitsIgnored(" ()");
constexpr ByteSet kNothingIgnored("");

// Hashes the kept bytes eight at a time: every room read or changed is
// hashed over its whole description, so this sits on the load path.
class NameHasher {
public:
    void Add(std::string_view text, const ByteSet& ignored) {
        // Kept bytes are packed into a small buffer without a branch per
        // byte (each is written, and the end moves on only past a kept one),
        // then mixed as whole words.
        unsigned char kept[kChunk + 8];
        std::size_t filled = 0;
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t end = std::min(text.size(), at + kChunk);
            for (; at < end; ++at) {
                kept[filled] = static_cast<unsigned char>(text[at]);
                filled += ignored.Has(text[at]) ? 0 : 1;
            }
            std::size_t used = 0;
            for (; used + 8 <= filled; used += 8) Mix(Word(kept + used, 8));
            std::memmove(kept, kept + used, filled - used);
            filled -= used;
        }
        // The count of bytes left over also marks the field's end, so that
        // moving text between fields changes the hash.
        Mix(Word(kept, filled));
        Mix(0x100 + filled);
    }
    std::uint64_t Value() const { return hash_ ^ (hash_ >> 31); }

private:
    static constexpr std::size_t kChunk = 256;

    // The first `count` (at most 8) bytes as a little-endian word.
    static std::uint64_t Word(const unsigned char* bytes, std::size_t count) {
        std::uint64_t word = 0;
        for (std::size_t i = 0; i < count; ++i) word |= std::uint64_t(bytes[i]) << (8 * i);
        return word;
    }

    void Mix(std::uint64_t value) {
        hash_ ^= value;
        hash_ *= 0x9e3779b97f4a7c15ULL;
        hash_ ^= hash_ >> 29;
    }
    std::uint64_t hash_ = 14695981039346656037ULL;
};

// Whether `text` equals `stripped` once the ignored bytes are dropped from
// it; the same as comparing StripChars(text, ignored), without the copy.
bool EqualsStripped(std::string_view text, std::string_view stripped, const ByteSet& ignored) {
    std::size_t j = 0;
    for (char c : text) {
        if (ignored.Has(c)) continue;
        if (j == stripped.size() || stripped[j] != c) return false;
        ++j;
    }
    return j == stripped.size();
}

std::uint64_t HashName(std::string_view hint, std::string_view description, std::string_view exits, bool shortMode) {
    NameHasher hasher;
    hasher.Add(hint, kNothingIgnored);
    hasher.Add(shortMode ? std::string_view() : description, kDescriptionIgnored);
    hasher.Add(exits, kExitsIgnored);
    return hasher.Value();
}

}  // namespace

std::uint64_t World::NameHash(const MudRoom& room) const {
    return HashName(room.Hint, room.Description, room.Exits(), shortMode_);
}

bool World::NameMatches(const MudRoom& room, std::string_view name, std::string_view strippedDescription,
                        std::string_view strippedExits) const {
    if (room.Hint != name) return false;
    if (!shortMode_ && !EqualsStripped(room.Description, strippedDescription, kDescriptionIgnored)) return false;
    return EqualsStripped(room.Exits(), strippedExits, kExitsIgnored);
}

MudRoom* World::FindRoom(std::int32_t x, std::int32_t y, std::int32_t l) const {
    if (shownZone_.empty()) return nullptr;
    return GlobalFindRoom(x, y, l, shownZone_);
}

MudRoom* World::GlobalFindRoom(std::int32_t x, std::int32_t y, std::int32_t l, std::string_view zone) const {
    return GlobalFindRoom(x, y, l, Zone(zone));
}

const RoomSlot* World::FirstSlotAt(const ZoneInfo* zone, std::int32_t x, std::int32_t y, std::int32_t l) const {
    return zone == nullptr ? nullptr : indexes_->FirstAtCell(zone->Id, x, y, l);
}

void World::RoomsAtCell(const ZoneInfo* zone, std::int32_t x, std::int32_t y, std::int32_t l,
                        std::vector<const RoomSlot*>& rooms) const {
    if (zone == nullptr) return;
    indexes_->ForEachAtCell(zone->Id, x, y, l, [&](const RoomSlot* slot) { rooms.push_back(slot); });
}

MudRoom* World::FindRoomByTag(std::int32_t tag) const {
    if (shownZone_.empty()) return nullptr;
    const ZoneInfo* info = Zone(shownZone_);
    if (info == nullptr) return nullptr;
    RoomSlot* slot = indexes_->FirstByTagInKeyOrder(info->Id, tag);
    return slot == nullptr ? nullptr : slot->Room();
}

MudRoom* World::GlobalFindRoomByTag(std::int32_t tag, std::string_view zone) const {
    const ZoneInfo* info = Zone(zone);
    if (info == nullptr) return nullptr;
    RoomSlot* slot = indexes_->FirstByTagInListOrder(info->Id, tag);
    return slot == nullptr ? nullptr : slot->Room();
}

MudRoom* World::FindRoomByName(std::string_view name, std::string_view description, std::string_view exits) const {
    if (shownZone_.empty()) return nullptr;
    const ZoneInfo* info = Zone(shownZone_);
    if (info == nullptr) return nullptr;
    const std::string strippedDescription =
        shortMode_ ? std::string() : StripChars(description, kDescriptionIgnored.Text());
    const std::string strippedExits = StripChars(exits, kExitsIgnored.Text());
    RoomSlot* slot = indexes_->FirstByNameInKeyOrder(
        info->Id, HashName(name, description, exits, shortMode_),
        [&](const RoomSlot& s) { return NameMatches(*s.Room(), name, strippedDescription, strippedExits); });
    return slot == nullptr ? nullptr : slot->Room();
}

MudRoom* World::GlobalFindRoomByName(std::string_view name, std::string_view description,
                                     std::string_view exits) const {
    const std::string strippedDescription =
        shortMode_ ? std::string() : StripChars(description, kDescriptionIgnored.Text());
    const std::string strippedExits = StripChars(exits, kExitsIgnored.Text());
    RoomSlot* slot = indexes_->FirstByNameInListOrder(
        HashName(name, description, exits, shortMode_),
        [&](const RoomSlot& s) { return NameMatches(*s.Room(), name, strippedDescription, strippedExits); });
    return slot == nullptr ? nullptr : slot->Room();
}

MudRoom* World::FindRoomByAlias(std::string_view alias) const {
    // An empty alias means "not on the quick list", never a match.
    if (alias.empty()) return nullptr;
    RoomSlot* slot = indexes_->FirstByAlias(UpperCp1251(alias));
    return slot == nullptr ? nullptr : slot->Room();
}

}  // namespace trellan
