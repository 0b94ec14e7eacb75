#include "app/zonetree/ZoneTreeWiring.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QToolButton>
#include <QTreeWidget>
#include <optional>

#include "app/window/Dialogs.h"
#include "app/window/MainToolBar.h"
#include "app/map/MapPage.h"
#include "app/map/MapWiring.h"
#include "app/map/RoomFinder.h"
#include "app/window/TrellanForm.h"
#include "app/zonetree/ZoneTreeImages.h"
#include "app/zonetree/ZoneTreeKeys.h"
#include "app/zonetree/ZoneTreeView.h"
#include "common/Errors.h"
#include "runtime/TrellanRuntime.h"
#include "text/Cp1251.h"
#include "view/QtText.h"

namespace trellan {

ZoneTreeWiring::ZoneTreeWiring(TrellanForm& form, TrellanRuntime& runtime, MapWiring& map, Dialogs& dialogs)
    : form_(form),
      runtime_(runtime),
      map_(map),
      dialogs_(dialogs),
      messages_(&runtime.Captions()),
      treeOps_(runtime.ZoneTree()),
      zoneOps_(runtime.Zones()) {
    MapPage& page = *form_.Map;
    QTreeWidget& tree = *page.TreeViewZones;
    view_ = std::make_unique<ZoneTreeView>(tree, runtime_.TheWorld());
    view_->LabelEdited = [this](int level, const std::string& oldText, MudRoom* room, const std::string& text) {
        LabelEdited(level, oldText, room, text);
    };
    RebuildImages();

    MainToolBar& bar = *page.ToolBar;
    auto* keys = new ZoneTreeKeys(runtime_.View(), runtime_.Settings(),
                                  {page.ScrollBarV, page.ScrollBarH, bar.tbLevelUp, bar.tbLevelDown}, view_.get());
    tree.installEventFilter(keys);

    QObject::connect(&tree, &QTreeWidget::customContextMenuRequested, view_.get(),
                     [this](const QPoint& position) { OpenMenu(position); });
    QObject::connect(&tree, &QTreeWidget::itemDoubleClicked, view_.get(),
                     [this](QTreeWidgetItem* item) { DoubleClicked(item); });
    ConnectMenu();

    finder_ = std::make_unique<RoomFinder>(runtime_.Search(), runtime_.Captions(), dialogs_, form_);
    finder_->Connect(bar.nFindByName, bar.nFindByDesc);
    finder_->ErrorReported = [this](const std::string& message) { Error(message); };
    // The search showed rooms wherever they were; closed, the map returns
    // to the player's room and level, and the search button comes up.
    finder_->Closed = [this, &bar] {
        if (runtime_.TheWorld().CurrentRoom != nullptr) map_.ShowCurrentRoom();
        if (auto* button = qobject_cast<QToolButton*>(bar.widgetForAction(bar.tbFind))) {
            button->setDown(false);
            button->update();
        }
    };

    // Whatever changed the world ends with a map refresh; the tree follows.
    std::weak_ptr<bool> alive = alive_;
    ViewState& viewState = runtime_.View();
    std::function<void()> repaint = viewState.RepaintRequested;
    viewState.RepaintRequested = [this, alive, repaint] {
        if (repaint) repaint();
        if (alive.lock()) Refresh();
    };
    SkinSet& skins = map_.Skins();
    std::function<void()> rebuilt = skins.Slot0IconsRebuilt;
    skins.Slot0IconsRebuilt = [this, alive, rebuilt] {
        if (rebuilt) rebuilt();
        if (alive.lock()) RebuildImages();
    };
    Refresh();
}

ZoneTreeWiring::~ZoneTreeWiring() {
    alive_.reset();
}

void ZoneTreeWiring::Refresh() {
    view_->Sync();
}

void ZoneTreeWiring::RebuildImages() {
    view_->SetImages(map_.Skins().ZoneTreeImages(BuiltInZoneTreeImages()));
}

void ZoneTreeWiring::ConnectMenu() {
    PopupMenus& menus = form_.Popups;
    QObject* context = view_.get();
    const auto bind = [context](QAction* action, std::function<void()> handler) {
        QObject::connect(action, &QAction::triggered, context, [handler = std::move(handler)] { handler(); });
    };
    // The world commands are the main menu's, whoever carries them out.
    bind(menus.nnNewWorld, [this] { form_.Menu.nNewWorld->trigger(); });
    bind(menus.nnLoadWorld, [this] { form_.Menu.nLoadWorld->trigger(); });
    bind(menus.nnSaveWorld, [this] { form_.Menu.nSaveWorld->trigger(); });
    bind(menus.nnLoadZone, [this] { LoadZone(); });
    bind(menus.nnNewZone, [this] { CreateZone(); });
    bind(menus.nnRenameZone, [this] {
        QTreeWidgetItem* item = view_->Selected();
        if (ZoneTreeView::Level(item) == 1) view_->EditLabel(item);
    });
    bind(menus.nnDeleteZone, [this] { DeleteZone(); });
    bind(menus.nnLockZone, [this] { LockZone(); });
    bind(menus.nnSpeedWalk, [this] { SpeedWalk(static_cast<int>(SpeedwalkSender::Send)); });
    bind(menus.nnSpeedWalkNTD, [this] { SpeedWalk(static_cast<int>(SpeedwalkSender::ClipboardWithSeparators)); });
    bind(menus.nnSpeedWalkNT, [this] { SpeedWalk(static_cast<int>(SpeedwalkSender::ClipboardWithoutSeparators)); });
    bind(menus.nnShowOnMap, [this] { ShowOnMap(); });
    bind(menus.nnRemoveRoom, [this] { RemoveBookmark(); });

    bind(form_.Menu.nNewZone, [this] { CreateZone(); });
}

// --- The menu ------------------------------------------------------------------

bool ZoneTreeWiring::PrepareMenu() {
    QTreeWidgetItem* item = view_->Selected();
    const int level = ZoneTreeView::Level(item);
    if (level < 0) return false;
    PopupMenus& menus = form_.Popups;
    for (QAction* action : {menus.nnNewWorld, menus.nnLoadWorld, menus.nnSaveWorld}) action->setVisible(level == 0);
    for (QAction* action : {menus.nnLoadZone, menus.nnRenameZone, menus.nnDeleteZone, menus.nnLockZone}) {
        action->setVisible(level == 1);
    }
    menus.nnNewZone->setVisible(level <= 1);
    menus.nnLockZone->setChecked(level == 1 &&
                                 item->data(0, ZoneTreeView::StateRole).toInt() == kLockedZoneStateImage);

    // Walking into a death trap is never offered, here as on the map.
    const World& world = runtime_.TheWorld();
    MudRoom* room = level == 2 ? view_->RoomOf(item) : nullptr;
    const bool walkable = room != nullptr && !room->DT && world.CurrentRoom != nullptr;
    menus.nnSpeedWalk->setVisible(walkable && runtime_.Tracker().Tracing());
    menus.nnSpeedWalkNTD->setVisible(walkable && world.CurrentRoom != room);
    menus.nnSpeedWalkNT->setVisible(walkable && world.CurrentRoom != room);
    menus.nnShowOnMap->setVisible(level == 2);
    menus.nnRemoveRoom->setVisible(level == 2);
    return true;
}

void ZoneTreeWiring::OpenMenu(const QPoint& position) {
    QTreeWidget* tree = view_->Tree();
    if (tree == nullptr) return;
    if (QTreeWidgetItem* under = tree->itemAt(position)) tree->setCurrentItem(under);
    if (!PrepareMenu()) return;
    form_.Popups.PopupTree->popup(tree->viewport()->mapToGlobal(position));
}

std::string ZoneTreeWiring::SelectedZone() const {
    QTreeWidgetItem* item = view_->Selected();
    return ZoneTreeView::Level(item) == 1 ? view_->ZoneOf(item) : std::string();
}

MudRoom* ZoneTreeWiring::SelectedRoom() const {
    return view_->RoomOf(view_->Selected());
}

// --- Zones -----------------------------------------------------------------------

void ZoneTreeWiring::LoadZone() {
    const std::string zone = SelectedZone();
    if (zone.empty()) return;
    Report(treeOps_.OpenZone(zone, true));
    Refresh();
}

void ZoneTreeWiring::CreateZone() {
    std::string zone;
    try {
        zone = zoneOps_.CreateZone();
    } catch (const TrellanError& error) {
        Error(error.what());
        return;
    }
    Refresh();
    if (!zone.empty()) view_->EditLabel(view_->ZoneItem(zone));
}

void ZoneTreeWiring::DeleteZone() {
    const std::string zone = SelectedZone();
    if (zone.empty() || !dialogs_.Question(messages_.DeleteZoneQuestion(zone))) return;
    {
        UndoHistory::Step step(runtime_.History(), Utf8ToCp1251("удаление зоны"));
        Report(treeOps_.DeleteZone(zone));
    }
    Refresh();
}

void ZoneTreeWiring::LockZone() {
    const std::string zone = SelectedZone();
    if (zone.empty()) return;
    form_.Popups.nnLockZone->setChecked(treeOps_.ToggleZoneLock(zone));
    Refresh();
}

void ZoneTreeWiring::LabelEdited(int level, const std::string& oldText, MudRoom* room, const std::string& newText) {
    std::optional<UndoHistory::Step> step;
    if (level == 1) {
        if (newText == oldText) return;
        step.emplace(runtime_.History(), Utf8ToCp1251("переименование зоны"));
        // A refused rename keeps the old label: the tree shows the model.
        const ZoneResult result = treeOps_.RenameZone(oldText, newText);
        if (result.Succeeded()) view_->ZoneRenamed(oldText, newText);
        Report(result);
    } else if (level == 2) {
        step.emplace(runtime_.History(), Utf8ToCp1251("переименование закладки"));
        treeOps_.RenameBookmark(room, newText);
    }
    Refresh();
}

void ZoneTreeWiring::DoubleClicked(QTreeWidgetItem* item) {
    switch (ZoneTreeView::Level(item)) {
        case 1:
            Report(treeOps_.OpenZone(view_->ZoneOf(item), false));
            Refresh();
            break;
        case 2:
            if (MudRoom* room = view_->RoomOf(item); room != nullptr && !room->DT) {
                Deliver(runtime_.Walks().WalkToRoom(room, SpeedwalkSender::Send));
            }
            break;
        default:
            break;
    }
}

// --- Bookmarks -------------------------------------------------------------------

void ZoneTreeWiring::SpeedWalk(int sender) {
    if (MudRoom* room = SelectedRoom()) {
        Deliver(runtime_.Walks().WalkToRoom(room, static_cast<SpeedwalkSender>(sender)));
    }
}

void ZoneTreeWiring::ShowOnMap() {
    if (MudRoom* room = SelectedRoom()) {
        Report(treeOps_.ShowBookmarkedRoom(room));
        Refresh();
    }
}

void ZoneTreeWiring::RemoveBookmark() {
    {
        UndoHistory::Step step(runtime_.History(), Utf8ToCp1251("снятие закладки"));
        treeOps_.UnbookmarkRoom(SelectedRoom());
    }
    Refresh();
}

void ZoneTreeWiring::BookmarkAdded(MudRoom* room) {
    Refresh();
    if (room != nullptr) view_->EditLabel(view_->BookmarkItem(room));
}

// --- Outcomes --------------------------------------------------------------------

void ZoneTreeWiring::Deliver(const SpeedwalkResult& result) {
    switch (result.What) {
        case SpeedwalkResult::Kind::Clipboard:
            QGuiApplication::clipboard()->setText(ToQt(result.Text));
            break;
        case SpeedwalkResult::Kind::Message:
            dialogs_.Information(result.Text);
            break;
        default:
            break;
    }
}

void ZoneTreeWiring::Report(const ZoneResult& result) {
    for (const std::string& error : result.Errors) Error(error);
    if (result.Outcome == ZoneOutcome::Refused && !result.Message.empty()) dialogs_.Error(result.Message);
}

void ZoneTreeWiring::Error(const std::string& message) {
    if (ErrorReported) {
        ErrorReported(message);
    } else {
        dialogs_.Error(message);
    }
}

}  // namespace trellan
