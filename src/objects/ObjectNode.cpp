#include "objects/ObjectNode.h"

#include <algorithm>

namespace trellan {

ObjectNode::~ObjectNode() {
    std::vector<std::unique_ptr<ObjectNode>> pending = std::move(children_);
    while (!pending.empty()) {
        std::unique_ptr<ObjectNode> node = std::move(pending.back());
        pending.pop_back();
        for (auto& child : node->children_) pending.push_back(std::move(child));
        node->children_.clear();
    }
}

int ObjectNode::Level() const {
    int level = 0;
    for (const ObjectNode* up = parent_; up != nullptr; up = up->parent_) ++level;
    return level;
}

bool ObjectNode::IsWithin(const ObjectNode& ancestor) const {
    for (const ObjectNode* node = this; node != nullptr; node = node->parent_) {
        if (node == &ancestor) return true;
    }
    return false;
}

std::vector<std::string> ObjectNode::Path() const {
    std::vector<std::string> path;
    for (const ObjectNode* node = this; node != nullptr; node = node->parent_) path.push_back(node->Caption);
    std::reverse(path.begin(), path.end());
    return path;
}

}  // namespace trellan
