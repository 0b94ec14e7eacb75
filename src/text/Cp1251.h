#pragma once
// Windows-1251 at the boundaries: Qt strings and file names are Unicode
// (UTF-8), everything inside Trellan is Windows-1251 bytes.
#include <string>
#include <string_view>

#include "text/Utf8.h"

namespace trellan {

std::string Cp1251ToUtf8(std::string_view text);

// Characters with no Windows-1251 byte, and malformed UTF-8, become '?';
// when `lossless` is given it is set to false if that happened (a name that
// cannot round-trip) and to true otherwise. Each malformed sequence, as
// `reading` delimits it, becomes one '?'.
std::string Utf8ToCp1251(std::string_view text, bool* lossless = nullptr, Utf8Reading reading = Utf8Reading::Strict);

// Upper-casing for comparisons that ignore letter case: Latin and Cyrillic
// (including Ё/ё and the other Windows-1251 letters with case pairs).
std::string UpperCp1251(std::string_view text);
char UpperCp1251(char c);

// Only A to Z / a to z change.
std::string AsciiLower(std::string_view text);
std::string AsciiUpper(std::string_view text);

}  // namespace trellan
