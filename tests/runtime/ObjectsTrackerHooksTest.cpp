#include <gtest/gtest.h>

#include "objects/ObjectsBase.h"
#include "objects/ObjectsConfig.h"
#include "runtime/ObjectsTrackerHooks.h"
#include "text/ServerCharset.h"
#include "text/W1251.h"
#include "tracking/TrackerFixture.h"

namespace trellan {
namespace {

// The objects base plugged into a real tracker and client input stream.
class ObjectsTrackerHooksTest : public ::testing::Test {
protected:
    void SetUp() override {
        config.Items = {W1251("Предметы"), W1251("Предмет \"/$\", тип: /$\r\n//Вес: /$\r\n"), "2,1"};
        config.AutoexitStart = "\x1B[36m[ Exits:";
        config.GroupTell = W1251("гг");
        rig.tracker.SetObjectsHooks(hooks);
    }

    testing::TrackerRig rig;
    ObjectsBase base;
    ObjectsConfig config;
    ObjectsTrackerHooks hooks{base, config, rig.output};
};

TEST_F(ObjectsTrackerHooksTest, ServerTextIsFiledEvenWithTracingOff) {
    rig.tracker.ProcessServerText(W1251("\r\nПредмет \"меч\", тип: ОРУЖИЕ\r\nЦена: 3\r\nВес: 5\r\n") +
                             "->>Trellan objecs base <begin> (v.2)\r\n->>" + W1251("Мобы.волк") + "\r\n->>" +
                             W1251("Серый.") + "\r\n->>Trellan objecs base <end> (v.2)\r\n");
    ObjectNode* sword = base.Tree().FindPath({W1251("Предметы"), W1251("ОРУЖИЕ"), W1251("меч")});
    ASSERT_NE(sword, nullptr);
    EXPECT_EQ(sword->Description->size(), 3u);
    ObjectNode* wolf = base.Tree().FindPath({W1251("Мобы"), W1251("волк")});
    ASSERT_NE(wolf, nullptr);
    EXPECT_EQ(*wolf->Description, std::vector<std::string>{W1251("Серый.")});
}

TEST_F(ObjectsTrackerHooksTest, ClientSearchIsAnsweredAndNodesAreSentToTheChat) {
    ObjectNode* sword = base.Tree().AddChild(base.Tree().AddChild(nullptr, W1251("Предметы")), W1251("Меч"));
    sword->Description = std::vector<std::string>{W1251("Острый.")};
    rig.input.Feed(W1251("лор *меч\r\n"));
    EXPECT_EQ(rig.output.client,
              "\r\n\x1B[1;32mDatabase search result:\x1B[0m\r\n\r\n" + W1251("Острый.\r\n-----\r\n"));
    EXPECT_TRUE(rig.output.server.empty());

    EXPECT_TRUE(hooks.TellGroup(*sword));
    EXPECT_EQ(rig.output.server, W1251("гг ->>Trellan objecs base <begin> (v.2)\r\nгг ->>Предметы.Меч\r\n"
                                       "гг ->>Острый.\r\nгг ->>Trellan objecs base <end> (v.2)\r\n"));
    EXPECT_FALSE(hooks.TellClan(*sword->Parent()));
}

TEST_F(ObjectsTrackerHooksTest, NodesGoToTheChatInTheServersCodePageWithItsFFDoubled) {
    ObjectNode* cloak = base.Tree().AddChild(base.Tree().AddChild(nullptr, W1251("Предметы")), W1251("Плащ"));
    cloak->Description = std::vector<std::string>{W1251("Объёмный, я бы взял.")};
    config.Charset = ServerCharset::Koi8r;
    config.AddDoubleYa = true;
    EXPECT_TRUE(hooks.TellGroup(*cloak));
    // KOI8-R: "я" is 0xD1, "Ъ" (here in "Объёмный" as "ъ", 0xDF) is not 0xFF;
    // only the capital "Ъ" would be, and it would go out doubled.
    EXPECT_EQ(rig.output.server, ToServerCharset(W1251("гг ->>Trellan objecs base <begin> (v.2)\r\nгг ->>Предметы.Плащ\r\n"
                                                       "гг ->>Объёмный, я бы взял.\r\nгг ->>Trellan objecs base <end> (v.2)\r\n"),
                                                 ServerCharset::Koi8r));
    rig.output.server.clear();
    cloak->Description = std::vector<std::string>{W1251("ЪЪ")};
    EXPECT_TRUE(hooks.TellGroup(*cloak));
    EXPECT_NE(rig.output.server.find("->>\xFF\xFF\xFF\xFF\r\n"), std::string::npos);
}

}  // namespace
}  // namespace trellan
