#pragma once
// KOI8-R, the other code page of Russian MUDs, converted byte for byte to
// and from Windows-1251 (the code page of everything inside Trellan).
#include <string>
#include <string_view>

namespace trellan {

// ASCII stays; characters with no Windows-1251 form (box drawing, most
// symbols) become '?'.
std::string Koi8rToCp1251(std::string_view koi8r);

// ASCII stays; characters with no KOI8-R form (Ukrainian and Serbian
// letters, quotes, dashes, ...) become '?'.
std::string Cp1251ToKoi8r(std::string_view cp1251);

}  // namespace trellan
