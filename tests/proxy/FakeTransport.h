#pragma once
// A scripted transport: records what the session sends and closes, and lets a
// test queue what the server and the clients send. Raises no events itself;
// the test calls the session's handlers the way a socket layer would.
#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "proxy/SessionHooks.h"
#include "proxy/Transport.h"

namespace trellan::testing {

class FakeTransport : public Transport {
public:
    struct Client {
        std::string received;  // what Trellan sent to it
        std::string unread;    // what it sent, not read yet
    };

    // --- scripting
    ClientId AddClient() {
        ClientId id = nextClient_++;
        clients[id];
        return id;
    }
    void RemoveClient(ClientId id) { clients.erase(id); }
    void ServerSends(std::string_view bytes) { serverUnread.append(bytes); }
    std::string& Received(ClientId id) { return clients.at(id).received; }

    // --- Transport
    bool Listen(const std::string& address, std::uint16_t port, std::string& error) override {
        calls.push_back("Listen " + address + ":" + std::to_string(port));
        if (failListen) {
            error = "address in use";
            return false;
        }
        listening = true;
        return true;
    }
    void StopListening() override {
        calls.push_back("StopListening");
        listening = false;
        for (auto& [id, client] : clients) closedReceived[id] = client.received;
        clients.clear();
    }
    bool Listening() const override { return listening; }
    std::vector<ClientId> Clients() const override {
        std::vector<ClientId> ids;
        for (const auto& entry : clients) ids.push_back(entry.first);
        return ids;
    }
    void SendToClient(ClientId client, std::string_view bytes) override {
        auto it = clients.find(client);
        if (it != clients.end()) it->second.received.append(bytes);
    }
    std::size_t ReadClient(ClientId client, char* buffer, std::size_t capacity) override {
        auto it = clients.find(client);
        if (it == clients.end()) return 0;
        std::size_t count = std::min(capacity, it->second.unread.size());
        std::memcpy(buffer, it->second.unread.data(), count);
        it->second.unread.erase(0, count);
        return count;
    }
    void CloseClient(ClientId client) override {
        calls.push_back("CloseClient " + std::to_string(client));
        auto it = clients.find(client);
        if (it != clients.end()) closedReceived[client] = it->second.received;
        clients.erase(client);
    }

    // The newest client's backlog is what it received and the test has not
    // taken away yet.
    bool ClientBacklogFull() const override {
        return !clients.empty() && clients.rbegin()->second.received.size() > clientBacklogLimit;
    }

    void ConnectServer(const std::string& host, bool numericAddress, std::uint16_t port) override {
        calls.push_back("ConnectServer " + host + ":" + std::to_string(port) + (numericAddress ? " numeric" : " name"));
        serverActive = true;
        serverConnected = false;
        serverUnread.clear();
        serverReadPos = 0;
    }
    bool ServerActive() const override { return serverActive; }
    bool ServerConnected() const override { return serverConnected; }
    void SendToServer(std::string_view bytes) override { sentToServer.append(bytes); }
    std::ptrdiff_t ReadServer(char* buffer, std::size_t capacity) override {
        ++serverReads;
        std::size_t left = serverUnread.size() - serverReadPos;
        std::size_t count = std::min({capacity, left, maxRead});
        std::memcpy(buffer, serverUnread.data() + serverReadPos, count);
        serverReadPos += count;
        if (serverReadPos == serverUnread.size()) {
            serverUnread.clear();
            serverReadPos = 0;
        }
        return static_cast<std::ptrdiff_t>(count);
    }
    void CloseServer() override {
        calls.push_back("CloseServer");
        serverActive = false;
        serverConnected = false;
        serverUnread.clear();
        serverReadPos = 0;
    }

    // The state a test inspects or sets.
    std::vector<std::string> calls;
    std::map<ClientId, Client> clients;  // ids grow, so oldest first
    // What each closed client had received when it was closed.
    std::map<ClientId, std::string> closedReceived;
    bool listening = false;
    bool failListen = false;
    bool serverActive = false;
    bool serverConnected = false;
    std::string serverUnread;
    std::size_t serverReadPos = 0;
    std::size_t maxRead = static_cast<std::size_t>(-1);
    std::size_t clientBacklogLimit = static_cast<std::size_t>(-1);
    int serverReads = 0;
    std::string sentToServer;

private:
    ClientId nextClient_ = 1;
};

// Records what the session hands to the tracker.
class RecordingHooks : public SessionHooks {
public:
    void TracingOff() override { ++tracingOff; }
    void ProcessServerText(const std::string& text) override { texts.push_back(text); }
    void ClientClosed(ClientId client) override { closed.push_back(client); }
    void RoomReported(const RoomReport& report) override { reports.push_back(report); }

    int tracingOff = 0;
    std::vector<std::string> texts;
    std::vector<ClientId> closed;
    std::vector<RoomReport> reports;
};

}  // namespace trellan::testing
