// The runtime opens a world at start-up and saves it when closing.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "../proxy/FakeTransport.h"
#include "model/ZoneFileReader.h"
#include "runtime/TrellanRuntime.h"
#include "settings/W1251.h"
#include "text/Cp1251.h"

namespace trellan {
namespace {

namespace fs = std::filesystem;

class RuntimeWorldStorage : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "trellan-runtime-world-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        home_ = pattern;
    }
    void TearDown() override {
        std::error_code error;
        fs::remove_all(home_, error);
    }
    RuntimeOptions Options() const {
        RuntimeOptions options;
        options.HomeDirectory = home_;
        options.ProgramDirectory = home_;
        return options;
    }
    std::string Read(const std::string& path) const {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        return content.str();
    }

    std::string home_;
    testing::FakeTransport transport_;
};

TEST_F(RuntimeWorldStorage, FirstStartCreatesTheNewWorldAndCloseSavesIt) {
    const std::string world = W1251("Новый мир");
    const std::string zone = W1251("Новая зона");
    const std::string zonePath = home_ + "/Maps/" + Cp1251ToUtf8(world) + "/" + Cp1251ToUtf8(zone) + ".tr2";
    {
        TrellanRuntime runtime(Options(), transport_);
        runtime.Start();
        EXPECT_EQ(runtime.TheWorld().CurrentWorld, world);
        EXPECT_EQ(runtime.TheWorld().CurrentZone, zone);
        EXPECT_TRUE(fs::exists(zonePath));
        EXPECT_NE(Read(home_ + "/trellan.ini").find("World=" + world), std::string::npos);
        auto room = std::make_unique<MudRoom>();
        room->Tag = 1;
        runtime.TheWorld().AddRoom(std::move(room));
        runtime.Close();
    }
    EXPECT_EQ(ReadZoneFile(zonePath, ExitWords::Defaults()).Rooms.size(), 1u);

    // The next start opens it again.
    TrellanRuntime again(Options(), transport_);
    again.Start();
    EXPECT_EQ(again.TheWorld().CurrentWorld, world);
    EXPECT_EQ(again.TheWorld().RoomCount(), 1u);
    EXPECT_TRUE(again.StorageErrors().empty());
}

TEST_F(RuntimeWorldStorage, AMissingNamedWorldIsCreatedUnderItsName) {
    std::ofstream(home_ + "/trellan.ini", std::ios::binary) << "[Options]\r\nWorld=arda\r\n";
    TrellanRuntime runtime(Options(), transport_);
    runtime.Start();
    EXPECT_EQ(runtime.TheWorld().CurrentWorld, "arda");
    EXPECT_TRUE(fs::is_directory(home_ + "/Maps/arda"));
    // The missing world was reported before it was made.
    ASSERT_EQ(runtime.StorageErrors().size(), 1u);
    EXPECT_NE(runtime.StorageErrors()[0].find("<arda>"), std::string::npos);
}

}  // namespace
}  // namespace trellan
