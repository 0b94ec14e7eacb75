#pragma once
// What the world commands ask of the rest of the program. Every hook may be
// left empty; the storage then simply skips it.
#include <functional>

namespace trellan {

// The objects base belongs to a world: it is dropped when another world is
// loaded, read again for the new one and saved with the world.
struct ObjectsBaseHooks {
    std::function<void()> Reset;
    std::function<void()> Reload;
    std::function<void()> SaveIfChanged;
};

struct WorldStorageHooks {
    // Loading or reverting stops tracing first (walking mode).
    std::function<void()> EnterWalkingMode;
    // A new world profile is in place (listening port, skin, parser words).
    std::function<void()> ProfileRead;
    // The window caption shows the world and zone; refresh it.
    std::function<void()> CaptionChanged;
    // A world was read (loaded or reverted): what is worked out from its
    // rooms ahead of use (the speedwalk's graph) may be prepared now.
    std::function<void()> WorldRead;
    // A world was loaded from its directory (before WorldRead): its change
    // journal may put back what a crash lost.
    std::function<void()> WorldOpened;
    // The files now hold the map in memory (a whole save, a revert), in
    // WorldDirectory(): the change journal may start empty.
    std::function<void()> WorldSaved;
    ObjectsBaseHooks Objects;
};

inline void CallHook(const std::function<void()>& hook) {
    if (hook) hook();
}

}  // namespace trellan
