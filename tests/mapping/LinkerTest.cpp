#include <vector>

#include "MappingFixture.h"

namespace trellan {
namespace {

using LinkerTest = MappingFixture;

TEST_F(LinkerTest, SetLinkLaysACorridorAlongTheLine) {
    MudRoom* a = Room(0, 0);
    MudRoom* b = Room(4, 0);
    EXPECT_TRUE(linker.SetLink(a, b, "s"));
    for (int x = 1; x <= 3; ++x) {
        MudRoom* pipe = At(x, 0);
        ASSERT_TRUE(IsCorridor(pipe, "NS")) << x;
        EXPECT_EQ((std::vector<std::string>{pipe->Hint, std::to_string(pipe->Tag), pipe->Description}),
                  (std::vector<std::string>{"", "0", "Pipe"}));
        EXPECT_FALSE(pipe->ChE || pipe->ChW);
    }
    EXPECT_TRUE(a->ChS && b->ChN);
    EXPECT_EQ(ZoneSize(), 5u);

    MudRoom* c = Room(0, 10);
    MudRoom* d = Room(0, 7);
    EXPECT_TRUE(linker.SetLink(c, d, "w"));
    EXPECT_TRUE(IsCorridor(At(0, 8), "WE"));
    EXPECT_TRUE(c->ChW && d->ChE);
}

TEST_F(LinkerTest, SetLinkMovesRoomsOutOfTheWay) {
    MudRoom* a = Room(0, 0);
    MudRoom* b = Room(0, 5);
    MudRoom* c = Room(0, 2);  // unlinked: goes south
    MudRoom* e = Room(0, 3);  // linked north: goes north
    e->ChN = true;
    EXPECT_TRUE(linker.SetLink(a, b, "e"));
    EXPECT_EQ(At(1, 2), c);
    EXPECT_EQ(At(-1, 3), e);
    for (int y = 1; y <= 4; ++y) EXPECT_TRUE(At(0, y)->Pipe) << y;
    EXPECT_EQ(world.TargetRoom, e);
    EXPECT_EQ(DoubleCells(), 0);
}

TEST_F(LinkerTest, SetLinkFailsWhereRoomsCannotMoveOrTheCellStaysTaken) {
    // Linked both east and west while the link runs north.
    MudRoom* a = Room(0, 0);
    MudRoom* b = Room(-4, 0);
    MudRoom* c = Room(-2, 0);
    c->ChE = c->ChW = true;
    world.MapSaved = true;
    EXPECT_FALSE(linker.SetLink(a, b, "n"));
    EXPECT_EQ(ZoneSize(), 3u);
    EXPECT_EQ(At(-2, 0), c);
    EXPECT_TRUE(a->ChN && b->ChS) << "the flags are set even so";
    EXPECT_FALSE(world.MapSaved);

    // A room whose block holds B stays where it is.
    MudRoom* p = Room(10, 0);
    MudRoom* q = Room(12, 0);
    Room(13, 0)->ChN = true;
    MudRoom* t = Room(14, 0);
    q->ChE = t->ChN = true;
    EXPECT_FALSE(linker.SetLink(p, t, "s"));
    EXPECT_EQ(At(12, 0), q);
    EXPECT_EQ(At(11, 0), nullptr);

    // Rooms in the way are cleared only within reach; beyond it a taken cell
    // means no corridor.
    MudRoom* far = Room(20, 25);
    far->ChN = far->ChS = true;
    std::size_t before = ZoneSize() + 2;
    EXPECT_FALSE(linker.SetLink(Room(20, 0), Room(20, 30), "e"));
    EXPECT_EQ(ZoneSize(), before);
    EXPECT_EQ(DoubleCells(), 0);

    // B off the line, on another level, or up: no corridor, and the call returns.
    MudRoom* g = Room(5, 0);
    MudRoom* h = Room(7, 1);
    EXPECT_FALSE(linker.SetLink(g, h, "s"));
    EXPECT_FALSE(linker.SetLink(g, Room(9, 0, 1), "s"));
    EXPECT_FALSE(linker.SetLink(g, h, "u"));
    EXPECT_EQ(ZoneSize(), before + 3);
}

TEST_F(LinkerTest, DeleteLinkRemovesTheCorridorAndBothFlags) {
    MudRoom* a = Room(0, 0);
    MudRoom* b = Room(4, 0);
    ASSERT_TRUE(linker.SetLink(a, b, "s"));
    MudRoom* side = Room(2, 1);  // beside the corridor, stays
    linker.DeleteLink(b, "n");
    EXPECT_EQ(ZoneSize(), 3u);
    EXPECT_FALSE(a->ChS || b->ChN);
    EXPECT_EQ(At(2, 1), side);

    // The walk stops at the first empty cell.
    MudRoom* c = Room(0, 5);
    Room(0, 7);
    c->ChE = true;
    linker.DeleteLink(c, "e");
    EXPECT_FALSE(c->ChE);
    EXPECT_EQ(ZoneSize(), 5u);
}

TEST_F(LinkerTest, TryToLinkJoinsRoomsMetAgainOnTheGrid) {
    // Straight ahead.
    MudRoom* a = Room(0, 0);
    MudRoom* b = Room(-3, 0);
    linker.TryToLink(a, b, "n");
    EXPECT_TRUE(At(-1, 0)->Pipe && At(-2, 0)->Pipe);
    EXPECT_TRUE(a->AutoMaps.empty() && b->AutoMaps.empty());

    // One column off: B's block comes into line.
    MudRoom* c = Room(10, 0);
    MudRoom* d = Room(8, 1);
    linker.TryToLink(c, d, "n");
    EXPECT_EQ(At(8, 0), d);
    EXPECT_TRUE(At(9, 0)->Pipe);
    EXPECT_TRUE(c->ChN && d->ChS && c->AutoMaps.empty());

    // Level with A: first a row of space, then into line.
    MudRoom* e = Room(20, 0);
    MudRoom* f = Room(20, 1);
    linker.TryToLink(e, f, "n");
    EXPECT_EQ(At(19, 0), f);
    EXPECT_EQ(At(20, 0), e);
    EXPECT_TRUE(e->ChN && f->ChS && e->AutoMaps.empty());
    EXPECT_EQ(DoubleCells(), 0);
}

TEST_F(LinkerTest, TryToLinkFallsBackToCrossLinks) {
    MudRoom* a = Room(0, 0);
    world.SetRoomTag(a, 5);
    auto far = std::make_unique<MudRoom>();
    far->Tag = 17;
    MudRoom* b = world.AddLoadedRoom(Cp("Центр"), std::move(far));

    linker.TryToLink(a, b, "n");
    EXPECT_EQ(a->AutoMaps, (std::vector<std::string>{Cp("Центр|на север|17")}));
    EXPECT_EQ(b->AutoMaps, (std::vector<std::string>{Cp("zone|на юг|5")}));
    EXPECT_TRUE(a->ChN && b->ChS);
    linker.TryToLink(a, b, "n");
    EXPECT_EQ(a->AutoMaps.size(), 1u) << "the same entry is not written twice";

    // Up and down are never drawn as corridors.
    MudRoom* c = Room(3, 3, 0);
    MudRoom* d = Room(3, 3, 4);
    linker.TryToLink(c, d, "u");
    EXPECT_EQ(c->AutoMaps, (std::vector<std::string>{Cp("zone|вверх|") + std::to_string(d->Tag)}));
    EXPECT_EQ(d->AutoMaps, (std::vector<std::string>{Cp("zone|вниз|") + std::to_string(c->Tag)}));
    EXPECT_TRUE(c->ChU && d->ChD);

    // Further off the line, or behind.
    MudRoom* e = Room(10, 0);
    MudRoom* f = Room(8, 2);
    linker.TryToLink(e, f, "n");
    linker.TryToLink(e, Room(12, 0), "n");
    EXPECT_EQ(e->AutoMaps.size(), 2u);
    EXPECT_EQ(At(8, 2), f);

    // Another level in line on the map: a cross link, nothing moved.
    MudRoom* h = Room(20, 0, 0);
    linker.TryToLink(h, Room(18, 0, 1), "n");
    EXPECT_EQ(h->AutoMaps.size(), 1u);
    EXPECT_EQ(At(19, 0), nullptr);

    linker.TryToLink(nullptr, a, "n");  // nothing happens
}

TEST_F(LinkerTest, MakeLinkFindsTheNextRoomInsideTheBounds) {
    MudRoom* a = Room(0, 0);
    MudRoom* b = Room(0, 2);
    world.TargetRoom = a;
    EXPECT_TRUE(linker.MakeLink(3));  // menu tag 3: east
    EXPECT_TRUE(At(0, 1)->Pipe);
    EXPECT_TRUE(a->ChE && b->ChW);

    world.MapSaved = true;
    EXPECT_FALSE(linker.MakeLink(1));  // nothing north
    EXPECT_EQ(ZoneSize(), 3u);
    EXPECT_TRUE(world.MapSaved);

    // A room far off along a sparse line is found without probing every cell.
    MudRoom* c = Room(7, 0);
    MudRoom* d = Room(7, 60);
    world.TargetRoom = c;
    EXPECT_TRUE(linker.MakeLink(3));
    EXPECT_TRUE(At(7, 59)->Pipe);
    EXPECT_TRUE(d->ChW);
    world.TargetRoom = nullptr;
    EXPECT_FALSE(linker.MakeLink(3));
}

}  // namespace
}  // namespace trellan
