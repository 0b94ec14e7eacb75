#pragma once
// The skin the program carries: the tile strip used when a skin names no
// picture of its own, the icon strip used when the first skin names no
// icons, and the background textures of the map panel. They are drawn in
// code at first use, pixel by pixel with flat colours (no smoothing), so
// that masks and the colour fill see exact colours.
#include <QImage>
#include <QRgb>

namespace trellan {

inline constexpr int kBuiltinTileSize = 32;
inline constexpr int kTileColumns = 26;
inline constexpr int kIconSize = 16;
inline constexpr int kBuiltinIconCount = 20;
inline constexpr int kTextureSize = 64;
inline constexpr int kBuiltinTextureCount = 3;
// Transparent colour of both built-in strips, and the room colour of the
// built-in tiles.
inline constexpr QRgb kBuiltinMaskColor = 0xFF800080u;
inline constexpr QRgb kBuiltinRoomColor = 0xFFC0C0C0u;

// 832 x 32: room base, overlay, exit variants 0-7, corridors; the same
// twelve for the level above; selection and check marks.
const QImage& BuiltinTileStrip();
// 320 x 16: darkness, death trap, flying death trap, aggressive, no step,
// then free pictures.
const QImage& BuiltinIconStrip();
// 64 x 64 tiles that repeat seamlessly; a null image past the last one.
const QImage& BuiltinTexture(int index);

}  // namespace trellan
