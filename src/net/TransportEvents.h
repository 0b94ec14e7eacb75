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

    virtual void SSClientConnect(ClientId client) = 0;
    virtual void SSClientDisconnect(ClientId client) = 0;
    virtual void SSClientRead(ClientId client) = 0;
    virtual void SSClientWrite(ClientId client) = 0;
    virtual void SSClientError(ClientId client, const std::string& message) = 0;

    virtual void CSConnect() = 0;
    virtual void CSDisconnect() = 0;
    virtual void CSRead() = 0;
    virtual void CSWrite() = 0;
    virtual void CSError(const std::string& message) = 0;
};

// Forwards every event to a session object with handlers of the same names.
// Does not own the session.
template <class Session>
class SessionEvents final : public TransportEvents {
public:
    explicit SessionEvents(Session& session) : session_(session) {}

    void SSClientConnect(ClientId client) override { session_.SSClientConnect(client); }
    void SSClientDisconnect(ClientId client) override { session_.SSClientDisconnect(client); }
    void SSClientRead(ClientId client) override { session_.SSClientRead(client); }
    void SSClientWrite(ClientId client) override { session_.SSClientWrite(client); }
    void SSClientError(ClientId client, const std::string& message) override {
        session_.SSClientError(client, message);
    }

    void CSConnect() override { session_.CSConnect(); }
    void CSDisconnect() override { session_.CSDisconnect(); }
    void CSRead() override { session_.CSRead(); }
    void CSWrite() override { session_.CSWrite(); }
    void CSError(const std::string& message) override { session_.CSError(message); }

private:
    Session& session_;
};

}  // namespace trellan
