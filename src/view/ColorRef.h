#pragma once
// Colours as the map files and ini files store them (0x00BBGGRR, red in the
// low byte, or a system colour with the high bit set) turned into the
// 0xAARRGGBB values Qt and the map canvas use, and back.
#include <QRgb>
#include <cstdint>

namespace trellan {

// Opaque; a system colour gives its classic Windows default (clBtnFace is
// 0xC0C0C0, clWindow white, ...); clNone and unknown system colours give white.
QRgb ColorRefToRgb(std::uint32_t colorRef);
// The stored form of an opaque colour.
std::uint32_t RgbToColorRef(QRgb rgb);

}  // namespace trellan
