#pragma once
// Paints one room: its tile at its place relative to the canvas's middle,
// exits, doors, zone-link marks, colour, picture, darkness mark and the
// selection and check marks. Used for every room of the map panel and for
// the preview in the room properties dialog.
#include <array>
#include <cstdint>
#include <string>

#include "mapping/ViewState.h"
#include "model/ExitWords.h"
#include "model/MudRoom.h"
#include "view/MapCanvas.h"
#include "view/SkinSet.h"

namespace trellan {

// What the painter needs besides the room; all references must outlive it.
struct RoomPaintContext {
    const SkinSlot& Skin;
    SkinPoint IconPoint;  // A down, B right
    SkinPoint FillPoint;  // A right, B down
    // A room of this name is dark (the profile's darkness message).
    const std::string& Dark;
    // Cross-link exits name their direction with these (north, south, west,
    // east, up, down).
    const std::array<std::string, kDirectionCount>& DirectionPhrases;
    // The grid cell at the canvas's middle and the level shown. For the map
    // this is the view state's RoomOrigin(); the preview uses the room's own
    // DX, DY, DL.
    ViewOrigin Origin;
};

// The canvas position of the room's tile (top-left corner), level shift included.
struct TilePosition {
    std::int64_t X = 0;
    std::int64_t Y = 0;
    bool Visible = false;  // the tile overlaps the canvas
};
TilePosition RoomTilePosition(const MudRoom& room, const ViewOrigin& origin, int cellSize, int width, int height);

// The level shift of a cell size: an eighth of it, truncated.
inline int LevelShift(int cellSize) {
    return cellSize / 8;
}

// Paints the room, or nothing when its tile lies outside the canvas or the
// room is two or more levels above the one shown.
void PaintRoom(MapCanvas& canvas, const MudRoom& room, const RoomPaintContext& context);

// Below this cell size a room's tile could not be read: the map paints
// plain cells (PaintRoomCell) instead.
inline constexpr int kSmallestTileCell = 8;

// The room as a cell of its colour, for the smallest zooms: its links east
// and south close the gap to the next cell, the current room is red, lower
// levels are darker and the level above is left out.
void PaintRoomCell(MapCanvas& canvas, const MudRoom& room, const RoomPaintContext& context);

// Exit variant of a direction: exit state (0 absent, 1 present, 2 closed
// door) plus 3 when the room is linked that way.
int ExitVariant(const MudRoom& room, Direction direction);
// Zone-link marks of each direction from the room's cross-link entries:
// 1 a zone to load, 2 a command to send, 3 both; the last entry of a
// direction counts.
std::array<int, kDirectionCount> ZoneLinkMarks(const MudRoom& room,
                                               const std::array<std::string, kDirectionCount>& phrases);

}  // namespace trellan
