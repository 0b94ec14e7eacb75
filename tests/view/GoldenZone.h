#pragma once
// The zone of the golden pictures: every kind of room the painter knows, on
// three levels, so that a change to any part of the picture at 100 % shows.
// The pictures under golden/ were painted from this zone by the painter as
// it was before the map could zoom; keep the zone as it is.
#include <memory>
#include <string>
#include <vector>

#include "mapping/MappingConfig.h"
#include "mapping/ViewState.h"
#include "model/World.h"
#include "text/Cp1251.h"

namespace trellan {

inline constexpr int kGoldenWidth = 421;
inline constexpr int kGoldenHeight = 317;

// Fills the shown zone of `world` and centres `view` on the current room.
inline void BuildGoldenZone(World& world, ViewState& view, const MappingConfig& config) {
    const char* exits[] = {"", "N", "S E", "(N) W", "U D", "N S E W U D", "(E) (S)"};
    int n = 0;
    std::vector<MudRoom*> checked;
    for (int l = -1; l <= 1; ++l) {
        for (int x = -4; x <= 4; ++x) {
            for (int y = -6; y <= 6; ++y, ++n) {
                if ((x * 7 + y * 3 + l * 5) % 4 == 0) continue;
                auto room = std::make_unique<MudRoom>();
                room->X = x;
                room->Y = y;
                room->L = l;
                room->Tag = ++world.LastRoomNumber;
                room->SetExits(exits[n % 7], config.Words);
                room->BColor = n % 5 == 0 ? 0x00FFFF : (n % 7 == 0 ? 0x4080FF : 0xC0C0C0);
                room->Pipe = n % 11 == 0;
                room->ImageIndex = n % 9 == 0 ? 3 + n % 5 : 0;
                room->ChN = n % 2 == 0;
                room->ChE = n % 3 == 0;
                room->Hint = n % 13 == 0 ? config.Dark : Utf8ToCp1251("Комната ") + std::to_string(n);
                if (n % 17 == 0) room->AutoMaps.push_back("other|" + config.DirectionPhrases[0] + "|5");
                if (n % 19 == 0) room->AutoMaps.push_back("|" + config.DirectionPhrases[3] + "|5|open door");
                MudRoom* added = world.AddRoom(std::move(room));
                if (n % 23 == 0) checked.push_back(added);
            }
        }
    }
    world.CurrentRoom = world.FindRoom(1, 1, 0);
    view.CenterOnCurrentRoom();
    // After the refresh, which clears the check marks.
    for (MudRoom* room : checked) room->Checked = true;
}

}  // namespace trellan
