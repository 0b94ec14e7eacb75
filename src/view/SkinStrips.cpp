#include "view/SkinStrips.h"

#include <algorithm>
#include <string>

#include "common/Errors.h"
#include "view/BuiltinSkin.h"

namespace trellan {

ExitRects DefaultExitRects() {
    return {RectFromEdges(10, 0, 22, 8),   RectFromEdges(10, 25, 22, 32), RectFromEdges(0, 10, 8, 22),
            RectFromEdges(25, 10, 32, 22), RectFromEdges(9, 9, 16, 16),   RectFromEdges(17, 17, 24, 24)};
}

QRect RectFromEdges(int left, int top, int right, int bottom) {
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

namespace {

// The tile of one column, the whole of it or only the part inside `part`;
// everything else (and whatever lies past the strip's end) in the mask colour.
QImage Tile(const QImage& strip, int column, int size, QRgb mask, const QRect& part) {
    QImage tile(size, size, QImage::Format_RGB32);
    tile.fill(mask);
    const QRect area = part.intersected(QRect(0, 0, size, size));
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(strip.constScanLine(y));
        QRgb* out = reinterpret_cast<QRgb*>(tile.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            const int sx = column * size + x;
            if (sx < strip.width()) out[x] = row[sx] | 0xFF000000u;
        }
    }
    return tile;
}

}  // namespace

void CutTileStrip(const QImage& source, const ExitRects& rects, ImageList& rooms, const std::string& name) {
    if (source.isNull() || source.height() < 1 || source.width() < 1) {
        throw FileFormatError(name + ": the tile picture is empty");
    }
    if (source.height() > kMaxTileSize) {
        throw FileFormatError(name + ": tiles of " + std::to_string(source.height()) + " pixels are larger than " +
                              std::to_string(kMaxTileSize));
    }
    const QImage strip = source.convertToFormat(QImage::Format_RGB32);
    const int size = strip.height();
    const QRgb mask = strip.pixel(0, size - 1) | 0xFF000000u;
    const QRect whole(0, 0, size, size);
    rooms.Reset(size, size);
    rooms.SetMaskColor(mask);
    rooms.SetBlendColor(mask);
    for (int pass = 0; pass < 2; ++pass) {
        const int c = 12 * pass;
        rooms.Add(Tile(strip, c, size, mask, whole), mask);
        rooms.Add(Tile(strip, c + 1, size, mask, whole), mask);
        for (int k = 0; k < 8; ++k) {
            for (int d = 0; d < kDirectionCount; ++d) {
                rooms.Add(Tile(strip, c + 2 + k, size, mask, rects[static_cast<std::size_t>(d)]), mask);
            }
        }
        rooms.Add(Tile(strip, c + 10, size, mask, whole), mask);
        rooms.Add(Tile(strip, c + 11, size, mask, whole), mask);
    }
    rooms.Add(Tile(strip, 24, size, mask, whole), mask);
    rooms.Add(Tile(strip, 25, size, mask, whole), mask);
}

void CutIconStrip(const QImage& source, ImageList& icons) {
    icons.Reset(kIconSize, kIconSize);
    icons.SetBlendColor(0xFFFFFFFFu);
    if (source.isNull()) return;
    const QImage strip = source.convertToFormat(QImage::Format_RGB32);
    const QRgb mask = strip.width() > 15 ? strip.pixel(15, 0) | 0xFF000000u : 0xFF000000u;
    icons.SetMaskColor(mask);
    const int count = std::min(strip.width() / kIconSize, kMaxIcons);
    for (int i = 0; i < count; ++i) {
        // A strip lower than 16 pixels gives icons whose missing rows are transparent.
        icons.Add(strip.copy(i * kIconSize, 0, kIconSize, std::min(kIconSize, strip.height())), mask);
    }
}

}  // namespace trellan
