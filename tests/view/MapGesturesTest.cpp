// Gestures on the map surface, through synthesized mouse events: dragging
// the map, dragging, linking and stepping from a room, the right-click, the
// room under the pointer, the Shift hint and the refresh lock.
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <optional>

#include "ViewFixture.h"
#include "mapping/Linker.h"
#include "mapping/Placement.h"
#include "view/MapGestures.h"
#include "view/MapPanel.h"

namespace trellan {
namespace {

// The tile of cell (0, 0) on a 461 x 256 surface starts at (214, 112).
constexpr int kTileX = 214;
constexpr int kTileY = 112;

class MapGesturesTest : public ViewFixture {
protected:
    MapGesturesTest() {
        EnsureApp();
        panel = std::make_unique<MapPanel>(world, view, skins, settings, config);
        panel->PanelMain()->resize(461, 256);
        gestures = std::make_unique<MapGestures>(*panel, world, view, settings, placement, linker);
        gestures->ShowRoomInfo = [this](const MudRoom* room) { shown.push_back(room); };
        gestures->OpenRoomMenu = [this](const QPoint&) {
            ++menus;
            menuLock = view.RefreshLock;
        };
        panel->SetMouseHandler(gestures.get());
    }

    void Send(QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QMouseEvent event(type, QPointF(pos), QPointF(panel->PanelMain()->mapToGlobal(pos)), button, buttons,
                          modifiers);
        QApplication::sendEvent(panel->PanelMain(), &event);
    }
    void Press(QPoint pos, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        Send(QEvent::MouseButtonPress, pos, button, button, mods);
    }
    void Drag(QPoint pos, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        Send(QEvent::MouseMove, pos, Qt::NoButton, Qt::LeftButton, mods);
    }
    void Hover(QPoint pos, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        Send(QEvent::MouseMove, pos, Qt::NoButton, Qt::NoButton, mods);
    }
    void Release(QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
        Send(QEvent::MouseButtonRelease, pos, button, Qt::NoButton);
    }

    // The bounds taken from the rooms, the view on cell (0, 0) of level 0.
    void ViewOnCellZero() {
        view.CenterOnCurrentRoom();
        view.DX = 0;
        view.DY = 0;
        view.Refresh();
    }
    void WideMap() {
        AddRoom(-10, -10, 0);
        AddRoom(10, 10, 0);
        ViewOnCellZero();
    }

