#include "objects/ObjectsSharing.h"

#include "objects/ObjectNode.h"
#include "objects/ObjectsBase.h"
#include "text/TextUtils.h"

namespace trellan {

namespace {

namespace sf = sharing_format;

constexpr std::string_view kLineBreak = "\r\n";

std::string DoubleYa(std::string_view text, bool addDoubleYa) {
    return addDoubleYa ? ReplaceAll(text, "\xFF", "\xFF\xFF") : std::string(text);
}

}  // namespace

std::string FormatSharedBlock(const ObjectNode& node, std::string_view word, bool addDoubleYa) {
    std::string lead = std::string(word) + " " + std::string(sf::kLinePrefix);
    auto line = [&](std::string_view payload) { return lead + std::string(payload) + std::string(kLineBreak); };

    std::string path;
    for (const std::string& caption : node.Path()) {
        if (!path.empty()) path += '.';
        path += caption;
    }
    std::string text = line(sf::kBeginMarker) + line(DoubleYa(path, addDoubleYa));
    if (node.Description) {
        for (const std::string& description : *node.Description) text += line(DoubleYa(description, addDoubleYa));
    }
    text += line(sf::kEndMarker);
    return text;
}

void SharedObjectsReceiver::Reset() {
    receiving_ = false;
    trailing_ = 0;
    loreLines_.clear();
    loreBytes_ = 0;
}

ObjectNode* SharedObjectsReceiver::Receive(std::string& buffer, ObjectsBase& base) {
    ObjectNode* filed = nullptr;
    std::size_t from = 0;
    while (true) {
        std::size_t mark = buffer.find(sf::kLinePrefix, from);
        if (mark == std::string::npos) break;
        std::size_t lineFeed = buffer.find('\n', mark);
        if (lineFeed == std::string::npos) break;
        std::size_t textStart = mark + sf::kLinePrefix.size();
        std::size_t end = lineFeed;
        if (end > textStart && buffer[end - 1] == '\r') --end;
        std::string text = textStart < end ? buffer.substr(textStart, end - textStart) : std::string();
        buffer.erase(mark, end - mark);
        from = mark;
        if (ObjectNode* node = Take(std::move(text), base)) filed = node;
    }
    return filed;
}

ObjectNode* SharedObjectsReceiver::Take(std::string text, ObjectsBase& base) {
    StripAnsiColors(text);
    if (std::size_t begin = text.find(sf::kBeginMarker); begin != std::string::npos) {
        Reset();
        receiving_ = true;
        trailing_ = text.size() - (begin + sf::kBeginMarker.size());
        return nullptr;
    }
    if (text.find(sf::kEndMarker) != std::string::npos) {
        ObjectNode* node = receiving_ ? ParseLore(base) : nullptr;
        Reset();
        return node;
    }
    if (!receiving_) return nullptr;
    text.resize(text.size() > trailing_ ? text.size() - trailing_ : 0);
    loreBytes_ += text.size();
    if (loreLines_.size() >= MaxLines || loreBytes_ > MaxBytes) {
        base.Listener().Log("Shared objects: a block without an end marker was dropped");
        Reset();
        return nullptr;
    }
    loreLines_.push_back(std::move(text));
    return nullptr;
}

ObjectNode* SharedObjectsReceiver::ParseLore(ObjectsBase& base) {
    if (loreLines_.empty()) return nullptr;
    ObjectNode* node = nullptr;
    const std::string& path = loreLines_.front();
    std::size_t pos = 0;
    while (pos <= path.size()) {
        std::size_t dot = path.find('.', pos);
        if (dot == std::string::npos) dot = path.size();
        // An empty piece leaves the node where it is.
        node = base.Tree().FindOrAddObjectNode(node, std::string_view(path).substr(pos, dot - pos));
        pos = dot + 1;
    }
    std::vector<std::string> description(std::make_move_iterator(loreLines_.begin() + 1),
                                         std::make_move_iterator(loreLines_.end()));
    loreLines_.clear();
    loreBytes_ = 0;
    if (node == nullptr) {
        base.Listener().Log("Shared objects: a block without a path was dropped");
        return nullptr;
    }
    base.FileDescription(*node, std::move(description));
    return node;
}

}  // namespace trellan
