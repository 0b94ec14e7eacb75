#include "mapping/Linker.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <optional>
#include <vector>

namespace trellan {

namespace {

struct Cell {
    std::int64_t x, y, l;
};

Cell CellOf(const MudRoom& room) {
    return {room.X, room.Y, room.L};
}

void Step(Direction direction, Cell& cell) {
    const GridStep step = StepOf(direction);
    cell.x += step.DX;
    cell.y += step.DY;
    cell.l += step.DL;
}

// The number of steps from A to B when B lies ahead of A on the line of the
// direction on A's level; 0 otherwise.
std::int64_t StepsAhead(const MudRoom& a, const MudRoom& b, Direction direction) {
    if (a.L != b.L) return 0;
    std::int64_t dx = std::int64_t(b.X) - a.X;
    std::int64_t dy = std::int64_t(b.Y) - a.Y;
    switch (direction) {
        case Direction::North:
            return dy == 0 && dx < 0 ? -dx : 0;
        case Direction::South:
            return dy == 0 && dx > 0 ? dx : 0;
        case Direction::West:
            return dx == 0 && dy < 0 ? -dy : 0;
        case Direction::East:
            return dx == 0 && dy > 0 ? dy : 0;
        default:
            return 0;
    }
}

// Whether a movement command's direction, if it has one, lies on the level.
bool Horizontal(std::optional<Direction> direction) {
    return direction && IsHorizontal(*direction);
}
bool NorthSouth(Direction direction) {
    return direction == Direction::North || direction == Direction::South;
}

// Rooms in the way are looked at this many cells ahead; beyond that a
// corridor is laid only through empty cells.
constexpr int kClearingReach = 20;

}  // namespace

Linker::Linker(Placement& placement)
    : placement_(placement), world_(placement.GetWorld()), config_(placement.Config()) {}

bool Linker::SetLink(MudRoom* a, MudRoom* b, std::string_view d) {
    if (a == nullptr || b == nullptr) return false;
    const std::optional<Direction> dir = CommandDirection(d, config_);
    const std::int64_t distance = Horizontal(dir) ? StepsAhead(*a, *b, *dir) : 0;
    bool ok = distance > 0 && distance - 1 <= kMaxCorridor;

    std::vector<MudRoom*> block;
    for (int pass = 0; pass < 2 && ok; ++pass) {
        Cell cell = CellOf(*a);
        for (int step = 0; step < kClearingReach && ok; ++step) {
            Step(*dir, cell);
            if (step + 1 >= distance) break;  // reached B
            MudRoom* c = world_.FindRoom(std::int32_t(cell.x), std::int32_t(cell.y), std::int32_t(cell.l));
            if (c == nullptr || c == b) continue;
            ok = false;
            std::optional<Direction> side;
            if (NorthSouth(*dir)) {
                if (!(c->ChE && c->ChW)) side = c->ChE ? Direction::East : Direction::West;
            } else if (!(c->ChN && c->ChS)) {
                side = c->ChN ? Direction::North : Direction::South;
            }
            if (!side) continue;
            const std::string& s = config_.MoveCommands[Index(*side)];
            block.clear();
            placement_.ListAt(s, c, block);
            if (std::find(block.begin(), block.end(), a) != block.end() ||
                std::find(block.begin(), block.end(), b) != block.end()) {
                continue;
            }
            ok = true;
            if (pass == 1) {
                world_.TargetRoom = c;
                placement_.MoveRoomTo(s);
            }
        }
    }

    // Beyond the reach of the clearing, and after blocks moved, a cell on
    // the way may still be taken: then no corridor at all rather than two
    // rooms in one cell.
    if (ok) {
        Cell cell = CellOf(*a);
        for (std::int64_t step = 1; step < distance && ok; ++step) {
            Step(*dir, cell);
            if (world_.FindRoom(std::int32_t(cell.x), std::int32_t(cell.y), std::int32_t(cell.l)) != nullptr) {
                ok = false;
            }
        }
    }
    if (ok) {
        const std::string exits = CorridorExits(*dir, config_, CorridorWordOrder::WestFirst);
        const std::string back = placement_.Opposite(d);
        Cell cell = CellOf(*a);
        for (std::int64_t step = 1; step < distance; ++step) {
            Step(*dir, cell);
            MudRoom* pipe = placement_.NewRoomAt(std::int32_t(cell.x), std::int32_t(cell.y), std::int32_t(cell.l), {},
                                                 "Pipe", exits, RoomKind::Corridor);
            placement_.SetCheck(pipe, d, true);
            placement_.SetCheck(pipe, back, true);
        }
    }
    placement_.SetCheck(a, d, true);
    placement_.SetCheck(b, placement_.Opposite(d), true);
    return ok;
}

void Linker::TryToLink(MudRoom* a, MudRoom* b, std::string_view d) {
    if (a == nullptr || b == nullptr) return;
    const std::optional<Direction> dir = CommandDirection(d, config_);
    const std::string& zoneA = world_.ZoneOf(a);
    const std::string& zoneB = world_.ZoneOf(b);
    // The grid of the shown zone is the only one the corridor can be laid
    // on; rooms of different levels are never in line. Corridor cells are not
    // rooms to be walked to, and the block shift may shorten them away.
    const bool sameGrid =
        zoneA == zoneB && zoneA == world_.ShownZone() && a->L == b->L && Horizontal(dir) && !a->Pipe && !b->Pipe;

    bool failed = true;
    if (sameGrid) {
        const std::int64_t ax = a->X, ay = a->Y, bx = b->X, by = b->Y;
        bool inLine = false;
        bool offByOne = false;
        switch (*dir) {
            case Direction::North:
                inLine = ax > bx && ay == by;
                offByOne = ax >= bx && std::llabs(ay - by) == 1;
                break;
            case Direction::South:
                inLine = ax < bx && ay == by;
                offByOne = ax <= bx && std::llabs(ay - by) == 1;
                break;
            case Direction::West:
                inLine = ay > by && ax == bx;
                offByOne = ay >= by && std::llabs(ax - bx) == 1;
                break;
            case Direction::East:
                inLine = ay < by && ax == bx;
                offByOne = ay <= by && std::llabs(ax - bx) == 1;
                break;
            case Direction::Up:
            case Direction::Down:
                break;
        }
        if (inLine) {
            failed = !SetLink(a, b, d);
        } else if (offByOne) {
            const bool level = NorthSouth(*dir) ? ax == bx : ay == by;
            if (level) placement_.ExpandRooms(a, b, d);
            Direction side;
            if (NorthSouth(*dir)) {
                side = a->Y < b->Y ? Direction::West : Direction::East;
            } else {
                side = a->X < b->X ? Direction::North : Direction::South;
            }
            placement_.ExpandRooms(a, b, config_.MoveCommands[Index(side)]);
            failed = !SetLink(a, b, d);
        }
    }
    if (!failed) return;

    const std::string back = placement_.Opposite(d);
    auto addEntry = [this](MudRoom* room, std::string entry) {
        if (std::find(room->AutoMaps.begin(), room->AutoMaps.end(), entry) != room->AutoMaps.end()) return;
        room->AutoMaps.push_back(std::move(entry));
        world_.NoteRoomEdited(room);
        world_.MapSaved = false;
    };
    addEntry(a, zoneB + "|" + DirectionPhrase(d, config_) + "|" + std::to_string(b->Tag));
    placement_.SetCheck(a, d, true);
    addEntry(b, zoneA + "|" + DirectionPhrase(back, config_) + "|" + std::to_string(a->Tag));
    placement_.SetCheck(b, back, true);
}

bool Linker::MakeLink(int menuTag) {
    MudRoom* target = world_.TargetRoom;
    if (target == nullptr || menuTag < 1 || menuTag > 4) return false;
    const std::string d = placement_.MenuCommand(menuTag);
    // The menu's command is one of the six, so it always has a direction.
    const std::optional<Direction> dir = CommandDirection(d, config_);
    if (!dir) return false;
    const MapBounds& bounds = placement_.View().Bounds;
    auto inside = [&bounds](const Cell& cell) {
        return cell.x >= bounds.MinX && cell.x <= bounds.MaxX && cell.y >= bounds.MinY && cell.y <= bounds.MaxY;
    };

    // Cells to walk before leaving the bounds.
    Cell start = CellOf(*target);
    std::int64_t reach = 0;
    switch (*dir) {
        case Direction::North:
            reach = start.x - bounds.MinX;
            break;
        case Direction::South:
            reach = bounds.MaxX - start.x;
            break;
        case Direction::West:
            reach = start.y - bounds.MinY;
            break;
        case Direction::East:
            reach = bounds.MaxY - start.y;
            break;
        case Direction::Up:
        case Direction::Down:
            break;
    }

    MudRoom* found = nullptr;
    if (reach > static_cast<std::int64_t>(world_.ZoneRooms().size())) {
        // Far-flung bounds: finding the nearest room ahead among the zone's
        // rooms is cheaper than probing every cell.
        std::int64_t nearest = std::numeric_limits<std::int64_t>::max();
        for (const RoomSlot& slot : world_.ZoneRooms()) {
            const MudRoom* room = slot.Room();
            std::int64_t steps = StepsAhead(*target, *room, *dir);
            if (steps > 0 && steps < nearest && inside(CellOf(*room))) nearest = steps;
        }
        if (nearest != std::numeric_limits<std::int64_t>::max()) {
            Cell cell = start;
            switch (*dir) {
                case Direction::North:
                    cell.x -= nearest;
                    break;
                case Direction::South:
                    cell.x += nearest;
                    break;
                case Direction::West:
                    cell.y -= nearest;
                    break;
                case Direction::East:
                    cell.y += nearest;
                    break;
                case Direction::Up:
                case Direction::Down:
                    break;
            }
            found = world_.FindRoom(std::int32_t(cell.x), std::int32_t(cell.y), std::int32_t(cell.l));
        }
    } else {
        Cell cell = start;
        while (found == nullptr) {
            Step(*dir, cell);
            if (!inside(cell)) break;
            found = world_.FindRoom(std::int32_t(cell.x), std::int32_t(cell.y), std::int32_t(cell.l));
        }
    }
    if (found == nullptr) return false;
    SetLink(target, found, d);
    placement_.View().Refresh();
    return true;
}

void Linker::DeleteLink(MudRoom* r, std::string_view d) {
    if (r == nullptr) return;
    const std::optional<Direction> found = TextDirection(d, config_);
    if (!found) return;
    const Direction dir = *found;
    Cell cell = CellOf(*r);
    MudRoom* end = nullptr;
    for (;;) {
        Step(dir, cell);
        // Out of the integer range there is nothing more to find.
        if (cell.x != std::int32_t(cell.x) || cell.y != std::int32_t(cell.y) || cell.l != std::int32_t(cell.l)) {
            break;
        }
        MudRoom* room = world_.FindRoom(std::int32_t(cell.x), std::int32_t(cell.y), std::int32_t(cell.l));
        if (room == nullptr || room == r) break;
        if (!room->Pipe) {
            end = room;
            break;
        }
        world_.RemoveRoom(room);
    }
    auto clear = [this](MudRoom* room, Direction direction) {
        bool& flag = room->Link(direction);
        if (flag) {
            flag = false;
            world_.NoteRoomEdited(room);
            world_.MapSaved = false;
        }
    };
    if (end != nullptr) clear(end, OppositeDirection(dir));
    clear(r, dir);
    placement_.View().InvalidateBounds();
}

}  // namespace trellan
