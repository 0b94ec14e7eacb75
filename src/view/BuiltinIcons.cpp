// The built-in icon strip: twenty 16 x 16 pictures on the purple mask
// colour. Icon 0 is the darkness mark (a checkerboard that shades the room
// it is drawn over); 1 to 4 are the pictures that stand for the death trap,
// flying death trap, aggressive and no-step flags; the rest are free
// pictures for places (shop, inn, water, ...).
#include <QPainter>
#include <QPolygon>
#include <array>
#include <functional>

#include "view/BuiltinSkin.h"

namespace trellan {

namespace {

constexpr QRgb kMask = kBuiltinMaskColor;

// Pixel art: '.' leaves the mask colour, the other letters name colours.
QRgb ArtColor(char c) {
    switch (c) {
        case 'K':
            return 0xFF000000u;
        case 'W':
            return 0xFFFFFFFFu;
        case 'S':
            return 0xFFC0C0C0u;
        case 'G':
            return 0xFF808080u;
        case 'R':
            return 0xFFE01010u;
        case 'M':
            return 0xFF800000u;
        case 'Y':
            return 0xFFFFE000u;
        case 'O':
            return 0xFFB07000u;
        case 'B':
            return 0xFF2060FFu;
        case 'N':
            return 0xFF000080u;
        case 'L':
            return 0xFF00C000u;
        case 'D':
            return 0xFF006000u;
        default:
            return kMask;
    }
}

using Art = std::array<const char*, 16>;

void DrawArt(QImage& strip, int icon, const Art& art) {
    for (int y = 0; y < kIconSize; ++y) {
        const char* row = art[y];
        for (int x = 0; x < kIconSize && row[x] != '\0'; ++x) {
            if (row[x] != '.') strip.setPixel(icon * kIconSize + x, y, ArtColor(row[x]));
        }
    }
}

constexpr Art kDeathTrap = {"................", "....KKKKKKKK....", "...KWWWWWWWWK...", "..KWWWWWWWWWWK..",
                            "..KWWWWWWWWWWK..", "..KWKKKWWKKKWK..", "..KWKKKWWKKKWK..", "..KWKKKWWKKKWK..",
                            "..KWWWWKKWWWWK..", "...KWWKKKKWWK...", "....KWWWWWWK....", "....KWKWKWKK....",
                            "....KWKWKWKK....", ".....KKKKKK.....", "................", "................"};

constexpr Art kFlyingDeathTrap = {"................", "......KKKK......", ".....KWWWWK.....", "K...KWWWWWWK...K",
                                  "KK..KWKKWKKK..KK", "KWK.KWKKWKKK.KWK", "KWWKKWWWWWWKKWWK", ".KWWKKWKKWKKWWK.",
                                  "..KWWKWWWWWKWWK.", "...KKWKWKWKKKK..", "......KKKKK.....", "................",
                                  "...B..B..B..B...", "..B..B..B..B....", "................", "................"};

constexpr Art kAggressive = {"KK...........KK.", "KSK.........KSK.", ".KSK.......KSK..", "..KSK.....KSK...",
                             "...KSK...KSK....", "....KSK.KSK.....", ".....KSKSK......", "......KSK.......",
                             ".....KSKSK......", "....KSK.KSK.....", ".OOKSK...KSKOO..", "..OOK.....KOO...",
                             "..KMMK...KMMK...", ".KMMK.....KMMK..", "KMMK.......KMMK.", "KK...........KK."};

constexpr Art kNoStep = {"................", ".....KKKKKK.....", "...KKRRRRRRKK...", "..KRRRRRRRRRRK..",
                         ".KRRRRRRRRRRRRK.", ".KRRRRRRRRRRRRK.", "KRRRRRRRRRRRRRRK", "KRRWWWWWWWWWWRRK",
                         "KRRWWWWWWWWWWRRK", "KRRRRRRRRRRRRRRK", ".KRRRRRRRRRRRRK.", ".KRRRRRRRRRRRRK.",
                         "..KRRRRRRRRRRK..", "...KKRRRRRRKK...", ".....KKKKKK.....", "................"};

void DrawDarkness(QImage& strip) {
    for (int y = 0; y < kIconSize; ++y) {
        for (int x = 0; x < kIconSize; ++x) {
            if ((x + y) % 2 == 0) strip.setPixel(x, y, 0xFF000000u);
        }
    }
}

// The free pictures, drawn with flat shapes.
void DrawFree(QPainter& p, int icon) {
    const QColor black(0, 0, 0), white(255, 255, 255), yellow(255, 224, 0), olive(176, 112, 0);
    const QColor brown(140, 70, 0), blue(32, 96, 255), navy(0, 0, 128), green(0, 176, 0);
    const QColor dark(0, 96, 0), red(224, 16, 16), silver(192, 192, 192), grey(128, 128, 128);
    auto box = [&](int x, int y, int w, int h, QColor fill, QColor line) {
        p.setPen(line);
        p.setBrush(fill);
        p.drawRect(x, y, w - 1, h - 1);
    };
    auto poly = [&](std::initializer_list<QPoint> points, QColor fill, QColor line) {
        p.setPen(line);
        p.setBrush(fill);
        p.drawPolygon(QPolygon(QList<QPoint>(points)));
    };
    auto ellipse = [&](int x, int y, int w, int h, QColor fill, QColor line) {
        p.setPen(line);
        p.setBrush(fill);
        p.drawEllipse(x, y, w - 1, h - 1);
    };
    switch (icon) {
        case 5:  // shop: a gold coin
            ellipse(1, 1, 14, 14, yellow, olive);
            box(7, 4, 2, 8, olive, olive);
            box(5, 5, 6, 2, olive, olive);
            box(5, 9, 6, 2, olive, olive);
            break;
        case 6:  // inn: a house
            poly({{1, 8}, {8, 1}, {15, 8}}, red, black);
            box(3, 8, 10, 7, white, black);
            box(7, 10, 3, 5, brown, black);
            break;
        case 7:  // water: a drop
            poly({{8, 1}, {13, 9}, {3, 9}}, blue, blue);
            ellipse(3, 6, 11, 9, blue, navy);
            box(5, 9, 2, 2, white, white);
            break;
        case 8:  // forest: a tree
            box(7, 10, 3, 5, brown, black);
            ellipse(2, 1, 13, 11, green, dark);
            break;
        case 9:  // key
            ellipse(1, 1, 7, 7, yellow, olive);
            box(3, 3, 3, 3, QColor(kMask), olive);
            box(6, 7, 2, 8, yellow, olive);
            box(8, 11, 3, 2, yellow, olive);
            box(8, 13, 2, 2, yellow, olive);
            break;
        case 10:  // star
            poly({{8, 0}, {10, 6}, {15, 6}, {11, 9}, {13, 15}, {8, 11}, {3, 15}, {5, 9}, {1, 6}, {6, 6}}, yellow,
                 olive);
            break;
        case 11:  // flag
            box(2, 1, 2, 15, grey, black);
            poly({{4, 1}, {14, 4}, {4, 8}}, red, black);
            break;
        case 12:  // guard: a shield
            poly({{2, 1}, {14, 1}, {14, 8}, {8, 15}, {2, 8}}, blue, navy);
            box(7, 3, 2, 9, white, white);
            box(4, 6, 8, 2, white, white);
            break;
        case 13:  // healer: a red cross
            box(1, 1, 14, 14, white, grey);
            box(6, 3, 4, 10, red, red);
            box(3, 6, 10, 4, red, red);
            break;
        case 14:  // teacher: a book
            box(2, 2, 12, 12, brown, black);
            box(4, 3, 9, 10, white, grey);
            box(6, 5, 5, 1, grey, grey);
            box(6, 8, 5, 1, grey, grey);
            break;
        case 15:  // port: a boat
            poly({{1, 10}, {15, 10}, {12, 14}, {4, 14}}, brown, black);
            box(8, 1, 1, 9, black, black);
            poly({{9, 2}, {14, 9}, {9, 9}}, white, grey);
            break;
        case 16:  // fire
            poly({{8, 0}, {13, 8}, {12, 14}, {4, 14}, {3, 8}}, red, QColor(128, 0, 0));
            poly({{8, 5}, {11, 10}, {10, 14}, {6, 14}, {5, 10}}, yellow, yellow);
            break;
        case 17:  // question
            ellipse(1, 1, 14, 14, white, navy);
            p.setPen(navy);
            p.setBrush(Qt::NoBrush);
            box(5, 4, 6, 2, navy, navy);
            box(9, 5, 2, 3, navy, navy);
            box(7, 7, 2, 3, navy, navy);
            box(7, 11, 2, 2, navy, navy);
            break;
        case 18:  // stairs
            box(1, 11, 14, 4, silver, black);
            box(5, 7, 10, 4, silver, black);
            box(9, 3, 6, 4, silver, black);
            break;
        case 19:  // treasure chest
            box(1, 6, 14, 9, brown, black);
            box(1, 3, 14, 4, olive, black);
            box(7, 6, 2, 4, yellow, black);
            break;
        default:
            break;
    }
}

QImage MakeIconStrip() {
    QImage strip(kIconSize * kBuiltinIconCount, kIconSize, QImage::Format_RGB32);
    strip.fill(kMask);
    DrawDarkness(strip);
    DrawArt(strip, 1, kDeathTrap);
    DrawArt(strip, 2, kFlyingDeathTrap);
    DrawArt(strip, 3, kAggressive);
    DrawArt(strip, 4, kNoStep);
    for (int icon = 5; icon < kBuiltinIconCount; ++icon) {
        QImage cell(kIconSize, kIconSize, QImage::Format_RGB32);
        cell.fill(kMask);
        {
            QPainter p(&cell);
            p.setRenderHint(QPainter::Antialiasing, false);
            DrawFree(p, icon);
        }
        QPainter out(&strip);
        out.drawImage(icon * kIconSize, 0, cell);
    }
    return strip;
}

}  // namespace

const QImage& BuiltinIconStrip() {
    static const QImage strip = MakeIconStrip();
    return strip;
}

}  // namespace trellan
