#pragma once
// The world as the speedwalk sees it, prepared once and then kept current:
// every room a node, numbered by the room's own small number in the world
// (RoomSlot::Index), with what each of the seven commands of a search step
// (the six movement words and "++") can do from it.
//
// A node holds the first room of each neighbouring cell of its zone (the
// room a grid step or a corridor reaches), which commands the room has
// walked, and its danger and corridor marks. A room with cross-link entries
// also gets a list of steps worked out from them, per command in entry
// order: the rooms the entries lead to with the whole command text of each,
// the damaged entries a search names, and the grid step that follows when
// no entry found a room, with the door commands the entries put ahead of it.
// Rooms without entries, nearly all of them, need no list.
//
// The graph follows the world through its change log: a room named there
// is worked out again, a cell named there makes the rooms beside it be
// worked out again (a corridor is followed through its pieces' own nodes),
// and changed room numbers make every room with cross links resolve them
// again. Anything larger, and new movement words or
// direction phrases, builds the graph afresh, as does finding that another
// reader emptied the log in between.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/ExitWords.h"

namespace trellan {

class MudRoom;
class RoomSlot;
class World;
struct MappingConfig;

class SpeedwalkGraph {
public:
    using NodeId = std::uint32_t;
    static constexpr NodeId kNone = 0xFFFFFFFFu;
    // Commands 0..5 are the movement words in the room's order of
    // directions (Index(Direction)); this one
    // is "++", a step through any cross link.
    static constexpr int kLinkCommand = kDirectionCount;
    static constexpr int kCommandCount = kDirectionCount + 1;
    // Text ids 0..6 are the seven commands themselves; this one is the empty
    // path of a search's first room.
    static constexpr std::uint32_t kStartText = kCommandCount;

    // Danger and corridor marks of a node.
    enum Mark : std::uint8_t {
        kDeathTrap = 1,  // DT
        kGuarded = 2,    // Agro or NoStep: blocks everywhere but at the target
        kPit = 4,        // FlyDT: blocks but at the target, not inside a corridor
        kCorridor = 8,   // Pipe
    };

    struct Node {
        // The first room (list order) of each neighbouring cell, by
        // Index(Direction); filled where a grid step or a corridor may need it.
        std::array<NodeId, kDirectionCount> Neighbour;
        // The node's worked-out steps (StepsOf), or kNone: grid steps only.
        std::uint32_t StepList;
        // Bit c: command c passes the link test (the room walked it).
        std::uint8_t Walkable;
    };

    enum class StepKind : std::uint8_t {
        Link,     // add Target by Text
        Grid,     // the grid step (and corridor) in the command's direction, by Text
        Damaged,  // an entry whose room number is not a number; Text is the entry
    };
    struct Step {
        std::uint8_t Command;
        StepKind Kind;
        std::uint32_t Text;
        NodeId Target;
    };

    // Both must outlive the graph.
    SpeedwalkGraph(const World& world, const MappingConfig& config);

    // Catches up with the world's change log and the words in force.
    void Refresh();

    // The room's node, or kNone for a room not in the world.
    NodeId IdOf(const MudRoom* room) const;
    const Node& At(NodeId id) const { return nodes_[id]; }
    // Kept apart from the nodes: the search asks them of every room it
    // reaches, and a small table stays in the cache.
    const std::uint8_t& MarksOf(NodeId id) const { return marks_[id]; }
    const MudRoom* RoomOf(NodeId id) const { return rooms_[id]; }
    // Node ids run below this (some may name no room).
    std::size_t Capacity() const { return nodes_.size(); }
    std::span<const Step> StepsOf(const Node& node) const {
        return node.StepList == kNone ? std::span<const Step>() : std::span<const Step>(stepLists_[node.StepList]);
    }

    // The direction each movement word walks (the first of equal words).
    Direction DirectionOf(int command) const { return directions_[static_cast<std::size_t>(command)]; }
    const std::string& Text(std::uint32_t text) const { return texts_[text]; }
    // Bit c: after a step of this text, command c would step straight back.
    std::uint8_t BackMask(std::uint32_t text) const { return backMasks_[text]; }

    // The node of a room written out with rooms for node ids, for comparing
    // a graph kept current with one built afresh.
    std::string Describe(const MudRoom* room) const;
    // Bytes held, roughly.
    std::size_t MemoryBytes() const;

private:
    bool WordsChanged() const;
    void TakeWords();
    void BuildAll();
    void CatchUp();
    // Makes room for every number the world gives out.
    void Grow();
    void ClearNode(NodeId id);
    void FreeStepList(Node& node);
    // Works out the node of a room of the world; cellAt(x, y, l) gives the
    // node of the first room of a cell of the room's zone, or kNone.
    template <typename CellAt>
    void BuildNode(NodeId id, const MudRoom& room, CellAt&& cellAt);
    void BuildSteps(NodeId id, const MudRoom& room, Node& node);
    std::uint32_t Intern(std::string text);
    // The node a cross-link entry leads to, or kNone.
    NodeId Resolve(std::string_view zone, std::int32_t number) const;

    const World& world_;
    const MappingConfig& config_;

    // The words the graph was built with.
    std::array<std::string, kCommandCount> commands_;
    std::array<std::string, kDirectionCount> phrases_;
    std::string portal_;
    std::array<Direction, kDirectionCount> directions_{};
    std::array<std::string, kCommandCount> opposites_;
    bool built_ = false;
    std::uint64_t takes_ = 0;  // the log's count when this graph last emptied it

    std::vector<Node> nodes_;
    std::vector<std::uint8_t> marks_;
    std::vector<const MudRoom*> rooms_;  // nullptr for a number no room has
    std::vector<std::vector<Step>> stepLists_;
    std::vector<std::uint32_t> freeStepLists_;
    // Nodes whose entries name rooms by zone and number (may hold ids that
    // no longer do; hasLinks_ tells).
    std::vector<NodeId> linkNodes_;
    std::vector<std::uint8_t> hasLinks_;

    std::vector<std::string> texts_;
    std::vector<std::uint8_t> backMasks_;
    std::unordered_map<std::string, std::uint32_t> textIds_;

    // Scratch of CatchUp.
    std::vector<std::uint8_t> queued_;
    std::vector<NodeId> stale_;
    std::vector<const RoomSlot*> cellRooms_;
};

}  // namespace trellan
