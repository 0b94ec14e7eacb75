#pragma once
// Writes zone files (".tr2"): the plain concatenation of one property record
// per room, in the byte form described in docs/zone-file-format.md.
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "model/MudRoom.h"

namespace trellan {

// Appends the record of one room to `out`.
void AppendRoomRecord(std::string& out, const MudRoom& room);

// The whole file for these rooms, in the given order (no rooms: empty).
std::string ZoneFileBytes(std::span<const MudRoom* const> rooms);
std::string ZoneFileBytes(const std::vector<std::unique_ptr<MudRoom>>& rooms);

// Builds the file in memory and writes it with WriteFileAtomically; throws
// FileWriteError. `sync` false skips forcing the data to disk (for a caller
// that writes many zones at once).
void WriteZoneFile(const std::string& path, std::span<const MudRoom* const> rooms, bool sync = true);
void WriteZoneFile(const std::string& path, const std::vector<std::unique_ptr<MudRoom>>& rooms, bool sync = true);

}  // namespace trellan
