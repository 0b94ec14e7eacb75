#pragma once
// The map in the main window: the skins, the map panel put into the map
// page, the gestures on it, the level, centre and zoom commands and the
// names under the rooms (both kept in the world profile), the level part
// of the status bar and the room shown under the pointer. Owns the skins and
// the gestures; the panel belongs to the page. The runtime must outlive it,
// the window need not: it may be destroyed first.
#include <QPointer>
#include <functional>
#include <memory>
#include <string>

#include "view/MapGestures.h"
#include "view/MapPanel.h"
#include "view/SkinSet.h"

namespace trellan {

class MudRoom;
class TrellanForm;
class TrellanRuntime;

class MapWiring {
public:
    // Builds the panel into the window; call after the runtime started.
    MapWiring(TrellanForm& form, TrellanRuntime& runtime);
    ~MapWiring();
    MapWiring(const MapWiring&) = delete;
    MapWiring& operator=(const MapWiring&) = delete;

    // The world profile's skins (after a world was opened). Throws
    // FileFormatError for a damaged skin; the built-in skin stays then.
    void LoadProfileSkins();

    // The zoom and the names option the world profile keeps (after a world
    // was opened); LoadProfileSkins calls it.
    void ApplyProfileView();
    // The names under the rooms on or off: the panel, the menu item, the
    // tool button and the profile.
    void SetRoomNames(bool show);

    // F8: the current room's zone, then centring.
    void ShowCurrentRoom();

    // Where the panel's errors go (the program-wide error handler).
    std::function<void(const std::string& message)> ErrorReported;
    // A double-click's speedwalk outcome the user must read.
    std::function<void(const std::string& message)> MessageReported;

    MapPanel& Panel() { return *panel_; }
    SkinSet& Skins() { return skins_; }
    MapGestures& Gestures() { return *gestures_; }

    // Status panels 3 to 5, the note box and the level buttons as the view
    // and the current room are now.
    void RefreshStatus();

private:
    void ShowRoom(const MudRoom* room);
    void StepLevel(bool up);
    void SpeedwalkToTarget();

    TrellanForm& form_;
    TrellanRuntime& runtime_;
    SkinSet skins_;
    // The page owns the panel and may go first.
    QPointer<MapPanel> panel_;
    std::unique_ptr<MapGestures> gestures_;
};

}  // namespace trellan
