// What a player with a terminal client types to Trellan itself: the map and
// map control, bookmarks, sharing objects, and the answers to mistakes. None
// of these commands may reach the MUD.
#include <gtest/gtest.h>
#include <signal.h>

#include <memory>
#include <string_view>
#include <thread>

#include "E2eSupport.h"
#include "text/Cp1251.h"

namespace e2e {
namespace {

std::string W(std::string_view utf8) {
    return trellan::Utf8ToCp1251(utf8);
}
// As the MUD sends it and Trellan answers: "я" doubled.
std::string Wire(std::string_view utf8) {
    std::string out;
    for (char c : W(utf8)) {
        out += c;
        if (c == '\xFF') out += c;
    }
    return out;
}

const std::string GoAhead = "\xFF\xF9";
const std::string NameStart = "\033[1;36m";
const std::string Told = "\r\n\033[1;33m<Trellan> : ";
const std::string Done = Told + "\033[1;32m";
const std::string Refused = Told + "\033[1;31m";
const std::string TracingOff = Told + "Tracing now \033[1;31mOFF";
const std::string TracingOn = Told + "Tracing now \033[1;32mON";
// The demo MUD's answer to a command it does not know.
const std::string Unknown = Wire("Чего?!");

class Player {
public:
    // A fresh home, or `home` kept from an earlier run (then with the
    // client port that run's world profile holds).
    explicit Player(DemoMud& mud, const TempDir& home, std::uint16_t clientPort, bool firstRun = true)
        : trellan_(home, clientPort, mud.Port(), false, firstRun ? DemoProfile() : std::string()) {
        client_ = trellan_.ConnectClient();
        client_.ReadUntilContains(GoAhead);
    }

    // A command for the MUD: its answer `expect`, then the prompt.
    ::testing::AssertionResult Step(const std::string& command, const std::string& expect) {
        client_.Received().clear();
        client_.SendAll(command + "\r\n");
        const std::string got = client_.ReadUntil([&](const std::string& text) {
            const std::size_t at = text.find(expect);
            return at != std::string::npos && text.find(GoAhead, at) != std::string::npos;
        });
        if (got.find(expect) != std::string::npos) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "no \"" << trellan::Cp1251ToUtf8(expect) << "\" for \"" << trellan::Cp1251ToUtf8(command)
               << "\"; got: " << trellan::Cp1251ToUtf8(got);
    }

    // One of Trellan's own commands: Trellan answers `expect` and the MUD
    // hears nothing, so no prompt follows. The answer is kept in Answer().
    ::testing::AssertionResult Own(const std::string& command, const std::string& expect) {
        client_.Received().clear();
        client_.SendAll(command + "\r\n");
        client_.ReadUntil([&](const std::string& text) { return text.find(expect) != std::string::npos; });
        // The rest of a longer answer, and long enough for the MUD's answer to arrive had it got the command.
        client_.ReadUntil([](const std::string& text) { return text.find(GoAhead) != std::string::npos; }, Millis(400));
        answer_ = client_.Received();
        const std::string shown = trellan::Cp1251ToUtf8(answer_);
        if (answer_.find(expect) == std::string::npos) {
            return ::testing::AssertionFailure() << "no \"" << trellan::Cp1251ToUtf8(expect) << "\" for \""
                                                 << trellan::Cp1251ToUtf8(command) << "\"; got: " << shown;
        }
        if (answer_.find(GoAhead) != std::string::npos || answer_.find(Unknown) != std::string::npos) {
            return ::testing::AssertionFailure()
                   << "\"" << trellan::Cp1251ToUtf8(command) << "\" reached the MUD: " << shown;
        }
        return ::testing::AssertionSuccess();
    }

    const std::string& Answer() const { return answer_; }
    Socket& Client() { return client_; }

