#pragma once
// Reading and writing the two settings files in the home directory: the main
// settings (trellan.ini) and the current world's profile
// (Maps/<world>/local.ini, read from the template local.ini in the home
// directory while the world has none of its own).
#include <optional>
#include <string>
#include <string_view>

#include "settings/MainSettings.h"
#include "settings/WorldProfile.h"

namespace trellan {

class HomeDirectory;

struct SettingsWriteOptions {
    // Every profile section (after the configuration dialog) rather than
    // only the skin index and the locked zones.
    bool full = false;
    bool layeredWindowsAvailable = false;
    // The main window is neither maximised nor minimised, so its geometry is worth keeping.
    bool windowNormal = true;
};

// A missing file or key yields the defaults.
MainSettings ReadMainIniFile(const HomeDirectory& home, bool layeredWindowsAvailable);

// nullopt when `world` is empty. `currentZone` is the Zone default.
std::optional<WorldProfile> ReadIniFile(const HomeDirectory& home, std::string_view world,
                                        std::string_view currentZone);

// The path the profile of `world` is read from: its own local.ini, or the
// template when it has none.
std::string ProfileReadPath(const HomeDirectory& home, std::string_view world);

// Writes the main settings, then the profile of `world` into the world's
// own local.ini (its directory created when missing); with an empty world
// only the main file. Unknown sections, keys and comments in the files are
// kept; a file whose content would not change is not rewritten. Throws
// FileWriteError "Unable to write to <path>" naming the file that failed,
// which is left whole.
void WriteIniFile(const HomeDirectory& home, const MainSettings& settings, const WorldProfile& profile,
                  std::string_view world, const SettingsWriteOptions& options);

}  // namespace trellan
