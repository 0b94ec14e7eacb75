#pragma once
// What the world's operations changed since each reader last looked: the
// rooms (by address and list position, RoomSlot::Seq, which no later room
// takes again) and the zones renamed or removed as a whole. The change
// journal takes it once a second, the undo history at every step's end; each
// reader has a log of its own, so neither steals from the other. Noting
// costs a push onto a vector per reader that follows.
#include <array>
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
    enum class Reader : std::uint8_t { Journal = 0, Undo = 1 };
    struct Room {
        const MudRoom* Address;  // may be gone by the time it is read
        std::uint64_t Seq;
    };
    // Past this many notes nobody is reading: the log stops listing rooms
    // and tells its reader to compare everything.
    static constexpr std::size_t kMaxRooms = 1 << 20;

    void NoteRoom(const MudRoom* room, std::uint64_t seq) {
        for (Log& log : logs_) {
            if (!log.Followed) continue;
            if (log.Rooms.size() < kMaxRooms) {
                log.Rooms.push_back({room, seq});
            } else {
                log.Overflowed = true;
            }
        }
    }
    void NoteZone(const std::string& zone) {
        if (zone.empty()) return;
        for (Log& log : logs_) {
            if (log.Followed) log.Zones.insert(zone);
        }
    }

    struct Taken {
        std::vector<Room> Rooms;
        std::set<std::string> Zones;
        bool Overflowed = false;
    };
    // What was noted for `reader` since its last Take (the journal's log is
    // always kept; another reader's from its first Take on).
    Taken Take(Reader reader = Reader::Journal) {
        Log& log = logs_[static_cast<std::size_t>(reader)];
        log.Followed = true;
        Taken taken{std::move(log.Rooms), std::move(log.Zones), log.Overflowed};
        log.Rooms.clear();
        log.Zones.clear();
        log.Overflowed = false;
        return taken;
    }
    // The reader stops reading: nothing more is noted for it.
    void Unfollow(Reader reader) {
        Log& log = logs_[static_cast<std::size_t>(reader)];
        log = Log{};
        log.Followed = reader == Reader::Journal;
    }

private:
    struct Log {
        std::vector<Room> Rooms;
        std::set<std::string> Zones;
        bool Overflowed = false;
        bool Followed = false;
    };
    std::array<Log, 2> logs_{Log{{}, {}, false, true}, Log{}};
};

}  // namespace trellan
