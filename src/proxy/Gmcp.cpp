#include "proxy/Gmcp.h"

#include <nlohmann/json.hpp>

#include "proxy/TelnetCodes.h"
#include "text/Cp1251.h"
#include "text/JsonDepth.h"

namespace trellan {

namespace {

using Json = nlohmann::json;

std::string TextOf(const Json& value) {
    if (value.is_string()) return value.get<std::string>();
    if (value.is_number_integer()) return value.dump();
    return {};
}

const Json* Member(const Json& object, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        auto it = object.find(name);
        if (it != object.end()) return &*it;
    }
    return nullptr;
}

std::string Iso(std::string_view utf8) {
    return Utf8ToCp1251(utf8, nullptr, Utf8Reading::Lenient);
}

std::string Subnegotiation(std::string_view text) {
    std::string out = {static_cast<char>(telnet::Iac), static_cast<char>(telnet::Sb), static_cast<char>(telnet::Gmcp)};
    out += text;
    out += static_cast<char>(telnet::Iac);
    out += static_cast<char>(telnet::Se);
    return out;
}

}  // namespace

GmcpMessage SplitGmcp(std::string_view payload) {
    std::size_t blank = payload.find(' ');
    if (blank == std::string_view::npos) return {std::string(payload), {}};
    return {std::string(payload.substr(0, blank)), std::string(payload.substr(blank + 1))};
}

RoomReport RoomReportFromGmcp(const GmcpMessage& message) {
    RoomReport report;
    if (AsciiLower(message.Package) != "room.info" || JsonNestsDeeperThan(message.Json, MaxGmcpDepth)) return report;
    Json room = Json::parse(message.Json, nullptr, false);
    if (room.is_discarded() || !room.is_object()) return report;
    if (const Json* v = Member(room, {"num", "vnum", "id"})) report.Identity = CleanIdentity(Iso(TextOf(*v)));
    if (const Json* v = Member(room, {"name"})) report.Name = CleanReportText(Iso(TextOf(*v)));
    if (const Json* v = Member(room, {"area", "zone"})) report.Area = CleanReportText(Iso(TextOf(*v)));
    if (const Json* v = Member(room, {"exits"}); v && v->is_object()) {
        for (const auto& [word, target] : v->items()) {
            report.Exits.emplace_back(CleanReportText(Iso(word)), CleanIdentity(Iso(TextOf(target))));
        }
    }
    return report;
}

std::string GmcpRoomRequest() {
    return Subnegotiation("Core.Hello {\"client\":\"Trellan\",\"version\":\"2.5.3\"}") +
           Subnegotiation("Core.Supports.Set [\"Room 1\"]");
}

std::string GmcpRoomSupportsAdd() {
    return Subnegotiation("Core.Supports.Add [\"Room 1\"]");
}

}  // namespace trellan
