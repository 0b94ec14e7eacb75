#pragma once
// A world with one shown zone and the mapping classes over it, on the
// profile defaults ("n" "s" "w" "e" "u" "d", exit words N S W E U D).
#include <gtest/gtest.h>

#include <string>

#include "mapping/Linker.h"
#include "mapping/MappingConfig.h"
#include "mapping/Placement.h"
#include "mapping/ViewState.h"
#include "model/World.h"
#include "text/Cp1251.h"

namespace trellan {

class MappingFixture : public ::testing::Test {
protected:
    explicit MappingFixture(const char* zone = "zone") {
        world.CurrentZone = zone;
        world.LoadZone();
    }

    // An ordinary room.
    MudRoom* Room(std::int32_t x, std::int32_t y, std::int32_t l = 0, const std::string& name = "Room") {
        return place.NewRoomAt(x, y, l, name, "desc", "NSEW", RoomKind::Room);
    }
    // Sets the link flags of a and b towards each other (direction from a).
    static void Join(MudRoom* a, MudRoom* b, Direction direction) {
        a->Link(direction) = true;
        b->Link(OppositeDirection(direction)) = true;
    }
    MudRoom* At(std::int32_t x, std::int32_t y, std::int32_t l = 0) const { return world.FindRoom(x, y, l); }
    std::size_t ZoneSize() const { return world.ZoneRooms().size(); }
    // Rooms of the zone at any cell more than once.
    int DoubleCells() const {
        int doubles = 0;
        for (const RoomSlot& slot : world.ZoneRooms()) {
            const MudRoom* r = slot.Room();
            if (world.FindRoom(r->X, r->Y, r->L) != r) ++doubles;
        }
        return doubles;
    }
    // A corridor cell with these exit words and both link flags of its axis.
    static ::testing::AssertionResult IsCorridor(const MudRoom* r, const std::string& exits) {
        if (r == nullptr || !r->Pipe) return ::testing::AssertionFailure() << "no corridor cell";
        if (r->Exits() != exits) return ::testing::AssertionFailure() << "exits " << r->Exits();
        const Direction axis = exits == "NS" ? Direction::North : exits == "UD" ? Direction::Up : Direction::West;
        if (!r->Link(axis) || !r->Link(OppositeDirection(axis)))
            return ::testing::AssertionFailure() << "a flag of the axis is off";
        return ::testing::AssertionSuccess();
    }

    World world;
    ViewState view{world};
    MappingConfig config;
    Placement place{world, view, config};
    Linker linker{place};
};

inline std::string Cp(const char* utf8) {
    return Utf8ToCp1251(utf8);
}

}  // namespace trellan
