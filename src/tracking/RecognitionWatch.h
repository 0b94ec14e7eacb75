#pragma once
// Notices when tracing is on and the player keeps moving but no room is
// recognised in the server's output: the profile's markers do not fit this
// MUD (or the MUD's exits display is off). The player is told once, with
// the markers that never showed up, instead of the map silently staying
// empty while the command queue grows.
#include <optional>
#include <string>
#include <string_view>

#include "tracking/RoomParserConfig.h"

namespace trellan {

class RecognitionWatch {
public:
    // Moves without a room before the player is told.
    static constexpr int MovesBeforeWarning = 5;

    // A movement command was queued while tracing.
    void MoveQueued() { ++movesWithoutRoom_; }
    // Server text arrived: which markers it holds.
    void ServerText(std::string_view text, const RoomParserConfig& config);
    // A room was recognised: all is well again.
    void RoomRecognised();
    // Tracing was switched: counting starts over, and a new warning may come.
    void Restart();

    // The message to give now, in Windows-1251, at most once until a room is
    // recognised or tracing is switched again.
    std::optional<std::string> TakeWarning();

private:
    int movesWithoutRoom_ = 0;
    bool sawNameStart_ = false;
    bool sawExitsStart_ = false;
    bool warned_ = false;
};

}  // namespace trellan
