#include <vector>

#include "MappingFixture.h"

namespace trellan {
namespace {

class ViewStateTest : public MappingFixture {
protected:
    ViewStateTest() {
        view.StatusRefreshRequested = [this] { ++statusCalls; };
        view.RepaintRequested = [this] { ++repaintCalls; };
    }
    std::vector<int> OriginOf(const MudRoom* r) const { return {r->DX, r->DY, r->DL}; }
    void ShowZone(const char* zone) {
        world.ClearZone();
        world.CurrentZone = zone;
        world.LoadZone();
    }

    int statusCalls = 0;
    int repaintCalls = 0;
};

TEST_F(ViewStateTest, RefreshRecordsTheOriginAndFlushWritesItIntoTheZone) {
    MudRoom* a = Room(0, 0);
    MudRoom* b = Room(2, 3);
    view.DX = 2;
    view.DY = 3;
    view.Refresh();
    EXPECT_EQ(view.RoomOrigin(), (ViewOrigin{2, 3, 0}));
    view.FlushOrigin();
    EXPECT_EQ(OriginOf(a), (std::vector<int>{2, 3, 0}));
    EXPECT_EQ(OriginOf(b), (std::vector<int>{2, 3, 0}));

    // Another zone shown: the zone shown before keeps its last origin.
    MudRoom* other = world.AddLoadedRoom("other", std::make_unique<MudRoom>());
    view.DX = 9;
    view.Refresh();
    ShowZone("other");
    view.DX = 40;
    view.DY = 41;
    view.DL = 42;
    view.Refresh();
    EXPECT_EQ(OriginOf(a), (std::vector<int>{9, 3, 0}));
    EXPECT_EQ(OriginOf(other), (std::vector<int>{40, 41, 42}));
}

TEST_F(ViewStateTest, RefreshLockSkipsRoomsAndStatusButAlwaysRepaints) {
    Room(0, 0);
    view.Refresh();
    EXPECT_EQ(statusCalls, 2);  // the room's creation and this one
    EXPECT_EQ(repaintCalls, 2);

    view.RefreshLock = RefreshLockState::Held;
    view.DX = 5;
    view.Refresh();
    view.Refresh();
    EXPECT_EQ(statusCalls, 2);
    EXPECT_EQ(repaintCalls, 4);
    EXPECT_EQ(view.RoomOrigin().DX, 0);
    EXPECT_EQ(view.RefreshLock, RefreshLockState::Held);

    view.RefreshLock = RefreshLockState::SkipNextRefresh;
    view.Refresh();
    EXPECT_EQ(view.RefreshLock, RefreshLockState::Free) << "a lock for exactly one refresh";
    EXPECT_EQ(view.RoomOrigin().DX, 0);
    view.Refresh();
    EXPECT_EQ(view.RoomOrigin().DX, 5);
    EXPECT_EQ(statusCalls, 3);
    EXPECT_EQ(repaintCalls, 6);
}

TEST_F(ViewStateTest, CheckedMarksLastUntilTheNextRefresh) {
    MudRoom* a = Room(0, 0);
    MudRoom* b = Room(0, 1);
    view.MarkChecked(a);
    EXPECT_TRUE(a->Checked);
    view.Refresh();
    EXPECT_FALSE(a->Checked);

    // A removed room is forgotten safely.
    view.MarkChecked(b);
    world.RemoveRoom(b);
    view.Refresh();

    // Marks set behind the view's back go at the next full refresh.
    a->Checked = true;
    view.InvalidateRooms();
    view.Refresh();
    EXPECT_FALSE(a->Checked);

    // Marks loaded with a zone go when the zone is first refreshed.
    auto loaded = std::make_unique<MudRoom>();
    loaded->Checked = true;
    MudRoom* c = world.AddLoadedRoom("other", std::move(loaded));
    ShowZone("other");
    view.Refresh();
    EXPECT_FALSE(c->Checked);
}

TEST_F(ViewStateTest, CenterBoxFollowsTheCurrentRoomAndTheBounds) {
    MudRoom* a = Room(0, 0);
    MudRoom* b = Room(-3, 5, 2);
    MudRoom* c = Room(4, -6, -1);
    world.CurrentRoom = a;
    view.CenterOnCurrentRoom();
    EXPECT_EQ(view.Origin(), (ViewOrigin{0, 0, 0}));
    EXPECT_TRUE(a->Selected);
    EXPECT_EQ(view.Bounds, (MapBounds{-3, 4, -6, 5, -1, 2}));
    EXPECT_TRUE(view.LevelUpEnabled());
    EXPECT_TRUE(view.LevelDownEnabled());

    // Removing the outermost rooms shrinks the bounds at the next centring.
    world.RemoveRoom(c);
    world.RemoveRoom(b);
    view.CenterOnCurrentRoom();
    EXPECT_EQ(view.Bounds, (MapBounds{0, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(view.LevelUpEnabled());

    // No current room: the middle of the zone, rounded towards the maximum,
    // and the level brought inside the bounds.
    Room(-3, 5, 1);
    world.CurrentRoom = nullptr;
    view.DL = 9;
    view.CenterOnCurrentRoom();
    EXPECT_EQ(view.Origin(), (ViewOrigin{-1, 3, 1}));

    // A current room shown in another zone's place: the middle as well.
    auto far = std::make_unique<MudRoom>();
    far->X = 100;
    world.CurrentRoom = world.AddLoadedRoom("other", std::move(far));
    view.CenterOnCurrentRoom();
    EXPECT_EQ(view.Origin().DX, -1);
}

}  // namespace
}  // namespace trellan
