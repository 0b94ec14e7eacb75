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
// "already listed" test is one probe and the search costs time in
// proportion to the rooms it lists.
//
// The search reads the world and the direction words; it owns nothing and
// keeps nothing between calls but its buffers.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "navigation/RoomMarks.h"

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

private:
    struct Node {
        const MudRoom* room;
        const std::string* zone;
        std::uint32_t parent;
        // A plain movement command (0..5) or, when negative, -1 - index into
        // texts_ of the step's whole command text.
        std::int32_t step;
    };

    // One expansion: every room reached from the node with the command
    // (a direction index, or kDirectionCount for "++"), added to the list.
    int AddRoomSW(std::uint32_t nodeIndex, int command);
    bool Listed(const MudRoom* room) const;
    // A cross link in one of the six directions is walked by that
    // direction's movement command only, never by "++": the phrase that
    // names the exit is no command the MUD knows.
    bool IsDirectionPhrase(std::string_view exit) const;
    bool Blocked(const MudRoom* room) const;
    void PrepareWords();
    void Add(const MudRoom* room, const std::string* zone, std::uint32_t parent, std::int32_t step);
    std::int32_t TextStep(std::string text);
    // The text after the last ";" of the node's path.
    std::string_view LastCommand(const Node& node) const;
    std::string PathOf(std::uint32_t nodeIndex) const;
    // The room a cross-link entry names (none when it is missing), or
    // nothing when the entry's room number is not a number.
    std::optional<const MudRoom*> ZoneLink(const std::string& entry, std::string_view zone, std::string_view number);
    // After `entered` was added by a grid step: the corridor it begins, one
    // more cell at a time in the direction, each piece and the far end
    // reached by the same step.
    int FollowCorridor(const MudRoom* entered, const std::string* zone, int direction, std::uint32_t parent,
                       std::int32_t step);

    const World& world_;
    const MappingConfig& config_;

    // The seven commands of an expansion (six movement words and "++"), the
    // direction each word walks, whether it is the portal command, and its
    // opposite; taken from the settings at the start of each search.
    std::array<std::string, 7> commands_;
    std::array<int, 6> directions_{};
    std::array<bool, 6> portals_{};
    std::array<std::string, 7> opposites_;
    // back_[c][d]: command c steps straight back after the movement word d.
    std::array<std::array<bool, 6>, 7> back_{};

    // The search of the moment.
    const MudRoom* target_ = nullptr;
    std::vector<Node> nodes_;
    std::vector<std::string> texts_;
    RoomMarks marks_;
    // The generation being added; rooms marked at or after round_ - 2 are
    // in the list.
    std::int32_t round_ = 0;
    std::optional<std::uint32_t> found_;
    std::vector<std::string> skipped_;
    std::unordered_set<std::string> skippedSeen_;
};

}  // namespace trellan
