#pragma once
// A home directory in a scratch directory with a World and the storage over
// it, plus helpers that lay zone files on disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/MudRoom.h"
#include "model/World.h"
#include "model/zonefile/ZoneFileWriter.h"
#include "settings/HomeDirectory.h"
#include "settings/MainSettings.h"
#include "settings/WorldProfile.h"
#include "storage/WorldStorage.h"
#include "support/TempDirectory.h"
#include "text/Cp1251.h"
#include "text/W1251.h"

namespace trellan::testing {

namespace fs = std::filesystem;

inline std::unique_ptr<MudRoom> MakeRoom(std::int32_t tag, std::int32_t x, std::int32_t y, std::int32_t l = 0,
                                         std::string hint = "") {
    auto room = std::make_unique<MudRoom>();
    room->Tag = tag;
    room->X = x;
    room->Y = y;
    room->L = l;
    room->Hint = hint.empty() ? "Room " + std::to_string(tag) : std::move(hint);
    room->BColor = 0xC0C0C0;
    return room;
}

// The storage tests' names for the shared file helpers.
inline constexpr auto& ReadBytes = ReadFile;
inline constexpr auto& WriteBytes = WriteFile;

inline std::vector<std::unique_ptr<MudRoom>> Rooms(std::initializer_list<std::int32_t> tags) {
    std::vector<std::unique_ptr<MudRoom>> rooms;
    std::int32_t y = 0;
    for (std::int32_t tag : tags) rooms.push_back(MakeRoom(tag, 0, y++));
    return rooms;
}

class WorldStorageTest : public ::testing::Test {
protected:
    void SetUp() override {
        home_ = std::make_unique<HomeDirectory>(root_);
        fs::create_directories(root_ + "/Maps");
        Rebuild();
    }

    // A fresh program over the same home directory.
    void Rebuild() {
        storage_.reset();
        world_ = std::make_unique<World>();
        settings_ = MainSettings();
        profile_ = WorldProfile();
        storage_ = std::make_unique<WorldStorage>(*home_, *world_, settings_, profile_, nullptr, SettingsWriteOptions{},
                                                  hooks_);
    }

    // `world` and `zone` are Windows-1251.
    std::string WorldDir(std::string_view world) const { return home_->WorldDirectory(world); }
    std::string ZonePath(std::string_view world, std::string_view zone) const {
        return WorldDir(world) + "/" + Cp1251ToUtf8(zone) + ".tr2";
    }
    void PutZone(std::string_view world, std::string_view zone, const std::vector<std::unique_ptr<MudRoom>>& rooms) {
        fs::create_directories(WorldDir(world));
        WriteZoneFile(ZonePath(world, zone), rooms, false);
    }
    void PutProfile(std::string_view world, std::string_view text) { WriteBytes(WorldDir(world) + "/local.ini", text); }

    StorageResult Load(std::string_view world) {
        world_->CurrentWorld = std::string(world);
        world_->CurrentZone.clear();
        return storage_->LoadWorld();
    }

    std::vector<std::string> ZoneNames() const {
        std::vector<std::string> names;
        for (const ZoneNode& node : world_->Tree().Zones()) names.push_back(node.Text);
        return names;
    }
    std::vector<std::int32_t> TagsOf(std::string_view zone) const {
        std::vector<std::int32_t> tags;
        for (const RoomSlot& slot : world_->RoomsOfZone(zone)) tags.push_back(slot.Room()->Tag);
        return tags;
    }

    TempDirectory dir_;
    const std::string root_ = dir_.Path();
    std::unique_ptr<HomeDirectory> home_;
    std::unique_ptr<World> world_;
    MainSettings settings_;
    WorldProfile profile_;
    WorldStorageHooks hooks_;
    std::unique_ptr<WorldStorage> storage_;
};

}  // namespace trellan::testing
