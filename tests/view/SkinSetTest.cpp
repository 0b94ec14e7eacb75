// Skins from skin ini files in a world directory, and the built-in skin.
#include <QFile>
#include <QTemporaryDir>
#include <fstream>

#include "ViewFixture.h"
#include "common/Errors.h"
#include "view/BuiltinSkin.h"
#include "view/ColorRef.h"
#include "view/SkinStrips.h"

namespace trellan {
namespace {

constexpr QRgb kCyan = 0xFF00FFFFu;
constexpr QRgb kGreenish = 0xFF0AC81Eu;

class SkinSetTest : public ::testing::Test {
protected:
    std::string Dir() const { return dir.path().toStdString(); }

    void WriteFile(const std::string& name, const std::string& bytes) {
        std::ofstream out(Dir() + "/" + name, std::ios::binary);
        out << bytes;
    }

    // A strip of 26 tiles of `size` pixels: cyan mask, the first tile's
    // centre greenish, every tile otherwise filled with `fill`.
    void WriteTileStrip(const std::string& name, int size, int tiles = 26, QRgb fill = 0xFF112233u) {
        QImage strip(size * tiles, size, QImage::Format_RGB32);
        strip.fill(fill);
        strip.setPixel(0, size - 1, kCyan);
        strip.setPixel(size / 2, size / 2, kGreenish);
        ASSERT_TRUE(strip.save(QString::fromStdString(Dir() + "/" + name), "BMP"));
    }

    void WriteIconStrip(const std::string& name, int width, int height = 16) {
        QImage strip(width, height, QImage::Format_RGB32);
        strip.fill(0xFF445566u);
        strip.setPixel(15, 0, kCyan);
        ASSERT_TRUE(strip.save(QString::fromStdString(Dir() + "/" + name), "BMP"));
    }

