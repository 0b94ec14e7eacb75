// Reads arbitrary bytes as a GMCP message: nothing may crash, and what is
// kept obeys the limits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "proxy/Gmcp.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    trellan::GmcpMessage message = trellan::SplitGmcp(bytes);
    // Half the inputs are made a Room.Info so the JSON reading is reached.
    if (size > 0 && data[0] % 2 == 0) message.Package = "Room.Info";
    trellan::RoomReport report = trellan::RoomReportFromGmcp(message);
    if (report.Identity.size() > trellan::MaxIdentityLength) std::abort();
    if (report.Name.size() > trellan::MaxReportTextLength || report.Area.size() > trellan::MaxReportTextLength) {
        std::abort();
    }
    return 0;
}
