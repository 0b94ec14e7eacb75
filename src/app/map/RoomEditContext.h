#pragma once
// What the room editing windows work with: the runtime's parts, the skins
// and the message boxes. Plain references; all must outlive the windows.
#include <cstdint>
#include <functional>
#include <optional>

namespace trellan {

class Dialogs;
class Linker;
class Localisation;
class Placement;
class SkinSet;
class UndoHistory;
class World;
struct MainSettings;
struct MappingConfig;

struct RoomEditContext {
    Localisation& Captions;
    World& TheWorld;
    Placement& Placer;
    Linker& Links;
    const MappingConfig& Config;
    const SkinSet& Skins;
    const MainSettings& Settings;
    Dialogs& Boxes;
    // Each edit of a cross link is an undo step (none in tests that leave it).
    UndoHistory* History = nullptr;
};

// The colour dialog preset to a colour (0x00BBGGRR); nothing when the user
// cancelled. Replaceable so that tests need no modal loop.
using ColorPicker = std::function<std::optional<std::uint32_t>(std::uint32_t initial)>;
// The colour dialog of the window system.
std::optional<std::uint32_t> PickColorWithDialog(std::uint32_t initial);

}  // namespace trellan
