// A player walks the demo world through trellan; the zone trellan writes at
// SIGTERM must hold the rooms where the walk put them.
#include <gtest/gtest.h>
#include <signal.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string_view>
#include <thread>

#include "DemoSession.h"
#include "text/TextUtils.h"
#include "E2eSupport.h"

namespace e2e {
namespace {

TEST(MappingThroughTrellan, WalkDrawsTheDemoWorld) {
    DemoSession session;
    const std::string exits = "\033[36m[ Exits:";
    // Where a command is expected to lead: the name, or what the MUD answers.
    const std::vector<std::pair<std::string, std::string>> route = {
        {"look", NameStart + Wire("Центральная площадь")},
        {"w", NameStart + Wire("Рыночная площадь")},
        // The potters' ring: out in three steps, back in one.
        {"n", Wire("Вдоль улицы сохнут")},
        {"w", NameStart + Wire("Двор гончара")},
        {"w", Wire("кончается глухой стеной")},
        {"s", NameStart + Wire("Западная улица")},
        {"e", NameStart + Wire("Рыночная площадь")},
        {"n", Wire("Вдоль улицы сохнут")},
        {"w", NameStart + Wire("Двор гончара")},
        {"s", NameStart + Wire("Мастерская гончара")},
        {"n", NameStart + Wire("Двор гончара")},
        {"e", Wire("Вдоль улицы сохнут")},
        {"s", NameStart + Wire("Рыночная площадь")},
        {"e", NameStart + Wire("Центральная площадь")},
        // The door, the dark lane and a refused move.
        {"s", NameStart + Wire("Таверна")},
        {"e", Wire("Закрыто.")},
        {W("открыть дверь"), Wire("Вы открыли дверь.")},
        {"e", NameStart + Wire("Кладовая")},
        {"w", NameStart + Wire("Таверна")},
        {"s", NameStart + Wire("Здесь темно...")},
        {"s", NameStart + Wire("Южные ворота")},
        {"w", Wire("Вы не можете идти в этом направлении.")},
        {"n", NameStart + Wire("Здесь темно...")},
        {"n", NameStart + Wire("Таверна")},
        {"n", NameStart + Wire("Центральная площадь")},
        // The leader takes the player north.
        {"n", NameStart + Wire("Северные ворота")},
        {W("следовать проводник"), NameStart + Wire("Северная дорога")},
    };
    for (const auto& [command, expect] : route) ASSERT_TRUE(session.Step(command, expect));
    session.Stop();

    const std::vector<std::string> zones = session.ZoneFiles();
    ASSERT_EQ(zones.size(), 1u) << testing::PrintToString(zones);
    EXPECT_EQ(zones[0], "Новый мир/Новая зона.tr2");
    const std::vector<DumpedRoom> rooms = DumpZone(session.Home().Path() + "/Maps/" + zones[0]);
    const std::string map = Describe(rooms);

    const DumpedRoom* square = Find(rooms, "Центральная площадь");
    const DumpedRoom* market = Find(rooms, "Рыночная площадь");
    const DumpedRoom* street1 = Find(rooms, "Улица Гончаров", "сохнут");
    const DumpedRoom* yard = Find(rooms, "Двор гончара");
    const DumpedRoom* street2 = Find(rooms, "Улица Гончаров", "глухой стеной");
    const DumpedRoom* west = Find(rooms, "Западная улица");
    const DumpedRoom* workshop = Find(rooms, "Мастерская гончара");
    const DumpedRoom* tavern = Find(rooms, "Таверна \"Пьяный тролль\"");
    const DumpedRoom* store = Find(rooms, "Кладовая");
    const DumpedRoom* dark = Find(rooms, "Здесь темно...");
    const DumpedRoom* southGate = Find(rooms, "Южные ворота");
    const DumpedRoom* northGate = Find(rooms, "Северные ворота");
    const DumpedRoom* road = Find(rooms, "Северная дорога");
    for (const DumpedRoom* room :
         {square, market, street1, yard, street2, west, workshop, tavern, store, dark, southGate, northGate, road}) {
        ASSERT_NE(room, nullptr) << map;
    }
    EXPECT_NE(street1, street2) << "two rooms of one name stay two rooms\n" << map;

    // Steps of one cell from the square.
    const auto offset = [&](const DumpedRoom* room, int dx, int dy) {
        return room->x == square->x + dx && room->y == square->y + dy && room->l == square->l;
    };
    EXPECT_TRUE(offset(market, 0, -1)) << map;
    EXPECT_TRUE(offset(tavern, 1, 0)) << map;
    EXPECT_TRUE(offset(store, 1, 1)) << map;
    EXPECT_TRUE(offset(dark, 2, 0)) << map;
    EXPECT_TRUE(offset(southGate, 3, 0)) << map;
    EXPECT_TRUE(offset(northGate, -1, 0)) << map;
    EXPECT_TRUE(offset(road, -2, 0)) << map;

    // The ring: out north, west, west, south, and back east in one step. The
    // way back is stretched by a corridor; the workshop south of the yard
    // then needs that row, so the north side of the ring is shifted up a row
    // and its north-south links become corridors too.
    const auto corridorBetween = [&](const DumpedRoom* a, const DumpedRoom* b) {
        if (a->l != b->l || (a->x != b->x && a->y != b->y)) {
            return ::testing::AssertionFailure() << a->name << " and " << b->name << " are not in line\n" << map;
        }
        const int dx = (b->x > a->x) - (b->x < a->x);
        const int dy = (b->y > a->y) - (b->y < a->y);
        const char* along = dx != 0 ? "ChN" : "ChE";
        int cells = 0;
        for (int x = a->x + dx, y = a->y + dy; x != b->x || y != b->y; x += dx, y += dy, ++cells) {
            const DumpedRoom* cell = At(rooms, x, y, a->l);
            if (cell == nullptr || !cell->pipe || !cell->links.at(along)) {
                return ::testing::AssertionFailure() << "no corridor at " << x << "," << y << "\n" << map;
            }
        }
        return cells > 0 ? ::testing::AssertionSuccess()
                         : ::testing::AssertionFailure() << a->name << " and " << b->name << " touch\n"
                                                         << map;
    };
    EXPECT_EQ(street1->y, market->y) << map;
    EXPECT_EQ(street1->x, market->x - 2) << "the north side was not shifted\n" << map;
    EXPECT_TRUE(corridorBetween(market, street1));
    EXPECT_EQ(yard->x, street1->x) << map;
    EXPECT_EQ(yard->y, street1->y - 1) << map;
    EXPECT_EQ(street2->x, yard->x) << map;
    EXPECT_EQ(street2->y, yard->y - 1) << map;
    EXPECT_EQ(workshop->x, yard->x + 1) << map;
    EXPECT_EQ(workshop->y, yard->y) << map;
    EXPECT_EQ(west->x, market->x) << map;
    EXPECT_EQ(west->y, street2->y) << map;
    EXPECT_TRUE(corridorBetween(street2, west));
    EXPECT_TRUE(corridorBetween(west, market));
    int corridors = 0;
    for (const DumpedRoom& room : rooms) corridors += room.pipe ? 1 : 0;
    EXPECT_EQ(corridors, 3) << map;

    // Link flags: every way walked, none refused or not taken.
    EXPECT_TRUE(square->links.at("ChN") && square->links.at("ChS") && square->links.at("ChW")) << map;
    EXPECT_FALSE(square->links.at("ChE")) << map;
    EXPECT_TRUE(market->links.at("ChN") && market->links.at("ChE") && market->links.at("ChW")) << map;
    EXPECT_TRUE(west->links.at("ChE") && west->links.at("ChN")) << map;
    EXPECT_TRUE(yard->links.at("ChS") && workshop->links.at("ChN")) << map;
    EXPECT_TRUE(tavern->links.at("ChE") && store->links.at("ChW")) << map;
    EXPECT_TRUE(dark->links.at("ChN") && dark->links.at("ChS")) << map;
    EXPECT_TRUE(southGate->links.at("ChN")) << map;
    EXPECT_FALSE(southGate->links.at("ChW")) << "a refused move links nothing\n" << map;
    EXPECT_TRUE(northGate->links.at("ChN") && road->links.at("ChS")) << map;
}

TEST(MappingThroughTrellan, PortalWithoutJumpEntryStopsTracing) {
    DemoSession session;
    for (const auto& [command, expect] : std::vector<std::pair<std::string, std::string>>{
             {"look", NameStart + Wire("Центральная площадь")},
             {"s", NameStart + Wire("Таверна")},
             {"s", NameStart + Wire("Здесь темно...")},
             {"s", NameStart + Wire("Южные ворота")},
             {"e", NameStart + Wire("Берег реки")},
             {"d", NameStart + Wire("Сырая пещера")},
             {W("войти"), NameStart + Wire("Лесная поляна")},
         }) {
        ASSERT_TRUE(session.Step(command, expect));
    }
    // The map has no way through the portal yet: the position is lost.
    const std::string off = "Tracing now \033[1;31mOFF";
    EXPECT_NE(session.Client().ReadUntilContains(off).find(off), std::string::npos);
    ASSERT_TRUE(session.Step("e", NameStart + Wire("Звериная тропа")));
    session.Stop();

    const std::vector<DumpedRoom> rooms = DumpZone(session.Home().Path() + "/Maps/Новый мир/Новая зона.tr2");
    const std::string map = Describe(rooms);
    const DumpedRoom* river = Find(rooms, "Берег реки");
    const DumpedRoom* cave = Find(rooms, "Сырая пещера");
    ASSERT_NE(river, nullptr) << map;
    ASSERT_NE(cave, nullptr) << map;
    EXPECT_EQ(cave->l, river->l - 1) << map;
    EXPECT_TRUE(river->links.at("ChD") && cave->links.at("ChU")) << map;
    EXPECT_EQ(Find(rooms, "Лесная поляна"), nullptr) << map;
    EXPECT_EQ(Find(rooms, "Звериная тропа"), nullptr) << map;
}

TEST(ObjectsThroughTrellan, IdentifiedAndSharedEntriesAreKeptAndFound) {
    DemoSession session;
    // Tracing on: the tracker keeps the prompt in its buffer, and every
    // answer follows the prompt's go-ahead on the same line.
    ASSERT_TRUE(session.Step("look", NameStart + Wire("Центральная площадь")));
    ASSERT_TRUE(session.Step(W("опознать меч"), Wire("Материал: СТАЛЬ")));
    ASSERT_TRUE(session.Step(W("опознать проводник"), Wire("Знает все дороги")));
    // Sharing: the lines trellan would type into the group chat, echoed by
    // the MUD with a closing quote after each payload.
    for (const std::string& line : {std::string("Trellan objecs base <begin> (v.2)"), W("Предметы.ОРУЖИЕ.кинжал"),
                                    W("Вес: 1, Цена: 5"), std::string("Trellan objecs base <end> (v.2)")}) {
        ASSERT_TRUE(session.Step(W("гг ->>") + line, Wire("Вы сообщили группе")));
    }

    // The search is trellan's own: the MUD never sees it and no prompt comes.
    const auto search = [&](const std::string& what, const std::string& expect) {
        session.Client().Received().clear();
        session.Client().SendAll(W("лор ") + what + "\r\n");
        return session.Client().ReadUntilContains(expect);
    };
    // Whole captions, or a start followed by "*".
    std::string found = search(W("длинный меч"), "-----\r\n");
    EXPECT_NE(found.find("Database search result:"), std::string::npos) << found;
    EXPECT_NE(found.find(Wire("Наносимые повреждения '3D5'")), std::string::npos) << found;
    found = search(W("Проводник"), "-----\r\n");
    EXPECT_NE(found.find(Wire("Раса: Человек")), std::string::npos) << found;
    found = search(W("кинж*"), "-----\r\n");
    EXPECT_NE(found.find(Wire("Вес: 1, Цена: 5")), std::string::npos) << found;
    found = search(W("булава"), "no results");
    EXPECT_NE(found.find("Database search has no results"), std::string::npos) << found;
    session.Stop();

    const std::string objects = ReadFile(session.Home() / "Maps/Новый мир/objects.dat");
    ASSERT_FALSE(objects.empty());
    for (const char* text : {"длинный меч", "ОРУЖИЕ", "Проводник", "Человек", "кинжал"}) {
        EXPECT_NE(objects.find(W(text)), std::string::npos) << text;
    }
}

// Every line of `trellan zone dump` of the one zone the demo walks map. The
// marks of the view are left out: the room the player stood in (a start
// clears it, as the position is not known before the next look) and the
// rooms a view refresh passed (they depend on when the last refresh ran).
std::string DumpedZone(const DemoSession& session) {
    Process dump(TRELLAN_BINARY, {"zone", "dump", session.Home().Path() + "/Maps/" + session.ZoneFiles().at(0)});
    std::string lines;
    for (std::string line = dump.ReadLine(); !line.empty(); line = dump.ReadLine()) lines += line + "\n";
    EXPECT_EQ(dump.Wait(), 0);
    lines = trellan::ReplaceAll(lines, "\"Selected\":true", "\"Selected\":false");
    return trellan::ReplaceAll(lines, "\"Checked\":true", "\"Checked\":false");
}

const std::vector<std::pair<std::string, std::string>> kShortWalk = {
    {"look", NameStart + Wire("Центральная площадь")},
    {"w", NameStart + Wire("Рыночная площадь")},
    {"n", Wire("Вдоль улицы сохнут")},
    {"w", NameStart + Wire("Двор гончара")},
    {"s", NameStart + Wire("Мастерская гончара")},
};

// What the walk maps when trellan closes as it should.
std::string ShortWalkMap() {
    DemoSession session;
    for (const auto& [command, expect] : kShortWalk) EXPECT_TRUE(session.Step(command, expect));
    session.Stop();
    return DumpedZone(session);
}

// kill -9 after a walk: the next start puts back from the change journal
// exactly the map a clean close would have saved, says so in the client,
// and a start after that has nothing more to put back.
TEST(JournalThroughTrellan, AKilledSessionLosesNoRoom) {
    const std::string expected = ShortWalkMap();
    ASSERT_NE(expected.find("Мастерская гончара"), std::string::npos) << expected;

    DemoSession session;
    for (const auto& [command, expect] : kShortWalk) ASSERT_TRUE(session.Step(command, expect));
    // The journal is flushed once a second.
    std::this_thread::sleep_for(Millis(1600));
    session.Kill();

    const std::string told = session.StartAgain(Millis(5000));
    EXPECT_NE(told.find(Wire("Восстановлено изменений карты после сбоя:")), std::string::npos) << told;
    session.Stop();
    EXPECT_EQ(DumpedZone(session), expected);

    const std::string again = session.StartAgain(Millis(2500));
    EXPECT_EQ(again.find(Wire("после сбоя")), std::string::npos) << "replayed twice: " << again;
    session.Stop();
    EXPECT_EQ(DumpedZone(session), expected);
}

// Closing the terminal (SIGHUP) saves the map as closing the window does.
TEST(JournalThroughTrellan, AHangUpSavesTheMap) {
    const std::string expected = ShortWalkMap();
    DemoSession session;
    for (const auto& [command, expect] : kShortWalk) ASSERT_TRUE(session.Step(command, expect));
    session.Stop(SIGHUP);
    EXPECT_EQ(DumpedZone(session), expected);
    const std::string told = session.StartAgain(Millis(2500));
    EXPECT_EQ(told.find(Wire("после сбоя")), std::string::npos) << told;
    session.Stop();
}

// The files a session writes -- the zone, the world's profile, the objects
// base and the main settings -- stay byte for byte what they were when the
// expected copies in golden/ were made; restructuring the code must not
// change a byte. TRELLAN_WRITE_GOLDEN=1 writes the copies afresh instead.
TEST(FilesThroughTrellan, ASessionWritesTheSameBytesAsBefore) {
    DemoSession session;
    const std::vector<std::pair<std::string, std::string>> route = {
        {"look", NameStart + Wire("Центральная площадь")},
        {"w", NameStart + Wire("Рыночная площадь")},
        {"n", Wire("Вдоль улицы сохнут")},
        {"w", NameStart + Wire("Двор гончара")},
        {"s", NameStart + Wire("Мастерская гончара")},
        {"n", NameStart + Wire("Двор гончара")},
        {"e", Wire("Вдоль улицы сохнут")},
        {"s", NameStart + Wire("Рыночная площадь")},
        {"e", NameStart + Wire("Центральная площадь")},
        {"s", NameStart + Wire("Таверна")},
        {W("открыть дверь"), Wire("Вы открыли дверь.")},
        {"e", NameStart + Wire("Кладовая")},
        {"w", NameStart + Wire("Таверна")},
        {"s", NameStart + Wire("Здесь темно...")},
        {"s", NameStart + Wire("Южные ворота")},
        {"w", Wire("Вы не можете идти в этом направлении.")},
        {W("опознать меч"), Wire("Материал: СТАЛЬ")},
        {W("опознать проводник"), Wire("Знает все дороги")},
    };
    for (const auto& [command, expect] : route) ASSERT_TRUE(session.Step(command, expect));
    // Whatever the last answers still set in motion settles before the end.
    ASSERT_TRUE(session.Step("look", NameStart + Wire("Южные ворота")));
    std::this_thread::sleep_for(Millis(300));
    session.Stop();

    // The client port is picked afresh for every run.
    const auto withoutPort = [](std::string text) {
        const std::size_t at = text.find("Client Port=");
        if (at != std::string::npos) text.replace(at, text.find("\r\n", at) - at, "Client Port=*");
        return text;
    };
    const std::string golden = std::string(TRELLAN_SOURCE_DIR) + "/tests/e2e/golden/";
    const bool write = std::getenv("TRELLAN_WRITE_GOLDEN") != nullptr;
    for (const auto& [written, expected] : std::vector<std::pair<std::string, std::string>>{
             {"Maps/Новый мир/Новая зона.tr2", "zone.tr2"},
             {"Maps/Новый мир/local.ini", "local.ini"},
             {"Maps/Новый мир/objects.dat", "objects.dat"},
             {"trellan.ini", "trellan.ini"}}) {
        const std::string bytes = withoutPort(ReadFile(session.Home() / written));
        if (write) {
            WriteFile(golden + expected, bytes);
            continue;
        }
        EXPECT_TRUE(SameBytes(bytes, ReadFile(golden + expected))) << written;
    }
}

}  // namespace
}  // namespace e2e