    // Pixmaps need the application object, before the skins are made, since
    // CTest runs every test in a process of its own.
    struct AppFirst {
        AppFirst() { EnsureApp(); }
    } appFirst;
    QTemporaryDir dir;
    SkinSet skins;
};

// Also what a missing skin file gives.
TEST_F(SkinSetTest, BuiltInSkinHasAPictureForEverythingThePainterDraws) {
    skins.IconPoint = {1, 1};
    skins.LoadSkin(Dir(), "", 0);
    EXPECT_EQ(skins.SkinIniFile(), "noskin.ini");
    EXPECT_EQ(skins.ChooserLines(), std::vector<std::string>{"Default 32x32"});
    EXPECT_EQ(skins.IconPoint, (SkinPoint{8, 8}));
    EXPECT_EQ(skins.FillPoint, (SkinPoint{12, 20}));
    EXPECT_EQ(skins.Slot(0).Icons.Count(), kBuiltinIconCount);
    EXPECT_EQ(skins.Slot(1).Icons.Count(), 0);
    // Every picture the painter uses has something to show; column 12 is
    // cut but never drawn.
    const ImageList& rooms = skins.Slot(0).Rooms;
    ASSERT_EQ(rooms.Count(), kRoomImageCount);
    for (int i : {0, 1, 50, 51, 53, 102, 103, 104, 105}) EXPECT_FALSE(rooms.At(i).Empty()) << i;
    for (int k = 0; k < 8; ++k) {
        for (int d = 0; d < 6; ++d) {
            const bool emptyAllowed = (d >= 4 && k == 0);  // no up or down exit above the level
            EXPECT_TRUE(emptyAllowed || !rooms.At(54 + 6 * k + d).Empty()) << k << "," << d;
            EXPECT_FALSE(rooms.At(2 + 6 * k + d).Empty()) << k << "," << d;
        }
    }
    for (int k = 0; k < kBuiltinIconCount; ++k) EXPECT_FALSE(skins.Slot(0).Icons.At(k).Empty()) << k;
}

TEST_F(SkinSetTest, SectionsGeneralSkin0Skin1ListTwoSkinsAndLineOneLoadsSkin1) {
    WriteTileStrip("tiles20.bmp", 20);
    WriteFile("skins.ini", "[General]\r\nA=1\r\n[Skin0]\r\n\r\n[Skin1]\r\nDescription=" + Cp("Мелкая") +
                               "\r\nPicture=TILES20.BMP\r\nIconPoint=2,10\r\nFillPoint=3,4\r\n");
    int refills = 0;
    skins.ChooserRefilled = [&] { ++refills; };
    skins.LoadSkin(Dir(), "skins.ini", 0);
    EXPECT_EQ(refills, 1);
    EXPECT_EQ(skins.ChooserLines(), (std::vector<std::string>{"1", Cp("Мелкая")}));
    EXPECT_EQ(skins.ChooserIndex(), 0);
    EXPECT_EQ(skins.CellSize(), 32);

    skins.SelectSkin(1);
    EXPECT_EQ(refills, 1);
    EXPECT_EQ(skins.ChooserIndex(), 1);
    EXPECT_EQ(skins.CellSize(), 20) << "the painter now uses slot 1";
    EXPECT_EQ(skins.Slot(0).Rooms.Height(), 32);
    EXPECT_EQ(skins.IconPoint, (SkinPoint{2, 10}));
    EXPECT_EQ(skins.FillPoint, (SkinPoint{3, 4}));
    EXPECT_EQ(ColorRefToRgb(skins.SkinRoomColor), kGreenish);
    EXPECT_EQ(skins.LastColor, skins.SkinRoomColor);
    EXPECT_EQ(skins.Slot(1).Icons.Count(), 0) << "no icons of its own, no fallback";
    EXPECT_EQ(skins.Slot(1).Rooms.MaskColor(), kCyan);
}

TEST_F(SkinSetTest, ShortIconStripIsRefusedForLineZeroOnly) {
    WriteIconStrip("icons64.bmp", 64);
    WriteFile("s.ini", "[Skin0]\r\nIcons=icons64.bmp\r\n[Skin1]\r\nIcons=icons64.bmp\r\n");
    skins.LoadSkin(Dir(), "s.ini", 0);
    EXPECT_EQ(skins.Slot(0).Icons.Count(), kBuiltinIconCount);
    skins.SelectSkin(1);
    EXPECT_EQ(skins.Slot(1).Icons.Count(), 4);

    WriteIconStrip("icons96.bmp", 96);
    WriteFile("s.ini", "[Skin0]\r\nIcons=icons96.bmp\r\n");
    skins.LoadSkin(Dir(), "s.ini", 0);
    EXPECT_EQ(skins.Slot(0).Icons.Count(), 6);
    EXPECT_EQ(skins.Slot(0).Icons.MaskColor(), kCyan);
    // Item 0 means no picture; every fifth item starts a column.
    std::vector<PictureMenuItem> items = skins.PictureMenuItems();
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(items[0].Value, -1);
    EXPECT_EQ(items[3].Value, 3);
    EXPECT_TRUE(items[5].NewColumn);
    EXPECT_FALSE(items[4].NewColumn);
    std::vector<QPixmap> tree = skins.ZoneTreeImages(std::vector<QPixmap>(8, QPixmap(16, 16)));
    EXPECT_EQ(tree.size(), 6u + 6u);

    // An icon file that is not a picture leaves the first skin without icons.
    WriteFile("broken.bmp", "BM not really");
    WriteFile("s.ini", "[Skin0]\r\nIcons=broken.bmp\r\n");
    skins.LoadSkin(Dir(), "s.ini", 0);
    EXPECT_EQ(skins.Slot(0).Icons.Count(), 0);
}

TEST_F(SkinSetTest, PictureWithoutRectanglesUsesThe32PixelDefaults) {
    // A strip whose every pixel is opaque shows the cut rectangles exactly.
    WriteTileStrip("t40.bmp", 40);
    WriteFile("s.ini", "[Skin0]\r\nPicture=t40.bmp\r\nIconPoint=1,1\r\n");
    skins.LoadSkin(Dir(), "s.ini", 0);
    const ImageList& rooms = skins.Slot(0).Rooms;
    ASSERT_EQ(rooms.Height(), 40);
    const ExitRects rects = DefaultExitRects();
    for (int d = 0; d < 6; ++d) {
        const QImage exit = rooms.ToImage(2 + 6 * 3 + d);
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 40; ++x) {
                ASSERT_EQ(qAlpha(exit.pixel(x, y)) != 0, rects[d].contains(x, y)) << d << " at " << x << "," << y;
            }
        }
    }
    EXPECT_EQ(skins.IconPoint, (SkinPoint{1, 1}));
    EXPECT_EQ(skins.FillPoint, (SkinPoint{12, 20}));

    // Keys of a skin whose picture is missing are not even read.
    WriteFile("s.ini", "[Skin0]\r\nPicture=gone.bmp\r\nIconPoint=x\r\n");
    skins.LoadSkin(Dir(), "s.ini", 0);
    EXPECT_EQ(skins.CellSize(), 32);
    EXPECT_EQ(skins.IconPoint, (SkinPoint{8, 8}));
}

