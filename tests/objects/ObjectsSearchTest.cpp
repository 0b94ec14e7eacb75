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
        items = tree.AddChild(nullptr, W("Предметы"));
        sword = tree.AddChild(items, W("Меч"));
        sword->Description = Lines({"Длинный меч.", "Меч и ещё меч."});
        folder = tree.AddChild(items, W("Мечи"));  // a folder: no description
        shield = tree.AddChild(items, W("Щит"));
        shield->Description = Lines({"Щит с гербом: меч"});
    }

    ObjectsBase base;
    ObjectsSearch search{base};
    ObjectNode* items = nullptr;
    ObjectNode* sword = nullptr;
    ObjectNode* folder = nullptr;
    ObjectNode* shield = nullptr;
};

// "caption line:column @start+length" in UTF-8, or "none".
std::string Where(const std::optional<SearchMatch>& m) {
    if (!m) return "none";
    return Cp1251ToUtf8(m->Node->Caption) + " " + std::to_string(m->Line) + ":" + std::to_string(m->Column) + " @" +
           std::to_string(m->SelectionStart) + "+" + std::to_string(m->SelectionLength);
}

TEST_F(ObjectsSearchTest, FindsCyrillicIgnoringCaseMatchAfterMatch) {
    EXPECT_EQ(Where(search.FindNext(W("МЕЧ"))), "Меч 0:8 @8+3");
    EXPECT_EQ(base.LoreNode(), sword);
    // The selection counts the earlier lines and their CR LF; after "not
    // found" the search starts from the first node again.
    std::vector<std::string> found;
    for (int i = 0; i < 5; ++i) found.push_back(Where(search.FindNext(W("МЕЧ"))));
    EXPECT_EQ(found, (std::vector<std::string>{"Меч 1:0 @14+3", "Меч 1:10 @24+3", "Щит 0:14 @14+3", "none",
                                               "Меч 0:8 @8+3"}));
    EXPECT_FALSE(search.FindNext(""));
    EXPECT_FALSE(search.FindNext(W("Мечи")));  // captions are not searched
}

TEST_F(ObjectsSearchTest, DeletedNodeOfThePositionRestartsTheSearch) {
    ASSERT_TRUE(search.FindNext(W("герб")));
    base.DeleteNode(*shield);
    EXPECT_EQ(Where(search.FindNext(W("меч"))), "Меч 0:8 @8+3");
}

TEST_F(ObjectsSearchTest, ReplaceTheMatchThenFindTheNext) {
    ASSERT_TRUE(search.FindNext(W("меч")));
    EXPECT_EQ(Where(search.Replace(8, 3, W("меч"), W("клинок"))), "Меч 1:0 @17+3");
    EXPECT_EQ((*sword->Description)[0], W("Длинный клинок."));
    EXPECT_FALSE(base.ObjectsUnchanged());

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

TEST_F(ObjectsSearchTest, APlainWordFindsWholeWordsOnlyWhenNothingMatchesAsTyped) {
    const std::string header = "\r\n\x1B[1;32mDatabase search result:\x1B[0m\r\n\r\n";
    ObjectNode* longSword = base.Tree().AddChild(items, W("длинный МЕЧ, стальной"));
    longSword->Description = Lines({"Long."});
    ObjectNode* swords = base.Tree().AddChild(items, W("меч-кладенец"));
    swords->Description = Lines({"Twins."});
    ObjectNode* sworded = base.Tree().AddChild(items, W("меченый щит"));
    sworded->Description = Lines({"Marked."});

    // "Меч" is a caption: the documented exact match, nothing else.
    LoreHits exact = FindLoreHits(base, W("Меч"));
    EXPECT_EQ(exact.Nodes, std::vector<ObjectNode*>{sword});
    EXPECT_EQ(exact.How, LoreMatch::AsTyped);
    // "меч" is none: whole words in any case, never a piece of a word.
    LoreHits words = FindLoreHits(base, W("меч"));
    EXPECT_EQ(words.Nodes, (std::vector<ObjectNode*>{sword, longSword, swords}));
    EXPECT_EQ(words.How, LoreMatch::WholeWord);
    EXPECT_EQ(SearchObjectsBase(base, W("меч"), false, W("(по слову)")),
              header + "\x1B[1;33m" + W("(по слову)") + "\x1B[0m\r\n\r\n" +
                  W("Длинный меч.\r\nМеч и ещё меч.\r\n-----\r\nLong.\r\n-----\r\nTwins.\r\n-----\r\n"));
    EXPECT_EQ(base.LoreNode(), swords);
    // Several words are one phrase; "*" forms never fall back.
    EXPECT_EQ(FindLoreHits(base, W("меч, стальной")).Nodes, std::vector<ObjectNode*>{longSword});
    EXPECT_TRUE(FindLoreHits(base, W("меч*x")).Nodes.empty());
    EXPECT_TRUE(FindLoreHits(base, W("ечены")).Nodes.empty());
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
    EXPECT_EQ(SearchObjectsBase(base, W("Мечи"), false), "\r\n\x1B[1;31mDatabase search has no results\r\n");
    EXPECT_EQ(SearchObjectsBase(base, W("*мечи"), false), "\r\n\x1B[1;31mDatabase search has no results\r\n");

    shield->Description = Lines({"Моя"});
    EXPECT_EQ(SearchObjectsBase(base, W("Щит"), true), header + W("Мояя\r\n-----\r\n"));
}

}  // namespace
}  // namespace trellan
