// The two walks that find the part of a zone beyond a room: the outline
// walk that tells whether the part hangs on that room alone, and the
// breadth-first collection of the whole part. Both are loops over explicit
// lists: a zone may hold tens of thousands of rooms.
#include <unordered_map>
#include <unordered_set>

#include "mapping/CrossLinkEntry.h"
#include "mapping/Directions.h"
#include "mapping/ZoneOperations.h"

namespace trellan {

namespace {

Direction TurnRight(Direction heading) {
    switch (heading) {
        case Direction::North:
            return Direction::East;
        case Direction::East:
            return Direction::South;
        case Direction::South:
            return Direction::West;
        default:
            return Direction::North;
    }
}

Direction TurnLeft(Direction heading) {
    return OppositeDirection(TurnRight(heading));
}

}  // namespace

bool ZoneOperations::ListAtHand(Direction d, MudRoom* t, std::vector<MudRoom*>& list) {
    if (t == nullptr || !IsHorizontal(d)) return false;
    std::unordered_set<const MudRoom*> listed(list.begin(), list.end());
    // Headings already taken from each room: meeting one again means the
    // walk goes round in circles (link flags that do not match on both
    // sides) and would never come back to T.
    std::unordered_map<const MudRoom*, unsigned> headingsFrom;

    std::int32_t x = t->X;
    std::int32_t y = t->Y;
    std::int32_t l = t->L;
    StepCell(d, x, y, l);
    MudRoom* room = world_.FindRoom(x, y, l);
    if (room == nullptr || room == t) return false;
    Direction heading = d;
    long long turns = 0;
    for (;;) {
        if (listed.insert(room).second) list.push_back(room);
        view_.MarkChecked(room);
        auto open = [&](Direction direction) {
            return room->Link(direction) && FindCrossLink(*room, direction, config_) < 0;
        };
        if (open(TurnRight(heading))) {
            heading = TurnRight(heading);
            turns += 1;
        } else if (open(heading)) {
        } else if (open(TurnLeft(heading))) {
            heading = TurnLeft(heading);
            turns -= 1;
        } else if (open(OppositeDirection(heading))) {
            heading = OppositeDirection(heading);
            turns -= 2;
        }
        unsigned& taken = headingsFrom[room];
        if (taken & (1u << Index(heading))) return false;
        taken |= 1u << Index(heading);

        StepCell(heading, x, y, l);
        room = world_.FindRoom(x, y, l);
        if (room == nullptr || room == t) break;
    }
    return turns == -2;
}

void ZoneOperations::ListAtStart(const MudRoom* t, std::vector<MudRoom*>& list, Direction d) const {
    std::unordered_set<const MudRoom*> listed(list.begin(), list.end());
    static constexpr Direction kOrder[] = {Direction::North, Direction::South, Direction::East,
                                           Direction::West,  Direction::Up,    Direction::Down};
    for (std::size_t i = 0; i < list.size(); ++i) {
        const MudRoom* member = list[i];
        for (Direction direction : kOrder) {
            if (!member->Link(direction)) continue;
            if (d == Direction::Down && direction == Direction::Up) continue;
            if (d == Direction::Up && direction == Direction::Down) continue;
            std::int32_t x = member->X;
            std::int32_t y = member->Y;
            std::int32_t l = member->L;
            StepCell(direction, x, y, l);
            MudRoom* neighbour = world_.FindRoom(x, y, l);
            if (neighbour == nullptr || neighbour == t) continue;
            if (listed.insert(neighbour).second) list.push_back(neighbour);
        }
    }
}

}  // namespace trellan
