#include "objects/ObjectsConfig.h"

#include "settings/WorldProfile.h"
#include "text/TextUtils.h"
#include "text/W1251.h"

namespace trellan {

ObjectsConfig ObjectsConfigFromProfile(const WorldProfile& profile) {
    ObjectsConfig config;
    config.Items = {W1251("Предметы"), DecodeEscapes(profile.StuffTem), profile.StuffSeq};
    config.Mobs = {W1251("Мобы"), DecodeEscapes(profile.MobTem), profile.MobSeq};
    config.AutoexitStart = profile.AutoexitStart.Text;
    config.GroupTell = profile.GroupTell;
    config.ClanTell = profile.ClanTell;
    config.AddDoubleYa = profile.AddDoubleYa;
    config.AddDoubleYaLor = profile.AddDoubleYaLor;
    config.Charset = ProfileServerCharset(profile);
    return config;
}

}  // namespace trellan
