// Drives a world through thousands of random edits and compares every
// look-up and both room orders with a plain linear reference, to catch an
// index left stale by any kind of change.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "model/World.h"
#include "model/ZoneKey.h"
#include "text/Cp1251.h"
#include "text/TextUtils.h"

namespace trellan {
namespace {

struct RefEntry {
    std::string zone;
    MudRoom* room;
};

class Reference {
public:
    std::vector<RefEntry> all;  // list order
    std::string shown;
    bool shortMode = false;

    std::vector<MudRoom*> ZoneOrder() const {
        std::vector<MudRoom*> rooms;
        if (shown.empty()) return rooms;
        for (const RefEntry& e : all) {
            if (e.zone == shown) rooms.push_back(e.room);
        }
        std::stable_sort(rooms.begin(), rooms.end(),
                         [](MudRoom* a, MudRoom* b) { return CompareZoneKeys(ZoneKey(*a), ZoneKey(*b)) < 0; });
        return rooms;
    }
    std::vector<MudRoom*> zoneOrder;  // refreshed by Check
    template <typename Pred>
    MudRoom* FirstInZone(Pred pred) const {
        for (MudRoom* r : zoneOrder) {
            if (pred(*r)) return r;
        }
        return nullptr;
    }
    template <typename Pred>
    MudRoom* FirstGlobal(Pred pred) const {
        for (const RefEntry& e : all) {
            if (pred(e.zone, *e.room)) return e.room;
        }
        return nullptr;
    }
    bool NameMatch(const MudRoom& r, const std::string& n, const std::string& d, const std::string& x) const {
        return r.Hint == n && (shortMode || StripChars(r.Description, " ") == StripChars(d, " ")) &&
               StripChars(r.Exits(), " ()") == StripChars(x, " ()");
    }
};

class WorldFuzz : public ::testing::Test {
protected:
    std::mt19937 rng{12345};
    World world;
    Reference ref;
    ExitWords words = ExitWords::Defaults();
    const std::vector<std::string> zones{"A", "B", "C", "a"};
    const std::vector<std::string> hints{"", "Hall", "Road", "hall"};
    // Texts longer than the hasher's chunk, with blanks in other places.
    const std::vector<std::string> descs{"", "A big hall.", "Abig hall.", "A big\r\nhall.", LongText(0),
                                         LongText(1), LongText(7)};
    const std::vector<std::string> exits{"", "N S", "(N) S", "NS", "(N)(S) E"};
    const std::vector<std::string> aliases{"", "", "\xe1\xe0\xed\xea", "\xc1\xc0\xcd\xca", "gate", "GATE", "x"};

    // Over 600 bytes; the blanks move with `shift` but the other bytes do not.
    static std::string LongText(int shift) {
        std::string text;
        for (int i = 0; i < 520; ++i) {
            text += static_cast<char>('a' + i % 26);
            if ((i + shift) % 9 == 0) text += "  ";
        }
        return text;
    }

