#include <gtest/gtest.h>

#include <algorithm>

#include "ObjectsTestSupport.h"
#include "objects/CaptionOrder.h"
#include "objects/ObjectsTree.h"

namespace trellan {
namespace {

using testing::Outline;
using testing::W;

TEST(FindOrAddObjectNode, TopLevelIgnoresCaseChildrenDoNot) {
    ObjectsTree tree;
    ObjectNode* items = tree.FindOrAddObjectNode(nullptr, W("Предметы"));
    EXPECT_EQ(tree.FindOrAddObjectNode(nullptr, W("ПРЕДМЕТЫ")), items);
    EXPECT_EQ(tree.FindOrAddObjectNode(nullptr, W("предметы")), items);
    // Ё and ё are one letter apart from case too.
    ObjectNode* tree1 = tree.FindOrAddObjectNode(nullptr, W("Ёлка"));
    EXPECT_EQ(tree.FindOrAddObjectNode(nullptr, W("ёЛКА")), tree1);

    ObjectNode* sword = tree.FindOrAddObjectNode(items, W("Меч"));
    EXPECT_EQ(tree.FindOrAddObjectNode(items, W("Меч")), sword);
    EXPECT_NE(tree.FindOrAddObjectNode(items, W("меч")), sword);
    EXPECT_EQ(items->Children().size(), 2u);

    // Empty text leaves the parent where it is, at the top level too.
    EXPECT_EQ(tree.FindOrAddObjectNode(items, ""), items);
    EXPECT_EQ(tree.FindOrAddObjectNode(nullptr, ""), nullptr);
    EXPECT_EQ(tree.TopLevel().size(), 2u);
}

TEST(CaptionOrder, FollowsTheRussianAlphabet) {
    std::vector<std::string> captions;
    for (std::string_view c : {"яблоко", "Ёж", "ель", "Жук", "апельсин", "Banana", "apple", "10 монет", "2 монеты",
                               "Ель", "[метка]", "Зубы", "ёлка"}) {
        captions.push_back(W(c));
    }
    std::stable_sort(captions.begin(), captions.end(),
                     [](const std::string& a, const std::string& b) { return CompareCaptions(a, b) < 0; });
    std::string joined;
    for (const std::string& c : captions) joined += Cp1251ToUtf8(c) + ",";
    EXPECT_EQ(joined, "[метка],10 монет,2 монеты,apple,Banana,апельсин,ель,Ель,Ёж,ёлка,Жук,Зубы,яблоко,");
    EXPECT_EQ(CompareCaptions(W("меч"), W("меч")), 0);
}

class TreeEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        a = tree.AddChild(nullptr, "A");
        a1 = tree.AddChild(a, "A1");
        a2 = tree.AddChild(a, "A2");
        b = tree.AddChild(nullptr, "B");
    }

    ObjectsTree tree;
    ObjectNode* a = nullptr;
    ObjectNode* a1 = nullptr;
    ObjectNode* a2 = nullptr;
    ObjectNode* b = nullptr;
};

TEST_F(TreeEditTest, DropOnTheRightMakesTheFirstChildOnTheCaptionASiblingBefore) {
    EXPECT_TRUE(tree.Move(*b, *a, DropPlace::RightOfCaption));
    EXPECT_EQ(Outline(tree), "A\n  B\n  A1\n  A2\n");
    EXPECT_EQ(b->Parent(), a);

    EXPECT_TRUE(tree.Move(*a2, *b, DropPlace::OnCaption));
    EXPECT_EQ(Outline(tree), "A\n  A2\n  B\n  A1\n");

    // Out of a subtree to the top level, before A.
    EXPECT_TRUE(tree.Move(*a1, *a, DropPlace::OnCaption));
    EXPECT_EQ(Outline(tree), "A1\nA\n  A2\n  B\n");
    EXPECT_EQ(a1->Parent(), nullptr);
    EXPECT_EQ(a1->Level(), 0);
}

TEST_F(TreeEditTest, DropOnItselfOrInsideItsSubtreeIsRefused) {
    EXPECT_FALSE(tree.Move(*a, *a, DropPlace::OnCaption));
    EXPECT_FALSE(tree.Move(*a, *a1, DropPlace::RightOfCaption));
    EXPECT_FALSE(tree.Move(*a, *a2, DropPlace::OnCaption));
    EXPECT_EQ(Outline(tree), "A\n  A1\n  A2\nB\n");
}

TEST_F(TreeEditTest, SortIsOneLevelDeepAndDeleteTakesTheSubtree) {
    tree.AddChild(a2, "z");
    tree.AddChild(a2, "y");
    tree.AddChild(a, "A0");
    tree.SortChildren(a);
    EXPECT_EQ(Outline(tree), "A\n  A0\n  A1\n  A2\n    z\n    y\nB\n");

    auto generation = tree.Generation();
    tree.Delete(*a);
    EXPECT_EQ(Outline(tree), "B\n");
    EXPECT_NE(tree.Generation(), generation);
    EXPECT_EQ(tree.FindPath({"B"}), b);
}

}  // namespace
}  // namespace trellan
