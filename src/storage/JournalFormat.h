#pragma once
// The change journal's byte layout ("journal.trj" in a world's directory),
// shared by its writer and its reader; docs/change-journal.md describes it.
// Numbers are unsigned little-endian.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace trellan::journal {

inline constexpr std::string_view kFileName = "journal.trj";

// The file starts with these eight bytes.
inline constexpr std::string_view kFileHeader = "TRJOURN1";

// Each record: the mark, the payload's length (4 bytes), the CRC-32 of the
// payload (zlib's crc32, 4 bytes), then the payload.
inline constexpr std::string_view kRecordMark = "TRCH";
inline constexpr std::size_t kRecordHeaderSize = 12;
// A record claiming more is damage, not a record cut short.
inline constexpr std::uint32_t kMaxPayload = 512u * 1024 * 1024;

// Payload: kind (1 byte, ZoneChange::Kind), zone name (4-byte length and
// Windows-1251 bytes), then by kind:
//   Snapshot: room count (4), each room as a 4-byte length and its
//             zone-file record;
//   Patch:    edit count (4), each edit as its kind (1 byte,
//             RoomEdit::Kind), position (4), and for Replace and Append
//             the record as a 4-byte length and its bytes;
//   Removed:  nothing.
// Nothing may follow the last field.

}  // namespace trellan::journal
