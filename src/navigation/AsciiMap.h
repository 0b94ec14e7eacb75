#pragma once
// The map around the player as plain text, for a terminal client: a grid of
// cells centred on one room of the shown zone, north at the top. A room is
// "[ ]", the player's room "[@]"; "^", "v" or "%" inside a room mark links
// up, down or both; "-" and "|" between rooms are links, "#" a closed door;
// a corridor cell is "---", " | " or "-+-"; " . " is a cell with a room one
// level up or down and none on this level. Lines are ASCII, no line ends.
#include <string>
#include <vector>

namespace trellan {

class MudRoom;
class World;

struct AsciiMapSize {
    int Columns = 11;  // west to east, odd so the centre is a cell
    int Rows = 7;      // north to south
};

// Each cell is four characters wide (the room and the link east of it) and
// two lines high (the room and the link south of it), with one more column
// and line for the links west and north of the first ones: 45 columns and
// 15 lines for the default size. `centre` is a room of the shown zone and
// stands in the middle; `player` (may be null or elsewhere) is drawn "@".
std::vector<std::string> RenderAsciiMap(const World& world, const MudRoom& centre, const MudRoom* player,
                                        AsciiMapSize size = {});

}  // namespace trellan
