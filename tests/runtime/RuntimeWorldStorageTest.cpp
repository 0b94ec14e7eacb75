// The runtime opens a world at start-up and saves it when closing.
#include <gtest/gtest.h>

#include <chrono>
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

// A run that ends without closing: the next start puts the rooms back from
// the journal and tells the player, in the window and in the client once one
// connects; the autosave later writes them and empties the journal.
TEST_F(RuntimeWorldStorage, ACrashedRunsRoomsComeBackAndAreAutosaved) {
    const std::string zonePath =
        home_ / ("Maps/" + Cp1251ToUtf8(W1251("Новый мир"))) + "/" + Cp1251ToUtf8(W1251("Новая зона")) + ".tr2";
    {
        TrellanRuntime crashed(Options(), transport_);
        crashed.Start();
        for (int tag = 1; tag <= 3; ++tag) {
            auto room = std::make_unique<MudRoom>();
            room->Tag = tag;
            room->Y = tag;
            crashed.TheWorld().AddRoom(std::move(room));
        }
        crashed.Tick();
        // No Close: the process dies here.
    }
    EXPECT_EQ(ReadZoneFile(zonePath, ExitWords::Defaults()).Rooms.size(), 0u);

    TrellanRuntime runtime(Options(), transport_);
    runtime.Start();
    EXPECT_EQ(runtime.TheWorld().RoomCount(), 3u);
    EXPECT_FALSE(runtime.TheWorld().MapSaved);
    const std::vector<std::string> notices = runtime.TakeNotices();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find(W1251("после сбоя")), std::string::npos);
    EXPECT_TRUE(runtime.TakeNotices().empty()) << "told once";

    // The client that connects gets the line once, with "я" doubled for telnet.
    const ClientId client = transport_.AddClient();
    runtime.Session().OnClientConnected(client);
    const auto start = std::chrono::steady_clock::now();
    runtime.Tick(start);
    runtime.Tick(start);
    const std::string& received = transport_.Received(client);
    const std::string line = W1251("после сбоя");
    std::string doubled;
    for (char c : line) doubled += c == '\xFF' ? std::string("\xFF\xFF") : std::string(1, c);
    EXPECT_NE(received.find(doubled), std::string::npos) << received;
    EXPECT_EQ(received.find(doubled), received.rfind(doubled));

    // Five minutes later (the default) the changed zone is saved.
    runtime.Tick(start + std::chrono::minutes(4));
    EXPECT_EQ(ReadZoneFile(zonePath, ExitWords::Defaults()).Rooms.size(), 0u);
    runtime.Tick(start + std::chrono::minutes(5));
    EXPECT_TRUE(runtime.TheWorld().MapSaved);
    EXPECT_EQ(ReadZoneFile(zonePath, ExitWords::Defaults()).Rooms.size(), 3u);
    EXPECT_EQ(testing::ReadFile(runtime.Journal().Path()), "");
}

// Undo through the runtime: a save keeps the history, the journal writes
// what an undo put back (a crash after it gives that map), a revert or
// another world ends the history.
TEST_F(RuntimeWorldStorage, UndoOutlivesASaveReachesTheJournalAndEndsWithTheWorld) {
    const std::string zonePath =
        home_ / ("Maps/" + Cp1251ToUtf8(W1251("Новый мир"))) + "/" + Cp1251ToUtf8(W1251("Новая зона")) + ".tr2";
    {
        TrellanRuntime runtime(Options(), transport_);
        runtime.Start();
        World& world = runtime.TheWorld();
        for (int tag = 1; tag <= 2; ++tag) {
            UndoHistory::Step step(runtime.History(), "room " + std::to_string(tag));
            auto room = std::make_unique<MudRoom>();
            room->Tag = tag;
            room->Y = tag;
            world.AddRoom(std::move(room));
        }
        ASSERT_TRUE(runtime.Storage().SaveWorld().Errors.empty());
        ASSERT_TRUE(world.MapSaved);

        world.LastRoomNumber = 2;
        EXPECT_EQ(runtime.UndoStep(), "room 2");
        EXPECT_EQ(world.RoomCount(), 1u);
        EXPECT_EQ(world.LastRoomNumber, 1) << "the next new room is number 2 again";
        EXPECT_FALSE(world.MapSaved);
        runtime.Tick();
        // No Close: the process dies here.
    }
    EXPECT_EQ(ReadZoneFile(zonePath, ExitWords::Defaults()).Rooms.size(), 2u);

    TrellanRuntime runtime(Options(), transport_);
    runtime.Start();
    EXPECT_EQ(runtime.TheWorld().RoomCount(), 1u) << "the journal holds the undo";
    EXPECT_FALSE(runtime.UndoStep().has_value()) << "a new run starts a new history";

    {
        UndoHistory::Step step(runtime.History(), "room 3");
        auto room = std::make_unique<MudRoom>();
        room->Tag = 3;
        runtime.TheWorld().AddRoom(std::move(room));
    }
    EXPECT_EQ(runtime.History().UndoName(), "room 3");
    runtime.Storage().RevertWorld();
    EXPECT_FALSE(runtime.History().UndoName().has_value());
    EXPECT_FALSE(runtime.RedoStep().has_value());

    {
        UndoHistory::Step step(runtime.History(), "room 4");
        auto room = std::make_unique<MudRoom>();
        room->Tag = 4;
        runtime.TheWorld().AddRoom(std::move(room));
    }
    ASSERT_TRUE(runtime.Storage().CreateWorld("other").Errors.empty());
    EXPECT_FALSE(runtime.History().UndoName().has_value());
}

}  // namespace
}  // namespace trellan
