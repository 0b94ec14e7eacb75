// trellan's command line as a shell user meets it: where the help goes,
// what the exit status says, and the map tools' own help.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "E2eSupport.h"

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

}  // namespace
}  // namespace e2e
