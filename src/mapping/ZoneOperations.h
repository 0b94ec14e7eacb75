#pragma once
// The commands that change how the world is cut into zones: an empty zone,
// the part of the map beyond a room cut into a zone of its own, a zone
// reached through a cross link joined onto the shown grid, and one room
// deleted with everything that points at it. They act on TargetRoom (a room
// of the shown zone), keep every cross-link entry of the world pointing at
// the right zone and room number, and leave the files to ZoneFiles.
//
// Directions are Direction values.
#include <string>
#include <vector>

#include "mapping/Linker.h"
#include "mapping/Placement.h"
#include "mapping/ZoneFiles.h"
#include "mapping/ZoneMessages.h"
#include "mapping/ZoneOutcome.h"

namespace trellan {

class ZoneOperations {
public:
    // Every reference must outlive this object.
    ZoneOperations(Placement& placement, Linker& linker, ZoneFiles& files, ZoneMessages messages,
                   ZoneOperationHooks hooks = {});

    // Creates an empty zone named after the new-zone caption (followed by
    // " 1", " 2" ... while a zone or zone file of that name exists), writes
    // its file, makes it current and centres the view. Returns its name, for
    // the tree to put the new node into label editing; empty when no world
    // is open. Throws TrellanError when the file cannot be written; the
    // zone that was current then stays current.
    std::string CreateZone();

    // Walks the outline of the part of the shown zone that begins at the
    // cell beyond T in direction d (north, south, west or east), right hand
    // on the wall, appending the rooms it meets to `list` (each once) and
    // marking them Checked until the next refresh. True when the part hangs
    // on T alone. Cross links are not followed. A walk that would circle
    // forever on inconsistent link flags gives false.
    bool ListAtHand(Direction d, MudRoom* t, std::vector<MudRoom*>& list);
    // Grows `list` breadth first with every room of the shown zone linked to
    // a member, never passing T; links up are not followed when d is down,
    // links down not when d is up.
    void ListAtStart(const MudRoom* t, std::vector<MudRoom*>& list, Direction d) const;

    // Moves the part of the map beyond TargetRoom in direction d into a new
    // zone, renumbered from 1 and placed with its first room at the origin
    // (up and down keep the positions), joined to TargetRoom by a pair of
    // cross-link entries. Saves the world and shows the new zone. Refused
    // (CantStartNewZone, nothing changed) when the part is also reached by
    // another path or there is no room beyond.
    ZoneResult StartNewZone(Direction d);

    // Joins the zone that TargetRoom's cross link in direction d leads to
    // onto the shown grid, its partner room landing on the cell next to
    // TargetRoom; the rooms are renumbered in the shown zone and the joined
    // zone is deleted. Refused (CantMergeZone, nothing changed) without such
    // a link or partner, for a partner in the shown zone, or when a room
    // would land on an occupied cell.
    ZoneResult MergeZone(Direction d);

    // Deletes TargetRoom: its links with their corridors (a corridor cell
    // takes its whole corridor along), its bookmark, and the partners'
    // entries of its cross links with their link flags.
    ZoneResult DeleteRoom();

private:
    bool InShownZone(const MudRoom* room) const;
    // Renumbering R: the partner entries of its cross links point at R's
    // new number in `zone`.
    void RewritePartners(MudRoom* r, const std::string& zone);
    std::int32_t HighestTag(const std::string& zone) const;
    bool ZoneNameTaken(const std::string& zone) const;

    Linker& linker_;
    World& world_;
    ViewState& view_;
    const MappingConfig& config_;
    ZoneFiles& files_;
    ZoneMessages messages_;
    ZoneOperationHooks hooks_;
};

}  // namespace trellan
