#include <gtest/gtest.h>

#include "settings/MainSettings.h"
#include "settings/WorldProfile.h"
#include "tracking/TrackerConfig.h"

namespace trellan {
namespace {

// Each setting distinct, so one taken from the wrong place shows.
TEST(TrackerConfig, TakesEverySettingFromItsOwnPlace) {
    WorldProfile p;
    p.Look = "look1";
    p.Clear = "clear1";
    p.StopTrace = "stop1";
    p.Speedwalk = "speed1";
    p.Returnwalk = "return1";
    p.Sneakwalk = "sneak1";
    p.Fleewalk = "flee1";
    p.Portal = "portal1";
    p.Retreat = "retreat1";
    p.Follow = "follow1";
    p.FollowLine = true;
    p.AddDoubleYaLor = false;
    p.LeaderN = "ln";
    p.LeaderS = "ls";
    p.LeaderE = "le";
    p.LeaderW = "lw";
    p.LeaderU = "lu";
    p.LeaderD = "ld";
    p.LeaderMoves = {" #$41 went /*\t"};
    p.CantMoves = {"#$42locked"};
    MainSettings s;
    s.ReadOnlyOn = "on1";
    s.ReadOnlyOff = "off1";
    s.GroupLore = "group1";
    s.ClanLore = "clan1";
    s.SetAlias = "alias1";
    s.RequestObject = "request1";
    s.NeedRepos = false;

    TrackerConfig c = TrackerConfigFrom(p, s);
    EXPECT_EQ((std::vector<std::string>{c.Look, c.Clear, c.StopTrace, c.Speedwalk, c.Returnwalk, c.Sneakwalk,
                                        c.Fleewalk, c.Portal, c.Retreat, c.Follow}),
              (std::vector<std::string>{"look1", "clear1", "stop1", "speed1", "return1", "sneak1", "flee1", "portal1",
                                        "retreat1", "follow1"}));
    EXPECT_EQ((std::vector<std::string>{c.ReadOnlyOn, c.ReadOnlyOff, c.GroupLore, c.ClanLore, c.SetAlias}),
              (std::vector<std::string>{"on1", "off1", "group1", "clan1", "alias1"}));
    EXPECT_TRUE(c.FollowLine);
    EXPECT_FALSE(c.AddDoubleYaLor);
    EXPECT_FALSE(c.NeedRepos);
    // The profile's North, South, East, West order becomes north, south, west, east.
    EXPECT_EQ(c.LeaderPhrases, (std::array<std::string, kDirectionCount>{"ln", "ls", "lw", "le", "lu", "ld"}));
    EXPECT_EQ(c.LeaderMoves, (std::vector<std::string>{"A went /*"}));
    EXPECT_EQ(c.CantMoves, (std::vector<std::string>{"Blocked"}));

    // The profile's request command wins over the main settings' one unless it is empty.
    EXPECT_EQ(c.RequestObject, p.RequestCommand);
    p.RequestCommand.clear();
    EXPECT_EQ(TrackerConfigFrom(p, s).RequestObject, "request1");
}

}  // namespace
}  // namespace trellan
