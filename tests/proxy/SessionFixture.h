#pragma once
// A proxy session over a scripted transport, for tests that feed it server
// bytes one readable event at a time and look at what the client and the
// tracker got.
#include <gtest/gtest.h>

#include <string>

#include "FakeTransport.h"
#include "proxy/DebugLog.h"
#include "proxy/ProxySession.h"

namespace trellan::testing {

class SessionFixture : public ::testing::Test {
protected:
    // A client connects, which (re)starts the server connection.
    void NewClient() {
        client = transport.AddClient();
        session.OnClientConnected(client);
        transport.serverConnected = true;
        session.OnServerConnected();
        transport.Received(client).clear();
    }

    // One readable event bringing `bytes`.
    void Event(const std::string& bytes) {
        transport.ServerSends(bytes);
        session.OnServerReadable();
    }

    // All the text the tracker got, in one piece.
    std::string Tracked() const {
        std::string all;
        for (const std::string& text : hooks.texts) all += text;
        return all;
    }

    FakeTransport transport;
    DebugLog log;
    RecordingHooks hooks;
    ProxySession session{transport, log};
    ProxyConfig config;
    ClientId client = 0;
};

}  // namespace trellan::testing
