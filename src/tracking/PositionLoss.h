#pragma once
// Why the tracker lost the player's position, and the line that tells the
// player so with what to type next. The line follows "Tracing now OFF".
#include <string>

namespace trellan {

class Localisation;
struct TrackerConfig;

enum class PositionLoss {
    // A switch or a socket event, not a loss: nothing more is said.
    None,
    // The portal command was used where the room has no cross link for it.
    PortalWithoutLink,
    // The room at the end of a known link is not the room the MUD showed.
    RoomDiffers,
    // Walking mode adds no rooms, and the room is not on the map.
    UnknownInWalkingMode,
    // The zone is locked and the move does not fit its map.
    LockedZone,
    // The new room's cell is taken and could not be freed.
    CellTaken,
    // A look found the room nowhere on the map.
    NotOnTheMap,
    // A cross link points at a room the zone does not have.
    LinkTargetMissing,
    // Following a leader whose direction could not be read.
    LeaderLost,
    // A flight into a dark room.
    FledIntoDarkness,
};

// The coloured line for `reason` (empty for None); `command` is the command
// that lost the position. Key "TraceOff" + the reason's name in section
// MainForm of the localisation; "{map}", "{command}" and "{off}" in the
// texts stand for the map command word, the command and the walking-mode off
// command.
std::string PositionLossLine(PositionLoss reason, const std::string& command, const TrackerConfig& config,
                             Localisation* captions);

}  // namespace trellan
