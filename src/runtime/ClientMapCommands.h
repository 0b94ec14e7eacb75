#pragma once
// The map commands typed in the MUD client ("карта", "карта где", "карта
// сохр", "карта зона <имя>", "карта связь <команда>", "карта отмена", "карта
// повтор", "карта помощь") and the
// set-alias command ("наа <имя>"): a player with a terminal client sees the
// map around them, where Trellan thinks they are, saves, starts a zone, links
// a portal and bookmarks rooms without the window. Nothing of it reaches the
// server; every command answers the client in a few coloured lines.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tracking/TrackerExtensions.h"

namespace trellan {

class Localisation;
class MovementTracker;
class Placement;
class UndoHistory;
class ViewState;
class World;
class WorldStorage;
class ZoneOperations;
class ZoneTreeOperations;

// What the commands act on; every part must outlive the commands.
struct MapCommandParts {
    World& TheWorld;
    MovementTracker& Tracker;
    ViewState& View;
    Placement& Placer;
    WorldStorage& Storage;
    ZoneOperations& Zones;
    ZoneTreeOperations& ZoneTree;
    Localisation* Captions = nullptr;
    // Errors the window would show in a box (a zone file not written) go
    // to the program's error handler as well as to the client.
    std::function<void(const std::string&)> ReportError;
    // The map changes of the commands are undo steps; undo and redo give the
    // name of the step taken back or done again, nothing when there is none.
    UndoHistory* History = nullptr;
    std::function<std::optional<std::string>()> Undo;
    std::function<std::optional<std::string>()> Redo;
};

class ClientMapCommands : public MapCommandHooks {
public:
    explicit ClientMapCommands(MapCommandParts parts) : parts_(std::move(parts)) {}

    void MapCommand(const std::string& argument) override;
    void SetAliasCommand(const std::string& alias) override;

private:
    void ShowMap();
    void Where();
    void Save();
    void NewZone(const std::string& name);
    void CrossLink(const std::string& command);
    void Help();
    void UndoOrRedo(bool redo);

    // One line each, in Trellan's colours, 0xFF doubled as the profile asks.
    void Tell(const std::string& text, bool done);
    void Send(std::string text);
    std::string Text(const char* key, const char* utf8Default) const;

    MapCommandParts parts_;
};

}  // namespace trellan