    MainSettings settings;
    Placement placement{world, view, config};
    Linker linker{placement};
    std::unique_ptr<MapPanel> panel;
    std::unique_ptr<MapGestures> gestures;
    std::vector<const MudRoom*> shown;
    int menus = 0;
    std::optional<RefreshLockState> menuLock;
};

TEST_F(MapGesturesTest, DraggingTheEmptyMapScrollsByScrollMultCellsPerCell) {
    WideMap();
    settings.ScrollMult = 1;
    Press({300, 128});
    EXPECT_TRUE(gestures->MapDragging());
    EXPECT_EQ(view.RefreshLock, RefreshLockState::Free);
    Drag({300 - 31, 128});  // under one cell: truncated to nothing
    EXPECT_EQ(view.RoomOrigin(), (ViewOrigin{0, 0, 0}));
    Drag({300 - 64, 128});
    EXPECT_EQ(view.RoomOrigin(), (ViewOrigin{0, 2, 0}));
    EXPECT_EQ(panel->HorizontalBar()->value(), 2);
    Release({300 - 64, 128});
    EXPECT_FALSE(gestures->MapDragging());

    settings.ScrollMult = 2;
    view.DY = 0;
    view.Refresh();
    Press({300, 128});
    Drag({300 - 64, 128 + 32});  // left and down: east and north
    EXPECT_EQ(view.RoomOrigin(), (ViewOrigin{-2, 4, 0}));
    // Far beyond the bounds the view stops at their edge.
    Drag({300 - 6400, 128});
    EXPECT_EQ(view.RoomOrigin().DY, 10);
    Release({0, 0});

    // Moving without the button drags nothing.
    Hover({0, 0});
    EXPECT_EQ(view.RoomOrigin().DY, 10);
}

TEST_F(MapGesturesTest, RightClickCentresOnEmptyMapAndOpensTheMenuOnARoom) {
    WideMap();
    world.CurrentRoom = AddRoom(3, 4, 0);
    Press({300, 200}, Qt::RightButton);
    EXPECT_EQ(view.RoomOrigin(), (ViewOrigin{3, 4, 0}));
    EXPECT_EQ(view.RefreshLock, RefreshLockState::Free);
    EXPECT_EQ(menus, 0);
    Release({300, 200}, Qt::RightButton);

    // The view is on (3, 4) now: its tile is at the centre.
    Press({230, 128}, Qt::RightButton);
    EXPECT_EQ(menus, 1);
    EXPECT_EQ(world.TargetRoom, world.CurrentRoom);
    EXPECT_EQ(menuLock, RefreshLockState::Held);
    // The menu swallowed the release; the lock must not stay held.
    EXPECT_EQ(view.RefreshLock, RefreshLockState::Free);
}

TEST_F(MapGesturesTest, ARoomFollowsThePointerCellByCell) {
    MudRoom* room = AddRoom(0, 0, 0);
    Press({230, 128});
    EXPECT_EQ(world.TargetRoom, room);
    EXPECT_EQ(view.RefreshLock, RefreshLockState::Held);
    Drag({kTileX + 40, 128});
    EXPECT_EQ(room->Y, 0);
    Drag({kTileX + 41, 128});
    EXPECT_EQ(room->Y, 1);
    Drag({kTileX + 32 + 41, 128});
    EXPECT_EQ(room->Y, 2);
    Drag({kTileX + 64 + 16, kTileY + 40});  // towards the south: not yet
    EXPECT_EQ(room->X, 0);
    Drag({kTileX + 64 + 16, kTileY + 41});
    EXPECT_EQ(room->X, 1);
    EXPECT_EQ(view.RefreshLock, RefreshLockState::Held);
    Release({0, 0});
    EXPECT_EQ(view.RefreshLock, RefreshLockState::Free);

    world.CurrentZoneLocked = true;
    view.DX = 1;
    view.DY = 2;
    view.Refresh();
    Press({230, 128});
    EXPECT_EQ(world.TargetRoom, room);
    Drag({kTileX + 100, 128});
    EXPECT_EQ(room->Y, 2);
    Release({0, 0});
}

TEST_F(MapGesturesTest, CtrlDragLinksOnceAndAltDragStepsOnce) {
    MudRoom* room = AddRoom(0, 0, 0);
    MudRoom* north = AddRoom(-3, 0, 0);
    ViewOnCellZero();
    Press({230, 128}, Qt::LeftButton, Qt::ControlModifier);
    Drag({230, kTileY - 8}, Qt::ControlModifier);  // a quarter cell: not yet
    EXPECT_EQ(world.FindRoom(-1, 0, 0), nullptr);
    Drag({230, kTileY - 9}, Qt::ControlModifier);
    MudRoom* corridor = world.FindRoom(-1, 0, 0);
    ASSERT_NE(corridor, nullptr);
    EXPECT_TRUE(corridor->Pipe);
    EXPECT_TRUE(room->ChN);
    EXPECT_TRUE(north->ChS);
    EXPECT_EQ(view.RefreshLock, RefreshLockState::Free);
    const std::size_t rooms = world.RoomCount();
    Drag({230, kTileY - 40}, Qt::ControlModifier);
    EXPECT_EQ(world.RoomCount(), rooms);
    Release({0, 0});

    // Alt to the east makes a room there, once.
    Press({230, 128}, Qt::LeftButton, Qt::AltModifier);
    Drag({kTileX + 41, 128}, Qt::AltModifier);
    MudRoom* east = world.FindRoom(0, 1, 0);
    ASSERT_NE(east, nullptr);
    EXPECT_EQ(world.RoomCount(), rooms + 1);
    Drag({kTileX + 90, 128}, Qt::AltModifier);
    EXPECT_EQ(world.RoomCount(), rooms + 1);
    Release({0, 0});
}

TEST_F(MapGesturesTest, ARoomDragIsOneUndoStepFromItsFirstChangeToTheRelease) {
    using Kind = MapGestures::RoomDragKind;
    std::vector<Kind> begun;
    int ended = 0;
    gestures->RoomDragBegins = [&](Kind kind) { begun.push_back(kind); };
    gestures->RoomDragEnds = [&] { ++ended; };
    AddRoom(0, 0, 0);
    ViewOnCellZero();
    Press({230, 128});
    Drag({kTileX + 20, 128});
    EXPECT_TRUE(begun.empty()) << "nothing changed yet";
    Drag({kTileX + 41, 128});
    Drag({kTileX + 32 + 41, 128});
    EXPECT_EQ(begun, std::vector<Kind>{Kind::Move});
    EXPECT_EQ(ended, 0);
    Release({0, 0});
    EXPECT_EQ(ended, 1);

    // A click without a move is no step; Ctrl and Alt name theirs.
    Press({230, 128});
    Release({0, 0});
    EXPECT_EQ(ended, 1);
    Press({kTileX + 64 + 16, 128}, Qt::LeftButton, Qt::ControlModifier);
    Drag({kTileX + 64 + 16, kTileY + 41}, Qt::ControlModifier);
    Release({0, 0});
    Press({kTileX + 64 + 16, 128}, Qt::LeftButton, Qt::AltModifier);
    Drag({kTileX + 64 + 16, kTileY - 9}, Qt::AltModifier);
    Release({0, 0});
    EXPECT_EQ(begun, (std::vector<Kind>{Kind::Move, Kind::Link, Kind::NewRoom}));
    EXPECT_EQ(ended, 3);
}

TEST_F(MapGesturesTest, ThePointerShowsTheRoomUnderItAndTheCurrentRoomWhenItLeaves) {
    MudRoom* room = AddRoom(0, 0, 0);
    world.CurrentRoom = AddRoom(0, 5, 0);
    Hover({230, 128});
    EXPECT_EQ(world.TargetRoom, room);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back(), room);
    Hover({230, 200});
    EXPECT_EQ(world.TargetRoom, nullptr);
    EXPECT_EQ(shown.back(), world.CurrentRoom);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(panel->PanelMain(), &leave);
    EXPECT_EQ(shown.back(), world.CurrentRoom);
}

TEST_F(MapGesturesTest, ShiftPressShowsTheHintUntilShiftIsLetGo) {
    MudRoom* room = AddRoom(0, 0, 0);
    room->Note = Cp("заметка");
    Press({230, 128}, Qt::LeftButton, Qt::ShiftModifier);
    ASSERT_NE(gestures->Hint(), nullptr);
    EXPECT_TRUE(gestures->Hint()->text().startsWith("#1 Room\n"));
    EXPECT_TRUE(gestures->Hint()->text().endsWith(QString::fromUtf8("\n\nзаметка")));
    Drag({231, 128}, Qt::ShiftModifier);
    EXPECT_NE(gestures->Hint(), nullptr);
    EXPECT_EQ(room->Y, 0);
    Drag({232, 128});
    EXPECT_EQ(gestures->Hint(), nullptr);
    Release({232, 128});
}

TEST_F(MapGesturesTest, APressWhileAnOperationHoldsTheViewIsIgnored) {
    WideMap();
    MudRoom* room = AddRoom(0, 0, 0);
    view.RefreshLock = RefreshLockState::SkipNextRefresh;
    Press({230, 128});
    EXPECT_EQ(world.TargetRoom, nullptr);
    EXPECT_FALSE(gestures->MapDragging());
    Drag({300, 128});
    EXPECT_EQ(room->Y, 0);
    EXPECT_EQ(view.RoomOrigin(), (ViewOrigin{0, 0, 0}));
}

TEST_F(MapGesturesTest, DoubleClickOnARoomAsksForTheSpeedwalk) {
    int walks = 0;
    gestures->SpeedwalkToTarget = [&walks] { ++walks; };
    AddRoom(0, 0, 0);
    Send(QEvent::MouseButtonDblClick, {300, 200}, Qt::LeftButton, Qt::LeftButton);
    Release({300, 200});
    EXPECT_EQ(walks, 0);
    Press({230, 128});
    Release({230, 128});
    Send(QEvent::MouseButtonDblClick, {230, 128}, Qt::LeftButton, Qt::LeftButton);
    Release({230, 128});
    EXPECT_EQ(walks, 1);
}

TEST_F(MapGesturesTest, PressesAndDragsFindTheirRoomsAtHalfAndDoubleZoom) {
    MudRoom* centre = AddRoom(0, 0, 0);
    MudRoom* east = AddRoom(0, 3, 0);
    MudRoom* southWest = AddRoom(2, -1, 0);
    WideMap();
    for (int zoom : {50, 200}) {
        panel->SetZoom(zoom);
        const int s = panel->CellSize();
        ASSERT_EQ(s, 32 * zoom / 100);
        ASSERT_EQ(view.RoomOrigin(), (ViewOrigin{0, 0, 0})) << "a zoom from the keys keeps the centre";
        // The middle of a cell, and a point a quarter cell off it.
        auto at = [&](int x, int y, int nudge = 0) { return QPoint(230 + y * s + nudge, 128 + x * s - nudge); };
        for (MudRoom* room : {centre, east, southWest}) {
            for (int nudge : {0, s / 4}) {
                Press(at(room->X, room->Y, nudge));
                EXPECT_EQ(world.TargetRoom, room) << zoom << "% room " << room->Tag << " nudge " << nudge;
                Release(at(room->X, room->Y, nudge));
            }
        }
        Press(at(1, 1));
        EXPECT_EQ(world.TargetRoom, nullptr) << zoom;
        Release(at(1, 1));
        EXPECT_EQ(panel->CellAt(at(-10, -10).x(), at(-10, -10).y()), (GridCell{-10, -10, 0})) << zoom;
    }

    // At 200 % a room moves one cell once the pointer is 1.25 cells of 64
    // pixels past its tile's corner: the tile of (0, 3) starts at x 390.
    Press({230 + 3 * 64, 128});
    ASSERT_EQ(world.TargetRoom, east);
    Drag({390 + 80, 128});
    EXPECT_EQ(east->Y, 3);
    Drag({390 + 81, 128});
    EXPECT_EQ(east->Y, 4);
    Release({0, 0});

    // Dragging the empty map scrolls a cell per cell of pointer travel.
    Press({230 + 64, 128 + 64});
    Drag({230 + 64 - 2 * 64, 128 + 64});
    EXPECT_EQ(view.DY, 2 * settings.ScrollMult);
    Release({0, 0});
}

TEST_F(MapGesturesTest, TheTooltipNamesTheRoomItsZoneAndNumber) {
    MudRoom* room = AddRoom(0, 0, 0);
    room->Hint = Cp("Тёмный лес");
    WideMap();
    Hover({230, 128});
    EXPECT_EQ(panel->PanelMain()->toolTip(), QString::fromUtf8("Тёмный лес\nzone, #") + QString::number(room->Tag));
    Hover({230 + 64, 128});
    EXPECT_TRUE(panel->PanelMain()->toolTip().isEmpty());
    Hover({230, 128});
    gestures->OnMouseLeave();
    EXPECT_TRUE(panel->PanelMain()->toolTip().isEmpty());
}

}  // namespace
}  // namespace trellan
