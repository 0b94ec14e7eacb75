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
    if (config_.Charset == ServerCharset::Windows1251) {
        output_.SendToServer(FormatSharedBlock(node, word, config_.AddDoubleYa));
    } else {
        // Doubled after the conversion, where 0xFF is another letter or none.
        output_.SendToServer(ToServerCharset(FormatSharedBlock(node, word, false), config_.Charset, config_.AddDoubleYa));
    }
    return true;
}

}  // namespace trellan
