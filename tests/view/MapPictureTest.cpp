// Pictures of the map: the frame of a whole level and of a view, PNG and
// SVG files written from the painter, and what stops a picture.
#include <QFile>
#include <QImage>
#include <QXmlStreamReader>
#include <algorithm>
#include <stdexcept>

#include "ViewFixture.h"
#include "common/Errors.h"
#include "support/TempDirectory.h"
#include "view/MapPicture.h"

namespace trellan {
namespace {

class MapPictureTest : public ViewFixture {
protected:
    MapPictureTest() {
        EnsureApp();
        paint.PanelBitmap = -1;
        // Level 0: rows 0 to 4, columns 0 to 9; the first room yellow.
        for (int x = 0; x < 5; ++x) {
            for (int y = 0; y < 10; ++y) AddRoom(x, y, 0)->Hint = Cp("Поле ") + std::to_string(x * 10 + y);
        }
        first = world.FindRoom(0, 0, 0);
        first->BColor = 0x00FFFF;
        first->Hint = Cp("Мост <через> & \"реку\"");
        AddRoom(7, 7, 1)->Hint = Cp("Башня");
        view.RecomputeBounds();
    }

    MapPictureSource Source() const {
        return MapPictureSource{world,           view.Bounds, skins.Active(),          skins.IconPoint,
                                skins.FillPoint, config.Dark, config.DirectionPhrases, paint};
    }

    // Every text of the SVG's text elements, after checking that the file
    // is well-formed XML with the painted rooms as an image.
    QStringList SvgTexts(const std::string& path) {
        QFile file(QString::fromStdString(path));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QStringList texts;
        int images = 0;
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement()) continue;
            if (xml.name() == QStringLiteral("image")) ++images;
            if (xml.name() == QStringLiteral("text")) texts << xml.readElementText().trimmed();
        }
        EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
        EXPECT_EQ(images, 1);
        return texts;
    }

    MapPaintOptions paint;
    MudRoom* first = nullptr;
    testing::TempDirectory dir;
};

TEST_F(MapPictureTest, AWholeLevelIsItsRoomsWithACellOfBorder) {
    for (int cell : {32, 16, 64}) {
        const std::optional<MapPictureFrame> frame = WholeLevelFrame(world, 0, cell);
        ASSERT_TRUE(frame);
        const std::string path = dir.Path() + "/level" + std::to_string(cell) + ".png";
        WriteMapPicture(path, Source(), *frame);
        const QImage picture(QString::fromStdString(path));
        ASSERT_EQ(picture.size(), QSize(12 * cell, 7 * cell)) << cell;
        // The first room's tile right after the border, its colour at the
        // skin's fill point; the border itself is the panel's colour.
        const int fx = cell + (skins.FillPoint.A * cell + 16) / 32;
        const int fy = cell + (skins.FillPoint.B * cell + 16) / 32;
        EXPECT_EQ(picture.pixel(fx, fy) | 0xFF000000u, 0xFFFFFF00u) << cell;
        EXPECT_EQ(picture.pixel(cell / 2, cell / 2) | 0xFF000000u, 0xFF808080u) << cell;
    }
    const std::optional<MapPictureFrame> upper = WholeLevelFrame(world, 1, 32);
    ASSERT_TRUE(upper);
    EXPECT_EQ(upper->Kept.size(), QSize(3 * 32, 3 * 32));
    EXPECT_FALSE(WholeLevelFrame(world, 2, 32)) << "a level with no rooms";
}

TEST_F(MapPictureTest, AViewPictureIsTheViewAsPainted) {
    const MapPictureFrame frame = ViewFrame(ViewOrigin{2, 4, 0}, 32, QSize(300, 200));
    const std::string path = dir.Path() + "/view.png";
    WriteMapPicture(path, Source(), frame);
    NewCanvas(300, 200);
    PaintMap(*canvas, world, view.Bounds, paint, Context(ViewOrigin{2, 4, 0}));
    const QImage written = QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(written, image);
}

TEST_F(MapPictureTest, AnSvgHoldsThePaintedRoomsAndNamesEveryRoomOfTheLevel) {
    for (bool names : {false, true}) {
        std::optional<MapPictureFrame> frame = WholeLevelFrame(world, 0, names ? 48 : 32);
        ASSERT_TRUE(frame);
        frame->Names = names;
        const std::string path = dir.Path() + (names ? "/named.svg" : "/plain.svg");
        WriteMapPicture(path, Source(), *frame);
        const QStringList texts = SvgTexts(path);
        EXPECT_EQ(texts.size(), 50) << names;
        // Drawn names are elided to the cell; the invisible ones are whole.
        if (!names) EXPECT_TRUE(texts.contains(QStringLiteral("Поле 49")));
        const QString bridge = QString::fromUtf8("Мост <через> & \"реку\"");
        if (names) {
            EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [&](const QString& t) {
                return t.endsWith(QChar(0x2026)) && bridge.startsWith(t.chopped(1));
            })) << texts.join('|').toStdString();
        } else {
            EXPECT_TRUE(texts.contains(bridge)) << texts.join('|').toStdString();
        }
        EXPECT_FALSE(texts.contains(QStringLiteral("Башня"))) << "another level";
    }
}

TEST_F(MapPictureTest, ABadNameOrAnUnwritablePlaceWritesNothing) {
    const std::optional<MapPictureFrame> frame = WholeLevelFrame(world, 0, 32);
    ASSERT_TRUE(frame);
    EXPECT_THROW(WriteMapPicture(dir.Path() + "/map.gif", Source(), *frame), std::invalid_argument);
    EXPECT_THROW(WriteMapPicture(dir.Path() + "/missing/map.png", Source(), *frame), FileWriteError);
    MapPictureFrame huge = *frame;
    huge.Canvas = QSize(20000, 20000);
    EXPECT_THROW(WriteMapPicture(dir.Path() + "/huge.png", Source(), huge), std::invalid_argument);
    EXPECT_EQ(PictureFormatOf("a/MAP.Svg"), PictureFormat::Svg);
    EXPECT_EQ(PictureFormatOf("map.png.txt"), std::nullopt);
}

}  // namespace
}  // namespace trellan
