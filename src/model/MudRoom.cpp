#include "model/MudRoom.h"

#include <utility>

namespace trellan {

ExitStates ComputeExitStates(std::string_view exits, const ExitWords& words) {
    ExitStates states{};
    for (int dir = 0; dir < kDirectionCount; ++dir) {
        const std::string& word = words[dir];
        // An empty word would be "found" everywhere; it means the direction
        // has no word, so it never shows up.
        if (word.empty() || exits.find(word) == std::string_view::npos) continue;
        const std::string closed = "(" + word + ")";
        states[dir] = exits.find(closed) != std::string_view::npos ? 2 : 1;
    }
    return states;
}

void MudRoom::SetExits(std::string text, const ExitWords& words) {
    exits_ = std::move(text);
    exitState_ = ComputeExitStates(exits_, words);
}

bool& MudRoom::Link(int direction) {
    switch (direction) {
        case kDirNorth:
            return ChN;
        case kDirSouth:
            return ChS;
        case kDirWest:
            return ChW;
        case kDirEast:
            return ChE;
        case kDirUp:
            return ChU;
        default:
            return ChD;
    }
}

bool MudRoom::Link(int direction) const {
    return const_cast<MudRoom*>(this)->Link(direction);
}

}  // namespace trellan
