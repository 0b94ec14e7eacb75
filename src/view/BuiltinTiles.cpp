// The built-in tile strip. Every tile is 32 x 32; the room square is silver
// with a raised two-pixel bevel (white towards the top left, black and grey
// towards the bottom right). The inner ring of the bevel belongs to the
// base tile, so the silver area the colour fill starts in is closed on every
// side whatever the background; the outer ring is made of the four corner
// pieces (the overlay) and the exit marks, which is how an exit opens it.
#include <array>

#include "view/BuiltinSkin.h"

namespace trellan {

namespace {

constexpr QRgb kMask = kBuiltinMaskColor;
constexpr QRgb kSilver = kBuiltinRoomColor;
constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kGrey = 0xFF808080u;
constexpr QRgb kDoor = 0xFF8C4600u;         // a brown door bar
constexpr QRgb kZoneCommand = 0xFF00B000u;  // green: a command to send
constexpr QRgb kZoneLoad = 0xFF2060FFu;     // blue: a zone to load
constexpr QRgb kSelection = 0xFF00FF00u;
constexpr QRgb kCheck = 0xFFFFFF00u;

enum Side { kNorth, kSouth, kWest, kEast };

class TilePainter {
public:
    TilePainter(QImage& strip, int column) : strip_(strip), left_(column * kBuiltinTileSize) {}

    void Pixel(int x, int y, QRgb color) {
        if (x < 0 || y < 0 || x >= kBuiltinTileSize || y >= kBuiltinTileSize) return;
        strip_.setPixel(left_ + x, y, color);
    }
    // Inclusive corners.
    void Rect(int x0, int y0, int x1, int y1, QRgb color) {
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) Pixel(x, y, color);
        }
    }
    // Side coordinates: `a` runs along the side, `b` is the depth from the
    // tile's edge (6 is the outer ring of the bevel).
    void SidePixel(Side side, int a, int b, QRgb color) {
        switch (side) {
            case kNorth:
                Pixel(a, b, color);
                break;
            case kSouth:
                Pixel(a, kBuiltinTileSize - 1 - b, color);
                break;
            case kWest:
                Pixel(b, a, color);
                break;
            case kEast:
                Pixel(kBuiltinTileSize - 1 - b, a, color);
                break;
        }
    }
    void SideRect(Side side, int a0, int b0, int a1, int b1, QRgb color) {
        for (int b = b0; b <= b1; ++b) {
            for (int a = a0; a <= a1; ++a) SidePixel(side, a, b, color);
        }
    }
    // A 5 x 5 pattern: 'X' in `color`, '.' in `ground` (none when kMask).
    void Pattern(int x0, int y0, const std::array<const char*, 5>& rows, QRgb color, QRgb ground) {
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 5; ++x) {
                if (rows[y][x] == 'X') {
                    Pixel(x0 + x, y0 + y, color);
                } else if (ground != kMask) {
                    Pixel(x0 + x, y0 + y, ground);
                }
            }
        }
    }

private:
    QImage& strip_;
    int left_;
};

QRgb OuterColor(Side side, bool upper) {
    if (upper) return kWhite;
    return side == kNorth || side == kWest ? kWhite : kBlack;
}

void DrawBase(TilePainter p) {
    p.Rect(7, 7, 24, 24, kWhite);
    p.Rect(7, 24, 24, 24, kGrey);
    p.Rect(24, 7, 24, 24, kGrey);
    p.Rect(8, 8, 23, 23, kSilver);
    // Windows for the up and down marks.
    p.Rect(10, 10, 14, 14, kMask);
    p.Rect(18, 18, 22, 22, kMask);
}

void DrawCorners(TilePainter p, bool upper) {
    const QRgb light = kWhite;
    const QRgb dark = upper ? kWhite : kBlack;
    p.Rect(6, 6, 9, 6, light);
    p.Rect(22, 6, 24, 6, light);
    p.Rect(6, 6, 6, 9, light);
    p.Rect(6, 22, 6, 24, light);
    p.Rect(25, 6, 25, 9, dark);
    p.Rect(25, 22, 25, 25, dark);
    p.Rect(6, 25, 9, 25, dark);
    p.Rect(22, 25, 25, 25, dark);
}

// One horizontal exit mark of variant k on a side.
void DrawSideMark(TilePainter p, Side side, int k, bool upper) {
    const QRgb outer = OuterColor(side, upper);
    const QRgb left = kWhite;
    const QRgb right = upper ? kWhite : kBlack;
    switch (k) {
        case 0:
            p.SideRect(side, 10, 6, 21, 6, outer);
            break;
        case 1:
        case 2:
            p.SideRect(side, 10, 6, 11, 6, outer);
            p.SideRect(side, 20, 6, 21, 6, outer);
            p.SideRect(side, 11, 0, 11, 5, left);
            p.SideRect(side, 20, 0, 20, 5, right);
            if (k == 2) p.SideRect(side, 12, 2, 19, 3, kDoor);
            break;
        case 3:
            p.SideRect(side, 10, 6, 21, 6, outer);
            if (!upper) p.SideRect(side, 15, 0, 17, 5, kSilver);
            p.SideRect(side, 14, 0, 14, 5, left);
            p.SideRect(side, 18, 0, 18, 5, right);
            break;
        case 4:
        case 5:
            p.SideRect(side, 10, 6, 13, 6, outer);
            p.SideRect(side, 19, 6, 21, 6, outer);
            if (!upper) p.SideRect(side, 15, 0, 17, 6, kSilver);
            p.SideRect(side, 14, 0, 14, 6, left);
            p.SideRect(side, 18, 0, 18, 6, right);
            if (k == 5) p.SideRect(side, upper ? 15 : 14, 2, upper ? 17 : 18, 3, kDoor);
            break;
        case 6:
            p.SideRect(side, 19, 0, 21, 2, kZoneCommand);
            break;
        case 7:
            p.SideRect(side, 10, 0, 12, 2, kZoneLoad);
            break;
    }
}

