#include "view/MapPainter.h"

#include <algorithm>
#include <vector>

#include "settings/MainSettings.h"
#include "view/BuiltinSkin.h"
#include "view/ColorRef.h"

namespace trellan {

namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

bool LevelDrawn(std::int64_t l, std::int64_t dl, const MapPaintOptions& options) {
    return l == dl || (options.ShowTopLevel && l == dl + 1) || (options.ShowBottomLevel && l < dl);
}

// The rows (or columns) of one level whose tiles may touch a canvas side of
// `extent` pixels, with `centre` at the middle and the level's shift.
struct Span {
    std::int64_t First;
    std::int64_t Last;
};
Span CellsInView(std::int64_t centre, int extent, int cell, std::int64_t shift) {
    const std::int64_t base = extent / 2 - cell / 2 + shift;
    return {centre + FloorDiv(-cell - base, cell), centre + FloorDiv(extent - base, cell) + 1};
}

}  // namespace

MapPaintOptions PaintOptionsOf(const MainSettings& settings) {
    MapPaintOptions options;
    options.PanelColor = static_cast<std::uint32_t>(settings.PanelColor);
    options.PanelBitmap = settings.PanelBitmap;
    options.ShowTopLevel = settings.ShowTopLevel;
    options.ShowBottomLevel = settings.ShowBottomLevel;
    return options;
}

void PaintBackground(MapCanvas& canvas, const MapPaintOptions& options) {
    const QImage& texture = BuiltinTexture(options.PanelBitmap);
    if (options.PanelBitmap == -1 || texture.isNull()) {
        canvas.FillRect(QRect(0, 0, canvas.Width(), canvas.Height()), ColorRefToRgb(options.PanelColor));
        return;
    }
    for (int i = 0; i <= canvas.Width() / kTextureSize; ++i) {
        for (int j = 0; j <= canvas.Height() / kTextureSize; ++j) {
            canvas.DrawImage(texture, kTextureSize * i, kTextureSize * j);
        }
    }
}

void ForEachRoomInView(const World& world, const MapBounds& bounds, const MapPaintOptions& options,
                       const ViewOrigin& origin, int cell, int width, int height,
                       const std::function<void(const MudRoom&)>& visit) {
    if (cell <= 0) return;
    const auto zone = world.ZoneRooms();
    if (zone.empty()) return;

    // The levels to visit, lowest first.
    const std::int64_t dl = origin.DL;
    const std::int64_t lowest = std::max<std::int64_t>(options.ShowBottomLevel ? bounds.MinL : dl, bounds.MinL);
    const std::int64_t highest = std::min<std::int64_t>(options.ShowTopLevel ? dl + 1 : dl, bounds.MaxL);
    const std::int64_t cellsPerLevel = (width / cell + 3) * std::int64_t(height / cell + 3);
    const std::int64_t probes = std::max<std::int64_t>(highest - lowest + 1, 0) * cellsPerLevel;

    if (static_cast<std::int64_t>(zone.size()) <= probes) {
        // Few rooms: walking them all is cheaper than looking up every cell.
        for (const RoomSlot& slot : zone) {
            const MudRoom& room = *slot.Room();
            if (LevelDrawn(room.L, dl, options)) visit(room);
        }
        return;
    }

    std::vector<const RoomSlot*> visible;
    const ZoneInfo* shown = world.FindZone(world.ShownZone());
    const int shiftStep = LevelShift(cell);
    for (std::int64_t l = lowest; l <= highest; ++l) {
        if (!LevelDrawn(l, dl, options)) continue;
        const std::int64_t shift = std::int64_t(shiftStep) * (dl - l);
        const Span rows = CellsInView(origin.DX, height, cell, shift);
        const Span columns = CellsInView(origin.DY, width, cell, shift);
        // No room lies outside the zone's bounds.
        const std::int64_t firstRow = std::max<std::int64_t>(rows.First, bounds.MinX);
        const std::int64_t lastRow = std::min<std::int64_t>(rows.Last, bounds.MaxX);
        const std::int64_t firstColumn = std::max<std::int64_t>(columns.First, bounds.MinY);
        const std::int64_t lastColumn = std::min<std::int64_t>(columns.Last, bounds.MaxY);
        for (std::int64_t x = firstRow; x <= lastRow; ++x) {
            for (std::int64_t y = firstColumn; y <= lastColumn; ++y) {
                const RoomSlot* slot = world.FirstSlotAt(shown, static_cast<std::int32_t>(x),
                                                         static_cast<std::int32_t>(y), static_cast<std::int32_t>(l));
                if (slot != nullptr) visible.push_back(slot);
            }
        }
    }
    // The zone's own order, so overlapping levels and fills come out as a
    // walk over the whole zone would paint them.
    std::sort(visible.begin(), visible.end(), KeyOrder());
    for (const RoomSlot* slot : visible) visit(*slot->Room());
}

void PaintMap(MapCanvas& canvas, const World& world, const MapBounds& bounds, const MapPaintOptions& options,
              const RoomPaintContext& context) {
    PaintBackground(canvas, options);
    const int cell = context.Skin.Rooms.Height();
    const auto paint = cell < kSmallestTileCell ? PaintRoomCell : PaintRoom;
    ForEachRoomInView(world, bounds, options, context.Origin, cell, canvas.Width(), canvas.Height(),
                      [&](const MudRoom& room) { paint(canvas, room, context); });
}

}  // namespace trellan
