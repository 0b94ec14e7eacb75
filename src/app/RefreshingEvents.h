#pragma once
// Hands every socket event to the proxy session, then lets the window show
// what changed (the compression panels, the tracing switch). Does not own
// the session.
#include <functional>
#include <string>

#include "net/TransportEvents.h"
#include "proxy/ProxySession.h"

namespace trellan {

class RefreshingEvents final : public TransportEvents {
public:
    explicit RefreshingEvents(ProxySession& session) : session_(session) {}

    std::function<void()> AfterEvent;

    void OnClientConnected(ClientId client) override { Run([&] { session_.OnClientConnected(client); }); }
    void OnClientDisconnected(ClientId client) override { Run([&] { session_.OnClientDisconnected(client); }); }
    void OnClientReadable(ClientId client) override { Run([&] { session_.OnClientReadable(client); }); }
    void OnClientWritable(ClientId client) override { Run([&] { session_.OnClientWritable(client); }); }
    void OnClientError(ClientId client, const std::string& message) override {
        Run([&] { session_.OnClientError(client, message); });
    }
    void OnServerConnected() override { Run([&] { session_.OnServerConnected(); }); }
    void OnServerDisconnected() override { Run([&] { session_.OnServerDisconnected(); }); }
    void OnServerReadable() override { Run([&] { session_.OnServerReadable(); }); }
    void OnServerWritable() override { Run([&] { session_.OnServerWritable(); }); }
    void OnServerError(const std::string& message) override { Run([&] { session_.OnServerError(message); }); }

private:
    template <class Handler>
    void Run(Handler handler) {
        handler();
        if (AfterEvent) AfterEvent();
    }

    ProxySession& session_;
};

}  // namespace trellan
