#pragma once
// The undo history of the open world: every map change as a named step that
// can be taken back and done again.
//
// A step runs from Begin to End (nested steps are one: the outermost names
// it). At its end the history's own change collector reports what changed
// since the last step, per zone, as the same ZoneChange records the change
// journal writes; a ZoneRecordMirror gives each its reverse. Undo and redo
// apply those records through JournalReplay, so undoing gives every room its
// exact record again. A change made outside any step becomes a step of its
// own (FallbackName) at the next boundary; a step that only moved the
// highlight of the current room or the found marks is not kept.
//
// The history starts the first time a step begins after Clear: the mirror is
// filled from every zone once. It keeps at most kMaxSteps steps and drops
// the oldest beyond kMaxBytes of records (a step of a large zone may hold
// the zone whole twice).
#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "model/ExitWords.h"
#include "storage/ZoneChangeCollector.h"
#include "storage/ZoneRecordMirror.h"

namespace trellan {

class World;

struct UndoOutcome {
    std::string Step;
    // The zones it changed, and those of them it removed.
    std::vector<std::string> Zones;
    std::vector<std::string> RemovedZones;
};

class UndoHistory {
public:
    static constexpr std::size_t kMaxSteps = 1000;
    static constexpr std::size_t kMaxBytes = std::size_t{256} << 20;

    // `world` must outlive the history.
    explicit UndoHistory(World& world);
    ~UndoHistory();

    void Begin(const std::string& name);
    void End();

    // A step from construction to destruction; none when there is no
    // history (a part used without one, as in tests).
    class Step {
    public:
        Step(UndoHistory& history, const std::string& name) : Step(&history, name) {}
        Step(UndoHistory* history, const std::string& name) : history_(history) {
            if (history_ != nullptr) history_->Begin(name);
        }
        ~Step() {
            if (history_ != nullptr) history_->End();
        }
        Step(const Step&) = delete;
        Step& operator=(const Step&) = delete;

    private:
        UndoHistory* history_;
    };

    // The name of the step Undo (Redo) would take; nothing when there is
    // none. A change made since the last step counts as one.
    std::optional<std::string> UndoName();
    std::optional<std::string> RedoName() const;

    // Takes the last step back (does the last undone step again): the rooms
    // get the records they had, MapSaved is cleared. Nothing when there is
    // no step, or while a step is open. `words` read the records' exits.
    std::optional<UndoOutcome> Undo(const ExitWords& words);
    std::optional<UndoOutcome> Redo(const ExitWords& words);

    // Another world, or this one read again: the history is emptied.
    void Clear();

    // The name of a change made outside any step (Windows-1251).
    std::string FallbackName;

    std::size_t UndoCount() const { return undo_.size(); }
    std::size_t RedoCount() const { return redo_.size(); }
    std::size_t Bytes() const { return bytes_; }

private:
    struct Entry {
        std::string Name;
        std::vector<ZoneUndoRecord> Zones;
        std::size_t Bytes = 0;
    };

    void Start();
    // What changed since the last boundary becomes a step named `name`
    // (kept unless it changed nothing but marks).
    void Close(const std::string& name);
    // Applies each zone's Before (undo) or After (redo) record.
    UndoOutcome Apply(const Entry& entry, bool undo, const ExitWords& words);
    // What the application changed is the mirror's new state.
    void Resync(const std::vector<std::string>& zones);
    void Bound();

    World& world_;
    ZoneChangeCollector collector_;
    ZoneRecordMirror mirror_;
    bool started_ = false;
    int depth_ = 0;
    std::string open_;
    std::deque<Entry> undo_;
    std::deque<Entry> redo_;
    std::size_t bytes_ = 0;
};

}  // namespace trellan
