#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "common/Errors.h"
#include "settings/HomeDirectory.h"
#include "settings/ProgramFiles.h"
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

// An installed Trellan (<prefix>/bin/trellan beside <prefix>/share/trellan)
// keeps its home under XDG even where it may write to its bin directory, as
// root may to /usr/bin; any other writable program directory is the home.
TEST(HomeDirectory, AnInstalledProgramKeepsItsHomeUnderXdg) {
    TempDirectory dir;
    std::filesystem::create_directories(dir / "usr/bin");
    std::filesystem::create_directories(dir / "usr/share/trellan");
    std::filesystem::create_directories(dir / "build/bin");
    auto env = FakeEnvironment({{"XDG_DATA_HOME", dir / "xdg"}, {"HOME", dir / "user"}});

    EXPECT_TRUE(IsInstalledProgramDirectory(dir / "usr/bin"));
    EXPECT_TRUE(IsInstalledProgramDirectory(dir / "usr/bin/"));
    EXPECT_EQ(HomeDirectory::Resolve("", dir / "usr/bin", env).Root(), dir / "xdg/trellan");
    EXPECT_EQ(HomeDirectory::Resolve("", dir / "usr/bin/", env).Root(), dir / "xdg/trellan");
    // A bin directory without share/trellan beside it is a plain directory.
    EXPECT_FALSE(IsInstalledProgramDirectory(dir / "build/bin"));
    EXPECT_EQ(HomeDirectory::Resolve("", dir / "build/bin", env).Root(), dir / "build/bin");
    EXPECT_FALSE(IsInstalledProgramDirectory(dir / "usr/share/trellan"));
    EXPECT_FALSE(IsInstalledProgramDirectory(""));
    // --home and TRELLAN_HOME still win.
    EXPECT_EQ(HomeDirectory::Resolve(dir / "mine", dir / "usr/bin", env).Root(), dir / "mine");
}

TEST(ProgramFiles, FoundBesideTheProgramFirstThenInTheInstalledDataDirectory) {
    TempDirectory dir;
    std::filesystem::create_directories(dir / "usr/bin");
    WriteFile(dir / "usr/share/trellan/language.en.ini", "installed");
    EXPECT_EQ(FindProgramFile(dir / "usr/bin", "language.en.ini"), dir / "usr/share/trellan/language.en.ini");
    WriteFile(dir / "usr/bin/language.en.ini", "beside");
    EXPECT_EQ(FindProgramFile(dir / "usr/bin", "language.en.ini"), dir / "usr/bin/language.en.ini");
    EXPECT_EQ(FindProgramFile(dir / "usr/bin", "language.de.ini"), "");
    EXPECT_EQ(FindProgramFile(dir / "usr/share/trellan", "local.ini"), "");
    EXPECT_EQ(FindProgramFile("", "language.en.ini"), "");
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
