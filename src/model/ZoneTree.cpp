#include "model/ZoneTree.h"

#include <algorithm>

namespace trellan {

const ZoneNode* ZoneTree::FindZone(std::string_view name) const {
    for (const ZoneNode& node : zones_) {
        if (node.Text == name) return &node;
    }
    return nullptr;
}

ZoneNode* ZoneTree::Find(std::string_view name) {
    return const_cast<ZoneNode*>(FindZone(name));
}

ZoneNode& ZoneTree::Add(const std::string& name, bool locked) {
    if (ZoneNode* node = Find(name)) return *node;
    ZoneNode& node = zones_.emplace_back();
    node.Text = name;
    node.StateIndex = locked ? kLockedZoneStateImage : kNoStateImage;
    return node;
}

void ZoneTree::Remove(std::string_view name) {
    std::erase_if(zones_, [&](const ZoneNode& node) { return node.Text == name; });
    if (selected_ == name) selected_.clear();
}

void ZoneTree::AddAlias(std::string_view zone, MudRoom* room, bool locked) {
    ZoneNode& node = Add(std::string(zone), locked);
    node.Aliases.push_back(AliasNode{room});
}

void ZoneTree::RemoveAlias(std::string_view zone, const MudRoom* room) {
    if (ZoneNode* node = Find(zone)) {
        std::erase_if(node->Aliases, [&](const AliasNode& alias) { return alias.Room == room; });
    }
}

void ZoneTree::Clear() {
    zones_.clear();
    selected_.clear();
}

}  // namespace trellan
