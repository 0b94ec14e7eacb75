#include "mapping/WorldCrossLinks.h"

#include <vector>

#include "mapping/CrossLinkEntry.h"
#include "mapping/Directions.h"

namespace trellan {

namespace {

bool NamesZone(std::string_view entry, std::string_view zone) {
    return entry.substr(0, entry.find('|')) == zone;
}

template <typename Visit>
void ForEachRoom(World& world, Visit visit) {
    for (const RoomSlot& slot : world.AllRooms()) visit(*slot.Room());
}

}  // namespace

std::size_t RenameCrossLinks(World& world, std::string_view from, std::string_view to) {
    std::size_t changed = 0;
    if (from.empty()) return changed;
    ForEachRoom(world, [&](MudRoom& room) {
        bool edited = false;
        for (std::string& entry : room.AutoMaps) {
            if (!NamesZone(entry, from)) continue;
            entry = std::string(to) + entry.substr(from.size());
            ++changed;
            edited = true;
        }
        if (edited) world.NoteRoomEdited(&room);
    });
    if (changed != 0) world.MapSaved = false;
    return changed;
}

std::size_t RemoveCrossLinksTo(World& world, std::string_view zone, const MappingConfig& config) {
    std::size_t removed = 0;
    if (zone.empty()) return removed;
    ForEachRoom(world, [&](MudRoom& room) {
        const std::size_t erased = std::erase_if(room.AutoMaps, [&](const std::string& entry) {
            if (!NamesZone(entry, zone)) return false;
            if (std::optional<Direction> direction = TextDirection(CrossLinkEntry::Parse(entry).Exit, config))
                room.Link(*direction) = false;
            ++removed;
            return true;
        });
        if (erased != 0) world.NoteRoomEdited(&room);
    });
    if (removed != 0) world.MapSaved = false;
    return removed;
}

void UnlinkPartner(World& world, std::string_view text, const MappingConfig& config) {
    CrossLinkEntry entry = CrossLinkEntry::Parse(text);
    std::optional<std::int32_t> number = entry.RoomNumber();
    if (entry.Zone.empty() || !number) return;
    MudRoom* partner = world.GlobalFindRoomByTag(*number, entry.Zone);
    if (partner == nullptr) return;
    const std::string back = Opposite(entry.Exit, config);
    int index = FindCrossLink(*partner, back, config);
    if (index < 0) return;
    partner->AutoMaps.erase(partner->AutoMaps.begin() + index);
    if (std::optional<Direction> direction = TextDirection(back, config)) partner->Link(*direction) = false;
    world.NoteRoomEdited(partner);
    world.MapSaved = false;
}

}  // namespace trellan
