#include "mapping/CrossLinkEntry.h"

#include <charconv>

#include "mapping/Directions.h"

namespace trellan {

CrossLinkEntry CrossLinkEntry::Parse(std::string_view entry) {
    CrossLinkEntry parsed;
    std::size_t fieldStart = 0;
    for (int field = 0; field < 3; ++field) {
        std::size_t bar = entry.find('|', fieldStart);
        std::string_view text =
            entry.substr(fieldStart, bar == std::string_view::npos ? std::string_view::npos : bar - fieldStart);
        if (field == 0) parsed.Zone = text;
        if (field == 1) parsed.Exit = text;
        if (field == 2) {
            parsed.Number = text;
            if (bar != std::string_view::npos) parsed.Rest = entry.substr(bar);
        }
        if (bar == std::string_view::npos) break;
        fieldStart = bar + 1;
    }
    return parsed;
}

std::optional<std::int32_t> CrossLinkEntry::RoomNumber() const {
    std::string_view text = Number;
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    std::int32_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

int FindCrossLink(const MudRoom& room, std::string_view d, const MappingConfig& config) {
    if (d.empty()) return -1;
    const std::optional<Direction> direction = TextDirection(d, config);
    const std::string* phrase = direction && !config.DirectionPhrases[Index(*direction)].empty()
                                    ? &config.DirectionPhrases[Index(*direction)]
                                    : nullptr;
    for (std::size_t i = 0; i < room.AutoMaps.size(); ++i) {
        CrossLinkEntry entry = CrossLinkEntry::Parse(room.AutoMaps[i]);
        if (entry.Zone.empty()) continue;
        if (entry.Exit == d || (phrase != nullptr && entry.Exit == *phrase)) return static_cast<int>(i);
    }
    return -1;
}

int FindCrossLink(const MudRoom& room, Direction direction, const MappingConfig& config) {
    return FindCrossLink(room, config.DirectionPhrases[Index(direction)], config);
}

std::string RewriteCrossLink(std::string_view previous, std::string_view zone, std::string_view exit,
                             std::int32_t number) {
    std::string entry(zone);
    entry += '|';
    entry += exit;
    entry += '|';
    entry += std::to_string(number);
    entry += CrossLinkEntry::Parse(previous).Rest;
    return entry;
}

}  // namespace trellan
