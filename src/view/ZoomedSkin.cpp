#include "view/ZoomedSkin.h"

#include "view/MapCanvas.h"
#include "view/SkinStrips.h"

namespace trellan {

namespace {

constexpr QRgb kOutside = 0xFF010203u;
constexpr QRgb kFilled = 0xFF030201u;
// Shrinking averages an outline with the see-through pixels around it; a
// line of one pixel at half size keeps about half its cover, and must stay.
constexpr int kKeptCover = 80;

int Scaled(int value, int from, int to) {
    return from > 0 ? (value * to + from / 2) / from : value;
}

QImage ScaledPicture(const QImage& picture, int width, int height) {
    const bool shrinking = width < picture.width() || height < picture.height();
    QImage scaled =
        picture
            .scaled(width, height, Qt::IgnoreAspectRatio, shrinking ? Qt::SmoothTransformation : Qt::FastTransformation)
            .convertToFormat(QImage::Format_ARGB32);
    if (shrinking) {
        for (int y = 0; y < scaled.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(scaled.scanLine(y));
            for (int x = 0; x < scaled.width(); ++x) {
                row[x] = qAlpha(row[x]) >= kKeptCover ? (row[x] | 0xFF000000u) : 0u;
            }
        }
    }
    return scaled;
}

}  // namespace

void ScaleImageList(const ImageList& source, int width, int height, ImageList& scaled) {
    scaled.Reset(width, height);
    scaled.SetMaskColor(source.MaskColor());
    scaled.SetBlendColor(source.BlendColor());
    for (int i = 0; i < source.Count(); ++i) {
        scaled.Add(ScaledPicture(source.ToImage(i), width, height), source.MaskColor());
    }
}

void BuildFillMask(const ImageList& rooms, SkinPoint fillPoint, ImageList& mask) {
    const int s = rooms.Height();
    mask.Reset(s, s);
    if (s <= 0) return;
    // The up and down marks are drawn before the fill and may cover parts
    // of the base tile with the fill's colour: the area is what the fill
    // reaches under any of them.
    QImage cover(s, s, QImage::Format_ARGB32);
    cover.fill(0u);
    QImage tile(s, s, QImage::Format_RGB32);
    const int up = static_cast<int>(Index(Direction::Up));
    const int down = static_cast<int>(Index(Direction::Down));
    for (int upVariant = 0; upVariant < 6; ++upVariant) {
        for (int downVariant = 0; downVariant < 6; ++downVariant) {
            tile.fill(kOutside);
            MapCanvas canvas(tile);
            canvas.Draw(rooms, kImageBase, 0, 0, DrawMode::Masked);
            canvas.Draw(rooms, kImageExits + 6 * upVariant + up, 0, 0, DrawMode::Masked);
            canvas.Draw(rooms, kImageExits + 6 * downVariant + down, 0, 0, DrawMode::Masked);
            canvas.FloodFill(fillPoint.A, fillPoint.B, kFilled);
            for (int y = 0; y < s; ++y) {
                for (int x = 0; x < s; ++x) {
                    if ((tile.pixel(x, y) | 0xFF000000u) == kFilled) cover.setPixel(x, y, 0xFFFFFFFFu);
                }
            }
        }
    }
    mask.Add(cover, 0u);
}

SkinAtSize ZoomedSkin::For(const SkinSlot& source, SkinPoint iconPoint, SkinPoint fillPoint, int cellSize) {
    if (cellSize == source.Rooms.Height()) return SkinAtSize{source, iconPoint, fillPoint};
    const ZoomedSlot& zoomed = At(source, iconPoint, fillPoint, cellSize);
    return SkinAtSize{zoomed.Slot, zoomed.IconPoint, zoomed.FillPoint};
}

const ZoomedSlot& ZoomedSkin::At(const SkinSlot& source, SkinPoint iconPoint, SkinPoint fillPoint, int cellSize) {
    if (zoomed_ && source_ == &source && iconPoint_ == iconPoint && fillPoint_ == fillPoint && cellSize_ == cellSize)
        return *zoomed_;
    auto zoomed = std::make_unique<ZoomedSlot>();
    const int from = source.Rooms.Height();
    ScaleImageList(source.Rooms, cellSize, cellSize, zoomed->Slot.Rooms);
    const int icon = std::max(1, Scaled(source.Icons.Height(), from, cellSize));
    ScaleImageList(source.Icons, icon, icon, zoomed->Slot.Icons);
    ImageList mask;
    BuildFillMask(source.Rooms, fillPoint, mask);
    ScaleImageList(mask, cellSize, cellSize, zoomed->Slot.FillMask);
    zoomed->IconPoint = {Scaled(iconPoint.A, from, cellSize), Scaled(iconPoint.B, from, cellSize)};
    zoomed->FillPoint = {Scaled(fillPoint.A, from, cellSize), Scaled(fillPoint.B, from, cellSize)};
    zoomed_ = std::move(zoomed);
    source_ = &source;
    iconPoint_ = iconPoint;
    fillPoint_ = fillPoint;
    cellSize_ = cellSize;
    return *zoomed_;
}

}  // namespace trellan
