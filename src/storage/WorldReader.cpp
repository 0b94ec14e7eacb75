#include "storage/WorldReader.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string_view>
#include <system_error>
#include <utility>

#include "common/FileIo.h"
#include "model/RoomDefaults.h"
#include "model/World.h"
#include "model/zonefile/ZoneFileReader.h"
#include "settings/IniFile.h"
#include "settings/WorldProfile.h"
#include "storage/DescriptionCleanup.h"
#include "storage/MapsDirectory.h"
#include "storage/StorageMessages.h"
#include "storage/ZoneIdentityFile.h"

namespace trellan {

namespace {

// Reads a whole file into `buffer`, which is kept from file to file so that
// a world of a thousand zones allocates it once; false when the file cannot
// be read. The buffer is sized from the file's length (plus one byte, to see
// the end without another call) and grows should the file have grown.
bool ReadFileInto(const std::string& path, std::string& buffer, std::size_t& length) {
    length = 0;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return false;
    // The bytes go straight into the buffer; a stream buffer would copy them twice.
    std::setvbuf(f, nullptr, _IONBF, 0);
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    const std::size_t wanted = error ? std::size_t(65536) : static_cast<std::size_t>(size) + 1;
    if (buffer.size() < wanted) buffer.resize(wanted);
    for (;;) {
        length += std::fread(buffer.data() + length, 1, buffer.size() - length, f);
        if (length < buffer.size()) break;
        buffer.resize(buffer.size() * 2);
    }
    const bool bad = std::ferror(f) != 0;
    std::fclose(f);
    return !bad;
}

constexpr std::size_t kNoRoom = static_cast<std::size_t>(-1);

}  // namespace

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
        PreparedRooms Rooms;
        std::optional<FileFormatError> Error;
        // Where the first room marked Selected stands (reverting only).
        std::size_t FirstSelected = kNoRoom;
        bool Readable = false;
    };
    std::vector<ReadFile> files(listing.Files.size());
    for (ReadFile& file : files) file.Rooms = world.NewPreparedRooms();
    std::size_t roomCount = 0;
    std::string buffer;
    for (std::size_t f = 0; f < listing.Files.size(); ++f) {
        const ZoneFile& file = listing.Files[f];
        ReadFile& read = files[f];
        std::size_t length = 0;
        read.Readable = ReadFileInto(file.Path, buffer, length);
        if (read.Readable) {
            // The rooms are read straight into the world's records. A record
            // without BColor is silver (the stream default); a stored clBlack
            // is the player's colour and stays black.
            read.Error = ReadZoneRecords(
                std::string_view(buffer.data(), length), PathForMessage(file.Path), words, kColorSilver,
                [&]() -> MudRoom& { return read.Rooms.Add(); }, [&] { read.Rooms.DropLast(); });
        } else {
            read.Error = FileFormatError("Unable to read " + PathForMessage(file.Path));
        }
        // Cleaned and prepared for the world while the rooms are fresh in
        // the cache.
        std::size_t index = 0;
        read.Rooms.ForEachRoom([&](MudRoom& room) {
            if (mode == WorldReadMode::Load) {
                CleanDescriptionOnLoad(room.Description);
            } else {
                CleanDescriptionOnRevert(room.Description);
                if (room.Selected && read.FirstSelected == kNoRoom) read.FirstSelected = index;
                room.Selected = false;
            }
            if (room.Pipe) room.Hint.clear();
            ++index;
        });
        roomCount += read.Rooms.size();
        world.PrepareLoadedRooms(read.Rooms);
    }
    world.ReserveRooms(world.RoomCount() + roomCount);

    std::string& candidate = result.ChosenZone;
    for (std::size_t f = 0; f < listing.Files.size(); ++f) {
        const ZoneFile& file = listing.Files[f];
        const std::string& zone = file.Zone;
        world.AddZoneNode(zone);
        result.ZoneFiles[zone] = file.FileName;
        ReadFile& read = files[f];
        // The damaged record counts as read for choosing the zone, as it
        // would have been started.
        const std::size_t roomsRead = read.Rooms.size();
        std::size_t records = roomsRead + (read.Error && read.Readable ? 1 : 0);

        for (std::size_t i = 0; i < records; ++i) {
            if (mode == WorldReadMode::Load) {
                if (rememberedZone == zone) candidate = zone;
            } else {
                if (candidate.empty() || zone == rememberedZone) candidate = zone;
            }
            if (i >= roomsRead) break;
            // A selected room in a reverted file marks its zone as the one
            // the player was in.
            if (i == read.FirstSelected) rememberedZone = zone;
        }
        world.AddLoadedRooms(zone, std::move(read.Rooms));
        std::string aside;
        if (std::optional<std::string> damage = ReadZoneIdentities(world, zone, file.Path, &aside)) {
            result.Errors.push_back(messages.IdentitiesSetAside(IdentityFilePath(file.Path), *damage, aside));
        }
        if (mode == WorldReadMode::Revert && candidate.empty()) candidate = rememberedZone;

        if (read.Error) {
            result.DamagedZones.insert(zone);
            result.Errors.push_back(messages.ZoneDamaged(zone, read.Error->what()));
        }
    }
    return result;
}

WorldProfile ReadDirectoryProfile(const std::string& directory) {
    const std::string path = JoinPath(directory, "local.ini");
    if (!FileExists(path)) return WorldProfile{};
    return ReadWorldProfile(IniFile::Load(path), "");
}

}  // namespace trellan
