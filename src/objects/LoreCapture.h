#pragma once
// Lore capture: the MUD's identification output for an item or a monster is
// recognised by the world's templates, filed into the objects base under
// "Предметы" or "Мобы" along the captures the sequence names, and cut out of
// the tracker's buffer so it is not taken for a room.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "objects/ObjectsConfig.h"

namespace trellan {

class ObjectsBase;
class ObjectNode;

struct LoreBlock {
    std::size_t Start = 0;   // a line start in the buffer
    std::size_t Length = 0;  // what the template consumed, never 0
    std::vector<std::string> Captures;
};

// The block of this kind the buffer holds: the template's literal prefix
// after a line break, or at the very start of the buffer. None when the
// template is empty, no start is found, the block would begin at or after
// the exits line (`autoexitStart` found in the buffer) or the template
// does not match there.
std::optional<LoreBlock> FindLoreBlock(const std::string& buffer, const LoreTemplate& lore,
                                       std::string_view autoexitStart);

// The capture numbers of a sequence, in order: up to the first empty or 0
// field; negative numbers and fields that are not numbers are skipped.
std::vector<int> LoreSequence(std::string_view sequence);

// The description of a block: its lines without colours, up to the first
// empty line, without the block's last line.
std::vector<std::string> LoreDescription(std::string_view block);

// Items first, then mobs: each kind's block, when there is one, is filed
// (as an edit, shown as the LoreNode) and cut out of the buffer. Returns
// the node of the last block filed, null when none was.
ObjectNode* CaptureLore(std::string& buffer, const ObjectsConfig& config, ObjectsBase& base);

}  // namespace trellan
