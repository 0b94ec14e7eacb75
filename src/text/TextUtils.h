#pragma once
// Byte-string helpers over Windows-1251 text: one byte is one character.
#include <string>
#include <string_view>
#include <vector>

namespace trellan {

// "#$" + two upper-case hex digits becomes the byte they name; decoded bytes
// are never rescanned; anything else after "#$" is kept as it stands.
std::string DecodeEscapes(std::string_view text);

// One left-to-right pass; replacement text is never searched again.
// An empty search text leaves the input unchanged.
std::string ReplaceAll(std::string_view text, std::string_view search, std::string_view replacement);

// Field n (from 1) of a separator-delimited list; empty past the end.
std::string GetToken(int index, std::string_view text, std::string_view separator);

// Trim runs of bytes below 0x21 (controls and space); bytes >= 0x80 stay.
std::string TrimLeftCtl(std::string_view text);
std::string TrimRightCtl(std::string_view text);
std::string TrimCtl(std::string_view text);

// Drops every byte that occurs in the set.
std::string StripChars(std::string_view text, std::string_view set);

// Deletes every ESC "[" ... "m" sequence; an ESC "[" with no later "m" stays.
void StripAnsiColors(std::string& text);

// Decimal digits left-padded with "0" to the width.
std::string ZeroPad(long long value, int width);

// Clears the list, then one entry per CR LF separated piece (the last piece,
// possibly empty, included).
void SplitLines(std::string_view text, std::vector<std::string>& list);

template <typename T>
const T& IfThen(bool condition, const T& whenTrue, const T& whenFalse) {
    return condition ? whenTrue : whenFalse;
}
inline int Max(int a, int b) { return a > b ? a : b; }
inline int Min(int a, int b) { return a < b ? a : b; }

}  // namespace trellan
