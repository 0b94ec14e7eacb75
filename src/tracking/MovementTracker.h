#pragma once
// The movement tracker: after every batch of server output it decides which
// room of the map the player stands in. The player's MUD commands wait in
// the command queue; the server's text collects in the output buffer.
// ProcessServerText runs passes: each takes the head of the queue, scans the
// buffer for messages that change what the command means (fleeing,
// following a leader, waiting triggers, object descriptions), then settles
// the command against the next room description (a look, a move to a known
// or a new room, a refused move, a jump along a cross link ...). A move whose
// room has not arrived yet stays at the head until a later event brings it.
//
// In tracing mode, unless the map is held read-only (walking mode), settling
// extends the map through placement and linking. Every loss of position
// switches tracing off, so a wrong position is never carried on.
//
// The tracker does not own the world, the log, the output or the hooks; all
// must outlive it.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "proxy/RoomReport.h"
#include "tracking/PositionLoss.h"
#include "tracking/RoomParser.h"
#include "tracking/RecognitionWatch.h"
#include "tracking/TrackerConfig.h"
#include "tracking/TrackerExtensions.h"
#include "tracking/TrackerOutput.h"

namespace trellan {

class DebugLog;
class Linker;
class Localisation;
class MudRoom;
class Placement;
class World;

class MovementTracker {
public:
    // The CurrentCommand of a settled pass.
    static constexpr std::string_view TranslationDone = ".TranslationDone.";
    // Text without a complete room is dropped from the buffer's older end
    // beyond this many bytes, so a server that never prints a room cannot
    // grow it without bound.
    static constexpr std::size_t MaxOutputBuffer = 64 * 1024;
    // More queued commands than this are never waiting for answers of a
    // live game; the oldest go.
    static constexpr std::size_t MaxCommandQueue = 4096;

    // Tracing on (the menu item nTracing, a look) or off: the "walking"
    // choice of nWalking and btnWalking, the stop command, socket events.
    enum class TracingSwitch { Off, On };

    // The placement and linker act on `world` (the shown zone) and carry the
    // view that CenterOnCurrentRoom and the refresh repaint.
    MovementTracker(World& world, Placement& placement, Linker& linker, DebugLog& log, TrackerOutput& output);
    ~MovementTracker();
    MovementTracker(const MovementTracker&) = delete;
    MovementTracker& operator=(const MovementTracker&) = delete;

    // The step that left a room: the room (by zone and number, so a removed
    // room is never reached through it) and the command that left it. A
    // portal without a cross link leaves it behind for the map command that
    // links the two rooms.
    struct Step {
        std::string Zone;
        std::int32_t Tag = 0;
        std::string Command;
    };

    void SetConfig(TrackerConfig config) { config_ = std::move(config); }
    // The reasons told when the position is lost are localised through
    // `captions` (built-in texts without); it must outlive the tracker.
    void SetCaptions(Localisation* captions) { captions_ = captions; }
    const TrackerConfig& Config() const { return config_; }
    // Plug in the speedwalk and the objects base; they must outlive the
    // tracker or be replaced before they go.
    void SetSpeedwalkHooks(SpeedwalkHooks& hooks) { speedwalk_ = &hooks; }
    void SetObjectsHooks(ObjectsHooks& hooks) { objects_ = &hooks; }
    void SetMapCommandHooks(MapCommandHooks& hooks) { mapCommands_ = &hooks; }

    // One server read event's normalised text.
    void ProcessServerText(const std::string& text);
    // A room report of the server (MSDP, GMCP); its marker stands in the
    // text that follows. Reports wait here until the room text they belong
    // to is settled; at most MaxWaitingReports of them.
    void AddRoomReport(const RoomReport& report);
    static constexpr std::size_t MaxWaitingReports = 64;

    // The tracing switch. Switching off forgets the position and empties
    // the queue and the buffer.
    void SetTracing(TracingSwitch to);
    // The walking-mode switch: sets the mode and tells the player.
    void ChangeWalkingMode(bool on);
    // The auto-linking switch: inverts ShortMode (rooms are then not looked
    // up by name).
    void ToggleShortMode();

    bool Tracing() const { return tracing_; }
    bool WalkingMode() const { return walkingMode_; }
    // The stored setting at start-up, without telling anyone.
    void SetWalkingMode(bool on) { walkingMode_ = on; }
    bool ShortMode() const;

    // --- The queue, as the client input stream fills it.
    void QueueCommand(std::string command);
    // The look and clear commands: nothing queued or buffered any more.
    void ResetQueue();
    const std::deque<std::string>& CommandQueue() const { return commandQueue_; }
    const std::string& OutputBuffer() const { return outputBuffer_; }
    const std::string& CurrentCommand() const { return currentCommand_; }
    const ParsedRoom& LastParsed() const { return parsed_; }
    // The report paired with the last parsed room, if any.
    const std::optional<RoomReport>& LastReport() const { return parsedReport_; }
    // The last command that took the player out of a known room; Tag 0
    // while there was none.
    const Step& LastStep() const { return lastStep_; }

