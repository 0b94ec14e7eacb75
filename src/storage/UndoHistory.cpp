#include "storage/UndoHistory.h"

#include <algorithm>
#include <set>
#include <unordered_map>

#include "model/World.h"
#include "storage/JournalReplay.h"
#include "text/W1251.h"

namespace trellan {

namespace {

// A reference of the program to a room, found again by zone and number
// after its zone was put back whole.
struct RoomRef {
    MudRoom** Holder;
    std::string Zone;
    std::int32_t Tag = 0;
};

// The server's identities are kept beside the zone files, not in the
// records, so rooms put back from records are given theirs again. A room is
// known by its cell and texts, which a renamed or split zone keeps.
std::string IdentityKey(const MudRoom& room) {
    return std::to_string(room.X) + ',' + std::to_string(room.Y) + ',' + std::to_string(room.L) + '\n' + room.Hint +
           '\n' + room.Description;
}

}  // namespace

UndoHistory::UndoHistory(World& world)
    : FallbackName(W1251("изменение карты")), world_(world), collector_(world, MapEdits::Reader::Undo) {}

UndoHistory::~UndoHistory() {
    world_.Edits().Unfollow(MapEdits::Reader::Undo);
}

void UndoHistory::Clear() {
    started_ = false;
    mirror_.Clear();
    undo_.clear();
    redo_.clear();
    bytes_ = 0;
    world_.Edits().Unfollow(MapEdits::Reader::Undo);
}

void UndoHistory::Start() {
    // Every zone reported whole once: the records to step back to.
    collector_.Forget();
    std::set<std::string> zones;
    for (const ZoneNode& node : world_.Tree().Zones()) zones.insert(node.Text);
    const std::string* previous = nullptr;
    for (const RoomSlot& slot : world_.AllRooms()) {
        if (previous != nullptr && *previous == slot.Zone()) continue;
        previous = &slot.Zone();
        zones.insert(slot.Zone());
    }
    for (const std::string& zone : zones) collector_.Touch(zone);
    mirror_.Prime(collector_.Collect());
    started_ = true;
}

void UndoHistory::Begin(const std::string& name) {
    if (depth_++ > 0) return;
    if (!started_) {
        Start();
    } else {
        Close(FallbackName);
    }
    open_ = name;
}

void UndoHistory::End() {
    if (depth_ == 0 || --depth_ > 0) return;
    if (started_) Close(open_);
}

void UndoHistory::Close(const std::string& name) {
    std::vector<ZoneChange> changes = collector_.Collect();
    if (changes.empty()) return;
    Entry entry{name, {}, 0};
    bool marksOnly = true;
    for (ZoneChange& change : changes) {
        entry.Zones.push_back(mirror_.Absorb(std::move(change)));
        marksOnly = marksOnly && entry.Zones.back().MarksOnly;
        entry.Bytes += entry.Zones.back().Bytes();
    }
    if (marksOnly) return;
    for (const Entry& undone : redo_) bytes_ -= undone.Bytes;
    redo_.clear();
    bytes_ += entry.Bytes;
    undo_.push_back(std::move(entry));
    Bound();
}

void UndoHistory::Bound() {
    while (undo_.size() > kMaxSteps || (bytes_ > kMaxBytes && undo_.size() > 1)) {
        bytes_ -= undo_.front().Bytes;
        undo_.pop_front();
    }
}

std::optional<std::string> UndoHistory::UndoName() {
    if (started_ && depth_ == 0) Close(FallbackName);
    if (undo_.empty()) return std::nullopt;
    return undo_.back().Name;
}

std::optional<std::string> UndoHistory::RedoName() const {
    if (redo_.empty()) return std::nullopt;
    return redo_.back().Name;
}

std::optional<UndoOutcome> UndoHistory::Undo(const ExitWords& words) {
    if (depth_ > 0 || !started_) return std::nullopt;
    Close(FallbackName);
    if (undo_.empty()) return std::nullopt;
    Entry entry = std::move(undo_.back());
    undo_.pop_back();
    UndoOutcome outcome = Apply(entry, true, words);
    redo_.push_back(std::move(entry));
    return outcome;
}

std::optional<UndoOutcome> UndoHistory::Redo(const ExitWords& words) {
    if (depth_ > 0 || !started_ || redo_.empty()) return std::nullopt;
    // A change since the undo is a new step, and the undone ones are gone.
    Close(FallbackName);
    if (redo_.empty()) return std::nullopt;
    Entry entry = std::move(redo_.back());
    redo_.pop_back();
    UndoOutcome outcome = Apply(entry, false, words);
    undo_.push_back(std::move(entry));
    return outcome;
}

UndoOutcome UndoHistory::Apply(const Entry& entry, bool undo, const ExitWords& words) {
    UndoOutcome outcome;
    outcome.Step = entry.Name;
    std::vector<RoomRef> refs;
    for (MudRoom** holder : {&world_.CurrentRoom, &world_.TargetRoom, &world_.ReturnRoom}) {
        if (*holder != nullptr) refs.push_back({holder, world_.ZoneOf(*holder), (*holder)->Tag});
    }
    // A room given another record keeps its object (an address taken by a
    // new room must show the same number); one put back anew is known by its
    // cell and texts.
    std::unordered_map<const MudRoom*, std::pair<std::int32_t, std::string>> kept;
    std::unordered_map<std::string, std::string> identities;
    for (const ZoneUndoRecord& zone : entry.Zones) {
        for (const RoomSlot& slot : world_.RoomsOfZone(zone.After.Zone)) {
            const MudRoom& room = *slot.Room();
            if (room.ServerId.empty()) continue;
            kept.emplace(&room, std::make_pair(room.Tag, room.ServerId));
            identities.emplace(IdentityKey(room), room.ServerId);
        }
    }
    JournalReplay replay(world_, words, JournalReplay::PatchBase::WorldZone);
    // Undo takes the zones back in the reverse of the order they changed.
    const auto apply = [&](const ZoneUndoRecord& zone) {
        const ZoneChange& change = undo ? zone.Before : zone.After;
        replay.Apply(change);
        outcome.Zones.push_back(change.Zone);
        if (change.What == ZoneChange::Kind::Removed) outcome.RemovedZones.push_back(change.Zone);
    };
    if (undo) {
        std::for_each(entry.Zones.rbegin(), entry.Zones.rend(), apply);
    } else {
        std::for_each(entry.Zones.begin(), entry.Zones.end(), apply);
    }
    if (!identities.empty()) {
        for (const std::string& zone : outcome.Zones) {
            for (const RoomSlot& slot : world_.RoomsOfZone(zone)) {
                MudRoom* room = slot.Room();
                if (!room->ServerId.empty() || room->Pipe) continue;
                if (auto same = kept.find(room); same != kept.end() && same->second.first == room->Tag) {
                    world_.SetRoomServerId(room, same->second.second);
                } else if (auto known = identities.find(IdentityKey(*room)); known != identities.end()) {
                    world_.SetRoomServerId(room, known->second);
                }
            }
        }
    }
    for (const RoomRef& ref : refs) {
        if (*ref.Holder == nullptr && ref.Tag > 0) *ref.Holder = world_.GlobalFindRoomByTag(ref.Tag, ref.Zone);
    }
    world_.MapSaved = false;
    Resync(outcome.Zones);
    return outcome;
}

void UndoHistory::Resync(const std::vector<std::string>& zones) {
    // Rooms put back are added as loaded rooms, which the edit log does not
    // name: the zones are compared whole.
    for (const std::string& zone : zones) collector_.Touch(zone);
    for (ZoneChange& change : collector_.Collect()) mirror_.Absorb(std::move(change));
}

}  // namespace trellan
