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

TEST(ParseRoom, DefaultMarkersGiveNameDescriptionAndExitsWithBlanksKept) {
    std::string buffer = "\x1B[1;36mMarket Square\r\nA busy square.\r\n\x1B[36m[ Exits: n e ]\r\n";
    ExpectRoom(Parse(buffer), "Market Square", "A busy square.", " n e ");
    EXPECT_EQ(buffer, "\n");
}

TEST(ParseRoom, TextBeforeTheRoomAndColourCodesAreDropped) {
    std::string buffer = "\r\n<100H 50M> n\r\n" +
                         Room("Market", "\x1B[33mA fountain\x1B[0m splashes.\r\n  Pigeons\x1B[1;31m!\r\n", " n ") +
                         "\r\n<100H 50M> ";
    ExpectRoom(Parse(buffer), "Market", "A fountain splashes.\r\n  Pigeons!", " n ");
    EXPECT_EQ(buffer, "\n\r\n<100H 50M> ");
}

TEST(ParseRoom, AnIncompleteRoomStaysInTheBuffer) {
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
}

// The rooms found when the text arrives in two pieces, split anywhere, are
// the rooms found in the whole text.
TEST(ParseRoom, SplittingTheStreamAnywhereFindsTheSameRooms) {
    RoomParserConfig config;
    config.DarkMessages = {W("Слишком темно.")};
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

TEST(ParseRoom, DescriptionLineBreaksAreNormalised) {
    std::string buffer = Room("Hall", "\r\n\r\nOne.\r\n\r\n\r\n\r\nTwo.\n\rThree.\r\rFour.\n\nFive.\r\n\r\n", " n ");
    ExpectRoom(Parse(buffer), "Hall", "One.\r\nTwo.\r\nThree.\rFour.\nFive.", " n ");

    buffer = Room("Hall", "", " n ");
    ExpectRoom(Parse(buffer), "Hall", "", " n ");
}

TEST(ParseRoom, ExitsEndMustLieWithinSixtyCharacters) {
    // 57 characters of exits and the three of "]\r\n" fill the window exactly.
    std::string fits(57, 'x');
    std::string buffer = Room("Hall", "", fits) + "> ";
    ExpectRoom(Parse(buffer), "Hall", "", fits);
    EXPECT_EQ(buffer, "\n> ");

    // One more and the exits are dropped, though the room is still taken
    // and the buffer still cut after the exits line.
    buffer = Room("Hall", "", fits + "x") + "> ";
    ExpectRoom(Parse(buffer), "Hall", "", "");
    EXPECT_EQ(buffer, "\n> ");

    // With no end marker in sight and the window full, waiting cannot bring
    // the exits back: the room is taken at once.
    buffer = kName + "Hall\r\n" + kExits + std::string(70, 'y');
    ExpectRoom(Parse(buffer), "Hall", "", "");
    EXPECT_EQ(buffer, std::string(70, 'y'));
}

TEST(ParseRoom, DarknessMessageWithoutExitsLineIsADarkRoom) {
    RoomParserConfig config;
    config.DarkMessages = {W("Тьма."), W("Слишком темно.")};
    std::string buffer = "> n\r\n" + W("Слишком темно.") + "\r\n" + W("Тьма.") + "\r\n> ";
    // The earliest message in the text wins, whatever its place in the list.
    ExpectRoom(Parse(buffer, config), config.Dark, "", "");
    EXPECT_EQ(buffer, "\r\n" + W("Тьма.") + "\r\n> ");
    ExpectRoom(Parse(buffer, config), config.Dark, "", "");
    EXPECT_EQ(buffer, "\r\n> ");
    EXPECT_FALSE(Parse(buffer, config).found);
}

TEST(ParseRoom, DarknessInsideADescriptionMakesTheRoomDark) {
    RoomParserConfig config;
    config.DarkMessages = {W("Слишком темно.")};
    std::string buffer = Room(W("Пещера"), W("Слишком темно.\r\n"), " n ");
    ExpectRoom(Parse(buffer, config), config.Dark, "", " n ");
    EXPECT_EQ(buffer, "\n");
}

TEST(ParseRoom, BlankMarkersAndDarkMessagesNeverMatchEverywhere) {
    RoomParserConfig config;
    config.DarkMessages = {""};
    std::string buffer = "some text\r\n";
    EXPECT_FALSE(Parse(buffer, config).found);

    config.RoomNameStart.clear();
    buffer = "Hall\r\nBig.\r\n" + kExits + " n ]\r\n";
    ExpectRoom(Parse(buffer, config), "Hall", "Big.", " n ");

    config.AutoexitStart.clear();
    buffer = Room("Hall", "", " n ");
    EXPECT_FALSE(Parse(buffer, config).found);
}

TEST(ParseRoom, ADarkRoomBeforeALitRoomInOneReadComesFirst) {
    // Two moves answered in one read: the dark room must not be skipped, or
    // the first move would be settled with the second move's room.
    RoomParserConfig config;
    config.DarkMessages = {W("Слишком темно.")};
    std::string lit = Room("Gate", "Old.\r\n", " s ");
    std::string buffer = W("Слишком темно.") + "\r\n> e\r\n" + lit;
    ExpectRoom(Parse(buffer, config), config.Dark, "", "");
    EXPECT_EQ(buffer, "\r\n> e\r\n" + lit);
    ExpectRoom(Parse(buffer, config), "Gate", "Old.", " s ");
}

TEST(ParseRoom, NameStartAfterTheExitsLineBelongsToTheNextRoom) {
    // A room printed without a name marker must not swallow its exits line
    // into the next room, whose own exits have not arrived yet.
    std::string next = kName + "Gate\r\nOld.\r\n";
    std::string buffer = "Fog\r\n" + kExits + " n ]\r\n" + next;
    ExpectRoom(Parse(buffer), "Fog", "", " n ");
    EXPECT_EQ(buffer, "\n" + next);
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

TEST(ParseRoom, CustomMarkers) {
    RoomParserConfig config;
    config.RoomNameStart = "<room>";
    config.RoomNameEnd = "</room>";
    config.AutoexitStart = "Exits:";
    config.AutoexitEnd = ".";
    std::string buffer = "<room>Hall</room>\r\nBig hall.\r\nExits: north, south.\r\n> ";
    ExpectRoom(Parse(buffer, config), "Hall", "Big hall.", " north, south");
    EXPECT_EQ(buffer, ".\r\n> ");
}

TEST(ParseRoom, ManyNameMarkersBeforeOneExitsLine) {
    // Thousands of name starts must not make the search go back over the
    // buffer for each of them; the last one is the room.
    std::string buffer;
    for (int i = 0; i < 5000; ++i) buffer += kName + "R\r\nd\r\n";
    buffer += Room("Last", "Desc.\r\n", " n ");
    ExpectRoom(Parse(buffer), "Last", "Desc.", " n ");
    EXPECT_EQ(buffer, "\n");
}

}  // namespace
}  // namespace trellan
