#include "mapping/Directions.h"

namespace trellan {

std::optional<Direction> CommandDirection(std::string_view d, const MappingConfig& config) {
    for (Direction dir : kAllDirections) {
        if (d == config.MoveCommands[Index(dir)]) return dir;
    }
    return std::nullopt;
}

namespace {

std::optional<Direction> PhraseDirection(std::string_view d, const MappingConfig& config) {
    for (Direction dir : kAllDirections) {
        if (d == config.DirectionPhrases[Index(dir)]) return dir;
    }
    return std::nullopt;
}

// Steps at the end of the integer range wrap around rather than overflow:
// a damaged file may hold any coordinate.
std::int32_t Add(std::int32_t value, int delta) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) + static_cast<std::uint32_t>(delta));
}

}  // namespace

std::optional<Direction> TextDirection(std::string_view d, const MappingConfig& config) {
    std::optional<Direction> dir = CommandDirection(d, config);
    return dir ? dir : PhraseDirection(d, config);
}

std::string Opposite(std::string_view d, const MappingConfig& config) {
    std::string result(d);
    if (std::optional<Direction> command = CommandDirection(d, config))
        result = config.MoveCommands[Index(OppositeDirection(*command))];
    // A text that is both a command and a phrase ends up as the opposite phrase.
    if (std::optional<Direction> phrase = PhraseDirection(d, config))
        result = config.DirectionPhrases[Index(OppositeDirection(*phrase))];
    return result;
}

void StepCell(Direction direction, std::int32_t& x, std::int32_t& y, std::int32_t& l) {
    const GridStep step = StepOf(direction);
    x = Add(x, step.DX);
    y = Add(y, step.DY);
    l = Add(l, step.DL);
}

void ReposXYL(std::string_view d, std::int32_t& x, std::int32_t& y, std::int32_t& l, const MappingConfig& config) {
    if (std::optional<Direction> dir = CommandDirection(d, config)) StepCell(*dir, x, y, l);
}

bool WasStep(const MudRoom& room, std::string_view d, const MappingConfig& config) {
    std::optional<Direction> dir = CommandDirection(d, config);
    if (dir && room.Link(*dir)) return true;
    return d == config.Portal;
}

std::string DirectionPhrase(std::string_view d, const MappingConfig& config) {
    std::optional<Direction> dir = TextDirection(d, config);
    return dir ? config.DirectionPhrases[Index(*dir)] : std::string(d);
}

std::string CorridorExits(Direction direction, const MappingConfig& config, CorridorWordOrder order) {
    const ExitWords& w = config.Words;
    switch (direction) {
        case Direction::North:
        case Direction::South:
            return w[Direction::North] + w[Direction::South];
        case Direction::West:
        case Direction::East:
            return order == CorridorWordOrder::EastFirst ? w[Direction::East] + w[Direction::West]
                                                         : w[Direction::West] + w[Direction::East];
        case Direction::Up:
        case Direction::Down:
            break;
    }
    return w[Direction::Up] + w[Direction::Down];
}

}  // namespace trellan
