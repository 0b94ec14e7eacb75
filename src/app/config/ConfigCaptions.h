#pragma once
// The configuration dialog's texts (section ConfigForm): every key is the
// object name of the element it labels. Labels that repeat another label's
// text (the direction labels of the exit words and leader phrases, the
// prompt-exit label, the monsters' template and order labels) have no key of
// their own and follow the label they repeat.
#include <string>

class QWidget;

namespace trellan {

class Localisation;

inline constexpr const char* ConfigFormSection = "ConfigForm";

// Looks up every key (the file written once, at the end) and sets the texts
// on `dialog` and its descendants. Throws FileWriteError when language.ini
// cannot be written.
void LocaliseConfigForm(QWidget& dialog, Localisation& localisation);

// The built-in text of a ConfigForm key (Windows-1251); empty when unknown.
std::string ConfigFormDefault(const std::string& key);

}  // namespace trellan
