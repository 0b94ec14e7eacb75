#include "net/QtTransport.h"

#include <QHostAddress>
#include <sys/socket.h>
#include <algorithm>
#include <iostream>

#include "text/Cp1251.h"

namespace trellan {

namespace {

// Hands bytes straight to the kernel while Qt holds nothing unsent for the
// socket, saving the copy into Qt's write buffer on the bulk path; whatever
// the kernel does not take now (or an error, which Qt then reports) goes
// through QTcpSocket::write as usual.
void WriteThrough(QTcpSocket& socket, std::string_view bytes) {
    if (socket.bytesToWrite() == 0 && socket.state() == QAbstractSocket::ConnectedState) {
        const qintptr fd = socket.socketDescriptor();
        if (fd >= 0) {
            const ssize_t n = ::send(static_cast<int>(fd), bytes.data(), bytes.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
            if (n > 0) {
                bytes.remove_prefix(static_cast<std::size_t>(n));
            }
        }
    }
    if (!bytes.empty()) {
        socket.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
}

// Qt's text, translated into the interface language when Qt's translations
// are installed, in the program's code page like every other text.
std::string Windows1251(const QString& text) {
    return Utf8ToCp1251(text.toUtf8().toStdString());
}

std::string ErrorText(const QAbstractSocket& socket) { return Windows1251(socket.errorString()); }

// The peer went away: on the server side that is an ordinary close, on a
// client's side an ordinary disconnect, never an error to report.
bool IsLostConnection(QAbstractSocket::SocketError error) {
    return error == QAbstractSocket::RemoteHostClosedError;
}

}  // namespace

QtTransport::QtTransport(QObject* parent) : QObject(parent) {
    OnLog = [](const std::string& text) { std::cerr << "trellan: " << text << std::endl; };
    connect(&server_, &QTcpServer::pendingConnectionAvailable, this, &QtTransport::OnNewConnection);
    connectTimer_.setSingleShot(true);
    connect(&connectTimer_, &QTimer::timeout, this, [this] {
        if (cs_ && cs_->state() != QAbstractSocket::ConnectedState) {
            FailServer("Connection timed out");
        }
    });
}

QtTransport::~QtTransport() {
    events_ = nullptr;
    for (auto& [id, socket] : clients_) {
        socket->disconnect(this);
        socket->abort();
        delete socket;
    }
    clients_.clear();
    if (cs_) {
        cs_->disconnect(this);
        cs_->abort();
        delete cs_;
        cs_ = nullptr;
    }
}

void QtTransport::Log(const std::string& text) {
    if (OnLog) {
        OnLog(text);
    }
}

// --- SS

bool QtTransport::Listen(const std::string& address, std::uint16_t port, std::string& error) {
    if (server_.isListening()) {
        server_.close();
    }
    QHostAddress host;
    if (address.empty()) {
        host = QHostAddress(QHostAddress::LocalHost);
    } else if (!host.setAddress(QString::fromStdString(address))) {
        error = "Invalid listening address " + address;
        return false;
    }
    if (!server_.listen(host, port)) {
        error = Windows1251(server_.errorString());
        return false;
    }
    return true;
}

void QtTransport::StopListening() {
    server_.close();
    auto clients = std::move(clients_);
    clients_.clear();
    for (auto& [id, socket] : clients) {
        Linger(socket);
    }
    UpdateServerPause();
}

bool QtTransport::Listening() const { return server_.isListening(); }

std::uint16_t QtTransport::ListenPort() const { return server_.serverPort(); }

std::vector<ClientId> QtTransport::Clients() const {
    std::vector<ClientId> ids;
    ids.reserve(clients_.size());
    for (const auto& [id, socket] : clients_) {
        ids.push_back(id);
    }
    return ids;
}

QTcpSocket* QtTransport::FindClient(ClientId id) const {
    auto it = clients_.find(id);
    return it == clients_.end() ? nullptr : it->second;
}

void QtTransport::OnNewConnection() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        const ClientId id = nextClientId_++;
        socket->setParent(nullptr);
        socket->setReadBufferSize(SocketReadBuffer);
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        clients_.emplace(id, socket);
        connect(socket, &QTcpSocket::readyRead, this, [this, id] { OnClientReadyRead(id); });
        connect(socket, &QTcpSocket::bytesWritten, this, [this, id] { OnClientBytesWritten(id); });
        connect(socket, &QTcpSocket::disconnected, this, [this, id] { OnClientDisconnected(id); });
        connect(socket, &QTcpSocket::errorOccurred, this,
                [this, id](QAbstractSocket::SocketError error) { OnClientError(id, error); });
        if (events_) {
            events_->OnClientConnected(id);
        }
        // A fresh connection is writable; like the readable event this comes
        // after the connect event has been handled.
        QMetaObject::invokeMethod(
            this,
            [this, id] {
                if (FindClient(id) && events_) {
                    events_->OnClientWritable(id);
                }
            },
            Qt::QueuedConnection);
        // The client may have sent something before we got to it.
        if (FindClient(id) && socket->bytesAvailable() > 0) {
            QMetaObject::invokeMethod(this, [this, id] { OnClientReadyRead(id); }, Qt::QueuedConnection);
        }
    }
}

void QtTransport::SendToClient(ClientId client, std::string_view bytes) {
    QTcpSocket* socket = FindClient(client);
    if (!socket || bytes.empty()) {
        return;
    }
    WriteThrough(*socket, bytes);
    if (socket->bytesToWrite() > HighWater) {
        UpdateServerPause();
    }
}

std::size_t QtTransport::ReadClient(ClientId client, char* buffer, std::size_t capacity) {
    QTcpSocket* socket = FindClient(client);
    if (!socket || capacity == 0) {
        return 0;
    }
    const qint64 n = socket->read(buffer, static_cast<qint64>(capacity));
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

void QtTransport::CloseClient(ClientId client) {
    auto it = clients_.find(client);
    if (it == clients_.end()) {
        return;
    }
    QTcpSocket* socket = it->second;
    clients_.erase(it);
    Linger(socket);
    UpdateServerPause();
}

void QtTransport::OnClientReadyRead(ClientId id) {
    QTcpSocket* socket = FindClient(id);
    if (!socket || clientsPaused_ || socket->bytesAvailable() <= 0 || !events_) {
        return;
    }
    events_->OnClientReadable(id);
}

void QtTransport::OnClientBytesWritten(ClientId id) {
    if (serverPaused_) {
        UpdateServerPause();
    }
}

void QtTransport::OnClientDisconnected(ClientId id) {
    QTcpSocket* socket = FindClient(id);
    if (!socket) {
        return;
    }
    // What the client sent just before closing is still relayed.
    if (socket->bytesAvailable() > 0 && events_) {
        events_->OnClientReadable(id);
    }
    auto it = clients_.find(id);
    if (it == clients_.end()) {
        return;  // closed by the read handler
    }
    clients_.erase(it);
    socket->disconnect(this);
    socket->deleteLater();
    UpdateServerPause();
    if (events_) {
        events_->OnClientDisconnected(id);
    }
}

void QtTransport::OnClientError(ClientId id, QAbstractSocket::SocketError error) {
    QTcpSocket* socket = FindClient(id);
    if (!socket) {
        return;
    }
    if (IsLostConnection(error)) {
        // Qt follows with disconnected() when the socket was connected; make
        // sure the session hears of it either way.
        if (socket->state() == QAbstractSocket::UnconnectedState) {
            OnClientDisconnected(id);
        }
        return;
    }
    if (events_) {
        events_->OnClientError(id, ErrorText(*socket));
    }
}

// --- CS

void QtTransport::ConnectServer(const std::string& host, bool numericAddress, std::uint16_t port) {
    CloseServer();
    const std::uint64_t attempt = serverAttempt_;
    cs_ = new QTcpSocket();
    cs_->setReadBufferSize(SocketReadBuffer);
    connect(cs_, &QTcpSocket::connected, this, &QtTransport::OnServerConnected);
    connect(cs_, &QTcpSocket::readyRead, this, &QtTransport::OnServerReadyRead);
    connect(cs_, &QTcpSocket::bytesWritten, this, &QtTransport::OnServerBytesWritten);
    connect(cs_, &QTcpSocket::disconnected, this, &QtTransport::OnServerDisconnected);
    connect(cs_, &QTcpSocket::errorOccurred, this, &QtTransport::OnServerError);
    connectTimer_.start(ConnectTimeoutMs);
    if (numericAddress) {
        QHostAddress address;
        if (!address.setAddress(QString::fromStdString(host))) {
            // Reported from the event loop, as every connect outcome is.
            QMetaObject::invokeMethod(
                this,
                [this, attempt, host] {
                    if (cs_ && serverAttempt_ == attempt) {
                        FailServer("Invalid server address " + host);
                    }
                },
                Qt::QueuedConnection);
            return;
        }
        cs_->connectToHost(address, port);
    } else {
        cs_->connectToHost(QString::fromStdString(host), port);
    }
}

bool QtTransport::ServerActive() const { return cs_ != nullptr; }

bool QtTransport::ServerConnected() const {
    return cs_ != nullptr && cs_->state() == QAbstractSocket::ConnectedState;
}

void QtTransport::SendToServer(std::string_view bytes) {
    if (!cs_ || bytes.empty()) {
        return;
    }
    if (cs_->state() != QAbstractSocket::ConnectedState) {
        const std::size_t room = MaxPendingToServer - std::min(MaxPendingToServer, pendingToServer_.size());
        if (bytes.size() > room) {
            if (!pendingOverflowLogged_) {
                Log("Server not connected yet: client data beyond " + std::to_string(MaxPendingToServer) +
                    " bytes dropped");
                pendingOverflowLogged_ = true;
            }
            bytes = bytes.substr(0, room);
        }
        pendingToServer_.append(bytes);
        return;
    }
    WriteThrough(*cs_, bytes);
    if (cs_->bytesToWrite() > HighWater) {
        UpdateClientPause();
    }
}

std::ptrdiff_t QtTransport::ReadServer(char* buffer, std::size_t capacity) {
    if (!cs_ || capacity == 0) {
        return 0;
    }
    return static_cast<std::ptrdiff_t>(cs_->read(buffer, static_cast<qint64>(capacity)));
}

void QtTransport::CloseServer() {
    ++serverAttempt_;
    connectTimer_.stop();
    pendingToServer_.clear();
    pendingOverflowLogged_ = false;
    serverClosing_ = false;
    if (cs_) {
        QTcpSocket* socket = cs_;
        cs_ = nullptr;
        Linger(socket);
    }
    serverPaused_ = false;
    UpdateClientPause();
}

void QtTransport::OnServerConnected() {
    connectTimer_.stop();
    if (!cs_) {
        return;
    }
    cs_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    if (!pendingToServer_.empty()) {
        cs_->write(pendingToServer_.data(), static_cast<qint64>(pendingToServer_.size()));
        pendingToServer_.clear();
        pendingToServer_.shrink_to_fit();
    }
    const std::uint64_t attempt = serverAttempt_;
    if (events_) {
        events_->OnServerConnected();
    }
    QMetaObject::invokeMethod(
        this,
        [this, attempt] {
            if (cs_ && serverAttempt_ == attempt && events_) {
                events_->OnServerWritable();
            }
        },
        Qt::QueuedConnection);
}

void QtTransport::OnServerReadyRead() {
    if (!cs_ || serverPaused_ || cs_->bytesAvailable() <= 0 || !events_) {
        return;
    }
    events_->OnServerReadable();
}

void QtTransport::OnServerBytesWritten() {
    if (clientsPaused_) {
        UpdateClientPause();
    }
}

void QtTransport::OnServerDisconnected() {
    if (!cs_) {
        return;
    }
    QTcpSocket* socket = cs_;
    // What the server sent before closing still reaches the client, even
    // when we were holding back reading.
    if (socket->bytesAvailable() > 0 && events_) {
        events_->OnServerReadable();
    }
    if (cs_ != socket) {
        return;  // closed or replaced by the read handler
    }
    if (socket->bytesAvailable() > 0 && serverPaused_) {
        serverClosing_ = true;  // finished when the backlog drains
        return;
    }
    FinishServerDisconnect();
}

void QtTransport::FinishServerDisconnect() {
    QTcpSocket* socket = cs_;
    serverClosing_ = false;
    cs_ = nullptr;
    ++serverAttempt_;
    connectTimer_.stop();
    pendingToServer_.clear();
    serverPaused_ = false;
    socket->disconnect(this);
    socket->deleteLater();
    UpdateClientPause();
    if (events_) {
        events_->OnServerDisconnected();
    }
}

void QtTransport::OnServerError(QAbstractSocket::SocketError error) {
    if (!cs_) {
        return;
    }
    if (IsLostConnection(error)) {
        if (cs_->state() == QAbstractSocket::UnconnectedState) {
            OnServerDisconnected();
        }
        return;
    }
    FailServer(ErrorText(*cs_));
}

void QtTransport::FailServer(const std::string& message) {
    connectTimer_.stop();
    QTcpSocket* socket = cs_;
    if (events_) {
        events_->OnServerError(message);
    }
    // The session normally closes the socket itself; if it did not, the
    // failed socket is of no further use.
    if (cs_ == socket && socket) {
        CloseServer();
    }
}

// --- shared

void QtTransport::Linger(QTcpSocket* socket) {
    socket->disconnect(this);
    if (socket->state() == QAbstractSocket::UnconnectedState) {
        socket->deleteLater();
        return;
    }
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QTcpSocket::errorOccurred, socket, &QObject::deleteLater);
    QTimer::singleShot(LingerMs, socket, [socket] {
        socket->abort();
        socket->deleteLater();
    });
    socket->disconnectFromHost();
}

// Pausing takes effect at once; resuming is delivered from the event loop, so
// that a handler that just closed a socket is never re-entered.
void QtTransport::UpdateServerPause() {
    qint64 backlog = 0;
    for (const auto& [id, socket] : clients_) {
        backlog = std::max(backlog, socket->bytesToWrite());
    }
    if (!serverPaused_ && backlog > HighWater) {
        serverPaused_ = true;
    } else if (serverPaused_ && backlog <= LowWater) {
        serverPaused_ = false;
        const std::uint64_t attempt = serverAttempt_;
        QMetaObject::invokeMethod(
            this,
            [this, attempt] {
                if (serverPaused_ || !events_) {
                    return;
                }
                if (!clients_.empty()) {
                    events_->OnClientWritable(clients_.rbegin()->first);
                }
                if (cs_ && serverAttempt_ == attempt && !serverPaused_ && cs_->bytesAvailable() > 0 && events_) {
                    events_->OnServerReadable();
                }
                if (cs_ && serverAttempt_ == attempt && serverClosing_ && !serverPaused_ &&
                    cs_->bytesAvailable() == 0) {
                    FinishServerDisconnect();
                }
            },
            Qt::QueuedConnection);
    }
}

void QtTransport::UpdateClientPause() {
    const qint64 backlog = cs_ ? cs_->bytesToWrite() : 0;
    if (!clientsPaused_ && backlog > HighWater) {
        clientsPaused_ = true;
    } else if (clientsPaused_ && backlog <= LowWater) {
        clientsPaused_ = false;
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (clientsPaused_ || !events_) {
                    return;
                }
                if (cs_ && cs_->state() == QAbstractSocket::ConnectedState) {
                    events_->OnServerWritable();
                }
                for (ClientId id : Clients()) {
                    QTcpSocket* socket = FindClient(id);
                    if (socket && !clientsPaused_ && socket->bytesAvailable() > 0 && events_) {
                        events_->OnClientReadable(id);
                    }
                }
            },
            Qt::QueuedConnection);
    }
}

}  // namespace trellan
