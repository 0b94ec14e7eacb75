// Profiles that fit how real MUDs speak: several words per direction, exit
// words in any letter case, exits in the prompt's own letters.
#include <gtest/gtest.h>

#include "TrackerFixture.h"
#include "mapping/MappingConfig.h"
#include "settings/MainSettings.h"
#include "settings/WorldProfile.h"
#include "tracking/ExitText.h"
#include "tracking/RoomParser.h"
#include "tracking/TrackerConfig.h"

namespace trellan::testing {
namespace {

WorldProfile RussianProfile() {
    WorldProfile profile;
    profile.MoveCmdN = W1251("n|north|с|север");
    profile.MoveCmdS = W1251("s|south|ю|юг");
    profile.MoveCmdE = W1251("e | east|в|восток");
    profile.MoveCmdW = W1251("|w|з|запад");
    profile.MoveCmdU = W1251("u|вв|вверх");
    profile.MoveCmdD = W1251("d|вн|вниз");
    profile.DarkMessages = {W1251("Здесь темно...")};
    return profile;
}

class MudDialectsTest : public TrackerTest {
protected:
    void Use(const WorldProfile& profile) { tracker().SetConfig(TrackerConfigFrom(profile, MainSettings())); }
};

TEST_F(MudDialectsTest, EveryWordOfAMoveKeyIsTheMoveAndTheFirstIsTheOneSent) {
    WorldProfile profile = RussianProfile();
    EXPECT_EQ(ProfileMoveCommands(profile),
              (std::array<std::string, kDirectionCount>{"n", "s", "w", "e", "u", "d"}));
    std::array<std::vector<std::string>, kDirectionCount> words = ProfileMoveWords(profile);
    EXPECT_EQ(words[Index(Direction::East)], (std::vector<std::string>{"e", "east", W1251("в"), W1251("восток")}));
    // A key without "|" is one word, exactly as written (blanks included).
    profile.MoveCmdN = " n ";
    EXPECT_EQ(ProfileMoveCommands(profile)[Index(Direction::North)], " n ");

    Use(RussianProfile());
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    StandIn(start);
    Type(W1251("с"));
    Server(Room("North room"));
    ASSERT_EQ(CurrentName(), "North room");
    MudRoom* north = world().CurrentRoom;
    EXPECT_EQ((std::vector<int>{north->X, north->Y}), (std::vector<int>{-1, 0}));
    EXPECT_TRUE(start->ChN && north->ChS) << "both links follow the direction, not the word";

    // Sneaking back with another word walks the known link.
    Type(W1251("подкрасться юг"));
    Server(Room("Start"));
    EXPECT_EQ(world().CurrentRoom, start);
    Type("north");
    Server(Room("North room"));
    EXPECT_EQ(world().CurrentRoom, north);
    EXPECT_TRUE(tracker().Tracing());
}

TEST_F(MudDialectsTest, AClassicProfileKnowsOnlyItsOneWordPerDirection) {
    Use(WorldProfile());
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    StandIn(start);
    Type(W1251("с"));
    Server(Room("North room"));
    EXPECT_TRUE(Logged("TranslateCmd: Не отработала команда с"));
    EXPECT_FALSE(tracker().Tracing()) << "the room nobody asked for is looked up and not found";
}

TEST_F(MudDialectsTest, ExitWordsInAnyCaseAreOneExitWhenTheProfileSaysSo) {
    EXPECT_EQ(MatchExitWordCase(" n s (e) U ", ExitWords::Defaults()), " N S (E) U ");
    ExitWords russian = ExitWords::FromProfileOrder(W1251("с"), W1251("ю"), W1251("в"), W1251("з"), "^", "v");
    EXPECT_EQ(MatchExitWordCase(W1251(" С в V "), russian), W1251(" с в v "));

    WorldProfile profile = RussianProfile();
    Use(profile);
    tracker().SetTracing(MovementTracker::TracingSwitch::On);
    Type("look");
    Server(Room("Gate", "Desc.", " e W "));
    ASSERT_NE(world().CurrentRoom, nullptr);
    EXPECT_EQ(world().CurrentRoom->ExitState(Direction::East), ExitStatus::Absent) << "case counts by default";

    // With the switch on, a new room's exits in any case are its exits.
    profile.ExitsIgnoreCase = true;
    Use(profile);
    Type("w");
    Server(Room("Yard", "Grass.", " e w (n) "));
    MudRoom* yard = world().CurrentRoom;
    ASSERT_NE(yard, nullptr);
    EXPECT_EQ(yard->Hint, "Yard");
    EXPECT_EQ(yard->Exits(), " E W (N) ");
    EXPECT_EQ((std::vector<ExitStatus>{yard->ExitState(Direction::East), yard->ExitState(Direction::West),
                                       yard->ExitState(Direction::North)}),
              (std::vector<ExitStatus>{ExitStatus::Present, ExitStatus::Present, ExitStatus::ClosedDoor}));
}

TEST_F(MudDialectsTest, PromptLettersGiveTheExitsOfADarkRoomAndOfThePromptMode) {
    RoomParserConfig config;
    config.DarkMessages = {W1251("Здесь темно...")};
    config.PromptExitLetters = {W1251("С"), W1251("Ю"), W1251("З"), W1251("В"), "^", "v"};
    EXPECT_EQ(ExitsFromPromptLetters(W1251("С(В)Ю^v*"), config), "N (E) S U D");
    EXPECT_EQ(ExitsFromPromptLetters(W1251("св"), config), "") << "case counts by default";
    config.ExitsIgnoreCase = true;
    EXPECT_EQ(ExitsFromPromptLetters(W1251("с(в)"), config), "N (E)");

    // A dark room shown without an exits line takes the prompt's exits.
    std::string buffer = W1251("Здесь темно...\r\n\r\n<30H 90M Вых:С(В)> ");
    ParsedRoom room;
    ASSERT_TRUE(ParseRoom(buffer, config, room));
    EXPECT_EQ(room.ParsedName, config.Dark);
    EXPECT_EQ(room.ParsedExits, "N (E)");
    // Without its prompt it is still a room, only without exits; a prompt
    // after the next room's name belongs to that room.
    buffer = W1251("Здесь темно...\r\n\x1B[1;36mHall\r\nText\r\n\x1B[36m[ Exits: N ]\r\nВых:С>");
    ASSERT_TRUE(ParseRoom(buffer, config, room));
    EXPECT_EQ(room.ParsedExits, "");
    // A lit room keeps its exits line unless the prompt mode is on.
    buffer = W1251("\x1B[1;36mHall\r\nText\r\n\x1B[36m[ Exits: n ]\r\nВых:СЮ>");
    ASSERT_TRUE(ParseRoom(buffer, config, room));
    EXPECT_EQ(room.ParsedExits, " N ");
    config.UsePromptExit = true;
    buffer = W1251("\x1B[1;36mHall\r\nText\r\n\x1B[36m[ Exits: n ]\r\nВых:СЮ>");
    ASSERT_TRUE(ParseRoom(buffer, config, room));
    EXPECT_EQ(room.ParsedExits, "N S");
}

}  // namespace
}  // namespace trellan::testing
