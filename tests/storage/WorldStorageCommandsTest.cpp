#include <gtest/gtest.h>

#include "common/Errors.h"
#include "model/zonefile/ZoneFileReader.h"
#include "storage/ExitWordReplacement.h"
#include "storage/StorageNames.h"
#include "storage/WorldStorageFixture.h"

namespace trellan::testing {
namespace {

std::vector<std::int32_t> TagsInFile(const std::string& path) {
    std::vector<std::int32_t> tags;
    for (const auto& room : ReadZoneFile(path, ExitWords::Defaults(), 0xC0C0C0).Rooms) tags.push_back(room->Tag);
    return tags;
}

TEST_F(WorldStorageTest, SaveWritesEveryZoneInListOrder) {
    PutZone("w", "a", Rooms({1, 2}));
    PutZone("w", "b", Rooms({5}));
    ASSERT_TRUE(Load("w").Succeeded());
    world_->AddRoom(MakeRoom(3, 4, 4));  // into zone a, the current one
    MudRoom* five = world_->GlobalFindRoomByTag(5, "b");
    world_->SetRoomZone(five, "a");
    EXPECT_FALSE(world_->MapSaved);

    StorageResult result = storage_->SaveWorld();
    EXPECT_TRUE(result.Succeeded());
    EXPECT_TRUE(result.Errors.empty());
    EXPECT_TRUE(world_->MapSaved);
    EXPECT_EQ(TagsInFile(ZonePath("w", "a")), (std::vector<std::int32_t>{1, 2, 5, 3}));
    EXPECT_EQ(ReadBytes(ZonePath("w", "b")), "");  // the zone node stays, now empty
}

TEST_F(WorldStorageTest, AFileThatCannotBeReplacedKeepsItsOldContent) {
    // A name so long that the temporary file beside it cannot be created.
    const std::string longZone(245, 'a');
    PutZone("w", "ok", Rooms({1}));
    WriteBytes(ZonePath("w", longZone), ZoneFileBytes(Rooms({1})));
    ASSERT_TRUE(Load("w").Succeeded());
    const std::string before = ReadBytes(ZonePath("w", longZone));
    world_->CurrentZone = longZone;
    world_->LoadZone();
    world_->AddRoom(MakeRoom(2, 3, 3));
    world_->CurrentZone = "ok";
    world_->LoadZone();
    world_->AddRoom(MakeRoom(2, 3, 3));

    StorageResult result = storage_->SaveWorld();
    EXPECT_EQ(result.Outcome, StorageOutcome::Failed);
    ASSERT_EQ(result.Errors.size(), 1u);
    // The file named, the system's reason, and what became of the changes.
    EXPECT_EQ(result.Errors[0], W1251("Не удалось переписать файл") + "\r\n" + ZonePath("w", longZone) +
                                    ": File name too long.\r\n" +
                                    W1251("Прежний файл не тронут, изменения карты остались в памяти и в журнале "
                                          "изменений. Устраните причину и сохраните мир снова."));
    EXPECT_EQ(ReadBytes(ZonePath("w", longZone)), before);
    EXPECT_EQ(TagsInFile(ZonePath("w", "ok")), (std::vector<std::int32_t>{1, 2}));  // the others are saved
    EXPECT_FALSE(world_->MapSaved);

    // Replacing the world now would lose the unsaved rooms: refused.
    PutZone("other", "z", Rooms({1}));
    EXPECT_EQ(storage_->OpenWorld("other").Outcome, StorageOutcome::Failed);
    EXPECT_EQ(world_->CurrentWorld, "w");
    EXPECT_EQ(storage_->OpenWorld("other", true).Outcome, StorageOutcome::Done);
    EXPECT_EQ(world_->CurrentWorld, "other");
}

TEST_F(WorldStorageTest, SaveAsMovesTheWorldToAnotherDirectory) {
    PutZone("old", "a", Rooms({1, 2}));
    PutZone("old", "broken", Rooms({1, 2}));
    std::string broken = ReadBytes(ZonePath("old", "broken"));
    broken += "garbage that is not a record";
    WriteBytes(ZonePath("old", "broken"), broken);
    PutProfile("old", "[Connect]\r\nServer Name=old.example.org\r\n");
    ASSERT_EQ(Load("old").Errors.size(), 1u);
    const std::string oldA = ReadBytes(ZonePath("old", "a"));
    world_->AddRoom(MakeRoom(3, 3, 3));

    // A taken name is reported first; the player decides.
    PutZone("taken", "junk", Rooms({9}));
    EXPECT_EQ(storage_->SaveWorldAs("taken", false).Outcome, StorageOutcome::NameTaken);
    EXPECT_EQ(world_->CurrentWorld, "old");
    EXPECT_TRUE(fs::exists(ZonePath("taken", "junk")));

    StorageResult result = storage_->SaveWorldAs("taken", true);
    EXPECT_EQ(result.Outcome, StorageOutcome::Done);
    EXPECT_EQ(world_->CurrentWorld, "taken");
    EXPECT_EQ(settings_.World, "taken");
    EXPECT_FALSE(fs::exists(ZonePath("taken", "junk")));
    EXPECT_EQ(TagsInFile(ZonePath("taken", "a")), (std::vector<std::int32_t>{1, 2, 3}));
    // The damaged file travels unchanged and stays protected.
    EXPECT_EQ(ReadBytes(ZonePath("taken", "broken")), broken);
    EXPECT_TRUE(storage_->IsZoneDamaged("broken"));
    // The old world is as it was; the new one has its own partial profile.
    EXPECT_EQ(ReadBytes(ZonePath("old", "a")), oldA);
    EXPECT_EQ(ReadBytes(WorldDir("taken") + "/local.ini").find("old.example.org"), std::string::npos);

    // Saving under the open world's own name is a plain save: nothing deleted.
    WriteBytes(WorldDir("taken") + "/objects.dat", "objects");
    EXPECT_EQ(storage_->SaveWorldAs("taken", true).Outcome, StorageOutcome::Done);
    EXPECT_EQ(ReadBytes(WorldDir("taken") + "/objects.dat"), "objects");
    EXPECT_THROW(storage_->SaveWorldAs("a/b", true), InvalidNameError);
}

TEST_F(WorldStorageTest, CreateProposesAFreeNameAndStartsWithAnEmptyZone) {
    EXPECT_EQ(storage_->ProposeNewWorldName(), W1251("Новый мир"));
    fs::create_directories(WorldDir(W1251("Новый мир")));
    fs::create_directories(WorldDir(W1251("Новый мир 1")));
    EXPECT_EQ(storage_->ProposeNewWorldName(), W1251("Новый мир 2"));
    EXPECT_EQ(storage_->CreateWorld(W1251("Новый мир 1")).Outcome, StorageOutcome::NameTaken);

    // The open world is saved before it is replaced.
    PutZone("w", "a", Rooms({1}));
    ASSERT_TRUE(Load("w").Succeeded());
    world_->AddRoom(MakeRoom(2, 2, 2));
    StorageResult result = storage_->CreateWorld(W1251("Новый мир 2"));
    ASSERT_TRUE(result.Succeeded());
    EXPECT_TRUE(result.Errors.empty());
    EXPECT_EQ(TagsInFile(ZonePath("w", "a")), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(world_->CurrentWorld, W1251("Новый мир 2"));
    EXPECT_EQ(world_->CurrentZone, W1251("Новая зона"));
    EXPECT_EQ(world_->RoomCount(), 0u);
    EXPECT_TRUE(fs::exists(ZonePath(W1251("Новый мир 2"), W1251("Новая зона"))));
    EXPECT_EQ(settings_.World, W1251("Новый мир 2"));

    // A new zone takes the next free name.
    EXPECT_EQ(storage_->StartEmptyZone(), W1251("Новая зона 1"));
    EXPECT_EQ(world_->CurrentZone, W1251("Новая зона 1"));
    EXPECT_TRUE(fs::exists(ZonePath(W1251("Новый мир 2"), W1251("Новая зона 1"))));
    EXPECT_THROW(storage_->CreateWorld(".."), InvalidNameError);
}

TEST_F(WorldStorageTest, AZoneStartedAndLeftWithoutARoomKeepsNoFileAfterASave) {
    PutZone("w", "a", Rooms({1}));
    ASSERT_TRUE(Load("w").Succeeded());
    const std::string abandoned = storage_->StartEmptyZone();
    const std::string mapped = storage_->StartEmptyZone();
    world_->AddRoom(MakeRoom(2, 2, 2));  // into the zone shown now
    ASSERT_TRUE(fs::exists(ZonePath("w", abandoned)));

    ASSERT_TRUE(storage_->SaveWorld().Succeeded());
    EXPECT_FALSE(fs::exists(ZonePath("w", abandoned)));
    EXPECT_EQ(TagsInFile(ZonePath("w", mapped)), (std::vector<std::int32_t>{2}));
    EXPECT_EQ(TagsInFile(ZonePath("w", "a")), (std::vector<std::int32_t>{1}));
    // Read again, the world has the zones that hold rooms.
    ASSERT_TRUE(Load("w").Succeeded());
    EXPECT_EQ(world_->RoomCount(), 2u);
    EXPECT_EQ(world_->Tree().FindZone(abandoned), nullptr);
}

TEST_F(WorldStorageTest, RevertThrowsAwayChangesAndKeepsTheZone) {
    std::vector<std::unique_ptr<MudRoom>> a = Rooms({1, 2});
    a[1]->Description = "\r\nkept\r\n\r\n";
    PutZone("w", "a", a);
    PutZone("w", "b", Rooms({1}));
    PutZone("w", "c", Rooms({1}));
    ASSERT_TRUE(Load("w").Succeeded());
    world_->CurrentZone = "b";
    world_->LoadZone();
    world_->AddRoom(MakeRoom(5, 5, 5));
    world_->RemoveRoom(world_->GlobalFindRoomByTag(1, "a"));

    ASSERT_TRUE(storage_->RevertWorld().Succeeded());
    EXPECT_EQ(TagsOf("a"), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(TagsOf("b"), (std::vector<std::int32_t>{1}));
    EXPECT_EQ(world_->CurrentZone, "b");
    EXPECT_TRUE(world_->MapSaved);
    // Only trailing line breaks go.
    EXPECT_EQ(world_->GlobalFindRoomByTag(2, "a")->Description, "\r\nkept");

    // A room stored as selected pulls the choice to its zone.
    std::vector<std::unique_ptr<MudRoom>> c = Rooms({1, 2});
    c[0]->Selected = true;
    PutZone("w", "c", c);
    ASSERT_TRUE(storage_->RevertWorld().Succeeded());
    EXPECT_EQ(world_->CurrentZone, "c");
    EXPECT_FALSE(world_->GlobalFindRoomByTag(1, "c")->Selected);
}

TEST_F(WorldStorageTest, RevertWithoutTheDirectoryKeepsTheMap) {
    PutZone("w", "a", Rooms({1}));
    ASSERT_TRUE(Load("w").Succeeded());
    fs::remove_all(WorldDir("w"));
    EXPECT_EQ(storage_->RevertWorld().Outcome, StorageOutcome::NotFound);
    EXPECT_EQ(world_->RoomCount(), 1u);
    EXPECT_EQ(world_->CurrentWorld, "w");
}

TEST_F(WorldStorageTest, DeleteRemovesFilesThenTheDirectory) {
    PutZone("doomed", "a", Rooms({1}));
    WriteBytes(WorldDir("doomed") + "/local.ini", "");
    EXPECT_TRUE(storage_->DeleteWorld("doomed"));
    EXPECT_FALSE(fs::exists(WorldDir("doomed")));

    PutZone("nested", "a", Rooms({1}));
    fs::create_directories(WorldDir("nested") + "/skins");
    EXPECT_FALSE(storage_->DeleteWorld("nested"));
    EXPECT_FALSE(fs::exists(ZonePath("nested", "a")));
    EXPECT_TRUE(fs::exists(WorldDir("nested") + "/skins"));

    // Never anything outside the maps directory.
    WriteBytes(root_ + "/trellan.ini", "keep");
    EXPECT_THROW(storage_->DeleteWorld(".."), InvalidNameError);
    EXPECT_THROW(storage_->DeleteWorld(""), InvalidNameError);
    EXPECT_EQ(ReadBytes(root_ + "/trellan.ini"), "keep");
    EXPECT_EQ(storage_->ListWorlds(), std::vector<std::string>{"nested"});
}

TEST(ExitWordReplacement, ReplacesInOnePass) {
    const ExitWords latin = ExitWords::Defaults();
    const ExitWords russian =
        ExitWords::FromProfileOrder(W1251("с"), W1251("ю"), W1251("в"), W1251("з"), W1251("вв"), W1251("вн"));
    EXPECT_EQ(ReplaceExitWordsInText("N (S) E W U D", latin, russian), W1251("с (ю) в з вв вн"));
    // Back again: "вв" is not cut apart by the shorter "в".
    EXPECT_EQ(ReplaceExitWordsInText(W1251("с (ю) в з вв вн"), russian, latin), "N (S) E W U D");
    // Swapping two words works.
    ExitWords swapped = latin;
    std::swap(swapped.Word[Index(Direction::North)], swapped.Word[Index(Direction::South)]);
    EXPECT_EQ(ReplaceExitWordsInText("N S", latin, swapped), "S N");
    ExitWords noOld = latin;
    noOld.Word[Index(Direction::North)].clear();
    EXPECT_EQ(ReplaceExitWordsInText("N", noOld, russian), "N");
}

TEST_F(WorldStorageTest, ExitWordReplacementCoversEveryZone) {
    std::vector<std::unique_ptr<MudRoom>> a = Rooms({1});
    a[0]->SetExits("N (E)", ExitWords::Defaults());
    std::vector<std::unique_ptr<MudRoom>> b = Rooms({1});
    b[0]->SetExits("D", ExitWords::Defaults());
    PutZone("w", "a", a);
    PutZone("w", "b", b);
    ASSERT_TRUE(Load("w").Succeeded());
    const ExitWords words = ExitWords::FromProfileOrder("north", "south", "east", "west", "up", "down");
    storage_->ReplaceExitWords(ExitWords::Defaults(), words, words);
    const MudRoom* roomA = world_->GlobalFindRoomByTag(1, "a");
    const MudRoom* roomB = world_->GlobalFindRoomByTag(1, "b");
    EXPECT_EQ(roomA->Exits(), "north (east)");
    EXPECT_EQ(roomA->ExitState(Direction::North), ExitStatus::Present);
    EXPECT_EQ(roomA->ExitState(Direction::East), ExitStatus::ClosedDoor);
    EXPECT_EQ(roomB->Exits(), "down");
    EXPECT_FALSE(world_->MapSaved);
    // The name look-up follows the new text.
    EXPECT_EQ(world_->GlobalFindRoomByName("Room 1", "", "down"), roomB);
    storage_->SaveWorld();
    EXPECT_EQ(ReadZoneFile(ZonePath("w", "b"), words).Rooms[0]->Exits(), "down");
}

TEST_F(WorldStorageTest, ZoneFilesFollowRenameAndDelete) {
    PutZone("w", "a", Rooms({1, 2}));
    PutZone("w", "b", Rooms({1}));
    std::string broken = ReadBytes(ZonePath("w", "b")) + "0123456789ABCDEF";
    WriteBytes(ZonePath("w", "b"), broken);
    ASSERT_EQ(Load("w").Errors.size(), 1u);

    // Onto another zone's file: refused, nothing moves.
    EXPECT_FALSE(storage_->RenameZoneFile("a", "b"));
    EXPECT_TRUE(fs::exists(ZonePath("w", "a")));
    EXPECT_THROW(storage_->RenameZoneFile("a", "x|y"), InvalidNameError);

    // The damage mark travels with the file, so the renamed file is not overwritten either.
    ASSERT_TRUE(storage_->RenameZoneFile("b", "c"));
    world_->RenameZone("b", "c");
    EXPECT_FALSE(fs::exists(ZonePath("w", "b")));
    EXPECT_TRUE(storage_->IsZoneDamaged("c"));
    storage_->SaveWorld();
    EXPECT_EQ(ReadBytes(ZonePath("w", "c")), broken);

    EXPECT_TRUE(storage_->DeleteZoneFile("c"));
    EXPECT_FALSE(fs::exists(ZonePath("w", "c")));
    EXPECT_FALSE(storage_->IsZoneDamaged("c"));
}

}  // namespace
}  // namespace trellan::testing
