#pragma once
// How deep a JSON text nests, found in one pass over its bytes before it is
// parsed: a parser called on hostile or broken input that nests thousands of
// levels costs stack and time, and a callback per value would cost more on a
// large, honest file.
#include <string_view>

namespace trellan {

// True when arrays and objects nest more than `maxDepth` levels anywhere in
// `json` (brackets inside strings do not count).
bool JsonNestsDeeperThan(std::string_view json, int maxDepth);

}  // namespace trellan
