#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "model/Direction.h"
#include "model/ExitWords.h"
#include "model/MudRoom.h"

namespace trellan {
namespace {

TEST(Direction, OppositesPairUpAndStepBack) {
    std::set<Direction> seen;
    for (Direction d : kAllDirections) {
        seen.insert(d);
        const Direction back = OppositeDirection(d);
        EXPECT_NE(back, d);
        EXPECT_EQ(OppositeDirection(back), d);
        EXPECT_EQ(IsHorizontal(back), IsHorizontal(d));
        const GridStep step = StepOf(d);
        const GridStep backStep = StepOf(back);
        EXPECT_EQ(std::abs(step.DX) + std::abs(step.DY) + std::abs(step.DL), 1) << Letter(d);
        EXPECT_EQ(step.DX + backStep.DX, 0) << Letter(d);
        EXPECT_EQ(step.DY + backStep.DY, 0) << Letter(d);
        EXPECT_EQ(step.DL + backStep.DL, 0) << Letter(d);
        EXPECT_EQ(IsHorizontal(d), step.DL == 0) << Letter(d);
        EXPECT_EQ(DirectionAt(Index(d)), d);
    }
    EXPECT_EQ(seen.size(), std::size_t(kDirectionCount));
}

TEST(Direction, StepsFollowTheRoomRecordsAxes) {
    // North is X - 1, east is Y + 1, up is L + 1.
    EXPECT_EQ(StepOf(Direction::North).DX, -1);
    EXPECT_EQ(StepOf(Direction::East).DY, 1);
    EXPECT_EQ(StepOf(Direction::Up).DL, 1);
    EXPECT_EQ(OppositeDirection(Direction::West), Direction::East);
}

TEST(Direction, RoomOrderMatchesTheLinkFlagsAndLetters) {
    const std::string letters = "NSWEUD";
    for (Direction d : kAllDirections) {
        MudRoom room;
        room.Link(d) = true;
        const bool flags[kDirectionCount] = {room.ChN, room.ChS, room.ChW, room.ChE, room.ChU, room.ChD};
        for (Direction other : kAllDirections) EXPECT_EQ(flags[Index(other)], other == d) << Letter(d);
        EXPECT_EQ(Letter(d), letters[Index(d)]);
    }
}

TEST(Direction, ProfileOrderSwapsEastAndWestOnly) {
    const std::array<std::string, kDirectionCount> inRoomOrder =
        FromProfileOrder<std::string>({"n", "s", "e", "w", "u", "d"});
    EXPECT_EQ(inRoomOrder, (std::array<std::string, kDirectionCount>{"n", "s", "w", "e", "u", "d"}));
    const ExitWords words = ExitWords::FromProfileOrder("N1", "S1", "E1", "W1", "U1", "D1");
    EXPECT_EQ(words[Direction::East], "E1");
    EXPECT_EQ(words[Direction::West], "W1");
    EXPECT_EQ(words.Word, (std::array<std::string, kDirectionCount>{"N1", "S1", "W1", "E1", "U1", "D1"}));
}

}  // namespace
}  // namespace trellan
