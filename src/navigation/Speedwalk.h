#pragma once
// The speedwalk: the path from the player's room (CurrentRoom) to the chosen
// one (TargetRoom), either sent to the MUD in batches while the tracker
// follows the player, or handed to the user interface as clipboard text.
//
// It is the tracker's speedwalk hooks: the tracker asks for the next batch
// when the commands of the previous one are all settled, and empties the
// rest of a walk on a refused move or a look. The player's speedwalk, alias
// list and return commands arrive here from the client input stream.
//
// The core opens no dialog: an outcome the user must see comes back as a
// result (or, for walks the player started from the MUD client, through
// OnMessage) for the user interface to show.
#include <deque>
#include <functional>
#include <string>

#include "navigation/SpeedwalkSearch.h"
#include "tracking/TrackerExtensions.h"

namespace trellan {

class DebugLog;
class Localisation;
class MovementTracker;
class MudRoom;
class ViewState;
struct MainSettings;
struct MappingConfig;

// Who asked for the walk, and so where it goes.
enum class SpeedwalkSender {
    // The room menu's nSpeedWalk, the player's commands, any other caller:
    // sent to the MUD, only while tracing.
    Send,
    // nSpeedWalkNTD: the path with its ";" separators.
    ClipboardWithSeparators,
    // nSpeedWalkNT: the path with a blank for every ";".
    ClipboardWithoutSeparators,
};

struct SpeedwalkResult {
    enum class Kind {
        Nothing,    // no walk to compute, or a found walk while tracing is off
        Sent,       // the first batch went out
        Clipboard,  // Text is for the clipboard
        Message,    // no walk: Text is for a message box (tracing is off)
        Reported,   // no walk: the player's client was told (tracing is on)
    };
    Kind What = Kind::Nothing;
    std::string Text;
};

struct SpeedwalkSettings {
    // Commands sent at once; below 1 counts as 5, as the settings dialog
    // would have it, so a walk can never stall on empty batches.
    int SpeedWalkLength = 10;
    // The most search generations.
    int MaxSpeedWalkLength = 100;

    static SpeedwalkSettings From(const MainSettings& settings);
};

class Speedwalk : public SpeedwalkHooks {
public:
    // All must outlive the speedwalk. The tracker gives the world, the
    // tracing state, the command queue and the two connections.
    Speedwalk(MovementTracker& tracker, const MappingConfig& mapping, DebugLog& log);

    void SetSettings(SpeedwalkSettings settings) { settings_ = settings; }
    const SpeedwalkSettings& Settings() const { return settings_; }
    // The localised failure message comes from here (built-in text without).
    void SetCaptions(Localisation* captions) { captions_ = captions; }
    // The view whose next refresh a walk skips, as a menu command's would.
    void SetView(ViewState* view) { view_ = view; }
    // Works out the search's graph of the world now (after a world was
    // read), so that the first walk need not.
    void PrepareWorld() { search_.Prepare(); }

    // Computes the walk from CurrentRoom to TargetRoom and delivers it.
    SpeedwalkResult WalkToTarget(SpeedwalkSender sender);
    // The zone tree's twin: the walk to the room of the selected node.
    SpeedwalkResult WalkToRoom(MudRoom* room, SpeedwalkSender sender);

    // --- The tracker's hooks.
    void EmptySpeedwalkQueue() override { queue_.clear(); }
    void SendNextBatch() override;
    // Alone: the aliased rooms to the client; with an alias: the walk there.
    void SpeedwalkCommand(const std::string& argument) override;
    // The walk back to where the last walk started.
    void ReturnCommand() override;

    // The steps not sent yet, head first.
    const std::deque<std::string>& Queue() const { return queue_; }

    // A failure message for walks started from the MUD client while
    // tracing is off (shown in a message box by the user interface).
    std::function<void(const std::string& text)> OnMessage;

private:
    void SendWalk(const std::string& path);
    // Tells the player of a closed door on the way that has no door command
    // and holds the walk back; true when it did.
    bool HoldAtClosedDoor(const std::string& path);
    void ListAliases();
    // One of Trellan's lines to the client.
    void Tell(const std::string& line);
    // 0xFF doubled when the profile asks for it.
    std::string ForTelnet(std::string text) const;

    MovementTracker& tracker_;
    DebugLog& log_;
    SpeedwalkSearch search_;
    SpeedwalkSettings settings_;
    Localisation* captions_ = nullptr;
    ViewState* view_ = nullptr;
    std::deque<std::string> queue_;
    // The target of the last walk held back at a closed door: asked for
    // again at once, it goes out (the player has opened the door).
    const MudRoom* warnedDoorTarget_ = nullptr;
};

}  // namespace trellan
