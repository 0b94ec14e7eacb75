#pragma once
// What the objects base tells the user interface around it: the tree view
// and the description box belong to the interface, the data to the base.
// The defaults do nothing, so the base runs headless and in tests.
#include <string_view>

namespace trellan {

class ObjectNode;

class ObjectsListener {
public:
    virtual ~ObjectsListener() = default;

    // Nodes were added, removed, moved, renamed or re-read: the tree view
    // rebuilds or re-syncs. Node pointers the view holds may be gone.
    virtual void TreeChanged() {}
    // Another node is about to be shown: the description box, when the user
    // modified it, is stored now (ObjectsBase::StoreDescription).
    virtual void FlushDescriptionEdit() {}
    // `node` (null: none) is now the LoreNode: select it in the tree and fill
    // the description box from it, marked as not modified.
    virtual void NodeShown(const ObjectNode* node) {}
    // A line for the debug log.
    virtual void Log(std::string_view line) {}
};

}  // namespace trellan
