#pragma once
// The loaded world in memory: every room of every zone (AllRooms, which owns
// them), the rooms of the zone on show in key order (ZoneRooms), the zone
// tree, the room references of the program, and the seven room look-ups.
//
// Every look-up is answered from ordered indexes and returns the first match
// in the documented order: the room list's order (file order, then creation)
// for the look-ups over the world, the zone key order for the current zone.
// To keep the indexes right, the indexed fields of a room that is in the
// world -- Tag, X, Y, L, Hint, Description, Exits, QuickList -- and the
// room's zone change ONLY through MoveRoom, SetRoomTag, SetRoomText,
// SetRoomExits, SetRoomAlias, SetRoomZone and RenameZone. Any other field
// may be assigned directly (then clear MapSaved where it is an edit); after
// assigning link flags, danger marks, Pipe or AutoMaps, call NoteRoomEdited,
// so that the structures worked out from the rooms follow. After assigning
// any other field (colour, note, picture, ...), call NoteRoomChanged, so
// that the change journal writes the room; only the current and target
// rooms it looks at anyway.
//
// CurrentRoom, TargetRoom and ReturnRoom never dangle: removing a room
// clears each of them that points at it before the room is destroyed.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/PackedIndex.h"
#include "model/MapEdits.h"
#include "model/MudRoom.h"
#include "model/RoomRange.h"
#include "model/RoomSlot.h"
#include "model/SlotArena.h"
#include "model/SlotBlock.h"
#include "model/WorldChangeLog.h"
#include "model/ZoneDirectory.h"
#include "model/ZoneTree.h"

namespace trellan {

class RoomIndexes;

// Rooms read from one zone file, with what the world's indexes need worked
// out (see World::PrepareLoadedRooms) while the rooms are still fresh in the
// cache; adding them later then never reads the rooms again.
// Made by World::NewPreparedRooms; must not outlive the world.
class PreparedRooms {
public:
    PreparedRooms() = default;
    std::size_t size() const { return count_; }
    // A fresh room at the end, for a record to be read into.
    MudRoom& Add();
    // Takes back the room Add handed out last (its record was damaged).
    void DropLast();
    // Calls f(room) for each room in order.
    template <typename F>
    void ForEachRoom(F&& f) {
        for (auto& block : blocks_) {
            for (RoomSlot& slot : *block) f(*slot.Room());
        }
    }

private:
    friend class World;
    explicit PreparedRooms(SlotArena& arena) : arena_(&arena) {}
    SlotArena* arena_ = nullptr;
    // The slots become the world's own when the rooms are added.
    std::vector<std::unique_ptr<SlotBlock>> blocks_;
    std::size_t count_ = 0;
    bool prepared_ = false;
    bool shortMode_ = false;
};

class World {
public:
    using AllRoomsRange = SlotChainRange;
    using ZoneRoomsRange = RoomSlotRange<SortedChunkList<RoomSlot*, KeyOrder>::const_iterator>;
    using ZoneFileOrderRange = RoomSlotRange<SortedChunkList<RoomSlot*, ListOrder>::const_iterator>;

    World();
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    std::string CurrentWorld;  // also the tree's root text
    // The zone to make current; assign it, then call LoadZone.
    std::string CurrentZone;
    std::int32_t LastRoomNumber = 0;
    // Use SetZoneLocked to change it, so the tree's lock images follow.
    std::vector<std::string> LockedZones;
    bool CurrentZoneLocked = false;
    // True while nothing has changed since the last save (or load).
    bool MapSaved = true;
    // Non-owning references into AllRooms, cleared when their room goes.
    MudRoom* CurrentRoom = nullptr;
    MudRoom* TargetRoom = nullptr;
    MudRoom* ReturnRoom = nullptr;
    // Called with every room about to be destroyed, after the references
    // above have been cleared, so other holders can drop theirs.
    std::function<void(MudRoom*)> OnRoomRemoved;

