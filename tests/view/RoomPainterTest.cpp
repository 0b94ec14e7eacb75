// The room painter with the built-in skin on a 461 x 240 canvas, where the
// tile of the view centre's cell starts at (214, 104).
#include "ViewFixture.h"
#include "view/ImageList.h"
#include "view/SkinStrips.h"

namespace trellan {
namespace {

constexpr QRgb kDarkWhite = 0xFFBFBFBFu;   // white, 25 % towards black
constexpr QRgb kDarkSilver = 0xFF909090u;  // silver, 25 % towards black
constexpr QRgb kRed = 0xFFFF0000u;
constexpr QRgb kLime = 0xFF00FF00u;
constexpr QRgb kZoneLoadBlue = 0xFF2060FFu;
constexpr QRgb kZoneCommandGreen = 0xFF00B000u;

class RoomPainterTest : public ViewFixture {
protected:
    RoomPainterTest() { NewCanvas(461, 240); }

    void Repaint(const MudRoom& room, ViewOrigin origin = {}) {
        NewCanvas(461, 240);
        Paint(room, origin);
    }

    // Every opaque pixel of icon `index` is on the canvas at (x, y) as drawn in `mode`.
    void ExpectIcon(int index, int x, int y, DrawMode mode) {
        const ImageList& icons = skins.Active().Icons;
        const MaskedImage& icon = icons.At(index);
        const std::vector<QRgb>& pixels = icon.ForMode(mode);
        ASSERT_FALSE(icon.Empty());
        for (const MaskedImage::Run& run : icon.Runs) {
            for (int i = 0; i < run.length; ++i) {
                ASSERT_EQ(Px(x + run.x + i, y + run.y), pixels[run.y * icons.Width() + run.x + i] | 0xFF000000u)
                    << "icon pixel " << run.x + i << "," << run.y;
            }
        }
    }
};

TEST_F(RoomPainterTest, TilesArePlacedByLevelWithTheShiftOfAnEighthCell) {
    MudRoom* room = AddRoom(0, 0, 0);
    room->Selected = true;  // the selection brackets reach the tile's corners
    Paint(*room);
    EXPECT_EQ(Painted(), QRect(214, 104, 32, 32));

    world.MoveRoom(room, 0, 0, 1);
    Repaint(*room);
    EXPECT_EQ(Painted(), QRect(210, 100, 32, 32));
    // The upper set: the frame as a darkened outline, no base and no fill.
    EXPECT_EQ(Px(210 + 6, 100 + 6), kDarkWhite);
    EXPECT_EQ(Px(210 + 12, 100 + 20), kBackground);

    world.MoveRoom(room, 0, 0, -1);
    room->BColor = 0x0000FF;  // red
    Repaint(*room);
    EXPECT_EQ(Painted(), QRect(218, 108, 32, 32));
    EXPECT_EQ(Px(218 + 12, 108 + 20), kDarkSilver) << "no fill below the viewed level";

    // Two levels up nothing is painted at all.
    world.MoveRoom(room, 0, 0, 2);
    Repaint(*room);
    EXPECT_TRUE(Painted().isNull());

    // Another cell and another view centre.
    world.MoveRoom(room, 5, -3, 7);
    Repaint(*room, ViewOrigin{4, -1, 7});
    EXPECT_EQ(Painted(), QRect(214 - 2 * 32, 104 + 32, 32, 32));
}

TEST_F(RoomPainterTest, FillColoursTheRoomAndStaysInsideTheSkinsClosedArea) {
    MudRoom* room = AddRoom(0, 0, 0);
    room->BColor = 0x0000FF;
    Paint(*room);
    EXPECT_EQ(Px(214 + 12, 104 + 20), kRed);
    EXPECT_EQ(Px(214 + 16, 104 + 16), kRed);
    EXPECT_EQ(Px(214 + 12, 104 + 12), kRed) << "the up window without an exit takes the colour";
    EXPECT_EQ(Px(214 + 3, 104 + 16), kBackground);

    // A background of the skin's own room colour does not let the fill out.
    NewCanvas(461, 240, kSilverPx);
    Paint(*room);
    EXPECT_EQ(Px(214 + 16, 104 + 16), kRed);
    EXPECT_EQ(Px(214 + 3, 104 + 16), kSilverPx);
    EXPECT_EQ(Px(214 + 16, 104 + 28), kSilverPx);
    EXPECT_EQ(Px(0, 0), kSilverPx);
}

TEST_F(RoomPainterTest, ExitVariantsDoorsAndLinks) {
    MudRoom* room = AddRoom(0, 0, 0, "N (S) U");
    room->ChN = true;
    room->ChE = true;
    const std::array<int, 5> variants{ExitVariant(*room, Direction::North), ExitVariant(*room, Direction::South),
                                      ExitVariant(*room, Direction::East), ExitVariant(*room, Direction::West),
                                      ExitVariant(*room, Direction::Up)};
    EXPECT_EQ(variants, (std::array<int, 5>{4, 2, 3, 0, 1}));
    Paint(*room);
    const int sx = 214, sy = 104;
    EXPECT_EQ(Px(sx + 16, sy + 0), kSilverPx) << "linked exit: a corridor stub to the edge";
    EXPECT_EQ(Px(sx + 16, sy + 6), kSilverPx) << "and the frame opened for it";
    EXPECT_EQ(Px(sx + 15, sy + 31 - 2), 0xFF8C4600u) << "unlinked door: a bar across the opening";
    EXPECT_EQ(Px(sx + 31 - 6, sy + 12), 0xFF000000u) << "link without an exit: the frame stays closed";
    EXPECT_EQ(Px(sx + 31 - 1, sy + 16), kSilverPx) << "... with a stub";
    EXPECT_EQ(Px(sx + 6, sy + 16), kWhitePx) << "no west exit: the frame's side";
    EXPECT_EQ(Px(sx + 1, sy + 16), kBackground);
    EXPECT_EQ(Px(sx + 12, sy + 10), 0xFF000000u) << "the up mark's tip";
}

TEST_F(RoomPainterTest, ZoneLinkMarksFollowTheLastEntryOfEachDirection) {
    const auto& phrases = config.DirectionPhrases;
    MudRoom* room = AddRoom(0, 0, 0);
    room->AutoMaps = {"Other|" + phrases[Index(Direction::North)] + "|5|open gate",
                      "Other|" + phrases[Index(Direction::North)] + "|6",
                      "|" + phrases[Index(Direction::East)] + "|7|pull lever", "Other|portal|3"};
    std::array<int, kDirectionCount> marks = ZoneLinkMarks(*room, phrases);
    EXPECT_EQ(marks, (std::array<int, kDirectionCount>{1, 0, 0, 2, 0, 0}));
    Paint(*room);
    EXPECT_EQ(Px(214 + 10, 104 + 0), kZoneLoadBlue);
    EXPECT_EQ(Px(214 + 19, 104 + 0), kBackground);
    EXPECT_EQ(Px(214 + 31, 104 + 19), kZoneCommandGreen);
    EXPECT_EQ(Px(214 + 31, 104 + 10), kBackground);
}

TEST_F(RoomPainterTest, CorridorImageFollowsItsAxisAndLevel) {
    MudRoom* pipe = AddRoom(0, 0, 0, "E");
    pipe->Pipe = true;
    pipe->Hint.clear();
    Paint(*pipe);
    EXPECT_EQ(Px(214 + 0, 104 + 16), kSilverPx);
    EXPECT_EQ(Px(214 + 16, 104 + 0), kBackground);

    pipe->ChS = true;
    Repaint(*pipe);
    EXPECT_EQ(Px(214 + 16, 104 + 0), kSilverPx);
    EXPECT_EQ(Px(214 + 0, 104 + 16), kBackground);

    // One level up: the outline of the band, darkened and shifted.
    world.MoveRoom(pipe, 0, 0, 1);
    Repaint(*pipe);
    EXPECT_EQ(Px(210 + 14, 100 + 0), kDarkWhite);
    EXPECT_EQ(Px(210 + 16, 100 + 0), kBackground);
}

TEST_F(RoomPainterTest, PicturesByLevel) {
    MudRoom* room = AddRoom(0, 0, 0);
    Paint(*room);
    const QImage bare = image.copy();

    room->ImageIndex = 1;  // the death trap
    Repaint(*room);
    ExpectIcon(1, 214 + 8, 104 + 8, DrawMode::Masked);

    world.MoveRoom(room, 0, 0, -1);
    Repaint(*room);
    ExpectIcon(1, 218 + 8, 108 + 8, DrawMode::BlendGrey25);

    world.MoveRoom(room, 0, 0, -2);
    Repaint(*room);
    ExpectIcon(1, 222 + 8, 112 + 8, DrawMode::BlendBlack25);

    // Above the viewed level no picture; picture 0 is none.
    world.MoveRoom(room, 0, 0, 1);
    Repaint(*room);
    const QImage above = image.copy();
    room->ImageIndex = 0;
    Repaint(*room);
    EXPECT_EQ(image, above);
    world.MoveRoom(room, 0, 0, 0);
    Repaint(*room);
    EXPECT_EQ(image, bare);

    // A picture the skin has no icon for draws nothing.
    room->ImageIndex = 500;
    Repaint(*room);
    EXPECT_EQ(image, bare);
}

TEST_F(RoomPainterTest, IconAndFillPointsComeFromTheSkin) {
    MudRoom* room = AddRoom(0, 0, 0);
    room->ImageIndex = 1;
    skins.IconPoint = {2, 10};  // 2 down, 10 right
    Paint(*room);
    ExpectIcon(1, 214 + 10, 104 + 2, DrawMode::Masked);

    // The fill seeds 2 right and 10 down: outside the room square, on the
    // background, which it floods whole.
    room->ImageIndex = 0;
    room->BColor = 0x0000FF;
    skins.FillPoint = {2, 10};
    Repaint(*room);
    EXPECT_EQ(Px(0, 0), kRed);
    EXPECT_EQ(Px(214 + 16, 104 + 16), kSilverPx);
}

TEST_F(RoomPainterTest, DarknessMarkOnlyOnTheViewedLevel) {
    MudRoom* room = AddRoom(0, 0, 0);
    room->Hint = config.Dark;
    Paint(*room);
    EXPECT_EQ(Px(214 + 9, 104 + 9), 0xFF000000u);
    EXPECT_EQ(Px(214 + 10, 104 + 9), kSilverPx);
    EXPECT_EQ(Px(214 + 24, 104 + 24), 0xFF000000u);

    world.MoveRoom(room, 0, 0, -1);
    Repaint(*room);
    const QImage dark = image.copy();
    room->Hint = "Room";
    Repaint(*room);
    EXPECT_EQ(image, dark);
}

TEST_F(RoomPainterTest, RoomsAtThePanelsEdgesAreDrawnWhenOnePixelShows) {
    // A 35 x 40 canvas: the centre's tile starts at (1, 4).
    MudRoom* room = AddRoom(0, -1, 0);
    room->Selected = true;
    NewCanvas(35, 40);
    Paint(*room);
    EXPECT_EQ(Painted(), QRect(0, 4, 1, 32)) << "the tile's last column at x 0";
    EXPECT_EQ(Px(0, 4), kLime);

    world.MoveRoom(room, 0, 1, 0);
    NewCanvas(35, 40);
    Paint(*room);
    EXPECT_EQ(Px(33, 4), kLime);

    for (auto [x, y] : {std::pair{0, -2}, std::pair{0, 3}, std::pair{-2, 0}, std::pair{2, 0}}) {
        world.MoveRoom(room, x, y, 0);
        NewCanvas(35, 40);
        Paint(*room);
        EXPECT_TRUE(Painted().isNull()) << x << "," << y;
    }
}

TEST_F(RoomPainterTest, SelectionAndCheckMarksOnEveryPaintedRoom) {
    MudRoom* pipe = AddRoom(0, 0, -1, "N");
    pipe->Pipe = true;
    pipe->Selected = true;
    pipe->Checked = true;
    Paint(*pipe);
    EXPECT_EQ(Px(218 + 0, 108 + 0), 0xFF00BF00u) << "selection, darkened below the level";
    EXPECT_EQ(Px(218 + 2, 108 + 2), 0xFFBFBF00u) << "check mark, darkened";
}

}  // namespace
}  // namespace trellan
