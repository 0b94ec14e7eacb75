#pragma once
// Questions the tracker and the speedwalk ask about a map room in terms of
// the MUD's words: does parsed output fit the room, does the room have an
// exit for a command, which cross link does a command take.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/MudRoom.h"
#include "tracking/RoomParserConfig.h"

namespace trellan {

// The direction of a movement command (the first of the six that equals
// it, else the first direction with a word that equals it), or none for any
// other text, the empty one included.
std::optional<Direction> MoveDirection(std::string_view command, const RoomParserConfig& config);

// A move typed with any of its words becomes the direction's command; any
// other text stays as it is.
std::string CanonicalMove(std::string_view command, const RoomParserConfig& config);

// Whether a parsed room fits a map room. An empty description or exits text
// leaves that comparison out; exits are compared only in walking mode, and
// then blanks and parentheses do not count (a closed door fits an open one).
// A dark room fits any room; a corridor cell or no room fits nothing.
bool SameRoom(const MudRoom* room, std::string_view name, std::string_view description, std::string_view exits,
              bool walkingMode, const RoomParserConfig& config);

// The door commands stored on `room` for the exit of `direction`: the
// commands field of every cross-link entry whose exit is that direction's
// phrase (letter case aside), in list order.
std::vector<std::string> DoorCommandsFor(const MudRoom& room, Direction direction, const RoomParserConfig& config);

// What of a stored room differs from the server's texts beyond what the
// look-ups ignore (blanks in descriptions; blanks and parentheses in exits):
// "название", "описание" or "выходы", empty when nothing does. A dark name
// fits anything; what either side lacks is no difference.
std::string MapMismatch(const MudRoom* room, std::string_view name, std::string_view description,
                        std::string_view exits, const RoomParserConfig& config);

// Whether the command is a movement command whose exit word occurs in the
// room's exits text.
bool HasExit(const MudRoom* room, std::string_view command, const RoomParserConfig& config);

// The index of the room's first AutoMaps entry (zone "|" exit "|" number
// ...) with a zone that the command takes: a movement command takes an
// entry whose exit is its direction phrase, any command an entry whose exit
// is the command itself. -1 when none does or there is no room.
int HasJump(const MudRoom* room, std::string_view command, const RoomParserConfig& config);

}  // namespace trellan
