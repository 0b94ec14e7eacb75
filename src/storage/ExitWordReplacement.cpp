#include "storage/ExitWordReplacement.h"

#include <vector>

#include "model/World.h"

namespace trellan {

std::string ReplaceExitWordsInText(std::string_view exits, const ExitWords& oldWords, const ExitWords& newWords) {
    std::string out;
    out.reserve(exits.size());
    std::size_t pos = 0;
    while (pos < exits.size()) {
        int best = -1;
        for (int d = 0; d < kDirectionCount; ++d) {
            const std::string& word = oldWords.Word[d];
            if (word.empty() || exits.compare(pos, word.size(), word) != 0) continue;
            if (best < 0 || word.size() > oldWords.Word[best].size()) best = d;
        }
        if (best < 0) {
            out += exits[pos++];
            continue;
        }
        out += newWords.Word[best];
        pos += oldWords.Word[best].size();
    }
    return out;
}

void ReplaceExitWords(World& world, const ExitWords& oldWords, const ExitWords& newWords, const ExitWords& stateWords) {
    // Collected first: setting Exits re-files the room in the world's indexes.
    std::vector<MudRoom*> rooms;
    rooms.reserve(world.RoomCount());
    for (const RoomSlot& slot : world.AllRooms()) rooms.push_back(slot.Room());
    for (MudRoom* room : rooms) {
        std::string converted = ReplaceExitWordsInText(room->Exits(), oldWords, newWords);
        if (converted == room->Exits()) {
            room->SetExits(std::move(converted), stateWords);
            continue;
        }
        world.SetRoomExits(room, std::move(converted), stateWords);
    }
}

void RecomputeExitStates(World& world, const ExitWords& words) {
    for (const RoomSlot& slot : world.AllRooms()) {
        MudRoom* room = slot.Room();
        // The text stays the same, so the indexes are not affected.
        std::string exits = room->Exits();
        room->SetExits(std::move(exits), words);
    }
}

}  // namespace trellan
