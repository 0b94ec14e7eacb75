#include "proxy/ProxySession.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "FakeTransport.h"
#include "proxy/DebugLog.h"

namespace trellan {
namespace {

using testing::FakeTransport;
using testing::RecordingHooks;

class ProxySessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        log.SetActive(true);
        session.SetHooks(hooks);
        config.ClientPort = 4999;
        config.ServerName = "mud.example.org";
        config.ServerPort = 4000;
        ASSERT_TRUE(session.ApplyConnectionSettings(config));
        Forget();
    }

    // Later checks look only at what follows.
    void Forget() {
        transport.calls.clear();
        log.Clear();
    }

    // A client connects and the server connection is made.
    ClientId StartSession() {
        ClientId id = transport.AddClient();
        session.OnClientConnected(id);
        transport.serverConnected = true;
        session.OnServerConnected();
        return id;
    }

    bool Logged(const std::string& line) const {
        return std::find(log.Lines().begin(), log.Lines().end(), line) != log.Lines().end();
    }
    std::vector<std::string> LogLines() const { return {log.Lines().begin(), log.Lines().end()}; }

    FakeTransport transport;
    DebugLog log;
    RecordingHooks hooks;
    ProxySession session{transport, log};
    ProxyConfig config;
};

TEST_F(ProxySessionTest, ClientConnectSendsBannerFirstAndConnectsServer) {
    ClientId id = transport.AddClient();
    session.OnClientConnected(id);
    EXPECT_EQ(transport.Received(id), "\033[1;33m<Trellan v. 2.5.3 (Win2K Server fix)> is online\033[0m");
    EXPECT_EQ(transport.calls, std::vector<std::string>{"ConnectServer mud.example.org:4000 name"});
    EXPECT_EQ(LogLines(), std::vector<std::string>{"SSClientConnect:Open client socket"});
    EXPECT_TRUE(session.ClientPresent());
    EXPECT_FALSE(session.ServerConnected());

    transport.serverConnected = true;
    session.OnServerConnected();
    EXPECT_TRUE(session.ServerConnected());
    EXPECT_TRUE(Logged("CSConnect"));
}

TEST_F(ProxySessionTest, ANewClientReplacesTheOldOneAndRestartsTheServerConnection) {
    ClientId first = StartSession();
    transport.clients[first].unread = "half a li";
    Forget();
    ClientId second = transport.AddClient();
    session.OnClientConnected(second);
    EXPECT_EQ(transport.calls, (std::vector<std::string>{"CloseClient " + std::to_string(first), "CloseServer",
                                                         "ConnectServer mud.example.org:4000 name"}));
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"SSClientConnect:Replacing client socket",
                                                    "SSClientConnect:Closing client socket",
                                                    "SSClientConnect:Open client socket"}));
    EXPECT_FALSE(session.ServerConnected());
    EXPECT_EQ(hooks.tracingOff, 1);
    EXPECT_EQ(hooks.closed, std::vector<ClientId>{first}) << "its unfinished line is void";
    // The old client is told in one line; its typing never reaches the server.
    EXPECT_EQ(transport.closedReceived[first], std::string(ProxySession::Banner) + session.ReplacedClientMessage());
    EXPECT_EQ(transport.sentToServer, "");
    EXPECT_EQ(transport.Received(second), ProxySession::Banner);

    // The newcomer gets both the game and Trellan's own messages.
    transport.serverConnected = true;
    session.OnServerConnected();
    transport.ServerSends("output");
    session.OnServerReadable();
    session.SendToClient("own");
    EXPECT_EQ(transport.Received(second), std::string(ProxySession::Banner) + "outputown");
}

TEST_F(ProxySessionTest, TheReplacedClientIsToldInTheServersCodePage) {
    config.Charset = ServerCharset::Utf8;
    ASSERT_TRUE(session.ApplyConnectionSettings(config));
    EXPECT_EQ(session.ReplacedClientMessage(),
              "\r\n\033[1;33m<Trellan> : Подключился другой клиент, это соединение закрыто.\033[0m\r\n");
}

