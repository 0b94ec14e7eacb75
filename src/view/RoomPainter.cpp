#include "view/RoomPainter.h"

#include <algorithm>

#include "text/TextUtils.h"
#include "view/ColorRef.h"
#include "view/SkinStrips.h"

namespace trellan {

TilePosition RoomTilePosition(const MudRoom& room, const ViewOrigin& origin, int cellSize, int width, int height) {
    const std::int64_t s = cellSize;
    const std::int64_t shift = std::int64_t(LevelShift(cellSize)) * (std::int64_t(origin.DL) - room.L);
    TilePosition at;
    at.X = width / 2 - cellSize / 2 + (std::int64_t(room.Y) - origin.DY) * s + shift;
    at.Y = height / 2 - cellSize / 2 + (std::int64_t(room.X) - origin.DX) * s + shift;
    at.Visible = -s < at.X && at.X < width && -s < at.Y && at.Y < height;
    return at;
}

int ExitVariant(const MudRoom& room, Direction direction) {
    // The skin's exit images run absent, present, closed door; then the
    // same three linked.
    return static_cast<int>(room.ExitState(direction)) + (room.Link(direction) ? 3 : 0);
}

std::array<int, kDirectionCount> ZoneLinkMarks(const MudRoom& room,
                                               const std::array<std::string, kDirectionCount>& phrases) {
    std::array<int, kDirectionCount> marks{};
    for (const std::string& entry : room.AutoMaps) {
        const std::string exit = GetToken(2, entry, "|");
        for (int d = 0; d < kDirectionCount; ++d) {
            if (exit != phrases[static_cast<std::size_t>(d)]) continue;
            marks[static_cast<std::size_t>(d)] =
                (GetToken(1, entry, "|").empty() ? 0 : 1) + (GetToken(4, entry, "|").empty() ? 0 : 2);
            break;
        }
    }
    return marks;
}

void PaintRoom(MapCanvas& canvas, const MudRoom& room, const RoomPaintContext& context) {
    const ImageList& rooms = context.Skin.Rooms;
    const ImageList& icons = context.Skin.Icons;
    const int s = rooms.Height();
    const ViewOrigin& origin = context.Origin;
    if (s <= 0 || room.L >= std::int64_t(origin.DL) + 2) return;
    const TilePosition at = RoomTilePosition(room, origin, s, canvas.Width(), canvas.Height());
    if (!at.Visible) return;
    const int sx = static_cast<int>(at.X);
    const int sy = static_cast<int>(at.Y);
    const bool onLevel = room.L == origin.DL;
    const bool above = room.L == std::int64_t(origin.DL) + 1;
    const DrawMode mode = onLevel ? DrawMode::Masked : DrawMode::BlendBlack25;
    auto draw = [&](int index) { canvas.Draw(rooms, index, sx, sy, mode); };

    std::array<int, kDirectionCount> variant{};
    for (Direction d : kAllDirections) variant[Index(d)] = ExitVariant(room, d);

    if (room.Pipe) {
        const bool northSouth = room.ExitState(Direction::North) != ExitStatus::Absent ||
                                room.ExitState(Direction::South) != ExitStatus::Absent || room.ChN || room.ChS;
        const int image = northSouth ? kImageCorridorNS : kImageCorridorEW;
        draw(above ? image + kUpperSet : image);
    } else {
        const std::array<int, kDirectionCount> links = ZoneLinkMarks(room, context.DirectionPhrases);
        const int upperSet = above ? kUpperSet : 0;
        if (!above) {
            draw(kImageBase);
            for (Direction d : {Direction::Up, Direction::Down})
                draw(kImageExits + 6 * variant[Index(d)] + static_cast<int>(Index(d)));
            if (onLevel) {
                const int fx = sx + context.FillPoint.A;
                const int fy = sy + context.FillPoint.B;
                const ImageList& fillMask = context.Skin.FillMask;
                if (fillMask.Count() > 0) {
                    // A zoomed skin: within the base tile's fill area, what has
                    // the colour found at the fill point, as the flood fill would.
                    canvas.FillMasked(fillMask.At(0), s, sx, sy, canvas.Pixel(fx, fy), ColorRefToRgb(room.BColor));
                } else {
                    // The fill is not clipped to the tile: the skin closes the area.
                    canvas.FloodFill(fx, fy, ColorRefToRgb(room.BColor));
                }
            }
            draw(kImageOverlay);
            for (Direction d : kAllDirections) {
                if (IsHorizontal(d)) draw(kImageExits + 6 * variant[Index(d)] + static_cast<int>(Index(d)));
            }
        } else {
            draw(kImageOverlay + kUpperSet);
            for (int d = 0; d < kDirectionCount; ++d) {
                draw(kUpperSet + kImageExits + 6 * variant[static_cast<std::size_t>(d)] + d);
            }
        }
        for (int d = 0; d < kDirectionCount; ++d) {
            const int link = links[static_cast<std::size_t>(d)];
            if (link == 1 || link == 3) draw(upperSet + kImageExits + 6 * 7 + d);
            if (link == 2 || link == 3) draw(upperSet + kImageExits + 6 * 6 + d);
        }
    }

    if (onLevel && room.Hint == context.Dark) {
        canvas.Draw(icons, 0, sx + 1 + s / 4, sy + 1 + s / 4, DrawMode::Masked);
    }
    if (room.ImageIndex > 0 && room.L <= origin.DL) {
        const std::int64_t depth = std::int64_t(origin.DL) - room.L;
        const DrawMode iconMode = depth == 0   ? DrawMode::Masked
                                  : depth == 1 ? DrawMode::BlendGrey25
                                               : DrawMode::BlendBlack25;
        canvas.Draw(icons, room.ImageIndex, sx + context.IconPoint.B, sy + context.IconPoint.A, iconMode);
    }
    if (room.Selected) draw(kImageSelected);
    if (room.Checked) draw(kImageChecked);
}

void PaintRoomCell(MapCanvas& canvas, const MudRoom& room, const RoomPaintContext& context) {
    const int s = context.Skin.Rooms.Height();
    const ViewOrigin& origin = context.Origin;
    if (s <= 0 || room.L > origin.DL) return;
    const TilePosition at = RoomTilePosition(room, origin, s, canvas.Width(), canvas.Height());
    if (!at.Visible) return;
    const int sx = static_cast<int>(at.X);
    const int sy = static_cast<int>(at.Y);
    const bool onLevel = room.L == origin.DL;
    // A pixel between neighbours keeps the rooms apart; links bridge it.
    const int gap = s >= 3 ? 1 : 0;
    const int side = s - gap;
    QRgb color = room.Pipe ? qRgb(0x80, 0x80, 0x80) : ColorRefToRgb(room.BColor);
    if (!onLevel) color = Blend25(Blend25(color, qRgb(0, 0, 0)), qRgb(0, 0, 0));
    if (room.Selected) {
        canvas.FillRect(QRect(sx - 1, sy - 1, s + 1, s + 1), qRgb(0xFF, 0, 0));
        return;
    }
    if (room.Pipe) {
        const int inset = side / 3;
        canvas.FillRect(QRect(sx + inset, sy + inset, std::max(1, side - 2 * inset), std::max(1, side - 2 * inset)),
                        color);
    } else {
        canvas.FillRect(QRect(sx, sy, side, side), color);
    }
    if (gap > 0 && onLevel) {
        const int thickness = std::max(1, side / 3);
        const int across = (side - thickness) / 2;
        if (room.ChE) canvas.FillRect(QRect(sx + side, sy + across, gap, thickness), color);
        if (room.ChS) canvas.FillRect(QRect(sx + across, sy + side, thickness, gap), color);
    }
}

}  // namespace trellan
