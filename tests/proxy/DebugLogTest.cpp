#include "proxy/DebugLog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Errors.h"
#include "common/FileIo.h"
#include "support/TempDirectory.h"

namespace trellan {
namespace {

std::vector<std::string> LinesOf(const DebugLog& log) { return {log.Lines().begin(), log.Lines().end()}; }

TEST(DebugLogTest, InactiveLogStoresAndReportsNothing) {
    DebugLog log;
    int calls = 0;
    log.OnLine = [&](std::string_view) { ++calls; };
    log.Log("CSRead");
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_EQ(calls, 0);
    log.SetActive(true);
    log.Log("CSRead");
    EXPECT_EQ(LinesOf(log), std::vector<std::string>{"CSRead"});
    EXPECT_EQ(calls, 1);
}

TEST(DebugLogTest, EntriesSplitAtEveryKindOfLineBreak) {
    DebugLog log;
    log.SetActive(true);
    std::vector<std::string_view> seen;
    log.OnLine = [&](std::string_view entry) { seen.push_back(entry); };
    log.Log("CSRead: one\r\ntwo\nthree");
    log.Log("a\rb\n\rc");
    log.Log("ends with a break\r\n");
    log.Log("");
    EXPECT_EQ(LinesOf(log), (std::vector<std::string>{"CSRead: one", "two", "three", "a", "b", "", "c",
                                                       "ends with a break", ""}));
    EXPECT_EQ(seen.size(), 4u);
}

TEST(DebugLogTest, KeepsTheLastThousandLines) {
    DebugLog log;
    log.SetActive(true);
    for (int i = 1; i <= 1000; ++i) log.Log("line " + std::to_string(i));
    EXPECT_EQ(log.Lines().size(), 1000u);
    EXPECT_EQ(log.Lines().front(), "line 1");
    log.Log("line 1001");
    EXPECT_EQ(log.Lines().size(), 1000u);
    EXPECT_EQ(log.Lines().front(), "line 2");
    // A three-line entry counts as three.
    log.Log("x\r\ny\r\nz");
    EXPECT_EQ(log.Lines().size(), 1000u);
    EXPECT_EQ(log.Lines().front(), "line 5");
    EXPECT_EQ(log.Lines().back(), "z");

    // An entry longer than the whole log keeps only its own last lines.
    std::string big;
    for (int i = 0; i < 2500; ++i) big += "b" + std::to_string(i) + "\n";
    log.Log(big);
    EXPECT_EQ(log.Lines().size(), 1000u);
    EXPECT_EQ(log.Lines().front(), "b1500");
    EXPECT_EQ(log.Lines().back(), "b2499");
}

TEST(DebugLogTest, SavesLinesWithCrLf) {
    testing::TempDirectory dir;
    std::string path = dir / "trdebug.log";
    WriteFileAtomically(path, "older content that must go");

    DebugLog log;
    log.SetActive(true);
    log.Log("CSConnect");
    log.Log("CSRead: \xCA\xEE\xEC\xED\xE0\xF2\xE0\nExits");
    log.SaveTo(path);
    EXPECT_EQ(ReadWholeFile(path), std::string("CSConnect\r\nCSRead: \xCA\xEE\xEC\xED\xE0\xF2\xE0\r\nExits\r\n"));

    log.Clear();
    log.SaveTo(path);
    EXPECT_EQ(ReadWholeFile(path), std::string());

    EXPECT_THROW(log.SaveTo(dir / "missing/trdebug.log"), FileWriteError);
}

TEST(DebugLogTest, AFileKeepsTheWholeSessionAndOneOlderGeneration) {
    testing::TempDirectory dir;
    std::string path = dir / "trdebug.log";
    WriteFileAtomically(path, "the last run");

    DebugLog log;
    log.AppendTo(path);
    log.Log("not logged while off");
    EXPECT_EQ(ReadWholeFile(path), std::string("the last run"));
    log.SetActive(true);
    for (std::size_t i = 0; i < DebugLog::MaxLines + 500; ++i) log.Log("move " + std::to_string(i) + "\nroom");
    EXPECT_TRUE(log.FileComplete());
    std::string written = *ReadWholeFile(path);
    EXPECT_EQ(written.substr(0, 20), "move 0\r\nroom\r\nmove 1") << "the story from its start, not the last lines only";
    EXPECT_EQ(written.size(), 24390u) << "1500 entries of two lines each";
    EXPECT_EQ(ReadWholeFile(path + ".1"), std::string("the last run"));

    // Past the size limit the file starts a new generation.
    const std::string big(64 * 1024, 'x');
    // 64 of them take the file past the limit, 63 do not.
    for (int i = 0; i < 64; ++i) log.Log(big);
    log.Log("after the turn");
    EXPECT_EQ(ReadWholeFile(path), std::string("after the turn\r\n"));
    EXPECT_GT(ReadWholeFile(path + ".1")->size(), static_cast<std::size_t>(DebugLog::MaxFileBytes));

    // A file that cannot be written is given up; the lines stay in memory.
    DebugLog broken;
    broken.AppendTo(dir / "missing/trdebug.log");
    broken.SetActive(true);
    broken.Log("line");
    EXPECT_FALSE(broken.FileComplete());
    EXPECT_EQ(broken.Lines().size(), 1u);
}

}  // namespace
}  // namespace trellan
