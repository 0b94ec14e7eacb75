#pragma once
// The main settings file "trellan.ini": the window and the options that do
// not depend on the MUD. Field names are the file's key names.
#include <string>

#include "text/W1251.h"

namespace trellan {

class IniFile;

struct MainSettings {
    // [Window]: the main window's built-in geometry until the file has one.
    int Top = 114;
    int Left = 262;
    int Height = 444;
    int Width = 657;
    // The file held the window's size: not a key of its own. Without it the
    // window opens at a size that fits the screen.
    bool WindowSaved = false;

    // [Options]
    int ListViewStyle = 1;  // the open-world dialog's list: 1 icons, 2 a list
    bool StayOnTop = false;
    int ScrollMult = 2;  // mouse scrolling speed factor (1, 2, 4, 8, 16)
    // Slider position 0 to 80. When NoTransparency is set, applying the
    // transparency resets the slider to 0, and that is what gets written.
    int Transparency = 0;
    // After reading: switched off in the file or no layered windows on this
    // system (see TransparencyUnavailable); written back as that combination.
    bool NoTransparency = false;
    int PanelColor = 8421504;  // 0x808080
    int PanelBitmap = 0;  // built-in map background texture, -1 for the plain PanelColor
    bool TreeVisible = true;
    int TreeZonesWidth = 183;
    int TreeObjectsWidth = 153;
    int SpeedWalkLength = 10;
    int MaxSpeedWalkLength = 100;
    bool NeedRepos = true;  // centre the view after every step, not only when the queue is empty
    bool DebugVisible = false;
    // Ctrl + and Ctrl - in the zone tree change the level, inverted (plus goes
    // down); off, the keys do nothing.
    bool SwapUpDown = true;
    bool DebugActiv = false;  // the debug log is kept (and written to trdebug.log)
    bool ShowNote = false;
    std::string World;
    bool ReadOnly = false;  // walking mode: the map is not extended while tracing
    std::string ReadOnlyOn = W1251("рпон");
    std::string ReadOnlyOff = W1251("рпоф");
    bool ShowTopLevel = true;
    bool ShowBottomLevel = true;
    // The map is saved this often (minutes) while it has unsaved changes;
    // 0: never on its own.
    int AutosaveMinutes = 5;
    // The interface language ("en": language.en.ini); empty or "ru" for the
    // Russian language.ini. Read only: the user sets it by hand, and files
    // without it stay as they were.
    std::string Language;

    // [Commands]
    std::string GroupLore = W1251("глор");
    std::string ClanLore = W1251("клор");
    std::string SetAlias = W1251("наа");
    // Replaced by the world profile's RequestCommand whenever a world is loaded.
    std::string RequestObject = W1251("лор");
    // The prefix of the map commands answered in the MUD client (map,
    // where, save, new zone, cross link, help); never sent to the server.
    std::string MapCommand = W1251("карта");
};

// Transparency counts as unavailable when the file switches it off or the
// system has no layered windows (never on Linux).
inline bool TransparencyUnavailable(bool switchedOff, bool layeredWindowsAvailable) {
    return switchedOff || !layeredWindowsAvailable;
}

// Missing keys and text that is not a number take the defaults above.
MainSettings ReadMainSettings(const IniFile& ini, bool layeredWindowsAvailable);

// Writes every key in the file's documented order; the [Window] keys only
// while the window is in its normal state (not maximised or minimised).
void WriteMainSettings(IniFile& ini, const MainSettings& settings, bool layeredWindowsAvailable, bool windowNormal);

}  // namespace trellan
