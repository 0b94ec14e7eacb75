// Delivering a walk: batches settled by the tracker, clipboard texts, the
// failure messages, and the player's speedwalk, alias list and return
// commands.
#include "navigation/ClosedDoors.h"
#include "navigation/NavigationFixture.h"
#include "navigation/NavigationMessages.h"
#include "text/TextUtils.h"
#include "tracking/ClientInputStream.h"

namespace trellan::testing {
namespace {

class SpeedwalkTest : public ::testing::Test {
protected:
    SpeedwalkTest() {
        for (int i = 0; i <= 25; ++i) line.push_back(rig.Put(-i, 0));
        for (int i = 0; i < 25; ++i) NavigationRig::Link(line[i], Direction::North, line[i + 1]);
        rig.speedwalk.SetView(&rig.view);
    }

    // Tracing, the map trusted, the player in `room`.
    void StandIn(MudRoom* room) {
        rig.tracker.SetTracing(MovementTracker::TracingSwitch::On);
        rig.tracker.SetWalkingMode(true);
        rig.world.CurrentRoom = room;
    }

    SpeedwalkResult WalkTo(MudRoom* target, SpeedwalkSender sender = SpeedwalkSender::Send) {
        rig.world.TargetRoom = target;
        return rig.speedwalk.WalkToTarget(sender);
    }

    // The server answers `count` moves with a room each.
    void Arrive(int count) {
        for (int i = 0; i < count; ++i)
            rig.tracker.ProcessServerText("\x1B[1;36mRoom\r\nDesc.\r\n\x1B[36m[ Exits: N S ]\r\n");
    }

    static std::string Repeat(const std::string& text, int count) {
        std::string result;
        for (int i = 0; i < count; ++i) result += text;
        return result;
    }

