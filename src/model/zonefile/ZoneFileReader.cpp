#include "model/zonefile/ZoneFileReader.h"

#include <utility>

#include "common/FileIo.h"
#include "model/zonefile/ZoneFormat.h"

namespace trellan {

namespace zf = zone_format;

ZoneFileReader::ZoneFileReader(std::string_view bytes, std::string path, ExitWords words)
    : bytes_(bytes), path_(std::move(path)), words_(std::move(words)) {}

bool ZoneFileReader::HasMoreRooms() const {
    return pos_ + zf::kMaxStrayBytes < bytes_.size();
}

void ZoneFileReader::Fail(std::string_view reason, std::size_t offset) const {
    std::string text = path_;
    text += ": ";
    text += reason;
    text += " at byte ";
    text += std::to_string(offset);
    throw FileFormatError(text);
}

void ZoneFileReader::Need(std::size_t count) const {
    if (bytes_.size() - pos_ < count) Fail(zf::kErrStreamRead, pos_);
}

std::uint8_t ZoneFileReader::ReadByte() {
    Need(1);
    return static_cast<std::uint8_t>(bytes_[pos_++]);
}

std::uint32_t ZoneFileReader::ReadLittleEndian(int bytes) {
    Need(static_cast<std::size_t>(bytes));
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes_[pos_ + i])) << (8 * i);
    pos_ += static_cast<std::size_t>(bytes);
    return v;
}

std::string_view ZoneFileReader::ReadShortString() {
    std::size_t len = ReadByte();
    Need(len);
    std::string_view s = bytes_.substr(pos_, len);
    pos_ += len;
    return s;
}

std::string_view ZoneFileReader::ReadStringValue() {
    std::size_t codeAt = pos_;
    switch (ReadByte()) {
        case zf::kShortString:
            return ReadShortString();
        case zf::kLongString: {
            // Checked against what is left before anything is allocated, so
            // a damaged length cannot ask for gigabytes.
            std::size_t len = ReadLittleEndian(4);
            Need(len);
            std::string_view s = bytes_.substr(pos_, len);
            pos_ += len;
            return s;
        }
        default:
            Fail(zf::kErrInvalidPropertyValue, codeAt);
    }
}

std::int32_t ZoneFileReader::ReadIntValue() {
    std::size_t codeAt = pos_;
    switch (ReadByte()) {
        case zf::kInt8:
            return static_cast<std::int8_t>(ReadLittleEndian(1));
        case zf::kInt16:
            return static_cast<std::int16_t>(ReadLittleEndian(2));
        case zf::kInt32:
            return static_cast<std::int32_t>(ReadLittleEndian(4));
        default:
            Fail(zf::kErrInvalidPropertyValue, codeAt);
    }
}

std::uint32_t ZoneFileReader::ReadColorValue() {
    std::size_t codeAt = pos_;
    if (ReadByte() == zf::kIdent) {
        std::optional<std::uint32_t> color = zf::IdentToColor(ReadShortString());
        if (!color) Fail(zf::kErrInvalidPropertyValue, codeAt);
        return *color;
    }
    pos_ = codeAt;
    return static_cast<std::uint32_t>(ReadIntValue());
}

bool ZoneFileReader::ReadBoolValue() {
    std::size_t codeAt = pos_;
    switch (ReadByte()) {
        case zf::kFalse:
            return false;
        case zf::kTrue:
            return true;
        case zf::kIdent: {
            std::string_view ident = ReadShortString();
            if (zf::SameTextAscii(ident, zf::kFalseIdent)) return false;
            if (zf::SameTextAscii(ident, zf::kTrueIdent)) return true;
            Fail(zf::kErrInvalidPropertyValue, codeAt);
        }
        default:
            Fail(zf::kErrInvalidPropertyValue, codeAt);
    }
}

void ZoneFileReader::ReadStringList(std::vector<std::string>& list) {
    std::size_t codeAt = pos_;
    if (ReadByte() != zf::kListBegin) Fail(zf::kErrInvalidPropertyValue, codeAt);
    list.clear();
    for (;;) {
        Need(1);
        if (static_cast<std::uint8_t>(bytes_[pos_]) == zf::kEndOfList) {
            ++pos_;
            return;
        }
        list.emplace_back(ReadStringValue());
    }
}

