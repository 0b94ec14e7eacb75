#pragma once
// What the zone operations need from the maps directory. The mapping layer
// sits below storage, so the storage (or a test) supplies this; the
// operations never touch the file system themselves.
#include <string>
#include <utility>
#include <vector>

namespace trellan {

// The outcome of renaming or deleting a zone's file.
struct ZoneFileChange {
    bool Done = true;
    // Why it was refused, ready to show (Windows-1251); may be empty.
    std::string Why;

    static ZoneFileChange Refused(std::string why) { return {false, std::move(why)}; }
};

class ZoneFiles {
public:
    virtual ~ZoneFiles() = default;

    // Whether the world's directory holds a file for the zone.
    virtual bool ZoneFileExists(const std::string& zone) const = 0;
    // Writes the zone named World::CurrentZone (nothing when it is empty)
    // and sets MapSaved. Throws TrellanError with the message to show when
    // the file cannot be written; the old file then stays whole.
    virtual void SaveZone() = 0;
    // Writes every zone; returns one message per failure (empty: all saved).
    virtual std::vector<std::string> SaveWorld() = 0;
    // The zone's file gets the other name. Refused when the file system
    // refuses, when a file of the new name exists (it is never replaced) or
    // when the name cannot be a file name; the old file then stays.
    virtual ZoneFileChange RenameZoneFile(const std::string& from, const std::string& to) = 0;
    // Deletes the zone's file; a zone without a file counts as done.
    virtual ZoneFileChange DeleteZoneFile(const std::string& zone) = 0;
};

}  // namespace trellan
