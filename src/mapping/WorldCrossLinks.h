#pragma once
// Changes to the cross-link entries of every room of the world, made when a
// zone is renamed or deleted, or a room goes away.
#include <string>
#include <string_view>

#include "mapping/MappingConfig.h"
#include "model/World.h"

namespace trellan {

// Every entry whose zone field is exactly `from` names `to` instead; the
// rest of the entry stays as it is. Returns how many entries changed.
std::size_t RenameCrossLinks(World& world, std::string_view from, std::string_view to);

// Deletes every entry whose zone field is `zone` and clears the room's link
// flag of that entry's exit (a direction phrase or movement command).
std::size_t RemoveCrossLinksTo(World& world, std::string_view zone, const MappingConfig& config);

// The far end of a cross link of a room being deleted: the partner the
// entry names loses its entry for the opposite exit and that link flag.
void UnlinkPartner(World& world, std::string_view entry, const MappingConfig& config);

}  // namespace trellan
