#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <cstdint>
#include <random>

#include "common/Errors.h"
#include "settings/IniFile.h"
#include "support/TempDirectory.h"
#include "settings/W1251.h"

namespace trellan {
namespace {

using testing::ReadFile;
using testing::TempDirectory;
using testing::WriteFile;

// A file the way a player's Windows installation has it: CR LF, Windows-1251,
// comments, blanks, spacing around "=", an unknown line, a repeated key.
std::string WindowsFile() {
    return W1251(
        "; Trellan settings\r\n"
        "\r\n"
        "[Options]\r\n"
        "World=Арда\r\n"
        "  ScrollMult =  3  \r\n"
        "garbage line without equals\r\n"
        "ScrollMult=9\r\n"
        "\r\n"
        "\r\n"
        "[ Зона Ёлки ]\r\n"
        "Ёжик=колючий\r\n"
        "; a comment = not a key\r\n"
        "Quoted=\"  spaced  \"\r\n"
        "\r\n"
        "[Lock]\r\n"
        "Город=1\r\n"
        "Лес=1\r\n");
}

TEST(IniFile, UnchangedWindowsFileIsWrittenBackByteForByte) {
    std::string original = WindowsFile();
    IniFile ini = IniFile::FromBytes(original);
    EXPECT_EQ(ini.ReadString("Options", "World", ""), W1251("Арда"));
    // Writing the values the file already has changes nothing either.
    ini.WriteString("Options", "World", W1251("Арда"));
    ini.WriteInteger("options", "scrollmult", 3);
    ini.WriteString(W1251("зона ёлки"), "Quoted", "  spaced  ");
    EXPECT_FALSE(ini.Changed());
    EXPECT_EQ(ini.ToBytes(), original);
}

TEST(IniFile, NamesIgnoreLetterCaseLatinAndCyrillic) {
    IniFile ini = IniFile::FromBytes(WindowsFile());
    EXPECT_EQ(ini.ReadString("OPTIONS", "world", ""), W1251("Арда"));
    EXPECT_EQ(ini.ReadString(W1251("ЗОНА ЁЛКИ"), W1251("ЁЖИК"), ""), W1251("колючий"));
    EXPECT_EQ(ini.ReadString(W1251("  зона ёлки "), W1251(" ёжик"), ""), W1251("колючий"));
    EXPECT_TRUE(ini.HasSection("lock"));
    EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"Options", W1251("Зона Ёлки"), "Lock"}));

    ini.WriteString("options", "WORLD", "Other");
    EXPECT_EQ(ini.ReadString("Options", "World", ""), "Other");
    // The key keeps the spelling it has in the file.
    EXPECT_NE(ini.ToBytes().find("\r\nWorld=Other\r\n"), std::string::npos);
}

TEST(IniFile, ReadsValuesTheWayWindowsDoes) {
    IniFile ini = IniFile::FromBytes(
        "[S]\r\n"
        "  Spaced Key \t=\t value with  inner  blanks \t\r\n"
        "Double=\"quoted\"\r\n"
        "Single='quoted'\r\n"
        "Mixed=\"quoted'\r\n"
        "Lone=\"\r\n"
        "Empty=\"\"\r\n"
        "Blank=\r\n"
        "Twice=first\r\n"
        "twice=second\r\n"
        "=no name\r\n"
        "; Comment=1\r\n"
        "[S]\r\n"
        "Hidden=behind the first section\r\n");
    EXPECT_EQ(ini.ReadString("S", "Spaced Key", ""), "value with  inner  blanks");
    EXPECT_EQ(ini.ReadString("S", "Double", ""), "quoted");
    EXPECT_EQ(ini.ReadString("S", "Single", ""), "quoted");
    EXPECT_EQ(ini.ReadString("S", "Mixed", ""), "\"quoted'");
    EXPECT_EQ(ini.ReadString("S", "Lone", ""), "\"");
    EXPECT_EQ(ini.ReadString("S", "Empty", "default"), "");
    EXPECT_EQ(ini.ReadString("S", "Blank", "default"), "");
    EXPECT_EQ(ini.ReadString("S", "Twice", ""), "first");
    EXPECT_EQ(ini.ReadString("S", "; Comment", "default"), "default");
    EXPECT_EQ(ini.ReadString("S", "Hidden", "default"), "default");
    EXPECT_EQ(ini.ReadString("S", "Missing", "default"), "default");
    EXPECT_EQ(ini.ReadString("Missing", "Blank", "default"), "default");

    EXPECT_EQ(ini.ReadSectionKeys("s"), (std::vector<std::string>{"Spaced Key", "Double", "Single", "Mixed", "Lone",
                                                                  "Empty", "Blank", "Twice", "twice"}));
    // Each line of a repeated key gives its own value.
    std::vector<std::string> values = ini.ReadSectionValues("S");
    ASSERT_EQ(values.size(), 9u);
    EXPECT_EQ(values[7], "first");
    EXPECT_EQ(values[8], "second");
}

