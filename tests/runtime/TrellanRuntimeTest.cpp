#include "runtime/TrellanRuntime.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "../proxy/FakeTransport.h"
#include "common/Errors.h"
#include "support/TempDirectory.h"

namespace trellan {
namespace {

using testing::FakeTransport;
using testing::ReadFile;
using testing::TempDirectory;
using testing::WriteFile;

class TrellanRuntimeTest : public ::testing::Test {
protected:
    RuntimeOptions Options() const {
        RuntimeOptions options;
        options.HomeDirectory = options.ProgramDirectory = home.Path();
        return options;
    }
    // A client connects and the server connection is made.
    void Connect(TrellanRuntime& runtime) {
        runtime.Session().OnClientConnected(transport.AddClient());
        transport.serverConnected = true;
        runtime.Session().OnServerConnected();
    }
    bool Called(const std::string& call) const {
        return std::find(transport.calls.begin(), transport.calls.end(), call) != transport.calls.end();
    }

    TempDirectory home;
    FakeTransport transport;
};

TEST_F(TrellanRuntimeTest, FirstStartListensWithDefaultsAndCloseWritesSettingsButNoLog) {
    TrellanRuntime runtime(Options(), transport);
    runtime.Start();
    EXPECT_EQ(runtime.Home().Root(), home.Path());
    EXPECT_TRUE(Called("Listen 127.0.0.1:4999"));
    EXPECT_EQ(runtime.ListenLine(), "Trellan listens on 127.0.0.1:4999 (no MUD server configured)");
    EXPECT_FALSE(runtime.Log().Active());
    runtime.Close();
    std::string ini = ReadFile(home / "trellan.ini");
    EXPECT_NE(ini.find("[Options]\r\n"), std::string::npos);
    EXPECT_NE(ini.find("DebugActiv=0\r\n"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(home / "trdebug.log"));
}

TEST_F(TrellanRuntimeTest, WithoutWorldTheTemplateProfileIsRead) {
    WriteFile(home / "local.ini", "[Connect]\r\nClient Port=5001\r\nServer Name=mud.example.org\r\nServer Port=4242\r\n"
                              "[Options]\r\nMccpEnabled=0\r\n");
    TrellanRuntime runtime(Options(), transport);
    runtime.Start();
    EXPECT_TRUE(Called("Listen 127.0.0.1:5001"));
    EXPECT_EQ(runtime.ListenLine(), "Trellan listens on 127.0.0.1:5001 and connects to mud.example.org:4242");
    EXPECT_FALSE(runtime.Connection().MccpEnabled);
}

TEST_F(TrellanRuntimeTest, WorldProfileWinsAndOverrideReplacesServer) {
    WriteFile(home / "trellan.ini", "[Options]\r\nWorld=Test\r\n");
    WriteFile(home / "local.ini", "[Connect]\r\nClient Port=5001\r\n");
    WriteFile(home / "Maps/Test/local.ini", "[Connect]\r\nClient Port=5002\r\nServer Name=10.1.2.3\r\n");
    RuntimeOptions options = Options();
    options.ServerOverride = "localhost:6000";
    TrellanRuntime runtime(options, transport);
    runtime.Start();
    EXPECT_TRUE(Called("Listen 127.0.0.1:5002"));
    EXPECT_EQ(runtime.ListenLine(), "Trellan listens on 127.0.0.1:5002 and connects to localhost:6000");

    transport.calls.clear();
    runtime.Session().OnClientConnected(transport.AddClient());
    EXPECT_TRUE(Called("ConnectServer localhost:6000 name"));
}

TEST_F(TrellanRuntimeTest, BadServerOverrideIsAnError) {
    RuntimeOptions options = Options();
    options.ServerOverride = "mud.example.org";
    TrellanRuntime runtime(options, transport);
    EXPECT_THROW(runtime.Start(), TrellanError);
}

TEST_F(TrellanRuntimeTest, UnusablePortTakesTheDefault) {
    WriteFile(home / "local.ini", "[Connect]\r\nClient Port=70000\r\nServer Port=0\r\n");
    TrellanRuntime runtime(Options(), transport);
    runtime.Start();
    EXPECT_TRUE(Called("Listen 127.0.0.1:4999"));
    EXPECT_EQ(runtime.Connection().ServerPort, 4000);
}

TEST_F(TrellanRuntimeTest, CloseSavesTheDebugLogWhenLoggingIsOn) {
    WriteFile(home / "trellan.ini", "[Options]\r\nDebugActiv=1\r\n");
    WriteFile(home / "local.ini", "[Connect]\r\nServer Name=mud.example.org\r\n");
    TrellanRuntime runtime(Options(), transport);
    runtime.Start();
    ASSERT_TRUE(runtime.Log().Active());
    Connect(runtime);
    transport.ServerSends("Room\r\n\r\n");
    runtime.Session().OnServerReadable();
    runtime.Close();
    // The session's lines in order; the tracker's pass lines follow the
    // "CSRead: " line and are the tracker's own business.
    std::string log = ReadFile(home / "trdebug.log");
    const std::string sessionLines = "SSClientConnect:Open client socket\r\nCSConnect\r\nCSRead\r\nCSRead: Room\r\n";
    EXPECT_NE(log.find(sessionLines), std::string::npos) << log;
    EXPECT_EQ(log.substr(log.size() - 2), "\r\n");
    EXPECT_NE(ReadFile(home / "trellan.ini").find("DebugActiv=1\r\n"), std::string::npos);
}

TEST_F(TrellanRuntimeTest, LostConnectionErrorsAreSilent) {
    WriteFile(home / "trellan.ini", "[Options]\r\nDebugActiv=1\r\n");
    TrellanRuntime runtime(Options(), transport);
    runtime.Start();
    Connect(runtime);
    transport.calls.clear();

    EXPECT_EQ(runtime.AppException("Windows socket error: 10054"), std::nullopt);
    EXPECT_TRUE(Called("CloseServer"));
    EXPECT_FALSE(runtime.Session().ServerConnected());
    EXPECT_TRUE(transport.clients.empty());
    const auto& lines = runtime.Log().Lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "ON Error:Windows socket error: 10054"), lines.end());
    EXPECT_TRUE(std::none_of(lines.begin(), lines.end(),
                             [](const std::string& line) { return line.rfind("Error:(0)", 0) == 0; }));

