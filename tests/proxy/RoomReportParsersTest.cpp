#include <gtest/gtest.h>

#include "proxy/Gmcp.h"
#include "proxy/Msdp.h"
#include "proxy/RoomReport.h"

namespace trellan {
namespace {

// MSDP structure bytes written readably: = var, : val, { } table, [ ] array.
std::string Msdp(std::string_view readable) {
    std::string out;
    for (char c : readable) {
        switch (c) {
            case '=':
                out += '\x01';
                break;
            case ':':
                out += '\x02';
                break;
            case '{':
                out += '\x03';
                break;
            case '}':
                out += '\x04';
                break;
            case '[':
                out += '\x05';
                break;
            case ']':
                out += '\x06';
                break;
            default:
                out += c;
        }
    }
    return out;
}

TEST(MsdpParser, ReadsTheRoomTableWithItsExits) {
    MsdpVariables vars =
        ParseMsdp(Msdp("=ROOM:{=VNUM:1021=NAME:\xCB\xE0\xE1=AREA:\xC3\xEE\xF0=EXITS:{=n:1022=e:1023}=TERRAIN:city}"));
    ASSERT_EQ(vars.size(), 1u);
    RoomReport report = RoomReportFromMsdp(vars);
    EXPECT_EQ(report.Identity, "1021");
    EXPECT_EQ(report.Name, "\xCB\xE0\xE1");
    EXPECT_EQ(report.Area, "\xC3\xEE\xF0");
    ASSERT_EQ(report.Exits.size(), 2u);
    EXPECT_EQ(report.Exits[1], (std::pair<std::string, std::string>("e", "1023")));
}

TEST(MsdpParser, ReadsSeparateVariablesArraysAndRepeatedValues) {
    MsdpVariables vars = ParseMsdp(Msdp("=ROOM_VNUM: 77 =ROOM_NAME:Square=AREA_NAME:Town=ARR:[:a:b]=REPORT:x:y"));
    RoomReport report = RoomReportFromMsdp(vars);
    EXPECT_EQ(report.Identity, "77");  // blanks at the ends are no part of it
    EXPECT_EQ(report.Name, "Square");
    EXPECT_EQ(report.Area, "Town");
    ASSERT_EQ(vars.size(), 5u);
    EXPECT_EQ(vars[3].value.kind, MsdpValue::Kind::Array);
    EXPECT_EQ(vars[3].value.items.size(), 2u);
    EXPECT_EQ(vars[4].value.kind, MsdpValue::Kind::Array) << "several values of one variable";
}

TEST(MsdpParser, DamagedOrHostileContentNeverFailsAndNamesNoIdentity) {
    // Unclosed tables, stray bytes, values without variables.
    EXPECT_NO_THROW(ParseMsdp(Msdp("{{{:=x")));
    EXPECT_TRUE(RoomReportFromMsdp(ParseMsdp(Msdp("=ROOM:{=VNUM:"))).Identity.empty());
    // Nesting beyond the limit ends the reading instead of recursing on.
    std::string deep = Msdp("=X:");
    for (int i = 0; i < 100000; ++i) deep += '\x03';
    EXPECT_NO_THROW(ParseMsdp(deep));
    // Control bytes and overlong numbers are no identity; names lose them.
    RoomReport report =
        RoomReportFromMsdp(ParseMsdp(Msdp("=ROOM_VNUM:1\r2=ROOM_NAME:a\x07"
                                          "b")));
    EXPECT_TRUE(report.Identity.empty());
    EXPECT_EQ(report.Name, "ab");
    EXPECT_TRUE(RoomReportFromMsdp(ParseMsdp(Msdp("=ROOM_VNUM:") + std::string(65, '9'))).Identity.empty());
    // An area that looks like a path is kept as text; it is never a path.
    EXPECT_EQ(RoomReportFromMsdp(ParseMsdp(Msdp("=AREA_NAME:../../x\x1B"))).Area, "../../x");
}

TEST(MsdpParser, TheRequestAsksForEveryNameServersUse) {
    std::string request = MsdpRoomRequest();
    EXPECT_EQ(request.substr(0, 3), "\xFF\xFA\x45");
    EXPECT_EQ(request.substr(request.size() - 2), "\xFF\xF0");
    MsdpVariables vars = ParseMsdp(request.substr(3, request.size() - 5));
    ASSERT_EQ(vars.size(), 1u);
    EXPECT_EQ(vars[0].name, "REPORT");
    ASSERT_EQ(vars[0].value.kind, MsdpValue::Kind::Array);
    std::vector<std::string> names;
    for (const MsdpValue& v : vars[0].value.items) names.push_back(v.text);
    EXPECT_EQ(names, (std::vector<std::string>{"ROOM", "ROOM_VNUM", "ROOM_NAME", "AREA_NAME", "ROOM_EXITS"}));
}

TEST(GmcpParser, ReadsRoomInfoInUtf8AsWindows1251) {
    RoomReport report = RoomReportFromGmcp(
        SplitGmcp("Room.Info {\"num\": 1021, \"name\": \"\xD0\x9B\xD0\xB0\xD0\xB1\", \"area\": \"Town\", "
                  "\"exits\": {\"n\": 1022, \"e\": \"1023\"}, \"environment\": \"city\"}"));
    EXPECT_EQ(report.Identity, "1021");
    EXPECT_EQ(report.Name, "\xCB\xE0\xE1");
    EXPECT_EQ(report.Area, "Town");
    EXPECT_EQ(report.Exits, (std::vector<std::pair<std::string, std::string>>{{"e", "1023"}, {"n", "1022"}}));
    EXPECT_EQ(RoomReportFromGmcp(SplitGmcp("room.info {\"vnum\":\"a-7\"}")).Identity, "a-7");
}

TEST(GmcpParser, OtherPackagesAndBadJsonGiveNothing) {
    EXPECT_TRUE(RoomReportFromGmcp(SplitGmcp("Char.Vitals {\"hp\": 10}")).Empty());
    EXPECT_TRUE(RoomReportFromGmcp(SplitGmcp("Room.Info {\"num\": ")).Empty());
    EXPECT_TRUE(RoomReportFromGmcp(SplitGmcp("Room.Info [1,2]")).Empty());
    EXPECT_TRUE(RoomReportFromGmcp(SplitGmcp("Room.Info")).Empty());
    EXPECT_TRUE(RoomReportFromGmcp(SplitGmcp("Room.Info {\"num\": 1.5, \"name\": [\"x\"]}")).Empty());
    std::string deep = "Room.Info {\"num\":1,\"x\":" + std::string(1000, '[') + std::string(1000, ']') + "}";
    EXPECT_TRUE(RoomReportFromGmcp(SplitGmcp(deep)).Empty());
    // Brackets inside strings do not count as nesting.
    std::string brackets = "Room.Info {\"num\":2,\"name\":\"" + std::string(100, '[') + "\"}";
    EXPECT_EQ(RoomReportFromGmcp(SplitGmcp(brackets)).Identity, "2");
}

TEST(RoomReportMarkers, StandInTextAndComeOutAgain) {
    std::string text = "a" + RoomReportMarker(7) + "b\x01x\x02" + RoomReportMarker(4294967295u) + "c";
    std::optional<FoundMarker> first = FindRoomReportMarker(text);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->Sequence, 7u);
    EXPECT_EQ(first->Position, 1u);
    std::optional<FoundMarker> second = FindRoomReportMarker(text, first->Position + first->Length);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->Sequence, 4294967295u) << "a damaged marker is skipped";
    EXPECT_EQ(WithoutRoomReportMarkers(text),
              "ab\x01x\x02"
              "c");
}

}  // namespace
}  // namespace trellan
