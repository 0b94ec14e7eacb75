#pragma once
// The tracker's outlets in a running Trellan: Trellan's messages and
// speedwalk batches go through the proxy session; zone files and the user
// interface's switches go to whoever registered for them (storage, the GUI).
// An outlet nobody registered for does nothing.
#include <functional>
#include <string_view>

#include "text/ServerCharset.h"
#include "tracking/TrackerOutput.h"

namespace trellan {

class ProxySession;

class SessionTrackerOutput : public TrackerOutput {
public:
    // The session must outlive this object.
    explicit SessionTrackerOutput(ProxySession& session) : session_(session) {}

    // Trellan's own messages are made in Windows-1251, their 0xFF bytes
    // doubled when `doubledFF` (the profile's AddDoubleYaLor); the client
    // gets them in the server's code page, doubled the same way.
    void SetClientTextForm(ServerCharset charset, bool doubledFF) {
        charset_ = charset;
        doubledFF_ = doubledFF;
    }

    void SendToClient(std::string_view text) override;
    void SendToServer(std::string_view text) override;
    bool ClientAndServerConnected() const override;

    void SaveZone() override {
        if (OnSaveZone) OnSaveZone();
    }
    void StartNewZone() override {
        if (OnStartNewZone) OnStartNewZone();
    }
    void MapStepBegins() override {
        if (OnMapStepBegins) OnMapStepBegins();
    }
    void MapStepEnds() override {
        if (OnMapStepEnds) OnMapStepEnds();
    }
    void TracingChanged(bool tracing) override {
        if (OnTracingChanged) OnTracingChanged(tracing);
    }
    void WalkingModeChanged(bool on) override {
        if (OnWalkingModeChanged) OnWalkingModeChanged(on);
    }
    void ShortModeChanged(bool on) override {
        if (OnShortModeChanged) OnShortModeChanged(on);
    }

    // Must not throw: a zone file that cannot be written is reported by the
    // callee.
    std::function<void()> OnSaveZone;
    std::function<void()> OnStartNewZone;
    std::function<void()> OnMapStepBegins;
    std::function<void()> OnMapStepEnds;
    std::function<void(bool)> OnTracingChanged;
    std::function<void(bool)> OnWalkingModeChanged;
    std::function<void(bool)> OnShortModeChanged;

private:
    ProxySession& session_;
    ServerCharset charset_ = ServerCharset::Windows1251;
    bool doubledFF_ = true;
};

}  // namespace trellan
