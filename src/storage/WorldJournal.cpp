#include "storage/WorldJournal.h"

#include "common/Errors.h"
#include "common/FileIo.h"
#include "model/World.h"
#include "storage/JournalCodec.h"
#include "storage/JournalFormat.h"
#include "storage/JournalReplay.h"
#include "storage/MapsDirectory.h"

namespace trellan {

const std::string& WorldJournal::Path() const {
    static const std::string none;
    return file_ ? file_->Path() : none;
}

void WorldJournal::UseDirectory(const std::string& directory) {
    if (file_ && directory == directory_) return;
    directory_ = directory;
    file_ = std::make_unique<ChangeJournal>(JoinPath(directory, std::string(journal::kFileName)));
}

JournalRecovery WorldJournal::Open(const std::string& directory, const ExitWords& words) {
    JournalRecovery recovery;
    collector_.Forget();
    changedZones_.clear();
    file_.reset();
    if (directory.empty()) return recovery;
    UseDirectory(directory);
    const std::string bytes = file_->ReadAll();
    if (bytes.empty()) return recovery;

    JournalContents contents = ReadJournalBytes(bytes);
    JournalReplay replay(world_, words);
    recovery.Damaged = contents.Condition == JournalContents::State::Damaged;
    recovery.Damage = contents.DamageReason;
    if (recovery.Damaged) recovery.Damage += " at byte " + std::to_string(contents.DamageOffset);
    for (const ZoneChange& change : contents.Changes) {
        try {
            replay.Apply(change);
        } catch (const FileFormatError& error) {
            recovery.Damaged = true;
            recovery.Damage = error.what();
            break;
        }
        ++recovery.Changes;
    }
    for (const std::string& zone : replay.Zones()) changedZones_.insert(zone);
    if (recovery.Changes > 0) {
        world_.MapSaved = false;
        if (!world_.CurrentZone.empty()) {
            // The zone on show takes the replayed rooms; one that the
            // journal removed is shown no more.
            world_.ClearZone();
            if (!world_.HasZone(world_.CurrentZone))
                world_.CurrentZone = world_.Tree().Zones().empty() ? std::string() : world_.Tree().Zones().front().Text;
            world_.LoadZone();
        }
    }
    // What the replay itself changed is in the map already.
    world_.Edits().Take();
    if (recovery.Damaged) {
        recovery.SetAsidePath = file_->SetAside();
        file_ = std::make_unique<ChangeJournal>(JoinPath(directory, std::string(journal::kFileName)));
        // The fresh journal must hold what was put back.
        for (const std::string& zone : changedZones_) collector_.Touch(zone);
    } else if (contents.Condition == JournalContents::State::Torn) {
        recovery.Torn = true;
        file_->CutTo(contents.DamageOffset);
    }
    return recovery;
}

WorldJournal::FlushOutcome WorldJournal::Flush() {
    if (!file_) return FlushOutcome::Nothing;
    std::vector<ZoneChange> changes = collector_.Collect();
    for (const ZoneChange& change : changes) changedZones_.insert(change.Zone);
    file_->Append(changes);
    if (!file_->HasPending()) return FlushOutcome::Nothing;
    return file_->Flush() ? FlushOutcome::Written : FlushOutcome::Failed;
}

void WorldJournal::Saved(const std::string& directory) {
    collector_.Forget();
    changedZones_.clear();
    if (directory.empty()) {
        file_.reset();
        return;
    }
    // Saved under another name: the changes went with the map, so the old
    // world's journal must not put them back into the old world either.
    if (file_ && directory != directory_) file_->Truncate();
    UseDirectory(directory);
    file_->Truncate();
}

}  // namespace trellan
