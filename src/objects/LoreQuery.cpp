#include "objects/LoreQuery.h"

#include "objects/ObjectsBase.h"
#include "text/Cp1251.h"
#include "text/TextUtils.h"

namespace trellan {

namespace {

constexpr std::string_view kResultsHeader = "\r\n\x1B[1;32mDatabase search result:\x1B[0m\r\n\r\n";
constexpr std::string_view kHitEnd = "-----\r\n";
constexpr std::string_view kNoResults = "\r\n\x1B[1;31mDatabase search has no results\r\n";

// Letters and digits of Windows-1251: ASCII ones, "Ё", "ё" and А..я.
bool IsWordByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
           byte == 0xA8 || byte == 0xB8 || byte >= 0xC0;
}

}  // namespace

bool IsWholeWordHit(const ObjectNode& node, std::string_view word) {
    if (!node.Description || word.empty()) return false;
    const std::string caption = UpperCp1251(node.Caption);
    const std::string wanted = UpperCp1251(word);
    for (std::size_t at = caption.find(wanted); at != std::string::npos; at = caption.find(wanted, at + 1)) {
        const std::size_t end = at + wanted.size();
        if ((at == 0 || !IsWordByte(caption[at - 1])) && (end == caption.size() || !IsWordByte(caption[end]))) {
            return true;
        }
    }
    return false;
}

LoreHits FindLoreHits(ObjectsBase& base, std::string_view query) {
    LoreHits hits;
    for (const OrderedNode& entry : base.Tree().NodesInOrder()) {
        if (IsLoreHit(*entry.Node, query)) hits.Nodes.push_back(entry.Node);
    }
    if (!hits.Nodes.empty() || query.find('*') != std::string_view::npos) return hits;
    const std::string word = TrimCtl(query);
    for (const OrderedNode& entry : base.Tree().NodesInOrder()) {
        if (IsWholeWordHit(*entry.Node, word)) hits.Nodes.push_back(entry.Node);
    }
    if (!hits.Nodes.empty()) hits.How = LoreMatch::WholeWord;
    return hits;
}

bool IsLoreHit(const ObjectNode& node, std::string_view query) {
    if (!node.Description) return false;
    if (node.Caption == query) return true;
    if (!query.empty() && query.front() == '*') {
        if (UpperCp1251(node.Caption).find(UpperCp1251(query.substr(1))) != std::string::npos) return true;
    }
    if (!query.empty() && query.back() == '*') {
        std::string start = UpperCp1251(query.substr(0, query.size() - 1));
        if (UpperCp1251(node.Caption).compare(0, start.size(), start) == 0) return true;
    }
    return false;
}

std::string SearchObjectsBase(ObjectsBase& base, std::string_view query, bool addDoubleYaLor,
                              std::string_view wholeWordNote) {
    LoreHits hits = FindLoreHits(base, query);
    if (hits.Nodes.empty()) return std::string(kNoResults);
    std::string answer(kResultsHeader);
    if (hits.How == LoreMatch::WholeWord && !wholeWordNote.empty()) {
        answer += "\x1B[1;33m" + std::string(wholeWordNote) + "\x1B[0m\r\n\r\n";
    }
    for (ObjectNode* hit : hits.Nodes) {
        ObjectNode& node = *hit;
        base.SelectNode(&node);
        for (const std::string& line : *node.Description) {
            answer += addDoubleYaLor ? ReplaceAll(line, "\xFF", "\xFF\xFF") : line;
            answer += "\r\n";
        }
        answer += kHitEnd;
    }
    return answer;
}

}  // namespace trellan
