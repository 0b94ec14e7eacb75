// QtTransport on real loopback sockets, driven by a recording event sink.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "net/QtTransport.h"

namespace trellan {
namespace {

QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "test_net";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// Runs the event loop until `done` holds or five seconds pass.
bool Pump(const std::function<bool()>& done) {
    App();
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > 5000) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

void PumpFor(int ms) {
    App();
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

class Recorder final : public TransportEvents {
public:
    explicit Recorder(QtTransport& transport) : transport_(transport) {}

    void OnClientConnected(ClientId client) override { events.push_back("connect " + std::to_string(client)); }
    void OnClientDisconnected(ClientId client) override { events.push_back("disconnect " + std::to_string(client)); }
    void OnClientReadable(ClientId client) override {
        char buffer[4096];
        while (std::size_t n = transport_.ReadClient(client, buffer, sizeof buffer)) fromClient.append(buffer, n);
    }
    void OnClientWritable(ClientId) override {}
    void OnClientError(ClientId, const std::string& message) override { events.push_back("client error " + message); }
    void OnServerConnected() override { events.push_back("cs connect"); }
    void OnServerDisconnected() override { events.push_back("cs disconnect"); }
    void OnServerReadable() override {
        char buffer[4096];
        for (;;) {
            const std::ptrdiff_t n = transport_.ReadServer(buffer, sizeof buffer);
            if (n <= 0) break;
            fromServer.append(buffer, static_cast<std::size_t>(n));
        }
    }
    void OnServerWritable() override {}
    void OnServerError(const std::string&) override { events.push_back("cs error"); }

    bool Saw(const std::string& event) const { return std::find(events.begin(), events.end(), event) != events.end(); }

    std::vector<std::string> events;
    std::string fromClient;
    std::string fromServer;

private:
    QtTransport& transport_;
};

class QtTransportTest : public ::testing::Test {
protected:
    QtTransportTest() : recorder_(transport_) {
        App();
        transport_.SetEvents(&recorder_);
        std::string error;
        EXPECT_TRUE(transport_.Listen("127.0.0.1", 0, error)) << error;
    }

    std::unique_ptr<QTcpSocket> Connect() {
        auto socket = std::make_unique<QTcpSocket>();
        socket->connectToHost(QHostAddress::LocalHost, transport_.ListenPort());
        return socket;
    }

    QtTransport transport_;
    Recorder recorder_;
};

TEST_F(QtTransportTest, ClientIdsAreNeverReusedAndListedOldestFirst) {
    auto first = Connect();
    ASSERT_TRUE(Pump([&] { return transport_.Clients().size() == 1; }));
    auto second = Connect();
    ASSERT_TRUE(Pump([&] { return transport_.Clients().size() == 2; }));
    const std::vector<ClientId> ids = transport_.Clients();
    EXPECT_LT(ids[0], ids[1]);

    // Closing through the interface raises no event.
    transport_.CloseClient(ids[0]);
    EXPECT_EQ(transport_.Clients(), std::vector<ClientId>{ids[1]});
    ASSERT_TRUE(Pump([&] { return first->state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_FALSE(recorder_.Saw("disconnect " + std::to_string(ids[0])));

    // The peer closing does.
    second->disconnectFromHost();
    ASSERT_TRUE(Pump([&] { return recorder_.Saw("disconnect " + std::to_string(ids[1])); }));

    auto third = Connect();
    ASSERT_TRUE(Pump([&] { return transport_.Clients().size() == 1; }));
    EXPECT_GT(transport_.Clients()[0], ids[1]);
}

TEST_F(QtTransportTest, DataForTheServerWaitsForTheConnectionAndIsBounded) {
    QTcpServer mud;
    ASSERT_TRUE(mud.listen(QHostAddress::LocalHost, 0));
    transport_.ConnectServer("127.0.0.1", true, mud.serverPort());
    EXPECT_TRUE(transport_.ServerActive());
    std::vector<std::string> logged;
    transport_.OnLog = [&](const std::string& text) { logged.push_back(text); };
    const std::string early = "look\r\n";
    transport_.SendToServer(early);
    transport_.SendToServer(std::string(QtTransport::MaxPendingToServer, 'x'));

    ASSERT_TRUE(Pump([&] { return recorder_.Saw("cs connect"); }));
    ASSERT_TRUE(mud.hasPendingConnections() || Pump([&] { return mud.hasPendingConnections(); }));
    std::unique_ptr<QTcpSocket> peer(mud.nextPendingConnection());
    std::string got;
    ASSERT_TRUE(Pump([&] {
        got += peer->readAll().toStdString();
        return got.size() >= QtTransport::MaxPendingToServer;
    }));
    EXPECT_EQ(got.size(), QtTransport::MaxPendingToServer);
    EXPECT_EQ(got.substr(0, early.size()), early);
    EXPECT_EQ(logged.size(), 1u);

    // The server closing is a disconnect, not an error, and what it sent
    // last is still read.
    peer->write("last words");
    peer->disconnectFromHost();
    ASSERT_TRUE(Pump([&] { return recorder_.Saw("cs disconnect"); }));
    EXPECT_EQ(recorder_.fromServer, "last words");
    EXPECT_FALSE(recorder_.Saw("cs error"));
    EXPECT_FALSE(transport_.ServerActive());
}

TEST_F(QtTransportTest, RefusedAndBadAddressesAreErrors) {
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    const quint16 port = closed.serverPort();
    closed.close();
    transport_.ConnectServer("127.0.0.1", true, port);
    ASSERT_TRUE(Pump([&] { return recorder_.Saw("cs error"); }));
    EXPECT_FALSE(transport_.ServerActive());

    recorder_.events.clear();
    transport_.ConnectServer("1.2.3.4.5", true, 4000);
    EXPECT_TRUE(recorder_.events.empty()) << "the outcome comes from the event loop";
    ASSERT_TRUE(Pump([&] { return recorder_.Saw("cs error"); }));

    // A stale outcome of an attempt that was closed never arrives.
    recorder_.events.clear();
    transport_.ConnectServer("1.2.3.4.5", true, 4000);
    transport_.CloseServer();
    PumpFor(200);
    EXPECT_TRUE(recorder_.events.empty());
}

}  // namespace
}  // namespace trellan
