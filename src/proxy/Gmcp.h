#pragma once
// GMCP (telnet option 201): one message is a package name and a JSON value.
// Trellan asks for Room.Info and reads the room's number, name, area and
// exits from it. GMCP text is UTF-8; what Trellan keeps is Windows-1251.
#include <string>
#include <string_view>

#include "proxy/RoomReport.h"

namespace trellan {

struct GmcpMessage {
    std::string Package;  // "Room.Info"
    std::string Json;     // the rest, possibly empty
};

// Splits a subnegotiation's content at the first blank.
GmcpMessage SplitGmcp(std::string_view payload);

// The room in a Room.Info message ("num", "vnum" or "id"; "name"; "area" or
// "zone"; "exits" as an object of exit → number). An empty report for any
// other package, malformed JSON or JSON nested deeper than MaxGmcpDepth.
RoomReport RoomReportFromGmcp(const GmcpMessage& message);
inline constexpr int MaxGmcpDepth = 32;

// IAC SB GMCP "Core.Hello {...}" IAC SE followed by Core.Supports.Set for
// the Room package.
std::string GmcpRoomRequest();
// Core.Supports.Add for the Room package: sent after a client's own
// Core.Supports.Set, which would otherwise replace Trellan's.
std::string GmcpRoomSupportsAdd();

}  // namespace trellan
