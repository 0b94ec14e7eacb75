#include "WorldStorageFixture.h"
#include "mapping/MappingConfig.h"
#include "mapping/ViewState.h"
#include "mapping/ZoneTreeOperations.h"
#include "storage/StorageZoneFiles.h"

namespace trellan::testing {
namespace {

using StorageZoneFilesTest = WorldStorageTest;

TEST_F(StorageZoneFilesTest, RenamesAndDeletesZoneFilesWithTheReasonWhenRefused) {
    PutZone("w", "a", Rooms({1}));
    PutZone("w", "b", Rooms({1}));
    ASSERT_TRUE(Load("w").Succeeded());
    StorageZoneFiles files(*storage_, ZoneMessages());

    EXPECT_TRUE(files.ZoneFileExists("a"));
    EXPECT_FALSE(files.ZoneFileExists("c"));
    ZoneFileChange taken = files.RenameZoneFile("a", "b");
    EXPECT_FALSE(taken.Done);
    EXPECT_EQ(taken.Why, ZoneMessages().ZoneFileExists());
    ZoneFileChange badName = files.RenameZoneFile("a", "x/y");
    EXPECT_FALSE(badName.Done);
    EXPECT_FALSE(badName.Why.empty());
    EXPECT_TRUE(fs::exists(ZonePath("w", "a")));

    // Through the zone tree: a Cyrillic name reaches the disk in UTF-8.
    ViewState view(*world_);
    MappingConfig config;
    ZoneTreeOperations tree(*world_, view, config, files, ZoneMessages());
    const std::string renamed = W1251("Лес");
    ASSERT_TRUE(tree.RenameZone("a", renamed).Succeeded());
    EXPECT_FALSE(fs::exists(ZonePath("w", "a")));
    EXPECT_TRUE(fs::exists(ZonePath("w", renamed)));
    ASSERT_TRUE(tree.DeleteZone(renamed).Succeeded());
    EXPECT_FALSE(fs::exists(ZonePath("w", renamed)));
    EXPECT_TRUE(world_->RoomsOfZone(renamed).empty());
    EXPECT_TRUE(files.SaveWorld().empty());
    EXPECT_FALSE(fs::exists(ZonePath("w", renamed))) << "a deleted zone is not written back";
}

}  // namespace
}  // namespace trellan::testing
