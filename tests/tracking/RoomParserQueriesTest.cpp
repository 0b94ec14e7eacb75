#include <gtest/gtest.h>

#include <string>

#include "text/Cp1251.h"
#include "tracking/RoomQueries.h"

namespace trellan {
namespace {

std::string W(std::string_view utf8) {
    return Utf8ToCp1251(utf8);
}

MudRoom MakeRoom(std::string name, std::string desc, std::string exits) {
    MudRoom room;
    room.Hint = std::move(name);
    room.Description = std::move(desc);
    room.SetExits(std::move(exits), ExitWords::Defaults());
    return room;
}

TEST(SameRoom, NamesAndDescriptionsMustAgreeWhereBothAreGiven) {
    RoomParserConfig config;
    MudRoom room = MakeRoom("Hall", "Big.", " n e ");
    EXPECT_TRUE(SameRoom(&room, "Hall", "Big.", " n e ", false, config));
    EXPECT_FALSE(SameRoom(&room, "hall", "Big.", " n e ", false, config));  // case counts
    EXPECT_FALSE(SameRoom(&room, "Hall", "Small.", " n e ", false, config));
    EXPECT_TRUE(SameRoom(&room, "Hall", "", "", false, config));  // callers leave comparisons out
    room.Description.clear();
    EXPECT_TRUE(SameRoom(&room, "Hall", "Small.", "", false, config));
}

TEST(SameRoom, DarkFitsAnyRoomButCorridorsAndNoRoomFitNothing) {
    RoomParserConfig config;
    MudRoom room = MakeRoom("Hall", "Big.", " n ");
    EXPECT_TRUE(SameRoom(&room, config.Dark, "", " s ", true, config));
    MudRoom dark = MakeRoom(config.Dark, "", "");
    EXPECT_TRUE(SameRoom(&dark, "Hall", "Big.", " n ", true, config));
    room.Pipe = true;
    EXPECT_FALSE(SameRoom(&room, config.Dark, "", "", false, config));
    EXPECT_FALSE(SameRoom(nullptr, "Hall", "", "", false, config));
    // A blank darkness name in the profile must not turn nameless rooms
    // into wildcards.
    config.Dark.clear();
    MudRoom nameless = MakeRoom("", "", "");
    EXPECT_FALSE(SameRoom(&nameless, "Hall", "", "", false, config));
}

TEST(SameRoom, ExitsCountOnlyInWalkingModeAndIgnoreDoorsAndBlanks) {
    RoomParserConfig config;
    MudRoom room = MakeRoom("Hall", "", " n e (s) ");
    EXPECT_TRUE(SameRoom(&room, "Hall", "", " n e s ", true, config));
    EXPECT_TRUE(SameRoom(&room, "Hall", "", "n e s", true, config));
    EXPECT_FALSE(SameRoom(&room, "Hall", "", " n e ", true, config));
    EXPECT_TRUE(SameRoom(&room, "Hall", "", " n e ", false, config));
    EXPECT_TRUE(SameRoom(&room, "Hall", "", "", true, config));
}

TEST(HasExit, MovementCommandsMapToTheirExitWords) {
    RoomParserConfig config;
    config.MoveCommands = {W("с"), W("ю"), W("з"), W("в"), W("вв"), W("вн")};
    config.Words = ExitWords::FromProfileOrder("N", "S", "E", "W", "U", "D");
    MudRoom room = MakeRoom("Hall", "", " N W ");
    EXPECT_TRUE(HasExit(&room, W("с"), config));
    EXPECT_TRUE(HasExit(&room, W("з"), config));  // west is the third command, word "W"
    EXPECT_FALSE(HasExit(&room, W("в"), config));
    EXPECT_FALSE(HasExit(&room, W("ю"), config));
    EXPECT_FALSE(HasExit(&room, "look", config));
    EXPECT_FALSE(HasExit(&room, "", config));
    EXPECT_FALSE(HasExit(nullptr, W("с"), config));
    config.Words.Word[Index(Direction::North)].clear();
    EXPECT_FALSE(HasExit(&room, W("с"), config));
}

TEST(HasJump, FindsTheFirstEntryForAPhraseOrAFreeFormExit) {
    RoomParserConfig config;
    MudRoom room;
    room.AutoMaps = {
        "|" + W("на север") + "|3",          // no zone: not a jump
        W("Город|войти|12"),                 // a free-form exit
        W("Лес|на север|4"),                 // the first jump north
        W("Поле|на север|9|открыть дверь"),  // a later entry for the same exit
        W("Поле|на юг"),                     // two fields are enough
    };
    EXPECT_EQ(HasJump(&room, W("войти"), config), 1);
    EXPECT_EQ(HasJump(&room, "n", config), 2);
    EXPECT_EQ(HasJump(&room, W("на север"), config), 2);
    EXPECT_EQ(HasJump(&room, "s", config), 4);
    EXPECT_EQ(HasJump(&room, "e", config), -1);
    EXPECT_EQ(HasJump(&room, "", config), -1);
    EXPECT_EQ(HasJump(nullptr, "n", config), -1);
}

}  // namespace
}  // namespace trellan
