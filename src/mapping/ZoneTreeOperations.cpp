#include "mapping/ZoneTreeOperations.h"

#include "common/Errors.h"
#include "mapping/CrossLinkEntry.h"
#include "mapping/WorldCrossLinks.h"

namespace trellan {

ZoneTreeOperations::ZoneTreeOperations(World& world, ViewState& view, const MappingConfig& config, ZoneFiles& files,
                                       ZoneMessages messages, ZoneOperationHooks hooks)
    : world_(world), view_(view), config_(config), files_(files), messages_(messages), hooks_(std::move(hooks)) {}

bool ZoneTreeOperations::ZoneKnown(const std::string& zone) const {
    return !zone.empty() && (world_.Tree().FindZone(zone) != nullptr || !world_.RoomsOfZone(zone).empty());
}

void ZoneTreeOperations::SwitchZone(const std::string& zone, ZoneResult& result) {
    // The zone on show is written before another takes its place; failing
    // that, its rooms are still in memory for the next save.
    try {
        files_.SaveZone();
    } catch (const TrellanError& e) {
        result.Errors.push_back(e.what());
    }
    world_.ClearZone();
    world_.CurrentZone = zone;
    world_.LoadZone();
    view_.InvalidateRooms();
    view_.CenterOnCurrentRoom();
    if (hooks_.CaptionChanged) hooks_.CaptionChanged();
}

void ZoneTreeOperations::ShowRoom(MudRoom* room) {
    view_.CenterOnCurrentRoom();
    view_.DX = room->X;
    view_.DY = room->Y;
    view_.DL = room->L;
    view_.Refresh();
    // Marked after the refresh, which would clear it at once.
    view_.MarkChecked(room);
    if (view_.RepaintRequested) view_.RepaintRequested();
}

// --- Zones -----------------------------------------------------------------------

ZoneResult ZoneTreeOperations::OpenZone(const std::string& zone, bool fromMenu) {
    if (!ZoneKnown(zone)) return ZoneResult::Nothing();
    if (fromMenu && hooks_.TracingOff) hooks_.TracingOff();
    ZoneResult result;
    SwitchZone(zone, result);
    return result;
}

ZoneResult ZoneTreeOperations::RenameZone(const std::string& from, const std::string& to) {
    if (from == to || !ZoneKnown(from)) return ZoneResult::Nothing();
    // A bar would split every cross-link entry naming the zone.
    if (to.empty() || to.find('|') != std::string::npos) {
        return ZoneResult::Refused(messages_.CantRenameZone(from, to, messages_.BadZoneName()));
    }
    // Renaming onto a zone that is there would mix the two zones' rooms.
    if (ZoneKnown(to)) return ZoneResult::Refused(messages_.CantRenameZone(from, to, messages_.ZoneExists()));
    ZoneFileChange renamed = files_.RenameZoneFile(from, to);
    if (!renamed.Done) return ZoneResult::Refused(messages_.CantRenameZone(from, to, renamed.Why));

    world_.RenameZone(from, to);
    RenameCrossLinks(world_, from, to);
    if (hooks_.CaptionChanged) hooks_.CaptionChanged();
    return {};
}

void ZoneTreeOperations::RenameBookmark(MudRoom* room, std::string label) {
    if (room == nullptr || !world_.Contains(room) || room->QuickList == label) return;
    world_.SetRoomAlias(room, std::move(label));
}

ZoneResult ZoneTreeOperations::DeleteZone(const std::string& zone) {
    if (!ZoneKnown(zone)) return ZoneResult::Nothing();
    ZoneFileChange deleted = files_.DeleteZoneFile(zone);
    if (!deleted.Done) return ZoneResult::Refused(messages_.CantDeleteZone(zone, deleted.Why));

    if (zone == world_.CurrentZone) {
        if (hooks_.TracingOff) hooks_.TracingOff();
        world_.ClearZone();
        world_.CurrentRoom = nullptr;
    }
    world_.RemoveZone(zone);
    // A zone made later under the same name starts unlocked.
    world_.SetZoneLocked(zone, false);
    RemoveCrossLinksTo(world_, zone, config_);
    if (hooks_.CaptionChanged) hooks_.CaptionChanged();
    if (world_.CurrentZone.empty()) {
        view_.InvalidateRooms();
        view_.CenterOnCurrentRoom();
    }
    return {};
}

bool ZoneTreeOperations::ToggleZoneLock(const std::string& zone) {
    const bool locked = !world_.IsZoneLocked(zone);
    world_.SetZoneLocked(zone, locked);
    return locked;
}

// --- Bookmarks ---------------------------------------------------------------------

MudRoom* ZoneTreeOperations::BookmarkTargetRoom() {
    MudRoom* room = world_.TargetRoom;
    if (room == nullptr || world_.Tree().FindZone(world_.CurrentZone) == nullptr) return nullptr;
    // The alias is the label: a room without a name would get no node.
    if (room->Hint.empty()) return nullptr;
    world_.SetRoomAlias(room, room->Hint);
    return room;
}

void ZoneTreeOperations::UnbookmarkTargetRoom() {
    MudRoom* room = world_.TargetRoom;
    if (room != nullptr && !room->QuickList.empty()) world_.SetRoomAlias(room, "");
}

void ZoneTreeOperations::UnbookmarkRoom(MudRoom* room) {
    if (room == nullptr || !world_.Contains(room)) return;
    world_.SetRoomAlias(room, "");
    world_.MapSaved = false;
}

ZoneResult ZoneTreeOperations::ShowBookmarkedRoom(MudRoom* room) {
    if (room == nullptr || !world_.Contains(room)) return ZoneResult::Nothing();
    ZoneResult result;
    const std::string zone = world_.ZoneOf(room);
    if (zone != world_.CurrentZone || world_.ShownZone() != zone) SwitchZone(zone, result);
    ShowRoom(room);
    return result;
}

ZoneResult ZoneTreeOperations::ShowCrossLinkZone(int tag) {
    MudRoom* target = world_.TargetRoom;
    if (target == nullptr || tag < 0 || static_cast<std::size_t>(tag) >= target->AutoMaps.size()) {
        return ZoneResult::Nothing();
    }
    const std::string text = target->AutoMaps[tag];
    const CrossLinkEntry entry = CrossLinkEntry::Parse(text);
    if (entry.Zone.empty()) return ZoneResult::Nothing();
    const std::optional<std::int32_t> number = entry.RoomNumber();
    if (!number) return ZoneResult::Refused(messages_.BadCrossLink(text));
    // An entry into a zone that is gone must not bring it back empty.
    if (!ZoneKnown(entry.Zone)) return ZoneResult::Nothing();

    ZoneResult result;
    if (entry.Zone != world_.CurrentZone || world_.ShownZone() != entry.Zone) SwitchZone(entry.Zone, result);
    if (MudRoom* room = world_.FindRoomByTag(*number)) ShowRoom(room);
    return result;
}

}  // namespace trellan