    NavigationRig rig;
    std::vector<MudRoom*> line;
};

TEST_F(SpeedwalkTest, WalkGoesOutInBatchesEachAfterThePreviousIsSettled) {
    StandIn(line[0]);
    ASSERT_EQ(WalkTo(line[25]).What, SpeedwalkResult::Kind::Sent);
    EXPECT_EQ(rig.world.ReturnRoom, line[0]);
    EXPECT_EQ(rig.view.RefreshLock, RefreshLockState::SkipNextRefresh);
    EXPECT_EQ(rig.output.server, Repeat("n\r\n", 10));
    EXPECT_EQ(rig.output.client,
              "\r\n\x1B[1;33m<Trellan> : Speedwalk sent: \r\n\x1B[1;32m" + Repeat("n;", 10) + "\x1B[0m\r\n");
    EXPECT_EQ(rig.tracker.CommandQueue().size(), 10u);
    EXPECT_EQ(rig.speedwalk.Queue().size(), 15u);

    // Nothing more goes out while a step of the batch is unanswered.
    Arrive(9);
    EXPECT_EQ(rig.output.server, Repeat("n\r\n", 10));
    Arrive(1);
    EXPECT_EQ(rig.world.CurrentRoom, line[10]);
    EXPECT_EQ(rig.output.server, Repeat("n\r\n", 20));
    EXPECT_EQ(rig.speedwalk.Queue().size(), 5u);

    Arrive(10);
    EXPECT_EQ(rig.output.server, Repeat("n\r\n", 25));
    EXPECT_EQ(rig.speedwalk.Queue().size(), 0u);
    EXPECT_EQ(rig.output.client, SpeedwalkSentLine(Repeat("n;", 10)) + SpeedwalkSentLine(Repeat("n;", 10)) +
                                     SpeedwalkSentLine(Repeat("n;", 5)));
    Arrive(5);
    EXPECT_EQ(rig.world.CurrentRoom, line[25]);
    EXPECT_EQ(rig.output.server, Repeat("n\r\n", 25));
}

TEST_F(SpeedwalkTest, RefusedMoveOrLookStopsTheWalk) {
    TrackerConfig config = rig.tracker.Config();
    config.CantMoves = {"You cannot go there."};
    rig.tracker.SetConfig(config);
    StandIn(line[0]);
    WalkTo(line[25]);
    Arrive(3);
    rig.tracker.ProcessServerText("You cannot go there.\r\n");
    EXPECT_TRUE(rig.speedwalk.Queue().empty());
    Arrive(6);
    EXPECT_EQ(rig.output.server, Repeat("n\r\n", 10));

    rig.output.server.clear();
    StandIn(line[0]);
    WalkTo(line[25]);
    rig.tracker.ResetQueue();
    rig.tracker.QueueCommand("look");
    Arrive(1);
    EXPECT_TRUE(rig.speedwalk.Queue().empty());
    EXPECT_EQ(rig.output.server, Repeat("n\r\n", 10));
}

TEST_F(SpeedwalkTest, DoorCommandsAreStepsOfTheirOwnAndTinyLengthsStillWalk) {
    rig.speedwalk.SetSettings({0, 100});
    line[1]->AutoMaps = {"|" + rig.Phrase(Direction::North) + "|| open  door ;unlock"};
    StandIn(line[0]);
    WalkTo(line[6]);
    // Batches of five, the door commands trimmed and each one a step.
    EXPECT_EQ(rig.output.server, "n\r\nopen  door\r\nunlock\r\nn\r\nn\r\n");
    EXPECT_EQ(rig.speedwalk.Queue().size(), 3u);
    EXPECT_EQ(rig.tracker.CommandQueue().at(1), "open  door");
}

TEST_F(SpeedwalkTest, AClosedDoorWithoutDoorCommandIsToldBeforeTheWalkAndTheRepeatWalks) {
    line[3]->SetExits(" (N) S ", ExitWords::Defaults());
    line[3]->Hint = "Tavern";
    StandIn(line[0]);
    EXPECT_EQ(WalkTo(line[6]).What, SpeedwalkResult::Kind::Reported);
    EXPECT_EQ(rig.output.server, "");
    // ("я" doubled, as in every line of Trellan's own to the client)
    EXPECT_EQ(rig.output.client, ReplaceAll(ClosedDoorLine("Tavern", rig.Phrase(Direction::North)), "\xFF", "\xFF\xFF"));

    // Asked again (the player opened it), the walk goes out.
    rig.output.client.clear();
    EXPECT_EQ(WalkTo(line[6]).What, SpeedwalkResult::Kind::Sent);
    EXPECT_EQ(rig.output.server, Repeat("n\r\n", 6));

    // A door command stored for that exit opens the door on the way: no word.
    rig.tracker.SetTracing(MovementTracker::TracingSwitch::Off);
    rig.output.server.clear();
    rig.output.client.clear();
    line[3]->AutoMaps = {"|" + rig.Phrase(Direction::North) + "||open door"};
    rig.world.NoteRoomEdited(line[3]);
    StandIn(line[0]);
    EXPECT_EQ(WalkTo(line[6]).What, SpeedwalkResult::Kind::Sent);
    EXPECT_EQ(rig.output.server, "n\r\nn\r\nn\r\nopen door\r\nn\r\nn\r\nn\r\n");
    // A door behind the way's end, or on another way, says nothing either.
    EXPECT_FALSE(FirstDoorWithoutCommand(rig.world, line[0], "n;n", rig.tracker.Config().Parser));
}

TEST_F(SpeedwalkTest, ClipboardTextsWithAndWithoutSeparators) {
    MudRoom* east = rig.Put(-2, 1);
    NavigationRig::Link(line[2], Direction::East, east);
    rig.world.CurrentRoom = line[0];  // tracing off: clipboard only
    SpeedwalkResult with = WalkTo(east, SpeedwalkSender::ClipboardWithSeparators);
    EXPECT_EQ(with.What, SpeedwalkResult::Kind::Clipboard);
    EXPECT_EQ(with.Text, "n;n;e");
    EXPECT_EQ(WalkTo(east, SpeedwalkSender::ClipboardWithoutSeparators).Text, "n n e");
    // A found walk to send while tracing is off: nothing happens.
    EXPECT_EQ(WalkTo(east).What, SpeedwalkResult::Kind::Nothing);
    EXPECT_EQ(rig.world.ReturnRoom, nullptr);
    EXPECT_TRUE(rig.output.server.empty());
    EXPECT_TRUE(rig.output.client.empty());
}

TEST_F(SpeedwalkTest, FailureIsAMessageBoxOffTracingAndAClientLineWhileTracing) {
    MudRoom* island = rig.Put(10, 10);
    rig.world.CurrentRoom = line[0];
    SpeedwalkResult off = WalkTo(island);
    EXPECT_EQ(off.What, SpeedwalkResult::Kind::Message);
    EXPECT_EQ(off.Text, W1251("Спидволк сюда невозможен."));
    EXPECT_TRUE(rig.output.client.empty());

    StandIn(line[0]);
    EXPECT_EQ(WalkTo(island, SpeedwalkSender::ClipboardWithSeparators).What, SpeedwalkResult::Kind::Reported);
    EXPECT_EQ(rig.output.client, "\r\n\x1B[1;33m<Trellan> : Speedwalk \x1B[1;32munabled\x1B[0m\r\n");
    EXPECT_TRUE(rig.output.server.empty());

    // No walk to compute: nothing at all.
    rig.output.client.clear();
    island->DT = true;
    EXPECT_EQ(WalkTo(island).What, SpeedwalkResult::Kind::Nothing);
    EXPECT_EQ(WalkTo(line[0]).What, SpeedwalkResult::Kind::Nothing);
    EXPECT_TRUE(rig.output.client.empty());
}

TEST_F(SpeedwalkTest, SearchRunsWithoutLoggingAndThenNamesSkippedEntries) {
    line[0]->AutoMaps = {"Other|" + rig.Phrase(Direction::North) + "|#5"};
    StandIn(line[0]);
    rig.log.Clear();
    WalkTo(line[2]);
    EXPECT_TRUE(rig.log.Active());
    ASSERT_FALSE(rig.log.Lines().empty());
    EXPECT_NE(rig.log.Lines().front().find("Other|"), std::string::npos);
    EXPECT_EQ(rig.output.server, "n\r\nn\r\n");
}

TEST_F(SpeedwalkTest, PlayerCommandsListAliasesWalkAndWalkBack) {
    ClientInputStream input(rig.tracker, rig.log);
    rig.world.SetRoomAlias(line[20], W1251("храм"));
    MudRoom* far = rig.Put(0, 0, 0, 3, "Other", W1251("Площадь я"));
    rig.world.SetRoomAlias(far, "square");
    rig.world.SetRoomAlias(line[5], "gate");

    input.TakeCommandLine(W1251("гоу\r\n"));
    EXPECT_EQ(rig.output.client, AliasListLine("gate", "Zone", "Room 6") +
                                     AliasListLine(W1251("храм"), "Zone", "Room 21") +
                                     AliasListLine("square", "Other", W1251("Площадь я") + "\xFF") + "\r\n\r\n");
    EXPECT_TRUE(rig.output.server.empty());

    // Without a position no walk starts.
    input.TakeCommandLine(W1251("гоу gate\r\n"));
    EXPECT_TRUE(rig.output.server.empty());
    EXPECT_NE(rig.output.client.find(W1251("наберите look")), std::string::npos);

    StandIn(line[0]);
    rig.output.client.clear();
    input.TakeCommandLine(W1251("гоу gate\r\n"));
    EXPECT_EQ(rig.output.server, Repeat("n\r\n", 5));
    EXPECT_EQ(rig.world.TargetRoom, line[5]);
    EXPECT_EQ(rig.world.ReturnRoom, line[0]);
    Arrive(5);
    ASSERT_EQ(rig.world.CurrentRoom, line[5]);

    // An alias nobody has changes nothing, the way back included.
    input.TakeCommandLine(W1251("гоу nowhere\r\n"));
    EXPECT_EQ(rig.world.ReturnRoom, line[0]);

    rig.output.server.clear();
    input.TakeCommandLine(W1251("назад\r\n"));
    EXPECT_EQ(rig.output.server, Repeat("s\r\n", 5));
    EXPECT_EQ(rig.world.ReturnRoom, line[5]);
}

TEST_F(SpeedwalkTest, AWalkThatGoesNowhereSaysWhyAndKeepsTheWayBack) {
    ClientInputStream input(rig.tracker, rig.log);
    input.TakeCommandLine(W1251("гоу\r\n"));
    EXPECT_EQ(rig.output.client, ReplaceAll(NoAliasesLine(nullptr, W1251("наа")), "\xFF", "\xFF\xFF"));
    EXPECT_NE(rig.output.client.find(W1251("Закладок нет")), std::string::npos);
    EXPECT_NE(rig.output.client.find(W1251("`наа <им")), std::string::npos) << "the player's own word";

    rig.output.client.clear();
    input.TakeCommandLine(W1251("гоу храм\r\n"));
    EXPECT_EQ(rig.output.client, PositionUnknownLine(nullptr));

    rig.world.SetRoomAlias(line[20], W1251("храм"));
    rig.world.SetRoomAlias(line[5], "gate");
    rig.world.SetRoomAlias(line[7], "garden");
    rig.world.SetRoomAlias(line[9], W1251("Храмина"));
    rig.world.SetRoomAlias(line[10], "zzz");
    StandIn(line[5]);
    rig.world.ReturnRoom = line[0];
    rig.output.client.clear();
    // A typo: the aliases it begins (in world order), then the fewest
    // letters away ("zzz" three, "gate" four).
    input.TakeCommandLine(W1251("гоу ХРА\r\n"));
    EXPECT_NE(rig.output.client.find(W1251("Закладки \"ХРА\" нет; ближайшие: Храмина, храм, zzz")),
              std::string::npos);

    // Standing in the room already: said so, nothing sent, the way back kept.
    rig.output.client.clear();
    input.TakeCommandLine(W1251("гоу gate\r\n"));
    EXPECT_EQ(rig.output.client, AlreadyHereLine(nullptr, "gate"));
    EXPECT_TRUE(rig.output.server.empty());
    EXPECT_EQ(rig.world.ReturnRoom, line[0]);
    input.TakeCommandLine(W1251("назад\r\n"));
    EXPECT_EQ(rig.output.server, Repeat("s\r\n", 5));
}

TEST_F(SpeedwalkTest, TelnetByteIsDoubledInWalkTextsWhenTheProfileSaysSo) {
    std::string yard = W1251("идти в ямку");  // holds the byte 0xFF
    line[0]->AutoMaps = {"|" + rig.Phrase(Direction::North) + "||" + yard};
    StandIn(line[0]);
    WalkTo(line[1]);
    EXPECT_EQ(rig.output.server, ReplaceAll(yard, "\xFF", "\xFF\xFF") + "\r\nn\r\n");
    EXPECT_EQ(rig.tracker.CommandQueue().front(), yard);

    TrackerConfig config = rig.tracker.Config();
    config.AddDoubleYaLor = false;
    rig.tracker.SetConfig(config);
    rig.output.server.clear();
    rig.tracker.ResetQueue();
    StandIn(line[0]);
    WalkTo(line[1]);
    EXPECT_EQ(rig.output.server, yard + "\r\nn\r\n");
}

}  // namespace
}  // namespace trellan::testing
