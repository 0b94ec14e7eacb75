#pragma once
// The small edits of one room made from the room menu and the properties
// dialog: the four marks and the picture they go with, doors in the exits
// text, the link letters, and the four-field form of cross-link entries.
// They change only the room (and the world's exits index through World);
// the caller repaints.
#include <cstdint>
#include <string>
#include <string_view>

#include "mapping/MappingConfig.h"
#include "model/MudRoom.h"
#include "model/World.h"

namespace trellan {

// The marks in menu order; each goes with the picture of its number.
enum class RoomMark : int { DT = 1, FlyDT = 2, Agro = 3, NoStep = 4 };

// The room's mark, or 0 when none of the four is set (the first set one
// when a hand-edited file set several).
int MarkOf(const MudRoom& room);
// Sets exactly the mark `mark` (1..4), or none for 0.
void SetMark(MudRoom& room, int mark);

// The menu's mark item: a mark that was not set becomes the only one, with
// its picture; a mark that was set is cleared, and the picture with it.
void ToggleMark(MudRoom& room, RoomMark mark);
// A picture from the menu: pictures 1..4 bring their mark, any other clears
// the marks. A negative index (the "no picture" item) is no picture, 0.
void SetPicture(MudRoom& room, int imageIndex);

// The door item of a direction: a door "(word)" becomes the
// bare word, a bare word becomes a door, everywhere in the exits text.
void ToggleDoor(World& world, MudRoom& room, Direction direction, const ExitWords& words);

// "N", "S", "E", "W", "U", "D" for the set link flags, in that order (a
// direction's own letter is Letter(Direction)).
std::string LinkLetters(const MudRoom& room);
// Sets the six link flags from the presence of those letters.
void SetLinksFromLetters(MudRoom& room, std::string_view letters);

// A description as stored: every trailing CR LF pair removed.
std::string WithoutTrailingLineBreaks(std::string text);

// An entry split into its four fields; the command is empty for the
// three-field entries of the tracker and the zone operations.
struct CrossLinkFields {
    std::string Zone;
    std::string Exit;
    std::string Number;
    std::string Command;

    static CrossLinkFields Split(std::string_view entry);
    // zone|exit|number|command, always four fields.
    std::string Join() const;
    // The entry as a room keeps it: zone|exit|number without a command. The
    // tracker and the zone operations compare three-field entries exactly;
    // an empty fourth field would hide the entry from them.
    std::string RoomEntry() const;
    bool operator==(const CrossLinkFields&) const = default;
};

// The index of the room's first entry whose first three fields are exactly
// zone|exit|number (an entry with more fields counts), or -1.
int FindEntryNaming(const MudRoom& room, std::string_view zone, std::string_view exit, std::int32_t number);

class Placement;

// A new cross link of `room`, as the property form adds it: the entry
// appended, the link flag of its exit set (a direction phrase or movement
// command; a portal word has none), the room noted as edited and the map
// as changed. The partner's entry back is the caller's choice.
void AddCrossLink(World& world, Placement& placement, MudRoom& room, const CrossLinkFields& fields);

}  // namespace trellan
