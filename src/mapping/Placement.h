#pragma once
// The geometry engine of the map: placing new rooms next to the room the
// player came from, refreshing known rooms from fresh output, and making
// space by shifting connected blocks of rooms one cell at a time. Acts on
// the shown zone of the world (ZoneRooms); every room look-up goes through
// the world's cell index, so nothing here scans the zone except to visit a
// block that must move.
//
// Directions are texts: one of the six movement commands of the config or,
// where said, a direction phrase.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mapping/Directions.h"
#include "mapping/MappingConfig.h"
#include "mapping/ViewState.h"
#include "model/World.h"

namespace trellan {

// What NewRoomAt creates.
enum class RoomKind : std::uint8_t { Room, Corridor };

class Placement {
public:
    // All three must outlive the placement; the config may change between
    // calls (a new profile).
    Placement(World& world, ViewState& view, const MappingConfig& config);

    // --- Directions ----------------------------------------------------------
    std::string Opposite(std::string_view d) const { return trellan::Opposite(d, config_); }
    void ReposXYL(std::string_view d, std::int32_t& x, std::int32_t& y, std::int32_t& l) const {
        trellan::ReposXYL(d, x, y, l, config_);
    }
    // Sets the room's link flag of the command or phrase d to v (any other
    // text changes nothing). A change clears MapSaved.
    void SetCheck(MudRoom* room, std::string_view d, bool v);
    bool WasStep(const MudRoom* room, std::string_view d) const;

    // --- Rooms ---------------------------------------------------------------
    // Creates a room or a corridor cell at the cell in the current zone,
    // numbers it (corridor cells keep 0), widens the bounds and refreshes
    // the view. The world owns the room.
    MudRoom* NewRoomAt(std::int32_t x, std::int32_t y, std::int32_t l, std::string_view name,
                       std::string_view description, std::string_view exits, RoomKind kind);
    // Refreshes a known room from freshly parsed output: the name always,
    // the description unless empty or "Editing", the exits only when they
    // differ by more than blanks and parentheses. A dark room changes
    // nothing, and a room that would not change is not touched (MapSaved
    // stays as it is).
    void RefreshProp(MudRoom* room, std::string_view name, std::string_view description, std::string_view exits);

    // --- Blocks ----------------------------------------------------------------
    // Appends to `block` every room that must move with `start` when it is
    // pushed one cell in direction d, in depth-first order (neighbours north,
    // south, east, west, up, down); rooms already in `block` are skipped.
    // The room in front of a pushed room always comes along, the one behind
    // it never, those beside it (on its level or above and below) when they
    // are linked to it -- for pushes up and down as well, so that a push
    // never moves a room onto another. A corridor cell running along the
    // push (its exits hold the exit word of d) stops the block: it is
    // shortened or stretched instead.
    void ListAt(std::string_view d, MudRoom* start, std::vector<MudRoom*>& block) const;
    // Moves the block anchored at TargetRoom one cell in direction d,
    // shortening corridors in front of it and stretching links behind it
    // with corridor cells. No TargetRoom: nothing happens. The caller
    // refreshes the view.
    void MoveRoomTo(std::string_view d);
    // Menu form: tag 1..4 = north, south, east, west; then the refresh.
    void MoveRoom(int menuTag);
    // Makes one cell of space between A and B along d by moving the smaller
    // of A's block (backwards) and B's block (forwards; also on a tie).
    // TargetRoom is left at the anchor moved.
    void ExpandRooms(MudRoom* a, MudRoom* b, std::string_view d);
    // Menu form: tag 1..6 = north, south, east, west, up, down. Links
    // TargetRoom with the neighbouring cell, creating a room named with the
    // darkness message there when the cell is empty. Returns that neighbour
    // (nullptr without a TargetRoom or for a bad tag).
    MudRoom* StepTo(int menuTag);
    // "Current position here": CurrentRoom := TargetRoom. With a TargetRoom,
    // `tracingOff` is called first (switch tracing off, walking choice).
    void SelectRoom(const std::function<void()>& tracingOff);

    // The movement command of a menu tag 1..6 (north, south, east, west, up,
    // down); empty for another tag.
    std::string MenuCommand(int menuTag) const;
    // The direction of a menu tag: the popup menus number their direction
    // items 1..6 in the profile's key order. None for another tag.
    static std::optional<Direction> MenuDirection(int menuTag);
    // The menu tag of a direction, 1..6.
    static int MenuTag(Direction direction);

    World& GetWorld() const { return world_; }
    ViewState& View() const { return view_; }
    const MappingConfig& Config() const { return config_; }

private:
    World& world_;
    ViewState& view_;
    const MappingConfig& config_;
};

}  // namespace trellan
