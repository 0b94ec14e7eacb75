#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "model/zonefile/ZoneFileWriter.h"
#include "storage/MapToolRun.h"
#include "storage/MapsDirectory.h"
#include "storage/MudletImport.h"
#include "storage/StorageNames.h"
#include "storage/ZoneBuilder.h"
#include "support/TempDirectory.h"
#include "text/W1251.h"

namespace trellan {
namespace {

using Json = nlohmann::json;

using testing::RunTool;
using testing::ToolRun;

// A zone's dump, one line per room, sorted: the import lays corridor cells
// after the rooms, so file order is not kept.
std::vector<std::string> SortedDump(const std::string& file) {
    ToolRun r = RunTool({"zone", "dump", file});
    EXPECT_EQ(r.status, 0) << r.err;
    std::vector<std::string> lines;
    std::istringstream in(r.out);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    std::sort(lines.begin(), lines.end());
    return lines;
}

std::vector<std::string> ZoneFiles(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

class MudletExchange : public ::testing::Test {
protected:
    // Two zones: levels, a closed door, a corridor, cross links with and
    // without a command, a portal, marks, an alias, a note, colours (one a
    // system colour) and a room whose view centre differs from its zone's.
    void WriteWorld(const std::string& dir) {
        std::filesystem::create_directories(dir);
        testing::ZoneBuilder town;
        MudRoom& square = town.Room(1, 0, 0, 0, "Площадь", "N (E) U");
        square.ChN = square.ChE = square.ChU = true;
        square.Description = W1251("Большая площадь.\r\nФонтан.");
        square.QuickList = W1251("пл");
        square.Note = W1251("заметка\r\nвторая строка");
        square.DT = square.Agro = true;
        square.BColor = 0x0000FF;
        square.ImageIndex = 3;
        MudRoom& gate = town.Room(2, -1, 0, 0, "Ворота", "S W");
        gate.ChS = gate.ChW = true;
        gate.AutoMaps = {W1251("Лес|на запад|1|открыть ворота")};
        town.Pipe(0, 1, false);
        town.Pipe(0, 2, false);
        MudRoom& shop = town.Room(3, 0, 3, 0, "Лавка", "W");
        shop.ChW = true;
        shop.AutoMaps = {W1251("Лес|войти|2")};
        shop.NoStep = shop.FlyDT = true;
        MudRoom& tower = town.Room(4, 0, 0, 1, "Башня", "D");
        tower.ChD = true;
        tower.BColor = 0x80000005;
        tower.DX = 7;
        town.Write(dir + "/" + "Город.tr2");

        testing::ZoneBuilder forest;
        MudRoom& edge = forest.Room(1, 5, 5, 0, "Опушка", "E");
        edge.ChE = true;
        edge.AutoMaps = {W1251("Город|на восток|2")};
        edge.BColor = 0x123456;
        MudRoom& glade = forest.Room(2, 2, 2, -1, "Поляна", "");
        glade.AutoMaps = {W1251("Город|выйти|3")};
        forest.Write(dir + "/" + "Лес.tr2");
    }

    testing::TempDirectory tmp_;
};

TEST_F(MudletExchange, RoundTripKeepsEveryZoneDump) {
    const std::string world = tmp_ / "world";
    const std::string json = tmp_ / "map.json";
    const std::string back = tmp_ / "back";
    WriteWorld(world);

    ToolRun exported = RunTool({"world", "export-mudlet", world, json});
    ASSERT_EQ(exported.status, 0) << exported.out << exported.err;
    EXPECT_NE(exported.out.find("rooms: 6\n"), std::string::npos) << exported.out;
    ToolRun imported = RunTool({"world", "import-mudlet", json, back});
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_NE(imported.out.find("corridor cells: 2\n"), std::string::npos) << imported.out;

    ASSERT_EQ(ZoneFiles(back), ZoneFiles(world));
    for (const std::string& zone : ZoneFiles(world))
        EXPECT_EQ(SortedDump(back + "/" + zone), SortedDump(world + "/" + zone)) << zone;

    // And the second trip gives the same file.
    const std::string again = tmp_ / "again.json";
    ASSERT_EQ(RunTool({"world", "export-mudlet", back, again}).status, 0);
    EXPECT_EQ(testing::ReadFile(again), testing::ReadFile(json));
}

TEST_F(MudletExchange, ExportIsAMapMudletReads) {
    const std::string world = tmp_ / "world";
    WriteWorld(world);
    ASSERT_EQ(RunTool({"world", "export-mudlet", world, tmp_ / "map.json"}).status, 0);
    Json map = Json::parse(testing::ReadFile(tmp_ / "map.json"));

    // What Mudlet's reader insists on: the version, the areas, and in every
    // room an id and three coordinates; exits need a name and a room id.
    EXPECT_EQ(map["formatVersion"], 1.0);
    ASSERT_TRUE(map["areas"].is_array());
    ASSERT_EQ(map["areas"].size(), 3u);
    EXPECT_EQ(map["areaCount"], 3);
    EXPECT_EQ(map["roomCount"], 6);
    EXPECT_EQ(map["areas"][2]["id"], -1);
    const Json& town = map["areas"][0];
    EXPECT_EQ(town["name"], "Город");
    EXPECT_EQ(town["id"], 1);
    ASSERT_EQ(town["rooms"].size(), 4u);  // corridor cells are no rooms

    const Json& square = town["rooms"][0];
    EXPECT_EQ(square["id"], 1);
    EXPECT_EQ(square["name"], "Площадь");
    EXPECT_EQ(square["coordinates"], Json::array({0, 0, 0}));
    EXPECT_EQ(square["locked"], true);  // a death trap: Mudlet's speedwalk avoids it
    EXPECT_EQ(square["userData"]["trellan.alias"], "пл");
    EXPECT_EQ(square["userData"]["trellan.marks"], "DT Agro");
    EXPECT_EQ(square["userData"]["trellan.note"], "заметка\r\nвторая строка");
    // North to the gate, east across the corridor to the shop through a
    // closed door, up to the tower.
    Json exits = square["exits"];
    ASSERT_EQ(exits.size(), 3u);
    EXPECT_EQ(exits[0], (Json{{"name", "north"}, {"exitId", 2}}));
    EXPECT_EQ(exits[1], (Json{{"name", "east"}, {"exitId", 3}, {"door", "closed"}}));
    EXPECT_EQ(exits[2], (Json{{"name", "up"}, {"exitId", 4}}));

    // Row -1 is one step north: Mudlet's y is 1.
    const Json& gate = town["rooms"][1];
    EXPECT_EQ(gate["coordinates"], Json::array({0, 1, 0}));
    EXPECT_EQ(gate["exits"][1], (Json{{"name", "west"}, {"exitId", 5}}));
    EXPECT_EQ(gate["userData"]["trellan.command.west"], "открыть ворота");
    // The portal is a special exit named by its word.
    const Json& shop = town["rooms"][2];
    EXPECT_EQ(shop["exits"][1], (Json{{"name", "войти"}, {"exitId", 6}}));

    // Colours are custom environments above Mudlet's fixed ones.
    std::map<int, Json> colors;
    for (const Json& c : map["customEnvColors"]) colors[c["id"].get<int>()] = c["color24RGB"];
    EXPECT_EQ(colors.at(square["environment"].get<int>()), Json::array({255, 0, 0}));
    EXPECT_GE(square["environment"].get<int>(), 257);
    const Json& edge = map["areas"][1]["rooms"][0];
    EXPECT_EQ(colors.at(edge["environment"].get<int>()), Json::array({0x56, 0x34, 0x12}));
    EXPECT_EQ(town["rooms"][3]["userData"]["trellan.color"], std::to_string(0x80000005u));
}

// A map as Mudlet writes it, not from Trellan: no user data of ours.
const char* kMudletMap = R"({
    "anonymousAreaName": "Unnamed Area",
    "areaCount": 4,
    "areas": [
        {"id": -1, "name": "Default Area", "roomCount": 0, "rooms": []},
        {"id": 3, "name": "Замок ☃", "roomCount": 6, "rooms": [
            {"id": 10, "name": "Зал ☃ ёлка", "coordinates": [0, 0, 0], "environment": 300,
             "exits": [{"name": "north", "exitId": 11}, {"name": "east", "exitId": 12, "door": "locked"},
                       {"name": "northeast", "exitId": 11}, {"name": "enter portal", "exitId": 20},
                       {"name": "south", "exitId": 99}, {"name": "up", "exitId": 13}],
             "stubExits": [{"name": "west"}]},
            {"id": 11, "name": "Коридор", "coordinates": [0, 1, 0], "environment": 1, "locked": true,
             "exits": [{"name": "south", "exitId": 10}]},
            {"id": 12, "name": "Кухня", "coordinates": [3, 0, 0],
             "exits": [{"name": "west", "exitId": 10}]},
            {"id": 13, "name": "Чердак", "coordinates": [5, 5, 1], "exits": [{"name": "down", "exitId": 10}]},
            {"id": 14, "name": "Подвал", "coordinates": [0, 1, 0], "exits": []},
            {"id": 15, "name": "Склад", "coordinates": [0, 1, 0], "exits": []}
        ]},
        {"id": 4, "name": "../../etc/passwd|x.tr2", "roomCount": 1, "rooms": [
            {"id": 20, "coordinates": [-2, -3, 0], "exits": [{"name": "out", "exitId": 10}]}
        ]},
        {"id": 5, "name": "Замок ?", "roomCount": 0, "rooms": []}
    ],
    "customEnvColors": [{"id": 300, "color24RGB": [1, 2, 3]}],
    "defaultAreaName": "Default Area",
    "formatVersion": 1,
    "labelCount": 0,
    "playersRoomId": {},
    "roomCount": 7
})";

const MudRoom* FindTag(const ImportedZone& zone, std::int32_t tag) {
    for (const auto& room : zone.Rooms)
        if (!room->Pipe && room->Tag == tag) return room.get();
    return nullptr;
}

TEST(MudletImport, MapAsMudletWritesItBecomesZones) {
    MudletImport import = ImportMudletMap(kMudletMap, MappingConfig());
    const MudletImportReport& r = import.Report;
    // The empty default area is left out; the empty named area is a zone.
    ASSERT_EQ(import.Zones.size(), 3u);
    const ImportedZone& castle = import.Zones[0];
    EXPECT_EQ(castle.Name, W1251("Замок ?"));
    // Untrusted names pass the zone-name checks; a clash gets a number.
    EXPECT_EQ(import.Zones[1].Name, ".._.._etc_passwd_x");
    EXPECT_FALSE(ZoneNameProblem(import.Zones[1].Name));
    EXPECT_EQ(import.Zones[2].Name, W1251("Замок ? (2)"));

    // Rooms numbered in file order; the snowmen are counted (one in a room's
    // name, one in the area name that became the first zone's).
    const MudRoom* hall = FindTag(castle, 1);
    ASSERT_NE(hall, nullptr);
    EXPECT_EQ(hall->Hint, W1251("Зал ? ёлка"));
    EXPECT_EQ(r.ReplacedCharacters, 2u);
    EXPECT_EQ(hall->BColor, 0x030201u);
    EXPECT_EQ(hall->X, 0);
    EXPECT_EQ(hall->Y, 0);

    // North to a neighbour: a grid link. East three cells away: a link with
    // two corridor cells and a door. Up to a room not above: a cross link.
    const MudRoom* corridor = FindTag(castle, 2);
    ASSERT_NE(corridor, nullptr);
    EXPECT_EQ(corridor->X, -1);  // Mudlet's y 1 is one row north
    EXPECT_TRUE(corridor->NoStep);
    EXPECT_TRUE(hall->ChN && corridor->ChS);
    EXPECT_TRUE(hall->ChE && hall->ChU);
    EXPECT_FALSE(hall->ChS);  // its exit leads to a room the file lacks
    EXPECT_EQ(hall->Exits(), "N S W (E) U");
    EXPECT_EQ(hall->ExitState(Direction::East), ExitStatus::ClosedDoor);
    std::size_t pipes = 0;
    for (const auto& room : castle.Rooms)
        if (room->Pipe) {
            ++pipes;
            EXPECT_EQ(room->X, 0);
            EXPECT_TRUE(room->ChW && room->ChE);
        }
    EXPECT_EQ(pipes, 2u);
    EXPECT_EQ(r.CorridorCells, 2u);
    EXPECT_EQ(hall->AutoMaps, (std::vector<std::string>{W1251("Замок ?|ne|2"), ".._.._etc_passwd_x|enter portal|1",
                                                        W1251("Замок ?|вверх|4")}))
        << hall->AutoMaps.size();
    EXPECT_EQ(r.OffGridExits, 3u);  // northeast, the portal, out
    EXPECT_EQ(r.DanglingExits, 1u);

    // Two rooms on the corridor's cell: each moves to the nearest free cell.
    EXPECT_EQ(r.SharedCells, 2u);
    const MudRoom* cellar = FindTag(castle, 5);
    const MudRoom* store = FindTag(castle, 6);
    ASSERT_NE(cellar, nullptr);
    ASSERT_NE(store, nullptr);
    EXPECT_EQ(std::max(std::abs(cellar->X + 1), std::abs(cellar->Y)), 1);
    EXPECT_EQ(std::max(std::abs(store->X + 1), std::abs(store->Y)), 1);
    EXPECT_FALSE(cellar->X == store->X && cellar->Y == store->Y);

    const ImportedZone& other = import.Zones[1];
    ASSERT_EQ(other.Rooms.size(), 1u);
    EXPECT_EQ(other.Rooms[0]->AutoMaps, std::vector<std::string>{W1251("Замок ?|out|1")});
    EXPECT_EQ(other.Rooms[0]->X, 3);
}

TEST(MudletImport, ACrowdOnOneCellKeepsEveryRoom) {
    // 17 x 17 cells around the crowded one, then a row on the level above.
    Json rooms = Json::array();
    for (int id = 1; id <= 300; ++id) rooms.push_back(Json{{"id", id}, {"coordinates", {4, -4, 2}}});
    Json map{{"formatVersion", 1}, {"areas", Json::array({Json{{"id", 1}, {"name", "a"}, {"rooms", rooms}}})}};
    MudletImport import = ImportMudletMap(map.dump(), MappingConfig());
    ASSERT_EQ(import.Zones.size(), 1u);
    const auto& placed = import.Zones[0].Rooms;
    ASSERT_EQ(placed.size(), 300u);
    EXPECT_EQ(import.Report.SharedCells, 299u);
    std::set<std::tuple<int, int, int>> cells;
    int above = 0;
    for (const auto& room : placed) {
        EXPECT_TRUE(cells.emplace(room->X, room->Y, room->L).second);
        if (room->L == 3) {
            ++above;
        } else {
            EXPECT_EQ(room->L, 2);
            EXPECT_LE(std::max(std::abs(room->X - 4), std::abs(room->Y - 4)), 8);
        }
    }
    EXPECT_EQ(above, 300 - 17 * 17);
}

TEST(MudletImport, WritesOneZoneFilePerArea) {
    testing::TempDirectory tmp;
    testing::WriteFile(tmp / "map.json", kMudletMap);
    ToolRun r = RunTool({"world", "import-mudlet", tmp / "map.json", tmp / "w"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("characters without a Windows-1251 form (shown as ?): 2\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("rooms that shared a cell (moved to a free one): 2\n"), std::string::npos);
    EXPECT_EQ(ZoneFiles(tmp / "w"),
              (std::vector<std::string>{".._.._etc_passwd_x.tr2", "Замок ? (2).tr2", "Замок ?.tr2"}));
    EXPECT_EQ(ZoneFiles(tmp.Path()), (std::vector<std::string>{"map.json", "w"}));
    // Seven rooms and two corridor cells.
    EXPECT_NE(RunTool({"world", "check", tmp / "w"}).out.find("rooms: 9\n"), std::string::npos);

    // A second import into the same directory refuses.
    ToolRun again = RunTool({"world", "import-mudlet", tmp / "map.json", tmp / "w"});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.err.find("not an empty directory"), std::string::npos) << again.err;
}

TEST(MudletImport, DamagedOrForeignFilesWriteNothing) {
    struct Case {
        const char* json;
        const char* error;
    };
    const std::string deep = std::string(100, '[') + std::string(100, ']');
    const std::vector<Case> cases = {
        {"", "not valid JSON"},
        {R"({"formatVersion": 1, "areas": [)", "not valid JSON"},
        {"\"\xff\"", "not valid JSON"},
        {R"({"formatVersion": 1, "areas": [], "x": 8e6666666})", "not valid JSON"},
        {"[1, 2]", "not a JSON object"},
        {R"({"areas": []})", "no \"formatVersion\""},
        {R"({"formatVersion": "1", "areas": []})", "no \"formatVersion\""},
        {R"({"formatVersion": 0.003, "areas": []})", "unknown Mudlet map version"},
        {R"({"formatVersion": 2, "areas": []})", "unknown Mudlet map version"},
        {R"({"formatVersion": 1})", "no \"areas\" array"},
        {R"({"formatVersion": 1, "areas": [7]})", "area #1: not an object"},
        {R"({"formatVersion": 1, "areas": [{"id": 1, "rooms": [{"id": 1}]}]})", "\"coordinates\""},
        {R"({"formatVersion": 1, "areas": [{"id": 1, "rooms": [{"id": "1", "coordinates": [0,0,0]}]}]})",
         "\"id\" is not a whole number"},
        {R"({"formatVersion": 1, "areas": [{"id": 1, "rooms": [{"id": 1, "coordinates": [0.5,0,0]}]}]})",
         "coordinate"},
        {R"({"formatVersion": 1, "areas": [{"id": 1, "rooms": [{"id": 1, "coordinates": [0,4294967296,0]}]}]})",
         "coordinate"},
        {R"({"formatVersion": 1, "areas": [{"id": 1, "name": 5, "rooms": []}]})", "\"name\" is not a string"},
        {R"({"formatVersion": 1, "areas": [{"id": 1, "rooms": [{"id": 1, "coordinates": [0,0,0],
            "exits": [{"name": "north", "exitId": 2, "door": "ajar"}]}]}]})",
         "unknown door"},
        {deep.c_str(), "nested too deeply"},
    };
    for (const Case& c : cases) {
        testing::TempDirectory tmp;
        testing::WriteFile(tmp / "in.json", c.json);
        ToolRun r = RunTool({"world", "import-mudlet", tmp / "in.json", tmp / "w"});
        EXPECT_EQ(r.status, 1) << c.json;
        EXPECT_NE(r.err.find(c.error), std::string::npos) << c.json << "\n" << r.err;
        EXPECT_NE(r.err.find("nothing written"), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(tmp / "w")) << c.json;
    }
}

}  // namespace
}  // namespace trellan
