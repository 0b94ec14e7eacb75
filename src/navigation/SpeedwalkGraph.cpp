#include "navigation/SpeedwalkGraph.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "mapping/Directions.h"
#include "mapping/MappingConfig.h"
#include "model/Prefetch.h"
#include "model/World.h"
#include "text/TextUtils.h"

namespace trellan {

namespace {

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

std::string_view LastCommand(std::string_view text) {
    std::size_t semicolon = text.rfind(';');
    return semicolon == std::string_view::npos ? text : text.substr(semicolon + 1);
}

std::uint8_t RoomMarks(const MudRoom& room) {
    std::uint8_t marks = 0;
    if (room.DT) marks |= SpeedwalkGraph::kDeathTrap;
    if (room.Agro || room.NoStep) marks |= SpeedwalkGraph::kGuarded;
    if (room.FlyDT) marks |= SpeedwalkGraph::kPit;
    if (room.Pipe) marks |= SpeedwalkGraph::kCorridor;
    return marks;
}

// Cells of one zone to the first room in each, while the whole world is
// worked out: a small table that stays in the cache, where the world's own
// index would be a probe into a table of every room.
class ZoneCells {
public:
    void Fill(const std::vector<SpeedwalkGraph::NodeId>& ids, const std::vector<const MudRoom*>& rooms) {
        std::size_t capacity = 16;
        while (capacity < ids.size() * 2) capacity *= 2;
        entries_.assign(capacity, Entry{});
        mask_ = capacity - 1;
        for (std::size_t i = 0; i < ids.size(); ++i) {
            // The rooms lie far apart; start loading a few ahead.
            if (i + 4 < ids.size()) Prefetch(&rooms[ids[i + 4]]->X);
            const SpeedwalkGraph::NodeId id = ids[i];
            const MudRoom& room = *rooms[id];
            Entry& entry = Probe(room.X, room.Y, room.L);
            if (entry.id != SpeedwalkGraph::kNone) continue;  // the first room of the cell stays
            entry = Entry{room.X, room.Y, room.L, id};
        }
    }
    SpeedwalkGraph::NodeId At(std::int32_t x, std::int32_t y, std::int32_t l) const {
        return const_cast<ZoneCells*>(this)->Probe(x, y, l).id;
    }

private:
    struct Entry {
        std::int32_t x = 0, y = 0, l = 0;
        SpeedwalkGraph::NodeId id = SpeedwalkGraph::kNone;
    };
    Entry& Probe(std::int32_t x, std::int32_t y, std::int32_t l) {
        std::uint64_t key = (std::uint64_t(std::uint32_t(x)) << 32 | std::uint32_t(y)) ^
                            (std::uint64_t(std::uint32_t(l)) * 0x9e3779b97f4a7c15ULL);
        key ^= key >> 33;
        key *= 0xff51afd7ed558ccdULL;
        key ^= key >> 33;
        for (std::size_t i = key & mask_;; i = (i + 1) & mask_) {
            Entry& entry = entries_[i];
            if (entry.id == SpeedwalkGraph::kNone || (entry.x == x && entry.y == y && entry.l == l)) return entry;
        }
    }
    std::vector<Entry> entries_;
    std::size_t mask_ = 0;
};

}  // namespace

SpeedwalkGraph::SpeedwalkGraph(const World& world, const MappingConfig& config) : world_(world), config_(config) {}

SpeedwalkGraph::NodeId SpeedwalkGraph::IdOf(const MudRoom* room) const {
    const RoomSlot* slot = world_.SlotOf(room);
    return slot == nullptr ? kNone : slot->Index();
}

void SpeedwalkGraph::Refresh() {
    WorldChangeLog& log = world_.Changes();
    if (!built_ || WordsChanged() || log.StartOver() || log.Takes() != takes_) {
        BuildAll();
    } else if (!log.Empty()) {
        CatchUp();
    }
    log.Clear();
    takes_ = log.Takes();
}

bool SpeedwalkGraph::WordsChanged() const {
    for (int d = 0; d < kDirectionCount; ++d) {
        if (commands_[d] != config_.MoveCommands[d] || phrases_[d] != config_.DirectionPhrases[d]) return true;
    }
    return portal_ != config_.Portal;
}

void SpeedwalkGraph::TakeWords() {
    for (int d = 0; d < kDirectionCount; ++d) {
        commands_[d] = config_.MoveCommands[d];
        phrases_[d] = config_.DirectionPhrases[d];
        // A word listed twice walks the first direction it names. The word is
        // one of the six, so it always names one.
        directions_[d] = CommandDirection(commands_[d], config_).value_or(DirectionAt(static_cast<std::size_t>(d)));
    }
    commands_[kLinkCommand] = "++";
    portal_ = config_.Portal;
    for (int c = 0; c < kCommandCount; ++c) opposites_[c] = Opposite(commands_[c], config_);

    texts_.clear();
    backMasks_.clear();
    textIds_.clear();
    for (int c = 0; c < kCommandCount; ++c) {
        texts_.push_back(commands_[c]);
        backMasks_.push_back(0);
    }
    texts_.emplace_back();  // kStartText
    backMasks_.push_back(0);
    for (std::uint32_t text = 0; text < texts_.size(); ++text) {
        for (int c = 0; c < kCommandCount; ++c) {
            if (opposites_[c] == LastCommand(texts_[text])) backMasks_[text] |= std::uint8_t(1u << c);
        }
        textIds_.emplace(texts_[text], text);
    }
}

std::uint32_t SpeedwalkGraph::Intern(std::string text) {
    auto found = textIds_.find(text);
    if (found != textIds_.end()) return found->second;
    std::uint8_t mask = 0;
    for (int c = 0; c < kCommandCount; ++c) {
        if (opposites_[c] == LastCommand(text)) mask |= std::uint8_t(1u << c);
    }
    auto id = static_cast<std::uint32_t>(texts_.size());
    backMasks_.push_back(mask);
    texts_.push_back(text);
    textIds_.emplace(std::move(text), id);
    return id;
}

void SpeedwalkGraph::BuildAll() {
    TakeWords();
    nodes_.clear();
    marks_.clear();
    rooms_.clear();
    stepLists_.clear();
    freeStepLists_.clear();
    linkNodes_.clear();
    hasLinks_.clear();
    built_ = true;
    Grow();

    // The rooms of each zone together, in list order.
    std::unordered_map<const std::string*, std::vector<NodeId>> zones;
    const std::string* lastZone = nullptr;
    std::vector<NodeId>* lastIds = nullptr;
    for (const RoomSlot* slot = world_.NextSlot(nullptr); slot != nullptr; slot = slot->Next()) {
        // The list mostly runs through slots that lie side by side, and each
        // step waits for the slot before it: load the ones ahead meanwhile.
        // (A prefetch of an address beyond a block is harmless.)
        Prefetch(reinterpret_cast<const char*>(slot + 4) + sizeof(MudRoom));
        const NodeId id = slot->Index();
        rooms_[id] = slot->Room();
        const std::string* zone = &slot->Zone();
        if (zone != lastZone) {
            lastZone = zone;
            lastIds = &zones[zone];
        }
        lastIds->push_back(id);
    }

    ZoneCells cells;
    for (const auto& [zone, ids] : zones) {
        cells.Fill(ids, rooms_);
        for (std::size_t i = 0; i < ids.size(); ++i) {
            if (i + 4 < ids.size()) {
                Prefetch(&rooms_[ids[i + 4]]->ChN);
                Prefetch(&rooms_[ids[i + 4]]->AutoMaps);
            }
            BuildNode(ids[i], *rooms_[ids[i]],
                      [&](std::int32_t x, std::int32_t y, std::int32_t l) { return cells.At(x, y, l); });
        }
    }
}

void SpeedwalkGraph::Grow() {
    const std::size_t limit = world_.RoomIndexLimit();
    if (nodes_.size() >= limit) return;
    Node empty{};
    empty.Neighbour.fill(kNone);
    empty.StepList = kNone;
    nodes_.resize(limit, empty);
    marks_.resize(limit, 0);
    rooms_.resize(limit, nullptr);
    hasLinks_.resize(limit, 0);
    queued_.resize(limit, 0);
}

void SpeedwalkGraph::ClearNode(NodeId id) {
    if (id >= nodes_.size()) return;
    FreeStepList(nodes_[id]);
    nodes_[id].Neighbour.fill(kNone);
    nodes_[id].Walkable = 0;
    marks_[id] = 0;
    rooms_[id] = nullptr;
    hasLinks_[id] = 0;
}

void SpeedwalkGraph::CatchUp() {
    const WorldChangeLog& log = world_.Changes();
    // Removed rooms first: a room added later may have the same number.
    Grow();
    for (NodeId id : log.RemovedRooms()) ClearNode(id);
    auto queue = [&](NodeId id) {
        if (id == kNone || queued_[id]) return;
        queued_[id] = 1;
        stale_.push_back(id);
    };
    for (const MudRoom* room : log.Rooms()) {
        const NodeId id = IdOf(room);  // none for a room gone again since
        if (id == kNone) continue;
        rooms_[id] = room;
        queue(id);
    }
    // A cell that changed changes the neighbours of the rooms beside it.
    // (A corridor is followed through the nodes of its pieces, so a room
    // further back along one keeps its own.)
    for (const WorldChangeLog::Cell& cell : log.Cells()) {
        const ZoneInfo* zone = world_.FindZone(cell.Zone);
        if (zone == nullptr) continue;
        for (Direction d : kAllDirections) {
            std::int32_t x = cell.X, y = cell.Y, l = cell.L;
            StepCell(d, x, y, l);
            cellRooms_.clear();
            world_.RoomsAtCell(zone, x, y, l, cellRooms_);
            for (const RoomSlot* slot : cellRooms_) queue(slot->Index());
        }
    }
    if (log.NumbersChanged()) {
        std::vector<NodeId> linked;
        linked.swap(linkNodes_);
        for (NodeId id : linked) {
            if (hasLinks_[id] && rooms_[id] != nullptr) queue(id);
        }
    }
    for (NodeId id : stale_) {
        queued_[id] = 0;
        if (rooms_[id] == nullptr) continue;
        const MudRoom& room = *rooms_[id];
        const ZoneInfo* zone = world_.FindZone(world_.ZoneOf(&room));
        BuildNode(id, room, [&](std::int32_t x, std::int32_t y, std::int32_t l) {
            const RoomSlot* slot = world_.FirstSlotAt(zone, x, y, l);
            return slot == nullptr ? kNone : slot->Index();
        });
    }
    stale_.clear();
}

void SpeedwalkGraph::FreeStepList(Node& node) {
    if (node.StepList == kNone) return;
    stepLists_[node.StepList].clear();
    freeStepLists_.push_back(node.StepList);
    node.StepList = kNone;
}

template <typename CellAt>
void SpeedwalkGraph::BuildNode(NodeId id, const MudRoom& room, CellAt&& cellAt) {
    Node& node = nodes_[id];
    FreeStepList(node);
    node.Neighbour.fill(kNone);
    marks_[id] = RoomMarks(room);
    node.Walkable = std::uint8_t(1u << kLinkCommand);
    unsigned needed = room.Pipe ? (1u << kDirectionCount) - 1 : 0;
    const bool links[kDirectionCount] = {room.ChN, room.ChS, room.ChW, room.ChE, room.ChU, room.ChD};
    for (int c = 0; c < kDirectionCount; ++c) {
        const std::size_t direction = Index(directions_[static_cast<std::size_t>(c)]);
        if (links[direction] || commands_[c] == portal_) {
            node.Walkable |= std::uint8_t(1u << c);
            needed |= 1u << direction;
        }
    }
    for (Direction d : kAllDirections) {
        if (!(needed & (1u << Index(d)))) continue;
        std::int32_t x = room.X, y = room.Y, l = room.L;
        StepCell(d, x, y, l);
        node.Neighbour[Index(d)] = cellAt(x, y, l);
    }
    hasLinks_[id] = 0;
    if (!room.AutoMaps.empty()) BuildSteps(id, room, node);
}

// The cross-link entries worked out as the search reads them, command by
// command: an entry in the command's direction may put a door command ahead
// of the step, or lead into another zone; "++" walks entries whose exit is
// no direction phrase by the exit's own text. The room an entry found stays
// found for the entries after it, and only when none is found at the end
// does the grid step follow. A found room that another entry finds again
// cannot be added a second time, so only the entries that find a room make
// a step.
void SpeedwalkGraph::BuildSteps(NodeId id, const MudRoom& room, Node& node) {
    // Each entry read once; the room it names is looked up when a command first needs it.
    struct Entry {
        std::string zone, exit, commands;
        std::optional<std::int32_t> number;
        bool directionPhrase = false;
        std::optional<NodeId> target;
    };
    std::vector<Entry> entries;
    entries.reserve(room.AutoMaps.size());
    bool links = false;
    for (const std::string& text : room.AutoMaps) {
        Entry& entry = entries.emplace_back();
        entry.zone = GetToken(1, text, "|");
        entry.exit = GetToken(2, text, "|");
        entry.commands = GetToken(4, text, "|");
        entry.number = RoomNumber(GetToken(3, text, "|"));
        entry.directionPhrase = std::find(phrases_.begin(), phrases_.end(), entry.exit) != phrases_.end();
        links = links || !entry.zone.empty();
    }

    std::vector<Step> steps;
    for (int c = 0; c < kCommandCount; ++c) {
        const bool anyLink = c == kLinkCommand;
        const std::string& word = commands_[c];
        const std::string& phrase = anyLink ? word : phrases_[Index(directions_[static_cast<std::size_t>(c)])];
        std::string text = word;
        NodeId found = kNone;
        for (std::size_t e = 0; e < entries.size(); ++e) {
            Entry& entry = entries[e];
            const bool sameWay = !anyLink && entry.exit == phrase;
            bool foundHere = false;
            if (entry.zone.empty() && !entry.commands.empty() && sameWay) {
                text = entry.commands + ";" + text;
            } else if (!entry.zone.empty() && (sameWay || (anyLink && !entry.directionPhrase)) &&
                       !(!entry.exit.empty() && entry.exit[0] == '=')) {
                if (entry.number) {
                    if (!entry.target) entry.target = Resolve(entry.zone, *entry.number);
                    found = *entry.target;
                    foundHere = true;
                } else {
                    steps.push_back(Step{std::uint8_t(c), StepKind::Damaged, Intern(room.AutoMaps[e]), kNone});
                }
            }
            if (found == kNone) continue;
            if (anyLink) text = entry.exit;
            if (!foundHere) continue;
            std::string stepText = entry.commands.empty() ? text : entry.commands + ";" + text;
            std::uint32_t textId = !anyLink && stepText == word ? std::uint32_t(c) : Intern(std::move(stepText));
            steps.push_back(Step{std::uint8_t(c), StepKind::Link, textId, found});
        }
        if (found == kNone && !anyLink) {
            std::uint32_t textId = text == word ? std::uint32_t(c) : Intern(std::move(text));
            steps.push_back(Step{std::uint8_t(c), StepKind::Grid, textId, kNone});
        }
    }
    if (links) {
        hasLinks_[id] = 1;
        linkNodes_.push_back(id);
    }
    if (freeStepLists_.empty()) {
        node.StepList = static_cast<std::uint32_t>(stepLists_.size());
        stepLists_.push_back(std::move(steps));
    } else {
        node.StepList = freeStepLists_.back();
        freeStepLists_.pop_back();
        stepLists_[node.StepList] = std::move(steps);
    }
}

SpeedwalkGraph::NodeId SpeedwalkGraph::Resolve(std::string_view zone, std::int32_t number) const {
    const MudRoom* room = world_.GlobalFindRoomByTag(number, zone);
    return room == nullptr ? kNone : IdOf(room);
}

std::string SpeedwalkGraph::Describe(const MudRoom* room) const {
    const NodeId id = IdOf(room);
    if (id == kNone) return "none";
    auto name = [&](NodeId other) {
        if (other == kNone) return std::string("-");
        const MudRoom* r = rooms_[other];
        return r == nullptr ? std::string("free")
                            : world_.ZoneOf(r) + ":" + std::to_string(r->Tag) + "@" + std::to_string(r->X) + "," +
                                  std::to_string(r->Y) + "," + std::to_string(r->L);
    };
    const Node& node = nodes_[id];
    std::string out = "marks " + std::to_string(marks_[id]) + " walk " + std::to_string(node.Walkable) + " [";
    for (NodeId n : node.Neighbour) out += name(n) + " ";
    out += "]";
    for (const Step& step : StepsOf(node)) {
        out += " {" + std::to_string(step.Command) + " " + std::to_string(int(step.Kind)) + " " + texts_[step.Text] +
               " " + name(step.Target) + "}";
    }
    return out;
}

std::size_t SpeedwalkGraph::MemoryBytes() const {
    std::size_t bytes = nodes_.capacity() * sizeof(Node) + marks_.capacity() +
                        rooms_.capacity() * sizeof(const MudRoom*) + hasLinks_.capacity() + queued_.capacity();
    for (const auto& list : stepLists_) bytes += sizeof(list) + list.capacity() * sizeof(Step);
    for (const std::string& text : texts_) bytes += sizeof(text) + text.capacity();
    return bytes;
}

}  // namespace trellan
