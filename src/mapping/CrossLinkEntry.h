#pragma once
// A cross-link entry is one line of a room's AutoMaps: "zone|exit|number"
// with an optional fourth field, the command sent to the MUD. The exit is a
// direction phrase or another exit text (a portal word). These helpers read
// and rewrite entries without disturbing the fields they do not change.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "mapping/MappingConfig.h"
#include "model/MudRoom.h"

namespace trellan {

struct CrossLinkEntry {
    std::string Zone;
    std::string Exit;
    std::string Number;  // as written; see RoomNumber
    // Everything after the third field, with its leading bar ("" or "|cmd").
    std::string Rest;

    static CrossLinkEntry Parse(std::string_view entry);
    // The room number, or nothing when the field is not a 32-bit decimal
    // number (leading blanks and a sign are allowed).
    std::optional<std::int32_t> RoomNumber() const;
};

// The index of the room's first entry that names a zone and whose exit
// belongs to the direction `d`, a movement command or a direction phrase:
// the exit equals `d` or the phrase of d's direction. Any other text (a
// portal word) matches only itself. -1 when there is none.
int FindCrossLink(const MudRoom& room, std::string_view d, const MappingConfig& config);

// The same for a direction.
int FindCrossLink(const MudRoom& room, Direction direction, const MappingConfig& config);

// The entry pointing at room `number` of `zone` through `exit`, keeping the
// command field of `previous` when it has one.
std::string RewriteCrossLink(std::string_view previous, std::string_view zone, std::string_view exit,
                             std::int32_t number);

}  // namespace trellan
