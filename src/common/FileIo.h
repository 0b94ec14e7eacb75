#pragma once
// Whole-file reading and atomic writing. Every file Trellan writes goes
// through WriteFileAtomically: a temporary file in the same directory,
// flushed to disk, then renamed over the old one, so a failed write
// (full disk, no permission) leaves the old file whole.
#include <optional>
#include <string>
#include <string_view>

namespace trellan {

// Writes `bytes` to `path` atomically; throws FileWriteError ("Unable to
// write to " + path) on any failure, after removing the temporary file.
// With `sync` false the data is not forced to disk before the rename (for
// writing many files at once; the caller syncs or accepts the risk of a power
// loss, never a half-written file after an error).
void WriteFileAtomically(const std::string& path, std::string_view bytes, bool sync = true);

// The whole content, or nullopt when the file does not exist or cannot be
// read.
std::optional<std::string> ReadWholeFile(const std::string& path);

bool FileExists(const std::string& path);

}  // namespace trellan
