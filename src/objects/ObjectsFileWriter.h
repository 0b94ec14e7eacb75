#pragma once
// Writes a tree as the text of an objects file.
#include <string>
#include <vector>

namespace trellan {

class ObjectsTree;

struct ObjectsText {
    std::string Bytes;
    // One entry per line that had to be written differently from memory so
    // the file reads back whole (a description line holding "<end node>", a
    // caption or line holding a line break), for the debug log.
    std::vector<std::string> Adjusted;
};

// The header, then every node in display order. A tree that needs no
// adjustment is written byte for byte as the reader expects it.
ObjectsText FormatObjectsText(const ObjectsTree& tree);

}  // namespace trellan
