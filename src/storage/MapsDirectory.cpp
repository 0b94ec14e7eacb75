#include "storage/MapsDirectory.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>

#include "settings/HomeDirectory.h"
#include "text/Cp1251.h"
#include "text/TextUtils.h"

namespace trellan {

namespace fs = std::filesystem;

std::string JoinPath(const std::string& directory, std::string_view name) {
    if (directory.empty()) return std::string(name);
    if (directory.back() == '/') return directory + std::string(name);
    return directory + "/" + std::string(name);
}

bool HasZoneExtension(std::string_view fileName) {
    if (fileName.size() < kZoneExtension.size()) return false;
    return AsciiLower(fileName.substr(fileName.size() - kZoneExtension.size())) == kZoneExtension;
}

std::string DefaultZoneFileName(std::string_view zone) {
    return Cp1251ToUtf8(zone) + std::string(kZoneExtension);
}

ZoneFileListing ListZoneFiles(const std::string& worldDirectory) {
    struct Entry {
        std::string fileName;
        std::string path;
    };
    std::vector<Entry> entries;
    std::error_code error;
    for (fs::directory_iterator it(worldDirectory, error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        if (!HasZoneExtension(name)) continue;
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;  // directories matching the pattern are skipped
        entries.push_back({name, it->path().string()});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.fileName < b.fileName; });

    ZoneFileListing listing;
    std::set<std::string> zones;
    for (Entry& entry : entries) {
        std::string stem = entry.fileName.substr(0, entry.fileName.size() - kZoneExtension.size());
        bool lossless = false;
        std::string zone = ReplaceAll(Utf8ToCp1251(stem, &lossless), kZoneExtension, "");
        if (!lossless || zone.empty()) {
            listing.Unusable.push_back(entry.path);
            continue;
        }
        ZoneFile file{zone, std::move(entry.fileName), std::move(entry.path)};
        if (!zones.insert(zone).second) {
            listing.Duplicates.push_back(std::move(file));
            continue;
        }
        listing.Files.push_back(std::move(file));
    }
    return listing;
}

std::string MapsDirectory::Path() const {
    return home_->MapsDirectory();
}

std::vector<std::string> MapsDirectory::ListWorlds() const {
    std::vector<std::string> onDisk;
    std::error_code error;
    for (fs::directory_iterator it(Path(), error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        std::error_code typeError;
        if (name.empty() || name.front() == '.' || !it->is_directory(typeError)) continue;
        onDisk.push_back(std::move(name));
    }
    std::sort(onDisk.begin(), onDisk.end());
    std::vector<std::string> worlds;
    for (const std::string& name : onDisk) {
        bool lossless = false;
        std::string world = Utf8ToCp1251(name, &lossless);
        if (lossless) worlds.push_back(std::move(world));
    }
    return worlds;
}

std::string MapsDirectory::WorldPath(std::string_view world) const {
    return home_->WorldDirectory(world);
}

bool MapsDirectory::WorldExists(std::string_view world) const {
    if (world.empty()) return false;
    std::error_code error;
    return fs::is_directory(WorldPath(world), error);
}

bool DeleteWorldDirectory(const std::string& directory) {
    std::error_code error;
    std::vector<fs::path> files;
    for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        if (it->symlink_status(typeError).type() == fs::file_type::directory) continue;
        files.push_back(it->path());
    }
    for (const fs::path& file : files) {
        std::error_code removeError;
        if (!fs::remove(file, removeError) || removeError) break;
    }
    std::error_code removeError;
    fs::remove(directory, removeError);
    std::error_code statusError;
    return fs::symlink_status(directory, statusError).type() == fs::file_type::not_found;
}

}  // namespace trellan
