#include "model/MudRoom.h"

#include <utility>

namespace trellan {

ExitStates ComputeExitStates(std::string_view exits, const ExitWords& words) {
    ExitStates states{};
    for (Direction dir : kAllDirections) {
        const std::string& word = words[dir];
        // An empty word would be "found" everywhere; it means the direction
        // has no word, so it never shows up.
        std::size_t at = exits.find(word);
        if (word.empty() || at == std::string_view::npos) continue;
        // Closed when some occurrence stands as "(" word ")"; looked for
        // without building that text, as this runs for every room read.
        states[Index(dir)] = ExitStatus::Present;
        for (; at != std::string_view::npos; at = exits.find(word, at + 1)) {
            const std::size_t after = at + word.size();
            if (at > 0 && exits[at - 1] == '(' && after < exits.size() && exits[after] == ')') {
                states[Index(dir)] = ExitStatus::ClosedDoor;
                break;
            }
        }
    }
    return states;
}

void MudRoom::SetExits(std::string text, const ExitWords& words) {
    exits_ = std::move(text);
    exitState_ = ComputeExitStates(exits_, words);
}

bool& MudRoom::Link(Direction direction) {
    switch (direction) {
        case Direction::North:
            return ChN;
        case Direction::South:
            return ChS;
        case Direction::West:
            return ChW;
        case Direction::East:
            return ChE;
        case Direction::Up:
            return ChU;
        case Direction::Down:
            break;
    }
    return ChD;
}

bool MudRoom::Link(Direction direction) const {
    return const_cast<MudRoom*>(this)->Link(direction);
}

}  // namespace trellan