TEST_F(ProxySessionTest, RelaysBothWays) {
    ClientId id = StartSession();
    transport.clients[id].unread = "look\r\n\xFF\xFF";
    session.OnClientReadable(id);
    EXPECT_EQ(transport.sentToServer, "look\r\n\xFF\xFF");

    transport.ServerSends("\033[1;36mRoom\033[0m\r\nText");
    session.OnServerReadable();
    EXPECT_EQ(transport.Received(id), std::string(ProxySession::Banner) + "\033[1;36mRoom\033[0m\r\nText");
    EXPECT_EQ(hooks.texts, std::vector<std::string>{"\033[1;36mRoom\033[0m\r\nText"});
    EXPECT_TRUE(Logged("CSRead"));
    EXPECT_TRUE(Logged("CSRead: \033[1;36mRoom\033[0m"));

    session.SendToServer("say hi\r\n");
    EXPECT_EQ(transport.sentToServer, "look\r\n\xFF\xFFsay hi\r\n");
}

TEST_F(ProxySessionTest, ServerOutputWithoutClientClosesServerAndStillReachesTracker) {
    ClientId id = transport.AddClient();
    session.OnClientConnected(id);
    // The client leaves while the server is still being connected.
    transport.RemoveClient(id);
    session.OnClientDisconnected(id);
    EXPECT_TRUE(transport.serverActive);
    EXPECT_FALSE(session.ClientPresent());
    transport.serverConnected = true;
    session.OnServerConnected();
    transport.calls.clear();

    transport.ServerSends("Welcome\r\n\r\n");
    session.OnServerReadable();
    EXPECT_EQ(transport.calls, std::vector<std::string>{"CloseServer"});
    EXPECT_FALSE(session.ServerConnected());
    EXPECT_EQ(hooks.texts, std::vector<std::string>{"Welcome\r\n"});
}

TEST_F(ProxySessionTest, ServerClosingDropsEveryClient) {
    StartSession();
    StartSession();
    Forget();
    hooks.tracingOff = 0;

    transport.serverConnected = false;
    transport.serverActive = false;
    session.OnServerDisconnected();
    EXPECT_EQ(transport.calls, (std::vector<std::string>{"StopListening", "Listen 127.0.0.1:4999"}));
    EXPECT_EQ(LogLines(),
              (std::vector<std::string>{"CSDisconnect:Disable server socket", "CSDisconnect:Enable server socket"}));
    EXPECT_TRUE(transport.clients.empty());
    EXPECT_TRUE(transport.listening);
    EXPECT_FALSE(session.ServerConnected());
    EXPECT_FALSE(session.ClientPresent());
    EXPECT_EQ(hooks.tracingOff, 1);
    EXPECT_EQ(session.Status().MccpVersion, "none");
    EXPECT_EQ(session.Status().RatePanelText, "----");
}

TEST_F(ProxySessionTest, ServerClosingWithoutClientDoesNotRelisten) {
    transport.serverConnected = true;
    session.OnServerConnected();
    transport.calls.clear();
    session.OnServerDisconnected();
    EXPECT_TRUE(transport.calls.empty());
    EXPECT_EQ(hooks.tracingOff, 1);
}

TEST_F(ProxySessionTest, ServerErrorRelistensClosesServerAndTellsTheClient) {
    ClientId first = transport.AddClient();
    session.OnClientConnected(first);
    Forget();

    session.OnServerError("Host not found");
    EXPECT_EQ(transport.calls,
              (std::vector<std::string>{"StopListening", "Listen 127.0.0.1:4999", "CloseServer"}));
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"CSError:Disable server socket", "CSError:Enable server socket",
                                                    "CSError:Close client socket"}));
    EXPECT_FALSE(session.ServerConnected());
    EXPECT_FALSE(session.ClientPresent());
    EXPECT_GE(hooks.tracingOff, 1);
    // The message reaches the client before it is dropped.
    EXPECT_EQ(transport.closedReceived[first],
              std::string(ProxySession::Banner) +
                  "\r\n\033[1;33m<Trellan>\033[1;31m Server communication error\033[0m\r\n");
}

