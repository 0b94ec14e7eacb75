#pragma once
// Room descriptions are kept as lines joined by CR LF, with no empty lines
// and no line break at either end. Text from older maps or from a MUD with
// odd line ends is brought into that shape when a world is loaded.
#include <string>

namespace trellan {

// The clean-up of a full load: blank lines collapsed, LF CR turned round,
// leading and trailing line breaks dropped.
void CleanDescriptionOnLoad(std::string& description);

// The lighter clean-up of reverting to the saved map: trailing CR LF pairs only.
void CleanDescriptionOnRevert(std::string& description);

}  // namespace trellan
