#pragma once
// The zone-file records of every zone as the last undo step left them, for
// the undo history to take a step back from. Each change the history's
// collector reports is absorbed here: the records follow it, and the change
// comes back with its reverse, both as ZoneChange records.
//
// The reverse of a patch that only replaces and appends rooms is a patch
// (the old records back, the new rooms off the end); a removed room cannot be
// put back between others by position, so the reverse of a patch that
// removes rooms, of a snapshot and of a removal is the zone's old snapshot
// (or the zone's removal, for a zone that had no rooms).
#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/ZoneChange.h"

namespace trellan {

// One zone's part of an undo step: what undo and redo apply.
struct ZoneUndoRecord {
    ZoneChange Before;
    ZoneChange After;
    // The change only moved the current-room highlight or the found marks
    // (Selected, Checked), which the tracker and the search set all the time.
    bool MarksOnly = false;
    std::size_t Bytes() const;
};

class ZoneRecordMirror {
public:
    // The zones' records as they stand: the snapshots a collector that has
    // been told to look at every zone reports.
    void Prime(std::vector<ZoneChange> snapshots);
    void Clear() { zones_.clear(); }

    // Takes one change reported since the last look; returns it with its
    // reverse.
    ZoneUndoRecord Absorb(ZoneChange change);

    std::size_t ZoneCount() const { return zones_.size(); }

private:
    std::unordered_map<std::string, std::vector<std::string>> zones_;
};

// Whether two records of a room differ in nothing but Selected and Checked.
bool DiffersOnlyInMarks(const std::string& a, const std::string& b);

}  // namespace trellan
