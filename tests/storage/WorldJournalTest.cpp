// The change journal against the map it stands for: replaying it over the
// files gives exactly what a save would have written (the zone files'
// bytes), through torn and damaged journals and a full disk.
#include "storage/WorldJournal.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <map>

#include "common/FileIo.h"
#include "storage/JournalCodec.h"
#include "storage/JournalFormat.h"
#include "storage/WorldStorageFixture.h"

namespace trellan {
namespace {

using testing::MakeRoom;
using testing::ReadBytes;
using testing::Rooms;

class WorldJournalTest : public testing::WorldStorageTest {
protected:
    void SetUp() override {
        WorldStorageTest::SetUp();
        hooks_.WorldSaved = [this] { journal_->Saved(storage_->WorldDirectory()); };
        PutZone("w", "A", Rooms({1, 2, 3}));
        PutZone("w", "B", Rooms({10, 11}));
        PutZone("w", "C", Rooms({20}));
        EXPECT_EQ(Restart().Changes, 0u);
    }
    void TearDown() override { SetWriteFault(nullptr); }

    // A second program over the same files, with the journal replayed.
    JournalRecovery Restart() {
        journal_.reset();
        Rebuild();
        journal_ = std::make_unique<WorldJournal>(*world_);
        Load("w");
        return journal_->Open(WorldDir("w"), storage_->Words());
    }

    // Every zone as a save would write it now.
    std::map<std::string, std::string> SavedCopy() const {
        std::map<std::string, std::string> zones;
        for (const ZoneNode& node : world_->Tree().Zones()) zones[node.Text];
        for (const RoomSlot& slot : world_->AllRooms()) zones[slot.Zone()];
        for (auto& [zone, bytes] : zones) {
            std::vector<const MudRoom*> rooms;
            for (const RoomSlot& slot : world_->RoomsOfZone(zone)) rooms.push_back(slot.Room());
            bytes = ZoneFileBytes(rooms);
        }
        return zones;
    }

    MudRoom* Room(const std::string& zone, std::int32_t tag) { return world_->GlobalFindRoomByTag(tag, zone); }
    std::string JournalPath() const { return WorldDir("w") + "/" + std::string(journal::kFileName); }

    void Show(const std::string& zone) {
        world_->ClearZone();
        world_->CurrentZone = zone;
        world_->LoadZone();
    }

    // Walks and edits the way the tracker and the window do, flushing after
    // each step; returns the copy after each flush.
    std::vector<std::map<std::string, std::string>> EditEverywhere() {
        std::vector<std::map<std::string, std::string>> copies;
        const auto flush = [&] {
            EXPECT_EQ(journal_->Flush(), WorldJournal::FlushOutcome::Written);
            copies.push_back(SavedCopy());
        };
        Show("A");
        // The tracker: a new room east of room 3, linked both ways.
        MudRoom* added = world_->AddRoom(MakeRoom(4, 0, 3));
        added->ChW = true;
        world_->NoteRoomEdited(added);
        Room("A", 3)->ChE = true;
        world_->NoteRoomEdited(Room("A", 3));
        flush();
        // The window: a move, a new name, a note and a colour assigned directly.
        world_->MoveRoom(Room("A", 2), 5, 5, 1);
        world_->SetRoomText(Room("A", 1), "Renamed", "A description", "", storage_->Words());
        // The window's forms assign the target room's fields directly.
        world_->TargetRoom = Room("A", 3);
        Room("A", 3)->Note = "a note\r\nof two lines";
        world_->MapSaved = false;
        Room("B", 11)->BColor = 0x123456;
        world_->NoteRoomChanged(Room("B", 11));
        flush();
        // A room goes, another gets an alias.
        world_->RemoveRoom(Room("A", 1));
        world_->SetRoomAlias(Room("B", 10), "bookmark");
        flush();
        // A room listed under another zone keeps its place in the list.
        world_->SetRoomZone(Room("C", 20), "A");
        flush();
        // Zones renamed and removed, their files with them as the zone tree
        // does it; several edits in one flush.
        EXPECT_TRUE(storage_->RenameZoneFile("B", "D"));
        world_->RenameZone("B", "D");
        EXPECT_TRUE(storage_->DeleteZoneFile("C"));
        world_->RemoveZone("C");
        Show("A");
        world_->AddRoom(MakeRoom(5, 1, 3));
        world_->SetRoomTag(Room("A", 4), 40);
        flush();
        // A target room edited again, and the room edited before it
        // followed as the target moves on.
        world_->TargetRoom = Room("A", 2);
        Room("A", 2)->ImageIndex = 7;
        world_->MapSaved = false;
        world_->TargetRoom = Room("A", 3);
        Room("A", 2)->Note = "edited as the target moved on";
        world_->NoteRoomChanged(Room("A", 2));
        flush();
        // Only zone A in the last flush.
        Room("A", 40)->DT = true;
        world_->NoteRoomEdited(Room("A", 40));
        flush();
        return copies;
    }

