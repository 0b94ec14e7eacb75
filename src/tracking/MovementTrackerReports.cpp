// Pairing the server's room reports (MSDP, GMCP) with the room texts they
// describe. A report stands as a marker where it arrived in the text; most
// servers send it before the room's text (even before the line that says
// where the player went), some right after it.
#include <algorithm>

#include "model/MudRoom.h"
#include "model/World.h"
#include "proxy/DebugLog.h"
#include "text/W1251.h"
#include "tracking/MovementTracker.h"

namespace trellan {

namespace {

std::optional<FoundMarker> LastMarker(std::string_view text) {
    std::optional<FoundMarker> last;
    std::size_t from = 0;
    while (std::optional<FoundMarker> marker = FindRoomReportMarker(text, from)) {
        last = marker;
        from = marker->Position + marker->Length;
    }
    return last;
}

}  // namespace

void MovementTracker::AddRoomReport(const RoomReport& report) {
    if (lastReport_ && lastReport_->Sequence == report.Sequence) {
        lastReport_->MergeFrom(report);
    } else {
        lastReport_ = report;
    }
    for (RoomReport& waiting : reports_) {
        if (waiting.Sequence == report.Sequence) {
            waiting.MergeFrom(report);
            return;
        }
    }
    if (reports_.size() >= MaxWaitingReports) reports_.pop_front();
    reports_.push_back(report);
}

void MovementTracker::PairLookWithLastReport() {
    if (parsedReport_ || !lastReport_ || lastReport_->Identity.empty()) return;
    if (IsDark(parsed_.ParsedName) || lastReport_->Name != parsed_.ParsedName) return;
    parsedReport_ = lastReport_;
    log_.Log(W1251("TranslateCMD: номер комнаты по последнему сообщению сервера: ") + lastReport_->Identity);
}

void MovementTracker::PairReport(const std::string& before) {
    parsedReport_.reset();
    const std::size_t consumedLength = before.size() - outputBuffer_.size();
    std::string_view consumed = std::string_view(before).substr(0, consumedLength);
    std::optional<FoundMarker> earlier = LastMarker(consumed);

    // A report right behind the room: before the next room's name or exits.
    std::optional<FoundMarker> later = FindRoomReportMarker(outputBuffer_);
    if (later) {
        std::size_t nextRoom = std::min(outputBuffer_.find(config_.Parser.RoomNameStart),
                                        outputBuffer_.find(config_.Parser.AutoexitStart));
        if (config_.Parser.RoomNameStart.empty() || later->Position > nextRoom) later.reset();
    }
    auto find = [&](const std::optional<FoundMarker>& marker) -> const RoomReport* {
        if (!marker) return nullptr;
        for (const RoomReport& report : reports_) {
            if (report.Sequence == marker->Sequence) return &report;
        }
        return nullptr;
    };
    const RoomReport* before_ = find(earlier);
    const RoomReport* after = find(later);
    auto named = [&](const RoomReport* report) {
        return report != nullptr && !report->Name.empty() && report->Name == parsed_.ParsedName;
    };
    const RoomReport* chosen = before_;
    if (after != nullptr) {
        if (before_ == nullptr || (named(after) && !named(before_)) ||
            (reportsFollowText_ && named(after) == named(before_))) {
            chosen = after;
        }
    }
    if (chosen != nullptr && chosen == after && before_ != nullptr && named(after)) reportsFollowText_ = true;

    std::uint32_t done = earlier ? earlier->Sequence : 0;
    if (chosen != nullptr) {
        parsedReport_ = *chosen;
        done = std::max(done, chosen->Sequence);
        if (chosen == after) outputBuffer_.erase(later->Position, later->Length);
        log_.Log(W1251("TranslateCMD: номер комнаты на сервере: ") + chosen->Identity);
    }
    // Reports up to this one have had their room text (or never will).
    while (!reports_.empty() && reports_.front().Sequence <= done) reports_.pop_front();
}

const std::string& MovementTracker::ParsedIdentity() const {
    static const std::string none;
    return parsedReport_ ? parsedReport_->Identity : none;
}

bool MovementTracker::IdentityAllows(const MudRoom* room) const {
    const std::string& id = ParsedIdentity();
    return room != nullptr && (id.empty() || room->ServerId.empty() || room->ServerId == id);
}

void MovementTracker::AdoptIdentity(MudRoom* room) {
    const std::string& id = ParsedIdentity();
    if (room == nullptr || id.empty() || !room->ServerId.empty() || room->Pipe) return;
    if (walkingMode_ || world_.CurrentZoneLocked) return;
    if (world_.SetRoomServerId(room, id)) world_.MapSaved = false;
}

}  // namespace trellan
