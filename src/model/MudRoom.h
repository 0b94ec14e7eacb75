#pragma once
// One cell of the map: a room the player has seen or a corridor cell between
// two rooms. The public fields are at once the in-memory record and the zone
// file's properties (same names, same types); the record knows nothing of
// zones or of other rooms.
//
// A room that belongs to a World is owned by it, and the fields the world
// indexes (Tag, X, Y, L, Hint, Description, Exits, QuickList) change only
// through the World's operations (MoveRoom, SetRoomTag, SetRoomText,
// SetRoomAlias); everything else may be assigned directly.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/ExitWords.h"

namespace trellan {

// How the exit word of a direction stands in a room's exits text.
enum class ExitStatus : std::uint8_t {
    Absent,      // the word does not occur
    Present,     // it occurs
    ClosedDoor,  // it occurs as "(" word ")"
};

// Per direction, in the room's order (Index(Direction)).
using ExitStates = std::array<ExitStatus, kDirectionCount>;

class MudRoom {
public:
    // A fresh room: every field zero, empty or false (BColor 0, not
    // clSilver), no exits, every exit Absent.
    MudRoom() = default;

    // Tag is the room number: unique within its zone for ordinary rooms,
    // 0 for corridor cells.
    std::int32_t Tag = 0;

    // Exits is kept private so that ExitState always matches it.
    const std::string& Exits() const { return exits_; }
    // Stores the text and recomputes ExitState with the exit words in force
    // now; setting the same text again with other words recomputes too.
    void SetExits(std::string text, const ExitWords& words);
    const ExitStates& ExitState() const { return exitState_; }
    ExitStatus ExitState(Direction direction) const { return exitState_[Index(direction)]; }

    std::string Hint;  // the room's name (title line); empty for corridors
    // Link flags, north ... down: the room is joined to the room that way, on
    // the grid or by a cross link; Link(direction) reads them.
    bool ChN = false;
    bool ChS = false;
    bool ChW = false;
    bool ChE = false;
    bool ChU = false;
    bool ChD = false;
    std::uint32_t BColor = 0;  // 0x00BBGGRR, or a system colour with the high bit set
    std::string Description;   // CR LF between lines
    std::int32_t X = 0;        // row: north is X - 1
    std::int32_t Y = 0;        // column: east is Y + 1
    std::int32_t L = 0;        // level: up is L + 1
    std::int32_t DX = 0;       // view centre recorded in the room
    std::int32_t DY = 0;
    std::int32_t DL = 0;
    bool Selected = false;  // the current room, drawn highlighted
    bool Checked = false;   // marked until the next refresh (found, outlined)
    bool Pipe = false;      // a corridor cell, not a room
    bool DT = false;        // death trap: entering it kills; speedwalk never enters
    bool FlyDT = false;     // a fall that kills unless flying; speedwalk ends there at most
    bool Agro = false;      // aggressive mobiles; speedwalk ends there at most
    bool NoStep = false;    // impassable; speedwalk ends there at most
    std::string Note;       // the player's note, shown in the note pane
    std::string QuickList;  // the alias
    // Cross-links "zone|exit|number[|command]" and zone auto-load entries.
    std::vector<std::string> AutoMaps;
    std::int32_t ImageIndex = 0;  // picture drawn on the room, 0 for none
    // The server's own number for the room (MSDP or GMCP), empty when the
    // server never named it. Not a zone-file property: it is kept in the
    // zone's sidecar file. Set it through World::SetRoomServerId.
    std::string ServerId;

    // The link flag of a direction (ChN for north, and so on).
    bool& Link(Direction direction);
    bool Link(Direction direction) const;

private:
    std::string exits_;
    ExitStates exitState_{};
};

// The state rule on its own, for callers that hold an exits text but no room.
ExitStates ComputeExitStates(std::string_view exits, const ExitWords& words);

}  // namespace trellan
