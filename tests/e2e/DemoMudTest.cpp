// The demo MUD on its own, and trellan's command line.
#include <gtest/gtest.h>

#include <random>

#include "E2eSupport.h"

namespace e2e {
namespace {

// Windows-1251 bytes of the texts looked for.
const std::string CentralSquare = "\xD6\xE5\xED\xF2\xF0\xE0\xEB\xFC\xED\xE0\xFF\xFF";  // "Центральная", я doubled

TEST(DemoMud, SurvivesGarbageAndServesTheNextPlayer) {
    DemoMud mud;
    std::mt19937 random(7);
    for (int round = 0; round < 5; ++round) {
        Socket junk = Socket::Connect(mud.Port());
        ASSERT_TRUE(junk.Valid());
        std::string bytes;
        for (int i = 0; i < 200000; ++i) {
            bytes.push_back(static_cast<char>(random() % 256));
        }
        // An endless line, unterminated telnet subnegotiation, odd commands.
        bytes += std::string(100000, 'x') + "\xFF\xFA\x56" + std::string(5000, 'y') + "\xFF\xFD\x56\xFF\xFD\x56";
        junk.SendAll(bytes);
        junk.Close();
    }
    Socket player = Socket::Connect(mud.Port());
    EXPECT_NE(player.ReadUntilContains(CentralSquare).find(CentralSquare), std::string::npos);
    EXPECT_EQ(mud.Proc().Wait(Millis(0)), -1) << "the demo MUD exited";
}

TEST(DemoMud, PlainWhenCompressionIsRefusedOrNotOffered) {
    DemoMud offered;
    Socket refusing = Socket::Connect(offered.Port());
    EXPECT_EQ(refusing.ReadAtLeast(3).substr(0, 3), "\xFF\xFB\x56");
    refusing.SendAll("\xFF\xFE\x56look\r\n");
    refusing.Received().clear();
    EXPECT_NE(refusing.ReadUntilContains("[ Exits:").find("[ Exits:"), std::string::npos);

    DemoMud plain({"--no-mccp"});
    Socket client = Socket::Connect(plain.Port());
    const std::string greeting = client.ReadUntilContains("> ");
    EXPECT_EQ(greeting.find("\xFF\xFB"), std::string::npos);
    EXPECT_NE(greeting.find(CentralSquare), std::string::npos);
}

TEST(TrellanCommandLine, HelpAndBadArguments) {
    Process help(TRELLAN_BINARY, {"--help"});
    EXPECT_NE(help.ReadLine().find("Usage: trellan"), std::string::npos);
    EXPECT_EQ(help.Wait(), 0);
    Process bad(TRELLAN_BINARY, {"--no-such-option"});
    EXPECT_EQ(bad.Wait(), 2);
    Process badServer(TRELLAN_BINARY, {"--headless", "--server", "nohost"});
    EXPECT_EQ(badServer.Wait(), 2);
}

}  // namespace
}  // namespace e2e
