#include "app/window/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <array>

namespace trellan {

namespace {

const QColor Ink(40, 48, 64);
const QColor Blue(46, 110, 190);
const QColor Green(40, 150, 60);
const QColor Red(200, 50, 40);
const QColor Amber(220, 160, 30);
const QColor Paper(250, 250, 245);

void Arrow(QPainter& p, bool up, const QColor& colour, qreal x = 8) {
    QPolygonF head;
    if (up) {
        head << QPointF(x, 2) << QPointF(x + 5, 8) << QPointF(x - 5, 8);
    } else {
        head << QPointF(x, 14) << QPointF(x + 5, 8) << QPointF(x - 5, 8);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(head);
    p.drawRect(QRectF(x - 2, up ? 8 : 3, 4, 5));
}

void SmallArrow(QPainter& p, qreal x, qreal y, bool up, const QColor& colour) {
    QPolygonF head;
    if (up) {
        head << QPointF(x, y) << QPointF(x + 3.5, y + 4) << QPointF(x - 3.5, y + 4);
    } else {
        head << QPointF(x, y + 4) << QPointF(x + 3.5, y) << QPointF(x - 3.5, y);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(head);
}

void Floppy(QPainter& p, const QColor& body) {
    p.setPen(QPen(Ink, 1));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
    p.setBrush(Paper);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(Ink);
    p.drawRect(QRectF(4.5, 9.5, 7, 5));
}

void Tree(QPainter& p) {
    p.setPen(QPen(Ink, 1.2));
    p.drawLine(QPointF(4, 4), QPointF(4, 13));
    p.drawLine(QPointF(4, 8), QPointF(8, 8));
    p.drawLine(QPointF(4, 13), QPointF(8, 13));
    p.setPen(Qt::NoPen);
    p.setBrush(Blue);
    p.drawRect(QRectF(1.5, 1.5, 5, 4));
    p.setBrush(Amber);
    p.drawRect(QRectF(8.5, 6, 6, 4));
    p.drawRect(QRectF(8.5, 11, 6, 4));
}

void Draw(QPainter& p, ToolIcon icon) {
    switch (icon) {
        case ToolIcon::SaveWorld:
            Floppy(p, Blue);
            break;
        case ToolIcon::SaveObjects:
            Floppy(p, Green);
            break;
        case ToolIcon::UndoMap:
        case ToolIcon::Discard: {
            QPainterPath path;
            path.moveTo(4, 6);
            path.lineTo(10, 6);
            path.cubicTo(15, 6, 15, 14, 10, 14);
            path.lineTo(6, 14);
            p.setPen(QPen(icon == ToolIcon::Discard ? Red : Blue, 2.2, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawPath(path);
            p.setPen(Qt::NoPen);
            p.setBrush(icon == ToolIcon::Discard ? Red : Blue);
            p.drawPolygon(QPolygonF() << QPointF(1, 6) << QPointF(6, 1.5) << QPointF(6, 10.5));
            break;
        }
        case ToolIcon::Config: {
            p.setPen(Qt::NoPen);
            p.setBrush(Ink);
            p.translate(8, 8);
            for (int i = 0; i < 8; ++i) {
                p.drawRect(QRectF(-1.5, -7.5, 3, 4));
                p.rotate(45);
            }
            p.drawEllipse(QPointF(0, 0), 5, 5);
            p.setBrush(Paper);
            p.drawEllipse(QPointF(0, 0), 2, 2);
            break;
        }
        case ToolIcon::Center:
            p.setPen(QPen(Red, 1.5));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(8, 8), 5, 5);
            p.drawLine(QPointF(8, 0.5), QPointF(8, 4.5));
            p.drawLine(QPointF(8, 11.5), QPointF(8, 15.5));
            p.drawLine(QPointF(0.5, 8), QPointF(4.5, 8));
            p.drawLine(QPointF(11.5, 8), QPointF(15.5, 8));
            p.setPen(Qt::NoPen);
            p.setBrush(Red);
            p.drawEllipse(QPointF(8, 8), 1.6, 1.6);
            break;
        case ToolIcon::ShowTree:
            Tree(p);
            break;
        case ToolIcon::StayOnTop:
            p.setPen(QPen(Ink, 1));
            p.setBrush(Paper);
            p.drawRect(QRectF(1.5, 5.5, 9, 9));
            p.setBrush(Blue);
            p.drawRect(QRectF(5.5, 1.5, 9, 9));
            break;
        case ToolIcon::Steps:
            p.setPen(Qt::NoPen);
            p.setBrush(Ink);
            p.drawEllipse(QRectF(2, 7, 4, 7));
            p.drawEllipse(QRectF(2.5, 14, 3, 2));
            p.drawEllipse(QRectF(9, 1, 4, 7));
            p.drawEllipse(QRectF(9.5, 8, 3, 2));
            break;
        case ToolIcon::StopTrace:
            p.setPen(QPen(Red.darker(130), 1));
            p.setBrush(Red);
            p.drawRoundedRect(QRectF(2.5, 2.5, 11, 11), 2, 2);
            p.setPen(QPen(Qt::white, 2));
            p.drawLine(QPointF(5.5, 5.5), QPointF(10.5, 10.5));
            p.drawLine(QPointF(10.5, 5.5), QPointF(5.5, 10.5));
            break;
        case ToolIcon::LevelUp:
            Arrow(p, true, Blue);
            break;
        case ToolIcon::LevelDown:
            Arrow(p, false, Blue);
            break;
        case ToolIcon::TracingOff:
            p.setPen(QPen(QColor(120, 120, 120), 1.5));
            p.setBrush(QColor(225, 225, 225));
            p.drawEllipse(QPointF(8, 8), 5.5, 5.5);
            break;
        case ToolIcon::TracingOn:
            p.setPen(QPen(Green.darker(140), 1.5));
            p.setBrush(Green);
            p.drawEllipse(QPointF(8, 8), 5.5, 5.5);
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::white);
            p.drawPolygon(QPolygonF() << QPointF(6.5, 5) << QPointF(11, 8) << QPointF(6.5, 11));
            break;
        case ToolIcon::AutolinkOn:
        case ToolIcon::AutolinkOff: {
            const bool on = icon == ToolIcon::AutolinkOn;
            p.setPen(QPen(on ? Green : QColor(140, 140, 140), 2));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRectF(1.5, 5, 7, 6), 3, 3);
            p.drawRoundedRect(QRectF(7.5, 5, 7, 6), 3, 3);
            if (!on) {
                p.setPen(QPen(Red, 2));
                p.drawLine(QPointF(3, 14), QPointF(13, 2));
            }
            break;
        }
        case ToolIcon::LevelBoth:
            SmallArrow(p, 8, 1, true, Ink);
            SmallArrow(p, 8, 11, false, Ink);
            break;
        case ToolIcon::LevelAbove:
            SmallArrow(p, 8, 1, true, Ink);
            SmallArrow(p, 8, 11, false, QColor(190, 190, 190));
            break;
        case ToolIcon::LevelBelow:
            SmallArrow(p, 8, 1, true, QColor(190, 190, 190));
            SmallArrow(p, 8, 11, false, Ink);
            break;
        case ToolIcon::LevelNone:
            SmallArrow(p, 8, 1, true, QColor(190, 190, 190));
            SmallArrow(p, 8, 11, false, QColor(190, 190, 190));
            break;
        case ToolIcon::Expand:
        case ToolIcon::Collapse:
            p.setPen(QPen(Ink, 1));
            p.setBrush(Paper);
            p.drawRect(QRectF(2.5, 2.5, 11, 11));
            p.drawLine(QPointF(5, 8), QPointF(11, 8));
            if (icon == ToolIcon::Expand) p.drawLine(QPointF(8, 5), QPointF(8, 11));
            break;
        case ToolIcon::Search:
        case ToolIcon::Replace:
            p.setPen(QPen(Ink, 1.8));
            p.setBrush(Paper);
            p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
            p.setPen(QPen(Ink, 2.6, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(10, 10), QPointF(14, 14));
            if (icon == ToolIcon::Replace) {
                p.setPen(Qt::NoPen);
                p.setBrush(Amber);
                p.drawRect(QRectF(10, 1, 5, 5));
            }
            break;
        case ToolIcon::TestCapture:
            p.setPen(QPen(Ink, 1));
            p.setBrush(Paper);
            p.drawRect(QRectF(2.5, 1.5, 10, 13));
            p.setPen(QPen(Blue, 1));
            for (int y = 4; y <= 12; y += 3) p.drawLine(QPointF(4.5, y + 0.5), QPointF(10.5, y + 0.5));
            break;
        case ToolIcon::ZoomFit:
            // Four corners drawn in around a small map.
            p.setPen(QPen(Ink, 1.6, Qt::SolidLine, Qt::SquareCap));
            for (auto [x, y, dx, dy] : {std::array{1.5, 1.5, 1.0, 1.0}, std::array{14.5, 1.5, -1.0, 1.0},
                                        std::array{1.5, 14.5, 1.0, -1.0}, std::array{14.5, 14.5, -1.0, -1.0}}) {
                p.drawLine(QPointF(x, y), QPointF(x + 4 * dx, y));
                p.drawLine(QPointF(x, y), QPointF(x, y + 4 * dy));
            }
            p.setPen(Qt::NoPen);
            p.setBrush(Blue);
            p.drawRect(QRectF(5, 5, 2.5, 2.5));
            p.drawRect(QRectF(8.5, 5, 2.5, 2.5));
            p.drawRect(QRectF(8.5, 8.5, 2.5, 2.5));
            break;
        case ToolIcon::RoomNames:
            p.setPen(QPen(Ink, 1));
            p.setBrush(Paper);
            p.drawRect(QRectF(3.5, 1.5, 9, 8));
            p.setPen(Qt::NoPen);
            p.setBrush(Ink);
            p.drawRect(QRectF(1, 11, 14, 4));
            p.setBrush(Paper);
            p.drawRect(QRectF(3, 12.5, 4, 1));
            p.drawRect(QRectF(8, 12.5, 5, 1));
            break;
    }
}

}  // namespace

QPixmap ToolPixmap(ToolIcon icon, qreal devicePixelRatio) {
    QPixmap pixmap(QSize(16, 16) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    Draw(painter, icon);
    return pixmap;
}

QIcon ToolIconSet(ToolIcon icon) {
    QIcon set;
    set.addPixmap(ToolPixmap(icon, 1.0));
    set.addPixmap(ToolPixmap(icon, 2.0));
    return set;
}

}  // namespace trellan