    std::unique_ptr<WorldJournal> journal_;
};

TEST_F(WorldJournalTest, ReplayGivesExactlyTheMapTheChangesMade) {
    const auto copies = EditEverywhere();
    const auto expected = copies.back();

    const JournalRecovery recovery = Restart();
    EXPECT_GT(recovery.Changes, 5u);
    EXPECT_FALSE(recovery.Damaged);
    EXPECT_FALSE(world_->MapSaved) << "recovered changes are not saved yet";
    EXPECT_EQ(SavedCopy(), expected);
    EXPECT_EQ(ZoneNames(), (std::vector<std::string>{"A", "D"}));

    // A second crash without changes replays to the same map.
    journal_->Flush();
    Restart();
    EXPECT_EQ(SavedCopy(), expected);

    // A whole save empties the journal: nothing to replay afterwards.
    ASSERT_TRUE(storage_->SaveWorld().Succeeded());
    EXPECT_EQ(ReadBytes(JournalPath()), "");
    EXPECT_EQ(Restart().Changes, 0u);
    EXPECT_TRUE(world_->MapSaved);
    EXPECT_EQ(SavedCopy(), expected);
}

TEST_F(WorldJournalTest, ATornLastRecordReplaysUpToTheRecordBeforeIt) {
    const auto copies = EditEverywhere();
    const std::string whole = ReadBytes(JournalPath());
    const JournalContents contents = ReadJournalBytes(whole);
    ASSERT_EQ(contents.Condition, JournalContents::State::Whole);
    std::string allButLast(journal::kFileHeader);
    for (std::size_t i = 0; i + 1 < contents.Changes.size(); ++i) AppendJournalRecord(allButLast, contents.Changes[i]);
    ASSERT_EQ(whole.compare(0, allButLast.size(), allButLast), 0);

    for (std::size_t cut = allButLast.size() + 1; cut < whole.size(); cut += 7) {
        testing::WriteBytes(JournalPath(), whole.substr(0, cut));
        const JournalRecovery recovery = Restart();
        ASSERT_TRUE(recovery.Torn) << cut;
        EXPECT_FALSE(recovery.Damaged);
        ASSERT_EQ(SavedCopy(), copies[copies.size() - 2]) << "cut at " << cut;
        // The torn tail is cut off, so what is appended now follows whole records.
        EXPECT_EQ(ReadBytes(JournalPath()), allButLast);
    }
}

TEST_F(WorldJournalTest, ADamagedJournalIsSetAsideAndWhatCameBeforeIsKept) {
    const auto copies = EditEverywhere();
    testing::WriteBytes(JournalPath(), ReadBytes(JournalPath()) + "0123456789ABCDEF");
    const JournalRecovery recovery = Restart();
    EXPECT_TRUE(recovery.Damaged);
    EXPECT_NE(recovery.Damage.find("no record starts here"), std::string::npos) << recovery.Damage;
    EXPECT_EQ(recovery.SetAsidePath, JournalPath() + ".damaged-1");
    EXPECT_TRUE(FileExists(recovery.SetAsidePath));
    EXPECT_FALSE(FileExists(JournalPath()));
    EXPECT_EQ(SavedCopy(), copies.back());

    // The fresh journal takes the recovered map over at its first flush.
    EXPECT_EQ(journal_->Flush(), WorldJournal::FlushOutcome::Written);
    EXPECT_FALSE(Restart().Damaged);
    EXPECT_EQ(SavedCopy(), copies.back());
}

TEST_F(WorldJournalTest, AFullDiskKeepsTheOldFilesAndTheJournalUntilThereIsSpace) {
    const auto copies = EditEverywhere();
    const std::string zoneA = ReadBytes(ZonePath("w", "A"));
    SetWriteFault([](const std::string& path) { return path.find(".tr2") != std::string::npos ? ENOSPC : 0; });
    StorageResult failed = storage_->SaveWorld();
    EXPECT_EQ(failed.Outcome, StorageOutcome::Failed);
    ASSERT_FALSE(failed.Errors.empty());
    const std::string message = Cp1251ToUtf8(failed.Errors.front());
    EXPECT_NE(message.find("на диске нет места"), std::string::npos) << message;
    EXPECT_NE(message.find("/w/"), std::string::npos) << message;
    EXPECT_EQ(message.find("вручную"), std::string::npos) << message;
    EXPECT_FALSE(world_->MapSaved);
    EXPECT_EQ(ReadBytes(ZonePath("w", "A")), zoneA) << "the old file stays whole";
    EXPECT_NE(ReadBytes(JournalPath()), "") << "the journal keeps the changes";

    // The journal cannot be written either: the changes wait in memory.
    SetWriteFault([](const std::string&) { return ENOSPC; });
    world_->SetRoomAlias(Room("A", 5), "late");
    EXPECT_EQ(journal_->Flush(), WorldJournal::FlushOutcome::Failed);
    EXPECT_EQ(journal_->LastError(), ENOSPC);
    const std::string before = ReadBytes(JournalPath());

    // Space again: the queued change reaches the journal, then a save.
    SetWriteFault(nullptr);
    EXPECT_EQ(journal_->Flush(), WorldJournal::FlushOutcome::Written);
    EXPECT_GT(ReadBytes(JournalPath()).size(), before.size());
    const auto expected = SavedCopy();
    EXPECT_EQ(Restart().Damaged, false);
    EXPECT_EQ(SavedCopy(), expected);
    ASSERT_TRUE(storage_->SaveWorld().Succeeded());
    Restart();
    EXPECT_EQ(SavedCopy(), expected);
}

}  // namespace
}  // namespace trellan
