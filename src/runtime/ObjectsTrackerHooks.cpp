#include "runtime/ObjectsTrackerHooks.h"

#include "objects/LoreCapture.h"
#include "objects/LoreQuery.h"

namespace trellan {

void ObjectsTrackerHooks::CaptureLore(std::string& outputBuffer, std::size_t exitsStart) {
    trellan::CaptureLore(outputBuffer, config_, base_);
}

void ObjectsTrackerHooks::SearchObjects(const std::string& query) {
    output_.SendToClient(SearchObjectsBase(base_, query, config_.AddDoubleYaLor));
}

bool ObjectsTrackerHooks::Tell(const ObjectNode& node, const std::string& word) {
    if (!node.HasDescription()) return false;
    output_.SendToServer(FormatSharedBlock(node, word, config_.AddDoubleYa));
    return true;
}

}  // namespace trellan
