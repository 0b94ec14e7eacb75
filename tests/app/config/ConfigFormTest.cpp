// The configuration dialog on a started runner: what it shows when opened,
// what OK applies and writes (and what Cancel leaves alone), the rules of
// its fields, and the two tools that change the world at once: the
// exit-word conversion and the room colour replacement.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>

#include "app/GuiTestSupport.h"
#include "app/config/ConfigForm.h"
#include "app/config/ConfigWidgets.h"
#include "app/config/ExitWizardForm.h"
#include "app/map/MapWiring.h"
#include "app/window/Transparency.h"
#include "app/window/TrellanForm.h"
#include "model/World.h"
#include "settings/IniFile.h"
#include "text/W1251.h"

namespace trellan {
namespace {

using testing::GuiFixture;
using testing::Q;
using testing::ReadFile;

class ConfigFormTest : public ::testing::Test {
protected:
    // With a world of its own, so that the profile has a file to go to.
    void Start(bool layered = true) {
        std::filesystem::create_directories(fixture.Home / "Maps/Test");
        testing::WriteFile(fixture.Home / "trellan.ini", "[Options]\r\nWorld=Test\r\n");
        runner = &fixture.Start(layered);
        ASSERT_FALSE(Runtime().TheWorld().CurrentWorld.empty());
    }

    TrellanRuntime& Runtime() { return runner->Runtime(); }

    std::unique_ptr<ConfigForm> Open(bool connected = false, bool layered = true) {
        ConfigFormOptions options;
        options.Connected = connected;
        options.LayeredWindows = layered;
        auto config = std::make_unique<ConfigForm>(Runtime(), runner->Form(), runner->Map(), fixture.Boxes, options);
        config->ErrorReported = [this](const std::string& message) { errors.push_back(message); };
        return config;
    }

    template <typename Widget = QLineEdit>
    static Widget& Field(ConfigForm& config, const char* name) {
        auto* widget = config.findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return *widget;
    }

    std::string ProfileFile() { return ReadFile(Runtime().Home().WorldProfilePath(Runtime().TheWorld().CurrentWorld)); }

    MudRoom* AddRoom(std::int32_t y, std::string exits, std::uint32_t color) {
        World& world = Runtime().TheWorld();
        auto room = std::make_unique<MudRoom>();
        room->Y = y;
        room->Tag = ++world.LastRoomNumber;
        room->BColor = color;
        MudRoom* added = world.AddRoom(std::move(room));
        world.SetRoomExits(added, std::move(exits), Runtime().Storage().Words());
        return added;
    }

