#pragma once
// Paints the shown zone onto a canvas: the background (panel colour or a
// texture), then the rooms of the viewed level, the level above and the
// levels below, in the zone's room order (lower levels first), each through
// the room painter.
//
// Only rooms whose tiles can touch the canvas are visited: the cells in view
// of each level drawn are looked up in the world's cell index, unless the
// zone has fewer rooms than that, in which case walking the zone is cheaper.
// Either way a repaint costs what is on screen, not what is in the zone.
#include <cstdint>
#include <functional>

#include "mapping/MapBounds.h"
#include "model/World.h"
#include "view/MapCanvas.h"
#include "view/RoomPainter.h"

namespace trellan {

struct MapPaintOptions {
    std::uint32_t PanelColor = 0x808080;  // 0x00BBGGRR
    int PanelBitmap = 0;                  // texture number; -1 the plain colour
    bool ShowTopLevel = true;
    bool ShowBottomLevel = true;
};

struct MainSettings;
// The options the program's settings choose.
MapPaintOptions PaintOptionsOf(const MainSettings& settings);

// Paints the background and the rooms: their tiles, or plain cells where
// the cell is smaller than kSmallestTileCell. `bounds` must hold every room of the
// shown zone (the view state's bounds): no cell outside it is looked at.
void PaintMap(MapCanvas& canvas, const World& world, const MapBounds& bounds, const MapPaintOptions& options,
              const RoomPaintContext& context);

// The rooms a canvas of `width` x `height` with cells of `cell` pixels
// shows, on the levels the options draw, in the order they are painted.
void ForEachRoomInView(const World& world, const MapBounds& bounds, const MapPaintOptions& options,
                       const ViewOrigin& origin, int cell, int width, int height,
                       const std::function<void(const MudRoom&)>& visit);

// Only the background.
void PaintBackground(MapCanvas& canvas, const MapPaintOptions& options);

}  // namespace trellan