    int Rand(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    template <typename T>
    const T& Pick(const std::vector<T>& v) {
        return v[Rand(static_cast<int>(v.size()))];
    }
    // -2..9 so that 10 > 9 textually is rare but present; now and then
    // 65536 further, a cell that agrees with a near one in its low 16 bits.
    int Coord() { return Rand(12) - 2 + (Rand(6) == 0 ? 65536 : 0); }
    int Level() {
        // -2048 and 2048 agree in their low 12 bits.
        static const int levels[] = {-2048, -1500, -1001, -1000, -999, -1, 0, 1, 2048};
        return levels[Rand(9)];
    }
    MudRoom* AnyRoom() { return ref.all.empty() ? nullptr : ref.all[Rand(static_cast<int>(ref.all.size()))].room; }
    RefEntry* Entry(MudRoom* room) {
        for (RefEntry& e : ref.all) {
            if (e.room == room) return &e;
        }
        return nullptr;
    }

    std::unique_ptr<MudRoom> NewRoom() {
        auto room = std::make_unique<MudRoom>();
        room->X = Coord() + (Rand(4) == 0 ? 8 : 0);
        room->Y = Coord();
        room->L = Level();
        room->Tag = Rand(5);
        room->Hint = Pick(hints);
        room->Description = Pick(descs);
        room->SetExits(Pick(exits), words);
        room->QuickList = Pick(aliases);
        return room;
    }

    void Step() {
        MudRoom* room = AnyRoom();
        switch (Rand(14)) {
            case 0:
            case 1: {
                MudRoom* added = world.AddRoom(NewRoom());
                ref.all.push_back({world.CurrentZone, added});
                break;
            }
            case 2: {
                std::string zone = Pick(zones);
                MudRoom* added = world.AddLoadedRoom(zone, NewRoom());
                ref.all.push_back({zone, added});
                break;
            }
            case 3:
                if (room) {
                    world.RemoveRoom(room);
                    std::erase_if(ref.all, [&](const RefEntry& e) { return e.room == room; });
                    for (MudRoom** r : {&world.CurrentRoom, &world.TargetRoom, &world.ReturnRoom}) {
                        ASSERT_NE(*r, room);
                    }
                }
                break;
            case 4:
                if (room) world.MoveRoom(room, Coord(), Coord(), Level());
                break;
            case 5:
                if (room) world.SetRoomTag(room, Rand(5));
                break;
            case 6:
                if (room) world.SetRoomText(room, Pick(hints), Pick(descs), Pick(exits), words);
                break;
            case 7:
                if (room) world.SetRoomAlias(room, Pick(aliases));
                break;
            case 8:
                if (room) {
                    std::string zone = Pick(zones);
                    world.SetRoomZone(room, zone);
                    Entry(room)->zone = zone;
                }
                break;
            case 9: {
                world.ClearZone();
                world.CurrentZone = Pick(zones);
                world.LoadZone();
                ref.shown = world.CurrentZone;
                break;
            }
            case 10: {
                if (Rand(8) != 0) break;
                std::string from = Pick(zones), to = Pick(zones);
                world.RenameZone(from, to);
                for (RefEntry& e : ref.all) {
                    if (e.zone == from) e.zone = to;
                }
                if (ref.shown == from) ref.shown = to;
                break;
            }
            case 11:
                if (Rand(6) == 0) {
                    ref.shortMode = !ref.shortMode;
                    world.SetShortMode(ref.shortMode);
                }
                break;
            case 13: {
                // A zone file's worth at once, now and then prepared before
                // the name rule changes, as a revert may find it.
                std::string zone = Pick(zones);
                std::vector<std::unique_ptr<MudRoom>> rooms;
                for (int n = Rand(12); n > 0; --n) rooms.push_back(Rand(6) == 0 ? nullptr : NewRoom());
                PreparedRooms prepared = world.PrepareLoadedRooms(std::move(rooms));
                // The world keeps the rooms where they were prepared.
                std::vector<MudRoom*> added;
                prepared.ForEachRoom([&](MudRoom& room) { added.push_back(&room); });
                if (Rand(4) == 0) {
                    ref.shortMode = !ref.shortMode;
                    world.SetShortMode(ref.shortMode);
                }
                world.AddLoadedRooms(zone, std::move(prepared));
                for (MudRoom* r : added) ref.all.push_back({zone, r});
                break;
            }
            case 12:
                world.CurrentRoom = AnyRoom();
                world.TargetRoom = AnyRoom();
                world.ReturnRoom = AnyRoom();
                break;
        }
    }

    void Check() {
        std::vector<MudRoom*> all;
        for (const RoomSlot& slot : world.AllRooms()) {
            all.push_back(slot.Room());
            ASSERT_EQ(slot.Zone(), Entry(slot.Room())->zone);
        }
        std::vector<MudRoom*> expectedAll;
        for (const RefEntry& e : ref.all) expectedAll.push_back(e.room);
        ASSERT_EQ(all, expectedAll);
        std::vector<MudRoom*> shown;
        for (const RoomSlot& slot : world.ZoneRooms()) shown.push_back(slot.Room());
        ref.zoneOrder = ref.ZoneOrder();
        ASSERT_EQ(shown, ref.zoneOrder);
        ASSERT_EQ(world.ZoneRooms().size(), shown.size());

        for (int q = 0; q < 6; ++q) {
            int x = Coord(), y = Coord(), l = Level(), tag = Rand(5);
            const std::string& zone = Pick(zones);
            auto atCell = [&](const MudRoom& r) { return r.X == x && r.Y == y && r.L == l; };
            ASSERT_EQ(world.FindRoom(x, y, l), ref.FirstInZone(atCell));
            ASSERT_EQ(world.GlobalFindRoom(x, y, l, zone),
                      ref.FirstGlobal([&](const std::string& z, const MudRoom& r) { return z == zone && atCell(r); }));
            ASSERT_EQ(world.FindRoomByTag(tag), ref.FirstInZone([&](const MudRoom& r) { return r.Tag == tag; }));
            ASSERT_EQ(
                world.GlobalFindRoomByTag(tag, zone),
                ref.FirstGlobal([&](const std::string& z, const MudRoom& r) { return z == zone && r.Tag == tag; }));
            std::string n = Pick(hints), d = Pick(descs), e = Pick(exits);
            ASSERT_EQ(world.FindRoomByName(n, d, e),
                      ref.FirstInZone([&](const MudRoom& r) { return ref.NameMatch(r, n, d, e); }));
            ASSERT_EQ(world.GlobalFindRoomByName(n, d, e),
                      ref.FirstGlobal([&](const std::string&, const MudRoom& r) { return ref.NameMatch(r, n, d, e); }));
            std::string alias = Pick(aliases);
            ASSERT_EQ(world.FindRoomByAlias(alias), ref.FirstGlobal([&](const std::string&, const MudRoom& r) {
                return !r.QuickList.empty() && UpperCp1251(r.QuickList) == UpperCp1251(alias);
            }));
        }

        // Exactly the rooms with an alias have one node, under their zone.
        std::size_t nodes = 0;
        for (const ZoneNode& node : world.Tree().Zones()) {
            for (const AliasNode& alias : node.Aliases) {
                ++nodes;
                ASSERT_FALSE(alias.Room->QuickList.empty());
                ASSERT_EQ(Entry(alias.Room)->zone, node.Text);
            }
        }
        std::size_t aliased =
            std::count_if(ref.all.begin(), ref.all.end(), [](const RefEntry& e) { return !e.room->QuickList.empty(); });
        ASSERT_EQ(nodes, aliased);
    }
};

TEST_F(WorldFuzz, EveryLookUpMatchesALinearScanAfterRandomEdits) {
    world.CurrentZone = "A";
    world.LoadZone();
    ref.shown = "A";
    for (int i = 0; i < 4000; ++i) {
        ASSERT_NO_FATAL_FAILURE(Step()) << "step " << i;
        ASSERT_NO_FATAL_FAILURE(Check()) << "after step " << i;
    }
    EXPECT_GT(world.RoomCount(), 20u);

    // Emptying the world room by room frees whole blocks of room records;
    // the rooms added afterwards are made in records given back.
    for (int i = 0; !ref.all.empty(); ++i) {
        MudRoom* room = ref.all[Rand(static_cast<int>(ref.all.size()))].room;
        world.RemoveRoom(room);
        std::erase_if(ref.all, [&](const RefEntry& e) { return e.room == room; });
        if (i % 16 == 0) ASSERT_NO_FATAL_FAILURE(Check()) << "emptying, step " << i;
    }
    EXPECT_EQ(world.RoomCount(), 0u);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_NO_FATAL_FAILURE(Step()) << "refilling, step " << i;
        ASSERT_NO_FATAL_FAILURE(Check()) << "refilling, after step " << i;
    }
}

}  // namespace
}  // namespace trellan
