#include "model/FlatHashMap.h"

#include <gtest/gtest.h>

#include <random>
#include <unordered_map>

namespace trellan {
namespace {

// Few distinct hashes, so that probe runs are long and wrap around the end
// of the table, which is where backward-shift erase can go wrong.
struct CrowdedHash {
    std::size_t operator()(int key) const { return static_cast<std::size_t>(key % 7) * 5 + 13; }
};

TEST(FlatHashMapTest, AgreesWithAStandardMapUnderRandomInsertsAndErases) {
    FlatHashMap<int, int, CrowdedHash> map;
    std::unordered_map<int, int> expected;
    std::mt19937 random(7);
    for (int step = 0; step < 20000; ++step) {
        int key = static_cast<int>(random() % 300);
        if (random() % 3 == 0) {
            map.Erase(key);
            expected.erase(key);
        } else {
            map[key] = step;
            expected[key] = step;
        }
        if (step % 97 == 0) {
            ASSERT_EQ(map.Size(), expected.size());
            for (int k = 0; k < 300; ++k) {
                const int* found = map.Find(k);
                auto it = expected.find(k);
                ASSERT_EQ(found != nullptr, it != expected.end()) << "key " << k << " step " << step;
                if (found != nullptr) ASSERT_EQ(*found, it->second);
            }
        }
    }
    map.Clear();
    EXPECT_EQ(map.Size(), 0u);
    EXPECT_EQ(map.Find(1), nullptr);
    map[1] = 5;
    EXPECT_EQ(*map.Find(1), 5);
}

}  // namespace
}  // namespace trellan
