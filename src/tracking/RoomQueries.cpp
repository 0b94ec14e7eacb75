#include "tracking/RoomQueries.h"

#include <string>

#include "text/Cp1251.h"
#include "text/TextUtils.h"
#include "text/W1251.h"

namespace trellan {

std::optional<Direction> MoveDirection(std::string_view command, const RoomParserConfig& config) {
    if (command.empty()) return std::nullopt;
    for (Direction dir : kAllDirections) {
        if (config.MoveCommands[Index(dir)] == command) return dir;
    }
    for (Direction dir : kAllDirections) {
        for (const std::string& word : config.MoveWords[Index(dir)]) {
            if (!word.empty() && word == command) return dir;
        }
    }
    return std::nullopt;
}

std::string CanonicalMove(std::string_view command, const RoomParserConfig& config) {
    std::optional<Direction> dir = MoveDirection(command, config);
    return dir ? config.MoveCommands[Index(*dir)] : std::string(command);
}

bool SameRoom(const MudRoom* room, std::string_view name, std::string_view description, std::string_view exits,
              bool walkingMode, const RoomParserConfig& config) {
    if (room == nullptr || room->Pipe) return false;
    // A blank darkness name would make every nameless text fit every room.
    if (!config.Dark.empty() && (room->Hint == config.Dark || name == config.Dark)) return true;
    if (room->Hint != name) return false;
    if (!room->Description.empty() && !description.empty() && room->Description != description) return false;
    if (room->Exits().empty() || exits.empty()) return true;
    // Outside walking mode the map follows the MUD, so changed exits are
    // refreshed rather than taken as another room.
    if (!walkingMode) return true;
    return StripChars(room->Exits(), " ()") == StripChars(exits, " ()");
}

std::string MapMismatch(const MudRoom* room, std::string_view name, std::string_view description,
                        std::string_view exits, const RoomParserConfig& config) {
    if (room == nullptr || room->Pipe) return {};
    if (!config.Dark.empty() && (room->Hint == config.Dark || name == config.Dark)) return {};
    if (!room->Hint.empty() && room->Hint != name) return W1251("название");
    if (!room->Description.empty() && !description.empty() &&
        StripChars(room->Description, " ") != StripChars(description, " ")) {
        return W1251("описание");
    }
    if (!room->Exits().empty() && !exits.empty() && StripChars(room->Exits(), " ()") != StripChars(exits, " ()")) {
        return W1251("выходы");
    }
    return {};
}

std::vector<std::string> DoorCommandsFor(const MudRoom& room, Direction direction, const RoomParserConfig& config) {
    const std::string phrase = UpperCp1251(config.DirectionPhrases[Index(direction)]);
    std::vector<std::string> commands;
    for (const std::string& entry : room.AutoMaps) {
        std::string field = GetToken(4, entry, "|");
        if (!field.empty() && UpperCp1251(GetToken(2, entry, "|")) == phrase) commands.push_back(std::move(field));
    }
    return commands;
}

bool HasExit(const MudRoom* room, std::string_view command, const RoomParserConfig& config) {
    std::optional<Direction> dir = MoveDirection(command, config);
    if (room == nullptr || !dir) return false;
    const std::string& word = config.Words[*dir];
    return !word.empty() && room->Exits().find(word) != std::string::npos;
}

int HasJump(const MudRoom* room, std::string_view command, const RoomParserConfig& config) {
    if (room == nullptr || command.empty()) return -1;
    std::optional<Direction> dir = MoveDirection(command, config);
    const std::string* phrase =
        dir && !config.DirectionPhrases[Index(*dir)].empty() ? &config.DirectionPhrases[Index(*dir)] : nullptr;
    for (std::size_t i = 0; i < room->AutoMaps.size(); ++i) {
        const std::string& entry = room->AutoMaps[i];
        if (GetToken(1, entry, "|").empty()) continue;
        std::string exit = GetToken(2, entry, "|");
        if (exit == command || (phrase != nullptr && exit == *phrase)) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace trellan
