#include "objects/ObjectsFileReader.h"

#include <charconv>
#include <optional>
#include <unordered_map>
#include <vector>

#include "common/Errors.h"
#include "objects/CaptionOrder.h"
#include "objects/ObjectsFormat.h"
#include "objects/ObjectsTree.h"
#include "text/Cp1251.h"
#include "text/TextUtils.h"

namespace trellan {

namespace {

namespace of = objects_format;

class LineCursor {
public:
    explicit LineCursor(std::string_view text) : text_(text) {}

    bool Next(std::string_view& line) {
        if (pos_ >= text_.size()) return false;
        std::size_t end = text_.find_first_of("\r\n", pos_);
        if (end == std::string_view::npos) end = text_.size();
        line = text_.substr(pos_, end - pos_);
        pos_ = end;
        if (pos_ < text_.size() && text_[pos_] == '\r') ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '\n' && (pos_ == end || text_[pos_ - 1] == '\r')) ++pos_;
        ++number_;
        return true;
    }
    int Number() const { return number_; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    int number_ = 0;
};

std::optional<int> ParseLevel(std::string_view line) {
    std::string trimmed = TrimCtl(line);
    std::string_view digits = trimmed;
    if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
    if (digits.empty()) return std::nullopt;
    int value = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

// FindOrAddObjectNode with long sibling lists answered from an index, so a
// file of many thousands of siblings reads in linear time. Within one read
// nodes are only added, and only through here, so the indexes stay true.
// Unlike FindOrAddObjectNode an empty caption is a node of its own: a node
// saved without a name must come back as itself, not merge its description
// into its parent.
class NodeFinder {
public:
    explicit NodeFinder(ObjectsTree& tree) : tree_(tree) {}

    ObjectNode* FindOrAdd(ObjectNode* parent, const std::string& caption) {
        const auto& siblings = parent == nullptr ? tree_.TopLevel() : parent->Children();
        if (siblings.size() < kIndexFrom) {
            for (const auto& child : siblings) {
                if (parent == nullptr ? SameCaptionIgnoringCase(child->Caption, caption) : child->Caption == caption) {
                    return child.get();
                }
            }
            return Add(parent, caption);
        }
        auto& index = IndexOf(parent);
        auto it = index.find(Key(parent, caption));
        return it != index.end() ? it->second : Add(parent, caption);
    }

private:
    // Short lists are searched directly; an index per list costs more.
    static constexpr std::size_t kIndexFrom = 16;
    using Index = std::unordered_map<std::string, ObjectNode*>;

    static std::string Key(ObjectNode* parent, const std::string& caption) {
        return parent == nullptr ? UpperCp1251(caption) : caption;
    }

    ObjectNode* Add(ObjectNode* parent, const std::string& caption) {
        ObjectNode* node = tree_.AddChild(parent, caption);
        if (auto it = indexes_.find(parent); it != indexes_.end()) it->second.emplace(Key(parent, caption), node);
        return node;
    }

    Index& IndexOf(ObjectNode* parent) {
        auto [it, added] = indexes_.try_emplace(parent);
        if (added) {
            const auto& siblings = parent == nullptr ? tree_.TopLevel() : parent->Children();
            // The first of equal captions is the one found.
            for (const auto& child : siblings) it->second.try_emplace(Key(parent, child->Caption), child.get());
        }
        return it->second;
    }

    ObjectsTree& tree_;
    std::unordered_map<ObjectNode*, Index> indexes_;
};

[[noreturn]] void Fail(const std::string& fileName, int line, std::string_view reason) {
    throw FileFormatError(Utf8ToCp1251(fileName) + ": line " + std::to_string(line) + ": " + std::string(reason));
}

}  // namespace

void ReadObjectsText(std::string_view text, ObjectsTree& tree, const std::string& fileName) {
    LineCursor lines(text);
    NodeFinder finder(tree);
    ObjectNode* current = nullptr;
    int currentDepth = 0;   // the depth of `current` in the tree
    int previousLevel = 0;  // the level the file gave the previous node

    std::string_view line;
    while (lines.Next(line)) {
        if (line != of::kNodeStart) continue;

        std::string_view captionLine;
        std::string_view levelLine;
        if (!lines.Next(captionLine)) Fail(fileName, lines.Number(), "the file ends after \"<node>\"");
        std::string caption(captionLine);
        if (!lines.Next(levelLine)) Fail(fileName, lines.Number(), "the file ends before the node's level");
        std::optional<int> level = ParseLevel(levelLine);
        if (!level) Fail(fileName, lines.Number(), "the level \"" + std::string(levelLine) + "\" is not a number");

        ObjectNode* parent = nullptr;
        int depth = 0;
        if (*level == 0 || current == nullptr) {
            // A top-level node, found ignoring case.
        } else if (*level == previousLevel) {
            parent = current->Parent();
            depth = currentDepth;
        } else if (*level < previousLevel) {
            ObjectNode* ancestor = current;
            int ancestorDepth = currentDepth;
            while (ancestor != nullptr && ancestorDepth > *level) {
                ancestor = ancestor->Parent();
                --ancestorDepth;
            }
            if (ancestor != nullptr) {
                parent = ancestor->Parent();
                depth = ancestorDepth;
            }
        } else {
            // However far the level jumps, the node becomes a direct child.
            parent = current;
            depth = currentDepth + 1;
        }
        current = finder.FindOrAdd(parent, caption);
        currentDepth = depth;
        previousLevel = *level;

        std::vector<std::string> description;
        while (lines.Next(line) && line.find(of::kNodeEnd) == std::string_view::npos) {
            description.emplace_back(line);
        }
        if (!description.empty()) current->Description = std::move(description);
    }
}

}  // namespace trellan
