#include "view/MapCanvas.h"

#include <algorithm>
#include <cstring>

namespace trellan {

MapCanvas::MapCanvas(QImage& image)
    : bits_(image.bits()), width_(image.width()), height_(image.height()), stride_(image.bytesPerLine()) {
    Q_ASSERT(image.format() == QImage::Format_RGB32);
}

void MapCanvas::FillRect(const QRect& rect, QRgb color) {
    QRect clipped = rect.intersected(QRect(0, 0, width_, height_));
    if (clipped.isEmpty()) return;
    color |= 0xFF000000u;
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        std::fill_n(Row(y) + clipped.left(), clipped.width(), color);
    }
}

void MapCanvas::Draw(const ImageList& list, int index, int x, int y, DrawMode mode) {
    if (index < 0 || index >= list.Count()) return;
    const MaskedImage& image = list.At(index);
    if (image.Empty()) return;
    const int w = list.Width();
    const int h = list.Height();
    if (x >= width_ || y >= height_ || x + w <= 0 || y + h <= 0) return;
    const std::vector<QRgb>& pixels = image.ForMode(mode);
    for (const MaskedImage::Run& run : image.Runs) {
        const int ty = y + run.y;
        if (ty < 0 || ty >= height_) continue;
        int from = std::max(x + run.x, 0);
        int to = std::min(x + run.x + run.length, width_);
        if (from >= to) continue;
        const QRgb* source = pixels.data() + static_cast<std::size_t>(run.y) * w + (from - x);
        std::memcpy(Row(ty) + from, source, sizeof(QRgb) * static_cast<std::size_t>(to - from));
    }
}

void MapCanvas::FillMasked(const MaskedImage& image, int width, int x, int y, QRgb found, QRgb color) {
    if (x >= width_ || y >= height_ || x + width <= 0) return;
    color |= 0xFF000000u;
    found |= 0xFF000000u;
    for (const MaskedImage::Run& run : image.Runs) {
        const int ty = y + run.y;
        if (ty < 0 || ty >= height_) continue;
        const int from = std::max(x + run.x, 0);
        const int to = std::min(x + run.x + run.length, width_);
        QRgb* row = Row(ty);
        for (int px = from; px < to; ++px) {
            if ((row[px] | 0xFF000000u) == found) row[px] = color;
        }
    }
}

void MapCanvas::DrawImage(const QImage& source, int x, int y) {
    QImage image = source.format() == QImage::Format_RGB32 ? source : source.convertToFormat(QImage::Format_RGB32);
    const int from = std::max(x, 0);
    const int to = std::min(x + image.width(), width_);
    if (from >= to) return;
    for (int sy = 0; sy < image.height(); ++sy) {
        const int ty = y + sy;
        if (ty < 0 || ty >= height_) continue;
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(sy));
        std::memcpy(Row(ty) + from, row + (from - x), sizeof(QRgb) * static_cast<std::size_t>(to - from));
    }
}

QRgb MapCanvas::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0xFF000000u;
    return Row(y)[x] | 0xFF000000u;
}

void MapCanvas::FloodFill(int x, int y, QRgb color) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    color |= 0xFF000000u;
    const QRgb target = Pixel(x, y);
    if (target == color) return;
    auto matches = [&](int px, int py) { return (Row(py)[px] | 0xFF000000u) == target; };
    // Scanline fill: each popped seed fills its whole run, then seeds the
    // runs above and below. The stack never holds more than a few entries
    // per filled run, so memory follows the filled area.
    stack_.clear();
    stack_.push_back(QPoint(x, y));
    while (!stack_.empty()) {
        QPoint seed = stack_.back();
        stack_.pop_back();
        const int sy = seed.y();
        if (!matches(seed.x(), sy)) continue;
        int left = seed.x();
        while (left > 0 && matches(left - 1, sy)) --left;
        int right = seed.x();
        while (right + 1 < width_ && matches(right + 1, sy)) ++right;
        std::fill(Row(sy) + left, Row(sy) + right + 1, color);
        for (int ny : {sy - 1, sy + 1}) {
            if (ny < 0 || ny >= height_) continue;
            bool inRun = false;
            for (int px = left; px <= right; ++px) {
                if (matches(px, ny)) {
                    if (!inRun) stack_.push_back(QPoint(px, ny));
                    inRun = true;
                } else {
                    inRun = false;
                }
            }
        }
    }
}

}  // namespace trellan
