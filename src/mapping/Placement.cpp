#include "mapping/Placement.h"

#include <array>
#include <memory>
#include <optional>
#include <unordered_set>
#include <utility>

#include "text/TextUtils.h"

namespace trellan {

namespace {

// Whether a corridor cell's exits name the axis of a push, so that the
// block stops there and the corridor is shortened or stretched instead.
bool RunsAlong(const MudRoom& room, const std::string& word) {
    return room.Pipe && !word.empty() && room.Exits().find(word) != std::string::npos;
}

}  // namespace

Placement::Placement(World& world, ViewState& view, const MappingConfig& config)
    : world_(world), view_(view), config_(config) {}

std::optional<Direction> Placement::MenuDirection(int menuTag) {
    if (menuTag < 1 || menuTag > kDirectionCount) return std::nullopt;
    return kProfileKeyOrder[static_cast<std::size_t>(menuTag - 1)];
}

int Placement::MenuTag(Direction direction) {
    for (std::size_t i = 0; i < kProfileKeyOrder.size(); ++i)
        if (kProfileKeyOrder[i] == direction) return static_cast<int>(i) + 1;
    return 0;  // not reached: every direction has a tag
}

std::string Placement::MenuCommand(int menuTag) const {
    const std::optional<Direction> direction = MenuDirection(menuTag);
    return direction ? config_.MoveCommands[Index(*direction)] : std::string();
}

void Placement::SetCheck(MudRoom* room, std::string_view d, bool v) {
    if (room == nullptr) return;
    for (Direction dir : kAllDirections) {
        if (d != config_.MoveCommands[Index(dir)] && d != config_.DirectionPhrases[Index(dir)]) continue;
        bool& flag = room->Link(dir);
        if (flag != v) {
            flag = v;
            world_.NoteRoomEdited(room);
            world_.MapSaved = false;
        }
    }
}

bool Placement::WasStep(const MudRoom* room, std::string_view d) const {
    return room != nullptr && trellan::WasStep(*room, d, config_);
}

MudRoom* Placement::NewRoomAt(std::int32_t x, std::int32_t y, std::int32_t l, std::string_view name,
                              std::string_view description, std::string_view exits, RoomKind kind) {
    const bool corridor = kind == RoomKind::Corridor;
    auto room = std::make_unique<MudRoom>();
    room->Hint = corridor ? std::string() : std::string(name);
    room->Description = std::string(description);
    room->BColor = config_.SkinRoomColor;
    room->X = x;
    room->Y = y;
    room->L = l;
    room->DX = view_.DX;
    room->DY = view_.DY;
    room->DL = view_.DL;
    room->SetExits(std::string(exits), config_.Words);
    room->Pipe = corridor;
    room->Selected = false;
    if (!corridor) {
        ++world_.LastRoomNumber;
        room->Tag = world_.LastRoomNumber;
    }
    MudRoom* added = world_.AddRoom(std::move(room));
    view_.RoomAdded(x, y, l);
    view_.Refresh();
    return added;
}

void Placement::RefreshProp(MudRoom* room, std::string_view name, std::string_view description,
                            std::string_view exits) {
    if (room == nullptr || name == config_.Dark) return;
    std::string newDescription = room->Description;
    if (!description.empty() && description != "Editing") newDescription = std::string(description);
    std::string newExits = room->Exits();
    if (StripChars(room->Exits(), " ()") != StripChars(exits, " ()")) {
        bool none = !config_.NoExits.empty() && exits.find(config_.NoExits) != std::string_view::npos;
        newExits = none ? std::string() : std::string(exits);
    }
    if (room->Hint == name && room->Description == newDescription && room->Exits() == newExits) return;
    if (world_.Contains(room)) {
        world_.SetRoomText(room, std::string(name), std::move(newDescription), std::move(newExits), config_.Words);
    } else {
        room->Hint = std::string(name);
        room->Description = std::move(newDescription);
        room->SetExits(std::move(newExits), config_.Words);
    }
}

void Placement::ListAt(std::string_view d, MudRoom* start, std::vector<MudRoom*>& block) const {
    if (start == nullptr) return;
    const std::optional<Direction> dir = CommandDirection(d, config_);
    const std::string empty;
    const std::string& word = dir ? config_.Words[*dir] : empty;
    std::unordered_set<const MudRoom*> member(block.begin(), block.end());
    if (!member.insert(start).second) return;

    // Which neighbour of a pushed room comes along, in the order north,
    // south, east, west, up, down. In front of the push: always. Behind it:
    // never (its link is stretched instead). Beside it: when linked to it.
    // The push that always takes a neighbour is the direction it lies in;
    // the one that never does is the opposite.
    static constexpr std::array<Direction, kDirectionCount> kSides = {
        Direction::North, Direction::South, Direction::East, Direction::West, Direction::Up, Direction::Down};

    // Depth first like a recursion would go, with an explicit stack so that
    // a block as large as the map cannot exhaust the call stack.
    struct Frame {
        MudRoom* room;
        int next;  // the next side to look at; 6 when done
    };
    std::vector<Frame> stack;
    block.push_back(start);
    stack.push_back({start, RunsAlong(*start, word) ? kDirectionCount : 0});
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.next >= kDirectionCount) {
            stack.pop_back();
            continue;
        }
        const Direction side = kSides[static_cast<std::size_t>(frame.next++)];
        const MudRoom* from = frame.room;
        if (dir == OppositeDirection(side)) continue;
        std::int32_t x = from->X, y = from->Y, l = from->L;
        StepCell(side, x, y, l);
        MudRoom* neighbour = world_.FindRoom(x, y, l);
        if (neighbour == nullptr || member.count(neighbour) != 0) continue;
        if (dir != side && !neighbour->Link(OppositeDirection(side))) continue;
        member.insert(neighbour);
        block.push_back(neighbour);
        stack.push_back({neighbour, RunsAlong(*neighbour, word) ? kDirectionCount : 0});
    }
}

