#pragma once
// The map's room menu: which items it offers for the room under the
// pointer (TargetRoom), their check marks and captions, the picture grid
// built from the skin's icons, and what each item does through the core
// operations. The menu itself (PopupMenus) belongs to the window; this
// object fills it and runs its commands. Everything it refers to must
// outlive it; the window may go first.
#include <QPoint>
#include <QPointer>
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "app/map/RoomEditContext.h"
#include "model/Direction.h"

class QAction;
class QMenu;
class QWidget;

namespace trellan {

struct PopupMenus;
class MudRoom;
class SkinSet;
class TrellanRuntime;
class ZoneOperations;
class ZoneTreeOperations;
struct ZoneResult;

class RoomPopup {
public:
    RoomPopup(PopupMenus& menus, const RoomEditContext& context, TrellanRuntime& runtime, SkinSet& skins,
              ZoneOperations& zones, ZoneTreeOperations& tree);

    // Fills the menu for TargetRoom (hides everything without one).
    void Prepare();
    // Prepare, then the menu at a screen point until it closes.
    void Open(const QPoint& globalPos);

    // The picture grid's buttons, by picture value (-1 the "no picture" one).
    QWidget* PictureGrid() const { return pictureGrid_; }
    // The cross-link items, 0..3.
    QAction* ShowZoneItem(int k) const { return showZone_[static_cast<std::size_t>(k)]; }

    // "Редактировать поле".
    std::function<void()> EditRoom;
    // A bookmark was added (its node goes into label editing) or bookmarks
    // and their images changed.
    std::function<void(MudRoom* room)> BookmarkAdded;
    std::function<void()> TreeChanged;
    // Save failures for the program-wide error handler.
    std::function<void(const std::string& message)> ErrorReported;
    ColorPicker PickColor;

private:
    void ConnectCommands();
    void BuildPictureGrid();
    void ShowForCorridor();
    void ShowForRoom(const MudRoom& room);
    void CloseMenus();
    void Repaint();
    // What an edit changed: a picture or mark also shows as the room's
    // bookmark image in the zone tree.
    enum class EditedPart : std::uint8_t { Colour, Picture };
    void Edited(EditedPart part);
    void Speedwalk(int sender);
    void Report(const ZoneResult& result);
    // The items of TargetRoom's property submenu: tag 1 picks its colour,
    // tags 2 to 5 toggle a mark (DT, FlyDT, Agro, NoStep).
    void SetColorOrMark(int tag);
    void ApplyLastColor();
    void SetTargetPicture(int tag);
    void ToggleTargetDoor(Direction direction);

    PopupMenus& menus_;
    RoomEditContext context_;
    TrellanRuntime& runtime_;
    SkinSet& skins_;
    ZoneOperations& zones_;
    ZoneTreeOperations& tree_;
    std::array<QAction*, 4> showZone_{};
    QPointer<QAction> pictureAction_;
    QPointer<QWidget> pictureGrid_;
};

}  // namespace trellan
