#include "storage/JournalCodec.h"

#include <zlib.h>

#include "storage/JournalFormat.h"

namespace trellan {

namespace {

void PutU32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void PutBytes(std::string& out, std::string_view bytes) {
    PutU32(out, static_cast<std::uint32_t>(bytes.size()));
    out.append(bytes);
}

std::uint32_t GetU32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

std::uint32_t Crc(std::string_view bytes) {
    return static_cast<std::uint32_t>(
        crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

// Reads one payload; false when its fields do not fit it.
class PayloadReader {
public:
    explicit PayloadReader(std::string_view bytes) : bytes_(bytes) {}
    bool Byte(std::uint8_t& value) {
        if (pos_ + 1 > bytes_.size()) return false;
        value = static_cast<std::uint8_t>(bytes_[pos_++]);
        return true;
    }
    bool U32(std::uint32_t& value) {
        if (pos_ + 4 > bytes_.size()) return false;
        value = GetU32(bytes_, pos_);
        pos_ += 4;
        return true;
    }
    bool Bytes(std::string& value) {
        std::uint32_t length = 0;
        if (!U32(length) || length > bytes_.size() - pos_) return false;
        value.assign(bytes_.substr(pos_, length));
        pos_ += length;
        return true;
    }
    bool AtEnd() const { return pos_ == bytes_.size(); }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

bool ParsePayload(std::string_view payload, ZoneChange& change) {
    PayloadReader in(payload);
    std::uint8_t kind = 0;
    if (!in.Byte(kind) || !in.Bytes(change.Zone)) return false;
    std::uint32_t count = 0;
    switch (static_cast<ZoneChange::Kind>(kind)) {
    case ZoneChange::Kind::Snapshot:
        change.What = ZoneChange::Kind::Snapshot;
        if (!in.U32(count)) return false;
        for (std::uint32_t i = 0; i < count; ++i) {
            if (!in.Bytes(change.Rooms.emplace_back())) return false;
        }
        break;
    case ZoneChange::Kind::Patch:
        change.What = ZoneChange::Kind::Patch;
        if (!in.U32(count)) return false;
        for (std::uint32_t i = 0; i < count; ++i) {
            RoomEdit& edit = change.Edits.emplace_back();
            std::uint8_t what = 0;
            if (!in.Byte(what) || !in.U32(edit.Position)) return false;
            edit.What = static_cast<RoomEdit::Kind>(what);
            if (edit.What == RoomEdit::Kind::Remove) continue;
            if (edit.What != RoomEdit::Kind::Replace && edit.What != RoomEdit::Kind::Append) return false;
            if (!in.Bytes(edit.Record)) return false;
        }
        break;
    case ZoneChange::Kind::Removed:
        change.What = ZoneChange::Kind::Removed;
        break;
    default:
        return false;
    }
    return in.AtEnd();
}

}  // namespace

void AppendJournalRecord(std::string& out, const ZoneChange& change) {
    std::string payload;
    payload.push_back(static_cast<char>(change.What));
    PutBytes(payload, change.Zone);
    if (change.What == ZoneChange::Kind::Snapshot) {
        PutU32(payload, static_cast<std::uint32_t>(change.Rooms.size()));
        for (const std::string& room : change.Rooms) PutBytes(payload, room);
    } else if (change.What == ZoneChange::Kind::Patch) {
        PutU32(payload, static_cast<std::uint32_t>(change.Edits.size()));
        for (const RoomEdit& edit : change.Edits) {
            payload.push_back(static_cast<char>(edit.What));
            PutU32(payload, edit.Position);
            if (edit.What != RoomEdit::Kind::Remove) PutBytes(payload, edit.Record);
        }
    }
    out.append(journal::kRecordMark);
    PutU32(out, static_cast<std::uint32_t>(payload.size()));
    PutU32(out, Crc(payload));
    out.append(payload);
}

JournalContents ReadJournalBytes(std::string_view bytes) {
    JournalContents contents;
    const auto damaged = [&](std::size_t at, std::string reason) {
        contents.Condition = JournalContents::State::Damaged;
        contents.DamageOffset = at;
        contents.DamageReason = std::move(reason);
        return contents;
    };
    const auto torn = [&](std::size_t at) {
        contents.Condition = JournalContents::State::Torn;
        contents.DamageOffset = at;
        return contents;
    };
    if (bytes.empty()) return contents;
    const std::string_view header = journal::kFileHeader;
    if (bytes.size() < header.size()) {
        if (header.substr(0, bytes.size()) == bytes) return torn(0);
        return damaged(0, "not a change journal");
    }
    if (bytes.substr(0, header.size()) != header) return damaged(0, "not a change journal");

    std::size_t pos = header.size();
    while (pos < bytes.size()) {
        const std::string_view rest = bytes.substr(pos);
        const std::string_view mark = journal::kRecordMark;
        const std::size_t markPart = std::min(rest.size(), mark.size());
        if (rest.substr(0, markPart) != mark.substr(0, markPart)) return damaged(pos, "no record starts here");
        if (rest.size() < journal::kRecordHeaderSize) return torn(pos);
        const std::uint32_t length = GetU32(rest, 4);
        if (length > journal::kMaxPayload) return damaged(pos, "record length out of range");
        if (rest.size() - journal::kRecordHeaderSize < length) return torn(pos);
        const std::string_view payload = rest.substr(journal::kRecordHeaderSize, length);
        if (Crc(payload) != GetU32(rest, 8)) return damaged(pos, "record checksum mismatch");
        ZoneChange change;
        if (!ParsePayload(payload, change)) return damaged(pos, "record fields do not fit");
        contents.Changes.push_back(std::move(change));
        pos += journal::kRecordHeaderSize + length;
    }
    return contents;
}

}  // namespace trellan
