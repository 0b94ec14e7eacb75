#include "storage/WorldReader.h"

#include <memory>
#include <optional>
#include <utility>

#include "common/FileIo.h"
#include "model/RoomDefaults.h"
#include "model/World.h"
#include "model/ZoneFileReader.h"
#include "storage/DescriptionCleanup.h"
#include "storage/MapsDirectory.h"
#include "storage/StorageMessages.h"

namespace trellan {

WorldReadResult ReadWorldFiles(World& world, const std::string& directory, const ExitWords& words, WorldReadMode mode,
                               std::string rememberedZone, const StorageMessages& messages) {
    WorldReadResult result;
    ZoneFileListing listing = ListZoneFiles(directory);
    for (const std::string& path : listing.Unusable) result.Errors.push_back(messages.ZoneFileSkipped(path));
    for (const ZoneFile& file : listing.Duplicates)
        result.Errors.push_back(messages.ZoneFileDuplicate(file.Path, file.Zone));

    // Every file is read before any room joins the world, so that the
    // world's tables are sized once for all of them.
    struct ReadFile {
        ZoneReadResult Read;
        bool Readable = false;
    };
    std::vector<ReadFile> files(listing.Files.size());
    std::size_t roomCount = 0;
    for (std::size_t f = 0; f < listing.Files.size(); ++f) {
        const ZoneFile& file = listing.Files[f];
        std::optional<std::string> bytes = ReadWholeFile(file.Path);
        files[f].Readable = bytes.has_value();
        if (bytes) {
            // A record without BColor is silver (the stream default); a
            // stored clBlack is the player's colour and stays black.
            files[f].Read = ReadZoneBytes(*bytes, PathForMessage(file.Path), words, kColorSilver);
        } else {
            files[f].Read.Error = FileFormatError("Unable to read " + PathForMessage(file.Path));
        }
        // Cleaned while the rooms are fresh in the cache.
        for (std::unique_ptr<MudRoom>& room : files[f].Read.Rooms) {
            if (mode == WorldReadMode::Load) {
                CleanDescriptionOnLoad(room->Description);
            } else {
                CleanDescriptionOnRevert(room->Description);
            }
            if (room->Pipe) room->Hint.clear();
        }
        roomCount += files[f].Read.Rooms.size();
    }
    world.ReserveRooms(world.RoomCount() + roomCount);

    std::string& candidate = result.ChosenZone;
    for (std::size_t f = 0; f < listing.Files.size(); ++f) {
        const ZoneFile& file = listing.Files[f];
        const std::string& zone = file.Zone;
        world.AddZoneNode(zone);
        result.ZoneFiles[zone] = file.FileName;
        ZoneReadResult& read = files[f].Read;
        const bool readable = files[f].Readable;
        // The damaged record counts as read for choosing the zone, as it
        // would have been started.
        std::size_t records = read.Rooms.size() + (read.Error && readable ? 1 : 0);

        for (std::size_t i = 0; i < records; ++i) {
            if (mode == WorldReadMode::Load) {
                if (rememberedZone == zone) candidate = zone;
            } else {
                if (candidate.empty() || zone == rememberedZone) candidate = zone;
            }
            if (i >= read.Rooms.size()) break;
            std::unique_ptr<MudRoom>& room = read.Rooms[i];
            if (mode == WorldReadMode::Revert) {
                if (room->Selected) rememberedZone = zone;
                room->Selected = false;
            }
            world.AddLoadedRoom(zone, std::move(room));
        }
        read.Rooms.clear();
        if (mode == WorldReadMode::Revert && candidate.empty()) candidate = rememberedZone;

        if (read.Error) {
            result.DamagedZones.insert(zone);
            result.Errors.push_back(messages.ZoneDamaged(zone, read.Error->what()));
        }
    }
    return result;
}

}  // namespace trellan
