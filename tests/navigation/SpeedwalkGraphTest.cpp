// The prepared graph behind the speedwalk: on many generated worlds it finds
// what the literal list search finds, batch for batch, and kept current
// through edits it equals a graph built afresh.
#include <algorithm>
#include <random>

#include "navigation/NavigationFixture.h"
#include "navigation/ReferenceSearch.h"

namespace trellan::testing {
namespace {

const char* const kZones[] = {"Zone", "Other", "Third"};

// Builds random worlds in a rig: grids with holes, corridors, one-way links,
// dangerous rooms, cross links of every form.
class WorldMaker {
public:
    WorldMaker(NavigationRig& rig, std::mt19937& rng) : rig_(rig), rng_(rng) {}

    int Roll(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }

    // A grid of size x size in each zone with some cells empty, a straight
    // corridor now and then, links that mostly come in pairs.
    void Grid(int zones, int size) {
        for (int z = 0; z < zones; ++z) {
            for (int x = 0; x < size; ++x) {
                for (int y = 0; y < size; ++y) {
                    if (Roll(7) == 0) continue;  // a hole
                    bool pipe = x % 4 == 2 && y % 5 != 0 && Roll(3) != 0;
                    MudRoom* room =
                        pipe ? rig_.Pipe(x, y, 0, kZones[z]) : rig_.Put(x, y, 0, x * size + y + 1, kZones[z]);
                    rooms_.push_back(room);
                }
            }
        }
        for (MudRoom* room : rooms_) {
            for (Direction d : kAllDirections) {
                // Mostly both ways; a few one-way links make mazes whose way back differs.
                room->Link(d) = room->Pipe ? (d == Direction::West || d == Direction::East) : Roll(10) < 7;
            }
        }
    }

    // Rooms scattered over few cells: several rooms share a cell.
    void Crowd(int zones, int perZone) {
        for (int z = 0; z < zones; ++z) {
            for (int i = 0; i < perZone; ++i) {
                std::int32_t x = Roll(6), y = Roll(6), l = Roll(2);
                MudRoom* room = Roll(6) == 0 ? rig_.Pipe(x, y, l, kZones[z]) : rig_.Put(x, y, l, i + 1, kZones[z]);
                for (Direction d : kAllDirections) room->Link(d) = Roll(4) != 0;
                rooms_.push_back(room);
            }
        }
    }

    void Dangers(MudRoom* room) {
        room->Agro = Roll(15) == 0;
        room->NoStep = Roll(20) == 0;
        room->FlyDT = Roll(20) == 0;
        room->DT = Roll(25) == 0;
    }

    std::string Entry(int numbers) {
        std::string phrase = rig_.Phrase(DirectionAt(static_cast<std::size_t>(Roll(kDirectionCount))));
        std::string zone = kZones[Roll(3)];
        std::string number = std::to_string(1 + Roll(numbers));
        // Cross links with and without a command, a door command, a waiting
        // trigger, a portal, and a damaged room number.
        const std::string forms[] = {zone + "|" + phrase + "|" + number,
                                     zone + "|" + phrase + "|" + number + "|open",
                                     "|" + phrase + "||unlock",
                                     zone + "|=" + phrase + "|" + number,
                                     zone + "|portal" + number + "|" + number,
                                     zone + "|" + phrase + "|x" + number};
        return forms[Roll(6)];
    }

    void Entries(MudRoom* room, int numbers) {
        int entries = Roll(4) == 0 ? 1 + Roll(3) : 0;
        for (int e = 0; e < entries; ++e) room->AutoMaps.push_back(Entry(numbers));
    }

