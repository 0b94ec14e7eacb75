#include "objects/ObjectsBase.h"

#include <optional>

#include "common/Errors.h"
#include "common/FileIo.h"
#include "objects/ObjectsFileReader.h"
#include "objects/ObjectsFileWriter.h"
#include "objects/ObjectsFormat.h"
#include "text/Cp1251.h"

namespace trellan {

namespace {

constexpr std::string_view kDamagedSuffix = ".damaged";

}  // namespace

ObjectsBase::ObjectsBase(ObjectsListener* listener) : listener_(listener ? listener : &defaultListener_) {}

void ObjectsBase::SetListener(ObjectsListener* listener) {
    listener_ = listener ? listener : &defaultListener_;
}

std::string ObjectsBase::WorldObjectsFile() const {
    if (worldDirectory_.empty()) return std::string();
    return worldDirectory_ + "/" + std::string(objects_format::kFileName);
}

void ObjectsBase::ResetForWorldLoad() {
    // Until OpenWorld binds the base again nothing is written: a load that
    // fails half-way must not let this tree overwrite either world's file.
    worldDirectory_.clear();
    objectsUnchanged_ = true;
    saveObjectsWithWorld_ = false;
    keepDamagedFile_ = false;
    loreNode_ = nullptr;
    tree_.Clear();
    listener_->NodeShown(nullptr);
    listener_->TreeChanged();
}

void ObjectsBase::OpenWorld(const std::string& worldDirectory) {
    ResetForWorldLoad();
    worldDirectory_ = worldDirectory;
    Discard();
}

void ObjectsBase::SaveWithWorld() {
    if (saveObjectsWithWorld_) Save();
}

bool ObjectsBase::SaveIfChanged() {
    if (objectsUnchanged_ && !saveObjectsWithWorld_) return false;
    return Save();
}

void ObjectsBase::Discard() {
    objectsFile_ = WorldObjectsFile();
    if (objectsFile_.empty() || !FileExists(objectsFile_)) return;
    loreNode_ = nullptr;
    tree_.Clear();
    saveObjectsWithWorld_ = false;
    keepDamagedFile_ = false;
    listener_->NodeShown(nullptr);
    ReadFile(objectsFile_, true);
    objectsUnchanged_ = true;
}

void ObjectsBase::Merge(const std::string& path) {
    objectsFile_ = path;
    if (!FileExists(path)) return;
    listener_->FlushDescriptionEdit();
    // The merged nodes are not in the world's file yet: they count as a
    // change until saved, or closing would drop them without a word.
    objectsUnchanged_ = false;
    saveObjectsWithWorld_ = true;
    ReadFile(path, false);
    if (loreNode_ != nullptr) listener_->NodeShown(loreNode_);
}

void ObjectsBase::ReadFile(const std::string& path, bool worldFile) {
    std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) throw FileFormatError("Unable to read " + Utf8ToCp1251(path));
    try {
        ReadObjectsText(*bytes, tree_, path);
    } catch (const FileFormatError&) {
        if (worldFile) keepDamagedFile_ = true;
        listener_->TreeChanged();
        throw;
    }
    listener_->TreeChanged();
}

bool ObjectsBase::Save() {
    std::string path = WorldObjectsFile();
    if (path.empty()) {
        listener_->Log("Objects base: no world is open, nothing saved");
        return false;
    }
    if (keepDamagedFile_) {
        if (std::optional<std::string> damaged = ReadWholeFile(path)) {
            WriteFileAtomically(path + std::string(kDamagedSuffix), *damaged);
            listener_->Log("Objects base: the damaged " + Utf8ToCp1251(path) + " kept as " +
                           std::string(objects_format::kFileName) + std::string(kDamagedSuffix));
        }
        keepDamagedFile_ = false;
    }
    ObjectsText text = FormatObjectsText(tree_);
    for (const std::string& line : text.Adjusted) listener_->Log("Objects base: " + line);
    WriteFileAtomically(path, text.Bytes);
    saveObjectsWithWorld_ = false;
    objectsUnchanged_ = true;
    return true;
}

void ObjectsBase::SelectNode(ObjectNode* node) {
    listener_->FlushDescriptionEdit();
    ShowNode(node);
}

void ObjectsBase::ShowNode(ObjectNode* node) {
    loreNode_ = node;
    listener_->NodeShown(node);
}

void ObjectsBase::StoreDescription(std::vector<std::string> lines) {
    if (loreNode_ == nullptr) return;
    loreNode_->Description = std::move(lines);
    MarkEdited();
}

void ObjectsBase::FileDescription(ObjectNode& node, std::vector<std::string> lines) {
    listener_->FlushDescriptionEdit();
    loreNode_ = &node;
    node.Description = std::move(lines);
    MarkEdited();
    listener_->TreeChanged();
    listener_->NodeShown(&node);
}

void ObjectsBase::ShowFoundNode(ObjectNode& node) {
    saveObjectsWithWorld_ = false;
    ShowNode(&node);
}

void ObjectsBase::ReplacedInDescriptions(bool anyReplaced) {
    if (anyReplaced) objectsUnchanged_ = false;
    saveObjectsWithWorld_ = false;
    ShowNode(loreNode_);
}

ObjectNode* ObjectsBase::AddNode(ObjectNode* selected) {
    listener_->FlushDescriptionEdit();
    ObjectNode* node = tree_.AddSibling(selected, std::string());
    MarkEdited();
    listener_->TreeChanged();
    ShowNode(node);
    return node;
}

ObjectNode* ObjectsBase::AddBranch(ObjectNode* selected) {
    listener_->FlushDescriptionEdit();
    ObjectNode* node = tree_.AddChild(selected, std::string());
    MarkEdited();
    listener_->TreeChanged();
    ShowNode(node);
    return node;
}

void ObjectsBase::DeleteNode(ObjectNode& node) {
    loreNode_ = nullptr;
    tree_.Delete(node);
    MarkEdited();
    listener_->TreeChanged();
    listener_->NodeShown(nullptr);
}

void ObjectsBase::SortChildren(ObjectNode* node) {
    tree_.SortChildren(node);
    MarkEdited();
    listener_->TreeChanged();
}

void ObjectsBase::RenameNode(ObjectNode& node, std::string caption) {
    if (node.Caption == caption) return;
    node.Caption = std::move(caption);
    MarkEdited();
    listener_->TreeChanged();
}

bool ObjectsBase::MoveNode(ObjectNode& dragged, ObjectNode& target, DropPlace place) {
    if (!tree_.Move(dragged, target, place)) return false;
    MarkEdited();
    listener_->TreeChanged();
    return true;
}

void ObjectsBase::MarkEdited() {
    objectsUnchanged_ = false;
    saveObjectsWithWorld_ = true;
}

}  // namespace trellan
