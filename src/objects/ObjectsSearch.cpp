#include "objects/ObjectsSearch.h"

#include <string>
#include <vector>

#include "objects/ObjectsBase.h"
#include "text/Cp1251.h"

namespace trellan {

namespace {

constexpr std::string_view kLineBreak = "\r\n";

std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += kLineBreak;
        text += lines[i];
    }
    return text;
}

std::vector<std::string> Split(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (true) {
        std::size_t brk = text.find(kLineBreak, pos);
        if (brk == std::string_view::npos) {
            lines.emplace_back(text.substr(pos));
            return lines;
        }
        lines.emplace_back(text.substr(pos, brk - pos));
        pos = brk + kLineBreak.size();
    }
}

}  // namespace

std::optional<SearchMatch> ObjectsSearch::FindNext(std::string_view findText) {
    if (findText.empty()) return std::nullopt;
    const std::string wanted = UpperCp1251(findText);
    std::vector<OrderedNode> nodes = base_.Tree().NodesInOrder();

    std::size_t first = 0;
    std::size_t line = 0;
    std::size_t column = 0;
    // A position in a node deleted since (or a cleared tree) is forgotten.
    if (node_ != nullptr && generation_ == base_.Tree().Generation()) {
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            if (nodes[i].Node == node_) {
                first = i;
                line = line_;
                column = column_;
                break;
            }
        }
    }

    for (std::size_t i = first; i < nodes.size(); ++i, line = 0, column = 0) {
        ObjectNode* node = nodes[i].Node;
        if (!node->Description) continue;
        const std::vector<std::string>& lines = *node->Description;
        for (; line < lines.size(); ++line, column = 0) {
            if (column >= lines[line].size()) continue;
            std::size_t found = UpperCp1251(std::string_view(lines[line]).substr(column)).find(wanted);
            if (found == std::string::npos) continue;

            SearchMatch match;
            match.Node = node;
            match.Line = line;
            match.Column = column + found;
            for (std::size_t k = 0; k < line; ++k) match.SelectionStart += lines[k].size() + kLineBreak.size();
            match.SelectionStart += match.Column;
            match.SelectionLength = findText.size();

            node_ = node;
            generation_ = base_.Tree().Generation();
            line_ = line;
            column_ = match.Column + findText.size();
            base_.ShowFoundNode(*node);
            return match;
        }
    }
    node_ = nullptr;
    return std::nullopt;
}

std::optional<SearchMatch> ObjectsSearch::Replace(std::size_t selectionStart, std::size_t selectionLength,
                                                  std::string_view findText, std::string_view replacement) {
    ObjectNode* node = base_.LoreNode();
    // A node without a description has nothing to replace in; storing the
    // empty text would give it one.
    if (node != nullptr && node->Description) {
        std::string text = Join(*node->Description);
        if (selectionLength > 0 && selectionStart < text.size()) {
            // The position stays just after the replaced text.
            long long moved = static_cast<long long>(column_) + static_cast<long long>(replacement.size()) -
                              static_cast<long long>(findText.size());
            column_ = moved > 0 ? static_cast<std::size_t>(moved) : 0;
            text.replace(selectionStart, selectionLength, replacement);
        }
        base_.StoreDescription(Split(text));
        base_.ShowNode(node);
    }
    return FindNext(findText);
}

int ObjectsSearch::ReplaceAll(std::string_view findText, std::string_view replacement) {
    if (findText.empty()) return 0;
    const std::string wanted = UpperCp1251(findText);
    const std::string upperReplacement = UpperCp1251(replacement);
    int count = 0;
    for (const OrderedNode& entry : base_.Tree().NodesInOrder()) {
        if (!entry.Node->Description) continue;
        for (std::string& line : *entry.Node->Description) {
            std::string upper = UpperCp1251(line);
            std::size_t pos = 0;
            while ((pos = upper.find(wanted, pos)) != std::string::npos) {
                line.replace(pos, findText.size(), replacement);
                upper.replace(pos, findText.size(), upperReplacement);
                pos += replacement.size();
                ++count;
            }
        }
    }
    base_.ReplacedInDescriptions(count > 0);
    return count;
}

}  // namespace trellan
