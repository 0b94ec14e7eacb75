#include "storage/WorldRename.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "storage/MapsDirectory.h"
#include "storage/StorageNames.h"

namespace trellan {

namespace fs = std::filesystem;

WorldRenameOutcome RenameWorld(const MapsDirectory& maps, std::string_view from, std::string_view to,
                               const StorageMessages& messages) {
    RequireWorldName(to, messages);
    if (from == to) return WorldRenameOutcome::Done;
    if (WorldNameProblem(from) || !maps.WorldExists(from)) return WorldRenameOutcome::NotFound;
    const std::string source = maps.WorldPath(from);
    const std::string target = maps.WorldPath(to);
    // rename() would quietly replace an empty directory of that name.
    std::error_code error;
    if (fs::symlink_status(target, error).type() != fs::file_type::not_found) return WorldRenameOutcome::NameTaken;
    if (std::rename(source.c_str(), target.c_str()) != 0) return WorldRenameOutcome::Failed;
    return WorldRenameOutcome::Done;
}

}  // namespace trellan
