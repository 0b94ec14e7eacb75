#include "storage/ZoneRecordMirror.h"

#include <stdexcept>

#include "model/MudRoom.h"
#include "model/zonefile/ZoneFileReader.h"
#include "model/zonefile/ZoneFileWriter.h"

namespace trellan {

namespace {

ZoneChange SnapshotOf(const std::string& zone, std::vector<std::string> rooms) {
    return ZoneChange{ZoneChange::Kind::Snapshot, zone, std::move(rooms), {}};
}

ZoneChange RemovalOf(const std::string& zone) {
    return ZoneChange{ZoneChange::Kind::Removed, zone, {}, {}};
}

std::string WithoutMarks(const std::string& record) {
    MudRoom room;
    ZoneFileReader reader(record, "undo", ExitWords{});
    reader.ReadRoom(room);
    room.Selected = false;
    room.Checked = false;
    std::string out;
    AppendRoomRecord(out, room);
    return out;
}

std::size_t BytesOf(const ZoneChange& change) {
    std::size_t bytes = sizeof(ZoneChange) + change.Zone.size();
    for (const std::string& room : change.Rooms) bytes += sizeof(std::string) + room.size();
    for (const RoomEdit& edit : change.Edits) bytes += sizeof(RoomEdit) + edit.Record.size();
    return bytes;
}

}  // namespace

bool DiffersOnlyInMarks(const std::string& a, const std::string& b) {
    if (a == b) return true;
    try {
        return WithoutMarks(a) == WithoutMarks(b);
    } catch (const std::exception&) {
        return false;
    }
}

std::size_t ZoneUndoRecord::Bytes() const {
    return BytesOf(Before) + BytesOf(After);
}

void ZoneRecordMirror::Prime(std::vector<ZoneChange> snapshots) {
    zones_.clear();
    for (ZoneChange& change : snapshots) {
        if (change.What == ZoneChange::Kind::Snapshot) zones_[change.Zone] = std::move(change.Rooms);
    }
}

ZoneUndoRecord ZoneRecordMirror::Absorb(ZoneChange change) {
    ZoneUndoRecord record;
    const std::string zone = change.Zone;
    auto known = zones_.find(zone);
    switch (change.What) {
        case ZoneChange::Kind::Removed:
            record.Before = known == zones_.end() ? RemovalOf(zone) : SnapshotOf(zone, std::move(known->second));
            if (known != zones_.end()) zones_.erase(known);
            break;
        case ZoneChange::Kind::Snapshot:
            record.Before = known == zones_.end() ? RemovalOf(zone) : SnapshotOf(zone, std::move(known->second));
            zones_[zone] = change.Rooms;
            break;
        case ZoneChange::Kind::Patch: {
            // A collector patches only zones it has reported, which this mirror
            // has taken too.
            if (known == zones_.end()) throw std::logic_error("undo: a patch of a zone never seen: " + zone);
            std::vector<std::string>& rooms = known->second;
            bool removes = false;
            for (const RoomEdit& edit : change.Edits) removes = removes || edit.What == RoomEdit::Kind::Remove;
            if (removes) record.Before = SnapshotOf(zone, rooms);
            std::vector<RoomEdit> reverse;
            bool marksOnly = true;
            for (const RoomEdit& edit : change.Edits) {
                switch (edit.What) {
                    case RoomEdit::Kind::Remove:
                        marksOnly = false;
                        rooms.erase(rooms.begin() + edit.Position);
                        break;
                    case RoomEdit::Kind::Replace:
                        marksOnly = marksOnly && DiffersOnlyInMarks(rooms.at(edit.Position), edit.Record);
                        if (!removes) reverse.push_back({RoomEdit::Kind::Replace, edit.Position, rooms[edit.Position]});
                        rooms[edit.Position] = edit.Record;
                        break;
                    case RoomEdit::Kind::Append:
                        marksOnly = false;
                        rooms.push_back(edit.Record);
                        if (!removes) {
                            reverse.push_back(
                                {RoomEdit::Kind::Remove, static_cast<std::uint32_t>(rooms.size() - 1), {}});
                        }
                        break;
                }
            }
            if (!removes) {
                record.Before = ZoneChange{ZoneChange::Kind::Patch, zone, {}, {reverse.rbegin(), reverse.rend()}};
            }
            record.MarksOnly = marksOnly;
            break;
        }
    }
    record.After = std::move(change);
    return record;
}

}  // namespace trellan
