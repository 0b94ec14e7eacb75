#pragma once
// The main window's localisation keys (section MainForm) with their built-in
// Russian texts, in the order they are looked up, and the texts built from
// them. The keys are also the object names of the elements they label.
#include <string>
#include <vector>

namespace trellan {

inline constexpr const char* MainFormSection = "MainForm";
inline constexpr const char* ProgramName = "Trellan";
inline constexpr const char* ProgramVersion = "2.5.3 (Win2K Server fix)";

struct CaptionKey {
    enum class Kind {
        Caption,  // the text of a menu item
        Hint,     // the hint of a tool button
        Tab,      // the text of a notebook tab (the page carries the key)
    };
    const char* Key;
    const char* DefaultUtf8;
    Kind What;
};

// Every key of the main window, in look-up order.
const std::vector<CaptionKey>& MainFormKeys();

// The built-in text of `key` in Windows-1251; empty for an unknown key.
std::string MainFormDefault(const std::string& key);

// "[world.zone] Trellan v. 2.5.3 (Win2K Server fix)"; without a zone the
// full stop goes too. Windows-1251 in, Windows-1251 out.
std::string MainCaption(const std::string& world, const std::string& zone);

// Transparency menu item text: nTransparency caption + " 30%".
std::string TransparencyItemText(const std::string& transparencyCaption, int percent);

// The hints of the tool buttons that name their shortcut key.
std::string HintWithKey(const std::string& caption, const char* key);

}  // namespace trellan
