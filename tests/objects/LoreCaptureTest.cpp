#include <gtest/gtest.h>

#include "ObjectsTestSupport.h"
#include "objects/LoreCapture.h"
#include "objects/ObjectsBase.h"
#include "settings/WorldProfile.h"

namespace trellan {
namespace {

using testing::Lines;
using testing::Outline;
using testing::PathText;
using testing::W;

// Templates as a world profile holds them after reading: CR LF already
// real, other escapes still in the notation.
ObjectsConfig RealLookingConfig() {
    WorldProfile profile;
    profile.StuffTem =
        W("Вы узнали следующее:\r\n"
          "Предмет \"/$\"/+ (магический)/*, тип: /$\r\n"
          "//Вес: /$,/*\r\n"
          "[[//Наносимые повреждения '/$'/*\r\n][//Защита (AC) : /$\r\n]]");
    profile.StuffSeq = "3,1";
    profile.MobTem =
        W("#$1B[1;37mВы узнали следующее о персонаже \"/$\":\r\n"
          "//Уровень: /$\r\n"
          "[[Раса: /$\r\n][Тип: /$\r\n]]");
    profile.MobSeq = "3,1";
    return ObjectsConfigFromProfile(profile);
}

const std::string kRoom = W("\x1B[1;36mТаверна\x1B[0m\r\nВы в уютной таверне.\r\n\x1B[36m[ Exits: n s ]\x1B[0m\r\n");

std::string SwordBlock(bool magical = true) {
    return W(std::string("Вы узнали следующее:\r\n"
                         "Предмет \"\x1B[1;33mдлинный меч\x1B[0m\"") +
             (magical ? " (магический)" : "") +
             ", тип: ОРУЖИЕ\r\n"
             "Можно использовать как: взять, держать\r\n"
             "Вес: 5, Цена: 120, Рента: 12(36)\r\n"
             "Наносимые повреждения '3D4' среднее 7.5.\r\n");
}

const std::string kSkeletonBlock =
    W("\x1B[1;37mВы узнали следующее о персонаже \"скелет\":\r\n"
      "Размер: 50\r\n"
      "Уровень: 12\r\n"
      "Тип: нежить\r\n");

class LoreCaptureTest : public ::testing::Test {
protected:
    ObjectsConfig config = RealLookingConfig();
    testing::RecordingListener listener;
    ObjectsBase base{&listener};
};

TEST_F(LoreCaptureTest, ItemIsFiledAlongTheSequenceAndCutFromTheBuffer) {
    std::string buffer = "\r\n" + SwordBlock() + kRoom;
    ObjectNode* node = CaptureLore(buffer, config, base);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(PathText(*node), W("Предметы/ОРУЖИЕ/длинный меч"));
    EXPECT_EQ(*node->Description, Lines({"Вы узнали следующее:", "Предмет \"длинный меч\" (магический), тип: ОРУЖИЕ",
                                         "Можно использовать как: взять, держать", "Вес: 5, Цена: 120, Рента: 12(36)",
                                         "Наносимые повреждения '3D4' среднее 7.5."}));
    EXPECT_EQ(buffer, "\r\n" + kRoom);
    EXPECT_EQ(base.LoreNode(), node);
    EXPECT_EQ(listener.shown.back(), node);
    EXPECT_FALSE(base.ObjectsUnchanged());
    EXPECT_TRUE(base.SaveObjectsWithWorld());

    // Identified again (not magical this time): the same node, a new text.
    buffer = "\r\n" + SwordBlock(false) + kRoom;
    EXPECT_EQ(CaptureLore(buffer, config, base), node);
    EXPECT_EQ((*node->Description)[1], W("Предмет \"длинный меч\", тип: ОРУЖИЕ"));
    EXPECT_EQ(node->Parent()->Children().size(), 1u);
}

TEST_F(LoreCaptureTest, ItemAndMobInOneBufferWithAlternativesAndALaterLine) {
    std::string armour =
        W("Вы узнали следующее:\r\nПредмет \"кожаный шлем\", тип: БРОНЯ\r\nВес: 2, Цена: 30\r\n"
          "Защита (AC) : 1\r\n");
    std::string buffer = "\r\n" + kSkeletonBlock + armour + kRoom;
    CaptureLore(buffer, config, base);
    EXPECT_EQ(Outline(base.Tree()),
              "Предметы\n"
              "  БРОНЯ\n"
              "    кожаный шлем {Вы узнали следующее:|Предмет \"кожаный шлем\", тип: БРОНЯ|Вес: 2, Цена: 30|"
              "Защита (AC) : 1}\n"
              "Мобы\n"
              "  нежить\n"
              "    скелет {Вы узнали следующее о персонаже \"скелет\":|Размер: 50|Уровень: 12|Тип: нежить}\n");
    EXPECT_EQ(buffer, "\r\n" + kRoom);
}

TEST_F(LoreCaptureTest, BlockThatMatchesNothingChangesNothingUntilItIsComplete) {
    // The prefix is there but the weight line has not arrived yet.
    std::string head = "\r\n" + W("Вы узнали следующее:\r\nПредмет \"меч\", тип: ОРУЖИЕ\r\n");
    std::string buffer = head;
    EXPECT_EQ(CaptureLore(buffer, config, base), nullptr);
    EXPECT_EQ(buffer, head);
    EXPECT_TRUE(base.Tree().Empty());
    EXPECT_TRUE(base.ObjectsUnchanged());

    buffer += W("Вес: 1, Цена: 2\r\nНаносимые повреждения '1D2' среднее 1.5.\r\n") + kRoom;
    ASSERT_NE(CaptureLore(buffer, config, base), nullptr);
    EXPECT_EQ(buffer, "\r\n" + kRoom);

    // Text that is no lore at all, and empty templates.
    buffer = kRoom;
    EXPECT_EQ(CaptureLore(buffer, config, base), nullptr);
    EXPECT_EQ(CaptureLore(buffer, ObjectsConfig{}, base), nullptr);
    EXPECT_EQ(buffer, kRoom);
}

TEST_F(LoreCaptureTest, BlockAfterTheExitsLineWaitsForTheRoomToGo) {
    std::string buffer = "\r\n" + kRoom + SwordBlock();
    EXPECT_EQ(CaptureLore(buffer, config, base), nullptr);
    EXPECT_TRUE(base.Tree().Empty());

    // Once the tracker has taken the room, the block is the next thing.
    buffer.erase(0, 2 + kRoom.size());
    ASSERT_NE(CaptureLore(buffer, config, base), nullptr);
    EXPECT_EQ(buffer, "");
}

TEST_F(LoreCaptureTest, SequenceSkipsMissingAndEmptyCaptures) {
    config.Items.Sequence = "3, 2,9,-1,x,1,0,4";
    std::string buffer = SwordBlock(false);  // at the very start of the buffer
    ObjectNode* node = CaptureLore(buffer, config, base);
    ASSERT_NE(node, nullptr);
    // Capture 2 (the optional mark) is empty, 9 does not exist, -1 and x are
    // skipped, 0 ends the sequence before 4.
    EXPECT_EQ(PathText(*node), W("Предметы/ОРУЖИЕ/длинный меч"));

    EXPECT_EQ(LoreSequence("2,1"), (std::vector<int>{2, 1}));
    EXPECT_EQ(LoreSequence("1,,2"), (std::vector<int>{1}));
    EXPECT_EQ(LoreSequence(""), std::vector<int>{});
}

TEST(LoreDescription, StopsAtTheFirstEmptyLineAndDropsTheLastPiece) {
    EXPECT_EQ(LoreDescription("a\r\n\x1B[1mb\x1B[0m\r\nlast"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(LoreDescription("a\r\nb\r\n"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(LoreDescription("a\r\n\r\nb\r\nc\r\n"), (std::vector<std::string>{"a"}));
    EXPECT_EQ(LoreDescription("\x1B[0m\r\nb\r\n"), std::vector<std::string>{});
    EXPECT_EQ(LoreDescription("one line"), std::vector<std::string>{});
}

}  // namespace
}  // namespace trellan