void ZoneFileReader::ReadPrefix() {
    Need(1);
    std::uint8_t b = static_cast<std::uint8_t>(bytes_[pos_]);
    if (b < zf::kPrefixFirst) return;
    ++pos_;
    if (b & zf::kPrefixChildPosFlag) ReadIntValue();  // a position among siblings; rooms have none
}

void ZoneFileReader::ReadRoom(MudRoom& room) {
    using P = zf::Property;
    std::size_t start = pos_;
    Need(zf::kSignature.size());
    if (bytes_.substr(pos_, zf::kSignature.size()) != zf::kSignature) Fail(zf::kErrInvalidStreamFormat, start);
    pos_ += zf::kSignature.size();
    ReadPrefix();
    ReadShortString();  // class name: any is accepted
    ReadShortString();  // component name: rooms have none worth keeping

    std::size_t hint = 0;
    for (;;) {
        std::size_t nameAt = pos_;
        std::string_view name = ReadShortString();
        if (name.empty()) break;
        std::optional<P> prop = zf::FindProperty(name, hint);
        if (!prop) Fail(zf::kErrPropertyDoesNotExist, nameAt);
        hint = static_cast<std::size_t>(*prop) + 1;
        switch (*prop) {
            case P::Tag:
                room.Tag = ReadIntValue();
                break;
            case P::Exits:
                room.SetExits(std::string(ReadStringValue()), words_);
                break;
            case P::Hint:
                room.Hint.assign(ReadStringValue());
                break;
            case P::ChN:
                room.ChN = ReadBoolValue();
                break;
            case P::ChS:
                room.ChS = ReadBoolValue();
                break;
            case P::ChW:
                room.ChW = ReadBoolValue();
                break;
            case P::ChE:
                room.ChE = ReadBoolValue();
                break;
            case P::ChU:
                room.ChU = ReadBoolValue();
                break;
            case P::ChD:
                room.ChD = ReadBoolValue();
                break;
            case P::BColor:
                room.BColor = ReadColorValue();
                break;
            case P::Description:
                room.Description.assign(ReadStringValue());
                break;
            case P::X:
                room.X = ReadIntValue();
                break;
            case P::Y:
                room.Y = ReadIntValue();
                break;
            case P::L:
                room.L = ReadIntValue();
                break;
            case P::DX:
                room.DX = ReadIntValue();
                break;
            case P::DY:
                room.DY = ReadIntValue();
                break;
            case P::DL:
                room.DL = ReadIntValue();
                break;
            case P::Selected:
                room.Selected = ReadBoolValue();
                break;
            case P::Checked:
                room.Checked = ReadBoolValue();
                break;
            case P::Pipe:
                room.Pipe = ReadBoolValue();
                break;
            case P::DT:
                room.DT = ReadBoolValue();
                break;
            case P::FlyDT:
                room.FlyDT = ReadBoolValue();
                break;
            case P::Agro:
                room.Agro = ReadBoolValue();
                break;
            case P::NoStep:
                room.NoStep = ReadBoolValue();
                break;
            case P::Note:
                room.Note.assign(ReadStringValue());
                break;
            case P::QuickList:
                room.QuickList.assign(ReadStringValue());
                break;
            case P::AutoMaps:
                ReadStringList(room.AutoMaps);
                break;
            case P::ImageIndex:
                room.ImageIndex = ReadIntValue();
                break;
            case P::Name:
                ReadStringValue();
                break;  // rooms never carry a name
        }
    }
    std::size_t childrenAt = pos_;
    // Records of this format have no child records; anything but the empty
    // list here means the bytes are not a room record.
    if (ReadByte() != zf::kEndOfList) Fail(zf::kErrInvalidStreamFormat, childrenAt);
}

ZoneReadResult ReadZoneBytes(std::string_view bytes, const std::string& path, const ExitWords& words,
                             std::uint32_t absentBColor) {
    ZoneReadResult result;
    result.Error = ReadZoneRecords(
        bytes, path, words, absentBColor, [&]() -> MudRoom& { return *result.Rooms.emplace_back(std::make_unique<MudRoom>()); },
        [&] { result.Rooms.pop_back(); });
    return result;
}

ZoneReadResult ReadZoneFile(const std::string& path, const ExitWords& words, std::uint32_t absentBColor) {
    std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) throw TrellanError("Unable to read " + path);
    return ReadZoneBytes(*bytes, path, words, absentBColor);
}

}  // namespace trellan
