#pragma once
// What the proxy session calls in the mapper: the tracker implements these.
// The defaults do nothing, so the proxy runs on its own (tests, a plain relay).
#include <string>
#include <string_view>

#include "proxy/RoomReport.h"
#include "proxy/Transport.h"

namespace trellan {

class SessionHooks {
public:
    virtual ~SessionHooks() = default;

    // The player's position can no longer be trusted (the session ended or
    // failed): tracing goes back to walking mode.
    virtual void TracingOff() {}

    // The normalised server text of one read event (or of one piece of it,
    // when the server sends more than the stream holds at once).
    virtual void ProcessServerText(const std::string& text) {}

    // A room report of the server (MSDP or GMCP), given before the text
    // that holds its marker. A report with a Sequence seen before adds to
    // that report.
    virtual void RoomReported(const RoomReport& report) {}

    // The bytes of one client read (a chunk of any size). True when the
    // hooks took them over and relay what is meant for the MUD themselves;
    // false, the default, has the session relay them unchanged.
    virtual bool ClientInput(ClientId client, std::string_view bytes) { return false; }
    // A client connection ended (closed or failed): what it had sent of an
    // unfinished line is void.
    virtual void ClientClosed(ClientId client) {}
};

}  // namespace trellan
