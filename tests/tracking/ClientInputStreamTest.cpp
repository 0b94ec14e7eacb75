// The client input stream: what is relayed, what is queued, door commands
// ahead of moves, Trellan's own commands and reserved words, and lines
// arriving in pieces.
#include <gtest/gtest.h>

#include "TrackerFixture.h"

namespace trellan::testing {
namespace {

class ClientInputTest : public TrackerTest {
protected:
    void Client(const std::string& utf8) { input().Feed(W1251(utf8)); }
    std::vector<std::string> Queue() const {
        return std::vector<std::string>(rig_.tracker.CommandQueue().begin(), rig_.tracker.CommandQueue().end());
    }
};

TEST_F(ClientInputTest, DoorCommandsGoAheadOfTheMove) {
    MudRoom* room = Put("Start", 0, 0, 0, 1);
    room->AutoMaps.push_back(W1251("|на запад||отпереть решетку"));
    room->AutoMaps.push_back(W1251("|НА СЕВЕР||отпереть дверь;открыть дверь"));
    room->AutoMaps.push_back(W1251("Other|на север|5"));
    world().CurrentRoom = room;
    Client("n\r\n");
    EXPECT_EQ(output().server, W1251("отпереть дверь\nоткрыть дверь\nn\r\n"));
    EXPECT_EQ(Queue(), (std::vector<std::string>{W1251("отпереть дверь"), W1251("открыть дверь"), "n"}));

    // Another direction, another text, or no position: no doors.
    output().server.clear();
    Client("n north\r\n");
    world().CurrentRoom = nullptr;
    Client("n\r\n");
    EXPECT_EQ(output().server, "n north\r\nn\r\n");
}

TEST_F(ClientInputTest, LookAndClearResetTheQueueAndSwitchTracingOn) {
    for (int i = 0; i < 10; ++i) Client("n\r\n");
    tracker().ProcessServerText("half a room");
    ASSERT_TRUE(tracker().OutputBuffer().empty()) << "tracing is off";
    tracker().SetTracing(MovementTracker::TracingSwitch::Off);
    for (int i = 0; i < 10; ++i) Client("n\r\n");
    Client("  LOOK \r\n");
    EXPECT_EQ(output().server.substr(output().server.size() - 9), "  LOOK \r\n");
    EXPECT_EQ(Queue(), std::vector<std::string>{"look"});
    EXPECT_TRUE(tracker().Tracing());

    tracker().ProcessServerText("unfinished");
    Client("очистить\r\n");
    EXPECT_EQ(Queue(), std::vector<std::string>{W1251("очистить")});
    EXPECT_TRUE(tracker().OutputBuffer().empty());
}

TEST_F(ClientInputTest, TheStopCommandSwitchesTracingOff) {
    tracker().SetTracing(MovementTracker::TracingSwitch::On);
    Client("стоптр\r\n");
    EXPECT_TRUE(output().server.empty());
    EXPECT_FALSE(tracker().Tracing());

    // After other words it is relayed, and still stops tracing.
    tracker().SetTracing(MovementTracker::TracingSwitch::On);
    output().client.clear();
    Client("say стоптр\r\n");
    EXPECT_EQ(output().server, W1251("say стоптр\r\n"));
    EXPECT_FALSE(tracker().Tracing());
    EXPECT_EQ(output().client, "\r\n\033[1;33m<Trellan> : Tracing now \033[1;31mOFF\033[0m\r\n");
    EXPECT_TRUE(Queue().empty());
}

TEST_F(ClientInputTest, TrellansOwnCommandsAreAnsweredNotRelayed) {
    Client("рпон\r\n");
    EXPECT_TRUE(tracker().WalkingMode());
    Client("рпоф\r\n");
    EXPECT_FALSE(tracker().WalkingMode());
    EXPECT_EQ(output().client,
              "\r\n\033[1;33m<Trellan> : Walking mode now \033[1;32mON\033[0m\r\n"
              "\r\n\033[1;33m<Trellan> : Walking mode now \033[1;31mOFF\033[0m\r\n");

    Client("гоу\r\nгоу  Дом \r\nназад\r\n");
    EXPECT_EQ(speedwalk().walks, (std::vector<std::string>{"", W1251("Дом")}));
    EXPECT_EQ(speedwalk().returns, 1);
    Client("лор *Sword\r\n");
    EXPECT_EQ(objects().queries, std::vector<std::string>{"*Sword"});
    EXPECT_TRUE(Queue().empty());

    // The reserved words and the map commands are answered, alone too.
    Client("глор длинный меч \r\nклор меч\r\nглор\r\nнаа дом\r\nнаа\r\n");
    Client("карта\r\nкарта  где \r\nкарта связь войти\r\n");
    EXPECT_TRUE(output().server.empty());
    EXPECT_TRUE(Queue().empty());
    EXPECT_EQ(objects().tells, (std::vector<std::string>{W1251("group:длинный меч"), W1251("clan:меч"), "group:"}));
    EXPECT_EQ(mapCommands().aliases, (std::vector<std::string>{W1251("дом"), ""}));
    EXPECT_EQ(mapCommands().commands, (std::vector<std::string>{"", W1251("где"), W1251("связь войти")}));

    // Run into other letters they are ordinary words for the MUD.
    Client("лорд\r\nкартами\r\nнаан\r\n");
    EXPECT_EQ(output().server, W1251("лорд\r\nкартами\r\nнаан\r\n"));
    EXPECT_EQ(mapCommands().commands.size(), 3u);
}

TEST_F(ClientInputTest, ACommandWordLeftBlankTakesNoLine) {
    TrackerConfig config = tracker().Config();
    config.GroupLore.clear();
    config.ClanLore.clear();
    config.SetAlias.clear();
    config.MapCommand.clear();
    tracker().SetConfig(config);
    Client("\r\n say hi\r\nkill rat\r\n");
    EXPECT_EQ(output().server, "\r\n say hi\r\nkill rat\r\n");
    EXPECT_TRUE(objects().tells.empty());
    EXPECT_TRUE(mapCommands().aliases.empty());
    EXPECT_TRUE(mapCommands().commands.empty());
}

TEST_F(ClientInputTest, EveryLookWordOfTheProfileRestartsTracingAsTheFirstWord) {
    TrackerConfig config = tracker().Config();
    config.LookWords = LookWordsOf(W1251(" look | L|смотреть||см "));
    config.Look = config.LookWords.front();
    tracker().SetConfig(config);
    EXPECT_EQ(config.LookWords, (std::vector<std::string>{"look", "l", W1251("смотреть"), W1251("см")}));
    for (const char* word : {"l", "см", " L "}) {
        tracker().SetTracing(MovementTracker::TracingSwitch::Off);
        Client("n\r\n");
        Client(std::string(word) + "\r\n");
        EXPECT_TRUE(tracker().Tracing()) << word;
        EXPECT_EQ(Queue(), std::vector<std::string>{"look"}) << word;
    }
    EXPECT_EQ(output().server.substr(output().server.size() - 5), " L \r\n") << "relayed as typed";
    // Other commands beginning with a look word are not looks.
    tracker().SetTracing(MovementTracker::TracingSwitch::Off);
    Client("look sword\r\n");
    EXPECT_FALSE(tracker().Tracing());
}

TEST_F(ClientInputTest, TheSameInputSplitAnywhereGivesTheSameResult) {
    MudRoom* room = Put("Start", 0, 0, 0, 1);
    room->AutoMaps.push_back(W1251("|на север||открыть дверь"));
    const std::string stream = W1251("Say Hi\r\nn\r\nрпон\r\nлор меч\r\n\r\nE\nкарта где\r\n");
    std::string server;
    std::vector<std::string> queue;
    for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
        TrackerRig rig;
        rig.world.CurrentRoom = rig.world.AddRoom(std::make_unique<MudRoom>());
        rig.world.CurrentRoom->AutoMaps = room->AutoMaps;
        rig.input.Feed(std::string_view(stream).substr(0, cut));
        rig.input.Feed(std::string_view(stream).substr(cut));
        std::vector<std::string> got(rig.tracker.CommandQueue().begin(), rig.tracker.CommandQueue().end());
        if (cut == 0) {
            server = rig.output.server;
            queue = got;
            EXPECT_TRUE(rig.tracker.WalkingMode());
            EXPECT_EQ(rig.objects.queries, std::vector<std::string>{W1251("меч")});
        }
        EXPECT_EQ(rig.output.server, server) << "cut at " << cut;
        EXPECT_EQ(got, queue) << "cut at " << cut;
        EXPECT_TRUE(rig.input.PendingLine().empty()) << "cut at " << cut;
    }
    EXPECT_EQ(server, W1251("Say Hi\r\nоткрыть дверь\nn\r\n\r\nE\n"));
    EXPECT_EQ(queue, (std::vector<std::string>{"say hi", W1251("открыть дверь"), "n", "", "e"}));
}

TEST_F(ClientInputTest, TelnetNegotiationIsRelayedAtOnce) {
    input().Feed("\xFF\xFB\x18");
    EXPECT_EQ(output().server, "\xFF\xFB\x18");
    // A window size of 10 rows holds a line feed inside the negotiation.
    output().server.clear();
    const std::string naws("\xFF\xFA\x1F\x00\x50\x00\x0A\xFF\xF0", 9);
    input().Feed(naws.substr(0, 7));
    input().Feed(naws.substr(7) + "n\r\n");
    EXPECT_EQ(output().server, naws + "n\r\n");
    EXPECT_EQ(Queue(), std::vector<std::string>{"n"});
}

TEST_F(ClientInputTest, AnOverlongLineIsRelayedWithoutGrowingMemory) {
    std::string chunk(4096, 'x');
    std::size_t sent = 0;
    for (int i = 0; i < 64; ++i) {
        input().Feed(chunk);
        sent += chunk.size();
        EXPECT_LE(input().PendingLine().size(), ClientInputStream::MaxPendingLine);
    }
    input().Feed("tail\r\nn\r\n");
    EXPECT_EQ(output().server, std::string(sent, 'x') + "tail\r\nn\r\n");
    EXPECT_EQ(Queue(), std::vector<std::string>{"n"});
    EXPECT_TRUE(Logged("SSClientRead: line longer than 65536 bytes relayed without reading it"));
}

TEST_F(ClientInputTest, AClosedConnectionDropsItsUnfinishedLine) {
    input().Feed("hal");
    input().Reset();
    input().Feed("n\r\n");
    EXPECT_EQ(Queue(), std::vector<std::string>{"n"});
    EXPECT_EQ(output().server, "n\r\n");
}

}  // namespace
}  // namespace trellan::testing
