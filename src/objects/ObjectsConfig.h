#pragma once
// The world-profile settings the objects base works with, decoded once when
// a profile is read.
#include <string>

#include "text/ServerCharset.h"

namespace trellan {

struct WorldProfile;

// One kind of lore block: items or mobs.
struct LoreTemplate {
    std::string Root;      // the top-level node the kind is filed under
    std::string Template;  // pattern language, escapes decoded
    std::string Sequence;  // comma-separated capture numbers, from 1
};

struct ObjectsConfig {
    LoreTemplate Items;
    LoreTemplate Mobs;
    // The exits-line start marker, decoded: a lore block is taken only when
    // it begins before the room that follows it.
    std::string AutoexitStart;
    std::string GroupTell;
    std::string ClanTell;
    bool AddDoubleYa = false;    // when sending to the chat
    bool AddDoubleYaLor = true;  // when answering the client's search
    // The code page shared objects are told to the MUD in.
    ServerCharset Charset = ServerCharset::Windows1251;
};

ObjectsConfig ObjectsConfigFromProfile(const WorldProfile& profile);

}  // namespace trellan
