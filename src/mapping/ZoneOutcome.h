#pragma once
// What a zone command tells the caller: done, nothing to do, or refused
// with the message to show (an error box, caption "Trellan"); and the save
// failures met on the way, each to go to the program-wide error handler.
#include <functional>
#include <utility>
#include <string>
#include <vector>

namespace trellan {

enum class ZoneOutcome {
    Done,
    // Nothing to act on (no target room, no world, an unknown zone).
    Nothing,
    // The command was refused and changed nothing; Message says why.
    Refused,
};

struct ZoneResult {
    ZoneOutcome Outcome = ZoneOutcome::Done;
    std::string Message;
    std::vector<std::string> Errors;

    bool Succeeded() const { return Outcome == ZoneOutcome::Done; }
    static ZoneResult Nothing() { return {ZoneOutcome::Nothing, {}, {}}; }
    static ZoneResult Refused(std::string message) { return {ZoneOutcome::Refused, std::move(message), {}}; }
};

// What the zone commands ask of the rest of the program; either may be empty.
struct ZoneOperationHooks {
    // Tracing off with the walking choice; also forgets CurrentRoom.
    std::function<void()> TracingOff;
    // The window caption shows the zone; refresh it.
    std::function<void()> CaptionChanged;
};

}  // namespace trellan
