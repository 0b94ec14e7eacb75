#include "navigation/SpeedwalkSearch.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <unordered_set>

#include "mapping/Directions.h"
#include "model/World.h"
#include "text/TextUtils.h"

namespace trellan {

namespace {

constexpr std::uint32_t kNoParent = std::numeric_limits<std::uint32_t>::max();
// The command index of a step through any cross link.
constexpr int kLinkCommand = kDirectionCount;

// The link flag read in place: the search asks it for every room it lists.
bool LinkFlag(const MudRoom& room, int direction) {
    switch (direction) {
        case kDirNorth:
            return room.ChN;
        case kDirSouth:
            return room.ChS;
        case kDirWest:
            return room.ChW;
        case kDirEast:
            return room.ChE;
        case kDirUp:
            return room.ChU;
        case kDirDown:
            return room.ChD;
        default:
            return false;
    }
}

// A room number as cross-link entries write it: decimal, blanks around it
// allowed.
std::optional<std::int32_t> RoomNumber(std::string_view text) {
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(' ') + 1 - first);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    std::int32_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

}  // namespace

SpeedwalkSearch::SpeedwalkSearch(const World& world, const MappingConfig& config) : world_(world), config_(config) {}

std::optional<std::string> SpeedwalkSearch::FindPath(const MudRoom* from, const MudRoom* target, int maxGenerations) {
    skipped_.clear();
    if (from == nullptr || target == nullptr || from == target || target->DT) return std::nullopt;

    target_ = target;
    nodes_.clear();
    texts_.clear();
    marks_.Clear();
    found_.reset();
    skippedSeen_.clear();
    round_ = 0;
    PrepareWords();
    Add(from, &world_.ZoneOf(from), kNoParent, TextStep(std::string()));

    const int limit = std::clamp(maxGenerations, 0, kGenerationCap);
    std::size_t begin = 0;
    std::size_t end = nodes_.size();
    int added = 1;
    for (int generation = 0; !found_ && added > 0 && generation < limit;) {
        round_ = ++generation;
        added = 0;
        for (std::size_t i = begin; i < end && !found_; ++i) {
            for (int command = 0; command <= kLinkCommand && !found_; ++command) {
                added += AddRoomSW(static_cast<std::uint32_t>(i), command);
            }
        }
        begin = end;
        end = nodes_.size();
    }
    if (!found_) return std::nullopt;
    return PathOf(*found_);
}

int SpeedwalkSearch::AddRoomSW(std::uint32_t nodeIndex, int command) {
    const Node node = nodes_[nodeIndex];  // nodes_ grows below
    const MudRoom& room = *node.room;
    const bool anyLink = command == kLinkCommand;
    const std::string& word = commands_[command];

    // Never straight back the way the path came.
    if (node.step >= 0 ? back_[command][node.step] : opposites_[command] == LastCommand(node)) return 0;
    // Only directions the player has walked.
    if (!anyLink && !(LinkFlag(room, directions_[command]) || portals_[command])) return 0;

    int added = 0;
    std::string text = word;  // the step's command, door commands ahead of it
    const MudRoom* found = nullptr;
    const std::string& phrase = anyLink ? word : config_.DirectionPhrases[directions_[command]];
    for (const std::string& entry : room.AutoMaps) {
        std::string zone = GetToken(1, entry, "|");
        std::string exit = GetToken(2, entry, "|");
        std::string commands = GetToken(4, entry, "|");
        bool sameWay = !anyLink && exit == phrase;
        if (zone.empty() && !commands.empty() && sameWay) {
            text = commands + ";" + text;
        } else if (!zone.empty() && (sameWay || (anyLink && !IsDirectionPhrase(exit))) &&
                   !(exit.size() > 0 && exit[0] == '=')) {
            std::optional<const MudRoom*> linked = ZoneLink(entry, zone, GetToken(3, entry, "|"));
            if (linked) found = *linked;
        }
        if (found == nullptr) continue;
        if (anyLink) text = exit;
        if (Listed(found) || Blocked(found)) continue;
        std::string stepText = commands.empty() ? text : commands + ";" + text;
        std::int32_t step = !anyLink && stepText == word ? command : TextStep(std::move(stepText));
        Add(found, &world_.ZoneOf(found), nodeIndex, step);
        ++added;
    }
    if (found != nullptr || anyLink) return added;

    std::int32_t x = room.X, y = room.Y, l = room.L;
    StepCell(directions_[command], x, y, l);
    const MudRoom* next = world_.GlobalFindRoom(x, y, l, *node.zone);
    if (next == nullptr || Listed(next) || Blocked(next)) return added;
    std::int32_t step = text == word ? command : TextStep(std::move(text));
    Add(next, node.zone, nodeIndex, step);
    ++added;
    return added + FollowCorridor(next, node.zone, directions_[command], nodeIndex, step);
}

bool SpeedwalkSearch::IsDirectionPhrase(std::string_view exit) const {
    return std::find(config_.DirectionPhrases.begin(), config_.DirectionPhrases.end(), exit) !=
           config_.DirectionPhrases.end();
}

int SpeedwalkSearch::FollowCorridor(const MudRoom* entered, const std::string* zone, int direction,
                                    std::uint32_t parent, std::int32_t step) {
    int added = 0;
    std::int32_t x = entered->X, y = entered->Y, l = entered->L;
    for (const MudRoom* last = entered; last->Pipe;) {
        StepCell(direction, x, y, l);
        last = world_.GlobalFindRoom(x, y, l, *zone);
        if (last == nullptr) break;
        // Flying over a pit is fine inside a corridor; the rest still blocks,
        // and a blocked piece does not end the corridor.
        if (Listed(last) || last->DT || ((last->Agro || last->NoStep) && last != target_)) continue;
        Add(last, zone, parent, step);
        ++added;
    }
    return added;
}

bool SpeedwalkSearch::Listed(const MudRoom* room) const {
    std::optional<std::int32_t> generation = marks_.Find(room);
    return generation && *generation >= round_ - 2;
}

bool SpeedwalkSearch::Blocked(const MudRoom* room) const {
    if (room->DT) return true;
    return (room->Agro || room->FlyDT || room->NoStep) && room != target_;
}

void SpeedwalkSearch::PrepareWords() {
    for (int d = 0; d < kDirectionCount; ++d) {
        commands_[d] = config_.MoveCommands[d];
        // A word listed twice walks the first direction it names.
        directions_[d] = CommandDirection(commands_[d], config_);
        portals_[d] = commands_[d] == config_.Portal;
    }
    commands_[kLinkCommand] = std::string(kAnyLink);
    for (int c = 0; c <= kLinkCommand; ++c) {
        opposites_[c] = Opposite(commands_[c], config_);
        for (int d = 0; d < kDirectionCount; ++d) back_[c][d] = opposites_[c] == commands_[d];
    }
}

void SpeedwalkSearch::Add(const MudRoom* room, const std::string* zone, std::uint32_t parent, std::int32_t step) {
    marks_.Set(room, round_);
    nodes_.push_back(Node{room, zone, parent, step});
    if (room == target_) found_ = static_cast<std::uint32_t>(nodes_.size() - 1);
}

std::int32_t SpeedwalkSearch::TextStep(std::string text) {
    texts_.push_back(std::move(text));
    return -static_cast<std::int32_t>(texts_.size());
}

std::string_view SpeedwalkSearch::LastCommand(const Node& node) const {
    if (node.step >= 0) return commands_[node.step];
    std::string_view text = texts_[static_cast<std::size_t>(-1 - node.step)];
    std::size_t semicolon = text.rfind(';');
    return semicolon == std::string_view::npos ? text : text.substr(semicolon + 1);
}

std::string SpeedwalkSearch::PathOf(std::uint32_t nodeIndex) const {
    std::vector<std::string_view> steps;
    for (std::uint32_t i = nodeIndex; nodes_[i].parent != kNoParent; i = nodes_[i].parent) {
        std::int32_t step = nodes_[i].step;
        steps.push_back(step >= 0 ? std::string_view(commands_[step])
                                  : std::string_view(texts_[static_cast<std::size_t>(-1 - step)]));
    }
    std::string path;
    for (auto it = steps.rbegin(); it != steps.rend(); ++it) {
        if (!path.empty() || it != steps.rbegin()) path += ';';
        path += *it;
    }
    return path;
}

std::optional<const MudRoom*> SpeedwalkSearch::ZoneLink(const std::string& entry, std::string_view zone,
                                                        std::string_view number) {
    std::optional<std::int32_t> tag = RoomNumber(number);
    if (!tag) {
        if (skippedSeen_.insert(entry).second) skipped_.push_back(entry);
        return std::nullopt;
    }
    return world_.GlobalFindRoomByTag(*tag, zone);
}

}  // namespace trellan
