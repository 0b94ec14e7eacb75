#include "app/zonetree/ZoneTreeImages.h"

#include <QPainter>
#include <QPolygonF>

namespace trellan {

namespace {

const QColor Ink(60, 50, 30);
const QColor Manila(236, 196, 92);
const QColor ManilaDark(200, 150, 50);
const QColor Current(96, 176, 88);
const QColor CurrentDark(50, 120, 50);

QPixmap Blank() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPixmap Folder(const QColor& body, const QColor& back, bool open) {
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Ink, 1));
    p.setBrush(back);
    p.drawPolygon(QPolygonF() << QPointF(1.5, 3.5) << QPointF(6, 3.5) << QPointF(7.5, 5) << QPointF(14.5, 5)
                              << QPointF(14.5, 13.5) << QPointF(1.5, 13.5));
    p.setBrush(body);
    if (open) {
        // The front leaf tilts away from the back.
        p.drawPolygon(QPolygonF() << QPointF(3.5, 7.5) << QPointF(15.5, 7.5) << QPointF(13, 13.5)
                                  << QPointF(1.5, 13.5));
    } else {
        p.drawRect(QRectF(1.5, 6.5, 13, 7));
    }
    return pixmap;
}

QPixmap Bookmark() {
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Ink, 1));
    p.setBrush(QColor(250, 250, 245));
    p.drawRect(QRectF(2.5, 2.5, 11, 11));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 50, 40));
    p.drawPolygon(QPolygonF() << QPointF(6, 2) << QPointF(10, 2) << QPointF(10, 11) << QPointF(8, 9)
                              << QPointF(6, 11));
    return pixmap;
}

QPixmap Lock() {
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 90, 100), 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(4.5, 1.5, 7, 9), 0, 180 * 16);
    p.drawLine(QPointF(4.5, 6), QPointF(4.5, 8));
    p.drawLine(QPointF(11.5, 6), QPointF(11.5, 8));
    p.setPen(QPen(QColor(120, 80, 10), 1));
    p.setBrush(QColor(230, 170, 30));
    p.drawRoundedRect(QRectF(2.5, 7.5, 11, 7.5), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 80, 10));
    p.drawEllipse(QPointF(8, 10.5), 1.3, 1.3);
    p.drawRect(QRectF(7.4, 11, 1.2, 2.5));
    return pixmap;
}

}  // namespace

std::vector<QPixmap> BuiltInZoneTreeImages() {
    return {Folder(Manila, ManilaDark, false), Folder(Manila, ManilaDark, true),
            Folder(Current, CurrentDark, false), Folder(Current, CurrentDark, true),
            Bookmark(), Lock()};
}

}  // namespace trellan
