#include <gtest/gtest.h>

#include "model/RoomDefaults.h"
#include "model/zonefile/ZoneFileReader.h"
#include "settings/IniFile.h"
#include "storage/DescriptionCleanup.h"
#include "storage/StorageNames.h"
#include "storage/WorldStorageFixture.h"

namespace trellan::testing {
namespace {

TEST_F(WorldStorageTest, LoadReadsTheProfileFirstThenTheZonesInNameOrder) {
    const std::string world = W1251("Мир");
    // Stored without states; they come from the exit words in force.
    std::vector<std::unique_ptr<MudRoom>> withExits = Rooms({1});
    withExits[0]->SetExits(W1251("Север (Юг)"), ExitWords::Defaults());
    PutZone(world, W1251("Б"), withExits);
    PutZone(world, W1251("В"), Rooms({1, 2}));
    PutZone(world, W1251("А"), Rooms({1}));
    PutProfile(world, W1251("[Options]\r\nZone=Б\r\n[Exits]\r\nNorth=Север\r\nSouth=Юг\r\n[Lock]\r\nБ=1\r\n"));

    StorageResult result = Load(world);
    ASSERT_TRUE(result.Succeeded());
    EXPECT_TRUE(result.Errors.empty());
    EXPECT_EQ(world_->CurrentWorld, world);
    EXPECT_EQ(ZoneNames(), (std::vector<std::string>{W1251("А"), W1251("Б"), W1251("В")}));
    EXPECT_EQ(world_->CurrentZone, W1251("Б"));
    EXPECT_EQ(world_->ShownZone(), W1251("Б"));
    EXPECT_TRUE(world_->CurrentZoneLocked);
    const MudRoom* room = world_->RoomsOfZone(W1251("Б")).begin()->Room();
    EXPECT_EQ(room->ExitState(Direction::North), ExitStatus::Present);
    EXPECT_EQ(room->ExitState(Direction::South), ExitStatus::ClosedDoor);
    // The room list runs zone after zone in listing order.
    std::vector<std::string> listOrder;
    for (const RoomSlot& slot : world_->AllRooms()) listOrder.push_back(slot.Zone());
    EXPECT_EQ(listOrder, (std::vector<std::string>{W1251("А"), W1251("Б"), W1251("В"), W1251("В")}));
    EXPECT_TRUE(world_->MapSaved);
    // The settings follow the loaded world.
    EXPECT_EQ(settings_.World, world);
    EXPECT_NE(ReadBytes(root_ + "/trellan.ini").find("World=" + world), std::string::npos);
}

TEST_F(WorldStorageTest, LoadChoosesTheZoneToOpen) {
    const std::string world = "w";
    // The profile's zone has no rooms: the first zone node wins.
    PutZone("w", "b", Rooms({1}));
    PutZone("w", "empty", {});
    PutProfile("w", "[Options]\r\nZone=empty\r\n");
    ASSERT_TRUE(Load(world).Succeeded());
    EXPECT_EQ(world_->CurrentZone, "b");
    EXPECT_NE(world_->Tree().FindZone("empty"), nullptr);
    EXPECT_TRUE(world_->RoomsOfZone("empty").empty());

    // Without a zone in the profile the new-zone caption is remembered.
    PutProfile("w", "[Options]\r\n");
    PutZone("w", W1251("Новая зона"), Rooms({4}));
    Rebuild();
    ASSERT_TRUE(Load(world).Succeeded());
    EXPECT_EQ(world_->CurrentZone, W1251("Новая зона"));
    EXPECT_EQ(world_->LastRoomNumber, 4);
}

TEST_F(WorldStorageTest, LoadStartsANewZoneInAWorldWithoutZoneFiles) {
    fs::create_directories(WorldDir("bare"));
    fs::create_directories(WorldDir("bare") + "/dir.tr2");  // a directory is not a zone
    ASSERT_TRUE(Load("bare").Succeeded());
    EXPECT_EQ(world_->CurrentZone, W1251("Новая зона"));
    EXPECT_EQ(ZoneNames(), std::vector<std::string>{W1251("Новая зона")});
    EXPECT_EQ(ReadBytes(ZonePath("bare", W1251("Новая зона"))), "");
    EXPECT_TRUE(fs::is_directory(WorldDir("bare") + "/dir.tr2"));
}

TEST_F(WorldStorageTest, LoadCleansRoomsUpAndBuildsTheAliasNodes) {
    std::vector<std::unique_ptr<MudRoom>> rooms = Rooms({1, 2, 0});
    rooms[0]->Description = "\r\nline one\r\n\r\n\r\nline two\r\n\r\n";
    rooms[0]->QuickList = W1251("дом");
    rooms[1]->BColor = 0;  // stored as clBlack
    rooms[2]->Pipe = true;
    rooms[2]->Hint = "Pipe name";
    PutZone("w", "z", rooms);
    // A record without a BColor entry.
    std::vector<std::unique_ptr<MudRoom>> plain = Rooms({3});
    plain[0]->Y = 3;
    plain[0]->BColor = kColorSilver;
    WriteBytes(ZonePath("w", "z"), ReadBytes(ZonePath("w", "z")) + ZoneFileBytes(plain));

    ASSERT_TRUE(Load("w").Succeeded());
    std::vector<const MudRoom*> loaded;
    for (const RoomSlot& slot : world_->RoomsOfZone("z")) loaded.push_back(slot.Room());
    ASSERT_EQ(loaded.size(), 4u);
    EXPECT_EQ(loaded[0]->Description, "line one\r\nline two");
    EXPECT_EQ(loaded[1]->BColor, kColorBlack);
    EXPECT_EQ(loaded[2]->Hint, "");
    EXPECT_EQ(loaded[3]->BColor, kColorSilver);
    const ZoneNode* node = world_->Tree().FindZone("z");
    ASSERT_NE(node, nullptr);
    ASSERT_EQ(node->Aliases.size(), 1u);
    EXPECT_EQ(node->Aliases[0].Text(), W1251("дом"));
    EXPECT_EQ(world_->FindRoomByAlias(W1251("ДОМ")), loaded[0]);
}

TEST(DescriptionCleanup, LoadAndRevertRules) {
    std::string text = "\r\na\r\n\r\n\r\n\r\nb\r\r\rc\n\n\nd\n\re\r\n\r\n";
    CleanDescriptionOnLoad(text);
    EXPECT_EQ(text, "a\r\nb\rc\nd\r\ne");
    std::string revert = "\r\na\r\n\r\nb\r\n\r\n";
    CleanDescriptionOnRevert(revert);
    EXPECT_EQ(revert, "\r\na\r\n\r\nb");
    std::string onlyBreaks = "\r\n\r\n";
    CleanDescriptionOnLoad(onlyBreaks);
    EXPECT_EQ(onlyBreaks, "");
}

TEST_F(WorldStorageTest, MissingWorldLeavesTheOpenWorldAlone) {
    PutZone("w", "z", Rooms({1, 2}));
    ASSERT_TRUE(Load("w").Succeeded());
    StorageResult result = storage_->OpenWorld("gone");
    EXPECT_EQ(result.Outcome, StorageOutcome::NotFound);
    ASSERT_EQ(result.Errors.size(), 1u);
    EXPECT_EQ(result.Errors[0], W1251("Не найден мир <gone>. Загрузка невозможна."));
    EXPECT_EQ(world_->CurrentWorld, "w");
    EXPECT_EQ(world_->CurrentZone, "z");
    EXPECT_EQ(world_->RoomCount(), 2u);

    // A name from a hand-edited settings file may point anywhere.
    Rebuild();
    EXPECT_EQ(Load("../Maps/w").Outcome, StorageOutcome::NotFound);
    EXPECT_EQ(world_->CurrentWorld, "");
}

TEST_F(WorldStorageTest, DamagedZoneCostsOnlyWhatFollowsTheDamage) {
    PutZone("w", "a", Rooms({1, 2}));
    PutZone("w", "b", Rooms({1, 2, 3}));
    PutZone("w", "c", Rooms({7}));
    // Cut the second zone inside its third record.
    std::string damaged = ReadBytes(ZonePath("w", "b"));
    damaged.resize(damaged.size() - 20);
    WriteBytes(ZonePath("w", "b"), damaged);

    StorageResult result = Load("w");
    ASSERT_EQ(result.Errors.size(), 1u);
    EXPECT_NE(result.Errors[0].find(ZonePath("w", "b")), std::string::npos);
    EXPECT_NE(result.Errors[0].find("Stream read error at byte"), std::string::npos);
    EXPECT_NE(result.Errors[0].find("trellan zone dump"), std::string::npos);
    EXPECT_EQ(TagsOf("a"), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(TagsOf("b"), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(TagsOf("c"), (std::vector<std::int32_t>{7}));
    EXPECT_TRUE(storage_->IsZoneDamaged("b"));
    EXPECT_EQ(world_->CurrentZone, "a");

    // Saving never replaces the damaged file, and says so.
    world_->CurrentZone = "b";
    world_->LoadZone();
    world_->AddRoom(MakeRoom(9, 5, 5));
    StorageResult saved = storage_->SaveWorld();
    EXPECT_EQ(saved.Outcome, StorageOutcome::Done);
    ASSERT_EQ(saved.Errors.size(), 1u);
    EXPECT_NE(saved.Errors[0].find(W1251("не сохранена")), std::string::npos);
    EXPECT_EQ(ReadBytes(ZonePath("w", "b")), damaged);
    EXPECT_THROW(storage_->SaveZone(), TrellanError);
    EXPECT_EQ(ReadBytes(ZonePath("w", "b")), damaged);

    // Reloading a repaired file clears the mark.
    PutZone("w", "b", Rooms({1, 2, 3}));
    ASSERT_TRUE(storage_->OpenWorld("w").Errors.size() == 1);  // the save still skips b
    EXPECT_FALSE(storage_->IsZoneDamaged("b"));
    EXPECT_EQ(TagsOf("b"), (std::vector<std::int32_t>{1, 2, 3}));

    // Or the player keeps what was read.
    WriteBytes(ZonePath("w", "b"), damaged);
    ASSERT_EQ(storage_->RevertWorld().Errors.size(), 1u);
    storage_->AcceptDamagedZone("b");
    EXPECT_TRUE(storage_->SaveWorld().Errors.empty());
    EXPECT_EQ(ReadZoneFile(ZonePath("w", "b"), ExitWords::Defaults()).Rooms.size(), 2u);
}

TEST_F(WorldStorageTest, ZoneFilesWithUnusualNames) {
    const std::vector<std::unique_ptr<MudRoom>> one = Rooms({1});
    PutZone("w", "plain", one);
    fs::create_directories(WorldDir("w"));
    WriteZoneFile(WorldDir("w") + "/UPPER.TR2", one, false);
    WriteZoneFile(WorldDir("w") + "/\xE4\xB8\xAD.tr2", one, false);  // no Windows-1251 spelling
    WriteZoneFile(WorldDir("w") + "/plain.TR2", one, false);         // the same zone twice

    StorageResult result = Load("w");
    EXPECT_EQ(ZoneNames(), (std::vector<std::string>{"UPPER", "plain"}));
    // Sorted by the bytes on disk, "plain.TR2" comes first and holds the zone.
    ASSERT_EQ(result.Errors.size(), 2u);
    EXPECT_NE(result.Errors[0].find("Windows-1251"), std::string::npos);
    EXPECT_NE(result.Errors[1].find(WorldDir("w") + "/plain.tr2"), std::string::npos);
    std::string duplicate = ReadBytes(WorldDir("w") + "/plain.tr2");

    // A zone goes back to the file it came from.
    world_->CurrentZone = "UPPER";
    world_->LoadZone();
    world_->AddRoom(MakeRoom(2, 1, 1));
    storage_->SaveWorld();
    EXPECT_FALSE(fs::exists(WorldDir("w") + "/UPPER.tr2"));
    EXPECT_EQ(ReadZoneFile(WorldDir("w") + "/UPPER.TR2", ExitWords::Defaults()).Rooms.size(), 2u);
    EXPECT_TRUE(fs::exists(WorldDir("w") + "/\xE4\xB8\xAD.tr2"));
    EXPECT_EQ(ReadBytes(WorldDir("w") + "/plain.tr2"), duplicate);
}

TEST_F(WorldStorageTest, AWorldReadingTheTemplateKeepsItsSettings) {
    WriteBytes(root_ + "/local.ini", "[Connect]\r\nServer Name=mud.example.org\r\nServer Port=5000\r\n");
    PutZone("w", "z", Rooms({1}));
    ASSERT_TRUE(Load("w").Succeeded());
    EXPECT_EQ(profile_.ServerName, "mud.example.org");
    ASSERT_TRUE(fs::exists(WorldDir("w") + "/local.ini"));

    Rebuild();
    ASSERT_TRUE(Load("w").Succeeded());
    EXPECT_EQ(profile_.ServerName, "mud.example.org");
    EXPECT_EQ(profile_.ServerPort, 5000);
}

TEST(StorageNames, RefusesNamesTheFileSystemCannotHold) {
    EXPECT_EQ(WorldNameProblem(""), NameProblem::Empty);
    EXPECT_EQ(WorldNameProblem("a/b"), NameProblem::Slash);
    EXPECT_EQ(WorldNameProblem(".."), NameProblem::DotName);
    EXPECT_EQ(WorldNameProblem(".hidden"), NameProblem::LeadingDot);
    EXPECT_EQ(WorldNameProblem(std::string("a\0b", 3)), NameProblem::ControlChar);
    EXPECT_EQ(WorldNameProblem("a\r\nb"), NameProblem::ControlChar);
    EXPECT_EQ(WorldNameProblem(std::string(200, '\xE0')), NameProblem::TooLong);  // 400 bytes in UTF-8
    EXPECT_EQ(WorldNameProblem(W1251("Новый мир 2")), std::nullopt);
    EXPECT_EQ(ZoneNameProblem(".hidden zone"), std::nullopt);
    EXPECT_EQ(ZoneNameProblem("a|b"), NameProblem::Bar);
    EXPECT_EQ(ZoneNameProblem("a.tr2b"), NameProblem::ZoneExtension);
    EXPECT_EQ(ZoneNameProblem(std::string(241, 'a')), NameProblem::TooLong);
    EXPECT_EQ(ZoneNameProblem(std::string(240, 'a')), std::nullopt);
}

}  // namespace
}  // namespace trellan::testing
