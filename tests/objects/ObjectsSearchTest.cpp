#include <gtest/gtest.h>

#include "ObjectsTestSupport.h"
#include "objects/LoreQuery.h"
#include "objects/ObjectsBase.h"
#include "objects/ObjectsSearch.h"

namespace trellan {
namespace {

using testing::Lines;
using testing::Outline;
using testing::W;

class ObjectsSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        ObjectsTree& tree = base.Tree();
        ObjectNode* items = tree.AddChild(nullptr, W("Предметы"));
        sword = tree.AddChild(items, W("Меч"));
        sword->Description = Lines({"Длинный меч.", "Меч и ещё меч."});
        folder = tree.AddChild(items, W("Мечи"));  // a folder: no description
        shield = tree.AddChild(items, W("Щит"));
        shield->Description = Lines({"Щит с гербом: меч"});
    }

    ObjectsBase base;
    ObjectsSearch search{base};
    ObjectNode* sword = nullptr;
    ObjectNode* folder = nullptr;
    ObjectNode* shield = nullptr;
};

TEST_F(ObjectsSearchTest, FindsCyrillicIgnoringCaseMatchAfterMatch) {
    std::optional<SearchMatch> m = search.FindNext(W("МЕЧ"));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->Node, sword);
    EXPECT_EQ(m->Line, 0u);
    EXPECT_EQ(m->SelectionStart, 8u);
    EXPECT_EQ(m->SelectionLength, 3u);
    EXPECT_EQ(base.LoreNode(), sword);

    // Two in one line, the second after the first; the selection counts the
    // earlier line and its CR LF.
    m = search.FindNext(W("МЕЧ"));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->SelectionStart, 14u);
    m = search.FindNext(W("МЕЧ"));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->Line, 1u);
    EXPECT_EQ(m->Column, 10u);
    EXPECT_EQ(m->SelectionStart, 24u);

    m = search.FindNext(W("МЕЧ"));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->Node, shield);
    EXPECT_FALSE(search.FindNext(W("МЕЧ")));
    // After "not found" the search starts from the first node again.
    m = search.FindNext(W("МЕЧ"));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->Node, sword);
    EXPECT_EQ(m->SelectionStart, 8u);

    EXPECT_FALSE(search.FindNext(""));
    EXPECT_FALSE(search.FindNext(W("Мечи")));  // captions are not searched
}

TEST_F(ObjectsSearchTest, DeletedNodeOfThePositionRestartsTheSearch) {
    ASSERT_TRUE(search.FindNext(W("герб")));
    base.DeleteNode(*shield);
    std::optional<SearchMatch> m = search.FindNext(W("меч"));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->Node, sword);
}

TEST_F(ObjectsSearchTest, ReplaceTheMatchThenFindTheNext) {
    ASSERT_TRUE(search.FindNext(W("меч")));
    std::optional<SearchMatch> m = search.Replace(8, 3, W("меч"), W("клинок"));
    EXPECT_EQ((*sword->Description)[0], W("Длинный клинок."));
    EXPECT_FALSE(base.ObjectsUnchanged());
    ASSERT_TRUE(m);
    EXPECT_EQ(m->Line, 1u);
    EXPECT_EQ(m->Column, 0u);

    // A folder has no description to replace in, and must not get one.
    base.ShowNode(folder);
    search.Replace(0, 0, W("меч"), W("клинок"));
    EXPECT_FALSE(folder->Description);
}

TEST_F(ObjectsSearchTest, ReplaceAllCountsAndNeverRescans) {
    shield->Description = std::vector<std::string>{"a A"};
    EXPECT_EQ(search.ReplaceAll("a", "aa"), 2);
    EXPECT_EQ((*shield->Description)[0], "aa aa");
    EXPECT_FALSE(base.ObjectsUnchanged());
    EXPECT_FALSE(base.SaveObjectsWithWorld());

    EXPECT_EQ(search.ReplaceAll(W("МЕЧ"), W("клинок")), 3);
    EXPECT_EQ(Outline(base.Tree()),
              "Предметы\n"
              "  Меч {Длинный клинок.|клинок и ещё клинок.}\n"
              "  Мечи\n"
              "  Щит {aa aa}\n");
    EXPECT_EQ(search.ReplaceAll("", "x"), 0);
}

TEST_F(ObjectsSearchTest, ClientQueryForms) {
    const std::string header = "\r\n\x1B[1;32mDatabase search result:\x1B[0m\r\n\r\n";
    const std::string swordText = W("Длинный меч.\r\nМеч и ещё меч.\r\n-----\r\n");
    const std::string shieldText = W("Щит с гербом: меч\r\n-----\r\n");

    // Exact caption: only the node named so; the folder Мечи has no text.
    EXPECT_EQ(SearchObjectsBase(base, W("Меч"), false), header + swordText);
    EXPECT_EQ(base.LoreNode(), sword);
    // "меч*": captions beginning with it in any case, folders skipped.
    EXPECT_EQ(SearchObjectsBase(base, W("меч*"), false), header + swordText);
    // "*ИТ": captions holding it.
    EXPECT_EQ(SearchObjectsBase(base, W("*ИТ"), false), header + shieldText);
    EXPECT_EQ(base.LoreNode(), shield);
    EXPECT_EQ(SearchObjectsBase(base, W("*"), false), header + swordText + shieldText);
    EXPECT_EQ(SearchObjectsBase(base, W("меч"), false), "\r\n\x1B[1;31mDatabase search has no results\r\n");
    EXPECT_EQ(SearchObjectsBase(base, W("Мечи"), false), "\r\n\x1B[1;31mDatabase search has no results\r\n");

    shield->Description = Lines({"Моя"});
    EXPECT_EQ(SearchObjectsBase(base, W("Щит"), true), header + W("Мояя\r\n-----\r\n"));
}

}  // namespace
}  // namespace trellan
