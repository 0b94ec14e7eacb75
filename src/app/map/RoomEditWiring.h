#pragma once
// Room editing in the main window: the room menu on the map, the room
// properties dialog (EditRoom) and the note box, bound to the runtime's
// world and mapping operations. Owns the zone operations the menu calls.
// The runtime and the map wiring must outlive it; the window may go first.
#include <functional>
#include <memory>
#include <string>

#include "app/map/RoomEditContext.h"

namespace trellan {

class Dialogs;
class MapWiring;
class MudRoom;
class NoteBox;
class PropertyForm;
class RoomPopup;
class TrellanForm;
class TrellanRuntime;

class RoomEditWiring {
public:
    // After the runtime started and the map wiring exists.
    RoomEditWiring(TrellanForm& form, TrellanRuntime& runtime, MapWiring& map, Dialogs& dialogs);
    ~RoomEditWiring();
    RoomEditWiring(const RoomEditWiring&) = delete;
    RoomEditWiring& operator=(const RoomEditWiring&) = delete;

    // The properties dialog for TargetRoom (nothing without one).
    void EditRoom();

    RoomPopup& Popup() { return *popup_; }
    NoteBox& Note() { return *note_; }

    // Shows the properties dialog modally; true for OK. Replaceable (tests).
    std::function<bool(PropertyForm& form)> RunPropertyForm;
    // The colour dialog of the menu and the properties dialog (tests).
    void SetColorPicker(ColorPicker picker);

    // For the window: errors for the program-wide handler, the zone tree
    // after bookmark changes, and a new bookmark to select and put into
    // label editing.
    std::function<void(const std::string& message)> ErrorReported;
    std::function<void()> TreeChanged;
    std::function<void(MudRoom* room)> BookmarkAdded;

private:
    TrellanForm& form_;
    TrellanRuntime& runtime_;
    MapWiring& map_;
    RoomEditContext context_;
    std::unique_ptr<RoomPopup> popup_;
    std::unique_ptr<NoteBox> note_;
    ColorPicker picker_;
    std::function<void(MudRoom*)> previousRoomRemoved_;
};

}  // namespace trellan
