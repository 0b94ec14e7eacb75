// The demo MUD speaking like a Russian DikuMUD (code page chosen at login,
// Russian move words, exits into other areas in upper case, exits in the
// prompt in Russian letters, dark rooms without an exits line), played
// through the real trellan with a profile written for it.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string_view>

#include "E2eSupport.h"
#include "storage/JsonLine.h"
#include "text/Cp1251.h"
#include "text/ServerCharset.h"

namespace e2e {
namespace {

using trellan::ServerCharset;

const std::string GoAhead = "\xFF\xF9";

std::string W(std::string_view utf8) {
    return trellan::Utf8ToCp1251(utf8);
}

// The demo profile for this MUD with the code page the player picks.
std::string RussianProfile(std::string_view encoding) {
    std::string profile = ReadFile(std::string(TRELLAN_SOURCE_DIR) + "/tools/demo-mud/local-russian.ini");
    const std::string key = "Server Encoding=";
    const std::size_t at = profile.find(key);
    profile.replace(at + key.size(), profile.find("\r\n", at) - at - key.size(), encoding);
    return profile;
}

struct RoomLine {
    std::string name;
    std::string exits;
    int x = 0, y = 0;
    std::map<std::string, bool> links;
    std::string quickList;
};

std::vector<RoomLine> DumpZone(const std::string& path) {
    Process dump(TRELLAN_BINARY, {"zone", "dump", path});
    std::vector<RoomLine> rooms;
    for (std::string line = dump.ReadLine(); !line.empty(); line = dump.ReadLine()) {
        std::map<std::string, trellan::JsonValue> member;
        for (trellan::JsonMember& m : trellan::ParseJsonObject(line)) member[m.Key] = std::move(m.Value);
        if (member["Pipe"].Boolean) continue;
        RoomLine& room = rooms.emplace_back();
        room.name = member["Hint"].Text;
        room.exits = member["Exits"].Text;
        room.x = static_cast<int>(member["X"].Integer);
        room.y = static_cast<int>(member["Y"].Integer);
        for (const char* flag : {"ChN", "ChS", "ChE", "ChW", "ChU", "ChD"}) room.links[flag] = member[flag].Boolean;
    }
    EXPECT_EQ(dump.Wait(), 0) << path;
    return rooms;
}

const RoomLine* Named(const std::vector<RoomLine>& rooms, const std::string& name) {
    for (const RoomLine& room : rooms) {
        if (room.name == name) return &room;
    }
    return nullptr;
}

// A player of the demo MUD in one code page, through trellan.
class RussianSession {
public:
    // The world keeps the client port of its first start in its own profile.
    RussianSession(ServerCharset charset, const TempDir& home, std::uint16_t mudPort, std::uint16_t clientPort)
        : charset_(charset) {
        trellan_ = std::make_unique<Trellan>(home, clientPort, mudPort, true,
                                             RussianProfile(trellan::ServerCharsetName(charset)));
        client_ = trellan_->ConnectClient();
        client_.ReadUntilContains("> ");
        const char* choice = charset == ServerCharset::Koi8r ? "1" : charset == ServerCharset::Utf8 ? "3" : "2";
        client_.SendAll(std::string(choice) + "\r\n");
        client_.ReadUntilContains(GoAhead);
    }

    // Text as the MUD and the client speak it, 0xFF doubled on the wire.
    std::string Wire(std::string_view utf8) const { return trellan::ToServerCharset(W(utf8), charset_, true); }
    std::string Typed(std::string_view utf8) const { return trellan::ToServerCharset(W(utf8), charset_); }

    // Types a command in the player's code page; true once `expect` and the
    // prompt after it arrived.
    ::testing::AssertionResult Step(std::string_view command, std::string_view expect) {
        client_.Received().clear();
        client_.SendAll(Typed(command) + "\r\n");
        const std::string wanted = Wire(expect);
        const std::string got = client_.ReadUntil([&](const std::string& text) {
            const std::size_t at = text.find(wanted);
            return at != std::string::npos && text.find(GoAhead, at) != std::string::npos;
        });
        if (got.find(wanted) == std::string::npos) {
            return ::testing::AssertionFailure() << "no \"" << expect << "\" after \"" << command
                                                 << "\"; got: " << trellan::Cp1251ToUtf8(client_.Received());
        }
        return ::testing::AssertionSuccess();
    }

    void Stop() {
        client_.Close();
        trellan_->Proc().Signal(SIGTERM);
        EXPECT_EQ(trellan_->Proc().Wait(), 0);
    }

