#pragma once
// A number per room for the length of one search: an open-addressing hash
// table keyed by the room's address. The speedwalk marks every room it lists
// with its generation and asks about each room it reaches, hundreds of
// thousands of times in a large world, so the table is flat and a probe is a
// multiply and a few compares.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace trellan {

class MudRoom;

class RoomMarks {
public:
    RoomMarks() { Clear(); }

    // Forgets every mark.
    void Clear() {
        slots_.assign(kInitialSize, Slot{});
        count_ = 0;
    }

    std::optional<std::int32_t> Find(const MudRoom* room) const {
        for (std::size_t i = Home(room);; i = (i + 1) & (slots_.size() - 1)) {
            const Slot& slot = slots_[i];
            if (slot.room == room) return slot.value;
            if (slot.room == nullptr) return std::nullopt;
        }
    }

    void Set(const MudRoom* room, std::int32_t value) {
        if ((count_ + 1) * 2 > slots_.size()) Grow();
        Place(room, value);
    }

    std::size_t Size() const { return count_; }

private:
    static constexpr std::size_t kInitialSize = 1024;  // a power of two

    struct Slot {
        const MudRoom* room = nullptr;
        std::int32_t value = 0;
    };

    std::size_t Home(const MudRoom* room) const {
        auto key = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(room));
        key *= 0x9e3779b97f4a7c15ULL;
        return static_cast<std::size_t>(key >> 32) & (slots_.size() - 1);
    }

    void Place(const MudRoom* room, std::int32_t value) {
        for (std::size_t i = Home(room);; i = (i + 1) & (slots_.size() - 1)) {
            Slot& slot = slots_[i];
            if (slot.room == room) {
                slot.value = value;
                return;
            }
            if (slot.room == nullptr) {
                slot = Slot{room, value};
                ++count_;
                return;
            }
        }
    }

    void Grow() {
        std::vector<Slot> old(slots_.size() * 2);
        old.swap(slots_);
        count_ = 0;
        for (const Slot& slot : old) {
            if (slot.room != nullptr) Place(slot.room, slot.value);
        }
    }

    std::vector<Slot> slots_;
    std::size_t count_ = 0;
};

}  // namespace trellan
