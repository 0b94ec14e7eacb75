#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <cstdint>
#include <random>
#include <tuple>
#include <utility>

#include "common/Errors.h"
#include "settings/IniFile.h"
#include "support/TempDirectory.h"
#include "text/W1251.h"

namespace trellan {
namespace {

using testing::ReadFile;
using testing::TempDirectory;
using testing::WriteFile;

// A file the way a player's Windows installation has it: CR LF, Windows-1251,
// comments, blanks, spacing around "=", an unknown line, a repeated key.
std::string WindowsFile() {
    return W1251(
        "; Trellan settings\r\n\r\n"
        "[Options]\r\nWorld=Арда\r\n  ScrollMult =  3  \r\ngarbage line without equals\r\nScrollMult=9\r\n\r\n"
        "\r\n"
        "[ Зона Ёлки ]\r\nЁжик=колючий\r\n; a comment = not a key\r\nQuoted=\"  spaced  \"\r\n\r\n"
        "[Lock]\r\nГород=1\r\nЛес=1\r\n");
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
        "[S]\r\n  Spaced Key \t=\t value with  inner  blanks \t\r\nDouble=\"quoted\"\r\nSingle='quoted'\r\n"
        "Mixed=\"quoted'\r\nLone=\"\r\nEmpty=\"\"\r\nBlank=\r\nTwice=first\r\ntwice=second\r\n=no name\r\n"
        "; Comment=1\r\n[S]\r\nHidden=behind the first section\r\n");
    const std::pair<const char*, const char*> values[] = {
        {"Spaced Key", "value with  inner  blanks"}, {"Double", "quoted"}, {"Single", "quoted"},
        {"Mixed", "\"quoted'"}, {"Lone", "\""}, {"Empty", ""}, {"Blank", ""}, {"Twice", "first"},
        {"; Comment", "default"}, {"Hidden", "default"}, {"Missing", "default"}};
    for (const auto& [key, value] : values) EXPECT_EQ(ini.ReadString("S", key, "default"), value) << key;
    EXPECT_EQ(ini.ReadString("Missing", "Blank", "default"), "default");

    EXPECT_EQ(ini.ReadSectionKeys("s"), (std::vector<std::string>{"Spaced Key", "Double", "Single", "Mixed", "Lone",
                                                                  "Empty", "Blank", "Twice", "twice"}));
    // Each line of a repeated key gives its own value.
    std::vector<std::string> read = ini.ReadSectionValues("S");
    ASSERT_EQ(read.size(), 9u);
    EXPECT_EQ(read[7], "first");
    EXPECT_EQ(read[8], "second");
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
    const std::pair<const char*, int> good[] = {
        {"42", 42},    {"-3", -3},    {"+5", 5},      {"007", 7},     {" 7", 7},          {"$10", 16},
        {"0x10", 16},  {"0XfF", 255}, {"x10", 16},    {"-$10", -16},  {"$FFFFFFFF", -1},  {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN}};
    for (const auto& [text, value] : good) EXPECT_EQ(ParseIniInteger(text), value) << '"' << text << '"';
    for (const char* bad : {"12abc", "7 ", "\t7", "", "-", "$", "0x", "2147483648", "-2147483649", "$100000000", "1 2",
                            "1.5", "--1"}) {
        EXPECT_EQ(ParseIniInteger(bad), std::nullopt) << '"' << bad << '"';
    }

    IniFile ini = IniFile::FromBytes(
        "[N]\r\nSpaced=  7  \r\nBad=12abc\r\nHex=0x10\r\nNeg=-3\r\nEmpty=\r\nQuoted=\" 8\"\r\n"
        "Two=2\r\nZero=0\r\nHexZero=$0\r\nWord=yes\r\n");
    const std::pair<const char*, int> integers[] = {{"Spaced", 7}, {"Bad", -1},   {"Hex", 16},    {"Neg", -3},
                                                    {"Empty", -1}, {"Quoted", 8}, {"Missing", -1}};
    for (const auto& [key, value] : integers) EXPECT_EQ(ini.ReadInteger("N", key, -1), value) << key;
    const std::tuple<const char*, bool, bool> bools[] = {{"Two", false, true},    {"Neg", false, true},
                                                         {"Zero", true, false},   {"HexZero", true, false},
                                                         {"Word", true, true},    {"Word", false, false},
                                                         {"Missing", true, true}};
    for (const auto& [key, fallback, value] : bools) EXPECT_EQ(ini.ReadBool("N", key, fallback), value) << key;

    ini.WriteBool("N", "Two", false);
    ini.WriteInteger("N", "Neg", -2147483647 - 1);
    EXPECT_EQ(ini.ReadString("N", "Two", ""), "0");
    EXPECT_EQ(ini.ReadString("N", "Neg", ""), "-2147483648");
}

TEST(IniFile, WritesKeepTheFileInOrder) {
    IniFile ini = IniFile::FromBytes(
        "; header comment\r\n"
        "[A]\r\nOne = 1\r\n; about two\r\nTwo=2\r\n\r\n"
        "[Dark]\r\nDark0=old\r\n\r\n"
        "[B]\r\nx=1\r\n"
        "[dark]\r\nDark1=older\r\n");
    ini.WriteString("A", "Two", "zwei");      // replaced where it stands
    ini.WriteString("A", "Three", "3");       // after the last line, before the blank ones
    ini.EraseSection("DARK");                 // every section of that name
    ini.WriteString("Dark", "Dark0", "new");  // starts again at the end
    ini.WriteString("B", "y", "2");
    ini.WriteString(W1251("Новая"), W1251("Ключ"), W1251("значение"));
    EXPECT_TRUE(ini.Changed());
    EXPECT_EQ(ini.ToBytes(), W1251("; header comment\r\n"
                                   "[A]\r\nOne = 1\r\n; about two\r\nTwo=zwei\r\nThree=3\r\n\r\n"
                                   "[B]\r\nx=1\r\ny=2\r\n\r\n"
                                   "[Dark]\r\nDark0=new\r\n\r\n"
                                   "[Новая]\r\nКлюч=значение\r\n"));

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
