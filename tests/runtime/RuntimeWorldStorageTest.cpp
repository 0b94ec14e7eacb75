// The runtime opens a world at start-up and saves it when closing.
#include <gtest/gtest.h>

#include <filesystem>

#include "../proxy/FakeTransport.h"
#include "model/zonefile/ZoneFileReader.h"
#include "runtime/TrellanRuntime.h"
#include "support/TempDirectory.h"
#include "text/Cp1251.h"
#include "text/W1251.h"

namespace trellan {
namespace {

namespace fs = std::filesystem;

class RuntimeWorldStorage : public ::testing::Test {
protected:
    RuntimeOptions Options() const {
        RuntimeOptions options;
        options.HomeDirectory = options.ProgramDirectory = home_.Path();
        return options;
    }

    testing::TempDirectory home_;
    testing::FakeTransport transport_;
};

TEST_F(RuntimeWorldStorage, FirstStartCreatesTheNewWorldAndCloseSavesIt) {
    const std::string world = W1251("Новый мир");
    const std::string zone = W1251("Новая зона");
    const std::string zonePath = home_ / ("Maps/" + Cp1251ToUtf8(world)) + "/" + Cp1251ToUtf8(zone) + ".tr2";
    {
        TrellanRuntime runtime(Options(), transport_);
        runtime.Start();
        EXPECT_EQ(runtime.TheWorld().CurrentWorld, world);
        EXPECT_EQ(runtime.TheWorld().CurrentZone, zone);
        EXPECT_TRUE(fs::exists(zonePath));
        EXPECT_NE(testing::ReadFile(home_ / "trellan.ini").find("World=" + world), std::string::npos);
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
    testing::WriteFile(home_ / "trellan.ini", "[Options]\r\nWorld=arda\r\n");
    TrellanRuntime runtime(Options(), transport_);
    runtime.Start();
    EXPECT_EQ(runtime.TheWorld().CurrentWorld, "arda");
    EXPECT_TRUE(fs::is_directory(home_ / "Maps/arda"));
    // The missing world was reported before it was made.
    ASSERT_EQ(runtime.StorageErrors().size(), 1u);
    EXPECT_NE(runtime.StorageErrors()[0].find("<arda>"), std::string::npos);
}

}  // namespace
}  // namespace trellan