    // Trellan saves the world as it exits.
    void Stop() {
        client_.Close();
        trellan_.Proc().Signal(SIGTERM);
        EXPECT_EQ(trellan_.Proc().Wait(), 0);
    }

private:
    Trellan trellan_;
    Socket client_;
    std::string answer_;
};

std::unique_ptr<DemoMud> StartMud() {
    auto mud = std::make_unique<DemoMud>();
    Socket probe = Socket::Connect(mud->Port());
    EXPECT_TRUE(probe.Valid());
    return mud;
}

TEST(ClientCommands, EveryOwnCommandAnswersAndNoneReachesTheServer) {
    std::unique_ptr<DemoMud> mud = StartMud();
    TempDir home;
    Player player(*mud, home, FreePort());

    // Before any position.
    ASSERT_TRUE(player.Own(W("карта"), Refused + Wire("Где вы, неизвестно: наберите look")));
    ASSERT_TRUE(player.Own(W("наа площадь"), Refused + Wire("Где вы, неизвестно")));
    ASSERT_TRUE(player.Own(W("карта связь войти"), Refused + Wire("Где вы, неизвестно")));
    ASSERT_TRUE(player.Step(W("см"), NameStart + Wire("Центральная площадь")));

    ASSERT_TRUE(player.Own(W("гоу"),
                           Refused + Wire("Закладок нет; чтобы поставить, встаньте в комнату и наберите `наа <имя>`")));
    ASSERT_TRUE(player.Own(W("карта где"),
                           Done + Wire("зона Новая зона; комната Центральная площадь, номер 1; трассировка включена")));
    ASSERT_TRUE(player.Own(W("наа площадь"), Done + Wire("Закладка площадь: Центральная площадь (#1, Новая зона)")));
    ASSERT_TRUE(player.Own(W("гоу площадь"), Done + Wire("Вы уже здесь (площадь); путь назад прежний")));
    ASSERT_TRUE(player.Own(W("гоу плошадь"), Refused + Wire("Закладки \"плошадь\" нет; ближайшие: площадь")));
    ASSERT_TRUE(player.Own(W("наа"), Done + Wire("Закладка площадь снята")));
    ASSERT_TRUE(player.Own(W("наа"), Refused + Wire("У этой комнаты нет закладки")));
    ASSERT_TRUE(player.Own(W("карта сохр"), Done + Wire("Мир Новый мир сохранён")));
    ASSERT_TRUE(
        player.Own(W("карта чепуха"), Refused + Wire("Нет такой команды карты: чепуха; наберите `карта помощь`")));
    ASSERT_TRUE(player.Own(W("карта зона"), Refused + Wire("Укажите имя зоны: `карта зона <имя>`")));
    ASSERT_TRUE(player.Own(W("карта зона Новая зона"), Refused + Wire("Зона Новая зона уже есть")));
    ASSERT_TRUE(player.Own(W("карта зона a/b"), Refused + Wire("Имя зоны не годится")));
    ASSERT_TRUE(player.Own(W("карта связь войти"), Refused + Wire("Нет комнаты, из которой вы пришли")));
    ASSERT_TRUE(player.Own(W("лор меч"), "\033[1;31mDatabase search has no results"));
    ASSERT_TRUE(player.Own(W("глор меч"), Refused + Wire("В базе объектов нет записи \"меч\"")));
    ASSERT_TRUE(player.Own(W("клор"), Refused + Wire("Укажите имя записи базы объектов")));

    // The help names every command with the player's own words.
    ASSERT_TRUE(player.Own(W("карта помощь"), Done + Wire("Команды Trellan:")));
    for (const char* words : {"гоу [закладка]", "назад", "стоптр", "look|l|смотреть|см, очистить", "рпон / рпоф",
                              "лор <имя>", "глор / клор <имя>", "наа [имя]", "карта где", "карта зона <имя>",
                              "карта связь <команда>", "карта сохр", "карта помощь"}) {
        EXPECT_NE(player.Answer().find("  " + Wire(words)), std::string::npos) << words;
    }

    // The map command word is the player's own too: other words go to the MUD.
    ASSERT_TRUE(player.Step(W("картами"), Unknown));
    player.Stop();
}

TEST(ClientCommands, TheMapShowsTheRoomsAroundThePlayerLineByLine) {
    std::unique_ptr<DemoMud> mud = StartMud();
    TempDir home;
    Player player(*mud, home, FreePort());
    ASSERT_TRUE(player.Step("look", NameStart + Wire("Центральная площадь")));
    ASSERT_TRUE(player.Step("w", NameStart + Wire("Рыночная площадь")));
    ASSERT_TRUE(player.Step("e", NameStart + Wire("Центральная площадь")));
    ASSERT_TRUE(player.Step("s", NameStart + Wire("Таверна")));
    ASSERT_TRUE(player.Step("n", NameStart + Wire("Центральная площадь")));

    ASSERT_TRUE(player.Own(W("карта"), W("другой уровень")));
    // The square between the market to the west and the tavern to the
    // south, whose east door is closed.
    const std::string expected = Done + Wire("Зона Новая зона, уровень 0: Центральная площадь (#1)") + "\033[0m\r\n" +
                                 "\r\n"
                                 "\r\n"
                                 "\r\n"
                                 "\r\n"
                                 "\r\n"
                                 "\r\n"
                                 "\r\n"
                                 "                 [ ]-[@]\r\n"
                                 "                      |\r\n"
                                 "                     [ ]#\r\n"
                                 "\r\n"
                                 "\r\n"
                                 "\r\n"
                                 "\r\n"
                                 "\r\n" +
                                 Wire(
                                     "[@] вы  [^] вверх  [v] вниз  [%] вверх и вниз  # дверь  --- коридор  . другой "
                                     "уровень") +
                                 "\r\n";
    EXPECT_TRUE(SameBytes(player.Answer(), expected));
    player.Stop();
}

TEST(ClientCommands, TheLastMoveIsUndoneAndRedoneFromTheClient) {
    std::unique_ptr<DemoMud> mud = StartMud();
    TempDir home;
    Player player(*mud, home, FreePort());
    ASSERT_TRUE(player.Step("look", NameStart + Wire("Центральная площадь")));
    ASSERT_TRUE(player.Own(W("карта повтор"), Refused + Wire("Повторять нечего")));
    ASSERT_TRUE(player.Step("w", NameStart + Wire("Рыночная площадь")));
    ASSERT_TRUE(player.Own(W("карта"), Wire("[@]-[ ]")));

    ASSERT_TRUE(player.Own(W("карта отмена"), Done + Wire("отменено: ход по карте")));
    // The market is off the map, and with it the player's position.
    ASSERT_TRUE(player.Own(W("карта"), Refused + Wire("Где вы, неизвестно")));
    ASSERT_TRUE(player.Own(W("карта повтор"), Done + Wire("повторено: ход по карте")));
    ASSERT_TRUE(player.Own(W("карта повтор"), Refused + Wire("Повторять нечего")));
    player.Stop();
}

TEST(ClientCommands, ABookmarkSetInTheClientIsWalkedToAfterARestart) {
    std::unique_ptr<DemoMud> mud = StartMud();
    TempDir home;
    const std::uint16_t port = FreePort();
    {
        Player player(*mud, home, port);
        ASSERT_TRUE(player.Step("look", NameStart + Wire("Центральная площадь")));
        ASSERT_TRUE(player.Step("e", NameStart + Wire("Старый храм")));
        ASSERT_TRUE(player.Own(W("наа храм"), Done + Wire("Закладка храм: Старый храм (#2, Новая зона)")));
        ASSERT_TRUE(player.Step("w", NameStart + Wire("Центральная площадь")));
        player.Stop();
    }
    Player player(*mud, home, port, false);
    ASSERT_TRUE(player.Step("look", NameStart + Wire("Центральная площадь")));
    ASSERT_TRUE(player.Own(W("гоу"), "\r\n\033[1;32m" + Wire("храм") + "\033[0m  - " + Wire("Новая зона.Старый храм")));
    player.Client().Received().clear();
    player.Client().SendAll(W("гоу храм") + "\r\n");
    EXPECT_NE(player.Client().ReadUntilContains(NameStart + Wire("Старый храм")).find("Speedwalk sent: "),
              std::string::npos);
    player.Stop();
}

TEST(ClientCommands, GroupLoreSendsTheEntryFoundByAWholeWordAsTheObjectsPageDoes) {
    std::unique_ptr<DemoMud> mud = StartMud();
    TempDir home;
    Player player(*mud, home, FreePort());
    ASSERT_TRUE(player.Step("look", NameStart + Wire("Центральная площадь")));
    ASSERT_TRUE(player.Step(W("опознать меч"), Wire("Материал: СТАЛЬ")));
    ASSERT_TRUE(player.Own(W("лор меч"), Wire("Точного имени \"меч\" нет; найдено по целому слову")));
    EXPECT_NE(player.Answer().find(Wire("Наносимые повреждения '3D5' среднее 9.0.")), std::string::npos);

    player.Client().Received().clear();
    player.Client().SendAll(W("глор меч") + "\r\n");
    const std::string end = "->>Trellan objecs base <end> (v.2)'";
    const std::string got = player.Client().ReadUntilContains(end);
    EXPECT_NE(got.find(Done + Wire("Запись \"длинный меч\" отправлена группе")), std::string::npos);
    // The MUD echoes every chat line the block was sent as, in order.
    std::size_t at = 0;
    for (const char* line :
         {"->>Trellan objecs base <begin> (v.2)'", "->>Предметы.ОРУЖИЕ.длинный меч'", "->>Вы узнали следующее:'",
          "->>Вес: 12, Цена: 150, Рента: 30'", "->>Trellan objecs base <end> (v.2)'"}) {
        at = got.find(Wire("Вы сообщили группе : '") + Wire(line), at);
        ASSERT_NE(at, std::string::npos) << line << "\n" << trellan::Cp1251ToUtf8(got);
    }
    EXPECT_EQ(got.find(Unknown), std::string::npos) << "the command itself never reached the MUD";
    player.Stop();
}

TEST(ClientCommands, APortalLinkedFromTheClientKeepsTracingOnBothWays) {
    std::unique_ptr<DemoMud> mud = StartMud();
    TempDir home;
    Player player(*mud, home, FreePort());
    ASSERT_TRUE(player.Step("look", NameStart + Wire("Центральная площадь")));
    ASSERT_TRUE(player.Step("s", NameStart + Wire("Таверна")));
    ASSERT_TRUE(player.Step("s", NameStart + Wire("Здесь темно...")));
    ASSERT_TRUE(player.Step("s", NameStart + Wire("Южные ворота")));
    ASSERT_TRUE(player.Step("e", NameStart + Wire("Берег реки")));
    ASSERT_TRUE(player.Step("d", NameStart + Wire("Сырая пещера")));

    // The portal has no link: tracing stops and says why and what to type.
    ASSERT_TRUE(player.Step(W("войти"), NameStart + Wire("Лесная поляна")));
    const std::string reason = TracingOff + "\033[0m\r\n" + Refused +
                               Wire(
                                   "Трассировка выключена: портал без связи; наберите look, затем `карта связь "
                                   "войти` (место новое: сначала `карта зона <имя>`)");
    const std::string seen = player.Client().ReadUntilContains(reason);
    EXPECT_NE(seen.find(reason), std::string::npos) << trellan::Cp1251ToUtf8(seen);

    // A new area: a zone of its own, the room the first of it, the portal linked.
    ASSERT_TRUE(player.Own(W("карта зона Лес"), Done + Wire("Новая зона Лес; наберите look")));
    ASSERT_TRUE(player.Step("l", NameStart + Wire("Лесная поляна")));
    EXPECT_NE(player.Client().Received().find(TracingOn), std::string::npos);
    ASSERT_TRUE(player.Own(W("карта связь войти"),
                           Done + Wire("Связь: Сырая пещера (#6, Новая зона) -> войти -> Лесная поляна (#1, Лес)")));

    // Back through the portal: no link that way yet; the look finds the cave.
    ASSERT_TRUE(player.Step(W("войти"), NameStart + Wire("Сырая пещера")));
    EXPECT_NE(player.Client().ReadUntilContains(reason).find(reason), std::string::npos);
    ASSERT_TRUE(player.Step(W("смотреть"), NameStart + Wire("Сырая пещера")));
    ASSERT_TRUE(player.Own(W("карта связь"),
                           Done + Wire("Связь: Лесная поляна (#1, Лес) -> войти -> Сырая пещера (#6, Новая зона)")));

    // Now back and forth, and tracing stays on.
    for (const char* room : {"Лесная поляна", "Сырая пещера", "Лесная поляна"}) {
        ASSERT_TRUE(player.Step(W("войти"), NameStart + Wire(room)));
        EXPECT_EQ(player.Client().Received().find("Tracing now"), std::string::npos) << room;
    }
    ASSERT_TRUE(player.Step("e", NameStart + Wire("Звериная тропа")));
    ASSERT_TRUE(
        player.Own(W("карта где"), Done + Wire("зона Лес; комната Звериная тропа, номер 2; трассировка включена")));
    player.Stop();
}

}  // namespace
}  // namespace e2e
