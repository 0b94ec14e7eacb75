#include "settings/SettingsFiles.h"

#include <filesystem>

#include "common/Errors.h"
#include "common/FileIo.h"
#include "settings/HomeDirectory.h"
#include "settings/IniFile.h"

namespace trellan {

namespace {

// Loads a file for changing it. A file that exists but cannot be read must
// not be replaced by one holding only our keys.
struct EditableIni {
    explicit EditableIni(const std::string& path) {
        original = ReadWholeFile(path);
        std::error_code error;
        if (!original && std::filesystem::exists(path, error)) throw FileWriteError(path);
        ini = IniFile::FromBytes(original ? std::string_view(*original) : std::string_view(), path);
    }

    void Save() {
        std::string bytes = ini.ToBytes();
        if (original && *original == bytes) return;
        WriteFileAtomically(ini.Path(), bytes);
    }

    std::optional<std::string> original;
    IniFile ini;
};

}  // namespace

MainSettings ReadMainIniFile(const HomeDirectory& home, bool layeredWindowsAvailable) {
    return ReadMainSettings(IniFile::Load(home.MainIniPath()), layeredWindowsAvailable);
}

std::string ProfileReadPath(const HomeDirectory& home, std::string_view world) {
    std::string own = home.WorldProfilePath(world);
    return FileExists(own) ? own : home.TemplateProfilePath();
}

std::optional<WorldProfile> ReadIniFile(const HomeDirectory& home, std::string_view world,
                                        std::string_view currentZone) {
    if (world.empty()) return std::nullopt;
    return ReadWorldProfile(IniFile::Load(ProfileReadPath(home, world)), currentZone);
}

void WriteIniFile(const HomeDirectory& home, const MainSettings& settings, const WorldProfile& profile,
                  std::string_view world, const SettingsWriteOptions& options) {
    EditableIni main(home.MainIniPath());
    WriteMainSettings(main.ini, settings, options.layeredWindowsAvailable, options.windowNormal);
    main.Save();

    // Without a world there is no profile of its own to write to.
    if (world.empty()) return;
    std::string path = home.WorldProfilePath(world);
    CreateDirectories(home.WorldDirectory(world), path);
    EditableIni local(path);
    WriteWorldProfile(local.ini, profile, options.full);
    local.Save();
}

}  // namespace trellan
