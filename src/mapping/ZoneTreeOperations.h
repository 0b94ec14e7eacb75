#pragma once
// The commands of the zone tree and the bookmark commands of the map popup:
// load, rename, delete and lock a zone; rename, add, remove and show a
// bookmarked room; follow a cross link into its zone. The tree itself is
// the World's ZoneTree; the widget draws it and calls these. Questions to
// the player (delete the zone?) are asked by the caller first.
#include <string>

#include "mapping/MappingConfig.h"
#include "mapping/ViewState.h"
#include "mapping/ZoneFiles.h"
#include "mapping/ZoneMessages.h"
#include "mapping/ZoneOutcome.h"
#include "model/World.h"

namespace trellan {

class ZoneTreeOperations {
public:
    // Every reference must outlive this object.
    ZoneTreeOperations(World& world, ViewState& view, const MappingConfig& config, ZoneFiles& files,
                       ZoneMessages messages, ZoneOperationHooks hooks = {});

    // Makes the zone of a tree node current: saves the current zone, shows
    // the chosen one and centres the view. The menu command switches
    // tracing off first (`fromMenu`), a double click does not. Save
    // failures come back in Errors; the zone is switched all the same.
    ZoneResult OpenZone(const std::string& zone, bool fromMenu);

    // A zone node's label was edited. Renames the zone's file; only when
    // that succeeded, the rooms, every cross-link entry naming the zone,
    // CurrentZone and LockedZones follow. Refused (nothing changed, Message
    // says why) when the file cannot be renamed, the name is empty or holds
    // "|", or a zone of that name exists.
    ZoneResult RenameZone(const std::string& from, const std::string& to);
    // A bookmark node's label was edited: the room's alias becomes it.
    void RenameBookmark(MudRoom* room, std::string label);

    // Deletes the zone (after the caller asked DeleteZoneQuestion): its
    // file, its rooms, its tree node, its lock, and in every other room the
    // cross-link entries into it with their link flags. Deleting the
    // current zone switches tracing off and leaves no current zone or
    // room. Refused (nothing changed) when the file cannot be deleted.
    ZoneResult DeleteZone(const std::string& zone);

    // Locks an unlocked zone or unlocks a locked one; returns the new state
    // (the menu item's check mark). CurrentZoneLocked follows the current
    // zone's state.
    bool ToggleZoneLock(const std::string& zone);

    // Puts TargetRoom on the quick list under its name. Returns the room,
    // whose node the tree then puts into label editing; nullptr when there
    // is no TargetRoom, no node of the current zone, or the room has no
    // name to show.
    MudRoom* BookmarkTargetRoom();
    // Takes TargetRoom (the map popup) or the node's room (the tree) off
    // the quick list.
    void UnbookmarkTargetRoom();
    void UnbookmarkRoom(MudRoom* room);

    // Shows a bookmarked room: its zone becomes current when it is not,
    // the view centres on it and marks it until the next refresh.
    ZoneResult ShowBookmarkedRoom(MudRoom* room);
    // The "show zone" item `tag` (0 to 3) of TargetRoom's cross-link
    // entries: shows that zone and the room numbered in the entry. An
    // entry whose number is not a number is refused before anything
    // changes; an entry naming an unknown zone does nothing.
    ZoneResult ShowCrossLinkZone(int tag);

private:
    // Saves and clears the current zone and shows `zone`.
    void SwitchZone(const std::string& zone, ZoneResult& result);
    void ShowRoom(MudRoom* room);
    bool ZoneKnown(const std::string& zone) const;

    World& world_;
    ViewState& view_;
    const MappingConfig& config_;
    ZoneFiles& files_;
    ZoneMessages messages_;
    ZoneOperationHooks hooks_;
};

}  // namespace trellan