TEST_F(SkinSetTest, GoingBackToLineZeroRestoresItsValuesWithoutReadingTheFile) {
    WriteTileStrip("t20.bmp", 20);
    WriteTileStrip("t24.bmp", 24, 26, 0xFF800000u);
    WriteFile(
        "s.ini",
        "[Skin0]\r\nPicture=t20.bmp\r\nIconPoint=3,3\r\nFillPoint=5,5\r\n[Skin1]\r\n[Skin2]\r\nPicture=t24.bmp\r\n"
        "IconPoint=7,7\r\n");
    skins.LoadProfileSkins(Dir(), "s.ini", 2);
    EXPECT_EQ(skins.ChooserIndex(), 2);
    EXPECT_EQ(skins.CellSize(), 24);
    EXPECT_EQ(skins.IconPoint, (SkinPoint{7, 7}));
    QFile::remove(QString::fromStdString(Dir() + "/s.ini"));

    int changes = 0;
    skins.ActiveChanged = [&] { ++changes; };
    skins.SelectSkin(0);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(skins.ChooserIndex(), 0);
    EXPECT_EQ(skins.CellSize(), 20);
    EXPECT_EQ(skins.IconPoint, (SkinPoint{3, 3}));
    EXPECT_EQ(skins.FillPoint, (SkinPoint{5, 5}));
    EXPECT_EQ(ColorRefToRgb(skins.SkinRoomColor), kGreenish);
    EXPECT_EQ(skins.Slot(1).Rooms.Height(), 24) << "slot 1 stays as it was";

    // A profile's current skin outside the chooser's lines stays on line 0.
    WriteFile("s.ini", "[Skin0]\r\n");
    skins.LoadProfileSkins(Dir(), "s.ini", 5);
    EXPECT_EQ(skins.ChooserIndex(), 0);
}

TEST_F(SkinSetTest, BadNumbersAndUnreadablePicturesFailAndKeepTheSkin) {
    WriteTileStrip("t20.bmp", 20);
    WriteFile("s.ini", "[Skin0]\r\nPicture=t20.bmp\r\nNorthRect=10,0,22\r\n");
    EXPECT_THROW(skins.LoadSkin(Dir(), "s.ini", 0), FileFormatError);
    EXPECT_EQ(skins.CellSize(), 32);

    WriteFile("s.ini", "[Skin0]\r\nPicture=t20.bmp\r\nFillPoint=1,b\r\n");
    try {
        skins.LoadSkin(Dir(), "s.ini", 0);
        FAIL();
    } catch (const FileFormatError& error) {
        EXPECT_NE(std::string(error.what()).find("FillPoint"), std::string::npos) << error.what();
    }

    WriteFile("junk.bmp", std::string(500, 'x'));
    WriteFile("s.ini", "[Skin0]\r\nPicture=junk.bmp\r\n");
    EXPECT_THROW(skins.LoadSkin(Dir(), "s.ini", 0), FileFormatError);

    // Tiles so large they would take memory without bound.
    QImage huge(300, 300, QImage::Format_RGB32);
    huge.fill(Qt::white);
    ASSERT_TRUE(huge.save(QString::fromStdString(Dir() + "/huge.png"), "PNG"));
    WriteFile("s.ini", "[Skin0]\r\nPicture=huge.png\r\n");
    EXPECT_THROW(skins.LoadSkin(Dir(), "s.ini", 0), FileFormatError);
    EXPECT_EQ(skins.CellSize(), 32);
    EXPECT_EQ(skins.Slot(0).Rooms.Count(), kRoomImageCount);
}

TEST_F(SkinSetTest, NarrowStripCutsEmptyTilesPastItsEnd) {
    WriteTileStrip("short.bmp", 20, 3);
    WriteFile("s.ini", "[Skin0]\r\nPicture=sub\\short.bmp\r\n");
    QDir(dir.path()).mkdir("Sub");
    QFile::rename(QString::fromStdString(Dir() + "/short.bmp"), QString::fromStdString(Dir() + "/Sub/short.bmp"));
    skins.LoadSkin(Dir(), "s.ini", 0);
    const ImageList& rooms = skins.Slot(0).Rooms;
    ASSERT_EQ(rooms.Count(), kRoomImageCount);
    EXPECT_FALSE(rooms.At(0).Empty());
    EXPECT_FALSE(rooms.At(2 + 0).Empty()) << "column 2 is there";
    EXPECT_TRUE(rooms.At(2 + 6).Empty()) << "column 3 is not";
    EXPECT_TRUE(rooms.At(105).Empty());
}

}  // namespace
}  // namespace trellan
