// The tracing, walking-mode and auto-linking switches and what the player
// hears about them.
#include <gtest/gtest.h>

#include "TrackerFixture.h"

namespace trellan::testing {
namespace {

class TrackerModesTest : public TrackerTest {};

constexpr char kTracingOn[] = "\r\n\033[1;33m<Trellan> : Tracing now \033[1;32mON\033[0m\r\n";
constexpr char kTracingOff[] = "\r\n\033[1;33m<Trellan> : Tracing now \033[1;31mOFF\033[0m\r\n";

TEST_F(TrackerModesTest, TheTracingSwitchTellsThePlayerOnlyOfAChange) {
    tracker().SetTracing(MovementTracker::TracingSwitch::On);
    tracker().SetTracing(MovementTracker::TracingSwitch::On);
    EXPECT_EQ(output().client, kTracingOn);
    output().client.clear();
    tracker().SetTracing(MovementTracker::TracingSwitch::Off);
    tracker().SetTracing(MovementTracker::TracingSwitch::Off);
    EXPECT_EQ(output().client, kTracingOff);
    EXPECT_EQ(output().tracingChanges, (std::vector<bool>{true, true, false, false}));

    // Without a client and a server nobody is told.
    output().client.clear();
    output().connected = false;
    tracker().SetTracing(MovementTracker::TracingSwitch::On);
    EXPECT_TRUE(output().client.empty());
    EXPECT_TRUE(tracker().Tracing());
}

TEST_F(TrackerModesTest, SwitchingTracingOffForgetsThePosition) {
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    StandIn(start);
    start->Selected = true;
    Type("n");
    Server("partial text");
    tracker().SetTracing(MovementTracker::TracingSwitch::Off);
    EXPECT_EQ(world().CurrentRoom, nullptr);
    EXPECT_FALSE(start->Selected);
    EXPECT_TRUE(start->Checked);
    EXPECT_TRUE(tracker().CommandQueue().empty());
    EXPECT_TRUE(tracker().OutputBuffer().empty());
    EXPECT_TRUE(tracker().CurrentCommand().empty());
}

TEST_F(TrackerModesTest, TracingOnWithoutAZoneStartsANewOne) {
    world().ClearZone();
    world().CurrentZone.clear();
    tracker().SetTracing(MovementTracker::TracingSwitch::On);
    EXPECT_EQ(output().newZones, 1);
}

TEST_F(TrackerModesTest, TheWalkingAndAutoLinkSwitchesReportEveryChange) {
    tracker().ChangeWalkingMode(true);
    tracker().ChangeWalkingMode(false);
    EXPECT_EQ(output().walkingChanges, (std::vector<bool>{true, false}));
    tracker().ToggleShortMode();
    EXPECT_TRUE(world().ShortMode());
    tracker().ToggleShortMode();
    EXPECT_FALSE(world().ShortMode());
    EXPECT_EQ(output().shortChanges, (std::vector<bool>{true, false}));
}

}  // namespace
}  // namespace trellan::testing
