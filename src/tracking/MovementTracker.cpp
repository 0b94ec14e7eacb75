#include "tracking/MovementTracker.h"

#include <utility>

#include "mapping/Placement.h"
#include "model/World.h"
#include "proxy/DebugLog.h"
#include "text/TextUtils.h"
#include "text/W1251.h"
#include "tracking/ClientLines.h"
#include "tracking/RoomQueries.h"

namespace trellan {

MovementTracker::MovementTracker(World& world, Placement& placement, Linker& linker, DebugLog& log,
                                 TrackerOutput& output)
    : world_(world), placement_(placement), linker_(linker), log_(log), output_(output) {}

MovementTracker::~MovementTracker() = default;

bool MovementTracker::ShortMode() const {
    return world_.ShortMode();
}

void MovementTracker::QueueCommand(std::string command) {
    if (commandQueue_.size() >= MaxCommandQueue) {
        // Thousands of commands without an answer cannot be paired with
        // anything any more; the newest count.
        commandQueue_.pop_front();
    }
    if (tracing_ && IsMove(command)) recognition_.MoveQueued();
    commandQueue_.push_back(std::move(command));
}

bool MovementTracker::IsMove(std::string_view command) const {
    for (const std::string* prefix : {&config_.Sneakwalk, &config_.Fleewalk}) {
        if (!prefix->empty() && command.size() > prefix->size() && command.starts_with(*prefix) &&
            command[prefix->size()] == ' ') {
            command.remove_prefix(prefix->size() + 1);
        }
    }
    return MoveDirection(command, config_.Parser).has_value();
}

void MovementTracker::WarnWhenNothingIsRecognised() {
    if (!tracing_) return;
    std::optional<std::string> warning = recognition_.TakeWarning();
    if (!warning) return;
    log_.Log("TranslateCmd: " + *warning);
    if (output_.ClientAndServerConnected()) output_.SendToClient("\r\n\033[1;33m<Trellan> : " + *warning + "\033[0m\r\n");
}

void MovementTracker::ResetQueue() {
    commandQueue_.clear();
    outputBuffer_.clear();
}

void MovementTracker::ProcessServerText(const std::string& text) {
    if (tracing_) recognition_.ServerText(text, config_.Parser);
    outputBuffer_ += text;
    currentCommand_.clear();
    settled_ = true;
    while (!outputBuffer_.empty() && settled_) {
        std::size_t bufferBefore = outputBuffer_.size();
        std::size_t queueBefore = commandQueue_.size();
        RunPass();
        // A settled pass consumes output or a command; one that did neither
        // would be repeated for ever.
        if (outputBuffer_.size() == bufferBefore && commandQueue_.size() == queueBefore) break;
    }
    WarnWhenNothingIsRecognised();
    if (tracing_ && commandQueue_.empty()) speedwalk_->SendNextBatch();
    BoundOutputBuffer();
}

void MovementTracker::RunPass() {
    objects_->ReceiveSharedObjects(outputBuffer_);
    StripSharedLines();
    log_.Log(W1251("TranslateCmd: старт цикла."));
    settled_ = false;
    parsed_ = ParsedRoom();

    while (!commandQueue_.empty() && commandQueue_.front().empty()) commandQueue_.pop_front();
    currentCommand_ = commandQueue_.empty() ? std::string() : commandQueue_.front();
    log_.Log(W1251("TranslateCmd: Команда: ") + currentCommand_ + W1251(", размер списка: ") +
               std::to_string(commandQueue_.size()));

    if (world_.CurrentRoom != nullptr) world_.CurrentRoom->Selected = false;
    std::size_t exitsStart =
        config_.Parser.AutoexitStart.empty() ? std::string::npos : outputBuffer_.find(config_.Parser.AutoexitStart);

    ScanPanic();
    ScanFollow();
    objects_->CaptureLore(outputBuffer_, exitsStart);
    ScanTriggers(exitsStart);

    if (commandQueue_.empty() && exitsStart != std::string::npos) {
        currentCommand_ = config_.Look;
        commandQueue_.push_back(config_.Look);
        log_.Log(W1251("Список команд пуст, но есть описание комнаты, вставлено: ") + currentCommand_);
    }

    if (!tracing_) {
        currentCommand_.clear();
        commandQueue_.clear();
        outputBuffer_.clear();
        settled_ = false;
    } else if (!currentCommand_.empty()) {
        // A sneaking or fleeing move is still the move.
        for (const std::string* prefix : {&config_.Sneakwalk, &config_.Fleewalk}) {
            std::string withBlank = *prefix + " ";
            if (!prefix->empty() && currentCommand_.compare(0, withBlank.size(), withBlank) == 0) {
                currentCommand_.erase(0, withBlank.size());
            }
        }
        // Any word the MUD takes for a direction is that direction's move.
        currentCommand_ = CanonicalMove(currentCommand_, config_.Parser);
        SettleAndRemember();
    }

    if (world_.CurrentRoom != nullptr) world_.CurrentRoom->Selected = true;
    EndPass();
}

void MovementTracker::EndPass() {
    if (commandQueue_.empty() && !settled_) {
        // Rooms nobody asked for (the game moved the player while tracing
        // was off, or a look already answered) must not be paired with the
        // next command.
        ParsedRoom stale;
        while (ParseRoom(outputBuffer_, config_.Parser, stale)) {
            recognition_.RoomRecognised();
            log_.Log(W1251("TranslateCMD.Deleted: Описатель комнаты:") + stale.ParsedName + "\r\n" +
                       stale.ParsedDesc + "\r\n" + stale.ParsedExits);
        }
    }
    if (currentCommand_ == TranslationDone && !commandQueue_.empty()) {
        log_.Log(W1251("TranslateCMD.Deleted: Отработавшая команда: ") + commandQueue_.front());
        commandQueue_.pop_front();
    }
    log_.Log("TranslateCMD: sIncoming length=" + std::to_string(outputBuffer_.size()));
}

void MovementTracker::BoundOutputBuffer() {
    if (outputBuffer_.size() <= MaxOutputBuffer) return;
    // What is left after the passes holds no complete room; a room whose
    // exits line has not ended within the limit never will. Keep the newest
    // text, from a line start where there is one.
    std::size_t cut = outputBuffer_.size() - MaxOutputBuffer;
    std::size_t lineStart = outputBuffer_.find('\n', cut);
    if (lineStart != std::string::npos && lineStart + 1 < outputBuffer_.size()) cut = lineStart + 1;
    log_.Log("TranslateCMD: " + std::to_string(cut) + " bytes without a room dropped");
    outputBuffer_.erase(0, cut);
}

void MovementTracker::SetTracing(TracingSwitch to) {
    bool toTracing = to == TracingSwitch::On;
    if (output_.ClientAndServerConnected()) {
        if (!toTracing && tracing_) {
            output_.SendToClient("\r\n\033[1;33m<Trellan> : Tracing now \033[1;31mOFF\033[0m\r\n");
        } else if (toTracing && !tracing_) {
            output_.SendToClient("\r\n\033[1;33m<Trellan> : Tracing now \033[1;32mON\033[0m\r\n");
        }
    }
    if (toTracing != tracing_) recognition_.Restart();
    tracing_ = toTracing;
    output_.TracingChanged(tracing_);
    if (tracing_ && world_.CurrentZone.empty()) output_.StartNewZone();
    if (!tracing_) {
        if (MudRoom* room = world_.CurrentRoom) {
            room->Selected = false;
            placement_.View().MarkChecked(room);
            world_.CurrentRoom = nullptr;
        }
        commandQueue_.clear();
        currentCommand_.clear();
        outputBuffer_.clear();
        // A repaint, not a refresh: the refresh would clear the mark at once.
        if (placement_.View().RepaintRequested) placement_.View().RepaintRequested();
    }
}

void MovementTracker::ChangeWalkingMode(bool on) {
    walkingMode_ = on;
    output_.WalkingModeChanged(on);
    if (output_.ClientAndServerConnected()) {
        output_.SendToClient(on ? "\r\n\033[1;33m<Trellan> : Walking mode now \033[1;32mON\033[0m\r\n"
                                : "\r\n\033[1;33m<Trellan> : Walking mode now \033[1;31mOFF\033[0m\r\n");
    }
}

void MovementTracker::ToggleShortMode() {
    world_.SetShortMode(!world_.ShortMode());
    output_.ShortModeChanged(world_.ShortMode());
}

void MovementTracker::SettleAndRemember() {
    MudRoom* before = world_.CurrentRoom;
    Step step;
    if (before != nullptr) step = Step{world_.ZoneOf(before), before->Tag, currentCommand_};
    struct MapStep {
        TrackerOutput& Output;
        explicit MapStep(TrackerOutput& output) : Output(output) { Output.MapStepBegins(); }
        ~MapStep() { Output.MapStepEnds(); }
    } mapStep(output_);
    Settle();
    if (before != nullptr && world_.CurrentRoom != before && step.Tag > 0) lastStep_ = std::move(step);
}

void MovementTracker::LossOfPosition(PositionLoss reason) {
    const bool told = tracing_ && output_.ClientAndServerConnected();
    const std::string command = currentCommand_;
    SetTracing(TracingSwitch::Off);
    if (told) {
        output_.SendToClient(ForClient(PositionLossLine(reason, command, config_, captions_), config_.AddDoubleYaLor));
    }
}

}  // namespace trellan
