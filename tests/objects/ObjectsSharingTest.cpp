#include <gtest/gtest.h>

#include "ObjectsTestSupport.h"
#include "objects/ObjectsBase.h"
#include "objects/ObjectsSharing.h"

namespace trellan {
namespace {

using testing::Lines;
using testing::Outline;
using testing::PathText;
using testing::W;

ObjectNode& SwordNode(ObjectsTree& tree) {
    ObjectNode* node = tree.FindOrAddObjectNode(nullptr, W("Предметы"));
    node = tree.FindOrAddObjectNode(node, W("Оружие"));
    node = tree.FindOrAddObjectNode(node, W("Меч"));
    node->Description = Lines({"Острый меч.", "Вес: 5"});
    return *node;
}

TEST(FormatSharedBlock, MarkersPathAndLinesWithYaDoubledWhereAsked) {
    ObjectsTree tree;
    EXPECT_EQ(FormatSharedBlock(SwordNode(tree), W("гг"), false), W("гг ->>Trellan objecs base <begin> (v.2)\r\n"
                                                                    "гг ->>Предметы.Оружие.Меч\r\n"
                                                                    "гг ->>Острый меч.\r\n"
                                                                    "гг ->>Вес: 5\r\n"
                                                                    "гг ->>Trellan objecs base <end> (v.2)\r\n"));
    ObjectNode* node = tree.AddChild(nullptr, W("Моя броня"));
    node->Description = Lines({"Крепкая я"});
    EXPECT_EQ(FormatSharedBlock(*node, W("кг"), true), W("кг ->>Trellan objecs base <begin> (v.2)\r\n"
                                                         "кг ->>Мояя броняя\r\n"
                                                         "кг ->>Крепкаяя яя\r\n"
                                                         "кг ->>Trellan objecs base <end> (v.2)\r\n"));
}

// How a MUD echoes group chat: the payload in quotes, so one character (the
// closing quote) follows every payload.
std::string Echo(std::string_view payload) {
    return W("\x1B[1;33mВы сообщили группе : '") + std::string(payload) + "'\x1B[0m\r\n";
}

std::string EchoedBlock() {
    return Echo("->>Trellan objecs base <begin> (v.2)") + Echo(W("->>предметы.Оружие.Меч")) +
           Echo(W("->>Острый меч.")) + Echo(W("->>Вес: 5")) + Echo("->>Trellan objecs base <end> (v.2)");
}

TEST(SharedObjectsReceiver, QuotedEchoGivesTrailingOneAndFilesUnderTheExistingTopLevel) {
    ObjectsBase base;
    base.Tree().AddChild(nullptr, W("Предметы"));
    SharedObjectsReceiver receiver;
    std::string buffer = EchoedBlock() + "rest";
    ObjectNode* node = receiver.Receive(buffer, base);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(PathText(*node), W("Предметы/Оружие/Меч"));
    EXPECT_EQ(*node->Description, Lines({"Острый меч.", "Вес: 5"}));
    EXPECT_EQ(base.LoreNode(), node);
    EXPECT_FALSE(base.ObjectsUnchanged());
    EXPECT_TRUE(base.SaveObjectsWithWorld());
    EXPECT_FALSE(receiver.Receiving());
    EXPECT_TRUE(receiver.LoreLines().empty());

    // Each line keeps what came before "->>" and its line break.
    std::string oneLine = W("\x1B[1;33mВы сообщили группе : '") + "\r\n";
    std::string expected;
    for (int i = 0; i < 5; ++i) expected += oneLine;
    EXPECT_EQ(buffer, expected + "rest");
}

TEST(SharedObjectsReceiver, SameResultWhateverTheReadEventsSplit) {
    const std::string stream = "junk ->>stray line\r\n" + EchoedBlock() + "tail";
    for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
        ObjectsBase base;
        SharedObjectsReceiver receiver;
        std::string buffer = stream.substr(0, cut);
        receiver.Receive(buffer, base);
        buffer += stream.substr(cut);
        receiver.Receive(buffer, base);
        ASSERT_EQ(Outline(base.Tree()), "предметы\n  Оружие\n    Меч {Острый меч.|Вес: 5}\n") << "cut at " << cut;
        ASSERT_EQ(buffer.find("->>"), std::string::npos);
    }
}

TEST(SharedObjectsReceiver, PlainLinesWithoutTrailerAndStrayMarkers) {
    ObjectsBase base;
    SharedObjectsReceiver receiver;
    // An end marker with nothing collected (joined in the middle) files
    // nothing; a stray "->>" line is only cut.
    std::string buffer = "->>" + W("Мобы.волк") + "\r\n->>Trellan objecs base <end> (v.2)\r\n";
    EXPECT_EQ(receiver.Receive(buffer, base), nullptr);
    EXPECT_TRUE(base.Tree().Empty());
    EXPECT_EQ(buffer, "\r\n\r\n");

    // A begin marker restarts a block cut off earlier; T = 0 keeps lines whole.
    buffer = "->>Trellan objecs base <begin> (v.2)\r\n->>" + W("Мобы..волк") + "\r\n->>old\r\n" +
             "->>Trellan objecs base <begin> (v.2)\r\n->>" + W("Мобы..волк") + "\r\n->>" + W("Серый волк.") +
             "\r\n->>\r\n->>Trellan objecs base <end> (v.2)\r\n";
    ObjectNode* node = receiver.Receive(buffer, base);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(Outline(base.Tree()), "Мобы\n  волк {Серый волк.|}\n");
}

TEST(SharedObjectsReceiver, BlockWithoutEndIsBounded) {
    ObjectsBase base;
    SharedObjectsReceiver receiver;
    std::string line = "->>" + std::string(100, 'x') + "\r\n";
    std::string buffer = "->>Trellan objecs base <begin> (v.2)\r\n";
    receiver.Receive(buffer, base);
    for (std::size_t i = 0; i < SharedObjectsReceiver::MaxLines + 10; ++i) {
        buffer = line;
        receiver.Receive(buffer, base);
        ASSERT_LE(receiver.LoreLines().size(), SharedObjectsReceiver::MaxLines);
    }
    EXPECT_FALSE(receiver.Receiving());
    buffer = "->>Trellan objecs base <end> (v.2)\r\n";
    EXPECT_EQ(receiver.Receive(buffer, base), nullptr);
    EXPECT_TRUE(base.Tree().Empty());
}

}  // namespace
}  // namespace trellan
