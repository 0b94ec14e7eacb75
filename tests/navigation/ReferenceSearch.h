#pragma once
// The speedwalk search written the slow, literal way: an ordered list of
// (path, room) pairs holding two generations, "already listed" a scan of
// the list. The real search must find exactly what this one finds. One
// thing differs from the oldest form of the search: "++" does not walk a
// cross link whose exit is a direction phrase (it would send the phrase to
// the MUD as a command).
#include <algorithm>
#include <charconv>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "mapping/Directions.h"
#include "model/World.h"
#include "text/TextUtils.h"

namespace trellan::testing {

inline std::optional<std::string> ReferenceFindPath(const World& world, const MappingConfig& config,
                                                    const MudRoom* current, const MudRoom* target, int maxGenerations) {
    if (current == nullptr || target == nullptr || current == target || target->DT) return std::nullopt;
    std::vector<std::pair<std::string, const MudRoom*>> list{{"", current}};
    auto listed = [&](const MudRoom* room) {
        for (const auto& pair : list) {
            if (pair.second == room) return true;
        }
        return false;
    };
    auto blocked = [&](const MudRoom* room) {
        return room->DT || ((room->Agro || room->FlyDT || room->NoStep) && room != target);
    };
    auto addRoomSW = [&](const MudRoom* room, const std::string& path, const std::string& command) {
        const std::string zone = world.ZoneOf(room);
        std::size_t semicolon = path.rfind(';');
        std::string last = semicolon == std::string::npos ? std::string() : path.substr(semicolon + 1);
        if (Opposite(command, config) == last) return 0;
        if (command != "++" && !WasStep(*room, command, config)) return 0;
        int added = 0;
        std::string t = command;
        const MudRoom* f = nullptr;
        std::optional<Direction> d = CommandDirection(command, config);
        for (const std::string& entry : room->AutoMaps) {
            std::string f1 = GetToken(1, entry, "|"), f2 = GetToken(2, entry, "|");
            std::string f3 = GetToken(3, entry, "|"), f4 = GetToken(4, entry, "|");
            bool matches = d && f2 == config.DirectionPhrases[Index(*d)];
            // Direction links are walked by their movement command only.
            bool phrase = std::find(config.DirectionPhrases.begin(), config.DirectionPhrases.end(), f2) !=
                          config.DirectionPhrases.end();
            if (f1.empty() && !f4.empty() && matches) {
                t = f4 + ";" + t;
            } else if (!f1.empty() && (matches || (command == "++" && !phrase))) {
                if (f2.empty() || f2[0] != '=') {
                    std::int32_t number = 0;
                    auto [end, error] = std::from_chars(f3.data(), f3.data() + f3.size(), number);
                    if (f3.empty() || error != std::errc() || end != f3.data() + f3.size()) continue;
                    f = world.GlobalFindRoomByTag(number, f1);
                }
            }
            if (f != nullptr && command == "++") t = f2;
            if (f != nullptr && !listed(f) && !blocked(f)) {
                list.emplace_back(path + ";" + (f4.empty() ? "" : f4 + ";") + t, f);
                ++added;
            }
        }
        if (f == nullptr && command != "++") {
            std::int32_t x = room->X, y = room->Y, l = room->L;
            ReposXYL(command, x, y, l, config);
            const MudRoom* g = world.GlobalFindRoom(x, y, l, zone);
            if (g != nullptr && !listed(g) && !blocked(g)) {
                list.emplace_back(path + ";" + t, g);
                ++added;
                for (const MudRoom* seen = g; seen->Pipe;) {
                    ReposXYL(command, x, y, l, config);
                    seen = world.GlobalFindRoom(x, y, l, zone);
                    if (seen == nullptr) break;
                    if (listed(seen) || seen->DT || ((seen->Agro || seen->NoStep) && seen != target)) continue;
                    list.emplace_back(path + ";" + t, seen);
                    ++added;
                }
            }
        }
        return added;
    };

    std::vector<std::string> commands(config.MoveCommands.begin(), config.MoveCommands.end());
    commands.push_back("++");
    std::size_t p = 0, c = 1;
    int a = 1, r = 0;
    while (!listed(target) && a > 0 && r < maxGenerations) {
        ++r;
        a = 0;
        std::size_t end = list.size();
        for (std::size_t i = p; i < end; ++i) {
            std::pair<std::string, const MudRoom*> pair = list[i];
            for (const std::string& command : commands) a += addRoomSW(pair.second, pair.first, command);
        }
        list.erase(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(p));
        p = c;
        c = static_cast<std::size_t>(a);
    }
    for (const auto& pair : list) {
        if (pair.second == target) return pair.first.substr(1);
    }
    return std::nullopt;
}

}  // namespace trellan::testing
