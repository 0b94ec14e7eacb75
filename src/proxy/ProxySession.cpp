#include "proxy/ProxySession.h"

#include <vector>

#include "proxy/DebugLog.h"
#include "text/W1251.h"

namespace trellan {

ProxySession::ProxySession(Transport& transport, DebugLog& log)
    : transport_(transport), log_(log), stream_(transport, log, config_) {}

void ProxySession::SetHooks(SessionHooks& hooks) {
    hooks_ = &hooks;
    stream_.SetHooks(hooks);
}

bool ProxySession::AnyClient() const { return !transport_.Clients().empty(); }

void ProxySession::OnClientConnected(ClientId client) {
    // One player, one session: the newcomer takes the game over, and the
    // client it replaces is told so and closed before it can type into the
    // new session.
    for (ClientId other : transport_.Clients()) {
        if (other == client) continue;
        log_.Log("SSClientConnect:Replacing client socket");
        transport_.SendToClient(other, ReplacedClientMessage());
        hooks_->ClientClosed(other);
        transport_.CloseClient(other);
    }
    if (transport_.ServerActive()) {
        log_.Log("SSClientConnect:Closing client socket");
        transport_.CloseServer();
        // The old server session ends; the clients stay, the new one among
        // them, since the server is connected again at once.
        ServerGone(nullptr, nullptr, false);
    }
    log_.Log("SSClientConnect:Open client socket");
    transport_.ConnectServer(config_.ServerHost(), config_.ServerIsNumeric(), config_.ServerPortInUse());
    clientPresent_ = true;
    transport_.SendToClient(client, Banner);
}

void ProxySession::OnClientDisconnected(ClientId client) {
    hooks_->ClientClosed(client);
    // With several clients the session goes on while one of them is left.
    bool othersLeft = false;
    for (ClientId other : transport_.Clients()) {
        if (other != client) othersLeft = true;
    }
    clientPresent_ = othersLeft;
    if (othersLeft) return;
    if (serverConnected_ && transport_.ServerConnected()) {
        log_.Log("SSClientDisconnect:Closing client socket");
        transport_.CloseServer();
        ServerGone(nullptr, nullptr, false);
    }
    stream_.ResetSession();
}

void ProxySession::OnClientReadable(ClientId client) {
    char buffer[4096];
    for (;;) {
        std::size_t count = transport_.ReadClient(client, buffer, sizeof buffer);
        if (count == 0) break;
        std::string_view bytes(buffer, count);
        std::string filtered;
        if (stream_.ClientFilterNeeded()) {
            filtered = stream_.Negotiation().FromClient(bytes);
            if (filtered.empty()) continue;
            bytes = filtered;
        }
        if (!hooks_->ClientInput(client, bytes)) SendToServer(bytes);
    }
}

void ProxySession::OnClientWritable(ClientId client) { log_.Log("SSClientWrite"); }

void ProxySession::OnClientError(ClientId client, const std::string& message) {
    log_.Log("SSClientError");
    hooks_->ClientClosed(client);
    serverConnected_ = false;
    hooks_->TracingOff();
    log_.Log("SSClientError:Closing server socket");
    transport_.CloseClient(client);
    log_.Log("SSClientError:Closing client socket");
    transport_.CloseServer();
    clientPresent_ = AnyClient();
    stream_.ResetSession();
}

void ProxySession::OnServerConnected() {
    log_.Log("CSConnect");
    serverConnected_ = true;
    // A new server stream always starts a fresh decompressor.
    stream_.ResetSession();
}

void ProxySession::OnServerDisconnected() {
    ServerGone("CSDisconnect:Disable server socket", "CSDisconnect:Enable server socket", true);
}

void ProxySession::OnServerReadable() {
    switch (stream_.DrainServer()) {
        case ServerOutputStream::ReadResult::Open:
            break;
        case ServerOutputStream::ReadResult::ClosedNoClient:
            ServerGone(nullptr, nullptr, false);
            break;
        case ServerOutputStream::ReadResult::ClosedCorrupt:
            ServerGone("CSDisconnect:Disable server socket", "CSDisconnect:Enable server socket", true);
            break;
    }
}

void ProxySession::OnServerWritable() { log_.Log("CSWrite"); }

void ProxySession::OnServerError(const std::string& message) {
    hooks_->TracingOff();
    SendToClient(ServerErrorMessage);
    log_.Log("CSError:Disable server socket");
    transport_.StopListening();
    clientPresent_ = false;
    log_.Log("CSError:Enable server socket");
    ListenAgain();
    log_.Log("CSError:Close client socket");
    transport_.CloseServer();
    // The connection is gone: the next one must not inherit this one's
    // state (a stale decompressor would corrupt the next session's text).
    serverConnected_ = false;
    stream_.ResetSession();
}

void ProxySession::ServerGone(const char* disableLine, const char* enableLine, bool dropClients) {
    serverConnected_ = false;
    hooks_->TracingOff();
    if (dropClients && clientPresent_ && AnyClient()) {
        log_.Log(disableLine);
        transport_.StopListening();
        log_.Log(enableLine);
        ListenAgain();
    }
    if (dropClients) clientPresent_ = AnyClient();
    stream_.ResetSession();
}

void ProxySession::ListenAgain() {
    listenError_.clear();
    if (!transport_.Listen(config_.ClientAddress, config_.ClientPort, listenError_)) {
        log_.Log("Listen " + config_.ClientAddress + ":" + std::to_string(config_.ClientPort) + ": " +
                   listenError_);
    }
}

bool ProxySession::ApplyConnectionSettings(const ProxyConfig& config) {
    // Both sockets go first, which ends any session.
    if (transport_.ServerActive()) {
        transport_.CloseServer();
        hooks_->TracingOff();
    }
    transport_.StopListening();
    serverConnected_ = false;
    clientPresent_ = false;
    stream_.ResetSession();
    config_ = config;
    ListenAgain();
    return listenError_.empty() && transport_.Listening();
}

std::string ProxySession::ReplacedClientMessage() const {
    return ToServerCharset(
        W1251("\r\n\033[1;33m<Trellan> : Подключился другой клиент, это соединение закрыто.\033[0m\r\n"),
        config_.Charset);
}

void ProxySession::SetServerCharset(ServerCharset charset) { config_.Charset = charset; }

void ProxySession::SendToClient(std::string_view text) {
    std::vector<ClientId> clients = transport_.Clients();
    if (!clients.empty()) transport_.SendToClient(clients.front(), text);
}

void ProxySession::SendToServer(std::string_view text) { transport_.SendToServer(text); }

void ProxySession::CloseServerConnection() {
    if (!transport_.ServerConnected()) return;
    transport_.CloseServer();
    ServerGone("CSDisconnect:Disable server socket", "CSDisconnect:Enable server socket", true);
}

}  // namespace trellan
