#include "navigation/SpeedwalkSearch.h"

#include <algorithm>
#include <limits>

#include "model/Prefetch.h"
#include "model/World.h"

namespace trellan {

namespace {

constexpr std::uint32_t kNoParent = std::numeric_limits<std::uint32_t>::max();
// Listed long before any search: "already listed" never holds.
constexpr std::int16_t kNeverListed = std::numeric_limits<std::int16_t>::min();
static_assert(SpeedwalkSearch::kGenerationCap < std::numeric_limits<std::int16_t>::max());

}  // namespace

SpeedwalkSearch::SpeedwalkSearch(const World& world, const MappingConfig& config) : graph_(world, config) {}

std::optional<std::string> SpeedwalkSearch::FindPath(const MudRoom* from, const MudRoom* target, int maxGenerations) {
    skipped_.clear();
    skippedTexts_.clear();
    graph_.Refresh();
    if (from == nullptr || target == nullptr || from == target || target->DT) return std::nullopt;
    const NodeId start = graph_.IdOf(from);
    target_ = graph_.IdOf(target);
    if (start == SpeedwalkGraph::kNone || target_ == SpeedwalkGraph::kNone) return std::nullopt;

    entries_.clear();
    listedIn_.assign(graph_.Capacity(), kNeverListed);
    found_.reset();
    round_ = 0;
    Add(start, kNoParent, SpeedwalkGraph::kStartText);

    const int limit = std::clamp(maxGenerations, 0, kGenerationCap);
    std::size_t begin = 0;
    std::size_t end = entries_.size();
    int added = 1;
    for (int generation = 0; !found_ && added > 0 && generation < limit;) {
        round_ = ++generation;
        added = 0;
        for (std::size_t i = begin; i < end && !found_; ++i) {
            PrefetchAhead(i, end);
            added += Expand(static_cast<std::uint32_t>(i));
        }
        begin = end;
        end = entries_.size();
    }
    if (!found_) return std::nullopt;
    return PathOf(*found_);
}

// A generation's rooms lie all over the graph's tables, so their nodes, and
// then what the search will ask of their neighbours, start loading a few
// rooms before they are expanded.
void SpeedwalkSearch::PrefetchAhead(std::size_t entry, std::size_t end) const {
    constexpr std::size_t kNodesAhead = 8;
    constexpr std::size_t kNeighboursAhead = 4;
    if (entry + kNodesAhead < end) Prefetch(&graph_.At(entries_[entry + kNodesAhead].node));
    if (entry + kNeighboursAhead < end) {
        const SpeedwalkGraph::Node& node = graph_.At(entries_[entry + kNeighboursAhead].node);
        for (NodeId next : node.Neighbour) {
            if (next == SpeedwalkGraph::kNone) continue;
            Prefetch(&listedIn_[next]);
            Prefetch(&graph_.MarksOf(next));
        }
    }
}

int SpeedwalkSearch::Expand(std::uint32_t entry) {
    const Entry from = entries_[entry];  // entries_ grows below
    const SpeedwalkGraph::Node& node = graph_.At(from.node);
    // Commands that pass the link test and do not step straight back.
    const unsigned open = node.Walkable & ~unsigned(graph_.BackMask(from.text));
    int added = 0;
    if (node.StepList == SpeedwalkGraph::kNone) {
        // No cross-link entries: a grid step for each walked direction.
        for (int command = 0; command < kDirectionCount && !found_; ++command) {
            if (open & (1u << command)) added += Grid(entry, from.node, command, std::uint32_t(command));
        }
        return added;
    }
    int command = -1;
    for (const SpeedwalkGraph::Step& step : graph_.StepsOf(node)) {
        // The target found, the command's other entries still count.
        if (step.Command != command) {
            if (found_) break;
            command = step.Command;
        }
        if (!(open & (1u << step.Command))) continue;
        switch (step.Kind) {
            case SpeedwalkGraph::StepKind::Link:
                if (Listed(step.Target) || Blocked(step.Target)) break;
                Add(step.Target, entry, step.Text);
                ++added;
                break;
            case SpeedwalkGraph::StepKind::Grid:
                added += Grid(entry, from.node, step.Command, step.Text);
                break;
            case SpeedwalkGraph::StepKind::Damaged:
                if (std::find(skippedTexts_.begin(), skippedTexts_.end(), step.Text) == skippedTexts_.end()) {
                    skippedTexts_.push_back(step.Text);
                    skipped_.push_back(graph_.Text(step.Text));
                }
                break;
        }
    }
    return added;
}

// The grid step, and the corridor it may enter: every piece of a corridor
// and the room at its far end are reached by the same step. Flying over a
// pit is fine inside a corridor; the rest still blocks there, and a blocked
// piece does not end the corridor.
int SpeedwalkSearch::Grid(std::uint32_t entry, NodeId from, int command, std::uint32_t text) {
    const std::size_t direction = Index(graph_.DirectionOf(command));
    const NodeId next = graph_.At(from).Neighbour[direction];
    if (next == SpeedwalkGraph::kNone || Listed(next) || Blocked(next)) return 0;
    Add(next, entry, text);
    int added = 1;
    for (NodeId last = next; graph_.MarksOf(last) & SpeedwalkGraph::kCorridor;) {
        last = graph_.At(last).Neighbour[direction];
        if (last == SpeedwalkGraph::kNone) break;
        const std::uint8_t marks = graph_.MarksOf(last);
        if (Listed(last) || (marks & SpeedwalkGraph::kDeathTrap) ||
            ((marks & SpeedwalkGraph::kGuarded) && last != target_)) {
            continue;
        }
        Add(last, entry, text);
        ++added;
    }
    return added;
}

void SpeedwalkSearch::Add(NodeId node, std::uint32_t parent, std::uint32_t text) {
    listedIn_[node] = static_cast<std::int16_t>(round_);
    entries_.push_back(Entry{node, parent, text});
    if (node == target_) found_ = static_cast<std::uint32_t>(entries_.size() - 1);
}

std::string SpeedwalkSearch::PathOf(std::uint32_t entry) const {
    std::vector<std::uint32_t> steps;
    for (std::uint32_t i = entry; entries_[i].parent != kNoParent; i = entries_[i].parent) {
        steps.push_back(entries_[i].text);
    }
    std::string path;
    for (auto it = steps.rbegin(); it != steps.rend(); ++it) {
        if (it != steps.rbegin()) path += ';';
        path += graph_.Text(*it);
    }
    return path;
}

}  // namespace trellan
