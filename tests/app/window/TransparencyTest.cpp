// The transparency formula, its bands, and what applying it does to the
// window, the slider and the menu.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QSlider>

#include "app/GuiTestSupport.h"
#include "app/map/MapPage.h"
#include "app/window/MainToolBar.h"
#include "app/window/Transparency.h"
#include "app/window/TrellanForm.h"
#include "settings/IniFile.h"

namespace trellan {
namespace {

using testing::GuiFixture;
using testing::WriteFile;

TEST(TransparencyTest, AlphaCutsTheFractionOffAndBandsPickTheMenuItem) {
    const int expected[] = {255, 229, 204, 178, 153, 127, 102, 76, 51};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(TransparencyAlpha(i * 10), expected[i]) << i * 10;
    EXPECT_EQ(TransparencyAlpha(33), 170);  // 67 * 2.55 = 170.85
    EXPECT_EQ(TransparencyAlpha(-5), 255);
    EXPECT_EQ(TransparencyAlpha(95), 51);
    for (auto [position, band] : std::initializer_list<std::pair<int, int>>{
             {0, 0}, {5, 0}, {6, 10}, {15, 10}, {16, 20}, {75, 70}, {76, 80}, {80, 80}}) {
        EXPECT_EQ(TransparencyBand(position), band) << position;
    }
}

TEST(TransparencyTest, StoredPositionMenuItemsAndSliderSetTheWindowAlpha) {
    GuiFixture fixture;
    WriteFile(fixture.Home / "trellan.ini", "[Options]\r\nTransparency=20\r\n");
    GuiRunner& runner = fixture.Start(true);
    TrellanForm& form = runner.Form();
    Transparency& control = *form.TransparencyControl;
    QSlider& slider = *form.Map->ToolBar->TrackBarTransparency;
    ASSERT_TRUE(slider.isEnabled());
    ASSERT_TRUE(form.Menu.nTransparency->isEnabled());
    EXPECT_EQ(control.Alpha(), 204);
    EXPECT_TRUE(form.Menu.transparencyItems[2]->isChecked());

    form.Menu.transparencyItems[8]->trigger();
    EXPECT_EQ(slider.value(), 80);
    EXPECT_EQ(control.Alpha(), 51);
    EXPECT_NEAR(form.windowOpacity(), 51 / 255.0, 0.01);
    EXPECT_TRUE(form.Menu.transparencyItems[8]->isChecked());

    slider.setValue(33);
    EXPECT_EQ(control.Alpha(), 170);
    EXPECT_TRUE(form.Menu.transparencyItems[3]->isChecked());
    EXPECT_FALSE(form.Menu.transparencyItems[8]->isChecked());
    EXPECT_EQ(slider.toolTip(), QString::fromUtf8("Прозрачность 33%"));
}

TEST(TransparencyTest, WithoutWindowOpacityTheStoredPositionIsReset) {
    GuiFixture fixture;
    WriteFile(fixture.Home / "trellan.ini", "[Options]\r\nTransparency=40\r\nNoTransparency=0\r\n");
    GuiRunner& runner = fixture.Start(false);
    TrellanForm& form = runner.Form();
    EXPECT_FALSE(form.Map->ToolBar->TrackBarTransparency->isEnabled());
    EXPECT_FALSE(form.Menu.nTransparency->isEnabled());
    EXPECT_EQ(form.TransparencyControl->Position(), 0);
    EXPECT_EQ(form.TransparencyControl->Alpha(), 255);
    EXPECT_TRUE(form.Menu.transparencyItems[0]->isChecked());

    form.close();
    const IniFile ini = IniFile::Load(fixture.Home / "trellan.ini");
    EXPECT_EQ(ini.ReadInteger("Options", "Transparency", -1), 0);
    EXPECT_EQ(ini.ReadInteger("Options", "NoTransparency", -1), 1);
}

}  // namespace
}  // namespace trellan
