#pragma once
// The texts of the speedwalk and the room search: the localised messages
// the user interface shows and the coloured lines the player's client gets.
#include <string>
#include <string_view>
#include <vector>

namespace trellan {

class Localisation;

// "Спидволк сюда невозможен." (section MainForm, key SpeedwalkUnabled); the
// built-in default when there are no captions. Throws FileWriteError when
// the localisation file cannot take the new key.
std::string SpeedwalkUnabledText(Localisation* captions);
// "Поле не найдено." (section MainForm, key RoomNotFound).
std::string RoomNotFoundText(Localisation* captions);

// The client's line for a walk that cannot be found while tracing.
inline constexpr std::string_view kSpeedwalkUnabledLine =
    "\r\n\x1B[1;33m<Trellan> : Speedwalk \x1B[1;32munabled\x1B[0m\r\n";

// The client's lines for one batch, the batch text with its ";" separators.
std::string SpeedwalkSentLine(std::string_view batch);

// The client's line for a walk that would stop at a closed door with no
// door command stored for it; the walk waits for the command again.
std::string ClosedDoorLine(std::string_view room, std::string_view phrase);

// The answers to the speedwalk command that walks nowhere, coloured lines
// localised in section MainForm (keys NoAliases, UnknownAlias, AlreadyHere,
// PositionUnknown): the world has no aliases (`setAlias` is the player's
// set-alias word); no room has `alias` (the closest aliases follow); the
// player stands in the alias's room already; there is no position to walk
// from.
std::string NoAliasesLine(Localisation* captions, std::string_view setAlias);
std::string UnknownAliasLine(Localisation* captions, std::string_view alias, const std::vector<std::string>& closest);
std::string AlreadyHereLine(Localisation* captions, std::string_view alias);
std::string PositionUnknownLine(Localisation* captions);

// One line of the alias list: alias, zone and room name.
std::string AliasListLine(std::string_view alias, std::string_view zone, std::string_view name);

}  // namespace trellan
