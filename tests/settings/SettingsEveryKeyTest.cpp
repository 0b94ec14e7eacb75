// Every key of both settings files set away from its default, written and
// read back: pins down each key's spelling, section and place in the file,
// and that each reaches the member it belongs to.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/IniFile.h"
#include "settings/MainSettings.h"
#include "settings/WorldProfile.h"

namespace trellan {
namespace {

// Each value distinct, so a key wired to the wrong member shows.
WorldProfile ProfileWithEveryKeySet() {
    WorldProfile p;
    p.ClientPort = 1;
    p.ClientAddress = "0.0.0.0";
    p.ServerName = "srv";
    p.ServerPort = 2;
    p.NoDoubleYa = false;
    p.AddDoubleYa = true;
    p.AddDoubleYaLor = false;
    p.MccpEnabled = false;
    p.ShortMode = true;
    p.Zone = "z";
    p.ExitWordN = "en";
    p.ExitWordS = "es";
    p.ExitWordE = "ee";
    p.ExitWordW = "ew";
    p.ExitWordU = "eu";
    p.ExitWordD = "ed";
    p.AutoexitStart = EscapedText("as#$1B");
    p.AutoexitEnd = EscapedText("ae");
    p.PromptExitStart = EscapedText("ps");
    p.PromptExitEnd = EscapedText("pe");
    p.UsePromptExit = true;
    p.RoomNameStart = EscapedText("rs");
    p.RoomNameEnd = EscapedText("re");
    p.RequestCommand = "rc";
    p.Dark = "dk";
    p.NoExits = "ne";
    p.Retreat = "rt";
    p.Follow = "fo";
    p.FollowLine = true;
    p.StuffTem = "st1\r\nst2";
    p.StuffSeq = "ss";
    p.GroupTell = "gt";
    p.ClanTell = "ct";
    p.MobTem = "mt1\r\nmt2";
    p.MobSeq = "mq";
    p.LeaderN = "ln";
    p.LeaderS = "ls";
    p.LeaderE = "le";
    p.LeaderW = "lw";
    p.LeaderU = "lu";
    p.LeaderD = "ld";
    p.LeaderMoves = {"m1", "m2"};
    p.StopTrace = "stp";
    p.Clear = "clr";
    p.Look = "lk";
    p.MoveCmdN = "mn";
    p.MoveCmdS = "ms";
    p.MoveCmdE = "me";
    p.MoveCmdW = "mw";
    p.MoveCmdU = "mu";
    p.MoveCmdD = "md";
    p.Portal = "pt";
    p.Speedwalk = "sw";
    p.Returnwalk = "rw";
    p.Sneakwalk = "snk";
    p.Fleewalk = "flw";
    p.DirectionPhrases = {"d1", "d2", "d3", "d4", "d5", "d6"};
    p.CantMoves = {"c1"};
    p.DarkMessages = {"k1", "k2", "k3"};
    p.LockedZones = {"L1", "L2"};
    p.SkinIniFile = "skin.ini";
    p.CurrentSkin = 5;
    return p;
}

constexpr std::string_view kProfileSections =
    "[Connect]\r\nClient Port=1\r\nClient Address=0.0.0.0\r\nServer Name=srv\r\nServer Port=2\r\n\r\n"
    "[Options]\r\nNoDoubleYa=0\r\nAddDoubleYa=1\r\nAddDoubleYaLor=0\r\nNoDescription=1\r\n"
    "MccpEnabled=0\r\nZone=z\r\n\r\n"
    "[Exits]\r\nNorth=en\r\nSouth=es\r\nEast=ee\r\nWest=ew\r\nUp=eu\r\nDown=ed\r\n\r\n"
    "[Messages]\r\nDark=dk\r\nNoExits=ne\r\nRetreat=rt\r\nFollow=fo\r\nFollowLine=1\r\n"
    "AutoexitStart=as#$1B\r\nAutoexitEnd=ae\r\nPromptExitStart=ps\r\nPromptExitEnd=pe\r\n"
    "UsePromptExit=1\r\nRoomNameStart=rs\r\nRoomNameEnd=re\r\nStuffTem=st1#$0D#$0Ast2\r\nStuffSeq=ss\r\n"
    "MobTem=mt1#$0D#$0Amt2\r\nMobSeq=mq\r\nGroupTell=gt\r\nClanTell=ct\r\n\r\n"
    "[Leader]\r\nNorth=ln\r\nSouth=ls\r\nEast=le\r\nWest=lw\r\nUp=lu\r\nDown=ld\r\n\r\n"
    "[Leader Move]\r\nMove0=m1\r\nMove1=m2\r\n\r\n"
    "[Moves]\r\nStopTrace=stp\r\nClear=clr\r\nLook=lk\r\nNorth=mn\r\nSouth=ms\r\nEast=me\r\nWest=mw\r\n"
    "Up=mu\r\nDown=md\r\nPortal=pt\r\nSpeedwalk=sw\r\nReturnwalk=rw\r\nSneakwalk=snk\r\nFleewalk=flw\r\n"
    "Directions=d1|d2|d3|d4|d5|d6\r\n\r\n"
    "[Can`t Move]\r\nCantMove0=c1\r\n\r\n"
    "[Dark]\r\nDark0=k1\r\nDark1=k2\r\nDark2=k3\r\n\r\n"
    "[Skin]\r\nIniFile=skin.ini\r\nCurrentSkin=5\r\n\r\n"
    "[Lock]\r\nL1=1\r\nL2=1\r\n";

std::string FullWrite(const WorldProfile& profile) {
    IniFile ini;
    WriteWorldProfile(ini, profile, true);
    return ini.ToBytes();
}

TEST(SettingsEveryKey, ProfileWritesEveryKeyInOrderAndReadsItBack) {
    WorldProfile profile = ProfileWithEveryKeySet();
    std::string written = FullWrite(profile);
    EXPECT_EQ(written, kProfileSections);

    WorldProfile read = ReadWorldProfile(IniFile::FromBytes(written), "elsewhere");
    EXPECT_EQ(FullWrite(read), written);
    EXPECT_EQ(read.StuffTem, profile.StuffTem);
    EXPECT_EQ(read.MobTem, profile.MobTem);
    EXPECT_EQ(read.AutoexitStart.Text, "as\x1B");
    // The request command is read but never written, so the file's absence keeps the default.
    EXPECT_EQ(read.RequestCommand, WorldProfile{}.RequestCommand);
    EXPECT_EQ(ReadWorldProfile(IniFile::FromBytes("[messages]\r\nREQUESTCOMMAND=rc\r\n"), "").RequestCommand, "rc");
}

TEST(SettingsEveryKey, ProfileUpdatesAnExistingFileInPlace) {
    // Keys already there keep their place and spelling, whatever their case;
    // missing ones join their section, missing sections and the rewritten
    // lists go to the end.
    IniFile ini = IniFile::FromBytes(
        "; c\r\n[skin]\r\ncurrentskin=9\r\n[OPTIONS]\r\nzone=old\r\nnodoubleya = 1\r\n[Messages]\r\nmobtem=x\r\n"
        "[Lock]\r\nA=1\r\n[can`t move]\r\nq=1\r\n\r\n[Other]\r\nk=v\r\n");
    WriteWorldProfile(ini, ProfileWithEveryKeySet(), true);
    EXPECT_EQ(ini.ToBytes(),
              "; c\r\n[skin]\r\ncurrentskin=5\r\nIniFile=skin.ini\r\n[OPTIONS]\r\nzone=z\r\nnodoubleya=0\r\n"
              "AddDoubleYa=1\r\nAddDoubleYaLor=0\r\nNoDescription=1\r\nMccpEnabled=0\r\n[Messages]\r\n"
              "mobtem=mt1#$0D#$0Amt2\r\nDark=dk\r\nNoExits=ne\r\nRetreat=rt\r\nFollow=fo\r\nFollowLine=1\r\n"
              "AutoexitStart=as#$1B\r\nAutoexitEnd=ae\r\nPromptExitStart=ps\r\nPromptExitEnd=pe\r\n"
              "UsePromptExit=1\r\nRoomNameStart=rs\r\nRoomNameEnd=re\r\nStuffTem=st1#$0D#$0Ast2\r\nStuffSeq=ss\r\n"
              "MobSeq=mq\r\nGroupTell=gt\r\nClanTell=ct\r\n[Other]\r\nk=v\r\n\r\n"
              "[Connect]\r\nClient Port=1\r\nClient Address=0.0.0.0\r\nServer Name=srv\r\nServer Port=2\r\n\r\n"
              "[Exits]\r\nNorth=en\r\nSouth=es\r\nEast=ee\r\nWest=ew\r\nUp=eu\r\nDown=ed\r\n\r\n"
              "[Leader]\r\nNorth=ln\r\nSouth=ls\r\nEast=le\r\nWest=lw\r\nUp=lu\r\nDown=ld\r\n\r\n"
              "[Leader Move]\r\nMove0=m1\r\nMove1=m2\r\n\r\n"
              "[Moves]\r\nStopTrace=stp\r\nClear=clr\r\nLook=lk\r\nNorth=mn\r\nSouth=ms\r\nEast=me\r\nWest=mw\r\n"
              "Up=mu\r\nDown=md\r\nPortal=pt\r\nSpeedwalk=sw\r\nReturnwalk=rw\r\nSneakwalk=snk\r\nFleewalk=flw\r\n"
              "Directions=d1|d2|d3|d4|d5|d6\r\n\r\n"
              "[Can`t Move]\r\nCantMove0=c1\r\n\r\n"
              "[Dark]\r\nDark0=k1\r\nDark1=k2\r\nDark2=k3\r\n\r\n"
              "[Lock]\r\nL1=1\r\nL2=1\r\n");
}

TEST(SettingsEveryKey, KeysBeyondTheClassicProfileAreWrittenOnlyOnceUsed) {
    // A profile that never set them is written exactly as before.
    WorldProfile profile = ProfileWithEveryKeySet();
    EXPECT_EQ(FullWrite(profile), kProfileSections);

    profile.ServerEncoding = "KOI8-R";
    profile.ExitsIgnoreCase = true;
    profile.PromptExitLetters = "a|b|c|d|e|f";
    std::string written = FullWrite(profile);
    EXPECT_NE(written.find("Server Port=2\r\nServer Encoding=KOI8-R\r\n"), std::string::npos);
    EXPECT_NE(written.find("Down=ed\r\nIgnoreCase=1\r\n"), std::string::npos);
    EXPECT_NE(written.find("UsePromptExit=1\r\nPromptExitLetters=a|b|c|d|e|f\r\n"), std::string::npos);
    WorldProfile read = ReadWorldProfile(IniFile::FromBytes(written), "");
    EXPECT_EQ((std::vector<std::string>{read.ServerEncoding, read.PromptExitLetters}),
              (std::vector<std::string>{"KOI8-R", "a|b|c|d|e|f"}));
    EXPECT_TRUE(read.ExitsIgnoreCase);

    // Set back to the default, a key the file holds is still written.
    IniFile ini = IniFile::FromBytes(written);
    WriteWorldProfile(ini, ProfileWithEveryKeySet(), true);
    EXPECT_NE(ini.ToBytes().find("IgnoreCase=0\r\n"), std::string::npos);
}

TEST(SettingsEveryKey, MsdpAndGmcpAreReadButNeverWritten) {
    EXPECT_TRUE(WorldProfile().Msdp);
    EXPECT_TRUE(WorldProfile().Gmcp);
    IniFile ini = IniFile::FromBytes("[Options]\r\nMsdp=0\r\nGmcp=0\r\n");
    WorldProfile profile = ReadWorldProfile(ini, "");
    EXPECT_FALSE(profile.Msdp);
    EXPECT_FALSE(profile.Gmcp);
    IniFile fresh;
    WriteWorldProfile(fresh, WorldProfile(), true);
    EXPECT_EQ(fresh.ToBytes().find("Msdp"), std::string::npos);
    EXPECT_EQ(fresh.ToBytes().find("Gmcp"), std::string::npos);
}

MainSettings MainSettingsWithEveryKeySet() {
    MainSettings s;
    s.Top = -5;
    s.Left = 1;
    s.Height = 2;
    s.Width = 3;
    s.ListViewStyle = 7;
    s.StayOnTop = true;
    s.ScrollMult = 9;
    s.Transparency = 40;
    s.NoTransparency = true;
    s.PanelColor = 0x123456;
    s.PanelBitmap = 4;
    s.TreeVisible = false;
    s.TreeZonesWidth = 11;
    s.TreeObjectsWidth = 12;
    s.SpeedWalkLength = 13;
    s.MaxSpeedWalkLength = 14;
    s.NeedRepos = false;
    s.DebugVisible = true;
    s.SwapUpDown = false;
    s.DebugActiv = true;
    s.ShowNote = true;
    s.AutosaveMinutes = 15;
    s.World = " w\"q\" ";
    s.ReadOnly = true;
    s.ReadOnlyOn = "on";
    s.ReadOnlyOff = "off";
    s.ShowTopLevel = false;
    s.ShowBottomLevel = false;
    s.GroupLore = "gl";
    s.ClanLore = "cl";
    s.SetAlias = "sa";
    s.RequestObject = "ro";
    return s;
}

TEST(SettingsEveryKey, MainSettingsWriteEveryKeyInOrderAndReadItBack) {
    IniFile ini;
    WriteMainSettings(ini, MainSettingsWithEveryKeySet(), true, true);
    const std::string written = ini.ToBytes();
    EXPECT_EQ(written,
              "[Window]\r\nTop=-5\r\nLeft=1\r\nHeight=2\r\nWidth=3\r\n\r\n"
              "[Options]\r\nListViewStyle=7\r\nScrollMult=9\r\nStayOnTop=1\r\nTransparency=40\r\n"
              "NoTransparency=1\r\nPanelColor=1193046\r\nPanelBitmap=4\r\nTreeVisible=0\r\nTreeZonesWidth=11\r\n"
              "TreeObjectsWidth=12\r\nSpeedWalkLength=13\r\nMaxSpeedWalkLength=14\r\nWorld=\" w\"q\" \"\r\n"
              "DebugVisible=1\r\nDebugActiv=1\r\nNeedRepos=0\r\nReadOnlyOn=on\r\nReadOnlyOff=off\r\nReadOnly=1\r\n"
              "ShowTopLevel=0\r\nShowBottomLevel=0\r\nSwapUpDown=0\r\nShowNote=1\r\nAutosaveMinutes=15\r\n\r\n"
              "[Commands]\r\nGroupLore=gl\r\nClanLore=cl\r\nSetAlias=sa\r\nRequestObject=ro\r\n");

    MainSettings read = ReadMainSettings(IniFile::FromBytes(written), true);
    EXPECT_EQ(read.World, " w\"q\" ");
    IniFile again;
    WriteMainSettings(again, read, true, true);
    EXPECT_EQ(again.ToBytes(), written);
}

}  // namespace
}  // namespace trellan

namespace trellan {
namespace {

TEST(SettingsEveryKey, MapCommandIsWrittenOnlyOnceSetSoOlderFilesStayByteForByte) {
    IniFile untouched;
    WriteMainSettings(untouched, MainSettingsWithEveryKeySet(), true, true);
    EXPECT_EQ(untouched.ToBytes().find("MapCommand"), std::string::npos);

    MainSettings s = MainSettingsWithEveryKeySet();
    s.MapCommand = "map";
    IniFile ini;
    WriteMainSettings(ini, s, true, true);
    const std::string written = ini.ToBytes();
    EXPECT_NE(written.find("RequestObject=ro\r\nMapCommand=map\r\n"), std::string::npos) << written;
    EXPECT_EQ(ReadMainSettings(IniFile::FromBytes(written), true).MapCommand, "map");
    EXPECT_EQ(ReadMainSettings(IniFile::FromBytes("[Commands]\r\nGroupLore=gl\r\n"), true).MapCommand, W1251("карта"));
}

}  // namespace
}  // namespace trellan
