#pragma once
// What changed in the world's rooms since its reader last looked, for a
// structure worked out from the rooms that wants to bring itself up to date
// without starting over (the speedwalk's room graph). The world writes it;
// one reader takes it and empties it.
//
// A room named here had a field changed that the reader may have worked
// with (its cell, links, danger marks, corridor mark, cross-link entries),
// or was added; a removed room is named by the number it had (its
// RoomSlot::Index), which a room added later may have again. A cell named here may now hold other rooms, or
// its rooms other marks, than before. Changes that touch too much to list
// (a zone renamed or removed, a world loaded or cleared) are told as "start
// over", as is a log that has grown past its bound because nobody read it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace trellan {

class MudRoom;

class WorldChangeLog {
public:
    struct Cell {
        std::string Zone;
        std::int32_t X = 0;
        std::int32_t Y = 0;
        std::int32_t L = 0;
    };

    // Past this many entries the reader is better off starting over.
    static constexpr std::size_t kMaxEntries = 1 << 16;

    void Room(const MudRoom* room) {
        if (!everything_) rooms_.push_back(room);
        Bound();
    }
    void Removed(std::uint32_t index) {
        if (!everything_) removed_.push_back(index);
        Bound();
    }
    void CellOf(const std::string& zone, std::int32_t x, std::int32_t y, std::int32_t l) {
        if (!everything_) cells_.push_back(Cell{zone, x, y, l});
        Bound();
    }
    // Room numbers, or the zones rooms are in, changed: an entry naming a
    // room by zone and number may now find another room.
    void Numbers() { numbers_ = true; }
    void Everything() {
        everything_ = true;
        rooms_.clear();
        removed_.clear();
        cells_.clear();
    }

    bool StartOver() const { return everything_; }
    bool NumbersChanged() const { return numbers_; }
    const std::vector<const MudRoom*>& Rooms() const { return rooms_; }
    const std::vector<std::uint32_t>& RemovedRooms() const { return removed_; }
    const std::vector<Cell>& Cells() const { return cells_; }
    bool Empty() const { return !everything_ && !numbers_ && rooms_.empty() && removed_.empty() && cells_.empty(); }

    // How often a reader has emptied the log: a reader that finds another
    // count than the one it left knows that somebody else took entries it
    // has not seen.
    std::uint64_t Takes() const { return takes_; }

    // The reader has taken everything.
    void Clear() {
        ++takes_;
        everything_ = false;
        numbers_ = false;
        rooms_.clear();
        removed_.clear();
        cells_.clear();
    }

private:
    void Bound() {
        if (rooms_.size() + removed_.size() + cells_.size() > kMaxEntries) Everything();
    }

    bool everything_ = true;  // nobody has read the world yet
    bool numbers_ = false;
    std::uint64_t takes_ = 0;
    std::vector<const MudRoom*> rooms_;
    std::vector<std::uint32_t> removed_;
    std::vector<Cell> cells_;
};

}  // namespace trellan
