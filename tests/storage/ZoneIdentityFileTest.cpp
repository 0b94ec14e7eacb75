// The zone's sidecar of server room identities: written with the zone,
// read with the world, a damaged one set aside without losing the zone.
#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

#include "WorldStorageFixture.h"
#include "storage/MapTools.h"
#include "storage/ZoneIdentityFile.h"

namespace trellan::testing {
namespace {

TEST(ZoneIdentityFileFormat, OneLinePerRoomWithAnIdentityBehindTheHeader) {
    std::vector<std::unique_ptr<MudRoom>> rooms = Rooms({3, 1, 2});
    rooms[0]->ServerId = "1021";
    rooms[2]->ServerId = "area.7";
    std::vector<const MudRoom*> list = {rooms[0].get(), rooms[1].get(), rooms[2].get()};
    const std::string bytes = FormatZoneIdentities(list);
    EXPECT_EQ(bytes, "Trellan room identities 1\r\n3\t1021\r\n2\tarea.7\r\n");
    ZoneIdentitiesRead read = ParseZoneIdentities(bytes);
    EXPECT_TRUE(read.Damage.empty());
    EXPECT_EQ(read.Entries, (ZoneIdentities{{3, "1021"}, {2, "area.7"}}));
    EXPECT_TRUE(FormatZoneIdentities({rooms[1].get()}).empty()) << "no identity, no file";
    // Bare LF line ends and empty lines are taken too.
    EXPECT_EQ(ParseZoneIdentities("Trellan room identities 1\n\n5\tx\n").Entries, (ZoneIdentities{{5, "x"}}));
}

TEST(ZoneIdentityFileFormat, DamageNamesItsLine) {
    const std::string head = "Trellan room identities 1\r\n";
    EXPECT_EQ(ParseZoneIdentities("Other 1\r\n1\tx\r\n").Damage, "line 1: not a room identity file");
    EXPECT_EQ(ParseZoneIdentities(head + "1\tx\r\n2 y\r\n").Damage, "line 3: no tab");
    EXPECT_EQ(ParseZoneIdentities(head + "0\tx\r\n").Damage, "line 2: bad room number");
    EXPECT_EQ(ParseZoneIdentities(head + "1x\tx\r\n").Damage, "line 2: bad room number");
    EXPECT_EQ(ParseZoneIdentities(head + "1\t\x07\r\n").Damage, "line 2: bad identity");
    EXPECT_EQ(ParseZoneIdentities(head + "1\t" + std::string(65, 'a') + "\r\n").Damage, "line 2: bad identity");
    EXPECT_EQ(ParseZoneIdentities(head + "1\ta\r\n1\tb\r\n").Damage, "line 3: room number given twice");
    EXPECT_TRUE(ParseZoneIdentities(head + "1\ta\r\n1\tb\r\n").Entries.empty());
}

TEST_F(WorldStorageTest, IdentitiesAreWrittenWithTheZoneAndSurviveAReload) {
    const std::string world = "World";
    PutZone(world, "Zone", Rooms({1, 2, 3}));
    ASSERT_TRUE(Load(world).Succeeded());
    const std::string sidecar = ZonePath(world, "Zone") + ".ids";
    EXPECT_FALSE(fs::exists(sidecar)) << "a world without identities has no sidecar";
    MudRoom* second = world_->GlobalFindRoomByTag(2, "Zone");
    world_->SetRoomServerId(second, "1022");
    const std::string zoneBytes = ReadBytes(ZonePath(world, "Zone"));
    ASSERT_TRUE(storage_->SaveWorld().Succeeded());
    EXPECT_EQ(ReadBytes(ZonePath(world, "Zone")), zoneBytes) << "the zone file is as before";
    EXPECT_EQ(ReadBytes(sidecar), "Trellan room identities 1\r\n2\t1022\r\n");

    Rebuild();
    ASSERT_TRUE(Load(world).Succeeded());
    MudRoom* found = world_->FindRoomByServerId("1022");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->Tag, 2);

    // The dump shows the identity on that room only; written back, it stays.
    std::ostringstream out, err;
    ASSERT_EQ(RunMapTool({"zone", "dump", ZonePath(world, "Zone")}, std::cin, out, err), 0) << err.str();
    const std::string dump = out.str();
    EXPECT_EQ(dump.find("\"ServerId\""), dump.rfind("\"ServerId\""));
    EXPECT_NE(dump.find(",\"ServerId\":\"1022\"}"), std::string::npos) << dump;
    fs::remove(sidecar);
    std::istringstream in(dump);
    ASSERT_EQ(RunMapTool({"zone", "write", ZonePath(world, "Zone")}, in, out, err), 0) << err.str();
    EXPECT_EQ(ReadBytes(sidecar), "Trellan room identities 1\r\n2\t1022\r\n");
}

TEST_F(WorldStorageTest, ADamagedSidecarIsReportedAndSetAsideAndTheZoneLoads) {
    const std::string world = "World";
    PutZone(world, "Zone", Rooms({1, 2}));
    const std::string sidecar = ZonePath(world, "Zone") + ".ids";
    WriteBytes(sidecar, "Trellan room identities 1\r\n1\t5\r\ngarbage\r\n");
    StorageResult result = Load(world);
    ASSERT_TRUE(result.Succeeded());
    ASSERT_EQ(result.Errors.size(), 1u);
    EXPECT_NE(result.Errors[0].find("line 3: no tab"), std::string::npos) << result.Errors[0];
    EXPECT_EQ(TagsOf("Zone"), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(world_->FindRoomByServerId("5"), nullptr) << "nothing of a damaged file is believed";
    EXPECT_FALSE(fs::exists(sidecar));
    EXPECT_EQ(ReadBytes(sidecar + ".damaged"), "Trellan room identities 1\r\n1\t5\r\ngarbage\r\n");
}

TEST_F(WorldStorageTest, TheSidecarFollowsItsZoneWhenRenamedOrDeleted) {
    const std::string world = "World";
    PutZone(world, "Zone", Rooms({1}));
    WriteBytes(ZonePath(world, "Zone") + ".ids", "Trellan room identities 1\r\n1\t5\r\n");
    ASSERT_TRUE(Load(world).Succeeded());
    ASSERT_TRUE(storage_->RenameZoneFile("Zone", "Other"));
    EXPECT_FALSE(fs::exists(ZonePath(world, "Zone") + ".ids"));
    EXPECT_TRUE(fs::exists(ZonePath(world, "Other") + ".ids"));
    ASSERT_TRUE(storage_->DeleteZoneFile("Other"));
    EXPECT_FALSE(fs::exists(ZonePath(world, "Other") + ".ids"));
}

}  // namespace
}  // namespace trellan::testing
