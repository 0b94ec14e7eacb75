#include <gtest/gtest.h>

#include <filesystem>

#include "ObjectsTestSupport.h"
#include "common/Errors.h"
#include "objects/ObjectsBase.h"

namespace trellan {
namespace {

using testing::Lines;
using testing::ObjectsFileBytes;
using testing::Outline;
using testing::ReadFile;
using testing::W;
using testing::WriteFile;

const std::string kHeader = "<Trellan v. 2.5.3 (Win2K Server fix)>";

class ObjectsBaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        worldA = dir / "Maps/A";
        worldB = dir / "Maps/B";
        std::filesystem::create_directories(worldA);
        std::filesystem::create_directories(worldB);
        WriteFile(worldA + "/objects.dat", ObjectsFileBytes({kHeader, "<node>", "Предметы", "0", "<end node>", "<node>",
                                                             "Меч", "1", "меч А", "<end node>"}));
    }

    testing::ScratchDirectory dir;
    testing::RecordingListener listener;
    ObjectsBase base{&listener};
    std::string worldA;
    std::string worldB;
};

TEST_F(ObjectsBaseTest, OpeningAWorldReadsItsFileAndNothingCountsAsChanged) {
    base.OpenWorld(worldA);
    EXPECT_EQ(Outline(base.Tree()), "Предметы\n  Меч {меч А}\n");
    EXPECT_TRUE(base.ObjectsUnchanged());
    EXPECT_FALSE(base.SaveObjectsWithWorld());
    EXPECT_EQ(base.ObjectsFile(), worldA + "/objects.dat");

    // A world without a file starts empty, not with the old world's tree.
    base.OpenWorld(worldB);
    EXPECT_EQ(Outline(base.Tree()), "");
    EXPECT_FALSE(base.SaveIfChanged());
    EXPECT_FALSE(std::filesystem::exists(worldB + "/objects.dat"));
}

TEST_F(ObjectsBaseTest, EditsAreSavedWithTheWorldAndDiscardRereads) {
    base.OpenWorld(worldA);
    ObjectNode* sword = base.Tree().FindPath({W("Предметы"), W("Меч")});
    base.SelectNode(sword);
    EXPECT_EQ(base.LoreNode(), sword);
    base.StoreDescription(Lines({"новый", "текст"}));
    EXPECT_FALSE(base.ObjectsUnchanged());
    EXPECT_TRUE(base.SaveObjectsWithWorld());

    base.Discard();
    EXPECT_EQ(Outline(base.Tree()), "Предметы\n  Меч {меч А}\n");
    EXPECT_EQ(base.LoreNode(), nullptr);
    EXPECT_FALSE(base.SaveObjectsWithWorld());

    base.SelectNode(base.Tree().FindPath({W("Предметы"), W("Меч")}));
    base.StoreDescription(Lines({"новый"}));
    base.SaveWithWorld();
    EXPECT_FALSE(base.SaveObjectsWithWorld());
    EXPECT_TRUE(base.ObjectsUnchanged());
    EXPECT_EQ(ReadFile(worldA + "/objects.dat"), ObjectsFileBytes({kHeader, "<node>", "Предметы", "0", "<end node>",
                                                                   "<node>", "Меч", "1", "новый", "<end node>"}));
}

