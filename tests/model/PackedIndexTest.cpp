#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <vector>

#include "model/PackedIndex.h"

namespace trellan {
namespace {

// A key's upper bits are its home and its low byte tells keys of one home
// apart, so a test places keys where it wants them. A home of all ones is
// the last entry of a table of any size.
struct HomeFromUpperBits {
    std::size_t operator()(std::uint64_t key) const { return static_cast<std::size_t>(key >> 8); }
};
std::uint64_t KeyAt(std::uint64_t home, std::uint64_t n) {
    return (home << 8) | n;
}
std::uint64_t KeyAtTableEnd(std::uint64_t n) {
    return (~std::uint64_t(0) << 8) | n;
}

// Rooms of one key in the order of the slots' addresses, which the tests
// choose by picking elements of one array.
struct AddressOrder {
    bool operator()(const RoomSlot* a, const RoomSlot* b) const { return a < b; }
};

using Index = PackedIndex<AddressOrder, HomeFromUpperBits>;

class PackedIndexTest : public ::testing::Test {
protected:
    RoomSlot* Slot(std::size_t i) { return &slots_[i]; }

    // All rooms of the key, in order, found through FirstMatching by
    // skipping those already seen.
    std::vector<RoomSlot*> RoomsOf(const Index& index, std::uint64_t key) {
        std::vector<RoomSlot*> rooms;
        while (RoomSlot* next = index.FirstMatching(key, [&](const RoomSlot& slot) {
            return std::find(rooms.begin(), rooms.end(), &slot) == rooms.end();
        })) {
            rooms.push_back(next);
        }
        return rooms;
    }

