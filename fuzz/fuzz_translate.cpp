// Arbitrary server text and player input through the client input stream
// and the tracker's passes, over a small world with links, corridor cells,
// cross links, a waiting trigger and a door. Whatever arrives, nothing may
// crash or hang, the output buffer, the command queue and the pending client
// line stay within their bounds, and the position is always a room of the
// world.
//
// Input: byte 0 sets the switches (bit 0 tracing on, bit 1 walking mode,
// bit 2 ShortMode, bit 3 FollowLine, bit 4 the shown zone locked); the rest
// is a sequence of pieces separated by the byte 0x00, where a piece starting
// with 'C' is player input and anything else is one server read event.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "mapping/Linker.h"
#include "mapping/MappingConfig.h"
#include "mapping/Placement.h"
#include "mapping/ViewState.h"
#include "model/World.h"
#include "proxy/DebugLog.h"
#include "text/W1251.h"
#include "tracking/ClientInputStream.h"
#include "tracking/MovementTracker.h"

namespace {

using namespace trellan;

void Check(bool condition) {
    if (!condition) std::abort();
}

MudRoom* Add(World& world, const std::string& zone, const char* name, int x, int y, int tag, bool pipe = false) {
    auto room = std::make_unique<MudRoom>();
    room->Hint = name;
    room->X = x;
    room->Y = y;
    room->Tag = tag;
    room->Pipe = pipe;
    return world.AddLoadedRoom(zone, std::move(room));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::uint8_t switches = data[0];
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);

    World world;
    world.CurrentWorld = "W";
    MudRoom* a = Add(world, "Z", "A", 0, 0, 1);
    MudRoom* pipe = Add(world, "Z", "", -1, 0, 0, true);
    MudRoom* b = Add(world, "Z", "B", -2, 0, 2);
    MudRoom* c = Add(world, "Z", "C", 0, 1, 3);
    Add(world, "Other", "D", 5, 5, 1);
    a->ChN = b->ChS = pipe->ChN = pipe->ChS = true;
    a->ChE = c->ChW = true;
    a->AutoMaps = {"Other|" + W1251("вниз") + "|1", "Z|=trap|3", "|" + W1251("на запад") + "||open door;unlock"};
    c->AutoMaps = {"Other|" + W1251("войти") + "|x7", "Z|" + W1251("на юг") + "|-4"};
    world.CurrentZone = "Z";
    world.LoadZone();

    ViewState view(world);
    MappingConfig mappingConfig;
    Placement placement(world, view, mappingConfig);
    Linker linker(placement);
    DebugLog log;
    log.SetActive(true);
    TrackerOutput output;
    MovementTracker tracker(world, placement, linker, log, output);
    TrackerConfig config;
    config.FollowLine = (switches & 8) != 0;
    config.LeaderMoves = {"leaves", "steps into"};
    config.CantMoves = {"No way", ""};
    config.Parser.DarkMessages = {"Pitch black"};
    tracker.SetConfig(config);
    ClientInputStream input(tracker, log);

    tracker.ChangeWalkingMode((switches & 2) != 0);
    if ((switches & 4) != 0) tracker.ToggleShortMode();
    if ((switches & 16) != 0) world.SetZoneLocked("Z", true);
    if ((switches & 1) != 0) {
        tracker.SetTracing(MovementTracker::TracingSwitch::On);
        world.CurrentRoom = a;
    }

    while (!rest.empty()) {
        std::size_t end = rest.find('\0');
        std::string_view piece = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (!piece.empty() && piece[0] == 'C') {
            input.Feed(piece.substr(1));
            Check(input.PendingLine().size() <= ClientInputStream::MaxPendingLine);
        } else {
            tracker.ProcessServerText(std::string(piece));
            Check(tracker.OutputBuffer().size() <= MovementTracker::MaxOutputBuffer);
        }
        Check(tracker.CommandQueue().size() <= MovementTracker::MaxCommandQueue);
        Check(world.CurrentRoom == nullptr || world.Contains(world.CurrentRoom));
        Check(tracker.Tracing() || world.CurrentRoom == nullptr);
    }
    return 0;
}
