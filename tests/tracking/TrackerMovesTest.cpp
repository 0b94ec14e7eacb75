// The tracker on scripted server output: looks, moves to new and known
// rooms, refused moves, doors, corridors and block shifts.
#include <gtest/gtest.h>

#include "TrackerFixture.h"
#include "text/TextUtils.h"

namespace trellan::testing {
namespace {

class TrackerMovesTest : public TrackerTest {};

TEST_F(TrackerMovesTest, LookOnAnEmptyZoneCreatesTheFirstRoom) {
    tracker().SetTracing(MovementTracker::TracingSwitch::On);
    Type("look");
    Server("Some chatter\r\n" + Room("Market", "A busy square.", " N E "));

    ASSERT_NE(world().CurrentRoom, nullptr);
    MudRoom* first = world().CurrentRoom;
    EXPECT_EQ((std::vector<std::string>{first->Hint, first->Description, first->Exits()}),
              (std::vector<std::string>{"Market", "A busy square.", " N E "}));
    EXPECT_EQ((std::vector<int>{first->X, first->Y, first->L, first->Tag}), (std::vector<int>{0, 0, 0, 1}));
    EXPECT_TRUE(first->Selected);
    EXPECT_TRUE(tracker().CommandQueue().empty());
    EXPECT_EQ(speedwalk().emptied, 1);
    EXPECT_TRUE(Logged("TranslateCMD: Позиционирование Look"));
    EXPECT_TRUE(Logged("TranslateCMD.look: Описатель комнаты:Market"));
    EXPECT_TRUE(Logged("TranslateCMD.Deleted: Отработавшая команда: look"));
}

// The undo history takes what one settled command did to the map as one
// step: the rooms and links a move makes come between its two calls.
TEST_F(TrackerMovesTest, EachSettledCommandIsOneMapStep) {
    MudRoom* square = Put("Square", 0, 0, 0, 1);
    StandIn(square);
    std::vector<std::size_t> roomsAtBegin;
    output().onStepBegins = [&] { roomsAtBegin.push_back(world().RoomCount()); };
    Type("n");
    EXPECT_EQ(output().stepsBegun, 0) << "nothing settled yet";
    Server(Room("Alley"));
    EXPECT_EQ(roomsAtBegin, std::vector<std::size_t>{1});
    EXPECT_EQ(output().stepsBegun, 1);
    EXPECT_EQ(output().stepsEnded, 1);
    EXPECT_FALSE(output().stepOpen);
    EXPECT_EQ(world().RoomCount(), 2u);
    EXPECT_TRUE(square->ChN);

    Type("s");
    Type("n");
    Server(Room("Square") + Room("Alley"));
    EXPECT_EQ(output().stepsBegun, 3);
    EXPECT_EQ(output().stepsEnded, 3);
}

TEST_F(TrackerMovesTest, LookFindsTheRoomByNameInTheZoneOrTheWorld) {
    Put("Square", 0, 0, 0, 1);
    MudRoom* gate = Put("Gate", 3, 3, 0, 2);
    Put("Far hall", 0, 0, 0, 1, "Other");
    tracker().SetTracing(MovementTracker::TracingSwitch::On);
    Type("look");
    Server(Room("Gate"));
    EXPECT_EQ(world().CurrentRoom, gate);

    // A look that no longer fits the current room finds the room elsewhere
    // in the world and shows its zone, without writing the zone left.
    Type("look");
    Server(Room("Far hall"));
    EXPECT_EQ(CurrentName(), "Far hall");
    EXPECT_EQ(world().CurrentZone, "Other");
    EXPECT_EQ(output().zoneSaves, 0);

    // A look that matches nothing in the world loses the position.
    Type("look");
    Server(Room("Nowhere"));
    EXPECT_EQ(world().CurrentRoom, nullptr);
    EXPECT_FALSE(tracker().Tracing());
}

TEST_F(TrackerMovesTest, AMoveSplitOverTwoReadEventsSettlesOnTheSecond) {
    MudRoom* start = Put("Start", 5, 2, 0, 7);
    StandIn(start);
    Type("n");
    std::string room = Room("North room");
    Server(room.substr(0, 20));
    EXPECT_EQ(world().CurrentRoom, start);
    EXPECT_EQ(tracker().CommandQueue().size(), 1u);

    Server(room.substr(20));
    ASSERT_NE(world().CurrentRoom, start);
    MudRoom* reached = world().CurrentRoom;
    EXPECT_EQ(reached->Hint, "North room");
    EXPECT_EQ((std::vector<int>{reached->X, reached->Y, reached->Tag}), (std::vector<int>{4, 2, 8}));
    EXPECT_TRUE(start->ChN && reached->ChS);
    EXPECT_TRUE(tracker().CommandQueue().empty());
    // Tracing with an emptied queue asks the speedwalk for its next batch.
    EXPECT_EQ(speedwalk().batchRequests, 1);
    EXPECT_TRUE(Logged("TranslateCMD.Moves: еще не ходили, комнаты нет или НЕ подошла"));
    EXPECT_TRUE(Logged("TranslateCMD.Moves: не нашли или не канает"));
}

TEST_F(TrackerMovesTest, AMoveFollowsAKnownLinkAndFillsInWhatTheRoomLacks) {
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    MudRoom* north = Put("North", -1, 0, 0, 2);
    world().SetRoomText(north, "North", "", "", ExitWords::Defaults());
    Join(start, Direction::North, north);
    StandIn(start);
    Type("n");
    Server(Room("North", "New words.", " S "));
    EXPECT_EQ(world().CurrentRoom, north);
    EXPECT_EQ(north->Description, "New words.");
    EXPECT_EQ(north->Exits(), " S ");
    EXPECT_TRUE(Logged("TranslateCMD.Moves: уже ходили, комната подошла"));

    // A room that does not fit the known link loses the position.
    Type("s");
    Server(Room("Somewhere else"));
    EXPECT_EQ(world().CurrentRoom, nullptr);
    EXPECT_FALSE(tracker().Tracing());
    EXPECT_TRUE(Logged("TranslateCMD.Moves: уже ходили, комната НЕ подошла"));
}

TEST_F(TrackerMovesTest, AKnownLinkLandsBehindCorridorCellsAndADarkRoomFitsAnyRoomThere) {
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    for (int x : {-1, -2}) {
        MudRoom* cell = Put("", x, 0, 0, 0);
        cell->Pipe = cell->ChN = cell->ChS = true;
    }
    MudRoom* far = Put("Far", -3, 0, 0, 2);
    Join(start, Direction::North, far);
    TrackerConfig config;
    config.Parser.DarkMessages = {W1251("Слишком темно.")};
    tracker().SetConfig(config);
    StandIn(start);
    Type("n");
    Server(Room("Far"));
    EXPECT_EQ(world().CurrentRoom, far);
    Type("s");
    Server(W1251("Слишком темно.") + "\r\n");
    EXPECT_EQ(world().CurrentRoom, start);
    EXPECT_EQ(start->Hint, "Start") << "a dark room refreshes nothing";
}

TEST_F(TrackerMovesTest, ANewWayToTheFittingNeighbourSetsBothLinks) {
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    MudRoom* east = Put("East", 0, 1, 0, 2);
    StandIn(start);
    Type("e");
    Server(Room("East"));
    EXPECT_EQ(world().CurrentRoom, east);
    EXPECT_TRUE(start->ChE && east->ChW);
    EXPECT_EQ(world().RoomCount(), 2u);
    EXPECT_TRUE(Logged("TranslateCMD.Moves: еще не ходили, комната подошла"));
}

TEST_F(TrackerMovesTest, ShortModeCreatesANewRoomInsteadOfLinking) {
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    Put("Hall", -3, 0, 0, 2);
    tracker().ToggleShortMode();
    StandIn(start);
    Type("n");
    Server(Room("Hall"));
    ASSERT_NE(world().CurrentRoom, nullptr);
    EXPECT_EQ(world().CurrentRoom->X, -1);
    EXPECT_EQ(world().RoomCount(), 3u);
}

TEST_F(TrackerMovesTest, ATakenCellIsMadeFreeByShiftingABlock) {
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    MudRoom* other = Put("Other", -1, 0, 0, 2);
    StandIn(start);
    Type("n");
    Server(Room("Fresh"));
    ASSERT_NE(world().CurrentRoom, nullptr);
    MudRoom* fresh = world().CurrentRoom;
    EXPECT_EQ(fresh->Hint, "Fresh");
    EXPECT_EQ((std::vector<int>{fresh->X, fresh->Y}), (std::vector<int>{start->X - 1, start->Y}));
    EXPECT_FALSE(other->X == fresh->X && other->Y == fresh->Y && other->L == fresh->L);
    EXPECT_TRUE(start->ChN && fresh->ChS);
}

TEST_F(TrackerMovesTest, WalkingModeFollowsTheMapAndAddsNothing) {
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    MudRoom* north = Put("North", -1, 0, 0, 2);
    Join(start, Direction::North, north);
    tracker().ChangeWalkingMode(true);
    StandIn(start);
    Type("n");
    Server(Room("Renamed", "Other words."));
    EXPECT_EQ(world().CurrentRoom, north);
    EXPECT_EQ(north->Hint, "North") << "walking mode does not refresh";
    EXPECT_EQ(north->Description, "Desc.");

    // A way the map does not know ends the tracing instead of adding a room.
    Type("e");
    Server(Room("Unknown"));
    EXPECT_FALSE(tracker().Tracing());
    EXPECT_EQ(world().RoomCount(), 2u);

    // A link to no room leaves no position, but tracing goes on.
    north->ChE = true;
    StandIn(north);
    Type("e");
    Server(Room("Anything"));
    EXPECT_EQ(world().CurrentRoom, nullptr);
    EXPECT_TRUE(tracker().Tracing());
    Type("s");
    Server("You cannot.\r\n");
    EXPECT_TRUE(Logged("TranslateCmd: Не отработала команда s"));
    EXPECT_TRUE(tracker().CommandQueue().empty());
}

TEST_F(TrackerMovesTest, ALockedZoneIsNotChanged) {
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    MudRoom* east = Put("East", 0, 1, 0, 2);
    world().SetZoneLocked("Zone", true);
    ASSERT_TRUE(world().CurrentZoneLocked);
    StandIn(start);
    Type("e");
    Server(Room("East", "Desc.", " W "));
    EXPECT_EQ(world().CurrentRoom, east);
    EXPECT_FALSE(start->ChE);
    EXPECT_EQ(east->Exits(), " N S ");

    Type("n");
    Server(Room("Unmapped"));
    EXPECT_FALSE(tracker().Tracing());
    EXPECT_EQ(world().RoomCount(), 2u);
}

TEST_F(TrackerMovesTest, ARefusedMoveKeepsThePositionAndCancelsTheWalk) {
    TrackerConfig config;
    config.CantMoves = {"No way.", "You cannot go there."};
    tracker().SetConfig(config);
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    StandIn(start);
    Type("n");
    Type("e");
    Server("You cannot go there.\r\n" + Room("East"));
    EXPECT_TRUE(Logged("TranslateCMD: Отбой по мувам 1 - You cannot go there."));
    EXPECT_EQ(speedwalk().emptied, 1);
    // The refusal settled n; e then reached its room.
    EXPECT_EQ(CurrentName(), "East");
    EXPECT_FALSE(start->ChN);
    EXPECT_TRUE(start->ChE);

    // A refusal text after an exits line belongs to a later command.
    Type("w");
    Server(Room("Start") + "No way.\r\n");
    EXPECT_EQ(world().CurrentRoom, start);
    EXPECT_TRUE(tracker().CommandQueue().empty());
}

TEST_F(TrackerMovesTest, AnEmptyQueueTakesARoomAsAnAutomaticLook) {
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    MudRoom* gate = Put("Gate", 4, 4, 0, 2);
    StandIn(start);
    Server("The guard drags you away.\r\n" + Room("Gate"));
    EXPECT_EQ(world().CurrentRoom, gate);
    EXPECT_TRUE(Logged("Список команд пуст, но есть описание комнаты, вставлено: look"));
    EXPECT_TRUE(tracker().CommandQueue().empty());
}

TEST_F(TrackerMovesTest, OtherCommandsAreConsumedAtOnce) {
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    StandIn(start);
    Type("say hello");
    Type(W1251("подкрасться") + " n");
    Server("You say hello\r\n" + Room("Sneaked"));
    EXPECT_TRUE(Logged("TranslateCmd: Не отработала команда say hello"));
    EXPECT_EQ(CurrentName(), "Sneaked");
    EXPECT_TRUE(start->ChN);

    Type(W1251("войти"));
    Server("A shimmer.\r\n");
    EXPECT_FALSE(tracker().Tracing());
    EXPECT_TRUE(Logged("TranslateCMD.Moves: команда портала, а линка нет"));
}

TEST_F(TrackerMovesTest, ALostPositionSaysWhyAndRemembersTheRoomItLeft) {
    MudRoom* start = Put("Start", 0, 0, 0, 7);
    MudRoom* north = Put("North", -1, 0, 0, 8);
    Join(start, Direction::North, north);
    StandIn(start);
    EXPECT_EQ(tracker().LastStep().Tag, 0) << "no step yet";
    Type("n");
    Server(Room("North"));
    EXPECT_EQ(tracker().LastStep().Tag, 7);
    EXPECT_EQ(tracker().LastStep().Command, "n");

    // The portal: OFF, then the reason with the player's own words.
    output().client.clear();
    Type(W1251("войти"));
    Server("A shimmer.\r\n" + Room("Glade"));
    EXPECT_EQ(tracker().LastStep().Zone, "Zone");
    EXPECT_EQ(tracker().LastStep().Tag, 8);
    EXPECT_EQ(tracker().LastStep().Command, W1251("войти"));
    EXPECT_EQ(output().client,
              "\r\n\033[1;33m<Trellan> : Tracing now \033[1;31mOFF\033[0m\r\n"
              "\r\n\033[1;33m<Trellan> : \033[1;31m" +
                  ReplaceAll(W1251("Трассировка выключена: портал без связи; наберите look, затем "
                                   "`карта связь войти` (место новое: сначала `карта зона <имя>`)"),
                             "\xFF", "\xFF\xFF") +
                  "\033[0m\r\n");

    // A known link that leads to another room: a reason of its own; a look
    // that finds nothing, another. Switching off by hand says nothing more.
    StandIn(start);
    output().client.clear();
    Type("n");
    Server(Room("Somewhere else"));
    EXPECT_NE(output().client.find(W1251("комната не та, что на карте за этим выходом")), std::string::npos);
    output().client.clear();
    Type("look");
    tracker().SetTracing(MovementTracker::TracingSwitch::On);
    Server(Room("Nowhere known"));
    EXPECT_NE(output().client.find(W1251("этой комнаты нет на карте; наберите `карта зона <")), std::string::npos);
    StandIn(start);
    output().client.clear();
    tracker().SetTracing(MovementTracker::TracingSwitch::Off);
    EXPECT_EQ(output().client, "\r\n\033[1;33m<Trellan> : Tracing now \033[1;31mOFF\033[0m\r\n");
}

TEST_F(TrackerMovesTest, AJumpEntryTakesTheMoveIntoAnotherZone) {
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    MudRoom* target = Put("Over there", 9, 9, 0, 5, "Other");
    world().CurrentZone = "Zone";
    world().ClearZone();
    world().LoadZone();
    start->AutoMaps.push_back("Other|" + W1251("на север") + "|5");
    StandIn(start);
    Type("n");
    Server(Room("Over there"));
    EXPECT_EQ(world().CurrentRoom, target);
    EXPECT_EQ(world().CurrentZone, "Other");
    EXPECT_EQ(output().zoneSaves, 1);
    EXPECT_TRUE(Logged("TranslateCMD: Прыжок по карте Other/на север/5"));
    EXPECT_TRUE(Logged("TranslateCMD: Подгрузка зоны Other"));

    // A jump waits for its room, and fails when its room does not exist.
    target->AutoMaps.push_back("Zone|" + W1251("войти") + "|42");
    Type(W1251("войти"));
    Server("You step into the portal.\r\n");
    EXPECT_TRUE(Logged("TranslateCMD: Описание комнаты не получено"));
    EXPECT_EQ(tracker().CommandQueue().size(), 1u);
    Server(Room("Beyond"));
    EXPECT_FALSE(tracker().Tracing());
}

TEST_F(TrackerMovesTest, TheSameRoomsSplitAnywhereGiveTheSamePosition) {
    const std::string stream = "Hello\r\n" + Room("A") + "chatter\r\n" + Room("B") + Room("C");
    for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
        TrackerRig rig;
        rig.tracker.SetTracing(MovementTracker::TracingSwitch::On);
        for (const char* command : {"look", "n", "e"}) rig.tracker.QueueCommand(command);
        rig.tracker.ProcessServerText(stream.substr(0, cut));
        rig.tracker.ProcessServerText(stream.substr(cut));
        SCOPED_TRACE(cut);
        ASSERT_NE(rig.world.CurrentRoom, nullptr);
        EXPECT_EQ(rig.world.CurrentRoom->Hint, "C");
        EXPECT_EQ((std::vector<int>{rig.world.CurrentRoom->X, rig.world.CurrentRoom->Y}), (std::vector<int>{-1, 1}));
        EXPECT_EQ(rig.world.RoomCount(), 3u);
        EXPECT_TRUE(rig.tracker.CommandQueue().empty());
    }
}

// Doors: the MUD shows a closed door in parentheses, and the same room with
// the door open or closed is still one room.
TEST_F(TrackerMovesTest, ADoorSeenClosedStaysOnTheMapWhenSeenOpen) {
    tracker().SetTracing(MovementTracker::TracingSwitch::On);
    Type("look");
    Server(Room("Tavern", "Warm.", " (E) S "));
    MudRoom* tavern = world().CurrentRoom;
    ASSERT_NE(tavern, nullptr);
    EXPECT_EQ(tavern->ExitState(Direction::East), ExitStatus::ClosedDoor);

    // Through the door, now open, and back: the known room is refreshed,
    // but an exits line that differs only in the door's parentheses keeps
    // the door the map knows of.
    Type("e");
    Server(Room("Store", "Shelves.", " W "));
    Type("w");
    Server(Room("Tavern", "Warm.", " E S "));
    EXPECT_EQ(world().CurrentRoom, tavern);
    EXPECT_EQ(tavern->Exits(), " (E) S ");
    EXPECT_EQ(tavern->ExitState(Direction::East), ExitStatus::ClosedDoor);
    Type("look");
    Server(Room("Tavern", "Warm.", " E S "));
    EXPECT_EQ(world().CurrentRoom, tavern);
    EXPECT_EQ(tavern->ExitState(Direction::East), ExitStatus::ClosedDoor);

    // Found again by a look after the position was lost, door open.
    tracker().SetTracing(MovementTracker::TracingSwitch::Off);
    input().TakeCommandLine("look\r\n");
    Server(Room("Tavern", "Warm.", " E S "));
    EXPECT_EQ(world().CurrentRoom, tavern);
    EXPECT_EQ(world().RoomCount(), 2u);

    // Other exits are another room as far as the map can tell: without the
    // server's identity the stored room is not rewritten, and with no room
    // of these texts on the map the position is lost.
    Type("look");
    Server(Room("Tavern", "Warm.", " E S U "));
    EXPECT_EQ(tavern->Exits(), " (E) S ");
    EXPECT_EQ(world().CurrentRoom, nullptr);
    EXPECT_FALSE(tracker().Tracing());
}

TEST_F(TrackerMovesTest, ARoomReachedByANewWayWithItsDoorClosedIsLinkedNotDuplicated) {
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    MudRoom* hall = Put("Hall", -3, 0, 0, 2);
    world().SetRoomText(hall, "Hall", "Desc.", " E S ", ExitWords::Defaults());
    StandIn(start);
    Type("n");
    Server(Room("Hall", "Desc.", " (E) S "));
    EXPECT_EQ(world().CurrentRoom, hall);
    EXPECT_TRUE(start->ChN && hall->ChS);
    EXPECT_EQ(hall->Exits(), " E S ");
    // Two corridor cells between them, no second hall.
    EXPECT_EQ(world().RoomCount(), 4u);
    ASSERT_NE(world().FindRoom(-1, 0, 0), nullptr);
    EXPECT_TRUE(world().FindRoom(-1, 0, 0)->Pipe);
}

}  // namespace
}  // namespace trellan::testing
