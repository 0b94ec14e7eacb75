#pragma once
// Which world and zone names can be kept on the file system. A world is a
// directory and a zone a file named after it (UTF-8 on disk, Windows-1251 in
// memory), so a name that would leave the maps directory, vanish from the
// listing or come back as another name is refused before anything is written.
#include <optional>
#include <string>
#include <string_view>

#include "common/Errors.h"

namespace trellan {

class StorageMessages;

enum class NameProblem {
    Empty,
    Slash,          // "/" would leave the directory
    DotName,        // "." or ".."
    LeadingDot,     // a world starting with "." is not listed as a world
    ControlChar,    // NUL, line breaks and other control bytes
    Bar,            // "|" separates the fields of a cross-link entry
    ZoneExtension,  // ".tr2" inside a zone name is dropped when the file is read
    TooLong,        // more than the file system takes in one name
};

// Names are Windows-1251.
std::optional<NameProblem> WorldNameProblem(std::string_view world);
std::optional<NameProblem> ZoneNameProblem(std::string_view zone);

// The reason in words, for StorageMessages::BadName.
std::string NameProblemText(NameProblem problem, const StorageMessages& messages);

// Thrown by the world commands for a name they refuse; what() is the
// message to show.
class InvalidNameError : public TrellanError {
public:
    using TrellanError::TrellanError;
};

// Throw InvalidNameError when the name cannot be used.
void RequireWorldName(std::string_view world, const StorageMessages& messages);
void RequireZoneName(std::string_view zone, const StorageMessages& messages);

}  // namespace trellan
