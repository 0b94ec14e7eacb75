#include "settings/HomeDirectory.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "common/Errors.h"
#include "settings/ProgramFiles.h"
#include "text/Cp1251.h"

namespace trellan {

namespace fs = std::filesystem;

namespace {

constexpr const char* kMapsName = "Maps";

bool IsAsciiCaseVariant(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// access(W_OK) says yes to root even on a directory it then cannot write
// (a read-only mount), so try the real thing.
bool CanCreateFileIn(const std::string& directory) {
    if (directory.empty()) return false;
    std::string probe = directory + "/.trellan-probe-XXXXXX";
    int fd = ::mkstemp(probe.data());
    if (fd < 0) return false;
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

std::string JoinPath(const std::string& directory, std::string_view name) {
    if (directory.empty()) return std::string(name);
    if (directory.back() == '/') return directory + std::string(name);
    return directory + "/" + std::string(name);
}

}  // namespace

void CreateDirectories(const std::string& directory, const std::string& reportedPath) {
    std::error_code error;
    fs::create_directories(directory, error);
    if (error || !fs::is_directory(directory, error)) throw FileWriteError(reportedPath);
}

HomeDirectory::HomeDirectory(std::string root) : root_(std::move(root)) {}

std::optional<std::string> HomeDirectory::ProcessEnvironment(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (!value) return std::nullopt;
    return std::string(value);
}

std::string HomeDirectory::ProgramDirectory() {
    std::error_code error;
    fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (error) return {};
    return executable.parent_path().string();
}

HomeDirectory HomeDirectory::Resolve(const std::string& homeOption, const std::string& programDirectory,
                                     const Environment& environment) {
    auto nonEmpty = [&](const std::string& name) -> std::optional<std::string> {
        std::optional<std::string> value = environment(name);
        if (value && value->empty()) return std::nullopt;
        return value;
    };
    std::string root;
    if (!homeOption.empty()) {
        root = homeOption;
    } else if (auto fromEnvironment = nonEmpty("TRELLAN_HOME")) {
        root = *fromEnvironment;
    } else if (!IsInstalledProgramDirectory(programDirectory) && CanCreateFileIn(programDirectory)) {
        root = programDirectory;
    } else if (auto dataHome = nonEmpty("XDG_DATA_HOME"); dataHome && dataHome->front() == '/') {
        // The XDG rules ignore a relative XDG_DATA_HOME.
        root = JoinPath(*dataHome, "trellan");
    } else {
        std::string home = nonEmpty("HOME").value_or("");
        root = JoinPath(JoinPath(home.empty() ? "." : home, ".local/share"), "trellan");
    }
    CreateDirectories(root, root);
    return HomeDirectory(root);
}

std::string HomeDirectory::Child(std::string_view name) const {
    return JoinPath(root_, name);
}

std::string HomeDirectory::MainIniPath() const {
    return Child("trellan.ini");
}
std::string HomeDirectory::LanguageIniPath() const {
    return Child("language.ini");
}
std::string HomeDirectory::LanguageIniPath(std::string_view language) const {
    return Child(LanguageFileName(language));
}
std::string HomeDirectory::LanguageCode(std::string_view language) {
    // A code is a few letters ("en", "pt_BR"); anything else (a path, say)
    // is not a language.
    const bool code = language.size() <= 16 &&
                      language.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_-") ==
                          std::string_view::npos;
    if (language.empty() || language == "ru" || !code) return {};
    return std::string(language);
}
std::string HomeDirectory::LanguageFileName(std::string_view language) {
    const std::string code = LanguageCode(language);
    return code.empty() ? "language.ini" : "language." + code + ".ini";
}
std::string HomeDirectory::DebugLogPath() const {
    return Child("trdebug.log");
}
std::string HomeDirectory::TemplateProfilePath() const {
    return Child("local.ini");
}

std::string HomeDirectory::MapsDirectory() const {
    std::error_code error;
    std::string exact = Child(kMapsName);
    if (fs::is_directory(exact, error)) return exact;
    for (fs::directory_iterator it(root_.empty() ? "." : root_, error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        if (IsAsciiCaseVariant(name, kMapsName) && it->is_directory(error)) return Child(name);
    }
    return exact;
}

std::string HomeDirectory::WorldDirectory(std::string_view world) const {
    return JoinPath(MapsDirectory(), Cp1251ToUtf8(world));
}

std::string HomeDirectory::WorldProfilePath(std::string_view world) const {
    return JoinPath(WorldDirectory(world), "local.ini");
}

}  // namespace trellan
