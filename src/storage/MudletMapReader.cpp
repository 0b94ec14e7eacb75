#include "storage/MudletMapReader.h"

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>

#include "storage/MudletMapFormat.h"
#include "text/JsonDepth.h"

namespace trellan {

namespace mf = mudlet_format;

namespace {

using Json = nlohmann::json;

// Mudlet's maps nest five deep (map, areas, room, exits, exit); a custom
// line's points reach eight. Anything far deeper is not a map, and the
// limit keeps a hostile file from running the parser's stacks up.
constexpr int kMaxDepth = 32;

[[noreturn]] void Fail(const std::string& where, const std::string& what) {
    throw MudletMapError("not a Mudlet map: " + where + (where.empty() ? "" : ": ") + what);
}

// Qt writes every number as a double; whole numbers are taken in either form.
std::optional<std::int64_t> AsInteger(const Json& value) {
    if (value.is_number_integer()) return value.get<std::int64_t>();
    if (value.is_number_unsigned()) {
        auto n = value.get<std::uint64_t>();
        if (n > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) return std::nullopt;
        return static_cast<std::int64_t>(n);
    }
    if (value.is_number_float()) {
        double d = value.get<double>();
        if (!std::isfinite(d) || d != std::floor(d) || std::fabs(d) > 9.0e15) return std::nullopt;
        return static_cast<std::int64_t>(d);
    }
    return std::nullopt;
}

const Json* Member(const Json& object, const char* key) {
    auto it = object.find(key);
    return it == object.end() ? nullptr : &*it;
}

std::int64_t RequireInteger(const Json& object, const char* key, const std::string& where, std::int64_t min,
                            std::int64_t max) {
    const Json* value = Member(object, key);
    if (value == nullptr) Fail(where, std::string("\"") + key + "\" is missing");
    std::optional<std::int64_t> n = AsInteger(*value);
    if (!n || *n < min || *n > max) Fail(where, std::string("\"") + key + "\" is not a whole number in range");
    return *n;
}

std::string OptionalString(const Json& object, const char* key, const std::string& where) {
    const Json* value = Member(object, key);
    if (value == nullptr || value->is_null()) return {};
    if (!value->is_string()) Fail(where, std::string("\"") + key + "\" is not a string");
    return value->get<std::string>();
}

const Json* OptionalArray(const Json& object, const char* key, const std::string& where) {
    const Json* value = Member(object, key);
    if (value == nullptr || value->is_null()) return nullptr;
    if (!value->is_array()) Fail(where, std::string("\"") + key + "\" is not an array");
    return value;
}

// Values other than strings are left out, as Mudlet does.
std::map<std::string, std::string> UserData(const Json& object, const std::string& where) {
    std::map<std::string, std::string> data;
    const Json* value = Member(object, "userData");
    if (value == nullptr || value->is_null()) return data;
    if (!value->is_object()) Fail(where, "\"userData\" is not an object");
    for (const auto& [key, item] : value->items())
        if (item.is_string()) data.emplace(key, item.get<std::string>());
    return data;
}

std::string Door(const Json& exit, const std::string& where) {
    std::string door = OptionalString(exit, "door", where);
    if (door.empty() || door == "none") return {};
    if (door != mf::kDoorOpen && door != mf::kDoorClosed && door != mf::kDoorLocked)
        Fail(where, "unknown door \"" + door + "\"");
    return door;
}

constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

MudletRoom ReadRoom(const Json& object, const std::string& areaWhere, std::size_t index) {
    std::string where = areaWhere + " room #" + std::to_string(index + 1);
    if (!object.is_object()) Fail(where, "not an object");
    MudletRoom room;
    room.Id = RequireInteger(object, "id", where, 1, kInt32Max);
    where = areaWhere + " room " + std::to_string(room.Id);
    const Json* coordinates = Member(object, "coordinates");
    if (coordinates == nullptr || !coordinates->is_array() || coordinates->size() != 3)
        Fail(where, "\"coordinates\" is not an array of three numbers");
    std::int64_t xyz[3];
    for (int i = 0; i < 3; ++i) {
        std::optional<std::int64_t> n = AsInteger((*coordinates)[i]);
        // y is negated on the way in, so its range is one short at the bottom.
        if (!n || *n < kInt32Min + 1 || *n > kInt32Max) Fail(where, "a coordinate is not a 32-bit whole number");
        xyz[i] = *n;
    }
    room.X = static_cast<std::int32_t>(xyz[0]);
    room.Y = static_cast<std::int32_t>(xyz[1]);
    room.Z = static_cast<std::int32_t>(xyz[2]);
    room.Name = OptionalString(object, "name", where);
    if (const Json* env = Member(object, "environment"); env != nullptr && !env->is_null()) {
        room.Environment = AsInteger(*env);
        if (!room.Environment) Fail(where, "\"environment\" is not a whole number");
    }
    if (const Json* locked = Member(object, "locked"); locked != nullptr && !locked->is_null()) {
        if (!locked->is_boolean()) Fail(where, "\"locked\" is not true or false");
        room.Locked = locked->get<bool>();
    }
    if (const Json* exits = OptionalArray(object, "exits", where)) {
        for (const Json& e : *exits) {
            if (!e.is_object()) Fail(where, "an exit is not an object");
            MudletExit exit;
            exit.Name = OptionalString(e, "name", where);
            if (exit.Name.empty()) Fail(where, "an exit has no name");
            exit.Target = RequireInteger(e, "exitId", where + " exit \"" + exit.Name + "\"", kInt32Min, kInt32Max);
            exit.Door = Door(e, where);
            room.Exits.push_back(std::move(exit));
        }
    }
    if (const Json* stubs = OptionalArray(object, "stubExits", where)) {
        for (const Json& s : *stubs) {
            if (!s.is_object()) Fail(where, "an exit stub is not an object");
            MudletExit stub;
            stub.Name = OptionalString(s, "name", where);
            stub.Door = Door(s, where);
            room.Stubs.push_back(std::move(stub));
        }
    }
    room.UserData = UserData(object, where);
    return room;
}

MudletArea ReadArea(const Json& object, std::size_t index) {
    std::string where = "area #" + std::to_string(index + 1);
    if (!object.is_object()) Fail(where, "not an object");
    MudletArea area;
    area.Id = RequireInteger(object, "id", where, kInt32Min, kInt32Max);
    where = "area " + std::to_string(area.Id);
    area.Name = OptionalString(object, "name", where);
    area.UserData = UserData(object, where);
    if (const Json* rooms = OptionalArray(object, "rooms", where)) {
        area.Rooms.reserve(rooms->size());
        for (std::size_t i = 0; i < rooms->size(); ++i) area.Rooms.push_back(ReadRoom((*rooms)[i], where, i));
    }
    return area;
}

void ReadColors(const Json& map, MudletMap& out) {
    const Json* colors = OptionalArray(map, "customEnvColors", "");
    if (colors == nullptr) return;
    for (const Json& c : *colors) {
        if (!c.is_object()) continue;
        const Json* id = Member(c, "id");
        const Json* rgb = Member(c, "color24RGB");
        if (rgb == nullptr) rgb = Member(c, "color32RGBA");
        if (id == nullptr || rgb == nullptr || !rgb->is_array() || rgb->size() < 3) continue;
        std::optional<std::int64_t> env = AsInteger(*id);
        std::uint32_t color = 0;
        bool ok = env.has_value();
        for (int i = 0; i < 3 && ok; ++i) {
            std::optional<std::int64_t> part = AsInteger((*rgb)[i]);
            ok = part && *part >= 0 && *part <= 255;
            if (ok) color |= static_cast<std::uint32_t>(*part) << (8 * i);
        }
        if (ok) out.EnvironmentColors[*env] = color;
    }
}

}  // namespace

MudletMap ReadMudletMap(std::string_view json) {
    if (JsonNestsDeeperThan(json, kMaxDepth)) throw MudletMapError("not a Mudlet map: nested too deeply");
    Json map;
    try {
        map = Json::parse(json);
    } catch (const Json::parse_error& e) {
        throw MudletMapError("not valid JSON: byte " + std::to_string(e.byte) + ": " + e.what());
    } catch (const Json::exception& e) {
        // A number too large for a double, say.
        throw MudletMapError(std::string("not valid JSON: ") + e.what());
    }
    if (!map.is_object()) Fail("", "the file is not a JSON object");
    const Json* version = Member(map, "formatVersion");
    if (version == nullptr || !version->is_number()) Fail("", "no \"formatVersion\"");
    if (version->get<double>() != mf::kFormatVersion)
        throw MudletMapError("unknown Mudlet map version " + version->dump() + " (only 1.0 is read)");
    const Json* areas = Member(map, "areas");
    if (areas == nullptr || !areas->is_array()) Fail("", "no \"areas\" array");
    MudletMap out;
    ReadColors(map, out);
    out.Areas.reserve(areas->size());
    for (std::size_t i = 0; i < areas->size(); ++i) out.Areas.push_back(ReadArea((*areas)[i], i));
    return out;
}

}  // namespace trellan
