// Zone file reader on arbitrary bytes: it must never crash, hang or allocate
// beyond the input's size, and whatever it reads must survive a write and a
// second read unchanged (also through the JSON lines of the map tools).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/zonefile/ZoneFileReader.h"
#include "model/zonefile/ZoneFileWriter.h"
#include "storage/JsonLine.h"
#include "storage/ZoneFileJson.h"

using namespace trellan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ExitWords words = ExitWords::Defaults();

    ZoneReadResult first = ReadZoneBytes(bytes, "fuzz.tr2", words);
    std::string written = ZoneFileBytes(first.Rooms);
    ZoneReadResult second = ReadZoneBytes(written, "fuzz.tr2", words);
    if (second.Error || second.Rooms.size() != first.Rooms.size()) std::abort();
    if (ZoneFileBytes(second.Rooms) != written) std::abort();

    for (const auto& room : first.Rooms) {
        MudRoom back = RoomFromJson(ParseJsonObject(RoomToJsonLine(*room)), words);
        std::string a, b;
        AppendRoomRecord(a, *room);
        AppendRoomRecord(b, back);
        if (a != b) std::abort();
    }

    try {
        RoomFromJson(ParseJsonObject(bytes), words);
    } catch (const JsonError&) {
    }
    return 0;
}
