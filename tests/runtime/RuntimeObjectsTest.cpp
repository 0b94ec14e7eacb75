#include <gtest/gtest.h>

#include "../proxy/FakeTransport.h"
#include "runtime/TrellanRuntime.h"
#include "support/TempDirectory.h"
#include "text/W1251.h"

namespace trellan {
namespace {

using testing::ReadFile;
using testing::WriteFile;

class RuntimeObjectsTest : public ::testing::Test {
protected:
    void SetUp() override {
        options.HomeDirectory = options.ProgramDirectory = home.Path();
        WriteFile(home / "trellan.ini", "[Options]\r\nWorld=Demo\r\n");
        WriteFile(home / "Maps/Demo/local.ini",
                  "[Messages]\r\nStuffTem=" + W1251("Предмет \"/$\", тип: /$#$0D#$0A") + "\r\nStuffSeq=2,1\r\n");
        WriteFile(home / "Maps/Demo/objects.dat", kFile);
    }

    const std::string kFile = W1251(
        "<Trellan v. 2.5.3 (Win2K Server fix)>\r\n<node>\r\nМобы\r\n0\r\n<end node>\r\n<node>\r\nволк\r\n1\r\n"
        "Серый волк.\r\n<end node>\r\n");
    testing::TempDirectory home;
    RuntimeOptions options;
    testing::FakeTransport transport;
};

TEST_F(RuntimeObjectsTest, TheWorldsBaseIsReadCapturedIntoAndSavedOnClose) {
    TrellanRuntime runtime(options, transport);
    runtime.Start();
    ASSERT_NE(runtime.Objects().Tree().FindPath({W1251("Мобы"), W1251("волк")}), nullptr);
    EXPECT_EQ(runtime.Objects().WorldDirectory(), home / "Maps/Demo");

    runtime.Tracker().ProcessServerText(W1251("\r\nПредмет \"меч\", тип: ОРУЖИЕ\r\n"));
    EXPECT_NE(runtime.Objects().Tree().FindPath({W1251("Предметы"), W1251("ОРУЖИЕ"), W1251("меч")}), nullptr);
    runtime.Close();
    std::string saved = ReadFile(home / "Maps/Demo/objects.dat");
    EXPECT_EQ(saved.find(kFile.substr(0, kFile.size() - 2)), 0u);
    EXPECT_NE(saved.find(W1251("<node>\r\nмеч\r\n2\r\nПредмет \"меч\", тип: ОРУЖИЕ\r\n<end node>\r\n")),
              std::string::npos);
}

TEST_F(RuntimeObjectsTest, DamagedObjectsFileIsReportedAndTheWorldStillLoads) {
    WriteFile(home / "Maps/Demo/objects.dat", "<node>\r\nA\r\nnot a level\r\n");
    TrellanRuntime runtime(options, transport);
    runtime.Start();
    EXPECT_EQ(runtime.TheWorld().CurrentWorld, "Demo");
    ASSERT_FALSE(runtime.StorageErrors().empty());
    EXPECT_NE(runtime.StorageErrors().back().find("objects.dat: line 3"), std::string::npos);
}

}  // namespace
}  // namespace trellan
