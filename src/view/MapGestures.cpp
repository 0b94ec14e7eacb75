#include "view/MapGestures.h"

#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolTip>
#include <algorithm>
#include <cstdint>
#include <string>

#include "view/MapPanel.h"
#include "view/QtText.h"
#include "view/RoomNames.h"

namespace trellan {

namespace {

constexpr RefreshLockState kFree = RefreshLockState::Free;
constexpr RefreshLockState kButtonHeld = RefreshLockState::Held;

constexpr int kHintMaxWidth = 600;

QString HintText(const MudRoom& room, const char* lineBreak, const char* noteBreak) {
    std::string text = "#" + std::to_string(room.Tag) + " " + room.Hint + lineBreak + room.Description;
    if (!room.Note.empty()) text += noteBreak + room.Note;
    return ToQt(text);
}

}  // namespace

MapGestures::MapGestures(MapPanel& panel, World& world, ViewState& view, const MainSettings& settings,
                         Placement& placement, Linker& linker)
    : panel_(panel), world_(world), view_(view), settings_(settings), placement_(placement), linker_(linker) {}

MapGestures::~MapGestures() {
    HideHint();
    EndRoomDrag();
}

void MapGestures::EndRoomDrag() {
    if (!roomDragStep_) return;
    roomDragStep_ = false;
    if (RoomDragEnds) RoomDragEnds();
}

MudRoom* MapGestures::RoomUnder(const QPoint& pos) const {
    const GridCell cell = panel_.CellAt(pos.x(), pos.y());
    return world_.FindRoom(cell.X, cell.Y, cell.L);
}

void MapGestures::OnMouseDown(QMouseEvent* event) {
    EndRoomDrag();
    const QPoint pos = event->position().toPoint();
    if (view_.RefreshLock == kFree) world_.TargetRoom = RoomUnder(pos);
    if (view_.RefreshLock == kFree) view_.RefreshLock = kButtonHeld;
    // Another operation holds the view (it skips the next refresh).
    if (view_.RefreshLock != kButtonHeld) return;

    MudRoom* target = world_.TargetRoom;
    if (event->button() == Qt::LeftButton) {
        if (target != nullptr && (event->modifiers() & Qt::ShiftModifier)) {
            ShowHint(event->globalPosition().toPoint());
        } else if (target == nullptr) {
            view_.RefreshLock = kFree;
            mapDrag_ = true;
            anchor_ = pos;
            anchorDY_ = view_.DY;
            anchorDX_ = view_.DX;
        }
        // On a room without Shift the press starts a room drag: the lock
        // stays held and the moves do the rest.
    } else if (event->button() == Qt::RightButton) {
        if (target != nullptr) {
            if (OpenRoomMenu) OpenRoomMenu(event->globalPosition().toPoint());
            // The menu takes the button's release; a lock left held would
            // freeze the view origin until the next click on the map.
            if (view_.RefreshLock == kButtonHeld) view_.RefreshLock = kFree;
        } else {
            view_.RefreshLock = kFree;
            view_.CenterOnCurrentRoom();
        }
    }
}

void MapGestures::OnMouseMove(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (view_.RefreshLock == kFree) {
        const GridCell cell = panel_.CellAt(pos.x(), pos.y());
        MudRoom* target = world_.TargetRoom;
        if (target == nullptr || target->X != cell.X || target->Y != cell.Y || target->L != cell.L) {
            world_.TargetRoom = world_.FindRoom(cell.X, cell.Y, cell.L);
        }
    }
    if (ShowRoomInfo) ShowRoomInfo(world_.TargetRoom != nullptr ? world_.TargetRoom : world_.CurrentRoom);
    ShowToolTipOf(view_.RefreshLock == kFree ? world_.TargetRoom : nullptr);
    if (hint_ != nullptr && !(event->modifiers() & Qt::ShiftModifier)) HideHint();

    const bool leftHeld = event->buttons() & Qt::LeftButton;
    if (!leftHeld) return;
    if (view_.RefreshLock == kButtonHeld && world_.TargetRoom != nullptr && !mapDrag_) {
        DragRoom(pos, event->modifiers());
    } else if (mapDrag_ && view_.RefreshLock != kButtonHeld) {
        DragMap(pos);
    }
}

void MapGestures::DragRoom(const QPoint& pos, Qt::KeyboardModifiers modifiers) {
    const MudRoom& room = *world_.TargetRoom;
    const std::int64_t s = panel_.CellSize();
    const std::int64_t sx = panel_.PanelMain()->width() / 2 - s / 2 + (std::int64_t{room.Y} - view_.DY) * s;
    const std::int64_t sy = panel_.PanelMain()->height() / 2 - s / 2 + (std::int64_t{room.X} - view_.DX) * s;
    // Tested on their own and in this order, so a diagonal exit fires two.
    // Compared in quarter cells: x - sx > 1.25 S is 4 (x - sx) > 5 S.
    const std::int64_t dx = 4 * (pos.x() - sx);
    const std::int64_t dy = 4 * (pos.y() - sy);
    int sides[4];  // menu tags
    int count = 0;
    if (dx > 5 * s) sides[count++] = Placement::MenuTag(Direction::East);
    if (dx < -s) sides[count++] = Placement::MenuTag(Direction::West);
    if (dy > 5 * s) sides[count++] = Placement::MenuTag(Direction::South);
    if (dy < -s) sides[count++] = Placement::MenuTag(Direction::North);
    if (count == 0 || world_.CurrentZoneLocked) return;

    const bool alt = modifiers & Qt::AltModifier;
    const bool ctrl = modifiers & Qt::ControlModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    if (!shift && !roomDragStep_) {
        roomDragStep_ = true;
        if (RoomDragBegins) {
            RoomDragBegins(alt ? RoomDragKind::NewRoom : ctrl ? RoomDragKind::Link : RoomDragKind::Move);
        }
    }
    for (int i = 0; i < count; ++i) {
        if (world_.TargetRoom == nullptr) break;
        if (alt) {
            placement_.StepTo(sides[i]);
        } else if (ctrl) {
            linker_.MakeLink(sides[i]);
        } else if (!shift) {
            placement_.MoveRoom(sides[i]);
        }
    }
    if (alt || ctrl) {
        view_.RefreshLock = kFree;
        view_.Refresh();
    } else if (shift) {
        view_.RefreshLock = kFree;
    }
}

void MapGestures::DragMap(const QPoint& pos) {
    const std::int64_t s = std::max(1, panel_.CellSize());
    const std::int64_t mult = settings_.ScrollMult;
    // Truncating towards zero, as the drag is specified.
    const std::int64_t stepY = (std::int64_t{anchor_.x()} - pos.x()) * mult / s;
    const std::int64_t stepX = (std::int64_t{anchor_.y()} - pos.y()) * mult / s;
    const QScrollBar* horizontal = panel_.HorizontalBar();
    const QScrollBar* vertical = panel_.VerticalBar();
    const auto newY = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(anchorDY_ + stepY, horizontal->minimum(), horizontal->maximum()));
    const auto newX = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(anchorDX_ + stepX, vertical->minimum(), vertical->maximum()));
    if (newY == view_.DY && newX == view_.DX) return;
    view_.DY = newY;
    view_.DX = newX;
    view_.Refresh();
}

