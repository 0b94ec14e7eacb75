#pragma once
// One change of one zone's rooms, as the change journal keeps it and as the
// undo history takes it back and does it again: the zone's rooms as
// zone-file records (see docs/zone-file-format.md), whole or as edits by
// position.
//
// Positions count the zone's rooms in list order (the order its file is
// written in), as they stand when the edit is applied: the edits of a patch
// apply one after another, each to the list the previous one left.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace trellan {

struct RoomEdit {
    enum class Kind : std::uint8_t {
        Remove = 1,   // the room at Position goes
        Replace = 2,  // the room at Position gets Record's fields
        Append = 3,   // a new room from Record joins the end of the zone
    };
    Kind What = Kind::Append;
    std::uint32_t Position = 0;  // Remove and Replace
    std::string Record;          // Replace and Append
};

struct ZoneChange {
    enum class Kind : std::uint8_t {
        Snapshot = 1,  // the zone holds exactly Rooms, in that order
        Patch = 2,     // Edits to the zone as the previous change left it
        Removed = 3,   // the zone and its rooms are gone
    };
    Kind What = Kind::Snapshot;
    std::string Zone;  // Windows-1251
    std::vector<std::string> Rooms;
    std::vector<RoomEdit> Edits;

    // What the player would count: rooms of a snapshot, edits of a patch,
    // one for a removal.
    std::size_t Size() const {
        if (What == Kind::Snapshot) return Rooms.size();
        if (What == Kind::Patch) return Edits.size();
        return 1;
    }
};

}  // namespace trellan
