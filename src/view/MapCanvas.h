#pragma once
// The drawing surface of the map: the few canvas operations the map is
// painted with (fill a rectangle, draw a masked image with an optional
// 25 % blend, read a pixel, flood-fill a region of one colour, lay a
// texture), working straight on the pixels of an RGB32 image. Everything is
// clipped to the image. The canvas does not own the image.
#include <QImage>
#include <QRect>
#include <QRgb>
#include <vector>

#include "view/ImageList.h"

namespace trellan {

class MapCanvas {
public:
    // `image` must be QImage::Format_RGB32 and outlive the canvas.
    explicit MapCanvas(QImage& image);

    int Width() const { return width_; }
    int Height() const { return height_; }

    void FillRect(const QRect& rect, QRgb color);
    void Draw(const ImageList& list, int index, int x, int y, DrawMode mode);
    // Paints `color` over the pixels of colour `found` among the opaque
    // pixels of the image laid with its top-left corner at (x, y).
    void FillMasked(const MaskedImage& image, int width, int x, int y, QRgb found, QRgb color);
    // Copies the whole image with its top-left corner at (x, y).
    void DrawImage(const QImage& image, int x, int y);
    // The colour at the point, opaque; black outside the canvas.
    QRgb Pixel(int x, int y) const;
    // Paints `color` over the 4-connected area of exactly the colour found
    // at the seed. Nothing happens for a seed outside the canvas or when the
    // area already has that colour.
    void FloodFill(int x, int y, QRgb color);

private:
    QRgb* Row(int y) { return reinterpret_cast<QRgb*>(bits_ + static_cast<std::ptrdiff_t>(y) * stride_); }
    const QRgb* Row(int y) const {
        return reinterpret_cast<const QRgb*>(bits_ + static_cast<std::ptrdiff_t>(y) * stride_);
    }

    uchar* bits_;
    int width_;
    int height_;
    qsizetype stride_;
    std::vector<QPoint> stack_;  // kept between fills to spare allocations
};

}  // namespace trellan