    Socket& Client() { return client_; }

private:
    ServerCharset charset_;
    std::unique_ptr<Trellan> trellan_;
    Socket client_;
};

class RussianMud : public ::testing::TestWithParam<ServerCharset> {};

TEST_P(RussianMud, ARussianWalkIsMappedAndWalkedBackBySpeedwalk) {
    DemoMud mud({"--russian"});
    ASSERT_TRUE(Socket::Connect(mud.Port()).Valid());
    TempDir home;
    const std::uint16_t clientPort = FreePort();
    const std::string zone = home.Path() + "/Maps/" + "Новый мир" + "/" + "Новая зона.tr2";
    {
        RussianSession session(GetParam(), home, mud.Port(), clientPort);
        const std::vector<std::pair<std::string, std::string>> walk = {
            {"look", "Центральная площадь"},
            {"ю", "Таверна"},            // exits in lower case: "n s (e) u"
            {"ю", "Здесь темно..."},     // no exits line: the prompt's "СЮ"
            {"юг", "Южные ворота"},
            {"с", "Здесь темно..."},
            {"север", "Таверна"},
            {"с", "Центральная площадь"},
            {"с", "Северные ворота"},    // "N s": north leads into another area
            {"с", "Северная дорога"},
            {"ю", "Северные ворота"},
        };
        for (const auto& [command, expect] : walk) ASSERT_TRUE(session.Step(command, expect));
        EXPECT_EQ(session.Client().Received().find("Tracing now \033[1;31mOFF"), std::string::npos);

        // The lore answers come back in the player's code page.
        ASSERT_TRUE(session.Step("ю", "Центральная площадь"));
        ASSERT_TRUE(session.Step("ю", "Таверна"));
        ASSERT_TRUE(session.Step("опознать меч", "Вы узнали следующее"));
        // Trellan's own answer has no prompt behind it.
        session.Client().Received().clear();
        session.Client().SendAll(session.Typed("лор длинный меч") + "\r\n");
        const std::string lore = session.Client().ReadUntilContains(session.Wire("ОРУЖИЕ"));
        EXPECT_NE(lore.find(session.Wire("Предмет \"длинный меч\"")), std::string::npos) << lore;
        session.Stop();
    }

    std::vector<RoomLine> rooms = DumpZone(zone);
    const RoomLine* square = Named(rooms, "Центральная площадь");
    const RoomLine* tavern = Named(rooms, "Таверна \"Пьяный тролль\"");
    const RoomLine* dark = Named(rooms, "Здесь темно...");
    const RoomLine* gate = Named(rooms, "Северные ворота");
    const RoomLine* road = Named(rooms, "Северная дорога");
    const RoomLine* south = Named(rooms, "Южные ворота");
    ASSERT_TRUE(square && tavern && dark && gate && road && south) << rooms.size() << " rooms";
    EXPECT_EQ(rooms.size(), 6u);
    EXPECT_EQ(tavern->exits, " N S (E) U ") << "the lower-case exits are the profile's words";
    EXPECT_EQ(dark->exits, "N S") << "a dark room's exits come from the prompt";
    EXPECT_EQ(gate->exits, " N S ");
    EXPECT_EQ((std::vector<int>{tavern->x - square->x, dark->x - square->x, south->x - square->x,
                                gate->x - square->x, road->x - square->x}),
              (std::vector<int>{1, 2, 3, -1, -2}));
    EXPECT_TRUE(square->links.at("ChS") && tavern->links.at("ChN") && dark->links.at("ChS") &&
                south->links.at("ChN") && gate->links.at("ChN") && road->links.at("ChS"));

    // An alias on the square, then a new session walks south by Russian
    // words and back by speedwalk, which sends the first word of each move.
    ASSERT_TRUE(SetAlias(zone, "Центральная площадь", "площадь"));

    RussianSession again(GetParam(), home, mud.Port(), clientPort);
    ASSERT_TRUE(again.Step("look", "Центральная площадь"));
    ASSERT_TRUE(again.Step("ю", "Таверна"));
    ASSERT_TRUE(again.Step("ю", "Здесь темно..."));
    ASSERT_TRUE(again.Step("ю", "Южные ворота"));
    ASSERT_TRUE(again.Step("гоу площадь", "Центральная площадь"));
    const std::string& walked = again.Client().Received();
    EXPECT_NE(walked.find("Speedwalk sent: \r\n\033[1;32mn;n;n;"), std::string::npos);
    EXPECT_EQ(walked.find("OFF"), std::string::npos);
    again.Stop();
}

INSTANTIATE_TEST_SUITE_P(EveryCodePage, RussianMud,
                         ::testing::Values(ServerCharset::Windows1251, ServerCharset::Koi8r, ServerCharset::Utf8),
                         [](const ::testing::TestParamInfo<ServerCharset>& info) {
                             switch (info.param) {
                                 case ServerCharset::Koi8r:
                                     return std::string("Koi8r");
                                 case ServerCharset::Utf8:
                                     return std::string("Utf8");
                                 case ServerCharset::Windows1251:
                                     break;
                             }
                             return std::string("Windows1251");
                         });

}  // namespace
}  // namespace e2e
