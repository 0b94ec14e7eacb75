#pragma once
// The tree of zones shown beside the map, as plain data for the view to
// draw: the root (its text is the world's name, World::CurrentWorld), one
// node per zone, and under each zone one node per room with an alias. The
// World keeps it in step with the rooms; the view only reads it.
#include <string>
#include <string_view>
#include <vector>

#include "model/MudRoom.h"

namespace trellan {

inline constexpr int kZoneImage = 0;
inline constexpr int kCurrentZoneImage = 3;
inline constexpr int kLockedZoneStateImage = 5;
inline constexpr int kNoStateImage = -1;
inline constexpr int kAliasImage = 4;             // a room without a picture
inline constexpr int kAliasPictureImageBase = 6;  // plus the room's ImageIndex

// A bookmarked room. The text and image follow the room, so they are read
// from it rather than copied.
struct AliasNode {
    MudRoom* Room = nullptr;

    const std::string& Text() const { return Room->QuickList; }
    int ImageIndex() const { return Room->ImageIndex == 0 ? kAliasImage : kAliasPictureImageBase + Room->ImageIndex; }
    int SelectedIndex() const { return ImageIndex(); }
};

struct ZoneNode {
    std::string Text;  // the zone's name
    int ImageIndex = kZoneImage;
    int StateIndex = kNoStateImage;
    bool Expanded = false;
    std::vector<AliasNode> Aliases;
};

class ZoneTree {
public:
    // Zone nodes in the order they were added (the view may sort them).
    const std::vector<ZoneNode>& Zones() const { return zones_; }
    const ZoneNode* FindZone(std::string_view name) const;
    // The selected zone node's text; empty when none is selected.
    const std::string& SelectedZone() const { return selected_; }

private:
    friend class World;

    ZoneNode* Find(std::string_view name);
    // Returns the existing node of that name or appends a new one.
    ZoneNode& Add(const std::string& name, bool locked);
    void Remove(std::string_view name);
    void AddAlias(std::string_view zone, MudRoom* room, bool locked);
    void RemoveAlias(std::string_view zone, const MudRoom* room);
    void Clear();

    std::vector<ZoneNode> zones_;
    std::string selected_;
};

}  // namespace trellan
