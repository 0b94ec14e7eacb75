#pragma once
// Joining rooms of the map: straight corridors of corridor cells (moving
// blocks of rooms out of the way), the link after a move with the
// cross-link fallback ("zone|phrase|number" entries in both rooms'
// AutoMaps), the corridor laid by hand, and removing a link with its
// corridor. Acts on the shown zone, through Placement.
#include <string>
#include <string_view>

#include "mapping/Placement.h"

namespace trellan {

class Linker {
public:
    // The placement (and through it the world, view and config) must outlive
    // the linker.
    explicit Linker(Placement& placement);

    // Joins A and B, B lying ahead of A on the straight line in direction d
    // (north, south, west or east) on A's level, with corridor cells in
    // every cell between them, first moving rooms in the way sideways when
    // their blocks hold neither A nor B. Returns whether that succeeded.
    // Never lays a corridor cell on an occupied cell: when a cell stays
    // taken, or B is not on the line at all, or the corridor would be
    // longer than kMaxCorridor cells, no corridor is laid and false
    // returned. In every case A's link flag for d and B's for the opposite
    // direction are set. TargetRoom is left at the anchor of the last block
    // moved.
    bool SetLink(MudRoom* a, MudRoom* b, std::string_view d);

    // The player walked from A by command d and found B, a known room not on
    // the neighbouring cell. Lines the two up and lays a corridor when they
    // are in one zone and on (or one row/column off) the line ahead;
    // otherwise, or when that fails, joins them by a cross link.
    void TryToLink(MudRoom* a, MudRoom* b, std::string_view d);

    // Menu form: tag 1..4 = north, south, east, west. Lays a corridor from
    // TargetRoom to the first room ahead on its level inside the map bounds
    // and refreshes. Returns false when there is no such room (the caller
    // beeps); nothing is changed then.
    bool MakeLink(int menuTag);

    // Removes the corridor cells from R in direction d up to the next room,
    // clears that room's flag towards R and R's flag for d. Cross-link
    // entries stay.
    void DeleteLink(MudRoom* r, std::string_view d);

    // The longest corridor SetLink lays.
    static constexpr std::int64_t kMaxCorridor = 10000;

private:
    Placement& placement_;
    World& world_;
    const MappingConfig& config_;
};

}  // namespace trellan
