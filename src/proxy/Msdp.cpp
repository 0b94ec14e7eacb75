#include "proxy/Msdp.h"

#include "proxy/TelnetCodes.h"
#include "text/Cp1251.h"

namespace trellan {

namespace {

using namespace telnet;

class MsdpReader {
public:
    explicit MsdpReader(std::string_view payload) : data_(payload) {}

    MsdpVariables ReadAll() {
        MsdpVariables out;
        while (pos_ < data_.size()) {
            if (Byte() != MsdpVar) {
                ++pos_;
                continue;
            }
            ++pos_;
            std::string name = ReadText();
            if (!AddValues(name, out, 0)) break;
        }
        return out;
    }

private:
    unsigned char Byte() const { return static_cast<unsigned char>(data_[pos_]); }
    bool IsStructure(unsigned char c) const { return c >= MsdpVar && c <= MsdpArrayClose; }

    std::string ReadText() {
        std::size_t start = pos_;
        while (pos_ < data_.size() && !IsStructure(Byte())) ++pos_;
        return std::string(data_.substr(start, pos_ - start));
    }

    // The values after a variable name; several become an array. False when
    // nesting went too deep.
    template <typename List>
    bool AddValues(std::string name, List& out, int depth) {
        std::vector<MsdpValue> values;
        while (pos_ < data_.size() && Byte() == MsdpVal) {
            ++pos_;
            MsdpValue value;
            if (!ReadValue(value, depth)) return false;
            values.push_back(std::move(value));
        }
        MsdpValue value;
        if (values.size() == 1) {
            value = std::move(values.front());
        } else if (values.size() > 1) {
            value.kind = MsdpValue::Kind::Array;
            value.items = std::move(values);
        }
        out.push_back(MsdpField{std::move(name), std::move(value)});
        return true;
    }

    bool ReadValue(MsdpValue& value, int depth) {
        if (pos_ >= data_.size()) return true;
        if (Byte() == MsdpTableOpen) {
            if (depth >= MaxMsdpDepth) return false;
            ++pos_;
            value.kind = MsdpValue::Kind::Table;
            while (pos_ < data_.size() && Byte() != MsdpTableClose) {
                if (Byte() != MsdpVar) {
                    ++pos_;
                    continue;
                }
                ++pos_;
                std::string name = ReadText();
                if (!AddValues(std::move(name), value.fields, depth + 1)) return false;
            }
            if (pos_ < data_.size()) ++pos_;
            return true;
        }
        if (Byte() == MsdpArrayOpen) {
            if (depth >= MaxMsdpDepth) return false;
            ++pos_;
            value.kind = MsdpValue::Kind::Array;
            while (pos_ < data_.size() && Byte() != MsdpArrayClose) {
                if (Byte() != MsdpVal) {
                    ++pos_;
                    continue;
                }
                ++pos_;
                MsdpValue item;
                if (!ReadValue(item, depth + 1)) return false;
                value.items.push_back(std::move(item));
            }
            if (pos_ < data_.size()) ++pos_;
            return true;
        }
        value.text = ReadText();
        return true;
    }

    std::string_view data_;
    std::size_t pos_ = 0;
};

const MsdpValue* Variable(const MsdpVariables& variables, std::string_view name) {
    const MsdpValue* found = nullptr;
    for (const auto& [key, value] : variables) {
        if (AsciiUpper(key) == name) found = &value;  // the last one counts
    }
    return found;
}

std::vector<std::pair<std::string, std::string>> ExitsOf(const MsdpValue& exits) {
    std::vector<std::pair<std::string, std::string>> out;
    for (const auto& [word, target] : exits.fields) {
        if (target.kind == MsdpValue::Kind::Text) out.emplace_back(CleanReportText(word), CleanIdentity(target.text));
    }
    return out;
}

void AppendVal(std::string& out, std::string_view text) {
    out += static_cast<char>(MsdpVal);
    out += text;
}

}  // namespace

const MsdpValue* MsdpValue::Field(std::string_view name) const {
    std::string upper = AsciiUpper(name);
    for (const auto& [key, value] : fields) {
        if (AsciiUpper(key) == upper) return &value;
    }
    return nullptr;
}

MsdpVariables ParseMsdp(std::string_view payload) {
    return MsdpReader(payload).ReadAll();
}

RoomReport RoomReportFromMsdp(const MsdpVariables& variables) {
    RoomReport report;
    if (const MsdpValue* room = Variable(variables, "ROOM"); room && room->kind == MsdpValue::Kind::Table) {
        if (const MsdpValue* v = room->Field("VNUM")) report.Identity = CleanIdentity(v->text);
        if (const MsdpValue* v = room->Field("NAME")) report.Name = CleanReportText(v->text);
        if (const MsdpValue* v = room->Field("AREA")) report.Area = CleanReportText(v->text);
        if (const MsdpValue* v = room->Field("EXITS"); v && v->kind == MsdpValue::Kind::Table) {
            report.Exits = ExitsOf(*v);
        }
    }
    if (const MsdpValue* v = Variable(variables, "ROOM_VNUM")) report.Identity = CleanIdentity(v->text);
    if (const MsdpValue* v = Variable(variables, "ROOM_NAME")) report.Name = CleanReportText(v->text);
    if (const MsdpValue* v = Variable(variables, "AREA_NAME")) report.Area = CleanReportText(v->text);
    if (const MsdpValue* v = Variable(variables, "ROOM_EXITS"); v && v->kind == MsdpValue::Kind::Table) {
        report.Exits = ExitsOf(*v);
    }
    return report;
}

std::string MsdpRoomRequest() {
    std::string out = {static_cast<char>(Iac), static_cast<char>(Sb), static_cast<char>(Msdp),
                       static_cast<char>(MsdpVar)};
    out += "REPORT";
    for (std::string_view name : {"ROOM", "ROOM_VNUM", "ROOM_NAME", "AREA_NAME", "ROOM_EXITS"}) AppendVal(out, name);
    out += static_cast<char>(Iac);
    out += static_cast<char>(Se);
    return out;
}

}  // namespace trellan
