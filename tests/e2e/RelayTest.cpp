// trellan --headless between a scripted MUD server and a MUD client socket.
#include <gtest/gtest.h>
#include <signal.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>

#include "E2eSupport.h"
#include "support/Deflate.h"

namespace e2e {
namespace {

using trellan::testing::Deflater;

// One player's session: trellan started, client connected, server accepted.
class RelayTest : public ::testing::Test {
protected:
    void Start(bool debug = false) {
        trellan_ = std::make_unique<Trellan>(home_, FreePort(), mud_.Port(), debug);
        ASSERT_FALSE(trellan_->ListenLine().empty()) << "trellan printed no listen line";
        client_ = trellan_->ConnectClient(&banner_);
        server_ = mud_.Accept();
        ASSERT_TRUE(server_.Valid()) << "trellan did not connect to the server";
    }

    // Asks trellan to close as the window does and waits for it.
    int Stop(int signalNumber = SIGTERM) {
        trellan_->Proc().Signal(signalNumber);
        return trellan_->Proc().Wait();
    }

    TempDir home_;
    Listener mud_;
    std::unique_ptr<Trellan> trellan_;
    std::string banner_;
    Socket client_;
    Socket server_;
};

TEST_F(RelayTest, BannerComesFirstAndBytesPassBothWays) {
    Start();
    EXPECT_EQ(banner_, Banner);
    EXPECT_TRUE(client_.Received().empty()) << "nothing may precede or follow the banner unasked";

    // Every byte value; the doubled 0xFF stays doubled for the client, and a
    // NUL reaches it as a line feed.
    std::string fromServer = "\xFF\xFF";
    for (int b = 1; b < 255; ++b) {
        fromServer.push_back(static_cast<char>(b));
    }
    fromServer += std::string("A\0B\r\n", 5);
    std::string expected = fromServer;
    expected[expected.size() - 4] = '\n';
    server_.SendAll(fromServer);
    EXPECT_TRUE(SameBytes(client_.ReadAtLeast(expected.size()), expected));

    const std::string fromClient = "look\r\nsay \xFF\xFF \xE7\xE4\xF0\xE0\xE2\xF1\xF2\xE2\xF3\xE9\r\n";
    client_.SendAll(fromClient);
    EXPECT_TRUE(SameBytes(server_.ReadAtLeast(fromClient.size()), fromClient));
}

class MccpRelayTest : public RelayTest, public ::testing::WithParamInterface<int> {};

TEST_P(MccpRelayTest, CompressedOutputReachesTheClientInflated) {
    const int version = GetParam();
    const char option = version == 2 ? '\x56' : '\x55';
    Start();
    server_.SendAll(std::string("Plain first.\r\n\xFF\xFB") + option);
    EXPECT_EQ(client_.ReadUntilContains("Plain first.\r\n"), "Plain first.\r\n");
    const std::string answer = std::string("\xFF\xFD") + option;
    EXPECT_EQ(server_.ReadAtLeast(answer.size()), answer);

    const std::string start = version == 2 ? "\xFF\xFA\x56\xFF\xF0" : std::string("\xFF\xFA\x55\xFB\xF0");
    Deflater deflater;
    const std::string room = "\033[1;36m\xD0\xFB\xED\xEE\xEA\033[0m\r\n\xD8\xF3\xEC\xED\xEE.\r\n\033[36m[ Exits: N E ]\r\n";
    const std::string compressed = start + deflater(room);
    // In two pieces cut inside the compressed data.
    const std::size_t cut = start.size() + 3;
    server_.SendAll(compressed.substr(0, cut));
    std::this_thread::sleep_for(Millis(50));
    server_.SendAll(compressed.substr(cut));
    server_.SendAll(deflater(std::string(20000, 'z') + "\r\n"));
    const std::string expected = "Plain first.\r\n" + room + std::string(20000, 'z') + "\r\n";
    EXPECT_TRUE(SameBytes(client_.ReadAtLeast(expected.size()), expected));
    EXPECT_EQ(client_.Received().find("\xFF\xFA"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Versions, MccpRelayTest, ::testing::Values(1, 2));

TEST_F(RelayTest, ServerClosingDropsTheClientAndClientClosingDropsTheServer) {
    Start();
    server_.SendAll("bye\r\n");
    server_.Close();
    EXPECT_TRUE(client_.WaitClosed());
    EXPECT_EQ(client_.Received(), "bye\r\n");

    // Trellan listens again: the next client gets a fresh server connection,
    // and leaving closes it.
    Socket second = trellan_->ConnectClient();
    Socket server2 = mud_.Accept();
    ASSERT_TRUE(server2.Valid());
    second.SendAll("quit\r\n");
    second.Close();
    EXPECT_TRUE(server2.WaitClosed());
    EXPECT_EQ(server2.Received(), "quit\r\n");
}

TEST(RelayRefused, UnreachableServerGivesTheErrorMessageAndDropsTheClient) {
    TempDir home;
    Trellan trellan(home, FreePort(), FreePort());
    std::string banner;
    Socket client = trellan.ConnectClient(&banner);
    EXPECT_EQ(banner, Banner);
    EXPECT_TRUE(client.WaitClosed());
    EXPECT_EQ(client.Received(), "\r\n\033[1;33m<Trellan>\033[1;31m Server communication error\033[0m\r\n");
    // Still serving: a second client is accepted.
    std::string again;
    Socket second = trellan.ConnectClient(&again);
    EXPECT_EQ(again, Banner);
}

TEST_F(RelayTest, SigtermWritesSettingsAndTheDebugLog) {
    Start(true);
    server_.SendAll("\xD0\xFB\xED\xEE\xEA\r\n\r\n\r\n\xC7\xE4\xE5\xF1\xFC\xFF\xFF\r\n");
    client_.ReadUntilContains("\xFF\xFF\r\n");
    EXPECT_EQ(Stop(), 0);
    EXPECT_TRUE(std::filesystem::exists(home_ / "trellan.ini"));
    const std::string log = ReadFile(home_ / "trdebug.log");
    // Empty lines collapsed and the doubled 0xFF undoubled in the logged copy.
    EXPECT_NE(log.find("CSRead: \xD0\xFB\xED\xEE\xEA\r\n\xC7\xE4\xE5\xF1\xFC\xFF\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("CSConnect"), std::string::npos);
}

// Closing the terminal or SSH session (SIGHUP) closes trellan as SIGTERM does.
TEST_F(RelayTest, SighupClosesAsSigtermDoes) {
    Start();
    EXPECT_EQ(Stop(SIGHUP), 0);
    EXPECT_TRUE(std::filesystem::exists(home_ / "trellan.ini"));
    EXPECT_TRUE(std::filesystem::exists(home_ / "Maps"));
}

// Megabytes each way, with the receiving side slow to start reading, so the
// relay has to hold one side back; every byte arrives in order.
TEST_F(RelayTest, BulkDataIsRelayedCompletely) {
    Start();
    std::string down;
    for (int i = 0; down.size() < 24u * 1024 * 1024; ++i) {
        down += "\033[1;36mRoom " + std::to_string(i) + "\033[0m\r\nA long and winding corridor.\r\n";
    }
    std::string up;
    for (int i = 0; up.size() < 6u * 1024 * 1024; ++i) {
        up += "say " + std::string(1000, static_cast<char>('a' + i % 26)) + "\r\n";
    }
    std::thread serverWriter([&] { server_.SendAll(down); });
    std::thread clientWriter([&] { client_.SendAll(up); });
    std::this_thread::sleep_for(Millis(500));
    const std::string gotUp = server_.ReadAtLeast(up.size(), Millis(30000));
    const std::string gotDown = client_.ReadAtLeast(down.size(), Millis(30000));
    serverWriter.join();
    clientWriter.join();
    EXPECT_TRUE(SameBytes(gotUp, up));
    EXPECT_TRUE(SameBytes(gotDown, down));
}

long StatusKilobytes(pid_t pid, const std::string& field) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) {
            return std::stol(line.substr(field.size()));
        }
    }
    return -1;
}
long ResidentKilobytes(pid_t pid) { return StatusKilobytes(pid, "VmRSS:"); }
long PeakResidentKilobytes(pid_t pid) { return StatusKilobytes(pid, "VmHWM:"); }

// A client that does not read holds the server back instead of filling
// trellan's memory; once it reads, everything arrives.
TEST_F(RelayTest, SlowClientHoldsTheServerBack) {
    Start();
    const std::string chunk(1024 * 1024, 'm');
    constexpr int Chunks = 96;
    std::atomic<int> sent{0};
    std::thread serverWriter([&] {
        for (int i = 0; i < Chunks; ++i) {
            server_.SendAll(chunk);
            ++sent;
        }
    });
    std::this_thread::sleep_for(Millis(1500));
    EXPECT_LT(sent.load(), Chunks) << "nothing held the server back";
    const long rss = ResidentKilobytes(trellan_->Proc().Pid());
    EXPECT_GT(rss, 0);
    EXPECT_LT(rss, 64 * 1024) << "trellan buffered what the client did not read";
    const std::string got = client_.ReadAtLeast(chunk.size() * Chunks, Millis(30000));
    serverWriter.join();
    EXPECT_EQ(got.size(), chunk.size() * Chunks);
    EXPECT_EQ(got.find_first_not_of('m'), std::string::npos);
}

// Numbered lines, so that a byte out of place shows; still compressible
// enough that a few megabytes inflate to tens.
std::string BombLines(std::size_t from, std::size_t count) {
    std::string text;
    for (std::size_t i = from; i < from + count; ++i) {
        std::string number = std::to_string(i);
        text += std::string(10 - number.size(), '0') + number + std::string(90, '=') + "\r\n";
    }
    return text;
}

// A compression bomb to a client that reads nothing for a while: trellan
// stops reading and inflating, so the compressed rest waits with the server,
// and its memory stays flat; then the client reads it all, in order.
TEST_F(RelayTest, CompressionBombWaitsForASlowClient) {
    Start();
    constexpr std::size_t LineCount = 1000000;  // 102 MB inflated
    constexpr std::size_t Batch = 20000;
    std::thread serverWriter([&] {
        Deflater deflate;
        server_.SendAll("\xFF\xFB\x56\xFF\xFA\x56\xFF\xF0");
        for (std::size_t i = 0; i < LineCount; i += Batch) server_.SendAll(deflate(BombLines(i, Batch)));
    });
    // The compressed bomb (under 3 MB) fits the socket buffers; what must
    // not happen is inflating it while nobody reads.
    std::this_thread::sleep_for(Millis(2000));
    const long rss = ResidentKilobytes(trellan_->Proc().Pid());
    EXPECT_GT(rss, 0);
    EXPECT_LT(rss, 64 * 1024) << "trellan inflated what the client did not read";

    std::size_t checked = 0;
    bool inOrder = true;
    client_.ReadUntil(
        [&](const std::string& got) {
            // Compare whole batches as they arrive, then drop them.
            const std::size_t batchBytes = Batch * 102;
            while (inOrder && checked * Batch < LineCount && got.size() >= batchBytes) {
                inOrder = got.compare(0, batchBytes, BombLines(checked * Batch, Batch)) == 0;
                client_.Received().erase(0, batchBytes);
                ++checked;
            }
            return !inOrder || checked * Batch >= LineCount;
        },
        Millis(60000));
    serverWriter.join();
    EXPECT_TRUE(inOrder) << "batch " << checked << " differs";
    EXPECT_EQ(checked * Batch, LineCount);
    EXPECT_LT(PeakResidentKilobytes(trellan_->Proc().Pid()), 64 * 1024);
}

}  // namespace
}  // namespace e2e
