#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/Cp1251.h"
#include "tracking/RoomParser.h"

namespace trellan {
namespace {

std::string W(std::string_view utf8) {
    return Utf8ToCp1251(utf8);
}

const std::string kName = "\x1B[1;36m";
const std::string kExits = "\x1B[36m[ Exits:";

// A room as the MUD prints it with the default markers.
std::string Room(std::string_view name, std::string_view desc, std::string_view exits) {
    return kName + std::string(name) + "\x1B[0m\r\n" + std::string(desc) + kExits + std::string(exits) + "]\r\n";
}

struct Parsed {
    bool found;
    ParsedRoom room;
};

Parsed Parse(std::string& buffer, const RoomParserConfig& config = {}) {
    Parsed result{};
    result.found = ParseRoom(buffer, config, result.room);
    return result;
}

void ExpectRoom(const Parsed& p, std::string_view name, std::string_view desc, std::string_view exits) {
    ASSERT_TRUE(p.found);
    EXPECT_EQ(p.room.ParsedName, name);
    EXPECT_EQ(p.room.ParsedDesc, desc);
    EXPECT_EQ(p.room.ParsedExits, exits);
}

RoomParserConfig Dark(std::vector<std::string> messages) {
    RoomParserConfig config;
    config.DarkMessages = std::move(messages);
    return config;
}

// One buffer, the room taken from it and what stays behind.
struct ParseCase {
    const char* what;
    RoomParserConfig config;
    std::string input;
    std::string name, desc, exits, rest;
};

TEST(ParseRoom, OneRoomFromABuffer) {
    RoomParserConfig custom;
    custom.RoomNameStart = "<room>";
    custom.RoomNameEnd = "</room>";
    custom.AutoexitStart = "Exits:";
    custom.AutoexitEnd = ".";
    RoomParserConfig noNameStart;
    noNameStart.RoomNameStart.clear();
    const std::string fits(57, 'x');  // with "]\r\n" the exits fill the 60 characters
    std::string many;
    for (int i = 0; i < 5000; ++i) many += kName + "R\r\nd\r\n";
    const RoomParserConfig dark = Dark({W("Слишком темно.")});

    const std::vector<ParseCase> cases = {
        {"default markers, blanks of the exits kept", {},
         "\x1B[1;36mMarket Square\r\nA busy square.\r\n\x1B[36m[ Exits: n e ]\r\n",
         "Market Square", "A busy square.", " n e ", "\n"},
        {"text before the room and colour codes dropped", {},
         "\r\n<100H 50M> n\r\n" + Room("Market", "\x1B[33mA fountain\x1B[0m splashes.\r\n  Pigeons\x1B[1;31m!\r\n", " n ") +
             "\r\n<100H 50M> ",
         "Market", "A fountain splashes.\r\n  Pigeons!", " n ", "\n\r\n<100H 50M> "},
        {"line breaks of the description normalised", {},
         Room("Hall", "\r\n\r\nOne.\r\n\r\n\r\n\r\nTwo.\n\rThree.\r\rFour.\n\nFive.\r\n\r\n", " n "),
         "Hall", "One.\r\nTwo.\r\nThree.\rFour.\nFive.", " n ", "\n"},
        {"no description", {}, Room("Hall", "", " n "), "Hall", "", " n ", "\n"},
        {"exits filling the window", {}, Room("Hall", "", fits) + "> ", "Hall", "", fits, "\n> "},
        // The room is still taken and the buffer cut after the exits line.
        {"exits one past the window dropped", {}, Room("Hall", "", fits + "x") + "> ", "Hall", "", "", "\n> "},
        // Waiting cannot bring the exits back: the room is taken at once.
        {"no end marker in a full window", {}, kName + "Hall\r\n" + kExits + std::string(70, 'y'), "Hall", "", "",
         std::string(70, 'y')},
        {"darkness inside a description", dark, Room(W("Пещера"), W("Слишком темно.\r\n"), " n "), dark.Dark, "", " n ",
         "\n"},
        // A room printed without a name marker must not swallow its exits
        // line into the next room, whose own exits have not arrived yet.
        {"name start after the exits line", {}, "Fog\r\n" + kExits + " n ]\r\n" + kName + "Gate\r\nOld.\r\n", "Fog",
         "", " n ", "\n" + kName + "Gate\r\nOld.\r\n"},
        {"custom markers", custom, "<room>Hall</room>\r\nBig hall.\r\nExits: north, south.\r\n> ", "Hall",
         "Big hall.", " north, south", ".\r\n> "},
        {"blank name marker", noNameStart, "Hall\r\nBig.\r\n" + kExits + " n ]\r\n", "Hall", "Big.", " n ", "\n"},
        // Thousands of name starts must not make the search go back over the
        // buffer for each of them; the last one is the room.
        {"many name markers before one exits line", {}, many + Room("Last", "Desc.\r\n", " n "), "Last", "Desc.",
         " n ", "\n"},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::string buffer = c.input;
        ExpectRoom(Parse(buffer, c.config), c.name, c.desc, c.exits);
        EXPECT_EQ(buffer, c.rest);
    }
}

TEST(ParseRoom, NothingIsTakenWithoutAWholeRoom) {
    const std::string full = Room("Market", "A square.\r\n", " n e ");
    const std::size_t exitsEnd = full.size() - 3;  // where "]\r\n" begins
    for (std::size_t cut : {std::size_t{0}, std::size_t{5}, full.find(kExits) + 3, full.find(kExits) + kExits.size(),
                            exitsEnd, exitsEnd + 1}) {
        SCOPED_TRACE(cut);
        std::string buffer = full.substr(0, cut);
        std::string before = buffer;
        EXPECT_FALSE(Parse(buffer).found);
        EXPECT_EQ(buffer, before);
        buffer += full.substr(cut);
        ExpectRoom(Parse(buffer), "Market", "A square.", " n e ");
    }

    // Blank markers and darkness messages never match everywhere.
    std::string buffer = "some text\r\n";
    EXPECT_FALSE(Parse(buffer, Dark({""})).found);
    RoomParserConfig noExitsStart;
    noExitsStart.AutoexitStart.clear();
    buffer = Room("Hall", "", " n ");
    EXPECT_FALSE(Parse(buffer, noExitsStart).found);
}

// The rooms found when the text arrives in two pieces, split anywhere, are
// the rooms found in the whole text.
TEST(ParseRoom, SplittingTheStreamAnywhereFindsTheSameRooms) {
    RoomParserConfig config = Dark({W("Слишком темно.")});
    const std::string stream = "> n\r\n" + Room(W("Зимняя площадь"), W("Снег и я.\r\n\r\nЛёд.\r\n"), " n e ") +
                               "\r\n> s\r\n" + W("Слишком темно.") + "\r\n> e\r\n" +
                               Room("Gate", "Old.\r\n", " None! ") + "> ";
    auto parseAll = [&](std::string& buffer, std::vector<ParsedRoom>& rooms) {
        Parsed p;
        while ((p = Parse(buffer, config)).found) rooms.push_back(p.room);
    };
    std::vector<ParsedRoom> whole;
    std::string buffer = stream;
    parseAll(buffer, whole);
    ASSERT_EQ(whole.size(), 3u);
    EXPECT_EQ(whole[0].ParsedName, W("Зимняя площадь"));
    EXPECT_EQ(whole[0].ParsedDesc, W("Снег и я.\r\nЛёд."));
    EXPECT_EQ(whole[1].ParsedName, config.Dark);
    EXPECT_EQ(whole[2].ParsedExits, "");
    const std::string wholeRest = buffer;

    for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
        SCOPED_TRACE(cut);
        std::vector<ParsedRoom> rooms;
        buffer = stream.substr(0, cut);
        parseAll(buffer, rooms);
        buffer += stream.substr(cut);
        parseAll(buffer, rooms);
        ASSERT_EQ(rooms.size(), whole.size());
        for (std::size_t i = 0; i < rooms.size(); ++i) {
            EXPECT_EQ(rooms[i].ParsedName, whole[i].ParsedName);
            EXPECT_EQ(rooms[i].ParsedDesc, whole[i].ParsedDesc);
            EXPECT_EQ(rooms[i].ParsedExits, whole[i].ParsedExits);
        }
        EXPECT_EQ(buffer, wholeRest);
    }
}

TEST(ParseRoom, DarknessMessagesAreDarkRoomsInTheOrderOfTheText) {
    RoomParserConfig config = Dark({W("Тьма."), W("Слишком темно.")});
    std::string buffer = "> n\r\n" + W("Слишком темно.") + "\r\n" + W("Тьма.") + "\r\n> ";
    // The earliest message in the text wins, whatever its place in the list.
    ExpectRoom(Parse(buffer, config), config.Dark, "", "");
    EXPECT_EQ(buffer, "\r\n" + W("Тьма.") + "\r\n> ");
    ExpectRoom(Parse(buffer, config), config.Dark, "", "");
    EXPECT_EQ(buffer, "\r\n> ");
    EXPECT_FALSE(Parse(buffer, config).found);

    // Two moves answered in one read: the dark room must not be skipped, or
    // the first move would be settled with the second move's room.
    std::string lit = Room("Gate", "Old.\r\n", " s ");
    buffer = W("Тьма.") + "\r\n> e\r\n" + lit;
    ExpectRoom(Parse(buffer, config), config.Dark, "", "");
    EXPECT_EQ(buffer, "\r\n> e\r\n" + lit);
    ExpectRoom(Parse(buffer, config), "Gate", "Old.", " s ");
}

TEST(ParseRoom, PromptExitsReplaceTheExitsLine) {
    RoomParserConfig config;
    config.UsePromptExit = true;
    std::string room = Room("Hall", "Big.\r\n", " n e ");
    std::string buffer = room + "\r\n<30H " + W("Вых:");
    EXPECT_FALSE(Parse(buffer, config).found);
    EXPECT_EQ(buffer, room + "\r\n<30H " + W("Вых:"));

    buffer += W("СВ> ");
    ExpectRoom(Parse(buffer, config), "Hall", "Big.", W("СВ"));
    // The prompt itself stays: it is not part of the room.
    EXPECT_EQ(buffer, "\n\r\n<30H " + W("Вых:СВ> "));
}

}  // namespace
}  // namespace trellan
