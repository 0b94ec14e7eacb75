#pragma once
// Trellan keeps its texts in Windows-1251; Qt wants Unicode. Every widget
// text crosses here.
#include <QString>
#include <string>
#include <string_view>

#include "text/Cp1251.h"

namespace trellan {

inline QString ToQt(std::string_view text) {
    return QString::fromStdString(Cp1251ToUtf8(text));
}

// Characters with no Windows-1251 byte become '?'; `lossless` tells whether
// that happened (see Utf8ToCp1251).
inline std::string FromQt(const QString& text, bool* lossless = nullptr) {
    return Utf8ToCp1251(text.toStdString(), lossless);
}

}  // namespace trellan