TEST_F(ObjectsBaseTest, MergedFilesAndOtherWorldsAreNeverWrittenTo) {
    std::string other = dir / "export/shared.hjt";
    std::string otherBytes = ObjectsFileBytes({"<Treepad version 2.7>", "dt=Text", "<node>", "предметы", "0",
                                               "<end node>", "<node>", "Лук", "1", "лук", "<end node>"});
    WriteFile(other, otherBytes);

    base.OpenWorld(worldA);
    base.Merge(other);
    EXPECT_EQ(base.ObjectsFile(), other);
    EXPECT_EQ(Outline(base.Tree()), "Предметы\n  Меч {меч А}\n  Лук {лук}\n");
    EXPECT_FALSE(base.ObjectsUnchanged());
    EXPECT_TRUE(base.SaveObjectsWithWorld());
    EXPECT_TRUE(base.Save());
    EXPECT_EQ(ReadFile(other), otherBytes);
    EXPECT_NE(ReadFile(worldA + "/objects.dat").find(W("Лук")), std::string::npos);

    // A world load that fails after the reset leaves the base bound to no
    // world: an edit then cannot overwrite either world's file.
    std::string savedA = ReadFile(worldA + "/objects.dat");
    base.ResetForWorldLoad();
    base.AddNode(nullptr);
    EXPECT_FALSE(base.Save());
    base.SaveWithWorld();
    EXPECT_EQ(ReadFile(worldA + "/objects.dat"), savedA);
    EXPECT_FALSE(std::filesystem::exists(worldB + "/objects.dat"));

    base.OpenWorld(worldB);
    base.RenameNode(*base.AddNode(nullptr), W("Мобы"));
    base.SaveWithWorld();
    EXPECT_EQ(ReadFile(worldA + "/objects.dat"), savedA);
    EXPECT_EQ(ReadFile(worldB + "/objects.dat"), ObjectsFileBytes({kHeader, "<node>", "Мобы", "0", "<end node>"}));
}

TEST_F(ObjectsBaseTest, DamagedFileKeepsWhatWasReadAndIsKeptBesideTheNextSave) {
    std::string damaged = ObjectsFileBytes({kHeader, "<node>", "Предметы", "0", "<end node>", "<node>", "Лук", "x",
                                            "<end node>", "<node>", "Мобы", "0", "<end node>"});
    WriteFile(worldA + "/objects.dat", damaged);
    EXPECT_THROW(base.OpenWorld(worldA), FileFormatError);
    EXPECT_EQ(Outline(base.Tree()), "Предметы\n");

    base.SelectNode(base.Tree().FindPath({W("Предметы")}));
    base.StoreDescription(Lines({"папка"}));
    ASSERT_TRUE(base.Save());
    EXPECT_EQ(ReadFile(worldA + "/objects.dat.damaged"), damaged);
    EXPECT_EQ(ReadFile(worldA + "/objects.dat"),
              ObjectsFileBytes({kHeader, "<node>", "Предметы", "0", "папка", "<end node>"}));
}

TEST_F(ObjectsBaseTest, FailedSaveKeepsTheChangeFlags) {
    base.OpenWorld(worldA);
    base.AddBranch(nullptr);
    std::filesystem::remove_all(worldA);
    EXPECT_THROW(base.Save(), FileWriteError);
    EXPECT_FALSE(base.ObjectsUnchanged());
    EXPECT_TRUE(base.SaveObjectsWithWorld());
}

TEST_F(ObjectsBaseTest, TreeEditsCountAsChangesAndDeleteEmptiesTheLoreNode) {
    base.OpenWorld(worldA);
    ObjectNode* items = base.Tree().FindPath({W("Предметы")});
    ObjectNode* added = base.AddBranch(items);
    EXPECT_EQ(items->Children().back().get(), added);
    EXPECT_FALSE(added->HasDescription());
    EXPECT_EQ(base.LoreNode(), added);
    EXPECT_EQ(listener.shown.back(), added);
    EXPECT_FALSE(base.ObjectsUnchanged());

    ObjectNode* sibling = base.AddNode(added);
    EXPECT_EQ(sibling->Parent(), items);

    base.SelectNode(items);
    base.DeleteNode(*items);
    EXPECT_EQ(base.LoreNode(), nullptr);
    EXPECT_EQ(listener.shown.back(), nullptr);
    EXPECT_EQ(Outline(base.Tree()), "");
    EXPECT_TRUE(base.SaveIfChanged());
    EXPECT_EQ(ReadFile(worldA + "/objects.dat"), kHeader + "\r\n");
}

}  // namespace
}  // namespace trellan
