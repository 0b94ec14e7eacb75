#pragma once
// The proxy's view of its two sockets: the listening socket SS with its
// client connections, and the connection CS to the MUD server. net/ implements
// it on Qt Network; tests implement it with scripted fakes.
//
// Events travel the other way: the implementation calls the ProxySession
// handlers (OnClientConnected, OnServerReadable, OnServerError, ...) when a socket event arrives.
// Closing a socket through this interface raises no event: the caller already
// knows and does what the close implies.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trellan {

using ClientId = int;

class Transport {
public:
    virtual ~Transport() = default;

    // --- SS, the listening socket
    // (Re)opens the listening socket; returns false and sets `error` when the
    // address or port cannot be bound.
    virtual bool Listen(const std::string& address, std::uint16_t port, std::string& error) = 0;
    // Closes the listening socket together with every client connection.
    virtual void StopListening() = 0;
    virtual bool Listening() const = 0;
    // Open client connections, oldest first.
    virtual std::vector<ClientId> Clients() const = 0;
    virtual void SendToClient(ClientId client, std::string_view bytes) = 0;
    // Reads up to `capacity` bytes the client has sent; 0 when none wait.
    virtual std::size_t ReadClient(ClientId client, char* buffer, std::size_t capacity) = 0;
    virtual void CloseClient(ClientId client) = 0;
    // True while a client's unsent backlog is above the transport's limit:
    // the output stream then stops reading the server (and so inflating its
    // data) until the transport raises the next readable event, so a client
    // that reads slowly or not at all holds the server back through TCP flow
    // control instead of filling our memory.
    virtual bool ClientBacklogFull() const { return false; }

    // --- CS, the connection to the MUD server
    // Starts connecting; the outcome arrives as OnServerConnected or OnServerError.
    // `numericAddress` says whether `host` is an address or a name to resolve.
    virtual void ConnectServer(const std::string& host, bool numericAddress, std::uint16_t port) = 0;
    // Connecting or connected.
    virtual bool ServerActive() const = 0;
    virtual bool ServerConnected() const = 0;
    virtual void SendToServer(std::string_view bytes) = 0;
    // Reads up to `capacity` bytes the server has sent; 0 or less when none wait.
    virtual std::ptrdiff_t ReadServer(char* buffer, std::size_t capacity) = 0;
    virtual void CloseServer() = 0;
};

}  // namespace trellan