    std::vector<MudRoom*>& Rooms() { return rooms_; }

private:
    NavigationRig& rig_;
    std::mt19937& rng_;
    std::vector<MudRoom*> rooms_;
};

// The walk from one room to another as the speedwalk sends it: the search's
// path cut into batches of three.
std::vector<std::string> Batches(const std::optional<std::string>& path) {
    std::vector<std::string> batches;
    if (!path) return batches;
    std::string batch;
    int count = 0;
    for (std::size_t start = 0;;) {
        std::size_t semicolon = path->find(';', start);
        batch += path->substr(start, semicolon - start) + ";";
        if (++count == 3) {
            batches.push_back(batch);
            batch.clear();
            count = 0;
        }
        if (semicolon == std::string::npos) break;
        start = semicolon + 1;
    }
    if (!batch.empty()) batches.push_back(batch);
    return batches;
}

// Compares the graph a search kept current with one built afresh, room for
// room, without the kept one noticing the fresh one read the change log.
void ExpectSameAsFresh(NavigationRig& rig, const SpeedwalkSearch& kept) {
    SpeedwalkGraph fresh(rig.world, rig.mapping);
    WorldChangeLog saved = rig.world.Changes();
    saved.Everything();
    std::swap(saved, rig.world.Changes());
    fresh.Refresh();
    std::swap(saved, rig.world.Changes());
    for (const RoomSlot& slot : rig.world.AllRooms()) {
        ASSERT_EQ(kept.Graph().Describe(slot.Room()), fresh.Describe(slot.Room()));
    }
}

TEST(SpeedwalkGraphTest, ThousandsOfWorldsWalkAsTheListSearchWalks) {
    std::mt19937 rng(1729);
    int found = 0, longWalks = 0, unreachable = 0, skipped = 0;
    for (int world = 0; world < 1200; ++world) {
        NavigationRig rig;
        WorldMaker maker(rig, rng);
        const bool grid = world % 2 == 0;
        if (grid) {
            maker.Grid(1 + maker.Roll(3), 4 + maker.Roll(6));
        } else {
            maker.Crowd(1 + maker.Roll(3), 10 + maker.Roll(40));
        }
        std::vector<MudRoom*>& rooms = maker.Rooms();
        for (MudRoom* room : rooms) {
            if (maker.Roll(3) == 0) maker.Dangers(room);
            maker.Entries(room, grid ? 100 : 50);
        }
        SpeedwalkSearch search(rig.world, rig.mapping);
        for (int q = 0; q < 8; ++q) {
            MudRoom* from = rooms[maker.Roll(static_cast<int>(rooms.size()))];
            MudRoom* to = rooms[maker.Roll(static_cast<int>(rooms.size()))];
            int generations = 1 + maker.Roll(40);
            std::optional<std::string> path = search.FindPath(from, to, generations);
            std::optional<std::string> expected = ReferenceFindPath(rig.world, rig.mapping, from, to, generations);
            ASSERT_EQ(Batches(path), Batches(expected)) << "world " << world << " query " << q;
            ASSERT_EQ(path, expected) << "world " << world << " query " << q;
            found += path.has_value();
            unreachable += !path.has_value() && from != to && !to->DT;
            longWalks += path && std::count(path->begin(), path->end(), ';') >= 6;
            skipped += !search.SkippedEntries().empty();
        }
    }
    // The worlds are varied enough for the comparison to mean something.
    EXPECT_GT(found, 1500);
    EXPECT_GT(longWalks, 300);
    EXPECT_GT(unreachable, 1000);
    EXPECT_GT(skipped, 100);
}

// Edits through the world's operations and direct field edits told to the
// world: after each round the graph the search kept current equals one built
// afresh, room for room, and the walks equal the list search's.
TEST(SpeedwalkGraphTest, KeptCurrentThroughEditsItEqualsAFreshGraph) {
    std::mt19937 rng(4242);
    int edits = 0;
    for (int world = 0; world < 60; ++world) {
        NavigationRig rig;
        WorldMaker maker(rig, rng);
        maker.Grid(3, 7);
        std::vector<MudRoom*>& rooms = maker.Rooms();
        for (MudRoom* room : rooms) maker.Entries(room, 50);
        SpeedwalkSearch kept(rig.world, rig.mapping);
        kept.FindPath(rooms[0], rooms[1], 50);

        for (int round = 0; round < 25; ++round) {
            for (int e = 0; e < 1 + maker.Roll(4); ++e, ++edits) {
                MudRoom* room = rooms[maker.Roll(static_cast<int>(rooms.size()))];
                std::string zone = kZones[maker.Roll(3)];
                switch (maker.Roll(11)) {
                    case 0: {  // a new room, maybe a corridor cell
                        rig.world.CurrentZone = zone;
                        auto fresh = std::make_unique<MudRoom>();
                        fresh->X = maker.Roll(9) - 1;
                        fresh->Y = maker.Roll(9) - 1;
                        fresh->Tag = 1 + maker.Roll(60);
                        fresh->Pipe = maker.Roll(3) == 0;
                        for (Direction d : kAllDirections) fresh->Link(d) = maker.Roll(2) == 0;
                        rooms.push_back(rig.world.AddRoom(std::move(fresh)));
                        break;
                    }
                    case 1:
                        if (rooms.size() > 10) {
                            rig.world.RemoveRoom(room);
                            rooms.erase(std::find(rooms.begin(), rooms.end(), room));
                        }
                        break;
                    case 2:
                        rig.world.MoveRoom(room, maker.Roll(9) - 1, maker.Roll(9) - 1, maker.Roll(4) == 0);
                        break;
                    case 3:
                        rig.world.SetRoomTag(room, 1 + maker.Roll(60));
                        break;
                    case 4:
                        rig.world.SetRoomZone(room, zone);
                        break;
                    case 5:
                        room->Link(DirectionAt(static_cast<std::size_t>(maker.Roll(kDirectionCount)))) ^= true;
                        rig.world.NoteRoomEdited(room);
                        break;
                    case 6:
                        maker.Dangers(room);
                        rig.world.NoteRoomEdited(room);
                        break;
                    case 7:
                        room->Pipe = !room->Pipe;
                        rig.world.NoteRoomEdited(room);
                        break;
                    case 8:
                        if (!room->AutoMaps.empty() && maker.Roll(2) == 0) {
                            room->AutoMaps.erase(room->AutoMaps.begin());
                        } else {
                            room->AutoMaps.push_back(maker.Entry(60));
                        }
                        rig.world.NoteRoomEdited(room);
                        break;
                    case 9:
                        if (maker.Roll(8) == 0) rig.world.RenameZone(zone, zone == "Third" ? "Fourth" : "Third");
                        break;
                    default:  // several edits of one room in a row
                        rig.world.MoveRoom(room, room->X, room->Y + 1, room->L);
                        room->Link(Direction::East) = true;
                        rig.world.NoteRoomEdited(room);
                        rig.world.MoveRoom(room, room->X + 1, room->Y, room->L);
                        break;
                }
            }
            MudRoom* from = rooms[maker.Roll(static_cast<int>(rooms.size()))];
            MudRoom* to = rooms[maker.Roll(static_cast<int>(rooms.size()))];
            ASSERT_EQ(kept.FindPath(from, to, 60), ReferenceFindPath(rig.world, rig.mapping, from, to, 60))
                << "world " << world << " round " << round;
            ASSERT_NO_FATAL_FAILURE(ExpectSameAsFresh(rig, kept)) << "world " << world << " round " << round;
        }
    }
    EXPECT_GT(edits, 3000);
}

// The map editing operations tell the world what they change: after rooms
// placed, linked with corridors and cross links, unlinked, stepped to and
// pushed about in blocks, the kept graph still equals a fresh one.
TEST(SpeedwalkGraphTest, MapEditingKeepsTheGraphCurrent) {
    std::mt19937 rng(77);
    for (int world = 0; world < 20; ++world) {
        NavigationRig rig;
        rig.world.CurrentZone = "Zone";
        rig.world.LoadZone();
        std::vector<MudRoom*> rooms{rig.placement.NewRoomAt(0, 0, 0, "Start", "Desc.", "", RoomKind::Room)};
        SpeedwalkSearch kept(rig.world, rig.mapping);
        auto pick = [&] { return rooms[rng() % rooms.size()]; };
        auto word = [&] { return rig.mapping.MoveCommands[rng() % 4]; };
        for (int op = 0; op < 120; ++op) {
            switch (rng() % 6) {
                case 0: {
                    std::int32_t x = std::int32_t(rng() % 12) - 6, y = std::int32_t(rng() % 12) - 6;
                    if (rig.world.FindRoom(x, y, 0) == nullptr) {
                        rooms.push_back(rig.placement.NewRoomAt(x, y, 0, "Room", "Desc.", "", RoomKind::Room));
                    }
                    break;
                }
                case 1:
                    rig.linker.TryToLink(pick(), pick(), word());
                    break;
                case 2:
                    rig.linker.DeleteLink(pick(), word());
                    break;
                case 3:
                    rig.world.TargetRoom = pick();
                    rig.placement.MoveRoomTo(word());
                    break;
                case 4:
                    rig.world.TargetRoom = pick();
                    if (MudRoom* next = rig.placement.StepTo(1 + int(rng() % 4))) {
                        if (std::find(rooms.begin(), rooms.end(), next) == rooms.end()) rooms.push_back(next);
                    }
                    break;
                default: {
                    MudRoom* from = pick();
                    MudRoom* to = pick();
                    ASSERT_EQ(kept.FindPath(from, to, 100), ReferenceFindPath(rig.world, rig.mapping, from, to, 100));
                    break;
                }
            }
            // Corridor cells come and go; only the rooms the test made stay listed.
            std::erase_if(rooms, [&](MudRoom* room) { return !rig.world.Contains(room); });
            if (rooms.empty()) rooms.push_back(rig.placement.NewRoomAt(20, 20, 0, "Room", "Desc.", "", RoomKind::Room));
        }
        kept.FindPath(rooms.front(), rooms.back(), 100);
        ASSERT_NO_FATAL_FAILURE(ExpectSameAsFresh(rig, kept)) << "world " << world;
    }
}

TEST(SpeedwalkGraphTest, NewWordsRebuildTheGraph) {
    NavigationRig rig;
    MudRoom* a = rig.Put(0, 0);
    MudRoom* b = rig.Put(-1, 0);
    NavigationRig::Link(a, Direction::North, b);
    SpeedwalkSearch search(rig.world, rig.mapping);
    EXPECT_EQ(search.FindPath(a, b, 10), "n");
    rig.mapping.MoveCommands[Index(Direction::North)] = W1251("с");
    EXPECT_EQ(search.FindPath(a, b, 10), W1251("с"));
    // Another reader of the change log: the search notices and starts over.
    NavigationRig::Link(b, Direction::North, rig.Put(-2, 0));
    rig.world.Changes().Clear();
    EXPECT_EQ(search.FindPath(a, rig.world.GlobalFindRoom(-2, 0, 0, "Zone"), 10), W1251("с;с"));
}

}  // namespace
}  // namespace trellan::testing
