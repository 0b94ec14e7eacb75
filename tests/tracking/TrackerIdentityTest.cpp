// The server's room identity (MSDP, GMCP) comes first; without it, a
// stored room is never rewritten with texts that differ from its own.
#include "TrackerFixture.h"
#include "proxy/RoomReport.h"

namespace trellan::testing {
namespace {

class TrackerIdentityTest : public TrackerTest {
protected:
    // A report of the server, as the stream hands it over; its marker goes
    // where the report stood in the text.
    std::string Report(const std::string& id, const std::string& name = {}) {
        RoomReport report;
        report.Sequence = ++sequence_;
        report.Identity = id;
        report.Name = name;
        tracker().AddRoomReport(report);
        return RoomReportMarker(report.Sequence);
    }
    // The twins: one name, one exits line, descriptions that differ in
    // blanks only.
    static std::string Twin(int n) {
        return Room("Maze",
                    n == 1   ? "Hedges  all around."
                    : n == 2 ? "Hedges all around."
                             : "Hedges all around. ",
                    " E W ");
    }
    void Move(const std::string& command, const std::string& text) {
        Type(command);
        Server(text);
    }

    std::uint32_t sequence_ = 0;
};

TEST_F(TrackerIdentityTest, TwinsStayApartAndAKnownNumberLeadsBack) {
    tracker().SetTracing(MovementTracker::TracingSwitch::On);
    // Reports come before the room's text, even before the movement line.
    Move("look", Report("101") + Twin(1));
    MudRoom* first = world().CurrentRoom;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->ServerId, "101");
    Move("e", Report("102") + "You go east.\r\n" + Twin(2));
    MudRoom* second = world().CurrentRoom;
    Move("e", Report("103") + "You go east.\r\n" + Twin(3));
    MudRoom* third = world().CurrentRoom;
    EXPECT_NE(second, first);
    EXPECT_NE(third, first) << "an unknown number is a new room however alike";
    EXPECT_NE(third, second);
    EXPECT_EQ(third->ServerId, "103");
    EXPECT_EQ(third->Y, second->Y + 1);
    EXPECT_TRUE(second->ChE && third->ChW);

