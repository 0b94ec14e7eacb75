#pragma once
// The demo world is written in UTF-8 here and goes out as Windows-1251, the
// code page of Russian MUDs, through Trellan's codec (text/Cp1251.h). The
// world's alphabet is smaller than the code page: ASCII, Cyrillic with Ё/ё,
// and a little punctuation; other bytes from 0x80 to 0xBF stand for '?'.
#include <string>
#include <string_view>

namespace demomud {

// Characters outside the world's alphabet become '?'.
std::string ToWin1251(std::string_view utf8);

// Input from a client: lines that are UTF-8 in shape (a terminal client that
// does not convert) are taken as UTF-8, anything else as Windows-1251.
std::string InputToWin1251(std::string_view line);

// Bytes outside the world's alphabet become '?'.
std::string FromWin1251(std::string_view text);

// Lower case for Latin and Cyrillic letters.
std::string LowerWin1251(std::string_view text);

}  // namespace demomud
