#include "storage/ZoneFileJson.h"

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string_view>

#include "model/zonefile/ZoneFormat.h"
#include "text/Cp1251.h"
#include "text/ServerIdentity.h"

namespace trellan {

namespace zf = zone_format;

namespace {

constexpr std::string_view kAutoMapsKey = "AutoMaps";

std::string_view KeyOf(zf::Property p) {
    return p == zf::Property::AutoMaps ? kAutoMapsKey : zf::kPropertyNames[static_cast<int>(p)];
}

// Templates so one table serves a const room (dump) and a mutable one.
template <typename Room>
auto IntField(Room& room, zf::Property p) -> decltype(&room.Tag) {
    using P = zf::Property;
    switch (p) {
        case P::Tag:
            return &room.Tag;
        case P::X:
            return &room.X;
        case P::Y:
            return &room.Y;
        case P::L:
            return &room.L;
        case P::DX:
            return &room.DX;
        case P::DY:
            return &room.DY;
        case P::DL:
            return &room.DL;
        case P::ImageIndex:
            return &room.ImageIndex;
        default:
            return nullptr;
    }
}

template <typename Room>
auto BoolField(Room& room, zf::Property p) -> decltype(&room.ChN) {
    using P = zf::Property;
    switch (p) {
        case P::ChN:
            return &room.ChN;
        case P::ChS:
            return &room.ChS;
        case P::ChW:
            return &room.ChW;
        case P::ChE:
            return &room.ChE;
        case P::ChU:
            return &room.ChU;
        case P::ChD:
            return &room.ChD;
        case P::Selected:
            return &room.Selected;
        case P::Checked:
            return &room.Checked;
        case P::Pipe:
            return &room.Pipe;
        case P::DT:
            return &room.DT;
        case P::FlyDT:
            return &room.FlyDT;
        case P::Agro:
            return &room.Agro;
        case P::NoStep:
            return &room.NoStep;
        default:
            return nullptr;
    }
}

template <typename Room>
auto StringField(Room& room, zf::Property p) -> decltype(&room.Hint) {
    using P = zf::Property;
    switch (p) {
        case P::Hint:
            return &room.Hint;
        case P::Description:
            return &room.Description;
        case P::Note:
            return &room.Note;
        case P::QuickList:
            return &room.QuickList;
        default:
            return nullptr;  // Exits goes through its setter
    }
}

const char* TypeName(JsonValue::Kind kind) {
    switch (kind) {
        case JsonValue::Kind::String:
            return "a string";
        case JsonValue::Kind::Integer:
            return "a number";
        case JsonValue::Kind::Boolean:
            return "true or false";
        case JsonValue::Kind::StringArray:
            return "an array of strings";
    }
    return "";
}

void CheckType(std::string_view key, const JsonValue& v, JsonValue::Kind want) {
    if (v.Type != want)
        throw JsonError("\"" + std::string(key) + "\" must be " + TypeName(want) + ", not " + TypeName(v.Type));
}

std::string ToCp1251(std::string_view key, std::string_view utf8) {
    bool lossless = true;
    std::string text = Utf8ToCp1251(utf8, &lossless);
    if (!lossless) throw JsonError("\"" + std::string(key) + "\" holds a character that has no Windows-1251 byte");
    return text;
}

}  // namespace

std::string RoomToJsonLine(const MudRoom& room) {
    using P = zf::Property;
    nlohmann::ordered_json line = nlohmann::ordered_json::object();
    for (std::size_t i = 0; i < static_cast<std::size_t>(P::Name); ++i) {
        auto p = static_cast<P>(i);
        std::string key(KeyOf(p));
        if (const std::int32_t* n = IntField(room, p)) {
            line[key] = *n;
        } else if (const bool* b = BoolField(room, p)) {
            line[key] = *b;
        } else if (const std::string* s = StringField(room, p)) {
            line[key] = Cp1251ToUtf8(*s);
        } else if (p == P::Exits) {
            line[key] = Cp1251ToUtf8(room.Exits());
        } else if (p == P::BColor) {
            line[key] = room.BColor;
        } else if (p == P::AutoMaps) {
            nlohmann::ordered_json& entries = line[key] = nlohmann::ordered_json::array();
            for (const std::string& e : room.AutoMaps) entries.push_back(Cp1251ToUtf8(e));
        }
    }
    // The server's identity (from the zone's sidecar) only where there is one.
    if (!room.ServerId.empty()) line["ServerId"] = Cp1251ToUtf8(room.ServerId);
    std::string text = line.dump();
    // The library writes DEL as it is; dumps have always escaped it, like
    // the other control characters. 0x7F stands only inside strings, never
    // inside a multi-byte character, so the replacement cannot hit anything
    // else.
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\x7F')
            out += "\\u007f";
        else
            out.push_back(c);
    }
    return out;
}

MudRoom RoomFromJson(const JsonObject& object, const ExitWords& words) {
    using P = zf::Property;
    MudRoom room;
    for (const JsonMember& m : object) {
        if (m.Key == "ServerId") {
            CheckType(m.Key, m.Value, JsonValue::Kind::String);
            room.ServerId = CleanIdentity(ToCp1251(m.Key, m.Value.Text));
            if (room.ServerId.empty()) throw JsonError("\"ServerId\" is no room identity");
            continue;
        }
        std::optional<P> found;
        for (std::size_t i = 0; i < static_cast<std::size_t>(P::Name); ++i)
            if (KeyOf(static_cast<P>(i)) == m.Key) found = static_cast<P>(i);
        if (!found) throw JsonError("unknown key \"" + m.Key + "\"");
        P p = *found;
        const JsonValue& v = m.Value;
        if (std::int32_t* n = IntField(room, p)) {
            CheckType(m.Key, v, JsonValue::Kind::Integer);
            if (v.Integer < INT32_MIN || v.Integer > INT32_MAX)
                throw JsonError("\"" + m.Key + "\" is out of the 32-bit range");
            *n = static_cast<std::int32_t>(v.Integer);
        } else if (bool* b = BoolField(room, p)) {
            CheckType(m.Key, v, JsonValue::Kind::Boolean);
            *b = v.Boolean;
        } else if (std::string* s = StringField(room, p)) {
            CheckType(m.Key, v, JsonValue::Kind::String);
            *s = ToCp1251(m.Key, v.Text);
        } else if (p == P::Exits) {
            CheckType(m.Key, v, JsonValue::Kind::String);
            room.SetExits(ToCp1251(m.Key, v.Text), words);
        } else if (p == P::BColor) {
            CheckType(m.Key, v, JsonValue::Kind::Integer);
            // Both readings of a 32-bit colour are taken: 2147483648 and
            // -2147483648 are the same system colour.
            if (v.Integer < INT32_MIN || v.Integer > UINT32_MAX)
                throw JsonError("\"BColor\" is out of the 32-bit range");
            room.BColor = static_cast<std::uint32_t>(v.Integer);
        } else if (p == P::AutoMaps) {
            CheckType(m.Key, v, JsonValue::Kind::StringArray);
            room.AutoMaps.clear();
            for (const std::string& e : v.List) room.AutoMaps.push_back(ToCp1251(m.Key, e));
        }
    }
    return room;
}

}  // namespace trellan
