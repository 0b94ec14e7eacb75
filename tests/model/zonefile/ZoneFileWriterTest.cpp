#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <memory>
#include <vector>

#include "model/RoomDefaults.h"
#include "model/zonefile/ZoneFileReader.h"
#include "model/zonefile/ZoneFileTestBytes.h"
#include "model/zonefile/ZoneFileWriter.h"
#include "model/zonefile/ZoneFormat.h"

namespace trellan {
namespace {

using test::Hex;
using test::Name;
using test::RecordHead;

std::string RecordOf(const MudRoom& room) {
    std::string out;
    AppendRoomRecord(out, room);
    return out;
}

MudRoom WorkedRoom() {
    MudRoom room;
    room.Tag = 7;
    room.SetExits("N", ExitWords::Defaults());
    room.ChN = true;
    room.X = room.DX = 5;
    room.Y = room.DY = -3;
    room.BColor = kColorSilver;
    return room;
}

// Reads exactly one record and checks that it used every byte.
MudRoom ReadOne(const std::string& bytes) {
    ZoneFileReader reader(bytes, "t.tr2", ExitWords::Defaults());
    MudRoom room;
    reader.ReadRoom(room);
    EXPECT_EQ(reader.Position(), bytes.size());
    return room;
}

// The bytes of the always-stored tail from X to DL for a room at 0,0,0.
std::string ZeroCoordinates() {
    return Hex("01 58 02 00 01 59 02 00 01 4C 02 00 02 44 58 02 00 02 44 59 02 00 02 44 4C 02 00");
}

std::string AllLinksFalse() {
    return Hex("03 43 68 4E 08 03 43 68 53 08 03 43 68 57 08 03 43 68 45 08 03 43 68 55 08 03 43 68 44 08");
}

TEST(ZoneFileWriter, WorkedRecordIsByteExactAndReadsBack) {
    std::string bytes = RecordOf(WorkedRoom());
    ASSERT_EQ(bytes.size(), 89u);
    EXPECT_EQ(bytes, test::WorkedRecord());

    MudRoom back = ReadOne(bytes);
    EXPECT_EQ(back.Tag, 7);
    EXPECT_EQ(back.Exits(), "N");
    EXPECT_EQ(back.ExitState(Direction::North), ExitStatus::Present);
    EXPECT_EQ(back.ExitState(Direction::South), ExitStatus::Absent);
    EXPECT_TRUE(back.ChN);
    EXPECT_FALSE(back.ChS || back.ChW || back.ChE || back.ChU || back.ChD);
    EXPECT_EQ(back.X, 5);
    EXPECT_EQ(back.Y, -3);
    EXPECT_EQ(back.DY, -3);
    EXPECT_EQ(back.BColor, 0u) << "a left-out colour keeps the fresh room's 0";
}

TEST(ZoneFileWriter, FreshRoomStoresColourFlagsAndCoordinatesOnly) {
    std::string expected =
        RecordHead() + AllLinksFalse() + Name("BColor") + Hex("07 07") + "clBlack" + ZeroCoordinates() + Hex("00 00");
    EXPECT_EQ(RecordOf(MudRoom()), expected);
}

TEST(ZoneFileWriter, IntegersTakeTheSmallestCode) {
    struct Case {
        std::int32_t value;
        const char* bytes;
    };
    const Case cases[] = {
        {0, "02 00"},
        {127, "02 7F"},
        {-128, "02 80"},
        {128, "03 80 00"},
        {-129, "03 7F FF"},
        {200, "03 C8 00"},
        {32767, "03 FF 7F"},
        {-32768, "03 00 80"},
        {32768, "04 00 80 00 00"},
        {-32769, "04 FF 7F FF FF"},
        {40000, "04 40 9C 00 00"},
        {INT_MAX, "04 FF FF FF 7F"},
        {INT_MIN, "04 00 00 00 80"},
    };
    for (const Case& c : cases) {
        MudRoom room;
        room.BColor = kColorSilver;
        room.X = c.value;
        room.Tag = c.value;
        room.ImageIndex = c.value;
        std::string bytes = RecordOf(room);
        std::string v = Hex(c.bytes);
        EXPECT_NE(bytes.find(Name("X") + v + Name("Y")), std::string::npos) << c.value;
        if (c.value != 0) {
            EXPECT_EQ(bytes.substr(15, 4 + v.size()), Name("Tag") + v) << c.value;
            EXPECT_EQ(bytes.substr(bytes.size() - 2 - 11 - v.size()), Name("ImageIndex") + v + Hex("00 00"));
        }
        MudRoom back = ReadOne(bytes);
        EXPECT_EQ(back.X, c.value);
        EXPECT_EQ(back.Tag, c.value);
        EXPECT_EQ(back.ImageIndex, c.value);
    }
}

TEST(ZoneFileWriter, StringsOver255BytesAreLong) {
    MudRoom room;
    room.BColor = kColorSilver;
    room.Description = std::string(255, 'a');
    std::string bytes = RecordOf(room);
    EXPECT_NE(bytes.find(Name("Description") + Hex("06 FF") + std::string(255, 'a') + Name("X")), std::string::npos);
    EXPECT_EQ(ReadOne(bytes).Description, room.Description);

    room.Description = std::string(254, '\xE0') + "\r\n";
    room.Description += 'z';  // 257 bytes
    room.Note = std::string(256, 'n');
    room.AutoMaps = {"short", std::string(300, 'q')};
    bytes = RecordOf(room);
    EXPECT_NE(bytes.find(Name("Description") + Hex("0C 01 01 00 00") + room.Description), std::string::npos);
    EXPECT_NE(bytes.find(Name("Note") + Hex("0C 00 01 00 00") + room.Note), std::string::npos);
    EXPECT_NE(bytes.find(Name("AutoMaps.Strings") + Hex("01 06 05") + "short" + Hex("0C 2C 01 00 00") +
                         std::string(300, 'q') + Hex("00")),
              std::string::npos);
    MudRoom back = ReadOne(bytes);
    EXPECT_EQ(back.Description, room.Description);
    EXPECT_EQ(back.Note, room.Note);
    EXPECT_EQ(back.AutoMaps, room.AutoMaps);
}

TEST(ZoneFileWriter, EveryColourIdentifierIsWrittenByNameAndReadBack) {
    for (const auto& c : zone_format::kColorIdents) {
        MudRoom room;
        room.BColor = c.Value;
        std::string bytes = RecordOf(room);
        if (c.Value == kColorSilver) {
            EXPECT_EQ(bytes.find(Name("BColor")), std::string::npos) << "silver is the default";
            continue;
        }
        std::string entry = Name("BColor") + Hex("07") + Name(c.Name);
        EXPECT_NE(bytes.find(entry), std::string::npos) << c.Name;
        EXPECT_EQ(ReadOne(bytes).BColor, c.Value) << c.Name;
    }
    EXPECT_EQ(zone_format::ColorToIdent(0x0000FF), "clRed");
    EXPECT_EQ(zone_format::ColorToIdent(0x80000018), "clInfoBk");
    EXPECT_EQ(zone_format::ColorToIdent(0x1FFFFFFF), "clNone");
}

TEST(ZoneFileWriter, ColoursWithoutANameAreIntegers) {
    struct Case {
        std::uint32_t value;
        const char* bytes;
    };
    const Case cases[] = {
        {0x123456, "04 56 34 12 00"}, {0x7F, "02 7F"},
        {0xC0C0C1, "04 C1 C0 C0 00"}, {0x80000019, "04 19 00 00 80"},  // past the system colours
        {0xFFFFFFFF, "02 FF"},                                         // -1 as a signed value
    };
    for (const Case& c : cases) {
        MudRoom room;
        room.BColor = c.value;
        std::string bytes = RecordOf(room);
        EXPECT_NE(bytes.find(Name("BColor") + Hex(c.bytes) + Name("X")), std::string::npos) << c.value;
        EXPECT_EQ(ReadOne(bytes).BColor, c.value);
    }
}

TEST(ZoneFileWriter, EveryPropertyRoundTripsInTheFixedOrder) {
    MudRoom room;
    room.Tag = 1234;
    room.SetExits("(N) S", ExitWords::Defaults());
    room.Hint = "\xCF\xEE\xEB\xFF\xED\xE0";  // "Поляна"
    room.ChN = room.ChW = room.ChD = true;
    room.BColor = 0x80000005;
    room.Description = "line one\r\nline two";
    room.X = -70000;
    room.Y = 3;
    room.L = -2;
    room.DX = 100;
    room.DY = -100;
    room.DL = 1;
    room.Selected = room.Checked = room.Pipe = room.DT = room.FlyDT = room.Agro = room.NoStep = true;
    room.Note = "note";
    room.QuickList = "alias";
    room.AutoMaps = {"Zone|\xED\xE0 \xF1\xE5\xE2\xE5\xF0|12", "Other|up|3|open door"};
    room.ImageIndex = 17;
    std::string bytes = RecordOf(room);

    std::size_t last = 0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(zone_format::Property::Name); ++i) {
        std::string name = Name(zone_format::kPropertyNames[i]);
        std::size_t at = bytes.find(name, last);
        ASSERT_NE(at, std::string::npos) << zone_format::kPropertyNames[i];
        last = at + name.size();
    }
    EXPECT_EQ(bytes.find(Name("Name")), std::string::npos);

