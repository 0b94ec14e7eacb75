#include "mapping/MappingConfig.h"

#include "settings/WorldProfile.h"
#include "text/Cp1251.h"
#include "text/TextUtils.h"

namespace trellan {

MappingConfig::MappingConfig()
    : DirectionPhrases{Utf8ToCp1251("на север"),  Utf8ToCp1251("на юг"), Utf8ToCp1251("на запад"),
                       Utf8ToCp1251("на восток"), Utf8ToCp1251("вверх"), Utf8ToCp1251("вниз")},
      Portal(Utf8ToCp1251("войти")),
      Dark(Utf8ToCp1251("Здесь темно...")) {}

MappingConfig MappingConfig::FromProfile(const WorldProfile& profile, std::uint32_t skinRoomColor) {
    MappingConfig config;
    config.MoveCommands = ProfileMoveCommands(profile);
    config.Words = ProfileExitWords(profile);
    config.DirectionPhrases = profile.DirectionPhrases;
    config.Portal = profile.Portal;
    config.Dark = profile.Dark;
    config.NoExits = profile.NoExits;
    config.SkinRoomColor = skinRoomColor;
    return config;
}

ExitWords ProfileExitWords(const WorldProfile& profile) {
    return ExitWords::FromProfileOrder(profile.ExitWordN, profile.ExitWordS, profile.ExitWordE, profile.ExitWordW,
                                       profile.ExitWordU, profile.ExitWordD);
}

namespace {

// The words of one move key; blanks around a word are not part of it. A key
// without "|" is one word, kept exactly as written.
std::vector<std::string> MoveWords(const std::string& key) {
    if (key.find('|') == std::string::npos) return {key};
    std::vector<std::string> words;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = key.find('|', start);
        std::string word = TrimCtl(std::string_view(key).substr(start, end - start));
        if (!word.empty() || words.empty()) words.push_back(std::move(word));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    // "|north": the first word is the one sent, so an empty first one gives
    // way to the next.
    if (words.size() > 1 && words.front().empty()) words.erase(words.begin());
    return words;
}

}  // namespace

std::array<std::vector<std::string>, kDirectionCount> ProfileMoveWords(const WorldProfile& profile) {
    return FromProfileOrder<std::vector<std::string>>({MoveWords(profile.MoveCmdN), MoveWords(profile.MoveCmdS),
                                                       MoveWords(profile.MoveCmdE), MoveWords(profile.MoveCmdW),
                                                       MoveWords(profile.MoveCmdU), MoveWords(profile.MoveCmdD)});
}

std::array<std::string, kDirectionCount> ProfileMoveCommands(const WorldProfile& profile) {
    std::array<std::vector<std::string>, kDirectionCount> words = ProfileMoveWords(profile);
    std::array<std::string, kDirectionCount> commands;
    for (int d = 0; d < kDirectionCount; ++d) commands[d] = words[d].front();
    return commands;
}

}  // namespace trellan
