#include "model/zonefile/ZoneFileWriter.h"

#include <cstdint>
#include <string_view>

#include "common/FileIo.h"
#include "model/RoomDefaults.h"
#include "model/zonefile/ZoneFormat.h"

namespace trellan {

namespace zf = zone_format;

namespace {

// Bytes of a record beyond its text, with every entry at its widest.
constexpr std::size_t kRecordOverhead = 400;
// A string value's code and length bytes at most.
constexpr std::size_t kStringOverhead = 5;

void PutByte(std::string& out, std::uint8_t b) {
    out.push_back(static_cast<char>(b));
}

void PutLittleEndian(std::string& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) PutByte(out, static_cast<std::uint8_t>(v >> (8 * i)));
}

// Length byte and bytes; names and the class name are always short.
void PutShortString(std::string& out, std::string_view s) {
    PutByte(out, static_cast<std::uint8_t>(s.size()));
    out.append(s);
}

void PutName(std::string& out, zf::Property p) {
    PutShortString(out, zf::kPropertyNames[static_cast<int>(p)]);
}

void PutIntValue(std::string& out, std::int32_t v) {
    if (v >= -128 && v <= 127) {
        PutByte(out, zf::kInt8);
        PutLittleEndian(out, static_cast<std::uint32_t>(v), 1);
    } else if (v >= -32768 && v <= 32767) {
        PutByte(out, zf::kInt16);
        PutLittleEndian(out, static_cast<std::uint32_t>(v), 2);
    } else {
        PutByte(out, zf::kInt32);
        PutLittleEndian(out, static_cast<std::uint32_t>(v), 4);
    }
}

void PutStringValue(std::string& out, std::string_view s) {
    if (s.size() <= zf::kMaxShortString) {
        PutByte(out, zf::kShortString);
        PutShortString(out, s);
    } else {
        PutByte(out, zf::kLongString);
        PutLittleEndian(out, static_cast<std::uint32_t>(s.size()), 4);
        out.append(s);
    }
}

void PutInt(std::string& out, zf::Property p, std::int32_t v) {
    PutName(out, p);
    PutIntValue(out, v);
}

void PutIntUnlessDefault(std::string& out, zf::Property p, std::int32_t v, std::int32_t def) {
    if (v != def) PutInt(out, p, v);
}

void PutBool(std::string& out, zf::Property p, bool v) {
    PutName(out, p);
    PutByte(out, v ? zf::kTrue : zf::kFalse);
}

// The Booleans with a default of false are stored only when true.
void PutTrueOnly(std::string& out, zf::Property p, bool v) {
    if (v) PutBool(out, p, true);
}

void PutStringUnlessEmpty(std::string& out, zf::Property p, std::string_view s) {
    if (s.empty()) return;
    PutName(out, p);
    PutStringValue(out, s);
}

void PutColor(std::string& out, std::uint32_t color) {
    if (color == room_defaults::BColor) return;
    PutName(out, zf::Property::BColor);
    std::string_view ident = zf::ColorToIdent(color);
    if (!ident.empty()) {
        PutByte(out, zf::kIdent);
        PutShortString(out, ident);
    } else {
        PutIntValue(out, static_cast<std::int32_t>(color));
    }
}

// An upper bound of the record's size, so the buffer grows once.
std::size_t RecordSizeBound(const MudRoom& room) {
    std::size_t size = kRecordOverhead + room.Exits().size() + room.Hint.size() + room.Description.size() +
                       room.Note.size() + room.QuickList.size();
    for (const std::string& entry : room.AutoMaps) size += entry.size() + kStringOverhead;
    return size;
}

}  // namespace

void AppendRoomRecord(std::string& out, const MudRoom& room) {
    using P = zf::Property;
    out.append(zf::kSignature);
    PutShortString(out, zf::kClassName);
    PutByte(out, 0);  // empty component name
    PutIntUnlessDefault(out, P::Tag, room.Tag, room_defaults::Tag);
    PutStringUnlessEmpty(out, P::Exits, room.Exits());
    PutStringUnlessEmpty(out, P::Hint, room.Hint);
    PutBool(out, P::ChN, room.ChN);
    PutBool(out, P::ChS, room.ChS);
    PutBool(out, P::ChW, room.ChW);
    PutBool(out, P::ChE, room.ChE);
    PutBool(out, P::ChU, room.ChU);
    PutBool(out, P::ChD, room.ChD);
    PutColor(out, room.BColor);
    PutStringUnlessEmpty(out, P::Description, room.Description);
    PutInt(out, P::X, room.X);
    PutInt(out, P::Y, room.Y);
    PutInt(out, P::L, room.L);
    PutInt(out, P::DX, room.DX);
    PutInt(out, P::DY, room.DY);
    PutInt(out, P::DL, room.DL);
    PutTrueOnly(out, P::Selected, room.Selected);
    PutTrueOnly(out, P::Checked, room.Checked);
    PutTrueOnly(out, P::Pipe, room.Pipe);
    PutTrueOnly(out, P::DT, room.DT);
    PutTrueOnly(out, P::FlyDT, room.FlyDT);
    PutTrueOnly(out, P::Agro, room.Agro);
    PutTrueOnly(out, P::NoStep, room.NoStep);
    PutStringUnlessEmpty(out, P::Note, room.Note);
    PutStringUnlessEmpty(out, P::QuickList, room.QuickList);
    if (!room.AutoMaps.empty()) {
        PutName(out, P::AutoMaps);
        PutByte(out, zf::kListBegin);
        for (const std::string& entry : room.AutoMaps) PutStringValue(out, entry);
        PutByte(out, zf::kEndOfList);
    }
    PutIntUnlessDefault(out, P::ImageIndex, room.ImageIndex, room_defaults::ImageIndex);
    PutByte(out, zf::kEndOfList);  // end of properties
    PutByte(out, zf::kEndOfList);  // end of (no) child records
}

std::string ZoneFileBytes(std::span<const MudRoom* const> rooms) {
    std::size_t bound = 0;
    for (const MudRoom* room : rooms) bound += RecordSizeBound(*room);
    std::string out;
    out.reserve(bound);
    for (const MudRoom* room : rooms) AppendRoomRecord(out, *room);
    return out;
}

std::string ZoneFileBytes(const std::vector<std::unique_ptr<MudRoom>>& rooms) {
    std::size_t bound = 0;
    for (const auto& room : rooms) bound += RecordSizeBound(*room);
    std::string out;
    out.reserve(bound);
    for (const auto& room : rooms) AppendRoomRecord(out, *room);
    return out;
}

void WriteZoneFile(const std::string& path, std::span<const MudRoom* const> rooms, bool sync) {
    WriteFileAtomically(path, ZoneFileBytes(rooms), sync);
}

void WriteZoneFile(const std::string& path, const std::vector<std::unique_ptr<MudRoom>>& rooms, bool sync) {
    WriteFileAtomically(path, ZoneFileBytes(rooms), sync);
}

}  // namespace trellan
