#pragma once
// Whole-file reading and atomic writing. Every file Trellan writes goes
// through WriteFileAtomically: a temporary file in the same directory,
// flushed to disk, then renamed over the old one, so a failed write
// (full disk, no permission) leaves the old file whole.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace trellan {

// Writes `bytes` to `path` atomically; throws FileWriteError ("Unable to
// write to " + path, with the errno value) on any failure, after removing
// the temporary file.
// With `sync` false the data is not forced to disk before the rename (for
// writing many files at once; the caller syncs or accepts the risk of a power
// loss, never a half-written file after an error).
void WriteFileAtomically(const std::string& path, std::string_view bytes, bool sync = true);

// The whole content, or nullopt when the file does not exist or cannot be
// read.
std::optional<std::string> ReadWholeFile(const std::string& path);

bool FileExists(const std::string& path);

// For tests of a full disk: while a fault is set, every write of a file
// (whole files and the change journal) asks it first, and a non-zero answer
// fails that write with this errno value (ENOSPC for a full disk), as the
// file system would. Pass nullptr to end it.
using WriteFault = std::function<int(const std::string& path)>;
void SetWriteFault(WriteFault fault);
// The errno value the fault gives for `path`, or 0.
int InjectedWriteError(const std::string& path);

}  // namespace trellan
