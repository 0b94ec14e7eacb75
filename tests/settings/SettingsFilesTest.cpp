#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "common/Errors.h"
#include "settings/HomeDirectory.h"
#include "settings/IniFile.h"
#include "settings/SettingsFiles.h"
#include "support/TempDirectory.h"

namespace trellan {
namespace {

using testing::ReadFile;
using testing::TempDirectory;
using testing::WriteFile;

const std::string kWorld = W1251("Арда");

ino_t InodeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

WorldProfile SampleProfile() {
    WorldProfile p;
    p.ServerName = "mud.example.net";
    p.ServerPort = 5000;
    p.Zone = W1251("Город");
    p.ExitWordN = W1251("С");
    p.StuffTem = W1251("Предмет '/*'\r\nВес: /*");
    p.LeaderMoves = {W1251("/* ушел на север.")};
    p.CantMoves = {W1251("Вы не можете идти в этом направлении."), W1251("Закрыто.")};
    p.DarkMessages = {W1251("Слишком темно.")};
    p.LockedZones = {W1251("Город"), W1251("Лес")};
    p.CurrentSkin = 1;
    return p;
}

// local.ini as a full write lays out a new file, section by section.
std::string ExpectedSampleProfileFile() {
    return W1251(
        "[Connect]\r\nClient Port=4999\r\nClient Address=127.0.0.1\r\nServer Name=mud.example.net\r\n"
        "Server Port=5000\r\n\r\n"
        "[Options]\r\nNoDoubleYa=1\r\nAddDoubleYa=0\r\nAddDoubleYaLor=1\r\nNoDescription=0\r\nMccpEnabled=1\r\n"
        "Zone=Город\r\n\r\n"
        "[Exits]\r\nNorth=С\r\nSouth=S\r\nEast=E\r\nWest=W\r\nUp=U\r\nDown=D\r\n\r\n"
        "[Messages]\r\nDark=Здесь темно...\r\nNoExits=None!\r\nRetreat=Вы быстро убежали\r\n"
        "Follow=Вы последовали за\r\nFollowLine=0\r\nAutoexitStart=#$1B[36m[ Exits:\r\nAutoexitEnd=]#$0D#$0A\r\n"
        "PromptExitStart=Вых:\r\nPromptExitEnd=>\r\nUsePromptExit=0\r\nRoomNameStart=#$1B[1;36m\r\n"
        "RoomNameEnd=#$0D#$0A\r\nStuffTem=Предмет '/*'#$0D#$0AВес: /*\r\nStuffSeq=\r\nMobTem=\r\nMobSeq=\r\n"
        "GroupTell=гг\r\nClanTell=кг\r\n\r\n"
        "[Leader]\r\nNorth=на север\r\nSouth=на юг\r\nEast=на восток\r\nWest=на запад\r\nUp=вверх\r\nDown=вниз\r\n"
        "\r\n"
        "[Leader Move]\r\nMove0=/* ушел на север.\r\n\r\n"
        "[Moves]\r\nStopTrace=стоптр\r\nClear=очистить\r\nLook=look\r\nNorth=n\r\nSouth=s\r\nEast=e\r\nWest=w\r\n"
        "Up=u\r\nDown=d\r\nPortal=войти\r\nSpeedwalk=гоу\r\nReturnwalk=назад\r\nSneakwalk=подкрасться\r\n"
        "Fleewalk=убежать\r\nDirections=на север|на юг|на запад|на восток|вверх|вниз\r\n\r\n"
        "[Can`t Move]\r\nCantMove0=Вы не можете идти в этом направлении.\r\nCantMove1=Закрыто.\r\n\r\n"
        "[Dark]\r\nDark0=Слишком темно.\r\n\r\n"
        "[Skin]\r\nIniFile=noskin.ini\r\nCurrentSkin=1\r\n\r\n"
        "[Lock]\r\nГород=1\r\nЛес=1\r\n");
}

// Two profiles agree when a full write lays them out alike (the layout of a
// full write is pinned down byte for byte above).
std::string FullWrite(const WorldProfile& profile) {
    IniFile ini;
    WriteWorldProfile(ini, profile, true);
    return ini.ToBytes();
}

TEST(WorldProfileFile, FullWriteLaysOutEverySectionInOrderAndReadsBack) {
    TempDirectory dir;
    HomeDirectory home(dir.Path());
    SettingsWriteOptions full{.full = true};
    WorldProfile profile = SampleProfile();
    WriteIniFile(home, MainSettings{}, profile, kWorld, full);

    std::string path = dir / ("Maps/" + Cp1251ToUtf8(kWorld) + "/local.ini");
    EXPECT_EQ(home.WorldProfilePath(kWorld), path);
    EXPECT_EQ(ReadFile(path), ExpectedSampleProfileFile());

    std::optional<WorldProfile> read = ReadIniFile(home, kWorld, "elsewhere");
    ASSERT_TRUE(read);
    EXPECT_EQ(FullWrite(*read), FullWrite(profile));
    EXPECT_EQ(read->StuffTem, W1251("Предмет '/*'\r\nВес: /*"));
    EXPECT_EQ(read->AutoexitStart.Text, "\x1B[36m[ Exits:");
    EXPECT_EQ(read->RoomNameEnd.Text, "\r\n");

    // Rewritten lists move to the end once, the way Windows moves them; after
    // that the file is stable and an unchanged profile is not written again.
    WriteIniFile(home, MainSettings{}, profile, kWorld, full);
    ino_t inode = InodeOf(path);
    WriteIniFile(home, MainSettings{}, profile, kWorld, full);
    EXPECT_EQ(InodeOf(path), inode);
    EXPECT_EQ(IniFile::Load(path).SectionNames(),
              (std::vector<std::string>{"Connect", "Options", "Exits", "Messages", "Leader", "Moves", "Skin",
                                        "Leader Move", "Can`t Move", "Dark", "Lock"}));
    EXPECT_EQ(FullWrite(*ReadIniFile(home, kWorld, "")), FullWrite(profile));
}

TEST(WorldProfileFile, PartialWriteTouchesOnlySkinIndexAndLocks) {
    TempDirectory dir;
    HomeDirectory home(dir.Path());
    std::string path = home.WorldProfilePath(kWorld);
    WriteFile(path, W1251("; my notes\r\n[Connect]\r\nServer Name=old.example.net\r\n\r\n[Lock]\r\nСтарая=1\r\n"
                          "\r\n[Skin]\r\nIniFile=mine.ini\r\nCurrentSkin=0\r\n"));
    WorldProfile profile = SampleProfile();
    WriteIniFile(home, MainSettings{}, profile, kWorld, SettingsWriteOptions{.full = false});
    EXPECT_EQ(ReadFile(path),
              W1251("; my notes\r\n[Connect]\r\nServer Name=old.example.net\r\n\r\n"
                    "[Skin]\r\nIniFile=mine.ini\r\nCurrentSkin=1\r\n\r\n[Lock]\r\nГород=1\r\nЛес=1\r\n"));
}

TEST(WorldProfileFile, WorldWithoutItsOwnFileReadsTheTemplateUntilWritten) {
    TempDirectory dir;
    HomeDirectory home(dir.Path());
    WriteFile(home.TemplateProfilePath(), "[Connect]\r\nServer Name=template.example.net\r\nServer Port=7000\r\n");
    EXPECT_EQ(ProfileReadPath(home, kWorld), home.TemplateProfilePath());
    std::optional<WorldProfile> fromTemplate = ReadIniFile(home, kWorld, W1251("Город"));
    ASSERT_TRUE(fromTemplate);
    EXPECT_EQ(fromTemplate->ServerName, "template.example.net");
    EXPECT_EQ(fromTemplate->ServerPort, 7000);
    EXPECT_EQ(fromTemplate->Zone, W1251("Город"));

    // The first partial write creates the world's own file with only the
    // skin index and the locks; from then on missing keys take the defaults.
    WriteIniFile(home, MainSettings{}, *fromTemplate, kWorld, SettingsWriteOptions{});
    EXPECT_EQ(ReadFile(home.WorldProfilePath(kWorld)), "[Skin]\r\nCurrentSkin=0\r\n");
    EXPECT_EQ(ProfileReadPath(home, kWorld), home.WorldProfilePath(kWorld));
    std::optional<WorldProfile> own = ReadIniFile(home, kWorld, "");
    EXPECT_EQ(own->ServerName, "");
    EXPECT_EQ(own->ServerPort, 4000);
    EXPECT_EQ(own->ClientAddress, "127.0.0.1");
}

TEST(WorldProfileFile, MapZoomAndNamesAreKeptPerWorldAndOnlyOnceSet) {
    TempDirectory dir;
    HomeDirectory home(dir.Path());
    const std::string other = W1251("Мордор");
    WorldProfile zoomed;
    zoomed.MapZoom = 50;
    zoomed.MapRoomNames = true;
    WriteIniFile(home, MainSettings{}, zoomed, kWorld, SettingsWriteOptions{});
    WriteIniFile(home, MainSettings{}, WorldProfile{}, other, SettingsWriteOptions{});
    EXPECT_EQ(ReadFile(home.WorldProfilePath(kWorld)),
              "[Skin]\r\nCurrentSkin=0\r\n\r\n[Map]\r\nZoom=50\r\nRoomNames=1\r\n");
    // A world that never zoomed keeps the file it always had.
    EXPECT_EQ(ReadFile(home.WorldProfilePath(other)), "[Skin]\r\nCurrentSkin=0\r\n");

    std::optional<WorldProfile> mine = ReadIniFile(home, kWorld, "");
    std::optional<WorldProfile> theirs = ReadIniFile(home, other, "");
    ASSERT_TRUE(mine && theirs);
    EXPECT_EQ(std::pair(mine->MapZoom, mine->MapRoomNames), std::pair(50, true));
    EXPECT_EQ(std::pair(theirs->MapZoom, theirs->MapRoomNames), std::pair(100, false));

    // Back at 100 % the key the file has is written with its new value.
    mine->MapZoom = 100;
    WriteIniFile(home, MainSettings{}, *mine, kWorld, SettingsWriteOptions{.full = true});
    EXPECT_EQ(ReadIniFile(home, kWorld, "")->MapZoom, 100);
    EXPECT_NE(ReadFile(home.WorldProfilePath(kWorld)).find("[Map]\r\nZoom=100\r\nRoomNames=1\r\n"), std::string::npos);
}

TEST(WorldProfileFile, NoWorldWritesOnlyTheMainFile) {
    TempDirectory dir;
    HomeDirectory home(dir.Path());
    WriteIniFile(home, MainSettings{}, SampleProfile(), "", SettingsWriteOptions{.full = true});
    EXPECT_TRUE(std::filesystem::exists(home.MainIniPath()));
    EXPECT_FALSE(std::filesystem::exists(dir / "Maps"));
    EXPECT_FALSE(std::filesystem::exists(home.TemplateProfilePath()));
    EXPECT_FALSE(ReadIniFile(home, "", "").has_value());
}

TEST(WorldProfileFile, ProfileThatCannotBeWrittenIsReportedByPath) {
    TempDirectory dir;
    HomeDirectory home(dir.Path());
    WriteFile(dir / "Maps", "not a directory");
    try {
        WriteIniFile(home, MainSettings{}, WorldProfile{}, "World", SettingsWriteOptions{});
        FAIL() << "no error";
    } catch (const FileWriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + (dir / "Maps/World/local.ini"));
    }
    // The main file comes first and was written.
    EXPECT_TRUE(std::filesystem::exists(home.MainIniPath()));
}

TEST(WorldProfileFile, DirectionsAlwaysHoldSixPhrases) {
    auto read = [](const std::string& text) { return ReadWorldProfile(IniFile::FromBytes(text), "").DirectionPhrases; };
    std::array<std::string, 6> three = read(W1251("[Moves]\r\nDirections=север|юг|запад\r\n"));
    EXPECT_EQ(three, (std::array<std::string, 6>{W1251("север"), W1251("юг"), W1251("запад"), "", "", ""}));
    EXPECT_EQ(read("[Moves]\r\nDirections=\r\n"), (std::array<std::string, 6>{}));
    EXPECT_EQ(read("[Moves]\r\nDirections=a|b|c|d|e|f|g\r\n"),
              (std::array<std::string, 6>{"a", "b", "c", "d", "e", "f"}));
    EXPECT_EQ(read("[Moves]\r\nDirections=||c\r\n"), (std::array<std::string, 6>{"", "", "c", "", "", ""}));
    EXPECT_EQ(read(""), WorldProfile{}.DirectionPhrases);
}

TEST(WorldProfileFile, ReadsListsAndEscapesAsStored) {
    WorldProfile p =
        ReadWorldProfile(IniFile::FromBytes(W1251("[Messages]\r\nRoomNameStart=#$1B[1;33m\r\nPromptExitEnd=#$zz\r\n"
                                                  "MobTem=#$1B[0m/*#$0D#$0A/*\r\nRequestCommand=опознать\r\n"
                                                  "[Dark]\r\nzzz=first\r\nDark7=second\r\n[Lock]\r\nГород=0\r\n"
                                                  "[Skin]\r\nCurrentSkin=oops\r\n")),
                         "");
    EXPECT_EQ(p.RoomNameStart.Raw, "#$1B[1;33m");
    EXPECT_EQ(p.RoomNameStart.Text, "\x1B[1;33m");
    EXPECT_EQ(p.PromptExitEnd.Text, "#$zz");
    // Only the line breaks of a template are decoded.
    EXPECT_EQ(p.MobTem, "#$1B[0m/*\r\n/*");
    EXPECT_EQ(p.RequestCommand, W1251("опознать"));
    EXPECT_EQ(p.DarkMessages, (std::vector<std::string>{"first", "second"}));
    // A lock is its key name, whatever the value.
    EXPECT_EQ(p.LockedZones, (std::vector<std::string>{W1251("Город")}));
    EXPECT_EQ(p.CurrentSkin, 0);

    IniFile written;
    WriteWorldProfile(written, p, true);
    EXPECT_FALSE(written.Find("Messages", "RequestCommand").has_value());
    EXPECT_EQ(written.ReadString("Messages", "MobTem", ""), "#$1B[0m/*#$0D#$0A/*");
}

TEST(WorldProfileFile, ServerNameRule) {
    // "0" does not mark an address.
    for (const char* name : {"192.168.0.10", "9"}) EXPECT_TRUE(IsServerAddress(name)) << name;
    for (const char* name : {"0.1.2.3", "mud.example.net", ""}) EXPECT_FALSE(IsServerAddress(name)) << name;
}

TEST(MainSettingsFile, DefaultsAreWrittenInOrder) {
    TempDirectory dir;
    HomeDirectory home(dir.Path());
    MainSettings defaults = ReadMainIniFile(home, false);
    defaults.World = kWorld;
    WriteIniFile(home, defaults, WorldProfile{}, "", SettingsWriteOptions{});
    EXPECT_EQ(ReadFile(home.MainIniPath()),
              W1251("[Window]\r\nTop=114\r\nLeft=262\r\nHeight=444\r\nWidth=657\r\n\r\n"
                    "[Options]\r\nListViewStyle=1\r\nScrollMult=2\r\nStayOnTop=0\r\nTransparency=0\r\n"
                    "NoTransparency=1\r\nPanelColor=8421504\r\nPanelBitmap=0\r\nTreeVisible=1\r\n"
                    "TreeZonesWidth=183\r\nTreeObjectsWidth=153\r\nSpeedWalkLength=10\r\nMaxSpeedWalkLength=100\r\n"
                    "World=Арда\r\nDebugVisible=0\r\nDebugActiv=0\r\nNeedRepos=1\r\nReadOnlyOn=рпон\r\n"
                    "ReadOnlyOff=рпоф\r\nReadOnly=0\r\nShowTopLevel=1\r\nShowBottomLevel=1\r\nSwapUpDown=1\r\n"
                    "ShowNote=0\r\nAutosaveMinutes=5\r\n\r\n"
                    "[Commands]\r\nGroupLore=глор\r\nClanLore=клор\r\nSetAlias=наа\r\nRequestObject=лор\r\n"));
}

TEST(MainSettingsFile, ReadsBackAndCombinesNoTransparency) {
    TempDirectory dir;
    HomeDirectory home(dir.Path());
    WriteFile(home.MainIniPath(), W1251("[Window]\r\nTop=10\r\nWidth=wide\r\n[Options]\r\nNoTransparency=0\r\n"
                                        "Transparency=40\r\nStayOnTop=5\r\nWorld=Арда\r\nPanelColor=$FF\r\n"
                                        "[Other]\r\nKept=yes\r\n"));
    MainSettings s = ReadMainIniFile(home, true);
    EXPECT_EQ(s.Top, 10);
    EXPECT_EQ(s.Width, 657);
    EXPECT_EQ(s.Transparency, 40);
    EXPECT_TRUE(s.StayOnTop);
    EXPECT_FALSE(s.NoTransparency);
    EXPECT_EQ(s.World, kWorld);
    EXPECT_EQ(s.PanelColor, 255);

    // Without layered windows the file afterwards holds NoTransparency=1.
    s = ReadMainIniFile(home, false);
    EXPECT_TRUE(s.NoTransparency);
    s.NoTransparency = false;
    s.Top = 500;
    // A maximised window keeps the geometry it had in its normal state.
    WriteIniFile(home, s, WorldProfile{}, "", SettingsWriteOptions{.windowNormal = false});
    IniFile written = IniFile::Load(home.MainIniPath());
    EXPECT_EQ(written.ReadString("Options", "NoTransparency", ""), "1");
    EXPECT_EQ(written.ReadString("Window", "Top", ""), "10");
    EXPECT_EQ(written.ReadString("Window", "Width", ""), "wide");
    EXPECT_EQ(written.ReadString("Other", "Kept", ""), "yes");

    WriteIniFile(home, s, WorldProfile{}, "", SettingsWriteOptions{.layeredWindowsAvailable = true});
    written = IniFile::Load(home.MainIniPath());
    EXPECT_EQ(written.ReadString("Options", "NoTransparency", ""), "0");
    EXPECT_EQ(written.ReadString("Window", "Top", ""), "500");
}

}  // namespace
}  // namespace trellan
