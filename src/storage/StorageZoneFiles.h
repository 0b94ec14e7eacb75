#pragma once
// The zone operations' view of the maps directory, served by the world
// storage: the new-zone name check, zone and world saves, and renaming and
// deleting a zone's file with the reason when the file system refuses.
#include <string>
#include <vector>

#include "mapping/ZoneFiles.h"
#include "mapping/ZoneMessages.h"

namespace trellan {

class WorldStorage;

class StorageZoneFiles : public ZoneFiles {
public:
    // `storage` must outlive this object.
    StorageZoneFiles(WorldStorage& storage, ZoneMessages messages) : storage_(storage), messages_(messages) {}

    bool ZoneFileExists(const std::string& zone) const override;
    void SaveZone() override;
    std::vector<std::string> SaveWorld() override;
    ZoneFileChange RenameZoneFile(const std::string& from, const std::string& to) override;
    ZoneFileChange DeleteZoneFile(const std::string& zone) override;

private:
    WorldStorage& storage_;
    ZoneMessages messages_;
};

}  // namespace trellan
