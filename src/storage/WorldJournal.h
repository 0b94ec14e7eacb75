#pragma once
// Keeps the change journal of the open world: once a second (Flush) what
// changed in the map since the last flush goes to "journal.trj" in the
// world's directory and to disk; a whole save empties it; opening a world
// whose journal is not empty puts its changes back on top of the files.
//
// Why whole-room records found by comparison: the map changes through many
// paths (the tracker, placement, linking, the room menu, the property form,
// the zone tree...), many of which assign room fields directly. Comparing
// each reported zone's rooms with what was journaled before catches every
// one of them exactly, and replay needs no knowledge of the operations: it
// gives the rooms the recorded contents and order (see ZoneChangeCollector).
#include <cstddef>
#include <memory>
#include <set>
#include <string>

#include "model/ExitWords.h"
#include "storage/ChangeJournal.h"
#include "storage/ZoneChangeCollector.h"

namespace trellan {

class World;

struct JournalRecovery {
    // Journal records put back into the map.
    std::size_t Changes = 0;
    // The journal was damaged: what was wrong and where it was moved (UTF-8
    // path; empty when it could not be moved).
    bool Damaged = false;
    std::string Damage;
    std::string SetAsidePath;
    // The last record had been cut short by a crash and was left out.
    bool Torn = false;
};

class WorldJournal {
public:
    // `world` must outlive the journal.
    explicit WorldJournal(World& world) : world_(world), collector_(world) {}

    // The world in `directory` has just been read from its files: its
    // journal is opened and, when not empty, replayed on top (the map is
    // then marked unsaved).
    JournalRecovery Open(const std::string& directory, const ExitWords& words);

    enum class FlushOutcome { Nothing, Written, Failed };
    // What changed since the last flush, written and forced to disk. Failed
    // keeps the changes queued for the next flush.
    FlushOutcome Flush();

    // The map in memory is what the files of `directory` hold (a whole save,
    // a revert): the journal there starts empty.
    void Saved(const std::string& directory);

    // The zone changed beyond what the world's edit log names (undo and redo
    // put rooms back as loaded rooms): the next flush compares it whole.
    void Touch(const std::string& zone) { collector_.Touch(zone); }

    bool IsOpen() const { return file_ != nullptr; }
    const std::string& Path() const;
    int LastError() const { return file_ ? file_->LastError() : 0; }
    // Zones changed since the last whole save (journaled or replayed).
    const std::set<std::string>& ChangedZones() const { return changedZones_; }

private:
    void UseDirectory(const std::string& directory);

    World& world_;
    ZoneChangeCollector collector_;
    std::unique_ptr<ChangeJournal> file_;
    std::string directory_;
    std::set<std::string> changedZones_;
};

}  // namespace trellan
