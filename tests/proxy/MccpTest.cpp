#include "proxy/Mccp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/Deflate.h"

namespace trellan {
namespace {

using namespace std::string_literals;

const std::string kIac = "\xFF";
const std::string kWill2 = "\xFF\xFB\x56";
const std::string kWill1 = "\xFF\xFB\x55";
const std::string kDo2 = "\xFF\xFD\x56";
const std::string kDo1 = "\xFF\xFD\x55";
const std::string kDont1 = "\xFF\xFE\x55";
const std::string kStart2 = "\xFF\xFA\x56\xFF\xF0";
const std::string kStart1 = "\xFF\xFA\x55\xFB\xF0";

// A stream of flushed parts; `finish` ends it after the last.
std::string DeflateParts(const std::vector<std::string>& parts, bool finish) {
    testing::Deflater deflater;
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) out += deflater(parts[i], finish && i + 1 == parts.size());
    return out;
}

std::string Deflate(const std::string& text) {
    return testing::Deflate(text, true);
}

struct Result {
    std::string output;
    std::vector<std::string> responses;
    std::int64_t compressed = 0;
    std::int64_t uncompressed = 0;
    bool failed = false;
    bool compressing = false;

    bool operator==(const Result&) const = default;
};

// Drains the component the way the output stream does: responses, then the
// output in 2048-byte steps, then the statistics.
void Drain(Mccp& mccp, Result& result) {
    for (std::string r = mccp.Response(); !r.empty(); r = mccp.Response()) result.responses.push_back(r);
    char buffer[2048];
    while (mccp.Pending() > 0) {
        std::size_t n = mccp.Get(buffer, sizeof buffer);
        ASSERT_GT(n, 0u);
        ASSERT_LE(n, sizeof buffer);
        result.output.append(buffer, n);
    }
    std::int64_t c = 0, u = 0;
    mccp.Stats(c, u);
    result.compressed += c;
    result.uncompressed += u;
}

// Feeds `stream` cut at the given positions (ascending).
Result Feed(const std::string& stream, const std::vector<std::size_t>& cuts = {}) {
    Mccp mccp;
    Result result;
    std::size_t from = 0;
    for (std::size_t to : cuts) {
        mccp.Receive(stream.data() + from, to - from);
        Drain(mccp, result);
        from = to;
    }
    mccp.Receive(stream.data() + from, stream.size() - from);
    Drain(mccp, result);
    result.failed = mccp.Failed();
    result.compressing = mccp.Compressing();
    return result;
}

// The same stream split at every byte position, and fed a byte at a time,
// gives the same result as fed whole.
void ExpectSplitInvariant(const std::string& stream) {
    Result whole = Feed(stream);
    for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
        ASSERT_EQ(Feed(stream, {cut}), whole) << "split at " << cut;
    }
    std::vector<std::size_t> everyByte;
    for (std::size_t i = 1; i < stream.size(); ++i) everyByte.push_back(i);
    ASSERT_EQ(Feed(stream, everyByte), whole) << "byte by byte";
}

TEST(MccpTest, AcceptsVersion2AndInflatesUntilTheStreamEnds) {
    std::string text = "\xCA\xEE\xEC\xED\xE0\xF2\xE0 \xFF\xFF\r\nExits: N S\r\n" + std::string(500, 'x') + "\r\n";
    std::string stream = "Welcome\r\n" + kWill2 + kStart2 + Deflate(text) + "plain again" + kIac + kIac;
    Result r = Feed(stream);
    EXPECT_EQ(r.output, "Welcome\r\n" + text + "plain again\xFF\xFF");
    EXPECT_EQ(r.responses, std::vector<std::string>{kDo2});
    EXPECT_FALSE(r.compressing);
    EXPECT_FALSE(r.failed);
    EXPECT_EQ(r.compressed, static_cast<std::int64_t>(Deflate(text).size()));
    EXPECT_EQ(r.uncompressed, static_cast<std::int64_t>(text.size()));
    ExpectSplitInvariant(stream);
}

TEST(MccpTest, AcceptsVersion1WithItsOddStartSequence) {
    std::string text = "old compression\r\n";
    std::string stream = kWill1 + "a" + kStart1 + Deflate(text) + "b";
    Result r = Feed(stream);
    EXPECT_EQ(r.output, "a" + text + "b");
    EXPECT_EQ(r.responses, std::vector<std::string>{kDo1});
    ExpectSplitInvariant(stream);
}

TEST(MccpTest, BothVersionsOffered) {
    // Version 2 first: version 1 is refused.
    EXPECT_EQ(Feed(kWill2 + kWill1).responses, (std::vector<std::string>{kDo2, kDont1}));
    // Version 1 first was already accepted; version 2 is accepted as well.
    EXPECT_EQ(Feed(kWill1 + kWill2).responses, (std::vector<std::string>{kDo1, kDo2}));
    // The refusal holds for the rest of the session.
    EXPECT_EQ(Feed(kWill2 + "text" + kWill1 + kWill1).responses, (std::vector<std::string>{kDo2, kDont1, kDont1}));
    EXPECT_EQ(Feed(kWill2 + "text" + kWill1).output, "text");
}

