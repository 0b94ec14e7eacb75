#pragma once
// A MUD server's own number for a room, as Trellan keeps it: at most
// MaxIdentityLength bytes, no control bytes (it is stored one per line),
// no blanks at either end.
#include <cstddef>
#include <string>
#include <string_view>

namespace trellan {

inline constexpr std::size_t MaxIdentityLength = 64;

// The identity as stored, or empty when `text` cannot be one.
std::string CleanIdentity(std::string_view text);

}  // namespace trellan
