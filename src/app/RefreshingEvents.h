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

    void SSClientConnect(ClientId client) override { Run([&] { session_.SSClientConnect(client); }); }
    void SSClientDisconnect(ClientId client) override { Run([&] { session_.SSClientDisconnect(client); }); }
    void SSClientRead(ClientId client) override { Run([&] { session_.SSClientRead(client); }); }
    void SSClientWrite(ClientId client) override { Run([&] { session_.SSClientWrite(client); }); }
    void SSClientError(ClientId client, const std::string& message) override {
        Run([&] { session_.SSClientError(client, message); });
    }
    void CSConnect() override { Run([&] { session_.CSConnect(); }); }
    void CSDisconnect() override { Run([&] { session_.CSDisconnect(); }); }
    void CSRead() override { Run([&] { session_.CSRead(); }); }
    void CSWrite() override { Run([&] { session_.CSWrite(); }); }
    void CSError(const std::string& message) override { Run([&] { session_.CSError(message); }); }

private:
    template <class Handler>
    void Run(Handler handler) {
        handler();
        if (AfterEvent) AfterEvent();
    }

    ProxySession& session_;
};

}  // namespace trellan
