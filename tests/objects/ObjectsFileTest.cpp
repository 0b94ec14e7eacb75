#include <gtest/gtest.h>

#include "ObjectsTestSupport.h"
#include "common/Errors.h"
#include "objects/ObjectsFileReader.h"
#include "objects/ObjectsFileWriter.h"
#include "objects/ObjectsTree.h"

namespace trellan {
namespace {

using testing::Lines;
using testing::ObjectsFileBytes;
using testing::Outline;
using testing::W;

std::string ReadOutline(std::string_view bytes) {
    ObjectsTree tree;
    ReadObjectsText(bytes, tree, "objects.dat");
    return Outline(tree);
}

// The fixtures below list one node per line.
// clang-format off
TEST(ObjectsFile, LevelsGoUpDownAndJump) {
    std::string bytes = ObjectsFileBytes({
        "<Trellan v. 2.5.3 (Win2K Server fix)>",
        "<node>", "Предметы", "0", "<end node>",
        "<node>", "Оружие", "1", "<end node>",
        "<node>", "Меч", "2", "Острый меч.", "Вес: 5", "<end node>",
        "<node>", "Топор", "2", "<end node>",
        "<node>", "Броня", "1", "<end node>",
        // A jump of two levels still makes a direct child of Броня ...
        "<node>", "Шлем", "3", "<end node>",
        // ... the same level again is its sibling ...
        "<node>", "Щит", "3", "<end node>",
        // ... and going up climbs by the depth in the tree, not the file's
        // levels: level 2 is the depth Шлем really has.
        "<node>", "Поножи", "2", "<end node>",
        "<node>", "Кольцо", "1", "<end node>",
        "<node>", "Мобы", "0", "<end node>",
    });
    // clang-format on
    EXPECT_EQ(ReadOutline(bytes),
              "Предметы\n"
              "  Оружие\n"
              "    Меч {Острый меч.|Вес: 5}\n"
              "    Топор\n"
              "  Броня\n"
              "    Шлем\n"
              "    Щит\n"
              "    Поножи\n"
              "  Кольцо\n"
              "Мобы\n");
}

TEST(ObjectsFile, MergeReusesTopLevelInOtherCaseAndKeepsCaseDifferentChildren) {
    ObjectsTree tree;
    ReadObjectsText(ObjectsFileBytes({"<node>", "Предметы", "0", "<end node>", "<node>", "Меч", "1", "старый",
                                      "<end node>", "<node>", "Щит", "1", "щит", "<end node>"}),
                    tree, "objects.dat");
    // Another player's file: the top level in lower case, the same sword
    // with a new description, a child differing only in case, a new item.
    ReadObjectsText(
        ObjectsFileBytes({"<node>", "предметы", "0", "<end node>", "<node>", "Меч", "1", "новый", "<end node>",
                          "<node>", "меч", "1", "другой", "<end node>", "<node>", "Лук", "1", "<end node>"}),
        tree, "other.dat");
    EXPECT_EQ(Outline(tree),
              "Предметы\n"
              "  Меч {новый}\n"
              "  Щит {щит}\n"
              "  меч {другой}\n"
              "  Лук\n");
}

TEST(ObjectsFile, NodeWithoutLinesKeepsTheDescriptionItHad) {
    ObjectsTree tree;
    ReadObjectsText(ObjectsFileBytes({"<node>", "Мобы", "0", "есть", "<end node>"}), tree, "a");
    ReadObjectsText(ObjectsFileBytes({"<node>", "Мобы", "0", "<end node>"}), tree, "b");
    EXPECT_EQ(Outline(tree), "Мобы {есть}\n");
}

TEST(ObjectsFile, TreepadFilesMergeWithTheirExtraLines) {
    // The outline family's own headers, type lines and end markers with a
    // suffix; a Unix line end and a last line without one.
    std::string bytes =
        "<Treepad version 2.7>\r\ndt=Text\r\n<node>\r\nNotes\r\n0\r\nfirst\r\n"
        "<end node> 5P9i0s8y19Z\r\ndt=Text\n<node>\nChild\n1\nline\n<end node> 5P9i0s8y19Z";
    EXPECT_EQ(ReadOutline(bytes), "Notes {first}\n  Child {line}\n");
}

TEST(ObjectsFile, BadLevelStopsTheReadKeepingWhatWasRead) {
    std::string bytes =
        ObjectsFileBytes({"<node>", "Предметы", "0", "<end node>", "<node>", "Меч", "1", "меч", "<end node>", "<node>",
                          "Лук", "один", "<end node>", "<node>", "Мобы", "0", "<end node>"});
    ObjectsTree tree;
    try {
        ReadObjectsText(bytes, tree, "Maps/мир/objects.dat");
        FAIL() << "no error";
    } catch (const FileFormatError& error) {
        std::string message = error.what();
        EXPECT_NE(message.find(W("Maps/мир/objects.dat: line 12")), std::string::npos) << message;
    }
    EXPECT_EQ(Outline(tree), "Предметы\n  Меч {меч}\n");

    // A file cut short inside the first lines of a node is damaged too.
    ObjectsTree cut;
    EXPECT_THROW(ReadObjectsText("<node>\r\nName\r\n", cut, "x"), FileFormatError);
    EXPECT_EQ(Outline(cut), "");
}

TEST(ObjectsFile, EmptyDescriptionIsWrittenWithoutLinesAndReadBackAsNone) {
    ObjectsTree tree;
    ObjectNode* node = tree.AddChild(nullptr, W("Мобы"));
    node->Description.emplace();
    std::string bytes = FormatObjectsText(tree).Bytes;
    EXPECT_EQ(bytes, ObjectsFileBytes({"<Trellan v. 2.5.3 (Win2K Server fix)>", "<node>", "Мобы", "0", "<end node>"}));
    ObjectsTree back;
    ReadObjectsText(bytes, back, "objects.dat");
    EXPECT_FALSE(back.TopLevel()[0]->HasDescription());
}

// clang-format off
TEST(ObjectsFile, RealLookingBaseRoundTripsByteForByte) {
    std::string bytes = ObjectsFileBytes({
        "<Trellan v. 2.5.3 (Win2K Server fix)>",
        "<node>", "Предметы", "0", "<end node>",
        "<node>", "ОРУЖИЕ", "1", "<end node>",
        "<node>", "длинный меч", "2",
        "Вы узнали следующее:",
        "Предмет \"длинный меч\", тип: ОРУЖИЕ",
        "Вес: 5, Цена: 120, Рента: 12(36)",
        "Наносимые повреждения '3D4' среднее 7.5.",
        "",
        "Ёмкий комментарий: «нужен для квеста» — яблоко, ёж, Ёлка.",
        "<end node>",
        "<node>", "ЁМКОСТЬ", "1", "<end node>",
        "<node>", "фляга", "2", "Фляга (вода) 3/10", "<end node>",
        "<node>", "Мобы", "0", "<end node>",
        "<node>", "нежить", "1", "<end node>",
        "<node>", "скелет", "2", "Уровень: 12", "Раса: нежить", "<end node>",
        "<node>", "Заметки", "0", "  отступ сохранится  ", "\t", "<end node>",
    });
    // clang-format on
    ObjectsTree tree;
    ReadObjectsText(bytes, tree, "objects.dat");
    ObjectsText written = FormatObjectsText(tree);
    EXPECT_EQ(written.Bytes, bytes);
    EXPECT_TRUE(written.Adjusted.empty());
}

TEST(ObjectsFile, EndMarkerInsideADescriptionCannotCutTheNode) {
    ObjectsTree tree;
    ObjectNode* node = tree.AddChild(nullptr, W("Заметки"));
    node->Description = Lines({"до", "текст <end node> текст", "<end node>", "после"});
    tree.AddChild(nullptr, W("Мобы"))->Description = Lines({"моб"});
    ObjectsText written = FormatObjectsText(tree);
    EXPECT_EQ(written.Adjusted.size(), 2u);
    EXPECT_NE(written.Bytes.find(W("текст <end node > текст\r\n<end node >\r\n")), std::string::npos);

    ObjectsTree back;
    ReadObjectsText(written.Bytes, back, "objects.dat");
    EXPECT_EQ(Outline(back), "Заметки {до|текст <end node > текст|<end node >|после}\nМобы {моб}\n");
}

TEST(ObjectsFile, LineBreaksInsideCaptionsAndLinesDoNotBreakTheFile) {
    ObjectsTree tree;
    ObjectNode* node = tree.AddChild(nullptr, "a\r\nb");
    node->Description = std::vector<std::string>{"one\ntwo", "x\r\n<end node>"};
    tree.AddChild(node, "child")->Description = std::vector<std::string>{"c"};
    ObjectsText written = FormatObjectsText(tree);
    EXPECT_FALSE(written.Adjusted.empty());
    ObjectsTree back;
    ReadObjectsText(written.Bytes, back, "objects.dat");
    EXPECT_EQ(Outline(back), "a  b {one|two|x|<end node >}\n  child {c}\n");
}

TEST(ObjectsFile, NodesWithoutCaptionComeBackAsThemselves) {
    // A new node never named is saved with an empty caption; reading must not
    // fold it (and its description) into its parent.
    ObjectsTree tree;
    ObjectNode* top = tree.AddChild(nullptr, "Top");
    top->Description = std::vector<std::string>{"top text"};
    ObjectNode* unnamed = tree.AddChild(top, "");
    unnamed->Description = std::vector<std::string>{"unnamed text"};
    tree.AddChild(unnamed, "leaf");
    ObjectsTree back;
    ReadObjectsText(FormatObjectsText(tree).Bytes, back, "objects.dat");
    EXPECT_EQ(Outline(back), "Top {top text}\n   {unnamed text}\n    leaf\n");
}

TEST(ObjectsFile, DeepNestingAndManySiblingsAreHandled) {
    // A damaged or hostile file can nest without end; nothing may recurse
    // per level.
    std::string deep;
    for (int i = 0; i < 100000; ++i) deep += "<node>\r\nn\r\n" + std::to_string(i) + "\r\n<end node>\r\n";
    ObjectsTree tree;
    ReadObjectsText(deep, tree, "deep");
    std::vector<OrderedNode> nodes = tree.NodesInOrder();
    ASSERT_EQ(nodes.size(), 100000u);
    EXPECT_EQ(nodes.back().Level, 99999);
    EXPECT_EQ(FormatObjectsText(tree).Bytes.size(), deep.size() + 39);

    std::string wide;
    for (int i = 0; i < 20000; ++i) wide += "<node>\r\nn" + std::to_string(i) + "\r\n1\r\n<end node>\r\n";
    ObjectsTree flat;
    ReadObjectsText(wide, flat, "wide");
    EXPECT_EQ(flat.TopLevel().size(), 20000u);
}

}  // namespace
}  // namespace trellan