TEST_F(ProxySessionTest, ClientClosingClosesServer) {
    ClientId id = StartSession();
    Forget();
    transport.RemoveClient(id);
    session.OnClientDisconnected(id);
    EXPECT_EQ(transport.calls, std::vector<std::string>{"CloseServer"});
    EXPECT_EQ(LogLines(), std::vector<std::string>{"SSClientDisconnect:Closing client socket"});
    EXPECT_FALSE(session.ClientPresent());
    EXPECT_FALSE(session.ServerConnected());
    EXPECT_FALSE(session.OutputStream().MccpActive());
}

TEST_F(ProxySessionTest, ClientErrorClosesBothSides) {
    ClientId id = StartSession();
    Forget();
    session.OnClientError(id, "Connection reset by peer");
    EXPECT_EQ(transport.calls, (std::vector<std::string>{"CloseClient " + std::to_string(id), "CloseServer"}));
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"SSClientError", "SSClientError:Closing server socket",
                                                    "SSClientError:Closing client socket"}));
    EXPECT_FALSE(session.ServerConnected());
    EXPECT_FALSE(session.ClientPresent());
    EXPECT_EQ(hooks.tracingOff, 1);
}

TEST_F(ProxySessionTest, OwnMessagesWithoutClientAndWritableEventsDoNothing) {
    session.SendToClient("nobody hears this");
    session.OnClientWritable(1);
    session.OnServerWritable();
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"SSClientWrite", "CSWrite"}));
    EXPECT_TRUE(transport.calls.empty());
}

TEST_F(ProxySessionTest, ApplyingSettingsEndsSessionAndListensOnNewPort) {
    StartSession();
    transport.calls.clear();
    ProxyConfig changed = config;
    changed.ClientPort = 5555;
    changed.ClientAddress = "0.0.0.0";
    changed.ServerName = "10.0.0.1";
    changed.ServerPort = 6000;
    EXPECT_TRUE(session.ApplyConnectionSettings(changed));
    EXPECT_EQ(transport.calls, (std::vector<std::string>{"CloseServer", "StopListening", "Listen 0.0.0.0:5555"}));
    EXPECT_FALSE(session.ServerConnected());
    EXPECT_FALSE(session.ClientPresent());

    // The server is connected for the next client, with the new settings.
    transport.calls.clear();
    session.OnClientConnected(transport.AddClient());
    EXPECT_EQ(transport.calls, std::vector<std::string>{"ConnectServer 10.0.0.1:6000 numeric"});
}

TEST_F(ProxySessionTest, ListenFailureIsReported) {
    transport.failListen = true;
    EXPECT_FALSE(session.ApplyConnectionSettings(config));
    EXPECT_EQ(session.ListenError(), "address in use");
    EXPECT_TRUE(Logged("Listen 127.0.0.1:4999: address in use"));
}

TEST(ProxyConfigTest, NumericAddressByFirstCharacter) {
    for (const char* name : {"10.0.0.1", "9.9.9.9"}) EXPECT_TRUE(IsNumericServerName(name)) << name;
    for (const char* name : {"0.1.2.3", "mud.example.org", ""}) EXPECT_FALSE(IsNumericServerName(name)) << name;
}

TEST(ProxyConfigTest, ParsesServerOverride) {
    std::string host;
    std::uint16_t port = 0;
    EXPECT_TRUE(ParseServerOverride("mud.example.org:4000", host, port));
    EXPECT_EQ(host, "mud.example.org");
    EXPECT_EQ(port, 4000);
    EXPECT_TRUE(ParseServerOverride("[::1]:7000", host, port));
    EXPECT_EQ(host, "::1");
    EXPECT_EQ(port, 7000);
    for (const char* bad : {"mud", ":4000", "mud:", "mud:0", "mud:65536", "mud:12x", "::1:4000", "mud:-1"}) {
        EXPECT_FALSE(ParseServerOverride(bad, host, port)) << bad;
    }
}

}  // namespace
}  // namespace trellan
