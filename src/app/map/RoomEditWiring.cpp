#include "app/map/RoomEditWiring.h"

#include <QColorDialog>

#include "app/window/Dialogs.h"
#include "app/map/MapPage.h"
#include "app/map/MapWiring.h"
#include "app/map/NoteBox.h"
#include "app/map/PropertyForm.h"
#include "app/map/RoomPopup.h"
#include "app/window/TrellanForm.h"
#include "runtime/TrellanRuntime.h"
#include "text/Cp1251.h"
#include "view/ColorRef.h"
#include "view/MapGestures.h"

namespace trellan {

std::optional<std::uint32_t> PickColorWithDialog(std::uint32_t initial) {
    const QColor chosen = QColorDialog::getColor(QColor::fromRgb(ColorRefToRgb(initial)), nullptr);
    if (!chosen.isValid()) return std::nullopt;
    return RgbToColorRef(chosen.rgb());
}

RoomEditWiring::RoomEditWiring(TrellanForm& form, TrellanRuntime& runtime, MapWiring& map, Dialogs& dialogs)
    : form_(form),
      runtime_(runtime),
      map_(map),
      context_{runtime.Captions(), runtime.TheWorld(), runtime.Placer(), runtime.Links(),
               runtime.Mapping(),  map.Skins(),        runtime.Settings(), dialogs,
               &runtime.History()} {
    popup_ = std::make_unique<RoomPopup>(form.Popups, context_, runtime, map.Skins(), runtime.Zones(),
                                         runtime.ZoneTree());
    popup_->EditRoom = [this] { EditRoom(); };
    popup_->ErrorReported = [this](const std::string& message) {
        if (ErrorReported) ErrorReported(message);
    };
    popup_->TreeChanged = [this] {
        if (TreeChanged) TreeChanged();
    };
    popup_->BookmarkAdded = [this](MudRoom* room) {
        if (BookmarkAdded) BookmarkAdded(room);
    };
    map.Gestures().OpenRoomMenu = [this](const QPoint& globalPos) { popup_->Open(globalPos); };

    note_ = std::make_unique<NoteBox>(*form.Map, runtime.TheWorld(), [this] { map_.RefreshStatus(); });
    World& world = runtime.TheWorld();
    previousRoomRemoved_ = world.OnRoomRemoved;
    world.OnRoomRemoved = [this](MudRoom* room) {
        note_->Forget(room);
        if (previousRoomRemoved_) previousRoomRemoved_(room);
    };
}

RoomEditWiring::~RoomEditWiring() {
    runtime_.TheWorld().OnRoomRemoved = previousRoomRemoved_;
    map_.Gestures().OpenRoomMenu = nullptr;
}

void RoomEditWiring::SetColorPicker(ColorPicker picker) {
    picker_ = std::move(picker);
    popup_->PickColor = picker_;
}

void RoomEditWiring::EditRoom() {
    World& world = runtime_.TheWorld();
    MudRoom* room = world.TargetRoom;
    if (room == nullptr) return;
    bool bookmarkAdded = false;
    bool bookmarks = false;
    {
        PropertyForm dialog(context_, *room, &form_);
        dialog.PickColor = picker_;
        const bool ok = RunPropertyForm ? RunPropertyForm(dialog) : dialog.exec() == QDialog::Accepted;
        // The room may have been taken away while the dialog was open.
        if (ok && world.Contains(room)) {
            UndoHistory::Step step(runtime_.History(), Utf8ToCp1251("свойства поля"));
            bookmarks = true;
            bookmarkAdded = dialog.ApplyToRoom();
        }
    }
    ViewState& view = runtime_.View();
    view.InvalidateBounds();
    view.Refresh();
    if (bookmarkAdded && BookmarkAdded) {
        BookmarkAdded(room);
    } else if (bookmarks && TreeChanged) {
        TreeChanged();
    }
}

}  // namespace trellan
