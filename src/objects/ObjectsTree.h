#pragma once
// The tree of the objects base: the top-level nodes in order, each owning
// its subtree. Node pointers stay valid until the node (or an ancestor) is
// deleted or the tree is cleared; Generation() changes whenever that may
// have happened, so holders of a pointer (the search position) can tell.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "objects/ObjectNode.h"

namespace trellan {

// A node in display order with its depth, so walks need not climb parents.
struct OrderedNode {
    ObjectNode* Node;
    int Level;
};

// Where a dragged node was dropped on another.
enum class DropPlace {
    OnCaption,      // before the target, as its sibling
    RightOfCaption  // the target's first child
};

class ObjectsTree {
public:
    const std::vector<std::unique_ptr<ObjectNode>>& TopLevel() const { return top_; }
    bool Empty() const { return top_.empty(); }
    std::uint64_t Generation() const { return generation_; }

    // Empty text: `parent` itself. Under a parent: the first child whose
    // caption equals the text exactly, else a new last child. At top level
    // (`parent` null): the first node equal ignoring letter case, else a new
    // last top-level node.
    ObjectNode* FindOrAddObjectNode(ObjectNode* parent, std::string_view text);

    // A new last child of `parent` (a top-level node when null), with no
    // description and no look-up for an existing one.
    ObjectNode* AddChild(ObjectNode* parent, std::string caption);
    // The same as a last sibling of `node` (a top-level node when null).
    ObjectNode* AddSibling(ObjectNode* node, std::string caption);

    // Removes the node with its subtree.
    void Delete(ObjectNode& node);
    void Clear();

    // Sorts the children of `parent` (the top level when null) by caption,
    // one level only; equal captions keep their order.
    void SortChildren(ObjectNode* parent);

    // Drops `dragged` on `target`. Refused (false, nothing changed) when the
    // target is the dragged node or lies inside its subtree.
    bool Move(ObjectNode& dragged, ObjectNode& target, DropPlace place);

    // Every node, parents before their children, siblings in order.
    std::vector<OrderedNode> NodesInOrder() const;

    // The node at a path of exact captions, or null.
    ObjectNode* FindPath(const std::vector<std::string>& path) const;

private:
    std::vector<std::unique_ptr<ObjectNode>>& SiblingsOf(ObjectNode* parent) {
        return parent == nullptr ? top_ : parent->children_;
    }
    // Takes the node out of its parent's list, handing over ownership.
    std::unique_ptr<ObjectNode> Detach(ObjectNode& node);

    std::vector<std::unique_ptr<ObjectNode>> top_;
    std::uint64_t generation_ = 0;
};

}  // namespace trellan
