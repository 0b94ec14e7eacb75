// The server's room numbers (MSDP, GMCP) through the real trellan and the
// demo MUD: the twins below Звериная тропа stay apart with them, and
// without them no stored room takes another room's text. Clients keep
// their own MSDP and GMCP.
#include <gtest/gtest.h>

#include <set>
#include <thread>

#include "DemoSession.h"
#include "E2eSupport.h"

namespace e2e {
namespace {

const std::string Maze = "Лабиринт из живой изгороди";
const std::string TracingOff = "Tracing now \033[1;31mOFF";

// From the start, with tracing off (nothing typed "look" yet): the tavern,
// the lane, the gates, the river, the cave, through the portal, the trail,
// and down into the second room of the ring.
const std::vector<std::pair<std::string, std::string>> ToTheTwins = {
    {"s", NameStart + Wire("Таверна")},        {"s", NameStart + Wire("Здесь темно...")},
    {"s", NameStart + Wire("Южные ворота")},   {"e", NameStart + Wire("Берег реки")},
    {"d", NameStart + Wire("Сырая пещера")},   {W("войти"), NameStart + Wire("Лесная поляна")},
    {"e", NameStart + Wire("Звериная тропа")}, {"d", NameStart + Wire(Maze)},
};

::testing::AssertionResult Walk(DemoSession& session, const std::vector<std::string>& commands) {
    for (const std::string& command : commands) {
        ::testing::AssertionResult step = session.Step(command, NameStart + Wire(Maze));
        if (!step) return step;
        if (session.Client().Received().find(TracingOff) != std::string::npos) {
            return ::testing::AssertionFailure() << "tracing lost at \"" << command << "\"";
        }
    }
    return ::testing::AssertionSuccess();
}

std::vector<DumpedRoom> MazeRooms(const TempDir& home) {
    std::vector<DumpedRoom> maze;
    for (const DumpedRoom& room : DumpZone(home.Path() + "/Maps/Новый мир/Новая зона.tr2")) {
        if (room.name == Maze) maze.push_back(room);
    }
    return maze;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

const DumpedRoom* WithId(const std::vector<DumpedRoom>& rooms, const std::string& id) {
    for (const DumpedRoom& room : rooms) {
        if (room.serverId == id) return &room;
    }
    return nullptr;
}

TEST(IdentityThroughTrellan, TheTwinsGetOneMapRoomEachAndALookFindsTheSecondAfterARestart) {
    DemoSession session({"--msdp", "--twins"});
    for (const auto& [command, expect] : ToTheTwins) ASSERT_TRUE(session.Step(command, expect));
    // Around the ring of four (three twins and one look-alike) and back.
    ASSERT_TRUE(Walk(session, {"look", "e", "e", "e", "e", "e", "w", "w", "w", "w"}));
    session.Restart();

    std::vector<DumpedRoom> maze = MazeRooms(session.Home());
    std::string map = Describe(maze);
    ASSERT_EQ(maze.size(), 4u) << map;
    const DumpedRoom* t1 = WithId(maze, "1020");
    const DumpedRoom* t2 = WithId(maze, "1021");
    const DumpedRoom* t3 = WithId(maze, "1022");
    const DumpedRoom* other = WithId(maze, "1023");
    for (const DumpedRoom* room : {t1, t2, t3, other}) ASSERT_NE(room, nullptr) << map;
    // Each keeps its own text, blanks and all.
    EXPECT_NE(t1->description.find("Тропинка  уходит"), std::string::npos);
    EXPECT_NE(t2->description.find("Тропинка уходит на восток и на запад."), std::string::npos);
    EXPECT_TRUE(EndsWith(t3->description, "запад. "));
    EXPECT_NE(other->description.find("подстрижена ниже"), std::string::npos);
    // Walked east from the second twin: a row of rooms linked both ways;
    // the ring closes by a cross link.
    EXPECT_EQ(t3->y, t2->y + 1) << map;
    EXPECT_EQ(other->y, t3->y + 1) << map;
    EXPECT_EQ(t1->y, other->y + 1) << map;
    EXPECT_TRUE(t2->links.at("ChE") && t3->links.at("ChW") && t3->links.at("ChE")) << map;
    EXPECT_TRUE(other->links.at("ChW") && other->links.at("ChE") && t1->links.at("ChW")) << map;

    // After the restart, walked with tracing off into the second twin: the
    // look finds it by its number, not the first room of its name.
    for (const auto& [command, expect] : ToTheTwins) ASSERT_TRUE(session.Step(command, expect));
    ASSERT_TRUE(session.Step("e", NameStart + Wire(Maze)));
    ASSERT_TRUE(Walk(session, {"look"}));
    std::this_thread::sleep_for(Millis(200));
    session.Stop();
    const std::string log = ReadFile(session.Home() / "trdebug.log");
    const std::string found = W("TranslateCMD.look: комната #" + std::to_string(t3->tag) + " по номеру сервера 1022");
    EXPECT_NE(log.find(found), std::string::npos);
}

// Without numbers the twins cannot be told apart: the third step east goes
// into the first twin, which the map takes for the second (the rooms look
// the same, and the second is the first of that name). Walking on along
// the map's links, the look-alike room with another description is met
// where the map has the third twin: tracing stops with the reason, and no
// stored room takes another room's text.
TEST(IdentityThroughTrellan, WithoutNumbersNoStoredRoomIsRewrittenAndTheMismatchStopsTracing) {
    DemoSession session({"--twins"});
    for (const auto& [command, expect] : ToTheTwins) ASSERT_TRUE(session.Step(command, expect));
    ASSERT_TRUE(Walk(session, {"look", "e", "e", "e", "e"}));
    ASSERT_TRUE(session.Step("e", NameStart + Wire(Maze)));
    const std::string reason = W("комната не совпадает с картой: описание");
    EXPECT_NE(session.Client().ReadUntilContains(TracingOff).find(reason), std::string::npos)
        << session.Client().Received();
    session.Stop();

    std::vector<DumpedRoom> maze = MazeRooms(session.Home());
    std::string map = Describe(maze);
    ASSERT_EQ(maze.size(), 3u) << map;
    // In the order made: the second twin, the third, the look-alike.
    EXPECT_NE(maze[0].description.find("Тропинка уходит на восток и на запад."), std::string::npos) << map;
    EXPECT_TRUE(EndsWith(maze[1].description, "запад. ")) << map;
    EXPECT_NE(maze[2].description.find("подстрижена ниже"), std::string::npos) << map;
}

TEST(IdentityThroughTrellan, ClientsKeepTheirOwnMsdpAndGmcpAndARefusingClientSeesNone) {
    const std::string sbMsdp = "\xFF\xFA\x45";
    const std::string sbGmcp = "\xFF\xFA\xC9";
    {
        // A plain telnet client refuses both offers.
        DemoSession session({"--msdp", "--gmcp"});
        session.Client().SendAll("\xFF\xFE\x45\xFF\xFE\xC9");
        std::string seen;
        for (const char* command : {"look", "s", "n"}) {
            ASSERT_TRUE(session.Step(command, NameStart));
            seen += session.Client().Received();
        }
        EXPECT_EQ(seen.find(sbMsdp), std::string::npos);
        EXPECT_EQ(seen.find(sbGmcp), std::string::npos);
        EXPECT_EQ(seen.find(TracingOff), std::string::npos) << "trellan follows by the numbers all the same";
    }
    {
        // An MSDP client asks for its own report and gets it, move by move.
        DemoSession session({"--msdp"});
        session.Client().SendAll("\xFF\xFD\x45\xFF\xFA\x45\x01REPORT\x02ROOM\xFF\xF0");
        ASSERT_TRUE(session.Step("s", NameStart + Wire("Таверна")));
        const std::string& got = session.Client().Received();
        const std::size_t report = got.find(sbMsdp +
                                            "\x01ROOM\x02\x03\x01VNUM\x02"
                                            "1004");
        EXPECT_NE(report, std::string::npos) << got;
        EXPECT_LT(report, got.find(NameStart)) << "the report comes before the room";
    }
    {
        // A GMCP client with its own packages still gets Room.Info.
        DemoSession session({"--gmcp"});
        session.Client().SendAll(
            "\xFF\xFD\xC9\xFF\xFA\xC9"
            "Core.Supports.Set [\"Char 1\"]\xFF\xF0");
        ASSERT_TRUE(session.Step("s", NameStart + Wire("Таверна")));
        EXPECT_NE(session.Client().Received().find(sbGmcp + "Room.Info {\"num\":1004"), std::string::npos)
            << session.Client().Received();
    }
}

// A server whose area names try to be paths: whatever it sends, trellan
// writes no file outside the world's directory and none named after them.
TEST(IdentityThroughTrellan, AreaNamesFromTheServerNeverBecomePaths) {
    TempDir home;
    Listener mud;
    Trellan trellan(home, FreePort(), mud.Port(), false, DemoProfile());
    Socket client = trellan.ConnectClient();
    Socket server = mud.Accept();
    ASSERT_TRUE(server.Valid());
    server.SendAll("\xFF\xFB\x45");
    server.ReadUntilContains("REPORT");
    const auto room = [](const std::string& id, const std::string& area, const std::string& name) {
        return "\xFF\xFA\x45\x01ROOM\x02\x03\x01VNUM\x02" + id + "\x01NAME\x02" + name + "\x01AREA\x02" + area +
               "\x04\xFF\xF0" + NameStart + name + "\033[0m\r\n   Text.\r\n\033[36m[ Exits: N S ]\r\n\033[0m> ";
    };
    client.SendAll("look\r\n");
    server.ReadUntilContains("look");
    server.SendAll(room("1", "../../x", "A"));
    client.ReadUntilContains("> ");
    client.SendAll("n\r\n");
    server.ReadUntilContains("n\r\n");
    server.SendAll(room("2", "..\x1B/\x07..\\x", "B"));
    client.ReadUntilContains("B");
    client.SendAll("n\r\n");
    server.ReadUntilContains("n\r\n");
    server.SendAll(room("3", std::string(5000, '/'), "C"));
    client.ReadUntilContains("C");
    std::this_thread::sleep_for(Millis(200));
    client.Close();
    trellan.Proc().Signal(SIGTERM);
    ASSERT_EQ(trellan.Proc().Wait(), 0);

    std::set<std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(home.Path(), error)) {
        files.insert(entry.path().lexically_relative(home.Path()).string());
    }
    // The home's own files, the world's directory and its files; nothing
    // else, and nothing named after an area.
    const std::set<std::string> homeFiles = {"Maps",        "Maps/Новый мир", "language.ini", "local.ini",
                                             "trellan.ini", "objects.dat",    "trdebug.log"};
    const std::set<std::string> worldFiles = {"local.ini", "Новая зона.tr2", "Новая зона.tr2.ids", "journal.trj"};
    for (const std::string& file : files) {
        const std::string inWorld = "Maps/Новый мир/";
        const bool ok = homeFiles.count(file) != 0 ||
                        (file.rfind(inWorld, 0) == 0 && worldFiles.count(file.substr(inWorld.size())) != 0);
        EXPECT_TRUE(ok) << file;
    }
    EXPECT_TRUE(files.count("Maps/Новый мир/Новая зона.tr2.ids") != 0) << "the rooms were mapped with their numbers";
    EXPECT_EQ(MazeRooms(home).size(), 0u);
}

}  // namespace
}  // namespace e2e
