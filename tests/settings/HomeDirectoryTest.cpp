#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "common/Errors.h"
#include "settings/HomeDirectory.h"
#include "support/TempDirectory.h"
#include "text/W1251.h"

namespace trellan {
namespace {

using testing::TempDirectory;
using testing::WriteFile;

HomeDirectory::Environment FakeEnvironment(std::map<std::string, std::string> values) {
    return [values](const std::string& name) -> std::optional<std::string> {
        auto it = values.find(name);
        if (it == values.end()) return std::nullopt;
        return it->second;
    };
}

TEST(HomeDirectory, ResolvesInTheDocumentedOrderAndCreatesTheDirectory) {
    TempDirectory dir;
    WriteFile(dir / "file", "x");
    std::string unwritableProgramDir = dir / "file/bin";
    std::string programDir = dir / "program";
    std::filesystem::create_directories(programDir);
    auto env =
        FakeEnvironment({{"TRELLAN_HOME", dir / "env-home"}, {"XDG_DATA_HOME", dir / "xdg"}, {"HOME", dir / "user"}});

    EXPECT_EQ(HomeDirectory::Resolve(dir / "option", programDir, env).Root(), dir / "option");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "option"));
    EXPECT_EQ(HomeDirectory::Resolve("", programDir, env).Root(), dir / "env-home");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "env-home"));

    auto noHomeVariable =
        FakeEnvironment({{"TRELLAN_HOME", ""}, {"XDG_DATA_HOME", dir / "xdg"}, {"HOME", dir / "user"}});
    EXPECT_EQ(HomeDirectory::Resolve("", programDir, noHomeVariable).Root(), programDir);
    EXPECT_EQ(HomeDirectory::Resolve("", unwritableProgramDir, noHomeVariable).Root(), dir / "xdg/trellan");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "xdg/trellan"));

    auto relativeXdg = FakeEnvironment({{"XDG_DATA_HOME", "relative"}, {"HOME", dir / "user"}});
    EXPECT_EQ(HomeDirectory::Resolve("", unwritableProgramDir, relativeXdg).Root(), dir / "user/.local/share/trellan");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "user/.local/share/trellan"));

    try {
        HomeDirectory::Resolve(dir / "file/home", programDir, env);
        FAIL() << "no error";
    } catch (const FileWriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + (dir / "file/home"));
    }
}

TEST(HomeDirectory, WorldPathsAreUtf8AndMapsIsFoundInAnyCase) {
    TempDirectory dir;
    HomeDirectory home(dir.Path());
    EXPECT_EQ(home.MapsDirectory(), dir / "Maps");

    // World names are Windows-1251 in memory and UTF-8 on disk.
    EXPECT_EQ(home.WorldProfilePath(W1251("Былины")), dir / "Maps/Былины/local.ini");

    std::filesystem::create_directories(dir / "MAPS");
    EXPECT_EQ(home.MapsDirectory(), dir / "MAPS");
    EXPECT_EQ(home.WorldDirectory("World"), dir / "MAPS/World");
    std::filesystem::create_directories(dir / "Maps");
    EXPECT_EQ(home.MapsDirectory(), dir / "Maps");
}

}  // namespace
}  // namespace trellan