    World& TheWorld() { return world_; }
    TrackerOutput& Output() { return output_; }
    SpeedwalkHooks& Speedwalk() { return *speedwalk_; }
    ObjectsHooks& Objects() { return *objects_; }
    MapCommandHooks& MapCommands() { return *mapCommands_; }

private:
    void RunPass();
    // The pre-scans of a pass; each may change CurrentCommand and the queue.
    void StripSharedLines();
    void ScanPanic();
    void ScanFollow();
    void ScanTriggers(std::size_t exitsStart);
    void EndPass();
    void BoundOutputBuffer();
    // Tells the player once when moves keep coming and no room is recognised.
    void WarnWhenNothingIsRecognised();
    // Whether a queued command is a move (a sneaking or fleeing one too).
    bool IsMove(std::string_view command) const;

    // The decisions about the position.
    void Settle();
    void SettleLook();
    void SettleFlee();
    bool SettleRefusedMove();
    bool SettleJump();
    void SettleMovement();
    void SettleOther();
    // The move follows a link the map already has.
    void MoveAlongKnownLink(MudRoom* from);
    // The move goes where the map has no link yet.
    void MoveIntoNewWay(MudRoom* from);
    void Confirm();
    void CenterOnCurrentRoom();
    // Whether SwitchToZoneOf writes the zone shown before.
    enum class ZoneWrite : std::uint8_t { Skip, SaveShownZone };
    // Makes the room's zone the shown one (writing the shown zone first when
    // told to); true when the zone changed.
    bool SwitchToZoneOf(MudRoom* room, ZoneWrite zoneWrite);
    bool ParseNext();
    // After a room was cut out of the buffer (`before` is the buffer as it
    // was): the report that belongs to it, sent before its text or right
    // after it.
    void PairReport(const std::string& before);
    // A look's room without a report of its own takes the last one, when
    // the names agree.
    void PairLookWithLastReport();
    // The server identity of the parsed room; empty when none came.
    const std::string& ParsedIdentity() const;
    // A room may stand for the parsed one: it has no identity or the same.
    bool IdentityAllows(const MudRoom* room) const;
    // A room fits the parsed one: its identity allows it and,
    // without an identity, its stored texts agree with the server's (beyond
    // blanks), unless the map is read-only and so trusted as it stands.
    bool AgreesWithParsed(const MudRoom* room) const;
    // The room takes the parsed identity when it has none (not while the
    // map is read-only).
    void AdoptIdentity(MudRoom* room);
    // A known room learns from the server's text. With an identity the
    // server said it is this room: its texts are refreshed. Without one,
    // only what the room lacks is filled in, so another room's text never
    // replaces what is stored.
    void RefreshKnownRoom(MudRoom* room);
    // The move named a room the map knows by its identity.
    bool MoveToIdentifiedRoom(MudRoom* from, MudRoom* known);
    // Tracing stops because the room reached differs from the stored one.
    void MismatchLoss(const std::string& what);
    bool IsDark(const std::string& name) const;
    std::string DescribeParsed() const;
    // Tracing off, and the player told why and what to type.
    void LossOfPosition(PositionLoss reason);
    // Settles the pass's command and remembers the step when it left a room.
    void SettleAndRemember();

    bool WasStep(const MudRoom* room, std::string_view command) const;
    bool WasNotStep(const MudRoom* room, std::string_view command) const;

    World& world_;
    Placement& placement_;
    Linker& linker_;
    DebugLog& log_;
    TrackerOutput& output_;
    SpeedwalkHooks defaultSpeedwalk_;
    ObjectsHooks defaultObjects_;
    SpeedwalkHooks* speedwalk_ = &defaultSpeedwalk_;
    ObjectsHooks* objects_ = &defaultObjects_;
    MapCommandHooks defaultMapCommands_;
    MapCommandHooks* mapCommands_ = &defaultMapCommands_;
    TrackerConfig config_;
    Localisation* captions_ = nullptr;
    Step lastStep_;

    std::deque<std::string> commandQueue_;
    std::string outputBuffer_;
    std::string currentCommand_;
    ParsedRoom parsed_;
    std::optional<RoomReport> parsedReport_;
    std::deque<RoomReport> reports_;
    // The room the server reported last: where the player stands, since
    // servers report every move. A look, which changes no room and so gets
    // no report of its own, is paired with it.
    std::optional<RoomReport> lastReport_;
    // The server has been seen to send its report after the room's text.
    bool reportsFollowText_ = false;
    bool settled_ = false;
    RecognitionWatch recognition_;
    bool tracing_ = false;
    bool walkingMode_ = false;
};

}  // namespace trellan
