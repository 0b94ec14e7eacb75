#pragma once
// The proxy's sockets on Qt Network: a QTcpServer for the player's clients
// and a QTcpSocket to the MUD server, all on the thread that runs the event
// loop. Socket signals become calls on a TransportEvents sink.
//
// Memory stays bounded whatever the peers do: socket read buffers are
// limited, so a peer we stop reading from is held back by TCP flow control,
// and we stop reading from one side while the other side's write backlog is
// above HighWater, resuming below LowWater.
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "net/TransportEvents.h"
#include "proxy/Transport.h"

namespace trellan {

class QtTransport final : public QObject, public Transport {
    Q_OBJECT

public:
    static constexpr qint64 HighWater = 4 * 1024 * 1024;
    static constexpr qint64 LowWater = HighWater / 2;
    // What is kept for the server while its connection is still being made.
    static constexpr std::size_t MaxPendingToServer = 1024 * 1024;
    static constexpr qint64 SocketReadBuffer = 1024 * 1024;
    static constexpr int ConnectTimeoutMs = 30000;
    // A closed socket still flushing what was written to it is dropped
    // after this long, so a peer that never reads cannot keep it forever.
    static constexpr int LingerMs = 10000;

    explicit QtTransport(QObject* parent = nullptr);
    ~QtTransport() override;

    // Not owned; events arriving while no sink is set are dropped.
    void SetEvents(TransportEvents* events) { events_ = events; }
    // Receives the transport's own notes (data dropped, ...). Defaults to stderr.
    std::function<void(const std::string&)> OnLog;

    bool Listen(const std::string& address, std::uint16_t port, std::string& error) override;
    void StopListening() override;
    bool Listening() const override;
    std::vector<ClientId> Clients() const override;
    void SendToClient(ClientId client, std::string_view bytes) override;
    std::size_t ReadClient(ClientId client, char* buffer, std::size_t capacity) override;
    void CloseClient(ClientId client) override;
    bool ClientBacklogFull() const override { return serverPaused_; }

    void ConnectServer(const std::string& host, bool numericAddress, std::uint16_t port) override;
    bool ServerActive() const override;
    bool ServerConnected() const override;
    void SendToServer(std::string_view bytes) override;
    std::ptrdiff_t ReadServer(char* buffer, std::size_t capacity) override;
    void CloseServer() override;

    // The port actually bound (useful after Listen with port 0).
    std::uint16_t ListenPort() const;

    // Whether reading from the server (or the clients) is held back.
    bool ServerReadPaused() const { return serverPaused_; }
    bool ClientReadPaused() const { return clientsPaused_; }

private:
    void OnNewConnection();
    void OnClientReadyRead(ClientId id);
    void OnClientBytesWritten(ClientId id);
    void OnClientDisconnected(ClientId id);
    void OnClientError(ClientId id, QAbstractSocket::SocketError error);

    void OnServerConnected();
    void OnServerReadyRead();
    void OnServerBytesWritten();
    void OnServerDisconnected();
    // The server's close is reported once the stream has read what it sent
    // before closing; while a client's backlog holds that back, it waits.
    void FinishServerDisconnect();
    void OnServerError(QAbstractSocket::SocketError error);
    void FailServer(const std::string& message);

    QTcpSocket* FindClient(ClientId id) const;
    // Detaches a socket from us and lets it finish sending before it goes.
    void Linger(QTcpSocket* socket);
    void UpdateServerPause();
    void UpdateClientPause();
    void Log(const std::string& text);

    TransportEvents* events_ = nullptr;
    QTcpServer server_;
    // Keyed by id; ids only grow, so key order is age order.
    std::map<ClientId, QTcpSocket*> clients_;
    ClientId nextClientId_ = 1;

    QTcpSocket* cs_ = nullptr;
    QTimer connectTimer_;
    std::string pendingToServer_;
    bool pendingOverflowLogged_ = false;
    // Raised once per connection attempt and cleared by CloseServer, so a
    // stale queued failure of an earlier attempt never reaches the session.
    std::uint64_t serverAttempt_ = 0;

    bool serverPaused_ = false;
    // The server has closed, but its last data still waits to be read.
    bool serverClosing_ = false;
    bool clientsPaused_ = false;
};

}  // namespace trellan