    MudRoom back = ReadOne(bytes);
    EXPECT_EQ(RecordOf(back), bytes);
    EXPECT_EQ(back.ExitState(Direction::North), ExitStatus::ClosedDoor);
    EXPECT_EQ(back.ExitState(Direction::South), ExitStatus::Present);
    EXPECT_EQ(back.AutoMaps, room.AutoMaps);
}

TEST(ZoneFileWriter, ZoneIsTheConcatenationOfRecordsAndEmptyZoneIsEmpty) {
    std::vector<std::unique_ptr<MudRoom>> rooms;
    EXPECT_EQ(ZoneFileBytes(rooms), "");
    ZoneReadResult none = ReadZoneBytes("", "empty.tr2", ExitWords::Defaults());
    EXPECT_TRUE(none.Rooms.empty());
    EXPECT_FALSE(none.Error);

    rooms.push_back(std::make_unique<MudRoom>(WorkedRoom()));
    rooms.push_back(std::make_unique<MudRoom>());
    rooms[1]->Tag = 8;
    std::string bytes = ZoneFileBytes(rooms);
    EXPECT_EQ(bytes, test::WorkedRecord() + RecordOf(*rooms[1]));
    std::vector<const MudRoom*> view = {rooms[0].get(), rooms[1].get()};
    EXPECT_EQ(ZoneFileBytes(view), bytes);

    auto dir = std::filesystem::temp_directory_path() / ("trellan-zonefile-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::string path = (dir / "zone.tr2").string();
    WriteZoneFile(path, rooms, false);
    ZoneReadResult zone = ReadZoneFile(path, ExitWords::Defaults());
    EXPECT_FALSE(zone.Error);
    ASSERT_EQ(zone.Rooms.size(), 2u);
    EXPECT_EQ(zone.Rooms[0]->Tag, 7);
    EXPECT_EQ(zone.Rooms[1]->Tag, 8);
    EXPECT_THROW(ReadZoneFile((dir / "missing.tr2").string(), ExitWords::Defaults()), TrellanError);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace trellan
