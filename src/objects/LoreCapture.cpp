#include "objects/LoreCapture.h"

#include <charconv>

#include "objects/ObjectsBase.h"
#include "text/Pattern.h"
#include "text/TextUtils.h"

namespace trellan {

namespace {

constexpr std::string_view kLineBreak = "\r\n";

std::optional<int> FieldNumber(std::string_view field) {
    std::string trimmed = TrimCtl(field);
    int value = 0;
    auto [end, error] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
    if (error != std::errc() || end != trimmed.data() + trimmed.size()) return std::nullopt;
    return value;
}

}  // namespace

std::optional<LoreBlock> FindLoreBlock(const std::string& buffer, const LoreTemplate& lore,
                                       std::string_view autoexitStart) {
    if (lore.Template.empty() || buffer.empty()) return std::nullopt;
    std::string prefix = PatternPrefix(lore.Template);

    std::size_t start = buffer.find(std::string(kLineBreak) + prefix);
    if (start != std::string::npos) {
        start += kLineBreak.size();
    } else if (buffer.compare(0, prefix.size(), prefix) == 0) {
        start = 0;
    } else {
        return std::nullopt;
    }
    if (!autoexitStart.empty()) {
        std::size_t exits = buffer.find(autoexitStart);
        if (exits != std::string::npos && start >= exits) return std::nullopt;
    }

    LoreBlock block;
    block.Start = start;
    std::string subject = buffer.substr(start);
    int consumed = MatchPattern(subject, lore.Template, block.Captures);
    if (consumed <= 0) return std::nullopt;
    block.Length = static_cast<std::size_t>(consumed);
    return block;
}

std::vector<int> LoreSequence(std::string_view sequence) {
    std::vector<int> numbers;
    std::size_t pos = 0;
    while (true) {
        std::size_t comma = sequence.find(',', pos);
        std::string_view field = sequence.substr(pos, comma == std::string_view::npos ? comma : comma - pos);
        if (field.empty()) break;
        std::optional<int> n = FieldNumber(field);
        if (n && *n == 0) break;
        if (n && *n > 0) numbers.push_back(*n);
        if (comma == std::string_view::npos) break;
        pos = comma + 1;
    }
    return numbers;
}

std::vector<std::string> LoreDescription(std::string_view block) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (true) {
        std::size_t brk = block.find(kLineBreak, pos);
        // The text after the last line break, or from the first empty line
        // on, is the block's final piece and is dropped.
        if (brk == std::string_view::npos) break;
        std::string line(block.substr(pos, brk - pos));
        StripAnsiColors(line);
        if (line.empty()) break;
        lines.push_back(std::move(line));
        pos = brk + kLineBreak.size();
    }
    return lines;
}

ObjectNode* CaptureLore(std::string& buffer, const ObjectsConfig& config, ObjectsBase& base) {
    ObjectNode* filed = nullptr;
    for (const LoreTemplate* lore : {&config.Items, &config.Mobs}) {
        std::optional<LoreBlock> block = FindLoreBlock(buffer, *lore, config.AutoexitStart);
        if (!block) continue;

        ObjectsTree& tree = base.Tree();
        ObjectNode* node = tree.FindOrAddObjectNode(nullptr, lore->Root);
        for (int n : LoreSequence(lore->Sequence)) {
            if (static_cast<std::size_t>(n) > block->Captures.size()) continue;
            std::string caption = block->Captures[n - 1];
            StripAnsiColors(caption);
            node = tree.FindOrAddObjectNode(node, caption);
        }
        base.FileDescription(*node, LoreDescription(std::string_view(buffer).substr(block->Start, block->Length)));
        base.Listener().Log("CaptureLore: " + lore->Root + ", " + std::to_string(block->Length) + " bytes");
        buffer.erase(block->Start, block->Length);
        filed = node;
    }
    return filed;
}

}  // namespace trellan
