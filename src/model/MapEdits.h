#pragma once
// What the world's operations changed since the change journal last looked:
// the rooms (by address and list position, RoomSlot::Seq, which no later
// room takes again) and the zones renamed or removed as a whole. One reader
// takes it once a second; noting costs a push onto a vector.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace trellan {

class MudRoom;

class MapEdits {
public:
    struct Room {
        const MudRoom* Address;  // may be gone by the time it is read
        std::uint64_t Seq;
    };
    // Past this many notes nobody is reading: the log stops listing rooms
    // and tells its reader to compare everything.
    static constexpr std::size_t kMaxRooms = 1 << 20;

    void NoteRoom(const MudRoom* room, std::uint64_t seq) {
        if (rooms_.size() < kMaxRooms) {
            rooms_.push_back({room, seq});
        } else {
            overflowed_ = true;
        }
    }
    void NoteZone(const std::string& zone) {
        if (!zone.empty()) zones_.insert(zone);
    }

    struct Taken {
        std::vector<Room> Rooms;
        std::set<std::string> Zones;
        bool Overflowed = false;
    };
    Taken Take() {
        Taken taken{std::move(rooms_), std::move(zones_), overflowed_};
        rooms_.clear();
        zones_.clear();
        overflowed_ = false;
        return taken;
    }

private:
    std::vector<Room> rooms_;
    std::set<std::string> zones_;
    bool overflowed_ = false;
};

}  // namespace trellan
