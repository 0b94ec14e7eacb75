#include "view/RoomNames.h"

#include <QFont>
#include <QFontMetrics>

#include "view/MapPainter.h"
#include "view/QtText.h"

namespace trellan {

namespace {

QFont NameFont(int cell) {
    QFont font;
    font.setPixelSize(std::clamp(cell / 5, 9, 14));
    return font;
}

}  // namespace

void DrawRoomNames(QPainter& painter, const World& world, const MapBounds& bounds, const ViewOrigin& origin, int cell,
                   QSize size, RoomNameStyle style) {
    if (cell <= 0) return;
    const QFont font = NameFont(cell);
    const QFontMetrics metrics(font);
    const int band = metrics.height();
    painter.save();
    painter.setFont(font);
    MapPaintOptions levelOnly;
    levelOnly.ShowTopLevel = false;
    levelOnly.ShowBottomLevel = false;
    ForEachRoomInView(world, bounds, levelOnly, origin, cell, size.width(), size.height(), [&](const MudRoom& room) {
        if (room.Pipe || room.Hint.empty()) return;
        const TilePosition at = RoomTilePosition(room, origin, cell, size.width(), size.height());
        const QString name = ToQt(room.Hint);
        const QRect strip(static_cast<int>(at.X), static_cast<int>(at.Y) + cell - band, cell, band);
        if (style == RoomNameStyle::Invisible) {
            painter.setPen(QColor(0, 0, 0, 0));
            painter.drawText(strip, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, name);
            return;
        }
        const QString shown = metrics.elidedText(name, Qt::ElideRight, cell - 2);
        const int width = std::min(cell, metrics.horizontalAdvance(shown) + 2);
        const QRect text(strip.left() + (cell - width) / 2, strip.top(), width, band);
        painter.fillRect(text, QColor(0, 0, 0, 160));
        painter.setPen(Qt::white);
        painter.drawText(text, Qt::AlignCenter, shown);
    });
    painter.restore();
}

QString RoomToolTip(const World& world, const MudRoom& room) {
    std::string zone = world.ZoneOf(&room);
    return ToQt(room.Hint + "\n" + zone + ", #" + std::to_string(room.Tag));
}

}  // namespace trellan