    // Look-ups by name ignore descriptions while this is on. Changing it
    // rebuilds the name index.
    bool ShortMode() const { return shortMode_; }
    void SetShortMode(bool on);

    // --- The lists ---------------------------------------------------------
    // Every room of the world with its zone, in list order.
    AllRoomsRange AllRooms() const;
    // The zone on show (made current by LoadZone, emptied by ClearZone) in
    // ZoneKey order; rooms of one cell in list order.
    ZoneRoomsRange ZoneRooms() const;
    // The rooms of any zone in list order (the order a zone file is written).
    ZoneFileOrderRange RoomsOfZone(std::string_view zone) const;
    // Whether the zone is known: a node of the zone tree, or a room of it.
    bool HasZone(std::string_view zone) const { return tree_.FindZone(zone) != nullptr || !RoomsOfZone(zone).empty(); }
    // The zone ZoneRooms holds; empty after ClearZone.
    const std::string& ShownZone() const { return shownZone_; }
    std::size_t RoomCount() const { return roomCount_; }
    bool Contains(const MudRoom* room) const { return Slot(room) != nullptr; }
    // The room's entry in AllRooms, or nullptr when it is not in the world.
    const RoomSlot* SlotOf(const MudRoom* room) const { return Slot(room); }
    // The entry after `slot` in list order (the first when slot is nullptr).
    const RoomSlot* NextSlot(const RoomSlot* slot) const;
    // The zone of a room of the world; empty for a room not in it.
    const std::string& ZoneOf(const MudRoom* room) const;
    // Every room's RoomSlot::Index is below this, so tables indexed by room
    // need no more entries.
    std::uint32_t RoomIndexLimit() const { return nextIndex_; }

    // --- The zone tree -----------------------------------------------------
    const ZoneTree& Tree() const { return tree_; }
    // Adds a zone node (image 0, lock state from LockedZones) unless the
    // zone already has one.
    void AddZoneNode(const std::string& zone);
    // Lists or unlists the zone in LockedZones and sets its lock image.
    // CurrentZoneLocked then tells whether the current zone is locked.
    void SetZoneLocked(const std::string& zone, bool locked);
    bool IsZoneLocked(std::string_view zone) const;

    // --- Zones -------------------------------------------------------------
    // Makes the zone named CurrentZone current: marks its tree node, rebuilds
    // its alias nodes in list order, fills ZoneRooms, recomputes
    // LastRoomNumber and CurrentZoneLocked and clears Selected on its rooms.
    // Does nothing when CurrentZone is empty.
    void LoadZone();
    // Clears Selected and Checked on the rooms of ZoneRooms and empties it;
    // the rooms stay in AllRooms.
    void ClearZone();
    // Every room listed under `from` is listed under `to` (joining that zone
    // when it already has rooms); CurrentZone, the shown zone, LockedZones
    // and the tree node follow. Cross-link entries are not rewritten.
    void RenameZone(const std::string& from, const std::string& to);
    // Destroys every room of the zone and removes its tree node; a shown
    // zone is cleared first and CurrentZone emptied when it named the zone.
    void RemoveZone(const std::string& zone);
    // Destroys every room and empties the lists and the tree; all room
    // references become none. The scalars other than those stay.
    void ClearWorld();

