#include "tracking/TrackerConfig.h"

#include "mapping/MappingConfig.h"
#include "settings/MainSettings.h"
#include "settings/WorldProfile.h"
#include "text/Cp1251.h"
#include "text/TextUtils.h"

namespace trellan {

namespace {

template <typename From, typename Value>
struct CopiedSetting {
    Value TrackerConfig::*To;
    Value From::*Source;
};

// The settings the tracker takes over as they stand.
constexpr CopiedSetting<WorldProfile, std::string> kProfileTexts[] = {
    {&TrackerConfig::Look, &WorldProfile::Look},
    {&TrackerConfig::Clear, &WorldProfile::Clear},
    {&TrackerConfig::StopTrace, &WorldProfile::StopTrace},
    {&TrackerConfig::Speedwalk, &WorldProfile::Speedwalk},
    {&TrackerConfig::Returnwalk, &WorldProfile::Returnwalk},
    {&TrackerConfig::Sneakwalk, &WorldProfile::Sneakwalk},
    {&TrackerConfig::Fleewalk, &WorldProfile::Fleewalk},
    {&TrackerConfig::Portal, &WorldProfile::Portal},
    {&TrackerConfig::Retreat, &WorldProfile::Retreat},
    {&TrackerConfig::Follow, &WorldProfile::Follow},
};
constexpr CopiedSetting<WorldProfile, bool> kProfileFlags[] = {
    {&TrackerConfig::FollowLine, &WorldProfile::FollowLine},
    {&TrackerConfig::AddDoubleYaLor, &WorldProfile::AddDoubleYaLor},
};
constexpr CopiedSetting<MainSettings, std::string> kMainTexts[] = {
    {&TrackerConfig::ReadOnlyOn, &MainSettings::ReadOnlyOn}, {&TrackerConfig::ReadOnlyOff, &MainSettings::ReadOnlyOff},
    {&TrackerConfig::GroupLore, &MainSettings::GroupLore},   {&TrackerConfig::ClanLore, &MainSettings::ClanLore},
    {&TrackerConfig::SetAlias, &MainSettings::SetAlias},
    {&TrackerConfig::MapCommand, &MainSettings::MapCommand},
};
constexpr CopiedSetting<MainSettings, bool> kMainFlags[] = {
    {&TrackerConfig::NeedRepos, &MainSettings::NeedRepos},
};

template <typename From, typename Value, std::size_t Count>
void Copy(const CopiedSetting<From, Value> (&settings)[Count], const From& from, TrackerConfig& config) {
    for (const auto& setting : settings) config.*setting.To = from.*setting.Source;
}

// "|" list in the order north, south, west, east, up, down, which is the
// room's own order; missing entries are empty.
std::array<std::string, kDirectionCount> PromptLettersOf(const WorldProfile& profile) {
    std::array<std::string, kDirectionCount> letters;
    if (profile.PromptExitLetters.empty()) return letters;
    for (int d = 0; d < kDirectionCount; ++d) letters[d] = GetToken(d + 1, profile.PromptExitLetters, "|");
    return letters;
}

}  // namespace

std::vector<std::string> LookWordsOf(const std::string& list) {
    std::vector<std::string> words;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = list.find('|', start);
        std::string word = TrimCtl(AsciiLower(TrimCtl(std::string_view(list).substr(start, end - start))));
        if (!word.empty()) words.push_back(std::move(word));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return words;
}

RoomParserConfig ParserConfigFrom(const WorldProfile& profile) {
    RoomParserConfig config;
    config.RoomNameStart = profile.RoomNameStart.Text;
    config.RoomNameEnd = profile.RoomNameEnd.Text;
    config.AutoexitStart = profile.AutoexitStart.Text;
    config.AutoexitEnd = profile.AutoexitEnd.Text;
    config.PromptExitStart = profile.PromptExitStart.Text;
    config.PromptExitEnd = profile.PromptExitEnd.Text;
    config.UsePromptExit = profile.UsePromptExit;
    config.ExitsIgnoreCase = profile.ExitsIgnoreCase;
    config.PromptExitLetters = PromptLettersOf(profile);
    config.Dark = profile.Dark;
    config.DarkMessages.clear();
    for (const std::string& message : profile.DarkMessages) config.DarkMessages.push_back(DecodeEscapes(message));
    config.NoExits = profile.NoExits;
    config.MoveCommands = ProfileMoveCommands(profile);
    config.MoveWords = ProfileMoveWords(profile);
    config.Words = ProfileExitWords(profile);
    config.DirectionPhrases = profile.DirectionPhrases;
    return config;
}

TrackerConfig TrackerConfigFrom(const WorldProfile& profile, const MainSettings& settings) {
    TrackerConfig config;
    config.Parser = ParserConfigFrom(profile);
    Copy(kProfileTexts, profile, config);
    Copy(kProfileFlags, profile, config);
    Copy(kMainTexts, settings, config);
    Copy(kMainFlags, settings, config);
    config.Charset = ProfileServerCharset(profile);
    config.LookWords = LookWordsOf(profile.Look);
    config.Look = config.LookWords.empty() ? std::string() : config.LookWords.front();
    config.RequestObject = profile.RequestCommand.empty() ? settings.RequestObject : profile.RequestCommand;
    config.LeaderPhrases = {profile.LeaderN, profile.LeaderS, profile.LeaderW,
                            profile.LeaderE, profile.LeaderU, profile.LeaderD};
    config.LeaderMoves.clear();
    for (const std::string& move : profile.LeaderMoves) config.LeaderMoves.push_back(DecodeEscapes(TrimCtl(move)));
    config.CantMoves.clear();
    for (const std::string& message : profile.CantMoves) config.CantMoves.push_back(DecodeEscapes(message));
    return config;
}

}  // namespace trellan
