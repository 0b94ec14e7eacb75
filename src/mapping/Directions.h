#pragma once
// Directions travel as texts: one of the six movement commands or, where a
// caller says so, one of the six direction phrases. These helpers turn them
// into grid steps and link flags.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "mapping/MappingConfig.h"
#include "model/MudRoom.h"

namespace trellan {

// The direction of a movement command (the first of the six equal to it),
// or none for any other text.
std::optional<Direction> CommandDirection(std::string_view d, const MappingConfig& config);
// The direction of a movement command or, failing that, of a direction
// phrase; none for any other text.
std::optional<Direction> TextDirection(std::string_view d, const MappingConfig& config);

// The opposite movement command of a command and, independently, the
// opposite phrase of a phrase; any other text (the portal command) is its
// own opposite.
std::string Opposite(std::string_view d, const MappingConfig& config);

// One step in the direction of a movement command; any other text leaves
// the position alone. Steps wrap at the ends of the integer range instead
// of overflowing.
void ReposXYL(std::string_view d, std::int32_t& x, std::int32_t& y, std::int32_t& l, const MappingConfig& config);
// One step in a direction (wrapping likewise).
void StepCell(Direction direction, std::int32_t& x, std::int32_t& y, std::int32_t& l);

// Whether the room has walked the command: its link flag for a movement
// command is set, or the command is the portal command.
bool WasStep(const MudRoom& room, std::string_view d, const MappingConfig& config);

// The direction phrase of a movement command or phrase; any other text as
// it stands (a portal word is an exit of its own).
std::string DirectionPhrase(std::string_view d, const MappingConfig& config);

// The exits text of a corridor cell running along the direction's axis:
// north-south N+S, up-down U+D, west-east W+E (as SetLink lays it, WestFirst) or E+W
// (as a block shift lays it, EastFirst).
enum class CorridorWordOrder { WestFirst, EastFirst };
std::string CorridorExits(Direction direction, const MappingConfig& config, CorridorWordOrder order);

}  // namespace trellan