TEST(MccpTest, OtherTelnetSequencesPassThroughByteForByte) {
    std::string stream = std::string("a") + kIac + kIac + "b" +  // doubled 0xFF
                         "\xFF\xFB\x01" + "\xFF\xFD\x56" + "\xFF\xFC\x56" + "\xFF\xFE\x55" +  // other negotiation
                         "\xFF\xFA\x18\x00xterm\xFF\xF0"s +  // another option's subnegotiation
                         "\xFF\xF9" +                       // GA
                         "\xFF\xFA\x56X" +                  // looks like a start, is not
                         "\xFF\xFA\x56\xFF\xFF" +           // nor is this
                         "\xFF\xFA\x55\xFBX" +              // nor this
                         "\xFF\xFA\x55Q" + "\xFF\xFB\xFF" + "\xFF\xFD\xFF" + "tail";
    Result r = Feed(stream);
    EXPECT_EQ(r.output, stream);
    EXPECT_TRUE(r.responses.empty());
    EXPECT_FALSE(r.compressing);
    ExpectSplitInvariant(stream);
}

TEST(MccpTest, FlushedPartsShowBeforeTheStreamEndsAndStreamsRestart) {
    std::vector<std::string> parts = {"first room\r\n", "second room\r\n", std::string(3000, 'z')};
    std::string open = DeflateParts(parts, false);
    Mccp mccp;
    Result r;
    std::string head = kWill2 + kStart2 + open;
    mccp.Receive(head.data(), head.size());
    Drain(mccp, r);
    EXPECT_EQ(r.output, parts[0] + parts[1] + parts[2]);
    EXPECT_TRUE(mccp.Compressing());

    // A whole session: stream, end, plain text, a new offer and stream, each
    // of which must survive every split.
    std::string stream = kWill2 + kStart2 + DeflateParts(parts, true) + "between\r\n" + kWill2 + kStart2 +
                         DeflateParts({"again\r\n"}, false);
    Result whole = Feed(stream);
    EXPECT_EQ(whole.output, parts[0] + parts[1] + parts[2] + "between\r\nagain\r\n");
    EXPECT_EQ(whole.responses, (std::vector<std::string>{kDo2, kDo2}));
    EXPECT_TRUE(whole.compressing);
    ExpectSplitInvariant(stream);
}

TEST(MccpTest, CorruptStreamFailsWithoutGarbage) {
    // Not a zlib header at all.
    std::string stream = "before" + kWill2 + kStart2 + "\x12\x34garbage" + "after";
    Result r = Feed(stream);
    EXPECT_TRUE(r.failed);
    EXPECT_FALSE(r.compressing);
    EXPECT_EQ(r.output, "before");
    ExpectSplitInvariant(stream);

    Mccp mccp;
    mccp.Receive(stream.data(), stream.size());
    EXPECT_NE(mccp.ErrorText().find("MCCP: corrupt compressed stream from the server (zlib: "), std::string::npos);
    // Once failed, nothing more comes out, plain or not.
    Result later;
    Drain(mccp, later);
    mccp.Receive("more text", 9);
    Drain(mccp, later);
    EXPECT_EQ(later.output, "before");
    EXPECT_TRUE(mccp.Failed());
}

TEST(MccpTest, DamagedChecksumFailsAndDropsWhatFollows) {
    std::string text = "a room description\r\n";
    std::string z = Deflate(text);
    z.back() = static_cast<char>(z.back() ^ 0x55);  // adler32 trailer
    std::string stream = kStart2 + z + "after";
    Result r = Feed(stream);
    EXPECT_TRUE(r.failed);
    EXPECT_EQ(r.output.find("after"), std::string::npos);
    ExpectSplitInvariant(stream);
}

TEST(MccpTest, HighlyCompressedDataComesOutWhole) {
    // About a thousand to one: each 2048-byte read expands to megabytes.
    std::string text(8 * 1024 * 1024, 'a');
    for (std::size_t i = 0; i < text.size(); i += 4096) text[i] = '\n';
    std::string stream = kStart2 + Deflate(text) + "end";
    Mccp mccp;
    std::string out;
    char buffer[2048];
    for (std::size_t from = 0; from < stream.size(); from += 2048) {
        mccp.Receive(stream.data() + from, std::min<std::size_t>(2048, stream.size() - from));
        while (std::size_t n = mccp.Get(buffer, sizeof buffer)) out.append(buffer, n);
        EXPECT_EQ(mccp.Pending(), 0u);
    }
    EXPECT_EQ(out.size(), text.size() + 3);
    EXPECT_TRUE(out == text + "end");
}

}  // namespace
}  // namespace trellan
