#pragma once
// The maps directory on disk: one directory per world, one ".tr2" file per
// zone. Names are Windows-1251 in memory and UTF-8 on disk.
//
// Listings are sorted by the bytes of the names on disk: the directory
// order a Linux file system returns is arbitrary, and the zone order decides
// the room list's order and which zone a world opens with, so it has to be
// the same at every load.
#include <string>
#include <string_view>
#include <vector>

namespace trellan {

class HomeDirectory;

inline constexpr std::string_view kZoneExtension = ".tr2";
// WriteFileAtomically writes "<name>.tmp-XXXXXX" next to the file first.
inline constexpr std::size_t kTemporarySuffixLength = 11;

struct ZoneFile {
    std::string Zone;      // Windows-1251
    std::string FileName;  // as on disk
    std::string Path;
};

struct ZoneFileListing {
    // Sorted by file name; no two name the same zone.
    std::vector<ZoneFile> Files;
    // Paths of zone files whose names have no Windows-1251 spelling (or give
    // an empty zone name): a zone of that name could not be saved back.
    std::vector<std::string> Unusable;
    // Files naming a zone an earlier file already holds ("a.tr2", "a.TR2").
    std::vector<ZoneFile> Duplicates;
};

// Every regular file whose name ends in ".tr2" in any letter case (zone
// files copied from Windows may be "ZONE.TR2"). The zone's name is the file
// name without that ending and with every further ".tr2" removed.
ZoneFileListing ListZoneFiles(const std::string& worldDirectory);

// The file a new zone is written to: the name in UTF-8 plus ".tr2".
std::string DefaultZoneFileName(std::string_view zone);

std::string JoinPath(const std::string& directory, std::string_view name);

class MapsDirectory {
public:
    // `home` must outlive this object.
    explicit MapsDirectory(const HomeDirectory& home) : home_(&home) {}

    std::string Path() const;
    // The worlds (directories not starting with "."), sorted, Windows-1251.
    // Directories whose names have no Windows-1251 spelling are left out.
    std::vector<std::string> ListWorlds() const;
    std::string WorldPath(std::string_view world) const;
    bool WorldExists(std::string_view world) const;

private:
    const HomeDirectory* home_;
};

// Deletes every file (not the subdirectories) of the directory, stopping at
// the first that cannot be deleted, then removes the directory. True when
// the directory is gone.
bool DeleteWorldDirectory(const std::string& directory);

// True when the name (UTF-8, as on disk) ends in ".tr2" in any letter case.
bool HasZoneExtension(std::string_view fileName);

}  // namespace trellan
