// Undo and redo of map changes, each checked against what `trellan zone
// dump` shows of every zone before the change and after it.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "mapping/RoomEdits.h"
#include "mapping/ZoneFixture.h"
#include "storage/MapTools.h"
#include "storage/UndoHistory.h"

namespace trellan {
namespace {

class UndoHistoryTest : public ZoneFixture {
protected:
    UndoHistoryTest() {
        hall = Room(0, 0, 0, "Hall");
        well = Room(0, 1, 0, "Well");
        yard = Room(1, 0, 0, "Yard");
        Join(hall, well, Direction::East);
        Join(hall, yard, Direction::South);
        world.NoteRoomEdited(hall);
        Elsewhere("b", 1, 5, 5)->Hint = "Tower";
        world.CurrentRoom = hall;
        hall->Selected = true;
    }

    // Every zone of the world as the dump tool prints its file, with the
    // zone tree's names (a zone put back takes its node at the tree's end).
    std::string Dump() {
        std::set<std::string> zones;
        std::string out = "tree:";
        for (const ZoneNode& node : world.Tree().Zones()) zones.insert(node.Text);
        for (const std::string& zone : zones) out += " " + zone;
        for (const RoomSlot& slot : world.AllRooms()) zones.insert(slot.Zone());
        for (const std::string& zone : zones) {
            files.Write(zone);
            std::istringstream in;
            std::ostringstream dumped, err;
            EXPECT_EQ(RunMapTool({"zone", "dump", files.Path(zone)}, in, dumped, err), 0) << err.str();
            out += "\nzone " + zone + ":\n" + dumped.str();
        }
        return out;
    }

    // Runs `change` as one step, then checks that undo gives the dump from
    // before and redo the one from after.
    template <typename F>
    void CheckUndoAndRedo(const std::string& name, F change) {
        history.Begin("warm-up");
        history.End();
        const std::string before = Dump();
        {
            UndoHistory::Step step(history, name);
            change();
        }
        const std::string after = Dump();
        ASSERT_NE(before, after) << name << " changed nothing";
        ASSERT_EQ(history.UndoName(), name);

        const std::optional<UndoOutcome> undone = history.Undo(ExitWords::Defaults());
        ASSERT_TRUE(undone.has_value());
        EXPECT_EQ(undone->Step, name);
        EXPECT_FALSE(world.MapSaved);
        EXPECT_EQ(Dump(), before) << name;
        EXPECT_EQ(history.RedoName(), name);

        const std::optional<UndoOutcome> redone = history.Redo(ExitWords::Defaults());
        ASSERT_TRUE(redone.has_value());
        EXPECT_EQ(redone->Step, name);
        EXPECT_EQ(Dump(), after) << name;

        // And back once more: the records of a redone step still fit.
        ASSERT_TRUE(history.Undo(ExitWords::Defaults()).has_value());
        EXPECT_EQ(Dump(), before) << name << " undone twice";
        ASSERT_TRUE(history.Redo(ExitWords::Defaults()).has_value());
        EXPECT_EQ(Dump(), after) << name << " redone twice";
    }

