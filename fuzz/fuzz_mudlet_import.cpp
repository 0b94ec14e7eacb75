// Mudlet map import on arbitrary bytes: it must refuse or import, never
// crash or hang, and what it imports must be a world Trellan can keep: zone
// names a player could have typed, unique, and no two rooms in one cell.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string_view>
#include <tuple>

#include "model/zonefile/ZoneFileReader.h"
#include "model/zonefile/ZoneFileWriter.h"
#include "storage/MudletImport.h"
#include "storage/StorageNames.h"

using namespace trellan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    MudletImport import;
    try {
        import = ImportMudletMap(bytes, MappingConfig());
    } catch (const MudletMapError&) {
        return 0;
    }
    std::set<std::string> names;
    for (const ImportedZone& zone : import.Zones) {
        if (ZoneNameProblem(zone.Name) || !names.insert(zone.Name).second) std::abort();
        std::set<std::tuple<std::int32_t, std::int32_t, std::int32_t>> cells;
        for (const auto& room : zone.Rooms)
            if (!cells.emplace(room->X, room->Y, room->L).second) std::abort();
        ZoneReadResult back = ReadZoneBytes(ZoneFileBytes(zone.Rooms), "fuzz.tr2", ExitWords::Defaults());
        if (back.Error || back.Rooms.size() != zone.Rooms.size()) std::abort();
    }
    return 0;
}
