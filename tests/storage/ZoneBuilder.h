#pragma once
// Zone files made room by room for the tests of the world tools: rooms with
// a view centre of (1, 2, 0) and silver, corridor cells as the linker lays
// them.
#include <memory>
#include <string>
#include <vector>

#include "model/MudRoom.h"
#include "model/zonefile/ZoneFileWriter.h"
#include "text/W1251.h"

namespace trellan::testing {

class ZoneBuilder {
public:
    MudRoom& Room(std::int32_t tag, std::int32_t x, std::int32_t y, std::int32_t l, const char* nameUtf8,
                  const char* exits) {
        MudRoom& room = Add(x, y, l);
        room.Tag = tag;
        room.Hint = W1251(nameUtf8);
        room.SetExits(exits, ExitWords::Defaults());
        return room;
    }
    // A corridor cell as the linker lays it.
    void Pipe(std::int32_t x, std::int32_t y, bool northSouth) {
        MudRoom& pipe = Add(x, y, 0);
        pipe.Pipe = true;
        pipe.Description = "Pipe";
        pipe.SetExits(northSouth ? "NS" : "WE", ExitWords::Defaults());
        (northSouth ? pipe.ChN : pipe.ChW) = true;
        (northSouth ? pipe.ChS : pipe.ChE) = true;
    }
    void Write(const std::string& file) { WriteZoneFile(file, rooms_); }

private:
    MudRoom& Add(std::int32_t x, std::int32_t y, std::int32_t l) {
        MudRoom& room = *rooms_.emplace_back(std::make_unique<MudRoom>());
        room.X = x;
        room.Y = y;
        room.L = l;
        room.DX = 1;
        room.DY = 2;
        room.DL = 0;
        room.BColor = 0xC0C0C0;
        return room;
    }
    std::vector<std::unique_ptr<MudRoom>> rooms_;
};

}  // namespace trellan::testing
