#pragma once
// Trellan keeps its texts in Windows-1251; Qt wants Unicode. Every widget
// text crosses here.
#include <QString>
#include <string>

#include "text/Cp1251.h"

namespace trellan {

inline QString ToQt(const std::string& text) {
    return QString::fromStdString(Cp1251ToUtf8(text));
}

inline std::string FromQt(const QString& text) {
    return Utf8ToCp1251(text.toStdString());
}

}  // namespace trellan
