#include "navigation/AliasSuggestions.h"

#include <algorithm>

#include "model/World.h"
#include "text/Cp1251.h"

namespace trellan {

namespace {

std::size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

std::vector<std::string> ClosestAliases(const World& world, std::string_view typed, std::size_t count) {
    const std::string wanted = UpperCp1251(typed);
    struct Candidate {
        std::size_t Distance;
        std::size_t Order;
        std::string Alias;
    };
    std::vector<Candidate> candidates;
    for (const RoomSlot& slot : world.AllRooms()) {
        const std::string& alias = slot.Room()->QuickList;
        if (alias.empty()) continue;
        if (std::any_of(candidates.begin(), candidates.end(), [&](const Candidate& c) { return c.Alias == alias; })) {
            continue;
        }
        const std::string upper = UpperCp1251(alias);
        const std::size_t distance = upper.compare(0, wanted.size(), wanted) == 0 ? 0 : EditDistance(wanted, upper);
        candidates.push_back({distance, candidates.size(), alias});
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) { return a.Distance < b.Distance; });
    std::vector<std::string> closest;
    for (std::size_t i = 0; i < candidates.size() && i < count; ++i) closest.push_back(candidates[i].Alias);
    return closest;
}

}  // namespace trellan
