// The about box's lines.
#include <gtest/gtest.h>

#include <QLabel>

#include "app/GuiTestSupport.h"
#include "app/window/AboutForm.h"
#include "settings/IniFile.h"
#include "settings/Localisation.h"
#include "text/W1251.h"

namespace trellan {
namespace {

using testing::TempDirectory;

TEST(AboutFormTest, CompressionLineSaysWhetherMccpIsOnAndWorking) {
    testing::App();
    TempDirectory home;
    Localisation localisation(home / "language.ini");

    AboutInfo off;
    off.MccpEnabled = false;
    off.MccpActive = false;
    off.SystemName = "Debian GNU/Linux 12 (bookworm)";
    AboutForm offBox(localisation, off);
    EXPECT_EQ(offBox.CompressionLine(), W1251("Компрессия mccp: Выключена, Неактивна"));
    EXPECT_EQ(offBox.VersionLine(), W1251("Версия 2.5.3 (Win2K Server fix)"));
    EXPECT_EQ(offBox.SystemLine(), W1251("Версия ОС: Debian GNU/Linux 12 (bookworm)"));
    EXPECT_EQ(offBox.windowTitle(), QString::fromUtf8(" О программе"));
    EXPECT_EQ(offBox.findChild<QLabel*>("lblMccp")->text(), QString::fromUtf8("Компрессия mccp: Выключена, Неактивна"));

    AboutInfo on;
    on.MccpEnabled = true;
    on.MccpActive = true;
    AboutForm onBox(localisation, on);
    EXPECT_EQ(onBox.CompressionLine(), W1251("Компрессия mccp: Включена, Активна"));

    // Every text looked up is left in the file for translation.
    const IniFile ini = IniFile::Load(home / "language.ini");
    for (const char* key : {"Caption", "ProductVersion", "WinVersion", "btnOk", "lblMccp", "MccpEnabled",
                            "MccpDisabled", "MccpActive", "MccpUnactive"}) {
        EXPECT_TRUE(ini.Find("AboutForm", key).has_value()) << key;
    }
}

TEST(AboutFormTest, TranslatedTextsWin) {
    testing::App();
    TempDirectory home;
    testing::WriteFile(home / "language.ini", "[AboutForm]\r\nlblMccp=MCCP:\r\nMccpDisabled=off\r\n");
    Localisation localisation(home / "language.ini");
    AboutInfo info;
    info.MccpEnabled = false;
    AboutForm box(localisation, info);
    EXPECT_EQ(box.CompressionLine(), "MCCP: off, " + W1251("Неактивна"));
}

}  // namespace
}  // namespace trellan
