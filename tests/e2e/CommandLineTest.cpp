// trellan's command line as a shell user meets it: where the help goes,
// what the exit status says, and the map tools' own help.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

#include "E2eSupport.h"
#include "model/ExitWords.h"
#include "model/zonefile/ZoneFileWriter.h"
#include "text/Cp1251.h"

namespace e2e {
namespace {

struct Finished {
    int Status = -1;
    std::string Out;
    std::string Err;
};

// Runs trellan to its end with stdin from /dev/null and both outputs kept.
Finished RunTrellan(const std::vector<std::string>& args) {
    TempDir scratch;
    const std::string outPath = scratch / "out";
    const std::string errPath = scratch / "err";
    const pid_t pid = fork();
    if (pid == 0) {
        const int in = open("/dev/null", O_RDONLY);
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(in, STDIN_FILENO);
        dup2(out, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        std::vector<char*> argv{const_cast<char*>(TRELLAN_BINARY)};
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(TRELLAN_BINARY, argv.data());
        _exit(127);
    }
    Finished finished;
    int status = 0;
    waitpid(pid, &status, 0);
    finished.Status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    finished.Out = ReadFile(outPath);
    finished.Err = ReadFile(errPath);
    return finished;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.rfind(prefix, 0) == 0;
}

TEST(TrellanCommandLine, HelpAndVersionGoToStdoutAndSucceed) {
    for (const char* word : {"--help", "-h"}) {
        Finished help = RunTrellan({word});
        EXPECT_EQ(help.Status, 0) << word;
        EXPECT_TRUE(StartsWith(help.Out, "Usage: trellan")) << help.Out;
        EXPECT_NE(help.Out.find("--version"), std::string::npos);
        EXPECT_NE(help.Out.find("zone dump"), std::string::npos);
        EXPECT_EQ(help.Err, "");
    }
    Finished version = RunTrellan({"--version"});
    EXPECT_EQ(version.Status, 0);
    EXPECT_TRUE(StartsWith(version.Out, "trellan ")) << version.Out;
    EXPECT_EQ(version.Out.find('\n'), version.Out.size() - 1) << "one line: " << version.Out;
    EXPECT_NE(version.Out.find_first_of("0123456789"), std::string::npos);
    EXPECT_EQ(version.Err, "");
}

TEST(TrellanCommandLine, BadArgumentsPutUsageOnStderrAndExitTwo) {
    const std::vector<std::vector<std::string>> bad = {
        {"--no-such-option"}, {"--home"}, {"--server", "nohost"}, {"--headless", "extra"}, {"--version", "-x"}};
    for (const auto& args : bad) {
        Finished run = RunTrellan(args);
        EXPECT_EQ(run.Status, 2) << args[0];
        EXPECT_EQ(run.Out, "") << args[0];
        EXPECT_TRUE(StartsWith(run.Err, "trellan: ")) << run.Err;
        EXPECT_NE(run.Err.find("Usage: trellan"), std::string::npos) << run.Err;
    }
}

TEST(TrellanCommandLine, EveryMapToolAnswersHelp) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> tools = {
        {{"zone", "dump", "--help"}, "Usage: trellan zone dump FILE.tr2"},
        {{"zone", "write", "--help"}, "Usage: trellan zone write FILE.tr2"},
        {{"world", "check", "--help"}, "Usage: trellan world check DIR"},
        {{"world", "check", "-h"}, "Usage: trellan world check DIR"},
        {{"zone", "--help"}, "Usage: trellan zone dump"},
        {{"world", "--help"}, "Usage: trellan zone dump"},
    };
    for (const auto& [args, first] : tools) {
        Finished run = RunTrellan(args);
        EXPECT_EQ(run.Status, 0) << args[0] << " " << args[1];
        EXPECT_TRUE(StartsWith(run.Out, first)) << run.Out;
        EXPECT_EQ(run.Err, "");
    }
    // A tool that does not exist, or one given the wrong words.
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"zone", "frobnicate", "x"}, {"world", "check"}, {"zone"}}) {
        Finished run = RunTrellan(args);
        EXPECT_EQ(run.Status, 2) << args.size();
        EXPECT_EQ(run.Out, "");
        EXPECT_TRUE(StartsWith(run.Err, "Usage: trellan zone dump")) << run.Err;
    }
}

TEST(TrellanCommandLine, ZoneToolsReportAMissingFileWithStatusOne) {
    TempDir dir;
    Finished dump = RunTrellan({"zone", "dump", dir / "missing.tr2"});
    EXPECT_EQ(dump.Status, 1);
    EXPECT_NE(dump.Err.find("missing.tr2"), std::string::npos) << dump.Err;
    Finished check = RunTrellan({"world", "check", dir / "no-such-world"});
    EXPECT_EQ(check.Status, 2);
    EXPECT_NE(check.Err.find("not a directory"), std::string::npos) << check.Err;
}