    UndoHistory history{world};
    MudRoom* hall = nullptr;
    MudRoom* well = nullptr;
    MudRoom* yard = nullptr;
};

TEST_F(UndoHistoryTest, MovesNewRoomsLinksAndBlockShiftsGoBackAndForth) {
    // A move of the tracker into a new room: the room, both links and the
    // current room's highlight.
    CheckUndoAndRedo("move", [&] {
        world.TargetRoom = hall;
        MudRoom* north = place.StepTo(1);
        ASSERT_NE(north, nullptr);
        hall->Selected = false;
        north->Selected = true;
        world.CurrentRoom = north;
    });
    Room(3, 1, 0, "Far south");
    CheckUndoAndRedo("long link", [&] {
        world.TargetRoom = well;
        linker.MakeLink(2);
    });
    CheckUndoAndRedo("shift", [&] {
        world.TargetRoom = yard;
        place.MoveRoom(2);
    });
}

TEST_F(UndoHistoryTest, RoomMenuEditsAndCrossLinksGoBackAndForth) {
    CheckUndoAndRedo("marks", [&] {
        ToggleMark(*well, RoomMark::DT);
        SetPicture(*well, 3);
        world.NoteRoomEdited(well);
    });
    CheckUndoAndRedo("door", [&] { ToggleDoor(world, *hall, Direction::East, config.Words); });
    CheckUndoAndRedo("text", [&] {
        world.SetRoomText(yard, "Court", "A wide court", "NE", config.Words);
        world.SetRoomAlias(yard, "court");
        yard->Note = "note";
        world.NoteRoomChanged(yard);
    });
    CheckUndoAndRedo("cross link", [&] {
        AddCrossLink(world, place, *well, CrossLinkFields{"b", Phrase(Direction::North), "1", ""});
    });
    world.TargetRoom = yard;
    CheckUndoAndRedo("delete", [&] { ASSERT_TRUE(zones.DeleteRoom().Succeeded()); });
}

TEST_F(UndoHistoryTest, ZoneTreeOperationsGoBackAndForth) {
    files.SaveWorld();
    CheckUndoAndRedo("rename", [&] { ASSERT_TRUE(tree.RenameZone("b", "c").Succeeded()); });
    CheckUndoAndRedo("split", [&] {
        world.TargetRoom = hall;
        ASSERT_TRUE(zones.StartNewZone(Direction::East).Succeeded());
    });
    // Undoing the split put zone a back whole: its rooms are new objects.
    world.ClearZone();
    world.CurrentZone = "a";
    world.LoadZone();
    CheckUndoAndRedo("merge", [&] {
        world.TargetRoom = world.FindRoom(0, 0, 0);
        const ZoneResult merged = zones.MergeZone(Direction::East);
        ASSERT_TRUE(merged.Succeeded()) << merged.Message;
    });
    CheckUndoAndRedo("delete zone", [&] { ASSERT_TRUE(tree.DeleteZone("c").Succeeded()); });
}

TEST_F(UndoHistoryTest, UndoKeepsTheCurrentRoomWhenItsZoneIsPutBackWhole) {
    world.TargetRoom = yard;
    CheckUndoAndRedo("delete", [&] { ASSERT_TRUE(zones.DeleteRoom().Succeeded()); });
    ASSERT_TRUE(history.Undo(ExitWords::Defaults()).has_value());
    ASSERT_NE(world.CurrentRoom, nullptr);
    EXPECT_EQ(world.CurrentRoom->Hint, "Hall");
    EXPECT_TRUE(world.Contains(world.CurrentRoom));
}

TEST_F(UndoHistoryTest, RoomsPutBackFromRecordsKeepTheServersIdentities) {
    world.SetRoomServerId(hall, "1001");
    world.SetRoomServerId(well, "1002");
    world.TargetRoom = yard;
    {
        UndoHistory::Step step(history, "delete");
        ASSERT_TRUE(zones.DeleteRoom().Succeeded());
    }
    ASSERT_TRUE(history.Undo(ExitWords::Defaults()).has_value());
    MudRoom* hallBack = world.FindRoomByServerId("1001");
    ASSERT_NE(hallBack, nullptr) << "the zone was put back whole, each room anew";
    EXPECT_EQ(hallBack->Hint, "Hall");
    ASSERT_NE(world.FindRoomByServerId("1002"), nullptr);
    EXPECT_EQ(world.FindRoomByServerId("1002")->Hint, "Well");

    // A replaced record keeps the room's identity too.
    {
        UndoHistory::Step step(history, "rename");
        world.SetRoomText(hallBack, "Big hall", "desc", "NSEW", config.Words);
    }
    ASSERT_TRUE(history.Undo(ExitWords::Defaults()).has_value());
    EXPECT_EQ(hallBack->ServerId, "1001");
}

TEST_F(UndoHistoryTest, NestedStepsAreOneAndChangesOutsideStepsAreOneOfTheirOwn) {
    history.Begin("outer");
    history.Begin("inner");
    world.SetRoomText(well, "A", "a", "NS", config.Words);
    history.End();
    world.SetRoomText(yard, "B", "b", "NS", config.Words);
    history.End();
    EXPECT_EQ(history.UndoCount(), 1u);
    EXPECT_EQ(history.UndoName(), "outer");

    world.SetRoomText(well, "C", "c", "NS", config.Words);
    EXPECT_EQ(history.UndoName(), history.FallbackName);
    ASSERT_TRUE(history.Undo(ExitWords::Defaults()).has_value());
    EXPECT_EQ(well->Hint, "A");
    EXPECT_EQ(history.UndoName(), "outer");
    // Undo and redo wait for an open step to end.
    history.Begin("open");
    EXPECT_FALSE(history.Undo(ExitWords::Defaults()).has_value());
    history.End();
}

TEST_F(UndoHistoryTest, MovingTheHighlightAloneIsNoStepAndANewStepEndsTheRedos) {
    history.Begin("select");
    hall->Selected = false;
    well->Selected = true;
    world.NoteRoomChanged(hall);
    world.NoteRoomChanged(well);
    history.End();
    EXPECT_FALSE(history.UndoName().has_value());

    {
        UndoHistory::Step step(history, "a");
        world.SetRoomText(well, "A", "a", "NS", config.Words);
    }
    ASSERT_TRUE(history.Undo(ExitWords::Defaults()).has_value());
    EXPECT_EQ(history.RedoName(), "a");
    {
        UndoHistory::Step step(history, "b");
        world.SetRoomText(yard, "B", "b", "NS", config.Words);
    }
    EXPECT_FALSE(history.RedoName().has_value());
    EXPECT_FALSE(history.Redo(ExitWords::Defaults()).has_value());
}

TEST_F(UndoHistoryTest, TheHistoryIsBoundedAndEndsWithTheWorld) {
    for (std::size_t i = 0; i < UndoHistory::kMaxSteps + 5; ++i) {
        UndoHistory::Step step(history, "step " + std::to_string(i));
        well->Note = std::to_string(i);
        world.NoteRoomChanged(well);
    }
    EXPECT_EQ(history.UndoCount(), UndoHistory::kMaxSteps);
    EXPECT_EQ(history.UndoName(), "step " + std::to_string(UndoHistory::kMaxSteps + 4));
    std::size_t undone = 0;
    while (history.Undo(ExitWords::Defaults())) ++undone;
    EXPECT_EQ(undone, UndoHistory::kMaxSteps);
    EXPECT_EQ(well->Note, "4");

    history.Clear();
    EXPECT_FALSE(history.UndoName().has_value());
    EXPECT_FALSE(history.RedoName().has_value());
    EXPECT_EQ(history.Bytes(), 0u);
}

TEST_F(UndoHistoryTest, ASaveKeepsTheHistory) {
    {
        UndoHistory::Step step(history, "a");
        world.SetRoomText(well, "A", "a", "NS", config.Words);
    }
    files.SaveWorld();
    ASSERT_TRUE(world.MapSaved);
    ASSERT_TRUE(history.Undo(ExitWords::Defaults()).has_value());
    EXPECT_EQ(well->Hint, "Well");
    EXPECT_FALSE(world.MapSaved);
}

TEST_F(UndoHistoryTest, TheJournalsCollectorSeesWhatUndoPutBack) {
    ZoneChangeCollector journal(world);
    journal.Collect();
    world.TargetRoom = yard;
    {
        UndoHistory::Step step(history, "delete");
        ASSERT_TRUE(zones.DeleteRoom().Succeeded());
    }
    journal.Collect();
    const std::optional<UndoOutcome> undone = history.Undo(ExitWords::Defaults());
    ASSERT_TRUE(undone.has_value());
    for (const std::string& zone : undone->Zones) journal.Touch(zone);
    const std::vector<ZoneChange> changes = journal.Collect();
    ASSERT_FALSE(changes.empty());
    // Replayed onto the dump of a fresh world, the journal's records give
    // the zone with the room back.
    bool yardBack = false;
    for (const ZoneChange& change : changes) {
        for (const std::string& record : change.Rooms) yardBack = yardBack || record.find("Yard") != std::string::npos;
        for (const RoomEdit& edit : change.Edits) yardBack = yardBack || edit.Record.find("Yard") != std::string::npos;
    }
    EXPECT_TRUE(yardBack);
}

}  // namespace
}  // namespace trellan
