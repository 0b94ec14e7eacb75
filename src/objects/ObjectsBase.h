#pragma once
// The objects base of the current world: the tree, the node whose
// description is being shown (LoreNode), the two change flags, and the
// file it belongs to. The user interface calls these operations and shows
// the result; the base never asks the user anything.
//
// The base is bound to one world directory by OpenWorld and writes only
// that world's "objects.dat", whatever file was merged in and whatever world
// is current later; only the next OpenWorld binds it elsewhere.
#include <string>
#include <string_view>
#include <vector>

#include "objects/ObjectsListener.h"
#include "objects/ObjectsTree.h"

namespace trellan {

class ObjectsBase {
public:
    // `listener` (may be null) must outlive the base.
    explicit ObjectsBase(ObjectsListener* listener = nullptr);
    ObjectsBase(const ObjectsBase&) = delete;
    ObjectsBase& operator=(const ObjectsBase&) = delete;

    void SetListener(ObjectsListener* listener);
    ObjectsListener& Listener() { return *listener_; }

    ObjectsTree& Tree() { return tree_; }
    const ObjectsTree& Tree() const { return tree_; }
    ObjectNode* LoreNode() const { return loreNode_; }
    // False once anything was changed since the last read or save: closing
    // then asks (GUI) or saves (headless).
    bool ObjectsUnchanged() const { return objectsUnchanged_; }
    // Saving the world saves the base too while this is set.
    bool SaveObjectsWithWorld() const { return saveObjectsWithWorld_; }
    // The file the last read or merge used.
    const std::string& ObjectsFile() const { return objectsFile_; }
    // The world directory the base belongs to (UTF-8), empty before a world.
    const std::string& WorldDirectory() const { return worldDirectory_; }
    // Its "objects.dat", empty before a world is opened.
    std::string WorldObjectsFile() const;

    // --- with the world -----------------------------------------------
    // Loading a world begins: the tree is emptied, nothing counts as changed
    // (a changed base was saved with the old world, or is given up) and the
    // base belongs to no world until OpenWorld.
    void ResetForWorldLoad();
    // Loading a world ends: the base is emptied, bound to the world's
    // directory and its objects file is read. Throws FileFormatError like
    // Discard.
    void OpenWorld(const std::string& worldDirectory);
    // Saving the world: the base is saved when SaveObjectsWithWorld.
    void SaveWithWorld();
    // Closing without anyone to ask: a changed base is saved. True when it
    // was written.
    bool SaveIfChanged();
    // The user chose not to save on closing: nothing counts as changed.
    void ForgetChanges() {
        objectsUnchanged_ = true;
        saveObjectsWithWorld_ = false;
    }

    // --- the file -------------------------------------------------------
    // Empties the tree and reads the world's objects file again; a missing
    // file changes nothing. A damaged file (FileFormatError) leaves the nodes
    // read before the damage; the next save keeps the damaged file beside
    // the new one as "objects.dat.damaged", since it holds nodes the tree
    // does not.
    void Discard();
    // Adds the nodes of another file of the same format (same paths update
    // descriptions). A missing file changes nothing.
    void Merge(const std::string& path);
    // Writes the whole tree to the world's objects file; false when no world
    // is open. Throws FileWriteError, leaving the flags as they were.
    bool Save();

    // --- descriptions ---------------------------------------------------
    // A click: the box is stored into the old LoreNode, then `node` shown.
    void SelectNode(ObjectNode* node);
    // `node` becomes the LoreNode and is shown; the box is not stored.
    void ShowNode(ObjectNode* node);
    // The box's lines into LoreNode (which gets a description if it had
    // none), as an edit. Nothing without a LoreNode.
    void StoreDescription(std::vector<std::string> lines);
    // Files a description that arrived from the MUD (lore capture, a shared
    // entry): `node` is selected, gets the lines as an edit and is shown.
    void FileDescription(ObjectNode& node, std::vector<std::string> lines);
    // The searches of the description box: a find shows its match without
    // storing the box and stops saving with the world; a replace-all marks
    // the base changed (when it replaced anything) without saving it with the
    // world, and shows the LoreNode again.
    void ShowFoundNode(ObjectNode& node);
    void ReplacedInDescriptions(bool anyReplaced);

    // --- the tree -------------------------------------------------------
    // A new empty node after the last sibling of `selected` (top level when
    // null), selected and shown.
    ObjectNode* AddNode(ObjectNode* selected);
    // A new empty last child of `selected` (top level when null).
    ObjectNode* AddBranch(ObjectNode* selected);
    // The node and its subtree go, descriptions included; LoreNode is none.
    void DeleteNode(ObjectNode& node);
    // The children of `node` (the top level when null), one level deep.
    void SortChildren(ObjectNode* node);
    void RenameNode(ObjectNode& node, std::string caption);
    // Drag and drop; false when refused (onto itself or its own subtree).
    bool MoveNode(ObjectNode& dragged, ObjectNode& target, DropPlace place);

private:
    // Changes of the tree or a description count as edits: they are saved
    // with the world and asked about on closing.
    void MarkEdited();
    void ReadFile(const std::string& path, bool worldFile);

    ObjectsListener defaultListener_;
    ObjectsListener* listener_;
    ObjectsTree tree_;
    ObjectNode* loreNode_ = nullptr;
    bool objectsUnchanged_ = true;
    bool saveObjectsWithWorld_ = false;
    std::string worldDirectory_;
    std::string objectsFile_;
    // The world's file stopped reading at damage: keep a copy before saving.
    bool keepDamagedFile_ = false;
};

}  // namespace trellan