void Placement::MoveRoomTo(std::string_view d) {
    MudRoom* target = world_.TargetRoom;
    if (target == nullptr) return;
    const std::optional<Direction> found = CommandDirection(d, config_);
    if (!found) return;  // not a step on the grid: nothing can move
    const Direction dir = *found;
    const std::string back = Opposite(d);

    std::vector<MudRoom*> block;
    ListAt(d, target, block);
    std::unordered_set<const MudRoom*> member(block.begin(), block.end());

    // Corridors running into the push get shorter rather than pushing the
    // room at their far end.
    for (std::size_t i = 0; i < block.size();) {
        MudRoom* room = block[i];
        if (room->Pipe && WasStep(room, d)) {
            std::int32_t x = room->X, y = room->Y, l = room->L;
            StepCell(dir, x, y, l);
            MudRoom* ahead = world_.FindRoom(x, y, l);
            if (ahead == nullptr || member.count(ahead) == 0) {
                member.erase(room);
                block.erase(block.begin() + static_cast<std::ptrdiff_t>(i));
                world_.RemoveRoom(room);
                continue;
            }
        }
        ++i;
    }

    for (MudRoom* room : block) {
        std::int32_t x = room->X, y = room->Y, l = room->L;
        StepCell(dir, x, y, l);
        world_.MoveRoom(room, x, y, l);
    }
    view_.InvalidateBounds();

    // Links left behind are stretched by one corridor cell.
    const Direction backDir = OppositeDirection(dir);
    for (MudRoom* room : block) {
        if (!WasStep(room, back)) continue;
        std::int32_t x = room->X, y = room->Y, l = room->L;
        StepCell(backDir, x, y, l);
        if (world_.FindRoom(x, y, l) != nullptr) continue;
        std::int32_t x2 = x, y2 = y, l2 = l;
        StepCell(backDir, x2, y2, l2);
        MudRoom* behind = world_.FindRoom(x2, y2, l2);
        if (behind == nullptr || !WasStep(behind, d)) continue;
        MudRoom* cell =
            NewRoomAt(x, y, l, {}, {}, CorridorExits(dir, config_, CorridorWordOrder::EastFirst), RoomKind::Corridor);
        SetCheck(cell, d, true);
        SetCheck(cell, back, true);
    }
}

void Placement::MoveRoom(int menuTag) {
    if (menuTag < 1 || menuTag > 4) return;
    MoveRoomTo(MenuCommand(menuTag));
    view_.Refresh();
}

void Placement::ExpandRooms(MudRoom* a, MudRoom* b, std::string_view d) {
    if (a == nullptr || b == nullptr) return;
    const std::string back = Opposite(d);
    std::vector<MudRoom*> blockA;
    std::vector<MudRoom*> blockB;
    ListAt(back, a, blockA);
    ListAt(d, b, blockB);
    if (blockA.size() < blockB.size()) {
        world_.TargetRoom = a;
        MoveRoomTo(back);
    } else {
        world_.TargetRoom = b;
        MoveRoomTo(d);
    }
}

MudRoom* Placement::StepTo(int menuTag) {
    MudRoom* target = world_.TargetRoom;
    if (target == nullptr || menuTag < 1 || menuTag > 6) return nullptr;
    const std::string d = MenuCommand(menuTag);
    std::int32_t x = target->X, y = target->Y, l = target->L;
    StepCell(*MenuDirection(menuTag), x, y, l);
    MudRoom* neighbour = world_.FindRoom(x, y, l);
    if (neighbour == nullptr) neighbour = NewRoomAt(x, y, l, config_.Dark, {}, {}, RoomKind::Room);
    SetCheck(target, d, true);
    SetCheck(neighbour, Opposite(d), true);
    view_.Refresh();
    return neighbour;
}

void Placement::SelectRoom(const std::function<void()>& tracingOff) {
    if (world_.CurrentRoom != nullptr) world_.CurrentRoom->Selected = false;
    MudRoom* target = world_.TargetRoom;
    if (target != nullptr) {
        if (tracingOff) tracingOff();
        target->Selected = true;
    }
    world_.CurrentRoom = target;
    view_.CenterOnCurrentRoom();
}

}  // namespace trellan