TEST(IniFile, LineEndsAreReadAlikeAndWrittenAsCrLf) {
    for (std::string text : {"[A]\nk=v\n[B]\nx=1", "[A]\r\nk=v\r\n[B]\r\nx=1\r\n", "[A]\r\nk=v\n[B]\r\nx=1"}) {
        IniFile ini = IniFile::FromBytes(text);
        EXPECT_EQ(ini.ReadString("A", "k", ""), "v") << text;
        EXPECT_EQ(ini.ReadInteger("B", "x", 0), 1) << text;
        EXPECT_EQ(ini.ToBytes(), "[A]\r\nk=v\r\n[B]\r\nx=1\r\n") << text;
    }
    // A CR of its own stays part of the line and survives the trip.
    IniFile ini = IniFile::FromBytes("[A]\r\nk=v\r\r\n");
    EXPECT_EQ(ini.ReadString("A", "k", ""), "v");
    EXPECT_EQ(ini.ToBytes(), "[A]\r\nk=v\r\r\n");
    // An editor's byte-order mark does not hide the first section.
    EXPECT_EQ(IniFile::FromBytes("\xEF\xBB\xBF[A]\r\nk=v\r\n").ReadString("A", "k", ""), "v");
}

TEST(IniFile, IntegersAreReadLikeDelphisReadInteger) {
    struct Case {
        const char* text;
        std::optional<int> value;
    };
    // clang-format off
    for (const Case& c : std::initializer_list<Case>{
             {"42", 42}, {"-3", -3}, {"+5", 5}, {"007", 7}, {" 7", 7}, {"$10", 16}, {"0x10", 16}, {"0XfF", 255},
             {"x10", 16}, {"-$10", -16}, {"$FFFFFFFF", -1}, {"2147483647", 2147483647}, {"-2147483648", INT32_MIN},
             {"12abc", std::nullopt}, {"7 ", std::nullopt}, {"\t7", std::nullopt}, {"", std::nullopt},
             {"-", std::nullopt}, {"$", std::nullopt}, {"0x", std::nullopt}, {"2147483648", std::nullopt},
             {"-2147483649", std::nullopt}, {"$100000000", std::nullopt}, {"1 2", std::nullopt},
             {"1.5", std::nullopt}, {"--1", std::nullopt}}) {
        // clang-format on
        EXPECT_EQ(ParseIniInteger(c.text), c.value) << '"' << c.text << '"';
    }

    IniFile ini = IniFile::FromBytes(
        "[N]\r\nSpaced=  7  \r\nBad=12abc\r\nHex=0x10\r\nNeg=-3\r\nEmpty=\r\nQuoted=\" 8\"\r\n"
        "Two=2\r\nZero=0\r\nHexZero=$0\r\nWord=yes\r\n");
    EXPECT_EQ(ini.ReadInteger("N", "Spaced", -1), 7);
    EXPECT_EQ(ini.ReadInteger("N", "Bad", -1), -1);
    EXPECT_EQ(ini.ReadInteger("N", "Hex", -1), 16);
    EXPECT_EQ(ini.ReadInteger("N", "Neg", -1), -3);
    EXPECT_EQ(ini.ReadInteger("N", "Empty", -1), -1);
    EXPECT_EQ(ini.ReadInteger("N", "Quoted", -1), 8);
    EXPECT_EQ(ini.ReadInteger("N", "Missing", -1), -1);

    EXPECT_TRUE(ini.ReadBool("N", "Two", false));
    EXPECT_TRUE(ini.ReadBool("N", "Neg", false));
    EXPECT_FALSE(ini.ReadBool("N", "Zero", true));
    EXPECT_FALSE(ini.ReadBool("N", "HexZero", true));
    EXPECT_TRUE(ini.ReadBool("N", "Word", true));
    EXPECT_FALSE(ini.ReadBool("N", "Word", false));
    EXPECT_TRUE(ini.ReadBool("N", "Missing", true));

    ini.WriteBool("N", "Two", false);
    ini.WriteInteger("N", "Neg", -2147483647 - 1);
    EXPECT_EQ(ini.ReadString("N", "Two", ""), "0");
    EXPECT_EQ(ini.ReadString("N", "Neg", ""), "-2147483648");
}

