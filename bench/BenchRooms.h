#pragma once
// The rooms the file and storage benchmarks read and write: zones of 200
// rooms that look like a mapped Russian MUD.
#include <memory>
#include <string>
#include <vector>

#include "model/MudRoom.h"
#include "model/RoomDefaults.h"

namespace trellan::bench {

constexpr int kRoomsPerZone = 200;

// Rooms that look like a mapped Russian MUD: a title, a three-line
// description, exits, a few cross-links and marks.
inline std::vector<std::unique_ptr<MudRoom>> MakeZone(int zone) {
    std::vector<std::unique_ptr<MudRoom>> rooms;
    const ExitWords words = ExitWords::Defaults();
    for (int i = 0; i < kRoomsPerZone; ++i) {
        auto room = std::make_unique<MudRoom>();
        room->Tag = i + 1;
        room->SetExits(i % 3 ? "N S E" : "(W) U D", words);
        room->Hint = "\xD2\xE5\xEC\xED\xE0\xFF \xF2\xF0\xEE\xEF\xE0 " + std::to_string(i);
        room->ChN = i % 2;
        room->ChS = i % 3;
        room->ChE = true;
        room->BColor = i % 5 ? kColorSilver : 0x00FF00;
        room->Description =
            "\xD3\xE7\xEA\xE0\xFF \xF2\xF0\xEE\xEF\xE0 \xE2\xFC\xB8\xF2\xF1\xFF \xEC\xE5\xE6\xE4\xF3 \xE4\xE5\xF0"
            "\xE5\xE2\xFC\xE5\xE2, \xF1\xEF\xF3\xF1\xEA\xE0\xFF\xF1\xFC \xEA \xF0\xE5\xEA\xE5.\r\n"
            "Old roots cross the path here and there, and the air smells of moss and rain.\r\n"
            "To the north you hear running water; the path goes on south and east.";
        room->X = i / 20 - zone;
        room->Y = i % 20 + zone * 3;
        room->L = zone % 4 - 2;
        room->DX = 0;
        room->DY = 300;
        room->DL = 0;
        room->DT = i % 50 == 0;
        if (i % 10 == 0) room->QuickList = "alias" + std::to_string(i);
        if (i % 25 == 0) room->AutoMaps = {"Zone" + std::to_string(zone + 1) + "|\xED\xE0 \xF1\xE5\xE2\xE5\xF0|1"};
        room->ImageIndex = i % 7;
        rooms.push_back(std::move(room));
    }
    return rooms;
}

}  // namespace trellan::bench
