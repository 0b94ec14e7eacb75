#pragma once
// Joins the proxy session to the tracker: the server's text goes to the
// tracker's passes, the client's bytes to the client input stream, and a
// lost session switches tracing off. The proxy knows only SessionHooks.
#include "proxy/SessionHooks.h"
#include "tracking/ClientInputStream.h"
#include "tracking/MovementTracker.h"

namespace trellan {

class TrackingHooks : public SessionHooks {
public:
    // Both must outlive the hooks.
    TrackingHooks(MovementTracker& tracker, ClientInputStream& input) : tracker_(tracker), input_(input) {}

    void TracingOff() override { tracker_.SetTracing(MovementTracker::TracingSwitch::Off); }
    void ProcessServerText(const std::string& text) override { tracker_.ProcessServerText(text); }
    void RoomReported(const RoomReport& report) override { tracker_.AddRoomReport(report); }
    bool ClientInput(ClientId client, std::string_view bytes) override {
        input_.Feed(bytes);
        return true;
    }
    void ClientClosed(ClientId client) override { input_.Reset(); }

private:
    MovementTracker& tracker_;
    ClientInputStream& input_;
};

}  // namespace trellan
