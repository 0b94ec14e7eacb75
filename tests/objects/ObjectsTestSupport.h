#pragma once
// Shared pieces of the objects tests: Windows-1251 literals, a scratch
// directory, and a listener that records what the base told the interface.
#include <string>
#include <string_view>
#include <vector>

#include "objects/ObjectNode.h"
#include "objects/ObjectsListener.h"
#include "objects/ObjectsTree.h"
#include "support/TempDirectory.h"
#include "text/W1251.h"

namespace trellan::testing {

// Russian text in the sources is UTF-8; everything the program handles is
// Windows-1251.
inline std::string W(std::string_view utf8) {
    return W1251(utf8);
}

inline std::vector<std::string> Lines(std::initializer_list<std::string_view> utf8) {
    std::vector<std::string> lines;
    for (std::string_view line : utf8) lines.push_back(W(line));
    return lines;
}

using ScratchDirectory = TempDirectory;

// An objects file from lines given in UTF-8, each ended by CR LF.
inline std::string ObjectsFileBytes(std::initializer_list<std::string_view> utf8Lines) {
    std::string bytes;
    for (std::string_view line : utf8Lines) bytes += W(line) + "\r\n";
    return bytes;
}

class RecordingListener : public ObjectsListener {
public:
    void TreeChanged() override { ++treeChanges; }
    void FlushDescriptionEdit() override { ++flushes; }
    void NodeShown(const ObjectNode* node) override { shown.push_back(node); }
    void Log(std::string_view line) override { log.emplace_back(line); }

    int treeChanges = 0;
    int flushes = 0;
    std::vector<const ObjectNode*> shown;
    std::vector<std::string> log;
};

// "Предметы/Оружие/Меч" style paths, for short expectations.
inline std::string PathText(const ObjectNode& node) {
    std::string text;
    for (const std::string& caption : node.Path()) {
        if (!text.empty()) text += '/';
        text += caption;
    }
    return text;
}

// The tree as indented captions, one per line, each followed by its
// description in braces ("{}" empty, nothing when it has none), so a whole
// tree is one readable expectation. Returned in UTF-8.
inline std::string Outline(const ObjectsTree& tree) {
    std::string text;
    for (const OrderedNode& entry : tree.NodesInOrder()) {
        text += std::string(static_cast<std::size_t>(entry.Level) * 2, ' ') + entry.Node->Caption;
        if (entry.Node->Description) {
            text += " {";
            for (std::size_t i = 0; i < entry.Node->Description->size(); ++i) {
                if (i > 0) text += "|";
                text += (*entry.Node->Description)[i];
            }
            text += "}";
        }
        text += "\n";
    }
    return Cp1251ToUtf8(text);
}

}  // namespace trellan::testing
