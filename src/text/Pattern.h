#pragma once
// The small pattern language of the lore templates: literals, "/*", "//",
// "/+", "/$", alternatives blocks "[[a][b]]" and CR LF as a line marker.
#include <string>
#include <string_view>
#include <vector>

namespace trellan {

// Matches the pattern against the subject. On success returns the number of
// bytes consumed and replaces the subject by what is left after them; on no
// match (including a match that consumed nothing) returns 0 and leaves the
// subject unchanged. Captures are appended to the list, never cleared.
int MatchPattern(std::string& subject, std::string_view pattern, std::vector<std::string>& captures);

// The literal beginning of a pattern: the text before the earliest of
// "/*", "/$" and "[[", empty when neither "/*" nor "/$" occurs.
std::string PatternPrefix(std::string_view pattern);

}  // namespace trellan
