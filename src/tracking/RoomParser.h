#pragma once
// Cuts the next room description out of the server text the tracker has not
// consumed yet. A room is recognised by its exits line (the name and the
// description stand before it) or, when no exits line is in the buffer, by a
// darkness message.
#include <string>

#include "tracking/RoomParserConfig.h"

namespace trellan {

// One recognised room, as the tracker compares it with the map.
struct ParsedRoom {
    // The name without colour sequences, or RoomParserConfig::Dark for a
    // dark room.
    std::string ParsedName;
    // Lines joined by CR LF, no colour sequences, no blank lines, no leading
    // or trailing line break; empty for a dark room.
    std::string ParsedDesc;
    // The exits text exactly as it stood between the markers (blanks kept),
    // or the prompt's exits; empty for "no exits", an overlong exits line and
    // a dark room without an exits line.
    std::string ParsedExits;
};

// Looks for the next room in `outputBuffer`. On success fills `parsed`, cuts
// the buffer to the text after the room (with an exits line, the rest begins
// with the last character of the exits-end marker) and returns true; the
// buffer is then always shorter than before. Otherwise returns false and
// leaves both the buffer and `parsed` untouched: the room is not complete
// yet (no exits line and no darkness message, an exits line whose end has
// not arrived, or a prompt still missing when the exits come from the
// prompt).
//
// Runs in time linear in the buffer's length (times the number of darkness
// messages), so it can be called on every server event.
bool ParseRoom(std::string& outputBuffer, const RoomParserConfig& config, ParsedRoom& parsed);

}  // namespace trellan
