#pragma once
// The proxy's sessions: the listening socket SS that the player's MUD client
// connects to, and the connection CS to the MUD server that each client
// connection (re)starts. The handlers are called by the transport when a
// socket event arrives; each runs to completion.
//
// One client plays at a time: a client that connects while another is
// connected replaces it (the older one is told and closed), and the server
// connection lives while the client is connected.
#include <cstdint>
#include <string>
#include <string_view>

#include "proxy/ProxyConfig.h"
#include "proxy/ServerOutputStream.h"
#include "proxy/SessionHooks.h"
#include "proxy/Transport.h"

namespace trellan {

class DebugLog;

class ProxySession {
public:
    static constexpr std::string_view Banner = "\033[1;33m<Trellan v. 2.5.3 (Win2K Server fix)> is online\033[0m";
    static constexpr std::string_view ServerErrorMessage =
        "\r\n\033[1;33m<Trellan>\033[1;31m Server communication error\033[0m\r\n";

    // Told to a client just before a newer connection replaces it, in the
    // server's code page.
    std::string ReplacedClientMessage() const;

    // `transport` and `log` must outlive the session.
    ProxySession(Transport& transport, DebugLog& log);

    // The tracker (or whatever follows the stream); must outlive the session
    // or be replaced before it goes.
    void SetHooks(SessionHooks& hooks);

    // --- socket events
    void OnClientConnected(ClientId client);
    void OnClientDisconnected(ClientId client);
    void OnClientReadable(ClientId client);
    void OnClientWritable(ClientId client);
    void OnClientError(ClientId client, const std::string& message);
    void OnServerConnected();
    void OnServerDisconnected();
    void OnServerReadable();
    void OnServerWritable();
    void OnServerError(const std::string& message);

    // Ends any session, takes the new settings and listens again; CS is
    // connected when the next client arrives. False (and ListenError() says
    // why) when the listening socket cannot be opened.
    bool ApplyConnectionSettings(const ProxyConfig& config);
    const std::string& ListenError() const { return listenError_; }
    // The server's code page may change while connected (the profile was
    // edited); everything else of the connection waits for the next one.
    void SetServerCharset(ServerCharset charset);

    // Trellan's own messages: to the oldest client connection, and only when
    // there is one.
    void SendToClient(std::string_view text);
    // Unchanged to CS.
    void SendToServer(std::string_view text);

    // Closes CS if it is connected, as a lost connection: the clients are
    // dropped as when the server closes.
    void CloseServerConnection();

    bool ServerConnected() const { return serverConnected_; }
    bool ClientPresent() const { return clientPresent_; }
    const ProxyConfig& Config() const { return config_; }
    const ServerOutputStream& OutputStream() const { return stream_; }
    const MccpStatus& Status() const { return stream_.Status(); }

private:
    // What follows CS closing: tracing off, the clients dropped when
    // `dropClients` and one is present, the MCCP state reset.
    void ServerGone(const char* disableLine, const char* enableLine, bool dropClients);
    void ListenAgain();
    bool AnyClient() const;

    Transport& transport_;
    DebugLog& log_;
    SessionHooks defaultHooks_;
    SessionHooks* hooks_ = &defaultHooks_;
    ProxyConfig config_;
    ServerOutputStream stream_;
    bool serverConnected_ = false;
    bool clientPresent_ = false;
    std::string listenError_;
};

}  // namespace trellan