    // --- Rooms -------------------------------------------------------------
    // Appends a new room to AllRooms under CurrentZone; it joins ZoneRooms
    // when that zone is on show. Clears MapSaved. The world keeps the room's
    // contents in its own record: use the returned room from here on.
    MudRoom* AddRoom(std::unique_ptr<MudRoom> room);
    // Appends a room read from the file of `zone`; MapSaved is untouched.
    // A room with an alias gets its tree node (and its zone a node).
    MudRoom* AddLoadedRoom(const std::string& zone, std::unique_ptr<MudRoom> room);
    // The same for all rooms of one zone file, in file order (null entries
    // are skipped); the zone's key order is sorted once for the lot. A file
    // is best read straight into PreparedRooms and prepared right after, while
    // the rooms are fresh in the cache; their indexed fields must not change
    // between preparing and adding. The rooms keep their addresses from
    // PreparedRooms::Add on.
    PreparedRooms NewPreparedRooms() const { return PreparedRooms(arena_); }
    PreparedRooms PrepareLoadedRooms(std::vector<std::unique_ptr<MudRoom>> rooms) const;
    void PrepareLoadedRooms(PreparedRooms& rooms) const;
    void AddLoadedRooms(const std::string& zone, PreparedRooms rooms);
    void AddLoadedRooms(const std::string& zone, std::vector<std::unique_ptr<MudRoom>> rooms) {
        AddLoadedRooms(zone, PrepareLoadedRooms(std::move(rooms)));
    }
    // Makes room in the lists and indexes for `rooms` rooms in all, before
    // adding many (a world being read).
    void ReserveRooms(std::size_t rooms);
    // Removes the room from every list and the tree and destroys it.
    void RemoveRoom(MudRoom* room);
    // The same for each listed room (rooms not in the world are skipped).
    void DeleteRooms(const std::vector<MudRoom*>& rooms);

    // Changes of indexed fields of a room in the world. Each clears MapSaved.
    void MoveRoom(MudRoom* room, std::int32_t x, std::int32_t y, std::int32_t l);
    void SetRoomTag(MudRoom* room, std::int32_t tag);
    void SetRoomText(MudRoom* room, std::string hint, std::string description, std::string exits,
                     const ExitWords& words);
    void SetRoomExits(MudRoom* room, std::string exits, const ExitWords& words);
    // Sets the alias (QuickList); the room gets or loses its tree node.
    void SetRoomAlias(MudRoom* room, std::string alias);
    // Lists the room under another zone (the room object stays the same).
    void SetRoomZone(MudRoom* room, const std::string& zone);
    // Gives a room the server's identity; a room keeps the first it gets
    // (false, nothing changed, when it has another already or `id` is
    // empty). The last room given an identity is the one found by it.
    bool SetRoomServerId(MudRoom* room, std::string id);
    // Tells the change log that the room's link flags (ChN ... ChD), danger
    // marks (DT, FlyDT, Agro, NoStep), Pipe or AutoMaps were assigned.
    void NoteRoomEdited(const MudRoom* room);
    // Tells the change journal that some other field of the room (colour,
    // note, picture, doors, ...) was assigned.
    void NoteRoomChanged(const MudRoom* room);
    // The rooms the operations above changed (LoadZone and ClearZone
    // included, when they clear a room's selection marks) and the zones
    // renamed or removed, for the change journal; bookkeeping, not part of
    // the world.
    MapEdits& Edits() const { return edits_; }
    // What changed since the log's reader last emptied it (see
    // WorldChangeLog.h); the log is bookkeeping, not part of the world.
    WorldChangeLog& Changes() const { return changes_; }

    // --- Look-ups (first match, or nullptr) ----------------------------------
    MudRoom* FindRoom(std::int32_t x, std::int32_t y, std::int32_t l) const;
    MudRoom* GlobalFindRoom(std::int32_t x, std::int32_t y, std::int32_t l, std::string_view zone) const;
    MudRoom* FindRoomByTag(std::int32_t tag) const;
    MudRoom* GlobalFindRoomByTag(std::int32_t tag, std::string_view zone) const;
    MudRoom* FindRoomByName(std::string_view name, std::string_view description, std::string_view exits) const;
    MudRoom* GlobalFindRoomByName(std::string_view name, std::string_view description, std::string_view exits) const;
    MudRoom* FindRoomByAlias(std::string_view alias) const;
    // The room of the world with that server identity, or nullptr.
    MudRoom* FindRoomByServerId(std::string_view id) const;

