#include "objects/ObjectsTree.h"

#include <algorithm>

#include "objects/CaptionOrder.h"

namespace trellan {

ObjectNode* ObjectsTree::FindOrAddObjectNode(ObjectNode* parent, std::string_view text) {
    if (text.empty()) return parent;
    for (const auto& child : SiblingsOf(parent)) {
        bool same = parent == nullptr ? SameCaptionIgnoringCase(child->Caption, text) : child->Caption == text;
        if (same) return child.get();
    }
    return AddChild(parent, std::string(text));
}

ObjectNode* ObjectsTree::AddChild(ObjectNode* parent, std::string caption) {
    auto& siblings = SiblingsOf(parent);
    siblings.push_back(std::make_unique<ObjectNode>(std::move(caption), parent));
    return siblings.back().get();
}

ObjectNode* ObjectsTree::AddSibling(ObjectNode* node, std::string caption) {
    return AddChild(node == nullptr ? nullptr : node->Parent(), std::move(caption));
}

std::unique_ptr<ObjectNode> ObjectsTree::Detach(ObjectNode& node) {
    auto& siblings = SiblingsOf(node.Parent());
    auto it = std::find_if(siblings.begin(), siblings.end(), [&](const auto& p) { return p.get() == &node; });
    std::unique_ptr<ObjectNode> owned = std::move(*it);
    siblings.erase(it);
    return owned;
}

void ObjectsTree::Delete(ObjectNode& node) {
    Detach(node);  // destroyed here with its subtree
    ++generation_;
}

void ObjectsTree::Clear() {
    top_.clear();
    ++generation_;
}

void ObjectsTree::SortChildren(ObjectNode* parent) {
    auto& siblings = SiblingsOf(parent);
    std::stable_sort(siblings.begin(), siblings.end(),
                     [](const auto& a, const auto& b) { return CompareCaptions(a->Caption, b->Caption) < 0; });
}

bool ObjectsTree::Move(ObjectNode& dragged, ObjectNode& target, DropPlace place) {
    if (target.IsWithin(dragged)) return false;
    std::unique_ptr<ObjectNode> owned = Detach(dragged);
    if (place == DropPlace::RightOfCaption) {
        owned->parent_ = &target;
        target.children_.insert(target.children_.begin(), std::move(owned));
    } else {
        auto& siblings = SiblingsOf(target.Parent());
        auto at = std::find_if(siblings.begin(), siblings.end(), [&](const auto& p) { return p.get() == &target; });
        owned->parent_ = target.Parent();
        siblings.insert(at, std::move(owned));
    }
    return true;
}

std::vector<OrderedNode> ObjectsTree::NodesInOrder() const {
    std::vector<OrderedNode> nodes;
    // Explicit stack of sibling lists and the next index in each, so that no
    // depth of nesting can exhaust the call stack.
    struct Frame {
        const std::vector<std::unique_ptr<ObjectNode>>* list;
        std::size_t next;
    };
    std::vector<Frame> stack{{&top_, 0}};
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.next >= frame.list->size()) {
            stack.pop_back();
            continue;
        }
        ObjectNode* node = (*frame.list)[frame.next++].get();
        nodes.push_back({node, static_cast<int>(stack.size()) - 1});
        if (node->HasChildren()) stack.push_back({&node->Children(), 0});
    }
    return nodes;
}

ObjectNode* ObjectsTree::FindPath(const std::vector<std::string>& path) const {
    const std::vector<std::unique_ptr<ObjectNode>>* list = &top_;
    ObjectNode* found = nullptr;
    for (const std::string& caption : path) {
        auto it = std::find_if(list->begin(), list->end(), [&](const auto& p) { return p->Caption == caption; });
        if (it == list->end()) return nullptr;
        found = it->get();
        list = &found->Children();
    }
    return found;
}

}  // namespace trellan
