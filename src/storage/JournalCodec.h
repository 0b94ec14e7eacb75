#pragma once
// Zone changes to journal records and back (layout in JournalFormat.h).
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/ZoneChange.h"

namespace trellan {

// Appends one record for `change` to `out`.
void AppendJournalRecord(std::string& out, const ZoneChange& change);

struct JournalContents {
    enum class State {
        Whole,    // every byte belonged to a whole record
        Torn,     // the last record was cut short (a crash while writing); it is left out
        Damaged,  // something that is no record at DamageOffset; what came before is in Changes
    };
    std::vector<ZoneChange> Changes;
    State Condition = State::Whole;
    std::size_t DamageOffset = 0;  // Torn: where the cut record starts
    std::string DamageReason;      // Damaged: what was wrong (English, for the log and message)
};

// Reads a journal file's bytes; an empty file is whole and holds nothing.
JournalContents ReadJournalBytes(std::string_view bytes);

}  // namespace trellan
