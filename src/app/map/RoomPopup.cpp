#include "app/map/RoomPopup.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QMenu>
#include <QPainter>
#include <QToolButton>
#include <QWidgetAction>
#include <map>

#include "app/window/Dialogs.h"
#include "app/window/PopupMenus.h"
#include "mapping/CrossLinkEntry.h"
#include "mapping/RoomEdits.h"
#include "mapping/ZoneOperations.h"
#include "mapping/ZoneTreeOperations.h"
#include "runtime/TrellanRuntime.h"
#include "text/Cp1251.h"
#include "view/ColorRef.h"
#include "view/QtText.h"
#include "view/SkinSet.h"

namespace trellan {

namespace {

// The direction of the i-th item of a direction submenu (item i has the
// menu tag i + 1).
Direction ItemDirection(int i) {
    return *Placement::MenuDirection(i + 1);
}

QIcon Swatch(std::uint32_t colorRef) {
    QPixmap swatch(25, 12);
    swatch.fill(Qt::transparent);
    QPainter painter(&swatch);
    painter.setPen(Qt::black);
    painter.setBrush(QColor::fromRgb(ColorRefToRgb(colorRef)));
    painter.drawRect(0, 0, swatch.width() - 1, swatch.height() - 1);
    return QIcon(swatch);
}

}  // namespace

RoomPopup::RoomPopup(PopupMenus& menus, const RoomEditContext& context, TrellanRuntime& runtime, SkinSet& skins,
                     ZoneOperations& zones, ZoneTreeOperations& tree)
    : menus_(menus), context_(context), runtime_(runtime), skins_(skins), zones_(zones), tree_(tree) {
    QMenu* popup = menus_.PopupMap;
    for (int k = 0; k < 4; ++k) {
        auto* item = new QAction(popup);
        item->setObjectName(QStringLiteral("nShowZone%1").arg(k + 1));
        item->setVisible(false);
        popup->addAction(item);
        showZone_[static_cast<std::size_t>(k)] = item;
    }
    ConnectCommands();
}

void RoomPopup::Open(const QPoint& globalPos) {
    // The popup takes the release of the button that opened it.
    runtime_.View().RefreshLock = RefreshLockState::Free;
    Prepare();
    if (context_.TheWorld.TargetRoom != nullptr) menus_.PopupMap->exec(globalPos);
}

void RoomPopup::Prepare() {
    const MudRoom* room = context_.TheWorld.TargetRoom;
    for (QAction* action : menus_.PopupMap->actions()) action->setVisible(false);
    if (room == nullptr) return;
    if (room->Pipe) {
        ShowForCorridor();
    } else {
        ShowForRoom(*room);
    }
}

void RoomPopup::ShowForCorridor() {
    menus_.nDeleteLink->setVisible(true);
}

void RoomPopup::ShowForRoom(const MudRoom& room) {
    PopupMenus& m = menus_;
    for (QAction* action : m.PopupMap->actions()) action->setVisible(true);
    const World& world = context_.TheWorld;
    const bool walkable = world.CurrentRoom != nullptr && world.CurrentRoom != &room && !room.DT;
    m.nSpeedWalk->setVisible(walkable && runtime_.Tracker().Tracing());
    m.nSpeedWalkNTD->setVisible(walkable);
    m.nSpeedWalkNT->setVisible(walkable);
    m.nAddToQuickList->setVisible(room.QuickList.empty());
    m.nRemoveRoom->setVisible(!room.QuickList.empty());
    m.nDeleteLink->setVisible(false);
    m.nShowZone->setVisible(false);

    m.nDT->setChecked(room.DT);
    m.nFlyDT->setChecked(room.FlyDT);
    m.nAgro->setChecked(room.Agro);
    m.nNoStep->setChecked(room.NoStep);
    m.nLastColor->setIcon(Swatch(skins_.LastColor));
    BuildPictureGrid();

    const MappingConfig& config = context_.Config;
    bool anyNewZone = false;
    bool anyMerge = false;
    for (int i = 0; i < 6; ++i) {
        const Direction direction = ItemDirection(i);
        m.doorItems[i]->setVisible(room.ExitState(direction) != ExitStatus::Absent);
        m.doorItems[i]->setChecked(room.ExitState(direction) == ExitStatus::ClosedDoor);
        m.addRoomItems[i]->setEnabled(!room.Link(direction));
        if (i < 4) m.longItems[i]->setEnabled(!room.Link(direction));
        const int entry = room.Link(direction) ? FindCrossLink(room, direction, config) : -1;
        m.newZoneItems[i]->setVisible(room.Link(direction) && entry < 0);
        m.mergeItems[i]->setVisible(entry >= 0);
        anyNewZone = anyNewZone || (room.Link(direction) && entry < 0);
        if (entry >= 0) {
            anyMerge = true;
            const CrossLinkEntry link = CrossLinkEntry::Parse(room.AutoMaps[static_cast<std::size_t>(entry)]);
            m.mergeItems[i]->setText(ToQt("<" + link.Zone + "> (" + config.DirectionPhrases[Index(direction)] + ")"));
        }
    }
    m.nStartNewZone->setEnabled(anyNewZone);
    m.nMerge->setEnabled(anyMerge);

    bool anyShowZone = false;
    for (std::size_t k = 0; k < showZone_.size(); ++k) {
        bool shown = false;
        if (k < room.AutoMaps.size()) {
            const CrossLinkEntry link = CrossLinkEntry::Parse(room.AutoMaps[k]);
            const std::optional<std::int32_t> number = link.RoomNumber();
            shown = !link.Zone.empty() && number && *number > 0;
            if (shown) {
                showZone_[k]->setText(
                    ToQt(Utf8ToCp1251("Показать <") + link.Zone + "> " + link.Exit + " #" + std::to_string(*number)));
            }
        }
        showZone_[k]->setVisible(shown);
        anyShowZone = anyShowZone || shown;
    }
    m.showZoneSeparator->setVisible(anyShowZone);
}

void RoomPopup::BuildPictureGrid() {
    // Rebuilt on every opening: the skin may have changed since. A menu
    // keeps the widget it took from an action, so the action is new too.
    delete pictureAction_.data();
    auto* action = new QWidgetAction(menus_.nPicture);
    pictureAction_ = action;
    auto* grid = new QWidget;
    grid->setObjectName("PictureGrid");
    auto* layout = new QGridLayout(grid);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(1);
    const ImageList& icons = skins_.Slot(0).Icons;
    const QSize size(icons.Width(), icons.Height());
    int column = -1;
    int row = 0;
    for (const PictureMenuItem& item : skins_.PictureMenuItems()) {
        if (column < 0 || item.NewColumn) {
            ++column;
            row = 0;
        }
        auto* button = new QToolButton(grid);
        button->setObjectName(QStringLiteral("nPicture%1").arg(item.Value));
        button->setAutoRaise(true);
        button->setIconSize(size);
        if (item.Value >= 0) {
            button->setIcon(QIcon(icons.ToPixmap(item.Icon)));
        } else {
            QPixmap blank(size);
            blank.fill(Qt::transparent);
            button->setIcon(QIcon(blank));
        }
        const int tag = item.Value;
        QObject::connect(button, &QToolButton::clicked, grid, [this, tag] {
            CloseMenus();
            UndoHistory::Step step(runtime_.History(), Utf8ToCp1251("картинка поля"));
            SetTargetPicture(tag);
        });
        layout->addWidget(button, row++, column);
    }
    action->setDefaultWidget(grid);
    menus_.nPicture->addAction(action);
    pictureGrid_ = grid;
}

void RoomPopup::CloseMenus() {
    menus_.nPicture->hide();
    menus_.PopupMap->hide();
}

void RoomPopup::Repaint() {
    const ViewState& view = runtime_.View();
    if (view.RepaintRequested) view.RepaintRequested();
}

void RoomPopup::Edited(EditedPart part) {
    context_.TheWorld.MapSaved = false;
    context_.TheWorld.NoteRoomChanged(context_.TheWorld.TargetRoom);
    if (part == EditedPart::Picture && context_.TheWorld.TargetRoom != nullptr &&
        !context_.TheWorld.TargetRoom->QuickList.empty() && TreeChanged) {
        TreeChanged();
    }
    Repaint();
}

void RoomPopup::Report(const ZoneResult& result) {
    if (result.Outcome == ZoneOutcome::Refused && !result.Message.empty()) context_.Boxes.Error(result.Message);
    for (const std::string& error : result.Errors) {
        if (ErrorReported) ErrorReported(error);
    }
    if (TreeChanged) TreeChanged();
}

void RoomPopup::Speedwalk(int sender) {
    const SpeedwalkResult result = runtime_.Walks().WalkToTarget(static_cast<SpeedwalkSender>(sender));
    if (result.What == SpeedwalkResult::Kind::Clipboard) {
        QApplication::clipboard()->setText(ToQt(result.Text));
    } else if (result.What == SpeedwalkResult::Kind::Message) {
        context_.Boxes.Error(result.Text);
    }
}

void RoomPopup::SetColorOrMark(int tag) {
    MudRoom* room = context_.TheWorld.TargetRoom;
    if (room == nullptr) return;
    if (tag == 1) {
        const std::optional<std::uint32_t> colour =
            PickColor ? PickColor(room->BColor) : PickColorWithDialog(room->BColor);
        if (!colour) return;
        skins_.LastColor = *colour;
        room->BColor = *colour;
        Edited(EditedPart::Colour);
        return;
    }
    ToggleMark(*room, static_cast<RoomMark>(tag - 1));
    context_.TheWorld.NoteRoomEdited(room);
    Edited(EditedPart::Picture);
}

void RoomPopup::ApplyLastColor() {
    MudRoom* room = context_.TheWorld.TargetRoom;
    if (room == nullptr) return;
    room->BColor = skins_.LastColor;
    Edited(EditedPart::Colour);
}

void RoomPopup::SetTargetPicture(int tag) {
    MudRoom* room = context_.TheWorld.TargetRoom;
    if (room == nullptr) return;
    SetPicture(*room, tag);
    context_.TheWorld.NoteRoomEdited(room);
    Edited(EditedPart::Picture);
}

void RoomPopup::ToggleTargetDoor(Direction direction) {
    MudRoom* room = context_.TheWorld.TargetRoom;
    if (room == nullptr) return;
    ToggleDoor(context_.TheWorld, *room, direction, context_.Config.Words);
    Repaint();
}

void RoomPopup::ConnectCommands() {
    PopupMenus& m = menus_;
    QObject* owner = m.PopupMap;
    // Each item is one undo step, named for what it does to the map.
    std::map<QAction*, std::string> steps = {{m.nDeleteRoom, "удаление поля"},
                                             {m.nDeleteLink, "удаление связи"},
                                             {m.nSelectRoom, "выбор позиции"},
                                             {m.nEditRoom, "свойства поля"},
                                             {m.nAddToQuickList, "новая закладка"},
                                             {m.nRemoveRoom, "снятие закладки"},
                                             {m.nColor, "цвет поля"},
                                             {m.nLastColor, "цвет поля"},
                                             {m.nDT, "пометка поля"},
                                             {m.nFlyDT, "пометка поля"},
                                             {m.nAgro, "пометка поля"},
                                             {m.nNoStep, "пометка поля"}};
    for (int i = 0; i < 6; ++i) {
        steps[m.doorItems[i]] = "дверь";
        steps[m.addRoomItems[i]] = "новая комната";
        steps[m.newZoneItems[i]] = "новая зона";
        steps[m.mergeItems[i]] = "слияние зон";
        if (i < 4) {
            steps[m.shiftItems[i]] = "перемещение полей";
            steps[m.longItems[i]] = "длинная связь";
        }
    }
    const auto on = [this, owner, steps](QAction* action, std::function<void()> run) {
        const auto named = steps.find(action);
        const std::string step = Utf8ToCp1251(named == steps.end() ? "изменение поля" : named->second);
        QObject::connect(action, &QAction::triggered, owner, [this, step, run = std::move(run)] {
            UndoHistory::Step undoStep(runtime_.History(), step);
            run();
        });
    };
    on(m.nSpeedWalk, [this] { Speedwalk(static_cast<int>(SpeedwalkSender::Send)); });
    on(m.nSpeedWalkNTD, [this] { Speedwalk(static_cast<int>(SpeedwalkSender::ClipboardWithSeparators)); });
    on(m.nSpeedWalkNT, [this] { Speedwalk(static_cast<int>(SpeedwalkSender::ClipboardWithoutSeparators)); });
    on(m.nSelectRoom, [this] {
        MovementTracker& tracker = runtime_.Tracker();
        context_.Placer.SelectRoom([&tracker] { tracker.SetTracing(MovementTracker::TracingSwitch::Off); });
    });
    on(m.nAddToQuickList, [this] {
        MudRoom* room = tree_.BookmarkTargetRoom();
        if (room != nullptr && BookmarkAdded) BookmarkAdded(room);
    });
    on(m.nRemoveRoom, [this] {
        tree_.UnbookmarkTargetRoom();
        if (TreeChanged) TreeChanged();
    });
    on(m.nEditRoom, [this] {
        if (EditRoom) EditRoom();
    });
    on(m.nColor, [this] { SetColorOrMark(1); });
    on(m.nLastColor, [this] { ApplyLastColor(); });
    const std::array<QAction*, 4> marks = {m.nDT, m.nFlyDT, m.nAgro, m.nNoStep};
    for (int k = 0; k < 4; ++k) on(marks[static_cast<std::size_t>(k)], [this, k] { SetColorOrMark(k + 2); });
    for (int i = 0; i < 6; ++i) {
        const Direction direction = ItemDirection(i);
        on(m.doorItems[i], [this, direction] { ToggleTargetDoor(direction); });
        on(m.addRoomItems[i], [this, i] { context_.Placer.StepTo(i + 1); });
        on(m.newZoneItems[i], [this, direction] { Report(zones_.StartNewZone(direction)); });
        on(m.mergeItems[i], [this, direction] { Report(zones_.MergeZone(direction)); });
        if (i < 4) {
            on(m.shiftItems[i], [this, i] { context_.Placer.MoveRoom(i + 1); });
            on(m.longItems[i], [this, i] {
                if (!context_.Links.MakeLink(i + 1)) QApplication::beep();
            });
        }
    }
    const auto deleteRoom = [this] {
        Report(zones_.DeleteRoom());
        runtime_.View().Refresh();
    };
    on(m.nDeleteRoom, deleteRoom);
    on(m.nDeleteLink, deleteRoom);
    for (int k = 0; k < 4; ++k) {
        on(showZone_[static_cast<std::size_t>(k)], [this, k] { Report(tree_.ShowCrossLinkZone(k)); });
    }
}

}  // namespace trellan
