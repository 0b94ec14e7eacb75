#pragma once
// The home directory: where trellan.ini, language.ini, trdebug.log, the
// template profile local.ini and the Maps directory live.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace trellan {

class HomeDirectory {
public:
    // Looks up an environment variable; nullopt when it is not set.
    using Environment = std::function<std::optional<std::string>(const std::string& name)>;

    // Uses `root` as it is (no checks, nothing created).
    explicit HomeDirectory(std::string root);

    // The first of: `homeOption` (from --home) when not empty, the
    // environment's TRELLAN_HOME when not empty, `programDirectory` when a
    // file can be created in it and it is not the bin directory of an
    // installed Trellan (IsInstalledProgramDirectory),
    // $XDG_DATA_HOME/trellan, ~/.local/share/trellan.
    // The chosen directory is created when missing; throws FileWriteError
    // when it cannot be.
    static HomeDirectory Resolve(const std::string& homeOption, const std::string& programDirectory,
                                 const Environment& environment = ProcessEnvironment);

    static std::optional<std::string> ProcessEnvironment(const std::string& name);
    // The directory of the running executable, empty when it cannot be told.
    static std::string ProgramDirectory();

    const std::string& Root() const { return root_; }
    std::string MainIniPath() const;      // trellan.ini
    std::string LanguageIniPath() const;  // language.ini
    // language.ini for the Russian interface (`language` empty or "ru", or
    // not a language code), language.<language>.ini for another.
    std::string LanguageIniPath(std::string_view language) const;
    static std::string LanguageFileName(std::string_view language);
    // The code of an interface language other than Russian ("en"); empty
    // for Russian (`language` empty or "ru", or not a language code).
    static std::string LanguageCode(std::string_view language);
    std::string DebugLogPath() const;     // trdebug.log
    // The profile read for a world that has no local.ini of its own.
    std::string TemplateProfilePath() const;
    // "Maps", or the existing directory whose name differs from it only in
    // letter case ("MAPS" from a Windows installation).
    std::string MapsDirectory() const;
    // `world` is Windows-1251 as everywhere in memory; on disk the name is UTF-8.
    std::string WorldDirectory(std::string_view world) const;
    std::string WorldProfilePath(std::string_view world) const;

private:
    std::string Child(std::string_view name) const;

    std::string root_;
};

// Creates the directory and its missing parents; throws FileWriteError
// naming `reportedPath` when that fails.
void CreateDirectories(const std::string& directory, const std::string& reportedPath);

}  // namespace trellan
