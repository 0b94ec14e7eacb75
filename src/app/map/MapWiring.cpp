#include "app/map/MapWiring.h"

#include <QAction>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QToolButton>
#include <exception>

#include "app/map/MapPage.h"
#include "app/window/MainMenu.h"
#include "app/window/MainToolBar.h"
#include "app/window/StatusPanels.h"
#include "app/window/TrellanForm.h"
#include "runtime/TrellanRuntime.h"
#include "text/Cp1251.h"
#include "view/QtText.h"
#include "view/MapPanel.h"

namespace trellan {

MapWiring::MapWiring(TrellanForm& form, TrellanRuntime& runtime) : form_(form), runtime_(runtime) {
    ViewState& view = runtime_.View();
    panel_ = new MapPanel(runtime_.TheWorld(), view, skins_, runtime_.Settings(), runtime_.Mapping());
    MapPage& page = *form_.Map;
    MainToolBar& bar = *page.ToolBar;
    // The tool bar carries the chooser and the level buttons; the panel's
    // own strip stays hidden.
    QWidget* strip = panel_->LevelUpButton()->parentWidget();
    bar.AdoptSkinChooser(panel_->SkinChooser());
    strip->hide();
    page.SetMapPanel(panel_);

    gestures_ = std::make_unique<MapGestures>(*panel_, runtime_.TheWorld(), view, runtime_.Settings(),
                                              runtime_.Placer(), runtime_.Links());
    gestures_->ShowRoomInfo = [this](const MudRoom* room) { ShowRoom(room); };
    gestures_->SpeedwalkToTarget = [this] { SpeedwalkToTarget(); };
    gestures_->RoomDragBegins = [this](MapGestures::RoomDragKind kind) {
        const char* step = kind == MapGestures::RoomDragKind::NewRoom ? "новая комната"
                           : kind == MapGestures::RoomDragKind::Link  ? "длинная связь"
                                                                      : "перемещение полей";
        runtime_.History().Begin(Utf8ToCp1251(step));
    };
    gestures_->RoomDragEnds = [this] { runtime_.History().End(); };
    panel_->SetMouseHandler(gestures_.get());

    panel_->ErrorReported = [this](const std::string& message) {
        if (ErrorReported) ErrorReported(message);
    };
    skins_.ActiveChanged = [this] {
        runtime_.Mapping().SkinRoomColor = skins_.SkinRoomColor;
        if (panel_) panel_->SkinChanged();
    };
    // The panel repaints on every refresh; the level buttons follow the
    // view even while a drag holds the status bar still.
    std::function<void()> repaint = view.RepaintRequested;
    view.RepaintRequested = [this, repaint] {
        if (repaint) repaint();
        const ViewState& state = runtime_.View();
        form_.Map->ToolBar->tbLevelUp->setEnabled(state.LevelUpEnabled());
        form_.Map->ToolBar->tbLevelDown->setEnabled(state.LevelDownEnabled());
    };
    view.StatusRefreshRequested = [this] { RefreshStatus(); };

    MainMenu& menu = form_.Menu;
    QObject* context = panel_.data();
    QObject::connect(menu.nZoomIn, &QAction::triggered, context, [this] { panel_->StepZoom(+1); });
    QObject::connect(menu.nZoomOut, &QAction::triggered, context, [this] { panel_->StepZoom(-1); });
    QObject::connect(menu.nZoom100, &QAction::triggered, context, [this] { panel_->SetZoom(100); });
    QObject::connect(menu.nZoomFit, &QAction::triggered, context, [this] { panel_->FitLevel(); });
    QObject::connect(bar.btnZoomFit, &QAction::triggered, context, [this] { panel_->FitLevel(); });
    QObject::connect(menu.nRoomNames, &QAction::triggered, context, [this](bool on) { SetRoomNames(on); });
    QObject::connect(bar.btnRoomNames, &QAction::triggered, context, [this](bool on) { SetRoomNames(on); });
    panel_->ZoomChanged = [this] { runtime_.Profile().MapZoom = panel_->Zoom(); };

    QObject::connect(bar.tbLevelUp, &QAction::triggered, panel_.data(), [this] { panel_->ChangeLevel(+1); });
    QObject::connect(bar.tbLevelDown, &QAction::triggered, panel_.data(), [this] { panel_->ChangeLevel(-1); });
    QObject::connect(form_.Status, &StatusPanels::LevelIconClicked, panel_.data(), [this](bool up) { StepLevel(up); });
}

MapWiring::~MapWiring() {
    ViewState& view = runtime_.View();
    view.RepaintRequested = nullptr;
    view.StatusRefreshRequested = nullptr;
    skins_.ActiveChanged = nullptr;
    skins_.ChooserRefilled = nullptr;
    if (panel_) {
        panel_->SetMouseHandler(nullptr);
        panel_->ZoomChanged = nullptr;
    }
}

void MapWiring::LoadProfileSkins() {
    const std::string& world = runtime_.TheWorld().CurrentWorld;
    if (world.empty()) return;
    const WorldProfile& profile = runtime_.Profile();
    skins_.LoadProfileSkins(runtime_.Home().WorldDirectory(world), profile.SkinIniFile, profile.CurrentSkin);
    runtime_.Mapping().SkinRoomColor = skins_.SkinRoomColor;
    panel_->SkinChanged();
    ApplyProfileView();
    runtime_.View().Refresh();
}

void MapWiring::ApplyProfileView() {
    const WorldProfile& profile = runtime_.Profile();
    const bool names = profile.MapRoomNames;
    panel_->SetZoom(profile.MapZoom);
    SetRoomNames(names);
}

void MapWiring::SetRoomNames(bool show) {
    runtime_.Profile().MapRoomNames = show;
    panel_->SetShowRoomNames(show);
    form_.Menu.nRoomNames->setChecked(show);
    form_.Map->ToolBar->btnRoomNames->setChecked(show);
}

void MapWiring::ShowCurrentRoom() {
    panel_->ShowCurrentRoom();
}

void MapWiring::RefreshStatus() {
    const ViewState& view = runtime_.View();
    form_.Status->SetLevel(view.DL, view.DL<view.Bounds.MaxL, view.DL> view.Bounds.MinL);
    ShowRoom(runtime_.TheWorld().CurrentRoom);
}

void MapWiring::ShowRoom(const MudRoom* room) {
    StatusPanels& status = *form_.Status;
    // The server's own number for the room follows Trellan's, when known.
    std::string number = room != nullptr ? "#" + std::to_string(room->Tag) : std::string();
    if (room != nullptr && !room->ServerId.empty()) number += " (" + room->ServerId + ")";
    status.SetText(4, number);
    status.SetText(5, room != nullptr ? room->Hint : std::string());
    // A note being edited is not overwritten.
    QPlainTextEdit* note = form_.Map->MemoNote;
    if (note->isReadOnly()) note->setPlainText(ToQt(room ? room->Note : ""));
}

void MapWiring::StepLevel(bool up) {
    ViewState& view = runtime_.View();
    if (up && view.DL < view.Bounds.MaxL) {
        ++view.DL;
    } else if (!up && view.DL > view.Bounds.MinL) {
        --view.DL;
    }
    view.Refresh();
}

void MapWiring::SpeedwalkToTarget() {
    const SpeedwalkResult result = runtime_.Walks().WalkToTarget(SpeedwalkSender::Send);
    if (result.What == SpeedwalkResult::Kind::Message && MessageReported) MessageReported(result.Text);
}

}  // namespace trellan
