#pragma once
// Renaming a world is renaming its directory: the zone files, the profile
// and the objects base go along. The open world is not renamed this way
// (the program keeps its directory's path while it is open).
#include <string_view>

namespace trellan {

class MapsDirectory;
class StorageMessages;

enum class WorldRenameOutcome {
    Done,
    NotFound,   // no world of the old name
    NameTaken,  // a world (or any entry) of the new name exists
    Failed,     // the file system refused
};

// Names are Windows-1251. Throws InvalidNameError when `to` cannot name a
// world; nothing changes then.
WorldRenameOutcome RenameWorld(const MapsDirectory& maps, std::string_view from, std::string_view to,
                               const StorageMessages& messages);

}  // namespace trellan
