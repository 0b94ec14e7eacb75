#pragma once
// The path finder behind every speedwalk: a breadth-first search over the
// whole world from one room to another, following only linked directions,
// crossing zones through cross-link entries, taking a corridor as one step
// and keeping out of dangerous rooms.
//
// A cross link whose exit is not one of the six direction phrases (a
// portal) is walked by its exit text, the special command "++".
//
// Among paths of equal length the first one found wins: frontier order
// first, then north, south, west, east, up, down and the cross links ("++").
// The frontier remembers only the last two generations, so a room reached
// again through one-way links after it has dropped out of them is listed
// once more -- with another last step, it may go on where it could not
// before. Each room carries the generation it was last listed in, so the
// "already listed" test is one array read and the search costs time in
// proportion to the rooms it lists.
//
// The search runs on the world's prepared graph (SpeedwalkGraph.h), which
// it brings up to date before each walk; it keeps the graph and its buffers
// between calls.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "navigation/SpeedwalkGraph.h"

namespace trellan {

class MudRoom;
class World;
struct MappingConfig;

class SpeedwalkSearch {
public:
    // The special command of a step through any cross link.
    static constexpr std::string_view kAnyLink = "++";
    // The most generations a search ever runs, whatever the settings say: a
    // longer walk is of no use, and cycles of one-way links would otherwise
    // keep a search going for as many rounds as a damaged setting asks.
    static constexpr int kGenerationCap = 10000;

    // Both must outlive the search.
    SpeedwalkSearch(const World& world, const MappingConfig& config);

    // The commands from `from` to `target` separated by ";" (no leading
    // one), or nothing when the target is not reached within
    // `maxGenerations` generations or no generation lists a new room.
    // Does not search (nothing) without a start, with the start as target,
    // without a target or with a DT target.
    std::optional<std::string> FindPath(const MudRoom* from, const MudRoom* target, int maxGenerations);

    // Cross-link entries the last search skipped because their room number
    // is not a number, each once, in the order met.
    const std::vector<std::string>& SkippedEntries() const { return skipped_; }

    // Brings the prepared world up to date, as each search does first.
    void Prepare() { graph_.Refresh(); }
    // The prepared world, current as of the last search.
    const SpeedwalkGraph& Graph() const { return graph_; }

private:
    using NodeId = SpeedwalkGraph::NodeId;
    // One room listed: its node, the entry it was reached from, and the text
    // of the step that reached it.
    struct Entry {
        NodeId node;
        std::uint32_t parent;
        std::uint32_t text;
    };

    // Every room reached from the entry's room with one command, listed.
    int Expand(std::uint32_t entry);
    void PrefetchAhead(std::size_t entry, std::size_t end) const;
    int Grid(std::uint32_t entry, NodeId from, int command, std::uint32_t text);
    bool Listed(NodeId node) const { return listedIn_[node] >= round_ - 2; }
    bool Blocked(NodeId node) const {
        const std::uint8_t marks = graph_.MarksOf(node);
        if (marks & SpeedwalkGraph::kDeathTrap) return true;
        return (marks & (SpeedwalkGraph::kGuarded | SpeedwalkGraph::kPit)) && node != target_;
    }
    void Add(NodeId node, std::uint32_t parent, std::uint32_t text);
    std::string PathOf(std::uint32_t entry) const;

    SpeedwalkGraph graph_;

    // The search of the moment.
    NodeId target_ = SpeedwalkGraph::kNone;
    std::vector<Entry> entries_;
    // The generation each node was last listed in (generations stop at
    // kGenerationCap, so two bytes hold them and the table stays small).
    std::vector<std::int16_t> listedIn_;
    // The generation being added; rooms listed at or after round_ - 2 are
    // in the list.
    std::int32_t round_ = 0;
    std::optional<std::uint32_t> found_;
    std::vector<std::string> skipped_;
    std::vector<std::uint32_t> skippedTexts_;
};

}  // namespace trellan
