#include "storage/JournalCodec.h"

#include <gtest/gtest.h>

#include "storage/JournalFormat.h"

namespace trellan {
namespace {

std::vector<ZoneChange> SampleChanges() {
    ZoneChange snapshot;
    snapshot.What = ZoneChange::Kind::Snapshot;
    snapshot.Zone = "\xC7\xEE\xED\xE0";  // "Зона"
    snapshot.Rooms = {"first record", std::string("with\0nul\xFF", 9), ""};
    ZoneChange patch;
    patch.What = ZoneChange::Kind::Patch;
    patch.Zone = snapshot.Zone;
    patch.Edits = {{RoomEdit::Kind::Remove, 1, {}},
                   {RoomEdit::Kind::Replace, 0, "replaced"},
                   {RoomEdit::Kind::Append, 0, "appended"}};
    ZoneChange removed;
    removed.What = ZoneChange::Kind::Removed;
    removed.Zone = "gone";
    return {snapshot, patch, removed};
}

std::string Journal(const std::vector<ZoneChange>& changes) {
    std::string bytes(journal::kFileHeader);
    for (const ZoneChange& change : changes) AppendJournalRecord(bytes, change);
    return bytes;
}

void ExpectSame(const std::vector<ZoneChange>& got, const std::vector<ZoneChange>& expected, std::size_t count) {
    ASSERT_EQ(got.size(), count);
    for (std::size_t i = 0; i < count; ++i) {
        EXPECT_EQ(got[i].What, expected[i].What);
        EXPECT_EQ(got[i].Zone, expected[i].Zone);
        EXPECT_EQ(got[i].Rooms, expected[i].Rooms);
        ASSERT_EQ(got[i].Edits.size(), expected[i].Edits.size());
        for (std::size_t e = 0; e < got[i].Edits.size(); ++e) {
            EXPECT_EQ(got[i].Edits[e].What, expected[i].Edits[e].What);
            EXPECT_EQ(got[i].Edits[e].Record, expected[i].Edits[e].Record);
            if (got[i].Edits[e].What != RoomEdit::Kind::Append)
                EXPECT_EQ(got[i].Edits[e].Position, expected[i].Edits[e].Position);
        }
    }
}

TEST(JournalCodec, EveryKindOfChangeReadsBackAsWritten) {
    const std::vector<ZoneChange> changes = SampleChanges();
    JournalContents read = ReadJournalBytes(Journal(changes));
    EXPECT_EQ(read.Condition, JournalContents::State::Whole);
    ExpectSame(read.Changes, changes, changes.size());
    EXPECT_EQ(ReadJournalBytes("").Condition, JournalContents::State::Whole);
}

// A crash while the last record was being written leaves any prefix of it.
TEST(JournalCodec, ARecordCutAtAnyByteIsLeftOutAndTheOnesBeforeItKept) {
    const std::vector<ZoneChange> changes = SampleChanges();
    const std::string whole = Journal(changes);
    std::string before = Journal({changes[0], changes[1]});
    for (std::size_t cut = before.size(); cut < whole.size(); ++cut) {
        JournalContents read = ReadJournalBytes(std::string_view(whole).substr(0, cut));
        ASSERT_EQ(read.Condition, cut == before.size() ? JournalContents::State::Whole : JournalContents::State::Torn)
            << "cut at " << cut;
        ExpectSame(read.Changes, changes, 2);
        if (cut > before.size()) EXPECT_EQ(read.DamageOffset, before.size());
    }
    // Cut inside the header of a fresh journal: nothing to replay, nothing damaged.
    for (std::size_t cut = 1; cut < journal::kFileHeader.size(); ++cut)
        EXPECT_EQ(ReadJournalBytes(whole.substr(0, cut)).Condition, JournalContents::State::Torn);
}

TEST(JournalCodec, GarbageAndFlippedBytesAreDamageNotATornRecord) {
    const std::vector<ZoneChange> changes = SampleChanges();
    const std::string whole = Journal(changes);

    JournalContents garbage = ReadJournalBytes(whole + "0123456789ABCDEF");
    EXPECT_EQ(garbage.Condition, JournalContents::State::Damaged);
    EXPECT_EQ(garbage.DamageOffset, whole.size());
    ExpectSame(garbage.Changes, changes, 3);

    std::string flipped = whole;
    flipped[flipped.size() - 3] ^= 0x40;
    JournalContents crc = ReadJournalBytes(flipped);
    EXPECT_EQ(crc.Condition, JournalContents::State::Damaged);
    EXPECT_NE(crc.DamageReason.find("checksum"), std::string::npos);
    ExpectSame(crc.Changes, changes, 2);

    EXPECT_EQ(ReadJournalBytes("not a journal at all").Condition, JournalContents::State::Damaged);
}

}  // namespace
}  // namespace trellan
