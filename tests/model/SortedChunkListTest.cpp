#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <vector>

#include "model/SortedChunkList.h"

namespace trellan {
namespace {

// Zones of tens of thousands of rooms split and empty their chunks; every
// change is checked against one sorted vector.
TEST(SortedChunkList, KeepsTheOrderOfOneSortedVectorThroughSplitsAndEmptiedChunks) {
    std::mt19937 rng(11);
    SortedChunkList<int, std::less<int>> list;
    std::vector<int> reference;
    int next = 0;
    auto check = [&] {
        ASSERT_EQ(list.size(), reference.size());
        ASSERT_EQ(std::vector<int>(list.begin(), list.end()), reference);
    };
    for (int round = 0; round < 60; ++round) {
        const int phase = round % 3;
        for (int i = 0; i < 400; ++i) {
            if (phase == 0 || (phase == 1 && rng() % 3 != 0)) {
                // Mostly new largest values, as rooms arrive, else anywhere.
                const int value = rng() % 4 ? next++ * 2 : static_cast<int>(rng() % (2 * next + 1)) * 2 + 1;
                if (std::binary_search(reference.begin(), reference.end(), value)) continue;
                list.Insert(value);
                reference.insert(std::upper_bound(reference.begin(), reference.end(), value), value);
            } else if (!reference.empty()) {
                const int value = reference[rng() % reference.size()];
                list.Erase(value);
                reference.erase(std::lower_bound(reference.begin(), reference.end(), value));
            }
        }
        ASSERT_NO_FATAL_FAILURE(check()) << "round " << round;
        if (round % 10 == 9) {
            std::vector<int> many;
            for (int i = 0; i < 700; ++i) many.push_back(next++ * 2);
            std::shuffle(many.begin(), many.end(), rng);
            list.InsertMany(many);
            reference.insert(reference.end(), many.begin(), many.end());
            std::sort(reference.begin(), reference.end());
            ASSERT_NO_FATAL_FAILURE(check()) << "after many, round " << round;
        }
    }
    list.Erase(-5);  // not there: nothing changes
    ASSERT_NO_FATAL_FAILURE(check());
    while (!reference.empty()) {
        list.Erase(reference.back());
        reference.pop_back();
    }
    ASSERT_NO_FATAL_FAILURE(check());
    EXPECT_TRUE(list.begin() == list.end());
}

}  // namespace
}  // namespace trellan
