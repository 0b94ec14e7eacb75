#pragma once
// The demo world is written in UTF-8 here and goes out as Windows-1251, the
// code page of Russian MUDs. Only the characters the world uses need a byte:
// ASCII, Cyrillic with Ё/ё, and a little punctuation.
#include <string>
#include <string_view>

namespace demomud {

// Characters without a Windows-1251 byte become '?'.
std::string ToWin1251(std::string_view utf8);

// Input from a client: lines that are valid UTF-8 (a terminal client that
// does not convert) are taken as UTF-8, anything else as Windows-1251.
std::string InputToWin1251(std::string_view line);

// Bytes 0x80..0xBF other than Ё/ё and the punctuation above become '?'.
std::string FromWin1251(std::string_view text);

// Lower case for Latin and Cyrillic letters.
std::string LowerWin1251(std::string_view text);

}  // namespace demomud
