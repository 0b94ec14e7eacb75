#pragma once
// The places where the speedwalk, the objects base and the map commands join
// the tracker's passes and the client input stream. Each comes in its own
// piece; until one is plugged in, these defaults keep the tracker working
// without it.
#include <cstddef>
#include <string>

namespace trellan {

// The speedwalk keeps the steps it has not sent yet.
class SpeedwalkHooks {
public:
    virtual ~SpeedwalkHooks() = default;

    // A refused move or a look that re-positions the player cancels the
    // rest of a walk.
    virtual void EmptySpeedwalkQueue() {}
    // The command queue has run empty while tracing: send the next batch of
    // steps, if any are left.
    virtual void SendNextBatch() {}
    // The player typed the speedwalk command: `argument` is the alias
    // (trimmed), empty for the command alone (list the aliases).
    virtual void SpeedwalkCommand(const std::string& argument) {}
    // The player typed the return command.
    virtual void ReturnCommand() {}
};

// The chat an objects entry is told to.
enum class LoreChat { Group, Clan };

// The objects base reads item and monster descriptions out of the server
// text before the tracker parses rooms in it.
class ObjectsHooks {
public:
    virtual ~ObjectsHooks() = default;

    // Shared objects: lines holding "->>" lose that part, complete shared
    // blocks are filed. Runs first in every pass.
    virtual void ReceiveSharedObjects(std::string& outputBuffer) {}
    // Lore blocks that begin on a line start before `exitsStart` (anywhere
    // when it is npos) are filed and cut out of the buffer.
    virtual void CaptureLore(std::string& outputBuffer, std::size_t exitsStart) {}
    // The player's objects-base search; `query` has no CR or LF. Answers the
    // client itself.
    virtual void SearchObjects(const std::string& query) {}
    // The player's group-lore or clan-lore command: the entry the objects
    // search finds for `query` (trimmed, may be empty) goes to that chat.
    // Answers the client itself.
    virtual void TellObject(const std::string& query, LoreChat chat) {}
};

// The map commands and the alias command typed in the MUD client: answered
// where the storage and the zone operations are reachable.
class MapCommandHooks {
public:
    virtual ~MapCommandHooks() = default;

    // The text after the map command word, trimmed; empty for the word
    // alone (the map around the player).
    virtual void MapCommand(const std::string& argument) {}
    // The set-alias command: the alias, trimmed; empty removes it.
    virtual void SetAliasCommand(const std::string& alias) {}
};

}  // namespace trellan
