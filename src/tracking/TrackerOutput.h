#pragma once
// What the movement tracker and the client input stream ask of the program
// around them: the two sockets, the zone files and the user interface's
// switches (the map view they reach through placement). The defaults do nothing, so the tracker runs on its
// own in tests and tools. None of these may throw: a failure (a zone file
// that cannot be written) is reported by the implementation itself.
#include <string_view>

namespace trellan {

class TrackerOutput {
public:
    virtual ~TrackerOutput() = default;

    // Trellan's own messages to the player's client (the oldest connection),
    // dropped when none is connected.
    virtual void SendToClient(std::string_view text) {}
    // Unchanged to the MUD server.
    virtual void SendToServer(std::string_view text) {}
    // Both a client and the server are connected: only then does the player
    // hear about the switches.
    virtual bool ClientAndServerConnected() const { return false; }

    // Write the current zone's file (before another zone is shown).
    virtual void SaveZone() {}
    // Tracing was switched on while no zone is current: start a new one.
    virtual void StartNewZone() {}

    // One settled command's changes to the map begin and end: the undo
    // history takes them as one step.
    virtual void MapStepBegins() {}
    virtual void MapStepEnds() {}

    // The switches changed (menu checks, button images, status bar).
    virtual void TracingChanged(bool tracing) {}
    virtual void WalkingModeChanged(bool on) {}
    virtual void ShortModeChanged(bool on) {}
};

}  // namespace trellan
