#pragma once
// A world "w" on disk in a temporary directory, with the zone operations
// over it. The zone files are written and read with the real zone file
// writer and reader, so the tests check what a split or join leaves on disk.
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "MappingFixture.h"
#include "common/Errors.h"
#include "common/FileIo.h"
#include "mapping/ZoneFiles.h"
#include "mapping/ZoneOperations.h"
#include "mapping/ZoneTreeOperations.h"
#include "model/zonefile/ZoneFileReader.h"
#include "model/zonefile/ZoneFileWriter.h"
#include "support/TempDirectory.h"

namespace trellan {

// One file per zone, named by the zone's bytes, in a directory of its own.
class DiskZoneFiles : public ZoneFiles {
public:
    explicit DiskZoneFiles(World& world) : world_(world) {}

    std::string Path(const std::string& zone) const { return dir_ / (zone + ".tr2"); }
    bool ZoneFileExists(const std::string& zone) const override { return FileExists(Path(zone)); }
    void SaveZone() override {
        if (world_.CurrentZone.empty()) return;
        Write(world_.CurrentZone);
        world_.MapSaved = true;
    }
    std::vector<std::string> SaveWorld() override {
        std::set<std::string> zones;
        for (const ZoneNode& node : world_.Tree().Zones()) zones.insert(node.Text);
        for (const RoomSlot& slot : world_.AllRooms()) zones.insert(slot.Zone());
        for (const std::string& zone : zones) Write(zone);
        world_.MapSaved = true;
        ++worldSaves;
        return {};
    }
    ZoneFileChange RenameZoneFile(const std::string& from, const std::string& to) override {
        if (refuse) return ZoneFileChange::Refused("refused");
        if (FileExists(Path(to))) return ZoneFileChange::Refused("taken");
        std::filesystem::rename(Path(from), Path(to));
        return {};
    }
    ZoneFileChange DeleteZoneFile(const std::string& zone) override {
        if (refuse) return ZoneFileChange::Refused("refused");
        std::filesystem::remove(Path(zone));
        return {};
    }

    void Write(const std::string& zone) {
        if (failWrites) throw TrellanError("cannot write " + zone);
        std::vector<const MudRoom*> rooms;
        for (const RoomSlot& slot : world_.RoomsOfZone(zone)) rooms.push_back(slot.Room());
        WriteZoneFile(Path(zone), rooms, false);
    }
    // The rooms the zone's file holds, in file order.
    std::vector<std::unique_ptr<MudRoom>> Read(const std::string& zone) const {
        ZoneReadResult read = ReadZoneFile(Path(zone), ExitWords::Defaults());
        EXPECT_FALSE(read.Error.has_value());
        return std::move(read.Rooms);
    }

    bool refuse = false;
    bool failWrites = false;
    int worldSaves = 0;

private:
    World& world_;
    testing::TempDirectory dir_;
};

class ZoneFixture : public MappingFixture {
protected:
    ZoneFixture() : MappingFixture("a") { world.CurrentWorld = "w"; }

    MudRoom* Pipe(std::int32_t x, std::int32_t y, std::int32_t l = 0) {
        return place.NewRoomAt(x, y, l, "", "Pipe", "NS", RoomKind::Corridor);
    }
    // A room of another zone, numbered by hand.
    MudRoom* Elsewhere(const std::string& zone, std::int32_t tag, std::int32_t x = 0, std::int32_t y = 0,
                       std::int32_t l = 0) {
        auto room = std::make_unique<MudRoom>();
        room->Tag = tag;
        room->X = x;
        room->Y = y;
        room->L = l;
        room->Hint = "Far";
        world.AddZoneNode(zone);
        return world.AddLoadedRoom(zone, std::move(room));
    }
    std::string Phrase(Direction direction) const { return config.DirectionPhrases[Index(direction)]; }

    DiskZoneFiles files{world};
    int tracingOff = 0;
    ZoneOperationHooks hooks{[this] { ++tracingOff; }, nullptr};
    ZoneOperations zones{place, linker, files, ZoneMessages(), hooks};
    ZoneTreeOperations tree{world, view, config, files, ZoneMessages(), hooks};
};

inline std::string Cyr(const char* utf8) {
    return Utf8ToCp1251(utf8);
}

// The file's room at a cell, or nullptr.
inline const MudRoom* FileRoomAt(const std::vector<std::unique_ptr<MudRoom>>& rooms, std::int32_t x, std::int32_t y,
                                 std::int32_t l = 0) {
    for (const auto& room : rooms) {
        if (room->X == x && room->Y == y && room->L == l) return room.get();
    }
    return nullptr;
}

}  // namespace trellan