    // Nothing to close the second time.
    transport.calls.clear();
    EXPECT_EQ(runtime.AppException("error 10053"), std::nullopt);
    EXPECT_FALSE(Called("CloseServer"));
}

TEST_F(TrellanRuntimeTest, OtherErrorsAreLoggedAndShown) {
    WriteFile(home / "trellan.ini", "[Options]\r\nDebugActiv=1\r\n");
    TrellanRuntime runtime(Options(), transport);
    runtime.Start();
    std::optional<std::string> shown = runtime.AppException("Unable to write to /x/y.tr2");
    ASSERT_TRUE(shown.has_value());
    // "Ошибка. Ну и хрен с ней." in Windows-1251.
    EXPECT_EQ(*shown, "\xCE\xF8\xE8\xE1\xEA\xE0. \xCD\xF3 \xE8 \xF5\xF0\xE5\xED \xF1 \xED\xE5\xE9. \r\n"
                      "Unable to write to /x/y.tr2");
    std::vector<std::string> lines(runtime.Log().Lines().end() - 2, runtime.Log().Lines().end());
    EXPECT_EQ(lines, (std::vector<std::string>{"ON Error:Unable to write to /x/y.tr2",
                                               "Error:(0) Error: Unable to write to /x/y.tr2"}));
    EXPECT_NE(ReadFile(home / "language.ini").find("ErrorMsg="), std::string::npos);
}

TEST_F(TrellanRuntimeTest, ErrorCaptionComesFromLanguageFile) {
    WriteFile(home / "language.ini", "[MainForm]\r\nErrorMsg=Error.\r\n");
    TrellanRuntime runtime(Options(), transport);
    runtime.Start();
    EXPECT_EQ(runtime.AppException("boom"), std::optional<std::string>("Error. \r\nboom"));
}

}  // namespace
}  // namespace trellan
