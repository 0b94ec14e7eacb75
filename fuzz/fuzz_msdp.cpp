// Reads arbitrary bytes as an MSDP subnegotiation's content and as a server
// stream through the negotiation, split at a position taken from the input:
// nothing may crash, and the split must not change what comes out.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "proxy/Msdp.h"
#include "proxy/RoomReportNegotiation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    trellan::RoomReport report = trellan::RoomReportFromMsdp(trellan::ParseMsdp(bytes));
    if (report.Identity.size() > trellan::MaxIdentityLength) std::abort();

    // The server offers MSDP first, so its subnegotiations are read.
    const std::string stream = "\xFF\xFB\x45" + std::string(bytes);
    trellan::RoomReportNegotiation whole;
    trellan::RoomReportNegotiation::ServerOutput expected;
    whole.FromServer(stream, {}, expected);
    std::size_t cut = size == 0 ? 0 : data[0] % (stream.size() + 1);
    trellan::RoomReportNegotiation split;
    trellan::RoomReportNegotiation::ServerOutput out;
    split.FromServer(std::string_view(stream).substr(0, cut), {}, out);
    split.FromServer(std::string_view(stream).substr(cut), {}, out);
    if (out.ToClient != expected.ToClient || out.ToTracker != expected.ToTracker ||
        out.Reports.size() != expected.Reports.size()) {
        std::abort();
    }
    // The client's side too.
    if (whole.FromClient(bytes).size() > 2 * size + 64) std::abort();
    return 0;
}
