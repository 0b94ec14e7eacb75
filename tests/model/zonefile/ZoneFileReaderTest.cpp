#include <gtest/gtest.h>

#include <string>

#include "model/RoomDefaults.h"
#include "model/zonefile/ZoneFileReader.h"
#include "model/zonefile/ZoneFileTestBytes.h"
#include "model/zonefile/ZoneFileWriter.h"

namespace trellan {
namespace {

using test::Hex;
using test::Name;
using test::RecordHead;
using test::WorkedRecord;

const std::string kEnd = Hex("00 00");

ZoneReadResult Read(const std::string& bytes) {
    return ReadZoneBytes(bytes, "zone.tr2", ExitWords::Defaults());
}

std::string ErrorOf(const std::string& bytes) {
    ZoneReadResult r = Read(bytes);
    return r.Error ? r.Error->what() : "";
}

TEST(ZoneFileReader, NamesAndIdentifiersIgnoreLetterCase) {
    std::string bytes = RecordHead() + Name("tAG") + Hex("03 39 30") + Name("CHN") + Hex("07 04") + "TRUE" +
                        Name("chs") + Hex("07 05") + "false" + Name("bcolor") + Hex("07 05") + "CLRED" +
                        Name("automaps.strings") + Hex("01 06 01") + "a" + Hex("00") + kEnd;
    ZoneReadResult r = Read(bytes);
    ASSERT_FALSE(r.Error) << r.Error->what();
    ASSERT_EQ(r.Rooms.size(), 1u);
    const MudRoom& room = *r.Rooms[0];
    EXPECT_EQ(room.Tag, 12345);
    EXPECT_TRUE(room.ChN);
    EXPECT_FALSE(room.ChS);
    EXPECT_EQ(room.BColor, 0x0000FFu);
    EXPECT_EQ(room.AutoMaps, std::vector<std::string>{"a"});
}

TEST(ZoneFileReader, AcceptsPrefixBytesAnyClassNameAndAComponentName) {
    // F2: flags with the child-position bit, followed by an integer value.
    std::string bytes =
        Hex("54 50 46 30 F2 03 10 27") + Name("TSomethingElse") + Name("room1") + Name("Tag") + Hex("02 05") + kEnd;
    bytes += Hex("54 50 46 30 F1") + Name("TMudRoom2") + Hex("00") + Name("Tag") + Hex("02 06") + kEnd;
    ZoneReadResult r = Read(bytes);
    ASSERT_FALSE(r.Error) << r.Error->what();
    ASSERT_EQ(r.Rooms.size(), 2u);
    EXPECT_EQ(r.Rooms[0]->Tag, 5);
    EXPECT_EQ(r.Rooms[1]->Tag, 6);
}

TEST(ZoneFileReader, ExitsGoThroughTheSetterWithTheCallersWords) {
    ExitWords words = ExitWords::FromProfileOrder("north", "south", "east", "west", "up", "down");
    std::string bytes = RecordHead() + Name("Exits") + Hex("06 0D") + "(north) south" + kEnd;
    ZoneReadResult r = ReadZoneBytes(bytes, "z", words);
    ASSERT_EQ(r.Rooms.size(), 1u);
    EXPECT_EQ(r.Rooms[0]->ExitState(Direction::North), ExitStatus::ClosedDoor);
    EXPECT_EQ(r.Rooms[0]->ExitState(Direction::South), ExitStatus::Present);
    EXPECT_EQ(r.Rooms[0]->ExitState(Direction::East), ExitStatus::Absent);
}

TEST(ZoneFileReader, LaterEntriesWinAndTheListIsEmptiedFirst) {
    std::string bytes = RecordHead() + Name("AutoMaps.Strings") + Hex("01 06 01") + "a" + Hex("06 01") + "b" +
                        Hex("00") + Name("Tag") + Hex("02 01") + Name("AutoMaps.Strings") + Hex("01 06 01") + "c" +
                        Hex("00") + Name("Tag") + Hex("02 02") + Name("Name") + Hex("06 03") + "xyz" + kEnd;
    ZoneReadResult r = Read(bytes);
    ASSERT_FALSE(r.Error) << r.Error->what();
    EXPECT_EQ(r.Rooms[0]->AutoMaps, std::vector<std::string>{"c"});
    EXPECT_EQ(r.Rooms[0]->Tag, 2);
}

TEST(ZoneFileReader, AbsentColourCanBeTheStreamDefault) {
    std::string black = RecordHead() + Name("BColor") + Hex("07 07") + "clBlack" + kEnd;
    ZoneReadResult r = ReadZoneBytes(WorkedRecord() + black, "z", ExitWords::Defaults(), kColorSilver);
    ASSERT_EQ(r.Rooms.size(), 2u);
    EXPECT_EQ(r.Rooms[0]->BColor, kColorSilver);
    EXPECT_EQ(r.Rooms[1]->BColor, 0u);
}

TEST(ZoneFileReader, EachErrorNamesFileReasonAndOffset) {
    const std::string first = WorkedRecord();  // 89 bytes, read before the damage
    struct Case {
        std::string second;
        std::string error;
    };
    const Case cases[] = {
        {Hex("54 50 46 31") + std::string(20, 0), "zone.tr2: Invalid stream format at byte 89"},
        // The value code of Tag (offset 89 + 15 + 4) is a string's.
        {RecordHead() + Name("Tag") + Hex("06 01") + "7" + kEnd, "zone.tr2: Invalid property value at byte 108"},
        {RecordHead() + Name("X") + Hex("09") + kEnd, "zone.tr2: Invalid property value at byte 106"},
        {RecordHead() + Name("ChN") + Hex("02 01") + kEnd, "zone.tr2: Invalid property value at byte 108"},
        {RecordHead() + Name("ChN") + Hex("07 03") + "Yes" + kEnd, "zone.tr2: Invalid property value at byte 108"},
        {RecordHead() + Name("Hint") + Hex("07 01") + "a" + kEnd, "zone.tr2: Invalid property value at byte 109"},
        {RecordHead() + Name("BColor") + Hex("07 06") + "clPink" + kEnd,
         "zone.tr2: Invalid property value at byte 111"},
        {RecordHead() + Name("BColor") + Hex("0D") + kEnd, "zone.tr2: Invalid property value at byte 111"},
        {RecordHead() + Name("AutoMaps.Strings") + Hex("06 01") + "a" + kEnd,
         "zone.tr2: Invalid property value at byte 121"},
        {RecordHead() + Name("AutoMaps.Strings") + Hex("01 06 01") + "a" + Hex("02 01 00") + kEnd,
         "zone.tr2: Invalid property value at byte 125"},
        {RecordHead() + Name("Colour") + Hex("02 01") + kEnd, "zone.tr2: Property does not exist at byte 104"},
        {RecordHead() + Name("AutoMaps") + Hex("01 00") + kEnd, "zone.tr2: Property does not exist at byte 104"},
        // A child record where the empty child list should be.
        {RecordHead() + Hex("00") + WorkedRecord(), "zone.tr2: Invalid stream format at byte 105"},
        // A long string longer than the file: refused before any allocation.
        {RecordHead() + Name("Note") + Hex("0C FF FF FF FF") + std::string(20, 'x'),
         "zone.tr2: Stream read error at byte 114"},
    };
    for (const Case& c : cases) {
        ZoneReadResult r = Read(first + c.second);
        ASSERT_TRUE(r.Error) << c.error;
        EXPECT_EQ(std::string(r.Error->what()), c.error);
        ASSERT_EQ(r.Rooms.size(), 1u) << c.error;
        EXPECT_EQ(r.Rooms[0]->Tag, 7);
    }
}

TEST(ZoneFileReader, UpToTenStrayBytesAreIgnored) {
    for (std::size_t stray = 1; stray <= 10; ++stray) {
        ZoneReadResult r = Read(WorkedRecord() + WorkedRecord() + std::string(stray, 'T'));
        EXPECT_FALSE(r.Error) << stray;
        EXPECT_EQ(r.Rooms.size(), 2u);
    }
    EXPECT_EQ(ErrorOf(WorkedRecord() + std::string(11, '\0')), "zone.tr2: Invalid stream format at byte 89");
    EXPECT_EQ(ErrorOf(WorkedRecord() + "TPF0" + std::string(7, '\x09')), "zone.tr2: Stream read error at byte 94");
    // A file shorter than a record is all stray bytes.
    EXPECT_TRUE(Read("TPF0").Rooms.empty());
    EXPECT_FALSE(Read("TPF0").Error);
}

TEST(ZoneFileReader, TruncatedFileKeepsTheRoomsBeforeTheCut) {
    const std::string full = WorkedRecord() + WorkedRecord() + WorkedRecord();
    for (std::size_t cut = 0; cut < full.size(); ++cut) {
        ZoneReadResult r = Read(full.substr(0, cut));
        std::size_t whole = cut / 89;
        std::size_t rest = cut % 89;
        EXPECT_EQ(r.Rooms.size(), whole) << cut;
        // A cut record of at most ten bytes counts as stray bytes.
        if (rest <= 10) {
            EXPECT_FALSE(r.Error) << cut;
        } else {
            ASSERT_TRUE(r.Error) << cut;
            EXPECT_NE(std::string(r.Error->what()).find("Stream read error at byte "), std::string::npos) << cut;
        }
        for (const auto& room : r.Rooms) EXPECT_EQ(room->X, 5);
    }
}

TEST(ZoneFileReader, ReadRoomThrowsAndStopsAtTheRecordEnd) {
    std::string bytes = WorkedRecord() + "garbage-garbage";
    ZoneFileReader reader(bytes, "dir/zone.tr2", ExitWords::Defaults());
    ASSERT_TRUE(reader.HasMoreRooms());
    MudRoom room;
    reader.ReadRoom(room);
    EXPECT_EQ(reader.Position(), 89u);
    ASSERT_TRUE(reader.HasMoreRooms());
    MudRoom bad;
    try {
        reader.ReadRoom(bad);
        FAIL() << "no error";
    } catch (const FileFormatError& e) {
        EXPECT_STREQ(e.what(), "dir/zone.tr2: Invalid stream format at byte 89");
    }
}

}  // namespace
}  // namespace trellan
