#include "navigation/Speedwalk.h"

#include <algorithm>

#include "mapping/ViewState.h"
#include "navigation/AliasSuggestions.h"
#include "navigation/ClosedDoors.h"
#include "model/World.h"
#include "navigation/NavigationMessages.h"
#include "proxy/DebugLog.h"
#include "settings/MainSettings.h"
#include "text/TextUtils.h"
#include "text/W1251.h"
#include "tracking/ClientLines.h"
#include "tracking/MovementTracker.h"

namespace trellan {

namespace {

// Logging is off while the search runs and back as it was afterwards, also
// when a caption cannot be written.
class LogPause {
public:
    explicit LogPause(DebugLog& log) : log_(log), active_(log.Active()) { log_.SetActive(false); }
    ~LogPause() { Resume(); }
    LogPause(const LogPause&) = delete;
    LogPause& operator=(const LogPause&) = delete;
    void Resume() { log_.SetActive(active_); }

private:
    DebugLog& log_;
    bool active_;
};

}  // namespace

SpeedwalkSettings SpeedwalkSettings::From(const MainSettings& settings) {
    return SpeedwalkSettings{settings.SpeedWalkLength, settings.MaxSpeedWalkLength};
}

Speedwalk::Speedwalk(MovementTracker& tracker, const MappingConfig& mapping, DebugLog& log)
    : tracker_(tracker), log_(log), search_(tracker.TheWorld(), mapping) {}

SpeedwalkResult Speedwalk::WalkToTarget(SpeedwalkSender sender) {
    if (view_ != nullptr) view_->RefreshLock = RefreshLockState::SkipNextRefresh;
    World& world = tracker_.TheWorld();
    SpeedwalkResult result;
    if (world.CurrentRoom == nullptr || world.TargetRoom == nullptr || world.CurrentRoom == world.TargetRoom ||
        world.TargetRoom->DT) {
        return result;
    }
    LogPause pause(log_);
    std::optional<std::string> path =
        search_.FindPath(world.CurrentRoom, world.TargetRoom, settings_.MaxSpeedWalkLength);
    pause.Resume();
    for (const std::string& entry : search_.SkippedEntries()) {
        log_.Log(W1251("Спидволк: пропущена ссылка без номера комнаты: ") + entry);
    }
    if (!path) {
        if (tracker_.Tracing()) {
            tracker_.Output().SendToClient(kSpeedwalkUnabledLine);
            result.What = SpeedwalkResult::Kind::Reported;
        } else {
            result.What = SpeedwalkResult::Kind::Message;
            result.Text = SpeedwalkUnabledText(captions_);
        }
        return result;
    }
    switch (sender) {
        case SpeedwalkSender::ClipboardWithSeparators:
            result.What = SpeedwalkResult::Kind::Clipboard;
            result.Text = *path;
            break;
        case SpeedwalkSender::ClipboardWithoutSeparators:
            result.What = SpeedwalkResult::Kind::Clipboard;
            result.Text = ReplaceAll(*path, ";", " ");
            break;
        case SpeedwalkSender::Send:
            if (!tracker_.Tracing()) break;
            if (HoldAtClosedDoor(*path)) {
                result.What = SpeedwalkResult::Kind::Reported;
                break;
            }
            SendWalk(*path);
            result.What = SpeedwalkResult::Kind::Sent;
            break;
    }
    return result;
}

SpeedwalkResult Speedwalk::WalkToRoom(MudRoom* room, SpeedwalkSender sender) {
    tracker_.TheWorld().TargetRoom = room;
    return WalkToTarget(sender);
}

bool Speedwalk::HoldAtClosedDoor(const std::string& path) {
    World& world = tracker_.TheWorld();
    if (warnedDoorTarget_ == world.TargetRoom) {
        warnedDoorTarget_ = nullptr;
        return false;
    }
    warnedDoorTarget_ = nullptr;
    std::optional<ClosedDoor> door = FirstDoorWithoutCommand(world, world.CurrentRoom, path, tracker_.Config().Parser);
    if (!door) return false;
    warnedDoorTarget_ = world.TargetRoom;
    log_.Log(W1251("Спидволк: на пути закрытая дверь: ") + door->Room->Hint + ", " + door->Phrase);
    tracker_.Output().SendToClient(ForTelnet(ClosedDoorLine(door->Room->Hint, door->Phrase)));
    return true;
}

void Speedwalk::SendWalk(const std::string& path) {
    World& world = tracker_.TheWorld();
    world.ReturnRoom = world.CurrentRoom;
    queue_.clear();
    std::size_t start = 0;
    for (;;) {
        std::size_t end = path.find(';', start);
        std::string step = TrimCtl(std::string_view(path).substr(start, end - start));
        // A blank step (an empty exit text) is no command: sent, it would
        // only make the MUD print its prompt, and left queued it holds the
        // next batch back.
        if (!step.empty()) queue_.push_back(std::move(step));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    SendNextBatch();
}

void Speedwalk::SendNextBatch() {
    if (queue_.empty() || !tracker_.Tracing()) return;
    const std::size_t length = static_cast<std::size_t>(settings_.SpeedWalkLength < 1 ? 5 : settings_.SpeedWalkLength);
    std::string batch;
    for (std::size_t i = 0; i < length && !queue_.empty(); ++i) {
        std::string step = std::move(queue_.front());
        queue_.pop_front();
        batch += step;
        batch += ';';
        tracker_.QueueCommand(std::move(step));
    }
    TrackerOutput& output = tracker_.Output();
    const TrackerConfig& config = tracker_.Config();
    output.SendToServer(ToServerCharset(ReplaceAll(batch, ";", "\r\n"), config.Charset, config.AddDoubleYaLor));
    output.SendToClient(ForTelnet(SpeedwalkSentLine(batch)));
}

void Speedwalk::SpeedwalkCommand(const std::string& argument) {
    if (argument.empty()) {
        ListAliases();
        return;
    }
    World& world = tracker_.TheWorld();
    if (world.CurrentRoom == nullptr) {
        Tell(PositionUnknownLine(captions_));
        return;
    }
    MudRoom* room = world.FindRoomByAlias(argument);
    // An alias no room carries, or the room the player stands in, leaves
    // everything as it was, the way back included.
    if (room == nullptr) {
        Tell(UnknownAliasLine(captions_, argument, ClosestAliases(world, argument)));
        return;
    }
    if (room == world.CurrentRoom) {
        Tell(AlreadyHereLine(captions_, argument));
        return;
    }
    world.TargetRoom = room;
    world.ReturnRoom = world.CurrentRoom;
    SpeedwalkResult result = WalkToTarget(SpeedwalkSender::Send);
    if (result.What == SpeedwalkResult::Kind::Message && OnMessage) OnMessage(result.Text);
}

void Speedwalk::ReturnCommand() {
    World& world = tracker_.TheWorld();
    if (world.CurrentRoom == nullptr || world.ReturnRoom == nullptr) return;
    world.TargetRoom = world.ReturnRoom;
    SpeedwalkResult result = WalkToTarget(SpeedwalkSender::Send);
    if (result.What == SpeedwalkResult::Kind::Message && OnMessage) OnMessage(result.Text);
}

void Speedwalk::ListAliases() {
    const World& world = tracker_.TheWorld();
    std::string text;
    for (const RoomSlot& slot : world.AllRooms()) {
        const MudRoom& room = *slot.Room();
        if (!room.QuickList.empty()) text += AliasListLine(room.QuickList, slot.Zone(), room.Hint);
    }
    if (text.empty()) {
        Tell(NoAliasesLine(captions_, tracker_.Config().SetAlias));
        return;
    }
    text += "\r\n\r\n";
    tracker_.Output().SendToClient(ForTelnet(std::move(text)));
}

void Speedwalk::Tell(const std::string& line) {
    tracker_.Output().SendToClient(ForTelnet(line));
}

std::string Speedwalk::ForTelnet(std::string text) const {
    return ForClient(std::move(text), tracker_.Config().AddDoubleYaLor);
}

}  // namespace trellan
