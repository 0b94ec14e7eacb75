#pragma once
// Pictures of the map to keep or share: a level of the shown zone whole, or
// the part a view shows, painted by the map painter and written as PNG or
// SVG (chosen by the file's extension). An SVG holds the painted rooms as
// one embedded picture and the rooms' names as text, through the same
// QPainter calls the screen uses for them: names drawn on the map are drawn
// there too; otherwise they are invisible text over their rooms, so that
// the file can still be searched for a room.
#include <QImage>
#include <QRect>
#include <QSize>
#include <array>
#include <optional>
#include <string>

#include "mapping/MapBounds.h"
#include "mapping/ViewState.h"
#include "model/ExitWords.h"
#include "model/World.h"
#include "view/MapPainter.h"
#include "view/SkinSet.h"
#include "view/ZoomedSkin.h"

namespace trellan {

// What is painted: the world's shown zone, by the skin at its own size.
// All references must outlive the source.
struct MapPictureSource {
    const World& Map;
    const MapBounds& Bounds;  // the shown zone's bounds
    const SkinSlot& Skin;
    SkinPoint IconPoint;
    SkinPoint FillPoint;
    const std::string& Dark;
    const std::array<std::string, kDirectionCount>& DirectionPhrases;
    MapPaintOptions Paint;
};

// Where it is painted: the canvas a view of `Origin` would be, with cells
// of `Cell` pixels, and the part of it the picture keeps.
struct MapPictureFrame {
    ViewOrigin Origin;
    int Cell = 32;
    QSize Canvas;
    QRect Kept;
    bool Names = false;  // the names drawn under the rooms
};

// The frame of level `level` whole, with a border of one cell; nothing
// when the level has no rooms.
std::optional<MapPictureFrame> WholeLevelFrame(const World& world, std::int32_t level, int cell);
// The frame of a view as it is on screen.
MapPictureFrame ViewFrame(const ViewOrigin& origin, int cell, QSize size);

// The biggest picture written, in pixels: beyond it the memory to paint
// it would not be there.
inline constexpr qint64 kMaxPicturePixels = 120'000'000;

enum class PictureFormat { Png, Svg };
// By the extension of `path`, in any letter case; nothing for another one.
std::optional<PictureFormat> PictureFormatOf(const std::string& path);

// The rooms painted (names not included), the kept part only.
QImage RenderMapPicture(const MapPictureSource& source, const MapPictureFrame& frame, ZoomedSkin& zoomed);

// Paints and writes the picture atomically. Throws std::invalid_argument
// for an extension that is neither .png nor .svg or a picture beyond
// kMaxPicturePixels, FileWriteError when the file cannot be written.
void WriteMapPicture(const std::string& path, const MapPictureSource& source, const MapPictureFrame& frame);

}  // namespace trellan
