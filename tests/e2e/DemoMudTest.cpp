// The demo MUD on its own and with trellan in front of it.
#include <gtest/gtest.h>
#include <signal.h>

#include <random>

#include "E2eSupport.h"

namespace e2e {
namespace {

// Windows-1251 bytes of the texts looked for.
const std::string CentralSquare = "\xD6\xE5\xED\xF2\xF0\xE0\xEB\xFC\xED\xE0\xFF\xFF";  // "Центральная", я doubled
const std::string Tavern = "\xD2\xE0\xE2\xE5\xF0\xED\xE0";                             // "Таверна"
const std::string Dark = "\xC7\xE4\xE5\xF1\xFC \xF2\xE5\xEC\xED\xEE...";              // "Здесь темно..."
const std::string CantMove = "\xC2\xFB \xED\xE5 \xEC\xEE\xE6\xE5\xF2\xE5";           // "Вы не можете"
const std::string Fled = "\xC2\xFB \xE1\xFB\xF1\xF2\xF0\xEE \xF3\xE1\xE5\xE6\xE0\xEB\xE8";  // "Вы быстро убежали"
const std::string Flee = "\xF3\xE1\xE5\xE6\xE0\xF2\xFC";                               // "убежать"
const std::string Identify = "\xEE\xEF\xEE\xE7\xED\xE0\xF2\xFC \xEC\xE5\xF7";          // "опознать меч"
const std::string ItemLine = "\xCF\xF0\xE5\xE4\xEC\xE5\xF2 \"";                         // "Предмет \""

TEST(DemoMudThroughTrellan, ThePlayerWalksTheWorld) {
    DemoMud mud;
    TempDir home;
    // The demo MUD may still be binding; trellan connects when the client does.
    Socket probe = Socket::Connect(mud.Port());
    ASSERT_TRUE(probe.Valid());
    probe.Close();
    Trellan trellan(home, FreePort(), mud.Port());
    Socket client = trellan.ConnectClient();
    // MCCP was offered and taken by trellan: the client sees plain text.
    EXPECT_NE(client.ReadUntilContains("\033[1;36m" + CentralSquare).find("\033[1;36m" + CentralSquare),
              std::string::npos);
    client.ReadUntilContains("> ");
    EXPECT_EQ(client.Received().find("\xFF\xFB\x56"), std::string::npos);

    const auto step = [&](const std::string& command, const std::string& expect) {
        client.Received().clear();
        client.SendAll(command + "\r\n");
        const std::string got = client.ReadUntilContains(expect);
        return got.find(expect) != std::string::npos;
    };
    EXPECT_TRUE(step("s", "\033[1;36m" + Tavern));
    EXPECT_TRUE(step("s", "\033[1;36m" + Dark + "\033[0m\r\n\033[36m[ Exits: N S ]\r\n"));
    EXPECT_TRUE(step("w", CantMove));
    EXPECT_TRUE(step(Flee + " n", Fled));
    EXPECT_TRUE(step(Identify, ItemLine));
}

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

TEST(DemoMud, PromptsChatAndDoorsAsRealMudsDo) {
    DemoMud mud({"--no-mccp"});
    Socket first = Socket::Connect(mud.Port());
    Socket second = Socket::Connect(mud.Port());
    first.ReadUntilContains("\xFF\xF9");
    second.ReadUntilContains("\xFF\xF9");
    // Every answer ends with the prompt and go-ahead, no line end after it.
    const std::string greeting = first.Received();
    EXPECT_EQ(greeting.substr(greeting.size() - 4), "> \xFF\xF9");

    first.Received().clear();
    first.SendAll("s\r\ne\r\n\xEE\xF2\xEA\xF0\xFB\xF2\xFC \xE4\xE2\xE5\xF0\xFC\r\nlook\r\ne\r\n");
    // That was s, e, "открыть дверь", look, e.
    const std::string walk = first.ReadUntilContains("\xCA\xEB\xE0\xE4\xEE\xE2\xE0\xFF\xFF");  // "Кладовая"
    EXPECT_NE(walk.find("[ Exits: N S (E) U ]\r\n"), std::string::npos) << walk;
    EXPECT_NE(walk.find("\xC7\xE0\xEA\xF0\xFB\xF2\xEE."), std::string::npos) << walk;  // "Закрыто."
    EXPECT_NE(walk.find("[ Exits: N S E U ]\r\n"), std::string::npos) << walk;
    // The room comes right behind the go-ahead of the previous prompt.
    EXPECT_NE(walk.find("> \xFF\xF9\033[1;36m"), std::string::npos) << walk;

    // Group chat keeps the letters as typed and reaches the others.
    first.Received().clear();
    first.SendAll("\xE3\xE3 ->>Trellan Objecs\r\n");  // "гг ->>..."
    EXPECT_NE(first.ReadUntilContains("\xFF\xF9").find(" : '->>Trellan Objecs'\033[0m\r\n"), std::string::npos);
    second.Received().clear();
    EXPECT_NE(second.ReadUntilContains("Objecs'").find("->>Trellan Objecs'"), std::string::npos);
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
