#pragma once
// A world with one shown zone, the built-in skin and a canvas of a given
// size to paint rooms into, with helpers to look at the result.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <memory>
#include <string>

#include "mapping/MappingConfig.h"
#include "mapping/ViewState.h"
#include "model/World.h"
#include "text/Cp1251.h"
#include "view/MapCanvas.h"
#include "view/RoomPainter.h"
#include "view/SkinSet.h"

namespace trellan {

// A background colour the built-in skin never uses.
inline constexpr QRgb kBackground = 0xFF203040u;
inline constexpr QRgb kWhitePx = 0xFFFFFFFFu;
inline constexpr QRgb kSilverPx = 0xFFC0C0C0u;

// Widgets need an application object; one lives for the whole test run.
inline void EnsureApp() {
    static int argc = 1;
    static char name[] = "test_view";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance() == nullptr) new QApplication(argc, argv);
}

inline std::string Cp(const char* utf8) {
    return Utf8ToCp1251(utf8);
}

class ViewFixture : public ::testing::Test {
protected:
    ViewFixture() {
        world.CurrentZone = "zone";
        world.LoadZone();
    }

    MudRoom* AddRoom(std::int32_t x, std::int32_t y, std::int32_t l, const std::string& exits = "") {
        auto room = std::make_unique<MudRoom>();
        room->X = x;
        room->Y = y;
        room->L = l;
        room->Tag = ++world.LastRoomNumber;
        room->BColor = 0xC0C0C0;
        room->Hint = "Room";
        room->SetExits(exits, config.Words);
        return world.AddRoom(std::move(room));
    }

    // A fresh canvas of the size filled with the background.
    void NewCanvas(int width, int height, QRgb background = kBackground) {
        image = QImage(width, height, QImage::Format_RGB32);
        image.fill(background);
        canvas = std::make_unique<MapCanvas>(image);
    }

    RoomPaintContext Context(ViewOrigin origin = {}) const {
        return RoomPaintContext{skins.Active(), skins.IconPoint,         skins.FillPoint,
                                config.Dark,    config.DirectionPhrases, origin};
    }

    void Paint(const MudRoom& room, ViewOrigin origin = {}) { PaintRoom(*canvas, room, Context(origin)); }

    QRgb Px(int x, int y) const { return image.pixel(x, y) | 0xFF000000u; }

    // The smallest rectangle holding every pixel that is not `background`.
    QRect Painted(QRgb background = kBackground) const {
        QRect box;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (Px(x, y) != background) box |= QRect(x, y, 1, 1);
            }
        }
        return box;
    }

    World world;
    ViewState view{world};
    MappingConfig config;
    SkinSet skins;
    QImage image;
    std::unique_ptr<MapCanvas> canvas;
};

}  // namespace trellan
