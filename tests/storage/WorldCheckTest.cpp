#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "storage/MapTools.h"
#include "storage/WorldStorageFixture.h"

namespace trellan {
namespace {

using testing::MakeRoom;
using testing::WorldStorageTest;

struct CheckRun {
    int status;
    std::string out;
};

class WorldCheck : public WorldStorageTest {
protected:
    CheckRun Check(const std::string& world) {
        std::istringstream in;
        std::ostringstream out, err;
        int status = RunMapTool({"world", "check", WorldDir(world)}, in, out, err);
        return {status, out.str()};
    }
};

// Two rooms joined north-south by a two-cell corridor, and a cross link from
// the northern room into a second zone and back.
void BuildConsistentWorld(std::vector<std::unique_ptr<MudRoom>>& a, std::vector<std::unique_ptr<MudRoom>>& b) {
    auto north = MakeRoom(1, 0, 0);
    north->ChS = true;
    north->ChW = true;
    north->QuickList = W1251("старт");
    north->AutoMaps.push_back(W1251("Вторая|на запад|1"));
    for (int x = 1; x <= 2; ++x) {
        auto pipe = MakeRoom(0, x, 0);
        pipe->Pipe = true;
        pipe->Hint.clear();
        pipe->ChN = pipe->ChS = true;
        a.push_back(std::move(pipe));
    }
    auto south = MakeRoom(2, 3, 0);
    south->ChN = true;
    a.insert(a.begin(), std::move(north));
    a.push_back(std::move(south));
    auto other = MakeRoom(1, 0, 0);
    other->ChE = true;
    other->AutoMaps.push_back(W1251("Первая|на восток|1"));
    b.push_back(std::move(other));
}

TEST_F(WorldCheck, AConsistentWorldPassesWithItsCounts) {
    std::vector<std::unique_ptr<MudRoom>> a, b;
    BuildConsistentWorld(a, b);
    PutZone("w", W1251("Первая"), a);
    PutZone("w", W1251("Вторая"), b);
    CheckRun run = Check("w");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out, "zones: 2\nrooms: 5\ncorridor cells: 2\naliases: 1\ncross-link entries: 2\nproblems: 0\n");
}

TEST_F(WorldCheck, EveryInconsistencyIsListed) {
    std::vector<std::unique_ptr<MudRoom>> a, b;
    BuildConsistentWorld(a, b);
    a.back()->ChN = false;  // the corridor's far end lost its flag
    a[1]->Tag = 8;          // a numbered corridor cell
    a[0]->AutoMaps.push_back(W1251("Нет такой|на север|1"));
    a[0]->AutoMaps.push_back(W1251("Вторая|войти|42"));
    a[0]->AutoMaps.push_back(W1251("Вторая|войти|x"));
    auto twin = MakeRoom(5, 3, 0);  // shares the southern room's cell
    a.push_back(std::move(twin));
    auto dangling = MakeRoom(6, 10, 10);
    dangling->ChU = true;  // nothing above it
    a.push_back(std::move(dangling));
    b[0]->ChE = false;  // the cross link's far room has no link back
    PutZone("w", W1251("Первая"), a);
    PutZone("w", W1251("Вторая"), b);

    CheckRun run = Check("w");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("problems: 8\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("corridor cell at (1, 0, 0): a corridor cell with a number"), std::string::npos);
    EXPECT_NE(run.out.find("room 5 at (3, 0, 0): another room stands in the same cell"), std::string::npos);
    EXPECT_NE(run.out.find("\"Нет такой|на север|1\" names a missing zone"), std::string::npos);
    EXPECT_NE(run.out.find("\"Вторая|войти|42\" names a missing room"), std::string::npos);
    EXPECT_NE(run.out.find("\"Вторая|войти|x\" has no room number"), std::string::npos);
    EXPECT_NE(run.out.find("room 6 at (10, 10, 0): linked up but no room lies that way"), std::string::npos);
    EXPECT_NE(
        run.out.find("zone <Первая> room 1 at (0, 0, 0): linked west by a cross link whose room has no link east"),
        std::string::npos);
    EXPECT_NE(
        run.out.find("room 1 at (0, 0, 0): linked south, but zone <Первая> room 2 at (3, 0, 0) has no link north"),
        std::string::npos)
        << run.out;
}

TEST_F(WorldCheck, DamagedFilesCountAsProblems) {
    PutZone("w", "z", testing::Rooms({1}));
    testing::WriteBytes(ZonePath("w", "z"), testing::ReadBytes(ZonePath("w", "z")) + "0123456789ABCDEF");
    CheckRun run = Check("w");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("rooms: 1\n"), std::string::npos);
    EXPECT_NE(run.out.find("Invalid stream format at byte"), std::string::npos) << run.out;
}

TEST_F(WorldCheck, ADirectoryWithoutZonesOrProfileIsNoWorld) {
    std::filesystem::create_directories(WorldDir("empty"));
    testing::WriteBytes(WorldDir("empty") + "/notes.txt", "hello");
    std::istringstream in;
    std::ostringstream out, err;
    EXPECT_EQ(RunMapTool({"world", "check", WorldDir("empty")}, in, out, err), 2);
    EXPECT_NE(err.str().find("not a world directory"), std::string::npos) << err.str();
    EXPECT_EQ(out.str().find("problems: 0"), std::string::npos);

    // A new world's directory holds only its profile, and passes.
    testing::WriteBytes(WorldDir("empty") + "/local.ini", "[Options]\r\n");
    EXPECT_EQ(Check("empty").status, 0);
}

}  // namespace
}  // namespace trellan
