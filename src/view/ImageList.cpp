#include "view/ImageList.h"

namespace trellan {

const std::vector<QRgb>& MaskedImage::ForMode(DrawMode mode) const {
    switch (mode) {
        case DrawMode::BlendBlack25:
            return PixelsBlack;
        case DrawMode::BlendGrey25:
            return PixelsGrey;
        case DrawMode::Masked:
            break;
    }
    return Pixels;
}

QRgb Blend25(QRgb color, QRgb towards) {
    auto mix = [](int c, int t) { return (3 * c + t) / 4; };
    return qRgb(mix(qRed(color), qRed(towards)), mix(qGreen(color), qGreen(towards)),
                mix(qBlue(color), qBlue(towards)));
}

void ImageList::Reset(int width, int height) {
    width_ = width;
    height_ = height;
    images_.clear();
}

void ImageList::Add(const QImage& source, QRgb transparent) {
    QImage image = source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
                       ? source
                       : source.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = transparent | 0xFF000000u;
    MaskedImage out;
    const std::size_t size = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
    out.Pixels.assign(size, 0);
    out.PixelsBlack.assign(size, 0);
    out.PixelsGrey.assign(size, 0);
    for (int y = 0; y < height_; ++y) {
        int runStart = -1;
        const QRgb* row = y < image.height() ? reinterpret_cast<const QRgb*>(image.constScanLine(y)) : nullptr;
        for (int x = 0; x <= width_; ++x) {
            bool opaque = false;
            if (x < width_ && row != nullptr && x < image.width()) {
                QRgb pixel = row[x] | 0xFF000000u;
                // Pixels a PNG leaves see-through count as transparent too.
                opaque = pixel != key && qAlpha(row[x]) >= 128;
                if (opaque) {
                    std::size_t at = static_cast<std::size_t>(y) * width_ + x;
                    out.Pixels[at] = pixel;
                    out.PixelsBlack[at] = Blend25(pixel, qRgb(0, 0, 0));
                    out.PixelsGrey[at] = Blend25(pixel, qRgb(0x80, 0x80, 0x80));
                }
            }
            if (opaque && runStart < 0) runStart = x;
            if (!opaque && runStart >= 0) {
                out.Runs.push_back({y, runStart, x - runStart});
                runStart = -1;
            }
        }
    }
    images_.push_back(std::move(out));
}

QImage ImageList::ToImage(int index) const {
    QImage image(width_, height_, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    if (index < 0 || index >= Count()) return image;
    const MaskedImage& source = At(index);
    for (const MaskedImage::Run& run : source.Runs) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(run.y));
        for (int i = 0; i < run.length; ++i) {
            row[run.x + i] = source.Pixels[static_cast<std::size_t>(run.y) * width_ + run.x + i];
        }
    }
    return image;
}

}  // namespace trellan
