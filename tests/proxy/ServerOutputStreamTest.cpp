#include "proxy/ServerOutputStream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <utility>

#include "SessionFixture.h"
#include "proxy/MccpStatus.h"
#include "support/Deflate.h"
#include "text/TextUtils.h"

namespace trellan {
namespace {

const std::string kWill86 = "\xFF\xFB\x56";
const std::string kDo86 = "\xFF\xFD\x56";
const std::string kStart86 = "\xFF\xFA\x56\xFF\xF0";
const std::string kWill85 = "\xFF\xFB\x55";
const std::string kDo85 = "\xFF\xFD\x55";
const std::string kStart85 = "\xFF\xFA\x55\xFB\xF0";

using testing::Deflate;

class ServerOutputStreamTest : public testing::SessionFixture {
protected:
    void SetUp() override {
        log.SetActive(true);
        session.SetHooks(hooks);
        config.ClientPort = 4999;
        config.ServerName = "mud.example.org";
        Apply();
    }

    // Applies `config`, which ends the session, and starts a new one.
    void Apply() {
        session.ApplyConnectionSettings(config);
        NewClient();
    }
};

TEST_F(ServerOutputStreamTest, OneEventIsDrainedInChunksAndReachesTheTrackerOnce) {
    std::string text;
    for (int i = 0; i < 500; ++i) text += "line " + std::to_string(i) + "\r\n";
    Event(text);
    EXPECT_EQ(transport.Received(client), text);
    EXPECT_EQ(hooks.texts, std::vector<std::string>{text});
    EXPECT_GT(transport.serverReads, static_cast<int>(text.size() / ServerOutputStream::ChunkSize));

    // However small the reads, and compressed.
    Apply();
    hooks.texts.clear();
    transport.maxRead = 3;
    text = "\033[1;36mRoom\033[0m\r\nDescription\r\n\033[36m[ Exits: n ]\033[0m\r\n";
    Event(kWill86 + kStart86 + Deflate(text));
    EXPECT_EQ(transport.Received(client), text);
    EXPECT_EQ(hooks.texts, std::vector<std::string>{text});
}

TEST_F(ServerOutputStreamTest, APromptsGoAheadEndsTheLineForTheTrackerOnly) {
    // The answer to the next command follows the prompt on the same line.
    const std::string prompt = "<30H 90M> \xFF\xF9";
    Event(prompt + "You learn:\r\n");
    EXPECT_EQ(transport.Received(client), prompt + "You learn:\r\n");
    EXPECT_EQ(hooks.texts.back(), prompt + "\r\nYou learn:\r\n");
    // End-of-record marks prompts too; a line break already there is not doubled.
    Event("> \xFF\xEF\r\nRoom\r\n");
    EXPECT_EQ(hooks.texts.back(), "> \xFF\xEF\r\nRoom\r\n");
    // "ящ" doubled on the wire is no go-ahead, nor is a go-ahead behind a
    // doubled "я"; the tracker gets "я" undoubled, the client every byte.
    transport.Received(client).clear();
    Event("\xFF\xFF\xF9\xE8\xEA \xFF\xFF\xFF\xF9x");
    EXPECT_EQ(hooks.texts.back(), "\xFF\xF9\xE8\xEA \xFF\xFF\xF9\r\nx");
    EXPECT_EQ(transport.Received(client), "\xFF\xFF\xF9\xE8\xEA \xFF\xFF\xFF\xF9x");

    // A server that does not double 0xFF: IAC and "я" cannot be told apart.
    config.NoDoubleYa = false;
    Apply();
    Event(prompt + "You");
    EXPECT_EQ(hooks.texts.back(), prompt + "You");
}

// The passes as ReplaceAll gives them, to hold the in-place version against.
// 0xFF pairs are taken from the left, so "\x01" stands for an undoubled one
// while the go-aheads are looked for.
std::string ReferenceNormalise(std::string text, bool noDoubleYa) {
    if (noDoubleYa) {
        text = ReplaceAll(text, "\xFF\xFF", "\x01");
        text = ReplaceAll(text, "\xFF\xF9", "\xFF\xF9\r\n");
        text = ReplaceAll(text, "\x01", "\xFF");
    }
    for (const char* pair : {"\r\n\r\n", "\r\r", "\n\n"}) {
        std::string_view search = pair;
        std::string_view replacement = search.substr(0, search.size() / 2);
        while (text.find(search) != std::string::npos) text = ReplaceAll(text, search, replacement);
    }
    return ReplaceAll(text, "\n\r", "\r\n");
}

TEST(NormaliseTest, MatchesTheReplaceAllPasses) {
    const char alphabet[] = {'\r', '\n', '\xFF', '\xF9', 'a'};
    unsigned seed = 12345;
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        int length = round % 24;
        for (int i = 0; i < length; ++i) {
            seed = seed * 1103515245u + 12345u;
            text += alphabet[(seed >> 16) % sizeof alphabet];
        }
        for (bool noDoubleYa : {true, false}) {
            std::string normalised = text;
            ServerOutputStream::Normalise(normalised, noDoubleYa);
            ASSERT_EQ(normalised, ReferenceNormalise(text, noDoubleYa)) << ::testing::PrintToString(text);
        }
    }
    // Long runs stay cheap: each pass halves them.
    std::string run(1 << 20, '\n');
    ServerOutputStream::Normalise(run, true);
    EXPECT_EQ(run, "\n");
}

TEST_F(ServerOutputStreamTest, MccpV2IsAcceptedAndInflatedAcrossEvents) {
    Event(kWill86);
    EXPECT_EQ(transport.sentToServer, kDo86);
    EXPECT_EQ(session.Status().MccpVersion, "mccV2");
    EXPECT_EQ(session.Status().VersionPanelText, "mccV2");

    std::string text = "\033[1;36mRoom\033[0m\r\nA long room text with a NUL.\r\n\r\n";
    text.insert(text.find("with"), 1, '\0');
    std::string stream = kStart86 + Deflate(text);
    std::string expected = text;
    std::replace(expected.begin(), expected.end(), '\0', '\n');
    // Whatever way the compressed bytes are split between two events, the
    // client and the tracker get the same text.
    for (std::size_t split = 0; split <= stream.size(); ++split) {
        config.MccpEnabled = true;
        Apply();
        Event(kWill86);
        transport.Received(client).clear();
        hooks.texts.clear();
        Event(stream.substr(0, split));
        Event(stream.substr(split));
        EXPECT_EQ(transport.Received(client), expected) << split;
        // Line breaks are collapsed per event, the rest arrives unchanged.
        EXPECT_EQ(StripChars(Tracked(), "\r\n"), StripChars(expected, "\r\n")) << split;
        EXPECT_TRUE(session.Status().MccpCompressing);
    }
    EXPECT_EQ(CompressionHintText(session.Status()).substr(0, 20), "MCCP Compression V2\r");
    EXPECT_EQ(session.Status().MccpUncompressedTotal, static_cast<std::int64_t>(expected.size()));

    // Version 1 is taken as well.
    Apply();
    transport.sentToServer.clear();
    Event(kWill85);
    EXPECT_EQ(transport.sentToServer, kDo85);
    EXPECT_EQ(session.Status().MccpVersion, "mccV1");
    Event(kStart85 + Deflate("hello\r\n"));
    EXPECT_EQ(transport.Received(client), "hello\r\n");
}

TEST_F(ServerOutputStreamTest, WithMccpOffOffersAreRelayedUntouched) {
    config.MccpEnabled = false;
    Apply();
    std::string data = kWill86 + kStart86 + "raw";
    Event(data);
    EXPECT_EQ(transport.Received(client), data);
    EXPECT_TRUE(transport.sentToServer.empty());
    EXPECT_EQ(session.Status().MccpVersion, "none");
    EXPECT_EQ(session.Status().RatePanelText, "----");
}

TEST_F(ServerOutputStreamTest, ReconnectOrServerErrorStartsAFreshDecompressor) {
    // A new client restarts the server connection; the new server speaks
    // plain text, which must not go to the old session's inflater.
    for (bool byError : {false, true}) {
        Event(kWill86);
        Event(kStart86 + Deflate("compressed\r\n"));
        ASSERT_TRUE(session.Status().MccpCompressing);
        if (byError) {
            session.OnServerError("Connection reset");
            EXPECT_FALSE(session.OutputStream().MccpActive());
        }
        NewClient();
        Event("plain\r\n");
        EXPECT_EQ(transport.Received(client), "plain\r\n") << byError;
        EXPECT_FALSE(session.Status().MccpCompressing);
        EXPECT_EQ(session.Status().MccpVersion, "none");
    }
}

TEST_F(ServerOutputStreamTest, FloodAndCompressionBombAreHandedOnInBoundedPieces) {
    const auto expectBoundedPieces = [&](std::size_t atLeast) {
        ASSERT_GE(hooks.texts.size(), atLeast);
        for (const std::string& piece : hooks.texts) {
            EXPECT_LE(piece.size(), ServerOutputStream::PieceLimit + ServerOutputStream::ChunkSize);
            // Cut between lines, never inside the CR LF.
            EXPECT_NE(piece.back(), '\r');
        }
    };
    std::string line = "\033[0;32mThe quick brown fox\033[0m\r\n";
    std::string text;
    while (text.size() < 3 * ServerOutputStream::PieceLimit + 12345) text += line;
    Event(text);
    EXPECT_EQ(transport.Received(client), text);
    expectBoundedPieces(3);
    EXPECT_EQ(Tracked(), text);

    Apply();
    hooks.texts.clear();
    Event(kWill86);
    std::string bomb(8 * ServerOutputStream::PieceLimit, 'x');
    Event(kStart86 + Deflate(bomb));
    EXPECT_EQ(transport.Received(client).size(), bomb.size());
    expectBoundedPieces(8);
}

// A client that stops reading holds back reading the server, and with it
// inflating: what is still compressed waits with the server, and the client
// gets every byte in order once it reads again.
TEST_F(ServerOutputStreamTest, AFullClientBacklogStopsReadingAndInflating) {
    constexpr std::size_t limit = 256 * 1024;
    transport.clientBacklogLimit = limit;
    log.SetActive(false);
    Event(kWill86);
    std::string bomb;
    for (int i = 0; bomb.size() < 32 * limit; ++i) bomb += "line " + std::to_string(i % 1000) + "\r\n";
    const std::string compressed = Deflate(bomb);
    transport.ServerSends(kStart86 + compressed);
    std::string got;
    int events = 0;
    while (got.size() < bomb.size() && events < 10000) {
        session.OnServerReadable();
        ++events;
        std::string& backlog = transport.Received(client);
        // Past the limit by at most one piece and one chunk's inflation.
        ASSERT_LE(backlog.size(), limit + ServerOutputStream::PieceLimit + 1100 * ServerOutputStream::ChunkSize)
            << "event " << events;
        got += backlog;
        backlog.clear();
        if (got.size() < bomb.size()) EXPECT_FALSE(transport.serverUnread.empty()) << "read ahead of the client";
    }
    EXPECT_GE(events, 6) << "reading went on past the full backlog";
    EXPECT_TRUE(got == bomb) << got.size() << " of " << bomb.size();
}

TEST_F(ServerOutputStreamTest, PiecesDoNotSplitDoubledYa) {
    std::string text(ServerOutputStream::PieceLimit - 1, 'a');
    text += "\xFF\xFF";
    text += std::string(5000, 'b');
    Event(text);
    EXPECT_EQ(transport.Received(client), text);
    std::string expected = text;
    expected.erase(ServerOutputStream::PieceLimit - 1, 1);
    EXPECT_EQ(Tracked(), expected);
}

TEST_F(ServerOutputStreamTest, CorruptStreamEndsSessionAfterRelayingTheGoodPart) {
    Event(kWill86);
    transport.Received(client).clear();
    std::string good = "Room\r\n";
    std::string stream = kStart86 + Deflate(good) + "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF" + "more junk";
    transport.ServerSends(stream);
    session.OnServerReadable();
    EXPECT_EQ(transport.closedReceived[client], good + ServerOutputStream::CorruptStreamMessage);
    // A 0xFF in it would reach the client as a telnet command.
    EXPECT_EQ(ServerOutputStream::CorruptStreamMessage.find('\xFF'), std::string::npos);
    EXPECT_TRUE(transport.clients.empty());  // dropped, as when the server closes
    EXPECT_TRUE(transport.listening);
    EXPECT_FALSE(transport.serverActive);
    EXPECT_FALSE(session.ServerConnected());
    EXPECT_FALSE(session.OutputStream().MccpActive());
    EXPECT_EQ(hooks.texts.back(), good);
    bool logged = std::any_of(log.Lines().begin(), log.Lines().end(), [](const std::string& line) {
        return line.rfind("CSRead: MCCP", 0) == 0;
    });
    EXPECT_TRUE(logged);
}

TEST(CompressionStatusTest, RateAndHintTexts) {
    // 87.5 and 62.5 round half to even.
    const std::tuple<std::int64_t, std::int64_t, const char*> rates[] = {
        {250, 1000, "75%"}, {0, 0, "----"}, {1, 8, "88%"}, {3, 8, "62%"}, {1000, 1000, "0%"}, {1500, 1000, "-50%"}};
    for (const auto& [compressed, uncompressed, text] : rates) {
        EXPECT_EQ(CompressionRateText(compressed, uncompressed), text) << compressed << "/" << uncompressed;
    }
    const std::pair<std::int64_t, const char*> counts[] = {
        {0, "0.00"}, {999, "999.00"}, {1000, "1,000.00"}, {1234567, "1,234,567.00"}, {-1234, "-1,234.00"}};
    for (const auto& [count, text] : counts) EXPECT_EQ(FormatByteCount(count), text);

    MccpStatus status;
    EXPECT_EQ(CompressionHintText(status), "Compression disabled");
    status.MccpCompressing = true;
    status.MccpVersion = "mccV2";
    status.MccpCompressedTotal = 250;
    status.MccpUncompressedTotal = 1000;
    EXPECT_EQ(CompressionHintText(status),
              "MCCP Compression V2\r\nCompressed: 250.00 bytes,\r\nUncompressed: 1,000.00 bytes\r\n"
              "Compression rate: 75%");
    status.MccpUncompressedTotal = 0;
    EXPECT_EQ(CompressionHintText(status).substr(CompressionHintText(status).rfind(':')), ": ----");
}

}  // namespace
}  // namespace trellan
