// The three background textures of the map panel: dark slate, parchment
// and green baize, each 64 x 64 and seamless (every pixel depends on its own
// position only, wrapped at the tile size). Calm and dark enough for the
// silver rooms to stand out.
#include <array>
#include <cstdint>

#include "view/BuiltinSkin.h"

namespace trellan {

namespace {

std::uint32_t Hash(std::uint32_t x, std::uint32_t y, std::uint32_t salt) {
    std::uint32_t h = x * 0x9E3779B1u ^ (y + 0x7F4A7C15u) * 0x85EBCA77u ^ salt * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    return h;
}

int Clamp(int v) {
    return v < 0 ? 0 : v > 255 ? 255 : v;
}

QImage MakeTexture(int index) {
    QImage texture(kTextureSize, kTextureSize, QImage::Format_RGB32);
    for (int y = 0; y < kTextureSize; ++y) {
        for (int x = 0; x < kTextureSize; ++x) {
            const int noise = static_cast<int>(Hash(x, y, index) % 9) - 4;
            int r = 0, g = 0, b = 0;
            switch (index) {
                case 0: {  // slate: fine noise and faint flagstone joints
                    const bool joint = (y % 32 == 0) || ((x + (y / 32) * 16) % 32 == 0);
                    const int shade = noise + (joint ? -7 : 0);
                    r = 66 + shade;
                    g = 74 + shade;
                    b = 82 + shade;
                    break;
                }
                case 1: {  // parchment: warm, with soft blotches
                    const int blotch = static_cast<int>(Hash(x / 8, y / 8, 99) % 7) - 3;
                    const int shade = noise + blotch;
                    r = 214 + shade;
                    g = 198 + shade;
                    b = 160 + shade;
                    break;
                }
                default: {  // baize: a woven look
                    const int weave = ((x + y) % 4 < 2) ? 3 : -3;
                    const int shade = noise / 2 + weave;
                    r = 40 + shade;
                    g = 86 + shade;
                    b = 56 + shade;
                    break;
                }
            }
            texture.setPixel(x, y, qRgb(Clamp(r), Clamp(g), Clamp(b)));
        }
    }
    return texture;
}

}  // namespace

const QImage& BuiltinTexture(int index) {
    static const std::array<QImage, kBuiltinTextureCount> textures = {MakeTexture(0), MakeTexture(1), MakeTexture(2)};
    static const QImage none;
    if (index < 0 || index >= kBuiltinTextureCount) return none;
    return textures[static_cast<std::size_t>(index)];
}

}  // namespace trellan