    std::vector<RoomSlot> slots_ = std::vector<RoomSlot>(64);
};

TEST_F(PackedIndexTest, KeysSharingAHomeAreToldApartAndMissesStopAtTheRunsEnd) {
    Index index;
    EXPECT_EQ(index.First(KeyAt(3, 0)), nullptr);
    for (std::uint64_t n = 0; n < 5; ++n) index.Insert(KeyAt(3, n), Slot(n));
    index.Insert(KeyAt(4, 0), Slot(10));  // its home is taken by the run of home 3
    EXPECT_EQ(index.Size(), 6u);
    for (std::uint64_t n = 0; n < 5; ++n) EXPECT_EQ(index.First(KeyAt(3, n)), Slot(n)) << n;
    EXPECT_EQ(index.First(KeyAt(4, 0)), Slot(10));
    EXPECT_EQ(index.First(KeyAt(3, 9)), nullptr);
    EXPECT_EQ(index.First(KeyAt(5, 0)), nullptr);
    EXPECT_EQ(index.FirstMatching(KeyAt(3, 2), [](const RoomSlot&) { return false; }), nullptr);
}

TEST_F(PackedIndexTest, GrowingKeepsEveryKeyAndItsRoomsInOrder) {
    Index index;
    // Keys of crowded homes and keys with several rooms, inserted out of
    // order, through several doublings of the table.
    for (std::uint64_t n = 0; n < 200; ++n) {
        index.Insert(KeyAt(n % 7, n), Slot(n % 50));
        if (n % 10 == 0) {
            index.Insert(KeyAt(n % 7, n), Slot(60));
            index.Insert(KeyAt(n % 7, n), Slot(55));
        }
    }
    index.Insert(KeyAtTableEnd(1), Slot(2));
    index.Insert(KeyAtTableEnd(1), Slot(1));
    index.Reserve(5000);
    EXPECT_EQ(index.Size(), 201u);
    for (std::uint64_t n = 0; n < 200; ++n) {
        std::vector<RoomSlot*> expected = {Slot(n % 50)};
        if (n % 10 == 0) expected = {Slot(n % 50), Slot(55), Slot(60)};
        ASSERT_EQ(RoomsOf(index, KeyAt(n % 7, n)), expected) << n;
    }
    EXPECT_EQ(RoomsOf(index, KeyAtTableEnd(1)), (std::vector<RoomSlot*>{Slot(1), Slot(2)}));

    index.Clear();
    EXPECT_EQ(index.Size(), 0u);
    EXPECT_EQ(index.First(KeyAt(0, 0)), nullptr);
    index.Insert(KeyAt(0, 0), Slot(3));
    EXPECT_EQ(index.First(KeyAt(0, 0)), Slot(3));
}

TEST_F(PackedIndexTest, EraseMovesARunThatWrapsPastTheTableEndBack) {
    // Keys whose home is the last entry run on at the table's start, mixed
    // with keys of homes 0 and 1: a key of home 0 standing at entry 0 must
    // stay when the last entry empties, the keys after it must move back.
    Index index;
    index.Insert(KeyAtTableEnd(0), Slot(0));
    index.Insert(KeyAt(0, 0), Slot(10));
    index.Insert(KeyAtTableEnd(1), Slot(1));
    index.Insert(KeyAt(1, 0), Slot(11));
    index.Insert(KeyAtTableEnd(2), Slot(2));
    index.Insert(KeyAtTableEnd(1), Slot(5));  // makes that entry a set

    index.Erase(KeyAtTableEnd(0), Slot(0));
    EXPECT_EQ(index.Size(), 4u);
    EXPECT_EQ(index.First(KeyAtTableEnd(0)), nullptr);
    EXPECT_EQ(index.First(KeyAt(0, 0)), Slot(10));
    EXPECT_EQ(RoomsOf(index, KeyAtTableEnd(1)), (std::vector<RoomSlot*>{Slot(1), Slot(5)}));
    EXPECT_EQ(index.First(KeyAt(1, 0)), Slot(11));
    EXPECT_EQ(index.First(KeyAtTableEnd(2)), Slot(2));

    // Erasing from the middle of the wrapped run, then its head again.
    index.Erase(KeyAt(0, 0), Slot(10));
    EXPECT_EQ(RoomsOf(index, KeyAtTableEnd(1)), (std::vector<RoomSlot*>{Slot(1), Slot(5)}));
    EXPECT_EQ(index.First(KeyAt(1, 0)), Slot(11));
    EXPECT_EQ(index.First(KeyAtTableEnd(2)), Slot(2));
    index.Erase(KeyAtTableEnd(1), Slot(1));
    index.Erase(KeyAtTableEnd(1), Slot(5));
    EXPECT_EQ(index.First(KeyAtTableEnd(1)), nullptr);
    EXPECT_EQ(index.First(KeyAt(1, 0)), Slot(11));
    EXPECT_EQ(index.First(KeyAtTableEnd(2)), Slot(2));
    EXPECT_EQ(index.Size(), 2u);
}

TEST_F(PackedIndexTest, AKeyWithManyRoomsKeepsThemSortedAndShrinksBackToOne) {
    Index index;
    const std::uint64_t key = KeyAt(2, 0);
    for (std::size_t i : {4, 2, 6, 0, 5, 3}) index.Insert(key, Slot(i));  // at the end and in between
    EXPECT_EQ(index.Size(), 1u);
    EXPECT_EQ(index.First(key), Slot(0));
    EXPECT_EQ(RoomsOf(index, key), (std::vector<RoomSlot*>{Slot(0), Slot(2), Slot(3), Slot(4), Slot(5), Slot(6)}));
    // The first room for which the test holds, in order, not in insertion order.
    EXPECT_EQ(index.FirstMatching(key, [&](const RoomSlot& slot) { return &slot > Slot(3); }), Slot(4));

    index.Erase(key, Slot(1));          // not under the key: nothing happens
    index.Erase(KeyAt(2, 1), Slot(0));  // no such key
    index.Erase(key, Slot(3));
    index.Erase(key, Slot(0));
    index.Erase(key, Slot(6));
    index.Erase(key, Slot(4));
    EXPECT_EQ(RoomsOf(index, key), (std::vector<RoomSlot*>{Slot(2), Slot(5)}));
    index.Erase(key, Slot(2));
    EXPECT_EQ(RoomsOf(index, key), (std::vector<RoomSlot*>{Slot(5)}));
    // Back to one room, the entry holds it directly and takes more again.
    index.Erase(key, Slot(2));
    EXPECT_EQ(index.First(key), Slot(5));
    index.Insert(key, Slot(1));
    EXPECT_EQ(RoomsOf(index, key), (std::vector<RoomSlot*>{Slot(1), Slot(5)}));
    index.Erase(key, Slot(1));
    index.Erase(key, Slot(9));  // a single room that is another one: nothing happens
    EXPECT_EQ(index.First(key), Slot(5));
    index.Erase(key, Slot(5));
    EXPECT_EQ(index.First(key), nullptr);
    EXPECT_EQ(index.Size(), 0u);
}

TEST_F(PackedIndexTest, AgreesWithASortedMapUnderRandomInsertsAndErases) {
    // Few homes, so that runs are long, wrap around and shift on erase.
    Index index;
    std::map<std::uint64_t, std::set<RoomSlot*>> expected;
    std::mt19937 random(11);
    auto randomKey = [&] {
        std::uint64_t n = random() % 8;
        return random() % 4 == 0 ? KeyAtTableEnd(n) : KeyAt(random() % 5, n);
    };
    for (int step = 0; step < 20000; ++step) {
        std::uint64_t key = randomKey();
        RoomSlot* slot = Slot(random() % 8);
        if (random() % 2 == 0) {
            if (expected[key].insert(slot).second) index.Insert(key, slot);
        } else {
            index.Erase(key, slot);
            expected[key].erase(slot);
        }
        if (expected[key].empty()) expected.erase(key);
        if (step % 101 == 0) {
            ASSERT_EQ(index.Size(), expected.size()) << step;
            for (const auto& [k, rooms] : expected) {
                ASSERT_EQ(RoomsOf(index, k), std::vector<RoomSlot*>(rooms.begin(), rooms.end())) << step;
            }
        }
    }
}

}  // namespace
}  // namespace trellan
