#include "settings/WorldProfile.h"

#include "settings/IniFile.h"

namespace trellan {

namespace {

constexpr std::string_view kConnect = "Connect";
constexpr std::string_view kOptions = "Options";
constexpr std::string_view kExits = "Exits";
constexpr std::string_view kMessages = "Messages";
constexpr std::string_view kLeader = "Leader";
constexpr std::string_view kLeaderMove = "Leader Move";
constexpr std::string_view kMoves = "Moves";
constexpr std::string_view kCantMove = "Can`t Move";
constexpr std::string_view kDark = "Dark";
constexpr std::string_view kLock = "Lock";
constexpr std::string_view kSkin = "Skin";

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kEscapedLineBreak = "#$0D#$0A";
constexpr std::string_view kDirectionSeparator = "|";

EscapedText ReadEscaped(const IniFile& ini, std::string_view key, const EscapedText& defaultValue) {
    return EscapedText(ini.ReadString(kMessages, key, defaultValue.Raw));
}

std::string ReadMultiLine(const IniFile& ini, std::string_view key) {
    return ReplaceAll(ini.ReadString(kMessages, key, ""), kEscapedLineBreak, kLineBreak);
}

void WriteMultiLine(IniFile& ini, std::string_view key, const std::string& text) {
    ini.WriteString(kMessages, key, ReplaceAll(text, kLineBreak, kEscapedLineBreak));
}

void WriteList(IniFile& ini, std::string_view section, std::string_view prefix, const std::vector<std::string>& list) {
    ini.EraseSection(section);
    for (std::size_t i = 0; i < list.size(); ++i) {
        ini.WriteString(section, std::string(prefix) + std::to_string(i), list[i]);
    }
}

}  // namespace

bool IsServerAddress(std::string_view serverName) {
    return !serverName.empty() && serverName.front() >= '1' && serverName.front() <= '9';
}

WorldProfile ReadWorldProfile(const IniFile& ini, std::string_view currentZone) {
    WorldProfile p;
    p.ClientPort = ini.ReadInteger(kConnect, "Client Port", p.ClientPort);
    p.ClientAddress = ini.ReadString(kConnect, "Client Address", p.ClientAddress);
    p.ServerName = ini.ReadString(kConnect, "Server Name", p.ServerName);
    p.ServerPort = ini.ReadInteger(kConnect, "Server Port", p.ServerPort);

    p.NoDoubleYa = ini.ReadBool(kOptions, "NoDoubleYa", p.NoDoubleYa);
    p.AddDoubleYa = ini.ReadBool(kOptions, "AddDoubleYa", p.AddDoubleYa);
    p.AddDoubleYaLor = ini.ReadBool(kOptions, "AddDoubleYaLor", p.AddDoubleYaLor);
    p.MccpEnabled = ini.ReadBool(kOptions, "MccpEnabled", p.MccpEnabled);
    p.ShortMode = ini.ReadBool(kOptions, "NoDescription", p.ShortMode);
    p.Zone = ini.ReadString(kOptions, "Zone", currentZone);

    p.ExitWordN = ini.ReadString(kExits, "North", p.ExitWordN);
    p.ExitWordS = ini.ReadString(kExits, "South", p.ExitWordS);
    p.ExitWordE = ini.ReadString(kExits, "East", p.ExitWordE);
    p.ExitWordW = ini.ReadString(kExits, "West", p.ExitWordW);
    p.ExitWordU = ini.ReadString(kExits, "Up", p.ExitWordU);
    p.ExitWordD = ini.ReadString(kExits, "Down", p.ExitWordD);

    p.AutoexitStart = ReadEscaped(ini, "AutoexitStart", p.AutoexitStart);
    p.AutoexitEnd = ReadEscaped(ini, "AutoexitEnd", p.AutoexitEnd);
    p.PromptExitStart = ReadEscaped(ini, "PromptExitStart", p.PromptExitStart);
    p.PromptExitEnd = ReadEscaped(ini, "PromptExitEnd", p.PromptExitEnd);
    p.UsePromptExit = ini.ReadBool(kMessages, "UsePromptExit", p.UsePromptExit);
    p.RoomNameStart = ReadEscaped(ini, "RoomNameStart", p.RoomNameStart);
    p.RoomNameEnd = ReadEscaped(ini, "RoomNameEnd", p.RoomNameEnd);
    p.RequestCommand = ini.ReadString(kMessages, "RequestCommand", p.RequestCommand);
    p.Dark = ini.ReadString(kMessages, "Dark", p.Dark);
    p.NoExits = ini.ReadString(kMessages, "NoExits", p.NoExits);
    p.Retreat = ini.ReadString(kMessages, "Retreat", p.Retreat);
    p.Follow = ini.ReadString(kMessages, "Follow", p.Follow);
    p.FollowLine = ini.ReadBool(kMessages, "FollowLine", p.FollowLine);
    p.StuffTem = ReadMultiLine(ini, "StuffTem");
    p.StuffSeq = ini.ReadString(kMessages, "StuffSeq", p.StuffSeq);
    p.GroupTell = ini.ReadString(kMessages, "GroupTell", p.GroupTell);
    p.ClanTell = ini.ReadString(kMessages, "ClanTell", p.ClanTell);
    p.MobTem = ReadMultiLine(ini, "MobTem");
    p.MobSeq = ini.ReadString(kMessages, "MobSeq", p.MobSeq);

    p.LeaderN = ini.ReadString(kLeader, "North", p.LeaderN);
    p.LeaderS = ini.ReadString(kLeader, "South", p.LeaderS);
    p.LeaderE = ini.ReadString(kLeader, "East", p.LeaderE);
    p.LeaderW = ini.ReadString(kLeader, "West", p.LeaderW);
    p.LeaderU = ini.ReadString(kLeader, "Up", p.LeaderU);
    p.LeaderD = ini.ReadString(kLeader, "Down", p.LeaderD);
    p.LeaderMoves = ini.ReadSectionValues(kLeaderMove);

    p.StopTrace = ini.ReadString(kMoves, "StopTrace", p.StopTrace);
    p.Clear = ini.ReadString(kMoves, "Clear", p.Clear);
    p.Look = ini.ReadString(kMoves, "Look", p.Look);
    p.MoveCmdN = ini.ReadString(kMoves, "North", p.MoveCmdN);
    p.MoveCmdS = ini.ReadString(kMoves, "South", p.MoveCmdS);
    p.MoveCmdE = ini.ReadString(kMoves, "East", p.MoveCmdE);
    p.MoveCmdW = ini.ReadString(kMoves, "West", p.MoveCmdW);
    p.MoveCmdU = ini.ReadString(kMoves, "Up", p.MoveCmdU);
    p.MoveCmdD = ini.ReadString(kMoves, "Down", p.MoveCmdD);
    p.Portal = ini.ReadString(kMoves, "Portal", p.Portal);
    p.Speedwalk = ini.ReadString(kMoves, "Speedwalk", p.Speedwalk);
    p.Returnwalk = ini.ReadString(kMoves, "Returnwalk", p.Returnwalk);
    p.Sneakwalk = ini.ReadString(kMoves, "Sneakwalk", p.Sneakwalk);
    p.Fleewalk = ini.ReadString(kMoves, "Fleewalk", p.Fleewalk);
    std::optional<std::string> directions = ini.Find(kMoves, "Directions");
    if (directions) {
        // Always six entries; missing fields are empty.
        for (int i = 0; i < 6; ++i) p.DirectionPhrases[i] = GetToken(i + 1, *directions, kDirectionSeparator);
    }

    p.CantMoves = ini.ReadSectionValues(kCantMove);
    p.DarkMessages = ini.ReadSectionValues(kDark);
    p.LockedZones = ini.ReadSectionKeys(kLock);

    p.SkinIniFile = ini.ReadString(kSkin, "IniFile", p.SkinIniFile);
    p.CurrentSkin = ini.ReadInteger(kSkin, "CurrentSkin", p.CurrentSkin);
    return p;
}

void WriteWorldProfile(IniFile& ini, const WorldProfile& p, bool full) {
    if (full) {
        ini.WriteInteger(kConnect, "Client Port", p.ClientPort);
        ini.WriteString(kConnect, "Client Address", p.ClientAddress);
        ini.WriteString(kConnect, "Server Name", p.ServerName);
        ini.WriteInteger(kConnect, "Server Port", p.ServerPort);

        ini.WriteBool(kOptions, "NoDoubleYa", p.NoDoubleYa);
        ini.WriteBool(kOptions, "AddDoubleYa", p.AddDoubleYa);
        ini.WriteBool(kOptions, "AddDoubleYaLor", p.AddDoubleYaLor);
        ini.WriteBool(kOptions, "NoDescription", p.ShortMode);
        ini.WriteBool(kOptions, "MccpEnabled", p.MccpEnabled);
        ini.WriteString(kOptions, "Zone", p.Zone);

        ini.WriteString(kExits, "North", p.ExitWordN);
        ini.WriteString(kExits, "South", p.ExitWordS);
        ini.WriteString(kExits, "East", p.ExitWordE);
        ini.WriteString(kExits, "West", p.ExitWordW);
        ini.WriteString(kExits, "Up", p.ExitWordU);
        ini.WriteString(kExits, "Down", p.ExitWordD);

        ini.WriteString(kMessages, "Dark", p.Dark);
        ini.WriteString(kMessages, "NoExits", p.NoExits);
        ini.WriteString(kMessages, "Retreat", p.Retreat);
        ini.WriteString(kMessages, "Follow", p.Follow);
        ini.WriteBool(kMessages, "FollowLine", p.FollowLine);
        ini.WriteString(kMessages, "AutoexitStart", p.AutoexitStart.Raw);
        ini.WriteString(kMessages, "AutoexitEnd", p.AutoexitEnd.Raw);
        ini.WriteString(kMessages, "PromptExitStart", p.PromptExitStart.Raw);
        ini.WriteString(kMessages, "PromptExitEnd", p.PromptExitEnd.Raw);
        ini.WriteBool(kMessages, "UsePromptExit", p.UsePromptExit);
        ini.WriteString(kMessages, "RoomNameStart", p.RoomNameStart.Raw);
        ini.WriteString(kMessages, "RoomNameEnd", p.RoomNameEnd.Raw);
        WriteMultiLine(ini, "StuffTem", p.StuffTem);
        ini.WriteString(kMessages, "StuffSeq", p.StuffSeq);
        WriteMultiLine(ini, "MobTem", p.MobTem);
        ini.WriteString(kMessages, "MobSeq", p.MobSeq);
        ini.WriteString(kMessages, "GroupTell", p.GroupTell);
        ini.WriteString(kMessages, "ClanTell", p.ClanTell);

        ini.WriteString(kLeader, "North", p.LeaderN);
        ini.WriteString(kLeader, "South", p.LeaderS);
        ini.WriteString(kLeader, "East", p.LeaderE);
        ini.WriteString(kLeader, "West", p.LeaderW);
        ini.WriteString(kLeader, "Up", p.LeaderU);
        ini.WriteString(kLeader, "Down", p.LeaderD);
        WriteList(ini, kLeaderMove, "Move", p.LeaderMoves);

        ini.WriteString(kMoves, "StopTrace", p.StopTrace);
        ini.WriteString(kMoves, "Clear", p.Clear);
        ini.WriteString(kMoves, "Look", p.Look);
        ini.WriteString(kMoves, "North", p.MoveCmdN);
        ini.WriteString(kMoves, "South", p.MoveCmdS);
        ini.WriteString(kMoves, "East", p.MoveCmdE);
        ini.WriteString(kMoves, "West", p.MoveCmdW);
        ini.WriteString(kMoves, "Up", p.MoveCmdU);
        ini.WriteString(kMoves, "Down", p.MoveCmdD);
        ini.WriteString(kMoves, "Portal", p.Portal);
        ini.WriteString(kMoves, "Speedwalk", p.Speedwalk);
        ini.WriteString(kMoves, "Returnwalk", p.Returnwalk);
        ini.WriteString(kMoves, "Sneakwalk", p.Sneakwalk);
        ini.WriteString(kMoves, "Fleewalk", p.Fleewalk);
        std::string directions;
        for (std::size_t i = 0; i < p.DirectionPhrases.size(); ++i) {
            if (i > 0) directions += kDirectionSeparator;
            directions += p.DirectionPhrases[i];
        }
        ini.WriteString(kMoves, "Directions", directions);

        WriteList(ini, kCantMove, "CantMove", p.CantMoves);
        WriteList(ini, kDark, "Dark", p.DarkMessages);
        ini.WriteString(kSkin, "IniFile", p.SkinIniFile);
    }
    ini.WriteInteger(kSkin, "CurrentSkin", p.CurrentSkin);
    ini.EraseSection(kLock);
    for (const std::string& zone : p.LockedZones) ini.WriteString(kLock, zone, "1");
}

}  // namespace trellan