    // --- Many cells of one zone ------------------------------------------------
    // A handle on a zone that has rooms (nullptr for one without), for callers
    // that look up many cells of it; it stays good until the next change of
    // the world's rooms or zones.
    const ZoneInfo* FindZone(std::string_view zone) const { return Zone(zone); }
    // GlobalFindRoom by handle: the first room of the cell in list order, as
    // its entry; nullptr when the cell is empty or zone is nullptr.
    const RoomSlot* FirstSlotAt(const ZoneInfo* zone, std::int32_t x, std::int32_t y, std::int32_t l) const;
    MudRoom* GlobalFindRoom(std::int32_t x, std::int32_t y, std::int32_t l, const ZoneInfo* zone) const {
        const RoomSlot* slot = FirstSlotAt(zone, x, y, l);
        return slot == nullptr ? nullptr : slot->Room();
    }
    // Every room of the cell in list order, appended to `rooms`.
    void RoomsAtCell(const ZoneInfo* zone, std::int32_t x, std::int32_t y, std::int32_t l,
                     std::vector<const RoomSlot*>& rooms) const;

private:
    RoomSlot* Slot(const MudRoom* room) const;
    RoomSlot& SlotFor(MudRoom* room);  // throws std::invalid_argument for a stranger
    ZoneInfo* Zone(std::string_view name) const;
    ZoneInfo* ZoneFor(const std::string& name);
    void ReleaseZone(ZoneInfo* zone);
    MudRoom* Append(ZoneInfo* zone, std::unique_ptr<MudRoom> room, unsigned indexParts);
    // The two halves of adding a room: the slot at the end of the list, then
    // its entries in the look-up tables and the tree.
    void Link(RoomSlot* slot, ZoneInfo* zone);
    void IndexSlot(RoomSlot* slot, unsigned indexParts);
    void Unlink(RoomSlot* slot);
    void AdoptBlock(std::unique_ptr<SlotBlock> block);
    // Re-files the slot under the room's current values of the given parts.
    void Reindex(RoomSlot& slot, unsigned mayChange);
    void CacheIndexedValues(RoomSlot& slot) const;
    std::uint64_t NameHash(const MudRoom& room) const;
    bool NameMatches(const MudRoom& room, std::string_view name, std::string_view strippedDescription,
                     std::string_view strippedExits) const;
    void UpdateZoneLocked();
    void NoteCellOf(const RoomSlot& slot) const { changes_.CellOf(slot.Zone(), slot.x_, slot.y_, slot.l_); }

    bool shortMode_ = false;
    // Server identity -> room. An entry is believed only while its room is
    // in the world and still carries that identity, so removals need not
    // reach it (they erase it to keep it small).
    std::unordered_map<std::string, MudRoom*> serverIds_;
    std::string shownZone_;
    std::uint64_t nextSeq_ = 1;
    std::uint32_t nextZoneId_ = 1;
    // Slot storage; `openBlock_` takes rooms added one at a time. The arena
    // goes last, after every block.
    mutable SlotArena arena_;
    std::vector<std::unique_ptr<SlotBlock>> blocks_;
    SlotBlock* openBlock_ = nullptr;
    RoomSlot* first_ = nullptr;
    RoomSlot* last_ = nullptr;
    // Room numbers for tables: the next never used, and those given back.
    std::uint32_t nextIndex_ = 0;
    std::vector<std::uint32_t> freeIndexes_;
    std::size_t roomCount_ = 0;
    // Which slot holds a room, by the room's address: also tells whether a
    // room is one of this world's.
    static std::uint64_t RoomAddress(const MudRoom* room) { return reinterpret_cast<std::uintptr_t>(room); }
    PackedIndex<ListOrder, MixHome> slotOf_;
    ZoneDirectory zones_;
    // Behind a pointer so that this header does not carry the index tables.
    std::unique_ptr<RoomIndexes> indexes_;
    ZoneTree tree_;
    mutable WorldChangeLog changes_;
    mutable MapEdits edits_;
    void NoteEdit(const RoomSlot& slot) const { edits_.NoteRoom(slot.Room(), slot.seq_); }
};

}  // namespace trellan
