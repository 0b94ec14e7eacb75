#include "navigation/AsciiMap.h"

#include "model/MudRoom.h"
#include "model/World.h"

namespace trellan {

namespace {

class Grid {
public:
    Grid(const World& world, const MudRoom& centre, const MudRoom* player, AsciiMapSize size)
        : world_(world),
          player_(player),
          size_(size),
          top_(centre.X - size.Rows / 2),
          left_(centre.Y - size.Columns / 2),
          level_(centre.L),
          lines_(static_cast<std::size_t>(size.Rows * 2 + 1),
                 std::string(static_cast<std::size_t>(size.Columns * 4 + 1), ' ')) {}

    std::vector<std::string> Draw() {
        for (int row = 0; row < size_.Rows; ++row) {
            for (int column = 0; column < size_.Columns; ++column) DrawCell(row, column);
        }
        for (std::string& line : lines_) line.erase(line.find_last_not_of(' ') + 1);
        return std::move(lines_);
    }

private:
    const MudRoom* At(int row, int column) const { return world_.FindRoom(top_ + row, left_ + column, level_); }

    void Put(int line, int position, char c) {
        lines_[static_cast<std::size_t>(line)][static_cast<std::size_t>(position)] = c;
    }

    static bool Door(const MudRoom* room, Direction direction) {
        return room != nullptr && room->ExitState(direction) == ExitStatus::ClosedDoor;
    }
    static bool Linked(const MudRoom* room, Direction direction) { return room != nullptr && room->Link(direction); }

    // The character between a room and its neighbour in `direction`
    // (either of them may be missing); blank when neither side links.
    static char Between(const MudRoom* room, Direction direction, const MudRoom* neighbour, char link) {
        const Direction back = OppositeDirection(direction);
        if (Door(room, direction) || Door(neighbour, back)) return '#';
        if (Linked(room, direction) || Linked(neighbour, back)) return link;
        return ' ';
    }

    void DrawCell(int row, int column) {
        const int line = row * 2 + 1;
        const int position = column * 4 + 1;
        const MudRoom* room = At(row, column);
        if (room == nullptr) {
            const int x = top_ + row, y = left_ + column;
            if (world_.FindRoom(x, y, level_ + 1) != nullptr || world_.FindRoom(x, y, level_ - 1) != nullptr) {
                Put(line, position + 1, '.');
            }
        } else if (room->Pipe) {
            const bool across = room->Link(Direction::West) || room->Link(Direction::East);
            const bool along = room->Link(Direction::North) || room->Link(Direction::South);
            Put(line, position, across ? '-' : ' ');
            Put(line, position + 1, across && along ? '+' : along ? '|' : '-');
            Put(line, position + 2, across ? '-' : ' ');
        } else {
            Put(line, position, '[');
            Put(line, position + 1, Inside(*room));
            Put(line, position + 2, ']');
        }
        // West and north links only for the first column and row: the other
        // cells get them as their neighbour's east and south links.
        if (column == 0) Put(line, position - 1, Between(room, Direction::West, nullptr, '-'));
        if (row == 0) Put(line - 1, position + 1, Between(room, Direction::North, nullptr, '|'));
        const MudRoom* east = column + 1 < size_.Columns ? At(row, column + 1) : nullptr;
        const MudRoom* south = row + 1 < size_.Rows ? At(row + 1, column) : nullptr;
        Put(line, position + 3, Between(room, Direction::East, east, '-'));
        Put(line + 1, position + 1, Between(room, Direction::South, south, '|'));
    }

    char Inside(const MudRoom& room) const {
        if (&room == player_) return '@';
        const bool up = room.Link(Direction::Up);
        const bool down = room.Link(Direction::Down);
        return up && down ? '%' : up ? '^' : down ? 'v' : ' ';
    }

    const World& world_;
    const MudRoom* player_;
    AsciiMapSize size_;
    std::int32_t top_;
    std::int32_t left_;
    std::int32_t level_;
    std::vector<std::string> lines_;
};

}  // namespace

std::vector<std::string> RenderAsciiMap(const World& world, const MudRoom& centre, const MudRoom* player,
                                        AsciiMapSize size) {
    if (size.Columns < 1) size.Columns = 1;
    if (size.Rows < 1) size.Rows = 1;
    return Grid(world, centre, player, size).Draw();
}

}  // namespace trellan
