#pragma once
// Where QtTransport delivers socket events. The handler names are those of
// the proxy session, so SessionEvents can forward to any session type without
// net/ depending on it; the transport is built first and given its sink once
// the session exists.
#include <string>

#include "proxy/Transport.h"

namespace trellan {

class TransportEvents {
public:
    virtual ~TransportEvents() = default;

    virtual void OnClientConnected(ClientId client) = 0;
    virtual void OnClientDisconnected(ClientId client) = 0;
    virtual void OnClientReadable(ClientId client) = 0;
    virtual void OnClientWritable(ClientId client) = 0;
    virtual void OnClientError(ClientId client, const std::string& message) = 0;

    virtual void OnServerConnected() = 0;
    virtual void OnServerDisconnected() = 0;
    virtual void OnServerReadable() = 0;
    virtual void OnServerWritable() = 0;
    virtual void OnServerError(const std::string& message) = 0;
};

// Forwards every event to a session object with handlers of the same names.
// Does not own the session.
template <class Session>
class SessionEvents final : public TransportEvents {
public:
    explicit SessionEvents(Session& session) : session_(session) {}

    void OnClientConnected(ClientId client) override { session_.OnClientConnected(client); }
    void OnClientDisconnected(ClientId client) override { session_.OnClientDisconnected(client); }
    void OnClientReadable(ClientId client) override { session_.OnClientReadable(client); }
    void OnClientWritable(ClientId client) override { session_.OnClientWritable(client); }
    void OnClientError(ClientId client, const std::string& message) override {
        session_.OnClientError(client, message);
    }

    void OnServerConnected() override { session_.OnServerConnected(); }
    void OnServerDisconnected() override { session_.OnServerDisconnected(); }
    void OnServerReadable() override { session_.OnServerReadable(); }
    void OnServerWritable() override { session_.OnServerWritable(); }
    void OnServerError(const std::string& message) override { session_.OnServerError(message); }

private:
    Session& session_;
};

}  // namespace trellan
