// The proxy's part in MSDP and GMCP, through a session with scripted server
// and client bytes.
#include <gtest/gtest.h>

#include "SessionFixture.h"
#include "proxy/Msdp.h"
#include "proxy/RoomReportNegotiation.h"

namespace trellan {
namespace {

const std::string kWillMsdp = "\xFF\xFB\x45";
const std::string kDoMsdp = "\xFF\xFD\x45";
const std::string kDontMsdp = "\xFF\xFE\x45";
const std::string kWillGmcp = "\xFF\xFB\xC9";
const std::string kDoGmcp = "\xFF\xFD\xC9";
// A ROOM table: VAR ROOM VAL { VAR VNUM VAL 1021 VAR NAME VAL Л"я"б }; the
// name holds the byte 0xFF, doubled inside the subnegotiation.
const std::string kRoomSb =
    "\xFF\xFA\x45\x01ROOM\x02\x03\x01VNUM\x02"
    "1021\x01NAME\x02\xCB\xFF\xFF\xE1\x04\xFF\xF0";
const std::string kRoomText = "\x1B[1;36m\xCB\xFF\xFF\xE1\x1B[0m\r\n";

class RoomReportNegotiationTest : public testing::SessionFixture {
protected:
    void SetUp() override {
        config.ServerName = "mud";
        session.SetHooks(hooks);
        session.ApplyConnectionSettings(config);
        NewClient();
    }
    void Client(const std::string& bytes) {
        transport.clients.at(client).unread += bytes;
        session.OnClientReadable(client);
    }
};

TEST_F(RoomReportNegotiationTest, TrellanTakesUpMsdpAndAClientThatNeverAgreedSeesNoneOfIt) {
    Event(kWillMsdp + "hello\r\n");
    EXPECT_EQ(transport.Received(client), kWillMsdp + "hello\r\n") << "the offer reaches the client as it came";
    EXPECT_EQ(transport.sentToServer, kDoMsdp + MsdpRoomRequest());

    Event(kRoomSb + kRoomText);
    EXPECT_EQ(transport.Received(client), kWillMsdp + "hello\r\n" + kRoomText);
    ASSERT_EQ(hooks.reports.size(), 1u);
    EXPECT_EQ(hooks.reports[0].Identity, "1021");
    EXPECT_EQ(hooks.reports[0].Name, "\xCB\xFF\xE1");
    // The tracker's copy has the marker where the report stood ("я" undoubled).
    EXPECT_EQ(hooks.texts.back(), RoomReportMarker(hooks.reports[0].Sequence) + "\x1B[1;36m\xCB\xFF\xE1\x1B[0m\r\n");

    // A second offer is not answered twice.
    transport.sentToServer.clear();
    Event(kWillMsdp);
    EXPECT_TRUE(transport.sentToServer.empty());
}

TEST_F(RoomReportNegotiationTest, AnOfferSplitAcrossEventsAmidDoubledYaIsTakenUp) {
    Event("\xFF\xFF text \xFF");
    Event("\xFB\x45 more \xFF\xFF");
    EXPECT_EQ(transport.Received(client), "\xFF\xFF text " + kWillMsdp + " more \xFF\xFF");
    EXPECT_EQ(transport.sentToServer, kDoMsdp + MsdpRoomRequest());
    EXPECT_EQ(Tracked(), "\xFF text " + kWillMsdp + " more \xFF");
}

TEST_F(RoomReportNegotiationTest, AClientThatAgreesGetsEveryByteAndOneThatRefusesNothing) {
    Event(kWillMsdp);
    transport.sentToServer.clear();
    Client(kDoMsdp);
    EXPECT_TRUE(transport.sentToServer.empty()) << "the server has had its DO from Trellan";
    // The client's own request goes through.
    const std::string request = "\xFF\xFA\x45\x01REPORT\x02HEALTH\xFF\xF0";
    Client(request);
    EXPECT_EQ(transport.sentToServer, request);
    transport.Received(client).clear();
    Event(kRoomSb + kRoomText);
    EXPECT_EQ(transport.Received(client), kRoomSb + kRoomText);
    EXPECT_EQ(hooks.reports.size(), 1u);

    // Changing its mind: DONT is not forwarded (Trellan still wants the
    // data), and the client sees no more of it.
    Client(kDontMsdp);
    EXPECT_EQ(transport.sentToServer, request);
    transport.Received(client).clear();
    Event(kRoomSb + "x");
    EXPECT_EQ(transport.Received(client), "x");
    EXPECT_EQ(hooks.reports.size(), 2u);
}

TEST_F(RoomReportNegotiationTest, SwitchedOffEveryBytePassesAndTheClientAnswersItself) {
    config.Msdp = false;
    config.Gmcp = false;
    session.ApplyConnectionSettings(config);
    SetUp();
    transport.sentToServer.clear();
    Event(kWillMsdp + kWillGmcp + kRoomSb + kRoomText);
    EXPECT_EQ(transport.Received(client), kWillMsdp + kWillGmcp + kRoomSb + kRoomText);
    EXPECT_TRUE(transport.sentToServer.empty());
    EXPECT_TRUE(hooks.reports.empty());
    Client(kDoMsdp);
    EXPECT_EQ(transport.sentToServer, kDoMsdp);
}

TEST_F(RoomReportNegotiationTest, GmcpIsAskedForRoomInfoAndKeepsItBesideTheClientsOwnPackages) {
    Event(kWillGmcp);
    EXPECT_NE(transport.sentToServer.find(kDoGmcp + "\xFF\xFA\xC9"
                                                    "Core.Hello "),
              std::string::npos);
    EXPECT_NE(transport.sentToServer.find("\xFF\xFA\xC9"
                                          "Core.Supports.Set [\"Room 1\"]\xFF\xF0"),
              std::string::npos);
    transport.sentToServer.clear();
    Client(kDoGmcp);
    const std::string set =
        "\xFF\xFA\xC9"
        "Core.Supports.Set [\"Char 1\"]\xFF\xF0";
    Client(set + "look\r\n");
    EXPECT_EQ(transport.sentToServer, set +
                                          "\xFF\xFA\xC9"
                                          "Core.Supports.Add [\"Room 1\"]\xFF\xF0" +
                                          "look\r\n");
    transport.Received(client).clear();
    const std::string info = "\xFF\xFA\xC9Room.Info {\"num\":5,\"name\":\"A\"}\xFF\xF0";
    Event(info + kRoomText);
    EXPECT_EQ(transport.Received(client), info + kRoomText);
    ASSERT_EQ(hooks.reports.size(), 1u);
    EXPECT_EQ(hooks.reports[0].Identity, "5");
}

TEST_F(RoomReportNegotiationTest, ReportsWithNoTextBetweenThemMakeOneReport) {
    Event(kWillMsdp);
    const std::string vnum =
        "\xFF\xFA\x45\x01ROOM_VNUM\x02"
        "7\xFF\xF0";
    const std::string name = "\xFF\xFA\x45\x01ROOM_NAME\x02Hall\xFF\xF0";
    Event(vnum);
    Event(name + "text" + vnum);
    ASSERT_EQ(hooks.reports.size(), 3u);
    EXPECT_EQ(hooks.reports[0].Sequence, hooks.reports[1].Sequence);
    EXPECT_NE(hooks.reports[1].Sequence, hooks.reports[2].Sequence);
    EXPECT_EQ(Tracked(), kWillMsdp + RoomReportMarker(hooks.reports[0].Sequence) + "text" +
                             RoomReportMarker(hooks.reports[2].Sequence));
}

// The stream is a state machine: the same bytes split anywhere give the
// same client bytes, tracker text and reports.
TEST(RoomReportNegotiationSplits, EverySplitGivesTheSameResult) {
    const std::string stream =
        "a\xFF\xFF"
        "b" +
        kWillMsdp + "c" + kRoomSb + kRoomText + "\xFF\xF9" + "\xFF\xFA\x18\x01x\xFF\xF0" + kRoomSb +
        "\xFF\xFA\x45\x01" + std::string(10, 'z') + "\xFF\xF0" + "end";
    const std::string clientStream = kDoMsdp + "n\r\n" + "\xFF\xFA\xC9x\xFF\xFF\xFF\xF0" + "\xFF\xFB\x18";
    RoomReportNegotiation whole;
    RoomReportNegotiation::ServerOutput expected;
    whole.FromServer(stream, {}, expected);
    std::string expectedClient = whole.FromClient(clientStream);
    for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
        RoomReportNegotiation split;
        RoomReportNegotiation::ServerOutput out;
        split.FromServer(stream.substr(0, cut), {}, out);
        split.FromServer(stream.substr(cut), {}, out);
        EXPECT_EQ(out.ToClient, expected.ToClient) << cut;
        EXPECT_EQ(out.ToTracker, expected.ToTracker) << cut;
        EXPECT_EQ(out.ToServer, expected.ToServer) << cut;
        ASSERT_EQ(out.Reports.size(), expected.Reports.size()) << cut;
        std::string client;
        if (cut <= clientStream.size()) {
            client = split.FromClient(clientStream.substr(0, cut));
            client += split.FromClient(clientStream.substr(cut));
            EXPECT_EQ(client, expectedClient) << cut;
        }
    }
    EXPECT_EQ(expected.Reports.size(), 2u) << "the last subnegotiation names no room";
    EXPECT_EQ(expectedClient, "n\r\n\xFF\xFA\xC9x\xFF\xFF\xFF\xF0\xFF\xFB\x18");
}

}  // namespace
}  // namespace trellan
