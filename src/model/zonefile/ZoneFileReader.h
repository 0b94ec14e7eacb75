#pragma once
// Reads zone files (".tr2") from memory, record by record. A damaged record
// ends the reading with a FileFormatError naming the file, the reason and the
// byte offset; the rooms read before it are kept, so a damaged file costs
// only what follows the damage.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Errors.h"
#include "model/ExitWords.h"
#include "model/MudRoom.h"

namespace trellan {

class ZoneFileReader {
public:
    // `bytes` must outlive the reader; `path` is only used in error texts.
    // Exits are set through MudRoom::SetExits with `words`.
    ZoneFileReader(std::string_view bytes, std::string path, ExitWords words);

    // True while more than the ignored trailing bytes (up to 10) remain, so
    // another record is expected.
    bool HasMoreRooms() const;

    // Reads the next record into `room`, which should be fresh: properties
    // the record leaves out keep the room's values. Leaves the position just
    // behind the record. Throws FileFormatError "<path>: <reason> at byte
    // <offset>"; the room is then incomplete and the position undefined.
    void ReadRoom(MudRoom& room);

    std::size_t Position() const { return pos_; }

private:
    [[noreturn]] void Fail(std::string_view reason, std::size_t offset) const;
    void Need(std::size_t count) const;
    std::uint8_t ReadByte();
    std::uint32_t ReadLittleEndian(int bytes);
    std::string_view ReadShortString();
    std::string_view ReadStringValue();
    std::int32_t ReadIntValue();
    std::uint32_t ReadColorValue();
    bool ReadBoolValue();
    void ReadStringList(std::vector<std::string>& list);
    void ReadPrefix();

    std::string_view bytes_;
    std::string path_;
    ExitWords words_;
    std::size_t pos_ = 0;
};

struct ZoneReadResult {
    // The rooms of the undamaged records, in file order.
    std::vector<std::unique_ptr<MudRoom>> Rooms;
    // Set when a record was damaged; reading stopped there.
    std::optional<FileFormatError> Error;
};

// Reads every record of a zone held in memory into the rooms `next()` hands
// out, a fresh room each time (BColor is set to `absentBColor` first). The
// room of a damaged record goes back through `discard()`, and the error is
// returned.
template <typename Next, typename Discard>
std::optional<FileFormatError> ReadZoneRecords(std::string_view bytes, const std::string& path,
                                               const ExitWords& words, std::uint32_t absentBColor, Next&& next,
                                               Discard&& discard) {
    ZoneFileReader reader(bytes, path, words);
    while (reader.HasMoreRooms()) {
        MudRoom& room = next();
        room.BColor = absentBColor;
        try {
            reader.ReadRoom(room);
        } catch (FileFormatError& e) {
            discard();
            return std::move(e);
        }
    }
    return std::nullopt;
}

// Reads every record of a zone held in memory. A room whose record has no
// BColor entry gets `absentBColor`: 0 is what a fresh room has; passing
// clSilver (the stream default) tells a stored clBlack from a left-out colour.
ZoneReadResult ReadZoneBytes(std::string_view bytes, const std::string& path, const ExitWords& words,
                             std::uint32_t absentBColor = 0);

// Reads the file at `path`; throws TrellanError "Unable to read <path>" when
// the file cannot be read at all.
ZoneReadResult ReadZoneFile(const std::string& path, const ExitWords& words, std::uint32_t absentBColor = 0);

}  // namespace trellan
