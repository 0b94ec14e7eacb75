// The main window: its texts from language.ini, the caption, the switches,
// the status bar, the error handler and the closing sequence.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTreeWidget>
#include <filesystem>

#include "app/GuiTestSupport.h"
#include "app/map/MapPage.h"
#include "app/objects/ObjectsPage.h"
#include "app/window/DebugPane.h"
#include "app/window/MainCaptions.h"
#include "app/window/MainToolBar.h"
#include "app/window/StatusPanels.h"
#include "app/window/TrellanForm.h"
#include "model/World.h"
#include "settings/IniFile.h"
#include "text/W1251.h"

namespace trellan {
namespace {

using testing::GuiFixture;
using testing::Q;
using testing::ReadFile;
using testing::WriteFile;

TEST(MainFormTest, FirstStartWritesEveryMainFormKeyWithItsRussianText) {
    GuiFixture fixture;
    ASSERT_FALSE(std::filesystem::exists(fixture.Home / "language.ini"));
    TrellanForm& form = fixture.Start().Form();

    const IniFile ini = IniFile::Load(fixture.Home / "language.ini");
    for (const CaptionKey& key : MainFormKeys()) {
        EXPECT_EQ(ini.Find("MainForm", key.Key), W1251(key.DefaultUtf8)) << key.Key;
    }
    // Windows-1251 bytes on disk.
    EXPECT_NE(ReadFile(fixture.Home / "language.ini").find("nFile=\xD4\xE0\xE9\xEB"), std::string::npos);

    QStringList menus;
    for (QAction* menu : form.menuBar()->actions()) menus << menu->text();
    EXPECT_EQ(menus, (QStringList{Q("Файл"), Q("Правка"), Q("Режим"), Q("Окно"), Q("Справка")}));
    EXPECT_EQ(form.Menu.nSaveWorld->shortcut(), QKeySequence(Qt::Key_F3));
    EXPECT_EQ(form.Menu.nStopTrace->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F9));
    EXPECT_EQ(form.Menu.nExit->shortcut(), QKeySequence(Qt::ALT | Qt::Key_F4));
    EXPECT_EQ(form.PageControl->tabText(0), Q("Карта"));
    EXPECT_EQ(form.PageControl->tabText(1), Q("Объекты"));
    EXPECT_EQ(form.Map->ToolBar->tbLevelUp->toolTip(), Q("На уровень вверх"));
    EXPECT_EQ(form.Objects->tbExpand->toolTip(), Q("Развернуть все"));
    // Derived texts.
    EXPECT_EQ(form.Menu.nSteps->text(), Q("Режим прогулки"));
    EXPECT_EQ(form.Menu.transparencyItems[4]->text(), Q("Прозрачность 40%"));
    EXPECT_EQ(form.Popups.doorItems[2]->text(), Q("... на восток"));
    EXPECT_EQ(form.Popups.shiftItems[3]->text(), Q("... на запад"));
    EXPECT_EQ(form.Popups.nnSpeedWalkNT->text(), Q("Спидволк без разделителей в буфер обмена"));
    EXPECT_EQ(form.Map->ToolBar->btnConfig->toolTip(), Q("Параметры Alt+F9"));
    EXPECT_EQ(form.Map->ToolBar->btnWalking->toolTip(), Q("Остановить трассировку Shift+F9"));
    EXPECT_EQ(form.Map->ToolBar->btnUndo->toolTip(), Q("Отменить изменения в текущей карте"));
}

TEST(MainFormTest, ChangedSaveWorldChangesItemTwinAndHint) {
    GuiFixture fixture;
    WriteFile(fixture.Home / "language.ini", "[MainForm]\r\nnSaveWorld=" + W1251("Записать мир") + "\r\n");
    TrellanForm& form = fixture.Start().Form();

    EXPECT_EQ(form.Menu.nSaveWorld->text(), Q("Записать мир"));
    EXPECT_EQ(form.Popups.nnSaveWorld->text(), Q("Записать мир"));
    EXPECT_EQ(form.Map->ToolBar->btnSave->toolTip(), Q("Записать мир F3"));
}

TEST(MainFormTest, CaptionNamesWorldAndZone) {
    EXPECT_EQ(MainCaption("", ""), "[] Trellan v. 2.5.3 (Win2K Server fix)");

    GuiFixture fixture;
    GuiRunner& runner = fixture.Start();
    World& world = runner.Runtime().TheWorld();
    world.CurrentWorld = "Arda";
    world.CurrentZone = W1251("Город");
    runner.RefreshCaption();
    EXPECT_EQ(runner.Form().windowTitle(), Q("[Arda.Город] Trellan v. 2.5.3 (Win2K Server fix)"));
    world.CurrentZone.clear();
    runner.RefreshCaption();
    EXPECT_EQ(runner.Form().windowTitle(), Q("[Arda] Trellan v. 2.5.3 (Win2K Server fix)"));
}

TEST(MainFormTest, ModeSwitchesShowTracingWalkingAndShortMode) {
    GuiFixture fixture;
    TrellanForm& form = fixture.Start().Form();
    MainToolBar& bar = *form.Map->ToolBar;
    EXPECT_TRUE(form.Menu.nWalking->isChecked());
    EXPECT_FALSE(bar.btnWalking->isEnabled());
    EXPECT_FALSE(form.Menu.nStopTrace->isEnabled());
    EXPECT_EQ(form.Status->Text(0), "");

    form.Menu.nTracing->trigger();
    EXPECT_TRUE(form.Menu.nTracing->isChecked());
    EXPECT_TRUE(bar.btnWalking->isEnabled());
    EXPECT_TRUE(form.Menu.nStopTrace->isEnabled());
    EXPECT_TRUE(form.Status->Tracing());
    EXPECT_EQ(form.Status->Text(0), W1251("Трассировка"));

    form.Menu.nStopTrace->trigger();
    EXPECT_TRUE(form.Menu.nWalking->isChecked());
    EXPECT_FALSE(form.Status->Tracing());
    EXPECT_EQ(form.Status->Text(0), "");

    // F9 from the menu toggles the button; the hint follows.
    form.Menu.nSteps->trigger();
    EXPECT_TRUE(bar.btnSteps->isChecked());
    EXPECT_TRUE(form.Menu.nSteps->isChecked());
    EXPECT_EQ(bar.btnSteps->toolTip(), Q("Режим трассировки F9"));
    bar.btnSteps->trigger();
    EXPECT_FALSE(bar.btnSteps->isChecked());
    EXPECT_FALSE(form.Menu.nSteps->isChecked());
    EXPECT_EQ(bar.btnSteps->toolTip(), Q("Режим прогулки F9"));

    EXPECT_TRUE(form.Menu.nAutolink->isChecked());
    bar.btnShortMode->trigger();
    EXPECT_FALSE(form.Menu.nAutolink->isChecked());
    form.Menu.nAutolink->trigger();
    EXPECT_TRUE(form.Menu.nAutolink->isChecked());
}

TEST(MainFormTest, PanesFollowTheSettings) {
    GuiFixture fixture;
    WriteFile(fixture.Home / "trellan.ini",
              "[Window]\r\nTop=50\r\nLeft=60\r\nHeight=500\r\nWidth=700\r\n"
              "[Options]\r\nTreeVisible=0\r\nDebugVisible=1\r\nShowNote=1\r\nTreeZonesWidth=222\r\n"
              "StayOnTop=1\r\n");
    TrellanForm& form = fixture.Start().Form();
    EXPECT_EQ(form.geometry(), QRect(60, 50, 700, 500));
    EXPECT_FALSE(form.Map->TreeVisible());
    EXPECT_FALSE(form.Menu.nShowTree->isChecked());
    EXPECT_FALSE(form.Debug->isHidden());
    EXPECT_FALSE(form.Map->MemoNote->isHidden());
    EXPECT_TRUE(form.StayOnTop());
    EXPECT_TRUE(form.Menu.nStayOnTop->isChecked());
    EXPECT_EQ(form.Map->KeyTarget(), static_cast<QWidget*>(form.Map->TreeViewAux));

    form.Menu.nShowTree->trigger();
    EXPECT_TRUE(form.Map->TreeVisible());
    EXPECT_EQ(form.Map->KeyTarget(), static_cast<QWidget*>(form.Map->TreeViewZones));
    EXPECT_EQ(form.Map->TreeWidth(), 222);
    form.Menu.nStayOnTop->trigger();
    EXPECT_FALSE(form.StayOnTop());
    EXPECT_FALSE(form.Map->ToolBar->btnStayOnTop->isChecked());
}

TEST(MainFormTest, ClosingWritesSettingsAndDebugLog) {
    GuiFixture fixture;
    WriteFile(fixture.Home / "trellan.ini", "[Options]\r\nDebugActiv=1\r\nDebugVisible=1\r\n");
    GuiRunner& runner = fixture.Start();
    TrellanForm& form = runner.Form();
    runner.Runtime().Objects().AddNode(nullptr);

    runner.Runtime().Log().Log(W1251("строка журнала"));
    EXPECT_NE(form.Debug->toPlainText().indexOf(Q("строка журнала")), -1);
    form.setGeometry(40, 30, 640, 480);
    form.Menu.nStayOnTop->trigger();
    form.Menu.nShowTree->trigger();

    EXPECT_TRUE(form.close());
    // Yes leaves the changes for the runtime to save.
    EXPECT_TRUE(std::filesystem::exists(runner.Runtime().Objects().WorldObjectsFile()));
    ASSERT_EQ(fixture.Boxes.Questions.size(), 1u);
    EXPECT_EQ(fixture.Boxes.Questions[0], W1251("База объектов была изменена. Сохранить?"));
    EXPECT_TRUE(form.Closing());

    const IniFile ini = IniFile::Load(fixture.Home / "trellan.ini");
    EXPECT_EQ(ini.ReadInteger("Window", "Left", 0), 40);
    EXPECT_EQ(ini.ReadInteger("Window", "Top", 0), 30);
    EXPECT_EQ(ini.ReadInteger("Window", "Width", 0), 640);
    EXPECT_EQ(ini.ReadInteger("Window", "Height", 0), 480);
    EXPECT_EQ(ini.ReadInteger("Options", "StayOnTop", 0), 1);
    EXPECT_EQ(ini.ReadInteger("Options", "TreeVisible", 1), 0);
    const std::string log = ReadFile(fixture.Home / "trdebug.log");
    EXPECT_NE(log.find(W1251("строка журнала")), std::string::npos);
}

TEST(MainFormTest, ClosingBySignalAsksNothingAndKeepsTheObjects) {
    GuiFixture fixture;
    GuiRunner& runner = fixture.Start();
    runner.Runtime().Objects().AddNode(nullptr);
    runner.Form().CloseBySignal();
    EXPECT_TRUE(runner.Form().Closing());
    EXPECT_TRUE(std::filesystem::exists(runner.Runtime().Objects().WorldObjectsFile()));
    EXPECT_TRUE(fixture.Boxes.Questions.empty());
    EXPECT_TRUE(std::filesystem::exists(fixture.Home / "trellan.ini"));
    // Logging is off: no log file.
    EXPECT_FALSE(std::filesystem::exists(fixture.Home / "trdebug.log"));
}

TEST(MainFormTest, ObjectsChangesGivenUpOnNoAreNotSaved) {
    GuiFixture fixture;
    GuiRunner& runner = fixture.Start();
    runner.Runtime().Objects().AddNode(nullptr);
    fixture.Boxes.Answer = false;
    EXPECT_TRUE(runner.Form().close());
    EXPECT_EQ(fixture.Boxes.Questions.size(), 1u);
    EXPECT_FALSE(runner.Runtime().Objects().WorldObjectsFile().empty());
    EXPECT_FALSE(std::filesystem::exists(runner.Runtime().Objects().WorldObjectsFile()));
}

TEST(MainFormTest, AFailedSaveLetsTheUserKeepTheWindow) {
    GuiFixture fixture;
    GuiRunner& runner = fixture.Start();
    // A directory where the settings file belongs cannot be replaced.
    std::filesystem::remove(fixture.Home / "trellan.ini");
    std::filesystem::create_directory(fixture.Home / "trellan.ini");
    fixture.Boxes.Answer = false;
    EXPECT_FALSE(runner.Form().close());
    EXPECT_FALSE(runner.Form().Closing());
    ASSERT_EQ(fixture.Boxes.Errors.size(), 1u);
    EXPECT_NE(fixture.Boxes.Errors[0].find("trellan.ini"), std::string::npos);
    ASSERT_EQ(fixture.Boxes.Questions.size(), 1u);

    std::filesystem::remove(fixture.Home / "trellan.ini");
    EXPECT_TRUE(runner.Form().close());
    EXPECT_TRUE(std::filesystem::is_regular_file(fixture.Home / "trellan.ini"));
}

TEST(MainFormTest, ErrorHandlerShowsErrorsButNotLostConnections) {
    GuiFixture fixture;
    GuiRunner& runner = fixture.Start();
    runner.ReportError("boom");
    ASSERT_EQ(fixture.Boxes.Errors.size(), 1u);
    EXPECT_EQ(fixture.Boxes.Errors[0], W1251("Ошибка. Ну и хрен с ней.") + " \r\nboom");
    runner.ReportError("Socket error 10054");
    EXPECT_EQ(fixture.Boxes.Errors.size(), 1u);
}

TEST(MainFormTest, StatusBarShowsCompressionAndItsHint) {
    GuiFixture fixture;
    TrellanForm& form = fixture.Start().Form();
    StatusPanels& status = *form.Status;
    EXPECT_EQ(status.Text(1), "none");
    EXPECT_EQ(status.Text(2), "----");
    EXPECT_TRUE(status.OverCompression(99));
    EXPECT_FALSE(status.OverCompression(98));
    EXPECT_FALSE(status.OverCompression(187));

    form.show();
    const auto press = [&](int x, QEvent::Type type) {
        QMouseEvent event(type, QPointF(x, 5), status.mapToGlobal(QPointF(x, 5)), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&status, &event);
    };
    press(50, QEvent::MouseButtonPress);
    EXPECT_EQ(status.Hint(), nullptr);
    press(50, QEvent::MouseButtonRelease);
    press(120, QEvent::MouseButtonPress);
    ASSERT_NE(status.Hint(), nullptr);
    EXPECT_EQ(qobject_cast<QLabel*>(status.Hint())->text(), "Compression disabled");
    EXPECT_LE(status.Hint()->width(), 600);
    press(120, QEvent::MouseButtonRelease);
    EXPECT_EQ(status.Hint(), nullptr);
    form.close();
}

}  // namespace
}  // namespace trellan