    // The ring closes: the known number is the room, wherever the map has it.
    Move("e", Report("101") + Twin(1));
    EXPECT_EQ(world().CurrentRoom, first);
    EXPECT_TRUE(tracker().Tracing());
    Move("w", Report("103") + Twin(3));
    EXPECT_EQ(world().CurrentRoom, third);
    EXPECT_EQ(world().RoomCount(), 3u) << "no room twice";
    // The identity of a room never changes.
    EXPECT_FALSE(world().SetRoomServerId(third, "999"));
    EXPECT_EQ(world().FindRoomByServerId("103"), third);
}

TEST_F(TrackerIdentityTest, AKnownNumberMovesThereAndRefreshesTheChangedRoom) {
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    MudRoom* far = Put("Hall", 5, 5, 0, 2);
    world().SetRoomServerId(far, "H");
    StandIn(start);
    Move("n", Report("H") + Room("Great hall", "Rebuilt.", " S "));
    EXPECT_EQ(world().CurrentRoom, far);
    EXPECT_EQ(far->Hint, "Great hall");
    EXPECT_EQ(far->Description, "Rebuilt.");
}

TEST_F(TrackerIdentityTest, ARoomWithAnotherNumberNeverStandsForTheReportedOne) {
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    MudRoom* neighbour = Put("Maze", -1, 0, 0, 2);
    world().SetRoomServerId(neighbour, "7");
    StandIn(start);
    // The neighbour fits by its texts, but the server names another room.
    Move("n", Report("8") + Room("Maze"));
    MudRoom* made = world().CurrentRoom;
    ASSERT_NE(made, nullptr);
    EXPECT_NE(made, neighbour);
    EXPECT_EQ(made->ServerId, "8");
    EXPECT_EQ(made->X, start->X - 1) << "the new room takes the cell; the block was shifted";

    // Along a known link the room at its end is another one: the link is
    // wrong, and the map cannot put a new room where the link runs.
    MudRoom* other = Put("Other", 0, 1, 0, 9);
    world().SetRoomServerId(other, "70");
    Join(start, Direction::East, other);
    StandIn(start);
    std::size_t rooms = world().RoomCount();
    Move("e", Report("71") + Room("Other"));
    EXPECT_FALSE(tracker().Tracing());
    EXPECT_EQ(world().RoomCount(), rooms);
    EXPECT_EQ(other->ServerId, "70");
    EXPECT_NE(output().client.find(W1251("комната не совпадает с картой: номер на сервере")), std::string::npos);
}

TEST_F(TrackerIdentityTest, RoomsOfAMapWithoutNumbersTakeThemAlongTheirLinks) {
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    MudRoom* north = Put("North", -1, 0, 0, 2);
    Join(start, Direction::North, north);
    StandIn(start);
    Move("n", Report("N1") + Room("North"));
    EXPECT_EQ(world().CurrentRoom, north);
    EXPECT_EQ(north->ServerId, "N1");
    EXPECT_FALSE(world().MapSaved);
}

TEST_F(TrackerIdentityTest, AReportAfterItsTextBelongsToThatRoom) {
    tracker().SetTracing(MovementTracker::TracingSwitch::On);
    Move("look", Twin(1) + Report("1", "Maze") + "\r\n> ");
    EXPECT_EQ(world().CurrentRoom->ServerId, "1");
    // One before and one after: the one that names this room is its own,
    // and from then on reports are taken to follow their text.
    Move("e", Report("X", "Elsewhere") + Twin(2) + Report("2", "Maze"));
    EXPECT_EQ(world().CurrentRoom->ServerId, "2");
    Move("e", Twin(3) + Report("3", "Maze") + Twin(1));
    EXPECT_EQ(world().CurrentRoom->ServerId, "3");
}

TEST_F(TrackerIdentityTest, AReportWithoutRoomTextChangesNothing) {
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    StandIn(start);
    Move("xyzzy", Report("5") + "Huh?!\r\n");
    EXPECT_EQ(world().CurrentRoom, start);
    EXPECT_TRUE(start->ServerId.empty());
    EXPECT_EQ(world().RoomCount(), 1u);
}

TEST_F(TrackerIdentityTest, ALookAfterTracingWasLostFindsTheRoomByTheLastReport) {
    tracker().SetTracing(MovementTracker::TracingSwitch::On);
    Move("look", Report("101", "Maze") + Twin(1));
    Move("e", Report("102", "Maze") + Twin(2));
    MudRoom* second = world().CurrentRoom;
    tracker().SetTracing(MovementTracker::TracingSwitch::Off);
    // Walked on while nobody traced: w, then e again.
    Server(Report("101", "Maze") + Twin(1));
    Server(Report("102", "Maze") + Twin(2));
    input().TakeCommandLine("look\r\n");
    Server(Twin(2));  // servers send no report for a look
    EXPECT_EQ(world().CurrentRoom, second) << "not the first room of that name";
    EXPECT_TRUE(Logged("TranslateCMD.look: комната #2 по номеру сервера 102"));
}

// Without numbers from the server.

TEST_F(TrackerIdentityTest, AKnownLinkToARoomWithOtherTextsStopsTracingAndKeepsTheRoom) {
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    MudRoom* north = Put("North", -1, 0, 0, 2);
    Join(start, Direction::North, north);
    StandIn(start);
    Move("n", Room("North", "Another room's words.", " N S "));
    EXPECT_FALSE(tracker().Tracing());
    EXPECT_EQ(north->Description, "Desc.");
    EXPECT_NE(output().client.find(W1251("комната не совпадает с картой: описание")), std::string::npos);

    StandIn(start);
    Move("n", Room("North", "Desc.", " N S E "));
    EXPECT_FALSE(tracker().Tracing());
    EXPECT_EQ(north->Exits(), " N S ");
    EXPECT_NE(output().client.find(W1251("комната не совпадает с картой: выходы")), std::string::npos);

    // Blanks alone make no difference, and they are not rewritten either.
    StandIn(start);
    Move("n", Room("North", "Desc. ", "N  S"));
    EXPECT_TRUE(tracker().Tracing());
    EXPECT_EQ(world().CurrentRoom, north);
    EXPECT_EQ(north->Description, "Desc.");
    EXPECT_EQ(north->Exits(), " N S ");
}

TEST_F(TrackerIdentityTest, ANeighbourWithOtherTextsGetsANewRoomBesideIt) {
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    MudRoom* north = Put("North", -1, 0, 0, 2);
    StandIn(start);
    Move("n", Room("North", "Desc.", " N S U "));
    EXPECT_NE(world().CurrentRoom, north);
    EXPECT_EQ(world().CurrentRoom->Exits(), " N S U ");
    EXPECT_EQ(north->Exits(), " N S ");
    EXPECT_EQ(world().RoomCount(), 3u);
}

}  // namespace
}  // namespace trellan::testing
