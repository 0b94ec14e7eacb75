#pragma once
// The zone tree in the window: keeps the tree widget in step with the
// world, runs its context menu (items shown by the level of the chosen
// node), label edits, double clicks and Ctrl keys through the core's zone
// and zone-tree operations; also the new-zone command and the room search.
// Questions go through Dialogs, failures to the program-wide error handler.
//
// The runtime, the map wiring and the dialogs must outlive it; the window
// must too (the runner destroys this first).
#include <functional>
#include <memory>
#include <string>

#include "mapping/ZoneMessages.h"
#include "mapping/ZoneOperations.h"
#include "mapping/ZoneTreeOperations.h"

class QAction;
class QPoint;
class QTreeWidgetItem;

namespace trellan {

class Dialogs;
class MapWiring;
class RoomFinder;
class TrellanForm;
class TrellanRuntime;
class ZoneTreeView;
struct SpeedwalkResult;

class ZoneTreeWiring {
public:
    ZoneTreeWiring(TrellanForm& form, TrellanRuntime& runtime, MapWiring& map, Dialogs& dialogs);
    ~ZoneTreeWiring();
    ZoneTreeWiring(const ZoneTreeWiring&) = delete;
    ZoneTreeWiring& operator=(const ZoneTreeWiring&) = delete;

    // Brings the tree up to the world (it also follows every map refresh).
    void Refresh();

    // Shows and checks the tree menu's items for the selected node, as it
    // is done when the menu opens; false when no node is selected.
    bool PrepareMenu();

    // The room menu added a bookmark: its node goes into label editing.
    void BookmarkAdded(MudRoom* room);
    // A new empty zone, its node put into label editing.
    void CreateZone();

    ZoneTreeView& View() { return *view_; }
    RoomFinder& Finder() { return *finder_; }

    // Where errors go (the program-wide error handler).
    std::function<void(const std::string& message)> ErrorReported;

private:
    void ConnectMenu();
    void OpenMenu(const QPoint& position);
    void DoubleClicked(QTreeWidgetItem* item);
    void LabelEdited(int level, const std::string& oldText, MudRoom* room, const std::string& newText);
    std::string SelectedZone() const;
    MudRoom* SelectedRoom() const;

    void LoadZone();
    void DeleteZone();
    void LockZone();
    void SpeedWalk(int sender);
    void ShowOnMap();
    void RemoveBookmark();

    void Deliver(const SpeedwalkResult& result);
    void Report(const ZoneResult& result);
    void Error(const std::string& message);
    void RebuildImages();

    TrellanForm& form_;
    TrellanRuntime& runtime_;
    MapWiring& map_;
    Dialogs& dialogs_;
    ZoneMessages messages_;
    ZoneTreeOperations& treeOps_;
    ZoneOperations& zoneOps_;
    std::unique_ptr<ZoneTreeView> view_;
    std::unique_ptr<RoomFinder> finder_;
    // The view state's and the skins' hooks outlive this object; they ask
    // here whether it is still there.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace trellan
