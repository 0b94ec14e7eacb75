#pragma once
// One node of the objects base: a caption and an optional description.
// A node owns its children; the tree (ObjectsTree) is the only code that
// adds, removes or moves them, so parent links always agree with ownership.
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace trellan {

class ObjectNode {
public:
    ObjectNode(std::string caption, ObjectNode* parent) : Caption(std::move(caption)), parent_(parent) {}
    // Iterative: a damaged file can nest nodes hundreds of thousands deep.
    ~ObjectNode();
    ObjectNode(const ObjectNode&) = delete;
    ObjectNode& operator=(const ObjectNode&) = delete;

    std::string Caption;
    // No description (a folder) is not the same as an empty one: only a node
    // with a description is answered by the client's search and can be sent.
    std::optional<std::vector<std::string>> Description;

    bool HasDescription() const { return Description.has_value(); }
    ObjectNode* Parent() const { return parent_; }
    const std::vector<std::unique_ptr<ObjectNode>>& Children() const { return children_; }
    bool HasChildren() const { return !children_.empty(); }
    // 0 for a top-level node. Walks up the parents.
    int Level() const;
    // True for the node itself and every node of its subtree.
    bool IsWithin(const ObjectNode& ancestor) const;
    // The captions from the top-level ancestor down to this node.
    std::vector<std::string> Path() const;

private:
    friend class ObjectsTree;

    ObjectNode* parent_;
    std::vector<std::unique_ptr<ObjectNode>> children_;
};

}  // namespace trellan
