#pragma once
// A list of equally sized images drawn through a mask: every pixel of an
// added image that has the transparent colour is left out. Each image is
// kept as its opaque pixels plus runs of them per row, so drawing a tile is
// a few row copies and an empty image costs nothing. The 25 % blends
// towards black and grey are prepared when the image is added.
#include <QImage>
#include <QPixmap>
#include <QRgb>
#include <cstdint>
#include <vector>

namespace trellan {

// How an image goes onto the canvas.
enum class DrawMode {
    Masked,        // the image as it is
    BlendBlack25,  // 25 % of the way towards black: darkened
    BlendGrey25,   // 25 % of the way towards grey 0x808080
};

struct MaskedImage {
    struct Run {
        std::int32_t y;
        std::int32_t x;
        std::int32_t length;
    };
    // Row-major, width * height; only the pixels inside runs are meaningful.
    std::vector<QRgb> Pixels;
    std::vector<QRgb> PixelsBlack;
    std::vector<QRgb> PixelsGrey;
    std::vector<Run> Runs;

    bool Empty() const { return Runs.empty(); }
    const std::vector<QRgb>& ForMode(DrawMode mode) const;
};

class ImageList {
public:
    // Empties the list and sets the size of its images.
    void Reset(int width, int height);
    void Clear() { images_.clear(); }

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return static_cast<int>(images_.size()); }

    // The colour that marks transparent pixels of added images, and the
    // colour the list blends towards; both are kept for the record.
    QRgb MaskColor() const { return maskColor_; }
    void SetMaskColor(QRgb color) { maskColor_ = color; }
    QRgb BlendColor() const { return blendColor_; }
    void SetBlendColor(QRgb color) { blendColor_ = color; }

    // Adds the top-left Width x Height part of `image` (pixels outside it
    // count as transparent); pixels of colour `transparent` are left out.
    void Add(const QImage& image, QRgb transparent);
    const MaskedImage& At(int index) const { return images_[static_cast<std::size_t>(index)]; }

    // The image with real transparency, for menus and tree views.
    QImage ToImage(int index) const;
    QPixmap ToPixmap(int index) const { return QPixmap::fromImage(ToImage(index)); }

private:
    int width_ = 0;
    int height_ = 0;
    QRgb maskColor_ = 0xFF000000u;
    QRgb blendColor_ = 0xFF000000u;
    std::vector<MaskedImage> images_;
};

// 25 % of the way from `color` towards `towards`, opaque.
QRgb Blend25(QRgb color, QRgb towards);

}  // namespace trellan
