// The demo MUD's Russian-MUD options: the login code page menu, KOI8-R and
// UTF-8 players, exits cased by area, Russian prompt letters, dark rooms
// without an exits line.
#include <gtest/gtest.h>

#include "E2eSupport.h"
#include "text/Cp1251.h"
#include "text/Koi8r.h"

namespace e2e {
namespace {

using trellan::Cp1251ToKoi8r;
using trellan::Koi8rToCp1251;
using trellan::Utf8ToCp1251;

const std::string GoAhead = "\xFF\xF9";
const std::string Menu = "Select encoding:\r\n 1) KOI8-R\r\n 2) Windows-1251\r\n 3) UTF-8\r\n> ";

std::string Koi8r(const std::string& utf8) { return Cp1251ToKoi8r(Utf8ToCp1251(utf8)); }

// Sends a command line and returns the answer up to and including the
// prompt's go-ahead.
std::string Ask(Socket& player, const std::string& line) {
    player.Received().clear();
    player.SendAll(line + "\r\n");
    return player.ReadUntilContains(GoAhead);
}

TEST(DemoMudRussian, Koi8rPlayerWalksNorthIntoAnotherArea) {
    DemoMud mud({"--russian", "--no-mccp"});
    Socket player = Socket::Connect(mud.Port());
    EXPECT_EQ(player.ReadUntilContains("> "), Menu);
    player.Received().clear();
    player.SendAll("koi8\r\n");
    EXPECT_EQ(player.ReadUntilContains("> "), Menu) << "a wrong answer shows the menu again";

    const std::string greeting = Ask(player, " 1 ");
    EXPECT_NE(greeting.find(Koi8r("Центральная площадь")), std::string::npos);
    EXPECT_NE(greeting.find("[ Exits: n s e w ]"), std::string::npos);
    EXPECT_NE(greeting.find(Koi8r("<30H 90M Вых:СЮВЗ> ") + GoAhead), std::string::npos);

    // "с", typed in KOI8-R.
    const std::string gate = Ask(player, Koi8r("с"));
    EXPECT_NE(gate.find(Koi8r("Северные ворота")), std::string::npos);
    EXPECT_NE(gate.find("[ Exits: N s ]"), std::string::npos) << "north leads into another area";
    EXPECT_NE(gate.find(Koi8r("Вых:СЮ>")), std::string::npos) << "the prompt is not cased";
    // All of it reads as KOI8-R: back in Windows-1251 it is the world's text.
    EXPECT_NE(Koi8rToCp1251(gate).find(Utf8ToCp1251("Проводник стоит здесь, поджидая путников.")),
              std::string::npos);
    EXPECT_EQ(gate.find(Utf8ToCp1251("Северные")), std::string::npos) << "not Windows-1251";

    const std::string road = Ask(player, Koi8r("север"));
    EXPECT_NE(road.find(Koi8r("Северная дорога")), std::string::npos);
    EXPECT_NE(road.find("[ Exits: S ]"), std::string::npos);

    // "Ъ" is 0xFF in KOI8-R: doubled on the way in, undoubled by the server,
    // and doubled again in the echo.
    const std::string said = Ask(player, Koi8r("гг ") + "\xFF\xFF" + Koi8r("ъ"));
    EXPECT_NE(said.find(Koi8r("Вы сообщили группе : '") + "\xFF\xFF" + Koi8r("ъ'")), std::string::npos);
}

TEST(DemoMudRussian, Utf8PlayerSeesNoExitsLineInTheDark) {
    DemoMud mud({"--russian", "--no-mccp"});
    Socket player = Socket::Connect(mud.Port());
    player.ReadUntilContains("> ");
    const std::string greeting = Ask(player, "3");
    EXPECT_NE(greeting.find("Центральная площадь"), std::string::npos);

    const std::string tavern = Ask(player, "юг");
    EXPECT_NE(tavern.find("[ Exits: n s (e) u ]"), std::string::npos);
    EXPECT_NE(tavern.find("Вых:СЮ(В)^> "), std::string::npos);

    const std::string alley = Ask(player, "ю");
    EXPECT_NE(alley.find("\033[1;36mЗдесь темно...\033[0m\r\n"), std::string::npos);
    EXPECT_EQ(alley.find("Exits"), std::string::npos);
    EXPECT_NE(alley.find("\r\n\033[0m<30H 90M Вых:СЮ> " + GoAhead), std::string::npos);
    EXPECT_EQ(alley.find("\xFF\xFF"), std::string::npos) << "UTF-8 has no 0xFF to double";
}

TEST(DemoMudRussian, OptionsWorkAloneAndBadCharsetIsRefused) {
    // A fixed code page asks nothing; the exits line is cased, the prompt not.
    DemoMud mud({"--russian", "--charset", "UTF-8", "--no-mccp", "--russian-prompt"});
    Socket player = Socket::Connect(mud.Port());
    const std::string greeting = player.ReadUntilContains(GoAhead);
    EXPECT_EQ(greeting.find("Select encoding"), std::string::npos);
    EXPECT_NE(greeting.find("Вых:СЮВЗ> "), std::string::npos);

    DemoMud cased({"--exit-case", "--no-mccp"});
    Socket other = Socket::Connect(cased.Port());
    const std::string plain = other.ReadUntilContains(GoAhead);
    EXPECT_NE(plain.find("[ Exits: n s e w ]"), std::string::npos);
    EXPECT_NE(plain.find(Utf8ToCp1251("Вых:NSEW> ")), std::string::npos);
    Ask(other, "s");
    EXPECT_NE(Ask(other, "s").find("[ Exits: n s ]"), std::string::npos) << "the dark alley keeps its exits line";

    Process bad(TRELLAN_DEMO_MUD, {"--charset", "latin1"});
    EXPECT_EQ(bad.Wait(), 2);
}

}  // namespace
}  // namespace e2e
