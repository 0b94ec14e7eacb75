#include "settings/WorldProfile.h"

#include "settings/IniFieldTable.h"

namespace trellan {

namespace {

using Field = IniField<WorldProfile>;
using Form = IniFieldForm;

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
constexpr std::string_view kMap = "Map";

// Written only by a full write, in the file's documented order.
constexpr Field kFullWriteFields[] = {
    {kConnect, "Client Port", &WorldProfile::ClientPort},
    {kConnect, "Client Address", &WorldProfile::ClientAddress},
    {kConnect, "Server Name", &WorldProfile::ServerName},
    {kConnect, "Server Port", &WorldProfile::ServerPort},
    {kConnect, "Server Encoding", &WorldProfile::ServerEncoding, Form::WrittenWhenSet},

    {kOptions, "NoDoubleYa", &WorldProfile::NoDoubleYa},
    {kOptions, "AddDoubleYa", &WorldProfile::AddDoubleYa},
    {kOptions, "AddDoubleYaLor", &WorldProfile::AddDoubleYaLor},
    {kOptions, "NoDescription", &WorldProfile::ShortMode},
    {kOptions, "MccpEnabled", &WorldProfile::MccpEnabled},
    // Set by hand to 0 to turn one off; not written, so profiles stay as
    // the players' programs wrote them.
    {kOptions, "Msdp", &WorldProfile::Msdp, IniFieldForm::ReadOnly},
    {kOptions, "Gmcp", &WorldProfile::Gmcp, IniFieldForm::ReadOnly},
    {kOptions, "Zone", &WorldProfile::Zone},

    {kExits, "North", &WorldProfile::ExitWordN},
    {kExits, "South", &WorldProfile::ExitWordS},
    {kExits, "East", &WorldProfile::ExitWordE},
    {kExits, "West", &WorldProfile::ExitWordW},
    {kExits, "Up", &WorldProfile::ExitWordU},
    {kExits, "Down", &WorldProfile::ExitWordD},
    {kExits, "IgnoreCase", &WorldProfile::ExitsIgnoreCase, Form::WrittenWhenSet},

    {kMessages, "Dark", &WorldProfile::Dark},
    {kMessages, "NoExits", &WorldProfile::NoExits},
    {kMessages, "Retreat", &WorldProfile::Retreat},
    {kMessages, "Follow", &WorldProfile::Follow},
    {kMessages, "FollowLine", &WorldProfile::FollowLine},
    {kMessages, "AutoexitStart", &WorldProfile::AutoexitStart},
    {kMessages, "AutoexitEnd", &WorldProfile::AutoexitEnd},
    {kMessages, "PromptExitStart", &WorldProfile::PromptExitStart},
    {kMessages, "PromptExitEnd", &WorldProfile::PromptExitEnd},
    {kMessages, "UsePromptExit", &WorldProfile::UsePromptExit},
    {kMessages, "PromptExitLetters", &WorldProfile::PromptExitLetters, Form::WrittenWhenSet},
    {kMessages, "RoomNameStart", &WorldProfile::RoomNameStart},
    {kMessages, "RoomNameEnd", &WorldProfile::RoomNameEnd},
    {kMessages, "StuffTem", &WorldProfile::StuffTem, Form::LineBreaksEscaped},
    {kMessages, "StuffSeq", &WorldProfile::StuffSeq},
    {kMessages, "MobTem", &WorldProfile::MobTem, Form::LineBreaksEscaped},
    {kMessages, "MobSeq", &WorldProfile::MobSeq},
    {kMessages, "GroupTell", &WorldProfile::GroupTell},
    {kMessages, "ClanTell", &WorldProfile::ClanTell},
    {kMessages, "RequestCommand", &WorldProfile::RequestCommand, Form::ReadOnly},

    {kLeader, "North", &WorldProfile::LeaderN},
    {kLeader, "South", &WorldProfile::LeaderS},
    {kLeader, "East", &WorldProfile::LeaderE},
    {kLeader, "West", &WorldProfile::LeaderW},
    {kLeader, "Up", &WorldProfile::LeaderU},
    {kLeader, "Down", &WorldProfile::LeaderD},
    {kLeaderMove, "Move", &WorldProfile::LeaderMoves, Form::ValueList},

    {kMoves, "StopTrace", &WorldProfile::StopTrace},
    {kMoves, "Clear", &WorldProfile::Clear},
    {kMoves, "Look", &WorldProfile::Look},
    {kMoves, "North", &WorldProfile::MoveCmdN},
    {kMoves, "South", &WorldProfile::MoveCmdS},
    {kMoves, "East", &WorldProfile::MoveCmdE},
    {kMoves, "West", &WorldProfile::MoveCmdW},
    {kMoves, "Up", &WorldProfile::MoveCmdU},
    {kMoves, "Down", &WorldProfile::MoveCmdD},
    {kMoves, "Portal", &WorldProfile::Portal},
    {kMoves, "Speedwalk", &WorldProfile::Speedwalk},
    {kMoves, "Returnwalk", &WorldProfile::Returnwalk},
    {kMoves, "Sneakwalk", &WorldProfile::Sneakwalk},
    {kMoves, "Fleewalk", &WorldProfile::Fleewalk},
    {kMoves, "Directions", &WorldProfile::DirectionPhrases},

    {kCantMove, "CantMove", &WorldProfile::CantMoves, Form::ValueList},
    {kDark, "Dark", &WorldProfile::DarkMessages, Form::ValueList},
    {kSkin, "IniFile", &WorldProfile::SkinIniFile},
};

// Written by every write, after the full write's fields.
constexpr Field kAlwaysWrittenFields[] = {
    {kSkin, "CurrentSkin", &WorldProfile::CurrentSkin},
    {kMap, "Zoom", &WorldProfile::MapZoom, Form::WrittenWhenSet},
    {kMap, "RoomNames", &WorldProfile::MapRoomNames, Form::WrittenWhenSet},
    {kLock, "", &WorldProfile::LockedZones, Form::KeyList},
};

}  // namespace

bool IsServerAddress(std::string_view serverName) {
    return !serverName.empty() && serverName.front() >= '1' && serverName.front() <= '9';
}

ServerCharset ProfileServerCharset(const WorldProfile& profile) {
    return ServerCharsetNamed(profile.ServerEncoding).value_or(ServerCharset::Windows1251);
}

WorldProfile ReadWorldProfile(const IniFile& ini, std::string_view currentZone) {
    WorldProfile p;
    p.Zone = currentZone;
    ReadIniFields<WorldProfile>(ini, kFullWriteFields, p);
    ReadIniFields<WorldProfile>(ini, kAlwaysWrittenFields, p);
    return p;
}

void WriteWorldProfile(IniFile& ini, const WorldProfile& p, bool full) {
    if (full) WriteIniFields<WorldProfile>(ini, kFullWriteFields, p);
    WriteIniFields<WorldProfile>(ini, kAlwaysWrittenFields, p);
}

}  // namespace trellan