void MapGestures::OnMouseUp(QMouseEvent*) {
    HideHint();
    EndRoomDrag();
    view_.RefreshLock = kFree;
    mapDrag_ = false;
}

void MapGestures::OnDoubleClick(QMouseEvent*) {
    // The double-click's own press came as a press before it; the lock it
    // took is released with the button.
    if (world_.TargetRoom != nullptr && SpeedwalkToTarget) SpeedwalkToTarget();
}

void MapGestures::ShowToolTipOf(const MudRoom* room) {
    QWidget* surface = panel_.PanelMain();
    const QString text = room != nullptr ? RoomToolTip(world_, *room) : QString();
    if (surface->toolTip() == text) return;
    // A tip still showing belongs to the room the pointer left.
    QToolTip::hideText();
    surface->setToolTip(text);
}

void MapGestures::OnMouseLeave() {
    ShowToolTipOf(nullptr);
    if (ShowRoomInfo) ShowRoomInfo(world_.CurrentRoom);
}

void MapGestures::ShowHint(const QPoint& globalPos) {
    HideHint();
    const MudRoom& room = *world_.TargetRoom;
    hint_ = new QLabel(nullptr, Qt::ToolTip);
    hint_->setObjectName("RoomHint");
    hint_->setWordWrap(true);
    // Measured on the text with single breaks, shown with the double ones:
    // the extra pixels below leave room for the difference.
    const QRect measured =
        QFontMetrics(hint_->font())
            .boundingRect(QRect(0, 0, kHintMaxWidth, 100000), Qt::TextWordWrap, HintText(room, "\n", "\n"));
    hint_->setText(HintText(room, "\n", "\n\n"));
    QRect rect = measured.translated(globalPos);
    rect.setTop(rect.top() + 20);
    rect.setBottom(rect.bottom() + 40);
    hint_->setGeometry(rect);
    hint_->show();
}

void MapGestures::HideHint() {
    delete hint_;
    hint_ = nullptr;
}

}  // namespace trellan
