#include "tracking/TrackerConfig.h"

#include "mapping/MappingConfig.h"
#include "settings/MainSettings.h"
#include "settings/WorldProfile.h"
#include "text/TextUtils.h"

namespace trellan {

RoomParserConfig ParserConfigFrom(const WorldProfile& profile) {
    RoomParserConfig config;
    config.RoomNameStart = profile.RoomNameStart.Text;
    config.RoomNameEnd = profile.RoomNameEnd.Text;
    config.AutoexitStart = profile.AutoexitStart.Text;
    config.AutoexitEnd = profile.AutoexitEnd.Text;
    config.PromptExitStart = profile.PromptExitStart.Text;
    config.PromptExitEnd = profile.PromptExitEnd.Text;
    config.UsePromptExit = profile.UsePromptExit;
    config.Dark = profile.Dark;
    config.DarkMessages.clear();
    for (const std::string& message : profile.DarkMessages) config.DarkMessages.push_back(DecodeEscapes(message));
    config.NoExits = profile.NoExits;
    config.MoveCommands = ProfileMoveCommands(profile);
    config.Words = ProfileExitWords(profile);
    config.DirectionPhrases = profile.DirectionPhrases;
    return config;
}

TrackerConfig TrackerConfigFrom(const WorldProfile& profile, const MainSettings& settings) {
    TrackerConfig config;
    config.Parser = ParserConfigFrom(profile);
    config.Look = profile.Look;
    config.Clear = profile.Clear;
    config.StopTrace = profile.StopTrace;
    config.Speedwalk = profile.Speedwalk;
    config.Returnwalk = profile.Returnwalk;
    config.ReadOnlyOn = settings.ReadOnlyOn;
    config.ReadOnlyOff = settings.ReadOnlyOff;
    config.RequestObject = profile.RequestCommand.empty() ? settings.RequestObject : profile.RequestCommand;
    config.GroupLore = settings.GroupLore;
    config.ClanLore = settings.ClanLore;
    config.SetAlias = settings.SetAlias;
    config.Sneakwalk = profile.Sneakwalk;
    config.Fleewalk = profile.Fleewalk;
    config.Portal = profile.Portal;
    config.Retreat = profile.Retreat;
    config.Follow = profile.Follow;
    config.FollowLine = profile.FollowLine;
    config.LeaderPhrases = {profile.LeaderN, profile.LeaderS, profile.LeaderW,
                            profile.LeaderE, profile.LeaderU, profile.LeaderD};
    config.LeaderMoves.clear();
    for (const std::string& move : profile.LeaderMoves) config.LeaderMoves.push_back(DecodeEscapes(TrimCtl(move)));
    config.CantMoves.clear();
    for (const std::string& message : profile.CantMoves) config.CantMoves.push_back(DecodeEscapes(message));
    config.NeedRepos = settings.NeedRepos;
    config.AddDoubleYaLor = profile.AddDoubleYaLor;
    return config;
}

}  // namespace trellan
