#include "settings/ProgramFiles.h"

#include <filesystem>
#include <system_error>

namespace trellan {

namespace fs = std::filesystem;

namespace {

// <prefix>/share/trellan for <prefix>/bin; empty for any other directory.
fs::path InstalledDataDirectory(const std::string& programDirectory) {
    if (programDirectory.empty()) return {};
    fs::path directory = fs::path(programDirectory).lexically_normal();
    if (!directory.has_filename()) directory = directory.parent_path();
    if (directory.filename() != "bin") return {};
    return directory.parent_path() / "share" / "trellan";
}

}  // namespace

bool IsInstalledProgramDirectory(const std::string& programDirectory) {
    const fs::path data = InstalledDataDirectory(programDirectory);
    std::error_code error;
    return !data.empty() && fs::is_directory(data, error);
}

std::string FindProgramFile(const std::string& programDirectory, const std::string& name) {
    std::error_code error;
    if (!programDirectory.empty()) {
        const fs::path beside = fs::path(programDirectory) / name;
        if (fs::is_regular_file(beside, error)) return beside.string();
    }
    const fs::path data = InstalledDataDirectory(programDirectory);
    if (!data.empty() && fs::is_regular_file(data / name, error)) return (data / name).string();
    return {};
}

}  // namespace trellan
