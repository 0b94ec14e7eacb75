#pragma once
// Russian texts are written in the sources as UTF-8 literals and held as
// Windows-1251 bytes, like every other text in the program:
//   std::string caption = W1251("Новый мир");
#include <string>
#include <string_view>

#include "text/Cp1251.h"

namespace trellan {

inline std::string W1251(std::string_view utf8) {
    return Utf8ToCp1251(utf8);
}

}  // namespace trellan
