#include "view/MapPicture.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>
#include <stdexcept>

#include "common/FileIo.h"
#include "mapping/LevelBounds.h"
#include "text/Cp1251.h"
#include "view/QtText.h"
#include "view/RoomNames.h"

namespace trellan {

namespace {

void DrawNames(QPainter& painter, const MapPictureSource& source, const MapPictureFrame& frame, RoomNameStyle style) {
    painter.save();
    painter.translate(-frame.Kept.topLeft());
    DrawRoomNames(painter, source.Map, source.Bounds, frame.Origin, frame.Cell, frame.Canvas, style);
    painter.restore();
}

QByteArray PngBytes(QImage image, const MapPictureSource& source, const MapPictureFrame& frame) {
    if (frame.Names) {
        QPainter painter(&image);
        DrawNames(painter, source, frame, RoomNameStyle::Shown);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray SvgBytes(const QImage& image, const MapPictureSource& source, const MapPictureFrame& frame) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(image.size());
    svg.setViewBox(QRect(QPoint(0, 0), image.size()));
    svg.setTitle(ToQt(source.Map.ShownZone()));
    {
        QPainter painter(&svg);
        painter.drawImage(0, 0, image);
        DrawNames(painter, source, frame, frame.Names ? RoomNameStyle::Shown : RoomNameStyle::Invisible);
    }
    return bytes;
}

}  // namespace

std::optional<MapPictureFrame> WholeLevelFrame(const World& world, std::int32_t level, int cell) {
    const std::optional<MapBounds> bounds = LevelBounds(world, level);
    if (!bounds || cell <= 0) return std::nullopt;
    // One cell of border on each side.
    const std::int64_t columns = std::int64_t(bounds->MaxY) - bounds->MinY + 3;
    const std::int64_t rows = std::int64_t(bounds->MaxX) - bounds->MinX + 3;
    MapPictureFrame frame;
    frame.Cell = cell;
    frame.Origin.DL = level;
    frame.Origin.DY = static_cast<std::int32_t>(bounds->MinY - 1 + columns / 2);
    frame.Origin.DX = static_cast<std::int32_t>(bounds->MinX - 1 + rows / 2);
    // Painted one cell wider each way, so the border's first cell lies
    // inside the canvas whatever halving the centring takes.
    const auto extent = [cell](std::int64_t cells) {
        return static_cast<int>(std::min<std::int64_t>(cells * cell, 1 << 30));
    };
    frame.Canvas = QSize(extent(columns + 2), extent(rows + 2));
    const std::int64_t left =
        frame.Canvas.width() / 2 - cell / 2 + (std::int64_t(bounds->MinY) - 1 - frame.Origin.DY) * cell;
    const std::int64_t top =
        frame.Canvas.height() / 2 - cell / 2 + (std::int64_t(bounds->MinX) - 1 - frame.Origin.DX) * cell;
    frame.Kept = QRect(static_cast<int>(left), static_cast<int>(top), extent(columns), extent(rows));
    return frame;
}

MapPictureFrame ViewFrame(const ViewOrigin& origin, int cell, QSize size) {
    MapPictureFrame frame;
    frame.Origin = origin;
    frame.Cell = cell;
    frame.Canvas = size;
    frame.Kept = QRect(QPoint(0, 0), size);
    return frame;
}

std::optional<PictureFormat> PictureFormatOf(const std::string& path) {
    const std::string lowered = AsciiLower(path);
    if (lowered.ends_with(".png")) return PictureFormat::Png;
    if (lowered.ends_with(".svg")) return PictureFormat::Svg;
    return std::nullopt;
}

QImage RenderMapPicture(const MapPictureSource& source, const MapPictureFrame& frame, ZoomedSkin& zoomed) {
    QImage canvasImage(frame.Canvas, QImage::Format_RGB32);
    if (canvasImage.isNull()) return canvasImage;
    MapCanvas canvas(canvasImage);
    const SkinAtSize skin = zoomed.For(source.Skin, source.IconPoint, source.FillPoint, frame.Cell);
    const RoomPaintContext context{skin.Slot,   skin.IconPoint,          skin.FillPoint,
                                   source.Dark, source.DirectionPhrases, frame.Origin};
    PaintMap(canvas, source.Map, source.Bounds, source.Paint, context);
    if (frame.Kept == QRect(QPoint(0, 0), frame.Canvas)) return canvasImage;
    return canvasImage.copy(frame.Kept);
}

void WriteMapPicture(const std::string& path, const MapPictureSource& source, const MapPictureFrame& frame) {
    const std::optional<PictureFormat> format = PictureFormatOf(path);
    if (!format) throw std::invalid_argument("the picture's name must end in .png or .svg: " + path);
    const qint64 pixels = qint64(frame.Canvas.width()) * frame.Canvas.height();
    if (pixels > kMaxPicturePixels || frame.Canvas.isEmpty()) {
        throw std::invalid_argument("the picture would be " + std::to_string(frame.Kept.width()) + " x " +
                                    std::to_string(frame.Kept.height()) +
                                    " pixels, more than can be painted; choose a smaller scale");
    }
    ZoomedSkin zoomed;
    const QImage image = RenderMapPicture(source, frame, zoomed);
    const QByteArray bytes =
        *format == PictureFormat::Png ? PngBytes(image, source, frame) : SvgBytes(image, source, frame);
    WriteFileAtomically(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace trellan
