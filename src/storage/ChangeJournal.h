#pragma once
// The change journal file of one world ("journal.trj"): records appended in
// batches and forced to disk with fdatasync, emptied when the world has
// been saved whole. A write that fails (a full disk) is undone back to the
// last whole record, and its records stay pending for the next flush.
#include <cstddef>
#include <string>
#include <vector>

#include "model/ZoneChange.h"

namespace trellan {

class ChangeJournal {
public:
    // Nothing is opened or created before the first write.
    explicit ChangeJournal(std::string path);
    ~ChangeJournal();
    ChangeJournal(const ChangeJournal&) = delete;
    ChangeJournal& operator=(const ChangeJournal&) = delete;

    const std::string& Path() const { return path_; }

    // The file's bytes (empty when it does not exist).
    std::string ReadAll() const;

    // Queues the records; they reach the file at the next Flush.
    void Append(const std::vector<ZoneChange>& changes);
    bool HasPending() const { return !pending_.empty(); }
    std::size_t PendingBytes() const { return pending_.size(); }

    // Writes what is queued and forces it to disk. False when that failed
    // (LastError() has the errno value); the file then ends with its last
    // whole record and the records stay queued.
    bool Flush();
    // Empties the file and drops what is queued. False when the file could
    // not be emptied.
    bool Truncate();
    // Cuts the file back to `size` bytes (a torn last record goes).
    bool CutTo(std::size_t size);
    // Renames the file aside ("journal.trj.damaged-1", "-2", ...) so that a
    // fresh journal starts; the new path, or empty when it could not be moved.
    std::string SetAside();

    int LastError() const { return lastError_; }

private:
    bool EnsureOpen();
    void CloseFile();

    std::string path_;
    int fd_ = -1;
    std::size_t size_ = 0;  // of the file, while open
    std::string pending_;
    int lastError_ = 0;
};

}  // namespace trellan