// A generated zone: a 30 x 20 block of rooms on level 0 (one of them with
// a name that needs escaping in XML) and a short line on level 2.
std::string WriteGeneratedZone(const TempDir& dir) {
    std::vector<std::unique_ptr<trellan::MudRoom>> rooms;
    const trellan::ExitWords words = trellan::ExitWords::Defaults();
    int tag = 0;
    auto add = [&](int x, int y, int l, const std::string& name) {
        auto room = std::make_unique<trellan::MudRoom>();
        room->X = x;
        room->Y = y;
        room->L = l;
        room->Tag = ++tag;
        room->BColor = 0xC0C0C0;
        room->Hint = name;
        room->SetExits("N S E W", words);
        rooms.push_back(std::move(room));
    };
    for (int x = 0; x < 20; ++x) {
        for (int y = 0; y < 30; ++y) add(x, y, 0, trellan::Utf8ToCp1251("Поляна ") + std::to_string(x * 30 + y));
    }
    rooms[0]->Hint = trellan::Utf8ToCp1251("Мост <через> & реку");
    for (int y = 5; y < 9; ++y) add(3, y, 2, trellan::Utf8ToCp1251("Башня"));
    const std::string path = dir / "Лес.tr2";
    trellan::WriteZoneFile(path, rooms);
    return path;
}

// Width and height from a PNG's header chunk.
std::pair<int, int> PngSize(const std::string& png) {
    auto number = [&](std::size_t at) {
        int value = 0;
        for (std::size_t i = at; i < at + 4; ++i) value = value * 256 + static_cast<unsigned char>(png[i]);
        return value;
    };
    if (png.size() < 24 || png.compare(1, 3, "PNG") != 0) return {-1, -1};
    return {number(16), number(20)};
}

TEST(TrellanCommandLine, ZoneExportPaintsALevelWithoutADisplay) {
    TempDir dir;
    const std::string zone = WriteGeneratedZone(dir);
    // No display and no Qt platform chosen: the tool must not need one.
    const std::string platform = std::getenv("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "";
    const std::string display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    unsetenv("QT_QPA_PLATFORM");
    unsetenv("DISPLAY");
    Finished png = RunTrellan({"zone", "export", zone, dir / "forest.png", "--level", "0"});
    Finished half = RunTrellan({"zone", "export", zone, dir / "half.PNG", "--scale=0.5", "--level=2"});
    Finished svg = RunTrellan({"zone", "export", zone, dir / "forest.svg"});
    if (!platform.empty()) setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
    if (!display.empty()) setenv("DISPLAY", display.c_str(), 1);

    // 30 columns and 20 rows of 32-pixel cells, with a cell of border.
    EXPECT_EQ(png.Status, 0) << png.Err;
    EXPECT_EQ(PngSize(ReadFile(dir / "forest.png")), std::pair(32 * 32, 22 * 32));
    EXPECT_NE(png.Out.find("1024 x 704"), std::string::npos) << png.Out;
    EXPECT_EQ(half.Status, 0) << half.Err;
    EXPECT_EQ(PngSize(ReadFile(dir / "half.PNG")), std::pair(6 * 16, 3 * 16));
    EXPECT_EQ(svg.Status, 0) << svg.Err;
    const std::string text = ReadFile(dir / "forest.svg");
    EXPECT_NE(text.find("<svg"), std::string::npos);
    // Names too small to draw at this scale are there whole, as text.
    EXPECT_NE(text.find("Поляна 599"), std::string::npos);
    EXPECT_NE(text.find("&lt;через&gt; &amp; реку"), std::string::npos);
    EXPECT_EQ(text.find("Башня"), std::string::npos) << "level 0 only";
}

TEST(TrellanCommandLine, ZoneExportSaysWhyNothingWasWritten) {
    TempDir dir;
    const std::string zone = WriteGeneratedZone(dir);
    WriteFile(dir / "broken.tr2", ReadFile(zone).substr(0, 300));
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string says;
    };
    const std::vector<Case> cases = {
        {{"zone", "export", dir / "missing.tr2", dir / "a.png"}, 1, "Unable to read"},
        {{"zone", "export", dir / "broken.tr2", dir / "a.png"}, 1, "broken.tr2"},
        {{"zone", "export", zone, dir / "a.png", "--level", "1"}, 1, "level 1 of"},
        {{"zone", "export", zone, dir / "no-such-dir/a.png"}, 1, "Unable to write to"},
        {{"zone", "export", zone, dir / "a.gif"}, 2, ".png or .svg"},
        {{"zone", "export", zone, dir / "a.png", "--scale", "9"}, 2, "--scale"},
        {{"zone", "export", zone}, 2, "Usage: trellan zone export"},
    };
    for (const Case& c : cases) {
        Finished run = RunTrellan(c.args);
        EXPECT_EQ(run.Status, c.status) << c.args.back() << ": " << run.Err;
        EXPECT_NE(run.Err.find(c.says), std::string::npos) << run.Err;
    }
    EXPECT_NE(RunTrellan({"zone", "export", zone, dir / "a.png", "--level", "1"}).Err.find("levels with rooms: 0 to 2"),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "a.png"));

    Finished help = RunTrellan({"zone", "export", "--help"});
    EXPECT_EQ(help.Status, 0);
    EXPECT_TRUE(StartsWith(help.Out, "Usage: trellan zone export FILE.tr2 OUT.png|OUT.svg")) << help.Out;
    EXPECT_NE(RunTrellan({"--help"}).Out.find("trellan zone export FILE.tr2"), std::string::npos);
    EXPECT_NE(RunTrellan({"zone", "--help"}).Out.find("trellan zone export FILE.tr2"), std::string::npos);
}

}  // namespace
}  // namespace e2e
