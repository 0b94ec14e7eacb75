#pragma once
// Reads the text of an objects file into a tree. Every node is found or
// added by its place (FindOrAddObjectNode), so reading into a tree that
// already holds nodes merges: the same paths get the file's descriptions,
// new paths are added.
#include <string>
#include <string_view>

namespace trellan {

class ObjectsTree;

// Lines may end in CR LF, LF or CR. Lines outside a node other than
// "<node>" are skipped, so headers of related outline formats are harmless.
// Throws FileFormatError naming `fileName` (UTF-8) and the line when a level
// line is not a number or the file ends inside a node's first lines; the
// nodes read before that stay in the tree.
void ReadObjectsText(std::string_view text, ObjectsTree& tree, const std::string& fileName);

}  // namespace trellan
