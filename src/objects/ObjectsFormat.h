#pragma once
// The objects file "objects.dat": one shared set of constants for its reader
// and writer. The layout is described byte by byte in docs/objects-file-format.md.
#include <string_view>

namespace trellan::objects_format {

inline constexpr std::string_view kFileName = "objects.dat";
inline constexpr std::string_view kHeader = "<Trellan v. 2.5.3 (Win2K Server fix)>";
inline constexpr std::string_view kNodeStart = "<node>";
// Ends a node wherever it occurs in a line, other text around it included.
inline constexpr std::string_view kNodeEnd = "<end node>";
// What a description line holding kNodeEnd is written with instead, so the
// line cannot end its node early when the file is read again.
inline constexpr std::string_view kNodeEndBroken = "<end node >";
inline constexpr std::string_view kLineEnd = "\r\n";

}  // namespace trellan::objects_format
