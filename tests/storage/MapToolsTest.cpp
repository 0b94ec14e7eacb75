#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "common/FileIo.h"
#include "model/RoomDefaults.h"
#include "model/zonefile/ZoneFileTestBytes.h"
#include "model/zonefile/ZoneFileWriter.h"
#include "storage/MapToolRun.h"
#include "support/TempDirectory.h"

namespace trellan {
namespace {

using testing::RunTool;
using testing::ToolRun;

class MapTools : public ::testing::Test {
protected:
    std::string PathOf(const std::string& name) const { return dir_ / name; }
    std::string Put(const std::string& name, const std::string& bytes) const {
        WriteFileAtomically(PathOf(name), bytes, false);
        return PathOf(name);
    }

    testing::TempDirectory dir_;
};

const char* kWorkedJson =
    "{\"Tag\":7,\"Exits\":\"N\",\"Hint\":\"\",\"ChN\":true,\"ChS\":false,\"ChW\":false,\"ChE\":false,"
    "\"ChU\":false,\"ChD\":false,\"BColor\":12632256,\"Description\":\"\",\"X\":5,\"Y\":-3,\"L\":0,"
    "\"DX\":5,\"DY\":-3,\"DL\":0,\"Selected\":false,\"Checked\":false,\"Pipe\":false,\"DT\":false,"
    "\"FlyDT\":false,\"Agro\":false,\"NoStep\":false,\"Note\":\"\",\"QuickList\":\"\",\"AutoMaps\":[],"
    "\"ImageIndex\":0}\n";

TEST_F(MapTools, DumpPrintsEveryPropertyInStreamOrder) {
    std::string path = Put("worked.tr2", test::WorkedRecord());
    ToolRun r = RunTool({"zone", "dump", path});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, kWorkedJson);
    EXPECT_EQ(r.err, "");
}

TEST_F(MapTools, DumpThenWriteReproducesTheFileByteForByte) {
    std::vector<std::unique_ptr<MudRoom>> rooms;
    auto add = [&] { return rooms.emplace_back(std::make_unique<MudRoom>()).get(); };
    MudRoom* a = add();
    a->Tag = 40000;
    a->SetExits("(N) S \xC2", ExitWords::Defaults());
    a->Hint = "\xD3 \xF0\xE5\xEA\xE8 \"\xB8\xA8\"";  // "У реки "ёЁ""
    a->ChE = a->ChD = true;
    a->BColor = 0x80000012;
    a->Description = std::string(300, '\xFF') + "\r\n\ttab\x01\x7F\\/\x98";
    a->X = -32769;
    a->Y = 127;
    a->L = -128;
    a->DX = INT32_MIN;
    a->DY = INT32_MAX;
    a->Selected = a->NoStep = true;
    a->Note = "\xB9 1";
    a->QuickList = "\xE4\xEE\xEC";
    a->AutoMaps = {"\xC3\xEE\xF0\xEE\xE4|\xED\xE0 \xF1\xE5\xE2\xE5\xF0|3", "", std::string(256, 'x')};
    a->ImageIndex = -1;
    add()->BColor = kColorSilver;  // left out, shown as 12632256
    add()->BColor = 0;             // stored as clBlack
    add()->BColor = 0x123456;
    MudRoom* p = add();
    p->Pipe = true;
    p->BColor = 0xFFFFFFFF;
    std::string bytes = ZoneFileBytes(rooms);
    std::string path = Put("zone.tr2", bytes);

    ToolRun dump = RunTool({"zone", "dump", path});
    ASSERT_EQ(dump.status, 0) << dump.err;
    EXPECT_EQ(std::count(dump.out.begin(), dump.out.end(), '\n'), 5);
    EXPECT_NE(dump.out.find("\"Hint\":\"У реки \\\"ёЁ\\\"\""), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("\\r\\n\\ttab\\u0001\\u007f\\\\/"), std::string::npos);
    EXPECT_NE(dump.out.find("\"BColor\":2147483666"), std::string::npos);
    EXPECT_NE(dump.out.find("\"BColor\":4294967295"), std::string::npos);
    EXPECT_NE(dump.out.find("\"AutoMaps\":[\"Город|на север|3\",\"\",\"xxx"), std::string::npos);

    std::string copy = PathOf("copy.tr2");
    ToolRun write = RunTool({"zone", "write", copy}, dump.out);
    ASSERT_EQ(write.status, 0) << write.err;
    EXPECT_EQ(ReadWholeFile(copy), bytes);

    // Both readings of a colour with the high bit set are the same value.
    ToolRun negative = RunTool({"zone", "write", copy}, "{\"BColor\":-2147483630}\r\n\n  \n");
    ASSERT_EQ(negative.status, 0) << negative.err;
    EXPECT_NE(ReadWholeFile(copy)->find("\x07\x09"
                                        "clBtnText"),
              std::string::npos);
}

TEST_F(MapTools, WriteFillsMissingKeysWithAFreshRoom) {
    std::string path = PathOf("fresh.tr2");
    ToolRun r = RunTool({"zone", "write", path},
                        "{}\n{\"Tag\":7,\"Exits\":\"N\",\"ChN\":true,\"X\":5,\"Y\":-3,"
                        "\"DX\":5,\"DY\":-3,\"BColor\":12632256}\n");
    ASSERT_EQ(r.status, 0) << r.err;
    std::string out;
    AppendRoomRecord(out, MudRoom());
    EXPECT_EQ(ReadWholeFile(path), out + test::WorkedRecord());

    ASSERT_EQ(RunTool({"zone", "write", path}, "").status, 0);
    EXPECT_EQ(ReadWholeFile(path), "");
}

TEST_F(MapTools, BadInputNamesTheLineAndWritesNothing) {
    std::string path = Put("keep.tr2", test::WorkedRecord());
    const std::string good = "{\"Tag\":1}\n";
    struct Case {
        std::string line;
        std::string message;
    };
    const Case cases[] = {
        {"{\"Tag\":1", "line 2: expected ',' or '}' at column 9"},
        {"[1]", "line 2: expected an object at column 1"},
        {"{\"Tag\":\"1\"}", "line 2: \"Tag\" must be a number, not a string"},
        {"{\"ChN\":1}", "line 2: \"ChN\" must be true or false, not a number"},
        {"{\"AutoMaps\":\"a\"}", "line 2: \"AutoMaps\" must be an array of strings, not a string"},
        {"{\"AutoMaps\":[1]}", "line 2: an array may hold only strings at column 14"},
        {"{\"Tga\":1}", "line 2: unknown key \"Tga\""},
        {"{\"X\":2147483648}", "line 2: \"X\" is out of the 32-bit range"},
        {"{\"BColor\":4294967296}", "line 2: \"BColor\" is out of the 32-bit range"},
        {"{\"Hint\":\"日本\"}", "line 2: \"Hint\" holds a character that has no Windows-1251 byte"},
        {"{\"Note\":\"\\ud83d\\ude00\"}", "line 2: \"Note\" holds a character that has no Windows-1251 byte"},
        {"{\"Note\":\"\xE0\"}", "line 2: invalid UTF-8 at column 10"},
    };
    for (const Case& c : cases) {
        ToolRun r = RunTool({"zone", "write", path}, good + c.line + "\n" + good);
        EXPECT_EQ(r.status, 1) << c.line;
        EXPECT_EQ(r.err, "trellan: " + c.message + "; nothing written\n");
        EXPECT_EQ(ReadWholeFile(path), test::WorkedRecord()) << c.line;
    }
    ToolRun r = RunTool({"zone", "write", PathOf("new.tr2")}, "nonsense\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(FileExists(PathOf("new.tr2")));
}

TEST_F(MapTools, DamagedFileDumpsTheRoomsBeforeTheDamage) {
    std::string bytes = test::WorkedRecord() + test::WorkedRecord();
    bytes[89 + 15 + 2] = 'Q';  // "Tag" becomes "TQg"
    std::string path = Put("bad.tr2", bytes);
    ToolRun r = RunTool({"zone", "dump", path});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, kWorkedJson);
    EXPECT_EQ(r.err, "trellan: " + path + ": Property does not exist at byte 104\n");

    ToolRun missing = RunTool({"zone", "dump", PathOf("missing.tr2")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "trellan: Unable to read " + PathOf("missing.tr2") + "\n");
}

TEST_F(MapTools, UsageAndUnreadableWorld) {
    EXPECT_TRUE(IsMapTool({"zone", "dump", "x"}));
    EXPECT_TRUE(IsMapTool({"world", "check", "x"}));
    EXPECT_FALSE(IsMapTool({"--headless"}));
    EXPECT_EQ(RunTool({"zone"}).status, 2);
    EXPECT_EQ(RunTool({"zone", "dump"}).status, 2);
    EXPECT_EQ(RunTool({"zone", "load", "x"}).status, 2);
    EXPECT_EQ(RunTool({"world", "check"}).status, 2);
    ToolRun world = RunTool({"world", "check", PathOf("no-such-world")});
    EXPECT_EQ(world.status, 2);
    EXPECT_NE(world.err.find("is not a directory"), std::string::npos);
}

}  // namespace
}  // namespace trellan