TEST(IniFile, WritesKeepTheFileInOrder) {
    IniFile ini = IniFile::FromBytes(
        "; header comment\r\n"
        "[A]\r\n"
        "One = 1\r\n"
        "; about two\r\n"
        "Two=2\r\n"
        "\r\n"
        "[Dark]\r\n"
        "Dark0=old\r\n"
        "\r\n"
        "[B]\r\n"
        "x=1\r\n"
        "[dark]\r\n"
        "Dark1=older\r\n");
    ini.WriteString("A", "Two", "zwei");      // replaced where it stands
    ini.WriteString("A", "Three", "3");       // after the last line, before the blank ones
    ini.EraseSection("DARK");                 // every section of that name
    ini.WriteString("Dark", "Dark0", "new");  // starts again at the end
    ini.WriteString("B", "y", "2");
    ini.WriteString(W1251("Новая"), W1251("Ключ"), W1251("значение"));
    EXPECT_TRUE(ini.Changed());
    EXPECT_EQ(ini.ToBytes(), W1251("; header comment\r\n"
                                   "[A]\r\n"
                                   "One = 1\r\n"
                                   "; about two\r\n"
                                   "Two=zwei\r\n"
                                   "Three=3\r\n"
                                   "\r\n"
                                   "[B]\r\n"
                                   "x=1\r\n"
                                   "y=2\r\n"
                                   "\r\n"
                                   "[Dark]\r\n"
                                   "Dark0=new\r\n"
                                   "\r\n"
                                   "[Новая]\r\n"
                                   "Ключ=значение\r\n"));

    IniFile fresh;
    fresh.WriteString("S", "k", "v");
    fresh.WriteString("T", "k", "v");
    EXPECT_EQ(fresh.ToBytes(), "[S]\r\nk=v\r\n\r\n[T]\r\nk=v\r\n");
}

TEST(IniFile, WrittenValuesReadBackAsWritten) {
    IniFile ini;
    for (std::string value : {" leading", "trailing ", "  ", "'single'", "\"double\"", "\"", "plain", ""}) {
        ini.WriteString("S", "k", value);
        EXPECT_EQ(IniFile::FromBytes(ini.ToBytes()).ReadString("S", "k", "?"), value) << value;
    }
    // A line break would split the entry into another key or section.
    ini.WriteString("S", "k", "one\r\n[Injected]\nx=1");
    IniFile reread = IniFile::FromBytes(ini.ToBytes());
    EXPECT_EQ(reread.ReadString("S", "k", ""), "one [Injected] x=1");
    EXPECT_FALSE(reread.HasSection("Injected"));
}

TEST(IniFile, FailedSaveReportsThePathAndKeepsTheOldFile) {
    TempDirectory dir;
    WriteFile(dir / "blocker", "a plain file");
    IniFile unwritable = IniFile::Load(dir / "blocker/trellan.ini");
    unwritable.WriteString("S", "k", "v");
    try {
        unwritable.Save();
        FAIL() << "no error";
    } catch (const FileWriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + (dir / "blocker/trellan.ini"));
    }

    // Root can write anywhere, but not past the file size limit.
    std::string path = dir / "local.ini";
    std::string old = "[Skin]\r\nCurrentSkin=1\r\n";
    WriteFile(path, old);
    IniFile ini = IniFile::Load(path);
    ini.WriteString("Big", "Value", std::string(4096, 'x'));
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool threw = false;
    try {
        ini.Save();
    } catch (const FileWriteError& e) {
        threw = std::string(e.what()) == "Unable to write to " + path;
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(threw);
    EXPECT_EQ(ReadFile(path), old);
    EXPECT_TRUE(ini.Changed());
}

TEST(IniFile, MissingFileReadsAsEmptyAndSaveCreatesIt) {
    TempDirectory dir;
    IniFile ini = IniFile::Load(dir / "new.ini");
    EXPECT_EQ(ini.ReadInteger("S", "k", 5), 5);
    EXPECT_TRUE(ini.SectionNames().empty());
    ini.WriteInteger("S", "k", 6);
    ini.Save();
    EXPECT_FALSE(ini.Changed());
    EXPECT_EQ(ReadFile(dir / "new.ini"), "[S]\r\nk=6\r\n");
    EXPECT_EQ(IniFile::Load(dir / "new.ini").ReadInteger("s", "K", 5), 6);
}

// Whatever the bytes, the file loads, and what we write reads back the same.
TEST(IniFile, DamagedAndHugeFilesLoad) {
    std::mt19937 random(1251);
    for (int round = 0; round < 200; ++round) {
        std::string garbage(random() % 600, '\0');
        for (char& c : garbage) c = "[]=;\r\n \"'aA\xC0\xE0\xFF\x00"[random() % 15];
        IniFile ini = IniFile::FromBytes(garbage);
        std::string written = ini.ToBytes();
        EXPECT_EQ(IniFile::FromBytes(written).ToBytes(), written);
        for (const std::string& section : ini.SectionNames()) ini.ReadSectionKeys(section);
    }

    // Many sections and keys, and many blank lines: indexed, not searched.
    std::string big;
    for (int i = 0; i < 100000; ++i) {
        std::string n = std::to_string(i);
        big += "[S" + n + "]\nK" + n + "=" + n + "\n";
    }
    big += std::string(1 << 20, '\n');
    IniFile ini = IniFile::FromBytes(big);
    EXPECT_EQ(ini.ReadInteger("s99999", "k99999", -1), 99999);
    for (int i = 0; i < 100000; i += 7) ini.WriteInteger("S" + std::to_string(i), "New", i);
    EXPECT_EQ(ini.ReadInteger("S700", "New", -1), 700);
}

}  // namespace
}  // namespace trellan
