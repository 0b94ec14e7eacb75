// A tracker-like random walk over a small, crowded grid: rooms are placed
// into taken cells (making space first), met again and linked, links are
// removed. Whatever happens, no two rooms may share a cell and every
// corridor cell keeps both flags of its axis.
#include <random>
#include <string>
#include <vector>

#include "MappingFixture.h"

namespace trellan {
namespace {

class RandomMappingTest : public MappingFixture, public ::testing::WithParamInterface<unsigned> {
protected:
    void CheckInvariants(int step) {
        ASSERT_EQ(DoubleCells(), 0) << "step " << step;
        for (const RoomSlot& slot : world.ZoneRooms()) {
            const MudRoom* r = slot.Room();
            const std::string& e = r->Exits();
            if (!r->Pipe) continue;
            ASSERT_TRUE(e == "NS" || e == "WE" || e == "EW" || e == "UD") << e << " at step " << step;
            ASSERT_TRUE(IsCorridor(r, e)) << "step " << step;
        }
    }
};

TEST_P(RandomMappingTest, CrowdedWalkKeepsOneRoomPerCell) {
    std::mt19937 random(GetParam());
    const char* moves[] = {"n", "s", "w", "e", "u", "d"};
    world.CurrentRoom = Room(0, 0);
    std::vector<MudRoom*> known{world.CurrentRoom};
    for (int step = 0; step < 1500; ++step) {
        MudRoom* from = world.CurrentRoom;
        ASSERT_NE(from, nullptr);
        const std::string d = moves[random() % (random() % 4 == 0 ? 6 : 4)];
        const int choice = static_cast<int>(random() % 10);
        if (choice < 6) {
            // Into the next cell: a known neighbour, or a new room (making
            // space when the cell is taken).
            std::int32_t x = from->X, y = from->Y, l = from->L;
            place.ReposXYL(d, x, y, l);
            MudRoom* taken = At(x, y, l);
            // Like the tracker: a way walked before never gets a new room.
            const bool walked = place.WasStep(from, d);
            if (walked && taken == nullptr) {
                // nothing to map
            } else if (taken != nullptr && (choice < 2 || walked)) {
                place.SetCheck(from, d, true);
                place.SetCheck(taken, place.Opposite(d), true);
                world.CurrentRoom = taken->Pipe ? from : taken;
            } else {
                if (taken != nullptr) {
                    place.ExpandRooms(from, taken, d);
                    x = from->X, y = from->Y, l = from->L;
                    place.ReposXYL(d, x, y, l);
                    ASSERT_EQ(At(x, y, l), nullptr) << "step " << step;
                }
                place.SetCheck(from, d, true);
                MudRoom* room = Room(x, y, l);
                place.SetCheck(room, place.Opposite(d), true);
                world.CurrentRoom = room;
                known.push_back(room);
            }
        } else if (choice < 9) {
            // A room met again.
            MudRoom* other = known[random() % known.size()];
            if (other != from && world.Contains(other)) {
                linker.TryToLink(from, other, d);
                world.CurrentRoom = other;
            }
        } else {
            linker.DeleteLink(from, d);
        }
        CheckInvariants(step);
        if (HasFatalFailure()) return;
    }
    EXPECT_GT(ZoneSize(), 300u);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomMappingTest, ::testing::Values(1u, 2u, 3u, 20240611u, 77u, 4242u));

}  // namespace
}  // namespace trellan
