#pragma once
// Room names on the map: each room of the viewed level gets its name in a
// strip across the bottom of its cell, elided to the cell's width, light on
// a dark band so that it reads on any tile. Painted through QPainter after
// the rooms, so the same call draws onto the screen, a picture or an SVG
// file.
#include <QPainter>
#include <QSize>

#include "mapping/MapBounds.h"
#include "mapping/ViewState.h"
#include "model/World.h"

namespace trellan {

enum class RoomNameStyle {
    Shown,      // elided to the cell, drawn
    Invisible,  // whole and transparent: an SVG file stays searchable by name
};

// Draws the names of the shown zone's rooms on level `origin.DL` that a
// canvas of `size` with cells of `cell` pixels shows.
void DrawRoomNames(QPainter& painter, const World& world, const MapBounds& bounds, const ViewOrigin& origin, int cell,
                   QSize size, RoomNameStyle style);

// The tooltip of a room on the map: its name, then its zone and number.
QString RoomToolTip(const World& world, const MudRoom& room);

}  // namespace trellan
