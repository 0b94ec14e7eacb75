#include "objects/LoreQuery.h"

#include "objects/ObjectsBase.h"
#include "text/Cp1251.h"
#include "text/TextUtils.h"

namespace trellan {

namespace {

constexpr std::string_view kResultsHeader = "\r\n\x1B[1;32mDatabase search result:\x1B[0m\r\n\r\n";
constexpr std::string_view kHitEnd = "-----\r\n";
constexpr std::string_view kNoResults = "\r\n\x1B[1;31mDatabase search has no results\r\n";

}  // namespace

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

std::string SearchObjectsBase(ObjectsBase& base, std::string_view query, bool addDoubleYaLor) {
    std::string answer;
    bool found = false;
    for (const OrderedNode& entry : base.Tree().NodesInOrder()) {
        ObjectNode& node = *entry.Node;
        if (!IsLoreHit(node, query)) continue;
        base.SelectNode(&node);
        if (!found) answer += kResultsHeader;
        found = true;
        for (const std::string& line : *node.Description) {
            answer += addDoubleYaLor ? ReplaceAll(line, "\xFF", "\xFF\xFF") : line;
            answer += "\r\n";
        }
        answer += kHitEnd;
    }
    return found ? answer : std::string(kNoResults);
}

}  // namespace trellan
