#pragma once
// Cutting a skin's pictures into image lists: the tile strip into the 106
// room images the room painter indexes, the icon strip into 16 x 16 icons.
#include <QImage>
#include <QRect>
#include <array>

#include "model/ExitWords.h"
#include "view/ImageList.h"

namespace trellan {

// Room image numbers.
inline constexpr int kRoomImageCount = 106;
inline constexpr int kImageBase = 0;
inline constexpr int kImageOverlay = 1;
inline constexpr int kImageExits = 2;  // + 6 * variant + direction
inline constexpr int kImageCorridorNS = 50;
inline constexpr int kImageCorridorEW = 51;
inline constexpr int kUpperSet = 52;  // added to the numbers above for the level above
inline constexpr int kImageSelected = 104;
inline constexpr int kImageChecked = 105;

// Largest tile a skin may have: a bigger strip would make the 106 images
// take memory without bound.
inline constexpr int kMaxTileSize = 256;
// Most icons an icon strip gives; the rest of a longer strip is ignored.
inline constexpr int kMaxIcons = 1024;

// Where each exit mark lies inside a tile, in the room's order of directions (north,
// south, west, east, up, down).
using ExitRects = std::array<QRect, kDirectionCount>;

// The rectangles that fit the built-in 32-pixel tiles.
ExitRects DefaultExitRects();
// A rectangle from its Left, Top, Right, Bottom with right and bottom
// exclusive, as the skin files give it.
QRect RectFromEdges(int left, int top, int right, int bottom);

// Resets `rooms` to the strip's height and fills it with the 106 images.
// Columns the strip lacks (a strip narrower than 26 tiles) come out empty.
// The strip's bottom-left pixel is the transparent colour; it becomes the
// list's mask and blend colour. Throws FileFormatError naming `source` for
// a strip of no size or with tiles over kMaxTileSize.
void CutTileStrip(const QImage& strip, const ExitRects& rects, ImageList& rooms, const std::string& source);

// Resets `icons` to 16 x 16 and adds one icon per whole 16 pixels of the
// strip's width (at most kMaxIcons); the strip's pixel (15, 0) is the transparent colour. The
// list's blend colour is white.
void CutIconStrip(const QImage& strip, ImageList& icons);

}  // namespace trellan
