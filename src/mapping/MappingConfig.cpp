#include "mapping/MappingConfig.h"

#include "settings/WorldProfile.h"
#include "text/Cp1251.h"

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

std::array<std::string, kDirectionCount> ProfileMoveCommands(const WorldProfile& profile) {
    return FromProfileOrder<std::string>(
        {profile.MoveCmdN, profile.MoveCmdS, profile.MoveCmdE, profile.MoveCmdW, profile.MoveCmdU, profile.MoveCmdD});
}

}  // namespace trellan
