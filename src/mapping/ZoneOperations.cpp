#include "mapping/ZoneOperations.h"

#include <algorithm>
#include <limits>
#include <unordered_set>

#include "common/Errors.h"
#include "mapping/CrossLinkEntry.h"
#include "mapping/Directions.h"
#include "mapping/WorldCrossLinks.h"

namespace trellan {

namespace {

// Positions wrap at the ends of the integer range, as every step does.
std::int32_t Wrap(std::int64_t value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}

bool FitsPosition(std::int64_t value) {
    return value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max();
}

void AddEntry(World& world, MudRoom* room, std::string entry) {
    room->AutoMaps.push_back(std::move(entry));
    world.NoteRoomEdited(room);
}

}  // namespace

ZoneOperations::ZoneOperations(Placement& placement, Linker& linker, ZoneFiles& files, ZoneMessages messages,
                               ZoneOperationHooks hooks)
    : linker_(linker),
      world_(placement.GetWorld()),
      view_(placement.View()),
      config_(placement.Config()),
      files_(files),
      messages_(messages),
      hooks_(std::move(hooks)) {}

bool ZoneOperations::InShownZone(const MudRoom* room) const {
    return room != nullptr && world_.Contains(room) && !world_.ShownZone().empty() &&
           world_.ShownZone() == world_.CurrentZone && world_.ZoneOf(room) == world_.ShownZone();
}

std::int32_t ZoneOperations::HighestTag(const std::string& zone) const {
    std::int32_t highest = 0;
    for (const RoomSlot& slot : world_.RoomsOfZone(zone)) highest = std::max(highest, slot.Room()->Tag);
    return highest;
}

bool ZoneOperations::ZoneNameTaken(const std::string& zone) const {
    return files_.ZoneFileExists(zone) || world_.Tree().FindZone(zone) != nullptr || !world_.RoomsOfZone(zone).empty();
}

// --- A new empty zone ----------------------------------------------------------

std::string ZoneOperations::CreateZone() {
    if (world_.CurrentWorld.empty()) return {};
    const std::string previous = world_.CurrentZone;
    const bool wasSaved = world_.MapSaved;
    world_.ClearZone();
    const std::string caption = messages_.NewZoneCaption();
    std::string name = caption;
    for (long long n = 1; ZoneNameTaken(name); ++n) name = caption + " " + std::to_string(n);

    world_.CurrentZone = name;
    world_.AddZoneNode(name);
    world_.LoadZone();
    world_.LastRoomNumber = 0;
    try {
        files_.SaveZone();
    } catch (const TrellanError&) {
        // A zone is there while its file is: without the file it never was.
        world_.RemoveZone(name);
        world_.MapSaved = wasSaved;
        world_.CurrentZone = previous;
        world_.LoadZone();
        view_.InvalidateRooms();
        view_.CenterOnCurrentRoom();
        throw;
    }
    view_.InvalidateRooms();
    view_.CenterOnCurrentRoom();
    if (hooks_.CaptionChanged) hooks_.CaptionChanged();
    return name;
}

// --- Renumbering -----------------------------------------------------------------

void ZoneOperations::RewritePartners(MudRoom* r, const std::string& zone) {
    const std::vector<std::string> entries = r->AutoMaps;
    for (const std::string& text : entries) {
        CrossLinkEntry entry = CrossLinkEntry::Parse(text);
        // An entry without a number names no room and has no partner to fix.
        std::optional<std::int32_t> number = entry.RoomNumber();
        if (entry.Zone.empty() || !number) continue;
        MudRoom* partner = world_.GlobalFindRoomByTag(*number, entry.Zone);
        if (partner == nullptr) continue;
        const std::string back = Opposite(entry.Exit, config_);
        int index = FindCrossLink(*partner, back, config_);
        if (index < 0) continue;
        partner->AutoMaps[index] = RewriteCrossLink(partner->AutoMaps[index], zone, back, r->Tag);
        world_.NoteRoomEdited(partner);
        world_.MapSaved = false;
    }
}

// --- Starting a new zone -----------------------------------------------------------

ZoneResult ZoneOperations::StartNewZone(Direction d) {
    MudRoom* t = world_.TargetRoom;
    if (!InShownZone(t) || world_.CurrentWorld.empty()) return ZoneResult::Nothing();
    const std::int32_t targetTag = t->Tag;
    const bool vertical = !IsHorizontal(d);

    std::vector<MudRoom*> list;
    if (vertical) {
        std::int32_t x = t->X;
        std::int32_t y = t->Y;
        std::int32_t l = t->L;
        StepCell(d, x, y, l);
        MudRoom* beyond = world_.FindRoom(x, y, l);
        if (beyond != nullptr && beyond != t) list.push_back(beyond);
    } else if (!ListAtHand(d, t, list)) {
        return ZoneResult::Refused(messages_.CantStartNewZone());
    }
    if (list.empty()) return ZoneResult::Refused(messages_.CantStartNewZone());
    ListAtStart(t, list, d);
    // The corridor from T to the part is dropped; a part made of corridor
    // cells alone would leave an empty zone behind.
    auto first = std::find_if(list.begin(), list.end(), [](const MudRoom* r) { return !r->Pipe; });
    if (first == list.end()) return ZoneResult::Refused(messages_.CantStartNewZone());

    const std::string phrase = config_.DirectionPhrases[Index(d)];
    const std::string backPhrase = config_.DirectionPhrases[Index(OppositeDirection(d))];
    const std::string oldZone = world_.CurrentZone;
    const std::string newZone = CreateZone();
    if (newZone.empty()) return ZoneResult::Nothing();

    if (!vertical) AddEntry(world_, t, newZone + "|" + phrase + "|1");
    std::size_t begin = 0;
    while (list[begin]->Pipe) world_.RemoveRoom(list[begin++]);
    MudRoom* f = list[begin];

    std::int32_t ox = 0;
    std::int32_t oy = 0;
    std::int32_t ol = 0;
    if (!vertical) {
        ox = f->X;
        oy = f->Y;
        ol = f->L;
        AddEntry(world_, f, oldZone + "|" + backPhrase + "|" + std::to_string(targetTag));
        f->Link(OppositeDirection(d)) = true;
        world_.NoteRoomEdited(f);
    }

    view_.DL = 0;
    world_.LastRoomNumber = 0;
    const std::unordered_set<const MudRoom*> moving(list.begin() + begin, list.end());
    for (std::size_t i = begin; i < list.size(); ++i) {
        MudRoom* r = list[i];
        // Into the new zone before the new number: until then an old room
        // with that number could pass for R when its partners are looked up.
        world_.SetRoomZone(r, newZone);
        if (!r->Pipe) {
            world_.SetRoomTag(r, ++world_.LastRoomNumber);
            RewritePartners(r, newZone);
        }
        if ((d == Direction::Down && r->ChU) || (d == Direction::Up && r->ChD)) {
            std::int32_t level = Wrap(std::int64_t(r->L) + (d == Direction::Down ? 1 : -1));
            MudRoom* q = world_.GlobalFindRoom(r->X, r->Y, level, oldZone);
            if (q != nullptr && moving.count(q) == 0) {
                AddEntry(world_, q, newZone + "|" + phrase + "|" + std::to_string(r->Tag) + "|");
                AddEntry(world_, r, oldZone + "|" + backPhrase + "|" + std::to_string(q->Tag) + "|");
            }
        }
        r->Checked = false;
        world_.MoveRoom(r, Wrap(std::int64_t(r->X) - ox), Wrap(std::int64_t(r->Y) - oy), Wrap(std::int64_t(r->L) - ol));
    }

    ZoneResult result;
    result.Errors = files_.SaveWorld();
    world_.LoadZone();
    view_.InvalidateRooms();
    view_.InvalidateBounds();
    view_.CenterOnCurrentRoom();
    if (hooks_.CaptionChanged) hooks_.CaptionChanged();
    return result;
}

// --- Joining a zone ------------------------------------------------------------------

ZoneResult ZoneOperations::MergeZone(Direction d) {
    MudRoom* t = world_.TargetRoom;
    if (!InShownZone(t)) return ZoneResult::Nothing();
    const std::string current = world_.CurrentZone;
    const ZoneResult refused = ZoneResult::Refused(messages_.CantMergeZone());

    const int k = FindCrossLink(*t, d, config_);
    if (k < 0) return refused;
    const CrossLinkEntry entry = CrossLinkEntry::Parse(t->AutoMaps[k]);
    const std::optional<std::int32_t> number = entry.RoomNumber();
    if (!number || entry.Zone == current) return refused;
    const std::string zone = entry.Zone;
    MudRoom* p = world_.GlobalFindRoomByTag(*number, zone);
    if (p == nullptr) return refused;

    std::int32_t sx = 0;
    std::int32_t sy = 0;
    std::int32_t sl = 0;
    StepCell(d, sx, sy, sl);
    const std::int64_t ox = std::int64_t(t->X) - p->X + sx;
    const std::int64_t oy = std::int64_t(t->Y) - p->Y + sy;
    const std::int64_t ol = std::int64_t(t->L) - p->L + sl;

    std::vector<MudRoom*> joining;
    joining.reserve(world_.RoomsOfZone(zone).size());
    for (const RoomSlot& slot : world_.RoomsOfZone(zone)) {
        MudRoom* r = slot.Room();
        const std::int64_t x = r->X + ox;
        const std::int64_t y = r->Y + oy;
        const std::int64_t l = r->L + ol;
        // A room pushed off the grid's range cannot be placed at all.
        if (!FitsPosition(x) || !FitsPosition(y) || !FitsPosition(l)) return refused;
        if (world_.GlobalFindRoom(std::int32_t(x), std::int32_t(y), std::int32_t(l), current) != nullptr) {
            return refused;
        }
        joining.push_back(r);
    }

    t->AutoMaps.erase(t->AutoMaps.begin() + k);
    world_.NoteRoomEdited(t);
    int back = FindCrossLink(*p, OppositeDirection(d), config_);
    if (back >= 0) p->AutoMaps.erase(p->AutoMaps.begin() + back);
    world_.NoteRoomEdited(p);

    world_.LastRoomNumber = std::max(world_.LastRoomNumber, HighestTag(current));
    for (MudRoom* r : joining) {
        world_.SetRoomZone(r, current);
        if (!r->Pipe) {
            world_.SetRoomTag(r, ++world_.LastRoomNumber);
            RewritePartners(r, current);
        }
        r->Checked = false;
        world_.MoveRoom(r, std::int32_t(r->X + ox), std::int32_t(r->Y + oy), std::int32_t(r->L + ol));
    }

    ZoneResult result;
    // The joined zone is written empty first, so that its file can hold no
    // rooms twice even when it cannot be deleted.
    result.Errors = files_.SaveWorld();
    ZoneFileChange deleted = files_.DeleteZoneFile(zone);
    if (deleted.Done) {
        world_.RemoveZone(zone);
        world_.SetZoneLocked(zone, false);
        RemoveCrossLinksTo(world_, zone, config_);
    } else {
        result.Errors.push_back(messages_.CantDeleteZone(zone, deleted.Why));
    }
    world_.LoadZone();
    view_.InvalidateRooms();
    view_.InvalidateBounds();
    view_.CenterOnCurrentRoom();
    if (hooks_.CaptionChanged) hooks_.CaptionChanged();
    return result;
}

// --- Deleting a room -----------------------------------------------------------------

ZoneResult ZoneOperations::DeleteRoom() {
    MudRoom* t = world_.TargetRoom;
    if (!InShownZone(t)) return ZoneResult::Nothing();
    if (t == world_.CurrentRoom) {
        if (hooks_.TracingOff) hooks_.TracingOff();
        world_.CurrentRoom = nullptr;
    }
    for (Direction direction : kAllDirections) {
        if (!t->Link(direction)) continue;
        // The linker takes the direction as text; the phrase stands in for a
        // command that does not name this direction (left empty, say).
        const std::string& command = config_.MoveCommands[Index(direction)];
        linker_.DeleteLink(
            t, CommandDirection(command, config_) == direction ? command : config_.DirectionPhrases[Index(direction)]);
    }
    const std::vector<std::string> entries = t->AutoMaps;
    // Removed first, so that no look-up below can take it for its partner.
    world_.RemoveRoom(t);
    for (const std::string& entry : entries) UnlinkPartner(world_, entry, config_);
    world_.MapSaved = false;
    view_.InvalidateBounds();
    view_.Refresh();
    return {};
}

}  // namespace trellan