    GuiFixture fixture;
    GuiRunner* runner = nullptr;
    std::vector<std::string> errors;
};

// A hand-edited factor beyond the buttons, or none at all, still picks one.
TEST(ConfigFormScrollTest, TheScrollButtonCountsHalvings) {
    for (auto [factor, button] :
         std::initializer_list<std::pair<int, int>>{{1, 0}, {2, 1}, {3, 1}, {16, 4}, {64, 4}, {0, 0}, {-4, 0}}) {
        EXPECT_EQ(ScrollMultIndex(factor), button) << factor;
    }
}

TEST_F(ConfigFormTest, OpensOnTheFirstPageShowingTheSettings) {
    Start();
    MainSettings& settings = Runtime().Settings();
    WorldProfile& profile = Runtime().Profile();
    settings.ScrollMult = 16;
    settings.PanelBitmap = 1;
    profile.RoomNameStart = EscapedText("#$1B[1;33m");
    profile.StuffTem = "first\r\nsecond";
    profile.CantMoves = {W1251("Вы не можете"), "No way"};
    profile.UsePromptExit = false;
    std::unique_ptr<ConfigForm> config = Open();

    EXPECT_EQ(config->windowTitle(), Q(" Параметры"));
    EXPECT_EQ(config->Pages.PageControl->currentIndex(), 0);
    EXPECT_EQ(config->Pages.PageControl->count(), 8);
    EXPECT_EQ(config->Pages.PageControl->tabText(4), Q("Общие"));
    EXPECT_EQ(config->Pages.ClientName->text(), "localhost");
    EXPECT_EQ(config->Pages.ScrollMult->checkedId(), 4);
    EXPECT_TRUE(Field<QRadioButton>(*config, "rbScrollMult16").isChecked());
    EXPECT_EQ(config->Pages.Texture->currentIndex(), 2);
    EXPECT_EQ(config->Pages.Preview->Texture(), 1);
    // Escaped markers show their raw notation, templates real line breaks.
    EXPECT_EQ(Field(*config, "edRoomNameStart").text(), "#$1B[1;33m");
    EXPECT_EQ(Field<QPlainTextEdit>(*config, "edStuffTem").toPlainText(), "first\nsecond");
    EXPECT_EQ(Field<QPlainTextEdit>(*config, "edCantMove").toPlainText(), Q("Вы не можете\nNo way"));
    // Labels that repeat another label follow it.
    EXPECT_EQ(Field<QLabel>(*config, "lblExitW").text(), Q("Запад"));
    EXPECT_EQ(Field<QLabel>(*config, "lblMobOrder").text(), Field<QLabel>(*config, "lblOrder").text());

    // The prompt-exit fields follow their check box.
    EXPECT_FALSE(config->Pages.PromptExitStart->isEnabled());
    EXPECT_FALSE(config->Pages.PromptExitLabel->isEnabled());
    config->Pages.UsePromptExit->setChecked(true);
    EXPECT_TRUE(config->Pages.PromptExitStart->isEnabled());
    EXPECT_TRUE(config->Pages.PromptExitEnd->isEnabled());
    EXPECT_TRUE(config->Pages.PromptExitLabel->isEnabled());
}

TEST_F(ConfigFormTest, OkAppliesTheEditedFieldsAndWritesTheProfileInFull) {
    Start();
    std::unique_ptr<ConfigForm> config = Open();
    Field(*config, "edSpeedwalk").setText(Q("бег"));
    Field(*config, "edExitWordE").setText(Q("в"));
    Field(*config, "edAutoexitStart").setText("#$1B[33m[ Exits:");
    Field(*config, "edReadOnlyOn").setText(Q("гулять"));
    Field<QPlainTextEdit>(*config, "edMobTem").setPlainText("one\ntwo");
    // Blank lines would be messages that match everything.
    Field<QPlainTextEdit>(*config, "edDarkList").setPlainText(Q("Темно\n\nНичего не видно\n"));
    Field<QCheckBox>(*config, "cbFollowLine").setChecked(true);
    config->Pages.ScrollMult->button(0)->setChecked(true);
    config->Pages.Texture->setCurrentIndex(0);

    ASSERT_TRUE(config->ApplyAndClose());
    EXPECT_EQ(config->result(), QDialog::Accepted);
    EXPECT_TRUE(errors.empty());

    const MainSettings& settings = Runtime().Settings();
    const WorldProfile& profile = Runtime().Profile();
    EXPECT_EQ(settings.ScrollMult, 1);
    EXPECT_EQ(settings.PanelBitmap, -1);
    EXPECT_EQ(settings.ReadOnlyOn, W1251("гулять"));
    EXPECT_EQ(profile.Speedwalk, W1251("бег"));
    EXPECT_EQ(profile.ExitWordE, W1251("в"));
    EXPECT_EQ(profile.AutoexitStart.Text, "\033[33m[ Exits:");
    EXPECT_EQ(profile.MobTem, "one\r\ntwo");
    EXPECT_EQ(profile.DarkMessages, (std::vector<std::string>{W1251("Темно"), W1251("Ничего не видно")}));
    EXPECT_TRUE(profile.FollowLine);

    // Both files, the profile with every section.
    const IniFile written = IniFile::Load(Runtime().Home().WorldProfilePath(Runtime().TheWorld().CurrentWorld));
    EXPECT_EQ(written.ReadString("Moves", "Speedwalk", ""), W1251("бег"));
    EXPECT_EQ(written.ReadString("Messages", "AutoexitStart", ""), "#$1B[33m[ Exits:");
    EXPECT_EQ(written.ReadString("Messages", "MobTem", ""), "one#$0D#$0Atwo");
    EXPECT_EQ(written.ReadString("Dark", "Dark1", ""), W1251("Ничего не видно"));
    const IniFile main = IniFile::Load(Runtime().Home().MainIniPath());
    EXPECT_EQ(main.ReadInteger("Options", "ScrollMult", 0), 1);
}

TEST_F(ConfigFormTest, CancelAppliesAndWritesNothing) {
    Start();
    const std::string profileBefore = ProfileFile();
    const std::string mainBefore = ReadFile(Runtime().Home().MainIniPath());
    std::unique_ptr<ConfigForm> config = Open();
    Field(*config, "edSpeedwalk").setText(Q("бег"));
    config->Pages.ScrollMult->button(4)->setChecked(true);
    Field(*config, "edClientPort").setText("1234");
    config->Pages.ButtonCancel->click();

    EXPECT_EQ(config->result(), QDialog::Rejected);
    EXPECT_EQ(Runtime().Profile().Speedwalk, W1251("гоу"));
    EXPECT_EQ(Runtime().Settings().ScrollMult, 2);
    EXPECT_NE(Runtime().Connection().ClientPort, 1234);
    EXPECT_EQ(ProfileFile(), profileBefore);
    EXPECT_EQ(ReadFile(Runtime().Home().MainIniPath()), mainBefore);
}

TEST_F(ConfigFormTest, StepCountFieldsTakeDigitsOnlyAndKeepSaneValues) {
    Start();
    std::unique_ptr<ConfigForm> config = Open();
    QLineEdit& steps = *config->Pages.StepCount;
    steps.clear();
    steps.insert("1x");
    steps.insert(Q("ж2"));
    EXPECT_EQ(steps.text(), "12");
    steps.setText("0");
    config->Pages.MaxSteps->setText("9");
    ASSERT_TRUE(config->ApplyAndClose());
    EXPECT_EQ(Runtime().Settings().SpeedWalkLength, 5);
    EXPECT_EQ(Runtime().Settings().MaxSpeedWalkLength, 10);

    // An empty field keeps the value it had.
    Runtime().Settings().SpeedWalkLength = 7;
    config = Open();
    config->Pages.StepCount->clear();
    config->Pages.MaxSteps->setText("250");
    ASSERT_TRUE(config->ApplyAndClose());
    EXPECT_EQ(Runtime().Settings().SpeedWalkLength, 7);
    EXPECT_EQ(Runtime().Settings().MaxSpeedWalkLength, 250);
}

TEST_F(ConfigFormTest, WhileConnectedTheConnectionStaysAsItIs) {
    Start();
    const ProxyConfig before = Runtime().Connection();
    std::unique_ptr<ConfigForm> config = Open(true);
    for (QWidget* field : std::initializer_list<QWidget*>{config->Pages.ClientPort, config->Pages.ServerName,
                                                          config->Pages.ServerPort, config->Pages.MccpEnabled}) {
        EXPECT_FALSE(field->isEnabled()) << field->objectName().toStdString();
    }
    // Even what code could still put there is left alone, and needs no check.
    config->Pages.ClientPort->clear();
    config->Pages.ServerName->setText("mud.example.org");
    config->Pages.MccpEnabled->setChecked(!before.MccpEnabled);
    ASSERT_TRUE(config->ApplyAndClose());
    EXPECT_EQ(Runtime().Connection().ClientPort, before.ClientPort);
    EXPECT_EQ(Runtime().Profile().ServerName, before.ServerName);
    EXPECT_EQ(Runtime().Profile().MccpEnabled, before.MccpEnabled);
    EXPECT_TRUE(runner->Transport().Listening());
}

TEST_F(ConfigFormTest, TheServerGivenOnTheCommandLineIsShownAndNeverSavedAndGreyFieldsSayWhy) {
    fixture.ServerOverride = "127.0.0.1:4010";
    testing::WriteFile(fixture.Home / "local.ini", "[Connect]\r\nClient Port=" + std::to_string(testing::FreePort()) +
                                                       "\r\nServer Name=mud.example.org\r\nServer Port=4000\r\n");
    Start();
    std::unique_ptr<ConfigForm> config = Open();
    EXPECT_EQ(config->Pages.ServerName->text(), "127.0.0.1");
    EXPECT_EQ(config->Pages.ServerPort->text(), "4010");
    EXPECT_FALSE(config->Pages.ServerName->isEnabled());
    EXPECT_FALSE(config->Pages.ServerNote->isHidden());
    EXPECT_TRUE(config->Pages.ServerNote->text().contains("--server"));
    EXPECT_TRUE(config->Pages.ServerNote->text().contains("mud.example.org:4000"));
    ASSERT_TRUE(config->ApplyAndClose());
    EXPECT_EQ(Runtime().Profile().ServerName, "mud.example.org");
    EXPECT_EQ(Runtime().Profile().ServerPort, 4000);

    // Connected, the greyed fields say why.
    std::unique_ptr<ConfigForm> connected = Open(true);
    EXPECT_FALSE(connected->Pages.ClientPort->toolTip().isEmpty());
    EXPECT_TRUE(connected->Pages.ServerNote->text().contains(Q("отключитесь")));
}

TEST_F(ConfigFormTest, WhileDisconnectedOkListensOnTheNewPortAndRefusesABadOne) {
    Start();
    std::unique_ptr<ConfigForm> config = Open();
    config->Pages.ServerPort->setText("0");
    const std::string profileBefore = ProfileFile();
    EXPECT_FALSE(config->ApplyAndClose());
    EXPECT_EQ(fixture.Boxes.Errors.size(), 1u);
    EXPECT_EQ(ProfileFile(), profileBefore);

    const int port = testing::FreePort();
    config->Pages.ClientPort->setText(QString::number(port));
    config->Pages.ServerPort->setText("23456");
    config->Pages.ServerName->setText(" mud. example .org ");
    ASSERT_TRUE(config->ApplyAndClose());
    EXPECT_EQ(config->Pages.ServerName->text(), "mud.example.org");
    EXPECT_EQ(Runtime().Connection().ClientPort, port);
    EXPECT_EQ(Runtime().Connection().ServerPort, 23456);
    EXPECT_EQ(Runtime().Connection().ServerName, "mud.example.org");
    EXPECT_TRUE(runner->Transport().Listening());
    EXPECT_EQ(IniFile::Load(Runtime().Home().WorldProfilePath(Runtime().TheWorld().CurrentWorld))
                  .ReadInteger("Connect", "Server Port", 0),
              23456);
}

TEST_F(ConfigFormTest, AClientPortInUseKeepsTheOldOneListening) {
    Start();
    const int oldPort = Runtime().Connection().ClientPort;
    QTcpServer squatter;
    ASSERT_TRUE(squatter.listen(QHostAddress::LocalHost, 0));
    std::unique_ptr<ConfigForm> config = Open();
    config->Pages.ClientPort->setText(QString::number(squatter.serverPort()));
    config->Pages.ServerName->setText("mud.example.org");
    ASSERT_TRUE(config->ApplyAndClose());
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(Runtime().Connection().ClientPort, oldPort);
    EXPECT_EQ(Runtime().Profile().ClientPort, oldPort);
    EXPECT_EQ(Runtime().Profile().ServerName, "mud.example.org");
    EXPECT_TRUE(runner->Transport().Listening());
}

TEST_F(ConfigFormTest, SwitchingTransparencyOffTellsOnceAndDisablesTheControl) {
    Start(true);
    Transparency& control = *runner->Form().TransparencyControl;
    ASSERT_TRUE(control.Available());
    std::unique_ptr<ConfigForm> config = Open();
    ASSERT_TRUE(config->Pages.NoTransparency->isEnabled());
    config->Pages.NoTransparency->setChecked(true);
    ASSERT_TRUE(config->ApplyAndClose());
    EXPECT_EQ(fixture.Boxes.Informations.size(), 1u);
    EXPECT_FALSE(control.Available());
    EXPECT_TRUE(Runtime().Settings().NoTransparency);

    // Still off: nothing to tell. Back on: nothing either, and it works again.
    ASSERT_TRUE(Open()->ApplyAndClose());
    config = Open();
    config->Pages.NoTransparency->setChecked(false);
    ASSERT_TRUE(config->ApplyAndClose());
    EXPECT_EQ(fixture.Boxes.Informations.size(), 1u);
    EXPECT_TRUE(control.Available());

    // Without translucent windows there is nothing to switch.
    EXPECT_FALSE(Open(false, false)->Pages.NoTransparency->isEnabled());
}

TEST_F(ConfigFormTest, ColourTexturesAndSkinFieldBehaveAsTools) {
    Start();
    std::unique_ptr<ConfigForm> config = Open();
    config->Pages.Texture->setCurrentIndex(3);
    EXPECT_EQ(config->Pages.Preview->Texture(), 2);

    // A cancelled colour chooser still means the plain colour.
    config->ChooseColor = [](const QColor&) { return std::optional<QColor>(); };
    const std::uint32_t before = config->Pages.Preview->ColorRef();
    config->ChooseBackgroundColor();
    EXPECT_EQ(config->Pages.Texture->currentIndex(), 0);
    EXPECT_EQ(config->Pages.Preview->ColorRef(), before);
    config->ChooseColor = [](const QColor&) { return std::optional<QColor>(QColor(0x10, 0x20, 0x30)); };
    config->ChooseBackgroundColor();
    EXPECT_EQ(config->Pages.Preview->ColorRef(), 0x302010u);

    QString offered;
    config->ChooseSkinFile = [&offered](const QString&, const QString& directory, const QString& proposed) {
        offered = proposed;
        return directory + "/dark.ini";
    };
    config->PickSkinFile();
    EXPECT_EQ(offered, "noskin.ini");
    EXPECT_EQ(config->Pages.SkinFile->text(), "dark.ini");
    config->UseDefaultSkin();
    EXPECT_EQ(config->Pages.SkinFile->text(), "noskin.ini");

    ASSERT_TRUE(config->ApplyAndClose());
    EXPECT_EQ(Runtime().Settings().PanelColor, 0x302010);
    EXPECT_EQ(Runtime().Settings().PanelBitmap, -1);
}

TEST_F(ConfigFormTest, RoomColourReplacementRecoloursTheWholeWorldAtOnce) {
    Start();
    World& world = Runtime().TheWorld();
    MudRoom* silver = AddRoom(0, "", 0xC0C0C0);
    MudRoom* red = AddRoom(1, "", 0x0000FF);
    world.MapSaved = true;
    std::unique_ptr<ConfigForm> config = Open();
    EXPECT_EQ(config->Pages.RoomColorFrom->ColorRef(), runner->Map().Skins().SkinRoomColor);
    config->ChooseColor = [](const QColor&) { return std::optional<QColor>(QColor(0, 0x80, 0)); };
    config->Pages.RoomColorFrom->SetColorRef(0xC0C0C0);
    config->ChooseSwatchColor(*config->Pages.RoomColorTo);
    config->Pages.ReplaceColor->click();
    EXPECT_EQ(silver->BColor, 0x008000u);
    EXPECT_EQ(red->BColor, 0x0000FFu);
    EXPECT_FALSE(world.MapSaved);
    // Done at once, so Cancel does not take it back.
    config->reject();
    EXPECT_EQ(silver->BColor, 0x008000u);
}

class ExitWizardTest : public ConfigFormTest {};

TEST_F(ExitWizardTest, ReplaceIsEnabledOnlyWhileAllTwelveFieldsHoldWords) {
    Start();
    std::array<std::string, kDirectionCount> labels{"N", "S", "W", "E", "U", "D"};
    ExitWizardForm wizard(Runtime().Captions(), labels, ExitWords::Defaults(), fixture.Boxes);
    EXPECT_EQ(wizard.windowTitle(), Q("Замена выходов"));
    EXPECT_EQ(wizard.OldWord(Direction::West)->text(), "W");
    EXPECT_FALSE(wizard.ReplaceButton()->isEnabled());
    const char* const words[] = {"с", "ю", "з", "в", "вв", "вн"};
    for (Direction d : kAllDirections) {
        EXPECT_FALSE(wizard.ReplaceButton()->isEnabled()) << Letter(d);
        wizard.NewWord(d)->setText(Q(words[Index(d)]));
    }
    EXPECT_TRUE(wizard.ReplaceButton()->isEnabled());
    wizard.OldWord(Direction::Up)->clear();
    EXPECT_FALSE(wizard.ReplaceButton()->isEnabled());
}

TEST_F(ExitWizardTest, ReplaceConvertsTheWorldsRoomsAndFillsTheExitWordFields) {
    Start();
    MudRoom* room = AddRoom(0, "N E", 0xC0C0C0);
    MudRoom* other = AddRoom(1, "S W U", 0xC0C0C0);
    std::unique_ptr<ConfigForm> config = Open();
    const char* const words[] = {"с", "ю", "з", "в", "вв", "вн"};
    int runs = 0;
    config->RunExitWizard = [&](ExitWizardForm& wizard) {
        ++runs;
        for (Direction d : kAllDirections) wizard.NewWord(d)->setText(Q(words[Index(d)]));
        wizard.ConfirmReplace();
    };

    // Answered No: nothing changes.
    fixture.Boxes.Answer = false;
    config->OpenExitWizard();
    EXPECT_EQ(fixture.Boxes.Questions.size(), 1u);
    EXPECT_EQ(room->Exits(), "N E");
    EXPECT_EQ(config->Pages.ExitWords[Index(Direction::East)]->text(), "E");

    fixture.Boxes.Answer = true;
    config->OpenExitWizard();
    EXPECT_EQ(room->Exits(), W1251("с в"));
    EXPECT_EQ(other->Exits(), W1251("ю з вв"));
    EXPECT_EQ(config->Pages.ExitWords[Index(Direction::East)]->text(), Q("в"));
    EXPECT_EQ(config->Pages.ExitWords[Index(Direction::Down)]->text(), Q("вн"));
    // The words take effect with OK.
    EXPECT_EQ(Runtime().Profile().ExitWordE, "E");
    ASSERT_TRUE(config->ApplyAndClose());
    EXPECT_EQ(Runtime().Profile().ExitWordE, W1251("в"));
    EXPECT_EQ(runs, 2);
}

}  // namespace
}  // namespace trellan