constexpr std::array<const char*, 5> kHollowUp = {"..X..", ".X.X.", "X...X", "XXXXX", "....."};
constexpr std::array<const char*, 5> kSolidUp = {"..X..", ".XXX.", "XXXXX", "XXXXX", "....."};
constexpr std::array<const char*, 5> kHollowDown = {".....", "XXXXX", "X...X", ".X.X.", "..X.."};
constexpr std::array<const char*, 5> kSolidDown = {".....", "XXXXX", "XXXXX", ".XXX.", "..X.."};

// The up (down) mark sits in the window at (10, 10) ((18, 18)); on the room
// level its background is silver, so the fill colours it with the room.
void DrawLevelMark(TilePainter p, bool up, int k, bool upper) {
    const int w = up ? 10 : 18;
    const QRgb ground = upper ? kMask : kSilver;
    const auto& hollow = up ? kHollowUp : kHollowDown;
    const auto& solid = up ? kSolidUp : kSolidDown;
    const QRgb ink = upper ? kWhite : kBlack;
    switch (k) {
        case 0:
            if (!upper) p.Rect(w, w, w + 4, w + 4, kSilver);
            break;
        case 1:
            p.Pattern(w, w, hollow, ink, ground);
            break;
        case 2:
            p.Pattern(w, w, hollow, kDoor, ground);
            break;
        case 3:
            p.Pattern(w, w, solid, kGrey, ground);
            break;
        case 4:
            p.Pattern(w, w, solid, ink, ground);
            break;
        case 5:
            p.Pattern(w, w, solid, kDoor, ground);
            break;
        case 6:
            p.Rect(w - 1, w + 5, w + 5, w + 5, kZoneCommand);
            p.Rect(w + 5, w - 1, w + 5, w + 5, kZoneCommand);
            break;
        case 7:
            p.Rect(w - 1, w - 1, w + 5, w - 1, kZoneLoad);
            p.Rect(w - 1, w - 1, w - 1, w + 5, kZoneLoad);
            break;
    }
}

void DrawCorridor(TilePainter p, bool northSouth, bool upper) {
    for (int t = 0; t < kBuiltinTileSize; ++t) {
        for (int across = 14; across <= 18; ++across) {
            QRgb color = across == 14 ? kWhite : across == 18 ? (upper ? kWhite : kBlack) : kSilver;
            if (upper && across != 14 && across != 18) continue;
            if (northSouth) {
                p.Pixel(across, t, color);
            } else {
                p.Pixel(t, across, color);
            }
        }
    }
}

void DrawBrackets(TilePainter p, int inset, int arm, QRgb color) {
    const int lo = inset;
    const int hi = kBuiltinTileSize - 1 - inset;
    p.Rect(lo, lo, lo + arm - 1, lo + 1, color);
    p.Rect(lo, lo, lo + 1, lo + arm - 1, color);
    p.Rect(hi - arm + 1, lo, hi, lo + 1, color);
    p.Rect(hi - 1, lo, hi, lo + arm - 1, color);
    p.Rect(lo, hi - 1, lo + arm - 1, hi, color);
    p.Rect(lo, hi - arm + 1, lo + 1, hi, color);
    p.Rect(hi - arm + 1, hi - 1, hi, hi, color);
    p.Rect(hi - 1, hi - arm + 1, hi, hi, color);
}

QImage MakeTileStrip() {
    QImage strip(kBuiltinTileSize * kTileColumns, kBuiltinTileSize, QImage::Format_RGB32);
    strip.fill(kMask);
    for (int pass = 0; pass < 2; ++pass) {
        const bool upper = pass == 1;
        const int c = 12 * pass;
        if (!upper) DrawBase(TilePainter(strip, c));
        DrawCorners(TilePainter(strip, c + 1), upper);
        for (int k = 0; k < 8; ++k) {
            TilePainter p(strip, c + 2 + k);
            for (Side side : {kNorth, kSouth, kWest, kEast}) DrawSideMark(p, side, k, upper);
            DrawLevelMark(p, true, k, upper);
            DrawLevelMark(p, false, k, upper);
        }
        DrawCorridor(TilePainter(strip, c + 10), true, upper);
        DrawCorridor(TilePainter(strip, c + 11), false, upper);
    }
    DrawBrackets(TilePainter(strip, 24), 0, 8, kSelection);
    DrawBrackets(TilePainter(strip, 25), 2, 6, kCheck);
    return strip;
}

}  // namespace

const QImage& BuiltinTileStrip() {
    static const QImage strip = MakeTileStrip();
    return strip;
}

}  // namespace trellan
