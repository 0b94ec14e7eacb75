#include "mapping/Directions.h"

namespace trellan {

int CommandDirection(std::string_view d, const MappingConfig& config) {
    for (int dir = 0; dir < kDirectionCount; ++dir) {
        if (d == config.MoveCommands[dir]) return dir;
    }
    return -1;
}

namespace {

int PhraseDirection(std::string_view d, const MappingConfig& config) {
    for (int dir = 0; dir < kDirectionCount; ++dir) {
        if (d == config.DirectionPhrases[dir]) return dir;
    }
    return -1;
}

// Steps at the end of the integer range wrap around rather than overflow:
// a damaged file may hold any coordinate.
std::int32_t Add(std::int32_t value, int delta) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) + static_cast<std::uint32_t>(delta));
}

}  // namespace

int TextDirection(std::string_view d, const MappingConfig& config) {
    int dir = CommandDirection(d, config);
    return dir >= 0 ? dir : PhraseDirection(d, config);
}

std::string Opposite(std::string_view d, const MappingConfig& config) {
    std::string result(d);
    int command = CommandDirection(d, config);
    if (command >= 0) result = config.MoveCommands[OppositeDirection(command)];
    // A text that is both a command and a phrase ends up as the opposite phrase.
    int phrase = PhraseDirection(d, config);
    if (phrase >= 0) result = config.DirectionPhrases[OppositeDirection(phrase)];
    return result;
}

void StepCell(int direction, std::int32_t& x, std::int32_t& y, std::int32_t& l) {
    switch (direction) {
        case kDirNorth:
            x = Add(x, -1);
            break;
        case kDirSouth:
            x = Add(x, 1);
            break;
        case kDirWest:
            y = Add(y, -1);
            break;
        case kDirEast:
            y = Add(y, 1);
            break;
        case kDirUp:
            l = Add(l, 1);
            break;
        case kDirDown:
            l = Add(l, -1);
            break;
        default:
            break;
    }
}

void ReposXYL(std::string_view d, std::int32_t& x, std::int32_t& y, std::int32_t& l, const MappingConfig& config) {
    StepCell(CommandDirection(d, config), x, y, l);
}

bool WasStep(const MudRoom& room, std::string_view d, const MappingConfig& config) {
    int dir = CommandDirection(d, config);
    if (dir >= 0 && room.Link(dir)) return true;
    return d == config.Portal;
}

std::string DirectionPhrase(std::string_view d, const MappingConfig& config) {
    int dir = TextDirection(d, config);
    return dir >= 0 ? config.DirectionPhrases[dir] : std::string(d);
}

std::string CorridorExits(int direction, const MappingConfig& config, bool eastFirst) {
    const ExitWords& w = config.Words;
    switch (direction) {
        case kDirNorth:
        case kDirSouth:
            return w[kDirNorth] + w[kDirSouth];
        case kDirWest:
        case kDirEast:
            return eastFirst ? w[kDirEast] + w[kDirWest] : w[kDirWest] + w[kDirEast];
        case kDirUp:
        case kDirDown:
            return w[kDirUp] + w[kDirDown];
        default:
            return {};
    }
}

}  // namespace trellan
