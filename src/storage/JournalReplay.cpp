#include "storage/JournalReplay.h"

#include <algorithm>
#include <memory>

#include "common/Errors.h"
#include "model/RoomDefaults.h"
#include "model/World.h"
#include "model/zonefile/ZoneFileReader.h"
#include "storage/JournalFormat.h"

namespace trellan {

namespace {

[[noreturn]] void DoesNotFit(const std::string& zone, const std::string& why) {
    throw FileFormatError(std::string(journal::kFileName) + ": change of zone <" + zone + "> does not fit: " + why);
}

}  // namespace

MudRoom JournalReplay::ReadRecord(const std::string& record) const {
    // A record without BColor is silver, as when a zone file is read.
    MudRoom room;
    room.BColor = kColorSilver;
    ZoneFileReader reader(record, std::string(journal::kFileName), words_);
    reader.ReadRoom(room);
    return room;
}

void JournalReplay::Apply(const ZoneChange& change) {
    switch (change.What) {
    case ZoneChange::Kind::Snapshot:
        Snapshot(change);
        break;
    case ZoneChange::Kind::Patch:
        Patch(change);
        break;
    case ZoneChange::Kind::Removed:
        zones_.erase(change.Zone);
        removed_.push_back(change.Zone);
        if (world_.HasZone(change.Zone)) {
            world_.RemoveZone(change.Zone);
        }
        break;
    }
}

void JournalReplay::Snapshot(const ZoneChange& change) {
    std::vector<MudRoom*> old;
    for (const RoomSlot& slot : world_.RoomsOfZone(change.Zone)) old.push_back(slot.Room());
    world_.DeleteRooms(old);
    std::vector<MudRoom*>& rooms = zones_[change.Zone];
    rooms.clear();
    world_.AddZoneNode(change.Zone);
    for (const std::string& record : change.Rooms) {
        rooms.push_back(world_.AddLoadedRoom(change.Zone, std::make_unique<MudRoom>(ReadRecord(record))));
    }
}

void JournalReplay::Patch(const ZoneChange& change) {
    auto zone = zones_.find(change.Zone);
    if (zone == zones_.end() && base_ == PatchBase::WorldZone) {
        std::vector<MudRoom*> rooms;
        for (const RoomSlot& slot : world_.RoomsOfZone(change.Zone)) rooms.push_back(slot.Room());
        zone = zones_.emplace(change.Zone, std::move(rooms)).first;
    }
    if (zone == zones_.end()) DoesNotFit(change.Zone, "no snapshot of the zone before its edits");
    std::vector<MudRoom*>& rooms = zone->second;
    for (const RoomEdit& edit : change.Edits) {
        if (edit.What != RoomEdit::Kind::Append && edit.Position >= rooms.size()) {
            DoesNotFit(change.Zone, "room position " + std::to_string(edit.Position) + " of " +
                                        std::to_string(rooms.size()));
        }
        switch (edit.What) {
        case RoomEdit::Kind::Remove:
            world_.RemoveRoom(rooms[edit.Position]);
            rooms.erase(rooms.begin() + edit.Position);
            break;
        case RoomEdit::Kind::Replace:
            Overwrite(rooms[edit.Position], ReadRecord(edit.Record));
            break;
        case RoomEdit::Kind::Append:
            world_.AddZoneNode(change.Zone);
            rooms.push_back(world_.AddLoadedRoom(change.Zone, std::make_unique<MudRoom>(ReadRecord(edit.Record))));
            break;
        }
    }
}

void JournalReplay::Overwrite(MudRoom* room, MudRoom from) {
    // The indexed fields through the world first; once they are equal, the
    // plain assignment changes only the others.
    world_.MoveRoom(room, from.X, from.Y, from.L);
    world_.SetRoomTag(room, from.Tag);
    world_.SetRoomText(room, from.Hint, from.Description, from.Exits(), words_);
    world_.SetRoomAlias(room, from.QuickList);
    *room = std::move(from);
    world_.NoteRoomEdited(room);
}

std::vector<std::string> JournalReplay::Zones() const {
    std::vector<std::string> zones = removed_;
    for (const auto& [zone, rooms] : zones_) zones.push_back(zone);
    std::sort(zones.begin(), zones.end());
    zones.erase(std::unique(zones.begin(), zones.end()), zones.end());
    return zones;
}

}  // namespace trellan
