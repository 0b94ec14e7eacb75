// What a player meets in a long session through trellan: a profile whose
// markers never match this MUD, a second client connecting, and a debug
// log that keeps the whole story.
#include <gtest/gtest.h>
#include <signal.h>

#include <memory>
#include <string_view>

#include "E2eSupport.h"
#include "text/Cp1251.h"

namespace e2e {
namespace {

const std::string GoAhead = "\xFF\xF9";

std::string W(std::string_view utf8) {
    return trellan::Utf8ToCp1251(utf8);
}

// As the MUD sends it: "я" doubled.
std::string Wire(std::string_view utf8) {
    std::string out;
    for (char c : W(utf8)) {
        out += c;
        if (c == '\xFF') out += c;
    }
    return out;
}

// The demo MUD once it listens.
std::unique_ptr<DemoMud> StartMud() {
    auto mud = std::make_unique<DemoMud>();
    Socket probe = Socket::Connect(mud->Port());
    EXPECT_TRUE(probe.Valid());
    return mud;
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

// Types a command and waits for the prompt that follows `expect`.
::testing::AssertionResult Step(Socket& client, const std::string& command, const std::string& expect) {
    client.Received().clear();
    client.SendAll(command + "\r\n");
    const std::string got = client.ReadUntil([&](const std::string& text) {
        const std::size_t at = text.find(expect);
        return at != std::string::npos && text.find(GoAhead, at) != std::string::npos;
    });
    if (got.find(expect) != std::string::npos) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "no answer to \"" << command << "\"; got: " << trellan::Cp1251ToUtf8(got);
}

TEST(PlayerSession, MarkersThatNeverMatchAreNamedOnceInsteadOfASilentEmptyMap) {
    std::unique_ptr<DemoMud> mud = StartMud();
    TempDir home;
    // The player's MUD prints its exits line in another form than the profile says.
    std::string profile = DemoProfile();
    const std::string key = "AutoexitStart=";
    const std::size_t at = profile.find(key);
    profile.replace(at + key.size(), profile.find("\r\n", at) - at - key.size(), "#$1B[36m[ Выходы:");
    Trellan trellan(home, FreePort(), mud->Port(), false, profile);
    Socket client = trellan.ConnectClient();
    client.ReadUntilContains(GoAhead);

    std::string seen;
    ASSERT_TRUE(Step(client, "look", Wire("Центральная площадь")));
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(Step(client, i % 2 == 0 ? "n" : "s", Wire(i % 2 == 0 ? "Северные ворота" : "Центральная площадь")));
        seen += client.Received();
        if (i == 3) {
            EXPECT_EQ(Count(seen, W("ни одна комната не распознана")), 0u) << "not before the fifth move";
        }
    }
    EXPECT_EQ(Count(seen, W("ни одна комната не распознана")), 1u) << "told once";
    EXPECT_NE(seen.find(W("не встретились AutoexitStart;")), std::string::npos) << seen;
    client.Close();
    trellan.Proc().Signal(SIGTERM);
    EXPECT_EQ(trellan.Proc().Wait(), 0);
}

TEST(PlayerSession, ASecondClientTakesTheGameOverAndTheFirstIsToldAndClosed) {
    std::unique_ptr<DemoMud> mud = StartMud();
    TempDir home;
    Trellan trellan(home, FreePort(), mud->Port(), false, DemoProfile());
    Socket first = trellan.ConnectClient();
    first.ReadUntilContains(GoAhead);
    first.Received().clear();

    std::string banner;
    Socket second = trellan.ConnectClient(&banner);
    EXPECT_EQ(banner, Banner);
    EXPECT_TRUE(first.WaitClosed());
    EXPECT_EQ(first.Received(),
              W("\r\n\033[1;33m<Trellan> : Подключился другой клиент, это соединение закрыто.\033[0m\r\n"));
    // The first client's late typing reaches nobody; the newcomer plays.
    first.SendAll("n\r\n");
    second.ReadUntilContains(GoAhead);
    ASSERT_TRUE(Step(second, "look", Wire("Центральная площадь")));
    EXPECT_EQ(second.Received().find(W("Северные ворота")), std::string::npos);
    second.Close();
    trellan.Proc().Signal(SIGTERM);
    EXPECT_EQ(trellan.Proc().Wait(), 0);
}

TEST(PlayerSession, TheDebugLogFileKeepsAWalkLongerThanThePane) {
    std::unique_ptr<DemoMud> mud = StartMud();
    TempDir home;
    Trellan trellan(home, FreePort(), mud->Port(), true, DemoProfile());
    Socket client = trellan.ConnectClient();
    client.ReadUntilContains(GoAhead);
    ASSERT_TRUE(Step(client, "look", Wire("Центральная площадь")));
    for (int i = 0; i < 150; ++i) {
        ASSERT_TRUE(Step(client, i % 2 == 0 ? "n" : "s", Wire(i % 2 == 0 ? "Северные ворота" : "Центральная площадь")));
    }
    // Written as it happens: the story is there while trellan still runs.
    const std::string live = ReadFile(home / "trdebug.log");
    EXPECT_NE(live.find(W("TranslateCmd: Команда: look")), std::string::npos);
    EXPECT_GT(Count(live, "\r\n"), 1000u);
    client.Close();
    trellan.Proc().Signal(SIGTERM);
    EXPECT_EQ(trellan.Proc().Wait(), 0);
    const std::string kept = ReadFile(home / "trdebug.log");
    EXPECT_NE(kept.find(W("TranslateCmd: Команда: look")), std::string::npos) << "the close does not cut it short";
    EXPECT_GE(kept.size(), live.size());
}

TEST(PlayerSession, ASpeedwalkThroughAClosedDoorIsToldFirstAndWalksOnceAskedAgain) {
    std::unique_ptr<DemoMud> mud = StartMud();
    TempDir home;
    const std::uint16_t clientPort = FreePort();
    {
        Trellan trellan(home, clientPort, mud->Port(), false, DemoProfile());
        Socket client = trellan.ConnectClient();
        client.ReadUntilContains(GoAhead);
        ASSERT_TRUE(Step(client, "look", Wire("Центральная площадь")));
        ASSERT_TRUE(Step(client, "s", Wire("Таверна")));
        ASSERT_TRUE(Step(client, W("открыть дверь"), Wire("Вы открыли дверь.")));
        ASSERT_TRUE(Step(client, "e", Wire("Кладовая")));
        ASSERT_TRUE(Step(client, "w", Wire("Таверна")));
        ASSERT_TRUE(Step(client, W("закрыть дверь"), Wire("Вы закрыли дверь.")));
        ASSERT_TRUE(Step(client, "look", Wire("(E)")));
        ASSERT_TRUE(Step(client, "n", Wire("Центральная площадь")));
        client.Close();
        trellan.Proc().Signal(SIGTERM);
        ASSERT_EQ(trellan.Proc().Wait(), 0);
    }
    ASSERT_TRUE(SetAlias(home.Path() + "/Maps/Новый мир/Новая зона.tr2", "Кладовая", "кладовая"));

    Trellan trellan(home, clientPort, mud->Port(), false, DemoProfile());
    Socket client = trellan.ConnectClient();
    client.ReadUntilContains(GoAhead);
    ASSERT_TRUE(Step(client, "look", Wire("Центральная площадь")));
    client.Received().clear();
    client.SendAll(W("гоу кладовая") + "\r\n");
    const std::string told = client.ReadUntilContains(W("повторите команду"));
    EXPECT_NE(told.find(Wire("на пути закрытая дверь: Таверна \"Пьяный тролль\", на восток")), std::string::npos)
        << trellan::Cp1251ToUtf8(told);
    EXPECT_EQ(told.find("Speedwalk sent"), std::string::npos);

    // The player opens the door and asks again: the walk goes out.
    ASSERT_TRUE(Step(client, "s", Wire("Таверна")));
    ASSERT_TRUE(Step(client, W("открыть дверь"), Wire("Вы открыли дверь.")));
    ASSERT_TRUE(Step(client, "n", Wire("Центральная площадь")));
    ASSERT_TRUE(Step(client, W("гоу кладовая"), Wire("Кладовая")));
    EXPECT_NE(client.Received().find("Speedwalk sent: \r\n\033[1;32ms;e;"), std::string::npos);
    client.Close();
    trellan.Proc().Signal(SIGTERM);
    EXPECT_EQ(trellan.Proc().Wait(), 0);
}

}  // namespace
}  // namespace e2e
